// The report database access class; see reportsdatabase.h. Table and column
// names come only from the schema list, never from outside, and every value
// is bound to a prepared statement.
#include "admin/reports/db/reportsdatabase.h"

#include "admin/reports/db/reporttableschema.h"

#include <QDateTime>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdlib>
#include <limits>

namespace {

QString quoted(const char *identifier)
{
    QString name = QString::fromUtf8(identifier);
    name.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString quoted(const QString &identifier)
{
    return quoted(identifier.toUtf8().constData());
}

// A whole decimal number within 32 bits, as a Long column holds it.
bool toLong(const QVariant &value, qint64 &out)
{
    bool ok = false;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULong:
        out = value.toLongLong(&ok);
        break;
    case QMetaType::QString:
        out = value.toString().trimmed().toLongLong(&ok, 10);
        break;
    case QMetaType::QByteArray:
        out = value.toByteArray().trimmed().toLongLong(&ok, 10);
        break;
    default:
        return false;
    }
    return ok && out >= std::numeric_limits<qint32>::min() && out <= std::numeric_limits<qint32>::max();
}

// The beginnings of the failure texts, each followed by the reason.
const char kOpenDatabase[] = "Couldn't open database--Exception: ";
const char kCreateDatabase[] = "Couldn't create database--Exception: ";
const char kCreateTable[] = "Couldn't create tabledef--Exception: ";
const char kOpenTable[] = "Couldn't open tabledef--Exception: ";
const char kDeleteTable[] = "Couldn't delete the table--Exception: ";
const char kCreateIndex[] = "Couldn't create Index--Exception: ";
const char kDeleteRecords[] = "Couldn't delete some records (ROOLBACK) --Exception: ";
const char kOpenRecordset[] = "Couldn't open recordset--Exception: ";
const char kAssignValue[] = "Couldn't assign value to new record's field--Exception: ";
const char kUpdateRecord[] = "Couldn't update new record--Exception: ";

} // namespace

CReportsDatabase::CReportsDatabase(const QString &path, int purgeType, long purgeParam,
                                   std::span<const ReportTableSchema *const> tables)
    : m_path(path), m_purgeType(purgeType), m_purgeParam(purgeParam), m_tables(tables.begin(), tables.end()),
      m_insert(tables.size(), nullptr)
{
}

CReportsDatabase::~CReportsDatabase()
{
    CloseDatabase();
}

bool CReportsDatabase::OpenDatabase()
{
    if (m_path.isEmpty())
        return fail(QStringLiteral("No report database is named."));
    switch (OpenDatabaseFile(m_path)) {
    case 1:
        return true;
    case 0:
        return CreateDatabaseFile(m_path);
    default:
        return false;
    }
}

int CReportsDatabase::OpenDatabaseFile(const QString &path)
{
    CloseDatabase();
    if (!QFileInfo::exists(path)) {
        fail(QStringLiteral("The report database %1 does not exist.").arg(path));
        prefixed(kOpenDatabase);
        return 0;
    }
    if (!QFileInfo(path).isFile()) {
        fail(QStringLiteral("The report database %1 is not a file.").arg(path));
        prefixed(kOpenDatabase);
        return -1;
    }
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        fail(QStringLiteral("%1: %2").arg(path, QString::fromUtf8(sqlite3_errstr(rc))));
        prefixed(kOpenDatabase);
        CloseDatabase();
        return -1;
    }
    if (!checkOpenedFile()) {
        prefixed(kOpenDatabase);
        CloseDatabase();
        return -1;
    }
    return 1;
}

bool CReportsDatabase::CreateDatabaseFile(const QString &path)
{
    CloseDatabase();
    // Never over an existing file: that one is opened or refused.
    if (QFileInfo::exists(path))
        return fail(QStringLiteral("%1: the file exists.").arg(path)) || prefixed(kCreateDatabase);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                   nullptr);
    if (rc != SQLITE_OK) {
        fail(QStringLiteral("%1: %2").arg(path, QString::fromUtf8(sqlite3_errstr(rc))));
        CloseDatabase();
        return prefixed(kCreateDatabase);
    }
    configureConnection();
    if (!exec(QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId)) ||
        !exec(QStringLiteral("PRAGMA user_version = 1"))) {
        CloseDatabase();
        return prefixed(kCreateDatabase);
    }
    return true;
}

void CReportsDatabase::configureConnection()
{
    sqlite3_busy_timeout(m_db, BusyWaitMs);
    // A hostile file cannot make the engine run its code.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
    // A misspelt column is an error, never a text in double quotes.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
}

bool CReportsDatabase::checkOpenedFile()
{
    configureConnection();

    sqlite3_stmt *statement = nullptr;
    int rc = sqlite3_prepare_v2(m_db,
                                "SELECT (SELECT application_id FROM pragma_application_id()),"
                                " (SELECT count(*) FROM sqlite_schema),"
                                " (SELECT count(*) FROM sqlite_schema WHERE type NOT IN ('table', 'index'))",
                                -1, &statement, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(statement);
    if (rc != SQLITE_ROW) {
        const QString reason = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(statement);
        return failWith(rc, QStringLiteral("%1 is not a report database: %2").arg(m_path, reason));
    }
    const int applicationId = sqlite3_column_int(statement, 0);
    const int objects = sqlite3_column_int(statement, 1);
    const int foreignObjects = sqlite3_column_int(statement, 2);
    sqlite3_finalize(statement);
    if (foreignObjects > 0)
        return fail(QStringLiteral("%1 holds triggers or views; it is not used.").arg(m_path));
    if (applicationId == ApplicationId)
        return true;
    // An empty file (made by hand, or cut off before the first table) is ours to take.
    if (applicationId == 0 && objects == 0)
        return exec(QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId));
    return fail(QStringLiteral("%1 is not a report database; it is not used.").arg(m_path));
}

void CReportsDatabase::CloseDatabase()
{
    finalizeStatements();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_inRun = false;
}

void CReportsDatabase::finalizeStatements()
{
    for (sqlite3_stmt *&statement : m_insert) {
        sqlite3_finalize(statement);
        statement = nullptr;
    }
}

bool CReportsDatabase::EnsureTable()
{
    m_locked = false;
    if (!OpenDatabase())
        return false;
    for (const ReportTableSchema *table : m_tables)
        if (!ensureOneTable(*table))
            return false;
    return true;
}

bool CReportsDatabase::ensureOneTable(const ReportTableSchema &table)
{
    bool exists = false;
    // A failed question (a busy file) is no reason to drop what is there.
    if (!tableMatches(table, exists))
        return false;
    if (exists)
        return exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                        .arg(quoted(table.IndexName()), quoted(table.name), quoted(table.indexColumn))) ||
               prefixed(kCreateIndex);
    return buildTable(table);
}

bool CReportsDatabase::tableMatches(const ReportTableSchema &table, bool &exists)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT name, type FROM pragma_table_info(?1)", -1, &statement, nullptr) != SQLITE_OK)
        return fail(QStringLiteral("%1: %2").arg(QLatin1String(table.name), QString::fromUtf8(sqlite3_errmsg(m_db)))) ||
               prefixed(kOpenTable);
    sqlite3_bind_text(statement, 1, table.name, -1, SQLITE_STATIC);
    int rc;
    size_t column = 0;
    bool same = true;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const char *name = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
        const QString type = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 1)));
        const char *wanted = column < table.columns.size()
                                 ? (table.columns[column].type == ReportColumnType::Long ? "INTEGER" : "TEXT")
                                 : "";
        if (column >= table.columns.size() || qstrcmp(name, table.columns[column].name) != 0 ||
            type.compare(QLatin1String(wanted), Qt::CaseInsensitive) != 0)
            same = false;
        ++column;
    }
    const QString reason = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        return failWith(rc, QStringLiteral("%1: %2").arg(QLatin1String(table.name), reason)) || prefixed(kOpenTable);
    exists = column > 0;
    if (exists && (!same || column != table.columns.size())) {
        // Not the table the layouts read: built afresh, as a table that
        // cannot be opened is.
        if (!exec(QStringLiteral("DROP TABLE %1").arg(quoted(table.name))))
            return prefixed(kDeleteTable);
        exists = false;
    }
    return true;
}

bool CReportsDatabase::buildTable(const ReportTableSchema &table)
{
    QStringList columns;
    for (const ReportColumn &column : table.columns)
        columns << quoted(column.name) + (column.type == ReportColumnType::Long ? QLatin1String(" INTEGER")
                                                                                 : QLatin1String(" TEXT"));
    // Table and index come together or not at all.
    if (!exec(QStringLiteral("SAVEPOINT build_table")))
        return false;
    const bool built =
        (exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(table.name), columns.join(QLatin1String(", ")))) ||
         prefixed(kCreateTable)) &&
        (exec(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                  .arg(quoted(table.IndexName()), quoted(table.name), quoted(table.indexColumn))) ||
         prefixed(kCreateIndex));
    if (!built) {
        const QString reason = m_lastError;
        exec(QStringLiteral("ROLLBACK TO build_table"));
        exec(QStringLiteral("RELEASE build_table"));
        m_lastError = reason;
        return false;
    }
    return exec(QStringLiteral("RELEASE build_table"));
}

bool CReportsDatabase::PurgeTable()
{
    if (!m_db)
        return fail(QStringLiteral("The report database is not open."));
    switch (m_purgeType) {
    case PurgeAll:
        for (const ReportTableSchema *table : m_tables)
            if (!exec(QStringLiteral("DELETE FROM %1").arg(quoted(table->name))))
                return prefixed(kDeleteRecords);
        return true;
    case PurgeOlderThan: {
        const QString cutOff =
            QDateTime::currentDateTime().addSecs(-qint64(m_purgeParam)).toString(Qt::ISODate);
        return exec(QStringLiteral("DELETE FROM %1 WHERE \"TIMESTAMP\" <= '%2'").arg(quoted(m_tables[0]->name), cutOff)) ||
               prefixed(kDeleteRecords);
    }
    case PurgeKeepNewest:
        return exec(QStringLiteral("DELETE FROM %1 WHERE rowid NOT IN (SELECT rowid FROM %1 ORDER BY rowid DESC LIMIT %2)")
                        .arg(quoted(m_tables[0]->name))
                        .arg(qMax(0L, m_purgeParam))) ||
               prefixed(kDeleteRecords);
    default:
        return true;
    }
}

bool CReportsDatabase::BeginRun()
{
    m_failedRows = 0;
    if (!m_db)
        return fail(QStringLiteral("The report database is not open."));
    if (m_inRun)
        return true;
    // IMMEDIATE takes the write lock now, waiting for a busy file.
    m_inRun = exec(QStringLiteral("BEGIN IMMEDIATE"));
    return m_inRun;
}

bool CReportsDatabase::EndRun(bool commit)
{
    if (!m_db || !m_inRun)
        return false;
    m_inRun = false;
    if (commit && exec(QStringLiteral("COMMIT")))
        return true;
    const QString reason = m_lastError;
    exec(QStringLiteral("ROLLBACK"));
    m_lastError = reason;
    return false;
}

bool CReportsDatabase::beginRecord()
{
    return m_db && exec(QStringLiteral("SAVEPOINT record"));
}

bool CReportsDatabase::endRecord(bool ok)
{
    if (ok)
        return exec(QStringLiteral("RELEASE record"));
    const QString reason = m_lastError;
    exec(QStringLiteral("ROLLBACK TO record"));
    exec(QStringLiteral("RELEASE record"));
    m_lastError = reason;
    return false;
}

bool CReportsDatabase::countRow(bool ok)
{
    if (!ok)
        ++m_failedRows;
    return ok;
}

bool CReportsDatabase::insertRow(int tableIndex, const QList<QVariant> &values)
{
    if (!m_db)
        return fail(QStringLiteral("The report database is not open."));
    const ReportTableSchema &table = schema(tableIndex);
    if (size_t(values.size()) > table.columns.size())
        return fail(QStringLiteral("A row of %1 has too many values.").arg(QLatin1String(table.name)));
    sqlite3_stmt *&statement = m_insert[size_t(tableIndex)];
    if (!statement) {
        QStringList names;
        QStringList places;
        for (const ReportColumn &column : table.columns) {
            names << quoted(column.name);
            places << QStringLiteral("?");
        }
        const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(quoted(table.name), names.join(QLatin1String(", ")), places.join(QLatin1String(", ")))
                                   .toUtf8();
        if (sqlite3_prepare_v3(m_db, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement, nullptr) !=
            SQLITE_OK) {
            statement = nullptr;
            return fail(QStringLiteral("%1: %2").arg(QLatin1String(table.name), QString::fromUtf8(sqlite3_errmsg(m_db)))) ||
                   prefixed(kOpenRecordset);
        }
    }
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QVariant &value = values[i];
        if (!value.isValid())
            continue;
        const ReportColumn &column = table.columns[size_t(i)];
        if (column.type == ReportColumnType::Long) {
            qint64 number = 0;
            if (!toLong(value, number))
                return fail(QStringLiteral("%1: \"%2\" is no 32-bit number.").arg(QLatin1String(column.name), value.toString())) ||
                       prefixed(kAssignValue);
            sqlite3_bind_int64(statement, int(i) + 1, number);
        } else {
            // A QByteArray is UTF-8 already (a reply's own bytes).
            const QByteArray text =
                value.typeId() == QMetaType::QByteArray ? value.toByteArray() : value.toString().toUtf8();
            sqlite3_bind_text(statement, int(i) + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
    }
    const int rc = sqlite3_step(statement);
    const QString reason = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE)
        return failWith(rc, QStringLiteral("%1: %2").arg(QLatin1String(table.name), reason)) || prefixed(kUpdateRecord);
    return true;
}

bool CReportsDatabase::exec(const QString &sql)
{
    if (!m_db)
        return fail(QStringLiteral("The report database is not open."));
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc == SQLITE_OK)
        return true;
    const QString reason = message ? QString::fromUtf8(message) : QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_free(message);
    return failWith(rc, reason);
}

qint64 CReportsDatabase::LeadingNumber(const QString &text)
{
    return LeadingNumberOfUtf8(text.toLatin1());
}

qint64 CReportsDatabase::LeadingNumberOfUtf8(QByteArrayView text)
{
    // strtoll ends at the first byte that is no part of a number, so a byte
    // beyond ASCII ends the number as the Latin-1 text's would.
    const QByteArray bytes = text.toByteArray();
    const long long number = std::strtoll(bytes.constData(), nullptr, 10);
    return qint64(number);
}

QString CReportsDatabase::LockedText(const QString &path)
{
    return QStringLiteral("The report database %1 is locked by another program. Close that program, or wait "
                          "until it has finished with the file, and try again.")
        .arg(path);
}

bool CReportsDatabase::fail(const QString &what)
{
    m_locked = false;
    m_lastError = what;
    return false;
}

bool CReportsDatabase::prefixed(const char *prefix)
{
    m_lastError.prepend(QLatin1String(prefix));
    return false;
}

bool CReportsDatabase::failWith(int rc, const QString &what)
{
    const int primary = rc & 0xff;
    if (primary != SQLITE_BUSY && primary != SQLITE_LOCKED)
        return fail(what);
    m_lastError = LockedText(m_path);
    m_locked = true;
    return false;
}
