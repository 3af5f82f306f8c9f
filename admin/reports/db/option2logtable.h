// The rows of the template-driven user-agent reports: one row of up to ten
// values per user agent in "OPTION2LOG" ("Field1" ...), and the captions of
// the columns as one row in "FIELDNAMELOG" ("Name1" ...).
#pragma once

#include "admin/reports/db/reportcolumnvalue.h"
#include "admin/reports/db/reportsdatabase.h"

#include <span>

class COption2LogTable : public CReportsDatabase {
public:
    static constexpr int MaxColumns = 10;

    COption2LogTable(const QString &path, int purgeType, long purgeParam);

    // The values of the first `count` records; false for a count above ten.
    bool AddRecord(int count, std::span<const ReportColumnValue> records);
    // The captions of the first `count` records.
    bool AddFieldNameRecord(int count, std::span<const ReportColumnValue> records);

private:
    bool addRow(int table, int count, std::span<const ReportColumnValue> records, bool captions);
};
