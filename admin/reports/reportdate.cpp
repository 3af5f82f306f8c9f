// See reportdate.h. Months go to the server counted from 0 (January is 0);
// the date texts count them from 1, without leading zeros.
#include "admin/reports/reportdate.h"

#include <QLocale>
#include <QRegularExpression>

#include <cstdio>
#include <ctime>

std::optional<QDate> CReportDate::Parse(const QString &text)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return std::nullopt;
    const QLocale locale = QLocale::system();
    for (QLocale::FormatType format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDate date = locale.toDate(typed, format);
        if (date.isValid())
            return date;
    }
    for (const char *format : {"M/d/yyyy", "M/d/yy", "M-d-yyyy"}) {
        QDate date = QDate::fromString(typed, QString::fromLatin1(format));
        if (date.isValid()) {
            // Two-digit years are of this century up to 49.
            if (qstrcmp(format, "M/d/yy") == 0 && date.year() < 1950)
                date = date.addYears(100);
            return date;
        }
    }
    return std::nullopt;
}

ReportDateRange CReportDate::Range(const QString &from, const QString &to, const QDateTime &now)
{
    const QDate today = now.date();
    ReportDateRange range;
    if (from.isEmpty()) {
        SetFrom(range, QDate(today.year(), today.month(), 1));
    } else {
        SetFrom(range, Parse(from).value_or(today));
    }
    if (to.isEmpty()) {
        range.toArgument = QStringLiteral("-1");
        range.toText = Text(today);
    } else {
        const QDate date = Parse(to).value_or(today);
        range.toArgument = Argument(23, date);
        range.toText = Text(date);
    }
    return range;
}

void CReportDate::SetFrom(ReportDateRange &range, QDate from)
{
    range.fromArgument = Argument(0, from);
    range.fromText = Text(from);
}

QString CReportDate::Argument(int hour, QDate date)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(date.day())
        .arg(date.month() - 1)
        .arg(date.year());
}

QString CReportDate::Text(QDate date)
{
    return QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
}

std::optional<QDate> CReportDate::QuestionDate(const QString &question)
{
    static const QRegularExpression firstDigit(QStringLiteral("[0-9]"));
    const qsizetype start = question.indexOf(firstDigit);
    if (start < 0)
        return std::nullopt;
    QString rest = question.mid(start);
    rest.replace(QLatin1Char('/'), QLatin1Char(' '));
    static const QRegularExpression threeNumbers(QStringLiteral("^(\\d+)\\s+(\\d+)\\s+(\\d+)"));
    const QRegularExpressionMatch match = threeNumbers.match(rest);
    if (!match.hasMatch())
        return std::nullopt;
    bool okMonth = false;
    bool okDay = false;
    bool okYear = false;
    const int month = match.captured(1).toInt(&okMonth);
    const int day = match.captured(2).toInt(&okDay);
    const int year = match.captured(3).toInt(&okYear);
    const QDate date(year, month, day);
    if (!okMonth || !okDay || !okYear || !date.isValid())
        return std::nullopt;
    return date;
}

QString CReportDate::LogonText(qint64 seconds, MidnightHour midnight)
{
    if (seconds == 0)
        return QStringLiteral("NEVER");
    // A report converts a stamp for each of its rows: localtime_r reads the
    // zone once (and again after each tzset), where QDateTime's conversion
    // looks at the zone file for every stamp. Stamps it cannot convert take
    // QDateTime's road.
    const std::time_t when = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (qint64(when) != seconds || !localtime_r(&when, &local)) {
        const QDateTime converted = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toLocalTime();
        local.tm_year = converted.date().year() - 1900;
        local.tm_mon = converted.date().month() - 1;
        local.tm_mday = converted.date().day();
        local.tm_hour = converted.time().hour();
        local.tm_min = converted.time().minute();
    }
    const int hour = local.tm_hour;
    const int clockHour = hour == 0 ? (midnight == MidnightHour::Zero ? 0 : 12) : (hour == 12 ? 12 : hour % 12);
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d%s", local.tm_mon + 1, local.tm_mday,
                                     local.tm_year + 1900, clockHour, local.tm_min, hour >= 12 ? "pm" : "am");
    return QString::fromLatin1(text, qMin(length, int(sizeof text) - 1));
}
