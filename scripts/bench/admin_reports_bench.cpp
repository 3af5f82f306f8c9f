// The report runs' table refill. Filling 100 000 port rows of a statistics
// table from a reply must reach at least half the speed of the sqlite3 shell
// importing the same rows from a CSV file (speed_vs_shell >= 0.5); storing a
// 10 000-box Mailbox Info reply (split, paired by mailbox, stored) must stay
// within 2 times a bare split plus insert of the same reply (time_vs_bare).
#include "admin/reports/db/mailboxinfotable.h"
#include "admin/reports/db/portlogtable.h"
#include "admin/reports/statisticsrecords.h"
#include "admin/session/tcllist.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr int kPorts = 100000;
constexpr int kBoxes = 10000;
const ReportDateRange kRange{"00 1 2 2001", "-1", "3/1/2001", "3/15/2001"};

QString portReply()
{
    QString reply;
    for (int port = 1; port <= kPorts; ++port)
        reply += QStringLiteral("{Port %1 p_cnt_in %2 p_cnt_out %3 p_t_busy %4 p_c_outofsvc %5} ")
                     .arg(port)
                     .arg(port % 500)
                     .arg(port % 70)
                     .arg(port % 5000)
                     .arg(port % 2);
    return reply;
}

QByteArray portCsv()
{
    QByteArray csv;
    for (int port = 1; port <= kPorts; ++port)
        csv += QStringLiteral("%1,%2,%3,%4,%5,3/1/2001,3/15/2001\n")
                   .arg(port)
                   .arg(port % 500)
                   .arg(port % 70)
                   .arg(port % 5000)
                   .arg(port % 2)
                   .toUtf8();
    return csv;
}

QString infoReply()
{
    QString reply;
    for (int box = 1000; box < 1000 + kBoxes; ++box)
        reply += QStringLiteral("{Mailbox %1 &Name1 Name%1 &Name2 Family m_cos 10 m_namerec yes "
                                "&SAC_was_not_changed no Creation_Time 1/5/2026 &Comment {Desk %1}} ")
                     .arg(box);
    return reply;
}

QString logonReply()
{
    QString reply;
    // The other reply lists the boxes in another order.
    for (int box = 1000 + kBoxes - 1; box >= 1000; --box)
        reply += QStringLiteral("{Mailbox %1 Last_Logon %2} ").arg(box).arg(box % 3 ? 1765000000 + box : 0);
    return reply;
}

double seconds(const std::function<void()> &run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double shellImport(const QTemporaryDir &folder, const QByteArray &csv)
{
    const QString database = folder.filePath("shell.db");
    QFile::remove(database);
    {
        CPortLogTable table(database, 1, 100);
        table.EnsureTable();
    }
    QFile file(folder.filePath("ports.csv"));
    file.open(QIODevice::WriteOnly);
    file.write(csv);
    file.close();
    return seconds([&] {
        QProcess shell;
        shell.start("sqlite3", {database, ".import --csv " + file.fileName() + " PORTLOG"});
        shell.waitForFinished(-1);
    });
}

void PortTableFill(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString reply = portReply();
    const QByteArray csv = portCsv();
    double shell = 1e9;
    for (int i = 0; i < 3; ++i)
        shell = std::min(shell, shellImport(folder, csv));
    CPortLogTable table(folder.filePath("Reports.MDB"), 1, 100);
    table.EnsureTable();
    double fill = 1e9;
    for (auto _ : state) {
        ReportFill result;
        fill = std::min(fill,
                        seconds([&] { CStatisticsRecords::PortStatistics(table, reply, kRange, result); }));
        if (result.stored != kPorts)
            state.SkipWithError("not every row was stored");
    }
    state.counters["rows_per_s"] = kPorts / fill;
    state.counters["shell_rows_per_s"] = kPorts / shell;
    state.counters["speed_vs_shell"] = shell / fill;
}
BENCHMARK(PortTableFill)->Unit(benchmark::kMillisecond)->Iterations(3);

// The baseline: split both replies and insert every record's nine values
// with one prepared statement in one transaction, taking the fields by
// their places and the log-on reply's records in reverse order (as the
// benchmark lists them); nothing is looked up by name or checked.
bool bareSplitInsert(const QString &path, const QString &info, const QString &logons)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "BEGIN; DELETE FROM MAILBOXINFO", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(
        db,
        "INSERT INTO MAILBOXINFO (Mailbox, Name1, Name2, COS, [Name Record], [Default Security Code], "
        "[Mailbox Creation], [Last Log On], [Mailbox Comment]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
        -1, &insert, nullptr);
    if (!insert) {
        sqlite3_close(db);
        return false;
    }
    const CTclList splitter;
    const CTclElements records = splitter.Split(info.toUtf8());
    const CTclElements logonRecords = splitter.Split(logons.toUtf8());
    for (qsizetype i = 0; i < records.size(); ++i) {
        const CTclElements pairs = splitter.Split(records.at(i).toByteArray());
        const CTclElements logon = splitter.Split(logonRecords.at(records.size() - 1 - i).toByteArray());
        sqlite3_bind_int64(insert, 1, pairs.at(1).toByteArray().toLongLong());
        for (int column = 2; column <= 7; ++column)
            sqlite3_bind_text(insert, column, pairs.at(2 * column - 1).data(),
                              int(pairs.at(2 * column - 1).size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 8, logon.at(3).data(), int(logon.at(3).size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 9, pairs.at(15).data(), int(pairs.at(15).size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    const bool committed = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return committed;
}

void MailboxInfoFill(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString info = infoReply();
    const QString logons = logonReply();
    const QString path = folder.filePath("Reports.MDB");
    CMailboxInfoTable table(path, 1, 100);
    table.EnsureTable();
    double bare = 1e9;
    for (int i = 0; i < 3; ++i)
        bare = std::min(bare, seconds([&] {
                            if (!bareSplitInsert(path, info, logons))
                                state.SkipWithError("the baseline stored nothing");
                        }));
    double fill = 1e9;
    for (auto _ : state) {
        ReportFill result;
        fill = std::min(fill, seconds([&] { CStatisticsRecords::MailboxInfo(table, info, logons, result); }));
        if (result.stored != kBoxes)
            state.SkipWithError("not every row was stored");
    }
    state.counters["time_vs_bare"] = fill / bare;
}
BENCHMARK(MailboxInfoFill)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
