// The Info page against the simulator: box 106's statistics as the server
// reports them, the exact queries with the thread priority lowered around
// them, the refresh period kept within bounds, no second batch while one is
// answered, late statistics of a box left behind dropped, the priority put
// back when a query cannot be sent, and the history start date.
#include "admin/session/zltexception.h"
#include "admin/useragents/pages/infoppg.h"
#include "admin/useragents/pages/tests/pagetestbase.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

namespace {

constexpr int kInfoPage = 4;
using Page = CInfoPpg;

const QString kInfoQuery = QStringLiteral("Tcl_MailboxInfoReportNoASR {106} {Creation_Time m_changed_time }");
const QString kMessageQuery =
    QStringLiteral("Tcl_MailboxMessageStatReportNoASR {106} {m_t_msgcnt m_n_msgcnt m_n_msglen m_c_fax }");
const QString kStatisticsQuery = QStringLiteral(
    "Tcl_MailboxStatisticsNoASR {106} {m_c_accessed m_t_login m_max_count m_t_messages m_c_busy m_s_fax "
    "m_c_called m_c_tre m_c_login m_c_notification m_l_called m_l_transfered Last_Logon m_l_notified } {-1} "
    "{-1}");

QString localTime(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds).toString(QStringLiteral("MM/dd/yyyy HH:mm"));
}

// Passes everything to the document's channel, except that the chosen
// asynchronous query cannot be sent and the chosen command is refused.
class FailingChannel : public CServerCommandChannel {
public:
    explicit FailingChannel(CServerCommandChannel &inner) : m_inner(inner) {}
    // The send `more` sends from now cannot go.
    void failSendAfter(int more) { m_failingSend = m_sends + more; }
    QString m_refused;
    QStringList m_sent;

    QString Execute(const QString &command, bool check, int type) override
    {
        m_sent.append(command);
        if (command == m_refused)
            return QStringLiteral("!ERROR refused by the test");
        return m_inner.Execute(command, check, type);
    }
    HRESULT SendAsync(CMessageTarget *window, UINT message, WPARAM code, const QString &command, bool check,
                      int type) override
    {
        m_sent.append(command);
        if (++m_sends == m_failingSend)
            throw CZltException(QStringLiteral("IPC send failure 0x80004005"));
        return m_inner.SendAsync(window, message, code, command, check, type);
    }
    HRESULT SendNoReply(const QString &command, int type) override
    {
        return m_inner.SendNoReply(command, type);
    }
    CPendingCommand BeginCommand(const QString &command, bool check, int type) override
    {
        return m_inner.BeginCommand(command, check, type);
    }
    QString WaitReply(CPendingCommand &command) override { return m_inner.WaitReply(command); }

private:
    CServerCommandChannel &m_inner;
    int m_sends = 0;
    int m_failingSend = 0;
};

class InfoPage : public PageTestBase {
protected:
    void SetUp() override
    {
        PageTestBase::SetUp();
        m_services.profile = CProfile::inRegistry(QStringLiteral("Verbanta"), QStringLiteral("Admin"));
    }
    Page &info() { return page<Page>(); }
    QString text(int id) { return info().GetDlgItemText(id); }
    bool shows(int id, const QString &value)
    {
        return waitUntil([&] { return text(id) == value; }, 5000);
    }
    void refresh() { click(Page::IDC_REFRESH_STATISTICS); }
    int count(const QString &command) { return int(m_simulator->commandTexts().count(command)); }
    std::unique_ptr<FailingChannel> m_failing;
};

} // namespace

TEST_F(InfoPage, ShowsTheStatisticsOfTheBox)
{
    openSheet(106, kInfoPage);
    ASSERT_TRUE(shows(1411, "214"));
    EXPECT_EQ(text(Page::IDC_CREATED), "03/17/2002 10:15");
    EXPECT_EQ(text(Page::IDC_SAVED), localTime(1796766120));
    EXPECT_EQ(text(1404), "12");
    EXPECT_EQ(text(1405), "50");
    EXPECT_EQ(text(1406), "3");
    EXPECT_EQ(text(1407), "95");
    EXPECT_EQ(text(1408), "15") << "the total is m_t_messages";
    EXPECT_EQ(text(1409), "1");
    EXPECT_EQ(text(1410), "4");
    EXPECT_EQ(text(1412), "87");
    EXPECT_EQ(text(Page::IDC_LOGINS), "41");
    EXPECT_EQ(text(1414), "9");
    EXPECT_EQ(text(Page::IDC_LAST_CALLED), localTime(1796918700));
    EXPECT_EQ(text(Page::IDC_LAST_TRANSFERRED), localTime(1796854800));
    EXPECT_EQ(text(Page::IDC_LAST_LOGIN), localTime(1796908320));
    EXPECT_EQ(text(1418), localTime(1796854800));
    EXPECT_EQ(text(Page::IDC_QUERY_ERROR), "");
    saveScreenshot("mailbox-page-info.png");
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(InfoPage, QueriesRunWithThePriorityLoweredAroundThem)
{
    openSheet(106, kInfoPage);
    ASSERT_TRUE(shows(1411, "214"));
    m_simulator->clearLog();
    refresh();
    ASSERT_TRUE(waitUntil([&] { return info().OutstandingReplies() == 0 && count(kStatisticsQuery) == 1; }));
    EXPECT_EQ(m_simulator->commandTexts(), (QStringList{"SetThreadPriority -2", kInfoQuery, kMessageQuery,
                                                        kStatisticsQuery, "SetThreadPriority 0"}));
}

TEST_F(InfoPage, ARefreshShowsTheNewFigures)
{
    openSheet(106, kInfoPage);
    ASSERT_TRUE(shows(1411, "214"));
    m_simulator->seed("stats 106 {m_c_called 215 m_l_called 1796920000 m_c_login 0 Last_Logon 1796920000}");
    refresh();
    ASSERT_TRUE(shows(1411, "215"));
    EXPECT_EQ(text(Page::IDC_LAST_CALLED), localTime(1796920000));
    EXPECT_EQ(text(Page::IDC_LOGINS), "0");
    // No logins: the last login is not shown, and the new time not taken.
    EXPECT_EQ(text(Page::IDC_LAST_LOGIN), "");
    // Statistics the box no longer has count as none.
    EXPECT_EQ(text(1412), "0");
    EXPECT_EQ(text(Page::IDC_LAST_TRANSFERRED), "");
}

struct PeriodCase {
    const char *name;
    const char *seed;   // seed commands; empty: the demo's
    const char *answer; // the server's answer to "set sys_statistics_interval"; empty: none scripted
    int period;
    bool timer;
};

class InfoPeriod : public InfoPage, public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(InfoPeriod, StaysWithinBounds)
{
    const PeriodCase &c = GetParam();
    if (*c.seed)
        m_simulator->seed(QString::fromLatin1(c.seed));
    if (*c.answer)
        m_simulator->answerCommand("set", QString::fromLatin1(c.answer));
    openSheet(106, kInfoPage);
    EXPECT_EQ(info().RefreshPeriod(), c.period);
    EXPECT_EQ(info().IsRefreshTimerRunning(), c.timer);
    if (*c.answer)
        m_simulator->clearAnswer("set");
    // The button refreshes whatever the period.
    ASSERT_TRUE(shows(1411, "214"));
    m_simulator->seed("stats 106 {m_c_called 300}");
    refresh();
    EXPECT_TRUE(shows(1411, "300"));
}

INSTANTIATE_TEST_SUITE_P(
    InfoPage, InfoPeriod,
    ::testing::Values(
        PeriodCase{"DemoServer", "", "", 15000, true},
        PeriodCase{"ZeroIsTheShortestAllowed", "var sys_statistics_interval 0", "", 1000, true},
        PeriodCase{"TooShortIsTheShortestAllowed", "var sys_statistics_interval 20", "", 1000, true},
        PeriodCase{"MinusOneTurnsRefreshingOff", "var sys_statistics_interval -1", "", -1, false},
        PeriodCase{"OtherNegativeIsTheShortestAllowed", "var sys_statistics_interval -7", "", 1000, true},
        PeriodCase{"HugeIsTheLongestAllowed", "var sys_statistics_interval 99999999999", "", 86400000, true},
        PeriodCase{"NotANumberTakesTheDefault", "var sys_statistics_interval soon", "", 60000, true},
        PeriodCase{"ErrorReplyTakesTheDefault", "", "set !ERROR server busy", 60000, true}),
    [](const ::testing::TestParamInfo<PeriodCase> &info) { return std::string(info.param.name); });

TEST_F(InfoPage, AnUnsetIntervalTakesTheDefault)
{
    m_simulator->answerCommand("set",
                               "set !ERROR {can't read \"sys_statistics_interval\": no such variable}");
    openSheet(106, kInfoPage);
    EXPECT_EQ(info().RefreshPeriod(), 60000);
}

TEST_F(InfoPage, NoTickSendsWhileRepliesAreOutstanding)
{
    m_simulator->seed("var sys_statistics_interval 0");
    openSheet(106, kInfoPage);
    ASSERT_TRUE(shows(1411, "214"));
    ASSERT_EQ(info().RefreshPeriod(), 1000);
    m_simulator->delayNextReply(3500, "Tcl_MailboxStatisticsNoASR");
    m_simulator->clearLog();
    refresh();
    ASSERT_TRUE(waitUntil([&] { return count(kStatisticsQuery) == 1; }));
    // Three ticks pass while the statistics are held back.
    waitUntil([] { return false; }, 2600);
    EXPECT_EQ(info().OutstandingReplies(), 1);
    EXPECT_EQ(count(kStatisticsQuery), 1);
    EXPECT_EQ(count("SetThreadPriority -2"), 1);
    // Answered: the ticks ask again.
    EXPECT_TRUE(waitUntil([&] { return count(kStatisticsQuery) >= 2; }, 5000));
}

TEST_F(InfoPage, StatisticsOfABoxLeftBehindAreDropped)
{
    openSheet(106, kInfoPage);
    ASSERT_TRUE(shows(1411, "214"));
    m_simulator->seed("stats 106 {m_c_called 999}");
    m_simulator->delayNextReply(1500, "Tcl_MailboxStatisticsNoASR");
    refresh();
    ASSERT_TRUE(waitUntil([&] { return count(kStatisticsQuery) == 1; }));
    type(Page::IDC_MAILBOX_NUMBER, "105");
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ShownNumber() == 105; }));
    ASSERT_TRUE(shows(1411, "0"));
    // Box 106's late answer comes, and is not shown under box 105.
    waitUntil([] { return false; }, 2000);
    EXPECT_EQ(text(1411), "0");
    EXPECT_EQ(text(Page::IDC_CREATED), Page::Updating);
}

TEST_F(InfoPage, ThePriorityIsPutBackWhenAQueryCannotBeSent)
{
    m_wrapChannel = [this](CServerCommandChannel &document) {
        m_failing = std::make_unique<FailingChannel>(document);
        return m_failing.get();
    };
    openSheet(106, kInfoPage);
    ASSERT_TRUE(shows(1411, "214"));
    m_simulator->clearLog();
    m_boxes->answer(IDOK);
    m_failing->m_sent.clear();
    m_failing->failSendAfter(2);
    refresh();
    EXPECT_EQ(m_failing->m_sent,
              (QStringList{"SetThreadPriority -2", kInfoQuery, kMessageQuery, "SetThreadPriority 0"}));
    ASSERT_TRUE(waitUntil([&] { return count("SetThreadPriority 0") == 1; }));
    EXPECT_EQ(m_simulator->commandTexts().first(), "SetThreadPriority -2");
    EXPECT_EQ(m_boxes->texts(), QStringList{"IPC send failure 0x80004005"});
}

TEST_F(InfoPage, RefusedPriorityCommandsAreReported)
{
    m_wrapChannel = [this](CServerCommandChannel &document) {
        m_failing = std::make_unique<FailingChannel>(document);
        return m_failing.get();
    };
    openSheet(106, kInfoPage);
    ASSERT_TRUE(shows(1411, "214"));
    m_failing->m_refused = "SetThreadPriority 0";
    m_boxes->answer(IDOK);
    refresh();
    EXPECT_EQ(m_boxes->texts(),
              QStringList{"Statistics query executed but the command to set priority for the "
                          "process back to normal returned an error, contact your Admin if you "
                          "keep seeing this message"});
    m_failing->m_refused = "SetThreadPriority -2";
    m_failing->m_sent.clear();
    m_boxes->answer(IDOK);
    waitUntil([&] { return info().OutstandingReplies() == 0; });
    refresh();
    EXPECT_EQ(m_failing->m_sent, QStringList{"SetThreadPriority -2"});
    EXPECT_EQ(m_boxes->texts().last(),
              "Statistics will not be updated because the command to set priority for "
              "the process returned an error, contact your Admin if the problem persists");
}

TEST_F(InfoPage, AnErrorReplyIsShownAndStopsTheTimer)
{
    m_simulator->failCommand("Tcl_MailboxStatistics", "no statistics database");
    openSheet(106, kInfoPage);
    ASSERT_TRUE(waitUntil([&] { return !text(Page::IDC_QUERY_ERROR).isEmpty(); }, 5000));
    EXPECT_TRUE(text(Page::IDC_QUERY_ERROR).startsWith("!ERROR"))
        << text(Page::IDC_QUERY_ERROR).toStdString();
    EXPECT_TRUE(text(Page::IDC_QUERY_ERROR).contains("no statistics database"));
    EXPECT_FALSE(info().IsRefreshTimerRunning());
}

TEST_F(InfoPage, MalformedRepliesAreOnlyShownAsErrors)
{
    m_simulator->answerCommand("Tcl_MailboxInfoReportNoASR", "Tcl_MailboxInfoReportNoASR {a b c}");
    openSheet(106, kInfoPage);
    ASSERT_TRUE(shows(1411, "214"));
    // The batch's good replies leave the complaint of the bad one shown.
    EXPECT_EQ(text(Page::IDC_QUERY_ERROR), "Didn't get name/value pairs.");
    EXPECT_EQ(text(Page::IDC_CREATED), Page::Updating);
    // Each refresh once the batch before is answered: one still answered is
    // not asked again.
    const auto answered = [&] { return info().OutstandingReplies() == 0; };
    m_simulator->answerCommand("Tcl_MailboxInfoReportNoASR", "Tcl_MailboxInfoReportNoASR {}");
    ASSERT_TRUE(waitUntil(answered));
    refresh();
    ASSERT_TRUE(shows(Page::IDC_QUERY_ERROR, "{}"));
    m_simulator->answerCommand("Tcl_MailboxInfoReportNoASR", "Tcl_MailboxInfoReportNoASR Creation_Time 1");
    ASSERT_TRUE(waitUntil(answered));
    refresh();
    ASSERT_TRUE(shows(Page::IDC_QUERY_ERROR, "Creation_Time 1"));
    EXPECT_EQ(text(Page::IDC_CREATED), Page::Updating);
}

TEST_F(InfoPage, HistoryStartDateGoesToTheQueryAndTheProfile)
{
    openSheet(106, kInfoPage);
    ASSERT_TRUE(shows(1411, "214"));
    const QString typed = QLocale().toString(QDate(2002, 3, 17), QLocale::ShortFormat);
    type(Page::IDC_HISTORY_START, typed);
    EXPECT_EQ(m_services.profile->GetProfileString("Settings", "HstSdate"), typed);
    m_simulator->clearLog();
    refresh();
    ASSERT_TRUE(waitUntil([&] { return !received("Tcl_MailboxStatisticsNoASR").isEmpty(); }));
    EXPECT_TRUE(received("Tcl_MailboxStatisticsNoASR").first().endsWith("{0 17 2 2002} {-1}"))
        << received("Tcl_MailboxStatisticsNoASR").first().toStdString();
    EXPECT_FALSE(info().IsModified()) << "the date is no change of the box";

    m_boxes->answer(IDOK);
    type(Page::IDC_HISTORY_START, "someday");
    EXPECT_EQ(m_boxes->texts(), QStringList{"Invalid Date!!! Please try again!!"});
    EXPECT_EQ(text(Page::IDC_HISTORY_START), "");
    EXPECT_EQ(m_services.profile->GetProfileString("Settings", "HstSdate"), typed);
}

// A history start date typed with the sheet active: another window and
// Cancel taking the focus check and store nothing; on the way to Apply it is
// checked once, and a refused date does not hold up the box's own change.
TEST_F(InfoPage, AHistoryStartDateIsCheckedOnceOnTheWayToApplyAndNeverOnTheWayOut)
{
    openSheet(106, kInfoPage);
    activate();
    const QString stored = m_services.profile->GetProfileString("Settings", "HstSdate");
    auto *date = info().GetDlgItem<QLineEdit>(Page::IDC_HISTORY_START);
    type(1230, "Night desk"); // the comment: something for Apply to save
    typeIn(Page::IDC_HISTORY_START, "someday");
    visitAnotherWindow([&] {
        EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
        EXPECT_EQ(date->text(), "someday");
    });
    date->setFocus();
    // A press on Cancel gives it the focus first.
    m_sheet->GetDlgItem(IDCANCEL)->setFocus();
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
    EXPECT_EQ(m_services.profile->GetProfileString("Settings", "HstSdate"), stored);

    date->setFocus();
    m_boxes->answer({IDOK, IDOK}); // one more than needed: a second box would show
    apply();
    EXPECT_EQ(m_boxes->texts(), QStringList{"Invalid Date!!! Please try again!!"});
    EXPECT_EQ(date->text(), "");
    EXPECT_EQ(m_services.profile->GetProfileString("Settings", "HstSdate"), stored);
    ASSERT_EQ(received("UpdateUA").size(), 1);
    EXPECT_TRUE(received("UpdateUA").first().contains("&Comment {Night desk}")) << received("UpdateUA").first().toStdString();
}

TEST(InfoHistoryStart, ArgumentOfATypedDate)
{
    EXPECT_EQ(CInfoPpg::HistoryStartArgument(""), "-1");
    EXPECT_EQ(CInfoPpg::HistoryStartArgument("  "), "-1");
    EXPECT_EQ(CInfoPpg::HistoryStartArgument(QLocale().toString(QDate(2002, 3, 17), QLocale::ShortFormat)),
              "0 17 2 2002");
    EXPECT_EQ(CInfoPpg::HistoryStartArgument(QLocale().toString(QDate(1999, 12, 31), QLocale::LongFormat)),
              "0 31 11 1999");
    EXPECT_EQ(CInfoPpg::HistoryStartArgument("2024-02-29"), "0 29 1 2024");
    EXPECT_EQ(CInfoPpg::HistoryStartArgument("someday"), std::nullopt);
    EXPECT_EQ(CInfoPpg::HistoryStartArgument("2023-02-29"), std::nullopt);
}
