// Which windows take the user's keys while blockers live, and whether
// KeepsInputFrom says the same as the keys' fate.
#include "admin/session/userinputblocker.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

// A window holding one line edit, to type into.
class TypingWindow {
public:
    explicit TypingWindow(bool modal = false)
    {
        m_window.setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
        (new QVBoxLayout(&m_window))->addWidget(m_edit);
        m_window.show();
    }
    QWidget *window() { return &m_window; }
    QLineEdit *edit() { return m_edit; }
    // Whether a key typed into the edit reached it.
    bool takesAKey()
    {
        const QString before = m_edit->text();
        QTest::keyClick(m_edit, Qt::Key_A);
        return m_edit->text() != before;
    }

private:
    QDialog m_window;
    QLineEdit *m_edit = new QLineEdit(&m_window);
};

class UserInputBlockerTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "blocker";
        static char *argv[] = {name, nullptr};
        s_app = new QApplication(argc, argv);
    }
    static void TearDownTestSuite()
    {
        delete s_app;
        s_app = nullptr;
    }
    static QApplication *s_app;
};

QApplication *UserInputBlockerTest::s_app = nullptr;

TEST_F(UserInputBlockerTest, AnOrdinaryWindowTakesNoKeysWhileABlockerLivesAndTakesThemAfter)
{
    TypingWindow frame;
    {
        const CUserInputBlocker blocker;
        EXPECT_TRUE(CUserInputBlocker::KeepsInputFrom(frame.edit()));
        EXPECT_FALSE(frame.takesAKey());
    }
    EXPECT_FALSE(CUserInputBlocker::KeepsInputFrom(frame.edit()));
    EXPECT_TRUE(frame.takesAKey());
}

TEST_F(UserInputBlockerTest, TheBlockersOwnWindowTakesKeys)
{
    TypingWindow notice;
    const CUserInputBlocker blocker(notice.window());
    EXPECT_FALSE(CUserInputBlocker::KeepsInputFrom(notice.edit()));
    EXPECT_TRUE(notice.takesAKey());
}

TEST_F(UserInputBlockerTest, OnlyAModalWindowOpenedDuringTheWaitTakesKeys)
{
    TypingWindow openBefore(true);
    const CUserInputBlocker blocker;
    EXPECT_TRUE(CUserInputBlocker::KeepsInputFrom(openBefore.edit()));
    EXPECT_FALSE(openBefore.takesAKey());

    TypingWindow openedDuring(true);
    EXPECT_FALSE(CUserInputBlocker::KeepsInputFrom(openedDuring.edit()));
    EXPECT_TRUE(openedDuring.takesAKey());
}

// A wait inside a dialog that opened during another wait: the inner one
// keeps that dialog's keys, as its own filter does.
TEST_F(UserInputBlockerTest, AnInnerBlockerKeepsTheKeysOfTheDialogOpenWhenItBegan)
{
    const CUserInputBlocker outer;
    TypingWindow dialog(true);
    {
        const CUserInputBlocker inner;
        EXPECT_TRUE(CUserInputBlocker::KeepsInputFrom(dialog.edit()));
        EXPECT_FALSE(dialog.takesAKey());
    }
    EXPECT_FALSE(CUserInputBlocker::KeepsInputFrom(dialog.edit()));
    EXPECT_TRUE(dialog.takesAKey());
}

} // namespace
