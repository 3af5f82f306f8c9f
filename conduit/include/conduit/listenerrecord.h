// The records the listener exports hand out. A start function gives the
// caller its listener record (StopServer, SetTimeout and FreeServer take
// it back); every callback of a connection gets that connection's record,
// from which the caller reaches its own context. Both stay valid until
// FreeServer (or the listener object's Stop) returned.
#pragma once

#include <cstdint>

struct ConduitListenerRecord {
    uintptr_t listeningSocket;
    void *callback;          // the ZeltServerCallback or LineServerCallback given
    int32_t timeoutMs;       // receive time-out (framed) or deferred-reply limit (lines)
    int32_t inputLimit;      // bytes of one unfinished line (lines only)
    int32_t connectionLimit; // 0: no limit
    void *context;           // the caller's, as given to the start function
    void *internal;          // the library's; never touched by callers
};

struct ConduitConnectionRecord {
    ConduitListenerRecord *listener;
    uintptr_t socket;
    uint32_t peerAddress; // IPv4, network byte order
    void *handler;        // the listener objects' handler of this connection
};
