// The server session; see zeltsession.h.
//
// Every pending command is answered exactly once: by its reply, by the
// housekeeping sweep when the server never answers, or with the
// disconnection error when the link ends or the session goes. Targets are
// shared pointers, so whichever of those comes first, nothing is freed while
// another thread still reaches it.
#include "admin/session/zeltsession.h"

#include "admin/res/adminstrings.h"
#include "admin/session/dispatcherpool.h"
#include "admin/session/loginstatusthread.h"
#include "admin/session/replywaiter.h"
#include "admin/session/serverexitnotice.h"
#include "admin/session/servergreeting.h"
#include "admin/session/servertimezone.h"
#include "admin/session/tclword.h"
#include "admin/session/windowreplytarget.h"
#include "admin/session/zltexception.h"
#include "admin/session/zltexceptionlogindeclined.h"
#include "conduit/ids.h"
#include "platform/com/combase.h"
#include "platform/com/registrationhint.h"
#include "platform/messages/postedmessagehold.h"
#include "platform/msgbox/msgbox.h"
#include "platform/sync/singlelock.h"
#include "platform/winsock/winsock.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace {


QString hex(HRESULT hr)
{
    return QString::number(static_cast<uint32_t>(hr), 16);
}

// The binding's failure, and below it what the user can do about it: a
// program run from a build tree has no registration of Conduit until regsvr
// has made one.
QString classObjectFailure(HRESULT result)
{
    QString text = QStringLiteral("CoGetClassObject Failed %1").arg(hex(result).toUpper());
    const QString hint = RegistrationHint(CLSID_Conduit, result, QStringLiteral("libConduit.so"));
    if (!hint.isEmpty())
        text += QLatin1Char('\n') + hint;
    return text;
}

bool beginsWithoutCase(const QByteArray &text, const char *word)
{
    return text.left(qstrlen(word)).compare(word, Qt::CaseInsensitive) == 0;
}

} // namespace

CZELTSession::CZELTSession(const CSessionSettings &settings) : m_settings(settings)
{
    RegisterAdminStrings();
    startHousekeeping();
}

CZELTSession::CZELTSession(CZELTSession &parent)
    : m_settings(parent.m_settings), m_classFactory(parent.m_classFactory)
{
    startHousekeeping();
}

CZELTSession::~CZELTSession()
{
    try {
        Disconnect();
    } catch (const CZltException &) {
        // The link is gone or going either way; what matters now is that
        // every caller still waiting gets its answer.
    }
    m_stopEvent.SetEvent();
    answerAllPending(UnansweredReply::Cause::Disconnected);
    if (m_housekeeping.joinable())
        m_housekeeping.join();
}

void CZELTSession::startHousekeeping()
{
    m_housekeeping = std::thread(&CZELTSession::housekeepingLoop, this);
}

// --- binding and connecting -------------------------------------------------

void CZELTSession::bindConduit()
{
    if (!m_classFactory) {
        const HRESULT hr = CoGetClassObject(&CLSID_Conduit, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory,
                                            m_classFactory.put());
        if (FAILED(hr))
            throw CZltException(classObjectFailure(hr));
    }
    if (!m_client) {
        const HRESULT hr = m_classFactory->CreateInstance(nullptr, &IID_IZeltClient, m_client.put());
        if (FAILED(hr)) {
            m_classFactory.reset();
            throw CZltException(QStringLiteral("ZELTC CreateInstance Failed %1").arg(hex(hr).toUpper()));
        }
    }
    if (!m_utility) {
        const HRESULT hr = m_classFactory->CreateInstance(nullptr, &IID_IConduitUtil, m_utility.put());
        if (FAILED(hr)) {
            m_client.reset();
            m_classFactory.reset();
            throw CZltException(QStringLiteral("ICUTIL QueryInterface Failed %1").arg(hex(hr).toUpper()));
        }
    }
}

void CZELTSession::Connect(const CLoginCredentials &login, CLoginStatusThread *progress)
{
    // A client object carries one link: a second Connect starts afresh,
    // whether the first link is still up or has ended (a declined login, a
    // silent server, a lost link).
    if (m_linkOpen)
        Disconnect();
    else
        releaseClient();
    bindConduit();
    {
        std::lock_guard lock(m_detailsMutex);
        m_lastError.clear();
        m_user = login.user.toUtf8();
        m_password = login.password.toUtf8();
    }
    m_expectedDisconnect = false;
    m_loginCompleted = false;
    m_loginSent = false;

    std::optional<CLoginStatusThread> ownProgress;
    if (!progress)
        progress = &ownProgress.emplace(ProgressText(login.host), m_settings.progressDelayMs);
    progress->Start();

    m_state = StateAwaitingGreeting;
    m_linkOpen = true;
    const QByteArray host = login.host.toUtf8();
    const HRESULT connected =
        m_client->Connect(host.constData(), m_settings.port, m_settings.receiveTimeoutMs, this);
    if (FAILED(connected)) {
        m_linkOpen = false;
        m_state = StateNotConnected;
        progress->Stop();
        failConnect(m_settings.serverNotAvailable);
    }

    if (!m_sessionLock.Lock(m_settings.sessionLockMs)) {
        progress->Stop();
        throwInterlockFailure();
    }
    // On the user-interface thread the windows and the message layer live
    // on meanwhile (a lost server is told at once), and the user may give up.
    std::optional<CServerWait> watch;
    if (CServerWait::OnUserInterfaceThread())
        watch.emplace(QStringLiteral("Waiting for the server at %1 to answer the login…").arg(login.host),
                      m_settings.waitNoticeDelayMs);
    for (int wait = 0; wait < m_settings.stateWaits &&
                       (m_state == StateAwaitingGreeting || m_state == StateAwaitingConfirmation);
         ++wait) {
        m_sessionLock.Unlock();
        bool cancelled = false;
        if (watch)
            cancelled = watchStateChange(*watch, m_settings.stateWaitMs) == CServerWait::Outcome::Cancelled;
        else
            waitForStateChange(m_settings.stateWaitMs);
        if (!m_sessionLock.Lock(m_settings.sessionLockMs)) {
            progress->Stop();
            throwInterlockFailure();
        }
        if (cancelled && m_state != StateConnected)
            abandonConnect(*progress);
    }

    if (m_state == StateConnected) {
        const QByteArray zone = ServerTimeZone();
        m_sessionLock.Unlock();
        if (CServerTimeZone::Apply(zone)) {
            // A caller's window stays up for what the caller still awaits.
            if (ownProgress)
                progress->Stop();
            return;
        }
        // The program's local time must be the server's: without it the
        // login fails as one whose time zone could not be set.
        progress->Stop();
        setLastError(m_settings.timeZoneNotSet);
        m_expectedDisconnect = true;
        Disconnect();
        failConnect(m_settings.loginRefused);
    }
    progress->Stop();
    const bool serverSilent = m_state != StateNotConnected;
    m_state = StateNotConnected;
    m_sessionLock.Unlock();
    if (serverSilent) {
        // A silent server still holds the link: close it, as our own doing,
        // before the caller may delete this session.
        m_expectedDisconnect = true;
        Disconnect();
        failConnect(m_settings.serverNotResponding);
    }
    // Only a login the server saw can have been refused for its user id
    // and password.
    if (!m_loginSent)
        failConnect(m_settings.answerUnreadable.arg(LastError()));
    failConnect(m_settings.loginRefused);
}

// Drops the client object of a link that has ended; the class object and
// the utility stay for the next one.
void CZELTSession::releaseClient()
{
    if (!m_client)
        return;
    if (!m_sessionLock.Lock(m_settings.sessionLockMs))
        throwInterlockFailure();
    {
        std::lock_guard send(m_sendMutex);
        m_client.reset();
    }
    m_sessionLock.Unlock();
}

void CZELTSession::failConnect(const QString &message)
{
    AfxMessageBox(message);
    throw CZltExceptionLoginDeclined();
}

// The user gave up the login: the link is closed as this session's own
// doing, and the login may be tried again. The user knows why: no message.
void CZELTSession::abandonConnect(CLoginStatusThread &progress)
{
    progress.Stop();
    m_state = StateNotConnected;
    m_sessionLock.Unlock();
    m_expectedDisconnect = true;
    Disconnect();
    throw CZltExceptionLoginDeclined();
}

// Waits plainly for the state event, so no window code runs inside the wait
// (Disconnect's, and a connect off the user-interface thread).
bool CZELTSession::waitForStateChange(uint32_t ms)
{
    return m_stateEvent.Wait(ms) == WAIT_OBJECT_0;
}

CServerWait::Outcome CZELTSession::watchStateChange(CServerWait &wait, uint32_t ms)
{
    return wait.Run([this](uint32_t turnMs) { return m_stateEvent.Wait(turnMs) == WAIT_OBJECT_0; }, ms);
}

void CZELTSession::Disconnect()
{
    m_expectedDisconnect = true;
    if (!m_client && !m_utility && !m_classFactory)
        return;
    if (!m_sessionLock.Lock(m_settings.sessionLockMs))
        throwInterlockFailure();
    // Under the session lock: the handshake uses the utility on the receive thread.
    m_utility.reset();
    m_classFactory.reset();
    if (m_client && m_linkOpen)
        m_client->Disconnect();
    for (int wait = 0; wait < m_settings.disconnectWaits && m_linkOpen; ++wait) {
        m_sessionLock.Unlock();
        waitForStateChange(m_settings.disconnectWaitMs);
        if (!m_sessionLock.Lock(m_settings.sessionLockMs))
            throwInterlockFailure();
    }
    m_state = StateNotConnected;
    {
        std::lock_guard send(m_sendMutex);
        m_client.reset();
    }
    m_sessionLock.Unlock();
}

// --- the handshake ---------------------------------------------------------

int CZELTSession::OnMessage(const void *data, uint32_t length, uint32_t /*type*/, uint32_t extra)
{
    const QByteArray text(static_cast<const char *>(data), length);
    if (m_state == StateConnected)
        return onReply(text, extra);
    return onHandshake(text);
}

int CZELTSession::onHandshake(const QByteArray &text)
{
    if (!m_sessionLock.Lock(m_settings.sessionLockMs)) {
        linkEnded();
        return 1;
    }
    int result = 1;
    switch (m_state.load()) {
    case StateAwaitingGreeting:
        if (!beginsWithoutCase(text, "VREADY")) {
            setLastError(QStringLiteral("Network protol error: Expected login message."));
            break;
        }
        m_state = StateAwaitingConfirmation;
        m_stateEvent.SetEvent();
        result = Login(text);
        break;
    case StateAwaitingConfirmation:
        if (!beginsWithoutCase(text, "VCONNECTED")) {
            setLastError(QStringLiteral(
                "Network protol error: Expected connection message. Please contact tech support."));
            break;
        }
        m_loginCompleted = true;
        m_state = StateConnected;
        // The answer to the upload is not awaited: it finds no target and is dropped.
        try {
            if (FAILED(sendFrame(m_settings.procedureText, 1, takeTransactionNumber()))) {
                setLastError(QStringLiteral("Couldn't send information to server."));
                break;
            }
        } catch (const CZltException &e) {
            setLastError(e.text());
            break;
        }
        m_stateEvent.SetEvent();
        result = 0;
        break;
    case StateConnected:
        m_sessionLock.Unlock();
        return onReply(text, 0);
    default:
        break;
    }
    if (result != 0)
        closeOwnLink();
    m_sessionLock.Unlock();
    return 0;
}

// Ends the link from the receive thread. Answering Conduit with a nonzero
// result would end it too, but silently: nothing would wake Connect or
// answer the pending commands, and once Connect gave up its caller could
// delete the session while the receive thread is still on its way out of
// it. Closed this way, the end comes back through OnDisconnected like any
// other, and the session waits for it. The end is this session's own doing.
void CZELTSession::closeOwnLink()
{
    m_expectedDisconnect = true;
    std::lock_guard lock(m_sendMutex);
    if (m_client && m_linkOpen)
        m_client->Disconnect();
}

int CZELTSession::Login(const QByteArray &greeting)
{
    const std::optional<CServerGreeting> fields = CServerGreeting::Parse(greeting);
    if (!fields) {
        setLastError(m_settings.protocolProblem);
        return 1;
    }
    if (!CServerGreeting::IsValidTimeZone(fields->timeZone)) {
        setLastError(m_settings.timeZoneNotSet);
        return 1;
    }
    QByteArray user;
    QByteArray material;
    {
        std::lock_guard lock(m_detailsMutex);
        m_serverTimeZone = fields->timeZone;
        user = m_user;
        material = fields->fieldA + m_password + fields->fieldB;
    }
    char digest[33] = {};
    HRESULT hr = m_utility ? m_utility->MD5String(material.constData(), material.size(), digest) : E_POINTER;
    if (FAILED(hr)) {
        setLastError(QStringLiteral("Couldn't communicate with server. (%1)").arg(hex(hr)));
        return 1;
    }
    const QByteArray line = "LOGIN " + TclWord(user) + ' ' + QByteArray(digest, qstrnlen(digest, 32));
    m_loginCompleted = false;
    hr = sendFrame(line, 1, 0);
    if (FAILED(hr)) {
        setLastError(QStringLiteral("Couldn't send information to server. (%1)").arg(hex(hr)));
        return 1;
    }
    m_loginSent = true;
    return 0;
}

// --- link events -------------------------------------------------------------

int CZELTSession::OnConnected()
{
    return 0;
}

int CZELTSession::OnDisconnected()
{
    const bool locked = m_sessionLock.Lock(m_settings.sessionLockMs);
    if (!locked) {
        // Without the lock the session's state can't be trusted any more.
        exitForLockFailure();
    }
    linkEnded();
    m_sessionLock.Unlock();
    return 0;
}

// The link is gone: wake Connect or Disconnect, answer every pending command
// and, unless this session ended it, tell the main window the server is lost.
void CZELTSession::linkEnded()
{
    QString cause;
    {
        std::lock_guard lock(m_detailsMutex);
        if (m_lastType == WSAEMSGSIZE) {
            m_lastError = m_settings.frameTooLong.arg(kConduitLongestPayload / (1024 * 1024));
            // The lost server's own message does not tell this cause.
            cause = m_lastError;
            qWarning("%s", qPrintable(m_lastError));
        } else if (m_lastError.isEmpty()) {
            m_lastError =
                m_state == StateAwaitingGreeting ? m_settings.greetingCut : QStringLiteral("Disconnected.");
        }
    }
    const bool wasOpen = m_linkOpen.exchange(false);
    m_state = StateNotConnected;
    m_stateEvent.SetEvent();
    answerAllPending(UnansweredReply::Cause::Disconnected);
    if (wasOpen && !m_expectedDisconnect)
        CServerExitNotice::ServerLost(m_loginCompleted, cause);
}

int CZELTSession::OnFileReceived(const char *, uint32_t, char *, int)
{
    return 0;
}

int CZELTSession::OnValueMessage(const void *)
{
    return 0;
}

int CZELTSession::OnTimeout(int)
{
    return 0;
}

int CZELTSession::OnSendProgress(uint32_t, uint32_t)
{
    return 0;
}

// --- replies -----------------------------------------------------------------

int CZELTSession::onReply(const QByteArray &text, uint32_t extra)
{
    std::shared_ptr<CReplyTarget> target;
    {
        CSingleLock lock(m_transactionLock);
        if (!lock.Lock(m_settings.transactionLockMs)) {
            interlockFailedOnReceive();
            return 0;
        }
        const uint32_t key = text.startsWith('.') && m_subscriptionId != 0 ? m_subscriptionId : extra;
        const auto found = m_transactions.find(key);
        if (found == m_transactions.end())
            return 0;
        target = found->second;
        switch (target->GetMode()) {
        case CReplyTarget::ModeOneShot:
            m_transactions.erase(found);
            break;
        case CReplyTarget::ModeAbandoned:
            return 0;
        case CReplyTarget::ModeKept:
            break;
        }
    }
    dispatch(target, QString::fromUtf8(CReplyTarget::ReplyResult(target->CommandWord(), text)));
    return 0;
}

// A reply that cannot be matched for want of the transaction lock is an
// interlock failure: the link ends, so that every pending command is
// answered instead of waiting for a reply that was lost.
void CZELTSession::interlockFailedOnReceive()
{
    setLastError(m_settings.interlockFailure);
    closeOwnLink();
}

// A text frame completes the transaction named by its number, as it stands.
int CZELTSession::OnStringMessage(const char *text, uint32_t extra)
{
    std::shared_ptr<CReplyTarget> target;
    {
        CSingleLock lock(m_transactionLock);
        if (!lock.Lock(m_settings.transactionLockMs)) {
            interlockFailedOnReceive();
            return 0;
        }
        const auto found = m_transactions.find(extra);
        if (found == m_transactions.end())
            return 0;
        target = found->second;
        if (target->GetMode() == CReplyTarget::ModeAbandoned)
            return 0;
        if (target->GetMode() == CReplyTarget::ModeOneShot)
            m_transactions.erase(found);
    }
    dispatch(target, QString::fromUtf8(text));
    return 0;
}

void CZELTSession::dispatch(const std::shared_ptr<CReplyTarget> &target, const QString &reply)
{
    if (target->DeliversWithoutWaiting())
        target->Deliver(reply);
    else
        CDispatcherPool::Process().QueueForDispatch(target, reply);
}

void CZELTSession::answerAllPending(UnansweredReply::Cause cause)
{
    std::vector<std::shared_ptr<CReplyTarget>> pending;
    {
        CSingleLock lock(m_transactionLock);
        if (!lock.Lock(m_settings.transactionLockMs)) {
            // Callers would wait for answers that can never come.
            exitForLockFailure();
        }
        for (auto &[transaction, target] : m_transactions)
            if (target->GetMode() != CReplyTarget::ModeAbandoned)
                pending.push_back(std::move(target));
        m_transactions.clear();
        m_subscriptionId = 0;
    }
    for (const std::shared_ptr<CReplyTarget> &target : pending)
        dispatch(target, UnansweredReply::For(cause, target->CommandWord()));
}

void CZELTSession::housekeepingLoop()
{
    while (m_stopEvent.Wait(m_settings.sweepPeriodMs) == WAIT_TIMEOUT) {
        std::vector<std::shared_ptr<CReplyTarget>> expired;
        {
            CSingleLock lock(m_transactionLock);
            while (!lock.Lock(m_settings.transactionLockMs))
                if (m_stopEvent.Wait(0) == WAIT_OBJECT_0)
                    return;
            for (auto entry = m_transactions.begin(); entry != m_transactions.end();) {
                const std::shared_ptr<CReplyTarget> &target = entry->second;
                if (target->GetMode() == CReplyTarget::ModeKept) {
                    ++entry;
                } else if (target->GetMode() == CReplyTarget::ModeAbandoned) {
                    entry = m_transactions.erase(entry);
                } else if (target->Age(static_cast<int>(m_settings.sweepPeriodMs))) {
                    expired.push_back(target);
                    entry = m_transactions.erase(entry);
                } else {
                    ++entry;
                }
            }
        }
        for (const std::shared_ptr<CReplyTarget> &target : expired)
            dispatch(target, UnansweredReply::For(UnansweredReply::Cause::NeverResponded, target->CommandWord()));
    }
}

// --- sending -------------------------------------------------------------------

HRESULT CZELTSession::sendFrame(const QByteArray &bytes, int type, uint32_t extra)
{
    std::lock_guard lock(m_sendMutex);
    if (!m_client || !m_linkOpen)
        return E_FAIL;
    uint32_t sent = 0;
    return m_client->Send(bytes.constData(), static_cast<uint32_t>(bytes.size()), type, extra, &sent);
}

void CZELTSession::lockTransactions(CSingleLock &lock)
{
    if (!lock.Lock(m_settings.transactionLockMs))
        throwInterlockFailure();
}

uint32_t CZELTSession::nextTransactionLocked()
{
    // Never 0 (the login line's number), never the subscription's, and never
    // one still pending after the counter wrapped.
    do {
        ++m_transactionCounter;
    } while (m_transactionCounter == 0 || m_transactionCounter == m_subscriptionId ||
             m_transactions.contains(m_transactionCounter));
    return m_transactionCounter;
}

uint32_t CZELTSession::registerTarget(const std::shared_ptr<CReplyTarget> &target)
{
    CSingleLock lock(m_transactionLock);
    lockTransactions(lock);
    const uint32_t transaction = nextTransactionLocked();
    m_transactions.emplace(transaction, target);
    return transaction;
}

void CZELTSession::unregisterTarget(uint32_t transaction)
{
    CSingleLock lock(m_transactionLock);
    lockTransactions(lock);
    m_transactions.erase(transaction);
}

uint32_t CZELTSession::takeTransactionNumber()
{
    CSingleLock lock(m_transactionLock);
    lockTransactions(lock);
    return nextTransactionLocked();
}

HRESULT CZELTSession::SendNoReply(const QString &command, int type)
{
    const uint32_t transaction = takeTransactionNumber();
    const HRESULT hr = m_state == StateConnected ? sendFrame(command.toUtf8(), type, transaction) : E_FAIL;
    if (FAILED(hr))
        throw CZltException(QStringLiteral("IPC send failure %1").arg(hex(hr)));
    return hr;
}

CPendingCommand CZELTSession::BeginCommand(const QString &command, bool check, int type)
{
    const QByteArray bytes = command.toUtf8();
    auto waiter = std::make_shared<CReplyWaiter>(check ? CReplyTarget::CommandWordOf(bytes) : QByteArray(),
                                                 m_settings.timeToLiveMs);
    const uint32_t transaction = registerTarget(waiter);
    const HRESULT hr = m_state == StateConnected ? sendFrame(bytes, type, transaction) : E_FAIL;
    if (FAILED(hr)) {
        unregisterTarget(transaction);
        throw CZltException(QStringLiteral("IPC send failure %1").arg(hex(hr)));
    }
    return CPendingCommand(std::move(waiter), transaction);
}

QString CZELTSession::WaitReply(CPendingCommand &command)
{
    const uint32_t transaction = command.Transaction();
    const std::shared_ptr<CReplyWaiter> waiter = command.Take();
    Q_ASSERT(waiter);
    if (!waiter)
        throwInterlockFailure();
    if (CServerWait::OnUserInterfaceThread())
        return watchReply(*waiter, transaction);
    const std::optional<QString> reply = waiter->Wait(m_settings.replyWaitMs);
    if (!reply) {
        unregisterTarget(transaction);
        throwInterlockFailure();
    }
    return *reply;
}

QString CZELTSession::Execute(const QString &command, bool check, int type)
{
    CPendingCommand pending = BeginCommand(command, check, type);
    return WaitReply(pending);
}

// Replies still reach their windows meanwhile, but what was posted to a
// window waits for the end, so that no window's code runs halfway through
// the step of the one that waits (a close, a timer's refresh).
QString CZELTSession::watchReply(CReplyWaiter &waiter, uint32_t transaction)
{
    const CPostedMessageHold postedMessages;
    CServerWait wait(CServerWait::ReplyText(waiter.CommandWord()), m_settings.waitNoticeDelayMs);
    std::optional<QString> reply;
    const CServerWait::Outcome outcome = wait.Run(
        [&](uint32_t turnMs) { return (reply = waiter.Wait(turnMs)).has_value(); }, m_settings.replyWaitMs);
    if (outcome == CServerWait::Outcome::Arrived)
        return *std::move(reply);
    // Without its number in the map, a reply that still comes is dropped.
    unregisterTarget(transaction);
    if (outcome == CServerWait::Outcome::TimedOut)
        throwInterlockFailure();
    // It may have come just before the number went: then it is the answer.
    if (std::optional<QString> late = waiter.Wait(0))
        return *std::move(late);
    return UnansweredReply::For(UnansweredReply::Cause::Cancelled, waiter.CommandWord());
}

QString CZELTSession::ProgressText(const QString &host)
{
    return QStringLiteral("Connecting to %1").arg(host);
}

HRESULT CZELTSession::SendAsync(CMessageTarget *window, UINT message, WPARAM code, const QString &command,
                                bool check, int type)
{
    const QByteArray bytes = command.toUtf8();
    auto target = std::make_shared<CWindowReplyTarget>(
        window, message, code, check ? CReplyTarget::CommandWordOf(bytes) : QByteArray(),
        CReplyTarget::ModeOneShot, m_settings.timeToLiveMs);
    const uint32_t transaction = registerTarget(target);
    const HRESULT hr = m_state == StateConnected ? sendFrame(bytes, type, transaction) : E_FAIL;
    if (FAILED(hr)) {
        unregisterTarget(transaction);
        throw CZltException(QStringLiteral("IPC send failure %1").arg(hex(hr)));
    }
    return hr;
}

uint32_t CZELTSession::Subscribe(CMessageTarget *window, UINT message, WPARAM code, const QString &command,
                                 bool check, int type)
{
    const QByteArray bytes = command.toUtf8();
    uint32_t transaction = 0;
    {
        CSingleLock lock(m_transactionLock);
        lockTransactions(lock);
        if (m_subscriptionId != 0)
            return 0;
        transaction = nextTransactionLocked();
        m_transactions.emplace(transaction, std::make_shared<CWindowReplyTarget>(
                                                window, message, code,
                                                check ? CReplyTarget::CommandWordOf(bytes) : QByteArray(),
                                                CReplyTarget::ModeKept, m_settings.timeToLiveMs));
        // Set before sending, so a line pushed right after the reply finds it.
        m_subscriptionId = transaction;
    }
    const HRESULT hr = m_state == StateConnected ? sendFrame(bytes, type, transaction) : E_FAIL;
    if (FAILED(hr)) {
        CSingleLock lock(m_transactionLock);
        lockTransactions(lock);
        m_transactions.erase(transaction);
        if (m_subscriptionId == transaction)
            m_subscriptionId = 0;
        throw CZltException(QStringLiteral("IPC send failure %1").arg(hex(hr)));
    }
    return transaction;
}

void CZELTSession::Unsubscribe(uint32_t transaction)
{
    CSingleLock lock(m_transactionLock);
    lockTransactions(lock);
    const auto found = m_transactions.find(transaction);
    if (found != m_transactions.end() && found->second->GetMode() == CReplyTarget::ModeKept)
        found->second->SetMode(CReplyTarget::ModeAbandoned);
    m_subscriptionId = 0;
}

// --- state -----------------------------------------------------------------------

void CZELTSession::setLastError(const QString &text)
{
    std::lock_guard lock(m_detailsMutex);
    m_lastError = text;
}

QString CZELTSession::LastError() const
{
    std::lock_guard lock(m_detailsMutex);
    return m_lastError;
}

QByteArray CZELTSession::ServerTimeZone() const
{
    std::lock_guard lock(m_detailsMutex);
    return m_serverTimeZone;
}

uint32_t CZELTSession::SubscriptionId() const
{
    CSingleLock lock(m_transactionLock, true);
    return m_subscriptionId;
}

void CZELTSession::SetLastTransactionNumber(uint32_t last)
{
    CSingleLock lock(m_transactionLock, true);
    m_transactionCounter = last;
}

int CZELTSession::PendingCount() const
{
    CSingleLock lock(m_transactionLock, true);
    return static_cast<int>(m_transactions.size());
}

void CZELTSession::exitForLockFailure() const
{
    AfxMessageBox(m_settings.interlockFailure);
    if (!m_settings.linkEndFailure.isEmpty())
        AfxMessageBox(m_settings.linkEndFailure);
    std::exit(1);
}

void CZELTSession::throwInterlockFailure() const
{
    throw CZltException(m_settings.interlockFailure);
}
