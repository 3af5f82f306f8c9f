// The IVR host records and their list text; see ivrhostlist.h.
#include "admin/config/records/ivrhostlist.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

#include <QStringList>

void CIvrHostList::Parse(const QString &text)
{
    m_records.resize(1);
    const CTclList splitter;
    QStringList entries;
    splitter.SplitList(text, entries);
    for (const QString &entry : entries) {
        QStringList values;
        splitter.SplitList(entry, values);
        m_records.append(IvrHostRecord{values.value(0), values.value(1), values.value(2), values.value(3)});
    }
}

QString CIvrHostList::Format() const
{
    QStringList entries;
    for (int n = 1; n <= Count(); ++n) {
        const IvrHostRecord &record = m_records[n];
        if (record.host.isEmpty() || record.sessionFile.isEmpty())
            continue;
        QString entry = TclBareWord(record.host) + u' ' + TclWord(record.sessionFile);
        if (!record.userId.isEmpty() || !record.password.isEmpty())
            entry += u' ' + TclBareWord(record.userId);
        if (!record.password.isEmpty())
            entry += u' ' + TclBareWord(record.password);
        entries.append(TclWord(entry));
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
