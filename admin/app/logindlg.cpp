// The login dialog. The computer list travels as one text, each name
// followed by a comma, the current computer first; the dialog splits it into
// the combo box and joins it again on OK. A name cannot hold the comma, so
// the list always reads back as the names it was made of.
#include "admin/app/logindlg.h"

#include "admin/session/loginsettingsholder.h"
#include "platform/mfc/dataexchange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kLocalComputer = QStringLiteral("127.0.0.1");
// The longest name a computer can have on the network (a DNS name); a
// longer part of the stored list is no computer.
constexpr qsizetype kLongestComputerName = 253;

} // namespace

CLoginDlg::CLoginDlg(CLoginSettingsHolder &app, QWidget *parent)
    : CDialog(IDD, tr("Verbanta Login"), parent), m_app(app),
      m_computer(SetDlgCtrlID(new QComboBox(this), IDC_COMPUTER)),
      m_name(SetDlgCtrlID(new QLineEdit(this), IDC_NAME)),
      m_password(SetDlgCtrlID(new QLineEdit(this), IDC_PASSWORD)),
      m_changePassword(SetDlgCtrlID(new QPushButton(tr("Change Password"), this), IDC_CHANGE_PASSWORD)),
      m_remember(SetDlgCtrlID(new QCheckBox(tr("Remember Verbanta password"), this), IDC_REMEMBER_PASSWORD))
{
    m_computer->setEditable(true);
    m_computer->setInsertPolicy(QComboBox::NoInsert);
    m_computer->setMinimumContentsLength(24);
    // The fixed-size dialog follows the combo's width, which must not
    // follow its longest name.
    m_computer->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(PasswordLimit);
    connect(m_password, &QLineEdit::textEdited, this, &CLoginDlg::onPasswordEdited);

    auto *fields = new QFormLayout;
    fields->addRow(tr("&Computer:"), m_computer);
    fields->addRow(tr("&Name:"), m_name);
    fields->addRow(tr("&Password:"), m_password);
    fields->addRow(QString(), m_remember);

    auto *ok = SetDlgCtrlID(new QPushButton(tr("OK"), this), IDOK);
    auto *cancel = SetDlgCtrlID(new QPushButton(tr("Cancel"), this), IDCANCEL);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(m_changePassword);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CLoginDlg::DoModal()
{
    m_strHost = m_app.ComputerList();
    m_strUser = m_app.User();
    m_bSavePassword = m_app.RemembersPassword() ? 1 : 0;
    m_strPassword = m_bSavePassword ? m_app.Password() : QString();
    m_bNoPasswordStore = m_app.NoPasswordStore();
    m_bChangePassword = false;
    return CDialog::DoModal();
}

void CLoginDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_COMPUTER, m_strHost);
    DDX_Text(dx, IDC_NAME, m_strUser);
    DDX_Text(dx, IDC_PASSWORD, m_strPassword);
    DDV_MaxChars(dx, m_strPassword, PasswordLimit);
    DDX_Check(dx, IDC_REMEMBER_PASSWORD, m_bSavePassword);
}

bool CLoginDlg::OnInitDialog()
{
    fillComputerList();
    UpdateData(false);
    m_remember->setEnabled(!m_bNoPasswordStore);
    if (m_strHost.isEmpty() || m_strUser.isEmpty())
        return true;
    if (m_strPassword.isEmpty())
        m_changePassword->setEnabled(false);
    GotoDlgCtrl(m_password);
    return false;
}

// m_strHost holds the whole computer list until here; afterwards the
// current computer only, with every name of the list in the combo box.
void CLoginDlg::fillComputerList()
{
    m_computer->clear();
    const QStringList names = m_strHost.split(QLatin1Char(ComputerSeparator));
    m_strHost = isComputerName(names.first()) ? names.first() : QString();
    for (const QString &name : names) {
        // Empty parts (the one after the final comma, or a store edited by
        // hand) are no computers, nor are overlong ones.
        if (isComputerName(name))
            m_computer->addItem(name);
    }
}

bool CLoginDlg::isComputerName(const QString &name)
{
    return !name.isEmpty() && name.size() <= kLongestComputerName;
}

QString CLoginDlg::rebuiltComputerList() const
{
    QString list = m_strHost + QLatin1Char(ComputerSeparator);
    for (int i = 0; i < m_computer->count(); ++i) {
        const QString name = m_computer->itemText(i);
        if (name != m_strHost)
            list += name + QLatin1Char(ComputerSeparator);
    }
    return list;
}

void CLoginDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (m_strHost.contains(QLatin1Char(ComputerSeparator))) {
        AfxMessageBox(tr("A computer name can not contain a comma.\nPlease enter the name of one computer."));
        GotoDlgCtrl(m_computer);
        return;
    }
    if (m_strHost.isEmpty()) {
        m_strHost = kLocalComputer;
        m_computer->addItem(kLocalComputer);
    }
    m_app.SetLoginChoice(rebuiltComputerList(), m_strHost, m_strUser, m_strPassword, m_bSavePassword == 1);
    EndDialog(IDOK);
}

bool CLoginDlg::OnCommand(int id)
{
    if (id == IDC_CHANGE_PASSWORD) {
        OnChangePassword();
        return true;
    }
    return CDialog::OnCommand(id);
}

void CLoginDlg::OnChangePassword()
{
    if (!UpdateData(true))
        return;
    if (m_strUser.isEmpty()) {
        AfxMessageBox(tr("Please enter user name"));
        return;
    }
    if (m_strPassword.isEmpty()) {
        AfxMessageBox(tr("Please enter your password"));
        return;
    }
    m_bChangePassword = true;
    OnOK();
    if (result() != IDOK)
        m_bChangePassword = false;
}

void CLoginDlg::onPasswordEdited()
{
    // Only ever enables: an emptied field keeps the button as it was.
    if (!m_password->text().isEmpty())
        m_changePassword->setEnabled(true);
}
