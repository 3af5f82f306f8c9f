// The auto-attendant page against the simulator: what box 106 shows, the
// exact UpdateUA lines of its edits, lengths in seconds that keep the
// milliseconds they came with, the range messages, the busy greeting's
// length field, lock, revert and reset, and a server without a list of
// telephone systems.
#include "admin/useragents/pages/attendantppg.h"
#include "admin/useragents/pages/tests/pagetestbase.h"
#include "admin/useragents/tests/qtprinters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

constexpr int kAttendantPage = 1;

class AttendantPage : public PageTestBase {
protected:
    void SetUp() override
    {
        PageTestBase::SetUp();
        // The class of service of box 106 gives what the box does not hold.
        ASSERT_FALSE(m_session
                         ->Execute("UpdateUA 10 WithForce Num_RNA 3 Max_Def_Length 60000 Max_Busy_Length 30000 "
                                   "Busy_Detect_Enabled 1 Current_Greeting 1")
                         .startsWith('!'));
    }
    CAttendantPpg &attendant() { return page<CAttendantPpg>(); }
    QString text(int id) { return attendant().GetDlgItemText(id); }
    int entry(const QString &property)
    {
        for (int i = 0; i < attendant().GetEntryCount(); ++i)
            if (attendant().GetEntry(i).property == property)
                return i;
        return -1;
    }
};

TEST_F(AttendantPage, ShowsTheBoxInSecondsWithTheTelephoneSystems)
{
    openSheet(106, kAttendantPage);
    EXPECT_EQ(text(CAttendantPpg::IDC_RINGS), "4");
    EXPECT_EQ(text(CAttendantPpg::IDC_BUSY_LENGTH), "45");
    EXPECT_EQ(text(CAttendantPpg::IDC_MAX_LENGTH), "60");
    EXPECT_TRUE(attendant().GetDlgItem<QRadioButton>(CAttendantPpg::IDC_BUSY_CUSTOM)->isChecked());
    EXPECT_TRUE(attendant().GetDlgItem(CAttendantPpg::IDC_BUSY_LENGTH)->isEnabled());
    EXPECT_TRUE(attendant().GetDlgItem<QCheckBox>(CAttendantPpg::IDC_DND)->isChecked());
    EXPECT_TRUE(attendant().GetDlgItem<QCheckBox>(CAttendantPpg::IDC_BUSY_DETECT)->isChecked());
    auto *systems = attendant().GetDlgItem<QComboBox>(CAttendantPpg::IDC_PBX);
    // A telephone system the server no longer lists is shown as stored.
    EXPECT_EQ(systems->currentText(), "Legacy");
    EXPECT_EQ(systems->itemText(0), "Generic");
    EXPECT_EQ(systems->itemText(1), "Meridian");
    EXPECT_EQ(attendant().GetMark(entry("Num_RNA")), CInhPropertyPg::Mark::Own);
    EXPECT_EQ(attendant().GetMark(entry("Current_Greeting")), CInhPropertyPg::Mark::None);
    saveScreenshot("mailbox-page-attendant.png");
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

struct AttendantEdit {
    const char *name;
    void (*edit)(AttendantPage &test);
    const char *line;
};

class AttendantSaves : public AttendantPage, public testing::WithParamInterface<AttendantEdit> {
public:
    void typeInto(int id, const QString &value) { type(id, value); }
    void clickOn(int id) { click(id); }
    void pick(int id, const QString &value) { choose(id, value); }
};

TEST_P(AttendantSaves, ServerReceivesExactlyItsLine)
{
    openSheet(106, kAttendantPage);
    GetParam().edit(*this);
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{QString::fromUtf8(GetParam().line)});
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

const AttendantEdit kAttendantEdits[] = {
    {"Rings", [](AttendantPage &t) { static_cast<AttendantSaves &>(t).typeInto(1006, "6"); },
     "UpdateUA 106 1 Num_RNA {6} "},
    // 45 typed over the 45 shown is a new length: whole seconds.
    {"TypedBusyLength", [](AttendantPage &t) { static_cast<AttendantSaves &>(t).typeInto(1084, "45"); },
     "UpdateUA 106 1 Max_Busy_Length {45000} "},
    {"GreetingLength", [](AttendantPage &t) { static_cast<AttendantSaves &>(t).typeInto(1240, "90"); },
     "UpdateUA 106 1 Max_Def_Length {90000} "},
    {"SystemBusyGreeting", [](AttendantPage &t) { static_cast<AttendantSaves &>(t).clickOn(1078); },
     "UpdateUA 106 1 Busy_Greeting {0} "},
    {"ScreenCalls", [](AttendantPage &t) { static_cast<AttendantSaves &>(t).clickOn(1246); },
     "UpdateUA 106 1 Call_Screening_Flag {1} "},
    {"BusyDetectOff", [](AttendantPage &t) { static_cast<AttendantSaves &>(t).clickOn(1118); },
     "UpdateUA 106 1 Busy_Detect_Enabled {0} "},
    {"TelephoneSystem", [](AttendantPage &t) { static_cast<AttendantSaves &>(t).pick(1668, "Meridian"); },
     "UpdateUA 106 1 PBX {Meridian} "},
};

INSTANTIATE_TEST_SUITE_P(Edits, AttendantSaves, testing::ValuesIn(kAttendantEdits),
                         [](const testing::TestParamInfo<AttendantEdit> &info) { return info.param.name; });

TEST_F(AttendantPage, AnUntouchedPageSavesNothingAndKeepsTheMilliseconds)
{
    openSheet(106, kAttendantPage);
    // An edit elsewhere on the page: the lengths shown in seconds go back as they came.
    type(CAttendantPpg::IDC_GREETING, "3");
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 106 1 Current_Greeting {3} "});
}

struct RangeCase {
    int id;
    const char *typed;
    const char *message;
};

TEST_F(AttendantPage, RefusesValuesOutOfRangeWithTheRangeMessage)
{
    openSheet(106, kAttendantPage);
    const RangeCase cases[] = {
        {CAttendantPpg::IDC_RINGS, "0", "Please enter an integer between 1 and 9."},
        {CAttendantPpg::IDC_RINGS, "10", "Please enter an integer between 1 and 9."},
        {CAttendantPpg::IDC_GREETING, "8", "Please enter an integer between 0 and 7."},
        {CAttendantPpg::IDC_BUSY_LENGTH, "100000", "Please enter an integer between 0 and 99999."},
    };
    for (const RangeCase &refused : cases) {
        SCOPED_TRACE(refused.typed);
        openSheet(106, kAttendantPage);
        const qsizetype before = m_boxes->texts().size();
        type(refused.id, refused.typed);
        m_boxes->answer(IDOK);
        QTest::mouseClick(m_sheet->GetDlgItem(ID_APPLY_NOW), Qt::LeftButton);
        waitUntil([] { return false; }, 300);
        EXPECT_EQ(m_boxes->texts().mid(before), QStringList{refused.message});
        EXPECT_TRUE(received("UpdateUA").isEmpty());
    }
}

TEST_F(AttendantPage, TheSystemBusyGreetingDisablesItsLength)
{
    openSheet(106, kAttendantPage);
    click(CAttendantPpg::IDC_BUSY_SYSTEM);
    EXPECT_FALSE(attendant().GetDlgItem(CAttendantPpg::IDC_BUSY_LENGTH)->isEnabled());
    EXPECT_FALSE(attendant().GetDlgItem(CAttendantPpg::IDL_BUSY_LENGTH)->isEnabled());
    EXPECT_EQ(attendant().GetMark(entry("Busy_Greeting")), CInhPropertyPg::Mark::Own);
    click(CAttendantPpg::IDC_BUSY_CUSTOM);
    EXPECT_TRUE(attendant().GetDlgItem(CAttendantPpg::IDC_BUSY_LENGTH)->isEnabled());
}

TEST_F(AttendantPage, LocksRevertsAndResets)
{
    openSheet(106, kAttendantPage);
    attendant().Lock(entry("Num_RNA"));
    // Ctrl+R in the rings field: the class of service's 4 rings.
    attendant().GetDlgItem(CAttendantPpg::IDC_BUSY_LENGTH)->setFocus();
    QTest::keyClick(attendant().GetDlgItem(CAttendantPpg::IDC_BUSY_LENGTH), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(text(CAttendantPpg::IDC_BUSY_LENGTH), "30");
    EXPECT_EQ(attendant().GetMark(entry("Max_Busy_Length")), CInhPropertyPg::Mark::Inherited);
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 106 1 ~Max_Busy_Length {} Lock_Num_RNA {1} "});

    m_simulator->clearLog();
    // Yes to the sheet's question; a second question, should the click
    // reach the sheet twice, changes nothing.
    m_boxes->answer({IDYES, IDNO});
    QTest::mouseClick(m_sheet->GetDlgItem(CMailboxPps::IDC_RESET), Qt::LeftButton);
    waitUntil([] { return false; }, 300);
    // The class of service's values, and no lock of the box's own.
    EXPECT_EQ(text(CAttendantPpg::IDC_RINGS), "3");
    EXPECT_EQ(attendant().GetMark(entry("Num_RNA")), CInhPropertyPg::Mark::Inherited);
    EXPECT_FALSE(attendant().IsLockShown(entry("Num_RNA")));
}

TEST_F(AttendantPage, WorksWithoutTheServersListOfTelephoneSystems)
{
    m_simulator->failCommand("set", "can't read \"pbx_list\": no such variable");
    openSheet(106, kAttendantPage);
    m_simulator->clearFailure("set");
    auto *systems = attendant().GetDlgItem<QComboBox>(CAttendantPpg::IDC_PBX);
    EXPECT_EQ(systems->count(), 1);
    EXPECT_EQ(systems->currentText(), "Legacy");
    type(CAttendantPpg::IDC_RINGS, "2");
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 106 1 Num_RNA {2} "});
}

} // namespace
