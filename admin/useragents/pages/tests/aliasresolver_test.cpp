// The application list's aliases: the batch script keeps every name data,
// refusals caught in the script are no aliases, and the order offers an
// alias after what it leads to, leaving out circles, self-references and
// unknown targets, with one rule for letter case.
#include "admin/useragents/pages/aliasresolver.h"

#include "admin/session/tcllist.h"

#include <tcl.h>

#include <gtest/gtest.h>

namespace {

using Alias = CAliasResolver::Alias;

const QStringList kApps{"Voicemail", "AutoAttendant", "Directory"};

TEST(AliasResolver, PlainNamesGoAsTheServerHasAlwaysReadThem)
{
    EXPECT_EQ(CAliasResolver::BatchScript({"Operator", "NightPager"}),
              "set _plist {{GetAlias Operator\r\n} {GetAlias NightPager\r\n}}\r\nset _vlist \"\"\r\n"
              "foreach i $_plist {\r\ncatch $i _tempv\r\nlappend _vlist $_tempv\r\n}\r\nset _vlist\r\n");
}

TEST(AliasResolver, ANameIsNeverEvaluated)
{
    // The script's items, as the server's foreach reads them, each run as a
    // command by a Tcl interpreter whose GetAlias records its argument.
    const QStringList names{"Odd[exit]", "a b", "x{y", "$env", "back\\slash", "semi;colon"};
    Tcl_Interp *interp = Tcl_CreateInterp();
    ASSERT_EQ(Tcl_Eval(interp, "proc GetAlias {name} {lappend ::seen $name; return [list GetAlias $name T {}]}\n"
                               "proc exit {args} {set ::evaluated 1}"),
              TCL_OK);
    const QByteArray script = CAliasResolver::BatchScript(names).toUtf8();
    ASSERT_EQ(Tcl_Eval(interp, script.constData()), TCL_OK) << Tcl_GetStringResult(interp);
    ASSERT_EQ(Tcl_Eval(interp, "info exists ::evaluated"), TCL_OK);
    EXPECT_STREQ(Tcl_GetStringResult(interp), "0");
    ASSERT_EQ(Tcl_Eval(interp, "set ::seen"), TCL_OK);
    QStringList seen;
    CTclList().SplitList(QString::fromUtf8(Tcl_GetStringResult(interp)), seen);
    EXPECT_EQ(seen, names);
    Tcl_DeleteInterp(interp);
}

TEST(AliasResolver, KeepsOnlyAliasRecords)
{
    const QList<Alias> aliases = CAliasResolver::ParseBatchReply(
        "{GetAlias Operator Transfer 0} {GetAlias !ERROR {no alias \"Gone\"}} {GetAlias Beeper Pager {}} "
        "{something else} {GetAlias short}");
    ASSERT_EQ(aliases.size(), 2);
    EXPECT_EQ(aliases[0].name, "Operator");
    EXPECT_EQ(aliases[0].target, "Transfer");
    EXPECT_EQ(aliases[1].name, "Beeper");
    EXPECT_TRUE(CAliasResolver::ParseBatchReply("!ERROR {no such command}").isEmpty());
}

struct OrderCase {
    const char *name;
    QList<Alias> aliases;
    QStringList offered;
};

class AliasOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(AliasOrder, OffersWhatResolves)
{
    EXPECT_EQ(CAliasResolver::Resolve(kApps, GetParam().aliases), GetParam().offered);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AliasOrder,
    testing::Values(
        OrderCase{"DirectInServerOrder", {{"B", "Directory"}, {"A", "Voicemail"}}, {"B", "A"}},
        OrderCase{"ChainAfterItsTarget", {{"Second", "First"}, {"First", "Voicemail"}}, {"First", "Second"}},
        OrderCase{"LongChain", {{"C", "B"}, {"B", "A"}, {"A", "Directory"}}, {"A", "B", "C"}},
        OrderCase{"Circle", {{"LoopA", "LoopB"}, {"LoopB", "LoopA"}}, {}},
        OrderCase{"Itself", {{"Mirror", "Mirror"}}, {}},
        OrderCase{"UnknownTarget", {{"Ghost", "NoSuchApp"}, {"Child", "Ghost"}}, {}},
        OrderCase{"CaseOfTarget", {{"Mail", "voicemail"}, {"Sub", "mail"}}, {"Mail", "Sub"}},
        OrderCase{"NameTwiceOrLikeAnApp", {{"Op", "Directory"}, {"OP", "Voicemail"}, {"directory", "Voicemail"}},
                  {"Op"}},
        OrderCase{"CircleBesideAChain", {{"X", "Y"}, {"Y", "X"}, {"Z", "Voicemail"}}, {"Z"}}),
    [](const testing::TestParamInfo<OrderCase> &info) { return info.param.name; });

} // namespace
