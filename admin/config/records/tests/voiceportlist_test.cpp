// The voice ports as both voice-port pages hold them: one record a port from
// the depot's lines, written back over the same lines, and the answer
// methods the ports name renamed, cleared or dropped together.
#include "admin/config/records/voiceportlist.h"

#include <gtest/gtest.h>

namespace {

CVoicePortList portsOf(const QStringList &lines, int count)
{
    CVoicePortList ports;
    ports.Load(lines, count);
    return ports;
}

TEST(VoicePortList, MakesOneRecordAPortLabelledWithItsNumber)
{
    const CVoicePortList ports = portsOf({"101 Day", "{} Night 3 4"}, 3);
    ASSERT_EQ(ports.Count(), 3);
    EXPECT_EQ(ports.Record(1).label, "1");
    EXPECT_EQ(ports.Record(1).extension, "101");
    EXPECT_EQ(ports.Record(2).answerMethod, "Night");
    EXPECT_EQ(ports.Record(2).rest, QStringList({"3", "4"}));
    EXPECT_EQ(ports.Record(3).label, "3") << "a port without a line is empty";
    EXPECT_EQ(ports.Record(3).extension, "");
}

TEST(VoicePortList, WritesEveryPortOverItsLineAndAddsNone)
{
    CVoicePortList ports = portsOf({"101 Day", "{} Night 3 4"}, 3);
    ports.Record(1).extension = "2001";
    ports.Record(3).extension = "2003";
    QStringList lines = {"101 Day", "{} Night 3 4"};
    ports.Store(lines);
    EXPECT_EQ(lines, QStringList({"2001 Day", "{} Night 3 4"}));
}

TEST(VoicePortList, GivesEveryPortOfAMethodItsNewNameAndTellsWhetherOneHadIt)
{
    const struct {
        const char *oldName;
        const char *newName;
        bool replaced;
        QStringList methods;
    } cases[] = {
        {"Day", "Morning", true, {"Morning", "Night", "Morning"}},
        {"Day", "", true, {"", "Night", ""}},
        {"day", "Morning", false, {"Day", "Night", "Day"}},
        {"Fax", "Morning", false, {"Day", "Night", "Day"}},
    };
    for (const auto &c : cases) {
        CVoicePortList ports = portsOf({"101 Day", "102 Night", "103 Day"}, 3);
        EXPECT_EQ(ports.ReplaceAnswerMethod(c.oldName, c.newName), c.replaced) << c.oldName;
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(ports.Record(n).answerMethod, c.methods[n - 1]) << c.oldName << " port " << n;
    }
}

TEST(VoicePortList, KnowsWhetherAPortUsesAMethodByItsExactName)
{
    const CVoicePortList ports = portsOf({"101 Day", "102 {}"}, 2);
    EXPECT_TRUE(ports.IsAnswerMethodUsed("Day"));
    EXPECT_FALSE(ports.IsAnswerMethodUsed("day"));
    EXPECT_FALSE(ports.IsAnswerMethodUsed("Night"));
}

TEST(VoicePortList, DropsOnlyTheMethodsThatNoLongerExist)
{
    CVoicePortList ports = portsOf({"101 Day", "102 Night", "103 {}", "104 Ghost"}, 4);
    ports.DropAnswerMethods({"Day", "Weekend"});
    EXPECT_EQ(ports.Record(1).answerMethod, "");
    EXPECT_EQ(ports.Record(1).extension, "101");
    EXPECT_EQ(ports.Record(2).answerMethod, "Night");
    EXPECT_EQ(ports.Record(3).answerMethod, "");
    EXPECT_EQ(ports.Record(4).answerMethod, "Ghost") << "a method the list never had stays";
}

TEST(VoicePortList, AnUnchangedPortGoesBackAsTheServerSpelledItsLine)
{
    const struct {
        const char *line;
        const char *extension; // typed, or null when the port is left alone
        const char *written;
    } cases[] = {
        {"2001  Night", nullptr, "2001  Night"},
        {"{2003} Weekend", nullptr, "{2003} Weekend"},
        {"2002 Ghost", nullptr, "2002 Ghost"},
        {" {}   {} ", nullptr, " {}   {} "},
        {"2001  Night", "2901", "2901 Night"},
        {"{2003} Weekend {a b}  4", "2903", "2903 Weekend {a b} 4"},
        {"2003 Weekend", "2003", "2003 Weekend"},
    };
    for (const auto &c : cases) {
        CVoicePortList ports = portsOf({c.line}, 1);
        if (c.extension)
            ports.Record(1).extension = c.extension;
        QStringList lines = {c.line};
        ports.Store(lines);
        EXPECT_EQ(lines[0], c.written) << c.line;
    }
}

TEST(VoicePortList, APortMadeWithoutALineIsWrittenInFull)
{
    VoicePortRecord record;
    EXPECT_EQ(CVoicePortList::FormatLine(record), "{} {}");
    record.answerMethod = "Night";
    EXPECT_EQ(CVoicePortList::FormatLine(record), "{} Night");
}

} // namespace
