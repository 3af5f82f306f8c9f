// The Scheduler page in the configuration sheet against the simulator's
// site configuration (fifty scheduled jobs): the selected job's schedule
// shown, the schedule fields each control writes, Add and Remove, the
// exact job commands the write-back sends, and the jobs read again after
// it.
#include "admin/config/window/configschedulerpropage.h"
#include "admin/config/controls/dayselector.h"
#include "admin/config/records/jobschedule.h"
#include "admin/config/window/tests/configpagetestbase.h"

#include "admin/widgets/spreadsheetex.h"

#include <QDateEdit>
#include <QLabel>
#include <QToolButton>

namespace {

using Page = CConfigSchedulerPropPage;

class SchedulerPageTest : public ConfigPageTestBase {
protected:
    void SetUp() override
    {
        ConfigPageTestBase::SetUp();
        if (!m_seed.isEmpty()) {
            m_server->seed(m_seed);
            reconnect();
        }
        openSheet(CConfigPropSheet::ID_CONFIG_SCHEDULER);
        m_page = m_sheet->FindPage<Page>();
        ASSERT_NE(m_page, nullptr);
        ASSERT_EQ(m_sheet->GetActivePage(), m_page);
        m_actions = grid(Page::IDC_ACTION_GRID);
        m_start = grid(Page::IDC_START_GRID);
        m_repeat = grid(Page::IDC_REPEAT_GRID);
        m_monthly = grid(Page::IDC_MONTHLY_GRID);
        m_date = m_page->GetDlgItem<QDateEdit>(Page::IDC_START_DATE);
        ASSERT_NE(m_date, nullptr);
    }
    CSpreadSheetEx *grid(int id) const { return m_page->GetDlgItem<CSpreadSheetEx>(id); }
    QString nextRun() const { return m_page->GetDlgItemText(Page::IDC_NEXT_RUN); }
    // The schedule of the job in action row `row`.
    QString schedule(int row) const { return m_page->Jobs().at(row - 1).schedule; }
    int state(int row) const { return m_page->Jobs().at(row - 1).state; }
    // A new job with an action, started on `date`; its row.
    int addJob(const QString &action, const QDate &date)
    {
        click(m_page, Page::IDC_ADD);
        const int row = m_actions->rowCount();
        typeIntoCell(m_actions, 1, row, action);
        m_date->setDate(date);
        return row;
    }
    QStringList jobCommands()
    {
        QStringList found;
        for (const QString &sent : commands())
            if (sent.contains("ScheduledTcl") || sent.startsWith("ScheduleTcl"))
                found.append(sent);
        return found;
    }

    QString m_seed;
    Page *m_page = nullptr;
    CSpreadSheetEx *m_actions = nullptr;
    CSpreadSheetEx *m_start = nullptr;
    CSpreadSheetEx *m_repeat = nullptr;
    CSpreadSheetEx *m_monthly = nullptr;
    QDateEdit *m_date = nullptr;
};

TEST_F(SchedulerPageTest, ShowsTheJobsAndTheFirstOnesSchedule)
{
    ASSERT_EQ(m_actions->rowCount(), 50);
    EXPECT_EQ(cell(m_actions, 1, 0), "Scheduled Action");
    EXPECT_EQ(cell(m_actions, 1, 1), "RunReport daily_1");
    const QDateTime start = QDateTime::fromSecsSinceEpoch(schedule(1).mid(16).toLongLong(nullptr, 16));
    EXPECT_EQ(m_date->date(), start.date());
    EXPECT_EQ(cell(m_start, 2, 1), start.toString("HHmmss"));
    // The site's jobs repeat every minute (unit 01, interval 01).
    EXPECT_EQ(cell(m_start, 3, 1), "Repeat");
    EXPECT_EQ(cell(m_repeat, 2, 1), "1");
    EXPECT_EQ(cell(m_repeat, 3, 1), "minute");
    EXPECT_FALSE(m_monthly->isVisible());
    EXPECT_EQ(nextRun(), start.toString("MM/dd/yyyy HH:mm:ss"));
    EXPECT_EQ(m_page->GetDlgItem<CDaySelector>(Page::IDC_DAYS)->GetValue(), 0x01);
    screenshot(m_window.get(), "config-scheduler-page.png");

    clickCell(m_actions, 1, 3);
    EXPECT_EQ(commands().last(), "NextScheduledTcl job3");
    EXPECT_EQ(nextRun(), QDateTime::fromSecsSinceEpoch(schedule(3).mid(16).toLongLong(nullptr, 16))
                             .toString("MM/dd/yyyy HH:mm:ss"));
    EXPECT_FALSE(m_page->IsModified());
}

TEST_F(SchedulerPageTest, ANewJobIsScheduledWithItsStartMonthAndReadBackWithItsId)
{
    const int row = addJob("RunReport weekly", QDate(2027, 3, 14));
    ASSERT_EQ(row, 51);
    EXPECT_EQ(nextRun(), "No job scheduled");
    const QTime time = CJobSchedule::ParseTimeOfDay(cell(m_start, 2, 1)).value();
    const QString expected =
        "0101010101010103" + QString::number(QDateTime(QDate(2027, 3, 14), time).toSecsSinceEpoch(), 16);
    EXPECT_EQ(schedule(row), expected);
    EXPECT_EQ(state(row), CConfigJob::Changed);

    const QStringList sent = jobCommands();
    ASSERT_TRUE(sent.isEmpty());
    apply();
    ASSERT_FALSE(jobCommands().isEmpty());
    EXPECT_EQ(jobCommands().first(), "ScheduleTcl " + expected + " {RunReport weekly}");
    // The page reads the jobs again: the new one has the server's id.
    ASSERT_EQ(m_page->Jobs().size(), 51);
    EXPECT_EQ(m_page->Jobs().last().id, "job51");
    EXPECT_EQ(state(51), CConfigJob::Unchanged);
    EXPECT_FALSE(m_sheet->IsApplyEnabled());
}

TEST_F(SchedulerPageTest, RepeatEveryTwoWeeks)
{
    chooseInCell(m_start, 3, 1, 1);
    EXPECT_TRUE(m_repeat->isVisible());
    EXPECT_EQ(schedule(1).mid(4, 2), "01") << "repeat: every minute until a unit is chosen";
    typeIntoCell(m_repeat, 2, 1, "2");
    chooseInCell(m_repeat, 3, 1, 3);
    EXPECT_EQ(cell(m_repeat, 3, 1), "week");
    EXPECT_EQ(schedule(1).mid(4, 4), "0802");
    EXPECT_FALSE(m_monthly->isVisible());

    const QString changed = schedule(1);
    apply();
    EXPECT_EQ(jobCommands().mid(0, 2),
              (QStringList{"RemoveScheduledTcl job1", "ScheduleTcl " + changed + " {RunReport daily_1}"}));
}

TEST_F(SchedulerPageTest, MonthlyOnTheLastDayOrOnTheThirdActiveDay)
{
    chooseInCell(m_start, 3, 1, 1);
    chooseInCell(m_repeat, 3, 1, 4);
    EXPECT_EQ(cell(m_repeat, 3, 1), "month");
    ASSERT_TRUE(m_monthly->isVisible());
    EXPECT_EQ(schedule(1).mid(4, 2), "10");

    chooseInCell(m_monthly, 3, 1, 1);
    EXPECT_EQ(schedule(1).mid(8, 2), "02");
    chooseInCell(m_monthly, 2, 1, 2);
    EXPECT_EQ(cell(m_monthly, 2, 1), "3rd");
    EXPECT_EQ(schedule(1).mid(12, 2), "03");

    chooseInCell(m_monthly, 3, 1, 0);
    EXPECT_EQ(schedule(1).left(2), "7f");
    EXPECT_EQ(schedule(1).mid(8, 2), "01");
    EXPECT_EQ(m_page->GetDlgItem<CDaySelector>(Page::IDC_DAYS)->GetValue(), 0x7f);
    chooseInCell(m_monthly, 2, 1, 31);
    EXPECT_EQ(cell(m_monthly, 2, 1), "last");
    EXPECT_EQ(schedule(1).mid(10, 2), "20");
    screenshot(m_window.get(), "config-scheduler-monthly.png");
}

TEST_F(SchedulerPageTest, TheDaySelectorWritesTheActiveDays)
{
    auto *days = m_page->GetDlgItem<CDaySelector>(Page::IDC_DAYS);
    QTest::mouseClick(days->DayButton(2), Qt::LeftButton);
    QTest::mouseClick(days->DayButton(6), Qt::LeftButton);
    EXPECT_EQ(schedule(1).left(2), "45");
    EXPECT_EQ(state(1), CConfigJob::Changed);
}

TEST_F(SchedulerPageTest, IntervalsTimesAndDatesOutOfRangeChangeNothing)
{
    chooseInCell(m_start, 3, 1, 1);
    const QString before = schedule(1);
    for (const char *typed : {"0", "256", "x"}) {
        m_boxes->answer(IDOK);
        typeIntoCell(m_repeat, 2, 1, typed);
        EXPECT_EQ(cell(m_repeat, 2, 1), "1") << typed;
    }
    m_boxes->answer(IDOK);
    typeIntoCell(m_start, 2, 1, "250000");
    EXPECT_EQ(m_boxes->texts(),
              (QStringList{"The valid range for the repeat interval is 1-255.",
                           "The valid range for the repeat interval is 1-255.",
                           "The valid range for the repeat interval is 1-255.",
                           "Invalid start time '250000'. Enter the time of day as six digits HHMMSS after closing "
                           "this message box."}));
    m_date->setDate(QDate(2040, 1, 1));
    EXPECT_TRUE(m_page->GetDlgItem<QLabel>(Page::IDC_RANGE_WARNING)->isVisible());
    EXPECT_EQ(schedule(1), before);
}

TEST_F(SchedulerPageTest, ARemovedJobLeavesTheListAndIsRemovedOnTheServer)
{
    clickCell(m_actions, 1, 3);
    m_boxes->answer(IDNO);
    click(m_page, Page::IDC_REMOVE);
    EXPECT_EQ(m_actions->rowCount(), 50);
    EXPECT_FALSE(m_page->IsModified());

    m_boxes->answer(IDYES);
    click(m_page, Page::IDC_REMOVE);
    EXPECT_EQ(m_boxes->texts().last().left(60), "If you remove the selected Action from the list, it remains ");
    EXPECT_EQ(m_actions->rowCount(), 49);
    EXPECT_EQ(cell(m_actions, 1, 3), "RunReport daily_4");
    ASSERT_EQ(m_page->Jobs().size(), 50);
    EXPECT_EQ(m_page->Jobs().last().id, "job3") << "kept after the others";
    EXPECT_EQ(m_page->Jobs().last().state, CConfigJob::Deleted);

    apply();
    ASSERT_FALSE(jobCommands().isEmpty());
    EXPECT_EQ(jobCommands().first(), "RemoveScheduledTcl job3");
    EXPECT_EQ(jobCommands().filter("ScheduleTcl ").size(), 0);
    ASSERT_EQ(m_page->Jobs().size(), 49) << "read again without it";
    EXPECT_EQ(m_page->Jobs().at(2).id, "job4");
}

TEST_F(SchedulerPageTest, AJobWhoseRemovalFailedIsNotScheduledTwice)
{
    typeIntoCell(m_actions, 1, 2, "RunReport monthly");
    EXPECT_EQ(state(2), CConfigJob::Changed);
    m_server->failCommand("RemoveScheduledTcl", "job list locked");
    apply({IDOK});
    ASSERT_FALSE(jobCommands().isEmpty());
    EXPECT_EQ(jobCommands().first(), "RemoveScheduledTcl job2");
    EXPECT_EQ(jobCommands().filter("ScheduleTcl ").size(), 0);
    ASSERT_FALSE(m_boxes->texts().isEmpty());
    EXPECT_TRUE(m_boxes->texts().last().startsWith("Server reported error while updating configuration '"));
    EXPECT_EQ(serverValue("Scheduled_Action_list").count("job2 "), 1);
}

TEST_F(SchedulerPageTest, AnActionCannotBeEmptied)
{
    m_boxes->answer(IDOK);
    typeIntoCell(m_actions, 1, 1, "");
    EXPECT_EQ(m_boxes->texts(), QStringList{"Empty Scheduled Action is invalid. Try to enter a valid action after "
                                            "closing this message box."});
    EXPECT_EQ(cell(m_actions, 1, 1), "RunReport daily_1");
    EXPECT_EQ(state(1), CConfigJob::Unchanged);
}

class UnreadableScheduleTest : public SchedulerPageTest {
protected:
    void SetUp() override
    {
        m_seed = "var Scheduled_Action_list {{job1 {RunReport short} 0101} "
                 "{job2 {RunReport fine} 7f0108020120010167a0b1c2}}";
        SchedulerPageTest::SetUp();
    }
};

TEST_F(UnreadableScheduleTest, AScheduleTooShortToReadIsShownReadOnly)
{
    ASSERT_EQ(m_actions->rowCount(), 2);
    EXPECT_FALSE(m_date->isEnabled());
    EXPECT_FALSE(m_start->isEnabled());
    EXPECT_FALSE(m_page->GetDlgItem<CDaySelector>(Page::IDC_DAYS)->isEnabled());
    m_actions->setCurrentCell(0, 0);
    EXPECT_FALSE(m_actions->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(m_page->GetDlgItem<QAbstractButton>(Page::IDC_REMOVE)->isEnabled()) << "it can still go";

    clickCell(m_actions, 1, 2);
    EXPECT_TRUE(m_date->isEnabled());
    EXPECT_EQ(cell(m_start, 3, 1), "Repeat");
    EXPECT_EQ(cell(m_repeat, 3, 1), "week");
    EXPECT_EQ(cell(m_repeat, 2, 1), "2");
    EXPECT_TRUE(m_actions->item(1, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(schedule(1), "0101");
    EXPECT_EQ(state(1), CConfigJob::Unchanged);
}

} // namespace
