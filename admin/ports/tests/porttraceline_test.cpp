// Pushed port-state lines: the shapes that are state reports, and the many
// that are not (which must change nothing and never crash).
#include "admin/ports/porttraceline.h"
#include "admin/session/tcllist.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {
struct LineCase {
    const char *name;
    QString line;
    bool accepted;
    int port;
    const char *state;
};

void PrintTo(const LineCase &c, std::ostream *out)
{
    *out << c.name;
}

class PortTraceLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(PortTraceLineTest, ReadsOnlyWellFormedStateReports)
{
    const LineCase &c = GetParam();
    CTclList splitter;
    const auto trace = CPortTraceLine::Parse(c.line, splitter);
    ASSERT_EQ(trace.has_value(), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(trace->port, c.port);
        EXPECT_EQ(trace->state, QString::fromUtf8(c.state));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PortTraceLineTest,
    testing::Values(
        LineCase{"Plain", ".trace 8 1 3 {Port 3 State On-Hook 0}", true, 3, "On-Hook"},
        LineCase{"BracedState", ".trace 8 1 12 {Port 12 State {Waiting for Digits} 0}", true, 12,
                 "Waiting for Digits"},
        LineCase{"NoMark", "trace 8 1 3 {Port 3 State On-Hook 0}", false, 0, ""},
        LineCase{"Empty", "", false, 0, ""},
        LineCase{"FourOuter", ".trace 8 1 {Port 3 State On-Hook 0}", false, 0, ""},
        LineCase{"SixOuter", ".trace 8 1 3 {Port 3 State On-Hook 0} x", false, 0, ""},
        LineCase{"FourInner", ".trace 8 1 3 {Port 3 State On-Hook}", false, 0, ""},
        LineCase{"SixInner", ".trace 8 1 3 {Port 3 State On-Hook 0 0}", false, 0, ""},
        LineCase{"PortNotANumber", ".trace 8 1 3 {Port x3 State On-Hook 0}", false, 0, ""},
        LineCase{"PortNegative", ".trace 8 1 3 {Port -4 State On-Hook 0}", false, 0, ""},
        LineCase{"PortTooBig", ".trace 8 1 3 {Port 10000 State On-Hook 0}", false, 0, ""},
        LineCase{"PortOverflows", ".trace 8 1 3 {Port 99999999999999999999 State On-Hook 0}", false, 0, ""},
        LineCase{"UnbalancedBraces", ".trace 8 1 3 {Port 3 State {On-Hook 0}", false, 0, ""},
        LineCase{"Huge", QStringLiteral(".trace 8 1 3 {Port 3 State %1 0}").arg(QString(100000, QChar('x'))),
                 false, 0, ""}),
    [](const testing::TestParamInfo<LineCase> &info) { return std::string(info.param.name); });
} // namespace
