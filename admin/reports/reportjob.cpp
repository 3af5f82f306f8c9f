// The print job; see reportjob.h. Rendering reads the report database over a
// read-only connection of its own. Table and column names come from the
// layout, which named only report tables and columns when it was read; they
// are still quoted as identifiers.
#include "admin/reports/reportjob.h"

#include "admin/reports/db/reportsdatabase.h"
#include "admin/reports/db/reporttableschema.h"
#include "admin/reports/reportengine.h"
#include "admin/reports/reportpreviewwnd.h"

#include <QFileInfo>
#include <QTextDocument>

#include <sqlite3.h>

namespace {

QString quoted(const QString &identifier)
{
    QString name = identifier;
    name.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString html(const QString &text)
{
    return text.toHtmlEscaped();
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

    // The rows of `columns` of `table`; false with the reason on failure.
    bool select(const QString &table, const QStringList &columns, const QString &orderBy,
                QList<QStringList> &rows, int limit = -1)
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
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            QStringList row;
            for (int i = 0; i < int(columns.size()); ++i)
                row << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, i)));
            rows.append(row);
        }
        sqlite3_finalize(statement);
        return rc == SQLITE_DONE || failed(rc, table);
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
    std::unique_ptr<QTextDocument> pages = render();
    if (!pages)
        return false;
    auto *window = new CReportPreviewWnd(std::move(pages), &m_engine.Printer());
    window->setWindowTitle(m_title);
    window->setGeometry(m_window);
    m_engine.AddPreview(window);
    window->show();
    return true;
}

bool CReportJob::ExportPdf(const QString &path)
{
    std::unique_ptr<QTextDocument> pages = render();
    if (!pages)
        return false;
    CReportPreviewWnd window(std::move(pages));
    window.setWindowTitle(m_title);
    if (!window.ExportPdf(path)) {
        m_error = QStringLiteral("The report cannot be written to %1.").arg(path);
        return false;
    }
    return true;
}

std::unique_ptr<QTextDocument> CReportJob::render()
{
    m_error.clear();
    Reader reader(m_databasePath);
    if (!reader.ok()) {
        m_error = reader.error();
        return nullptr;
    }
    QString body = QStringLiteral("<h2 align=\"center\">%1</h2>").arg(html(m_layout.title));
    if (!m_layout.periodTable.isEmpty()) {
        QList<QStringList> period;
        if (!reader.select(m_layout.periodTable, {m_layout.periodFrom, m_layout.periodTo}, QString(), period, 1)) {
            m_error = reader.error();
            return nullptr;
        }
        if (!period.isEmpty())
            body += QStringLiteral("<p align=\"center\">From %1 To %2</p>").arg(html(period[0][0]), html(period[0][1]));
    }
    for (const ReportLayoutSection &section : std::as_const(m_layout.sections)) {
        QStringList columns = section.columns;
        QStringList headings = section.headings;
        if (!section.headingTable.isEmpty()) {
            // The template reports: a column without a heading is not in the report.
            const ReportTableSchema *rowsSchema = CReportTableSchemas::Find(section.table);
            const ReportTableSchema *headingSchema = CReportTableSchemas::Find(section.headingTable);
            QStringList headingColumns;
            for (const QString &column : std::as_const(columns))
                headingColumns << QString::fromUtf8(headingSchema->columns[size_t(rowsSchema->ColumnIndex(column))].name);
            QList<QStringList> named;
            if (!reader.select(section.headingTable, headingColumns, QString(), named, 1)) {
                m_error = reader.error();
                return nullptr;
            }
            QStringList keptColumns;
            headings.clear();
            for (qsizetype i = 0; !named.isEmpty() && i < columns.size(); ++i) {
                if (named[0][i].isEmpty())
                    continue;
                keptColumns << columns[i];
                headings << named[0][i];
            }
            columns = keptColumns;
        }
        QStringList order;
        if (!section.groupColumn.isEmpty())
            order << quoted(section.groupColumn);
        if (!section.sortColumn.isEmpty())
            order << quoted(section.sortColumn);
        QStringList selected = columns;
        if (!section.groupColumn.isEmpty())
            selected.prepend(section.groupColumn);
        QList<QStringList> rows;
        if (!columns.isEmpty() && !reader.select(section.table, selected, order.join(QLatin1String(", ")), rows)) {
            m_error = reader.error();
            return nullptr;
        }
        if (!section.caption.isEmpty())
            body += QStringLiteral("<h3>%1</h3>").arg(html(section.caption));
        body += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><thead><tr>");
        for (const QString &heading : std::as_const(headings))
            body += QStringLiteral("<th>%1</th>").arg(html(heading));
        body += QStringLiteral("</tr></thead>");
        QString group;
        bool first = true;
        for (QStringList row : std::as_const(rows)) {
            if (!section.groupColumn.isEmpty()) {
                const QString value = row.takeFirst();
                if (first || value != group)
                    body += QStringLiteral("<tr><td colspan=\"%1\"><b>%2</b></td></tr>")
                                .arg(columns.size())
                                .arg(html(value));
                group = value;
                first = false;
            }
            body += QStringLiteral("<tr>");
            for (const QString &value : std::as_const(row))
                body += QStringLiteral("<td>%1</td>").arg(html(value));
            body += QStringLiteral("</tr>");
        }
        body += QStringLiteral("</table>");
        if (rows.isEmpty())
            body += QStringLiteral("<p>No rows.</p>");
    }
    auto pages = std::make_unique<QTextDocument>();
    pages->setHtml(QStringLiteral("<html><body>%1</body></html>").arg(body));
    return pages;
}
