// Any text the range-list reader accepts gives sorted, disjoint, non-adjacent
// intervals whose own text reads back as the same list; and membership
// agrees with the intervals at their edges.
#include "admin/uatools/ranges/rangelist.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const std::optional<CRangeList> list = CRangeList::Parse(text);
    if (!list)
        return 0;
    if (list->IsEmpty())
        std::abort();
    const QList<CRangeList::Interval> &intervals = list->Intervals();
    for (qsizetype i = 0; i < intervals.size(); ++i) {
        const CRangeList::Interval &interval = intervals[i];
        if (interval.first > interval.last)
            std::abort();
        if (i > 0 && uint64_t(intervals[i - 1].last) + 1 >= interval.first)
            std::abort();
        if (!list->Contains(interval.first) || !list->Contains(interval.last))
            std::abort();
        if (interval.first > 0 && list->Contains(int64_t(interval.first) - 1))
            std::abort();
        if (list->Contains(int64_t(interval.last) + 1))
            std::abort();
    }
    const std::optional<CRangeList> again = CRangeList::Parse(list->Format());
    if (!again || !(*again == *list))
        std::abort();
    return 0;
}
