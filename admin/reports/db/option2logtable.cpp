// See option2logtable.h. "FieldName" is never set by the runs.
#include "admin/reports/db/option2logtable.h"

#include "admin/reports/db/reporttableschema.h"

namespace {

constexpr int ValueTable = 0;
constexpr int CaptionTable = 1;

const ReportTableSchema *const kTables[] = {CReportTableSchemas::Find(QStringLiteral("OPTION2LOG")),
                                            CReportTableSchemas::Find(QStringLiteral("FIELDNAMELOG"))};

} // namespace

COption2LogTable::COption2LogTable(const QString &path, int purgeType, long purgeParam)
    : CReportsDatabase(path, purgeType, purgeParam, kTables)
{
}

bool COption2LogTable::AddRecord(int count, std::span<const ReportColumnValue> records)
{
    return addRow(ValueTable, count, records, false);
}

bool COption2LogTable::AddFieldNameRecord(int count, std::span<const ReportColumnValue> records)
{
    return addRow(CaptionTable, count, records, true);
}

bool COption2LogTable::addRow(int table, int count, std::span<const ReportColumnValue> records, bool captions)
{
    if (count < 0 || count > MaxColumns || size_t(count) > records.size())
        return countRow(false);
    QList<QVariant> values;
    for (int i = 0; i < count; ++i)
        values << (captions ? records[size_t(i)].caption : records[size_t(i)].value);
    return countRow(insertRow(table, values));
}
