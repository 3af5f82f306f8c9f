// The schedule text's fields; see jobschedule.h.
#include "admin/config/records/jobschedule.h"

#include <array>

namespace {

constexpr int kFieldCount = 8;
constexpr int kFlagDigits = 2 * kFieldCount;
// The start is a 32-bit time value: at most eight hexadecimal digits.
constexpr int kMaxStartDigits = 8;
constexpr int kFirstYear = 1970;
constexpr int kYearAfterLast = 2038;
constexpr std::array<int, 6> kUnits{CJobSchedule::Minute, CJobSchedule::Hour, CJobSchedule::Day,
                                    CJobSchedule::Week, CJobSchedule::MonthUnit, CJobSchedule::Year};

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

QString hexStart(qint64 seconds)
{
    return QString::number(seconds, 16);
}

} // namespace

std::optional<CJobSchedule> CJobSchedule::NewJob(const QDateTime &start)
{
    CJobSchedule schedule(QStringLiteral("0101010101010101"));
    if (!schedule.SetStart(start))
        return std::nullopt;
    return schedule;
}

bool CJobSchedule::IsReadable() const
{
    if (m_text.size() <= kFlagDigits || m_text.size() > kFlagDigits + kMaxStartDigits)
        return false;
    for (QChar c : m_text)
        if (!isHexDigit(c))
            return false;
    return true;
}

int CJobSchedule::GetField(Field field) const
{
    Q_ASSERT(IsReadable());
    return m_text.mid(2 * field, 2).toInt(nullptr, 16);
}

void CJobSchedule::SetField(Field field, int value)
{
    Q_ASSERT(IsReadable() && value >= 0 && value <= 0xff);
    m_text.replace(2 * field, 2, QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')));
}

qint64 CJobSchedule::StartTime() const
{
    Q_ASSERT(IsReadable());
    return m_text.mid(kFlagDigits).toLongLong(nullptr, 16);
}

bool CJobSchedule::SetStart(const QDateTime &start)
{
    if (!start.isValid() || !IsStartInRange(start.date()))
        return false;
    const qint64 seconds = start.toSecsSinceEpoch();
    if (seconds < 0 || seconds > 0x7fffffff)
        return false;
    m_text = m_text.left(kFlagDigits) + hexStart(seconds);
    SetField(Month, start.date().month());
    return true;
}

int CJobSchedule::UnitIndex(int unit)
{
    for (int i = 0; i < int(kUnits.size()); ++i)
        if (kUnits[i] == unit)
            return i;
    return -1;
}

int CJobSchedule::UnitAt(int index)
{
    return index >= 0 && index < int(kUnits.size()) ? kUnits[index] : OneTimeOnly;
}

bool CJobSchedule::IsStartInRange(const QDate &date)
{
    return date.isValid() && date.year() >= kFirstYear && date.year() < kYearAfterLast;
}

std::optional<QTime> CJobSchedule::ParseTimeOfDay(const QString &text)
{
    if (text.size() != 6)
        return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    const QTime time(text.left(2).toInt(), text.mid(2, 2).toInt(), text.mid(4, 2).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}

std::optional<int> CJobSchedule::ParseInterval(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 3)
        return std::nullopt;
    for (QChar c : digits)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    const int interval = digits.toInt();
    if (interval < 1 || interval > kMaxInterval)
        return std::nullopt;
    return interval;
}
