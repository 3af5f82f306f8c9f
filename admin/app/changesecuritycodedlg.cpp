// The security code dialog; see changesecuritycodedlg.h.
#include "admin/app/changesecuritycodedlg.h"

#include <QLineEdit>

namespace {

CChangePasswordDlg::Texts SecurityCodeTexts()
{
    return {QObject::tr("Change Security Code"),
            QObject::tr("&New Security Code:"),
            QObject::tr("&Confirm Security Code:"),
            QObject::tr("Pressing on OK will change Security Code immediately."),
            QObject::tr("Please enter new security code"),
            QObject::tr("Please confirm your security code"),
            QObject::tr("Security code do not match!  Please reenter your security code")};
}

bool IsDigitsOnly(const QString &text)
{
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

CChangeSecurityCodeDlg::CChangeSecurityCodeDlg(QWidget *parent, const QString &initialCode)
    : CChangePasswordDlg(IDD, SecurityCodeTexts(), parent)
{
    m_strNewValue = initialCode;
}

bool CChangeSecurityCodeDlg::Prepare(bool &focusPlaced)
{
    GotoDlgCtrl(confirmValueEdit());
    focusPlaced = true;
    return true;
}

bool CChangeSecurityCodeDlg::Validate()
{
    if (IsDigitsOnly(m_strNewValue))
        return true;
    clearValues();
    GotoDlgCtrl(newValueEdit());
    AfxMessageBox(tr("A security code can only contain digits.  Please re-enter your security code"));
    return false;
}
