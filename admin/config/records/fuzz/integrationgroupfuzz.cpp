// Feeds arbitrary server values (one a line) to the integration group's
// reader. A group of all 33 values goes back unedited exactly as the server
// sent it; any other group written back reads as the same record (its
// empty pattern rows closed up) and goes back as it was written.
#include "admin/config/records/integrationgrouprecord.h"
#include "testsupport/fuzzsupport.h"

#include <cstddef>
#include <cstdint>

namespace {

// The record without the server's own spelling of its values.
IntegrationGroupRecord pageFields(IntegrationGroupRecord record)
{
    record.serverValues.clear();
    record.loadedValues.clear();
    return record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList values = text.split(QLatin1Char('\n'));
    const IntegrationGroupRecord record = IntegrationValues::FromServerValues(QStringLiteral("Meridian"), values);
    for (const QString &pattern : record.integrationPatterns)
        (void)IntegrationValues::PatternKind(pattern);
    (void)IntegrationValues::IsValidMaxExtensionLength(record.maxExtensionLength);
    const QStringList written = IntegrationValues::ToServerValues(record);
    REQUIRE(written.size() == IntegrationValues::ServerValueCount);
    if (values.size() == IntegrationValues::ServerValueCount)
        REQUIRE(written == values);

    // What the page writes of its own reads back as what the page shows and
    // goes back as it is; only the empty pattern rows close up.
    REQUIRE(IntegrationValues::ToServerValues(IntegrationValues::FromServerValues(QStringLiteral("Meridian"), written)) ==
            written);
    const QStringList formed = IntegrationValues::ToServerValues(pageFields(record));
    const IntegrationGroupRecord again = IntegrationValues::FromServerValues(QStringLiteral("Meridian"), formed);
    REQUIRE(IntegrationValues::ToServerValues(pageFields(again)) == formed);
    IntegrationGroupRecord rows = pageFields(again);
    rows.integrationPatterns = record.integrationPatterns;
    rows.smdiPatterns = record.smdiPatterns;
    rows.moreIntegrationPatterns = record.moreIntegrationPatterns;
    rows.moreSmdiPatterns = record.moreSmdiPatterns;
    REQUIRE(rows == pageFields(record));
    return 0;
}
