// The AMIS agent dialog; see amisuseragentdlg.h.
#include "admin/uatools/agents/amisuseragentdlg.h"

namespace {

const CMessagingAgentDlg::Family kAmis{true,
                                       "AmisGatewayEnable",
                                       "AmisDestinationSystemNumber",
                                       "AmisDestinationDial",
                                       "AmisProxyDestinationMailBox",
                                       "AmisNotificationPortGroup",
                                       "AmisNotifyAfterMin",
                                       "AmisNotifyContinueEveryMin",
                                       "AmisNotifyMaxTime",
                                       "Edit AMIS Gateway User Agent",
                                       "Edit AMIS Proxy User Agent",
                                       "Destination Dial Number:",
                                       "Enter a description of this AMIS proxy or gateway."};

} // namespace

CAmisUserAgentDlg::CAmisUserAgentDlg(CServerCommandChannel &channel, QWidget *parent, qint32 number,
                                     const QString &typeText, Mode mode)
    : CMessagingAgentDlg(kAmis, IDD, tr("Edit AMIS User agent"), channel, parent, number, typeText, mode)
{
}
