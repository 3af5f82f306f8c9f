// The receive loop of one link: reads frames, hands each one and every link
// event to the callback, and ends the link. RunClient runs it on a thread of
// its own; the fuzz target runs it in place over a socket pair.
//
// Reads go through a buffer so a small frame costs one recv; a payload grows
// its buffer as bytes arrive, so a hostile length field never allocates more
// than the peer really sent (plus the buffer's doubling). A length above
// the longest payload of the system ends the link with event 4 and the
// error WSAEMSGSIZE before a byte of it is read.
#pragma once

#include "conduit/exports.h"
#include "link.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// Events given to the callback in place of a payload pointer.
enum : uintptr_t {
    ZELT_EVENT_STARTED = 0,
    ZELT_EVENT_CLOSED = 3,
    ZELT_EVENT_BROKEN = 4,
    ZELT_EVENT_IDLE_TIMEOUT = 5,
    ZELT_EVENT_FRAME_TIMEOUT = 6,
    ZELT_EVENT_LAST = 15, // values above are payload pointers
};

// Where the framed listener's connections differ from a client link.
struct ReceiveLoopOptions {
    uintptr_t refusedTimeoutEvent = ZELT_EVENT_BROKEN;
    bool reportStopRequest = false; // a nonzero frame result ends with event 4
    bool startCanRefuse = false;    // a negative start result ends with event 4
};

class CReceiveLoop {
public:
    using Options = ReceiveLoopOptions;

    CReceiveLoop(std::shared_ptr<CLink> link, void *context, ConduitCallback callback, int protocol,
                 Options options = {});
    CReceiveLoop(const CReceiveLoop &) = delete;
    CReceiveLoop &operator=(const CReceiveLoop &) = delete;

    // Runs until the link ends; the link is closed on return.
    void run();

private:
    enum class ReadResult { Complete, Incomplete, Ended };

    ReadResult readExactly(uint8_t *out, size_t length, bool insideFrame);
    ReadResult readPayload(uint32_t length, uint8_t **payload);
    // Some bytes (at most `maximum`) into `out`; 0 with a result when none come.
    size_t readSome(uint8_t *out, size_t maximum, bool insideFrame, ReadResult *result);
    // One recv, repeated after a time-out the callback lets pass.
    size_t receive(uint8_t *out, size_t maximum, bool insideFrame, ReadResult *result);
    // A receive time-out: true to keep waiting; false when the callback
    // refused and the link was ended with event 4.
    bool keepWaitingAfterTimeout(bool insideFrame);
    int call(uintptr_t dataOrEvent, uint32_t length, uint32_t typeOrError, uint32_t extra);
    void endLink();
    void endWithEvent(uintptr_t event, uint32_t error);

    std::shared_ptr<CLink> m_link;
    void *m_context;
    ConduitCallback m_callback;
    int m_protocol;
    Options m_options;

    static constexpr size_t kBufferSize = 64 * 1024;
    std::unique_ptr<uint8_t[]> m_buffer;
    size_t m_bufferStart = 0;
    size_t m_bufferEnd = 0;
};
