// See inifile.h. A line is either a section header (it starts with "["), a
// "key=value" line, or anything else (a comment, a blank, garbage), which is
// only ever copied. Names are compared as the raw bytes QSettings writes for them.
#include "inifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>

namespace {

struct EscapedKey {
    QByteArray section;
    QByteArray key;
    QByteArray line; // "key=value", as QSettings writes it
};

// The section, key and line QSettings writes for `key` = `value`, read from
// a scratch file of its own.
// The scratch file lies on a memory file system where there is one: QSettings
// flushes what it writes to the disk, which a scratch file does not need.
QString scratchFolderTemplate()
{
    const QString memory = QStringLiteral("/dev/shm");
    const QString base = QFileInfo(memory).isWritable() ? memory : QDir::tempPath();
    return base + QStringLiteral("/verbanta-ini-XXXXXX");
}

EscapedKey escapedByQSettings(const QString &key, const QString &value)
{
    const QTemporaryDir scratch(scratchFolderTemplate());
    const QString path = scratch.filePath(QStringLiteral("scratch.ini"));
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(key, value);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.readAll().split('\n');
    EscapedKey escaped;
    for (const QByteArray &line : lines) {
        if (line.startsWith('['))
            escaped.section = line.mid(1, line.lastIndexOf(']') - 1);
        else if (line.contains('=')) {
            escaped.line = line;
            escaped.key = line.left(line.indexOf('=')).trimmed();
        }
    }
    return escaped;
}

} // namespace

CIniFile::CIniFile(const QString &path) : m_path(path) {}

void CIniFile::setValue(const QString &key, const QString &value)
{
    m_changes.append({key, value, false});
}

void CIniFile::remove(const QString &key)
{
    m_changes.append({key, QString(), true});
}

std::optional<QByteArray> CIniFile::StoredBytes(const QString &path, const QString &key)
{
    const EscapedKey escaped = escapedByQSettings(key, QString());
    std::optional<QByteArray> stored;
    bool inSection = false;
    for (const QByteArray &text : readLines(path)) {
        const Line line = parse(text);
        if (line.isSection)
            inSection = line.section == escaped.section;
        else if (inSection && !escaped.key.isEmpty() && line.key == escaped.key)
            stored = text.mid(text.indexOf('=') + 1).trimmed();
    }
    return stored;
}

bool CIniFile::write()
{
    if (m_changes.isEmpty())
        return true;
    // Another program writing the same file holds the lock for a moment; a
    // lock left by one that died is taken over once it is stale.
    constexpr int kLockWaitMs = 10000;
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs))
        return false;
    QList<QByteArray> lines = readLines(m_path);
    bool changed = false;
    for (const Change &change : std::as_const(m_changes))
        changed |=
            change.removes ? applyRemove(lines, change.key) : applySet(lines, change.key, change.value);
    m_changes.clear();
    if (!changed)
        return true;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QByteArray &line : std::as_const(lines))
        file.write(line);
    return file.commit() && QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QList<QByteArray> CIniFile::readLines(const QString &path)
{
    QList<QByteArray> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const QByteArray bytes = file.readAll();
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        lines.append(bytes.mid(start, next - start));
        start = next;
    }
    return lines;
}

CIniFile::Line CIniFile::parse(const QByteArray &line)
{
    const QByteArray text = line.trimmed();
    Line parsed;
    if (text.startsWith('[')) {
        // As QSettings reads it: a section runs to its "]", or to the line's
        // end when there is none.
        parsed.isSection = true;
        const qsizetype close = text.indexOf(']');
        parsed.section = text.mid(1, close < 0 ? -1 : close - 1).trimmed();
    } else if (const qsizetype equals = text.indexOf('='); equals > 0 && !text.startsWith(';')) {
        parsed.key = text.left(equals).trimmed();
    }
    return parsed;
}

qsizetype CIniFile::insertionPoint(const QList<QByteArray> &lines, const QByteArray &section)
{
    qsizetype point = -1;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line line = parse(lines.at(i));
        if (line.isSection)
            inSection = line.section == section;
        if (inSection && (line.isSection || !line.key.isEmpty()))
            point = i + 1;
    }
    return point;
}

bool CIniFile::applySet(QList<QByteArray> &lines, const QString &key, const QString &value)
{
    const EscapedKey escaped = escapedByQSettings(key, value);
    if (escaped.key.isEmpty())
        return false;
    const QByteArray newLine = escaped.line + '\n';
    bool inSection = false;
    bool found = false;
    bool changed = false;
    for (QByteArray &text : lines) {
        const Line line = parse(text);
        if (line.isSection) {
            inSection = line.section == escaped.section;
        } else if (inSection && line.key == escaped.key) {
            found = true;
            if (text != newLine) {
                text = newLine;
                changed = true;
            }
        }
    }
    if (found)
        return changed;
    const qsizetype point = insertionPoint(lines, escaped.section);
    if (point >= 0) {
        if (!lines.at(point - 1).endsWith('\n'))
            lines[point - 1].append('\n');
        lines.insert(point, newLine);
        return true;
    }
    if (!lines.isEmpty()) {
        if (!lines.last().endsWith('\n'))
            lines.last().append('\n');
        lines.append("\n");
    }
    lines.append('[' + escaped.section + "]\n");
    lines.append(newLine);
    return true;
}

bool CIniFile::applyRemove(QList<QByteArray> &lines, const QString &key)
{
    // The key of a child names the group's prefix; a key of one name is a
    // whole section.
    const EscapedKey child = escapedByQSettings(key + QStringLiteral("/x"), QString());
    if (child.key.isEmpty())
        return false;
    const QByteArray prefix = child.key.left(child.key.size() - 1);
    const QByteArray exact = prefix.left(prefix.size() - 1);
    bool inSection = false;
    bool changed = false;
    for (qsizetype i = 0; i < lines.size();) {
        const Line line = parse(lines.at(i));
        if (line.isSection)
            inSection = line.section == child.section;
        if (inSection && !line.key.isEmpty() && (line.key.startsWith(prefix) || line.key == exact)) {
            lines.removeAt(i);
            changed = true;
        } else {
            ++i;
        }
    }
    return changed;
}
