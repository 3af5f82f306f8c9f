// Fetching and writing back the whole configuration of a site of some size
// (96 voice ports, 20 integration groups of 33 variables, 50 scheduled jobs:
// the simulator's "configuration") through the configuration depot, against
// the server simulator; then a plain client that logs in and sends the same
// texts, taken from the simulator's log, one blocking exchange at a time.
// Printed: the medians of the rounds' times for the fetch and for the
// write-back, the depot's beside the plain client's, the median of the
// rounds' ratios (the figure; the bound: 1.5 times), the number of round
// trips of a fetch and of the write-back, and the same texts through the
// session's Execute alone (what the session costs without the depot). Then
// loads of the same site with one list 100 000 entries long (integration
// groups, scheduled jobs, or every read answered with 100 000 elements):
// their round trips, which must be no more than the ordinary site's, and
// their times beside the plain client's for the same texts. The program
// exits with 2 when a figure misses its bound.
//   admin_config_bench [rounds]   (default and least 5)
#include "admin/config/depot/configdepot.h"
#include "admin/session/zeltsession.h"
#include "platform/com/unknwn.h"
#include "scripts/bench/benchapplication.h"
#include "scripts/bench/plainclient.h"
#include "scripts/bench/simulatorlogin.h"
#include "testserver/harness/simulatorprocess.h"

#include <QCryptographicHash>
#include <QElapsedTimer>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The texts of the commands `connection` sent, in order.
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

// admin's link, logged in on a fresh connection: the connection's number in
// the simulator's log, and the lines the log-in sent, which the plain client
// sends too so that it stands where admin stood. The log starts empty after.
struct AdminLink {
    int connection;
    QStringList login;
};

AdminLink ConnectAdmin(testserver::SimulatorProcess &simulator, CZELTSession &session,
                       const CLoginCredentials &login)
{
    session.Connect(login);
    const int connection = simulator.commandLog().last().connection;
    const AdminLink link{connection, LinesOf(simulator.commandLog(), connection)};
    simulator.clearLog();
    return link;
}

// The depot's whole load as the configuration window asks for it, in
// milliseconds.
double TimedLoad(CConfigDepot &depot)
{
    QElapsedTimer clock;
    clock.start();
    depot.Load();
    depot.ReloadCosAndUaLists();
    return Milliseconds(clock);
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

constexpr int kLeastRounds = 5;
constexpr double kBound = 1.5;

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The times of every round. On a shared machine the runs of two sides in
// one round come from the same moment, so the median of the rounds'
// ratios is the steady figure.
struct Rounds {
    std::vector<double> ms;
    void take(double run) { ms.push_back(run); }
    double median() const { return Median(ms); }
    double medianRatio(const Rounds &plain) const
    {
        std::vector<double> ratios;
        for (size_t i = 0; i < std::min(ms.size(), plain.ms.size()); ++i)
            ratios.push_back(ms[i] / plain.ms[i]);
        return Median(ratios);
    }
};

// Prints one line; false when the median ratio misses the bound.
bool Report(const char *what, const Rounds &depot, const Rounds &plain, qsizetype roundTrips)
{
    const double ratio = depot.medianRatio(plain);
    std::printf("%-11s depot %8.2f ms   plain client %8.2f ms   ratio %.3f (bound %.1f)%s", what,
                depot.median(), plain.median(), ratio, kBound, ratio > kBound ? "   MISSED" : "");
    if (roundTrips >= 0)
        std::printf("   %lld round trips", qlonglong(roundTrips));
    std::printf("\n");
    return ratio <= kBound;
}

// A site with one list made long on the simulator's side, or with every
// "set" answered by a long list.
struct LongCase {
    const char *what;
    // Seed script, or empty.
    QString seed;
    // The reply to every "set", or empty.
    QString answerToSet;
};

QString LongList(int count, const char *element)
{
    return QStringLiteral("for {set i 1} {$i <= %1} {incr i} {lappend l %2}")
        .arg(count)
        .arg(QLatin1String(element));
}

std::vector<LongCase> LongCases(int count)
{
    QStringList elements;
    for (int i = 1; i <= count; ++i)
        elements << QStringLiteral("v%1").arg(i);
    return {
        {"integration groups",
         QStringLiteral("set l {}; %1; var pbx_list $l").arg(LongList(count, "[format G%06d $i]")),
         QString()},
        {"scheduled jobs",
         QStringLiteral("set l {}; %1; var Scheduled_Action_list $l")
             .arg(LongList(count, "[list job$i Beep 0101010101010101692f3d80]")),
         QString()},
        {"every read's reply", QString(), QStringLiteral("set ") + elements.join(u' ')},
    };
}

// Loads the long site through the depot and through the plain client,
// `rounds` times; false when it takes more round trips than `bound`.
bool MeasureLongCase(testserver::SimulatorProcess &simulator, const CSessionSettings &settings,
                     const CLoginCredentials &login, const LongCase &site, int rounds, qsizetype bound)
{
    Rounds depotLoad, plainLoad;
    QStringList lines;
    for (int round = 0; round < rounds; ++round) {
        simulator.loadConfiguration();
        if (!site.seed.isEmpty())
            simulator.seed(site.seed);
        CZELTSession session(settings);
        const AdminLink link = ConnectAdmin(simulator, session, login);
        if (!site.answerToSet.isEmpty())
            simulator.answerCommand(QStringLiteral("set"), site.answerToSet);
        CConfigDepot depot;
        depot.SetChannel(&session);
        depotLoad.take(TimedLoad(depot));
        lines = LinesOf(simulator.commandLog(), link.connection);
        session.Disconnect();

        if (!site.answerToSet.isEmpty())
            simulator.clearAnswer(QStringLiteral("set"));
        PlainClient client(simulator.host(), simulator.port());
        client.login("Cardomel", "Cardomel");
        for (const QString &line : link.login)
            client.exchange(line.toUtf8());
        if (!site.answerToSet.isEmpty())
            simulator.answerCommand(QStringLiteral("set"), site.answerToSet);
        QElapsedTimer clock;
        clock.start();
        for (const QString &line : std::as_const(lines))
            client.exchange(line.toUtf8());
        plainLoad.take(Milliseconds(clock));
        if (!site.answerToSet.isEmpty())
            simulator.clearAnswer(QStringLiteral("set"));
    }
    std::printf("100 000 %-18s load %9.1f ms   plain client %9.1f ms   ratio %.3f   %lld round trips (bound "
                "%lld)%s\n",
                site.what, depotLoad.median(), plainLoad.median(), depotLoad.medianRatio(plainLoad),
                qlonglong(lines.size()), qlonglong(bound), lines.size() > bound ? "   MISSED" : "");
    return lines.size() <= bound;
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = std::max(kLeastRounds, argc > 1 ? std::atoi(argv[1]) : kLeastRounds);
    BenchApplication application(argc, argv);
    if (!application.Ready())
        return 1;

    testserver::SimulatorProcess simulator;
    const CSessionSettings settings = SettingsFor(simulator);
    const CLoginCredentials login = ManufacturerLogin(simulator);

    Rounds adminFetch, adminSave, plainFetch, plainSave, sessionFetch, sessionSave, adminBoth, plainBoth;
    QStringList fetchLines, saveLines;
    for (int round = 0; round < rounds; ++round) {
        // admin: a fresh configuration, a fresh link.
        simulator.loadConfiguration();
        CZELTSession session(settings);
        const AdminLink link = ConnectAdmin(simulator, session, login);

        CConfigDepot depot;
        depot.SetChannel(&session);
        adminFetch.take(TimedLoad(depot));
        fetchLines = LinesOf(simulator.commandLog(), link.connection);
        if (depot.m_voicePortCount != 96 || depot.m_groupCount != 20 || depot.m_jobCount != 50) {
            std::fprintf(stderr, "fetched %d lines, %d groups, %d jobs\n", depot.m_voicePortCount,
                         depot.m_groupCount, depot.m_jobCount);
            return 1;
        }

        ChangeEverything(depot);
        simulator.clearLog();
        QElapsedTimer clock;
        clock.start();
        const CConfigDepot::SaveResult result = depot.Save();
        adminSave.take(Milliseconds(clock));
        saveLines = LinesOf(simulator.commandLog(), link.connection);
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
        for (const QString &line : link.login)
            client.exchange(line.toUtf8());
        clock.start();
        for (const QString &line : std::as_const(fetchLines))
            client.exchange(line.toUtf8());
        plainFetch.take(Milliseconds(clock));
        clock.start();
        for (const QString &line : std::as_const(saveLines))
            client.exchange(line.toUtf8());
        plainSave.take(Milliseconds(clock));
        adminBoth.take(adminFetch.ms.back() + adminSave.ms.back());
        plainBoth.take(plainFetch.ms.back() + plainSave.ms.back());
    }

    std::printf("whole configuration (96 lines, 20 groups of 33 variables, 50 jobs), medians of %d rounds\n",
                rounds);
    bool met = Report("fetch", adminFetch, plainFetch, fetchLines.size());
    met = Report("write-back", adminSave, plainSave, saveLines.size()) && met;
    met = Report("both", adminBoth, plainBoth, -1) && met;
    std::printf("the session's Execute alone, same texts: fetch %.2f ms, write-back %.2f ms\n",
                sessionFetch.median(), sessionSave.median());
    for (const LongCase &site : LongCases(100000))
        met = MeasureLongCase(simulator, settings, login, site, 3, fetchLines.size()) && met;
    if (!met) {
        std::fprintf(stderr, "the depot missed a bound\n");
        return 2;
    }
    return 0;
}
