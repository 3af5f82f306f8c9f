// The Holidays page in the configuration window: picking dates, adding and
// removing holidays of both kinds, the valid range, and the `holidays` line
// of the write-back.
#include "admin/config/window/configholidayspropage.h"
#include "admin/config/window/tests/configpagestestbase.h"

#include "admin/widgets/spreadsheetex.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QTableView>

namespace {

class HolidaysPageTest : public ConfigPagesTestBase {
protected:
    QStringList rows(CConfigHolidaysPropPage *page)
    {
        QStringList texts;
        for (int row = 1; row <= page->Grid()->rowCount(); ++row)
            texts << cellText(page->Grid(), 1, row);
        return texts;
    }
    QWidget *button(CConfigHolidaysPropPage *page, int id) { return page->GetDlgItem(id); }
};

TEST_F(HolidaysPageTest, AddsFixedAndYearlyHolidaysAndWritesThemBackInOrder)
{
    openSheet(QStringLiteral("var holidays {12/25 1/1/2003 7/4}"));
    auto *page = showPage<CConfigHolidaysPropPage>();
    page->Picker()->setDate(QDate(2003, 6, 1));
    EXPECT_EQ(page->ShownYear(), 2003);
    EXPECT_EQ(rows(page), (QStringList{"Wednesday, January 1, 2003", "Friday, July 4, 2003+",
                                       "Thursday, December 25, 2003+"}));
    screenshot(QStringLiteral("config-holidays"));

    page->Picker()->setDate(QDate(2004, 12, 24));
    m_boxes->answer(IDNO); // a fixed date of 2004 only
    click(button(page, CConfigHolidaysPropPage::IDC_HOLIDAY_ADD));
    EXPECT_EQ(page->ShownYear(), 2004);
    EXPECT_FALSE(button(page, CConfigHolidaysPropPage::IDC_HOLIDAY_ADD)->isEnabled());
    EXPECT_TRUE(button(page, CConfigHolidaysPropPage::IDC_HOLIDAY_REMOVE)->isEnabled());
    page->Picker()->setDate(QDate(2004, 3, 17));
    m_boxes->answer(IDYES); // every year
    click(button(page, CConfigHolidaysPropPage::IDC_HOLIDAY_ADD));
    EXPECT_EQ(rows(page), (QStringList{"Wednesday, March 17, 2004+", "Sunday, July 4, 2004+",
                                       "Friday, December 24, 2004", "Saturday, December 25, 2004+"}));
    EXPECT_TRUE(
        m_boxes->texts().first().startsWith("Do you want to set this date automatically for every year?"));

    // The server's words as it holds them, then the new holidays, fixed dates first.
    apply();
    EXPECT_TRUE(batch().contains(setLine("holidays", "{12/25 1/1/2003 7/4 12/24/2004 3/17}")))
        << batch().toStdString();
}

TEST_F(HolidaysPageTest, PickingADayInTheCalendarAsksToAddIt)
{
    openSheet(QStringLiteral("var holidays {}"));
    auto *page = showPage<CConfigHolidaysPropPage>();
    page->Picker()->setDate(QDate(2030, 8, 1));
    QCalendarWidget *calendar = page->Picker()->calendarWidget();
    calendar->setSelectedDate(QDate(2030, 8, 15));
    m_boxes->answer(IDNO);
    auto *days = calendar->findChild<QTableView *>();
    ASSERT_NE(days, nullptr);
    QTest::keyClick(days, Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return page->FixedDates().Count() == 1; }));
    EXPECT_EQ(HolidayText::FormatWord(page->FixedDates().At(0)), QStringLiteral("8/15/2030"));
    EXPECT_EQ(rows(page), QStringList{"Thursday, August 15, 2030"});
    // Stepping the date in the edit adds nothing.
    page->Picker()->setDate(QDate(2030, 8, 16));
    QCoreApplication::processEvents();
    EXPECT_EQ(page->FixedDates().Count(), 1);
}

TEST_F(HolidaysPageTest, DatesOutsideTheValidRangeCanBeNeitherAddedNorRemoved)
{
    openSheet();
    auto *page = showPage<CConfigHolidaysPropPage>();
    for (const QDate &date : {QDate(1969, 12, 31), QDate(2038, 1, 1)}) {
        page->Picker()->setDate(date);
        EXPECT_TRUE(page->GetDlgItem(CConfigHolidaysPropPage::IDC_HOLIDAY_RANGE_WARNING)->isVisible());
        EXPECT_FALSE(button(page, CConfigHolidaysPropPage::IDC_HOLIDAY_ADD)->isEnabled());
        EXPECT_FALSE(button(page, CConfigHolidaysPropPage::IDC_HOLIDAY_REMOVE)->isEnabled());
    }
    screenshot(QStringLiteral("config-holidays-range"));
    page->Picker()->setDate(QDate(2037, 12, 31));
    EXPECT_FALSE(page->GetDlgItem(CConfigHolidaysPropPage::IDC_HOLIDAY_RANGE_WARNING)->isVisible());
    EXPECT_TRUE(button(page, CConfigHolidaysPropPage::IDC_HOLIDAY_ADD)->isEnabled());
}

TEST_F(HolidaysPageTest, RemovingADayThatIsBothKindsRemovesBoth)
{
    openSheet(QStringLiteral("var holidays {12/25 12/25/2010 1/1}"));
    auto *page = showPage<CConfigHolidaysPropPage>();
    page->Picker()->setDate(QDate(2010, 1, 5));
    ASSERT_EQ(rows(page).size(), 3);
    QTest::mouseClick(page->Grid()->viewport(), Qt::LeftButton, {},
                      page->Grid()->visualRect(page->Grid()->model()->index(2, 0)).center());
    EXPECT_EQ(page->Picker()->date(), QDate(2010, 12, 25));
    m_boxes->answer(IDYES);
    click(button(page, CConfigHolidaysPropPage::IDC_HOLIDAY_REMOVE));
    EXPECT_EQ(m_boxes->texts().last(),
              QStringLiteral("Are you sure you want to remove the selected fixed-date holiday?"));
    EXPECT_EQ(rows(page), QStringList{"Friday, January 1, 2010+"});
    apply();
    EXPECT_TRUE(batch().contains(setLine("holidays", "{1/1}"))) << batch().toStdString();
}

TEST_F(HolidaysPageTest, WordsThatAreNoHolidayStayInTheVariable)
{
    openSheet(QStringLiteral("var holidays {257/1 7/4 {new year} 2/30}"));
    auto *page = showPage<CConfigHolidaysPropPage>();
    page->Picker()->setDate(QDate(2012, 5, 1));
    m_boxes->answer(IDYES);
    click(button(page, CConfigHolidaysPropPage::IDC_HOLIDAY_ADD));
    EXPECT_EQ(rows(page),
              (QStringList{"February 30, 2012+", "Tuesday, May 1, 2012+", "Wednesday, July 4, 2012+"}));
    apply();
    EXPECT_TRUE(batch().contains(setLine("holidays", "{257/1 7/4 {new year} 2/30 5/1}")))
        << batch().toStdString();
}

} // namespace
