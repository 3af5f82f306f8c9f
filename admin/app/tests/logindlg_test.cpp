// The login dialog on its own: how it fills itself from the application's
// values, where the focus goes, and the computer list it hands back.
#include "admin/testsupport/appshelltestbase.h"

#include "admin/app/adminapp.h"
#include "admin/app/logindlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

class LoginDialog : public AppShellTestBase {
protected:
    void SetUp() override
    {
        AppShellTestBase::SetUp();
        m_app = std::make_unique<CAdminApp>();
    }
    void TearDown() override
    {
        m_app.reset();
        AppShellTestBase::TearDown();
    }

    // Runs the dialog with `action` and returns its result.
    int run(const std::function<void(CLoginDlg *)> &action)
    {
        m_dialogs.on<CLoginDlg>(action);
        CLoginDlg dialog(*m_app);
        const int result = dialog.DoModal();
        m_changeRequested = dialog.ChangePasswordRequested();
        EXPECT_EQ(m_dialogs.pending(), 0);
        return result;
    }

    static QComboBox *computer(CLoginDlg *d) { return d->GetDlgItem<QComboBox>(CLoginDlg::IDC_COMPUTER); }
    static QLineEdit *name(CLoginDlg *d) { return d->GetDlgItem<QLineEdit>(CLoginDlg::IDC_NAME); }
    static QLineEdit *password(CLoginDlg *d) { return d->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD); }
    static QPushButton *button(CLoginDlg *d, int id) { return d->GetDlgItem<QPushButton>(id); }
    static QStringList entries(QComboBox *combo)
    {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items.append(combo->itemText(i));
        return items;
    }

    std::unique_ptr<CAdminApp> m_app;
    bool m_changeRequested = false;
};

struct ListCase {
    const char *name;
    const char *storedList;
    const char *chosen; // typed into the computer field
    const char *expectedList;
};

void PrintTo(const ListCase &c, std::ostream *out)
{
    *out << c.name;
}

class LoginDialogComputerList : public LoginDialog, public testing::WithParamInterface<ListCase> {};

TEST_P(LoginDialogComputerList, PutsTheChosenComputerFirst)
{
    const ListCase &c = GetParam();
    m_app->SetLoginChoice(QString::fromUtf8(c.storedList), QString(), QStringLiteral("admin"), QString(),
                          false);
    ASSERT_EQ(run([&c](CLoginDlg *d) {
                  computer(d)->setEditText(QString::fromUtf8(c.chosen));
                  button(d, IDOK)->click();
              }),
              IDOK);
    EXPECT_EQ(m_app->ComputerList(), QString::fromUtf8(c.expectedList));
    EXPECT_EQ(m_app->Host(), m_app->ComputerList().section(u',', 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Cases, LoginDialogComputerList,
                         testing::Values(ListCase{"SecondOfTwo", "a,b,", "b", "b,a,"},
                                         ListCase{"FirstOfTwo", "a,b,", "a", "a,b,"},
                                         ListCase{"TypedNewOne", "a,b,", "c", "c,a,b,"},
                                         ListCase{"EmptyField", "a,b,", "", "127.0.0.1,a,b,"},
                                         ListCase{"EmptyList", "", "", "127.0.0.1,"},
                                         ListCase{"OtherDuplicatesStay", "a,b,b,", "a", "a,b,b,"},
                                         ListCase{"EmptyPartsAreNoComputers", "a,,b,", "a", "a,b,"}),
                         [](const testing::TestParamInfo<ListCase> &info) {
                             return std::string(info.param.name);
                         });

TEST_F(LoginDialog, FillsTheComboFromTheComputerList)
{
    m_app->SetLoginChoice(QStringLiteral("a,b,c,"), QStringLiteral("a"), QStringLiteral("admin"),
                          QStringLiteral("pw"), true);
    run([](CLoginDlg *d) {
        EXPECT_EQ(entries(computer(d)),
                  (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        EXPECT_EQ(computer(d)->currentText(), QStringLiteral("a"));
        EXPECT_EQ(name(d)->text(), QStringLiteral("admin"));
        EXPECT_EQ(password(d)->text(), QStringLiteral("pw"));
        EXPECT_EQ(password(d)->maxLength(), 64);
        button(d, IDCANCEL)->click();
    });
}

TEST_F(LoginDialog, RefusesAComputerNameWithTheListSeparator)
{
    m_app->SetLoginChoice(QStringLiteral("a,"), QString(), QStringLiteral("admin"), QString(), false);
    m_boxes->answer(IDOK);
    ASSERT_EQ(run([](CLoginDlg *d) {
                  computer(d)->setEditText(QStringLiteral("x,y"));
                  button(d, IDOK)->click();
                  EXPECT_TRUE(d->isVisible());
                  computer(d)->setEditText(QStringLiteral("x"));
                  button(d, IDOK)->click();
              }),
              IDOK);
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(
        m_boxes->texts().first().startsWith(QStringLiteral("A computer name can not contain a comma.")));
    EXPECT_EQ(m_app->ComputerList(), QStringLiteral("x,a,"));
}

// A hand-edited or corrupt store: names longer than a computer name can be
// are no computers, and the dialog stays on the screen.
TEST_F(LoginDialog, AnOverlongComputerNameInTheStoreLeavesTheDialogOnTheScreen)
{
    const QString megabyte(1024 * 1024, QLatin1Char('h'));
    const QString longestName(253, QLatin1Char('n'));
    struct Case {
        const char *name;
        QString stored;
        QStringList entries;
        QString current;
    } cases[] = {
        {"first", megabyte + ",b,", {"b"}, QString()},
        {"second", "a," + megabyte + ",", {"a"}, "a"},
        {"whole list", megabyte, {}, QString()},
        {"the longest name", longestName + ",a,", {longestName, "a"}, longestName},
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        m_app->SetLoginChoice(c.stored, QString(), QStringLiteral("admin"), QString(), false);
        run([&](CLoginDlg *d) {
            EXPECT_EQ(entries(computer(d)), c.entries);
            EXPECT_EQ(computer(d)->currentText(), c.current);
            EXPECT_LE(d->frameGeometry().width(), screen.width());
            EXPECT_LE(d->frameGeometry().height(), screen.height());
            if (std::string(c.name) == "first")
                SaveScreenshot(d, QStringLiteral("login-dialog-overlong-host.png"));
            QTest::mouseClick(button(d, IDCANCEL), Qt::LeftButton);
        });
    }
}

TEST_F(LoginDialog, WithoutComputerOrUserTheFirstControlHasTheFocus)
{
    run([](CLoginDlg *d) {
        EXPECT_EQ(d->focusWidget(), computer(d))
            << (d->focusWidget() ? d->focusWidget()->metaObject()->className() : "none");
        button(d, IDCANCEL)->click();
    });
}

TEST_F(LoginDialog, WithComputerAndUserThePasswordHasTheFocus)
{
    m_app->SetLoginChoice(QStringLiteral("a,"), QStringLiteral("a"), QStringLiteral("admin"), QString(),
                          false);
    run([](CLoginDlg *d) {
        EXPECT_EQ(d->focusWidget(), password(d));
        // No password yet: no change of it either, until one is typed.
        EXPECT_FALSE(button(d, CLoginDlg::IDC_CHANGE_PASSWORD)->isEnabled());
        password(d)->setFocus();
        QTest::keyClick(password(d), Qt::Key_X);
        EXPECT_TRUE(button(d, CLoginDlg::IDC_CHANGE_PASSWORD)->isEnabled());
        QTest::keyClick(password(d), Qt::Key_Backspace);
        EXPECT_TRUE(button(d, CLoginDlg::IDC_CHANGE_PASSWORD)->isEnabled());
        button(d, IDCANCEL)->click();
    });
}

TEST_F(LoginDialog, ChangePasswordNeedsAUserAndAPassword)
{
    m_boxes->answer({IDOK, IDOK});
    ASSERT_EQ(run([](CLoginDlg *d) {
                  computer(d)->setEditText(QStringLiteral("a"));
                  button(d, CLoginDlg::IDC_CHANGE_PASSWORD)->click();
                  name(d)->setText(QStringLiteral("admin"));
                  button(d, CLoginDlg::IDC_CHANGE_PASSWORD)->click();
                  EXPECT_TRUE(d->isVisible());
                  password(d)->setText(QStringLiteral("pw"));
                  button(d, CLoginDlg::IDC_CHANGE_PASSWORD)->click();
              }),
              IDOK);
    EXPECT_EQ(m_boxes->texts(), (QStringList{QStringLiteral("Please enter user name"),
                                             QStringLiteral("Please enter your password")}));
    EXPECT_TRUE(m_changeRequested);
    EXPECT_EQ(m_app->Password(), QStringLiteral("pw"));
}

TEST_F(LoginDialog, ThePasswordIsShownOnlyWhenRemembered)
{
    m_app->SetLoginChoice(QStringLiteral("a,"), QStringLiteral("a"), QStringLiteral("admin"),
                          QStringLiteral("pw"), false);
    run([](CLoginDlg *d) {
        EXPECT_TRUE(password(d)->text().isEmpty());
        EXPECT_FALSE(d->GetDlgItem<QCheckBox>(CLoginDlg::IDC_REMEMBER_PASSWORD)->isChecked());
        button(d, IDCANCEL)->click();
    });
}

} // namespace
