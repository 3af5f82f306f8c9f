// The member check of a distribution list against the simulator, which
// answers the span limit: what it accepts, each refusal's one message, and
// the question about a wide range.
#include "admin/testsupport/uatoolstestbase.h"

#include "admin/uatools/distlist/distmembercheck.h"

namespace {

struct MemberCase {
    const char *text;
    bool accepted;
    const char *message; // the one box shown, or null for none
    int answer = IDOK;   // the answer to that box
};

const MemberCase kCases[] = {
    {"100,101", true, nullptr},
    {"", true, nullptr},
    {"1-100", true, nullptr},
    {"300", false, "Destination List should not include itself as a member"},
    {"100 300 12a", false, "Destination List should not include itself as a member"},
    {"250-349", false,
     "Destination List should not include itself as a member.\n300 is included in range entry 250-349."},
    {"5 3-7", false, "Entries 5 and 3-7 contain duplicates."},
    {"100,100", false, "Entries 100 and 100 contain duplicates."},
    {"10-5", false, "Please use ranges that go from smaller to larger."},
    {"1-2-3", false, "Ranges (with '-') can only be used in pairs."},
    {"12a", false, "Only use numbers, commas, and '-' for ranges in the range box."},
    {"1-101", false,
     "Range entry 1-101 spans more than 100 destinations.\nProcessing large destination lists can affect "
     "system "
     "performance.\nIs this entry correct?",
     IDNO},
    {"1-101", true,
     "Range entry 1-101 spans more than 100 destinations.\nProcessing large destination lists can affect "
     "system "
     "performance.\nIs this entry correct?",
     IDYES},
};

class DistMemberCheck : public UAToolsTestBase, public testing::WithParamInterface<MemberCase> {};

TEST_P(DistMemberCheck, AcceptsOrRefusesWithOneMessage)
{
    const MemberCase &c = GetParam();
    if (c.message)
        m_boxes->answer(c.answer);
    CDistMemberCheck check(*m_session);
    EXPECT_EQ(check.Check(QString::fromUtf8(c.text), 300), c.accepted);
    const QStringList shown = m_boxes->texts();
    if (c.message)
        EXPECT_EQ(shown, QStringList{QString::fromUtf8(c.message)});
    else
        EXPECT_TRUE(shown.isEmpty()) << shown.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Members, DistMemberCheck, testing::ValuesIn(kCases));

TEST_F(UAToolsTestBase, ASpanLimitOfFiveOrLessIsAHundred)
{
    CDistMemberCheck check(*m_session);
    EXPECT_EQ(check.SpanLimit(), 100) << "unset";
    m_simulator->seed(QStringLiteral("var sys_dl_long 3"));
    connectSession();
    CDistMemberCheck low(*m_session);
    EXPECT_EQ(low.SpanLimit(), 100);
    m_simulator->seed(QStringLiteral("var sys_dl_long 500"));
    connectSession();
    CDistMemberCheck high(*m_session);
    EXPECT_EQ(high.SpanLimit(), 500);
}

} // namespace
