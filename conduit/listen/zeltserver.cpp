// See zeltserver.h.
#include "zeltserver.h"

#include "conduit/client/zeltclient.h"
#include "conduit/com/module.h"
#include "conduit/link/fileframereceiver.h"
#include "conduit/link/receiveloop.h"
#include "conduit/link/tempfilelist.h"
#include "conduit/link/zeltmessageheader.h"

#include "platform/winsock/winsock.h"

#include <cstdlib>
#include <memory>

namespace {

struct FreeDeleter {
    void operator()(void *p) const { std::free(p); }
};

CTempFileList tempFilesOf(CConnectionHandler *handler)
{
    return CTempFileList(handler->m_tempFiles, handler->m_tempFileCapacity, handler->m_tempFileCount);
}

bool sendFrame(CLink &link, int type, uint32_t extra, const void *data, uint32_t length, uint32_t *sent)
{
    ZeltMessageHeader header;
    header.type = static_cast<uint8_t>(type);
    header.length = length;
    header.extra = extra;
    uint8_t bytes[ZeltMessageHeader::kSize];
    header.encode(bytes);
    return link.sendFrame(bytes, sizeof bytes, data, length, sent);
}

} // namespace

HRESULT CZeltServer::QueryInterface(const IID *iid, void **out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!iid || !(*iid == IID_IUnknown || *iid == IID_IZeltServer))
        return E_NOINTERFACE;
    *out = static_cast<IZeltServer *>(this);
    AddRef();
    return S_OK;
}

ULONG CZeltServer::AddRef()
{
    ConduitModule::objectReferenced();
    return ++m_refCount;
}

ULONG CZeltServer::Release()
{
    ConduitModule::objectReleased();
    ULONG left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CZeltServer::Start(int port, int timeoutMs, void *handlerFactory, int limit)
{
    return m_core.start(CListener::Kind::Framed, port, timeoutMs, handlerFactory, limit,
                        reinterpret_cast<void *>(&CZeltServer::ConnectionCallback), this);
}

HRESULT CZeltServer::GetLocalAddress(uint32_t *address)
{
    if (address)
        LocalHostAddress(address);
    return S_OK;
}

HRESULT CZeltServer::GetPeerAddress(void *connection, uint32_t *address)
{
    return m_core.peerAddress(connection, address);
}

HRESULT CZeltServer::Send(void *connection, const void *data, uint32_t length, int type, uint32_t *sent)
{
    if (sent)
        *sent = 0;
    auto found = m_core.connection(connection);
    if (!found || (!data && length > 0))
        return CONDUIT_E_FAIL;
    return sendFrame(*found->m_link, type, found->m_lastExtra, data, length, sent) ? S_OK : CONDUIT_E_FAIL;
}

HRESULT CZeltServer::SendToAll(const void *data, uint32_t length, int type, uint32_t *sent)
{
    if (sent)
        *sent = 0;
    if (!data && length > 0)
        return CONDUIT_E_FAIL;
    uint32_t total = 0;
    for (const auto &connection : m_core.connections()) {
        uint32_t one = 0;
        if (!sendFrame(*connection->m_link, type, 0, data, length, &one))
            return CONDUIT_E_FAIL;
        total += one;
        if (sent)
            *sent = total;
    }
    return S_OK;
}

HRESULT CZeltServer::SendFile(void *connection, const char *path, uint32_t senderValue)
{
    auto found = m_core.connection(connection);
    if (!found)
        return CONDUIT_E_FAIL;
    int size = 0;
    std::unique_ptr<uint8_t, FreeDeleter> bytes(static_cast<uint8_t *>(GetFileData(path, &size)));
    if (!bytes)
        return CONDUIT_E_FAIL;
    const auto total = static_cast<uint32_t>(size); // at most INT32_MAX: the frame length can't wrap
    ZeltMessageHeader frame;
    frame.type = ZELT_TYPE_FILE;
    frame.length = total + static_cast<uint32_t>(ZeltFileHeader::kPrefixSize);
    uint8_t header[ZeltFileHeader::kSize];
    frame.encode(header);
    putLittleEndian32(header + ZeltMessageHeader::kSize, senderValue);
    putLittleEndian32(header + ZeltMessageHeader::kSize + 4, total);
    return found->m_link->sendFrame(header, sizeof header, bytes.get(), total) ? S_OK : CONDUIT_E_FAIL;
}

HRESULT CZeltServer::Stop(int ms)
{
    return m_core.stop(ms);
}

HRESULT CZeltServer::GetLastError(int *error)
{
    if (error)
        *error = WSAGetLastError();
    return S_OK;
}

int CZeltServer::ConnectionCallback(uintptr_t dataOrEvent, uint32_t length, uint32_t typeOrError,
                                    uint32_t extra, uint32_t threadId, void *connection)
{
    auto *record = static_cast<ConduitConnectionRecord *>(connection);
    auto *server = static_cast<CZeltServer *>(record->listener->context);
    auto *handler = static_cast<CZeltConnectionHandler *>(record->handler);
    if (handler) {
        handler->m_lastType = typeOrError;
        handler->m_lastExtra = extra;
    }
    if (dataOrEvent <= ZELT_EVENT_LAST)
        return server->handleEvent(record, dataOrEvent, threadId);
    if (!handler)
        return 1;
    return deliverFrame(record, handler, reinterpret_cast<const uint8_t *>(dataOrEvent), length, typeOrError,
                        extra);
}

int CZeltServer::handleEvent(ConduitConnectionRecord *record, uintptr_t event, uint32_t threadId)
{
    auto *handler = static_cast<CZeltConnectionHandler *>(record->handler);
    switch (event) {
    case ZELT_EVENT_STARTED: {
        handler = static_cast<CZeltConnectionHandler *>(m_core.factory()->CreateHandler());
        if (!handler)
            return -1; // refused: the connection ends
        handler->m_listener = record->listener;
        handler->m_socket = record->socket;
        handler->m_peerAddress = record->peerAddress;
        tempFilesOf(handler).create();
        record->handler = handler;
        return handler->OnOpened(threadId);
    }
    case ZELT_EVENT_IDLE_TIMEOUT:
        return handler ? handler->OnTimeout(ZELT_TIMEOUT_BEFORE_FRAME) : 1;
    case ZELT_EVENT_FRAME_TIMEOUT:
        return handler ? handler->OnTimeout(ZELT_TIMEOUT_INSIDE_FRAME) : 1;
    default:
        if (!handler)
            return 0;
        tempFilesOf(handler).deleteAll();
        record->handler = nullptr;
        handler->OnClosing(threadId);
        handler->Release();
        return 0;
    }
}

int CZeltServer::deliverFrame(ConduitConnectionRecord *record, CZeltConnectionHandler *handler,
                              const uint8_t *payload, uint32_t length, uint32_t type, uint32_t extra)
{
    switch (type) {
    case ZELT_TYPE_VALUE:
        return length < sizeof(uint32_t) ? 0 : handler->OnValueFrame(payload);
    case ZELT_TYPE_TEXT:
        handler->OnTextFrame(reinterpret_cast<const char *>(payload), extra);
        return 0;
    case ZELT_TYPE_FILE: {
        auto connection = static_cast<CListener *>(record->listener->internal)->findConnection(record);
        CTempFileList list = tempFilesOf(handler);
        CFileFrameReceiver::receive(payload, length, list, connection ? connection->m_link.get() : nullptr,
                                    extra,
                                    [handler](const char *temp, uint32_t sender, char *buffer, int size) {
                                        handler->OnFileReceived(temp, sender, buffer, size);
                                    });
        return 0;
    }
    default:
        return handler->OnData(payload, length, type);
    }
}
