// Ending admin: File > Exit, or the main window's close box, ends the program
// in one step whatever windows are open, inside the frame or beside it. The
// program's own event loop runs here as main runs it, so "ends" means what
// it means to the administrator: the loop returns.
#include "admin/app/tests/frametestbase.h"

#include "admin/app/commandids.h"
#include "admin/app/menuresource.h"
#include "admin/session/userinputblocker.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {

// What the loop returns when the program did not end: it is still running.
constexpr int kStillRunning = -1;

class FrameExit : public FrameTestBase {
protected:
    void SetUp() override
    {
        FrameTestBase::SetUp();
        ASSERT_NO_FATAL_FAILURE(logInAndShowFrame(QStringLiteral("admin"), QStringLiteral("admin")));
    }
    // The administrator comes back to the frame and chooses File > Exit with
    // the keys.
    void chooseExit()
    {
        m_frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
        QTest::keyClick(m_frame.get(), Qt::Key_F, Qt::AltModifier);
        QWidget *file = QApplication::activePopupWidget();
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(file, m_frame->menuBar()->actions().at(CMenuResource::FileMenu)->menu());
        QTest::keyClick(file, Qt::Key_X);
    }
    // The frame's close box, through the window system.
    void closeBox() { m_frame->windowHandle()->close(); }
    // Runs the program's event loop with `act` in the first turn in which
    // the frame takes the user's input (keys pressed while admin waits for
    // the server are dropped); what the loop returned, or kStillRunning when
    // the program was still running a minute later (only a program that does
    // not end takes that long).
    int runProgram(const std::function<void()> &act)
    {
        QTimer whenTheFrameTakesInput;
        QObject::connect(&whenTheFrameTakesInput, &QTimer::timeout, [&] {
            if (CUserInputBlocker::KeepsInputFrom(m_frame.get()))
                return;
            whenTheFrameTakesInput.stop();
            act();
        });
        whenTheFrameTakesInput.start(0);
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, [] { QCoreApplication::exit(kStillRunning); });
        limit.start(60000);
        return QApplication::exec();
    }
    static QList<QWidget *> windowsInSight()
    {
        QList<QWidget *> shown;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible())
                shown.append(window);
        return shown;
    }
};

struct OpenWindow {
    const char *name;
    int command;
    int answer; // to the question the command asks first, 0 for none
};

void PrintTo(const OpenWindow &window, std::ostream *out)
{
    *out << window.name;
}

class FrameExitFrom : public FrameExit, public testing::WithParamInterface<OpenWindow> {};

TEST_P(FrameExitFrom, ExitEndsTheProgramInOneStep)
{
    if (GetParam().answer)
        m_boxes->answer(GetParam().answer);
    ASSERT_NO_FATAL_FAILURE(openFromMenu(GetParam().command));
    ASSERT_TRUE(WaitFor(
        [&] { return !m_frame->MdiArea()->subWindowList().isEmpty() || windowsInSight().size() > 1; }));
    // Keys pressed while admin waits for the server are dropped, as a
    // user's are: the editor's first box is awaited before File > Exit.
    if (GetParam().command == ID_EDIT_UA_MAILBOX)
        loadedEditor(m_frame->MdiArea()->subWindowList().last());

    EXPECT_EQ(runProgram([this] { chooseExit(); }), 0);
    EXPECT_FALSE(m_frame->isVisible());
    EXPECT_EQ(windowsInSight(), QList<QWidget *>());
}

INSTANTIATE_TEST_SUITE_P(Windows, FrameExitFrom,
                         testing::Values(OpenWindow{"MailboxEditor", ID_EDIT_UA_MAILBOX, 0},
                                         OpenWindow{"DistributionListEditor", ID_EDIT_UA_DISTLIST, 0},
                                         OpenWindow{"PropertyEditor", ID_PROPERTY_EDITOR, IDYES},
                                         OpenWindow{"SystemParameters", ID_SYSTEM_PARAMETERS, 0},
                                         OpenWindow{"ConfigurationWindow", ID_CONFIG_VOICE_PORTS, 0},
                                         OpenWindow{"VoicePortStatus", ID_VOICE_PORT_STATUS, 0},
                                         OpenWindow{"IvrAgentList", ID_EDIT_UA_IVR, 0},
                                         OpenWindow{"ManageAdministrators", ID_MANAGE_ADMINS, 0}),
                         [](const testing::TestParamInfo<OpenWindow> &info) {
                             return std::string(info.param.name);
                         });

// Exit right after start-up, while the mailbox editor's list is still on
// its way: the editor's session ends with the window, and the list does not
// act on what that session answers any more (no message, nothing asked of
// a session that is gone).
TEST_F(FrameExit, ExitWhileTheEditorsListIsOnItsWayEndsTheProgramWithoutAWord)
{
    m_server->delayNextReply(5000, QStringLiteral("get_parms_for_ua_type"));
    ASSERT_NO_FATAL_FAILURE(openFromMenu(ID_EDIT_UA_MAILBOX));
    ASSERT_TRUE(WaitFor([&] {
        return !m_server->commandTexts()
                    .filter(QRegularExpression(QStringLiteral("^get_parms_for_ua_type")))
                    .isEmpty();
    }));

    EXPECT_EQ(runProgram([this] { chooseExit(); }), 0);
    EXPECT_FALSE(m_frame->isVisible());
    QTest::qWait(100);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join(u'|').toStdString();
}

TEST_F(FrameExit, TheCloseBoxEndsTheProgramWithEditorsAndListsOpen)
{
    ASSERT_NO_FATAL_FAILURE(openFromMenu(ID_EDIT_UA_DISTLIST));
    ASSERT_NO_FATAL_FAILURE(openFromMenu(ID_EDIT_UA_IVR));
    ASSERT_TRUE(WaitFor([&] { return windowsInSight().size() == 2; }));

    EXPECT_EQ(runProgram([this] { closeBox(); }), 0);
    EXPECT_FALSE(m_frame->isVisible());
    EXPECT_EQ(windowsInSight(), QList<QWidget *>());
}

} // namespace
