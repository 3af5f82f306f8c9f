// The process-wide table from socket handle to link, so the plain exports,
// which only get a handle, find the link's send lock and know whether a
// receive thread owns the socket. A link leaves the table before its number
// is closed, so a handle found here is always still open.
#pragma once

#include "link.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

class CLinkTable {
public:
    static CLinkTable &instance();

    // Enters a freshly connected socket (no reader yet).
    std::shared_ptr<CLink> add(int fd);
    std::shared_ptr<CLink> find(uintptr_t socket) const;
    // Marks `socket` as owned by a receive thread, entering it when it came
    // from elsewhere. Null when a reader owns it already.
    std::shared_ptr<CLink> attachReader(uintptr_t socket);
    // Gives the socket back when its receive thread could not start.
    void detachReader(uintptr_t socket);
    // Takes the link out of the table; the caller closes it.
    std::shared_ptr<CLink> remove(uintptr_t socket);

    // Stops a link that has a reader (the reader closes it) or removes and
    // closes one that has none. False when the socket is unknown.
    bool stopOrClose(uintptr_t socket);

private:
    struct Entry {
        std::shared_ptr<CLink> link;
        bool hasReader = false;
    };
    mutable std::mutex m_mutex;
    std::unordered_map<uintptr_t, Entry> m_links;
};
