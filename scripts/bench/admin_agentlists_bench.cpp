// Filling the agent list windows with a kind of many agents, against the
// server simulator. Printed, for the direct-send fax list and the IVR list
// (which asks each agent's event maps as well): the time from opening the
// window to its last row, and the longest the user-interface thread went
// without handling a 5 ms timer meanwhile (the bound: 100 ms).
//   admin_agentlists_bench [count]   (default 10000 agents of each kind)
#include "admin/session/zeltsession.h"
#include "admin/uatools/agents/directsenduadlg.h"
#include "admin/uatools/agents/ivruseragentsdlg.h"
#include "platform/com/unknwn.h"
#include "scripts/bench/benchapplication.h"
#include "scripts/bench/interfacegapmeter.h"
#include "scripts/bench/simulatorlogin.h"
#include "testserver/harness/simulatorprocess.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QTreeWidget>


#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

struct Fill {
    qint64 wallMs = 0;
    qint64 longestGapMs = 0;
    int rows = 0;
};

// Opens the window as the main frame does and waits for its last row,
// ticking a 5 ms timer on the user-interface thread all along.
Fill Measure(const std::function<CUserAgentListDlg *()> &make)
{
    Fill fill;
    InterfaceGapMeter gaps;
    QElapsedTimer wall;
    CUserAgentListDlg *list = make();
    QEventLoop loop;
    QObject::connect(list, &CUserAgentListDlg::filled, &loop, &QEventLoop::quit);
    QTimer::singleShot(0, [&] {
        gaps.Start();
        wall.start();
        list->Create();
        if (!list->IsFilling())
            loop.quit();
    });
    loop.exec();
    fill.wallMs = wall.elapsed();
    fill.longestGapMs = gaps.Stop();
    fill.rows = list->List()->topLevelItemCount();
    list->close();
    delete list;
    return fill;
}

void Print(const char *name, const Fill &fill)
{
    std::printf("%-22s rows %6d  fill %7lld ms  longest UI gap %4lld ms (bound 100 ms)%s\n", name, fill.rows,
                static_cast<long long>(fill.wallMs), static_cast<long long>(fill.longestGapMs),
                fill.longestGapMs > 100 ? "  OVER" : "");
}

} // namespace

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    BenchApplication application(argc, argv);
    if (!application.Ready())
        return 1;

    testserver::SimulatorProcess simulator;
    QString seed;
    for (int i = 0; i < count; ++i) {
        seed += QStringLiteral("ua %1 -parent 2147483641 {&Comment {Fax agent %1}}\n").arg(100000 + i);
        seed += QStringLiteral("ua %1 -parent 2147483645 -scenario 3 {&Comment {IVR agent %1}}\n")
                    .arg(200000 + i);
    }
    simulator.seed(seed);
    CZELTSession session(SettingsFor(simulator));
    const CLoginCredentials login = ManufacturerLogin(simulator);
    session.Connect(login);

    Print("direct-send fax list", Measure([&] { return new CDirectSendFaxUADlg(session, login, "DS_FAX"); }));
    Print("IVR list", Measure([&] { return new CIvrUserAgentsDlg(session, login, "IVR"); }));
    return 0;
}
