// The IVR alias editor; see ivraliaseditordlg.h.
#include "admin/uatools/ivraliaseditordlg.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/uatools/ivraliasdlg.h"
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

constexpr quint32 kTemplatePermission = 0x10;
constexpr quint32 kLowestAddingLevel = 5;

} // namespace

CIvrAliasEditorDlg::CIvrAliasEditorDlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                                       quint32 rights, QWidget *parent)
    : CDialog(IDD, tr("IVR  Alias Editor"), parent), m_applicationSession(applicationSession), m_login(login),
      m_rights(rights), m_aliases(SetDlgCtrlID(new QComboBox(this), IDC_ALIASES))
{
    m_aliases->setEditable(true);
    m_aliases->setInsertPolicy(QComboBox::NoInsert);
    m_aliases->setMinimumWidth(220);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Alias Name:"), this));
    row->addWidget(m_aliases, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (auto [id, text] : {std::pair{int(IDC_ADD), tr("Add")}, std::pair{int(IDC_EDIT), tr("Edit")},
                            std::pair{int(IDC_DELETE), tr("Delete")}, std::pair{int(IDC_CLOSE), tr("Close")}}) {
        auto *button = SetDlgCtrlID(new QPushButton(text, this), id);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(m_aliases, &QComboBox::activated, this, [this] { selectionChanged(); });
}

CIvrAliasEditorDlg::~CIvrAliasEditorDlg()
{
    closeSession();
}

bool CIvrAliasEditorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    m_session = std::make_unique<CZELTSession>(m_applicationSession);
    try {
        m_session->Connect(m_login);
    } catch (const CZltException &e) {
        m_session.reset();
        AfxMessageBox(e.text());
    }
    enableSelectionButtons(false);
    const bool mayAdd = (m_rights >> 24) >= kLowestAddingLevel && (m_rights & kTemplatePermission);
    GetDlgItem(IDC_ADD)->setEnabled(mayAdd && m_session);
    fillAliases();
    return true;
}

void CIvrAliasEditorDlg::fillAliases()
{
    const QSignalBlocker blocker(m_aliases);
    m_aliases->clear();
    const QString list = m_applicationSession.Execute(QStringLiteral("GetAliasList"), true, 1);
    QStringList names;
    if (!IsErrorReply(list))
        CTclList().SplitList(list, names);
    if (!names.isEmpty()) {
        for (const CAliasResolver::Alias &alias :
             CAliasResolver::ParseBatchReply(m_applicationSession.Execute(CAliasResolver::BatchScript(names), true, 1)))
            m_aliases->addItem(alias.name);
    }
    m_aliases->setCurrentIndex(-1);
}

void CIvrAliasEditorDlg::enableSelectionButtons(bool enable)
{
    GetDlgItem(IDC_EDIT)->setEnabled(enable && m_session);
    GetDlgItem(IDC_DELETE)->setEnabled(enable);
}

void CIvrAliasEditorDlg::selectionChanged()
{
    m_selected = m_aliases->currentText();
    enableSelectionButtons(!m_selected.isEmpty());
}

void CIvrAliasEditorDlg::addAlias()
{
    if (!m_session)
        return;
    CIvrAliasDlg dialog(*m_session, m_applicationSession, this, QString(), CIvrAliasDlg::ModeAdd);
    if (dialog.DoModal() != IDOK || dialog.GetName().isEmpty())
        return;
    CWaitCursor wait;
    fillAliases();
    m_aliases->setCurrentIndex(m_aliases->findText(dialog.GetName(), Qt::MatchExactly | Qt::MatchCaseSensitive));
    m_selected = dialog.GetName();
    enableSelectionButtons(true);
}

void CIvrAliasEditorDlg::editAlias()
{
    if (m_selected.isEmpty()) {
        AfxMessageBox(tr("Please select a template to edit"));
        return;
    }
    if (!m_session)
        return;
    CIvrAliasDlg dialog(*m_session, m_applicationSession, this, m_selected, CIvrAliasDlg::ModeEdit);
    dialog.DoModal();
}

void CIvrAliasEditorDlg::deleteAlias()
{
    if (m_selected.isEmpty()) {
        AfxMessageBox(tr("Please select a alias to edit"));
        return;
    }
    if (AfxMessageBox(tr("Do you want to delete %1?").arg(m_selected), MB_YESNO) != IDYES)
        return;
    CWaitCursor wait;
    QString reply;
    try {
        CPendingCommand pending =
            m_applicationSession.BeginCommand(QStringLiteral("RemoveAlias %1").arg(TclBareWord(m_selected)), true, 1);
        reply = m_applicationSession.WaitReply(pending);
    } catch (const CZltException &e) {
        reply = QStringLiteral("!") + e.text();
    }
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return;
    }
    fillAliases();
    m_selected.clear();
    enableSelectionButtons(false);
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
        return CDialog::OnCommand(id);
    }
}

void CIvrAliasEditorDlg::OnCancel()
{
    closeSession();
    DestroyWindow();
}

void CIvrAliasEditorDlg::PostNcDestroy()
{
    emit closed();
    deleteLater();
}

void CIvrAliasEditorDlg::closeSession()
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
