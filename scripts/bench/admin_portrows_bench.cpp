// A burst of 10 000 pushed port-state lines applied to the port list, with
// 96 and with 960 ports: each line should cost the same whatever the number
// of rows (the rows are found by port number, not by searching the list).
#include "admin/ports/portrowlist.h"
#include "admin/ports/porttraceline.h"
#include "admin/session/tcllist.h"

#include <QApplication>
#include <QListWidget>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {
constexpr int kBurst = 10000;
const char *const kStates[] = {"On-Hook", "Off-Hook", "Ringing", "Playing Msg", "Recording Message"};

void ApplyBurst(benchmark::State &state)
{
    const int ports = int(state.range(0));
    QListWidget list;
    CPortRowList rows(list, CPortRowList::BracedRight);
    for (int port = 1; port <= ports; ++port)
        rows.SetPortState(port, QStringLiteral("On-Hook"));
    QStringList burst;
    for (int i = 0; i < kBurst; ++i) {
        const int port = 1 + (i * 7919) % ports;
        burst.append(QStringLiteral(".trace 8 0 %1 {Port %1 State {%2} 0}").arg(port).arg(kStates[i % 5]));
    }
    CTclList splitter;
    for (auto _ : state) {
        for (const QString &line : burst) {
            const auto trace = CPortTraceLine::Parse(line, splitter);
            rows.SetPortState(trace->port, trace->state);
        }
    }
    state.SetItemsProcessed(state.iterations() * kBurst);
}
BENCHMARK(ApplyBurst)->Arg(96)->Arg(960)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
