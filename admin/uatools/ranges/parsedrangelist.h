// The range list an administrator types to name several user agents at
// once ("100-199, 205 300-310"), as the Create, Copy and Delete dialogs read
// it: one syntax, one set of checks and one set of messages for all of them.
//
// The text becomes a sequence of items in text order, each a number or the
// range marker that a "-" stands for, so "1-3 7" is 1, -, 3, 7. An item
// says what it is by its kind; no number can pass for the marker. Every
// check is made here, the ascending order of ranges included, so a list
// that gets past Parse can be expanded (ranges ascending, each number once
// where the text names it first) and checked against an administrator's
// allowed user agents as intervals, which costs the same for 1-2000000000
// as for 1-2.
#pragma once

#include "admin/uatools/ranges/rangelist.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

class CParsedRangeList {
public:
    struct Item {
        enum Kind : uint8_t { Number, RangeMarker };
        Kind kind = Number;
        uint32_t value = 0; // 0 for the marker
        bool operator==(const Item &) const = default;
    };

    // Why a text was refused, in the order the checks are made: the scan
    // (a character that is not a digit or a separator, a number above the
    // user-agent range), then the whole list (empty, unpaired "-", a range
    // that does not go up).
    enum Refusal { Accepted, OtherCharacter, NumberTooLarge, Empty, Unpaired, Descending };

    // User agents are numbered as signed 32-bit values on the wire.
    static constexpr uint32_t MaxNumber = 0x7fffffff;

    struct Result;

    // Digits make numbers; tab, line feed, carriage return, blank and ","
    // end one; "-" ends one and stands for the range marker. With
    // `emptyAllowed` (a list without members) an empty text is accepted.
    static Result Parse(const QString &text, bool emptyAllowed = false);

    const QList<Item> &Items() const { return m_items; }
    bool IsEmpty() const { return m_items.isEmpty(); }
    // How many numbers the expansion gives: the distinct numbers named.
    uint64_t Count() const;
    // The numbers named, as sorted, merged intervals.
    CRangeList Intervals() const;

    // Walks the expansion: every plain number, and for "a - b" the numbers
    // from a to b ascending, in text order, each number only where it comes
    // first ("5 3-7 5" gives 5 3 4 6 7): a number named twice is still one
    // user agent. Holds a position and the intervals walked so far.
    class Expansion {
    public:
        explicit Expansion(const CParsedRangeList &list) : m_items(list.m_items) {}
        // The next number; false past the end.
        bool Next(uint32_t &number);

    private:
        const QList<Item> &m_items;
        qsizetype m_at = 0;
        bool m_inRange = false;
        uint64_t m_next = 0; // inside a range: the next number it may give
        CRangeList m_walked; // the items before the one at m_at
    };

private:
    QList<Item> m_items;
};

struct CParsedRangeList::Result {
    Refusal refusal = Accepted;
    // The message to show for a refusal; empty when accepted.
    QString message;
    // Set when accepted.
    std::optional<CParsedRangeList> list;
};
