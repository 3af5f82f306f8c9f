// The report database as the runs use it: the file it makes holds exactly
// the report tables; a file that is not its own is refused and left as it
// was; a busy file is waited for; a run is one transaction; rows with bad
// numbers are refused and counted.
#include "admin/reports/db/allportlogtable.h"
#include "admin/reports/db/grouplogtable.h"
#include "admin/reports/db/mailboxcalltable.h"
#include "admin/reports/db/mailboxinfotable.h"
#include "admin/reports/db/mailboxmessagetable.h"
#include "admin/reports/db/mailboxusagetable.h"
#include "admin/reports/db/option2logtable.h"
#include "admin/reports/db/portlogtable.h"
#include "admin/reports/db/systeminfotable.h"
#include "admin/reports/db/tests/lockingprogram.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace {

// The rows of a query, each "a|b|c", NULL as "<null>".
QStringList Rows(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    QStringList rows;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return {QStringLiteral("<cannot open>")};
    }
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        rows << QStringLiteral("<error %1>").arg(QString::fromUtf8(sqlite3_errmsg(db)));
    } else {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList fields;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, i));
                fields << (text ? QString::fromUtf8(text) : QStringLiteral("<null>"));
            }
            rows << fields.join(QLatin1Char('|'));
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

void Exec(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char *message = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &message), SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ReportsDatabaseTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    QString path() const { return m_folder.filePath(QStringLiteral("Reports.MDB")); }

    QTemporaryDir m_folder;
};

TEST_F(ReportsDatabaseTest, TheSchemaIsExactlyTheReportTables)
{
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    ASSERT_FALSE(shell.isEmpty()) << "the sqlite3 shell is needed (scripts/setup installs it)";
    {
        CPortLogTable port(path(), 1, 100);
        CGroupLogTable group(path(), 1, 100);
        CAllPortLogTable allPort(path(), 1, 100);
        CMailboxInfoTable info(path(), 1, 100);
        CMailboxCallTable call(path(), 1, 100);
        CMailboxUsageTable usage(path(), 1, 100);
        CMailboxMessageTable message(path(), 1, 100);
        CSystemInfoTable system(path(), 1, 100);
        COption2LogTable option2(path(), 1, 100);
        for (CReportsDatabase *table : std::initializer_list<CReportsDatabase *>{
                 &port, &group, &allPort, &info, &call, &usage, &message, &system, &option2})
            ASSERT_TRUE(table->EnsureTable()) << table->LastError().toStdString();
    }
    QProcess process;
    process.start(shell, {path(), QStringLiteral(".schema")});
    ASSERT_TRUE(process.waitForFinished(20000));
    const QString schema = QString::fromUtf8(process.readAllStandardOutput());
    const QString expected = QStringLiteral(
        "CREATE TABLE IF NOT EXISTS \"PORTLOG\" (\"Port Number\" INTEGER, \"Number of Incoming Calls\" INTEGER, "
        "\"Number of Outgoing Calls\" INTEGER, \"Number of Busy in Seconds\" INTEGER, "
        "\"Number of Times Out_of_service\" INTEGER, \"From\" TEXT, \"To\" TEXT);\n"
        "CREATE INDEX \"PORTLOG.Port Number\" ON \"PORTLOG\" (\"Port Number\");\n"
        "CREATE TABLE IF NOT EXISTS \"GROUPLOG\" (\"Group Name\" TEXT, \"Ports\" TEXT, \"Number of Incoming Calls\" "
        "INTEGER, \"Number of Outgoing Calls\" INTEGER, \"From\" TEXT, \"To\" TEXT);\n"
        "CREATE INDEX \"GROUPLOG.Group Name\" ON \"GROUPLOG\" (\"Group Name\");\n"
        "CREATE TABLE IF NOT EXISTS \"GROUPBUSYLOG\" (\"Number of Busy in Seconds\" INTEGER, \"Group Name\" TEXT, "
        "\"Number of Ports\" INTEGER);\n"
        "CREATE INDEX \"GROUPBUSYLOG.Group Name\" ON \"GROUPBUSYLOG\" (\"Group Name\");\n"
        "CREATE TABLE IF NOT EXISTS \"ALLPORTLOG\" (\"Group Name\" TEXT, \"Number of Incoming Calls\" INTEGER, "
        "\"Number of Outgoing Calls\" INTEGER, \"Number of No Outgoing Calls\" INTEGER, \"From\" TEXT, \"To\" "
        "TEXT);\n"
        "CREATE INDEX \"ALLPORTLOG.Group Name\" ON \"ALLPORTLOG\" (\"Group Name\");\n"
        "CREATE TABLE IF NOT EXISTS \"BUSYLOG\" (\"Number of Busy in Seconds\" INTEGER, \"Group Name\" TEXT, "
        "\"Number of Ports\" INTEGER);\n"
        "CREATE INDEX \"BUSYLOG.Group Name\" ON \"BUSYLOG\" (\"Group Name\");\n"
        "CREATE TABLE IF NOT EXISTS \"MAILBOXINFO\" (\"Mailbox\" INTEGER, \"Name1\" TEXT, \"Name2\" TEXT, \"COS\" "
        "TEXT, \"Name Record\" TEXT, \"Default Security Code\" TEXT, \"Mailbox Creation\" TEXT, \"Last Log On\" "
        "TEXT, \"Mailbox Comment\" TEXT);\n"
        "CREATE INDEX \"MAILBOXINFO.Mailbox\" ON \"MAILBOXINFO\" (\"Mailbox\");\n"
        "CREATE TABLE IF NOT EXISTS \"MAILBOXCALL\" (\"Mailbox\" INTEGER, \"No Answer\" INTEGER, \"Busy\" INTEGER, "
        "\"Transfer to Operator\" INTEGER, \"Transfer to Extension\" INTEGER, \"Abandones\" INTEGER, \"From\" "
        "TEXT, \"To\" TEXT);\n"
        "CREATE INDEX \"MAILBOXCALL.Mailbox\" ON \"MAILBOXCALL\" (\"Mailbox\");\n"
        "CREATE TABLE IF NOT EXISTS \"MAILBOXUSAGE\" (\"Mailbox\" INTEGER, \"Extension\" TEXT, \"Logon Time\" "
        "INTEGER, \"Accessed Times\" INTEGER, \"From\" TEXT, \"To\" TEXT);\n"
        "CREATE INDEX \"MAILBOXUSAGE.Mailbox\" ON \"MAILBOXUSAGE\" (\"Mailbox\");\n"
        "CREATE TABLE IF NOT EXISTS \"MAILBOXMESSAGE\" (\"Mailbox\" INTEGER, \"New Messages\" INTEGER, \"Folder "
        "Messages\" INTEGER, \"Total Messages\" INTEGER, \"Average Message Length\" INTEGER, \"Total Message "
        "Time\" INTEGER, \"Oldest Message Date\" TEXT, \"Fax Count\" INTEGER, \"Total Fax Pages\" INTEGER);\n"
        "CREATE INDEX \"MAILBOXMESSAGE.Mailbox\" ON \"MAILBOXMESSAGE\" (\"Mailbox\");\n"
        "CREATE TABLE IF NOT EXISTS \"SYSTEMINFO\" (\"Software Version\" TEXT, \"PBX's ID\" TEXT, \"Total "
        "Mailboxes\" INTEGER, \"Disk Space\" TEXT, \"Voice Ports\" TEXT, \"Amis Boxes\" TEXT, \"Distribution "
        "List\" TEXT, \"Date Time\" TEXT, \"Startup Time\" TEXT, \"Scheduled Shutdown\" TEXT);\n"
        "CREATE INDEX \"SYSTEMINFO.Software Version\" ON \"SYSTEMINFO\" (\"Software Version\");\n"
        "CREATE TABLE IF NOT EXISTS \"OPTION2LOG\" (\"Field1\" TEXT, \"Field2\" TEXT, \"Field3\" TEXT, \"Field4\" "
        "TEXT, \"Field5\" TEXT, \"Field6\" TEXT, \"Field7\" TEXT, \"Field8\" TEXT, \"Field9\" TEXT, \"Field10\" "
        "TEXT, \"FieldName\" TEXT);\n"
        "CREATE INDEX \"OPTION2LOG.FieldName\" ON \"OPTION2LOG\" (\"FieldName\");\n"
        "CREATE TABLE IF NOT EXISTS \"FIELDNAMELOG\" (\"Name1\" TEXT, \"Name2\" TEXT, \"Name3\" TEXT, \"Name4\" "
        "TEXT, \"Name5\" TEXT, \"Name6\" TEXT, \"Name7\" TEXT, \"Name8\" TEXT, \"Name9\" TEXT, \"Name10\" TEXT, "
        "\"FieldName\" TEXT);\n"
        "CREATE INDEX \"FIELDNAMELOG.FieldName\" ON \"FIELDNAMELOG\" (\"FieldName\");\n");
    EXPECT_EQ(schema.toStdString(), expected.toStdString());
}

TEST_F(ReportsDatabaseTest, AMissingFileIsCreatedAndASecondObjectOpensIt)
{
    CPortLogTable first(path(), 1, 100);
    ASSERT_TRUE(first.EnsureTable()) << first.LastError().toStdString();
    ASSERT_TRUE(first.AddRecord("3/1/2001", "3/15/2001", 1, 2, 3, 4, 5));
    CPortLogTable second(path(), 1, 100);
    EXPECT_EQ(second.OpenDatabaseFile(path()), 1);
    ASSERT_TRUE(second.EnsureTable());
    EXPECT_EQ(Rows(path(), "SELECT * FROM PORTLOG"), QStringList{"1|2|3|4|5|3/1/2001|3/15/2001"});
}

TEST_F(ReportsDatabaseTest, AnEmptyPathOpensNothing)
{
    CPortLogTable table(QString(), 1, 100);
    EXPECT_FALSE(table.OpenDatabase());
    EXPECT_FALSE(table.EnsureTable());
    EXPECT_FALSE(table.AddRecord("a", "b", 1, 2, 3, 4, 5));
    EXPECT_FALSE(table.PurgeTable());
}

struct ForeignFile {
    const char *name;
    void (*make)(const QString &path);
};

const ForeignFile kForeignFiles[] = {
    {"NoSqliteFile",
     [](const QString &path) {
         QFile file(path);
         ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         file.write(QByteArray(4096, 'x'));
     }},
    {"AnotherProgramsDatabase",
     [](const QString &path) { Exec(path, "CREATE TABLE accounts (name TEXT); INSERT INTO accounts VALUES ('a');"); }},
    {"OwnDatabaseWithATrigger",
     [](const QString &path) {
         Exec(path, "PRAGMA application_id = 1448231746; CREATE TABLE PORTLOG (x INTEGER);"
                    "CREATE TABLE t (x); CREATE TRIGGER tr AFTER INSERT ON PORTLOG BEGIN DELETE FROM t; END;");
     }},
    {"OwnDatabaseWithAView",
     [](const QString &path) { Exec(path, "PRAGMA application_id = 1448231746; CREATE VIEW v AS SELECT 1;"); }},
};

class ForeignFileTest : public ReportsDatabaseTest, public testing::WithParamInterface<ForeignFile> {};

TEST_P(ForeignFileTest, IsRefusedAndLeftAsItWas)
{
    GetParam().make(path());
    const QByteArray before = Contents(path());
    ASSERT_FALSE(before.isEmpty());
    CPortLogTable table(path(), 1, 100);
    EXPECT_EQ(table.OpenDatabaseFile(path()), -1);
    EXPECT_FALSE(table.EnsureTable());
    EXPECT_FALSE(table.LastError().isEmpty());
    EXPECT_FALSE(table.PurgeTable());
    EXPECT_FALSE(table.AddRecord("a", "b", 1, 2, 3, 4, 5));
    EXPECT_EQ(Contents(path()), before);
}

INSTANTIATE_TEST_SUITE_P(Files, ForeignFileTest, testing::ValuesIn(kForeignFiles),
                         [](const testing::TestParamInfo<ForeignFile> &info) { return info.param.name; });

TEST_F(ReportsDatabaseTest, AnEmptyFileIsTakenAsANewDatabase)
{
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    CPortLogTable table(path(), 1, 100);
    EXPECT_TRUE(table.EnsureTable()) << table.LastError().toStdString();
}

TEST_F(ReportsDatabaseTest, ATableWithOtherColumnsIsBuiltAfresh)
{
    {
        CPortLogTable table(path(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
    }
    Exec(path(), "DROP TABLE PORTLOG; CREATE TABLE PORTLOG (\"Port Number\" TEXT); INSERT INTO PORTLOG VALUES ('x');");
    CPortLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable()) << table.LastError().toStdString();
    EXPECT_TRUE(Rows(path(), "SELECT * FROM PORTLOG").isEmpty());
    EXPECT_EQ(Rows(path(), "SELECT count(*) FROM pragma_table_info('PORTLOG')"), QStringList{"7"});
}

TEST_F(ReportsDatabaseTest, ABusyFileIsWaitedForAndItsTablesKept)
{
    {
        CPortLogTable table(path(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
        ASSERT_TRUE(table.AddRecord("a", "b", 7, 0, 0, 0, 0));
    }
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(path().toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([holder] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    });
    CPortLogTable table(path(), 1, 100);
    const bool ensured = table.EnsureTable();
    release.join();
    sqlite3_close(holder);
    ASSERT_TRUE(ensured) << table.LastError().toStdString();
    EXPECT_EQ(Rows(path(), "SELECT \"Port Number\" FROM PORTLOG"), QStringList{"7"});
}

// A file another program keeps locked longer than the wait: the step that
// meets the lock gives up after one wait and says so, and what to do; the
// table's rows are kept.
struct LockCase {
    const char *name;
    const char *kind;
    bool ensureBefore; // the table was opened before the lock was taken
    const char *step;  // what failed, before the reason
};

const LockCase kLocks[] = {
    {"OpeningAFileNobodyElseMayRead", "EXCLUSIVE", false, "Couldn't open database--Exception: "},
    {"StartingARunWhileAnotherWrites", "IMMEDIATE", true, ""},
};

class LockedFileTest : public ReportsDatabaseTest, public testing::WithParamInterface<LockCase> {};

TEST_P(LockedFileTest, IsToldOfAfterOneWait)
{
    {
        CPortLogTable table(path(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
        ASSERT_TRUE(table.AddRecord("a", "b", 7, 0, 0, 0, 0));
    }
    CPortLogTable table(path(), 1, 100);
    if (GetParam().ensureBefore)
        ASSERT_TRUE(table.EnsureTable());
    LockingProgram other(path(), GetParam().kind);
    ASSERT_TRUE(other.Holds());
    QElapsedTimer waited;
    waited.start();
    const bool done = GetParam().ensureBefore ? table.BeginRun() : table.EnsureTable();
    // Only a hang: the lock outlives any wait.
    EXPECT_LT(waited.elapsed(), 4 * CReportsDatabase::BusyWaitMs);
    EXPECT_FALSE(done);
    EXPECT_TRUE(table.IsLocked());
    EXPECT_EQ(table.LastError(), GetParam().step + QStringLiteral("The report database %1 is locked by another program. Close that "
                                                "program, or wait until it has finished with the file, and try again.")
                                     .arg(path()));
    other.Release();
    EXPECT_EQ(Rows(path(), "SELECT \"Port Number\" FROM PORTLOG"), QStringList{"7"});
}

INSTANTIATE_TEST_SUITE_P(Locks, LockedFileTest, testing::ValuesIn(kLocks),
                         [](const testing::TestParamInfo<LockCase> &info) { return info.param.name; });

TEST_F(ReportsDatabaseTest, ARunIsOneTransaction)
{
    CPortLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ASSERT_TRUE(table.AddRecord("a", "b", 1, 0, 0, 0, 0));

    ASSERT_TRUE(table.BeginRun());
    ASSERT_TRUE(table.PurgeTable());
    ASSERT_TRUE(table.AddRecord("c", "d", 2, 0, 0, 0, 0));
    // Another reader sees the last whole run until the new one is committed.
    EXPECT_EQ(Rows(path(), "SELECT \"Port Number\" FROM PORTLOG"), QStringList{"1"});
    EXPECT_FALSE(table.EndRun(false));
    EXPECT_EQ(Rows(path(), "SELECT \"Port Number\" FROM PORTLOG"), QStringList{"1"});

    ASSERT_TRUE(table.BeginRun());
    ASSERT_TRUE(table.PurgeTable());
    ASSERT_TRUE(table.AddRecord("c", "d", 2, 0, 0, 0, 0));
    ASSERT_TRUE(table.EndRun(true));
    EXPECT_EQ(Rows(path(), "SELECT \"Port Number\" FROM PORTLOG"), QStringList{"2"});
}

struct BadNumber {
    const char *name;
    QString mailbox;
    bool stored;
};

const BadNumber kMailboxes[] = {
    {"Plain", QStringLiteral("100"), true},
    {"Blanks", QStringLiteral(" 100 "), true},
    {"Negative", QStringLiteral("-5"), true},
    {"Largest", QStringLiteral("2147483647"), true},
    {"Letters", QStringLiteral("abc"), false},
    {"TrailingLetters", QStringLiteral("100x"), false},
    {"Empty", QString(), false},
    {"Beyond32Bits", QStringLiteral("2147483648"), false},
    {"Point", QStringLiteral("."), false},
};

class BadNumberTest : public ReportsDatabaseTest, public testing::WithParamInterface<BadNumber> {};

TEST_P(BadNumberTest, AMailboxIsStoredOnlyAsA32BitNumber)
{
    CMailboxCallTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ASSERT_TRUE(table.BeginRun());
    EXPECT_EQ(table.AddRecord("a", "b", GetParam().mailbox, 1, 2, 3, 4, 5), GetParam().stored);
    EXPECT_EQ(table.FailedRows(), GetParam().stored ? 0 : 1);
    ASSERT_TRUE(table.EndRun(true));
    EXPECT_EQ(Rows(path(), "SELECT count(*) FROM MAILBOXCALL"), QStringList{GetParam().stored ? "1" : "0"});
}

INSTANTIATE_TEST_SUITE_P(Mailboxes, BadNumberTest, testing::ValuesIn(kMailboxes),
                         [](const testing::TestParamInfo<BadNumber> &info) { return info.param.name; });

TEST_F(ReportsDatabaseTest, ANumberBeyond32BitsIsRefused)
{
    CPortLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    EXPECT_FALSE(table.AddRecord("a", "b", 1, CReportsDatabase::LeadingNumber("99999999999"), 0, 0, 0));
    EXPECT_TRUE(table.AddRecord("a", "b", 1, CReportsDatabase::LeadingNumber("-2147483648"), 0, 0, 0));
    EXPECT_EQ(table.FailedRows(), 1);
}

TEST(LeadingNumber, ReadsAsTheRunsReadNumbers)
{
    EXPECT_EQ(CReportsDatabase::LeadingNumber("42"), 42);
    EXPECT_EQ(CReportsDatabase::LeadingNumber("  -7abc"), -7);
    EXPECT_EQ(CReportsDatabase::LeadingNumber("+3"), 3);
    EXPECT_EQ(CReportsDatabase::LeadingNumber("abc"), 0);
    EXPECT_EQ(CReportsDatabase::LeadingNumber(""), 0);
    EXPECT_EQ(CReportsDatabase::LeadingNumber("."), 0);
}

TEST_F(ReportsDatabaseTest, KeepNewestLeavesExactlyThatManyRows)
{
    CPortLogTable table(path(), CReportsDatabase::PurgeKeepNewest, 2);
    ASSERT_TRUE(table.EnsureTable());
    ASSERT_TRUE(table.AddRecord("a", "b", 1, 0, 0, 0, 0));
    ASSERT_TRUE(table.PurgeTable());
    EXPECT_EQ(Rows(path(), "SELECT \"Port Number\" FROM PORTLOG"), QStringList{"1"});
    for (int port = 2; port <= 4; ++port)
        ASSERT_TRUE(table.AddRecord("a", "b", port, 0, 0, 0, 0));
    ASSERT_TRUE(table.PurgeTable());
    EXPECT_EQ(Rows(path(), "SELECT \"Port Number\" FROM PORTLOG"), (QStringList{"3", "4"}));
}

TEST_F(ReportsDatabaseTest, PurgingByAgeFailsOnTablesWithoutAStampAndDeletesNothing)
{
    CPortLogTable table(path(), CReportsDatabase::PurgeOlderThan, 0);
    ASSERT_TRUE(table.EnsureTable());
    ASSERT_TRUE(table.AddRecord("a", "b", 1, 0, 0, 0, 0));
    EXPECT_FALSE(table.PurgeTable());
    EXPECT_EQ(Rows(path(), "SELECT count(*) FROM PORTLOG"), QStringList{"1"});
}

// Each failure says what failed, in the words of the step, then why.
struct FailureText {
    const char *name;
    QString (*fail)(const QString &path); // the LastError of a failing step
    const char *text;                       // "%1" stands for the path
};

const FailureText kFailureTexts[] = {
    {"OpeningAMissingFile",
     [](const QString &path) {
         CPortLogTable table(path, 1, 100);
         EXPECT_EQ(table.OpenDatabaseFile(path), 0);
         return table.LastError();
     },
     "Couldn't open database--Exception: The report database %1 does not exist."},
    {"OpeningAFolder",
     [](const QString &path) {
         QDir().mkpath(path);
         CPortLogTable table(path, 1, 100);
         EXPECT_FALSE(table.EnsureTable());
         return table.LastError();
     },
     "Couldn't open database--Exception: The report database %1 is not a file."},
    {"OpeningAnotherProgramsDatabase",
     [](const QString &path) {
         Exec(path, "CREATE TABLE accounts (name TEXT);");
         CPortLogTable table(path, 1, 100);
         EXPECT_FALSE(table.EnsureTable());
         return table.LastError();
     },
     "Couldn't open database--Exception: %1 is not a report database; it is not used."},
    {"OpeningAFileThatIsNoDatabase",
     [](const QString &path) {
         QFile file(path);
         EXPECT_TRUE(file.open(QIODevice::WriteOnly));
         file.write(QByteArray(4096, 'x'));
         file.close();
         CPortLogTable table(path, 1, 100);
         EXPECT_FALSE(table.EnsureTable());
         return table.LastError();
     },
     "Couldn't open database--Exception: %1 is not a report database: file is not a database"},
    {"CreatingOverAFile",
     [](const QString &path) {
         Exec(path, "PRAGMA user_version = 1;");
         CPortLogTable table(path, 1, 100);
         EXPECT_FALSE(table.CreateDatabaseFile(path));
         return table.LastError();
     },
     "Couldn't create database--Exception: %1: the file exists."},
    {"StoringANumberBeyond32Bits",
     [](const QString &path) {
         CPortLogTable table(path, 1, 100);
         EXPECT_TRUE(table.EnsureTable());
         EXPECT_FALSE(table.AddRecord("a", "b", 1, CReportsDatabase::LeadingNumber("99999999999"), 0, 0, 0));
         return table.LastError();
     },
     "Couldn't assign value to new record's field--Exception: Number of Incoming Calls: \"99999999999\" is no 32-bit number."},
    {"PurgingByAgeWithoutAStamp",
     [](const QString &path) {
         CPortLogTable table(path, CReportsDatabase::PurgeOlderThan, 0);
         EXPECT_TRUE(table.EnsureTable());
         EXPECT_FALSE(table.PurgeTable());
         return table.LastError();
     },
     "Couldn't delete some records (ROOLBACK) --Exception: no such column: TIMESTAMP"},
};

class FailureTextTest : public ReportsDatabaseTest, public testing::WithParamInterface<FailureText> {};

TEST_P(FailureTextTest, SaysWhatFailedAndWhy)
{
    EXPECT_EQ(GetParam().fail(path()), QString::fromUtf8(GetParam().text).arg(path()));
}

INSTANTIATE_TEST_SUITE_P(Steps, FailureTextTest, testing::ValuesIn(kFailureTexts),
                         [](const testing::TestParamInfo<FailureText> &info) { return info.param.name; });

} // namespace
