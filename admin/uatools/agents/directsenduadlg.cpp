// The direct-send agent lists; see directsenduadlg.h.
#include "admin/uatools/agents/directsenduadlg.h"

#include "admin/session/zeltsession.h"
#include "admin/uatools/agents/directsenduseragentdlg.h"

#include <QTreeWidget>

namespace {

constexpr qint32 kFaxRoot = 0x7ffffff9;
constexpr qint32 kVoiceRoot = 0x7ffffffa;
constexpr int kListWidth = 480;

} // namespace

CDirectSendUADlg::CDirectSendUADlg(int dialogId, const QString &caption, CZELTSession &applicationSession,
                                   const CLoginCredentials &login, const QString &typeText, qint32 root,
                                   QWidget *parent)
    : CUserAgentListDlg(dialogId, caption, applicationSession, login, typeText, {root}, parent)
{
}

QList<CUserAgentListDlg::Column> CDirectSendUADlg::Columns() const
{
    return {{tr("User Name"), kListWidth / 6}, {tr("Comment"), kListWidth * 5 / 6}};
}

bool CDirectSendUADlg::RunEditDialog(qint32 number, QTreeWidgetItem *row)
{
    CDirectSendUserAgentDlg dialog(*Channel(), number, this);
    dialog.PresetComment(row->text(1));
    return dialog.DoModal() == IDOK;
}

CDirectSendFaxUADlg::CDirectSendFaxUADlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                                         const QString &typeText, QWidget *parent)
    : CDirectSendUADlg(IDD, tr("Edit Direct Send Fax User Agents"), applicationSession, login, typeText,
                       kFaxRoot, parent)
{
}

CDirectSendVoiceUADlg::CDirectSendVoiceUADlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                                             const QString &typeText, QWidget *parent)
    : CDirectSendUADlg(IDD, tr("Edit Direct Send Voice User Agents"), applicationSession, login, typeText,
                       kVoiceRoot, parent)
{
}
