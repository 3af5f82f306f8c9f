// Answers the next login dialog as an administrator would: the server's
// address, the account and its password typed in, then OK.
#pragma once

#include "admin/app/logindlg.h"
#include "admin/testsupport/appshelltestbase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

inline void AnswerLogin(DialogScript &dialogs, const QString &host, const QString &user, const QString &password)
{
    dialogs.on<CLoginDlg>([host, user, password](CLoginDlg *dialog) {
        dialog->GetDlgItem<QComboBox>(CLoginDlg::IDC_COMPUTER)->setEditText(host);
        dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_NAME)->setText(user);
        dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->setText(password);
        dialog->GetDlgItem<QPushButton>(IDOK)->click();
    });
}
