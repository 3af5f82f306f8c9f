// The languages and their two list texts; see languagelist.h.
#include "admin/config/records/languagelist.h"

#include "admin/config/records/languagetable.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

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
}

bool CLanguageList::Format(const CLanguageTable &server, QString &promptFiles, QString &languageTable) const
{
    QStringList table;
    for (const LanguageRecord &record : m_records) {
        const QString id = server.IdOf(record.name);
        if (id.isEmpty())
            return false;
        QString entry = TclBareWord(record.name);
        for (const QString &file : record.promptFiles)
            entry += u' ' + filePair(file, id);
        table.append(TclWord(entry));
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
    languageTable = table.join(u' ');
    promptFiles = inUse.join(u' ');
    return true;
}
