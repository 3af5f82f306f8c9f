// The range-list parser and its expansion; see parsedrangelist.h.
#include "admin/uatools/ranges/parsedrangelist.h"

namespace {

bool IsSeparator(QChar c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u' ' || c == u',';
}

CParsedRangeList::Result Refuse(CParsedRangeList::Refusal refusal, const QString &number = QString())
{
    CParsedRangeList::Result result;
    result.refusal = refusal;
    switch (refusal) {
    case CParsedRangeList::OtherCharacter:
        result.message = QStringLiteral("Only use numbers, commas, and '-' for ranges in the range box.");
        break;
    case CParsedRangeList::NumberTooLarge:
        result.message = QStringLiteral("The number %1 is too large: user agents are numbered up to %2.")
                             .arg(number)
                             .arg(CParsedRangeList::MaxNumber);
        break;
    case CParsedRangeList::Empty:
        result.message = QStringLiteral("You must enter a range or list of mailboxes.");
        break;
    case CParsedRangeList::Unpaired:
        result.message = QStringLiteral("Ranges (with '-') can only be used in pairs.");
        break;
    case CParsedRangeList::Descending:
        result.message = QStringLiteral("Please use ranges that go from smaller to larger.");
        break;
    case CParsedRangeList::Accepted:
        break;
    }
    return result;
}

} // namespace

CParsedRangeList::Result CParsedRangeList::Parse(const QString &text, bool emptyAllowed)
{
    CParsedRangeList list;
    QList<Item> &items = list.m_items;
    // The value never passes MaxNumber by more than one digit's worth, so
    // 64 bits hold it whatever the count of digits.
    uint64_t value = 0;
    qsizetype numberStart = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const QChar c = i < text.size() ? text[i] : QChar(u' ');
        if (c >= u'0' && c <= u'9') {
            if (numberStart < 0)
                numberStart = i;
            value = value * 10 + (c.unicode() - u'0');
            if (value > MaxNumber) {
                qsizetype end = i;
                while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
                    ++end;
                return Refuse(NumberTooLarge, text.mid(numberStart, end - numberStart));
            }
            continue;
        }
        if (!IsSeparator(c) && c != u'-')
            return Refuse(OtherCharacter);
        if (numberStart >= 0)
            items.append(Item{Item::Number, uint32_t(value)});
        numberStart = -1;
        value = 0;
        if (c == u'-')
            items.append(Item{Item::RangeMarker, 0});
    }

    if (items.isEmpty()) {
        if (emptyAllowed)
            return Result{Accepted, QString(), std::move(list)};
        return Refuse(Empty);
    }
    // A marker stands between two numbers, and a number stands beside at
    // most one marker: 1-2-3, -5, 5- and 1--2 are refused.
    const qsizetype count = items.size();
    auto isMarker = [&items](qsizetype i) { return items[i].kind == Item::RangeMarker; };
    if (isMarker(0) || isMarker(count - 1))
        return Refuse(Unpaired);
    for (qsizetype i = 1; i < count - 1; ++i) {
        if (isMarker(i) && (isMarker(i + 1) || (i + 2 < count && isMarker(i + 2))))
            return Refuse(Unpaired);
    }
    for (qsizetype i = 1; i < count - 1; ++i) {
        if (isMarker(i) && items[i - 1].value >= items[i + 1].value)
            return Refuse(Descending);
    }
    return Result{Accepted, QString(), std::move(list)};
}

uint64_t CParsedRangeList::Count() const
{
    return Intervals().Count();
}

CRangeList CParsedRangeList::Intervals() const
{
    CRangeList intervals;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (i + 1 < m_items.size() && m_items[i + 1].kind == Item::RangeMarker) {
            intervals.Add(CRangeList::Interval{m_items[i].value, m_items[i + 2].value});
            i += 2;
        } else {
            intervals.Add(CRangeList::Interval{m_items[i].value, m_items[i].value});
        }
    }
    return intervals;
}

bool CParsedRangeList::Expansion::Next(uint32_t &number)
{
    while (m_at < m_items.size()) {
        const Item &item = m_items[m_at];
        if (item.kind == Item::Number) {
            ++m_at;
            const bool walkedBefore = m_walked.Contains(item.value);
            m_walked.Add(CRangeList::Interval{item.value, item.value});
            if (walkedBefore)
                continue;
            number = item.value;
            return true;
        }
        // The numbers strictly between the marker's neighbours; the
        // neighbours themselves come as plain numbers. What earlier items
        // gave is passed over an interval at a time.
        const uint64_t first = uint64_t(m_items[m_at - 1].value) + 1;
        const uint64_t end = m_items[m_at + 1].value;
        if (!m_inRange) {
            m_inRange = true;
            m_next = first;
        }
        m_next = m_walked.FirstNotContainedFrom(m_next);
        if (m_next < end) {
            number = uint32_t(m_next++);
            return true;
        }
        m_inRange = false;
        if (first < end)
            m_walked.Add(CRangeList::Interval{uint32_t(first), uint32_t(end - 1)});
        ++m_at;
    }
    return false;
}
