// The mailbox editor left alone, against the server simulator: the processor
// time the program spends while the editor shows a box and nothing happens.
// Printed for demo box 106 on its Options page, which shows own-value and
// lock marks, and on its Menus and Info pages: the processor time over a few
// seconds of rest and its share of one core. An idle editor stays near 0 %.
//   admin_mailboxeditor_bench [seconds]   (default 3 seconds a page)
#include "admin/session/zeltsession.h"
#include "admin/useragents/admindoc.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/mailboxpages.h"
#include "platform/mfc/propertypage.h"
#include "scripts/bench/benchapplication.h"
#include "scripts/bench/simulatorlogin.h"
#include "testserver/harness/simulatorprocess.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

constexpr long kBox = 106;

qint64 processorMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return qint64(t.tv_sec) * 1000 + t.tv_usec / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the events until `done` holds or ten seconds have passed.
bool runEventsUntil(const std::function<bool()> &done)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 10000)
        runEventsFor(20);
    return done();
}

// Shows page `index` of the sheet, lets it settle, then rests for `seconds`.
void measureRest(CMailboxPps &sheet, int index, int seconds)
{
    sheet.SetActivePage(index);
    auto *page = dynamic_cast<CInhPropertyPg *>(sheet.GetActivePage());
    if (!runEventsUntil([page] { return page && page->GetMailboxNumber() == kBox; })) {
        std::fprintf(stderr, "page %d did not load box %ld\n", index, kBox);
        std::exit(1);
    }
    runEventsFor(500);
    const qint64 before = processorMs();
    runEventsFor(seconds * 1000);
    const qint64 used = processorMs() - before;
    std::printf("box %ld, page %-14s rest %d s  processor %6lld ms  (%5.1f %% of a core)\n", kBox,
                qPrintable(page->windowTitle()), seconds, static_cast<long long>(used),
                100.0 * double(used) / (seconds * 1000.0));
}

} // namespace

int main(int argc, char **argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    BenchApplication application(argc, argv);
    if (!application.Ready())
        return 1;

    testserver::SimulatorProcess simulator;
    CZELTSession session(SettingsFor(simulator));
    const CLoginCredentials login = ManufacturerLogin(simulator);
    session.Connect(login);

    CMailboxPageServices services;
    services.userApps = QStringList{"Voicemail", "AutoAttendant", "Directory"};
    services.applicationChannel = &session;
    services.mailboxRootText = QStringLiteral("MB");
    services.serverTimeZone = session.ServerTimeZone();
    CAdminDoc document(CAdminDoc::Account{[](long) { return true; }, true});
    if (!document.OnNewDocument(session, login))
        return 1;
    CMailboxPps sheet(QStringLiteral("Mailbox Configuration"), document.Channel(), kBox, &document);
    sheet.SetPageFactory([&services](CMailboxPps &s) { return CMailboxPages::Make(s, services); });
    sheet.AddPages();
    sheet.resize(900, 820);
    sheet.Create();
    sheet.show();
    if (!runEventsUntil([&sheet] { return sheet.ShownNumber() == kBox; }))
        return 1;
    for (int index = 0; index < sheet.GetPageCount(); ++index) {
        const QString caption = sheet.GetPage(index)->windowTitle();
        if (caption == QLatin1String("User Mode Options") || caption == QLatin1String("Menus") ||
            caption == QLatin1String("Info"))
            measureRest(sheet, index, seconds);
    }
    sheet.ReleasePages();
    return 0;
}
