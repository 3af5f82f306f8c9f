// The session against a server scripted frame by frame: malformed greetings,
// a server that never answers, links dropped with commands pending, text
// frames, the progress window, and many threads with windows closing while
// their replies are on the way.
#include "admin/testsupport/scriptedpeer.h"
#include "admin/testsupport/sessiontestbase.h"

#include "admin/session/loginstatusthread.h"
#include "admin/session/serverexitnotice.h"
#include "admin/session/tcllist.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexceptionlogindeclined.h"
#include "platform/sync/event.h"

#include <QCryptographicHash>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <ostream>
#include <random>
#include <thread>

namespace {

constexpr const char *kDisconnected = "!ERROR Server disconnected while processing  \"GetUA\" command.";

// The command's own word, then the rest: what a well-behaved server answers.
void echoCommands(ScriptedLink &link)
{
    while (const std::optional<ScriptedLink::Frame> frame = link.receive())
        if (!link.send(1, frame->extra, frame->payload))
            return;
}

void neverAnswer(ScriptedLink &link)
{
    while (link.receive()) {
    }
}

// A server that logs anyone in and then answers nothing.
void loginThenSilence(ScriptedLink &link)
{
    if (link.acceptAnyLogin())
        neverAnswer(link);
}

bool progressWindowVisible()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->windowTitle() == "Logging into Verbanta" && widget->isVisible())
            return true;
    return false;
}

bool progressWindowExists()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->windowTitle() == "Logging into Verbanta")
            return true;
    return false;
}

class SessionAgainstScriptedPeer : public SessionTestBase {
protected:
    CLoginCredentials login(const ScriptedPeer &peer, const QString &user = "admin") const
    {
        return CLoginCredentials{peer.host(), user, "secret"};
    }
    // A login to `peer` fails, saying that the server's answer could not be
    // read and why, and leaves the session unconnected.
    void expectAnswerCouldNotBeRead(const ScriptedPeer &peer, const QString &lastError)
    {
        CZELTSession session(quickSettings(peer.port()));
        m_boxes->answer(IDOK);
        EXPECT_THROW(session.Connect(login(peer)), CZltExceptionLoginDeclined);
        EXPECT_EQ(m_boxes->texts(),
                  QStringList{QStringLiteral("The server's answer could not be read: %1").arg(lastError)});
        EXPECT_EQ(session.LastError(), lastError);
        EXPECT_EQ(session.GetState(), CZELTSession::StateNotConnected);
    }
};

struct GreetingCase {
    const char *greeting;
    const char *lastError;
};

// Test names carry the greeting, not the addresses of its texts, which
// change from build to build.
void PrintTo(const GreetingCase &c, std::ostream *out)
{
    *out << '"' << c.greeting << '"';
}

class MalformedGreetings : public SessionAgainstScriptedPeer,
                           public testing::WithParamInterface<GreetingCase> {};

TEST_P(MalformedGreetings, FailTheLoginWithTheirReason)
{
    ScriptedPeer peer([](ScriptedLink &link) {
        link.send(1, 0, GetParam().greeting);
        neverAnswer(link);
    });
    // No login went out, so the user id and password were never tried.
    expectAnswerCouldNotBeRead(peer, GetParam().lastError);
}

INSTANTIATE_TEST_SUITE_P(Lines, MalformedGreetings,
                         testing::Values(GreetingCase{"VREADY a b", "Protocol problem"},
                                         GreetingCase{"VREADY", "Protocol problem"},
                                         GreetingCase{"VREADY a b /etc/passwd", "Time zone can not be set"},
                                         GreetingCase{"VREADY a b UTC;x", "Time zone can not be set"},
                                         GreetingCase{"VREAD a b UTC",
                                                      "Network protol error: Expected login message."},
                                         GreetingCase{"", "Network protol error: Expected login message."}));

QByteArray header(uint8_t marker, uint32_t length)
{
    QByteArray bytes(12, '\0');
    bytes[0] = static_cast<char>(marker);
    bytes[1] = 1;
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<char>(length >> (8 * i));
    return bytes;
}

struct BrokenGreeting {
    const char *name;
    QByteArray bytes; // sent, then the server closes its end
    QString lastError;
};

void PrintTo(const BrokenGreeting &c, std::ostream *out)
{
    *out << c.name;
}

class BrokenGreetings : public SessionAgainstScriptedPeer,
                        public testing::WithParamInterface<BrokenGreeting> {};

TEST_P(BrokenGreetings, SayTheServersAnswerCouldNotBeReadAndSendNoLogin)
{
    ScriptedPeer peer([](ScriptedLink &link) {
        link.sendBytes(GetParam().bytes);
        link.close();
    });
    expectAnswerCouldNotBeRead(peer, GetParam().lastError);
}

const QString kCut = QStringLiteral("the link ended before the server's greeting was complete.");
const QByteArray kGreeting = "VREADY a b UTC";

INSTANTIATE_TEST_SUITE_P(
    Frames, BrokenGreetings,
    testing::Values(
        BrokenGreeting{"wrong marker byte", header(1, kGreeting.size()) + kGreeting, kCut},
        BrokenGreeting{"cut frame", header(0, kGreeting.size()) + kGreeting.left(6), kCut},
        BrokenGreeting{"six-byte header", header(0, kGreeting.size()).left(6), kCut},
        BrokenGreeting{"16 MiB + 1 greeting", header(0, (16 << 20) + 1) + QByteArray((16 << 20) + 1, 'v'),
                       QStringLiteral("Network protol error: Expected login message.")},
        BrokenGreeting{
            "4 GiB announced", header(0, 0xFFFFFFFF) + kGreeting,
            QStringLiteral("the server sent a message longer than 256 MiB, more than any reply can be, "
                           "and the link was closed.")}));

// A frame longer than any reply, announced on a link that is logged in:
// the link ends, and the cause goes with the lost server's notice, since
// the message that the server is gone cannot tell it.
TEST_F(SessionAgainstScriptedPeer, AnOversizedFrameOnAnOpenLinkIsGivenAsTheCauseOfTheLostServer)
{
    ScriptedPeer peer([](ScriptedLink &link) {
        if (!link.acceptAnyLogin())
            return;
        while (const std::optional<ScriptedLink::Frame> frame = link.receive())
            if (frame->payload == "Echo 1")
                link.sendBytes(header(0, 0xFFFFFFFF) + "x");
    });
    CServerExitNotice::SetMainWindow(nullptr);
    CZELTSession session(quickSettings(peer.port()));
    session.Connect(login(peer));
    EXPECT_TRUE(session.Execute("Echo 1").startsWith("!ERROR Server disconnected"));
    // The waiting command is answered before the loss is noted.
    for (int turn = 0; turn < 2000 && !CServerExitNotice::IsServerLost(); ++turn)
        QThread::msleep(5);
    EXPECT_TRUE(CServerExitNotice::IsServerLost());
    EXPECT_EQ(CServerExitNotice::Cause(), session.LastError());
    EXPECT_TRUE(session.LastError().contains("longer than 256 MiB")) << session.LastError().toStdString();
}

TEST_F(SessionAgainstScriptedPeer, GreetingWordInLowerCaseIsAccepted)
{
    ScriptedPeer peer([](ScriptedLink &link) {
        if (link.acceptAnyLogin("vready x y UTC"))
            echoCommands(link);
    });
    CZELTSession session(quickSettings(peer.port()));
    session.Connect(login(peer));
    EXPECT_EQ(session.Execute("Echo 1"), "1");
}

TEST_F(SessionAgainstScriptedPeer, UserNameGoesAsDataAndDigestCoversAPasswordBAsUtf8)
{
    QByteArray loginLine;
    std::mutex mutex;
    ScriptedPeer peer([&](ScriptedLink &link) {
        if (link.acceptAnyLogin("VREADY Aa Bb UTC")) {
            std::lock_guard lock(mutex);
            loginLine = link.loginLine();
        }
        neverAnswer(link);
    });
    const QString user = QStringLiteral("we}ird [exit] {x");
    CZELTSession session(quickSettings(peer.port()));
    session.Connect(CLoginCredentials{peer.host(), user, QStringLiteral("pässwörd")});
    // The peer keeps the line once it has confirmed the login.
    ASSERT_TRUE(waitUntil([&] {
        std::lock_guard lock(mutex);
        return !loginLine.isEmpty();
    }));
    std::lock_guard lock(mutex);
    QStringList words;
    CTclList().SplitList(QString::fromUtf8(loginLine), words);
    ASSERT_EQ(words.size(), 3);
    EXPECT_EQ(words[0], "LOGIN");
    EXPECT_EQ(words[1], user);
    // MD5 of "Aa", the password's UTF-8 bytes and "Bb", upper-case hexadecimal.
    const QByteArray material = "Aa" + QStringLiteral("pässwörd").toUtf8() + "Bb";
    EXPECT_EQ(words[2],
              QString(QCryptographicHash::hash(material, QCryptographicHash::Md5).toHex().toUpper()));
}

TEST_F(SessionAgainstScriptedPeer, DroppedLinkAnswersEveryPendingCommandOnce)
{
    ScriptedPeer peer(loginThenSilence);
    CZELTSession session(quickSettings(peer.port()));
    session.Connect(login(peer));
    ReplyWindow window;
    std::vector<CPendingCommand> pending;
    for (int i = 0; i < 5; ++i)
        pending.push_back(session.BeginCommand(QStringLiteral("GetUA %1").arg(i)));
    session.SendAsync(&window, WM_SERVER_REPLY, 61, "GetUA 6");
    ASSERT_TRUE(waitUntil([&] { return session.PendingCount() == 6; }));

    peer.dropLinks();
    for (CPendingCommand &command : pending)
        EXPECT_EQ(session.WaitReply(command), kDisconnected);
    ASSERT_TRUE(waitUntil([&] { return window.received().size() == 1; }));
    EXPECT_FALSE(waitUntil([&] { return window.received().size() > 1; }, 200));
    EXPECT_EQ(window.received()[0].text, kDisconnected);
    EXPECT_EQ(window.received()[0].code, 61u);
    EXPECT_EQ(session.PendingCount(), 0);
}

TEST_F(SessionAgainstScriptedPeer, UnansweredCommandGetsTheHousekeepingAnswer)
{
    ScriptedPeer peer(loginThenSilence);
    CSessionSettings quick = quickSettings(peer.port());
    quick.timeToLiveMs = 200;
    quick.sweepPeriodMs = 50;
    CZELTSession session(quick);
    session.Connect(login(peer));
    EXPECT_EQ(session.Execute("GetUA 101"),
              "!ERROR Server never responded while processing  \"GetUA\" command.");
    EXPECT_EQ(session.Execute("GetUA 101", false),
              "!ERROR Server never responded while processing  command.");
    EXPECT_EQ(session.PendingCount(), 0);
}

TEST_F(SessionAgainstScriptedPeer, ReplyWaitRunningOutIsAnInterlockFailureAndLeavesNothingPending)
{
    ScriptedPeer peer(loginThenSilence);
    CSessionSettings quick = quickSettings(peer.port());
    quick.replyWaitMs = 100;
    CZELTSession session(quick);
    session.Connect(login(peer));
    try {
        session.Execute("GetUA 101");
        ADD_FAILURE() << "no reply, yet Execute returned";
    } catch (const CZltException &e) {
        EXPECT_EQ(e.text(), "interlock failure");
    }
    EXPECT_EQ(session.PendingCount(), 0);
}

TEST_F(SessionAgainstScriptedPeer, DestroyedSessionAnswersWhatIsPending)
{
    ScriptedPeer peer(loginThenSilence);
    ReplyWindow window;
    {
        CZELTSession session(quickSettings(peer.port()));
        session.Connect(login(peer));
        session.SendAsync(&window, WM_SERVER_REPLY, 7, "GetUA 1");
        session.SendAsync(&window, WM_SERVER_REPLY, 8, "GetUA 2");
    }
    ASSERT_TRUE(waitUntil([&] { return window.received().size() == 2; }));
    EXPECT_EQ(window.texts(), (QStringList{kDisconnected, kDisconnected}));
}

TEST_F(SessionAgainstScriptedPeer, TextFrameKeepsTheSubscription)
{
    ScriptedPeer peer([](ScriptedLink &link) {
        if (!link.acceptAnyLogin())
            return;
        std::optional<ScriptedLink::Frame> subscribe = link.receive(); // the procedures' upload first
        while (subscribe && !subscribe->payload.startsWith("RegisterTraceConsumer"))
            subscribe = link.receive();
        if (!subscribe)
            return;
        link.send(4, subscribe->extra, QByteArray("as text", 8)); // a text frame holds its NUL
        link.send(1, 0, ".PORT 1 IDLE");
        neverAnswer(link);
    });
    CZELTSession session(quickSettings(peer.port()));
    session.Connect(login(peer));
    ReplyWindow window;
    ASSERT_NE(session.Subscribe(&window, WM_SERVER_REPLY, 108, "RegisterTraceConsumer -categories 8"), 0u);
    ASSERT_TRUE(waitUntil([&] { return window.received().size() == 2; }));
    EXPECT_EQ(window.texts(), (QStringList{"as text", ".PORT 1 IDLE"}));
}

TEST_F(SessionAgainstScriptedPeer, ClosedWindowGetsNothingAndNothingBreaks)
{
    ScriptedPeer peer([](ScriptedLink &link) {
        if (link.acceptAnyLogin())
            echoCommands(link);
    });
    CZELTSession session(quickSettings(peer.port()));
    session.Connect(login(peer));
    auto window = std::make_unique<ReplyWindow>();
    session.SendAsync(window.get(), WM_SERVER_REPLY, 1, "Echo gone");
    window.reset();
    EXPECT_EQ(session.Execute("Echo after"), "after");
    QCoreApplication::processEvents();
}

TEST_F(SessionAgainstScriptedPeer, SlowLoginShowsTheProgressWindowFastOneNever)
{
    CEvent greet(true, false);
    ScriptedPeer peer([&](ScriptedLink &link) {
        greet.Wait(30000);
        if (link.acceptAnyLogin())
            neverAnswer(link);
    });
    CSessionSettings quick = quickSettings(peer.port());
    quick.progressDelayMs = 100;
    CZELTSession session(quick);
    std::atomic<bool> done{false};
    std::thread connecting([&] {
        session.Connect(login(peer));
        done = true;
    });
    EXPECT_TRUE(waitUntil(progressWindowVisible));
    greet.SetEvent();
    EXPECT_TRUE(waitUntil([&] { return done.load() && !progressWindowExists(); }));
    connecting.join();

    CZELTSession fast(quickSettings(peer.port())); // the default delay of 2000 ms
    bool seen = false;
    std::atomic<bool> fastDone{false};
    std::thread fastConnecting([&] {
        fast.Connect(login(peer));
        fastDone = true;
    });
    waitUntil([&] {
        seen = seen || progressWindowVisible();
        return fastDone.load();
    });
    fastConnecting.join();
    EXPECT_FALSE(seen);
}

TEST_F(SessionAgainstScriptedPeer, ConnectOnTheUserInterfaceThreadKeepsEventsFlowing)
{
    CEvent greet(true, false);
    ScriptedPeer peer([&](ScriptedLink &link) {
        greet.Wait(30000);
        if (link.acceptAnyLogin())
            neverAnswer(link);
    });
    CSessionSettings quick = quickSettings(peer.port());
    quick.progressDelayMs = 50;
    CZELTSession session(quick);
    bool shown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (progressWindowVisible()) {
            shown = true;
            greet.SetEvent();
        }
    });
    watch.start(20);
    session.Connect(login(peer));
    EXPECT_TRUE(shown);
    EXPECT_FALSE(progressWindowExists());
}

TEST(CLoginStatusThreadTest, StopBeforeTheWindowIsMadeLeavesNone)
{
    int argc = 1;
    char name[] = "status";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    CLoginStatusThread progress("Connecting to nowhere", 0);
    progress.Start();
    progress.Stop();
    QCoreApplication::processEvents();
    EXPECT_FALSE(progressWindowExists());
}

// Eight threads send commands, half of them to windows that the interface
// thread closes and replaces while replies are on their way.
TEST_F(SessionAgainstScriptedPeer, ManyThreadsAndClosingWindowsStayConsistent)
{
    ScriptedPeer peer([](ScriptedLink &link) {
        if (link.acceptAnyLogin())
            echoCommands(link);
    });
    CZELTSession session(quickSettings(peer.port()));
    session.Connect(login(peer));

    std::mutex windowsMutex;
    std::vector<std::unique_ptr<ReplyWindow>> windows;
    for (int i = 0; i < 4; ++i)
        windows.push_back(std::make_unique<ReplyWindow>());

    constexpr int kThreads = 8;
    constexpr int kCommands = 300;
    std::atomic<int> finished{0};
    std::atomic<int> wrongReplies{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            std::mt19937 random(t);
            for (int i = 0; i < kCommands; ++i) {
                const QString tag = QStringLiteral("%1.%2").arg(t).arg(i);
                if (i % 2 == 0) {
                    if (session.Execute("Echo " + tag) != tag)
                        ++wrongReplies;
                } else {
                    std::lock_guard lock(windowsMutex);
                    session.SendAsync(windows[random() % windows.size()].get(), WM_SERVER_REPLY, t,
                                      "Echo " + tag);
                }
            }
            ++finished;
        });
    }
    std::mt19937 random(99);
    int replaced = 0;
    waitUntil(
        [&] {
            std::lock_guard lock(windowsMutex);
            windows[random() % windows.size()] = std::make_unique<ReplyWindow>();
            ++replaced;
            return finished.load() == kThreads;
        },
        120000);
    for (std::thread &thread : threads)
        thread.join();
    EXPECT_EQ(finished.load(), kThreads);
    EXPECT_EQ(wrongReplies.load(), 0);
    EXPECT_GT(replaced, 0);
    ASSERT_TRUE(waitUntil([&] { return session.PendingCount() == 0; }));
    QCoreApplication::processEvents();
    for (const auto &window : windows)
        for (const ReplyWindow::Received &r : window->received())
            EXPECT_TRUE(r.text.startsWith(QString::number(r.code) + ".")) << r.text.toStdString();
}

} // namespace
