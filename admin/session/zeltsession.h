// The server session: the only road from admin to the server. One session is
// one link with its own login. It binds to Conduit through the stand-in COM,
// answers the greeting with the digest login, uploads the Tcl procedures,
// and then carries commands with transaction numbers to waiting callers or
// to windows, answering every command it cannot get a reply for.
//
// Conduit calls the sink operations on the link's receive thread; everything
// else runs on the caller's thread. The session lock orders the handshake
// with Connect and Disconnect; the transaction lock guards the map of pending
// commands and is never held while sending or delivering.
#pragma once

#include "admin/session/logincredentials.h"
#include "admin/session/replytarget.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/serverwait.h"
#include "admin/session/sessionlock.h"
#include "admin/session/sessionsettings.h"
#include "admin/session/tcllist.h"
#include "admin/session/unansweredreply.h"
#include "admin/session/zeltsubscriptionsink.h"
#include "conduit/iconduitutil.h"
#include "conduit/izeltclient.h"
#include "conduit/zeltsessionsink.h"
#include "platform/com/comptr.h"
#include "platform/sync/criticalsection.h"
#include "platform/sync/event.h"
#include "platform/sync/singlelock.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

class CLoginStatusThread;
class CReplyWaiter;

class CZELTSession : public CZELTSessionSink, public CServerCommandChannel, public CZELTSubscriptionSink {
public:
    enum State {
        StateNotConnected = 0,
        StateAwaitingGreeting = 1,
        StateAwaitingConfirmation = 2,
        StateConnected = 3
    };

    // The application's session: binds to Conduit's class object itself.
    explicit CZELTSession(const CSessionSettings &settings = CSessionSettings());
    // A window's session: shares the parent's class object and settings.
    explicit CZELTSession(CZELTSession &parent);
    // Disconnects, answers whatever is still pending and stops housekeeping.
    virtual ~CZELTSession();
    CZELTSession(const CZELTSession &) = delete;
    CZELTSession &operator=(const CZELTSession &) = delete;

    // Conduit's callbacks, on the receive thread.
    int OnConnected() override;
    int OnDisconnected() override;
    int OnMessage(const void *data, uint32_t length, uint32_t type, uint32_t extra) override;
    int OnFileReceived(const char *tempName, uint32_t sender, char *nameBuf, int bufSize) override;
    int OnStringMessage(const char *text, uint32_t extra) override;
    int OnValueMessage(const void *payload) override;
    int OnTimeout(int kind) override;
    int OnSendProgress(uint32_t total, uint32_t sent) override;

    // Answers the greeting with the login line; 0 when it was sent.
    virtual int Login(const QByteArray &greeting);
    // Connects and logs in; returns only once logged in. Throws
    // CZltExceptionLoginDeclined (after telling the user why, unless the
    // user cancelled the wait) when the login may be tried again,
    // CZltException when it cannot. Each call starts a new link, so the
    // same session connects again after a declined login, a silent server
    // or a lost link. The login progress window is the caller's `progress`
    // when given (started here, and left up after a login, for what the
    // caller still awaits), else one of its own.
    virtual void Connect(const CLoginCredentials &login, CLoginStatusThread *progress = nullptr);
    // The login progress window's text for a server.
    static QString ProgressText(const QString &host);
    // Ends the link. The end is this session's own doing: it is never taken
    // for a lost server. Throws CZltException when the session lock can't be had.
    void Disconnect();

    // CServerCommandChannel
    QString Execute(const QString &command, bool check = true, int type = 1) override;
    HRESULT SendAsync(CMessageTarget *window, UINT message, WPARAM code, const QString &command,
                      bool check = true, int type = 1) override;
    HRESULT SendNoReply(const QString &command, int type = 1) override;
    CPendingCommand BeginCommand(const QString &command, bool check = true, int type = 1) override;
    // On the user-interface thread the windows go on painting while the
    // reply is awaited, and a wait that lasts can be cancelled: the command
    // then fails as one the server never answered, and a late reply is
    // dropped.
    QString WaitReply(CPendingCommand &command) override;

    // CZELTSubscriptionSink
    uint32_t Subscribe(CMessageTarget *window, UINT message, WPARAM code, const QString &command,
                       bool check = false, int type = 1) override;
    void Unsubscribe(uint32_t transaction) override;

    CServerCommandChannel *CommandChannel() { return this; }
    CZELTSubscriptionSink *SubscriptionSink() { return this; }
    CTclList &ListSplitter() { return m_listSplitter; }
    const CSessionSettings &Settings() const { return m_settings; }

    State GetState() const { return static_cast<State>(m_state.load()); }
    // Why the last handshake or link failed; emptied by every Connect.
    QString LastError() const;
    // The time-zone text of the server's greeting, as received.
    QByteArray ServerTimeZone() const;
    bool IsLoginCompleted() const { return m_loginCompleted.load(); }
    uint32_t SubscriptionId() const;
    // Numbering goes on after `last`; lets a test reach the wrap of the
    // 32-bit numbers without four billion commands.
    void SetLastTransactionNumber(uint32_t last);
    int PendingCount() const;

protected:
    // The lock of the pending commands; a derived session (a test of the
    // lock's failures) may hold it.
    CCriticalSection &TransactionLock() { return m_transactionLock; }

private:
    void bindConduit();
    void releaseClient();
    void startHousekeeping();
    void housekeepingLoop();
    bool waitForStateChange(uint32_t ms);
    CServerWait::Outcome watchStateChange(CServerWait &wait, uint32_t ms);
    QString watchReply(CReplyWaiter &waiter, uint32_t transaction);
    [[noreturn]] void abandonConnect(CLoginStatusThread &progress);
    [[noreturn]] void failConnect(const QString &message);
    void setLastError(const QString &text);
    int onHandshake(const QByteArray &text);
    int onReply(const QByteArray &text, uint32_t extra);
    void linkEnded();
    void closeOwnLink();
    void interlockFailedOnReceive();
    void answerAllPending(UnansweredReply::Cause cause);
    static void dispatch(const std::shared_ptr<CReplyTarget> &target, const QString &reply);
    HRESULT sendFrame(const QByteArray &bytes, int type, uint32_t extra);
    uint32_t registerTarget(const std::shared_ptr<CReplyTarget> &target);
    void unregisterTarget(uint32_t transaction);
    uint32_t nextTransactionLocked();
    uint32_t takeTransactionNumber();
    void lockTransactions(CSingleLock &lock);
    [[noreturn]] void throwInterlockFailure() const;
    // The end of a link cannot be handled without the lock: tell and exit.
    [[noreturn]] void exitForLockFailure() const;

    const CSessionSettings m_settings;
    CTclList m_listSplitter;

    ComPtr<IClassFactory> m_classFactory;
    ComPtr<IConduitUtil> m_utility;
    ComPtr<IZeltClient> m_client;
    std::mutex m_sendMutex; // Conduit leaves the serialising of sends to us

    CSessionLock m_sessionLock;
    CEvent m_stateEvent{false, false};
    std::atomic<int> m_state{StateNotConnected};
    std::atomic<bool> m_linkOpen{false};
    std::atomic<bool> m_expectedDisconnect{false};
    std::atomic<bool> m_loginCompleted{false};
    std::atomic<bool> m_loginSent{false}; // this link's login line went out

    mutable std::mutex m_detailsMutex;
    QString m_lastError;
    QByteArray m_serverTimeZone;
    QByteArray m_user;     // UTF-8, copied at Connect
    QByteArray m_password; // UTF-8, copied at Connect

    mutable CCriticalSection m_transactionLock;
    std::unordered_map<uint32_t, std::shared_ptr<CReplyTarget>> m_transactions;
    uint32_t m_transactionCounter = 0;
    uint32_t m_subscriptionId = 0;

    CEvent m_stopEvent{true, false};
    std::thread m_housekeeping;
};
