// The notification template editor; see notifytemplateeditordlg.h.
#include "admin/uatools/aliases/notifytemplateeditordlg.h"

#include "admin/session/zeltsession.h"
#include "admin/uatools/aliases/templatedlg.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QComboBox>

CNotifyTemplateEditorDlg::CNotifyTemplateEditorDlg(CZELTSession &applicationSession,
                                                   const CLoginCredentials &login,
                                                   const QStringList &notificationApps, quint32 rights,
                                                   QWidget *parent)
    : CAliasListEditorDlg(IDD, tr("Template Editor"), tr("Template Name:"), {}, applicationSession, login,
                          rights, parent),
      m_notificationApps(notificationApps)
{
}

QStringList CNotifyTemplateEditorDlg::ListedNames(const QList<CAliasResolver::Alias> &aliases) const
{
    // Only the aliases that lead to a notification application; the
    // applications themselves are no templates.
    QStringList templates = CAliasResolver::Resolve(m_notificationApps, aliases);
    templates.sort(Qt::CaseInsensitive);
    return templates;
}

void CNotifyTemplateEditorDlg::SelectionChanged()
{
    if (!GetSelectedName().isEmpty())
        EnableSelectionButtons(true);
    Names()->setFocus();
}

void CNotifyTemplateEditorDlg::addTemplate()
{
    if (!Session())
        return;
    CTemplateDlg dialog(*Session(), ApplicationSession(), m_notificationApps, this, QString(),
                        CTemplateDlg::ModeAdd);
    if (dialog.DoModal() == IDOK) {
        CWaitCursor wait;
        FillNames();
        // A template that leads to no application is not listed, nor chosen.
        if (!dialog.GetName().isEmpty() && FindName(dialog.GetName()) >= 0)
            SelectName(dialog.GetName());
    }
    Names()->setFocus();
}

void CNotifyTemplateEditorDlg::editTemplate()
{
    if (GetSelectedName().isEmpty()) {
        AfxMessageBox(tr("Please select a template to edit"));
        return;
    }
    if (!Session())
        return;
    CTemplateDlg dialog(*Session(), ApplicationSession(), m_notificationApps, this, GetSelectedName(),
                        CTemplateDlg::ModeEdit);
    dialog.DoModal();
    Names()->setFocus();
}

bool CNotifyTemplateEditorDlg::OnCommand(int id)
{
    switch (id) {
    case IDC_ADD:
        addTemplate();
        return true;
    case IDC_EDIT:
        editTemplate();
        return true;
    case IDC_CLOSE:
        SendMessage(GetSafeHwnd(), WM_CLOSE, 0, 0);
        return true;
    default:
        return CAliasListEditorDlg::OnCommand(id);
    }
}

void CNotifyTemplateEditorDlg::done(int result)
{
    CloseSession();
    CAliasListEditorDlg::done(result);
}
