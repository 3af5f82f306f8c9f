// The dialogs' range-list parser against a plain reference written from the
// rules alone: both must accept and refuse the same texts for the same
// reason, and an accepted list must expand to the same numbers in the same
// order, each once, with its intervals holding exactly the numbers named.
#include "admin/uatools/ranges/parsedrangelist.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Reference {
    CParsedRangeList::Refusal refusal = CParsedRangeList::Accepted;
    // A number, or -1 for the marker.
    std::vector<int64_t> items;
};

// Byte by byte: anything but ASCII digits, the separators and '-' is
// refused where it stands; a number with more than ten significant digits
// or above the highest user agent is refused where it first gets too big.
Reference Parse(const uint8_t *data, size_t size)
{
    Reference ref;
    std::string digits;
    bool inNumber = false;
    for (size_t i = 0; i <= size; ++i) {
        const int c = i < size ? data[i] : ' ';
        if (c >= '0' && c <= '9') {
            inNumber = true;
            if (!(digits.empty() && c == '0'))
                digits.push_back(char(c));
            if (digits.size() > 10 || std::stoll(digits.empty() ? "0" : digits) > 0x7fffffff) {
                ref.refusal = CParsedRangeList::NumberTooLarge;
                return ref;
            }
            continue;
        }
        if (c != '\t' && c != '\n' && c != '\r' && c != ' ' && c != ',' && c != '-') {
            ref.refusal = CParsedRangeList::OtherCharacter;
            return ref;
        }
        if (inNumber)
            ref.items.push_back(digits.empty() ? 0 : std::stoll(digits));
        inNumber = false;
        digits.clear();
        if (c == '-')
            ref.items.push_back(-1);
    }
    const std::vector<int64_t> &t = ref.items;
    if (t.empty()) {
        ref.refusal = CParsedRangeList::Empty;
        return ref;
    }
    if (t.front() < 0 || t.back() < 0) {
        ref.refusal = CParsedRangeList::Unpaired;
        return ref;
    }
    for (size_t i = 1; i + 1 < t.size(); ++i) {
        if (t[i] < 0 && (t[i + 1] < 0 || (i + 2 < t.size() && t[i + 2] < 0))) {
            ref.refusal = CParsedRangeList::Unpaired;
            return ref;
        }
    }
    for (size_t i = 1; i + 1 < t.size(); ++i) {
        if (t[i] < 0 && t[i - 1] >= t[i + 1]) {
            ref.refusal = CParsedRangeList::Descending;
            return ref;
        }
    }
    return ref;
}

// The numbers a list names, plain numbers as they stand and each range
// a-b as a to b, a number named again left out; the numbers that the first
// `steps` of that walk give, and whether the walk ended within them.
struct Walk {
    std::vector<uint32_t> numbers;
    bool ended = false;
};

Walk Expand(const std::vector<int64_t> &t, size_t steps)
{
    Walk walk;
    std::set<uint32_t> named;
    size_t taken = 0;
    const auto take = [&](int64_t n) {
        ++taken;
        if (named.insert(uint32_t(n)).second)
            walk.numbers.push_back(uint32_t(n));
    };
    for (size_t i = 0; i < t.size(); ++i) {
        if (i + 1 < t.size() && t[i + 1] < 0) {
            for (int64_t n = t[i]; n <= t[i + 2]; ++n) {
                if (taken == steps)
                    return walk;
                take(n);
            }
            i += 2;
        } else {
            if (taken == steps)
                return walk;
            take(t[i]);
        }
    }
    walk.ended = true;
    return walk;
}

// How many distinct numbers the list names: its ranges and numbers sorted
// and joined where they overlap or touch.
uint64_t CountOf(const std::vector<int64_t> &t)
{
    std::vector<std::pair<int64_t, int64_t>> spans;
    for (size_t i = 0; i < t.size(); ++i) {
        if (i + 1 < t.size() && t[i + 1] < 0) {
            spans.emplace_back(t[i], t[i + 2]);
            i += 2;
        } else {
            spans.emplace_back(t[i], t[i]);
        }
    }
    std::sort(spans.begin(), spans.end());
    uint64_t count = 0;
    int64_t covered = -1; // the highest number counted so far
    for (const auto &[first, last] : spans) {
        if (last <= covered)
            continue;
        count += uint64_t(last - std::max(first, covered + 1) + 1);
        covered = last;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const CParsedRangeList::Result result = CParsedRangeList::Parse(text);
    const Reference ref = Parse(data, size);
    if (result.refusal != ref.refusal ||
        result.list.has_value() != (ref.refusal == CParsedRangeList::Accepted))
        std::abort();
    if (!result.list) {
        if (result.message.isEmpty())
            std::abort();
        return 0;
    }
    const CParsedRangeList &list = *result.list;
    if (list.Count() != CountOf(ref.items))
        std::abort();

    constexpr size_t kLimit = 100000;
    const Walk expected = Expand(ref.items, kLimit);
    std::vector<uint32_t> got;
    CParsedRangeList::Expansion expansion(list);
    for (uint32_t n = 0; got.size() < expected.numbers.size() && expansion.Next(n);)
        got.push_back(n);
    if (got != expected.numbers)
        std::abort();
    uint32_t beyond = 0;
    if (expected.ended && expansion.Next(beyond))
        std::abort();

    const CRangeList intervals = list.Intervals();
    for (uint32_t n : got) {
        if (!intervals.Contains(n))
            std::abort();
    }
    if (expected.ended && intervals.Count() != got.size())
        std::abort();
    return 0;
}
