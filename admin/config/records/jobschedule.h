// The schedule text of one scheduled action, as the server keeps it and the
// Scheduler page edits it: eight two-digit hexadecimal fields (lower case)
// followed by the start time, hexadecimal seconds since 1970 without leading
// zeros.
//
//   field        characters  values
//   ActiveDays   0-1         week-day bit mask, Monday bit 0; 7f all days
//   Reserved     2-3         the server's; 01 in a new job, never changed
//   RepeatUnit   4-5         00 once; 01 minute 02 hour 04 day 08 week
//                            10 month 20 year
//   Interval     6-7         every n units, 1 to ff
//   MonthlyMode  8-9         01 day of the month, 02 occurrence of a day
//   DayOfMonth   10-11       01 to 1f, 20 the last day
//   Occurrence   12-13       01 to 05, 05 the last
//   Month        14-15       the start's month, 01 to 0c
//   start        16 on       seconds
//
// A schedule that does not have that shape (too short, not hexadecimal) is
// not readable: the page shows such a job without letting its schedule be
// edited, so nothing is written from fields that were never there.
#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

class CJobSchedule {
public:
    enum Field { ActiveDays = 0, Reserved, RepeatUnit, Interval, MonthlyMode, DayOfMonth, Occurrence, Month };
    enum Unit { OneTimeOnly = 0x00, Minute = 0x01, Hour = 0x02, Day = 0x04, Week = 0x08, MonthUnit = 0x10,
                Year = 0x20 };
    enum MonthlyModeValue { OnDayOfMonth = 0x01, OnOccurrence = 0x02 };
    static constexpr int kAllDays = 0x7f;
    static constexpr int kLastDayOfMonth = 0x20;
    static constexpr int kLastOccurrence = 5;
    static constexpr int kMaxInterval = 0xff;

    explicit CJobSchedule(const QString &text) : m_text(text) {}
    // A new job's schedule: every field 01, the month of `start`, then the
    // start; nothing when `start` lies outside the years the server takes.
    static std::optional<CJobSchedule> NewJob(const QDateTime &start);

    const QString &Text() const { return m_text; }
    bool IsReadable() const;

    // Only on a readable schedule; a value is 0 to ff.
    int GetField(Field field) const;
    void SetField(Field field, int value);
    // The start in seconds since 1970 (0: now).
    qint64 StartTime() const;
    // The start and its month; false, nothing changed, outside 1970 to 2037.
    bool SetStart(const QDateTime &start);

    // The repeat unit's place in the page's list (minute 0 ... year 5), or
    // -1 for one time only and unknown codes; and back.
    static int UnitIndex(int unit);
    static int UnitAt(int index);
    static bool IsStartInRange(const QDate &date);
    // "HHMMSS", each part in its range.
    static std::optional<QTime> ParseTimeOfDay(const QString &text);
    // Every n units: a decimal 1 to ff.
    static std::optional<int> ParseInterval(const QString &text);

private:
    QString m_text;
};
