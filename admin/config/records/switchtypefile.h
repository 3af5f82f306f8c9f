// Switch-type files: one small text file a switch type, 84 lines of one
// field each (CR LF when written), named after the switch type with every
// blank turned into "_" and the extension ".pbx". They are kept in one fixed
// folder of the user's data ($XDG_DATA_HOME/verbanta/switchtypes), never in
// the process's working directory. The server never sees them: what is
// applied from a file reaches it only through a group's variables.
//
// Files are read as hostile: a name never leaves the folder (no "/", "\",
// "..", leading dot or control character), only regular files of at most
// MaxFileSize bytes are read, at most 84 lines are taken, and every value is
// checked as if it had been typed: a value the page would refuse leaves its
// field as it was. A file is written to a temporary file beside it and
// renamed over the old one, so a failed write leaves the old switch type.
#pragma once

#include "admin/config/records/integrationgrouprecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class CSwitchTypeFile {
public:
    static constexpr int LineCount = 84;
    static constexpr qint64 MaxFileSize = 64 * 1024;
    // The switch-type dialog's edit takes no more.
    static constexpr int MaxNameLength = 60;

    // "Talvo VLM", the manufacturer's default switch type.
    static QString ReservedName();
    // True for the reserved name, without regard to case, blanks or "_".
    static bool IsReserved(const QString &name);

    // The folder of the switch-type files.
    static QString Folder();
    // Blanks turned into "_"; no other character is changed.
    static QString NormalName(const QString &name);
    // True when the name (blanks taken as "_") makes a file inside the
    // folder: not empty, at most MaxNameLength characters, no "/", "\", "..",
    // leading dot or control character.
    static bool IsValidName(const QString &name);
    // NormalName + ".pbx".
    static QString FileName(const QString &name);
    // The file's full path; empty for an invalid name.
    static QString Path(const QString &name);
    static bool Exists(const QString &name);

    // The titles of the switch-type files (names without ".pbx"), sorted by
    // name; files whose title is not a valid name are left out.
    static QStringList List();

    enum class ReadResult { Read, Missing, Refused };
    // Reads the switch type's file into `record`. Missing: there is no such
    // file (or the name is invalid); the record is unchanged. Refused: the
    // file is not a regular file, is too large or cannot be read; the reason
    // is in `error` and the record is unchanged. With `keepLineSettings`
    // lines 81 to 84 are read and ignored.
    static ReadResult Read(const QString &name, IntegrationGroupRecord &record, bool keepLineSettings,
                           QString &error);
    // Applies the lines of a file (without line ends) to `record` as Read
    // does; `requestedName` stands for a first line that is no valid name.
    static void ApplyLines(const QStringList &lines, const QString &requestedName,
                           IntegrationGroupRecord &record, bool keepLineSettings);

    // The 84 lines of `record`, each ended by CR LF, with NormalName(name) as
    // line 1. False, with the reason, when a field holds a control character
    // (it would break the file's lines).
    static bool Format(const IntegrationGroupRecord &record, const QString &name, QByteArray &content,
                       QString &error);
    // Writes the file of `name` anew (the folder is made when missing).
    static bool Write(const IntegrationGroupRecord &record, const QString &name, QString &error);
    static bool Remove(const QString &name, QString &error);
};
