// See servercore.h.
#include "servercore.h"

#include "conduit/ids.h"

#include "platform/winsock/winsock.h"

CServerCore::~CServerCore()
{
    if (listener())
        stop(-1);
}

HRESULT CServerCore::start(CListener::Kind kind, int port, int timeoutMs, void *handlerFactory, int limit,
                           void *callback, void *owner)
{
    if (listener() || !handlerFactory)
        return CONDUIT_E_FAIL;
    m_factory = static_cast<CConnectionHandlerFactory *>(handlerFactory);
    ConduitListenerRecord *record = nullptr;
    // The owner is the context; the factory is found through the owner.
    int result = CListener::start(kind, port, callback, timeoutMs, limit, 0, owner, &record);
    if (result != 0) {
        WSASetLastError(result);
        m_factory = nullptr;
        return CONDUIT_E_FAIL;
    }
    m_factory->m_listener = record;
    m_record = record;
    return S_OK;
}

HRESULT CServerCore::stop(int ms)
{
    CListener *running = listener();
    if (!running)
        return CONDUIT_E_FAIL;
    running->stopAccepting();
    if (!running->endConnections(ms))
        return CONDUIT_E_FAIL; // a handler still runs: the listener stays until a later Stop
    running->free();
    m_record = nullptr;
    m_factory = nullptr;
    return S_OK;
}

HRESULT CServerCore::peerAddress(void *connection, uint32_t *address)
{
    auto found = this->connection(connection);
    if (!found || !address)
        return CONDUIT_E_FAIL;
    *address = found->m_record.peerAddress;
    return S_OK;
}

std::shared_ptr<CListenerConnection> CServerCore::connection(void *connection)
{
    CListener *running = listener();
    return running ? running->findByHandler(connection) : nullptr;
}

std::vector<std::shared_ptr<CListenerConnection>> CServerCore::connections()
{
    CListener *running = listener();
    return running ? running->connections() : std::vector<std::shared_ptr<CListenerConnection>>{};
}
