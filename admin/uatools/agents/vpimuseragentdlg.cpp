// The VPIM agent dialog; see vpimuseragentdlg.h.
#include "admin/uatools/agents/vpimuseragentdlg.h"

namespace {

const CMessagingAgentDlg::Family kVpim{false,
                                       "VpimEnable",
                                       nullptr,
                                       "VpimDestinationDomain",
                                       "VpimDestinationMBox",
                                       nullptr,
                                       "VpimNotifyAfterMin",
                                       "VpimNotifyContinueEveryMin",
                                       "VpimNotifyMaxTime",
                                       "Edit VPIM Gateway User Agent",
                                       "Edit VPIM Proxy User Agent",
                                       "Destination's Fully Qualified Domain Name:",
                                       "Enter a description of this VPIM proxy or gateway."};

} // namespace

CVpimUserAgentDlg::CVpimUserAgentDlg(CServerCommandChannel &channel, QWidget *parent, qint32 number,
                                     const QString &typeText, Mode mode)
    : CMessagingAgentDlg(kVpim, IDD, tr("Edit VPIM User agent"), channel, parent, number, typeText, mode)
{
}
