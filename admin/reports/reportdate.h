// The dates of the report runs: the date the administrator typed, the
// server's date arguments ("hour day month-from-0 year"), the date texts
// every dated record carries ("month/day/year"), the date a server's
// question proposes, and the time texts of log-on stamps.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// What a dated run sends and stores for its period.
struct ReportDateRange {
    QString fromArgument; // "00 D M Y"
    QString toArgument;   // "23 D M Y", or "-1" for an open end
    QString fromText;     // "M/D/Y"
    QString toText;
};

class CReportDate {
public:
    // A typed date, alone (no time): the user's locale's short and long
    // forms, then month/day/year with a four- or two-digit year.
    static std::optional<QDate> Parse(const QString &text);

    // The period of a dated run from its From and To texts: an empty From is
    // the first of `now`'s month, an empty To an open end shown as today; a
    // text that does not parse is today.
    static ReportDateRange Range(const QString &from, const QString &to, const QDateTime &now);
    // Moves the start of a range to `from`.
    static void SetFrom(ReportDateRange &range, QDate from);

    static QString Argument(int hour, QDate date);
    static QString Text(QDate date);

    // The date a server's question proposes: the first three numbers from
    // its first digit on, "/" counting as a blank, as month, day and year;
    // nothing when they are not a date.
    static std::optional<QDate> QuestionDate(const QString &question);

    // How the hour after midnight is written: the statistics reports write
    // it "12", the Generate Reports rows "0".
    enum class MidnightHour { Twelve, Zero };
    // A log-on stamp (seconds since 1970, UTC) in local time: "NEVER" for 0,
    // else "M/D/YYYY H:MMam" on a 12-hour clock.
    static QString LogonText(qint64 seconds, MidnightHour midnight);
};
