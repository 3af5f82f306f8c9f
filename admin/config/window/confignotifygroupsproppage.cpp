// See confignotifygroupsproppage.h.
#include "admin/config/window/confignotifygroupsproppage.h"

#include "admin/config/dialogs/addnotifygroupdlg.h"
#include "admin/config/depot/configdepot.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/msgbox/msgbox.h"

namespace {
const QString kTryAgain = QStringLiteral(" Try to enter another ID after closing this message box.");
}

CConfigNotifyGroupsPropPage::CConfigNotifyGroupsPropPage()
    : CConfigPortGroupsPage(IDD, QStringLiteral("Notification Port Groups"),
                            CConfigPropSheet::ID_CONFIG_NOTIFY_GROUPS, CPortGroupList::Notification)
{
}

QString &CConfigNotifyGroupsPropPage::DepotText()
{
    return Depot()->m_notificationGroups;
}

QString CConfigNotifyGroupsPropPage::RefuseId(const QString &id, int row) const
{
    if (id.isEmpty())
        return QStringLiteral(
            "Empty Notification Group ID is invalid. Try to enter a valid ID after closing this "
            "message box.");
    if (id.compare(QLatin1String("Q1"), Qt::CaseInsensitive) == 0)
        return QStringLiteral(
            "The name 'Q1' is reserved for manufacturer default Group ID.\nEnter a different Group "
            "ID.");
    for (int i = 0; i < m_groups.Count(); ++i)
        if (i != row - 1 && m_groups.At(i).id == id)
            return QStringLiteral("There is already a Notification Group ID '%1'.").arg(id) + kTryAgain;
    return QString();
}

bool CConfigNotifyGroupsPropPage::IsReservedGroup(const PortGroupRecord &group) const
{
    return group.id == QLatin1String("Q1");
}

QString CConfigNotifyGroupsPropPage::RemoveQuestion(const QString &id) const
{
    return QStringLiteral(
               "If you remove Notification Group '%1', then make sure that it is not referenced in any "
               "User Agent Notification Record, otherwise they will not work properly.\nDo you want to "
               "remove Notification Group '%1'?")
        .arg(id);
}

int CConfigNotifyGroupsPropPage::RowAfterRemoval(int) const
{
    return m_groups.Count();
}

bool CConfigNotifyGroupsPropPage::AskNewId(QString &id)
{
    QString shown;
    for (;;) {
        // A new dialog each time, opening with the ID as it was left.
        CAddNotifyGroupDlg dialog(this);
        dialog.m_strId = shown;
        if (dialog.DoModal() != IDOK)
            return false;
        if (!dialog.m_strId.isEmpty() && !dialog.m_bIdEdited) {
            AfxMessageBox(
                QStringLiteral("You should change the Group ID to be different from existing Group IDs."),
                MB_OK | MB_ICONEXCLAMATION);
            shown = dialog.m_strId;
            continue;
        }
        QString typed = dialog.m_strId;
        typed.replace(QLatin1Char(' '), QLatin1Char('_'));
        const QString refusal = RefuseId(typed, 0);
        if (refusal.isEmpty()) {
            id = typed;
            return true;
        }
        AfxMessageBox(refusal, MB_OK | MB_ICONEXCLAMATION);
        shown = typed;
    }
}

bool CConfigNotifyGroupsPropPage::RefuseLeaving(int col, int row)
{
    if (col != IdColumn || row < 1 || row > m_groups.Count() || !m_groups.At(row - 1).id.isEmpty())
        return false;
    AfxMessageBox(
        QStringLiteral("Empty Group ID is invalid. Try to enter a valid ID after closing this message box."),
        MB_OK | MB_ICONEXCLAMATION);
    return true;
}
