// A distribution list of 10 000 members loaded into its editor and saved
// back, as the administrator does (the editor window on a session of its
// own, the grid filled from the server's reply, the members cell edited and
// left), against the server simulator; then a plain client that logs in and
// sends the same command lines, taken from the simulator's log, one
// blocking exchange at a time. Printed: admin's wall time for the load and
// for the save beside the plain client's (the bound: 2 times), best of
// several rounds.
//   admin_distlist_bench [members [rounds]]   (default 10000 members, 3 rounds)
#include "admin/session/zeltsession.h"
#include "admin/uatools/distlist/distlistdoc.h"
#include "admin/uatools/distlist/distlistframe.h"
#include "admin/uatools/distlist/distlistfrm.h"
#include "admin/widgets/spreadsheet.h"
#include "platform/com/unknwn.h"
#include "platform/msgbox/messageboxscript.h"
#include "scripts/bench/benchapplication.h"
#include "scripts/bench/plainclient.h"
#include "scripts/bench/simulatorlogin.h"
#include "testserver/harness/simulatorprocess.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QMdiArea>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double Elapsed(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

QStringList LinesOf(const QList<testserver::LoggedCommand> &log)
{
    QStringList lines;
    for (const testserver::LoggedCommand &entry : log)
        if (entry.transaction != 0)
            lines.append(entry.text);
    return lines;
}

// Members: every other number from `first`, `count` of them.
QString Members(int first, int count)
{
    QStringList numbers;
    numbers.reserve(count);
    for (int i = 0; i < count; ++i)
        numbers.append(QString::number(first + 2 * i));
    return numbers.join(QLatin1Char(' '));
}

double Best(double best, double run)
{
    return best == 0 || run < best ? run : best;
}

} // namespace

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    BenchApplication application(argc, argv);
    if (!application.Ready())
        return 1;

    testserver::SimulatorProcess simulator;
    simulator.seed(
        QStringLiteral("ua 700 -parent 2147483646 -stamp 1 {&Name2 Everyone System_Distribution_List {%1}}")
            .arg(Members(100000, count)));
    const CLoginCredentials login = ManufacturerLogin(simulator);
    CZELTSession session(SettingsFor(simulator));
    session.Connect(login);
    const QStringList upload = LinesOf(simulator.commandLog());

    MessageBoxScript boxes; // a box shown would be a failure: none is answered
    QMdiArea area;
    CDistListFrm::Services services;
    services.applicationChannel = &session;
    services.rootText = QStringLiteral("DL");

    double adminLoad = 0, adminSave = 0, plainLoad = 0, plainSave = 0;
    QStringList loadLines, saveLines;
    for (int round = 0; round < rounds; ++round) {
        auto document = std::make_unique<CDistListDoc>(CAdminDoc::Account{});
        if (!document->OnNewDocument(session, login))
            return 1;
        // The new session's first command waits until the server has read
        // the procedures uploaded at login, which the plain client, logged
        // in once, does not: that wait is the login's, not the editor's.
        document->Execute(QStringLiteral("set sys_dl_long"));
        simulator.clearLog();
        QElapsedTimer clock;
        clock.start();
        auto *frame = new CDistListFrame(std::move(document), services);
        area.addSubWindow(frame);
        CDistListFrm *form = frame->GetActiveView();
        form->OnInitialUpdate();
        adminLoad = Best(adminLoad, Elapsed(clock));
        loadLines = LinesOf(simulator.commandLog());
        if (form->RowCount() < 1) {
            std::fprintf(stderr, "no list loaded\n");
            return 1;
        }
        int row = 1;
        for (; row <= form->RowCount(); ++row) {
            form->Grid()->SetCol(CDistListFrm::ColNumber);
            form->Grid()->SetRow(row);
            if (form->Grid()->GetText() == QLatin1String("700"))
                break;
        }
        // The administrator's edit: every member moved by one, comma-separated.
        const QString edited = Members(100001 + round, count).replace(QLatin1Char(' '), QLatin1Char(','));
        simulator.clearLog();
        clock.restart();
        form->Grid()->item(row - 1, CDistListFrm::ColMembers - 1)->setText(edited);
        if (!form->SaveFieldChange()) {
            std::fprintf(stderr, "the save was refused\n");
            return 1;
        }
        adminSave = Best(adminSave, Elapsed(clock));
        saveLines = LinesOf(simulator.commandLog());
        delete frame;

        // A fresh link for the plain client too, logged in and given the
        // procedures before its clock starts, as the editor's was.
        PlainClient client(simulator.host(), simulator.port());
        client.login("Cardomel", "Cardomel");
        for (const QString &line : upload)
            client.exchange(line.toUtf8());
        client.exchange("set sys_dl_long");
        clock.restart();
        for (const QString &line : loadLines)
            client.exchange(line.toUtf8());
        plainLoad = Best(plainLoad, Elapsed(clock));
        clock.restart();
        for (const QString &line : saveLines)
            client.exchange(line.toUtf8());
        plainSave = Best(plainSave, Elapsed(clock));
    }

    std::printf("a distribution list of %d members, best of %d runs each\n", count, rounds);
    std::printf("load     admin %9.1f ms   plain client %9.1f ms   ratio %.3f (bound 2)   %lld commands\n",
                adminLoad, plainLoad, adminLoad / plainLoad, qlonglong(loadLines.size()));
    std::printf("save     admin %9.1f ms   plain client %9.1f ms   ratio %.3f (bound 2)   %lld commands\n",
                adminSave, plainSave, adminSave / plainSave, qlonglong(saveLines.size()));
    std::printf("both     admin %9.1f ms   plain client %9.1f ms   ratio %.3f (bound 2)\n",
                adminLoad + adminSave, plainLoad + plainSave,
                (adminLoad + adminSave) / (plainLoad + plainSave));
    return 0;
}
