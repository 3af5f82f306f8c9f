// Puts arbitrary report template files in place and reads them as the
// template editor and the report runs do. The input is a flags byte (bits
// 0-1: the kind, vmb, ams or vpm; bit 2: a folder stands where the file
// should; bit 3: the file is a link to one elsewhere), then the file's bytes.
//
// What holds for every file: a refused file leaves the records as they
// were and says why; a file that is read gives one record per row of its
// kind with texts inside their widths; the template the editor writes from
// them reads back with the same columns.
#include "admin/reports/templates/reporttemplatefile.h"
#include "testsupport/fuzzsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

const char *const kExtensions[] = {"vmb", "ams", "vpm", "vpm"};

// Removed with what it holds when the run ends.
std::unique_ptr<QTemporaryDir> folder;

void place(const QString &path, const QByteArray &bytes, bool asFolder, bool asLink)
{
    if (asFolder) {
        REQUIRE(QDir().mkdir(path));
        return;
    }
    const QString target = asLink ? folder->filePath(QStringLiteral("elsewhere")) : path;
    QFile file(target);
    REQUIRE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    if (asLink)
        REQUIRE(QFile::link(target, path));
}

void clear(const QString &path)
{
    QFile::remove(path);
    QDir().rmdir(path);
    QFile::remove(folder->filePath(QStringLiteral("elsewhere")));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    folder = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString extension = QString::fromLatin1(kExtensions[data[0] & 3]);
    const bool asFolder = data[0] & 4;
    const bool asLink = !asFolder && (data[0] & 8);
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, static_cast<qsizetype>(size - 1));
    const std::span<const ReportTemplateColumn> rows = CReportTemplateKinds::ColumnsOf(extension);
    const QString path = folder->filePath(CReportTemplateFile::FileName(QStringLiteral("Fuzz"), extension));
    place(path, bytes, asFolder, asLink);

    const QList<ReportTemplateRecord> before{{"untouched", "&Name1", 7}};
    QList<ReportTemplateRecord> records = before;
    QString error;
    if (!CReportTemplateFile::Read(path, int(rows.size()), records, error)) {
        REQUIRE(records.size() == before.size() && records[0].caption == before[0].caption &&
                records[0].key == before[0].key && records[0].column == before[0].column && !error.isEmpty());
        clear(path);
        return 0;
    }
    REQUIRE(!asFolder && !asLink);
    REQUIRE(records.size() == qsizetype(rows.size()));
    std::vector<int> columns(rows.size(), 0);
    for (size_t row = 0; row < rows.size(); ++row) {
        const ReportTemplateRecord &record = records[qsizetype(row)];
        REQUIRE(record.caption.size() < CReportTemplateFile::CaptionSize && !record.caption.contains('\0'));
        REQUIRE(record.key.size() < CReportTemplateFile::KeySize && !record.key.contains('\0'));
        if (record.key == QByteArray(rows[row].key))
            columns[row] = record.column;
    }

    clear(path);
    REQUIRE(CReportTemplateFile::Write(path, rows, columns, error));
    QList<ReportTemplateRecord> again;
    REQUIRE(CReportTemplateFile::Read(path, int(rows.size()), again, error));
    for (size_t row = 0; row < rows.size(); ++row)
        REQUIRE(again[qsizetype(row)].key == QByteArray(rows[row].key) && again[qsizetype(row)].column == columns[row]);
    clear(path);
    return 0;
}
