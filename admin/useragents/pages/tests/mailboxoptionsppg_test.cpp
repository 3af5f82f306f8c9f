// The user mode options page against the simulator: what box 106 shows,
// the exact UpdateUA, SetUAParent and SetUASAC lines of its edits, the
// extension's backslashes kept exactly, the copy groups, the guests' range,
// the class-of-service change asked once and taken back when refused, and
// the security-code dialog opened once.
#include "admin/useragents/pages/mailboxoptionsppg.h"
#include "admin/useragents/pages/tests/pagetestbase.h"
#include "admin/useragents/tests/qtprinters.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimeEdit>

namespace {

constexpr int kOptionsPage = 0;
using Page = CMailboxOptionsPpg;

class OptionsPage : public PageTestBase {
protected:
    Page &options() { return page<Page>(); }
    QString text(int id) { return options().GetDlgItemText(id); }
    bool checked(int id) { return options().GetDlgItem<QAbstractButton>(id)->isChecked(); }
    bool enabled(int id) { return options().GetDlgItem(id)->isEnabled(); }
};

TEST_F(OptionsPage, ShowsTheBox)
{
    openSheet(106, kOptionsPage);
    EXPECT_EQ(text(Page::IDC_EXTENSION), "106\\7");
    EXPECT_EQ(text(Page::IDC_MAX_LENGTH), "90");
    EXPECT_EQ(text(Page::IDC_GUESTS), "5");
    EXPECT_EQ(text(Page::IDC_COPY_DESTINATION), "2005");
    EXPECT_EQ(text(Page::IDC_COPY_DELAY), "2");
    EXPECT_EQ(options().GetDlgItem<QTimeEdit>(Page::IDC_COPY_FROM)->time(), QTime(7, 5));
    EXPECT_EQ(options().GetDlgItem<QTimeEdit>(Page::IDC_COPY_TO)->time(), QTime(17, 30));
    EXPECT_EQ(options().GetDlgItem<QSlider>(Page::IDC_VOLUME)->value(), 2);
    EXPECT_TRUE(checked(Page::IDC_LIFO));
    EXPECT_TRUE(checked(Page::IDC_STORE));
    EXPECT_TRUE(enabled(Page::IDC_MAX_LENGTH));
    // An empty "&First_Login": the tutorial plays at the next login.
    EXPECT_TRUE(checked(Page::IDC_TUTORIAL));
    // New messages are copied: the urgent group is held off.
    EXPECT_TRUE(checked(Page::IDC_COPY_ENABLE));
    EXPECT_FALSE(checked(Page::IDC_URGENT_ENABLE));
    EXPECT_FALSE(enabled(Page::IDC_URGENT_ENABLE));
    EXPECT_FALSE(enabled(Page::IDC_URGENT_DESTINATION));
    auto *classes = options().GetDlgItem<QComboBox>(Page::IDC_COS);
    EXPECT_EQ(classes->currentText(), "10");
    EXPECT_EQ(classes->itemText(0), "No COS");
    EXPECT_EQ(classes->findText("50"), classes->count() - 1);
    EXPECT_EQ(text(Page::IDC_SECURITY_CODE), "     ");
    saveScreenshot("mailbox-page-options.png");
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

struct OptionsEdit {
    const char *name;
    int id;
    const char *typed; // nullptr: a click
    const char *line;
};

class OptionsSaves : public OptionsPage, public testing::WithParamInterface<OptionsEdit> {};

TEST_P(OptionsSaves, ServerReceivesExactlyItsLine)
{
    openSheet(106, kOptionsPage);
    if (GetParam().typed)
        type(GetParam().id, QString::fromUtf8(GetParam().typed));
    else
        click(GetParam().id);
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{QString::fromUtf8(GetParam().line)});
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

const OptionsEdit kOptionsEdits[] = {
    {"ExtensionWithBackslash", Page::IDC_EXTENSION, "a\\b", "UpdateUA 106 1 &Ext {a\\\\b} "},
    {"MaxLength", Page::IDC_MAX_LENGTH, "120", "UpdateUA 106 1 Max_Msg_Length {120000} "},
    {"Delay", Page::IDC_COPY_DELAY, "3", "UpdateUA 106 1 Nf_22_InitDial {180000} "},
    {"Guests", Page::IDC_GUESTS, "12", "UpdateUA 106 1 Max_Guests {12} "},
    {"GuardTime", Page::IDC_GUARD_TIME, "250", "UpdateUA 106 1 dtmf_guard_time {250} "},
    {"Destination", Page::IDC_COPY_DESTINATION, "2010", "UpdateUA 106 1 Nf_22_Variable {2010} "},
    {"Fifo", Page::IDC_FIFO, nullptr, "UpdateUA 106 1 Message_Order {0} "},
    {"DualQueues", Page::IDC_QUEUE_DUAL, nullptr, "UpdateUA 106 1 Multiple_Queue {1} "},
    {"TutorialOff", Page::IDC_TUTORIAL, nullptr, "UpdateUA 106 1 &First_Login {1} "},
    {"CopyOff", Page::IDC_COPY_ENABLE, nullptr, "UpdateUA 106 1 Nf_22_Disable {1} "},
};

INSTANTIATE_TEST_SUITE_P(Edits, OptionsSaves, testing::ValuesIn(kOptionsEdits),
                         [](const testing::TestParamInfo<OptionsEdit> &info) { return info.param.name; });

TEST_F(OptionsPage, AnExtensionLeftAloneGoesBackAsItCame)
{
    // Single and doubled backslashes alike: nothing is rewritten.
    for (const char *stored : {"a\\b", "106\\\\7"}) {
        SCOPED_TRACE(stored);
        ASSERT_FALSE(m_session->Execute(QStringLiteral("UpdateUA 106 WithForce &Ext %1").arg(TclWord(QString::fromLatin1(stored))))
                         .startsWith('!'));
        openSheet(106, kOptionsPage);
        type(Page::IDC_ALT_RATE, "4");
        apply();
        ASSERT_EQ(received("UpdateUA").size(), 1);
        EXPECT_TRUE(received("UpdateUA").first().endsWith(" Alternate_Rate {4} ")) << received("UpdateUA").first().toStdString();
        ASSERT_FALSE(m_session->Execute("UpdateUA 106 WithForce ~Alternate_Rate {}").startsWith('!'));
        QStringList reply;
        CTclList().SplitList(m_session->Execute("GetUA 106 &Ext"), reply);
        EXPECT_EQ(reply.value(3), QString::fromLatin1(stored));
    }
}

TEST_F(OptionsPage, AChangedTimeIsStoredAsHoursAndMinutes)
{
    openSheet(106, kOptionsPage);
    auto *to = options().GetDlgItem<QTimeEdit>(Page::IDC_COPY_TO);
    to->setFocus();
    to->setCurrentSection(QDateTimeEdit::HourSection);
    QTest::keyClick(to, Qt::Key_Up);
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 106 1 Nf_22_To {1830} "});
}

TEST_F(OptionsPage, ACopyTimeThatIsNoHourAndMinuteShowsEmptyAndGoesBackAsItCame)
{
    m_simulator->seed("ua 105 -parent 20 -stamp 1 -sac 0 {&Name1 Farid &Name2 Fox &Ext 105 &Comment {} "
                      "Nf_22_Disable 0 Nf_22_From 2599 Nf_22_To 1730}");
    openSheet(106, kOptionsPage);
    auto *from = options().GetDlgItem<QTimeEdit>(Page::IDC_COPY_FROM);
    ASSERT_EQ(from->time(), QTime(7, 5));
    type(CInhPropertyPg::IDC_MAILBOX_NUMBER, "105");
    ASSERT_TRUE(waitUntil([&] { return options().GetMailboxNumber() == 105; }, 5000));
    EXPECT_TRUE(from->text().trimmed().isEmpty()) << "never box 106's time: " << from->text().toStdString();
    EXPECT_EQ(options().GetDlgItem<QTimeEdit>(Page::IDC_COPY_TO)->text(), "17:30");
    saveScreenshot("mailbox-page-options-no-copy-time.png");
    type(Page::IDC_COPY_DESTINATION, "2006");
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 105 1 Nf_22_Variable {2006} "});
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(OptionsPage, RefusesGuestsOutOfRangeAndKeepsTheOldValue)
{
    openSheet(106, kOptionsPage);
    for (const char *typed : {"100", "-1"}) {
        m_boxes->answer(IDOK);
        type(Page::IDC_GUESTS, typed);
        EXPECT_EQ(m_boxes->texts().last(), "The valid range for Maximum Number of Guests is from 0 to 99.\nPlease "
                                           "enter a value within the valid range.");
        EXPECT_EQ(text(Page::IDC_GUESTS), "5");
    }
    m_boxes->answer(IDOK);
    type(Page::IDC_ALT_RATE, "11");
    QTest::mouseClick(m_sheet->GetDlgItem(ID_APPLY_NOW), Qt::LeftButton);
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(m_boxes->texts().last(), "Please enter an integer between 0 and 10.");
    EXPECT_TRUE(received("UpdateUA").isEmpty());
}

// Guests out of range, typed and left with the sheet active: another window
// and Cancel taking the focus check nothing; Apply refuses them once, itself,
// and saves nothing.
TEST_F(OptionsPage, GuestsOutOfRangeAreRefusedOnceByApplyAndNeverOnTheWayOut)
{
    const QString refusal = "The valid range for Maximum Number of Guests is from 0 to 99.\nPlease enter a value "
                            "within the valid range.";
    openSheet(106, kOptionsPage);
    activate();
    auto *guests = options().GetDlgItem<QLineEdit>(Page::IDC_GUESTS);
    typeIn(Page::IDC_GUESTS, "150");
    visitAnotherWindow([&] {
        EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
        EXPECT_EQ(guests->text(), "150");
    });
    guests->setFocus();
    // A press on Cancel gives it the focus first.
    m_sheet->GetDlgItem(IDCANCEL)->setFocus();
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();

    guests->setFocus();
    QWidget *apply = m_sheet->GetDlgItem(ID_APPLY_NOW);
    ASSERT_TRUE(apply->isEnabled());
    m_boxes->answer({IDOK, IDOK}); // one more than needed: a second box would show
    QTest::mouseClick(apply, Qt::LeftButton);
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(m_boxes->texts(), QStringList{refusal});
    EXPECT_EQ(guests->text(), "5");
    EXPECT_EQ(QApplication::focusWidget(), guests);
    EXPECT_TRUE(received("UpdateUA").isEmpty());
}

TEST_F(OptionsPage, BothCopyGroupsOnStayUsable)
{
    ASSERT_FALSE(m_session->Execute("UpdateUA 106 WithForce Nf_58_Disable 0").startsWith('!'));
    openSheet(106, kOptionsPage);
    EXPECT_TRUE(checked(Page::IDC_COPY_ENABLE));
    EXPECT_TRUE(checked(Page::IDC_URGENT_ENABLE));
    EXPECT_TRUE(enabled(Page::IDC_COPY_ENABLE));
    EXPECT_TRUE(enabled(Page::IDC_URGENT_ENABLE));
    // Switching one off holds it off while the other copies.
    click(Page::IDC_URGENT_ENABLE);
    EXPECT_FALSE(enabled(Page::IDC_URGENT_ENABLE));
    EXPECT_FALSE(enabled(Page::IDC_URGENT_FROM));
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 106 2 Nf_58_Disable {1} "});
}

TEST_F(OptionsPage, StoreMessagesGovernsTheMaximumLength)
{
    openSheet(106, kOptionsPage);
    click(Page::IDC_STORE);
    EXPECT_FALSE(enabled(Page::IDC_MAX_LENGTH));
    EXPECT_FALSE(enabled(Page::IDL_MAX_LENGTH));
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 106 1 Store_Message {0} "});
}

TEST_F(OptionsPage, ChangesTheClassOfServiceAtOnceWhenConfirmed)
{
    openSheet(106, kOptionsPage);
    m_boxes->answer(IDNO);
    choose(Page::IDC_COS, "20");
    EXPECT_EQ(m_boxes->texts().last(), "The change to COS 20 will be immediate. Proceed?");
    EXPECT_TRUE(received("SetUAParent").isEmpty());
    EXPECT_EQ(options().GetDlgItem<QComboBox>(Page::IDC_COS)->currentText(), "10");

    m_boxes->answer(IDYES);
    choose(Page::IDC_COS, "20");
    EXPECT_EQ(received("SetUAParent"), QStringList{"SetUAParent 106 1 20"});
    ASSERT_TRUE(waitUntil([&] { return m_sheet->Record().GetParentNumber() == 20; }));

    m_boxes->answer(IDYES);
    choose(Page::IDC_COS, "No COS");
    EXPECT_EQ(m_boxes->texts().last(), "The change to COS No COS will be immediate.  Proceed?");
    EXPECT_EQ(received("SetUAParent").last(), "SetUAParent 106 2 2147483647");
}

TEST_F(OptionsPage, ARefusedClassOfServiceChangeShowsTheOldOneAgain)
{
    m_simulator->failCommand("SetUAParent", "not now");
    openSheet(106, kOptionsPage);
    m_boxes->answer({IDYES, IDOK});
    choose(Page::IDC_COS, "30");
    waitUntil([] { return false; }, 200);
    EXPECT_EQ(options().GetDlgItem<QComboBox>(Page::IDC_COS)->currentText(), "10");
    EXPECT_EQ(m_sheet->Record().GetParentNumber(), 10);
}

TEST_F(OptionsPage, ASecurityCodeIsAskedForOnceAndSent)
{
    m_codeAnswer = QStringLiteral("4321");
    openSheet(106, kOptionsPage);
    type(Page::IDC_SECURITY_CODE, "4321");
    waitUntil([] { return false; }, 200);
    EXPECT_EQ(m_codesAsked, QStringList{"4321"});
    EXPECT_EQ(received("SetUASAC").size(), 1);
    EXPECT_TRUE(received("SetUASAC").value(0).startsWith("SetUASAC 106 "));
    EXPECT_TRUE(received("SetUASAC").value(0).contains("4321"));
    EXPECT_EQ(text(Page::IDC_SECURITY_CODE), "     ");
    // Blanks alone open nothing.
    options().GetDlgItem(Page::IDC_SECURITY_CODE)->setFocus();
    options().GetDlgItem(1230)->setFocus();
    EXPECT_EQ(m_codesAsked.size(), 1);
}

// A security code typed with the sheet active: another window and Cancel
// taking the focus ask nothing; Apply asks once, the code is sent once, and
// the page's other change is saved with it.
TEST_F(OptionsPage, ASecurityCodeIsAskedForOnceOnTheWayToApplyAndNeverOnTheWayOut)
{
    m_codeAnswer = QStringLiteral("4321");
    openSheet(106, kOptionsPage);
    activate();
    auto *code = options().GetDlgItem<QLineEdit>(Page::IDC_SECURITY_CODE);
    typeIn(Page::IDC_ALT_RATE, "4");
    typeIn(Page::IDC_SECURITY_CODE, "4321");
    visitAnotherWindow([&] {
        EXPECT_TRUE(m_codesAsked.isEmpty());
        EXPECT_EQ(code->text(), "4321");
    });
    code->setFocus();
    m_sheet->GetDlgItem(IDCANCEL)->setFocus();
    EXPECT_TRUE(m_codesAsked.isEmpty());
    EXPECT_TRUE(received("SetUASAC").isEmpty());

    code->setFocus();
    apply();
    EXPECT_EQ(m_codesAsked, QStringList{"4321"});
    EXPECT_EQ(received("SetUASAC").size(), 1);
    EXPECT_EQ(received("UpdateUA").size(), 1);
    EXPECT_TRUE(received("UpdateUA").value(0).endsWith(" Alternate_Rate {4} ")) << received("UpdateUA").value(0).toStdString();
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

} // namespace
