// The languages and their two list texts; see languagelist.h.
#include "admin/config/records/languagelist.h"

#include "admin/config/records/languagetable.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

#include <algorithm>

namespace {

QString filePair(const QString &file, const QString &id)
{
    return TclWord(TclBareWord(file) + u' ' + TclBareWord(id));
}

} // namespace

void CLanguageList::Load(const QString &promptFiles, const QString &languageTable, const CLanguageTable &server)
{
    m_records.clear();
    m_configured.clear();
    const CTclList splitter;
    QStringList ids;
    QList<QStringList> files;
    QStringList pairs;
    splitter.SplitList(promptFiles, pairs);
    for (const QString &pair : std::as_const(pairs)) {
        QStringList fileAndId;
        splitter.SplitList(pair, fileAndId);
        if (fileAndId.size() < 2)
            continue;
        qsizetype at = ids.indexOf(fileAndId[1]);
        if (at < 0) {
            at = ids.size();
            ids.append(fileAndId[1]);
            files.append(QStringList());
        }
        files[at].append(fileAndId[0]);
    }
    const qsizetype configuredCount = ids.size();

    QStringList entries;
    splitter.SplitList(languageTable, entries);
    for (const QString &entry : std::as_const(entries)) {
        QStringList elements;
        splitter.SplitList(entry, elements);
        if (elements.isEmpty())
            continue;
        const QString id = server.IdOf(elements[0]);
        if (ids.contains(id))
            continue;
        QStringList entryFiles;
        for (qsizetype i = 1; i < elements.size(); ++i) {
            QStringList fileAndId;
            splitter.SplitList(elements[i], fileAndId);
            if (!fileAndId.isEmpty())
                entryFiles.append(fileAndId[0]);
        }
        ids.append(id);
        files.append(entryFiles);
    }

    for (qsizetype i = 0; i < ids.size(); ++i)
        m_records.append(LanguageRecord{server.NameOf(ids[i]), files[i]});
    for (qsizetype i = 0; i < configuredCount; ++i)
        m_configured.append(m_records[i].name);
    Stored(promptFiles, languageTable);
}

void CLanguageList::Stored(const QString &promptFiles, const QString &languageTable)
{
    m_serverPromptFiles = promptFiles;
    m_serverLanguageTable = languageTable;
    m_serverRecords = m_records;
    m_serverConfigured = m_configured;
}

bool CLanguageList::IsChanged() const
{
    return m_records != m_serverRecords || m_configured != m_serverConfigured;
}

QStringList CLanguageList::changedLanguages() const
{
    QStringList names;
    for (const LanguageRecord &record : m_records)
        if (!m_serverRecords.contains(record))
            names.append(record.name);
    return names;
}

bool CLanguageList::Format(const CLanguageTable &server, QString &promptFiles, QString &languageTable) const
{
    QString table;
    QString files;
    if (!formatTable(server, table) || !formatPromptFiles(server, files))
        return false;
    languageTable = table;
    promptFiles = files;
    return true;
}

bool CLanguageList::formatTable(const CLanguageTable &server, QString &languageTable) const
{
    QStringList changed = changedLanguages();
    if (changed.isEmpty()) {
        languageTable = m_serverLanguageTable;
        return true;
    }
    // Each changed language's entry anew, in the place of the entry read;
    // the other entries as they were.
    const auto entryOf = [&](const QString &name, QString &entry) {
        const QString id = server.IdOf(name);
        if (id.isEmpty())
            return false;
        entry = TclBareWord(name);
        for (const LanguageRecord &record : m_records)
            if (record.name == name)
                for (const QString &file : record.promptFiles)
                    entry += u' ' + filePair(file, id);
        entry = TclWord(entry);
        return true;
    };
    const CTclList splitter;
    QStringList entries;
    splitter.SplitList(m_serverLanguageTable, entries);
    QStringList table;
    for (const QString &entry : std::as_const(entries)) {
        QStringList elements;
        splitter.SplitList(entry, elements);
        const QString name = elements.value(0);
        if (elements.isEmpty() || !changed.contains(name)) {
            table.append(TclWord(entry));
            continue;
        }
        QString rebuilt;
        if (!entryOf(name, rebuilt))
            return false;
        table.append(rebuilt);
        changed.removeAll(name);
    }
    for (const QString &name : std::as_const(changed)) {
        QString added;
        if (!entryOf(name, added))
            return false;
        table.append(added);
    }
    languageTable = table.join(u' ');
    return true;
}

bool CLanguageList::formatPromptFiles(const CLanguageTable &server, QString &promptFiles) const
{
    const QStringList changed = changedLanguages();
    const bool inUseChanged = m_configured != m_serverConfigured ||
                              std::any_of(m_configured.cbegin(), m_configured.cend(),
                                          [&](const QString &name) { return changed.contains(name); });
    if (!inUseChanged) {
        promptFiles = m_serverPromptFiles;
        return true;
    }
    QStringList inUse;
    for (const QString &name : m_configured) {
        for (const LanguageRecord &record : m_records) {
            if (record.name != name)
                continue;
            const QString id = server.IdOf(name);
            if (id.isEmpty())
                return false;
            for (const QString &file : record.promptFiles)
                inUse.append(filePair(file, id));
        }
    }
    promptFiles = inUse.join(u' ');
    return true;
}
