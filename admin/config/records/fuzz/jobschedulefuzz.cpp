// Feeds arbitrary schedule texts of scheduled actions to their reader. A
// readable schedule gives every field in 0 to ff, and writing a field or the
// start with the value it holds changes no other field.
#include "admin/config/records/jobschedule.h"
#include "testsupport/fuzzsupport.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

constexpr int kFieldCount = 8;

std::array<int, kFieldCount> fields(const CJobSchedule &schedule)
{
    std::array<int, kFieldCount> values{};
    for (int f = 0; f < kFieldCount; ++f)
        values[size_t(f)] = schedule.GetField(CJobSchedule::Field(f));
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    (void)CJobSchedule::ParseTimeOfDay(text);
    if (const std::optional<int> interval = CJobSchedule::ParseInterval(text))
        REQUIRE(*interval >= 1 && *interval <= CJobSchedule::kMaxInterval);

    CJobSchedule schedule(text);
    REQUIRE(schedule.Text() == text);
    if (!schedule.IsReadable())
        return 0;
    const std::array<int, kFieldCount> read = fields(schedule);
    const qint64 start = schedule.StartTime();
    REQUIRE(start >= 0);
    for (int f = 0; f < kFieldCount; ++f) {
        REQUIRE(read[size_t(f)] >= 0 && read[size_t(f)] <= 0xff);
        schedule.SetField(CJobSchedule::Field(f), read[size_t(f)]);
        REQUIRE(schedule.IsReadable() && fields(schedule) == read && schedule.StartTime() == start);
    }
    (void)CJobSchedule::UnitIndex(read[CJobSchedule::RepeatUnit]);

    const QDateTime startTime = QDateTime::fromSecsSinceEpoch(start);
    if (schedule.SetStart(startTime)) {
        REQUIRE(schedule.IsReadable() && schedule.StartTime() == start);
        std::array<int, kFieldCount> expected = read;
        expected[CJobSchedule::Month] = startTime.date().month();
        REQUIRE(fields(schedule) == expected);
    } else {
        REQUIRE(schedule.IsReadable() && fields(schedule) == read && schedule.StartTime() == start);
    }
    return 0;
}
