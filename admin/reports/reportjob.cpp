// The print job; see reportjob.h. Rendering reads the report database over a
// read-only connection of its own. Table and column names come from the
// layout, which named only report tables and columns when it was read; they
// are still quoted as identifiers.
#include "admin/reports/reportjob.h"

#include "admin/reports/db/reportsdatabase.h"
#include "admin/reports/db/reporttableschema.h"
#include "admin/reports/reportengine.h"
#include "admin/reports/reportpreviewwnd.h"

#include "admin/reports/reportpages.h"
#include "admin/reports/reportprogress.h"

#include <QFileInfo>
#include <QPrinter>

#include <functional>

#include <sqlite3.h>

namespace {

QString quoted(const QString &identifier)
{
    QString name = identifier;
    name.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// One read-only connection for one rendering.
class Reader {
public:
    explicit Reader(const QString &path) : m_path(path)
    {
        if (!QFileInfo(path).isFile()) {
            m_error = QStringLiteral("The report database %1 does not exist.").arg(path);
            return;
        }
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            m_error = QStringLiteral("The report database %1 cannot be read: %2")
                          .arg(path, QString::fromUtf8(sqlite3_errmsg(m_db)));
            sqlite3_close(m_db);
            m_db = nullptr;
            return;
        }
        sqlite3_busy_timeout(m_db, CReportsDatabase::BusyWaitMs);
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    }
    ~Reader() { sqlite3_close(m_db); }

    bool ok() const { return m_db != nullptr; }
    QString error() const { return m_error; }

    // Hands each row of `columns` of `table` to `onRow` in order, until it
    // answers false; false with the reason on failure.
    bool select(const QString &table, const QStringList &columns, const QString &orderBy,
                const std::function<bool(QStringList &&)> &onRow, int limit = -1)
    {
        QStringList names;
        for (const QString &column : columns)
            names << quoted(column);
        QString sql = QStringLiteral("SELECT %1 FROM %2").arg(names.join(QLatin1String(", ")), quoted(table));
        sql += orderBy.isEmpty() ? QStringLiteral(" ORDER BY rowid") : QStringLiteral(" ORDER BY %1, rowid").arg(orderBy);
        if (limit >= 0)
            sql += QStringLiteral(" LIMIT %1").arg(limit);
        sqlite3_stmt *statement = nullptr;
        const QByteArray text = sql.toUtf8();
        int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &statement, nullptr);
        if (rc != SQLITE_OK)
            return failed(rc, table);
        bool wanted = true;
        while (wanted && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList row;
            row.reserve(columns.size());
            for (int i = 0; i < int(columns.size()); ++i)
                row << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, i)));
            wanted = onRow(std::move(row));
        }
        sqlite3_finalize(statement);
        return !wanted || rc == SQLITE_DONE || failed(rc, table);
    }

    // The first row of `columns` of `table`, empty when it has none.
    bool first(const QString &table, const QStringList &columns, QStringList &row)
    {
        row.clear();
        return select(table, columns, QString(), [&](QStringList &&found) {
            row = std::move(found);
            return false;
        });
    }

    // How many rows `table` holds; -1 with the reason on failure.
    qint64 count(const QString &table)
    {
        sqlite3_stmt *statement = nullptr;
        const QByteArray text = QStringLiteral("SELECT count(*) FROM %1").arg(quoted(table)).toUtf8();
        int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &statement, nullptr);
        if (rc == SQLITE_OK)
            rc = sqlite3_step(statement);
        const qint64 rows = rc == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
        sqlite3_finalize(statement);
        if (rows < 0)
            failed(rc, table);
        return rows;
    }

private:
    bool failed(int rc, const QString &table)
    {
        const int primary = rc & 0xff;
        m_error = primary == SQLITE_BUSY || primary == SQLITE_LOCKED
                      ? CReportsDatabase::LockedText(m_path)
                      : QStringLiteral("The report table %1 cannot be read: %2").arg(table, QString::fromUtf8(sqlite3_errmsg(m_db)));
        return false;
    }

    QString m_path;
    sqlite3 *m_db = nullptr;
    QString m_error;
};

// The columns of a template report that have a heading in its heading
// table, and those headings; false with the reason in the reader.
bool KeepNamedColumns(Reader &reader, const ReportLayoutSection &section, QStringList &columns, QStringList &headings)
{
    // The template reports: a column without a heading is not in the report.
    const ReportTableSchema *rowsSchema = CReportTableSchemas::Find(section.table);
    const ReportTableSchema *headingSchema = CReportTableSchemas::Find(section.headingTable);
    QStringList headingColumns;
    for (const QString &column : std::as_const(columns))
        headingColumns << QString::fromUtf8(headingSchema->columns[size_t(rowsSchema->ColumnIndex(column))].name);
    QStringList named;
    if (!reader.first(section.headingTable, headingColumns, named))
        return false;
    QStringList keptColumns;
    headings.clear();
    for (qsizetype i = 0; !named.isEmpty() && i < columns.size(); ++i) {
        if (named[i].isEmpty())
            continue;
        keptColumns << columns[i];
        headings << named[i];
    }
    columns = keptColumns;
    return true;
}

// Adds the rows of `section` to `pages`, counting them in `done`, until
// they are all there or the progress is cancelled; false with the reason in
// the reader.
bool AddSection(Reader &reader, const ReportLayoutSection &section, CReportPages &pages, CReportProgress &progress,
                qint64 &done)
{
    QStringList columns = section.columns;
    QStringList headings = section.headings;
    if (!section.headingTable.isEmpty() && !KeepNamedColumns(reader, section, columns, headings))
        return false;
    QStringList order;
    if (!section.groupColumn.isEmpty())
        order << quoted(section.groupColumn);
    if (!section.sortColumn.isEmpty())
        order << quoted(section.sortColumn);
    QStringList selected = columns;
    const bool grouped = !section.groupColumn.isEmpty();
    if (grouped)
        selected.prepend(section.groupColumn);
    pages.BeginSection(section.caption, headings);
    QString group;
    bool first = true;
    const auto addRow = [&](QStringList &&row) {
        if (grouped) {
            const QString value = row.takeFirst();
            if (first || value != group)
                pages.AddGroup(value);
            group = value;
            first = false;
        }
        pages.AddRow(row);
        return progress.Advance(++done);
    };
    return columns.isEmpty() || reader.select(section.table, selected, order.join(QLatin1String(", ")), addRow);
}

} // namespace

CReportJob::CReportJob(CReportEngine &engine, CReportLayout layout, QString databasePath)
    : m_engine(engine), m_layout(std::move(layout)), m_databasePath(std::move(databasePath)),
      m_title(m_layout.title), m_window(70, 100, 600, 500)
{
}

CReportJob::~CReportJob()
{
    m_engine.RemoveJob(this);
}

bool CReportJob::OutputToWindow(const QString &title, int left, int top, int width, int height)
{
    m_title = title;
    m_window = QRect(left, top, width, height);
    return true;
}

bool CReportJob::Start()
{
    std::unique_ptr<CReportPages> pages = render();
    if (!pages)
        return m_cancelled;
    auto *window = new CReportPreviewWnd(std::move(pages), &m_engine.Printer(), m_engine.PreviewOwner());
    window->setWindowTitle(m_title);
    window->setGeometry(m_window);
    m_engine.AddPreview(window);
    window->show();
    return true;
}

bool CReportJob::ExportPdf(const QString &path)
{
    std::unique_ptr<CReportPages> pages = render();
    if (!pages) {
        if (m_cancelled)
            m_error = QStringLiteral("The report was cancelled.");
        return false;
    }
    CReportProgress progress(QStringLiteral("Writing %1...").arg(m_title), pages->PageCount());
    if (!pages->WritePdf(path, &progress, m_error)) {
        if (progress.WasCancelled())
            m_error = QStringLiteral("The report was cancelled.");
        return false;
    }
    return true;
}

std::unique_ptr<CReportPages> CReportJob::render()
{
    m_error.clear();
    m_cancelled = false;
    Reader reader(m_databasePath);
    if (!reader.ok()) {
        m_error = reader.error();
        return nullptr;
    }
    qint64 total = 0;
    for (const ReportLayoutSection &section : std::as_const(m_layout.sections)) {
        const qint64 rows = reader.count(section.table);
        if (rows < 0) {
            m_error = reader.error();
            return nullptr;
        }
        total += rows;
    }
    auto pages = std::make_unique<CReportPages>(m_layout.title, m_engine.Printer().pageLayout());
    if (!m_layout.periodTable.isEmpty()) {
        QStringList period;
        if (!reader.first(m_layout.periodTable, {m_layout.periodFrom, m_layout.periodTo}, period)) {
            m_error = reader.error();
            return nullptr;
        }
        if (!period.isEmpty())
            pages->SetPeriod(QStringLiteral("From %1 To %2").arg(period[0], period[1]));
    }
    CReportProgress progress(QStringLiteral("Laying out %1...").arg(m_title), total);
    bool read = true;
    progress.Run([&] {
        qint64 done = 0;
        for (const ReportLayoutSection &section : std::as_const(m_layout.sections)) {
            read = AddSection(reader, section, *pages, progress, done);
            if (!read || progress.WasCancelled())
                return;
        }
        pages->Finish();
    });
    if (!read) {
        m_error = reader.error();
        return nullptr;
    }
    m_cancelled = progress.WasCancelled();
    return m_cancelled ? nullptr : std::move(pages);
}
