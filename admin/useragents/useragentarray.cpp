// Reading the list reply. The reply is split once; each element is split on
// its own and dropped at once, so the whole reply is never held twice over
// in Qt strings. Numbers are read with their range checked: a header whose
// number does not fit a 32-bit box number makes the element unreadable
// instead of wrapping into some other box.
#include "admin/useragents/useragentarray.h"

#include "admin/app/tcllist.h"

#include <charconv>
#include <limits>
#include <optional>

namespace {

// Numbers above this are the tops of the class-of-service tree; the root of
// the mailboxes among them stays, as the list's "no COS" entry without a row.
constexpr long HighMark = 0x40000000;
constexpr long MailboxRoot = 0x7fffffff;

std::optional<std::int32_t> parseBoxNumber(QByteArrayView text)
{
    text = text.trimmed();
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.isEmpty() ||
        value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(value);
}

// A view that the splitter can read: Tcl's elements end with a NUL.
QByteArray splittable(QByteArrayView element)
{
    return QByteArray::fromRawData(element.data(), element.size());
}

} // namespace

CUserAgentArray::CUserAgentArray(AllowedFilter allowed) : m_allowed(std::move(allowed)) {}

CUserAgentArray::FillResult CUserAgentArray::FillFromReply(const QByteArray &reply)
{
    RemoveAll();
    FillResult result;
    const CTclList splitter;
    const CTclElements elements = splitter.Split(reply);
    m_records.reserve(elements.size());
    for (qsizetype i = 0; i < elements.size(); ++i) {
        if (appendRecord(elements.at(i)))
            continue;
        if (result.malformed++ == 0)
            result.firstMalformed = elements.text(i);
    }
    m_records.shrink_to_fit();
    m_texts.squeeze();
    return result;
}

void CUserAgentArray::RemoveAll()
{
    m_records.clear();
    m_texts.clear();
}

bool CUserAgentArray::appendRecord(QByteArrayView element)
{
    const CTclList splitter;
    const CTclElements fields = splitter.Split(splittable(element));
    // Header, names, then name/value pairs.
    if (fields.size() < 2 || (fields.size() - 2) % 2 != 0)
        return false;
    const CTclElements header = splitter.Split(splittable(fields.at(0)));
    if (header.size() < 5)
        return false;
    const std::optional<std::int32_t> number = parseBoxNumber(header.at(0));
    const std::optional<std::int32_t> parent = parseBoxNumber(header.at(1));
    if (!number || !parent)
        return false;
    if ((*number > HighMark && *number != MailboxRoot) || (m_allowed && !m_allowed(*number)))
        return true;

    QByteArrayView comment, extension, name1, name2;
    for (qsizetype i = 2; i + 1 < fields.size(); i += 2) {
        const QByteArrayView property = fields.at(i);
        // A later pair with the same name wins, as in the record.
        if (property == "&Comment")
            comment = fields.at(i + 1);
        else if (property == "&Ext")
            extension = fields.at(i + 1);
        else if (property == "&Name1")
            name1 = fields.at(i + 1);
        else if (property == "&Name2")
            name2 = fields.at(i + 1);
    }
    Record record;
    record.number = *number;
    record.parent = *parent;
    record.comment = std::uint32_t(m_texts.size());
    m_texts.append(comment);
    record.extension = std::uint32_t(m_texts.size());
    m_texts.append(extension);
    record.name = std::uint32_t(m_texts.size());
    m_texts.append(name1).append(' ').append(name2);
    record.end = std::uint32_t(m_texts.size());
    m_records.push_back(record);
    return true;
}

QString CUserAgentArray::text(std::uint32_t begin, std::uint32_t end) const
{
    return QString::fromUtf8(m_texts.constData() + begin, qsizetype(end - begin));
}
