// Chanview's port list against the simulator: rows from the snapshot and the
// pushed lines in port order, the statistics of a port, the remembered
// size, a server that goes away, and a screenshot with live ports.
#include "admin/testsupport/appshelltestbase.h"
#include "admin/testsupport/waitnotice.h"

#include "admin/ports/portrowlist.h"
#include "admin/ports/portstatisticsdlg.h"
#include "admin/session/serverwait.h"
#include "admin/session/zeltsession.h"
#include "chanview/chanviewapp.h"
#include "chanview/chanviewlogindlg.h"
#include "chanview/chanviewstrings.h"
#include "chanview/portstatusdlg.h"
#include "platform/registry/profile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

bool waitUntil(const std::function<bool()> &done, int ms = 30000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

class ChanviewPortList : public AppShellTestBase {
protected:
    void SetUp() override
    {
        AppShellTestBase::SetUp();
        startServer();
        writeLoginSettings(m_server->host() + ",", "Cardomel", "0");
        CSessionSettings settings = ChanviewSessionSettings();
        settings.port = quickSettings().port;
        // The monitor's own waits for the login are too short for a loaded machine.
        settings.stateWaitMs = quickSettings().stateWaitMs;
        settings.disconnectWaitMs = quickSettings().disconnectWaitMs;
        settings.waitNoticeDelayMs = m_waitNoticeDelayMs;
        m_app = std::make_unique<CChanviewApp>(settings);
        ASSERT_TRUE(m_app->ReadStartSettings());
        m_dialogs.on<CChanviewLoginDlg>([](CChanviewLoginDlg *dialog) {
            dialog->SetDlgItemText(CLoginDlg::IDC_PASSWORD, QStringLiteral("Cardomel"));
            dialog->GetDlgItem<QPushButton>(IDOK)->click();
        });
        ASSERT_TRUE(m_app->LoginWithRetries());
    }
    void TearDown() override
    {
        m_dialog.reset();
        m_app.reset();
        AppShellTestBase::TearDown();
    }
    void openDialog()
    {
        m_dialog = std::make_unique<CPortStatusDlg>();
        m_dialog->Create();
    }
    QString rowText(int port) const
    {
        const int row = m_dialog->Rows().RowOf(port);
        return row < 0 ? QString() : m_dialog->PortList()->item(row)->text();
    }
    QList<int> ports() const
    {
        QList<int> list;
        for (int i = 0; i < m_dialog->PortList()->count(); ++i)
            list.append(m_dialog->PortList()->item(i)->data(CPortRowList::PortRole).toInt());
        return list;
    }

    int m_waitNoticeDelayMs = CSessionSettings().waitNoticeDelayMs;
    std::unique_ptr<CChanviewApp> m_app;
    std::unique_ptr<CPortStatusDlg> m_dialog;
};

TEST_F(ChanviewPortList, ShowsEveryPortLiveInPortOrder)
{
    openDialog();
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Voice Ports Status on ") + m_server->host());
    ASSERT_TRUE(waitUntil([&] { return m_dialog->PortList()->count() == 8; }));
    EXPECT_EQ(rowText(4), QStringLiteral("Voice Port   4:   {Waiting for Digits}"));
    EXPECT_EQ(rowText(1), QStringLiteral("Voice Port   1: {             On-Hook}"));

    for (int port : {25, 12, 19})
        m_server->setPortState(port, QStringLiteral("Ringing"));
    m_server->setPortState(1, QStringLiteral("Off-Hook"));
    ASSERT_TRUE(waitUntil([&] { return rowText(1).endsWith(QStringLiteral("Off-Hook}")); }));
    EXPECT_EQ(ports(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 12, 19, 25}));
    EXPECT_TRUE(rowText(12).endsWith(QStringLiteral("Ringing}")));
}

// A state text the table does not know (its case included) makes no row and
// leaves a port's row as it was; a later known state goes on as usual.
TEST_F(ChanviewPortList, AStateTheTableDoesNotKnowChangesNothing)
{
    openDialog();
    ASSERT_TRUE(waitUntil([&] { return m_dialog->PortList()->count() == 8; }));
    const QString portTwo = rowText(2);
    const QImage portTwoIcon = m_dialog->PortList()->item(m_dialog->Rows().RowOf(2))->icon().pixmap(16).toImage();
    m_server->setPortState(2, QStringLiteral("on-hook"));
    m_server->setPortState(30, QStringLiteral("Dancing"));
    m_server->setPortState(3, QStringLiteral("Ringing"));
    ASSERT_TRUE(waitUntil([&] { return rowText(3).endsWith(QStringLiteral("Ringing}")); }));
    EXPECT_EQ(rowText(2), portTwo);
    EXPECT_TRUE(m_dialog->PortList()->item(m_dialog->Rows().RowOf(2))->icon().pixmap(16).toImage() ==
                portTwoIcon);
    EXPECT_EQ(m_dialog->Rows().RowOf(30), -1);
    EXPECT_EQ(ports(), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(ChanviewPortList, StatisticsShowTheServersFiguresForThePortUnderTheFocus)
{
    openDialog();
    ASSERT_TRUE(waitUntil([&] { return m_dialog->PortList()->count() == 8; }));
    m_dialog->PortList()->setCurrentRow(1);
    bool shown = false;
    m_dialogs.on<CPortStatisticsDlg>([&](CPortStatisticsDlg *statistics) {
        shown = true;
        EXPECT_EQ(statistics->windowTitle(),
                  QStringLiteral("Statistics - Voice Port 2 on ") + m_server->host());
        EXPECT_EQ(statistics->StatisticText(0), QStringLiteral("98"));
        EXPECT_EQ(statistics->StatisticText(1), QStringLiteral("22"));
        statistics->GetDlgItem<QPushButton>(CPortStatisticsDlg::MonitorLayout.closeId)->click();
    });
    m_dialog->ShowFocusedPortStatistics();
    EXPECT_TRUE(shown);
}

TEST_F(ChanviewPortList, RemembersTheSizeTheUserChose)
{
    openDialog();
    m_dialog->resize(700, 420);
    QCoreApplication::processEvents();
    const QRect list = m_dialog->PortList()->geometry();
    EXPECT_EQ(list.right(), 700 - 1 - 7);
    EXPECT_EQ(list.bottom(), 420 - 1 - 7);
    m_dialog->EndDialog(IDOK);
    const CProfile profile = CProfile::inIniFile(QStringLiteral("Chanview.ini"));
    EXPECT_EQ(profile.GetProfileInt(QStringLiteral("66"), QStringLiteral("CX"), 0), 700);
    EXPECT_EQ(profile.GetProfileInt(QStringLiteral("66"), QStringLiteral("CY"), 0), 420);

    openDialog();
    EXPECT_EQ(m_dialog->size(), QSize(700, 420));
}

// A size remembered on a larger screen, or a corrupt store, is bounded by
// this screen, so the window can be seen whole.
TEST_F(ChanviewPortList, ARememberedSizeLargerThanTheScreenIsBoundedByIt)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        const char *name;
        int width;
        int height;
        QSize expected;
    } cases[] = {
        {"largest int", 2147483647, 2147483647, screen.size()},
        {"wider", 32767, 400, QSize(screen.width(), 400)},
        {"taller", 700, 100000, QSize(700, screen.height())},
        {"fits", 700, 420, QSize(700, 420)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CProfile profile = CProfile::inIniFile(QStringLiteral("Chanview.ini"));
        profile.WriteProfileInt(QStringLiteral("66"), QStringLiteral("CX"), c.width);
        profile.WriteProfileInt(QStringLiteral("66"), QStringLiteral("CY"), c.height);
        openDialog();
        m_dialog->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(m_dialog->size(), c.expected);
        // The list follows the window to its remembered size.
        EXPECT_EQ(m_dialog->PortList()->geometry().right(), c.expected.width() - 1 - 7);
        EXPECT_EQ(m_dialog->PortList()->geometry().bottom(), c.expected.height() - 1 - 7);
        if (c.width == 2147483647)
            SaveScreenshot(m_dialog.get(), QStringLiteral("chanview-remembered-size-bounded.png"));
        m_dialog.reset();
    }
}

TEST_F(ChanviewPortList, AnEnlargedWindowCanBeMadeSmallAgainDownToItsDesignedSize)
{
    const QSize designed(660, 320);
    openDialog();
    EXPECT_EQ(m_dialog->minimumSize(), designed);
    m_dialog->resize(900, 600);
    QCoreApplication::processEvents();
    m_dialog->EndDialog(IDOK);

    // Opened again at the remembered size, it still shrinks to the design.
    openDialog();
    ASSERT_EQ(m_dialog->size(), QSize(900, 600));
    EXPECT_EQ(m_dialog->minimumSize(), designed);
    m_dialog->resize(700, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_dialog->size(), QSize(700, 400));
    m_dialog->resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_dialog->size(), designed);
}

// The operator decides when to close: the rows stay, the title says the
// server is gone, and nothing else interrupts.
TEST_F(ChanviewPortList, KeepsTheLastRowsAndMarksTheTitleWhenTheServerGoesAway)
{
    openDialog();
    ASSERT_TRUE(waitUntil([&] { return m_dialog->PortList()->count() == 8; }));
    const QString portOne = rowText(1);
    m_server->dropLinks();
    ASSERT_TRUE(waitUntil([&] { return m_dialog->IsServerLost(); }));
    for (int turn = 0; turn < 20; ++turn)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->windowTitle(),
              QStringLiteral("Voice Ports Status on %1 - The server is not available.").arg(m_server->host()));
    EXPECT_EQ(m_dialog->PortList()->count(), 8);
    EXPECT_EQ(rowText(1), portOne);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join(u'|').toStdString();
}

TEST_F(ChanviewPortList, ALoginSessionLostBeforeTheListOpensMarksItAtOnceAndLeavesItOpen)
{
    ASSERT_EQ(m_server->dropLinks(), 1);
    ASSERT_TRUE(
        waitUntil([&] { return m_app->GetLoginSession()->GetState() == CZELTSession::StateNotConnected; }));
    openDialog();
    EXPECT_TRUE(m_dialog->IsServerLost());
    for (int turn = 0; turn < 20; ++turn)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(m_dialog->windowTitle().endsWith(QStringLiteral(" - The server is not available.")));
    EXPECT_EQ(m_dialog->PortList()->count(), 0);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join(u'|').toStdString();
    EXPECT_EQ(m_server->connectionCount(), 0);
}

TEST_F(ChanviewPortList, AServerLostWhileTheListLogsInMarksTheListOnceItShows)
{
    // The login session's link ends while the dialog's own login waits for
    // its greeting; some event-loop turns after the dialog knows, its link
    // ends too.
    m_server->withholdNextGreeting();
    bool loginLinkDropped = false;
    bool allDropped = false;
    int turnsSinceKnown = 0;
    QTimer lose;
    QObject::connect(&lose, &QTimer::timeout, [&] {
        if (!loginLinkDropped && m_server->connectionCount() == 2) {
            loginLinkDropped = m_server->dropLink(m_server->commandLog().front().connection);
        } else if (loginLinkDropped && m_dialog && m_dialog->IsServerLost() && ++turnsSinceKnown == 20) {
            lose.stop();
            m_server->dropLinks();
            allDropped = true;
        }
    });
    lose.start(10);
    m_boxes->answer({IDOK, IDOK});
    openDialog();
    ASSERT_TRUE(waitUntil([&] { return allDropped; }));
    for (int turn = 0; turn < 20; ++turn)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(m_dialog->IsServerLost());
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(m_dialog->windowTitle().endsWith(QStringLiteral(" - The server is not available.")));
    // The dialog's link ended before its greeting: no login was tried.
    EXPECT_EQ(m_boxes->texts(),
              (QStringList{"The server's answer could not be read: the link ended before the "
                           "server's greeting was complete.",
                           "Password changed and login declined"}));
}

class ChanviewLateServer : public ChanviewPortList {
protected:
    ChanviewLateServer() { m_waitNoticeDelayMs = 200; }
};

// The list's start waits for the server's answer to its trace request: a
// server that holds it back meets the wait's notice, and Cancel there lets
// the list open and go on with the ports as the server tells them.
TEST_F(ChanviewLateServer, CancelInTheNoticeOfAHeldTraceRequestOpensTheList)
{
    m_server->delayNextReply(30000, QStringLiteral("RegisterTraceConsumer"));
    {
        WaitNoticeCanceller operatorAtWork;
        operatorAtWork.OnlyTheFirstNoticeSaying(CServerWait::ReplyText("RegisterTraceConsumer"));
        openDialog();
        EXPECT_EQ(operatorAtWork.cancelled(), 1);
        EXPECT_EQ(operatorAtWork.lastText(), "Waiting for the server to answer \"RegisterTraceConsumer\"…");
    }
    m_dialog->show();
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("Voice Ports Status on ") + m_server->host());
    ASSERT_TRUE(waitUntil([&] { return m_dialog->PortList()->count() == 8; }));
    m_server->setPortState(1, QStringLiteral("Off-Hook"));
    EXPECT_TRUE(waitUntil([&] { return rowText(1).endsWith(QStringLiteral("Off-Hook}")); }));
}

TEST_F(ChanviewPortList, SavesAScreenshotWithLivePorts)
{
    for (int port = 9; port <= 24; ++port)
        m_server->setPortState(port, port % 3 ? QStringLiteral("On-Hook") : QStringLiteral("Playing Msg"));
    openDialog();
    ASSERT_TRUE(waitUntil([&] { return m_dialog->PortList()->count() == 24; }));
    m_server->setPortState(10, QStringLiteral("Recording Message"));
    m_server->setPortState(15, QStringLiteral("Transferring"));
    ASSERT_TRUE(waitUntil([&] { return rowText(15).contains(QStringLiteral("Transferring")); }));
    m_dialog->PortList()->setCurrentRow(2);
    QCoreApplication::processEvents();
    QDir folder(qEnvironmentVariable("VERBANTA_BINARY_DIR"));
    ASSERT_TRUE(folder.mkpath(QStringLiteral("screenshots")));
    EXPECT_TRUE(m_dialog->grab().save(folder.filePath(QStringLiteral("screenshots/chanview.png"))));
}
} // namespace
