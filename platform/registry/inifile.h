// Changes to an INI file that QSettings reads, made line by line. QSettings
// writes a file out whole from what it understood of it, so a line it could
// not read was lost and bytes that were not UTF-8 came back as replacement
// characters, at the first change of any value. Here a change rewrites only
// the lines of the keys it touches; every other byte of the file stays as it
// was, whatever it holds. Reading stays with QSettings, which takes what it
// can and skips the rest.
//
// Keys and values are written as QSettings writes them (its own escaping,
// taken from a scratch file), so QSettings reads them back unchanged.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class CIniFile {
public:
    explicit CIniFile(const QString &path);

    // `key` is a QSettings key: "section/name", or a deeper path.
    void setValue(const QString &key, const QString &value);
    // Removes `key` and every key below it.
    void remove(const QString &key);
    // The bytes stored for `key` in `path`, as they stand in the file (what
    // QSettings makes of bytes that are not UTF-8 does not tell they were
    // not); nothing when the key is not there.
    static std::optional<QByteArray> StoredBytes(const QString &path, const QString &key);

    // Applies the changes to the file as it is now (a missing file is an
    // empty one), under the same lock file QSettings takes, and writes it
    // when a line changed; false when it could not be written.
    bool write();

private:
    struct Change {
        QString key;
        QString value;
        bool removes = false;
    };
    struct Line {
        QByteArray section; // the raw section name of a "[...]" line
        QByteArray key;     // the raw key of a "key=value" line
        bool isSection = false;
    };
    static Line parse(const QByteArray &line);
    static QList<QByteArray> readLines(const QString &path);
    // Each returns whether a line changed.
    static bool applySet(QList<QByteArray> &lines, const QString &key, const QString &value);
    static bool applyRemove(QList<QByteArray> &lines, const QString &key);
    // Where a new key line of `section` goes: after its last key line (or
    // its header), so it stays clear of lines only copied.
    static qsizetype insertionPoint(const QList<QByteArray> &lines, const QByteArray &section);

    QString m_path;
    QList<Change> m_changes;
};
