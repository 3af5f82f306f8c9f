// The login did not succeed and may be tried again: the login dialog catches
// this one to offer the login anew; every other CZltException ends the try.
#pragma once

#include "admin/session/zltexception.h"

class CZltExceptionLoginDeclined : public CZltException {
public:
    CZltExceptionLoginDeclined() : CZltException(QStringLiteral("Password changed and login declined")) {}
};
