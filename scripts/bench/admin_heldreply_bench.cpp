// A reply the server holds back, waited for on the user-interface thread,
// against the server simulator. Printed, for replies held 0.5 s, 1.5 s (the
// wait's notice shows after one second) and 3 s: how long the wait took, and
// the longest the user-interface thread went without handling a 5 ms timer
// meanwhile (the bound: 100 ms).
//   admin_heldreply_bench [rounds]   (default 3 of each)
#include "admin/session/zeltsession.h"
#include "scripts/bench/benchapplication.h"
#include "scripts/bench/interfacegapmeter.h"
#include "scripts/bench/simulatorlogin.h"
#include "testserver/harness/simulatorprocess.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

struct Wait {
    qint64 wallMs = 0;
    qint64 longestGapMs = 0;
    bool answered = false;
};

// Executes a command whose reply is held `heldMs`, ticking a 5 ms timer on
// the user-interface thread all along.
Wait Measure(CZELTSession &session, testserver::SimulatorProcess &simulator, int heldMs)
{
    Wait wait;
    simulator.delayNextReply(heldMs, QStringLiteral("set"));
    InterfaceGapMeter gaps;
    QElapsedTimer wall;
    gaps.Start();
    wall.start();
    wait.answered = session.Execute(QStringLiteral("set held 1")) == QLatin1String("1");
    wait.wallMs = wall.elapsed();
    wait.longestGapMs = gaps.Stop();
    return wait;
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    BenchApplication application(argc, argv);
    if (!application.Ready())
        return 1;

    testserver::SimulatorProcess simulator;
    CZELTSession session(SettingsFor(simulator));
    session.Connect(ManufacturerLogin(simulator));

    int status = 0;
    for (const int heldMs : {500, 1500, 3000}) {
        for (int round = 0; round < rounds; ++round) {
            const Wait wait = Measure(session, simulator, heldMs);
            std::printf("reply held %4d ms  wait %5lld ms  longest UI gap %4lld ms (bound 100 ms)%s%s\n", heldMs,
                        static_cast<long long>(wait.wallMs), static_cast<long long>(wait.longestGapMs),
                        wait.longestGapMs > 100 ? "  OVER" : "", wait.answered ? "" : "  NOT ANSWERED");
            if (!wait.answered)
                status = 1;
        }
    }
    return status;
}
