// The client object: one TCP link to the server behind IZeltClient. The
// link's state lives in the caller's sink (its field block) and in the
// link itself; the object keeps the sink and its link so that methods called
// before Connect, or after the link ended, fail cleanly.
#pragma once

#include "conduit/izeltclient.h"
#include "conduit/link/link.h"

#include <atomic>
#include <memory>

class CZeltClient final : public IZeltClient {
public:
    CZeltClient() = default;
    CZeltClient(const CZeltClient &) = delete;
    CZeltClient &operator=(const CZeltClient &) = delete;

    HRESULT QueryInterface(const IID *iid, void **out) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT Connect(const char *host, int port, int timeoutMs, CZELTSessionSink *sink) override;
    HRESULT GetLocalAddress(uint32_t *address) override;
    HRESULT GetServerAddress(uint32_t *address) override;
    HRESULT Send(const void *data, uint32_t length, int type, uint32_t extra, uint32_t *sent) override;
    HRESULT SendFile(const char *path, uint32_t senderValue, uint32_t extra) override;
    HRESULT Disconnect() override;
    HRESULT GetLastError(int *error) override;

    // The function the receive thread calls for this kind of link; the
    // context is the sink.
    static int ReceiveCallback(uintptr_t dataOrEvent, uint32_t length, void *context, uint32_t typeOrError,
                               uint32_t extra);

private:
    ~CZeltClient() = default;
    static int deliverFrame(CZELTSessionSink *sink, CLink &link, const uint8_t *payload, uint32_t length,
                            uint32_t type, uint32_t extra);

    CZELTSessionSink *m_sink = nullptr; // set while Connect succeeds
    std::shared_ptr<CLink> m_link;
    std::atomic<ULONG> m_refCount{0};
};

// The first IPv4 address of this machine's host name; false when a look-up
// fails. Shared with the listeners' GetLocalAddress.
bool LocalHostAddress(uint32_t *address);
