// The languages as the Language page edits them: every language the
// server's table knows, each with its prompt files, and the languages in
// use, in order. They come from two server variables:
//   sys_prompt_files    {file id} pairs of the languages in use, in order;
//   sys_language_table  {name {file id} ...} of every language.
// A language's id is looked up by its name in the server's current table
// (languagetable.h). Both texts are read with the Tcl library's list rules.
// What was not changed goes back as the server sent it: the table keeps its
// order and the entries of languages whose files are as read, and the
// prompt files stay as they are while the languages in use and their files
// do. What changed is written with the session's quoting, so a file name
// with blanks or braces arrives as it was.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CLanguageTable;

struct LanguageRecord {
    QString name;
    QStringList promptFiles;

    bool operator==(const LanguageRecord &) const = default;
};

class CLanguageList {
public:
    // Languages in use first (in the order of their first prompt file,
    // with all their files), then the table's other languages with the
    // files of their table entry.
    void Load(const QString &promptFiles, const QString &languageTable, const CLanguageTable &server);
    // Whether a language's files or the languages in use differ from what
    // Load read (or Stored took).
    bool IsChanged() const;
    // The two texts; false, both left alone, when a language written anew
    // has no id in the server's table.
    bool Format(const CLanguageTable &server, QString &promptFiles, QString &languageTable) const;
    // The server holds these texts now, made by Format from the languages
    // as they are.
    void Stored(const QString &promptFiles, const QString &languageTable);

    QList<LanguageRecord> m_records;
    QStringList m_configured;

private:
    // The names of the languages whose files are not those read.
    QStringList changedLanguages() const;
    bool formatTable(const CLanguageTable &server, QString &languageTable) const;
    bool formatPromptFiles(const CLanguageTable &server, QString &promptFiles) const;

    QString m_serverPromptFiles;
    QString m_serverLanguageTable;
    QList<LanguageRecord> m_serverRecords;
    QStringList m_serverConfigured;
};
