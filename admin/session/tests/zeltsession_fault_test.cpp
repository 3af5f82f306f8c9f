// The session where something fails under it: Conduit not registered or
// not making its objects, a command on a session that never connected, a server that confirms the
// login with the wrong word, a time zone the C library refuses, and a reply
// that cannot be matched for want of the transaction lock.
#include "admin/testsupport/scriptedpeer.h"
#include "admin/testsupport/sessiontestbase.h"

#include "admin/session/servertimezone.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/session/zltexceptionlogindeclined.h"
#include "conduit/ids.h"
#include "platform/com/guid.h"
#include "platform/registry/regkey.h"
#include "platform/sync/event.h"

#include <QDir>

#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <functional>
#include <ostream>
#include <thread>

#include <dlfcn.h>

namespace {
// While set, the process refuses to take a time zone, as a C library out
// of room for its environment would.
std::atomic<bool> g_refuseTimeZone{false};
} // namespace

// The program's own calls of setenv reach this one first; everything but a
// refused time zone goes on to the C library's.
extern "C" int setenv(const char *name, const char *value, int overwrite)
{
    if (g_refuseTimeZone && std::strcmp(name, "TZ") == 0) {
        errno = ENOMEM;
        return -1;
    }
    using Setenv = int (*)(const char *, const char *, int);
    static const auto next = reinterpret_cast<Setenv>(dlsym(RTLD_NEXT, "setenv"));
    return next(name, value, overwrite);
}

namespace {

void echoCommands(ScriptedLink &link)
{
    while (const std::optional<ScriptedLink::Frame> frame = link.receive())
        if (!link.send(1, frame->extra, frame->payload))
            return;
}

// A session whose pending commands a test can hold back.
class HoldableSession : public CZELTSession {
public:
    using CZELTSession::CZELTSession;
    using CZELTSession::TransactionLock;
};

class SessionFaults : public SessionTestBase {
protected:
    CLoginCredentials login(const ScriptedPeer &peer) const { return CLoginCredentials{peer.host(), "admin", "secret"}; }
};

TEST_F(SessionFaults, WithoutConduitRegisteredConnectSaysCoGetClassObjectFailed)
{
    // An empty store: no class is registered there.
    const QString empty = m_folder.filePath(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    setenv("XDG_CONFIG_HOME", empty.toLocal8Bit().constData(), 1);
    CZELTSession session(quickSettings(1561));
    try {
        session.Connect(CLoginCredentials{QStringLiteral("127.0.0.1"), "admin", "secret"});
        ADD_FAILURE() << "connected without Conduit";
    } catch (const CZltExceptionLoginDeclined &) {
        ADD_FAILURE() << "taken for a declined login";
    } catch (const CZltException &e) {
        // The binding's own failure first, then how to register the library.
        const QStringList lines = e.text().split(u'\n');
        EXPECT_EQ(lines.first(), QStringLiteral("CoGetClassObject Failed 80040154"));
        EXPECT_TRUE(lines.value(1).startsWith(QStringLiteral("libConduit.so is not registered")))
            << e.text().toStdString();
    }
    EXPECT_TRUE(m_boxes->texts().isEmpty());
    EXPECT_EQ(session.GetState(), CZELTSession::StateNotConnected);
}

// A registered library whose class object will not make the client, or the
// utility object: Connect says which, with the result it got.
struct RefusedObject {
    const char *refuses;
    const char *text;
};

void PrintTo(const RefusedObject &refused, std::ostream *out)
{
    *out << refused.refuses;
}

class SessionBindingFailures : public SessionFaults, public testing::WithParamInterface<RefusedObject> {};

TEST_P(SessionBindingFailures, SayWhichObjectConduitWouldNotMake)
{
    CRegKey server;
    ASSERT_EQ(server.Open(HKEY_CLASSES_ROOT, ("CLSID\\" + GuidToString(CLSID_Conduit) + "\\InprocServer32").c_str(),
                          KEY_ALL_ACCESS),
              ERROR_SUCCESS);
    ASSERT_EQ(server.SetString(nullptr, QStringLiteral(REFUSING_CONDUIT_PATH)), ERROR_SUCCESS);
    setenv("REFUSING_CONDUIT_REFUSES", GetParam().refuses, 1);
    setenv("REFUSING_CONDUIT_REAL", CONDUIT_LIBRARY_PATH, 1);
    CZELTSession session(quickSettings(1561));
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            session.Connect(CLoginCredentials{QStringLiteral("127.0.0.1"), "admin", "secret"});
            ADD_FAILURE() << "connected without " << GetParam().refuses;
        } catch (const CZltExceptionLoginDeclined &) {
            ADD_FAILURE() << "taken for a declined login";
        } catch (const CZltException &e) {
            // Nothing of the first attempt is kept for the second.
            EXPECT_EQ(e.text(), QString::fromLatin1(GetParam().text)) << attempt;
        }
    }
    unsetenv("REFUSING_CONDUIT_REFUSES");
    EXPECT_TRUE(m_boxes->texts().isEmpty());
    EXPECT_EQ(session.GetState(), CZELTSession::StateNotConnected);
}

INSTANTIATE_TEST_SUITE_P(Objects, SessionBindingFailures,
                         testing::Values(RefusedObject{"client", "ZELTC CreateInstance Failed 80004002"},
                                         RefusedObject{"utility", "ICUTIL QueryInterface Failed 80004002"}));

TEST_F(SessionFaults, ACommandOnASessionThatNeverConnectedIsASendFailure)
{
    CZELTSession session(quickSettings(1561));
    ReplyWindow window;
    const auto sendFailure = [](const std::function<void()> &send) {
        try {
            send();
        } catch (const CZltException &e) {
            return e.text();
        }
        return QStringLiteral("<sent>");
    };
    const QString expected = QStringLiteral("IPC send failure 80004005");
    EXPECT_EQ(sendFailure([&] { session.Execute(QStringLiteral("GetUA 1")); }), expected);
    EXPECT_EQ(sendFailure([&] { session.BeginCommand(QStringLiteral("GetUA 1")); }), expected);
    EXPECT_EQ(sendFailure([&] { session.SendAsync(&window, WM_SERVER_REPLY, 1, QStringLiteral("GetUA 1")); }),
              expected);
    EXPECT_EQ(sendFailure([&] { session.SendNoReply(QStringLiteral("GetUA 1")); }), expected);
    EXPECT_EQ(sendFailure([&] { session.Subscribe(&window, WM_SERVER_REPLY, 1, QStringLiteral("Trace")); }),
              expected);
    EXPECT_EQ(session.PendingCount(), 0);
    EXPECT_EQ(session.SubscriptionId(), 0u);
    EXPECT_TRUE(window.received().empty());
}

TEST_F(SessionFaults, AWrongLoginConfirmationFailsTheLoginWithItsReason)
{
    ScriptedPeer peer([](ScriptedLink &link) {
        link.send(1, 0, "VREADY a b UTC");
        if (link.receive())
            link.send(1, 0, "VCONNECTE");
        while (link.receive()) {
        }
    });
    CZELTSession session(quickSettings(peer.port()));
    m_boxes->answer(IDOK);
    EXPECT_THROW(session.Connect(login(peer)), CZltExceptionLoginDeclined);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Please check your user id and password."});
    EXPECT_EQ(session.LastError(),
              QStringLiteral("Network protol error: Expected connection message. Please contact tech support."));
    EXPECT_EQ(session.GetState(), CZELTSession::StateNotConnected);
    EXPECT_FALSE(session.IsLoginCompleted());
}

TEST_F(SessionFaults, ATimeZoneThatCannotBeAppliedFailsTheLogin)
{
    ScriptedPeer peer([](ScriptedLink &link) {
        if (link.acceptAnyLogin("VREADY a b Pacific/Chatham"))
            echoCommands(link);
    });
    CZELTSession session(quickSettings(peer.port()));
    m_boxes->answer(IDOK);
    g_refuseTimeZone = true;
    EXPECT_THROW(session.Connect(login(peer)), CZltExceptionLoginDeclined);
    g_refuseTimeZone = false;
    EXPECT_EQ(m_boxes->texts(), QStringList{"Please check your user id and password."});
    EXPECT_EQ(session.LastError(), QStringLiteral("Time zone can not be set"));
    EXPECT_EQ(session.GetState(), CZELTSession::StateNotConnected);
    EXPECT_NE(CServerTimeZone::Current(), QByteArray("Pacific/Chatham"));

    // Once the zone can be had, the same session logs in.
    session.Connect(login(peer));
    EXPECT_EQ(CServerTimeZone::Current(), QByteArray("Pacific/Chatham"));
    EXPECT_EQ(session.Execute(QStringLiteral("Echo 1")), QStringLiteral("1"));
}

TEST_F(SessionFaults, ATextFrameThatFindsTheTransactionsLockedEndsTheLinkAsAnInterlockFailure)
{
    CEvent go(true, false);
    ScriptedPeer peer([&](ScriptedLink &link) {
        if (!link.acceptAnyLogin())
            return;
        std::optional<ScriptedLink::Frame> command = link.receive();
        while (command && !command->payload.startsWith("GetUA"))
            command = link.receive();
        if (!command)
            return;
        go.Wait(20000);
        link.send(4, command->extra, QByteArray("GetUA as text", 14));
        while (link.receive()) {
        }
    });
    CSessionSettings settings = quickSettings(peer.port());
    settings.transactionLockMs = 300;
    HoldableSession session(settings);
    session.Connect(login(peer));
    CPendingCommand pending = session.BeginCommand(QStringLiteral("GetUA 1"));
    bool failed = false;
    {
        CSingleLock held(session.TransactionLock());
        ASSERT_TRUE(held.Lock(2000));
        go.SetEvent();
        for (int i = 0; i < 5000 && !failed; ++i) {
            failed = session.LastError() == QStringLiteral("interlock failure");
            if (!failed)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    ASSERT_TRUE(failed) << "the text frame was dropped without a word";
    EXPECT_EQ(session.WaitReply(pending),
              QStringLiteral("!ERROR Server disconnected while processing  \"GetUA\" command."));
    EXPECT_TRUE(waitUntil([&] { return session.GetState() == CZELTSession::StateNotConnected; }));
    EXPECT_EQ(session.PendingCount(), 0);
    EXPECT_TRUE(m_boxes->texts().isEmpty());
}

} // namespace
