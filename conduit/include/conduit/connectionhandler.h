// What a caller of the listener objects supplies: a factory that makes one
// handler for each accepted connection, and the handlers. The listener
// calls a handler's operations on that connection's thread and owns the
// field block after its table (the caller declares it, never writes it).
#pragma once

#include <cstdint>

#include "conduit/listenerrecord.h"

// Answer to a line of a message-server connection. A handler answers at
// once with Complete before its OnData returns 0, or later: it takes a
// reference, returns how many ms the connection may wait, and calls Complete
// (then Release) from any thread. A reply that comes after the wait ran out
// is dropped (Complete then returns 0), never written to freed memory.
class CDeferredReply {
public:
    virtual void AddRef() = 0;
    virtual void Release() = 0;
    // Copies the reply; 1 when the connection takes it, 0 when too late.
    // A reply starting with byte 0xFF names a file to send and delete.
    virtual int Complete(const void *data, uint32_t length) = 0;

protected:
    ~CDeferredReply() = default;
};

class CConnectionHandler {
public:
    // Not called by the listener: present so the slots below keep their places.
    virtual int AddRef() = 0;
    // The listener is done with the handler (after OnClosing).
    virtual int Release() = 0;
    virtual int OnOpened(uint32_t threadId) = 0;
    virtual int OnClosing(uint32_t threadId) = 0;
    // A frame (framed listener: `typeOrThreadId` is its type) or a text line
    // without its CR LF (message server: the thread id). Framed: nonzero ends
    // the connection. Lines: 0 answered (or no answer), 1 or more the ms to
    // wait for a deferred reply, negative ends the connection.
    virtual int OnData(const void *data, uint32_t length, uint32_t typeOrThreadId) = 0;

    // Written by the listener.
    ConduitListenerRecord *m_listener = nullptr;
    uintptr_t m_socket = 0;
    uint32_t m_peerAddress = 0;
    uint32_t m_lastExtra = 0;
    uint32_t m_lastType = 0; // frame type, or the Winsock error of an event
    char **m_tempFiles = nullptr;
    uint32_t m_tempFileCapacity = 0;
    uint32_t m_tempFileCount = 0;
    CDeferredReply *m_reply = nullptr; // message server: the reply to the line being given to OnData

protected:
    ~CConnectionHandler() = default;
};

// Handlers of the framed listener (IZeltServer) also take files, text and
// value frames and time-outs, as the client's sink does.
class CZeltConnectionHandler : public CConnectionHandler {
public:
    virtual int OnFileReceived(const char *tempName, uint32_t sender, char *nameBuf, int bufSize) = 0;
    virtual int OnTextFrame(const char *text, uint32_t extra) = 0;
    virtual int OnValueFrame(const void *payload) = 0;
    // 1 before a frame, 2 inside one; 0 keeps waiting.
    virtual int OnTimeout(int kind) = 0;

protected:
    ~CZeltConnectionHandler() = default;
};

// The caller's factory given to Start. The listener writes its record into
// m_listener before the first connection.
class CConnectionHandlerFactory {
public:
    // A new handler (with one reference held for the listener), or null to
    // refuse the connection.
    virtual CConnectionHandler *CreateHandler() = 0;

    ConduitListenerRecord *m_listener = nullptr;

protected:
    ~CConnectionHandlerFactory() = default;
};
