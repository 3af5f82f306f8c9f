// The account dialog; see manageadminsdlg.h.
#include "admin/app/manageadminsdlg.h"

#include "admin/app/adminapp.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/uatools/ranges/parsedrangelist.h"
#include "platform/mfc/focusmove.h"
#include "platform/msgbox/msgbox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

const char *const kNotAllowed = "You are not allowed to perform Administration tasks";
const char *const kNotAllowedAdd = "You are not allow to perform Administration tasks";
const char *const kNotAllowedLower = "You are not allowed to perform administration tasks";
const char *const kNoUser = "Unable to identify selected user";
const char *const kCannotGet = "Unable to get %1";
const char *const kInvalidOperation = "Invalid Operation!!";
const char *const kEnterName = "Please enter User Agent Name";
const char *const kEnterPassword = "Please enter password";
const char *const kConfirmPassword = "Please confirm the password";
const char *const kMismatchAdd = "Passwords do not match.  Please reenter your password";
const char *const kMismatch = "Passwords do not match.  Please re-enter your password";
const char *const kEnterRange = "Please enter the mailbox range";
const char *const kTooLong = "User Agents beginning with %1 are limited to %2 digits.\nIs %3 correct?";
const char *const kHidden = "****";
const char *const kAll = "All";

constexpr uint32_t kTopLevel = 0x40000000;
constexpr uint32_t kAdministrator = 0x20000000;
constexpr uint32_t kDepartment = 0x10000000;
constexpr uint32_t kShutdown = 0x8, kConfiguration = 0x1, kClock = 0x80, kReports = 0x20, kTemplates = 0x10;

// A server variable's value; nothing when it could not be read (an error,
// or a reply that names the variable).
std::optional<QString> serverVariable(CServerCommandChannel &channel, const QString &name)
{
    const QString reply = channel.Execute(QStringLiteral("set %1").arg(TclBareWord(name)), true, 1).trimmed();
    if (IsErrorReply(reply) || reply.contains(name))
        return std::nullopt;
    return reply;
}

} // namespace

CManageAdminsDlg::CManageAdminsDlg(CServerCommandChannel &channel, QWidget *parent, const QString &name,
                                   int mode)
    : CDialog(IDD, QString(), parent), m_channel(channel), m_name(name), m_mode(mode)
{
    buildControls();
}

void CManageAdminsDlg::buildControls()
{
    m_nameEdit = SetDlgCtrlID(new QLineEdit(this), IDC_NAME);
    // The name control takes letters and digits only, at most 16.
    m_nameEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9]{0,16}")), m_nameEdit));
    m_password = SetDlgCtrlID(new QLineEdit(this), IDC_PASSWORD);
    m_confirm = SetDlgCtrlID(new QLineEdit(this), IDC_CONFIRM);
    m_password->setEchoMode(QLineEdit::Password);
    m_confirm->setEchoMode(QLineEdit::Password);
    m_range = SetDlgCtrlID(new QLineEdit(this), IDC_RANGE);
    m_administrator =
        SetDlgCtrlID(new QRadioButton(QStringLiteral("Administrator"), this), IDC_ADMINISTRATOR);
    m_department = SetDlgCtrlID(new QRadioButton(QStringLiteral("Department"), this), IDC_DEPARTMENT);
    m_configuration = SetDlgCtrlID(new QCheckBox(QStringLiteral("Configuration of system parameters"), this),
                                   IDC_CONFIGURATION);
    m_templates =
        SetDlgCtrlID(new QCheckBox(QStringLiteral("Creation of notification template"), this), IDC_TEMPLATES);
    m_reports = SetDlgCtrlID(new QCheckBox(QStringLiteral("Run Report"), this), IDC_REPORTS);
    m_shutdown = SetDlgCtrlID(new QCheckBox(QStringLiteral("System shutdown"), this), IDC_SHUTDOWN);
    m_clock = SetDlgCtrlID(new QCheckBox(QStringLiteral("Change Date and Time"), this), IDC_CLOCK);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("User Name:"), m_nameEdit);
    form->addRow(QStringLiteral("Password:"), m_password);
    form->addRow(QStringLiteral("Confirm Password:"), m_confirm);
    form->addRow(QStringLiteral("Mailbox Range:"), m_range);
    auto *level = new QGroupBox(QStringLiteral("Security Level"), this);
    auto *levelLayout = new QVBoxLayout(level);
    levelLayout->addWidget(m_administrator);
    levelLayout->addWidget(m_department);
    auto *permissions = new QGroupBox(QStringLiteral("Permissions"), this);
    auto *permissionLayout = new QVBoxLayout(permissions);
    for (QCheckBox *check : {m_configuration, m_templates, m_reports, m_shutdown, m_clock})
        permissionLayout->addWidget(check);
    auto *buttons = new QDialogButtonBox(this);
    auto *ok = SetDlgCtrlID(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::ActionRole), IDC_OK);
    auto *cancel =
        SetDlgCtrlID(buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole), IDCANCEL);
    for (QPushButton *button : {ok, cancel})
        button->setAutoDefault(false);
    // Enter presses OK, as in every dialog whose OK is its default button.
    ok->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto *groups = new QHBoxLayout;
    groups->addWidget(level);
    groups->addWidget(permissions, 1);
    layout->addLayout(groups);
    layout->addWidget(buttons);

    connect(m_password, &QLineEdit::textEdited, this, [this] { m_passwordEdited = true; });
    connect(m_confirm, &QLineEdit::textEdited, this, [this] { m_confirmEdited = true; });
    connect(m_nameEdit, &QLineEdit::textEdited, this, [this] { m_changed = true; });
    for (QCheckBox *check : {m_configuration, m_templates, m_reports, m_shutdown, m_clock})
        connect(check, &QCheckBox::clicked, this, [this] { m_changed = true; });
    for (QRadioButton *radio : {m_administrator, m_department})
        connect(radio, &QRadioButton::clicked, this, &CManageAdminsDlg::levelClicked);
}

bool CManageAdminsDlg::isDepartment() const
{
    return m_department->isChecked();
}

bool CManageAdminsDlg::OnInitDialog()
{
    const uint32_t rights = theApp().Rights();
    bool ready = false;
    if ((rights >> 24) < 5)
        AfxMessageBox(QString::fromUtf8(kNotAllowedLower));
    else if (m_mode == ModeAdd)
        ready = initAdd();
    else if (m_mode == ModeModify)
        ready = initModify();
    else
        AfxMessageBox(QString::fromUtf8(kInvalidOperation));
    if (!ready) {
        // A dialog whose account could not be read sends nothing at all.
        QMetaObject::invokeMethod(
            this, [this] { EndDialog(IDCANCEL); }, Qt::QueuedConnection);
        GetDlgItem(IDC_OK)->setEnabled(false);
        return true;
    }
    applyPermissionChecks();
    m_changed = false;
    return true;
}

bool CManageAdminsDlg::initAdd()
{
    const CAdminApp &app = theApp();
    m_accountRights = app.Rights();
    m_nameEdit->clear();
    m_password->clear();
    m_confirm->clear();
    m_range->setText(app.AllowsAllUserAgents() ? QString::fromUtf8(kAll) : app.AllowedUserAgentsText());
    m_configuration->setChecked(false);
    m_shutdown->setChecked(false);
    m_clock->setChecked(false);
    m_reports->setChecked(true);
    m_templates->setChecked(true);
    if (m_accountRights >= kTopLevel) {
        m_administrator->setChecked(true);
        m_range->setText(QString::fromUtf8(kAll));
    } else if (m_accountRights >= kAdministrator) {
        m_department->setChecked(true);
        m_administrator->setEnabled(false);
        m_department->setEnabled(false);
        m_range->clear();
    } else {
        AfxMessageBox(QString::fromUtf8(kNotAllowedAdd));
        return false;
    }
    m_range->setEnabled(m_range->text() != QLatin1String(kAll));
    setWindowTitle(isDepartment() ? QStringLiteral("Add Department Administrator")
                                  : QStringLiteral("Add Administrator"));
    return true;
}

bool CManageAdminsDlg::initModify()
{
    if (m_name.isEmpty()) {
        AfxMessageBox(QString::fromUtf8(kNoUser));
        return false;
    }
    const QString reply = m_channel.Execute(QStringLiteral("GetRemoteUser %1").arg(TclWord(m_name)), true, 1);
    QStringList fields;
    if (!IsErrorReply(reply))
        CTclList().SplitList(reply, fields);
    const std::optional<uint32_t> rights =
        fields.size() >= 2 ? CAdminApp::ParseRightsWord(fields.at(1)) : std::nullopt;
    if (!rights) {
        AfxMessageBox(QString::fromUtf8(kCannotGet).arg(m_name));
        return false;
    }
    m_accountRights = *rights;
    QString range = fields.value(2);
    while (range.startsWith(QLatin1Char(' ')))
        range.remove(0, 1);
    if (m_accountRights >= kAdministrator) {
        m_administrator->setChecked(true);
    } else if (m_accountRights >= kDepartment) {
        m_department->setChecked(true);
        const bool top = theApp().Rights() >= kTopLevel;
        m_administrator->setEnabled(top);
        m_department->setEnabled(top);
    } else {
        m_department->setChecked(true);
    }
    const bool limited = !range.isEmpty() && range != QLatin1String(kAll);
    m_range->setText(limited ? range : QString::fromUtf8(kAll));
    m_range->setEnabled(limited);
    m_checkedRange = m_range->text();
    // The control shows the letters and digits of the name; what is sent is
    // the name as stored.
    QString shown;
    for (QChar c : m_name)
        if (c.isLetterOrNumber() && c.unicode() < 128)
            shown += c;
    m_nameEdit->setText(shown);
    m_nameEdit->setEnabled(false);
    resetPasswords(QString::fromUtf8(kHidden));
    setWindowTitle(isDepartment() ? QStringLiteral("Modify Department Administrator")
                                  : QStringLiteral("Modify Administrator"));
    return true;
}

void CManageAdminsDlg::resetPasswords(const QString &text)
{
    m_password->setText(text);
    m_confirm->setText(text);
    m_passwordEdited = false;
    m_confirmEdited = false;
}

void CManageAdminsDlg::applyPermissionChecks()
{
    const bool add = m_mode == ModeAdd;
    if (isDepartment()) {
        for (QCheckBox *check : {m_shutdown, m_configuration, m_clock}) {
            check->setChecked(false);
            check->setEnabled(false);
        }
        m_reports->setEnabled(true);
        m_templates->setEnabled(true);
        if (!add) {
            m_reports->setChecked(m_accountRights & kReports);
            m_templates->setChecked(m_accountRights & kTemplates);
        }
    } else {
        for (QCheckBox *check : {m_shutdown, m_configuration, m_clock})
            check->setEnabled(true);
        m_shutdown->setChecked(!add && (m_accountRights & kShutdown));
        m_configuration->setChecked(!add && (m_accountRights & kConfiguration));
        m_clock->setChecked(!add && (m_accountRights & kClock));
        m_reports->setChecked(true);
        m_templates->setChecked(true);
        m_reports->setEnabled(false);
        m_templates->setEnabled(false);
    }
}

void CManageAdminsDlg::levelClicked()
{
    if (isDepartment()) {
        m_range->clear();
        m_range->setEnabled(true);
    } else {
        m_range->setText(QString::fromUtf8(kAll));
        m_range->setEnabled(false);
    }
    m_checkedRange = m_range->text();
    applyPermissionChecks();
    m_changed = true;
}

LRESULT CManageAdminsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS) {
        // A message box of the check itself takes the focus too; OK checks
        // the fields itself and Cancel needs no check, so checking on the
        // way to either would say it twice for one click.
        const bool toField = FocusMovedWithin(this, {GetDlgItem(IDC_OK), GetDlgItem(IDCANCEL)});
        switch (LOWORD(wParam)) {
        case IDC_CONFIRM:
            if (toField)
                confirmationLeft();
            break;
        case IDC_RANGE:
            if (toField && m_range->text() != m_checkedRange && !rangeLeft())
                GotoDlgCtrl(m_range);
            break;
        case IDC_PASSWORD:
        case IDC_NAME:
            if (m_passwordEdited)
                m_changed = true;
            break;
        }
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CManageAdminsDlg::confirmationLeft()
{
    if (m_password->text() == m_confirm->text())
        return;
    AfxMessageBox(QString::fromUtf8(kMismatch));
    resetPasswords(QString());
    m_passwordEdited = m_confirmEdited = true;
    GotoDlgCtrl(m_password);
}

bool CManageAdminsDlg::rangeLeft()
{
    const QString text = m_range->text();
    if (text.isEmpty() || text == QLatin1String(kAll)) {
        m_checkedRange = text;
        return true;
    }
    const CParsedRangeList::Result parsed = CParsedRangeList::Parse(text);
    if (!parsed.list) {
        AfxMessageBox(parsed.message);
        return false;
    }
    const std::optional<QString> maximum =
        serverVariable(m_channel, QStringLiteral("sys_maximum_box_length"));
    for (const CParsedRangeList::Item &item : parsed.list->Items()) {
        if (item.kind != CParsedRangeList::Item::Number)
            continue;
        const QString number = QString::number(item.value);
        const QChar first = number.at(0);
        // A length that cannot be read is no length: the maximum applies,
        // never a limit of 0.
        const std::optional<QString> fixed =
            serverVariable(m_channel, QStringLiteral("sys_fixed_len_%1").arg(first));
        const QString length = fixed && !fixed->isEmpty() ? *fixed : maximum.value_or(QString());
        bool ok = false;
        const int digits = length.toInt(&ok);
        if (!ok || number.size() <= digits)
            continue;
        if (AfxMessageBox(QString::fromUtf8(kTooLong).arg(first).arg(length, number),
                          MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
    }
    m_checkedRange = text;
    m_changed = true;
    return true;
}

bool CManageAdminsDlg::OnCommand(int id)
{
    if (id == IDC_OK) {
        OnOk();
        return true;
    }
    return CDialog::OnCommand(id);
}

void CManageAdminsDlg::OnOk()
{
    if (m_range->text() != m_checkedRange && !rangeLeft()) {
        GotoDlgCtrl(m_range);
        return;
    }
    if (m_mode == ModeAdd) {
        m_name = m_nameEdit->text();
        if (m_name.isEmpty()) {
            AfxMessageBox(QString::fromUtf8(kEnterName));
            GotoDlgCtrl(m_nameEdit);
            return;
        }
        if (m_password->text().isEmpty()) {
            AfxMessageBox(QString::fromUtf8(kEnterPassword));
            GotoDlgCtrl(m_password);
            return;
        }
        if (m_confirm->text().isEmpty()) {
            AfxMessageBox(QString::fromUtf8(kConfirmPassword));
            GotoDlgCtrl(m_confirm);
            return;
        }
        if (m_password->text() != m_confirm->text()) {
            AfxMessageBox(QString::fromUtf8(kMismatchAdd));
            resetPasswords(QString());
            GotoDlgCtrl(m_password);
            return;
        }
        if (!sendAccount(QStringLiteral("AddRemoteUser ")))
            return;
    } else {
        if (m_passwordEdited || m_confirmEdited)
            m_changed = true;
        if (m_changed) {
            if (m_passwordEdited != m_confirmEdited || m_password->text() != m_confirm->text()) {
                AfxMessageBox(QString::fromUtf8(kMismatch));
                resetPasswords(QString());
                m_passwordEdited = m_confirmEdited = true;
                GotoDlgCtrl(m_password);
                return;
            }
            if (!sendAccount(QStringLiteral("ChangeRemoteUser")))
                return;
        }
    }
    EndDialog(IDOK);
}

bool CManageAdminsDlg::sendAccount(const QString &verb)
{
    const bool department = isDepartment();
    const QString range = m_range->text();
    if (department && range.isEmpty()) {
        AfxMessageBox(QString::fromUtf8(kEnterRange));
        GotoDlgCtrl(m_range);
        return false;
    }
    uint32_t permissions = 0;
    if (m_shutdown->isChecked())
        permissions |= kShutdown;
    if (m_configuration->isChecked())
        permissions |= kConfiguration;
    if (m_clock->isChecked())
        permissions |= kClock;
    if (m_reports->isChecked())
        permissions |= kReports;
    if (m_templates->isChecked())
        permissions |= kTemplates;
    const uint32_t rights = m_accountRights >= kTopLevel && verb.contains(QLatin1String("Change"))
                                ? m_accountRights
                                : (department ? kDepartment : kAdministrator) | permissions;
    const QString password = m_passwordEdited ? TclBareWord(m_password->text()) : QStringLiteral("{}");
    const QString rangeToken = range == QLatin1String(kAll) ? QStringLiteral("{ }") : TclWord(range);
    const QString line = QStringLiteral("%1 %2 %3 %4 %5 {}")
                             .arg(verb, TclWord(m_name), password, QString::number(rights), rangeToken);
    CPendingCommand pending = m_channel.BeginCommand(line, true, 1);
    const QString reply = m_channel.WaitReply(pending);
    if (IsErrorReply(reply)) {
        // The server names what it refused; the dialog stays for a correction.
        AfxMessageBox(reply, MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

void CManageAdminsDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}
