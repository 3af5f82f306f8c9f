// The uploaded procedure text, evaluated in a real Tcl interpreter beside
// logging stand-ins of the server's commands: which server calls each
// procedure makes, in which order, and what it answers, also when any one of
// those calls fails.
#include "admin/res/tclcommands.h"

#include <gtest/gtest.h>
#include <tcl.h>

#include <QByteArray>
#include <QList>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Stand-ins of the server's commands. Each logs its call; the call numbered
// ::failAt raises an error instead of answering. tTrace logs apart, so the
// sequences below hold the server calls only.
constexpr const char *kStandIns = R"TCL(
set ::log {}
set ::traces {}
set ::calls 0
set ::failAt 0
set ::sessionProperty ""
proc standIn {name body} {
    proc $name args [string map [list @NAME@ $name @BODY@ $body] {
        lappend ::log [list @NAME@ {*}$args]
        if {[incr ::calls] == $::failAt} {error "injected failure in @NAME@"}
        @BODY@
    }]
}
# user agent number -> class of service; 999 cannot be read.
array set ::cos {20 7 100 7 997 7 101 5 102 5 103 6 999 5}
standIn GetUAList {return [concat GetUAList [lsort -integer [array names ::cos]]]}
standIn GetUAList4Property {return [list GetUAList4Property 103 101]}
standIn GetUA {
    lassign $args id
    if {$id == 999} {error "no such user agent 999"}
    return [list GetUA [list $id $::cos($id) 1 $id 0] {} COS $::cos($id) Props [lrange $args 1 end]]
}
standIn SessionSetProperty {set ::sessionProperty [lindex $args 2]; return SessionSetProperty}
standIn Tcl_MailboxStatistics {return [list Tcl_MailboxStatistics $::sessionProperty {*}$args]}
standIn Tcl_MailboxInfoReport {return [list Tcl_MailboxInfoReport {*}$args]}
standIn Tcl_MailboxMessageStatReport {return [list Tcl_MailboxMessageStatReport {*}$args]}
standIn Tcl_MailboxReport {return [list Tcl_MailboxReport {*}$args]}
standIn CreateUA {return [list CreateUA [lindex $args 0]]}
standIn CopyUA {return [list CopyUA [lindex $args 1]]}
standIn UpdateUA {return [list UpdateUA [lindex $args 0]]}
standIn SetUAScenario {return [list SetUAScenario [lindex $args 2]]}
standIn SetUASAC {return [list SetUASAC ok]}
standIn CreateScenario {return [list CreateScenario 77]}
standIn GetEventMaps4Event {return [list GetEventMaps4Event "[lindex $args 1]1" "[lindex $args 1]2"]}
standIn GetEventMap {return [list GetEventMap map [lindex $args 0]]}
standIn GetEventMaps4Scenario {return [list GetEventMaps4Scenario s[lindex $args 0]]}
standIn ListRemoteUsers {return $::remoteUsers}
standIn GetRemoteUser {return [list GetRemoteUser [lindex $args 0] 268435456 1-100]}
set ::remoteUsers {ListRemoteUsers}
proc tTrace {text} {lappend ::traces $text; return ""}
proc evil {} {set ::ran 1}
)TCL";

struct InterpDeleter {
    void operator()(Tcl_Interp *interp) const { Tcl_DeleteInterp(interp); }
};

class ProcedureText : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Tcl_Eval(m_interp.get(), kStandIns), TCL_OK) << Tcl_GetStringResult(m_interp.get());
        const QByteArray text = TclCommandsText();
        ASSERT_EQ(Tcl_EvalEx(m_interp.get(), text.constData(), text.size(), TCL_EVAL_GLOBAL), TCL_OK)
            << Tcl_GetStringResult(m_interp.get());
    }

    // Runs a script; the answer, or "<error: ...>" when it raised an error.
    std::string run(const std::string &script)
    {
        Tcl_Eval(m_interp.get(), "set ::log {}; set ::traces {}; set ::calls 0");
        const int code = Tcl_Eval(m_interp.get(), script.c_str());
        const std::string result = Tcl_GetStringResult(m_interp.get());
        return code == TCL_OK ? result : "<error: " + result + ">";
    }
    std::string var(const char *name) { return Tcl_GetVar(m_interp.get(), name, TCL_GLOBAL_ONLY); }
    void setVar(const char *name, const std::string &value)
    {
        Tcl_SetVar(m_interp.get(), name, value.c_str(), TCL_GLOBAL_ONLY);
    }
    // The logged server calls, one string each.
    std::vector<std::string> log()
    {
        std::vector<std::string> calls;
        Tcl_Obj *list = Tcl_GetVar2Ex(m_interp.get(), "log", nullptr, TCL_GLOBAL_ONLY);
        int count = 0;
        Tcl_Obj **items = nullptr;
        Tcl_ListObjGetElements(nullptr, list, &count, &items);
        for (int i = 0; i < count; ++i)
            calls.emplace_back(Tcl_GetString(items[i]));
        return calls;
    }

    std::unique_ptr<Tcl_Interp, InterpDeleter> m_interp{Tcl_CreateInterp()};
};

TEST_F(ProcedureText, TextIsAsciiWithCrLfLinesAndNoNul)
{
    const QByteArray text = TclCommandsText();
    EXPECT_FALSE(text.contains("\\\r\n")) << "a continuation line breaks under CR LF";
    EXPECT_FALSE(text.contains('\0'));
    for (char c : text)
        EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80);
    EXPECT_EQ(text.count('\n'), text.count("\r\n"));
}

TEST_F(ProcedureText, DefinesTheSeventeenProceduresAndRunsNothing)
{
    std::unique_ptr<Tcl_Interp, InterpDeleter> bare(Tcl_CreateInterp());
    Tcl_Eval(bare.get(), "set before [info procs]");
    const QByteArray text = TclCommandsText();
    ASSERT_EQ(Tcl_EvalEx(bare.get(), text.constData(), text.size(), TCL_EVAL_GLOBAL), TCL_OK);
    Tcl_Eval(bare.get(), "lsort [lmap p [info procs] {expr {$p in $before ? [continue] : $p}}]");
    EXPECT_STREQ(
        Tcl_GetStringResult(bare.get()),
        "AllUA CheckExistUA CreateUAFromAdmin GetCosAgents GetEventMaps4UA GetNotifications "
        "GetRemoteUsersList GetUANoASR MinCopyUA MinCreateUA MultipleUA ParmsForAnyUA ParmsForUAType "
        "Tcl_MailboxInfoReportNoASR Tcl_MailboxMessageStatReportNoASR Tcl_MailboxReportNoASR "
        "Tcl_MailboxStatisticsNoASR");
    EXPECT_EQ(text.count("\nproc "), 17);
}

TEST_F(ProcedureText, AllUAOrdersNumbersAsText)
{
    Tcl_Eval(m_interp.get(), "array unset ::cos; array set ::cos {20 7 100 7 997 7}");
    EXPECT_EQ(run("lmap r [lrange [AllUA] 1 end] {lindex $r 0 0}"), "100 20 997");
}

TEST_F(ProcedureText, MultipleUALeavesOutWhatCannotBeRead)
{
    EXPECT_EQ(run("set a [MultipleUA {101 999 102}]; list [lindex $a 0] [llength $a] [lindex $a 1 0 0] "
                  "[lindex $a 2 0 0]"),
              "MultipleUA 3 101 102");
}

TEST_F(ProcedureText, AsrWrapperRestoresThePropertyAndAnswersUnchanged)
{
    EXPECT_EQ(run("Tcl_MailboxStatisticsNoASR {101 102} 1 2 3"), "Tcl_MailboxStatistics YES {101 102} 1 2 3");
    EXPECT_EQ(var("sessionProperty"), "");
    EXPECT_EQ(log().front(), "SessionSetProperty 0 { ^^DISABLE_ASR^^} YES");
    EXPECT_EQ(log().back(), "SessionSetProperty 0 { ^^DISABLE_ASR^^} {}");
}

TEST_F(ProcedureText, AsrWrapperFailureRestoresThePropertyAndReachesTheCaller)
{
    EXPECT_EQ(run("GetUANoASR 999 {&Name1}"), "<error: no such user agent 999>");
    EXPECT_EQ(var("sessionProperty"), "");
    EXPECT_EQ(log().size(), 3u);
}

TEST_F(ProcedureText, CallerValuesAreNeverEvaluated)
{
    run("ParmsForUAType 5 {[evil] &Name1} {101}");
    run("GetCosAgents 5 {[evil]}");
    run("ParmsForAnyUA {$::calls[evil]} {101}");
    EXPECT_EQ(Tcl_GetVar(m_interp.get(), "ran", TCL_GLOBAL_ONLY), nullptr);
    EXPECT_EQ(log().back(), "SessionSetProperty 0 { ^^DISABLE_ASR^^} {}");
    EXPECT_EQ(log()[1], "GetUA 101 {$::calls[evil]}");
}

TEST_F(ProcedureText, ParmsForUATypeKeepsOnlyAgentsOfTheType)
{
    EXPECT_EQ(run("set a [ParmsForUAType 5 {&Name1 &Ext} {101 103 999 102}]; lmap r [lrange $a 1 end] "
                  "{list [lindex $r 0 0] [lindex $r end]}"),
              "{101 {&Name1 &Ext}} {102 {&Name1 &Ext}}");
    EXPECT_EQ(run("ParmsForUAType 5 x All; set ::log"),
              "{GetUAList4Property COS 5 notowned NOASR} {GetUA 101 COS} {GetUA 101 x} {GetUA 103 COS}");
}

struct ExistCase {
    const char *argument;
    const char *answer;
};

class CheckExistUATest : public ProcedureText, public testing::WithParamInterface<ExistCase> {};

TEST_P(CheckExistUATest, AnswersTheNumbersFound)
{
    EXPECT_EQ(run(std::string("CheckExistUA ") + GetParam().argument), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Lists, CheckExistUATest,
                         testing::Values(ExistCase{"{101 {100 103} 5}", "CheckExistUA {101 100 101 102 103}"},
                                         ExistCase{"{{5 3}}", "CheckExistUA {}"},
                                         ExistCase{"{{1 2000000000}}",
                                                   "CheckExistUA {20 100 101 102 103 997 999}"},
                                         ExistCase{"{GetUAList}", "CheckExistUA {}"},
                                         ExistCase{"{100 {} 101}", "CheckExistUA {-1 {Bad argument:} {}}"},
                                         ExistCase{"{{1 2 3}}", "CheckExistUA {-1 {Bad argument:} {1 2 3}}"},
                                         ExistCase{"{{a b}}", "<error: range ends are not numbers: a b>"}));

TEST_F(ProcedureText, MinCreateUAAnswersUnderItsNameWithTheNumberLast)
{
    EXPECT_EQ(run("MinCreateUA 101 1234 5 -1 67108864"), "MinCreateUA 101 101");
    EXPECT_EQ(run("set ::failAt 1; MinCreateUA 101 1234 5 -1 67108864"),
              "MinCreateUA !ERROR {injected failure in CreateUA} 101");
    EXPECT_EQ(log().size(), 1u);
    setVar("failAt", "0");
}

TEST_F(ProcedureText, MinCopyUAKeepsAnErrorMarkAtTheAnswersHead)
{
    Tcl_Eval(m_interp.get(), "standIn UpdateUA {return {!ERROR locked}}");
    EXPECT_EQ(run("MinCopyUA 997 101"), "MinCopyUA !ERROR locked 101");
    EXPECT_EQ(log().size(), 5u);
}

TEST_F(ProcedureText, GetNotificationsCollectsMapsOrAnswersItsNameAlone)
{
    EXPECT_EQ(run("GetNotifications 101 {}"), "GetNotifications");
    EXPECT_EQ(run("GetNotifications 101 {7 8}"), "GetNotifications {map 71} {map 72} {map 81} {map 82}");
    EXPECT_EQ(run("set ::failAt 2; GetNotifications 101 {7}"),
              "GetNotifications !ERROR {injected failure in GetEventMap}");
    setVar("failAt", "0");
}

TEST_F(ProcedureText, GetEventMaps4UAReadsTheScenarioFromTheHeader)
{
    EXPECT_EQ(run("GetEventMaps4UA 101"), "GetEventMaps4UA s101");
    EXPECT_EQ(log().front(), "GetUA 101 {}");
    EXPECT_EQ(run("GetEventMaps4UA 999"), "GetEventMaps4UA !ERROR {no such user agent 999}");
}

TEST_F(ProcedureText, GetRemoteUsersListWithoutAccountsAnswersItsNameAlone)
{
    EXPECT_EQ(run("GetRemoteUsersList"), "GetRemoteUsersList");
    setVar("remoteUsers", "ListRemoteUsers joe ann");
    EXPECT_EQ(run("GetRemoteUsersList"), "GetRemoteUsersList {joe 268435456 1-100} {ann 268435456 1-100}");
}

// The arguments of CreateUAFromAdmin after min, max and id, by case.
struct CreationCase {
    const char *name;
    const char *arguments; // root cos invisible scenario makeCos mode default sac sa ivr amisProxy rootExists
    std::vector<std::string> calls;
    const char *answer;
};

void PrintTo(const CreationCase &creation, std::ostream *out)
{
    *out << creation.name;
}

const char *const kSac = "SetUASAC 101 WITHFORCE 1234 DONOTSETCHANGED";
const char *const kMinCopy[] = {"CopyUA 997 101", "UpdateUA 101 WithForce &Ext 101",
                                "UpdateUA 101 WithForce &Comment {}", "UpdateUA 101 WithForce &Name1 {}",
                                "UpdateUA 101 WithForce &Name2 {}"};

const CreationCase kCreationCases[] = {
    {"MailboxWithCos",
     "997 5000 2147483647 -1 0 0 -1 1234 67108864 2147483645 2147483643 1",
     {"CreateUA 101 1234 5000 -1 67108864", "UpdateUA 101 WithForce &Ext 101", kSac},
     "CreateUAFromAdmin {MinCreateUA 101 101}"},
    {"MailboxWithoutCosCopiesTheModel",
     "997 2147483647 2147483647 -1 0 0 -1 1234 67108864 2147483645 2147483643 1",
     {kMinCopy[0], kMinCopy[1], kMinCopy[2], kMinCopy[3], kMinCopy[4], kSac},
     "CreateUAFromAdmin {MinCopyUA 101 101}"},
    {"MailboxWithoutModelIsCreatedBare",
     "997 2147483647 2147483647 -1 0 0 -1 1234 67108864 2147483645 2147483643 0",
     {"CreateUA 101 1234 2147483647 -1 67108864", kSac},
     "CreateUAFromAdmin {CreateUA 101}"},
    {"CosBox",
     "997 5000 2147483647 -1 1 0 -1 1234 67108864 2147483645 2147483643 1",
     {"CreateUA 101 1234 5000 -1 67108864", "UpdateUA 101 WithForce &Ext 101",
      "UpdateUA 101 WithForce COS MB", kSac},
     "CreateUAFromAdmin {MinCreateUA 101 101} {UpdateUA 101}"},
    {"IvrAgentGetsANewScenario",
     "2147483645 2147483645 2147483645 -1 0 0 -1 1234 67108864 2147483645 2147483643 1",
     {"CreateScenario -1 0 {IVR Scenario for 101}", "CreateUA 101 1234 2147483645 77 67108864",
      "SetUAScenario 101 WithForce 77", kSac},
     "CreateUAFromAdmin {CreateUA 101} {SetUAScenario 77}"},
    {"AmisProxyPointsAtItself",
     "2147483643 2147483643 2147483643 -1 0 0 -1 1234 67108864 2147483645 2147483643 1",
     {"CreateUA 101 1234 2147483643 -1 67108864", "UpdateUA 101 WithForce AmisProxyDestinationMailBox 101",
      kSac},
     "CreateUAFromAdmin {CreateUA 101} {UpdateUA 101}"},
    {"DistributionList",
     "2147483646 2147483646 2147483646 -1 0 0 -1 1234 67108864 2147483645 2147483643 1",
     {"CreateUA 101 1234 2147483646 -1 67108864", kSac},
     "CreateUAFromAdmin {CreateUA 101}"},
    {"CopyClearsTheCopiedIdentity",
     "555 -1 2147483647 -1 0 2 -1 1234 67108864 2147483645 2147483643 1",
     {"CopyUA 555 101", kSac,
      "UpdateUA 101 WithForce &Ext 101 &Name1 {} &Name2 {} &Comment {} &POP3Psw {} &POP3Account {} AIM 0"},
     "CreateUAFromAdmin {CopyUA 101} {UpdateUA 101}"},
    {"WizardTakesTheModelRoad",
     "997 5000 2147483647 -1 0 2147483647 -1 1234 67108864 2147483645 2147483643 1",
     {kMinCopy[0], kMinCopy[1], kMinCopy[2], kMinCopy[3], kMinCopy[4], kSac},
     "CreateUAFromAdmin {MinCopyUA 101 101}"},
    {"AmisModeCreatesWithItsCos",
     "997 5000 2147483647 -1 0 4 -1 1234 67108864 2147483645 2147483643 1",
     {"CreateUA 101 1234 5000 -1 67108864", kSac},
     "CreateUAFromAdmin {CreateUA 101}"},
};

class CreateUAFromAdminTest : public ProcedureText, public testing::WithParamInterface<CreationCase> {
protected:
    std::string create(const char *min = "0", const char *max = "1")
    {
        return run(std::string("CreateUAFromAdmin ") + min + " " + max + " 101 " + GetParam().arguments);
    }
};

TEST_P(CreateUAFromAdminTest, MakesExactlyTheseServerCalls)
{
    EXPECT_EQ(create(), GetParam().answer);
    EXPECT_EQ(log(), GetParam().calls);
}

TEST_P(CreateUAFromAdminTest, AnEmptyPassRangeCreatesNothingAndSaysSo)
{
    EXPECT_EQ(create("1", "1"), "CreateUAFromAdmin !ERROR");
    EXPECT_TRUE(log().empty());
}

// A failure at any one call never stops the procedure, is never taken for a
// success, and a failed creation leaves the answer an error.
TEST_P(CreateUAFromAdminTest, AnErrorAtEachCallIsReportedNeverSwallowed)
{
    const size_t count = GetParam().calls.size();
    for (size_t at = 1; at <= count; ++at) {
        SCOPED_TRACE("failing call " + std::to_string(at) + ": " + GetParam().calls[at - 1]);
        setVar("failAt", std::to_string(at));
        const std::string answer = create();
        ASSERT_EQ(answer.rfind("CreateUAFromAdmin", 0), 0u) << answer;
        const std::string &failed = GetParam().calls[at - 1];
        if (failed.rfind("CreateScenario", 0) == 0) {
            // No scenario: the model road made the agent (see below).
            EXPECT_EQ(log()[1].rfind("CopyUA", 0), 0u);
        } else if (failed.rfind("SetUASAC", 0) == 0) {
            // The security code does not decide the creation; its failure is traced.
            EXPECT_EQ(answer, GetParam().answer);
            EXPECT_NE(var("traces").find("failed"), std::string::npos);
        } else {
            EXPECT_TRUE(answer == "CreateUAFromAdmin !ERROR" ||
                        answer.find("!ERROR {injected failure in") != std::string::npos)
                << answer;
        }
    }
    setVar("failAt", "0");
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateUAFromAdminTest, testing::ValuesIn(kCreationCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ProcedureText, FailedCreationFallsBackToTheModelRoad)
{
    setVar("failAt", "1");
    EXPECT_EQ(
        run("CreateUAFromAdmin 0 1 101 997 5000 2147483647 -1 0 0 -1 1234 67108864 2147483645 2147483643 1"),
        "CreateUAFromAdmin {MinCreateUA !ERROR {injected failure in CreateUA} 101} {MinCopyUA 101 101}");
    setVar("failAt", "0");
}

TEST_F(ProcedureText, AmisModeRefusalIsNoSuccess)
{
    Tcl_Eval(m_interp.get(), "standIn CreateUA {return {CreateUA !ERROR refused}}");
    EXPECT_EQ(
        run("CreateUAFromAdmin 0 1 101 997 5000 2147483647 -1 0 4 -1 1234 67108864 2147483645 2147483643 0"),
        "CreateUAFromAdmin !ERROR");
    EXPECT_EQ(log().size(), 2u); // block C, then the bare model creation
}

TEST_F(ProcedureText, IvrWithoutScenarioFallsToTheModelRoad)
{
    setVar("failAt", "1");
    EXPECT_EQ(run("CreateUAFromAdmin 0 1 101 2147483645 2147483645 2147483645 -1 0 0 -1 1234 67108864 "
                  "2147483645 2147483643 1"),
              "CreateUAFromAdmin {MinCopyUA 101 101} {SetUAScenario -1}");
    EXPECT_EQ(log().front(), "CreateScenario -1 0 {IVR Scenario for 101}");
    EXPECT_EQ(log()[1], "CopyUA 2147483645 101");
    setVar("failAt", "0");
}

TEST_F(ProcedureText, BareCreationAnsweringZeroIsNoSuccess)
{
    Tcl_Eval(m_interp.get(), "standIn CreateUA {return 0}");
    EXPECT_EQ(run("CreateUAFromAdmin 0 1 101 2147483646 2147483646 2147483646 -1 0 0 -1 1234 67108864 "
                  "2147483645 2147483643 0"),
              "CreateUAFromAdmin 0 0");
    // Block D's 0 sent it to the model road, whose bare creation (same
    // stand-in) answered 0 too, which that road's test accepts.
}

TEST_F(ProcedureText, TracesGoToTheServerAndTheirFailureChangesNothing)
{
    const std::string call =
        "CreateUAFromAdmin 0 1 101 997 5000 2147483647 -1 0 0 -1 1234 67108864 2147483645 2147483643 1";
    run(call);
    EXPECT_EQ(var("traces"), "{setting x and scresult to 0} {createua 0 MinCreateUA 101 101\n} "
                             "{setting x to 1 in createua 0\n} {basic creartion completed\n} "
                             "{Finished MinCopy About to change SAC \n} {SetUASAC 101 SetUASAC ok\n}");
    Tcl_Eval(m_interp.get(), "rename tTrace {}; proc tTrace {text} {error broken}");
    EXPECT_EQ(run(call), "CreateUAFromAdmin {MinCreateUA 101 101}");
}

} // namespace
