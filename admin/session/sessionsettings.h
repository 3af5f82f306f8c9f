// The time limits and messages of a server session. admin's sessions use the
// defaults; the port monitor builds its session with limits and messages of
// its own, and tests shorten the waits here, never by changing a default.
#pragma once

#include "admin/res/adminstrings.h"
#include "admin/res/tclcommands.h"

#include <QByteArray>

#include <QString>

#include <cstdint>

struct CSessionSettings {
    int port = 1561;
    // Receive time-out of the link; Conduit asks the session after each one.
    int receiveTimeoutMs = 10000;

    // Waits of Connect for the greeting and the confirmation.
    uint32_t stateWaitMs = 5000;
    int stateWaits = 3;
    // Waits of Disconnect for the link to end.
    uint32_t disconnectWaitMs = 5000;
    int disconnectWaits = 30;
    // The lock that orders the handshake, Connect and Disconnect.
    uint32_t sessionLockMs = 10000;
    uint32_t transactionLockMs = 2000;

    // A caller's wait for its reply, and the life of an unanswered command:
    // the housekeeping sweep answers it before the caller gives up.
    uint32_t replyWaitMs = 310000;
    int timeToLiveMs = 300000;
    uint32_t sweepPeriodMs = 5000;
    // How long the destructor waits for the housekeeping thread.
    uint32_t housekeepingJoinMs = 30000;

    // A wait for the server on the user-interface thread that lasts this
    // long says what it waits for and offers Cancel.
    int waitNoticeDelayMs = 1000;

    // The login progress window shows only when a login takes this long.
    int progressDelayMs = 2000;

    // The Tcl procedures uploaded after every login.
    QByteArray procedureText = TclCommandsText();

    // Messages shown by Connect before it throws CZltExceptionLoginDeclined.
    QString serverNotAvailable = AdminString(IDS_SERVER_NOT_AVAILABLE);  // the link could not be made
    QString serverNotResponding = AdminString(IDS_SERVER_NOT_AVAILABLE); // no greeting or confirmation
    QString loginRefused = AdminString(IDS_CHECK_USER_AND_PASSWORD);
    // The link ended before a login was sent: the user id and password were
    // never tried. %1 is the session's last error.
    QString answerUnreadable = QStringLiteral("The server's answer could not be read: %1");
    // Reasons kept as the session's last error.
    QString protocolProblem = AdminString(IDS_PROTOCOL_PROBLEM);
    QString timeZoneNotSet = AdminString(IDS_TIME_ZONE_NOT_SET);
    QString greetingCut = QStringLiteral("the link ended before the server's greeting was complete.");
    QString frameTooLong = QStringLiteral("the server sent a message longer than %1 MiB, more than any "
                                          "reply can be, and the link was closed.");
    // Thrown when a lock or a reply wait runs out; each program words it
    // from its own string table.
    QString interlockFailure = AdminString(IDS_INTERLOCK_FAILURE);
    // Shown after it when a link's end cannot be handled and the program
    // exits; none for admin.
    QString linkEndFailure;
};
