// The Auto (schedule) page against the simulator: box 106's schedule as the
// server dates its changes ("ValidateASR", "clock format"), the exact
// "/AutoSchedRec" line an edit sends while untouched records go back as they
// came, nothing sent without an edit, records that cannot be read kept and
// shown read-only, unknown pairs kept, values quoted as list elements, the
// month-end question (asked once a date) and the month-end table, and an
// empty schedule that Add starts.
#include "admin/session/tcllist.h"
#include "admin/useragents/pages/autoppg.h"
#include "admin/useragents/pages/infoppg.h"
#include "admin/useragents/pages/tests/pagetestbase.h"
#include "admin/widgets/colorlistctrl.h"
#include "admin/widgets/daymaskctrl.h"
#include "platform/mfc/dialogdefs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

namespace {

constexpr int kAutoPage = 5;
using Page = CAutoPpg;

const QString kWeekdayMorning = QStringLiteral("1FFC0401000E000050E81F6B Num_RNA 4 DND 0 Current_Greeting 1");
const QString kWeekdayEvening =
    QStringLiteral("1FFC0401000E0000F074206B DND 1 Current_Greeting 3 &Ext \"2001\"");
const QString kMonthEnd = QStringLiteral("7FFE100101200000C024376B Call_Screening_Flag 1 Current_Menu 2");
const QString kWeekend = QStringLiteral("607C080200130000E894266B Num_RNA 6 DND 1");

// The header's time bytes (8 to 11, low byte first) of `seconds`.
QString timeBytes(qint64 seconds)
{
    QString hex;
    for (int i = 0; i < 4; ++i)
        hex +=
            QStringLiteral("%1").arg((quint32(seconds) >> (8 * i)) & 0xff, 2, 16, QLatin1Char('0')).toUpper();
    return hex;
}

class AutoPage : public PageTestBase {
protected:
    Page &autoPage() { return page<Page>(); }
    CColorListCtrl *list() { return autoPage().GetDlgItem<CColorListCtrl>(Page::IDC_LIST); }
    QString cell(int row, int column) { return list()->GetItemText(row, column); }
    QStringList row(int index)
    {
        QStringList texts;
        for (int column = 0; column < 10; ++column)
            texts.append(cell(index, column));
        return texts;
    }
    void selectRow(int index)
    {
        QTreeWidgetItem *item = list()->topLevelItem(index);
        ASSERT_NE(item, nullptr) << index;
        list()->scrollToItem(item);
        const QRect place = list()->visualItemRect(item);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, place.center());
        ASSERT_EQ(autoPage().GetSelectedRow(), index);
    }
    bool enabled(int id) { return autoPage().GetDlgItem(id)->isEnabled(); }
    QDateEdit *datePicker() { return autoPage().GetDlgItem<QDateEdit>(Page::IDC_DATE); }
    QTimeEdit *timePicker() { return autoPage().GetDlgItem<QTimeEdit>(Page::IDC_TIME); }
    // The "/AutoSchedRec" value of the one UpdateUA sent, or the lines sent.
    QStringList updates() { return received("UpdateUA"); }
    int questions() { return int(m_boxes->texts().count(QString::fromLatin1(Page::MonthEndQuestion))); }
};

} // namespace

TEST_F(AutoPage, ShowsTheScheduleDatedByTheServer)
{
    openSheet(106, kAutoPage);
    ASSERT_EQ(autoPage().GetRecordCount(), 4);
    EXPECT_EQ(row(0), (QStringList{"Next", "12/14/26", "08:00", "1 Days", "4", "OFF", "---", "1", "", ""}));
    EXPECT_EQ(row(1), (QStringList{"Next", "12/14/26", "18:00", "1 Days", "", "ON", "---", "3", "", "2001"}));
    EXPECT_EQ(row(2), (QStringList{"Next", "12/31/26", "23:00", "1 Mons", "", "---", "ON", "", "2", ""}));
    EXPECT_EQ(row(3), (QStringList{"Never", "N/A", "N/A", "2 Weeks", "6", "ON", "---", "", "", ""}));
    // An empty selection: the record controls wait for a row.
    EXPECT_FALSE(enabled(Page::IDC_EXTENSION));
    EXPECT_FALSE(enabled(Page::IDC_DAYS));
    EXPECT_TRUE(enabled(Page::IDC_USE_COS));
    EXPECT_FALSE(autoPage().GetDlgItem<QCheckBox>(Page::IDC_USE_COS)->isChecked());

    m_simulator->clearLog();
    selectRow(1);
    EXPECT_TRUE(enabled(Page::IDC_EXTENSION));
    EXPECT_EQ(autoPage().GetDlgItemText(Page::IDC_EXTENSION), "2001");
    EXPECT_EQ(autoPage().GetDlgItemText(Page::IDC_GREETING), "3");
    EXPECT_EQ(autoPage().GetDlgItemText(Page::IDC_NEXT_CHANGE), "12/14/26 18:00");
    EXPECT_EQ(autoPage().GetDlgItem<QCheckBox>(Page::IDC_DND)->checkState(), Qt::Checked);
    EXPECT_EQ(autoPage().GetDlgItem<QCheckBox>(Page::IDC_CALL_SCREENING)->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(autoPage().GetDlgItem<CDayMaskCtrl>(Page::IDC_DAYS)->Mask(), 0x1f);
    EXPECT_EQ(autoPage().GetDlgItemText(Page::IDC_COUNT), "1");
    EXPECT_EQ(autoPage().GetDlgItemText(Page::IDC_UNIT), "Days");
    EXPECT_EQ(timePicker()->time(), QDateTime::fromSecsSinceEpoch(1797289200).time());
    EXPECT_EQ(m_simulator->commandTexts(), (QStringList{"ValidateASR 1FFC0401000E0000F074206B",
                                                        "clock format 1797289200 -format {%D %R}"}));
    saveScreenshot("mailbox-page-auto.png");
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(AutoPage, NothingIsSentWithoutAnEdit)
{
    openSheet(106, kAutoPage);
    for (int index = 0; index < 4; ++index)
        selectRow(index);
    type(1230, "Looked at the schedule");
    apply();
    EXPECT_EQ(updates(), QStringList{"UpdateUA 106 1 &Comment {Looked at the schedule} "});
}

TEST_F(AutoPage, AnEditSendsTheListWithUntouchedRecordsAsTheyCame)
{
    openSheet(106, kAutoPage);
    selectRow(3);
    // Checked, then not checked: do-not-disturb switched off.
    click(Page::IDC_DND);
    ASSERT_EQ(autoPage().GetDlgItem<QCheckBox>(Page::IDC_DND)->checkState(), Qt::Unchecked);
    selectRow(0);
    EXPECT_EQ(cell(3, 5), "OFF");
    apply();
    EXPECT_EQ(updates(),
              QStringList{"UpdateUA 106 1 /AutoSchedRec {{" + kWeekdayMorning + "} {" + kWeekdayEvening +
                          "} {" + kMonthEnd + "} {607C080200130000E894266B Num_RNA 6 DND 0} } "});
}

TEST_F(AutoPage, ADayAndACountAreWrittenIntoTheHeader)
{
    openSheet(106, kAutoPage);
    selectRow(0);
    // Saturday joins the weekdays; every second day.
    QTest::mouseClick(autoPage().GetDlgItem<CDayMaskCtrl>(Page::IDC_DAYS)->DayButton(5), Qt::LeftButton);
    type(Page::IDC_COUNT, "2");
    type(Page::IDC_GREETING, "Good morning");
    apply();
    EXPECT_EQ(updates(),
              QStringList{"UpdateUA 106 1 /AutoSchedRec {{3FFC0402000E000050E81F6B Num_RNA 4 DND 0 "
                          "Current_Greeting {Good morning}} {" +
                          kWeekdayEvening + "} {" + kMonthEnd + "} {" + kWeekend + "} } "});
}

struct TypedCount {
    const char *name;
    const char *typed;
    bool refused;
    // The header of the weekday-morning record as sent after the edit
    // (after a refusal the administrator types 3 instead).
    const char *header;
};

class RepetitionCounts : public AutoPage, public testing::WithParamInterface<TypedCount> {};

TEST_P(RepetitionCounts, TakeWhatTheHeadersByteHolds)
{
    const TypedCount &c = GetParam();
    openSheet(106, kAutoPage);
    selectRow(0);
    type(Page::IDC_COUNT, QString::fromLatin1(c.typed));
    if (c.refused) {
        m_boxes->answer(IDOK);
        QTest::mouseClick(m_sheet->GetDlgItem(ID_APPLY_NOW), Qt::LeftButton);
        EXPECT_EQ(m_boxes->texts(), QStringList{"Please enter an integer between 0 and 255."});
        type(Page::IDC_COUNT, "3");
    }
    apply();
    EXPECT_EQ(updates(), QStringList{"UpdateUA 106 1 /AutoSchedRec {{" + QString::fromLatin1(c.header) +
                                     " Num_RNA 4 DND 0 Current_Greeting 1} {" + kWeekdayEvening + "} {" +
                                     kMonthEnd + "} {" + kWeekend + "} } "});
}

INSTANTIATE_TEST_SUITE_P(Typed, RepetitionCounts,
                         testing::Values(TypedCount{"Largest", "255", false, "1FFC04FF000E000050E81F6B"},
                                         TypedCount{"OneTooMany", "256", true, "1FFC0403000E000050E81F6B"},
                                         TypedCount{"ThreeHundred", "300", true, "1FFC0403000E000050E81F6B"}),
                         [](const testing::TestParamInfo<TypedCount> &info) { return info.param.name; });

TEST_F(AutoPage, UnreadableRecordsAreKeptAndShownReadOnly)
{
    // Shown when the box is read, and again when it is read back after the save.
    m_boxes->answer({IDOK, IDOK});
    m_simulator->seed("ua 107 -parent 10 -stamp 1 {&Name1 Ivo &Ext 107 /AutoSchedRec {"
                      "{lunch 12:00 Num_RNA 2} {1FFC0401000E000050E81F6B Num_RNA 4 x} "
                      "{1FFC0401000E000050E81F6B Num_RNA 4 Busy_Greeting {2 b}}}}");
    openSheet(107, kAutoPage);
    EXPECT_EQ(
        m_boxes->texts(),
        QStringList{"Sorry. Can't proceed. Expected property pairs from server but received 'Num_RNA 4 x'."});
    ASSERT_EQ(autoPage().GetRecordCount(), 3);
    EXPECT_EQ(cell(0, 0), "Kept");
    EXPECT_EQ(cell(1, 0), "Kept");
    m_simulator->clearLog();
    selectRow(0);
    EXPECT_FALSE(enabled(Page::IDC_RINGS));
    EXPECT_FALSE(enabled(Page::IDC_DATE));
    EXPECT_TRUE(enabled(Page::IDC_DELETE));
    EXPECT_TRUE(received("ValidateASR").isEmpty()) << "an unread header is never dated";
    selectRow(2);
    EXPECT_TRUE(enabled(Page::IDC_RINGS));
    type(Page::IDC_EXTENSION, "10\\5\"9");
    apply();
    EXPECT_EQ(updates(),
              QStringList{"UpdateUA 107 1 /AutoSchedRec {{lunch 12:00 Num_RNA 2} "
                          "{1FFC0401000E000050E81F6B Num_RNA 4 x} "
                          "{1FFC0401000E000050E81F6B Num_RNA 4 &Ext {10\\5} Busy_Greeting {2 b}} } "});
}

// The last record of the schedule ends in an escaped blank: it is read and
// written back whole when another record is edited.
TEST_F(AutoPage, TheLastRecordKeepsTheBlankItEndsWith)
{
    m_simulator->seed("ua 108 -parent 10 -stamp 1 {&Name1 Ute &Ext 108 /AutoSchedRec "
                      "{{1FFC0401000E000050E81F6B Num_RNA 4} lunch\\ \\{\\ }}");
    openSheet(108, kAutoPage);
    ASSERT_EQ(autoPage().GetRecordCount(), 2);
    m_simulator->clearLog();
    selectRow(0);
    type(Page::IDC_RINGS, "5");
    apply();
    const QStringList sent = updates();
    ASSERT_EQ(sent.size(), 1);
    QStringList words;
    CTclList().SplitList(sent.first(), words);
    ASSERT_EQ(words.size(), 5);
    QStringList records;
    CTclList().SplitList(words.at(4), records);
    EXPECT_EQ(records, (QStringList{"1FFC0401000E000050E81F6B Num_RNA 5", "lunch { "}));
}

TEST_F(AutoPage, AnExtensionIsWrittenUpToItsFirstDoubleQuote)
{
    openSheet(106, kAutoPage);
    selectRow(0);
    type(Page::IDC_EXTENSION, "12\"3");
    apply();
    ASSERT_EQ(updates().size(), 1);
    EXPECT_TRUE(updates().first().contains("{" + kWeekdayMorning + " &Ext \"12\"}"))
        << updates().first().toStdString();
}

struct MonthEndCase {
    int year, month, day;
    bool last;
};

class MonthEnd : public ::testing::TestWithParam<MonthEndCase> {};

TEST_P(MonthEnd, CountsAsTheServerDoes)
{
    const MonthEndCase &c = GetParam();
    EXPECT_EQ(CAutoPpg::IsLastDayOfMonth(QDate(c.year, c.month, c.day)), c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Days, MonthEnd,
    ::testing::Values(MonthEndCase{2000, 2, 29, true}, MonthEndCase{2004, 2, 29, true},
                      MonthEndCase{2001, 2, 28, true}, MonthEndCase{2004, 2, 28, false},
                      MonthEndCase{2027, 1, 31, true}, MonthEndCase{2027, 1, 30, false},
                      MonthEndCase{2026, 4, 30, true}, MonthEndCase{2026, 6, 30, true},
                      MonthEndCase{2026, 9, 30, true}, MonthEndCase{2026, 11, 30, true},
                      MonthEndCase{2026, 12, 31, true}, MonthEndCase{2026, 12, 30, false},
                      MonthEndCase{2026, 8, 31, true}, MonthEndCase{2026, 7, 30, false}),
    [](const ::testing::TestParamInfo<MonthEndCase> &info) {
        const MonthEndCase &c = info.param;
        return QStringLiteral("%1_%2_%3").arg(c.year).arg(c.month).arg(c.day).toStdString();
    });

TEST_F(AutoPage, TheMonthEndQuestionIsAskedOnceADate)
{
    openSheet(106, kAutoPage);
    selectRow(0);
    m_boxes->answer(IDYES);
    // The calendar's pick of 31 January, then a new time that day.
    datePicker()->setDate(QDate(2027, 1, 31));
    timePicker()->setTime(QTime(7, 45));
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(autoPage().GetDlgItem<CDayMaskCtrl>(Page::IDC_DAYS)->Mask(), 127);
    EXPECT_EQ(autoPage().GetDlgItemText(Page::IDC_UNIT), "Mons");
    EXPECT_EQ(autoPage().GetDlgItemText(Page::IDC_COUNT), "1");
    apply();
    const qint64 when = QDateTime(QDate(2027, 1, 31), QTime(7, 45)).toSecsSinceEpoch();
    EXPECT_EQ(updates(), QStringList{"UpdateUA 106 1 /AutoSchedRec {{7FFC100101200000" + timeBytes(when) +
                                     " Num_RNA 4 DND 0 Current_Greeting 1} {" + kWeekdayEvening + "} {" +
                                     kMonthEnd + "} {" + kWeekend + "} } "});
}

TEST_F(AutoPage, NoKeepsTheDayAndTheRepetition)
{
    openSheet(106, kAutoPage);
    selectRow(0);
    m_boxes->answer(IDNO);
    datePicker()->setDate(QDate(2027, 1, 31));
    EXPECT_EQ(questions(), 1);
    // Another date: a day that is no month end asks nothing.
    datePicker()->setDate(QDate(2027, 1, 29));
    datePicker()->setDate(QDate(2027, 1, 31));
    EXPECT_EQ(questions(), 1);
    const QTime time = timePicker()->time();
    const qint64 when = QDateTime(QDate(2027, 1, 31), QTime(time.hour(), time.minute())).toSecsSinceEpoch();
    apply();
    EXPECT_EQ(updates(), QStringList{"UpdateUA 106 1 /AutoSchedRec {{1FFC0401001F0000" + timeBytes(when) +
                                     " Num_RNA 4 DND 0 Current_Greeting 1} {" + kWeekdayEvening + "} {" +
                                     kMonthEnd + "} {" + kWeekend + "} } "});
}

TEST_F(AutoPage, AnEmptyScheduleWaitsForAdd)
{
    openSheet(105, kAutoPage);
    EXPECT_EQ(autoPage().GetRecordCount(), 0);
    EXPECT_FALSE(enabled(Page::IDC_EXTENSION));
    EXPECT_FALSE(enabled(Page::IDC_ENABLED));
    EXPECT_FALSE(enabled(Page::IDC_USE_COS)) << "the box takes its class of service's schedule";
    EXPECT_TRUE(autoPage().GetDlgItem<QCheckBox>(Page::IDC_USE_COS)->isChecked());
    click(Page::IDC_ADD);
    ASSERT_EQ(autoPage().GetRecordCount(), 1);
    EXPECT_EQ(autoPage().GetSelectedRow(), 0);
    EXPECT_TRUE(enabled(Page::IDC_EXTENSION));
    EXPECT_TRUE(enabled(Page::IDC_USE_COS));
    EXPECT_FALSE(autoPage().GetDlgItem<QCheckBox>(Page::IDC_USE_COS)->isChecked());
    EXPECT_EQ(row(0).mid(3), (QStringList{"0 None", "", "---", "---", "", "", ""}));
    type(Page::IDC_RINGS, "3");
    apply();
    ASSERT_EQ(updates().size(), 1);
    EXPECT_TRUE(QRegularExpression("^UpdateUA 105 1 /AutoSchedRec \\{\\{7FFC000000[0-9A-F]{2}0000[0-9A-F]{8} "
                                   "Num_RNA 3\\} \\} $")
                    .match(updates().first())
                    .hasMatch())
        << updates().first().toStdString();
    click(Page::IDC_DELETE);
    EXPECT_EQ(autoPage().GetRecordCount(), 1) << "nothing is selected after the reload";
}

TEST_F(AutoPage, DeleteRemovesTheSelectedRecord)
{
    openSheet(106, kAutoPage);
    selectRow(2);
    click(Page::IDC_DELETE);
    EXPECT_EQ(autoPage().GetRecordCount(), 3);
    EXPECT_EQ(autoPage().GetSelectedRow(), -1);
    EXPECT_FALSE(enabled(Page::IDC_EXTENSION));
    apply();
    EXPECT_EQ(updates(), QStringList{"UpdateUA 106 1 /AutoSchedRec {{" + kWeekdayMorning + "} {" +
                                     kWeekdayEvening + "} {" + kWeekend + "} } "});
}

namespace {

// Box 106's class of service with a schedule of its own.
const char kStandardWithSchedule[] = "ua 10 -parent 2147483647 -stamp 3 -scenario 1 {COS MB &Name1 Standard "
                                     "&Comment {Standard class of service} "
                                     "Store_Message 1 MaxMessages 50 MaxMessageLength 180 language 0 AIM 0 Multiple_Queue 1 "
                                     "/AutoSchedRec {{7F80000100000000E894266B Current_Greeting 5}}}";

} // namespace

TEST_F(AutoPage, UseCosShowsTheClassOfServicesScheduleAndBack)
{
    m_simulator->seed(kStandardWithSchedule);
    openSheet(106, kAutoPage);
    ASSERT_EQ(autoPage().GetRecordCount(), 4);
    click(Page::IDC_USE_COS);
    EXPECT_EQ(received("GetUA 10"), QStringList{"GetUA 10 /AutoSchedRec"});
    ASSERT_EQ(autoPage().GetRecordCount(), 1);
    EXPECT_EQ(cell(0, 7), "5");
    click(Page::IDC_USE_COS);
    EXPECT_EQ(autoPage().GetRecordCount(), 4) << "the box's own schedule again";
    click(Page::IDC_USE_COS);
    apply();
    EXPECT_EQ(updates(), QStringList{"UpdateUA 106 1 ~/AutoSchedRec {} "});
}

TEST_F(AutoPage, ResetTakesTheClassOfServicesScheduleAndPassesTheInfoPageBy)
{
    m_simulator->seed(kStandardWithSchedule);
    openSheet(106, kAutoPage);
    m_boxes->answer(IDYES);
    QTest::mouseClick(m_sheet->GetDlgItem(CMailboxPps::IDC_RESET), Qt::LeftButton);
    ASSERT_EQ(autoPage().GetRecordCount(), 1);
    auto *useCos = autoPage().GetDlgItem<QCheckBox>(Page::IDC_USE_COS);
    EXPECT_TRUE(useCos->isChecked());
    EXPECT_FALSE(useCos->isEnabled());
    EXPECT_TRUE(received("Tcl_Mailbox").isEmpty()) << "the Info page was not opened for the Reset";
    EXPECT_TRUE(received("SetThreadPriority").isEmpty());
    apply();
    ASSERT_EQ(updates().size(), 1);
    EXPECT_TRUE(updates().first().contains(" ~/AutoSchedRec {} ")) << updates().first().toStdString();
}

TEST_F(AutoPage, AClassOfServiceEditorHasNoInfoPage)
{
    m_cosEditor = true;
    openSheet(10, 4);
    EXPECT_EQ(m_sheet->GetPageCount(), 8);
    for (int index = 0; index < m_sheet->GetPageCount(); ++index)
        EXPECT_EQ(dynamic_cast<CInfoPpg *>(m_sheet->GetPage(index)), nullptr) << index;
    EXPECT_NE(dynamic_cast<CAutoPpg *>(m_sheet->GetActivePage()), nullptr);
}
