// The IVR alias editor; see ivraliaseditordlg.h.
#include "admin/uatools/aliases/ivraliaseditordlg.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/uatools/aliases/ivraliasdlg.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QComboBox>

CIvrAliasEditorDlg::CIvrAliasEditorDlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                                       quint32 rights, QWidget *parent)
    : CAliasListEditorDlg(IDD, tr("IVR  Alias Editor"), tr("Alias Name:"), {{IDC_DELETE, tr("Delete")}},
                          applicationSession, login, rights, parent)
{
}

QStringList CIvrAliasEditorDlg::ListedNames(const QList<CAliasResolver::Alias> &aliases) const
{
    QStringList names;
    for (const CAliasResolver::Alias &alias : aliases)
        names.append(alias.name);
    return names;
}

void CIvrAliasEditorDlg::EnableSelectionButtons(bool enable)
{
    CAliasListEditorDlg::EnableSelectionButtons(enable);
    GetDlgItem(IDC_DELETE)->setEnabled(enable);
}

void CIvrAliasEditorDlg::SelectionChanged()
{
    EnableSelectionButtons(!GetSelectedName().isEmpty());
}

void CIvrAliasEditorDlg::addAlias()
{
    if (!Session())
        return;
    CIvrAliasDlg dialog(*Session(), ApplicationSession(), this, QString(), CIvrAliasDlg::ModeAdd);
    if (dialog.DoModal() != IDOK || dialog.GetName().isEmpty())
        return;
    CWaitCursor wait;
    FillNames();
    SelectName(dialog.GetName());
}

void CIvrAliasEditorDlg::editAlias()
{
    if (GetSelectedName().isEmpty()) {
        AfxMessageBox(tr("Please select a template to edit"));
        return;
    }
    if (!Session())
        return;
    CIvrAliasDlg dialog(*Session(), ApplicationSession(), this, GetSelectedName(), CIvrAliasDlg::ModeEdit);
    dialog.DoModal();
}

void CIvrAliasEditorDlg::deleteAlias()
{
    const QString name = GetSelectedName();
    if (name.isEmpty()) {
        AfxMessageBox(tr("Please select a alias to edit"));
        return;
    }
    if (AfxMessageBox(tr("Do you want to delete %1?").arg(name), MB_YESNO) != IDYES)
        return;
    CWaitCursor wait;
    QString reply;
    try {
        CPendingCommand pending = ApplicationSession().BeginCommand(
            QStringLiteral("RemoveAlias %1").arg(TclBareWord(name)), true, 1);
        reply = ApplicationSession().WaitReply(pending);
    } catch (const CZltException &e) {
        reply = QStringLiteral("!") + e.text();
    }
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return;
    }
    FillNames();
    ClearSelectedName();
}

bool CIvrAliasEditorDlg::OnCommand(int id)
{
    switch (id) {
    case IDC_ADD:
        addAlias();
        return true;
    case IDC_EDIT:
        editAlias();
        return true;
    case IDC_DELETE:
        deleteAlias();
        return true;
    case IDC_CLOSE:
        OnCancel();
        return true;
    default:
        return CAliasListEditorDlg::OnCommand(id);
    }
}

void CIvrAliasEditorDlg::OnCancel()
{
    CloseSession();
    DestroyWindow();
}

void CIvrAliasEditorDlg::PostNcDestroy()
{
    emit closed();
    deleteLater();
}
