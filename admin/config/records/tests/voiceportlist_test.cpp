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
    CVoicePortList ports = portsOf({"101 Day", "102 Night", "103 {}"}, 3);
    ports.DropAnswerMethodsOtherThan({"Night", "Fax"});
    EXPECT_EQ(ports.Record(1).answerMethod, "");
    EXPECT_EQ(ports.Record(1).extension, "101");
    EXPECT_EQ(ports.Record(2).answerMethod, "Night");
    EXPECT_EQ(ports.Record(3).answerMethod, "");
}

} // namespace
