// The range-list reader and the interval set it produces; see rangelist.h.
#include "admin/uatools/ranges/rangelist.h"

#include <algorithm>
#include <limits>

namespace {

// One token of a range list: a number or the range marker.
struct Token {
    bool isDash = false;
    uint32_t value = 0;
};

bool IsTerminator(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u' ' || c == u',';
}

std::optional<QList<Token>> Tokenise(const QString &text)
{
    QList<Token> tokens;
    uint64_t value = 0;
    bool inNumber = false;
    auto endNumber = [&] {
        if (inNumber)
            tokens.append(Token{false, uint32_t(value)});
        inNumber = false;
        value = 0;
    };
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            value = value * 10 + (c.unicode() - u'0');
            if (value > std::numeric_limits<uint32_t>::max())
                return std::nullopt;
            inNumber = true;
        } else if (IsTerminator(c)) {
            endNumber();
        } else if (c == u'-') {
            endNumber();
            tokens.append(Token{true, 0});
        } else {
            return std::nullopt;
        }
    }
    endNumber();
    return tokens;
}

} // namespace

std::optional<CRangeList> CRangeList::Parse(const QString &text)
{
    const std::optional<QList<Token>> tokens = Tokenise(text);
    if (!tokens || tokens->isEmpty())
        return std::nullopt;
    CRangeList list;
    const QList<Token> &t = *tokens;
    for (qsizetype i = 0; i < t.size();) {
        if (t[i].isDash)
            return std::nullopt; // a list that begins with "-", or "--"
        const bool isRange = i + 1 < t.size() && t[i + 1].isDash;
        if (!isRange) {
            list.Add(Interval{t[i].value, t[i].value});
            ++i;
            continue;
        }
        if (i + 2 >= t.size() || t[i + 2].isDash)
            return std::nullopt; // ends with "-", or "--"
        if (i + 3 < t.size() && t[i + 3].isDash)
            return std::nullopt; // 1-5-9
        if (t[i + 2].value < t[i].value)
            return std::nullopt;
        list.Add(Interval{t[i].value, t[i + 2].value});
        i += 3;
    }
    return list;
}

bool CRangeList::Contains(int64_t number) const
{
    if (number < 0 || number > std::numeric_limits<uint32_t>::max())
        return false;
    const auto n = uint32_t(number);
    auto it = std::partition_point(m_intervals.begin(), m_intervals.end(),
                                   [n](const Interval &interval) { return interval.last < n; });
    return it != m_intervals.end() && it->first <= n;
}

uint64_t CRangeList::FirstNotContainedFrom(uint64_t number) const
{
    if (number > std::numeric_limits<uint32_t>::max())
        return number;
    const auto n = uint32_t(number);
    auto it = std::partition_point(m_intervals.begin(), m_intervals.end(),
                                   [n](const Interval &interval) { return interval.last < n; });
    // Intervals are merged, so the number after the one holding `n` is free.
    if (it != m_intervals.end() && it->first <= n)
        return uint64_t(it->last) + 1;
    return number;
}

bool CRangeList::ContainsAll(const CRangeList &other) const
{
    // Both lists are sorted and merged, so each interval of `other` lies
    // within one interval of this list or is not contained at all.
    qsizetype i = 0;
    for (const Interval &wanted : other.m_intervals) {
        while (i < m_intervals.size() && m_intervals[i].last < wanted.first)
            ++i;
        if (i == m_intervals.size() || m_intervals[i].first > wanted.first ||
            m_intervals[i].last < wanted.last)
            return false;
    }
    return true;
}

uint64_t CRangeList::Count() const
{
    uint64_t count = 0;
    for (const Interval &interval : m_intervals)
        count += uint64_t(interval.last) - interval.first + 1;
    return count;
}

void CRangeList::Add(const Interval &interval)
{
    Q_ASSERT(interval.first <= interval.last);
    // Keep the intervals sorted and merged: find the ones the new interval
    // touches (overlapping or adjacent) and replace them by their union.
    auto touches = [&interval](const Interval &other) {
        return uint64_t(other.last) + 1 >= interval.first && uint64_t(interval.last) + 1 >= other.first;
    };
    auto begin =
        std::partition_point(m_intervals.begin(), m_intervals.end(), [&interval](const Interval &other) {
            return uint64_t(other.last) + 1 < interval.first;
        });
    Interval merged = interval;
    auto end = begin;
    while (end != m_intervals.end() && touches(*end)) {
        merged.first = std::min(merged.first, end->first);
        merged.last = std::max(merged.last, end->last);
        ++end;
    }
    const qsizetype at = begin - m_intervals.begin();
    m_intervals.erase(begin, end);
    m_intervals.insert(at, merged);
}

void CRangeList::Add(const CRangeList &other)
{
    for (const Interval &interval : other.m_intervals)
        Add(interval);
}

CRangeList CRangeList::Intersected(const CRangeList &other) const
{
    CRangeList result;
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < m_intervals.size() && j < other.m_intervals.size()) {
        const Interval &a = m_intervals[i];
        const Interval &b = other.m_intervals[j];
        const uint32_t first = std::max(a.first, b.first);
        const uint32_t last = std::min(a.last, b.last);
        if (first <= last)
            result.m_intervals.append(Interval{first, last});
        if (a.last < b.last)
            ++i;
        else
            ++j;
    }
    return result;
}

QString CRangeList::Format() const
{
    QString text;
    for (const Interval &interval : m_intervals) {
        if (interval.first == interval.last)
            text += QString::number(interval.first) + u' ';
        else
            text += QString::number(interval.first) + u'-' + QString::number(interval.last) + u' ';
    }
    return text;
}
