// The schedule record on its own: the header's bytes, the pairs it reads
// and writes, a text that goes back as it came until a value changes, texts
// that cannot be read, values quoted as list elements, and the next change
// as the server dates it.
#include "admin/session/tclword.h"
#include "admin/useragents/pages/autoschedrecord.h"
#include "admin/useragents/tests/scriptedchannel.h"

#include <gtest/gtest.h>

TEST(AutoSchedRecord, ReadsTheHeadersBytes)
{
    const CAutoSchedRecord record(nullptr, "7F8102050120000080E0346A Num_RNA 4");
    EXPECT_FALSE(record.IsUnreadable());
    EXPECT_EQ(record.Days(), 127);
    EXPECT_TRUE(record.IsEnabled());
    EXPECT_EQ(record.GetHolidays(), CAutoSchedRecord::HolidaysActive);
    EXPECT_EQ(record.UnitCodeValue(), 2);
    EXPECT_EQ(record.Count(), 5);
    EXPECT_TRUE(record.IsMonthEnd());
    EXPECT_EQ(record.DayOfMonth(), 32);
    EXPECT_EQ(record.ChangeTime(), 1781850240);
    EXPECT_EQ(record.Rings(), "4");
    EXPECT_EQ(record.Dnd(), CAutoSchedRecord::Unchanged);
    EXPECT_EQ(record.CallScreening(), CAutoSchedRecord::Unchanged);
}

TEST(AutoSchedRecord, ANewRecordIsEnabledEveryDayAndChangesNothing)
{
    const CAutoSchedRecord record(nullptr);
    EXPECT_TRUE(record.ToString().startsWith("7FFC000000000000")) << record.ToString().toStdString();
    EXPECT_EQ(record.ToString().size(), CAutoSchedRecord::HeaderLength);
}

struct TextCase {
    const char *name;
    const char *text;
    bool unreadable;
    bool propertyError;
};

class RecordText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RecordText, GoesBackAsItCameUntilAValueChanges)
{
    const TextCase &c = GetParam();
    bool propertyError = false;
    const CAutoSchedRecord record(nullptr, QString::fromUtf8(c.text), &propertyError);
    EXPECT_EQ(record.IsUnreadable(), c.unreadable);
    EXPECT_EQ(propertyError, c.propertyError);
    EXPECT_EQ(record.ToString(), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    AutoSchedRecord, RecordText,
    ::testing::Values(
        TextCase{"Plain", "1FFC0401000E000050E81F6B Num_RNA 4 DND 0 Current_Greeting 1", false, false},
        TextCase{"OddBlanksAndOrder", "1FFC0401000E000050E81F6B  DND 1   Num_RNA 4", false, false},
        TextCase{"QuotedExtension", "1FFC0401000E000050E81F6B &Ext \"2001\"", false, false},
        TextCase{"UnknownPairs", "1FFC0401000E000050E81F6B Busy_Greeting {2 b} Num_RNA 4", false, false},
        TextCase{"LowerCaseHeader", "1ffc0401000e000050e81f6b Num_RNA 4", true, false},
        TextCase{"ShortHeader", "1FFC04 Num_RNA 4", true, false},
        TextCase{"NoHeaderAtAll", "lunch", true, false},
        TextCase{"OddPairs", "1FFC0401000E000050E81F6B Num_RNA 4 x", true, true},
        TextCase{"UnbalancedPairs", "1FFC0401000E000050E81F6B Current_Greeting {a", true, true}),
    [](const ::testing::TestParamInfo<TextCase> &info) { return std::string(info.param.name); });

struct WriteCase {
    const char *name;
    void (*change)(CAutoSchedRecord &);
    const char *expected;
};

class RecordWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(RecordWrite, WritesTheChangedRecord)
{
    CAutoSchedRecord record(nullptr, "1FFC0401000E000050E81F6B  Busy_Greeting 2  Num_RNA 4");
    GetParam().change(record);
    EXPECT_EQ(record.ToString(), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    AutoSchedRecord, RecordWrite,
    ::testing::Values(
        WriteCase{"Rings", [](CAutoSchedRecord &r) { r.SetRings("5"); },
                  "1FFC0401000E000050E81F6B Num_RNA 5 Busy_Greeting 2"},
        WriteCase{"TwoWeeks", [](CAutoSchedRecord &r) { r.SetRepetition("Weeks", 2); },
                  "1FFC0802000E000050E81F6B Num_RNA 4 Busy_Greeting 2"},
        WriteCase{"UnknownUnit", [](CAutoSchedRecord &r) { r.SetRepetition("Fortnights", 3); },
                  "1FFC0003000E000050E81F6B Num_RNA 4 Busy_Greeting 2"},
        WriteCase{"DndOnAndScreeningOff",
                  [](CAutoSchedRecord &r) {
                      r.SetDnd(CAutoSchedRecord::On);
                      r.SetCallScreening(CAutoSchedRecord::Off);
                  },
                  "1FFC0401000E000050E81F6B Num_RNA 4 DND 1 Call_Screening_Flag 0 Busy_Greeting 2"},
        WriteCase{"GreetingWithABlank", [](CAutoSchedRecord &r) { r.SetGreeting("Good morning"); },
                  "1FFC0401000E000050E81F6B Num_RNA 4 Current_Greeting {Good morning} Busy_Greeting 2"},
        WriteCase{"MenuWithABrace", [](CAutoSchedRecord &r) { r.SetVoiceMenu("a{b"); },
                  "1FFC0401000E000050E81F6B Num_RNA 4 Current_Menu a\\{b Busy_Greeting 2"},
        WriteCase{"ExtensionUpToItsQuote", [](CAutoSchedRecord &r) { r.SetExtension("12\"34"); },
                  "1FFC0401000E000050E81F6B Num_RNA 4 &Ext \"12\" Busy_Greeting 2"},
        WriteCase{"ExtensionWithABackslash", [](CAutoSchedRecord &r) { r.SetExtension("10\\5"); },
                  "1FFC0401000E000050E81F6B Num_RNA 4 &Ext {10\\5} Busy_Greeting 2"},
        WriteCase{"DaysKeepTheHighBit",
                  [](CAutoSchedRecord &r) {
                      r.SetHeaderText("9F8000000000000000000000");
                      r.SetDays(0x41);
                  },
                  "C18000000000000000000000 Num_RNA 4 Busy_Greeting 2"},
        WriteCase{"HolidaysInactiveThenIgnored",
                  [](CAutoSchedRecord &r) {
                      r.SetHolidays(CAutoSchedRecord::HolidaysInactive);
                      r.SetEnabled(false);
                  },
                  "1F7E0401000E000050E81F6B Num_RNA 4 Busy_Greeting 2"},
        // Both holiday bits read as active: the page writes active back with
        // any other edit, which keeps the header as it came.
        WriteCase{"BothHolidayBitsStayWhileActive",
                  [](CAutoSchedRecord &r) {
                      r.SetHeaderText("1FFF0401000E000050E81F6B");
                      r.SetHolidays(CAutoSchedRecord::HolidaysActive);
                      r.SetRings("5");
                  },
                  "1FFF0401000E000050E81F6B Num_RNA 5 Busy_Greeting 2"},
        WriteCase{"BothHolidayBitsGiveWayToInactive",
                  [](CAutoSchedRecord &r) {
                      r.SetHeaderText("1FFF0401000E000050E81F6B");
                      r.SetHolidays(CAutoSchedRecord::HolidaysInactive);
                  },
                  "1FFE0401000E000050E81F6B Num_RNA 4 Busy_Greeting 2"}),
    [](const ::testing::TestParamInfo<WriteCase> &info) { return std::string(info.param.name); });

// An extension the server sent with a double quote in it is no typed one:
// a change of another value writes the record anew, and the extension goes
// back whole.
TEST(AutoSchedRecord, AReceivedExtensionWithAQuoteStaysWholeWhenAnotherValueChanges)
{
    for (const QString extension : {QStringLiteral("12\"34"), QStringLiteral("2001\""), QStringLiteral("\"")}) {
        SCOPED_TRACE(extension.toStdString());
        const QString text = "1FFC0401000E000050E81F6B Num_RNA 4 &Ext " + TclBareWord(extension);
        CAutoSchedRecord record(nullptr, text);
        ASSERT_EQ(record.Extension(), extension);
        record.SetRings("5");
        const CAutoSchedRecord again(nullptr, record.ToString());
        EXPECT_EQ(again.Extension(), extension);
        EXPECT_EQ(again.Rings(), "5");
        EXPECT_FALSE(again.IsUnreadable());
    }
}

TEST(AutoSchedRecord, TheNextChangeIsDatedByTheServer)
{
    ScriptedChannel channel;
    channel.queue("1781850240");
    channel.queue("06/19/26 02:24");
    const CAutoSchedRecord record(&channel, "7F8000050000000080E0346A");
    QString date;
    QString time;
    record.GetNextChangeDateTime(date, time);
    EXPECT_EQ(date, "06/19/26");
    EXPECT_EQ(time, "02:24");
    EXPECT_EQ(channel.sent(), (QStringList{"ValidateASR 7F8000050000000080E0346A",
                                           "clock format 1781850240 -format {%D %R}"}));
}

TEST(AutoSchedRecord, AFourDigitYearStaysWhole)
{
    ScriptedChannel channel;
    channel.queue("1781850240");
    channel.queue("06/19/2026 02:24");
    const CAutoSchedRecord record(&channel, "7F8000050000000080E0346A");
    QString date;
    QString time;
    record.GetNextChangeDateTime(date, time);
    EXPECT_EQ(date, "06/19/2026");
    EXPECT_EQ(time, "02:24");
}

TEST(AutoSchedRecord, NoNextChangeIsNotAvailable)
{
    const struct {
        const char *text;
        QStringList replies;
        int commands;
    } cases[] = {
        {"7F0000050000000080E0346A", {}, 0},                                // disabled
        {"7f8000050000000080e0346a", {}, 0},                                // unreadable header
        {"7F8000050000000080E0346A", {"!ERROR no schedule"}, 1},            // refused
        {"7F8000050000000080E0346A", {"soon"}, 1},                          // not a time
        {"7F8000050000000080E0346A", {"1781850240", "!ERROR no clock"}, 2}, // the clock refused
    };
    for (const auto &c : cases) {
        ScriptedChannel channel;
        for (const QString &reply : c.replies)
            channel.queue(reply);
        const CAutoSchedRecord record(&channel, QString::fromLatin1(c.text));
        QString date;
        QString time;
        record.GetNextChangeDateTime(date, time);
        EXPECT_EQ(date, "N/A") << c.text;
        EXPECT_EQ(time, "N/A") << c.text;
        EXPECT_EQ(channel.sent().size(), c.commands) << c.text;
    }
    EXPECT_EQ(CAutoSchedRecord(nullptr, "7F8000050000000080E0346A").GetNextChangeText(), "N/A");
}

TEST(AutoSchedRecord, UnitsByNameAndCode)
{
    EXPECT_EQ(CAutoSchedRecord::UnitCode("Weeks"), 8);
    EXPECT_EQ(CAutoSchedRecord::UnitCode("Years"), 32);
    EXPECT_EQ(CAutoSchedRecord::UnitCode("weeks"), 0);
    EXPECT_EQ(CAutoSchedRecord::UnitName(16), "Mons");
    EXPECT_EQ(CAutoSchedRecord::UnitName(3), "None");
    EXPECT_EQ(CAutoSchedRecord::TriText(0), "OFF");
    EXPECT_EQ(CAutoSchedRecord::TriText(1), "ON");
    EXPECT_EQ(CAutoSchedRecord::TriText(2), "---");
}
