// What to tell a user whose program could not have a class object because
// of its registration: the programs find their in-process servers only
// through one (combase.h), and a build tree has none until regsvr has run,
// so the bare HRESULT leaves a first-time user nowhere. The hint says what
// is missing and gives the command that registers the library, with the
// full paths of regsvr and of the library where they are found: beside the
// running program (a build tree keeps both in its bin/ folder), else in the
// folder of the registrations installed with the programs.
#pragma once

#include "platform/com/unknwn.h"

#include <QString>

// Lines to add below the failure of CoGetClassObject(`clsid`) that gave
// `result`, for the server library named `libraryFile` ("libConduit.so");
// empty for a result that registering would not mend.
QString RegistrationHint(const CLSID &clsid, HRESULT result, const QString &libraryFile);
