// See portgrouplist.h.
#include "admin/config/records/portgrouplist.h"

#include "admin/config/records/integrationgrouprecord.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

#include <algorithm>

namespace {

// A whole decimal number, bounded so that it cannot overflow; -1 for a word
// that is not one.
int wholeNumber(const QString &word)
{
    if (word.isEmpty())
        return -1;
    int value = 0;
    for (QChar c : word) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = qMin(value * 10 + (c.unicode() - '0'), 1000000);
    }
    return value;
}

// A cursor over a typed port list.
class PortListReader {
public:
    explicit PortListReader(const QString &text) : m_text(text) {}
    bool AtEnd() const { return m_pos >= m_text.size(); }
    // Skips characters of `set`; true when it skipped any.
    bool Skip(QLatin1StringView set)
    {
        const qsizetype start = m_pos;
        while (!AtEnd() && set.contains(m_text[m_pos]))
            ++m_pos;
        return m_pos > start;
    }
    // A run of digits as a number, bounded; -1 when there is none.
    int Number()
    {
        const qsizetype start = m_pos;
        int value = 0;
        while (!AtEnd() && m_text[m_pos] >= QLatin1Char('0') && m_text[m_pos] <= QLatin1Char('9'))
            value = qMin(value * 10 + (m_text[m_pos++].unicode() - '0'), 1000000);
        return m_pos > start ? value : -1;
    }

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

void addPort(QList<int> &ports, int port)
{
    if (!ports.contains(port))
        ports.append(port);
}

} // namespace

void CPortGroupList::Load(const QString &text, int voicePortCount)
{
    m_groups.clear();
    QStringList entries;
    CTclList().SplitList(text, entries);
    for (const QString &entry : std::as_const(entries))
        m_groups.append(parseEntry(entry, voicePortCount));
    m_serverText = text;
    m_serverGroups = m_groups;
}

PortGroupRecord CPortGroupList::parseEntry(const QString &entry, int voicePortCount) const
{
    const CTclList splitter;
    QStringList fields;
    splitter.SplitList(entry, fields);
    PortGroupRecord group;
    group.serverEntry = entry;
    group.id = fields.value(0);
    if (fields.size() > 1) {
        group.heldPorts = fields.at(1);
        QStringList ports;
        splitter.SplitList(fields.at(1), ports);
        for (const QString &word : std::as_const(ports)) {
            const int port = wholeNumber(word);
            if (port >= 1 && port <= voicePortCount)
                addPort(group.ports, port);
        }
    }
    if (m_kind == Notification && fields.size() > 2) {
        group.heldLimit = fields.at(2);
        const int limit = wholeNumber(fields.at(2));
        if (limit >= 1 && limit <= 100)
            group.limit = limit;
    }
    const int elementsEdited = m_kind == Notification ? 3 : 2;
    group.moreElements = fields.mid(elementsEdited);
    return group;
}

QString CPortGroupList::formatEntry(const PortGroupRecord &group) const
{
    if (group.serverEntry)
        return TclBareWord(*group.serverEntry);
    QStringList ports;
    for (int port : group.ports)
        ports << QString::number(port);
    QStringList fields{TclBareWord(group.id), TclBareWord(group.heldPorts.value_or(ports.join(u' ')))};
    if (m_kind == Notification)
        fields << TclBareWord(group.heldLimit.value_or(QString::number(group.limit)));
    for (const QString &element : group.moreElements)
        fields << TclBareWord(element);
    return TclBareWord(fields.join(u' '));
}

QString CPortGroupList::Save() const
{
    if (m_groups == m_serverGroups)
        return m_serverText;
    QStringList entries;
    for (const PortGroupRecord &group : m_groups) {
        if (m_kind == Notification && group.id.isEmpty() && !group.serverEntry)
            continue;
        entries << formatEntry(group);
    }
    return entries.join(u' ');
}

void CPortGroupList::SetId(int i, const QString &id)
{
    PortGroupRecord &group = m_groups[i];
    group.id = id;
    group.serverEntry.reset();
}

void CPortGroupList::SetPorts(int i, const QList<int> &ports)
{
    PortGroupRecord &group = m_groups[i];
    group.ports = ports;
    group.heldPorts.reset();
    group.serverEntry.reset();
}

void CPortGroupList::SetLimit(int i, int limit)
{
    PortGroupRecord &group = m_groups[i];
    group.limit = limit;
    group.heldLimit.reset();
    group.serverEntry.reset();
}

int CPortGroupList::IndexOf(const QString &id) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_groups.at(i).id == id)
            return i;
    return -1;
}

QStringList CPortGroupList::GroupIdsOfPort(int port, int voicePortCount) const
{
    QStringList ids;
    if (port < 1 || port > voicePortCount)
        return ids;
    for (const PortGroupRecord &group : m_groups)
        if (group.ports.contains(port))
            ids << group.id;
    return ids;
}

QString CPortGroupList::GetGroupsOfPort(int port, int voicePortCount) const
{
    return GroupIdsOfPort(port, voicePortCount).join(QStringLiteral(", "));
}

QString CPortGroupList::NextStatisticalId() const
{
    QList<int> numbers;
    for (const PortGroupRecord &group : m_groups)
        numbers << IntegrationValues::LeadingInteger(group.id);
    std::sort(numbers.begin(), numbers.end());
    int candidate = 1;
    for (int number : std::as_const(numbers)) {
        if (number != candidate)
            break;
        ++candidate;
    }
    return QString::number(candidate);
}

QStringList CPortGroupList::PortListChoices(int voicePortCount) const
{
    QStringList choices;
    if (voicePortCount == 1)
        choices << QStringLiteral("1");
    else if (voicePortCount > 1)
        choices << QStringLiteral("1-%1").arg(voicePortCount);
    for (const PortGroupRecord &group : m_groups) {
        const QString shown = FormatPortRanges(group.ports);
        if (!shown.isEmpty() && !choices.contains(shown))
            choices << shown;
    }
    return choices;
}

QString CPortGroupList::ShownPorts(const PortGroupRecord &group)
{
    if (!group.heldPorts)
        return FormatPortRanges(group.ports);
    QStringList words;
    CTclList().SplitList(*group.heldPorts, words);
    if (words.isEmpty())
        return *group.heldPorts;
    QList<int> held;
    for (const QString &word : std::as_const(words)) {
        const int port = wholeNumber(word);
        if (port < 0)
            return *group.heldPorts;
        held << port;
    }
    return FormatPortRanges(held);
}

QString CPortGroupList::ShownLimit(const PortGroupRecord &group)
{
    return group.heldLimit.value_or(QString::number(group.limit));
}

bool CPortGroupList::PortsFit(const PortGroupRecord &group)
{
    if (!group.heldPorts)
        return true;
    QStringList words;
    CTclList().SplitList(*group.heldPorts, words);
    // Reading keeps each port in range once: all words were kept.
    return words.size() == group.ports.size() && (!words.isEmpty() || group.heldPorts->trimmed().isEmpty());
}

bool CPortGroupList::LimitFits(const PortGroupRecord &group)
{
    return !group.heldLimit || wholeNumber(*group.heldLimit) == group.limit;
}

QString CPortGroupList::FormatPortRanges(const QList<int> &ports)
{
    QStringList pieces;
    qsizetype i = 0;
    while (i < ports.size()) {
        qsizetype end = i;
        if (i + 1 < ports.size() && qAbs(ports[i + 1] - ports[i]) == 1) {
            const int step = ports[i + 1] - ports[i];
            while (end + 1 < ports.size() && ports[end + 1] - ports[end] == step)
                ++end;
        }
        pieces << (end == i ? QString::number(ports[i])
                            : QStringLiteral("%1-%2").arg(ports[i]).arg(ports[end]));
        i = end + 1;
    }
    return pieces.join(QStringLiteral(", "));
}

bool CPortGroupList::ParseVoicePortList(const QString &text, int voicePortCount, QList<int> &ports)
{
    const QLatin1StringView separators(", ");
    const QLatin1StringView dashes("- ");
    PortListReader reader(text);
    reader.Skip(QLatin1StringView(" \t\r\n"));
    QList<int> result;
    const auto inRange = [voicePortCount](int port) { return port >= 1 && port <= voicePortCount; };
    for (;;) {
        const int first = reader.Number();
        if (!inRange(first))
            return false;
        if (reader.AtEnd()) {
            addPort(result, first);
            break;
        }
        if (reader.Skip(separators)) {
            addPort(result, first);
            if (reader.AtEnd())
                return false;
            continue;
        }
        if (!reader.Skip(dashes))
            return false;
        const int last = reader.Number();
        if (!inRange(last))
            return false;
        for (int port = first;; port += first <= last ? 1 : -1) {
            addPort(result, port);
            if (port == last)
                break;
        }
        if (reader.AtEnd())
            break;
        if (!reader.Skip(separators) || reader.AtEnd())
            return false;
    }
    ports = result;
    return true;
}

bool CPortGroupList::ParseLimit(const QString &text, int &limit)
{
    const int value = wholeNumber(text.trimmed());
    if (value < 1 || value > 100)
        return false;
    limit = value;
    return true;
}
