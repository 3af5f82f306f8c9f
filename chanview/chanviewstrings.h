// Chanview's own string table and the session it logs in with: the same
// session as admin's, with the monitor's shorter waits and its own messages.
#pragma once

#include "admin/session/sessionsettings.h"

#include <QString>

enum ChanviewStringId : unsigned {
    IDS_CV_ABOUT = 101,
    IDS_CV_SERVER_NOT_AVAILABLE = 102,
    IDS_CV_SERVER_NOT_RESPONDING = 103,
    IDS_CV_CHECK_USER_AND_PASSWORD = 104,
    IDS_CV_PROTOCOL_PROBLEM = 105,
    IDS_CV_TIME_ZONE_NOT_SET = 106,
    IDS_CV_INTERLOCK_FAILURE = 107,
    IDS_CV_REGISTER_TRACE = 108,
    IDS_CV_RESOURCE_SNAPSHOT = 109,
    IDS_CV_MISSING_COMMON_CONTROLS = 110,
};

// The text of a Chanview string id; empty for an id it does not have.
QString ChanviewString(unsigned id);

// The monitor's session: replies wait 40 s, unanswered commands live 30 s,
// Disconnect waits at most three periods.
CSessionSettings ChanviewSessionSettings();
