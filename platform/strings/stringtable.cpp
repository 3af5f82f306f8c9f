// The process-wide string table; see stringtable.h.
#include "stringtable.h"

#include <QtGlobal>

CStringTable &CStringTable::instance()
{
    static CStringTable table;
    return table;
}

void CStringTable::registerStrings(std::span<const StringResource> entries)
{
    std::lock_guard lock(m_mutex);
    for (const StringResource &entry : entries) {
        Q_ASSERT(entry.text);
        const QString text = QString::fromUtf8(entry.text);
        const auto [it, added] = m_texts.emplace(entry.id, text);
        Q_ASSERT_X(added || it->second == text, "CStringTable", "one string id registered with two texts");
        Q_UNUSED(it);
        Q_UNUSED(added);
    }
}

std::optional<QString> CStringTable::find(UINT id) const
{
    std::lock_guard lock(m_mutex);
    const auto found = m_texts.find(id);
    if (found == m_texts.end())
        return std::nullopt;
    return found->second;
}

QString LoadStringResource(UINT id)
{
    const std::optional<QString> text = CStringTable::instance().find(id);
    Q_ASSERT_X(text, "LoadStringResource", qPrintable(QStringLiteral("no string with id %1").arg(id)));
    return text.value_or(QString());
}

std::optional<QString> FindStringResource(UINT id)
{
    return CStringTable::instance().find(id);
}
