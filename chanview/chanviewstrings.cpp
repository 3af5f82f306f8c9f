// See chanviewstrings.h.
#include "chanview/chanviewstrings.h"

#include "chanview/chanviewcommands.h"

#include <QHash>

QString ChanviewString(unsigned id)
{
    static const QHash<unsigned, QString> table = {
        {IDS_CV_ABOUT, QStringLiteral("&About Chanview...")},
        {IDS_CV_SERVER_NOT_AVAILABLE, QStringLiteral("The server is not available.")},
        {IDS_CV_SERVER_NOT_RESPONDING, QStringLiteral("The server is not responding.")},
        {IDS_CV_CHECK_USER_AND_PASSWORD, QStringLiteral("Please check your user id and password.")},
        {IDS_CV_PROTOCOL_PROBLEM, QStringLiteral("Protocol problem.")},
        {IDS_CV_TIME_ZONE_NOT_SET, QStringLiteral("Time zone can not be set")},
        {IDS_CV_INTERLOCK_FAILURE, QStringLiteral("Interlock failure")},
        {IDS_CV_REGISTER_TRACE, QStringLiteral("RegisterTraceConsumer -categories 8")},
        {IDS_CV_RESOURCE_SNAPSHOT, QStringLiteral("ResourceSnapShot")},
        {IDS_CV_MISSING_COMMON_CONTROLS, QStringLiteral("Missing common controls DLL: comctl32.dll")},
    };
    return table.value(id);
}

CSessionSettings ChanviewSessionSettings()
{
    CSessionSettings settings;
    settings.replyWaitMs = 40000;
    settings.timeToLiveMs = 30000;
    settings.disconnectWaits = 3;
    settings.serverNotAvailable = ChanviewString(IDS_CV_SERVER_NOT_AVAILABLE);
    settings.serverNotResponding = ChanviewString(IDS_CV_SERVER_NOT_RESPONDING);
    settings.loginRefused = ChanviewString(IDS_CV_CHECK_USER_AND_PASSWORD);
    settings.protocolProblem = ChanviewString(IDS_CV_PROTOCOL_PROBLEM);
    settings.timeZoneNotSet = ChanviewString(IDS_CV_TIME_ZONE_NOT_SET);
    settings.interlockFailure = ChanviewString(IDS_CV_INTERLOCK_FAILURE);
    settings.linkEndFailure = QStringLiteral("Error occured while breaking connection with server.");
    settings.procedureText = ChanviewCommandsText();
    return settings;
}
