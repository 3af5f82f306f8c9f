// A report layout: what one report shows of the report database. Layouts are
// text files of our own format, one per report, built into the program; the
// print engine opens one for each print job. A layout holds no SQL: it names
// tables and columns, and every name is checked against the report tables
// when the layout is read, so a layout cannot reach anything else.
//
// The format, one statement a line, fields separated by tab characters,
// blank lines and lines beginning with "#" ignored:
//
//   verbanta-report-layout <TAB> 1          first line: format and version
//   title <TAB> TEXT                        the report's heading
//   period <TAB> TABLE <TAB> FROM <TAB> TO  "From ... To ..." under the heading,
//                                           from the first row of TABLE
//   section <TAB> TABLE <TAB> CAPTION       starts a block of rows of TABLE
//   column <TAB> COLUMN <TAB> HEADING       a column of the current section
//   headings <TAB> TABLE                    headings come from the first row
//                                           of TABLE, column by column; a
//                                           column without one is left out
//   sort <TAB> COLUMN                       rows in ascending order of COLUMN
//   group <TAB> COLUMN                      a group line each time COLUMN changes
//
// A layout has a title and at least one section, each with at least one column.
#pragma once

#include <QList>
#include <QString>

#include <optional>

struct ReportLayoutSection {
    QString table;
    QString caption;
    QList<QString> columns;
    QList<QString> headings;
    QString headingTable; // empty: the headings above
    QString sortColumn;   // empty: the order the rows were stored in
    QString groupColumn;  // empty: no groups
};

class CReportLayout {
public:
    static constexpr int FormatVersion = 1;

    // The layout in `text`, or nothing with the reason in `error`.
    static std::optional<CReportLayout> Parse(const QString &text, QString &error);

    QString title;
    QString periodTable; // empty: no period line
    QString periodFrom;
    QString periodTo;
    QList<ReportLayoutSection> sections;
};
