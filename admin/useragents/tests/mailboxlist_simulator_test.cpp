// The mailbox list against the server simulator with its demo data, through
// a real session: the list query and the statistics command as the server
// receives them, the rows they give, and a picture of the list for the
// build's screenshot folder.
#include "admin/testsupport/sessiontestbase.h"

#include "admin/session/logincredentials.h"
#include "admin/session/zeltsession.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "testserver/harness/simulatorprocess.h"

#include <QDir>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// Stands in for the mailbox sheet: holds the list and receives the GetUA
// replies the list asks for on its behalf.
class SheetWindow : public QWidget, public CMessageTarget {
public:
    SheetWindow() : CMessageTarget(this) { setWindowTitle(QStringLiteral("Mailbox Configuration (1)")); }
    ~SheetWindow() override { unregisterWindow(); }
    LRESULT WindowProc(UINT message, WPARAM code, LPARAM lParam) override
    {
        if (message == WM_SERVER_REPLY && code == CMailboxListCtrl::GetUARequestCode)
            m_loaded.append(*reinterpret_cast<const QString *>(lParam));
        return 0;
    }
    QStringList m_loaded;
};

class MailboxListAgainstSimulator : public SessionTestBase {
protected:
    void SetUp() override
    {
        SessionTestBase::SetUp();
        m_simulator = std::make_unique<testserver::SimulatorProcess>();
    }
    void TearDown() override
    {
        m_simulator.reset();
        SessionTestBase::TearDown();
    }
    bool logged(const QString &prefix) const
    {
        for (const testserver::LoggedCommand &command : m_simulator->commandLog())
            if (command.text.startsWith(prefix))
                return true;
        return false;
    }

    std::unique_ptr<testserver::SimulatorProcess> m_simulator;
};

TEST_F(MailboxListAgainstSimulator, FillsFromTheDemoDataWithStatisticsAndLoadsTheFirstBox)
{
    CZELTSession session(quickSettings(m_simulator->port()));
    session.Connect(
        CLoginCredentials{m_simulator->host(), QStringLiteral("Cardomel"), QStringLiteral("Cardomel")});

    SheetWindow sheet;
    auto *list = new CMailboxListCtrl(&session, {}, &sheet, sheet.GetSafeHwnd(), &sheet);
    auto *layout = new QVBoxLayout(&sheet);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(list);
    sheet.resize(880, 330);
    sheet.show();

    ASSERT_EQ(session.SendAsync(list, WM_SERVER_REPLY, CMailboxListCtrl::ListRequestCode,
                                QStringLiteral("get_parms_for_ua_type All")),
              S_OK);
    ASSERT_TRUE(waitUntil([&] { return !sheet.m_loaded.isEmpty(); }));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('\n').toStdString();
    EXPECT_GE(list->GetItemCount(), 300);
    EXPECT_TRUE(logged(QStringLiteral("Tcl_MailboxMessageStatReportNoASR {")));
    EXPECT_TRUE(logged(QStringLiteral("GetUA ") + QString::number(list->GetCurrentUANumber())));
    EXPECT_TRUE(
        sheet.m_loaded.first().startsWith(QStringLiteral("{") + QString::number(list->GetCurrentUANumber())))
        << sheet.m_loaded.first().toStdString();
    EXPECT_EQ(list->GetSelectedItem(), 0);

    int withStatistics = 0;
    for (int row = 0; row < list->GetItemCount(); ++row)
        withStatistics += list->GetItemText(row, CMailboxListModel::MessagesColumn) != QStringLiteral("N/A");
    EXPECT_EQ(withStatistics, list->GetItemCount()) << "every mailbox has its statistics";

    list->OnColumnClick(CMailboxListModel::NameColumn);
    list->SelectItem(3);
    const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR") + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    EXPECT_TRUE(sheet.grab().save(folder + QStringLiteral("/mailboxlist.png")));
}

} // namespace
