// Where the per-user store files live: $XDG_CONFIG_HOME/verbanta, else (the
// variable unset, empty or relative) $HOME/.config/verbanta. The variable is read at each call, so a test or
// the demo can point the whole suite at a folder of its own.
#pragma once

#include <QString>

namespace StoreFolder {

QString path();
// The full name of `fileName` (no "/") in the folder as it is now.
QString filePath(const QString &fileName);
// The folder of the registrations installed with the programs: beside the
// installed libConduit.so, found from the running program's own place (the
// suite installs its programs and that folder under one prefix), so an
// installation works wherever it was put; "" when the program's place can't
// be told. Read only; see registry.h.
QString installedPath();
// Makes sure `filePath`'s folder exists (mode 0700) and the file exists with
// mode 0600, so a store never appears readable by others. False when either
// can't be made.
bool prepare(const QString &filePath);

} // namespace StoreFolder
