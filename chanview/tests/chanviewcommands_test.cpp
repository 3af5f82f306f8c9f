// Chanview's uploaded procedure text, evaluated in a real Tcl interpreter
// beside logging stand-ins of the server's commands: the eleven user-agent
// procedures and nothing else, reading without the ASR switch.
#include "chanview/chanviewcommands.h"

#include <gtest/gtest.h>
#include <tcl.h>

#include <memory>
#include <string>

namespace {

constexpr const char *kStandIns = R"TCL(
set ::log {}
foreach name {GetUA GetUAList4Property GetUAList SessionSetProperty} {
    proc $name args [string map [list @NAME@ $name] {lappend ::log [list @NAME@ {*}$args]; return [list @NAME@]}]
}
proc GetUAList4Property args {lappend ::log [list GetUAList4Property {*}$args]; return {GetUAList4Property 7 9}}
proc GetUA {id args} {lappend ::log [list GetUA $id {*}$args]; return [list GetUA $id COS 5]}
)TCL";

struct InterpDeleter {
    void operator()(Tcl_Interp *interp) const { Tcl_DeleteInterp(interp); }
};

class ChanviewProcedures : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Tcl_Eval(m_interp.get(), "set before [info procs]"), TCL_OK);
        ASSERT_EQ(Tcl_Eval(m_interp.get(), kStandIns), TCL_OK) << Tcl_GetStringResult(m_interp.get());
        const QByteArray text = ChanviewCommandsText();
        ASSERT_EQ(Tcl_EvalEx(m_interp.get(), text.constData(), text.size(), TCL_EVAL_GLOBAL), TCL_OK)
            << Tcl_GetStringResult(m_interp.get());
    }
    std::string run(const char *script)
    {
        Tcl_Eval(m_interp.get(), "set ::log {}");
        Tcl_Eval(m_interp.get(), script);
        return Tcl_GetStringResult(m_interp.get());
    }

    // The server calls of the last run, as a Tcl list.
    std::string log() { return Tcl_GetVar(m_interp.get(), "log", TCL_GLOBAL_ONLY); }
    std::string firstCall()
    {
        Tcl_Eval(m_interp.get(), "lindex $::log 0");
        return Tcl_GetStringResult(m_interp.get());
    }

    std::unique_ptr<Tcl_Interp, InterpDeleter> m_interp{Tcl_CreateInterp()};
};

TEST_F(ChanviewProcedures, TextIsAsciiWithCrLfLinesAndDefinesTheElevenProcedures)
{
    const QByteArray text = ChanviewCommandsText();
    EXPECT_FALSE(text.contains("\\\r\n"));
    EXPECT_FALSE(text.contains('\0'));
    EXPECT_EQ(text.count('\n'), text.count("\r\n"));
    EXPECT_EQ(text.count("\nproc "), 11);
    EXPECT_EQ(
        run("lsort [lmap p [info procs] {expr {$p in $before || $p in {GetUA GetUAList4Property GetUAList "
            "SessionSetProperty} ? [continue] : $p}}]"),
        "AllUA CheckExistUA GetCosAgents GetEventMaps4UA GetNotifications GetRemoteUsersList MinCopyUA "
        "MinCreateUA MultipleUA ParmsForAnyUA ParmsForUAType");
}

TEST_F(ChanviewProcedures, QueriesReadWithoutTheAsrSwitch)
{
    EXPECT_EQ(run("GetCosAgents 5 {Name1}"), "GetCosAgents {7 COS 5} {9 COS 5}");
    EXPECT_EQ(log(), "{GetUAList4Property COS 5 own} {GetUA 7 Name1} {GetUA 9 Name1}");
    run("ParmsForUAType 5 {Name1} All");
    EXPECT_EQ(firstCall(), "GetUAList4Property COS 5 notowned");
    run("ParmsForUAType 5 {Name1} AllCOS");
    EXPECT_EQ(firstCall(), "GetUAList4Property COS 5 owned");
    EXPECT_EQ(run("ParmsForAnyUA {Name1} {3}"), "ParmsForAnyUA {3 COS 5}");
    EXPECT_EQ(log(), "{GetUA 3 Name1}");
}

} // namespace
