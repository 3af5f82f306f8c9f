// The port status window and the port statistics dialog against the
// simulator: rows from the snapshot, updates from pushed lines, order kept,
// the simulator's figures, and error replies shown as errors.
#include "admin/testsupport/sessiontestbase.h"

#include "admin/ports/portrowlist.h"
#include "admin/ports/portstatisticsdlg.h"
#include "admin/ports/portstatusview.h"
#include "admin/session/zeltsession.h"
#include "testserver/harness/simulatorprocess.h"

#include <QStyleOptionViewItem>
#include <QTest>

#include <memory>

namespace {

using testserver::SimulatorProcess;

class PortStatusAgainstSimulator : public SessionTestBase {
protected:
    void SetUp() override
    {
        SessionTestBase::SetUp();
        m_simulator = std::make_unique<SimulatorProcess>();
        m_session = std::make_unique<CZELTSession>(quickSettings(m_simulator->port()));
        m_session->Connect(CLoginCredentials{m_simulator->host(), "Cardomel", "Cardomel"});
    }
    void TearDown() override
    {
        m_session->Disconnect();
        m_session.reset();
        m_simulator.reset();
        SessionTestBase::TearDown();
    }
    QString rowText(const CPortStatusView &view, int port)
    {
        const int row = const_cast<CPortStatusView &>(view).Rows().RowOf(port);
        return row < 0 ? QString() : view.item(row)->text();
    }

    std::unique_ptr<SimulatorProcess> m_simulator;
    std::unique_ptr<CZELTSession> m_session;
};

TEST_F(PortStatusAgainstSimulator, ShowsTheSnapshotThenFollowsPushedLinesInPortOrder)
{
    bool closed = false;
    {
        CPortStatusView view;
        view.SetClosedHandler([&closed] { closed = true; });
        view.OnInitialUpdate(m_session->CommandChannel(), m_session->SubscriptionSink());
        ASSERT_TRUE(waitUntil([&] { return view.count() == 8; }));
        EXPECT_TRUE(rowText(view, 4).contains(QStringLiteral("{Waiting for Digits}")));

        m_simulator->setPortState(3, QStringLiteral("Busy"));
        m_simulator->setPortState(12, QStringLiteral("On-Hook"));
        m_simulator->setPortState(10, QStringLiteral("Ringing"));
        ASSERT_TRUE(waitUntil([&] { return view.count() == 10; }));
        ASSERT_TRUE(waitUntil([&] { return rowText(view, 3).endsWith(QStringLiteral("Busy}")); }));
        for (int row = 1; row < view.count(); ++row)
            EXPECT_LT(view.item(row - 1)->data(CPortRowList::PortRole).toInt(),
                      view.item(row)->data(CPortRowList::PortRole).toInt());
        EXPECT_TRUE(rowText(view, 1).endsWith(QStringLiteral("On-Hook}")));
        EXPECT_TRUE(view.RowShown());
    }
    EXPECT_TRUE(closed);
}

TEST_F(PortStatusAgainstSimulator, MalformedLinesLeaveTheRowsAsTheyWere)
{
    CPortStatusView view;
    view.OnInitialUpdate(m_session->CommandChannel(), m_session->SubscriptionSink());
    ASSERT_TRUE(waitUntil([&] { return view.count() == 8; }));
    const QString before = rowText(view, 1);
    m_simulator->pushLine(QStringLiteral(".trace 8 1 1 {Port 1 State}"));
    m_simulator->pushLine(QStringLiteral(".trace 8 1 1 {Port 100000 State Busy 0}"));
    m_simulator->pushLine(QStringLiteral(".trace 8 1 {Port 1 State Busy 0}"));
    m_simulator->setPortState(2, QStringLiteral("Ringing"));
    ASSERT_TRUE(waitUntil([&] { return rowText(view, 2).endsWith(QStringLiteral("Ringing}")); }));
    EXPECT_EQ(rowText(view, 1), before);
    EXPECT_EQ(view.count(), 8);
}

TEST_F(PortStatusAgainstSimulator, EveryRowShowsItsWholeText)
{
    CPortStatusView view;
    view.resize(640, 150);
    view.show();
    view.OnInitialUpdate(m_session->CommandChannel(), m_session->SubscriptionSink());
    ASSERT_TRUE(waitUntil([&] { return view.count() == 8; }));
    waitUntil([] { return false; }, 100);
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.decorationSize = view.iconSize();
    for (int row = 0; row < view.count(); ++row) {
        const QModelIndex index = view.model()->index(row, 0);
        const int needed = view.itemDelegate()->sizeHint(option, index).width();
        EXPECT_GE(view.visualRect(index).width(), needed) << index.data().toString().toStdString();
    }
}

TEST_F(PortStatusAgainstSimulator, HelpKeyOpensTheHelpOrSaysEachTimeThatItIsNotInstalled)
{
    qputenv("VERBANTA_HELP_DIR", m_folder.filePath("nohelp").toUtf8());
    CPortStatusView view;
    view.OnInitialUpdate(m_session->CommandChannel(), m_session->SubscriptionSink());
    view.show();
    m_boxes->answer({IDOK, IDOK});
    QTest::keyClick(&view, Qt::Key_F1);
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_EQ(SendMessage(view.GetSafeHwnd(), WM_HELP, 0, 0), 1);
    ASSERT_EQ(m_boxes->texts().size(), 2) << "the second request is answered too";
    EXPECT_TRUE(m_boxes->texts().last().startsWith("Help is not installed"));
}

TEST_F(PortStatusAgainstSimulator, StatisticsShowTheServersFigures)
{
    CPortStatisticsDlg dialog(1, m_session->CommandChannel(), CPortStatisticsDlg::MonitorLayout,
                              QStringLiteral("alpha"));
    dialog.Fill();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Statistics - Voice Port 1 on alpha"));
    ASSERT_EQ(dialog.RowCount(), 5);
    EXPECT_EQ(dialog.StatisticText(0), QStringLiteral("120"));
    EXPECT_EQ(dialog.StatisticText(1), QStringLiteral("14"));
    EXPECT_EQ(dialog.StatisticText(2), QString::number(120 * 37));
    EXPECT_EQ(dialog.StatisticText(3),
              CPortStatisticsDlg::LastCalledText(QString::number(1765300000 + 3600)));
    EXPECT_EQ(dialog.StatisticText(4), QStringLiteral("0"));
    dialog.Fill();
    EXPECT_EQ(dialog.RowCount(), 5);

    CPortStatisticsDlg idle(7, m_session->CommandChannel(), CPortStatisticsDlg::AdminLayout);
    idle.Fill();
    EXPECT_EQ(idle.windowTitle(), QStringLiteral("Statistics - Voice Port 7"));
    EXPECT_EQ(idle.StatisticText(3), QStringLiteral("Never Called"));
}

// An error reply is no figure: all five statistics read "Not available",
// whatever the error's text would split into.
TEST_F(PortStatusAgainstSimulator, StatisticsAnsweredWithAnErrorSayNotAvailable)
{
    for (const QString &error : {QStringLiteral("!ERROR {no such port}"),
                                 QStringLiteral("!{p_cnt_in 9 p_cnt_out 4} x")}) {
        m_simulator->answerCommand(QStringLiteral("Tcl_PortStatistics"),
                                   QStringLiteral("Tcl_PortStatistics ") + error);
        CPortStatisticsDlg dialog(1, m_session->CommandChannel(), CPortStatisticsDlg::AdminLayout);
        dialog.Fill();
        ASSERT_EQ(dialog.RowCount(), 5) << error.toStdString();
        for (int row = 0; row < 5; ++row)
            EXPECT_EQ(dialog.StatisticText(row), QStringLiteral("Not available")) << error.toStdString();
    }
}

TEST_F(PortStatusAgainstSimulator, StatisticsWithoutAFigureSayNotAvailable)
{
    m_simulator->answerCommand(QStringLiteral("Tcl_PortStatistics"),
                               QStringLiteral("Tcl_PortStatistics {Port 1 p_cnt_in 3 p_l_called {}}"));
    CPortStatisticsDlg dialog(1, m_session->CommandChannel(), CPortStatisticsDlg::AdminLayout);
    dialog.Fill();
    ASSERT_EQ(dialog.RowCount(), 5);
    EXPECT_EQ(dialog.StatisticText(0), QStringLiteral("3"));
    EXPECT_EQ(dialog.StatisticText(1), QStringLiteral("Not available"));
    EXPECT_EQ(dialog.StatisticText(3), QStringLiteral("Not available"));
}
} // namespace
