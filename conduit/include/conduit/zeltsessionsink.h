// The callback object a caller hands to IZeltClient::Connect. Conduit calls
// its operations on the link's receive thread and owns the field block that
// follows the vtable pointer: the caller declares it, never writes it.
#pragma once

#include <cstdint>

// The longest frame payload a link takes. The largest replies of the system
// list every user agent with its record (the reports' AllUA): about 2 KiB a
// box, some 200 MiB for a server of 100 000 boxes. A longer length can only
// come from a corrupt or hostile header, and buffering it would take up to
// 4 GiB: the link ends at its header, and OnDisconnected finds the error
// 10040 (WSAEMSGSIZE) in m_lastType.
constexpr uint32_t kConduitLongestPayload = 256u * 1024 * 1024;

class CZELTSessionSink {
public:
    virtual int OnConnected() = 0;
    virtual int OnDisconnected() = 0;
    virtual int OnMessage(const void *data, uint32_t length, uint32_t type, uint32_t extra) = 0;
    virtual int OnFileReceived(const char *tempName, uint32_t sender, char *nameBuf, int bufSize) = 0;
    virtual int OnStringMessage(const char *text, uint32_t extra) = 0;
    virtual int OnValueMessage(const void *payload) = 0;
    virtual int OnTimeout(int kind) = 0;
    // Runs on the thread that called SendFile, while the file's frame holds
    // the link's send lock: it must not send on the same link.
    virtual int OnSendProgress(uint32_t total, uint32_t sent) = 0;

    // Written by Conduit.
    uintptr_t m_socket = 0;
    uint32_t m_serverAddress = 0; // IPv4, network byte order
    uint32_t m_lastExtra = 0;
    uint32_t m_lastType = 0;      // frame type, or the Winsock error of an event
    char **m_tempFiles = nullptr; // names of received "UP_" files
    uint32_t m_tempFileCapacity = 0;
    uint32_t m_tempFileCount = 0;
    uint32_t m_protocol = 0; // 1 length prefix, 2 twelve-byte header

protected:
    ~CZELTSessionSink() = default;
};

// Kinds given to OnTimeout.
enum : int { ZELT_TIMEOUT_BEFORE_FRAME = 1, ZELT_TIMEOUT_INSIDE_FRAME = 2 };
