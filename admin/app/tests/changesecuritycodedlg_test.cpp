// The "type it twice" dialogs' checks, on the security code dialog that
// needs no server: the order of the refusals, the digits rule, the length
// limit, and the code handed back without any server command.
#include "admin/testsupport/appshelltestbase.h"

#include "admin/app/changesecuritycodedlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class SecurityCodeDialog : public testing::Test {
protected:
    int run(const QString &initial, const std::function<void(CChangeSecurityCodeDlg *)> &action)
    {
        m_dialogs.on<CChangeSecurityCodeDlg>(action);
        CChangeSecurityCodeDlg dialog(nullptr, initial);
        const int result = dialog.DoModal();
        m_code = dialog.NewValue();
        EXPECT_EQ(m_dialogs.pending(), 0);
        return result;
    }
    static QLineEdit *newCode(CDialog *d)
    {
        return d->GetDlgItem<QLineEdit>(CChangePasswordDlg::IDC_NEW_VALUE);
    }
    static QLineEdit *confirmation(CDialog *d)
    {
        return d->GetDlgItem<QLineEdit>(CChangePasswordDlg::IDC_CONFIRM_VALUE);
    }
    static void ok(CDialog *d) { d->GetDlgItem<QPushButton>(IDOK)->click(); }

    MessageBoxScript m_boxes;
    DialogScript m_dialogs;
    QString m_code;
};

TEST_F(SecurityCodeDialog, StartsWithTheCallersCodeAndTheFocusOnTheConfirmation)
{
    run(QStringLiteral("1234"), [](CChangeSecurityCodeDlg *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Change Security Code"));
        EXPECT_EQ(newCode(d)->text(), QStringLiteral("1234"));
        EXPECT_EQ(d->focusWidget(), confirmation(d));
        d->GetDlgItem<QPushButton>(IDCANCEL)->click();
    });
}

TEST_F(SecurityCodeDialog, HandsBackACodeOfDigitsWithoutAnyCommand)
{
    ASSERT_EQ(run(QStringLiteral("1234"),
                  [](CChangeSecurityCodeDlg *d) {
                      newCode(d)->setText(QStringLiteral("4321"));
                      confirmation(d)->setText(QStringLiteral("4321"));
                      ok(d);
                  }),
              IDOK);
    EXPECT_EQ(m_code, QStringLiteral("4321"));
    EXPECT_TRUE(m_boxes.texts().isEmpty());
}

TEST_F(SecurityCodeDialog, RefusesInTheOrderEmptyUnconfirmedDifferentNotDigits)
{
    m_boxes.answer({IDOK, IDOK, IDOK, IDOK});
    ASSERT_EQ(run(QString(),
                  [](CChangeSecurityCodeDlg *d) {
                      ok(d);
                      EXPECT_EQ(d->focusWidget(), newCode(d));
                      newCode(d)->setText(QStringLiteral("12"));
                      ok(d);
                      confirmation(d)->setText(QStringLiteral("13"));
                      ok(d);
                      EXPECT_TRUE(newCode(d)->text().isEmpty());
                      EXPECT_TRUE(confirmation(d)->text().isEmpty());
                      newCode(d)->setText(QStringLiteral("12a"));
                      confirmation(d)->setText(QStringLiteral("12a"));
                      ok(d);
                      EXPECT_TRUE(newCode(d)->text().isEmpty());
                      EXPECT_EQ(d->focusWidget(), newCode(d));
                      EXPECT_TRUE(d->isVisible());
                      d->GetDlgItem<QPushButton>(IDCANCEL)->click();
                  }),
              IDCANCEL);
    EXPECT_EQ(
        m_boxes.texts(),
        (QStringList{
            QStringLiteral("Please enter new security code"),
            QStringLiteral("Please confirm your security code"),
            QStringLiteral("Security code do not match!  Please reenter your security code"),
            QStringLiteral("A security code can only contain digits.  Please re-enter your security code")}));
}

TEST_F(SecurityCodeDialog, TakesSixteenCharactersAndNoMore)
{
    run(QString(), [](CChangeSecurityCodeDlg *d) {
        newCode(d)->setFocus();
        QTest::keyClicks(newCode(d), QStringLiteral("12345678901234567"));
        EXPECT_EQ(newCode(d)->text(), QStringLiteral("1234567890123456"));
        d->GetDlgItem<QPushButton>(IDCANCEL)->click();
    });
}

} // namespace
