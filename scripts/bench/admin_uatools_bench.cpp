// Creating and deleting user agents over a range, as an administrator does
// with the Create and Delete dialogs, against the server simulator; then a
// plain client that logs in and replays the same command lines, taken from
// the simulator's log, one blocking exchange at a time. Printed:
// - admin's wall time for each run beside the plain client's (the bound:
//   1.10 times);
// - the longest the user-interface thread went without handling its timer
//   during the runs (the bound: 100 ms);
// - the growth of resident memory over both runs (the bound: 5 MB);
// - the simulator's own time per command, which both clients wait for.
//   admin_uatools_bench [count [rounds]]   (default 10000 mailboxes, 2 rounds)
// Beside the best runs it prints the median of the rounds' ratios.
#include "admin/session/zeltsession.h"
#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/uatools/ranges/createuseragentdlg.h"
#include "admin/uatools/ranges/deleteprogressdlg.h"
#include "admin/uatools/ranges/deleteuseragentsdlg.h"
#include "platform/com/unknwn.h"
#include "platform/msgbox/messageboxscript.h"
#include "scripts/bench/benchapplication.h"
#include "scripts/bench/interfacegapmeter.h"
#include "scripts/bench/plainclient.h"
#include "scripts/bench/simulatorlogin.h"
#include "testserver/harness/simulatorprocess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// --- measuring -------------------------------------------------------------

qint64 ResidentBytes()
{
    FILE *statm = std::fopen("/proc/self/statm", "r");
    long size = 0;
    long resident = 0;
    if (!statm || std::fscanf(statm, "%ld %ld", &size, &resident) != 2)
        resident = 0;
    if (statm)
        std::fclose(statm);
    return qint64(resident) * sysconf(_SC_PAGESIZE);
}

// The longest the user-interface thread went without its timer during the
// runs, each measured from the click on OK to the summary.
class BlockProbe {
public:
    void start() { m_gaps.Start(); }
    void stop() { m_worst = std::max(m_worst, m_gaps.Stop()); }
    // The longest gap of every run so far.
    qint64 worst() const { return m_worst; }

private:
    InterfaceGapMeter m_gaps;
    qint64 m_worst = 0;
};

// Runs the modal `dialog`, typing `range` and clicking OK once it shows;
// when the progress dialog `Progress` shows, times the run from the click to
// its end (the summary's showing, caught as it happens rather than at the
// next poll) and clicks its OK. Returns the milliseconds.
template <class Progress>
double RunDialog(CDialog &dialog, int rangeId, const QString &range, BlockProbe *probe = nullptr)
{
    QElapsedTimer clock;
    double elapsed = 0;
    bool typed = false;
    Progress *watched = nullptr;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *top = QApplication::activeModalWidget();
        if (!typed && top == &dialog) {
            typed = true;
            dialog.GetDlgItem<QLineEdit>(rangeId)->setText(range);
            QTimer::singleShot(0, &dialog, [&] {
                if (probe)
                    probe->start();
                clock.start();
                dialog.GetDlgItem<QAbstractButton>(IDOK)->click();
            });
        }
        auto *progress = qobject_cast<Progress *>(top);
        if (progress && progress != watched) {
            watched = progress;
            QObject::connect(progress->template GetDlgItem<QPlainTextEdit>(Progress::IDC_STATUS),
                             &QPlainTextEdit::textChanged, progress, [&, progress] {
                                 if (elapsed == 0 && progress->GetTotal() != 0 &&
                                     progress->GetProcessed() == progress->GetTotal())
                                     elapsed = double(clock.nsecsElapsed()) / 1e6;
                             });
        }
        if (progress && !progress->IsRunning() && progress->GetProcessed() == progress->GetTotal()) {
            if (elapsed == 0)
                elapsed = double(clock.nsecsElapsed()) / 1e6;
            if (probe)
                probe->stop();
            progress->template GetDlgItem<QAbstractButton>(IDOK)->click();
        }
    });
    poll.start();
    dialog.DoModal();
    return elapsed;
}

struct Replay {
    double ms = 0;
    testserver::SimulatorProcess::BusyTime busy;
};

// The best of several runs, with the simulator's time in that run; every
// run is kept too, for the ratios round by round.
struct Best {
    double ms = 0;
    testserver::SimulatorProcess::BusyTime busy;
    std::vector<double> runs;
    void take(double runMs, const testserver::SimulatorProcess::BusyTime &runBusy)
    {
        runs.push_back(runMs);
        if (ms == 0 || runMs < ms) {
            ms = runMs;
            busy = runBusy;
        }
    }
};

// On a shared machine the best runs of two sides may come from different
// moments; the two runs of one round come from the same moment. The median
// of the rounds' ratios is the steadier figure.
double MedianRatio(const Best &admin, const Best &plain)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < std::min(admin.runs.size(), plain.runs.size()); ++i)
        ratios.push_back(admin.runs[i] / plain.runs[i]);
    if (ratios.empty())
        return 0;
    std::sort(ratios.begin(), ratios.end());
    const size_t middle = ratios.size() / 2;
    return ratios.size() % 2 ? ratios[middle] : (ratios[middle - 1] + ratios[middle]) / 2;
}

double TimeLines(const std::function<void(const QString &)> &send, const QStringList &lines)
{
    QElapsedTimer clock;
    clock.start();
    for (const QString &line : lines)
        send(line);
    return double(clock.nsecsElapsed()) / 1e6;
}

Replay ReplayLines(testserver::SimulatorProcess &simulator, PlainClient &client, const QStringList &lines)
{
    simulator.clearLog();
    QElapsedTimer clock;
    clock.start();
    for (const QString &line : lines)
        client.exchange(line.toUtf8());
    Replay replay;
    replay.ms = double(clock.nsecsElapsed()) / 1e6;
    replay.busy = simulator.busyTime();
    return replay;
}

QStringList LinesOf(const QList<testserver::LoggedCommand> &log, int connection)
{
    QStringList lines;
    for (const testserver::LoggedCommand &entry : log)
        if (entry.connection == connection && entry.transaction != 0)
            lines.append(entry.text);
    return lines;
}

void Report(const char *what, const Best &admin, const Best &plain, int commands)
{
    std::printf("%-8s admin %9.1f ms   plain client %9.1f ms   ratio %.3f (bound 1.10)   %d commands\n", what,
                admin.ms, plain.ms, admin.ms / plain.ms, commands);
    std::printf("         median of the rounds' ratios: %.3f\n", MedianRatio(admin, plain));
    std::printf(
        "         simulator's own time per command: %.1f us under admin, %.1f us under the plain client\n",
        double(admin.busy.microseconds) / std::max(1, admin.busy.commands),
        double(plain.busy.microseconds) / std::max(1, plain.busy.commands));
}

} // namespace

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2;
    BenchApplication application(argc, argv);
    if (!application.Ready())
        return 1;

    testserver::SimulatorProcess simulator;
    // Numbers of five digits are no question to ask here.
    simulator.seed(QStringLiteral("var sys_maximum_box_length 9"));
    CZELTSession session(SettingsFor(simulator));
    session.Connect(ManufacturerLogin(simulator));
    const QList<testserver::LoggedCommand> loginLog = simulator.commandLog();
    const int connection = loginLog.last().connection;
    const QStringList upload = LinesOf(loginLog, connection);

    // A first small run makes what the program makes once (fonts, styles,
    // the dialogs' first showing), so the memory figure is the runs' own.
    MessageBoxScript boxes;
    boxes.answer(IDYES);
    {
        CCreateUserAgentDlg dialog(session, 997, 0x7fffffff, nullptr, false);
        RunDialog<CCreateProgressDlg>(dialog, CCreateUserAgentDlg::IDC_RANGE, QStringLiteral("9000-9009"));
        CDeleteUserAgentsDlg deletion(session);
        RunDialog<CDeleteProgressDlg>(deletion, CDeleteUserAgentsDlg::IDC_RANGE, QStringLiteral("9000-9009"));
    }

    const QString range = QStringLiteral("10000-%1").arg(10000 + count - 1);
    PlainClient client(simulator.host(), simulator.port());
    client.login("Cardomel", "Cardomel");
    for (const QString &line : upload)
        client.exchange(line.toUtf8());

    // The machine may be shared: each side runs several times, taking
    // turns, and the best run of each is compared.
    Best adminCreate, adminDelete, plainCreate, plainDelete, sessionCreate, sessionDelete;
    QStringList createLines, deleteLines;
    BlockProbe probe;
    double residentGrowth = 0;
    for (int round = 0; round < rounds; ++round) {
        const qint64 residentBefore = ResidentBytes();
        simulator.clearLog();
        {
            CCreateUserAgentDlg dialog(session, 997, 0x7fffffff, nullptr, false);
            const double ms =
                RunDialog<CCreateProgressDlg>(dialog, CCreateUserAgentDlg::IDC_RANGE, range, &probe);
            if (dialog.GetCreatedNumbers().size() != count) {
                std::fprintf(stderr, "created %lld of %d\n", qlonglong(dialog.GetCreatedNumbers().size()),
                             count);
                return 1;
            }
            adminCreate.take(ms, simulator.busyTime());
        }
        createLines = LinesOf(simulator.commandLog(), connection);
        simulator.clearLog();
        boxes.answer(IDYES); // "Delete N user agents?"
        {
            CDeleteUserAgentsDlg dialog(session);
            const double ms =
                RunDialog<CDeleteProgressDlg>(dialog, CDeleteUserAgentsDlg::IDC_RANGE, range, &probe);
            adminDelete.take(ms, simulator.busyTime());
        }
        deleteLines = LinesOf(simulator.commandLog(), connection);
        residentGrowth =
            std::max(residentGrowth, double(ResidentBytes() - residentBefore) / (1024.0 * 1024.0));

        // The same lines through the session's Execute alone, without the
        // dialogs and their worker: the session's own share.
        sessionCreate.take(TimeLines([&](const QString &line) { session.Execute(line); }, createLines), {});
        sessionDelete.take(TimeLines([&](const QString &line) { session.Execute(line); }, deleteLines), {});

        const Replay create = ReplayLines(simulator, client, createLines);
        plainCreate.take(create.ms, create.busy);
        const Replay removal = ReplayLines(simulator, client, deleteLines);
        plainDelete.take(removal.ms, removal.busy);
    }

    std::printf("%d mailboxes over %s, best of %d runs each\n", count, range.toLatin1().constData(), rounds);
    Report("create", adminCreate, plainCreate, int(createLines.size()));
    Report("delete", adminDelete, plainDelete, int(deleteLines.size()));
    std::printf("         the session's Execute alone, same lines (best run): create %.1f ms, delete %.1f ms\n",
                sessionCreate.ms, sessionDelete.ms);
    std::printf("         median of the rounds' ratios, admin to Execute alone: create %.3f, delete %.3f;\n"
                "         Execute alone to the plain client: create %.3f, delete %.3f\n",
                MedianRatio(adminCreate, sessionCreate), MedianRatio(adminDelete, sessionDelete),
                MedianRatio(sessionCreate, plainCreate), MedianRatio(sessionDelete, plainDelete));
    const double adminTotal = adminCreate.ms + adminDelete.ms;
    const double plainTotal = plainCreate.ms + plainDelete.ms;
    std::printf("both     admin %9.1f ms   plain client %9.1f ms   ratio %.3f (bound 1.10)\n", adminTotal,
                plainTotal, adminTotal / plainTotal);
    std::printf("longest the user interface went without its 5 ms timer: %lld ms (bound 100)\n",
                qlonglong(probe.worst()));
    std::printf("resident memory growth over a create and delete run (largest): %.2f MB (bound 5)\n",
                residentGrowth);
    return 0;
}
