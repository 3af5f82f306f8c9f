// Feeds an arbitrary "/AutoSchedRec" property to the automatic schedule's
// records, split as the Auto Attendant page splits it.
//
// What holds for every record: an unedited record goes back exactly as it
// was read, readable or not; setting a value to the one it holds changes
// nothing; an edited record reads back with the new value and every other
// value as it was; and the property the page writes from the records splits
// into the same record texts again.
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/useragents/pages/autoschedrecord.h"
#include "testsupport/fuzzsupport.h"

#include <cstddef>
#include <cstdint>

namespace {

QStringList values(const CAutoSchedRecord &record)
{
    return {record.GetHeaderText(), record.Extension(), record.Rings(), record.Greeting(), record.VoiceMenu(),
            QString::number(record.Dnd()), QString::number(record.CallScreening())};
}

void setToOwnValues(CAutoSchedRecord &record)
{
    record.SetHeaderText(record.GetHeaderText());
    record.SetDays(record.Days());
    record.SetEnabled(record.IsEnabled());
    // A header with both holiday bits shows one mode; choosing that mode
    // clears the other bit, as a choice on the page does.
    const int holidayBits = record.GetHeaderText().mid(2, 2).toInt(nullptr, 16) & 3;
    if (holidayBits != 3)
        record.SetHolidays(record.GetHolidays());
    record.SetChangeTime(record.ChangeTime());
    record.SetExtension(record.Extension());
    record.SetRings(record.Rings());
    record.SetGreeting(record.Greeting());
    record.SetVoiceMenu(record.VoiceMenu());
    record.SetDnd(record.Dnd());
    record.SetCallScreening(record.CallScreening());
}

void checkRecord(const QString &text)
{
    bool propertyError = false;
    CAutoSchedRecord record(nullptr, text, &propertyError);
    REQUIRE(record.ToString() == text);
    REQUIRE(!propertyError || record.IsUnreadable());
    REQUIRE(record.GetNextChangeText() == QLatin1String("N/A"));
    if (record.IsUnreadable())
        return;
    const QStringList read = values(record);
    setToOwnValues(record);
    REQUIRE(values(record) == read && record.ToString() == text);

    const QString rings = record.Rings() == QLatin1String("7") ? QStringLiteral("8") : QStringLiteral("7");
    record.SetRings(rings);
    const QString edited = record.ToString();
    bool editedError = false;
    const CAutoSchedRecord again(nullptr, edited, &editedError);
    REQUIRE(!editedError && !again.IsUnreadable() && again.ToString() == edited);
    QStringList expected = read;
    expected[2] = rings;
    REQUIRE(values(again) == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString property =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const CTclList splitter;
    QStringList texts;
    splitter.SplitList(property, texts);
    QString written;
    for (const QString &text : std::as_const(texts)) {
        checkRecord(text);
        written += TclWord(CAutoSchedRecord(nullptr, text).ToString()) + QLatin1Char(' ');
    }
    QStringList again;
    splitter.SplitList(written, again);
    REQUIRE(again == texts);
    return 0;
}
