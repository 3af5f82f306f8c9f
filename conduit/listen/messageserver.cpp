// See messageserver.h.
#include "messageserver.h"

#include "conduit/client/zeltclient.h"
#include "conduit/com/module.h"
#include "conduit/link/receiveloop.h"
#include "lineconnection.h"
#include "linereplyslot.h"

#include "platform/winsock/winsock.h"

HRESULT CMessageServer::QueryInterface(const IID *iid, void **out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!iid || !(*iid == IID_IUnknown || *iid == IID_IMessageServer))
        return E_NOINTERFACE;
    *out = static_cast<IMessageServer *>(this);
    AddRef();
    return S_OK;
}

ULONG CMessageServer::AddRef()
{
    ConduitModule::objectReferenced();
    return ++m_refCount;
}

ULONG CMessageServer::Release()
{
    ConduitModule::objectReleased();
    ULONG left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CMessageServer::Start(int port, int timeoutMs, void *handlerFactory, int limit)
{
    return m_core.start(CListener::Kind::Lines, port, timeoutMs, handlerFactory, limit,
                        reinterpret_cast<void *>(&CMessageServer::LineCallback), this);
}

HRESULT CMessageServer::GetLocalAddress(uint32_t *address)
{
    if (address)
        LocalHostAddress(address);
    return S_OK;
}

HRESULT CMessageServer::GetPeerAddress(void *connection, uint32_t *address)
{
    return m_core.peerAddress(connection, address);
}

HRESULT CMessageServer::Send(void *connection, const void *data, uint32_t length, uint32_t *sent)
{
    if (sent)
        *sent = 0;
    auto found = m_core.connection(connection);
    if (!found || (!data && length > 0))
        return CONDUIT_E_FAIL;
    return found->m_link->sendFrame(nullptr, 0, data, length, sent) ? S_OK : CONDUIT_E_FAIL;
}

HRESULT CMessageServer::Stop(int ms)
{
    return m_core.stop(ms);
}

HRESULT CMessageServer::GetLastError(int *error)
{
    if (error)
        *error = WSAGetLastError();
    return S_OK;
}

int CMessageServer::LineCallback(uintptr_t lineOrEvent, uint32_t length, char **, uint32_t *,
                                 uint32_t threadId, void *connection, void *, void *)
{
    auto *record = static_cast<ConduitConnectionRecord *>(connection);
    auto *server = static_cast<CMessageServer *>(record->listener->context);
    auto *handler = static_cast<CConnectionHandler *>(record->handler);
    if (lineOrEvent == LINE_EVENT_OPENED)
        return server->opened(record, threadId);
    if (lineOrEvent <= ZELT_EVENT_LAST) {
        if (handler) {
            record->handler = nullptr;
            handler->OnClosing(threadId);
            handler->Release();
        }
        return 0;
    }
    if (!handler)
        return -1;
    auto found = static_cast<CListener *>(record->listener->internal)->findConnection(record);
    handler->m_reply = found ? found->m_currentReply : nullptr;
    int result = handler->OnData(reinterpret_cast<const char *>(lineOrEvent), length, threadId);
    handler->m_reply = nullptr;
    return result;
}

int CMessageServer::opened(ConduitConnectionRecord *record, uint32_t threadId)
{
    CConnectionHandler *handler = m_core.factory()->CreateHandler();
    if (!handler)
        return -1;
    handler->m_listener = record->listener;
    handler->m_socket = record->socket;
    handler->m_peerAddress = record->peerAddress;
    record->handler = handler;
    return handler->OnOpened(threadId);
}
