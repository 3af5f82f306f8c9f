// A report template file: an 8-byte header (payload length, record count;
// little-endian 32-bit) and one 116-byte record per row of its kind's column
// table (caption char[32], property key char[80], both NUL-terminated, then
// the report column as a signed 32-bit number, 0 for none). A "vmb" file is
// 8476 bytes, an "ams" or "vpm" file 1168.
//
// Files are read as hostile: a file is taken only when its size, its header
// and its kind's record count agree and every text field is terminated
// inside its width; anything else is refused whole. Template names are typed
// by the administrator and never leave their folder. A file is written to a
// temporary file beside it and renamed over the old one, so a failed write
// leaves the old template as it was.
#pragma once

#include "admin/reports/templates/reporttemplatekind.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <span>

struct ReportTemplateRecord {
    QByteArray caption;
    QByteArray key;
    qint32 column = 0;
};

class CReportTemplateFile {
public:
    static constexpr int HeaderSize = 8;
    static constexpr int RecordSize = 116;
    static constexpr int CaptionSize = 32;
    static constexpr int KeySize = 80;

    // True for a name that makes a file inside its folder: not empty, no
    // path separator, no control character, not "." or "..".
    static bool IsValidName(const QString &name);
    // "name.extension".
    static QString FileName(const QString &name, const QString &extension);

    // The records of the file at `path`, which must hold `expectedCount`
    // records; false, with the reason and `records` untouched, otherwise.
    static bool Read(const QString &path, int expectedCount, QList<ReportTemplateRecord> &records, QString &error);
    // One record per column row, with the row's caption and key and the
    // column number at the same place in `columns`.
    static bool Write(const QString &path, std::span<const ReportTemplateColumn> rows, std::span<const int> columns,
                      QString &error);

    // The titles (names without extension) of the templates of an extension
    // in `folder`, sorted without regard to case.
    static QStringList List(const QString &folder, const QString &extension);
    // The name of a file in `folder` that differs from `fileName` only in
    // letter case; empty when there is none.
    static QString CaseTwin(const QString &folder, const QString &fileName);
};
