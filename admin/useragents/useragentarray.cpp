// Reading the list reply. The reply and then each element are split in
// place where they are made of plain and braced words (the shape the server
// answers in), and by the Tcl library's splitter otherwise, so a long reply
// is never held twice over. The header is a list of
// plain numbers and is read number by number, each with its range checked:
// a header whose number does not fit a 32-bit box number makes the element
// unreadable instead of wrapping into some other box.
#include "admin/useragents/useragentarray.h"

#include <QVarLengthArray>

#include <tcl.h>

#include <charconv>
#include <limits>
#include <memory>
#include <optional>

namespace {

// Numbers above this are the tops of the class-of-service tree; the root of
// the mailboxes among them stays, as the list's "no COS" entry without a row.
constexpr long HighMark = 0x40000000;
constexpr long MailboxRoot = 0x7fffffff;
constexpr qsizetype TextBlockSize = 1 << 20;

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

bool isTclSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The fields of one element. Records are made of plain words and braced
// words; those are read in place. Anything else (a backslash, a quote, a
// stray brace) goes to the Tcl library's splitter, whose rules are the
// ones that count. A malformed element gives no fields.
class Fields {
public:
    // A whole text; QByteArray keeps the NUL after it that the Tcl splitter needs.
    explicit Fields(const QByteArray &list)
    {
        if (!splitPlain(list))
            splitWithTcl(list.constData());
    }
    // A part of a longer text, copied for the Tcl splitter when it is needed.
    explicit Fields(QByteArrayView element)
    {
        if (!splitPlain(element))
            splitWithTcl(element.toByteArray().constData());
    }
    int count() const { return int(m_views.size()); }
    QByteArrayView at(int i) const { return m_views[i]; }

private:
    struct TclFree {
        void operator()(const char **vector) const { Tcl_Free(reinterpret_cast<char *>(vector)); }
    };

    bool splitPlain(QByteArrayView element)
    {
        if (element.contains('\\') || element.contains('"'))
            return false;
        qsizetype at = 0;
        const qsizetype size = element.size();
        while (true) {
            while (at < size && isTclSpace(element[at]))
                ++at;
            if (at == size)
                return true;
            if (element[at] == '{') {
                qsizetype end = at + 1;
                for (int depth = 1; depth > 0; ++end) {
                    if (end == size)
                        return false;
                    depth += element[end] == '{' ? 1 : element[end] == '}' ? -1 : 0;
                }
                // `end` is just past the closing brace, which must end the word.
                if (end < size && !isTclSpace(element[end]))
                    return false;
                m_views.append(element.sliced(at + 1, end - at - 2));
                at = end;
                continue;
            }
            qsizetype end = at;
            while (end < size && !isTclSpace(element[end])) {
                if (element[end] == '{' || element[end] == '}')
                    return false;
                ++end;
            }
            m_views.append(element.sliced(at, end - at));
            at = end;
        }
    }

    void splitWithTcl(const char *element)
    {
        m_views.clear();
        int count = 0;
        const char **vector = nullptr;
        if (Tcl_SplitList(nullptr, element, &count, &vector) != TCL_OK)
            return;
        m_vector.reset(vector);
        for (int i = 0; i < count; ++i)
            m_views.append(QByteArrayView(vector[i]));
    }

    QVarLengthArray<QByteArrayView, 24> m_views;
    // Owns the texts of m_views when the Tcl splitter made them.
    std::unique_ptr<const char *, TclFree> m_vector;
};

// The first `wanted` numbers of a header made of blank-separated numbers.
bool readHeader(QByteArrayView header, std::int32_t *numbers, int wanted)
{
    int found = 0;
    qsizetype at = 0;
    while (found < wanted) {
        while (at < header.size() && QChar::isSpace(uchar(header[at])))
            ++at;
        qsizetype end = at;
        while (end < header.size() && !QChar::isSpace(uchar(header[end])))
            ++end;
        if (end == at)
            return false;
        const std::optional<std::int32_t> number = parseBoxNumber(header.sliced(at, end - at));
        if (!number)
            return false;
        numbers[found++] = *number;
        at = end;
    }
    return true;
}

} // namespace

CUserAgentArray::CUserAgentArray(AllowedFilter allowed) : m_allowed(std::move(allowed)) {}

CUserAgentArray::FillResult CUserAgentArray::FillFromReply(const QByteArray &reply)
{
    RemoveAll();
    FillResult result;
    const Fields elements(reply);
    m_records.reserve(elements.count());
    for (int i = 0; i < elements.count(); ++i) {
        if (appendRecord(elements.at(i)))
            continue;
        if (result.malformed++ == 0)
            result.firstMalformed = QString::fromUtf8(elements.at(i));
    }
    m_records.shrink_to_fit();
    if (!m_texts.empty())
        m_texts.back().squeeze();
    return result;
}

void CUserAgentArray::RemoveAll()
{
    m_records.clear();
    m_texts.clear();
}

bool CUserAgentArray::appendRecord(QByteArrayView element)
{
    const Fields fields(element);
    // Header, names, then name/value pairs.
    if (fields.count() < 2 || (fields.count() - 2) % 2 != 0)
        return false;
    // Number, parent, stamp, scenario and a fifth number.
    std::int32_t header[5];
    if (!readHeader(fields.at(0), header, 5))
        return false;
    const std::int32_t number = header[0];
    if ((number > HighMark && number != MailboxRoot) || (m_allowed && !m_allowed(number)))
        return true;

    QByteArrayView comment, extension, name1, name2;
    for (int i = 2; i + 1 < fields.count(); i += 2) {
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
    QByteArray &block = blockFor(comment.size() + extension.size() + name1.size() + 1 + name2.size());
    Record record;
    record.number = number;
    record.parent = header[1];
    record.block = std::uint32_t(m_texts.size() - 1);
    record.comment = std::uint32_t(block.size());
    block.append(comment);
    record.extension = std::uint32_t(block.size());
    block.append(extension);
    record.name = std::uint32_t(block.size());
    block.append(name1).append(' ').append(name2);
    record.end = std::uint32_t(block.size());
    m_records.push_back(record);
    return true;
}

QByteArray &CUserAgentArray::blockFor(qsizetype size)
{
    if (m_texts.empty() || m_texts.back().size() + size > m_texts.back().capacity()) {
        if (!m_texts.empty())
            m_texts.back().squeeze();
        m_texts.emplace_back();
        m_texts.back().reserve(qMax(size, TextBlockSize));
    }
    return m_texts.back();
}

QString CUserAgentArray::text(const Record &record, std::uint32_t begin, std::uint32_t end) const
{
    return QString::fromUtf8(m_texts[record.block].constData() + begin, qsizetype(end - begin));
}
