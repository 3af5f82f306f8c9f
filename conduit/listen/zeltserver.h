// The framed listener object. Each accepted connection gets a handler from
// the caller's factory; frames, files, time-outs and the connection's end
// reach that handler as a client's reach its sink.
#pragma once

#include "conduit/izeltserver.h"
#include "servercore.h"

#include <atomic>

class CZeltServer final : public IZeltServer {
public:
    CZeltServer() = default;
    CZeltServer(const CZeltServer &) = delete;
    CZeltServer &operator=(const CZeltServer &) = delete;

    HRESULT QueryInterface(const IID *iid, void **out) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT Start(int port, int timeoutMs, void *handlerFactory, int limit) override;
    HRESULT GetLocalAddress(uint32_t *address) override;
    HRESULT GetPeerAddress(void *connection, uint32_t *address) override;
    HRESULT Send(void *connection, const void *data, uint32_t length, int type, uint32_t *sent) override;
    HRESULT SendToAll(const void *data, uint32_t length, int type, uint32_t *sent) override;
    HRESULT SendFile(void *connection, const char *path, uint32_t senderValue) override;
    HRESULT Stop(int ms) override;
    HRESULT GetLastError(int *error) override;

private:
    ~CZeltServer() = default;

    static int ConnectionCallback(uintptr_t dataOrEvent, uint32_t length, uint32_t typeOrError,
                                  uint32_t extra, uint32_t threadId, void *connection);
    int handleEvent(ConduitConnectionRecord *record, uintptr_t event, uint32_t threadId);
    static int deliverFrame(ConduitConnectionRecord *record, CZeltConnectionHandler *handler,
                            const uint8_t *payload, uint32_t length, uint32_t type, uint32_t extra);

    CServerCore m_core;
    std::atomic<ULONG> m_refCount{0};
};
