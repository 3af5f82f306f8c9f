// The session against the server simulator, through the real Conduit: the
// digest login, the upload of the procedures, reply words, transaction
// numbers, subscriptions and the end of links.
#include "admin/testsupport/sessiontestbase.h"
#include "admin/testsupport/waitnotice.h"

#include "admin/session/serverexitnotice.h"
#include "admin/session/servertimezone.h"
#include "admin/session/zeltdocument.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexceptionlogindeclined.h"
#include "testserver/harness/simulatorprocess.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QThread>
#include <QTimer>

#include <cstdlib>
#include <ostream>

namespace {

using testserver::SimulatorProcess;

class SessionAgainstSimulator : public SessionTestBase {
protected:
    void SetUp() override
    {
        SessionTestBase::SetUp();
        m_simulator = std::make_unique<SimulatorProcess>();
    }
    void TearDown() override
    {
        m_simulator.reset();
        SessionTestBase::TearDown();
    }
    CLoginCredentials login(const QString &user = "Cardomel", const QString &password = "Cardomel") const
    {
        return CLoginCredentials{m_simulator->host(), user, password};
    }
    CSessionSettings settings() const { return quickSettings(m_simulator->port()); }
    // The transaction number the simulator logged for `text`; 0 when none.
    quint32 transactionOf(const QString &text)
    {
        for (const testserver::LoggedCommand &command : m_simulator->commandLog())
            if (command.text == text)
                return command.transaction;
        return 0;
    }

    std::unique_ptr<SimulatorProcess> m_simulator;
};

TEST_F(SessionAgainstSimulator, LogsInWithTheDigestUploadsTheProceduresAndKeepsTheZone)
{
    CZELTSession session(settings());
    session.Connect(login());
    EXPECT_EQ(session.GetState(), CZELTSession::StateConnected);
    EXPECT_TRUE(session.IsLoginCompleted());
    EXPECT_EQ(session.ServerTimeZone(), "EST5EDT");
    EXPECT_EQ(CServerTimeZone::Current(), "EST5EDT");
    EXPECT_STREQ(std::getenv("TZ"), "EST5EDT");

    const QList<testserver::LoggedCommand> log = m_simulator->commandLog();
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log[0].transaction, 0u);
    EXPECT_TRUE(log[0].text.startsWith("LOGIN {Cardomel} ")) << log[0].text.toStdString();
    EXPECT_EQ(log[0].text.size(), 17 + 32);
    EXPECT_EQ(log[1].transaction, 1u);
    EXPECT_TRUE(log[1].text.contains("proc CreateUAFromAdmin"));

    // The uploaded procedures answer like server commands.
    QStringList accounts;
    session.ListSplitter().SplitList(session.Execute("GetRemoteUsersList "), accounts);
    EXPECT_GE(accounts.size(), 3);
    EXPECT_EQ(session.Execute("CheckExistUA {{990 1000}}"), "{997 999}");
}

TEST_F(SessionAgainstSimulator, WrongPasswordIsDeclinedWithTheCheckMessage)
{
    CZELTSession session(settings());
    m_boxes->answer(IDOK);
    EXPECT_THROW(session.Connect(login("Cardomel", "wrong")), CZltExceptionLoginDeclined);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Please check your user id and password."});
    EXPECT_EQ(session.GetState(), CZELTSession::StateNotConnected);
    EXPECT_FALSE(session.IsLoginCompleted());
}

TEST_F(SessionAgainstSimulator, SilentServerIsNotAvailableAfterTheWaits)
{
    m_simulator->withholdNextGreeting();
    CSessionSettings quick = settings();
    quick.stateWaitMs = 200;
    CZELTSession session(quick);
    m_boxes->answer(IDOK);
    EXPECT_THROW(session.Connect(login()), CZltExceptionLoginDeclined);
    EXPECT_EQ(m_boxes->texts(), QStringList{"The server is not available."});
    // The session closed the link it gave up on.
    EXPECT_TRUE(waitUntil([&] { return m_simulator->connectionCount() == 0; }));
}

// An administrator at work while a login waits: a click on a button and a
// key typed into an edit, at `afterMs`, and a timer that shows whether the
// program's own events go on.
class UserAtWork {
public:
    explicit UserAtWork(int afterMs)
    {
        m_button.show();
        m_edit.show();
        QObject::connect(&m_button, &QPushButton::clicked, [this] { ++clicks; });
        QObject::connect(&m_ticker, &QTimer::timeout, [this] { ++ticks; });
        m_ticker.start(20);
        m_frame.show();
        m_closedByProgram.show();
        QTimer::singleShot(afterMs, &m_button, [this] {
            QTest::mouseClick(&m_button, Qt::LeftButton);
            QTest::keyClick(&m_edit, Qt::Key_X);
            // The close box of a window, as the window system reports it.
            QCloseEvent closeBox;
            QSpontaneKeyEvent::setSpontaneous(&closeBox);
            QApplication::instance()->notify(&m_frame, &closeBox);
            closeBoxRefused = !closeBox.isAccepted();
            // A window the program itself closes meanwhile.
            m_closedByProgram.close();
            acted = true;
        });
    }
    QString typed() const { return m_edit.text(); }
    bool closedByProgram() const { return !m_closedByProgram.isVisible(); }
    void clickNow() { QTest::mouseClick(&m_button, Qt::LeftButton); }

    int clicks = 0;
    int ticks = 0;
    bool acted = false;
    bool closeBoxRefused = false;

private:
    QPushButton m_button{QStringLiteral("Other window")};
    QLineEdit m_edit;
    QWidget m_frame;
    QWidget m_closedByProgram;
    QTimer m_ticker;
};

TEST_F(SessionAgainstSimulator, WhileTheLoginWaitsWindowsLiveOnButTheUserCannotAct)
{
    m_simulator->withholdNextGreeting();
    CSessionSettings quick = settings();
    quick.stateWaitMs = 300;
    CZELTSession session(quick);
    UserAtWork user(150);
    m_boxes->answer(IDOK);
    EXPECT_THROW(session.Connect(login()), CZltExceptionLoginDeclined);
    EXPECT_TRUE(user.acted);
    EXPECT_GT(user.ticks, 5);
    EXPECT_EQ(user.clicks, 0);
    EXPECT_EQ(user.typed(), "");
    EXPECT_TRUE(user.closeBoxRefused);
    EXPECT_TRUE(user.closedByProgram());
    // Once the login has ended, the same click acts.
    user.clickNow();
    EXPECT_EQ(user.clicks, 1);
}

TEST_F(SessionAgainstSimulator, AWaitTheUserMustSeeKeepsWindowsPaintingAndHoldsOffInput)
{
    CZELTSession session(settings());
    session.Connect(login());
    m_simulator->delayNextReply(600, QStringLiteral("set"));
    UserAtWork user(150);
    EXPECT_EQ(session.Execute(QStringLiteral("set a 5")), "5");
    EXPECT_TRUE(user.acted);
    EXPECT_GT(user.ticks, 5);
    EXPECT_EQ(user.clicks, 0);
    EXPECT_EQ(user.typed(), "");
    EXPECT_TRUE(user.closeBoxRefused);
    EXPECT_TRUE(user.closedByProgram());
}

// A late server, as the administrator meets it: the wait says what it is
// for and Cancel ends it as a failed command. The late reply, when it comes,
// finds no one waiting for its number and answers nothing else.
TEST_F(SessionAgainstSimulator, CancelInTheNoticeOfAHeldReplyFailsTheCommandAndTheLateReplyIsDropped)
{
    CSessionSettings quick = settings();
    quick.waitNoticeDelayMs = 100;
    CZELTSession session(quick);
    session.Connect(login());
    m_simulator->delayNextReply(1500, QStringLiteral("set"));
    {
        const WaitNoticeCanceller administrator(QStringLiteral("server_wait_notice.png"));
        EXPECT_EQ(session.Execute(QStringLiteral("set a 5")),
                  "!ERROR Waiting cancelled while the server was processing  \"set\" command.");
        EXPECT_EQ(administrator.cancelled(), 1);
        EXPECT_EQ(administrator.lastText(), "Waiting for the server to answer \"set\"…");
    }
    EXPECT_EQ(session.PendingCount(), 0);
    EXPECT_EQ(session.Execute(QStringLiteral("set b 6")), "6");
    // Once the held reply went out, the next command still gets its own.
    ASSERT_TRUE(waitUntil([&] { return m_simulator->commandLog().size() >= 4; }));
    QThread::msleep(1600);
    EXPECT_EQ(session.Execute(QStringLiteral("set c 7")), "7");
    EXPECT_EQ(session.GetState(), CZELTSession::StateConnected);
}

TEST_F(SessionAgainstSimulator, AReplyInTimeShowsNoNotice)
{
    CSessionSettings quick = settings();
    quick.waitNoticeDelayMs = 500;
    CZELTSession session(quick);
    session.Connect(login());
    m_simulator->delayNextReply(50, QStringLiteral("set"));
    const WaitNoticeCanceller administrator;
    EXPECT_EQ(session.Execute(QStringLiteral("set a 5")), "5");
    EXPECT_EQ(administrator.cancelled(), 0);
    EXPECT_EQ(administrator.lastText(), "");
}

// While a reply is awaited, a reply to a window still reaches it, but what
// was posted to a window (a close, a timer's tick) waits for the end of the
// wait: no window's code runs halfway through the waiting one's step.
TEST_F(SessionAgainstSimulator, DuringAHeldReplyRepliesReachWindowsButPostedMessagesWait)
{
    CZELTSession session(settings());
    session.Connect(login());
    ReplyWindow window;
    m_simulator->delayNextReply(800, QStringLiteral("set"));
    size_t receivedDuringTheWait = 0;
    QTimer::singleShot(100, [&] {
        session.SendAsync(&window, WM_SERVER_REPLY, 7, QStringLiteral("GetUA 999 {}"));
        PostMessage(window.GetSafeHwnd(), WM_CLOSE, 0, 0);
        ASSERT_EQ(SetTimer(window.GetSafeHwnd(), 3, 1), 3u);
    });
    QTimer::singleShot(600, [&] { receivedDuringTheWait = window.received().size(); });
    EXPECT_EQ(session.Execute(QStringLiteral("set a 5")), "5");
    EXPECT_EQ(receivedDuringTheWait, 1u);
    ASSERT_EQ(window.received().size(), 1u);
    EXPECT_EQ(window.received()[0].message, UINT(WM_SERVER_REPLY));
    KillTimer(window.GetSafeHwnd(), 3);
    ASSERT_TRUE(waitUntil([&] { return window.received().size() == 3; }));
    EXPECT_EQ(window.received()[1].message, UINT(WM_CLOSE));
    EXPECT_EQ(window.received()[2].message, UINT(WM_TIMER));
}

// The login's wait too: Cancel closes the link and the login may be tried
// again, with no message (the user knows why).
TEST_F(SessionAgainstSimulator, CancelInTheNoticeOfALoginEndsItAsDeclinedWithoutAMessage)
{
    m_simulator->withholdNextGreeting();
    CSessionSettings quick = settings();
    quick.waitNoticeDelayMs = 100;
    CZELTSession session(quick);
    {
        const WaitNoticeCanceller administrator;
        EXPECT_THROW(session.Connect(login()), CZltExceptionLoginDeclined);
        EXPECT_EQ(administrator.cancelled(), 1);
        EXPECT_EQ(administrator.lastText(),
                  QStringLiteral("Waiting for the server at %1 to answer the login…").arg(m_simulator->host()));
    }
    EXPECT_EQ(m_boxes->texts(), QStringList());
    EXPECT_EQ(session.GetState(), CZELTSession::StateNotConnected);
    EXPECT_TRUE(waitUntil([&] { return m_simulator->connectionCount() == 0; }));
    session.Connect(login());
    EXPECT_EQ(session.Execute(QStringLiteral("set a 5")), "5");
}

TEST_F(SessionAgainstSimulator, RefusedConnectionIsNotAvailable)
{
    CSessionSettings quick = settings();
    quick.port = 3; // nothing listens there
    CZELTSession session(quick);
    m_boxes->answer(IDOK);
    EXPECT_THROW(session.Connect(login()), CZltExceptionLoginDeclined);
    EXPECT_EQ(m_boxes->texts(), QStringList{"The server is not available."});
}

struct WordCase {
    const char *command;
    bool check;
    const char *result;
    bool wholeResult = true; // else: the result begins with it
};

void PrintTo(const WordCase &word, std::ostream *out)
{
    *out << word.command;
}

class ReplyWords : public SessionAgainstSimulator, public testing::WithParamInterface<WordCase> {};

TEST_P(ReplyWords, ReachTheCallerAsTheTableSays)
{
    CZELTSession session(settings());
    session.Connect(login());
    const QString result = session.Execute(GetParam().command, GetParam().check);
    if (GetParam().wholeResult)
        EXPECT_EQ(result, GetParam().result);
    else
        EXPECT_TRUE(result.startsWith(GetParam().result)) << result.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplyWords,
    testing::Values(WordCase{"set a {1 2}", true, "1 2"},                // the word stripped
                    WordCase{"set a {}", true, ""},                      // the word alone
                    WordCase{"set a hello", false, "set hello"},         // no check
                    WordCase{"GetUANoASR 999 {}", true, "{999 ", false}, // the wrapped word
                    WordCase{"NoSuchCommand 1", true, "!ERROR invalid command name \"NoSuchCommand\""}));

TEST_F(SessionAgainstSimulator, TransactionNumbersSkipZeroAndTheSubscription)
{
    CZELTSession session(settings());
    session.Connect(login());
    ReplyWindow window;
    const uint32_t subscription =
        session.Subscribe(&window, WM_SERVER_REPLY, 108, "RegisterTraceConsumer -categories 8");
    ASSERT_NE(subscription, 0u);

    session.SetLastTransactionNumber(0xFFFFFFFFu);
    session.Execute("set wrapped 1");
    EXPECT_EQ(transactionOf("set wrapped 1"), 1u);

    session.SetLastTransactionNumber(subscription - 1);
    session.Execute("set skipped 1");
    EXPECT_EQ(transactionOf("set skipped 1"), subscription + 1);
}

TEST_F(SessionAgainstSimulator, PushedLinesReachTheOneSubscriber)
{
    CSessionSettings quick = settings();
    quick.sweepPeriodMs = 100;
    CZELTSession session(quick);
    session.Connect(login());
    ReplyWindow window;
    const uint32_t subscription =
        session.Subscribe(&window, WM_SERVER_REPLY, 108, "RegisterTraceConsumer -categories 8");
    ASSERT_NE(subscription, 0u);
    ASSERT_TRUE(waitUntil([&] { return window.received().size() == 1; }));

    EXPECT_EQ(m_simulator->pushLine(".PORT 3 IDLE"), 1);
    ASSERT_TRUE(waitUntil([&] { return window.received().size() == 2; }));
    const ReplyWindow::Received pushed = window.received()[1];
    EXPECT_EQ(pushed.message, WM_SERVER_REPLY);
    EXPECT_EQ(pushed.code, 108u);
    EXPECT_EQ(pushed.text, ".PORT 3 IDLE");

    const int logged = m_simulator->commandLog().size();
    ReplyWindow other;
    EXPECT_EQ(session.Subscribe(&other, WM_SERVER_REPLY, 108, "RegisterTraceConsumer -categories 8"), 0u);
    EXPECT_EQ(m_simulator->commandLog().size(), logged);

    session.Unsubscribe(subscription);
    EXPECT_EQ(session.SubscriptionId(), 0u);
    EXPECT_TRUE(waitUntil([&] { return session.PendingCount() == 0; })); // the sweep removed it
    m_simulator->pushLine(".PORT 3 BUSY");
    session.Execute("set flush 1"); // the pushed line came before this reply
    QThread::msleep(100);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.received().size(), 2u);
}

TEST_F(SessionAgainstSimulator, OwnDisconnectIsNoServerLossAndALostServerIsToldOnce)
{
    ReplyWindow mainWindow;
    CServerExitNotice::SetMainWindow(mainWindow.GetSafeHwnd());
    auto exits = [&] {
        int count = 0;
        for (const ReplyWindow::Received &r : mainWindow.received())
            count += r.message == WM_SERVER_EXIT ? 1 : 0;
        return count;
    };
    CZELTSession own(settings()), second(settings()), third(settings());
    own.Connect(login());
    second.Connect(login());
    third.Connect(login());

    own.Disconnect();
    EXPECT_FALSE(waitUntil([&] { return exits() > 0; }, 300));

    EXPECT_EQ(m_simulator->dropLinks(), 2);
    ASSERT_TRUE(waitUntil([&] { return exits() == 1; }));
    EXPECT_FALSE(waitUntil([&] { return exits() > 1; }, 300));
    EXPECT_EQ(mainWindow.received().front().code, 1u); // the lost sessions had logged in
    EXPECT_EQ(second.GetState(), CZELTSession::StateNotConnected);
    CServerExitNotice::SetMainWindow(nullptr);
}

TEST_F(SessionAgainstSimulator, LostReplyGetsTheHousekeepingAnswer)
{
    CSessionSettings quick = settings();
    quick.timeToLiveMs = 300;
    quick.sweepPeriodMs = 100;
    CZELTSession session(quick);
    session.Connect(login());
    m_simulator->dropNextReply();
    EXPECT_EQ(session.Execute("GetUA 999 {}"),
              "!ERROR Server never responded while processing  \"GetUA\" command.");
    EXPECT_EQ(session.Execute("set a 1"), "1");
}

TEST_F(SessionAgainstSimulator, DroppedLinkAnswersEachPendingCommandWithTheDisconnectionError)
{
    CZELTSession session(settings());
    session.Connect(login());
    // Every reply is held back, each command's delay set only once the
    // simulator took the one before: a reply that came before the drop would
    // not be a pending command any more.
    std::vector<CPendingCommand> pending;
    for (int i = 0; i < 4; ++i) {
        m_simulator->delayNextReply(20000);
        pending.push_back(session.BeginCommand(QStringLiteral("GetUA %1 {}").arg(997 + i % 3)));
        ASSERT_TRUE(waitUntil([&] {
            int taken = 0;
            for (const testserver::LoggedCommand &command : m_simulator->commandLog())
                taken += command.text.startsWith("GetUA") ? 1 : 0;
            return taken == i + 1;
        }));
    }
    ASSERT_EQ(session.PendingCount(), 4);
    EXPECT_EQ(m_simulator->dropLinks(), 1);
    for (CPendingCommand &command : pending)
        EXPECT_EQ(session.WaitReply(command),
                  "!ERROR Server disconnected while processing  \"GetUA\" command.");
    EXPECT_EQ(session.PendingCount(), 0);
}

TEST_F(SessionAgainstSimulator, SecondConnectStartsAFreshLink)
{
    CZELTSession session(settings());
    session.Connect(login());
    session.Connect(login());
    EXPECT_EQ(session.Execute("set a 3"), "3");
    EXPECT_TRUE(waitUntil([&] { return m_simulator->connectionCount() == 1; }));
}

// How a session's first link ended before the same session connects again.
enum class FirstLinkEnd { LoginDeclined, ServerSilent, LinkLost };

void PrintTo(FirstLinkEnd end, std::ostream *out)
{
    const char *names[] = {"LoginDeclined", "ServerSilent", "LinkLost"};
    *out << names[static_cast<int>(end)];
}

class ConnectAgain : public SessionAgainstSimulator, public testing::WithParamInterface<FirstLinkEnd> {};

TEST_P(ConnectAgain, OnTheSameSessionAfterItsFirstLinkEnded)
{
    CSessionSettings waits = settings();
    // The silent server's waits must run out, yet the second login must fit
    // in them on a loaded machine.
    if (GetParam() == FirstLinkEnd::ServerSilent)
        waits.stateWaitMs = 4000;
    CZELTSession session(waits);
    switch (GetParam()) {
    case FirstLinkEnd::LoginDeclined:
        m_boxes->answer(IDOK);
        EXPECT_THROW(session.Connect(login("Cardomel", "wrong")), CZltExceptionLoginDeclined);
        break;
    case FirstLinkEnd::ServerSilent:
        m_simulator->withholdNextGreeting();
        m_boxes->answer(IDOK);
        EXPECT_THROW(session.Connect(login()), CZltExceptionLoginDeclined);
        break;
    case FirstLinkEnd::LinkLost:
        session.Connect(login());
        ASSERT_EQ(m_simulator->dropLinks(), 1);
        ASSERT_TRUE(waitUntil([&] { return session.GetState() == CZELTSession::StateNotConnected; }));
        break;
    }
    session.Connect(login());
    EXPECT_EQ(session.GetState(), CZELTSession::StateConnected);
    EXPECT_EQ(session.Execute("set a 4"), "4");
    EXPECT_TRUE(waitUntil([&] { return m_simulator->connectionCount() == 1; }));
}

INSTANTIATE_TEST_SUITE_P(Ends, ConnectAgain,
                         testing::Values(FirstLinkEnd::LoginDeclined, FirstLinkEnd::ServerSilent,
                                         FirstLinkEnd::LinkLost));

TEST_F(SessionAgainstSimulator, WindowSessionSharesTheClassObjectAndLogsInOnItsOwn)
{
    CZELTSession application(settings());
    application.Connect(login());
    CZELTSession window(application);
    window.Connect(login("admin", "admin"));
    EXPECT_EQ(window.Execute("set a 5"), "5");
    EXPECT_EQ(m_simulator->connectionCount(), 2);
}

} // namespace

namespace {

class DocumentAgainstSimulator : public SessionAgainstSimulator {};

TEST_F(DocumentAgainstSimulator, OpensWithAConnectedSessionOfItsOwnAndDisconnectsWhenItGoes)
{
    CZELTSession application(settings());
    application.Connect(login());
    {
        CZELTDocument document;
        ASSERT_TRUE(document.OnNewDocument(application, login("admin", "admin")));
        ASSERT_NE(document.CommandChannel(), nullptr);
        EXPECT_NE(document.SubscriptionSink(), nullptr);
        EXPECT_EQ(document.CommandChannel()->Execute("set a 7"), "7");
        EXPECT_EQ(m_simulator->connectionCount(), 2);
    }
    EXPECT_TRUE(waitUntil([&] { return m_simulator->connectionCount() == 1; }));
}

TEST_F(DocumentAgainstSimulator, WhoseLoginFailsIsNotOpened)
{
    CZELTSession application(settings());
    application.Connect(login());
    CZELTDocument document;
    m_boxes->answer({IDOK, IDOK});
    EXPECT_FALSE(document.OnNewDocument(application, login("admin", "wrong")));
    EXPECT_EQ(m_boxes->texts(), (QStringList{"Please check your user id and password.",
                                             "Password changed and login declined"}));
    EXPECT_EQ(document.CommandChannel(), nullptr);
}

} // namespace
