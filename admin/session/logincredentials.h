// What a session logs in with. Connect copies it into the session, so a
// password change running beside a login cannot tear the text being digested.
#pragma once

#include <QString>

struct CLoginCredentials {
    QString host;
    QString user;
    QString password;
};
