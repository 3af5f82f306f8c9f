// The day-of-week control as the pages use it: a click toggles one day's bit
// and reports the new mask, a mask set by the page is shown without a report,
// bits above the seven days come back as they were given, and a read-only or
// disabled control takes no clicks.
#include "admin/widgets/daymaskctrl.h"

#include <QDir>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

void click(CDayMaskCtrl &control, int day)
{
    QTest::mouseClick(control.DayButton(day), Qt::LeftButton);
}

struct ClickCase {
    const char *name;
    int start;
    int day;
    int expected;
};

class DayMaskClick : public ::testing::TestWithParam<ClickCase> {};

} // namespace

TEST_P(DayMaskClick, TogglesTheDaysBitAndReportsTheMask)
{
    const ClickCase &c = GetParam();
    CDayMaskCtrl control;
    control.SetMask(c.start);
    control.show();
    QSignalSpy changes(&control, &CDayMaskCtrl::MaskChanged);
    click(control, c.day);
    EXPECT_EQ(control.Mask(), c.expected);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toInt(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    DayMaskCtrl, DayMaskClick,
    ::testing::Values(ClickCase{"MondayOn", 0, 0, 0x01}, ClickCase{"SundayOn", 0, 6, 0x40},
                      ClickCase{"WednesdayOffFromEveryDay", 127, 2, 0x7b},
                      ClickCase{"HighBitKeptThroughAClick", 0x80 | 0x01, 0, 0x80},
                      ClickCase{"SaturdayOnBesideHighBits", 0x300, 5, 0x320}),
    [](const ::testing::TestParamInfo<ClickCase> &info) { return std::string(info.param.name); });

TEST(DayMaskCtrl, SetMaskShowsTheDaysWithoutReporting)
{
    CDayMaskCtrl control;
    QSignalSpy changes(&control, &CDayMaskCtrl::MaskChanged);
    control.SetMask(0x80 | 0x41);
    EXPECT_EQ(control.Mask(), 0x80 | 0x41);
    EXPECT_TRUE(control.DayButton(0)->isChecked());
    EXPECT_TRUE(control.DayButton(6)->isChecked());
    for (int day = 1; day < 6; ++day)
        EXPECT_FALSE(control.DayButton(day)->isChecked()) << day;
    control.SetMask(CDayMaskCtrl::EveryDay);
    EXPECT_EQ(control.Mask(), 127);
    EXPECT_EQ(changes.count(), 0);
}

TEST(DayMaskCtrl, ClicksTwiceGiveTheMaskBack)
{
    CDayMaskCtrl control;
    control.SetMask(0x15);
    control.show();
    QSignalSpy changes(&control, &CDayMaskCtrl::MaskChanged);
    click(control, 3);
    click(control, 3);
    EXPECT_EQ(control.Mask(), 0x15);
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes.at(0).at(0).toInt(), 0x1d);
    EXPECT_EQ(changes.at(1).at(0).toInt(), 0x15);
}

TEST(DayMaskCtrl, ReadOnlyOrDisabledTakesNoClicks)
{
    for (const bool readOnly : {true, false}) {
        CDayMaskCtrl control;
        control.SetMask(0x0f);
        control.show();
        if (readOnly)
            control.SetReadOnly(true);
        else
            control.setEnabled(false);
        QSignalSpy changes(&control, &CDayMaskCtrl::MaskChanged);
        click(control, 0);
        click(control, 6);
        EXPECT_EQ(control.Mask(), 0x0f) << readOnly;
        EXPECT_EQ(changes.count(), 0) << readOnly;
    }
}

TEST(DayMaskCtrl, SpaceOnAFocusedDayToggles)
{
    CDayMaskCtrl control;
    control.show();
    QSignalSpy changes(&control, &CDayMaskCtrl::MaskChanged);
    control.DayButton(4)->setFocus();
    QTest::keyClick(control.DayButton(4), Qt::Key_Space);
    EXPECT_EQ(control.Mask(), 0x10);
    EXPECT_EQ(changes.count(), 1);
}

TEST(DayMaskCtrl, Screenshot)
{
    CDayMaskCtrl control;
    control.SetMask(0x1f);
    control.show();
    const QPixmap picture = control.grab();
    ASSERT_FALSE(picture.isNull());
    QDir folder(qEnvironmentVariable("VERBANTA_BINARY_DIR", QDir::tempPath()));
    folder.mkpath(QStringLiteral("screenshots"));
    EXPECT_TRUE(picture.save(folder.filePath(QStringLiteral("screenshots/daymaskctrl.png"))));
}
