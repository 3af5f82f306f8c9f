// The distribution-list member check; see distmembercheck.h.
#include "admin/uatools/distlist/distmembercheck.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/uatools/ranges/parsedrangelist.h"
#include "platform/msgbox/msgbox.h"

#include <QList>
#include <QStringView>

#include <algorithm>
#include <numeric>

namespace {

const char *const kItself = "Destination List should not include itself as a member";
const char *const kItselfInRange =
    "Destination List should not include itself as a member.\n%1 is included in range entry %2-%3.";
const char *const kSpan = "Range entry %1-%2 spans more than %3 destinations.\nProcessing large destination "
                          "lists can affect system performance.\nIs this entry correct?";
const char *const kDuplicates = "Entries %1 and %2 contain duplicates.";
constexpr long kDefaultSpan = 100;

struct Entry {
    qint64 lower = 0;
    qint64 upper = 0;
    bool range = false;
    QString text() const
    {
        return range ? QStringLiteral("%1-%2").arg(lower).arg(upper) : QString::number(lower);
    }
    bool overlaps(const Entry &other) const { return lower <= other.upper && other.lower <= upper; }
};

// The entries of a parsed list: numbers, and a-b for a number, the range
// marker and a number.
QList<Entry> entriesOf(const CParsedRangeList &list)
{
    const QList<CParsedRangeList::Item> &items = list.Items();
    QList<Entry> entries;
    entries.reserve(items.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i + 2 < items.size() && items.at(i + 1).kind == CParsedRangeList::Item::RangeMarker) {
            entries.append(Entry{items.at(i).value, items.at(i + 2).value, true});
            i += 2;
        } else {
            entries.append(Entry{items.at(i).value, items.at(i).value, false});
        }
    }
    return entries;
}

// The numbers of a text as the scan meets them, up to the first character
// that is no digit or separator: what the own-number check looks at even
// when a later part of the text is refused.
QList<qint64> scannedNumbers(const QString &text)
{
    QList<qint64> numbers;
    qint64 value = 0;
    bool inNumber = false;
    for (qsizetype at = 0; at <= text.size(); ++at) {
        const QChar c = at < text.size() ? text.at(at) : QChar();
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (value <= CParsedRangeList::MaxNumber)
                value = value * 10 + (c.unicode() - '0');
            inNumber = true;
            continue;
        }
        if (inNumber)
            numbers.append(value);
        value = 0;
        inNumber = false;
        if (!c.isNull() && !QStringLiteral("\t\n\r ,-").contains(c))
            break;
    }
    return numbers;
}

// The first pair (first entry in text order, then the second in text order)
// that overlaps; a sort says first whether there is any.
std::optional<std::pair<qsizetype, qsizetype>> firstDuplicate(const QList<Entry> &entries)
{
    // Members typed in ascending order, the usual case, need no sort.
    bool ascending = true;
    for (qsizetype k = 1; k < entries.size() && ascending; ++k)
        ascending = entries.at(k - 1).upper < entries.at(k).lower;
    if (ascending)
        return std::nullopt;
    QList<qsizetype> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](qsizetype a, qsizetype b) { return entries.at(a).lower < entries.at(b).lower; });
    bool any = false;
    for (qsizetype k = 1; k < order.size() && !any; ++k)
        any = entries.at(order.at(k - 1)).overlaps(entries.at(order.at(k)));
    if (!any)
        return std::nullopt;
    for (qsizetype i = 0; i < entries.size(); ++i)
        for (qsizetype j = 0; j < entries.size(); ++j)
            if (i != j && entries.at(i).overlaps(entries.at(j)))
                return std::make_pair(i, j);
    return std::nullopt;
}

} // namespace

long CDistMemberCheck::SpanLimit()
{
    const QString reply = m_channel.Execute(QStringLiteral("set sys_dl_long\r"), true, 1).trimmed();
    // An error, or a reply that names the variable (it could not be read),
    // is no limit: the default applies.
    if (reply.isEmpty() || IsErrorReply(reply) || reply.contains(QLatin1String("sys_dl_long")))
        return kDefaultSpan;
    bool ok = false;
    const long limit = reply.toLong(&ok);
    return ok && limit > 5 ? limit : kDefaultSpan;
}

bool CDistMemberCheck::Check(const QString &text, long ownNumber)
{
    // The list's own number is refused as soon as the scan meets it, before
    // any check of the list as a whole.
    for (qint64 number : scannedNumbers(text))
        if (number == ownNumber) {
            AfxMessageBox(QString::fromUtf8(kItself));
            return false;
        }
    const CParsedRangeList::Result parsed = CParsedRangeList::Parse(text, true);
    if (parsed.refusal != CParsedRangeList::Accepted) {
        AfxMessageBox(parsed.message);
        return false;
    }
    const QList<Entry> entries = entriesOf(*parsed.list);
    long limit = -1;
    for (const Entry &entry : entries) {
        if (!entry.range)
            continue;
        if (limit < 0)
            limit = SpanLimit();
        if (entry.upper - entry.lower >= limit &&
            AfxMessageBox(QString::fromUtf8(kSpan).arg(entry.lower).arg(entry.upper).arg(limit),
                          MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        if (entry.lower <= ownNumber && ownNumber <= entry.upper) {
            AfxMessageBox(QString::fromUtf8(kItselfInRange).arg(ownNumber).arg(entry.lower).arg(entry.upper));
            return false;
        }
    }
    if (const auto pair = firstDuplicate(entries)) {
        AfxMessageBox(QString::fromUtf8(kDuplicates)
                          .arg(entries.at(pair->first).text(), entries.at(pair->second).text()));
        return false;
    }
    return true;
}
