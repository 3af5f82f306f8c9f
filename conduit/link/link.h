// One open socket of the library and the rules for ending it. Frames sent by
// callers and the answers the receive thread writes (file frames) share one
// send lock so they never interleave on the wire. Stopping a link only shuts
// the socket down, which wakes a blocked reader or sender; the number itself
// is closed once, by the link's owner (its receive thread), so no other
// thread can ever act on a number the system has handed out again.
//
// The link also owns the list of "UP_" files received on it: they are
// deleted when the link ends, whoever asked for the end, so ending a link
// never has to go back to a caller's object that may be gone by then.
#pragma once

#include "tempfilelist.h"

#include <cstddef>
#include <cstdint>
#include <mutex>

class CLink {
public:
    // Takes ownership of `fd`.
    explicit CLink(int fd);
    ~CLink();
    CLink(const CLink &) = delete;
    CLink &operator=(const CLink &) = delete;

    int socket() const { return m_fd; }

    // Sends `header` then `payload` as one frame under the send lock, every
    // byte or a failure. `payloadSent` (optional) counts the payload bytes that
    // went. On failure the calling thread's Winsock error says why.
    bool sendFrame(const void *header, size_t headerLength, const void *payload, size_t payloadLength,
                   uint32_t *payloadSent = nullptr);

    // For a frame sent in several steps (a file with progress calls): hold the
    // returned lock across the steps and send with sendAllLocked.
    std::unique_lock<std::mutex> lockSending() { return std::unique_lock(m_sendMutex); }
    bool sendAllLocked(const void *data, size_t length, size_t *sent = nullptr);

    // Wakes whoever blocks on the socket; the number stays open. Harmless
    // after close().
    void stop();
    // Ends the link: deletes the received files, shuts the socket, waits for
    // a send in progress to give up, and closes the number. Only the first
    // call acts.
    void close();

    // Files received on this link. Only the link's receive thread uses it,
    // until close() takes it along.
    CTempFileList receivedFiles()
    {
        return CTempFileList(m_receivedFiles, m_receivedCapacity, m_receivedCount);
    }

private:
    const int m_fd;
    std::mutex m_sendMutex;  // one frame at a time
    std::mutex m_stateMutex; // guards m_closed against stop()
    bool m_closed = false;
    char **m_receivedFiles = nullptr;
    uint32_t m_receivedCapacity = 0;
    uint32_t m_receivedCount = 0;
};
