// The clock dialog: its pickers start at the caller's time, cannot leave
// 1998-01-01 to 2038-01-18, and OK hands back the picked local time.
#include "admin/widgets/systemclockdlg.h"

#include "platform/mfc/tests/modalrun.h"

#include <QDateEdit>
#include <QLabel>
#include <QTimeEdit>

namespace {

class ClockDialog : public ::testing::Test {
protected:
    QDateEdit *datePicker() { return m_dialog.GetDlgItem<QDateEdit>(CSystemClockDlg::IDC_DATE); }
    QTimeEdit *timePicker() { return m_dialog.GetDlgItem<QTimeEdit>(CSystemClockDlg::IDC_TIME); }

    CSystemClockDlg m_dialog;
};

} // namespace

TEST_F(ClockDialog, IsDialog213WithItsTwoPickers)
{
    EXPECT_EQ(m_dialog.GetDialogId(), 213);
    EXPECT_EQ(m_dialog.windowTitle(), QStringLiteral("Change system clock"));
    ASSERT_NE(datePicker(), nullptr);
    ASSERT_NE(timePicker(), nullptr);
    EXPECT_EQ(timePicker()->displayFormat(), QStringLiteral("HH:mm:ss"));
}

TEST_F(ClockDialog, PickersAreTheDateAndTimeControlsAndNothingElseIsLabelled)
{
    EXPECT_EQ(CSystemClockDlg::IDC_DATE, 1494);
    EXPECT_EQ(CSystemClockDlg::IDC_TIME, 1495);
    EXPECT_EQ(datePicker()->accessibleName(), QStringLiteral("Date Control"));
    EXPECT_EQ(timePicker()->accessibleName(), QStringLiteral("Time Control"));
    EXPECT_TRUE(m_dialog.findChildren<QLabel *>().isEmpty());
}

TEST_F(ClockDialog, OkReturnsThePickedLocalTime)
{
    m_dialog.m_time = QDateTime(QDate(2026, 12, 10), QTime(13, 59, 33));
    const int result = RunModal(m_dialog, {[&] {
                                    EXPECT_EQ(datePicker()->date(), QDate(2026, 12, 10));
                                    EXPECT_EQ(timePicker()->time(), QTime(13, 59, 33));
                                    datePicker()->setDate(QDate(2027, 2, 28));
                                    timePicker()->setTime(QTime(7, 5, 9));
                                    ClickDlgItem(m_dialog, IDOK);
                                }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_dialog.m_time, QDateTime(QDate(2027, 2, 28), QTime(7, 5, 9), Qt::LocalTime));
}

TEST_F(ClockDialog, CancelLeavesTheTimeAlone)
{
    const QDateTime start(QDate(2020, 6, 1), QTime(12, 0, 0));
    m_dialog.m_time = start;
    const int result = RunModal(m_dialog, {[&] {
                                    datePicker()->setDate(QDate(2021, 1, 1));
                                    ClickDlgItem(m_dialog, IDCANCEL);
                                }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(m_dialog.m_time, start);
}

TEST_F(ClockDialog, DatesOutsideTheRangeCannotBePicked)
{
    m_dialog.m_time = QDateTime(QDate(2040, 5, 5), QTime(1, 2, 3));
    RunModal(m_dialog, {[&] {
                 EXPECT_EQ(datePicker()->minimumDate(), QDate(1998, 1, 1));
                 EXPECT_EQ(datePicker()->maximumDate(), QDate(2038, 1, 18));
                 EXPECT_EQ(datePicker()->date(), QDate(2038, 1, 18))
                     << "a server date past the range shows its end";
                 datePicker()->setDate(QDate(1997, 12, 31));
                 EXPECT_EQ(datePicker()->date(), QDate(1998, 1, 1));
                 datePicker()->setDate(QDate(2038, 1, 19));
                 EXPECT_EQ(datePicker()->date(), QDate(2038, 1, 18));
                 datePicker()->stepBy(1);
                 EXPECT_EQ(datePicker()->date(), QDate(2038, 1, 18));
                 ClickDlgItem(m_dialog, IDOK);
             }});
    EXPECT_EQ(m_dialog.m_time.date(), QDate(2038, 1, 18));
    EXPECT_EQ(m_dialog.m_time.time(), QTime(1, 2, 3));
}
