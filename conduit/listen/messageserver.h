// The text-line listener object. Each accepted connection gets a handler
// from the caller's factory; each CR LF line goes to its OnData, which
// answers through the connection's CDeferredReply, now or later.
#pragma once

#include "conduit/imessageserver.h"
#include "servercore.h"

#include <atomic>

class CMessageServer final : public IMessageServer {
public:
    CMessageServer() = default;
    CMessageServer(const CMessageServer &) = delete;
    CMessageServer &operator=(const CMessageServer &) = delete;

    HRESULT QueryInterface(const IID *iid, void **out) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT Start(int port, int timeoutMs, void *handlerFactory, int limit) override;
    HRESULT GetLocalAddress(uint32_t *address) override;
    HRESULT GetPeerAddress(void *connection, uint32_t *address) override;
    HRESULT Send(void *connection, const void *data, uint32_t length, uint32_t *sent) override;
    HRESULT Stop(int ms) override;
    HRESULT GetLastError(int *error) override;

private:
    ~CMessageServer() = default;

    static int LineCallback(uintptr_t lineOrEvent, uint32_t length, char **reply, uint32_t *replyLength,
                            uint32_t threadId, void *connection, void *event, void *semaphore);
    int opened(ConduitConnectionRecord *record, uint32_t threadId);

    CServerCore m_core;
    std::atomic<ULONG> m_refCount{0};
};
