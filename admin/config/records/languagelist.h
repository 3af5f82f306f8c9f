// The languages as the Language page edits them: every language the
// server's table knows, each with its prompt files, and the languages in
// use, in order. They come from two server variables:
//   sys_prompt_files    {file id} pairs of the languages in use, in order;
//   sys_language_table  {name {file id} ...} of every language.
// A language's id is looked up by its name in the server's current table
// (languagetable.h). Both texts are read with the Tcl library's list rules
// and written with the session's quoting, so a file name with blanks or
// braces arrives as it was.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CLanguageTable;

struct LanguageRecord {
    QString name;
    QStringList promptFiles;
};

class CLanguageList {
public:
    // Languages in use first (in the order of their first prompt file,
    // with all their files), then the table's other languages with the
    // files of their table entry.
    void Load(const QString &promptFiles, const QString &languageTable, const CLanguageTable &server);
    // The two texts; false, both left alone, when a language has no id in
    // the server's table.
    bool Format(const CLanguageTable &server, QString &promptFiles, QString &languageTable) const;

    QList<LanguageRecord> m_records;
    QStringList m_configured;
};
