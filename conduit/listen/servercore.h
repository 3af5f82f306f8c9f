// What the two listener objects share: starting a listener with the
// caller's handler factory, finding a live connection from the pointer a
// caller hands back, and stopping.
#pragma once

#include "conduit/connectionhandler.h"
#include "listener.h"

#include <memory>

class CServerCore {
public:
    CServerCore() = default;
    ~CServerCore();
    CServerCore(const CServerCore &) = delete;
    CServerCore &operator=(const CServerCore &) = delete;

    // `owner` becomes the listener's context, which the callback reads.
    HRESULT start(CListener::Kind kind, int port, int timeoutMs, void *handlerFactory, int limit,
                  void *callback, void *owner);
    // Stops accepting, ends every connection and waits up to `ms` (negative:
    // no bound) for their threads; the listener is freed once they ended.
    HRESULT stop(int ms);
    HRESULT peerAddress(void *connection, uint32_t *address);
    // A caller names a connection by its handler; null for a pointer that is
    // not the handler of a live connection of this listener.
    std::shared_ptr<CListenerConnection> connection(void *connection);
    std::vector<std::shared_ptr<CListenerConnection>> connections();
    CConnectionHandlerFactory *factory() const { return m_factory; }

private:
    // The listener, unless a caller freed its record behind our back.
    CListener *listener() const { return CListener::fromRecord(m_record); }

    ConduitListenerRecord *m_record = nullptr;
    CConnectionHandlerFactory *m_factory = nullptr;
};
