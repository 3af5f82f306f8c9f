// The alias list editors' common part; see aliaslisteditordlg.h.
#include "admin/uatools/aliases/aliaslisteditordlg.h"

#include "admin/session/tcllist.h"
#include "admin/session/zeltsession.h"
#include "platform/mfc/waitcursor.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// Adding takes an administrator above level 4 with the notification-template
// permission.
constexpr quint32 kTemplatePermission = 0x10;
constexpr quint32 kLowestAddingLevel = 5;

} // namespace

CAliasListEditorDlg::CAliasListEditorDlg(int dialogId, const QString &caption, const QString &nameLabel,
                                         const QList<Button> &extraButtons, CZELTSession &applicationSession,
                                         const CLoginCredentials &login, quint32 rights, QWidget *parent)
    : CDialog(dialogId, caption, parent), m_session(applicationSession, login), m_rights(rights),
      m_names(SetDlgCtrlID(new QComboBox(this), IDC_NAMES))
{
    m_names->setEditable(true);
    m_names->setInsertPolicy(QComboBox::NoInsert);
    m_names->setMinimumWidth(220);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(nameLabel, this));
    row->addWidget(m_names, 1);
    QList<Button> buttons{{IDC_ADD, tr("Add")}, {IDC_EDIT, tr("Edit")}};
    buttons += extraButtons;
    buttons.append({IDC_CLOSE, tr("Close")});
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    for (const Button &button : std::as_const(buttons)) {
        auto *pushButton = SetDlgCtrlID(new QPushButton(button.text, this), button.id);
        pushButton->setAutoDefault(false);
        buttonRow->addWidget(pushButton);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttonRow);
    connect(m_names, &QComboBox::activated, this, [this] {
        m_selected = m_names->currentText();
        SelectionChanged();
    });
}

bool CAliasListEditorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    // Without a link of its own the editor still lists; Add and Edit stay off.
    m_session.Open();
    EnableSelectionButtons(false);
    const bool mayAdd = (m_rights >> 24) >= kLowestAddingLevel && (m_rights & kTemplatePermission);
    GetDlgItem(IDC_ADD)->setEnabled(mayAdd && Session());
    FillNames();
    return true;
}

void CAliasListEditorDlg::EnableSelectionButtons(bool enable)
{
    GetDlgItem(IDC_EDIT)->setEnabled(enable && Session());
}

void CAliasListEditorDlg::FillNames()
{
    const QSignalBlocker blocker(m_names);
    m_names->clear();
    CZELTSession &application = ApplicationSession();
    const QString list = application.Execute(QStringLiteral("GetAliasList"), true, 1);
    QStringList names;
    if (!IsErrorReply(list))
        CTclList().SplitList(list, names);
    if (!names.isEmpty())
        m_names->addItems(ListedNames(CAliasResolver::ParseBatchReply(
            application.Execute(CAliasResolver::BatchScript(names), true, 1))));
    m_names->setCurrentIndex(-1);
}

int CAliasListEditorDlg::FindName(const QString &name) const
{
    return m_names->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void CAliasListEditorDlg::SelectName(const QString &name)
{
    m_names->setCurrentIndex(FindName(name));
    m_selected = name;
    EnableSelectionButtons(true);
}

void CAliasListEditorDlg::ClearSelectedName()
{
    m_selected.clear();
    EnableSelectionButtons(false);
}
