// See reporttemplatefile.h. Texts are kept as the bytes the file holds.
#include "admin/reports/templates/reporttemplatefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

namespace {

QByteArray field(const char *start, int width, bool &terminated)
{
    const auto *end = static_cast<const char *>(memchr(start, '\0', size_t(width)));
    terminated = end != nullptr;
    return terminated ? QByteArray(start, end - start) : QByteArray();
}

void putText(char *start, int width, const QByteArray &text)
{
    memcpy(start, text.constData(), size_t(qMin<qsizetype>(text.size(), width - 1)));
}

} // namespace

bool CReportTemplateFile::IsValidName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") || name.size() > 200)
        return false;
    for (QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    return true;
}

QString CReportTemplateFile::FileName(const QString &name, const QString &extension)
{
    return QStringLiteral("%1.%2").arg(name, extension);
}

bool CReportTemplateFile::Read(const QString &path, int expectedCount, QList<ReportTemplateRecord> &records,
                               QString &error)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile()) {
        error = QStringLiteral("%1 is not a template file.").arg(info.fileName());
        return false;
    }
    const qint64 expectedSize = HeaderSize + qint64(expectedCount) * RecordSize;
    if (info.size() != expectedSize) {
        error = QStringLiteral("%1 is %2 bytes long, not %3.").arg(info.fileName()).arg(info.size()).arg(expectedSize);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1 cannot be read: %2").arg(info.fileName(), file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(expectedSize + 1);
    if (bytes.size() != expectedSize) {
        error = QStringLiteral("%1 changed while it was read.").arg(info.fileName());
        return false;
    }
    const quint32 payload = qFromLittleEndian<quint32>(bytes.constData());
    const quint32 count = qFromLittleEndian<quint32>(bytes.constData() + 4);
    if (count != quint32(expectedCount) || payload != quint32(expectedCount) * RecordSize) {
        error = QStringLiteral("The header of %1 does not fit a template of its kind.").arg(info.fileName());
        return false;
    }
    QList<ReportTemplateRecord> read;
    read.reserve(expectedCount);
    for (int i = 0; i < expectedCount; ++i) {
        const char *record = bytes.constData() + HeaderSize + qsizetype(i) * RecordSize;
        bool captionEnds = false;
        bool keyEnds = false;
        ReportTemplateRecord entry;
        entry.caption = field(record, CaptionSize, captionEnds);
        entry.key = field(record + CaptionSize, KeySize, keyEnds);
        entry.column = qFromLittleEndian<qint32>(record + CaptionSize + KeySize);
        if (!captionEnds || !keyEnds) {
            error = QStringLiteral("Record %1 of %2 has a text without its end.").arg(i + 1).arg(info.fileName());
            return false;
        }
        read.append(entry);
    }
    records = read;
    return true;
}

bool CReportTemplateFile::Write(const QString &path, std::span<const ReportTemplateColumn> rows,
                                std::span<const int> columns, QString &error)
{
    Q_ASSERT(rows.size() == columns.size());
    QByteArray bytes(HeaderSize + qsizetype(rows.size()) * RecordSize, '\0');
    qToLittleEndian<quint32>(quint32(rows.size() * RecordSize), bytes.data());
    qToLittleEndian<quint32>(quint32(rows.size()), bytes.data() + 4);
    for (size_t i = 0; i < rows.size(); ++i) {
        char *record = bytes.data() + HeaderSize + qsizetype(i) * RecordSize;
        putText(record, CaptionSize, QByteArray(rows[i].caption));
        putText(record + CaptionSize, KeySize, QByteArray(rows[i].key));
        qToLittleEndian<qint32>(qint32(columns[i]), record + CaptionSize + KeySize);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("%1 cannot be written: %2").arg(QFileInfo(path).fileName(), file.errorString());
        return false;
    }
    return true;
}

QStringList CReportTemplateFile::List(const QString &folder, const QString &extension)
{
    QStringList titles;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.") + extension}, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo &file : files) {
        // Everything before the last point, as a name with points of its own.
        const QString title = file.fileName().left(file.fileName().size() - extension.size() - 1);
        if (!title.isEmpty())
            titles << title;
    }
    titles.sort(Qt::CaseInsensitive);
    return titles;
}

QString CReportTemplateFile::CaseTwin(const QString &folder, const QString &fileName)
{
    const QStringList names = QDir(folder).entryList(QDir::Files);
    for (const QString &name : names)
        if (name != fileName && name.compare(fileName, Qt::CaseInsensitive) == 0)
            return name;
    return QString();
}
