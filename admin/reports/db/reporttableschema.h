// The tables of the report database: name, columns in order with their
// types, and the one column each table is indexed on. The report runs fill
// these tables and the report layouts read them, so this list is the
// contract between the two; a layout naming a table or column that is not
// here is refused when it is opened.
#pragma once

#include <QString>

#include <span>

enum class ReportColumnType {
    Long, // a 32-bit signed whole number
    Text,
};

struct ReportColumn {
    const char *name;
    ReportColumnType type;
};

struct ReportTableSchema {
    const char *name;
    std::span<const ReportColumn> columns;
    const char *indexColumn;

    // The position (0-based) of a column, or -1.
    int ColumnIndex(const QString &column) const;
    // SQLite index names are global to the file: the table's name goes in front.
    QString IndexName() const;
};

class CReportTableSchemas {
public:
    static std::span<const ReportTableSchema> All();
    // The schema of that table (exact name), or null.
    static const ReportTableSchema *Find(const QString &table);
};
