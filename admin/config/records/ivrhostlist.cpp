// The IVR host records and their list text; see ivrhostlist.h.
#include "admin/config/records/ivrhostlist.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

#include <QStringList>

void CIvrHostList::Parse(const QString &text)
{
    m_records.resize(1);
    QStringList entries;
    CTclList().SplitList(text, entries);
    for (const QString &entry : std::as_const(entries))
        m_records.append(parseEntry(entry));
    m_serverText = text;
    m_serverRecords = m_records;
}

IvrHostRecord CIvrHostList::parseEntry(const QString &entry)
{
    QStringList values;
    CTclList().SplitList(entry, values);
    return IvrHostRecord{values.value(0), values.value(1), values.value(2), values.value(3), entry};
}

bool CIvrHostList::isAsRead(const IvrHostRecord &record)
{
    return record.serverEntry && parseEntry(*record.serverEntry) == record;
}

QString CIvrHostList::formatEntry(const IvrHostRecord &record)
{
    QString entry = TclBareWord(record.host) + u' ' + TclWord(record.sessionFile);
    if (!record.userId.isEmpty() || !record.password.isEmpty())
        entry += u' ' + TclBareWord(record.userId);
    if (!record.password.isEmpty())
        entry += u' ' + TclBareWord(record.password);
    return TclWord(entry);
}

QString CIvrHostList::Format() const
{
    if (m_records == m_serverRecords)
        return m_serverText;
    QStringList entries;
    for (int n = 1; n <= Count(); ++n) {
        const IvrHostRecord &record = m_records[n];
        if (isAsRead(record))
            entries.append(TclWord(*record.serverEntry));
        else if (!record.host.isEmpty() && !record.sessionFile.isEmpty())
            entries.append(formatEntry(record));
    }
    return entries.join(u' ');
}

bool CIvrHostList::HasHost(const QString &host, int row) const
{
    for (int n = 1; n <= Count(); ++n)
        if (n != row && m_records[n].host == host)
            return true;
    return false;
}
