// Fetching and writing back the whole configuration of a site of some size
// (96 voice ports, 20 integration groups of 33 variables, 50 scheduled jobs:
// the simulator's "configuration") through the configuration depot, against
// the server simulator; then a plain client that logs in and sends the same
// texts, taken from the simulator's log, one blocking exchange at a time.
// Printed: the depot's time for the fetch and for the write-back beside the
// plain client's (the bound: 1.5 times), the number of round trips of a
// fetch and of the write-back, and the same texts through the session's
// Execute alone (what the session costs without the depot).
//   admin_config_bench [rounds]   (default 5)
#include "admin/config/depot/configdepot.h"
#include "admin/session/zeltsession.h"
#include "platform/com/unknwn.h"
#include "scripts/bench/benchapplication.h"
#include "scripts/bench/plainclient.h"
#include "testserver/harness/simulatorprocess.h"

#include <QCryptographicHash>
#include <QElapsedTimer>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A client that frames, sends and waits with nothing between it and the
// socket: the least any client can spend on the same exchanges.
QStringList LinesOf(const QList<testserver::LoggedCommand> &log, int connection)
{
    QStringList lines;
    for (const testserver::LoggedCommand &entry : log)
        if (entry.connection == connection && entry.transaction != 0)
            lines.append(entry.text);
    return lines;
}

double Milliseconds(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// Every text the pages own changed, and every job scheduled again: the
// write-back then sends the whole configuration.
void ChangeEverything(CConfigDepot &depot)
{
    for (QString &line : depot.m_voicePortLines)
        line += QStringLiteral(" x");
    for (ConfigGroupRecord &record : depot.m_groups)
        for (int k = 1; k <= kGroupVariableCount; ++k)
            record[size_t(k)] += QStringLiteral("1");
    for (QString *text : {&depot.m_answerMethods, &depot.m_notificationGroups, &depot.m_statisticalGroups,
                          &depot.m_serialPortAssignment, &depot.m_ivrHosts, &depot.m_holidays})
        *text += QStringLiteral(" {}");
    for (CConfigJob &job : depot.m_jobs)
        job.state = CConfigJob::Changed;
    depot.m_promptFiles += QStringLiteral(" {x.pmt 4}");
    depot.m_languageTable += QStringLiteral(" {X {x.pmt 4}}");
}

struct Best {
    double ms = 0;
    void take(double run) { ms = ms == 0 ? run : std::min(ms, run); }
};

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    BenchApplication application(argc, argv);
    if (!application.Ready())
        return 1;

    testserver::SimulatorProcess simulator;
    CSessionSettings settings;
    settings.port = simulator.port();
    const CLoginCredentials login{simulator.host(), QStringLiteral("Cardomel"), QStringLiteral("Cardomel")};

    Best adminFetch, adminSave, plainFetch, plainSave, sessionFetch, sessionSave;
    QStringList fetchLines, saveLines;
    for (int round = 0; round < rounds; ++round) {
        // admin: a fresh configuration, a fresh link.
        simulator.loadConfiguration();
        CZELTSession session(settings);
        session.Connect(login);
        const int connection = simulator.commandLog().last().connection;
        const QStringList upload = LinesOf(simulator.commandLog(), connection);
        simulator.clearLog();

        CConfigDepot depot;
        depot.SetChannel(&session);
        QElapsedTimer clock;
        clock.start();
        depot.Load();
        depot.ReloadCosAndUaLists();
        adminFetch.take(Milliseconds(clock));
        fetchLines = LinesOf(simulator.commandLog(), connection);
        if (depot.m_voicePortCount != 96 || depot.m_groupCount != 20 || depot.m_jobCount != 50) {
            std::fprintf(stderr, "fetched %d lines, %d groups, %d jobs\n", depot.m_voicePortCount,
                         depot.m_groupCount, depot.m_jobCount);
            return 1;
        }

        ChangeEverything(depot);
        simulator.clearLog();
        clock.start();
        const CConfigDepot::SaveResult result = depot.Save();
        adminSave.take(Milliseconds(clock));
        saveLines = LinesOf(simulator.commandLog(), connection);
        if (!result.succeeded()) {
            std::fprintf(stderr, "the write-back failed: %s\n", qPrintable(result.refused.join(u' ')));
            return 1;
        }
        session.Disconnect();

        // The same texts through the session's Execute alone, without the
        // depot: the session's own share.
        simulator.loadConfiguration();
        session.Connect(login);
        simulator.clearLog(); // as before the depot's run
        clock.start();
        for (const QString &line : std::as_const(fetchLines))
            session.Execute(line);
        sessionFetch.take(Milliseconds(clock));
        clock.start();
        for (const QString &line : std::as_const(saveLines))
            session.Execute(line);
        sessionSave.take(Milliseconds(clock));
        session.Disconnect();

        // The plain client: the same texts on the same fresh configuration.
        simulator.loadConfiguration();
        PlainClient client(simulator.host(), simulator.port());
        client.login("Cardomel", "Cardomel");
        for (const QString &line : upload)
            client.exchange(line.toUtf8());
        clock.start();
        for (const QString &line : std::as_const(fetchLines))
            client.exchange(line.toUtf8());
        plainFetch.take(Milliseconds(clock));
        clock.start();
        for (const QString &line : std::as_const(saveLines))
            client.exchange(line.toUtf8());
        plainSave.take(Milliseconds(clock));
    }

    std::printf("whole configuration (96 lines, 20 groups of 33 variables, 50 jobs), best of %d runs\n",
                rounds);
    std::printf(
        "fetch       depot %8.2f ms   plain client %8.2f ms   ratio %.3f (bound 1.5)   %lld round trips\n",
        adminFetch.ms, plainFetch.ms, adminFetch.ms / plainFetch.ms, qlonglong(fetchLines.size()));
    std::printf(
        "write-back  depot %8.2f ms   plain client %8.2f ms   ratio %.3f (bound 1.5)   %lld round trips\n",
        adminSave.ms, plainSave.ms, adminSave.ms / plainSave.ms, qlonglong(saveLines.size()));
    std::printf("the session's Execute alone, same texts: fetch %.2f ms, write-back %.2f ms\n",
                sessionFetch.ms, sessionSave.ms);
    const double admin = adminFetch.ms + adminSave.ms;
    const double plain = plainFetch.ms + plainSave.ms;
    std::printf("both        depot %8.2f ms   plain client %8.2f ms   ratio %.3f (bound 1.5)\n", admin, plain,
                admin / plain);
    return 0;
}
