// Puts arbitrary files where the report database is opened from. What holds
// for every file: a refused file is left byte for byte as it was; a file
// that is taken and sound stays a report database through a whole run; a
// damaged one that is taken fails with its reason.
#include "admin/reports/db/portlogtable.h"
#include "testsupport/fuzzsupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// Removed with what it holds when the run ends.
std::unique_ptr<QTemporaryDir> folder;

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    REQUIRE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

bool isSound(const QString &path)
{
    sqlite3 *db = nullptr;
    bool sound = false;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            sound = qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)), "ok") == 0;
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return sound;
}

void removeDatabase(const QString &path)
{
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

// One run of the port statistics report into the opened table.
class PortRun : public CPortLogTable {
public:
    using CPortLogTable::CPortLogTable;
    bool StoreOneRow()
    {
        if (!BeginRun())
            return false;
        const bool stored = insertRow(0, {qint64(1), qint64(5), qint64(6), qint64(120), qint64(0),
                                          QStringLiteral("2/1/2001"), QStringLiteral("2/15/2001")});
        return EndRun(stored) && stored;
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    folder = MakeFuzzFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = folder->filePath(QStringLiteral("Reports.MDB"));
    {
        QFile file(path);
        REQUIRE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    // A damaged file may still be taken (the engine finds the damage only
    // where it reads); a sound one must stay sound through a run.
    const bool sound = isSound(path);
    {
        // The way the report dialogs take the file.
        PortRun table(path, CReportsDatabase::PurgeAll, 0);
        const bool taken = table.EnsureTable();
        const bool refused = !taken && !table.IsOpen();
        if (taken && table.PurgeTable() && table.StoreOneRow()) {
            table.CloseDatabase();
            PortRun again(path, CReportsDatabase::PurgeNothing, 0);
            const int reopened = again.OpenDatabaseFile(path);
            REQUIRE(reopened == 1 || (!sound && !again.LastError().isEmpty()));
        } else {
            REQUIRE(!table.LastError().isEmpty());
        }
        table.CloseDatabase();
        // Refused at the door, for whatever reason: not a byte changed, even
        // once the connection is gone.
        if (refused)
            REQUIRE(contentOf(path) == bytes);
    }
    removeDatabase(path);
    return 0;
}
