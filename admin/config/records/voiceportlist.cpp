// The voice ports and their line texts; see voiceportlist.h.
#include "admin/config/records/voiceportlist.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

void CVoicePortList::Load(const QStringList &lines, int count)
{
    m_records = {VoicePortRecord()};
    for (int n = 1; n <= count; ++n) {
        VoicePortRecord record = ParseLine(lines.value(n - 1));
        record.label = QString::number(n);
        m_records.append(record);
    }
}

void CVoicePortList::Store(QStringList &lines) const
{
    for (int n = 1; n <= Count() && n <= lines.size(); ++n)
        lines[n - 1] = FormatLine(m_records[n]);
}

bool CVoicePortList::IsAnswerMethodUsed(const QString &name) const
{
    for (int n = 1; n <= Count(); ++n)
        if (m_records[n].answerMethod == name)
            return true;
    return false;
}

bool CVoicePortList::ReplaceAnswerMethod(const QString &oldName, const QString &newName)
{
    if (!IsAnswerMethodUsed(oldName))
        return false;
    for (int n = 1; n <= Count(); ++n)
        if (m_records[n].answerMethod == oldName)
            m_records[n].answerMethod = newName;
    return true;
}

void CVoicePortList::DropAnswerMethods(const QStringList &names)
{
    for (int n = 1; n <= Count(); ++n)
        if (names.contains(m_records[n].answerMethod))
            m_records[n].answerMethod.clear();
}

bool CVoicePortList::hasSameParts(const VoicePortRecord &a, const VoicePortRecord &b)
{
    return a.extension == b.extension && a.answerMethod == b.answerMethod && a.rest == b.rest;
}

QString CVoicePortList::FormatLine(const VoicePortRecord &record)
{
    if (record.serverLine && hasSameParts(record, splitLine(*record.serverLine)))
        return *record.serverLine;
    QStringList words = {TclBareWord(record.extension), TclBareWord(record.answerMethod)};
    for (const QString &element : record.rest)
        words.append(TclBareWord(element));
    return words.join(u' ');
}

VoicePortRecord CVoicePortList::ParseLine(const QString &line)
{
    VoicePortRecord record = splitLine(line);
    record.serverLine = line;
    return record;
}

VoicePortRecord CVoicePortList::splitLine(const QString &line)
{
    QStringList elements;
    CTclList().SplitList(line, elements);
    VoicePortRecord record;
    record.extension = elements.value(0);
    record.answerMethod = elements.value(1);
    record.rest = elements.mid(2);
    return record;
}
