// Puts arbitrary switch-type files in place and reads them. The input is a
// flags byte (bit 0: keep the line settings; bits 1-2: the file is too
// large, a folder, or a link to a file elsewhere), the switch type's name up
// to the first line end, then the file's bytes.
//
// What holds for every file: a name never leads out of the folder; a file
// that is missing or refused leaves the record as it was; a file that is read
// gives a record whose own file reads back as the same record, byte for byte
// when written again.
#include "admin/config/records/switchtypefile.h"
#include "testsupport/fuzzsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

enum class Placement { File, Oversize, Folder, Link };

// A group as the integration page holds it before a file is applied.
IntegrationGroupRecord startingRecord()
{
    IntegrationGroupRecord record;
    record.groupName = QStringLiteral("Meridian");
    record.switchType = QStringLiteral("Meridian_1");
    record.integrationType = QStringLiteral("1");
    record.lineProtocol = QStringLiteral("T1");
    record.t1Protocol = QStringLiteral("E&M");
    record.integrationTimeout = QStringLiteral("500");
    record.integrationPatterns[0] = QStringLiteral("rXXXX");
    record.smdiPatterns[0] = QStringLiteral("bXXX");
    record.smdiPortName = QStringLiteral("COM2");
    record.maxExtensionLength = QStringLiteral("4");
    record.dialCodes[0] = QStringLiteral("&,");
    record.transferSupport = 0;
    return record;
}

QStringList fileLines(const QByteArray &content)
{
    QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines.mid(0, CSwitchTypeFile::LineCount);
}

void place(const QString &path, const QByteArray &content, Placement placement, const QString &elsewhere)
{
    QDir().mkpath(CSwitchTypeFile::Folder());
    if (placement == Placement::Folder) {
        REQUIRE(QDir().mkdir(path));
        return;
    }
    QByteArray bytes = content;
    if (placement == Placement::Oversize)
        while (bytes.size() <= CSwitchTypeFile::MaxFileSize)
            bytes += content.isEmpty() ? QByteArray("x\n") : content;
    QFile file(placement == Placement::Link ? elsewhere : path);
    REQUIRE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    if (placement == Placement::Link)
        REQUIRE(QFile::link(elsewhere, path));
}

void checkReadRecord(const IntegrationGroupRecord &read, const QString &name, bool keepLineSettings,
                     const IntegrationGroupRecord &before)
{
    if (keepLineSettings)
        REQUIRE(read.integrationType == before.integrationType && read.lineProtocol == before.lineProtocol);
    QByteArray written;
    QString error;
    REQUIRE(CSwitchTypeFile::Format(read, name, written, error));
    IntegrationGroupRecord again = read;
    CSwitchTypeFile::ApplyLines(fileLines(written), CSwitchTypeFile::NormalName(name), again, keepLineSettings);
    REQUIRE(again.switchType == CSwitchTypeFile::NormalName(name));
    // The file names no SMDI port: reading one leaves the group without.
    REQUIRE(again.smdiPortName.isEmpty());
    // Keeping the line settings keeps the type and the protocol; the T1
    // protocol and the transfer support go back to their defaults.
    if (keepLineSettings)
        REQUIRE(again.t1Protocol.isEmpty() && again.transferSupport == 1);
    again.switchType = read.switchType;
    again.smdiPortName = read.smdiPortName;
    if (keepLineSettings) {
        again.t1Protocol = read.t1Protocol;
        again.transferSupport = read.transferSupport;
    }
    REQUIRE(again == read);
    QByteArray rewritten;
    REQUIRE(CSwitchTypeFile::Format(again, name, rewritten, error) && rewritten == written);
}

// Removed with what it holds when the run ends.
std::unique_ptr<QTemporaryDir> dataHome;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The files go to a folder of this run's own, never the user's.
    dataHome = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", dataHome->path().toUtf8());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool keepLineSettings = data[0] & 1;
    const Placement placement = Placement((data[0] >> 1) & 3);
    const QByteArray rest(reinterpret_cast<const char *>(data) + 1, static_cast<qsizetype>(size - 1));
    const qsizetype end = rest.indexOf('\n');
    const QString name = QString::fromUtf8(end < 0 ? rest : rest.left(end));
    const QByteArray content = end < 0 ? QByteArray() : rest.mid(end + 1);

    const QString path = CSwitchTypeFile::Path(name);
    REQUIRE(path.isEmpty() != CSwitchTypeFile::IsValidName(name));
    if (!path.isEmpty())
        REQUIRE(QFileInfo(path).absolutePath() == QDir::cleanPath(CSwitchTypeFile::Folder()) &&
                QFileInfo(path).fileName() == CSwitchTypeFile::FileName(name));

    const QString elsewhere = dataHome->filePath(QStringLiteral("elsewhere.pbx"));
    if (!path.isEmpty())
        place(path, content, placement, elsewhere);
    if (!path.isEmpty() && placement == Placement::File)
        REQUIRE(CSwitchTypeFile::List().contains(CSwitchTypeFile::NormalName(name)));

    const IntegrationGroupRecord before = startingRecord();
    IntegrationGroupRecord record = before;
    QString error;
    const CSwitchTypeFile::ReadResult result = CSwitchTypeFile::Read(name, record, keepLineSettings, error);
    if (path.isEmpty()) {
        REQUIRE(result == CSwitchTypeFile::ReadResult::Missing && record == before);
    } else if (placement != Placement::File) {
        REQUIRE(result == CSwitchTypeFile::ReadResult::Refused && record == before && !error.isEmpty());
    } else {
        REQUIRE(result == CSwitchTypeFile::ReadResult::Read);
        checkReadRecord(record, name, keepLineSettings, before);
    }

    QDir(CSwitchTypeFile::Folder()).removeRecursively();
    QFile::remove(elsewhere);
    return 0;
}
