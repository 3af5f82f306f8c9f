// One listening socket with its accept thread and the threads of its
// connections. The record handed to callers stays valid until free(), which
// waits for every thread of the listener first: nothing is freed while a
// thread may still use it.
#pragma once

#include "conduit/exports.h"
#include "conduit/link/workerthreads.h"
#include "conduit/listenerrecord.h"
#include "connectionlimit.h"
#include "listenerconnection.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CLineReplySlot;

class CListener {
public:
    enum class Kind { Framed, Lines };

    // 0 with the record in `*out`, 1 when the accept thread can't start, or
    // the Winsock error of socket, bind or listen.
    static int start(Kind kind, int port, void *callback, int timeoutMs, int connectionLimit, int inputLimit,
                     void *context, ConduitListenerRecord **out);
    // The listener of a record handed out and not yet freed, else null.
    static CListener *fromRecord(void *record);

    ConduitListenerRecord *record() { return &m_record; }
    // The record's time-out, changed and read while connections run.
    void setTimeout(int ms);
    int timeoutMs();

    // Closes the listening socket and waits for the accept thread;
    // connections go on. 0, or SOCKET_ERROR when already stopped.
    int stopAccepting();
    // Stops every connection; true when all their threads ended within `ms`
    // (negative: no bound).
    bool endConnections(int ms);
    // Stops everything, waits for every thread, and deletes the listener.
    void free();

    // The live connection whose record is `connection`, else null.
    std::shared_ptr<CListenerConnection> findConnection(void *connection);
    // The live connection served by `handler` (listener objects), else null.
    std::shared_ptr<CListenerConnection> findByHandler(void *handler);
    std::vector<std::shared_ptr<CListenerConnection>> connections();
    // Keeps a reply slot whose wait ran out until the listener is freed.
    void keepAbandonedReply(CLineReplySlot *slot);

private:
    CListener(Kind kind, int fd);
    ~CListener();

    void acceptLoop();
    void serve(const std::shared_ptr<CListenerConnection> &connection);
    void connectionEnded(const std::shared_ptr<CListenerConnection> &connection);

    const Kind m_kind;
    const int m_listeningFd;
    ConduitListenerRecord m_record{};
    std::unique_ptr<CConnectionLimit> m_limit;
    std::thread m_acceptThread;
    std::atomic<bool> m_accepting{false};
    // The connections' threads, joined by free() once they are stopped.
    CWorkerThreads m_connectionThreads;

    std::mutex m_mutex; // guards what follows
    std::condition_variable m_connectionEnded;
    std::vector<std::shared_ptr<CListenerConnection>> m_connections;
    std::vector<CLineReplySlot *> m_abandonedReplies;
};
