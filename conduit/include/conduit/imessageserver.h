// The text-line listener object: CR LF lines in, replies out, one handler
// per connection made by the caller's factory.
#pragma once

#include "conduit/connectionhandler.h"
#include "conduit/ids.h"

struct IMessageServer : IUnknown {
    virtual HRESULT Start(int port, int timeoutMs, void *handlerFactory, int limit) = 0;
    // `connection` below is the handler the factory made for that connection.
    virtual HRESULT GetLocalAddress(uint32_t *address) = 0;
    virtual HRESULT GetPeerAddress(void *connection, uint32_t *address) = 0;
    // Raw bytes, every one of them.
    virtual HRESULT Send(void *connection, const void *data, uint32_t length, uint32_t *sent) = 0;
    virtual HRESULT Stop(int ms) = 0;
    virtual HRESULT GetLastError(int *error) = 0;

protected:
    ~IMessageServer() = default;
};
