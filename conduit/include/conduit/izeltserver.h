// The framed listener object: accepts links that speak the 12-byte header
// framing, one handler per connection made by the caller's factory.
#pragma once

#include "conduit/connectionhandler.h"
#include "conduit/ids.h"

struct IZeltServer : IUnknown {
    // `handlerFactory` is a CConnectionHandlerFactory whose handlers are
    // CZeltConnectionHandlers.
    virtual HRESULT Start(int port, int timeoutMs, void *handlerFactory, int limit) = 0;
    // `connection` below is the handler the factory made for that connection.
    virtual HRESULT GetLocalAddress(uint32_t *address) = 0;
    virtual HRESULT GetPeerAddress(void *connection, uint32_t *address) = 0;
    // The frame carries the last extra received on the connection.
    virtual HRESULT Send(void *connection, const void *data, uint32_t length, int type, uint32_t *sent) = 0;
    virtual HRESULT SendToAll(const void *data, uint32_t length, int type, uint32_t *sent) = 0;
    virtual HRESULT SendFile(void *connection, const char *path, uint32_t senderValue) = 0;
    virtual HRESULT Stop(int ms) = 0;
    virtual HRESULT GetLastError(int *error) = 0;

protected:
    ~IZeltServer() = default;
};
