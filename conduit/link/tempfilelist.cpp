// See tempfilelist.h.
#include "tempfilelist.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {
constexpr uint32_t kGrowth = 10;
}

void CTempFileList::create()
{
    m_names = static_cast<char **>(std::calloc(kGrowth, sizeof(char *)));
    m_capacity = m_names ? kGrowth : 0;
    m_count = 0;
}

bool CTempFileList::add(const char *name)
{
    if (m_count >= m_capacity) {
        auto *grown = static_cast<char **>(std::realloc(m_names, (m_count + kGrowth) * sizeof(char *)));
        if (!grown)
            return false;
        m_names = grown;
        m_capacity = m_count + kGrowth;
    }
    char *copy = strdup(name);
    if (!copy)
        return false;
    m_names[m_count++] = copy;
    return true;
}

void CTempFileList::remove(const char *name)
{
    for (uint32_t i = m_count; i-- > 0;) {
        if (std::strcmp(m_names[i], name) == 0) {
            std::free(m_names[i]);
            std::memmove(m_names + i, m_names + i + 1, (m_count - i - 1) * sizeof(char *));
            --m_count;
            return;
        }
    }
}

void CTempFileList::deleteAll()
{
    for (uint32_t i = 0; i < m_count; ++i) {
        ::unlink(m_names[i]);
        std::free(m_names[i]);
    }
    std::free(m_names);
    m_names = nullptr;
    m_capacity = 0;
    m_count = 0;
}

void CTempFileList::showSameAs(const CTempFileList &owner)
{
    m_names = owner.m_names;
    m_capacity = owner.m_capacity;
    m_count = owner.m_count;
}
