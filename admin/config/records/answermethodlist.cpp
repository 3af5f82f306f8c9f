// The answer-method records and their list text; see answermethodlist.h.
#include "admin/config/records/answermethodlist.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

#include <algorithm>

namespace {

constexpr int kMinRings = 1;
constexpr int kMaxRings = 15;
constexpr quint32 kHighestUserAgent = 2147483647u;

// Plain decimal digits only: "12x" or "-3" is no number here.
std::optional<quint64> parseDigits(const QString &text)
{
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    quint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + quint64(c.unicode() - u'0');
    }
    return value;
}

} // namespace

CAnswerMethodList::CAnswerMethodList()
{
    AnswerMethodRecord header;
    header.rings = QStringLiteral("0");
    m_records.append(header);
}

void CAnswerMethodList::Parse(const QString &text)
{
    m_records.resize(1);
    QStringList methods;
    CTclList().SplitList(text, methods);
    for (const QString &method : std::as_const(methods))
        m_records.append(parseEntry(method));
    m_serverText = text;
    m_serverRecords = m_records;
}

AnswerMethodRecord CAnswerMethodList::parseEntry(const QString &entry)
{
    const CTclList splitter;
    QStringList parts;
    splitter.SplitList(entry, parts);
    AnswerMethodRecord record;
    record.name = parts.value(0);
    if (parts.size() > 1) {
        QStringList values;
        splitter.SplitList(parts[1], values);
        record.greeting = values.value(0);
        if (values.size() > 1)
            record.rings = values[1];
        record.group = values.value(2);
        record.moreValues = values.mid(3);
    }
    record.moreElements = parts.mid(2);
    record.serverEntry = entry;
    return record;
}

QString CAnswerMethodList::formatEntry(const AnswerMethodRecord &record)
{
    if (record.serverEntry && parseEntry(*record.serverEntry) == record)
        return TclWord(*record.serverEntry);
    QStringList values{TclBareWord(record.greeting), TclBareWord(record.rings), TclBareWord(record.group)};
    for (const QString &value : record.moreValues)
        values.append(TclBareWord(value));
    QStringList parts{TclBareWord(record.name), TclWord(values.join(u' '))};
    for (const QString &element : record.moreElements)
        parts.append(TclBareWord(element));
    return TclWord(parts.join(u' '));
}

QString CAnswerMethodList::Format() const
{
    if (m_records == m_serverRecords)
        return m_serverText;
    QStringList entries;
    for (int n = 1; n <= Count(); ++n)
        if (!m_records[n].name.isEmpty())
            entries.append(formatEntry(m_records[n]));
    return entries.join(u' ');
}

QString CAnswerMethodList::NamesText() const
{
    QStringList names;
    for (int n = 1; n <= Count(); ++n)
        if (!m_records[n].name.isEmpty())
            names.append(m_records[n].name);
    return names.join(u'\t');
}

QStringList CAnswerMethodList::GreetingNumbers() const
{
    QList<quint64> numbers;
    for (int n = 1; n <= Count(); ++n) {
        const std::optional<quint64> number = parseDigits(m_records[n].greeting);
        if (number && !numbers.contains(*number))
            numbers.insert(std::upper_bound(numbers.begin(), numbers.end(), *number), *number);
    }
    QStringList texts;
    for (quint64 number : numbers)
        texts.append(QString::number(number));
    return texts;
}

bool CAnswerMethodList::RenameGroup(const QString &oldName, const QString &newName)
{
    bool renamed = false;
    for (int n = 1; n <= Count(); ++n) {
        if (m_records[n].group == oldName) {
            m_records[n].group = newName;
            renamed = true;
        }
    }
    return renamed;
}

CAnswerMethodList::NameFault CAnswerMethodList::CheckName(const QString &name, int row) const
{
    if (name.isEmpty())
        return NameEmpty;
    for (int n = 1; n <= Count(); ++n)
        if (n != row && m_records[n].name == name)
            return NameTaken;
    return NameAccepted;
}

std::optional<int> CAnswerMethodList::ParseRings(const QString &typed)
{
    const std::optional<quint64> rings = parseDigits(typed.trimmed());
    if (!rings || *rings < kMinRings || *rings > kMaxRings)
        return std::nullopt;
    return int(*rings);
}

std::optional<quint32> CAnswerMethodList::ParseGreeting(const QString &typed)
{
    const std::optional<quint64> number = parseDigits(typed);
    if (!number || *number > kHighestUserAgent)
        return std::nullopt;
    return quint32(*number);
}
