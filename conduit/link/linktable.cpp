// See linktable.h.
#include "linktable.h"

CLinkTable &CLinkTable::instance()
{
    static CLinkTable table;
    return table;
}

std::shared_ptr<CLink> CLinkTable::add(int fd)
{
    auto link = std::make_shared<CLink>(fd);
    std::lock_guard lock(m_mutex);
    m_links[static_cast<uintptr_t>(fd)] = Entry{link, false};
    return link;
}

std::shared_ptr<CLink> CLinkTable::find(uintptr_t socket) const
{
    std::lock_guard lock(m_mutex);
    auto it = m_links.find(socket);
    return it == m_links.end() ? nullptr : it->second.link;
}

std::shared_ptr<CLink> CLinkTable::attachReader(uintptr_t socket)
{
    std::lock_guard lock(m_mutex);
    auto it = m_links.find(socket);
    if (it == m_links.end())
        it = m_links.emplace(socket, Entry{std::make_shared<CLink>(static_cast<int>(socket)), false}).first;
    if (it->second.hasReader)
        return nullptr;
    it->second.hasReader = true;
    return it->second.link;
}

void CLinkTable::detachReader(uintptr_t socket)
{
    std::lock_guard lock(m_mutex);
    auto it = m_links.find(socket);
    if (it != m_links.end())
        it->second.hasReader = false;
}

std::shared_ptr<CLink> CLinkTable::remove(uintptr_t socket)
{
    std::lock_guard lock(m_mutex);
    auto it = m_links.find(socket);
    if (it == m_links.end())
        return nullptr;
    auto link = it->second.link;
    m_links.erase(it);
    return link;
}

bool CLinkTable::stopOrClose(uintptr_t socket)
{
    std::shared_ptr<CLink> orphan;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_links.find(socket);
        if (it == m_links.end())
            return false;
        if (it->second.hasReader) {
            it->second.link->stop();
            return true;
        }
        orphan = it->second.link;
        m_links.erase(it);
    }
    orphan->close();
    return true;
}
