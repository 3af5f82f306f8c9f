// The layout reader; see reportlayout.h. Every statement is checked where it
// is read, so a layout that parses names only report tables and columns.
#include "admin/reports/reportlayout.h"

#include "admin/reports/db/reporttableschema.h"

#include <QStringList>

namespace {

const QString kMagic = QStringLiteral("verbanta-report-layout");

bool knownColumn(const QString &table, const QString &column)
{
    const ReportTableSchema *schema = CReportTableSchemas::Find(table);
    return schema && schema->ColumnIndex(column) >= 0;
}

} // namespace

std::optional<CReportLayout> CReportLayout::Parse(const QString &text, QString &error)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    CReportLayout layout;
    bool versionSeen = false;
    for (qsizetype number = 0; number < lines.size(); ++number) {
        QString line = lines[number];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        const QString &keyword = fields[0];
        auto refuse = [&](const QString &why) {
            error = QStringLiteral("Layout line %1: %2").arg(number + 1).arg(why);
            return std::nullopt;
        };
        auto wants = [&](qsizetype count) { return fields.size() == count; };
        if (!versionSeen) {
            if (keyword != kMagic || !wants(2))
                return refuse(QStringLiteral("this is not a report layout."));
            if (fields[1] != QString::number(FormatVersion))
                return refuse(QStringLiteral("layout version %1 is not supported.").arg(fields[1]));
            versionSeen = true;
            continue;
        }
        ReportLayoutSection *section = layout.sections.isEmpty() ? nullptr : &layout.sections.last();
        if (keyword == QLatin1String("title") && wants(2)) {
            layout.title = fields[1];
        } else if (keyword == QLatin1String("period") && wants(4)) {
            if (!knownColumn(fields[1], fields[2]) || !knownColumn(fields[1], fields[3]))
                return refuse(QStringLiteral("no such table or column."));
            layout.periodTable = fields[1];
            layout.periodFrom = fields[2];
            layout.periodTo = fields[3];
        } else if (keyword == QLatin1String("section") && wants(3)) {
            if (!CReportTableSchemas::Find(fields[1]))
                return refuse(QStringLiteral("no table %1.").arg(fields[1]));
            layout.sections.append(ReportLayoutSection{fields[1], fields[2], {}, {}, {}, {}, {}});
        } else if (!section) {
            return refuse(QStringLiteral("\"%1\" outside a section.").arg(keyword));
        } else if (keyword == QLatin1String("column") && wants(3)) {
            if (!knownColumn(section->table, fields[1]))
                return refuse(QStringLiteral("no column %1 in %2.").arg(fields[1], section->table));
            section->columns.append(fields[1]);
            section->headings.append(fields[2]);
        } else if (keyword == QLatin1String("headings") && wants(2)) {
            const ReportTableSchema *headings = CReportTableSchemas::Find(fields[1]);
            const ReportTableSchema *rows = CReportTableSchemas::Find(section->table);
            if (!headings || headings->columns.size() != rows->columns.size())
                return refuse(QStringLiteral("%1 cannot give the headings of %2.").arg(fields[1], section->table));
            section->headingTable = fields[1];
        } else if (keyword == QLatin1String("sort") && wants(2)) {
            if (!knownColumn(section->table, fields[1]))
                return refuse(QStringLiteral("no column %1 in %2.").arg(fields[1], section->table));
            section->sortColumn = fields[1];
        } else if (keyword == QLatin1String("group") && wants(2)) {
            if (!knownColumn(section->table, fields[1]))
                return refuse(QStringLiteral("no column %1 in %2.").arg(fields[1], section->table));
            section->groupColumn = fields[1];
        } else {
            return refuse(QStringLiteral("\"%1\" is not a layout statement.").arg(keyword));
        }
    }
    if (!versionSeen) {
        error = QStringLiteral("The layout is empty.");
        return std::nullopt;
    }
    if (layout.title.isEmpty() || layout.sections.isEmpty()) {
        error = QStringLiteral("The layout has no title or no section.");
        return std::nullopt;
    }
    for (const ReportLayoutSection &section : std::as_const(layout.sections)) {
        if (section.columns.isEmpty()) {
            error = QStringLiteral("The section of %1 has no column.").arg(section.table);
            return std::nullopt;
        }
    }
    return layout;
}
