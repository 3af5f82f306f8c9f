// The alias add/edit dialog; see aliaseditdlg.h.
#include "admin/uatools/aliases/aliaseditdlg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zltexception.h"
#include "admin/useragents/pages/aliasresolver.h"
#include "platform/mfc/focusmove.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const char *const kEnterName = "Please enter the template name";
const char *const kSelectApplication = "Please select an apllication";
const char *const kInvalidName = "Invalid name.  Please reenter the template name";
const char *const kNameExists = "The name '%1' already exists. Please enter a new name.";

// One alias command, begun and waited for; a link that fails gives its
// reason as an error reply.
QString ask(CServerCommandChannel &channel, const QString &command)
{
    try {
        CPendingCommand pending = channel.BeginCommand(command, true, 1);
        return channel.WaitReply(pending);
    } catch (const CZltException &e) {
        return QStringLiteral("!") + e.text();
    }
}

} // namespace

CAliasEditDlg::CAliasEditDlg(int dialogId, const Texts &texts, CServerCommandChannel &channel,
                             CServerCommandChannel &applicationChannel, QWidget *parent, const QString &name,
                             int mode)
    : CDialog(dialogId, mode == ModeEdit ? texts.editTitle : texts.addTitle, parent), m_channel(channel),
      m_applicationChannel(applicationChannel), m_mode(mode), m_name(name),
      m_nameEdit(SetDlgCtrlID(new QLineEdit(this), IDC_NAME)),
      m_parameterEdit(SetDlgCtrlID(new QLineEdit(this), IDC_PARAMETER)),
      m_applications(SetDlgCtrlID(new QComboBox(this), IDC_APPLICATION))
{
    Q_ASSERT(mode == ModeAdd || mode == ModeEdit);
    m_nameEdit->setMinimumWidth(220);
    m_applications->setMinimumWidth(220);
    auto *form = new QFormLayout;
    form->addRow(new QLabel(texts.nameLabel, this), m_nameEdit);
    form->addRow(new QLabel(tr("Application:"), this), m_applications);
    form->addRow(new QLabel(tr("Parameter:"), this), m_parameterEdit);

    // Enter lands on this button, which only beeps: the dialog ends by OK.
    auto *beep = SetDlgCtrlID(new QPushButton(this), IDC_BEEP);
    beep->setDefault(true);
    beep->setFixedSize(0, 0);
    auto *buttons = new QDialogButtonBox(this);
    for (auto [id, text] : {std::pair{int(IDOK), tr("OK")}, std::pair{int(IDCANCEL), tr("Cancel")}}) {
        auto *button = SetDlgCtrlID(new QPushButton(text), id);
        button->setAutoDefault(false);
        buttons->addButton(button, id == IDOK ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(beep);
    layout->addWidget(buttons);

    connect(m_applications, &QComboBox::activated, this, [this](int index) {
        m_application = m_applications->itemText(index);
        m_changed = true;
    });
    connect(m_parameterEdit, &QLineEdit::textEdited, this, [this] { m_changed = true; });
}

bool CAliasEditDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    m_nameEdit->setEnabled(m_mode == ModeAdd);
    if (m_mode == ModeEdit)
        readAlias();
    fillApplications();
    {
        const QSignalBlocker nameBlocker(m_nameEdit);
        const QSignalBlocker parameterBlocker(m_parameterEdit);
        m_nameEdit->setText(m_name);
        m_parameterEdit->setText(m_parameter);
    }
    m_changed = false;
    GotoDlgCtrl(m_mode == ModeAdd ? static_cast<QWidget *>(m_nameEdit) : m_applications);
    return false;
}

void CAliasEditDlg::readAlias()
{
    const QString reply = ask(m_applicationChannel, QStringLiteral("GetAlias %1").arg(TclBareWord(m_name)));
    if (IsErrorReply(reply))
        return;
    QStringList items;
    CTclList().SplitList(reply, items);
    // "NAME APPLICATION PARAMETER"; what is missing stays empty.
    m_application = m_oldApplication = items.value(1);
    m_parameter = m_oldParameter = items.value(2);
}

void CAliasEditDlg::fillApplications()
{
    const QStringList names = ApplicationNames();
    QList<CAliasResolver::Alias> aliases;
    const QString list = m_channel.Execute(QStringLiteral("GetAliasList"), true, 1);
    QStringList aliasNames;
    if (!IsErrorReply(list))
        CTclList().SplitList(list, aliasNames);
    if (!aliasNames.isEmpty())
        aliases = CAliasResolver::ParseBatchReply(m_channel.Execute(CAliasResolver::BatchScript(aliasNames), true, 1));
    m_existingNames = QSet<QString>(aliasNames.cbegin(), aliasNames.cend());

    QStringList offered = names;
    for (const QString &alias : CAliasResolver::Resolve(names, aliases)) {
        // An alias never names itself.
        if (m_mode != ModeEdit || alias != m_name)
            offered.append(alias);
    }
    const QSignalBlocker blocker(m_applications);
    m_applications->clear();
    m_applications->addItems(offered);
    // An alias whose target is no longer offered still shows it.
    if (!m_application.isEmpty() && !offered.contains(m_application))
        m_applications->addItem(m_application);
    m_applications->setCurrentIndex(m_applications->findText(m_application, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

bool CAliasEditDlg::nameLeft()
{
    const QString typed = m_nameEdit->text();
    if (typed == m_name)
        return true;
    const bool offered = m_applications->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
    if (offered || m_existingNames.contains(typed)) {
        AfxMessageBox(QString::fromLatin1(kNameExists).arg(typed));
        {
            const QSignalBlocker blocker(m_nameEdit);
            m_nameEdit->setText(m_name);
        }
        GotoDlgCtrl(m_nameEdit);
        return false;
    }
    m_name = typed;
    m_changed = true;
    return true;
}

LRESULT CAliasEditDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS) {
        // OK checks the name itself and Cancel needs no check: checking on the
        // way to either would refuse once more after the same click.
        if (LOWORD(wParam) == IDC_NAME && m_mode == ModeAdd &&
            FocusMovedWithin(this, {GetDlgItem(IDOK), GetDlgItem(IDCANCEL)}))
            nameLeft();
        if (LOWORD(wParam) == IDC_PARAMETER && m_parameterEdit->text() != m_parameter) {
            m_parameter = m_parameterEdit->text();
            m_changed = true;
        }
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CAliasEditDlg::OnCommand(int id)
{
    if (id == IDC_BEEP) {
        MessageBeep(MB_ICONASTERISK);
        return true;
    }
    return CDialog::OnCommand(id);
}

void CAliasEditDlg::OnOK()
{
    // What the fields hold now, as leaving them would have taken it.
    if (m_mode == ModeAdd && !nameLeft())
        return;
    if (m_parameterEdit->text() != m_parameter) {
        m_parameter = m_parameterEdit->text();
        m_changed = true;
    }
    if (!m_changed || save())
        EndDialog(IDOK);
}

QString CAliasEditDlg::addCommand(const QString &application, const QString &parameter) const
{
    // A parameter of several words goes as one word in braces.
    return QStringLiteral("AddAlias %1 %2 %3")
        .arg(TclBareWord(m_name), TclBareWord(application), TclBareWord(parameter));
}

bool CAliasEditDlg::save()
{
    if (m_name.isEmpty()) {
        AfxMessageBox(QString::fromLatin1(kEnterName));
        GotoDlgCtrl(m_nameEdit);
        return false;
    }
    if (m_application.isEmpty()) {
        AfxMessageBox(QString::fromLatin1(kSelectApplication));
        GotoDlgCtrl(m_applications);
        return false;
    }
    CWaitCursor wait;
    if (m_mode == ModeAdd && m_name.contains(QLatin1Char(' '))) {
        AfxMessageBox(QString::fromLatin1(kInvalidName));
        GotoDlgCtrl(m_nameEdit);
        return false;
    }
    if (m_mode == ModeEdit) {
        const QString removed = ask(m_applicationChannel, QStringLiteral("RemoveAlias %1").arg(TclBareWord(m_name)));
        if (IsErrorReply(removed)) {
            AfxMessageBox(removed);
            return false;
        }
    }
    const QString added = ask(m_applicationChannel, addCommand(m_application, m_parameter));
    if (!IsErrorReply(added))
        return true;
    AfxMessageBox(added);
    if (m_mode == ModeEdit) {
        // The old alias was removed already: it comes back as it was.
        const QString restored = ask(m_applicationChannel, addCommand(m_oldApplication, m_oldParameter));
        if (IsErrorReply(restored))
            AfxMessageBox(restored);
    }
    return false;
}
