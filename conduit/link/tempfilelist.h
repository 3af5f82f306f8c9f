// The list of received "UP_" files that a sink or handler carries in its
// field block (array pointer, capacity, count). The library owns the array
// and the names (malloc), so a caller can read them in place.
#pragma once

#include <cstdint>

class CTempFileList {
public:
    CTempFileList(char **&names, uint32_t &capacity, uint32_t &count)
        : m_names(names), m_capacity(capacity), m_count(count)
    {
    }

    // A fresh empty list, room for 10 names.
    void create();
    // False when memory ran out (nothing changed).
    bool add(const char *name);
    // Takes a name off the list (the file stays).
    void remove(const char *name);
    // Deletes every listed file and frees the list.
    void deleteAll();
    // Points these fields at `owner`'s array, which stays `owner`'s.
    void showSameAs(const CTempFileList &owner);

private:
    char **&m_names;
    uint32_t &m_capacity;
    uint32_t &m_count;
};
