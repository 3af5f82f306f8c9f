// The holidays of the server variable `holidays`: words "month/day" (a
// holiday of every year) and "month/day/year" (one day of one year). A
// holiday is one 32-bit value, day in the lowest 8 bits, month in the next 8,
// year in the top 16 (0 for every year), so comparing values orders by year,
// month and day. Months, days and years are checked in full before they are
// packed: 257/1 is no January holiday. Words that are no holiday are kept
// apart, in their order, and written back behind the holidays, so a word
// this program cannot read is never lost.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct HolidayRecord {
    quint32 value = 0;

    static HolidayRecord Make(int day, int month, int year)
    {
        return HolidayRecord{quint32(day & 0xff) | (quint32(month & 0xff) << 8) |
                             (quint32(year & 0xffff) << 16)};
    }
    int Day() const { return int(value & 0xff); }
    int Month() const { return int((value >> 8) & 0xff); }
    int Year() const { return int(value >> 16); }
    bool IsYearly() const { return Year() == 0; }
    bool operator==(const HolidayRecord &) const = default;
};

// An ordered list of holidays without duplicates.
class CHolidayList {
public:
    // Inserts before the first greater holiday, where a yearly holiday
    // compared with a fixed-date one counts as one of that year. False, with
    // nothing added, when the list holds the holiday already.
    bool Insert(HolidayRecord holiday);
    bool Remove(HolidayRecord holiday);
    bool Contains(HolidayRecord holiday) const { return m_items.contains(holiday); }
    // The 0-based place of the holiday, or -1.
    int IndexOf(HolidayRecord holiday) const { return int(m_items.indexOf(holiday)); }
    void Clear() { m_items.clear(); }
    int Count() const { return int(m_items.size()); }
    HolidayRecord At(int i) const { return m_items.at(i); }
    const QList<HolidayRecord> &Items() const { return m_items; }

private:
    QList<HolidayRecord> m_items;
};

namespace HolidayText {

inline constexpr int FirstValidYear = 1970;
inline constexpr int LastValidYear = 2037;

// Reads one word; false for a word that is no holiday.
bool ParseWord(const QString &word, HolidayRecord &holiday);
// Splits the text as a Tcl list into the fixed-date and yearly lists; the
// words that are no holiday go to `unreadable` in their order, as list
// elements ready to be written back (a text that is no Tcl list at all is
// kept whole there).
void Parse(const QString &text, CHolidayList &fixed, CHolidayList &yearly, QStringList &unreadable);
// The fixed-date holidays, then the yearly ones, then the unreadable words
// as they were kept, separated by single blanks.
QString Format(const CHolidayList &fixed, const CHolidayList &yearly, const QStringList &unreadable);
// The text to write back where `serverText` was read: that text itself
// while the lists hold the holidays it gave; otherwise its words in their
// order and spelling, less those of the holidays removed, then the holidays
// added as Format writes them.
QString FormatKeeping(const QString &serverText, const CHolidayList &fixed, const CHolidayList &yearly);
// "month/day" or "month/day/year".
QString FormatWord(HolidayRecord holiday);

} // namespace HolidayText
