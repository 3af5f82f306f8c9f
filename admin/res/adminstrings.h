// The string table of admin: ids and texts of the messages and command texts
// the program shows or sends. Ids are the program's own resource numbers, so
// a message box and its log line name the same id.
#pragma once

#include <QString>

enum AdminStringId : unsigned {
    IDS_SERVER_NOT_AVAILABLE = 61467,
    IDS_CHECK_USER_AND_PASSWORD = 61469,
    IDS_INTERLOCK_FAILURE = 61470,
    IDS_PROTOCOL_PROBLEM = 61490,
    IDS_TIME_ZONE_NOT_SET = 61549,
    // appshell
    IDS_CHANGE_REFUSED = 61529,
    // end appshell
    // uawidgets
    IDS_NO_COS = 61508,
    IDS_UA_LIST_FAILED = 61528,
    IDS_INHERITED_VALUE_FAILED = 61520,
    // end uawidgets
};

// Adds admin's texts to the program's string table; once is enough, more
// is harmless.
void RegisterAdminStrings();
// The text of one of admin's ids (registering the table first).
QString AdminString(unsigned id);
