// The thread of one text-line connection: CR LF lines in, each handed to
// the callback; its reply (now, or later within the wait it asks for) goes
// back out; the end of the connection is reported once with its reason.
#pragma once

#include "listener.h"
#include "listenerconnection.h"

#include <cstdint>
#include <memory>
#include <string>

// End events of a line connection.
enum : uintptr_t {
    LINE_EVENT_OPENED = 0,
    LINE_EVENT_PEER_CLOSED = 2,
    LINE_EVENT_READ_FAILED = 3,
    LINE_EVENT_REFUSED = 4, // input limit, negative result, reply wait ran out
};

class CLineConnection {
public:
    CLineConnection(CListener &listener, std::shared_ptr<CListenerConnection> connection);

    void run();

private:
    // 0 when the connection goes on, else the end event to report.
    uintptr_t handleLine(const char *line, uint32_t length);
    uintptr_t sendReply(char *reply, uint32_t length);
    bool sendFileReply(const std::string &path);
    void end(uintptr_t event);
    // The callback, with no semaphore: reply slots outlive every wait.
    int call(uintptr_t lineOrEvent, uint32_t length, char **reply, uint32_t *replyLength, void *event);

    CListener &m_listener;
    std::shared_ptr<CListenerConnection> m_connection;
    LineServerCallback m_callback;
};
