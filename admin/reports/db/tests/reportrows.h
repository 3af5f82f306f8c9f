// The rows a query selects from a report database, for the tests to compare:
// each row's fields joined with "|", a NULL field shown as `nullText`, and
// the error text as the only row when the query fails.
#pragma once

#include <QStringList>

#include <sqlite3.h>

inline QStringList ReportRows(const QString &path, const char *sql, const QString &nullText = QString())
{
    sqlite3 *db = nullptr;
    QStringList rows;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList fields;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
                fields << (text ? QString::fromUtf8(text) : nullText);
            }
            rows << fields.join(QLatin1Char('|'));
        }
    } else {
        rows << QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}
