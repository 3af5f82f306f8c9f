// See listener.h. The accept loop ends when stopAccepting shuts the
// listening socket down (accept then fails at once); each connection runs
// on a thread of its own and gives its slot of the connection limit back
// when it ends, whatever ended it. Threads are std::threads with the
// default stack (callbacks run the caller's code) and normal priority: a
// real-time class needs privileges an ordinary user does not have.
#include "listener.h"

#include "conduit/link/receiveloop.h"
#include "conduit/link/socketdescriptor.h"
#include "conduit/link/workerthreads.h"
#include "lineconnection.h"
#include "linereplyslot.h"

#include "platform/winsock/winsock.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <set>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr int kDefaultTimeoutMs = 3000000;
constexpr int kDefaultInputLimit = 100000;
constexpr int kBacklog = 5;
constexpr int kSendTimeoutMs = 600000;

std::mutex g_liveMutex;
std::set<CListener *> g_live; // records handed out and not yet freed

// Any address, as servers listen; tests confine their listeners to a
// loopback address of their own through VERBANTA_CONDUIT_LISTEN_ADDRESS.
in_addr listeningAddress()
{
    in_addr address{htonl(INADDR_ANY)};
    if (const char *text = std::getenv("VERBANTA_CONDUIT_LISTEN_ADDRESS"))
        inet_aton(text, &address);
    return address;
}

uint32_t currentThreadId()
{
    return static_cast<uint32_t>(syscall(SYS_gettid));
}

// The framed connection's callback as a link callback: the context is the
// connection, and the caller's callback gets the thread id and the record.
int framedCallback(uintptr_t dataOrEvent, uint32_t length, void *context, uint32_t typeOrError,
                   uint32_t extra)
{
    auto *connection = static_cast<CListenerConnection *>(context);
    if (dataOrEvent > ZELT_EVENT_LAST)
        connection->m_lastExtra = extra;
    auto callback = reinterpret_cast<ZeltServerCallback>(connection->m_record.listener->callback);
    return callback(dataOrEvent, length, typeOrError, extra, connection->m_threadId, &connection->m_record);
}

} // namespace

CListener::CListener(Kind kind, int fd) : m_kind(kind), m_listeningFd(fd) {}

CListener::~CListener()
{
    for (CLineReplySlot *slot : m_abandonedReplies)
        slot->Release();
}

int CListener::start(Kind kind, int port, void *callback, int timeoutMs, int connectionLimit, int inputLimit,
                     void *context, ConduitListenerRecord **out)
{
    *out = nullptr;
    int fd = avoidZero(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd < 0)
        return WsaSetLastErrorFromErrno();
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr = listeningAddress();
    if (port < 0 || port > 65535 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(fd, kBacklog) != 0) {
        int error = port < 0 || port > 65535 ? WSAEINVAL : WsaErrorFromErrno(errno);
        ::close(fd);
        WSASetLastError(error);
        return error;
    }

    auto *listener = new CListener(kind, fd);
    ConduitListenerRecord &record = listener->m_record;
    record.listeningSocket = static_cast<uintptr_t>(fd);
    record.callback = callback;
    listener->setTimeout(timeoutMs);
    record.inputLimit = inputLimit > 0 ? inputLimit : kDefaultInputLimit;
    record.connectionLimit = connectionLimit > 0 ? connectionLimit : 0;
    record.context = context;
    record.internal = listener;
    listener->m_limit = std::make_unique<CConnectionLimit>(record.connectionLimit);
    {
        std::lock_guard lock(g_liveMutex);
        g_live.insert(listener);
    }
    try {
        listener->m_acceptThread = std::thread([listener] { listener->acceptLoop(); });
    } catch (const std::system_error &) {
        {
            std::lock_guard lock(g_liveMutex);
            g_live.erase(listener);
        }
        ::close(fd);
        delete listener;
        return 1;
    }
    listener->m_accepting = true;
    *out = &record;
    return 0;
}

CListener *CListener::fromRecord(void *record)
{
    if (!record)
        return nullptr;
    std::lock_guard lock(g_liveMutex);
    for (CListener *listener : g_live)
        if (&listener->m_record == record)
            return listener;
    return nullptr;
}

void CListener::setTimeout(int ms)
{
    std::atomic_ref(m_record.timeoutMs).store(ms > 0 ? ms : kDefaultTimeoutMs);
}

int CListener::timeoutMs()
{
    return std::atomic_ref(m_record.timeoutMs).load();
}

int CListener::stopAccepting()
{
    if (!m_accepting.exchange(false))
        return SOCKET_ERROR;
    m_limit->stop();
    ::shutdown(m_listeningFd, SHUT_RDWR); // accept fails at once from now on
    m_acceptThread.join();
    ::close(m_listeningFd);
    return 0;
}

bool CListener::endConnections(int ms)
{
    std::unique_lock lock(m_mutex);
    for (const auto &connection : m_connections)
        connection->m_link->stop();
    auto allEnded = [this] { return m_connections.empty(); };
    if (ms < 0) {
        m_connectionEnded.wait(lock, allEnded);
        return true;
    }
    return m_connectionEnded.wait_for(lock, std::chrono::milliseconds(ms), allEnded);
}

void CListener::free()
{
    {
        std::lock_guard lock(g_liveMutex);
        g_live.erase(this);
    }
    stopAccepting();
    endConnections(-1);
    m_connectionThreads.joinAll();
    delete this;
}

std::shared_ptr<CListenerConnection> CListener::findConnection(void *connection)
{
    std::lock_guard lock(m_mutex);
    for (const auto &live : m_connections)
        if (&live->m_record == connection)
            return live;
    return nullptr;
}

std::shared_ptr<CListenerConnection> CListener::findByHandler(void *handler)
{
    std::lock_guard lock(m_mutex);
    for (const auto &live : m_connections)
        if (handler && live->m_record.handler == handler)
            return live;
    return nullptr;
}

std::vector<std::shared_ptr<CListenerConnection>> CListener::connections()
{
    std::lock_guard lock(m_mutex);
    return m_connections;
}

void CListener::keepAbandonedReply(CLineReplySlot *slot)
{
    std::lock_guard lock(m_mutex);
    m_abandonedReplies.push_back(slot);
}

void CListener::acceptLoop()
{
    for (;;) {
        if (!m_limit->acquire())
            return;
        sockaddr_in peer{};
        socklen_t size = sizeof peer;
        int fd = ::accept4(m_listeningFd, reinterpret_cast<sockaddr *>(&peer), &size, SOCK_CLOEXEC);
        if (fd < 0) {
            int error = errno;
            m_limit->release();
            if (error == EINVAL || error == EBADF)
                return; // shut down: the listener is stopping
            if (error == EMFILE || error == ENFILE || error == ENOBUFS || error == ENOMEM)
                std::this_thread::sleep_for(std::chrono::milliseconds(50)); // let descriptors come back
            continue;
        }
        auto connection =
            std::make_shared<CListenerConnection>(&m_record, avoidZero(fd), peer.sin_addr.s_addr);
        {
            std::lock_guard lock(m_mutex);
            m_connections.push_back(connection);
        }
        if (!m_connectionThreads.start([this, connection] { serve(connection); }))
            connectionEnded(connection);
    }
}

void CListener::serve(const std::shared_ptr<CListenerConnection> &connection)
{
    connection->m_threadId = currentThreadId();
    const int fd = connection->m_link->socket();
    setMilliseconds(fd, SO_SNDTIMEO, kSendTimeoutMs);
    if (m_kind == Kind::Framed) {
        setMilliseconds(fd, SO_RCVTIMEO, timeoutMs());
        ReceiveLoopOptions options;
        options.refusedTimeoutEvent = ZELT_EVENT_CLOSED;
        options.reportStopRequest = true;
        options.startCanRefuse = true;
        CReceiveLoop(connection->m_link, connection.get(), &framedCallback, 2, options).run();
    } else {
        CLineConnection(*this, connection).run();
    }
    connectionEnded(connection);
}

void CListener::connectionEnded(const std::shared_ptr<CListenerConnection> &connection)
{
    connection->m_link->close();
    m_limit->release();
    std::lock_guard lock(m_mutex);
    m_connections.erase(std::find(m_connections.begin(), m_connections.end(), connection));
    m_connectionEnded.notify_all();
}
