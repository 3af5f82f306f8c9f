// The report database: one SQLite file ("Reports.MDB" in the report folder)
// that the report runs fill and the print engine reads. CReportsDatabase is
// the access class every table class derives from: it opens the file or
// creates it, builds a missing table with its columns and index, empties or
// trims tables and appends rows through prepared statements.
//
// The file is read as hostile: a file that is not a report database (another
// SQLite file, or no SQLite file at all) and one that carries triggers or
// views is refused and never written to. A file another program holds
// locked is waited for (up to BusyWaitMs) and never taken for a broken
// table; when the wait ends, the reason says so (IsLocked). A run
// fills its tables in one transaction (BeginRun ... EndRun), so a report
// shows either the rows of the last whole run or those of the one before.
//
// Each object owns its own connection; nothing is shared between objects.
// Failures never throw: they give false and leave in LastError what failed
// ("Couldn't open database--Exception: " and the like) followed by why.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QVariant>

#include <span>
#include <vector>

struct ReportTableSchema;
struct sqlite3;
struct sqlite3_stmt;

class CReportsDatabase {
public:
    // What PurgeTable does.
    enum PurgeType {
        PurgeNothing = 0,
        PurgeAll = 1,       // every row of every table of the class
        PurgeOlderThan = 2, // rows stamped at or before `purgeParam` seconds ago
        PurgeKeepNewest = 3 // all but the newest `purgeParam` rows of the first table
    };
    // How long a busy file is waited for before a statement gives up: a
    // dialog that opens several tables of a locked file waits only once.
    static constexpr int BusyWaitMs = 2000;
    // Written into every report database this program creates.
    static constexpr int ApplicationId = 0x56524442; // "VRDB"

    virtual ~CReportsDatabase();
    CReportsDatabase(const CReportsDatabase &) = delete;
    CReportsDatabase &operator=(const CReportsDatabase &) = delete;

    // Opens the file, creating it when it does not exist; false when it is
    // refused or cannot be had.
    bool OpenDatabase();
    // 1 opened, 0 no such file, -1 refused or failed.
    int OpenDatabaseFile(const QString &path);
    bool CreateDatabaseFile(const QString &path);
    void CloseDatabase();
    bool IsOpen() const { return m_db != nullptr; }

    // Opens the database and makes sure every table of the class is there
    // with exactly its columns and its index; a table of that name with other
    // columns is built afresh.
    bool EnsureTable();
    // Applies the purge type; false when a statement failed.
    bool PurgeTable();

    // One transaction for a whole run: BeginRun waits for a busy file,
    // EndRun(true) commits (false when that fails), EndRun(false) rolls back.
    bool BeginRun();
    bool EndRun(bool commit);
    // Rows refused since the object was made or the last BeginRun.
    int FailedRows() const { return m_failedRows; }

    QString LastError() const { return m_lastError; }
    // Whether the last failure was the file being locked by another program.
    bool IsLocked() const { return m_locked; }
    // What the administrator is told of a file locked by another program.
    static QString LockedText(const QString &path);

    // A value of a reply read as the runs read numbers: leading blanks and a
    // sign allowed, a text that does not begin with a number gives 0. A
    // number beyond 64 bits saturates, so that the column's check refuses it.
    static qint64 LeadingNumber(const QString &text);
    // The same, of a reply's own UTF-8 bytes.
    static qint64 LeadingNumberOfUtf8(QByteArrayView text);
    QString Path() const { return m_path; }

protected:
    CReportsDatabase(const QString &path, int purgeType, long purgeParam,
                     std::span<const ReportTableSchema *const> tables);

    // Appends one row to table `table` (0 the first, 1 the second): `values`
    // in column order, an invalid QVariant leaves the column NULL, missing
    // trailing values too; a QByteArray is taken as UTF-8 text. A Long column takes a number or a text that is a
    // whole decimal number, and refuses anything outside 32 bits.
    bool insertRow(int table, const QList<QVariant> &values);
    // A record that spans several rows is stored whole or not at all.
    bool beginRecord();
    bool endRecord(bool ok);
    // Counts a refused record.
    bool countRow(bool ok);
    const ReportTableSchema &schema(int table) const { return *m_tables[size_t(table)]; }

private:
    void configureConnection();
    bool checkOpenedFile();
    bool ensureOneTable(const ReportTableSchema &schema);
    bool tableMatches(const ReportTableSchema &schema, bool &exists);
    bool buildTable(const ReportTableSchema &schema);
    bool exec(const QString &sql);
    bool fail(const QString &what);
    // `what`, or the locked text when the engine's result `rc` says that
    // another program holds the file.
    bool failWith(int rc, const QString &what);
    // Puts the failed step's own words before the reason in LastError;
    // false.
    bool prefixed(const char *prefix);
    void finalizeStatements();

    QString m_path;
    int m_purgeType;
    long m_purgeParam;
    std::vector<const ReportTableSchema *> m_tables;
    std::vector<sqlite3_stmt *> m_insert;
    sqlite3 *m_db = nullptr;
    bool m_inRun = false;
    int m_failedRows = 0;
    QString m_lastError;
    bool m_locked = false;
};
