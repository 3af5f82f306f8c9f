// The notification template editor; see notifytemplateeditordlg.h.
#include "admin/uatools/notifytemplateeditordlg.h"

#include "admin/session/tcllist.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/uatools/templatedlg.h"
#include "admin/useragents/pages/aliasresolver.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// Adding templates takes an administrator above level 4 with the
// notification-template permission.
constexpr quint32 kTemplatePermission = 0x10;
constexpr quint32 kLowestAddingLevel = 5;

} // namespace

CNotifyTemplateEditorDlg::CNotifyTemplateEditorDlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                                                   const QStringList &notificationApps, quint32 rights,
                                                   QWidget *parent)
    : CDialog(IDD, tr("Template Editor"), parent), m_applicationSession(applicationSession), m_login(login),
      m_notificationApps(notificationApps), m_rights(rights),
      m_templates(SetDlgCtrlID(new QComboBox(this), IDC_TEMPLATES))
{
    m_templates->setEditable(true);
    m_templates->setInsertPolicy(QComboBox::NoInsert);
    m_templates->setMinimumWidth(220);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Template Name:"), this));
    row->addWidget(m_templates, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (auto [id, text] : {std::pair{int(IDC_ADD), tr("Add")}, std::pair{int(IDC_EDIT), tr("Edit")},
                            std::pair{int(IDC_CLOSE), tr("Close")}}) {
        auto *button = SetDlgCtrlID(new QPushButton(text, this), id);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(m_templates, &QComboBox::activated, this, [this] { selectionChanged(); });
}

CNotifyTemplateEditorDlg::~CNotifyTemplateEditorDlg()
{
    closeSession();
}

bool CNotifyTemplateEditorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    m_session = std::make_unique<CZELTSession>(m_applicationSession);
    try {
        m_session->Connect(m_login);
    } catch (const CZltException &e) {
        // Templates are not changed without a link of the dialog's own.
        m_session.reset();
        AfxMessageBox(e.text());
    }
    GetDlgItem(IDC_EDIT)->setEnabled(false);
    const bool mayAdd = (m_rights >> 24) >= kLowestAddingLevel && (m_rights & kTemplatePermission);
    GetDlgItem(IDC_ADD)->setEnabled(mayAdd && m_session);
    fillTemplates();
    return true;
}

void CNotifyTemplateEditorDlg::fillTemplates()
{
    const QSignalBlocker blocker(m_templates);
    m_templates->clear();
    const QString list = m_applicationSession.Execute(QStringLiteral("GetAliasList"), true, 1);
    QStringList names;
    if (!IsErrorReply(list))
        CTclList().SplitList(list, names);
    if (names.isEmpty())
        return;
    const QList<CAliasResolver::Alias> aliases =
        CAliasResolver::ParseBatchReply(m_applicationSession.Execute(CAliasResolver::BatchScript(names), true, 1));
    QStringList templates = CAliasResolver::Resolve(m_notificationApps, aliases);
    templates.sort(Qt::CaseInsensitive);
    m_templates->addItems(templates);
    m_templates->setCurrentIndex(-1);
}

void CNotifyTemplateEditorDlg::selectionChanged()
{
    m_templateName = m_templates->currentText();
    if (!m_templateName.isEmpty())
        GetDlgItem(IDC_EDIT)->setEnabled(m_session != nullptr);
    m_templates->setFocus();
}

void CNotifyTemplateEditorDlg::addTemplate()
{
    if (!m_session)
        return;
    CTemplateDlg dialog(*m_session, m_applicationSession, m_notificationApps, this, QString(), CTemplateDlg::ModeAdd);
    if (dialog.DoModal() == IDOK) {
        CWaitCursor wait;
        fillTemplates();
        const int added = m_templates->findText(dialog.GetName(), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (!dialog.GetName().isEmpty() && added >= 0) {
            m_templates->setCurrentIndex(added);
            m_templateName = dialog.GetName();
            GetDlgItem(IDC_EDIT)->setEnabled(true);
        }
    }
    m_templates->setFocus();
}

void CNotifyTemplateEditorDlg::editTemplate()
{
    if (m_templateName.isEmpty()) {
        AfxMessageBox(tr("Please select a template to edit"));
        return;
    }
    if (!m_session)
        return;
    CTemplateDlg dialog(*m_session, m_applicationSession, m_notificationApps, this, m_templateName,
                        CTemplateDlg::ModeEdit);
    dialog.DoModal();
    m_templates->setFocus();
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
        return CDialog::OnCommand(id);
    }
}

void CNotifyTemplateEditorDlg::done(int result)
{
    closeSession();
    CDialog::done(result);
}

void CNotifyTemplateEditorDlg::closeSession()
{
    if (!m_session)
        return;
    try {
        m_session->Disconnect();
    } catch (const CZltException &) {
        // The session's destructor ends the link in any case.
    }
    m_session.reset();
}
