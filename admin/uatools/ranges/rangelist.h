// The application's own reader of user-agent range lists ("100-199, 205
// 300-310"): what the server sends as an administrator's allowed user agents
// and what the create, copy and delete windows check against them. A range
// is kept as one interval, never expanded into its numbers, so a list such
// as 1-2000000000 costs two numbers of memory and a membership test is a
// binary search. The dialogs' own syntax checks and messages live with
// them; this reader only says whether a text is a list and what it holds.
#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

class CRangeList {
public:
    struct Interval {
        uint32_t first = 0;
        uint32_t last = 0; // inclusive
        bool operator==(const Interval &) const = default;
    };

    CRangeList() = default;

    // Numbers end at the end of the text, tab, line feed, carriage return,
    // blank or comma; "-" joins the numbers beside it into a range. Nothing
    // when the text holds any other character, is empty, begins or ends
    // with "-", has two "-" without a number between, chains ranges (1-5-9),
    // has a range whose end is below its start, or a number above 2^32 - 1.
    static std::optional<CRangeList> Parse(const QString &text);

    bool IsEmpty() const { return m_intervals.isEmpty(); }
    bool Contains(int64_t number) const;
    // The smallest number from `number` up that the list does not hold
    // (2^32 when there is none): one search, however long the interval
    // that holds `number`.
    uint64_t FirstNotContainedFrom(uint64_t number) const;
    // True when every number of `other` is in this list; a walk over the
    // intervals of both, whatever the count of numbers they hold.
    bool ContainsAll(const CRangeList &other) const;
    // How many distinct numbers the list holds.
    uint64_t Count() const;
    // Sorted ascending, overlapping and adjacent intervals merged.
    const QList<Interval> &Intervals() const { return m_intervals; }

    void Add(const Interval &interval);
    void Add(const CRangeList &other);
    void Clear() { m_intervals.clear(); }
    // The numbers held by both lists.
    CRangeList Intersected(const CRangeList &other) const;
    // The list as a range-list text that Parse reads back: "%d " for a
    // single number, "%d-%d " for a longer interval, leading blanks trimmed
    // (so the text ends with one blank unless it is empty).
    QString Format() const;

    bool operator==(const CRangeList &) const = default;

private:
    QList<Interval> m_intervals;
};
