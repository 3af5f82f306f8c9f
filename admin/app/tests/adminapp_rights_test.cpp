// The login batch's answer as the application reads it, and what the rights
// word then allows: menus, the first window, the wizard offer and the
// allowed user agents.
#include "admin/app/adminapp.h"
#include "admin/session/tclword.h"

#include <gtest/gtest.h>

namespace {

// The batch's answer: each result as one element of a Tcl list.
QString Reply(const QStringList &results)
{
    QStringList words;
    for (const QString &result : results)
        words.append(TclWord(result));
    return words.join(u' ');
}

QStringList FullResults(const QString &rights, const QString &ranges = QString())
{
    QString user = QStringLiteral("GetRemoteUser joe ") + rights;
    if (!ranges.isNull())
        user += u' ' + TclWord(ranges) + QStringLiteral(" {}");
    QStringList results{user};
    for (const char *root : {"IVR", "MB", "DL", "AMIS_GATEWAY", "AMIS_PROXY", "DS_VOICE", "DS_FAX"})
        results.append(QStringLiteral("GetUA {1 -1 1 -1 0} {COS} COS ") + QLatin1String(root));
    results << QStringLiteral("22") << QStringLiteral("58") << QStringLiteral("22 23")
            << QStringLiteral("Pager Phone") << QStringLiteral("Email") << QStringLiteral("22")
            << QStringLiteral("{Loop Start}") << QStringLiteral("Voicemail");
    results.append(QStringLiteral("GetUA {1 -1 1 -1 0} {COS} COS VPIM_GATEWAY"));
    results.append(QStringLiteral("GetUA {1 -1 1 -1 0} {COS} COS VPIM_PROXY"));
    return results;
}

struct RightsCase {
    const char *name;
    const char *rightsText;
    uint32_t rights;
    int menu;
    bool allowsAll;
    bool mayRunWizard;
};

void PrintTo(const RightsCase &c, std::ostream *out)
{
    *out << c.name;
}

class RightsWord : public testing::TestWithParam<RightsCase> {};

TEST_P(RightsWord, ChoosesMenuFirstWindowAndWizard)
{
    const RightsCase &c = GetParam();
    CAdminApp app;
    ASSERT_TRUE(
        app.ReadLoginBatchReply(Reply(FullResults(QString::fromUtf8(c.rightsText), QStringLiteral("100")))));
    EXPECT_EQ(app.Rights(), c.rights);
    EXPECT_EQ(app.MainMenuId(), c.menu);
    EXPECT_EQ(app.AllowsAllUserAgents(), c.allowsAll);
    EXPECT_EQ(app.IsUserAgentAllowed(555), c.allowsAll);
    EXPECT_TRUE(app.IsUserAgentAllowed(100));
    EXPECT_EQ(app.MayRunConfigurationWizard(), c.mayRunWizard);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RightsWord,
    testing::Values(RightsCase{"TopLevelAboveSignedRange", "2164260863", 0x80FFFFFFu, 120, true, true},
                    RightsCase{"TopLevelWrittenNegative", "-2130706433", 0x80FFFFFFu, 120, true, true},
                    RightsCase{"Level40", "1073741824", 0x40000000u, 236, true, true},
                    RightsCase{"Level20Exactly", "536870912", 0x20000000u, 236, true, false},
                    RightsCase{"Level20WithConfiguration", "536870913", 0x20000001u, 236, true, true},
                    RightsCase{"Level10WithConfiguration", "268435457", 0x10000001u, 216, false, false},
                    RightsCase{"Level10Reports", "268435504", 0x10000030u, 216, false, false},
                    RightsCase{"NoRights", "0", 0u, 216, false, false}),
    [](const testing::TestParamInfo<RightsCase> &info) { return std::string(info.param.name); });

TEST(LoginBatchReply, ReadsRootsListsAndTexts)
{
    CAdminApp app;
    ASSERT_TRUE(
        app.ReadLoginBatchReply(Reply(FullResults(QStringLiteral("1073741824"), QStringLiteral("All")))));
    EXPECT_EQ(app.RootText(CAdminApp::RootIvr), QStringLiteral("IVR"));
    EXPECT_EQ(app.RootText(CAdminApp::RootDirectSendFax), QStringLiteral("DS_FAX"));
    EXPECT_EQ(app.RootText(CAdminApp::RootVpimGateway), QStringLiteral("VPIM_GATEWAY"));
    EXPECT_EQ(app.MsgCopyNormal(), QStringLiteral("22"));
    EXPECT_EQ(app.AimNormal(), QStringLiteral("22"));
    EXPECT_EQ(app.EventVariable(QStringLiteral("EmrId_MsgCopy_Urgent")), QStringLiteral("58"));
    EXPECT_EQ(app.EventVariable(QStringLiteral("EmrId_AIM_Normal")), QStringLiteral("22"));
    EXPECT_TRUE(app.EventVariable(QStringLiteral("EmrId_Unknown")).isEmpty());
    EXPECT_EQ(app.NotificationApps(), (QStringList{QStringLiteral("Pager"), QStringLiteral("Phone")}));
    EXPECT_EQ(app.T1Protocols(), QStringList{QStringLiteral("Loop Start")});
}

TEST(LoginBatchReply, AGetRemoteUserOfTwoElementsAllowsNoUserAgent)
{
    CAdminApp app;
    ASSERT_TRUE(app.ReadLoginBatchReply(Reply(FullResults(QStringLiteral("268435456")))));
    EXPECT_FALSE(app.IsUserAgentAllowed(100));
    EXPECT_TRUE(app.AllowedUserAgentsText().isEmpty());
}

TEST(LoginBatchReply, AShortAnswerKeepsTheStepsPresent)
{
    CAdminApp app;
    ASSERT_TRUE(app.ReadLoginBatchReply(Reply(FullResults(QStringLiteral("1073741824")))));
    QStringList results = FullResults(QStringLiteral("2164260863"));
    results[2] = QStringLiteral("GetUA {1 -1 1 -1 0} {COS} COS MB2");
    results = results.mid(0, 3);
    ASSERT_TRUE(app.ReadLoginBatchReply(Reply(results)));
    EXPECT_EQ(app.Rights(), 0x80FFFFFFu);
    EXPECT_EQ(app.RootText(CAdminApp::RootMailbox), QStringLiteral("MB2"));
    EXPECT_EQ(app.UserApps(), QStringList{QStringLiteral("Voicemail")}); // from the first answer
}

TEST(LoginBatchReply, NamesNotificationEventsByCodeOrFromTheirOwnName)
{
    CAdminApp app;
    QStringList results = FullResults(QStringLiteral("1073741824"));
    results[10] = QStringLiteral("{22} {99 Other} {150} {1 2 3} {abc}");
    ASSERT_TRUE(app.ReadLoginBatchReply(Reply(results)));
    EXPECT_EQ(app.NotificationEvents(), (QList<CNotificationEvent>{{22, QStringLiteral("Normal Message")},
                                                                   {99, QStringLiteral("Other")},
                                                                   {150, QStringLiteral("Event_150")},
                                                                   {},
                                                                   {}}));
}

TEST(LoginBatchReply, SortsTheApplicationListsWithEmptyNamesLast)
{
    CAdminApp app;
    QStringList results = FullResults(QStringLiteral("1073741824"));
    results[15] = QStringLiteral("b {} a B");
    ASSERT_TRUE(app.ReadLoginBatchReply(Reply(results)));
    EXPECT_EQ(app.UserApps(),
              (QStringList{QStringLiteral("B"), QStringLiteral("a"), QStringLiteral("b"), QString()}));
}

TEST(LoginBatchReply, RefusesAnswersThatAreMissingOrErrors)
{
    struct Case {
        int step;
        const char *result;
    };
    for (const Case &c :
         {Case{0, "GetRemoteUser !ERROR {no administrator account}"}, Case{0, "something else"},
          Case{0, "GetRemoteUser joe lots"}, Case{1, "GetUA !ERROR {no such box}"}, Case{7, "Nothing"},
          Case{15, "can't read \"User_Apps\": no such variable"}}) {
        CAdminApp app;
        QStringList results = FullResults(QStringLiteral("1073741824"));
        results[c.step] = QString::fromUtf8(c.result);
        EXPECT_FALSE(app.ReadLoginBatchReply(Reply(results))) << c.step << " " << c.result;
    }
    CAdminApp app;
    EXPECT_FALSE(app.ReadLoginBatchReply(QStringLiteral("!ERROR {batch}")));
}

TEST(LoginBatchReply, AReplyThatIsNoListOrIsEmptyIsRefused)
{
    for (const char *reply : {"", " \r\n", "{abc", "a {b", "\"open"}) {
        CAdminApp app;
        EXPECT_FALSE(app.ReadLoginBatchReply(QString::fromUtf8(reply))) << '"' << reply << '"';
    }
}

TEST(LoginBatchReply, AMissingVpimRootOnlyLeavesThatRootEmpty)
{
    CAdminApp app;
    QStringList results = FullResults(QStringLiteral("1073741824"));
    results[16] = QStringLiteral("GetUA !ERROR {no such box}");
    ASSERT_TRUE(app.ReadLoginBatchReply(Reply(results)));
    EXPECT_TRUE(app.RootText(CAdminApp::RootVpimGateway).isEmpty());
    EXPECT_EQ(app.RootText(CAdminApp::RootVpimProxy), QStringLiteral("VPIM_PROXY"));
}

TEST(AllowedUserAgents, AWideRangeCostsNothingAndChecksAList)
{
    CAdminApp app;
    ASSERT_TRUE(app.ReadLoginBatchReply(
        Reply(FullResults(QStringLiteral("268435456"), QStringLiteral("1-2000000000 7")))));
    EXPECT_EQ(app.AllowedUserAgentsText(), QStringLiteral("1-2000000000 "));
    EXPECT_TRUE(app.IsUserAgentAllowed(2000000000));
    EXPECT_FALSE(app.IsUserAgentAllowed(2000000001));
    EXPECT_FALSE(app.IsUserAgentAllowed(-1));

    CRangeList out;
    EXPECT_TRUE(app.CheckUserAgentList(QStringLiteral("5 10-20"), out));
    EXPECT_EQ(out.Count(), 12u);
    out.Clear();
    EXPECT_FALSE(app.CheckUserAgentList(QStringLiteral("0-3"), out));
    EXPECT_EQ(out.Intervals(), (QList<CRangeList::Interval>{{1, 3}}));
    out.Clear();
    EXPECT_FALSE(app.CheckUserAgentList(QStringLiteral("12a"), out));
    EXPECT_TRUE(out.IsEmpty());

    CRangeList copy;
    app.GetAllowedUserAgents(copy);
    EXPECT_EQ(copy.Count(), 2000000000u);
}

TEST(AllowedUserAgents, AnUnrestrictedAdministratorMayTouchAnyListedNumber)
{
    CAdminApp app;
    ASSERT_TRUE(app.ReadLoginBatchReply(Reply(FullResults(QStringLiteral("536870912")))));
    CRangeList out;
    EXPECT_TRUE(app.CheckUserAgentList(QStringLiteral("1-3 99"), out));
    EXPECT_EQ(out.Count(), 4u);
}

} // namespace
