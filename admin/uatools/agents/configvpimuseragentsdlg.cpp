// The VPIM agent list; see configvpimuseragentsdlg.h.
#include "admin/uatools/agents/configvpimuseragentsdlg.h"

#include "admin/uatools/agents/vpimuseragentdlg.h"

namespace {

constexpr qint32 kVpimGatewayRoot = 0x7ffffff8;
constexpr qint32 kVpimProxyRoot = 0x7ffffff7;

CConfigVpimUserAgentsDlg::Mode modeOf(const QString &type, const QString &gateway, const QString &proxy)
{
    if (type == proxy)
        return CConfigVpimUserAgentsDlg::ModeProxy;
    return type == gateway ? CConfigVpimUserAgentsDlg::ModeGateway : CConfigVpimUserAgentsDlg::ModeOther;
}

} // namespace

CConfigVpimUserAgentsDlg::CConfigVpimUserAgentsDlg(CZELTSession &applicationSession,
                                                   const CLoginCredentials &login, const QString &typeText,
                                                   const QString &gatewayText, const QString &proxyText,
                                                   QWidget *parent)
    : CUserAgentListDlg(IDD, tr("Config VPIM User Agents"), applicationSession, login, typeText,
                        {kVpimGatewayRoot, kVpimProxyRoot}, parent),
      m_mode(modeOf(typeText, gatewayText, proxyText))
{
}

bool CConfigVpimUserAgentsDlg::OnInitDialog()
{
    CUserAgentListDlg::OnInitDialog();
    if (m_mode == ModeGateway)
        setWindowTitle(tr("Configure VPIM Gateway User Agents"));
    else if (m_mode == ModeProxy)
        setWindowTitle(tr("Configure VPIM Proxy User Agents"));
    return true;
}

QList<CUserAgentListDlg::Column> CConfigVpimUserAgentsDlg::Columns() const
{
    return {{tr("User Name"), 80}, {tr("Comment"), 300}};
}

bool CConfigVpimUserAgentsDlg::RunEditDialog(qint32 number, QTreeWidgetItem *)
{
    CVpimUserAgentDlg dialog(*Channel(), this, number, TypeText(), CMessagingAgentDlg::Mode(int(m_mode)));
    return dialog.DoModal() == IDOK;
}
