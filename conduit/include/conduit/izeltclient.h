// The client interface: one TCP link to the server, framed messages and
// files, every received frame and link event handed to a CZELTSessionSink.
#pragma once

#include "conduit/ids.h"
#include "conduit/zeltsessionsink.h"

struct IZeltClient : IUnknown {
    virtual HRESULT Connect(const char *host, int port, int timeoutMs, CZELTSessionSink *sink) = 0;
    virtual HRESULT GetLocalAddress(uint32_t *address) = 0;
    virtual HRESULT GetServerAddress(uint32_t *address) = 0;
    virtual HRESULT Send(const void *data, uint32_t length, int type, uint32_t extra, uint32_t *sent) = 0;
    virtual HRESULT SendFile(const char *path, uint32_t senderValue, uint32_t extra) = 0;
    virtual HRESULT Disconnect() = 0;
    virtual HRESULT GetLastError(int *error) = 0;

protected:
    ~IZeltClient() = default;
};
