// Feeds arbitrary server text to the readers of the configuration's list
// variables; the first byte picks the reader. For each, what the page would
// write back unedited is read again and must give the same records and the
// same text: a list that was written once comes back byte for byte. Where a
// list keeps what was not edited, an edit is made too, and the text written
// must read back as the edited records with what the server held beside.
#include "admin/config/records/answermethodlist.h"
#include "admin/config/records/holidaylist.h"
#include "admin/config/records/ivrhostlist.h"
#include "admin/config/records/languagelist.h"
#include "admin/config/records/languagetable.h"
#include "admin/config/records/portgrouplist.h"
#include "admin/config/records/serialportlist.h"
#include "admin/config/records/voiceportlist.h"
#include "admin/session/tcllist.h"
#include "testsupport/fuzzsupport.h"

#include <QSet>

#include <cstddef>
#include <cstdint>

namespace {

QString answerMethodsText(const QString &text)
{
    CAnswerMethodList list;
    list.Parse(text);
    for (int n = 1; n <= list.Count(); ++n)
        (void)CAnswerMethodList::ParseRings(list.Record(n).rings);
    (void)list.GreetingNumbers();
    return list.Format();
}

void checkAnswerMethods(const QString &text)
{
    const QString written = answerMethodsText(text);
    REQUIRE(answerMethodsText(written) == written);
}

QString holidaysText(const QString &text)
{
    CHolidayList fixed, yearly;
    QStringList unreadable;
    HolidayText::Parse(text, fixed, yearly, unreadable);
    for (const HolidayRecord holiday : fixed.Items())
        REQUIRE(!holiday.IsYearly() && holiday.Month() >= 1 && holiday.Month() <= 12 && holiday.Day() >= 1 &&
                holiday.Day() <= 31);
    for (const HolidayRecord holiday : yearly.Items())
        REQUIRE(holiday.IsYearly() && holiday.Month() >= 1 && holiday.Month() <= 12);
    return HolidayText::Format(fixed, yearly, unreadable);
}

void checkHolidays(const QString &text)
{
    const QString written = holidaysText(text);
    REQUIRE(holidaysText(written) == written);
    // Unedited, the text itself; edited, the holidays as they stand.
    CHolidayList fixed, yearly;
    QStringList unreadable;
    HolidayText::Parse(text, fixed, yearly, unreadable);
    REQUIRE(HolidayText::FormatKeeping(text, fixed, yearly) == text);
    // A text that is no list is kept whole, and nothing added to it reads.
    QStringList words;
    CTclList().SplitList(text, words);
    if (words.isEmpty() && !text.trimmed().isEmpty())
        return;
    if (!fixed.Items().isEmpty())
        fixed.Remove(fixed.At(0));
    yearly.Insert(HolidayRecord::Make(29, 2, 0));
    fixed.Insert(HolidayRecord::Make(31, 12, 2037));
    const QString edited = HolidayText::FormatKeeping(text, fixed, yearly);
    CHolidayList fixedAgain, yearlyAgain;
    HolidayText::Parse(edited, fixedAgain, yearlyAgain, unreadable);
    REQUIRE(fixedAgain.Items() == fixed.Items() && yearlyAgain.Items() == yearly.Items());
}

// A depot line of a voice port: the line written back reads as the same port.
void checkVoicePortLine(const QString &line)
{
    const VoicePortRecord record = CVoicePortList::ParseLine(line);
    const QString written = CVoicePortList::FormatLine(record);
    const VoicePortRecord again = CVoicePortList::ParseLine(written);
    REQUIRE(again.extension == record.extension && again.answerMethod == record.answerMethod &&
            again.rest == record.rest);
    REQUIRE(CVoicePortList::FormatLine(again) == written);
}

// Every group renamed, and every other one given new ports: the elements
// not edited stay as the server held them.
void checkEditedPortGroups(CPortGroupList &groups, int voicePorts)
{
    for (int i = 0; i < groups.Count(); ++i) {
        groups.SetId(i, groups.At(i).id + QStringLiteral("x"));
        if (i % 2)
            groups.SetPorts(i, {1, voicePorts});
    }
    CPortGroupList again(groups.GetKind());
    again.Load(groups.Save(), voicePorts);
    REQUIRE(again.Count() == groups.Count());
    for (int i = 0; i < groups.Count(); ++i) {
        const PortGroupRecord &edited = groups.At(i);
        const PortGroupRecord &read = again.At(i);
        REQUIRE(read.id == edited.id && read.moreElements == edited.moreElements);
        REQUIRE(CPortGroupList::ShownPorts(read) == CPortGroupList::ShownPorts(edited));
        if (groups.GetKind() == CPortGroupList::Notification)
            REQUIRE(CPortGroupList::ShownLimit(read) == CPortGroupList::ShownLimit(edited));
    }
}

void checkPortGroups(CPortGroupList::Kind kind, const QString &text)
{
    constexpr int voicePorts = 24;
    CPortGroupList groups(kind);
    groups.Load(text, voicePorts);
    for (int i = 0; i < groups.Count(); ++i) {
        const PortGroupRecord &group = groups.At(i);
        REQUIRE(group.limit >= 1 && group.limit <= 100);
        for (int port : group.ports)
            REQUIRE(port >= 1 && port <= voicePorts && group.ports.count(port) == 1);
        (void)CPortGroupList::FormatPortRanges(group.ports);
    }
    const QString written = groups.Save();
    REQUIRE(written == text);
    CPortGroupList again(kind);
    again.Load(written, voicePorts);
    REQUIRE(again.Save() == written);
    checkEditedPortGroups(groups, voicePorts);
}

void checkSerialPorts(const QString &text)
{
    const QStringList names{QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM 3"),
                            QStringLiteral("{COM4}")};
    const QList<SmdiGroupLink> groups{{QStringLiteral("Meridian"), QStringLiteral("1"), QStringLiteral("COM2 1200")}};
    QStringList conflicts;
    CSerialPortList ports;
    ports.Load(names, groups, text, conflicts);
    REQUIRE(ports.Count() == names.size());
    REQUIRE(ports.SaveResources() == text);
    // Each resource given a number: the entries of the other ports, and the
    // conflicts they hold, stay.
    for (int i = 0; i < ports.Count(); ++i)
        if (ports.At(i).assignment == SerialPortRecord::Resource)
            ports.At(i).phoneNumber = QStringLiteral("+1 (949) 555-1234");
    QStringList conflictsAgain;
    CSerialPortList again;
    again.Load(names, groups, ports.SaveResources(), conflictsAgain);
    REQUIRE(conflictsAgain == conflicts);
    for (int i = 0; i < ports.Count(); ++i)
        REQUIRE(again.At(i) == ports.At(i));
}

QString ivrHostsText(const QString &text)
{
    CIvrHostList hosts;
    hosts.Parse(text);
    return hosts.Format();
}

void checkIvrHosts(const QString &text)
{
    const QString written = ivrHostsText(text);
    REQUIRE(ivrHostsText(written) == written);
}

bool namesAndIdsAreUnique(const CLanguageTable &table)
{
    const QStringList names = table.Names();
    QStringList ids;
    for (const QString &name : names)
        ids << table.IdOf(name);
    return !names.contains(QString()) && !ids.contains(QString()) &&
           QSet<QString>(names.begin(), names.end()).size() == names.size() &&
           QSet<QString>(ids.begin(), ids.end()).size() == ids.size();
}

// The prompt files and the language table in one text, split at the first
// line end; the table is also the server's.
void checkLanguages(const QString &text)
{
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QString promptFiles = end < 0 ? QString() : text.left(end);
    const QString table = end < 0 ? text : text.mid(end + 1);
    const CLanguageTable server(table);
    for (const QString &name : server.Names())
        (void)server.NameOf(server.IdOf(name));
    CLanguageList languages;
    languages.Load(promptFiles, table, server);
    REQUIRE(languages.m_configured.size() <= languages.m_records.size());
    // Languages are looked up by name and by id: only a table in which each
    // name and each id, none of them empty, names one language reads back as
    // it was written.
    if (!namesAndIdsAreUnique(server))
        return;
    QString writtenFiles, writtenTable;
    if (!languages.Format(server, writtenFiles, writtenTable))
        return;
    CLanguageList again;
    again.Load(writtenFiles, writtenTable, server);
    QString filesAgain, tableAgain;
    REQUIRE(again.Format(server, filesAgain, tableAgain));
    REQUIRE(filesAgain == writtenFiles && tableAgain == writtenTable);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data) + 1, static_cast<qsizetype>(size - 1));
    switch (data[0] % 8) {
    case 0: checkAnswerMethods(text); break;
    case 1: checkHolidays(text); break;
    case 2: checkVoicePortLine(text); break;
    case 3: checkPortGroups(CPortGroupList::Notification, text); break;
    case 4: checkPortGroups(CPortGroupList::Statistical, text); break;
    case 5: checkSerialPorts(text); break;
    case 6: checkIvrHosts(text); break;
    default: checkLanguages(text); break;
    }
    return 0;
}
