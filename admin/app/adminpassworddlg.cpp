// The administrator's own password change; see adminpassworddlg.h. The
// account's fields go back to the server through the quoting helper, so a
// password such as a$b[c]{ is stored exactly as typed.
#include "admin/app/adminpassworddlg.h"

#include "admin/app/adminapp.h"
#include "admin/res/adminstrings.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"

#include <QLineEdit>

namespace {

CChangePasswordDlg::Texts PasswordTexts()
{
    return {QObject::tr("Change Password"),
            QObject::tr("&New Password:"),
            QObject::tr("&Confirm Password:"),
            QString(),
            QObject::tr("Please enter new password"),
            QObject::tr("Please confirm your password"),
            QObject::tr("Password do not match!  Please reenter your password")};
}

} // namespace

CAdminPasswordDlg::CAdminPasswordDlg(CAdminApp &app, QWidget *parent)
    : CChangePasswordDlg(IDD, PasswordTexts(), parent), m_app(app), m_strUser(app.User())
{
}

CAdminPasswordDlg::~CAdminPasswordDlg() = default;

bool CAdminPasswordDlg::Prepare(bool &focusPlaced)
{
    if (m_strUser.isEmpty()) {
        AfxMessageBox(tr("Unable to identify current user"));
        return false;
    }
    Q_ASSERT(m_app.GetSession());
    m_pSession = std::make_unique<CZELTSession>(*m_app.GetSession());
    m_pSession->Connect(CLoginCredentials{m_app.Host(), m_strUser, m_app.Password()});
    if (!readAccount())
        return false;
    GotoDlgCtrl(newValueEdit());
    focusPlaced = true;
    UpdateData(false);
    return true;
}

// Without the account's rights and range the change would send them back
// wrong, so the dialog is not used at all then.
bool CAdminPasswordDlg::readAccount()
{
    QString reply;
    try {
        CPendingCommand pending =
            m_pSession->BeginCommand(QStringLiteral("GetRemoteUser %1").arg(TclBareWord(m_strUser)));
        reply = m_pSession->WaitReply(pending);
    } catch (const CZltException &e) {
        AfxMessageBox(e.text());
        return false;
    }
    QStringList fields;
    if (!IsErrorReply(reply))
        m_pSession->ListSplitter().SplitList(reply, fields);
    const std::optional<uint32_t> rights =
        fields.size() >= 3 ? CAdminApp::ParseRightsWord(fields[1]) : std::nullopt;
    // The fourth field goes back as a number; an account without one has 0.
    bool fourthIsNumber = true;
    const int fourth = fields.size() >= 4 && !fields[3].isEmpty() ? fields[3].toInt(&fourthIsNumber, 10) : 0;
    if (!rights || !fourthIsNumber) {
        AfxMessageBox(IsErrorReply(reply)
                          ? reply
                          : tr("The account of %1 can not be read from the server.").arg(m_strUser),
                      MB_ICONSTOP);
        return false;
    }
    m_dwRights = *rights;
    m_strRange = fields[2];
    m_nFourth = fourth;
    return true;
}

bool CAdminPasswordDlg::Validate()
{
    QString problem;
    if (m_strNewValue.contains(QLatin1Char(' ')))
        problem = tr("Password can not contain spaces.  Please reenter password");
    else if (m_strNewValue.contains(QLatin1Char('\\')))
        problem = tr("Password can not contain \\.  Please reenter password");
    if (problem.isEmpty())
        return true;
    clearValues();
    AfxMessageBox(problem);
    return false;
}

bool CAdminPasswordDlg::Apply()
{
    const QString range = m_strRange.isEmpty() ? QStringLiteral(" ") : m_strRange;
    const QString command = QStringLiteral("ChangeRemoteUser %1 %2 %3 %4 %5")
                                .arg(TclBareWord(m_strUser), TclBareWord(m_strNewValue),
                                     QString::number(m_dwRights), TclWord(range), QString::number(m_nFourth));
    QString refusal;
    try {
        CPendingCommand pending = m_pSession->BeginCommand(command);
        const QString reply = m_pSession->WaitReply(pending);
        if (IsErrorReply(reply))
            refusal = reply;
    } catch (const CZltException &e) {
        refusal = e.text();
    }
    if (!refusal.isEmpty()) {
        AfxMessageBox(AdminString(IDS_CHANGE_REFUSED).arg(refusal), MB_ICONSTOP);
        GotoDlgCtrl(newValueEdit());
        return false;
    }
    m_app.SetPassword(m_strNewValue);
    return true;
}

void CAdminPasswordDlg::Finish()
{
    if (!m_pSession)
        return;
    try {
        m_pSession->Disconnect();
    } catch (const CZltException &e) {
        AfxMessageBox(e.text());
    }
    m_pSession.reset();
}
