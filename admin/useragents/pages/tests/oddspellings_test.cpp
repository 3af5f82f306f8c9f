// Every page of the editor against boxes whose values are spelled as the
// controls would never write them (numbers with leading zeros, signs,
// fractions or text, flags of "yes" and "2", names the server's lists lack,
// braces, times past the day's end): the administrator opens a page, goes
// through all its fields with Tab, changes the comment and applies, and the
// server receives the comment alone.
#include "admin/session/tcllist.h"
#include "admin/testsupport/appshelltestbase.h"
#include "admin/useragents/pages/tests/pagetestbase.h"

#include "admin/useragents/pages/asrppg.h"
#include "admin/useragents/pages/attendantppg.h"
#include "admin/useragents/pages/autoppg.h"
#include "admin/useragents/pages/groupsppg.h"
#include "admin/useragents/pages/infoppg.h"
#include "admin/useragents/pages/integratedmsg.h"
#include "admin/useragents/pages/mailboxoptionsppg.h"
#include "admin/useragents/pages/menusppg.h"
#include "admin/useragents/pages/notifyppg.h"
#include "admin/useragents/pages/sametimezonedlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <functional>

namespace {

// Ola's box: a value of every page in a spelling of its own.
const char *const kOlasBox =
    "ua 120 -parent 10 -stamp 1 -sac 0 -scenario 12 {&Name1 Ola &Name2 Olsen &Ext 0120 &Comment {Odd "
    "spellings} "
    "Store_Message 2 Msg_Pending yes Max_Msg_Length 0090000 Protect_From_Purge -3 Play_DateTime { 1} "
    "Record_Name 01 &First_Login x Slow_Menu 3 Multiple_Queue 7 Message_Order Random Max_Guests 999999 "
    "Alternate_Rate abc Use_Alt_Rate 5 dtmf_guard_time 12.5 gain 11 Delete_After_Copy 2 "
    "Nf_22_Disable 2 Nf_22_Variable {{2005}} Nf_22_From 2500 Nf_22_To -1 Nf_22_InitDial 1e3 Nf_58_Disable "
    "yes "
    "Num_RNA 099 Busy_Greeting 7 Current_Greeting 9 Busy_Detect_Enabled 2 Max_Busy_Length -45500 "
    "Max_Def_Length 1e3 DND yes Call_Screening_Flag 3 Please_Hold_Flag 01 Allow_Busy_Hold 9 PBX {No such "
    "pbx} "
    "Callee_Identification_Flag -1 "
    "Group_List {sales {east west}} Host_id 0103 Time_Zone 99 chain_delay 2.5 LanguageSetfrom 7 "
    "LanguageName Klingon Multilingual 2 Allow_Fax_To_FaxMachine 5 "
    "_EMR_BUSY_A NoSuchApp _EMR_BUSY_V {{x}} _EMR_RNA_A {} _EMR_RNA_V 007 "
    "_EMR_MENU1_A NoSuchApp _EMR_MENU1_V {a {b}} "
    "IM_Message_Transport_Scheme SMOKE TTSTruVoiceType Robot POP3UsingAPOP 2 UM_Suspend_Synch 3 "
    "UM_Up_Synch_Delete yes IM_Del_After_Sent 02 ProtocolForTTS Morse "
    "ASR_Login 7 ASR_SendMsg yes ASR_Transfer -1 "
    "Nf_121_Disable 2 Nf_121_DayOfWeek 999 Nf_121_Holidays 7 Nf_121_From 2500 Nf_121_To 0 "
    "Nf_121_InitDial 1e3 Nf_121_RepeatDelay -5 Nf_121_RepeatCount 0300 Nf_121_Accessible yes "
    "Nf_121_LineGroup {{Notify}} Nf_121_Variable {a {b}}}\n"
    "eventmap 121 12 22 Pager 5550121\n";

struct PageCase {
    const char *name;
    std::function<bool(CPropertyPage *)> is;
};

void PrintTo(const PageCase &c, std::ostream *out)
{
    *out << c.name;
}

template <class Page> PageCase pageCase(const char *name)
{
    return {name, [](CPropertyPage *page) { return dynamic_cast<Page *>(page) != nullptr; }};
}

class OddSpellings : public PageTestBase, public testing::WithParamInterface<std::tuple<long, PageCase>> {
protected:
    void SetUp() override
    {
        PageTestBase::SetUp();
        m_services.notificationEvents = {
            {22, "Normal Message"}, {58, "Urgent Message"}, {70, "Fax Received"}};
        m_services.notificationApps = {"Pager", "Phone", "Email"};
        m_services.tuiDisabledApps = {"Email"};
        m_services.rights = 0x80FFFFFF;
        m_simulator->seed(kOlasBox);
        m_dialogs = std::make_unique<DialogScript>();
        // A box without a time zone is asked which zone it is in; no answer keeps it without.
        m_dialogs->on<CSameTimeZoneDlg>([](CSameTimeZoneDlg *d) { QTest::keyClick(d, Qt::Key_Escape); });
    }
    int indexOfPage() const
    {
        CMailboxPps sheet(QString(), m_session.get(), -1, nullptr);
        const std::vector<std::unique_ptr<CPropertyPage>> pages = CMailboxPages::Make(sheet, m_services);
        for (size_t i = 0; i < pages.size(); ++i)
            if (std::get<1>(GetParam()).is(pages[i].get()))
                return int(i);
        return -1;
    }
    // Tab from the first field of the page to its last, changing nothing.
    void tabThroughThePage()
    {
        QWidget *page = m_sheet->GetActivePage();
        auto *first = page->findChild<QLineEdit *>();
        ASSERT_NE(first, nullptr);
        first->setFocus(Qt::MouseFocusReason);
        for (int presses = 0; presses < 150; ++presses) {
            QWidget *focus = QApplication::focusWidget();
            if (!focus || !page->isAncestorOf(focus))
                break;
            QTest::keyClick(focus, Qt::Key_Tab);
        }
    }
    // The first field of the page's table, below the header, that takes
    // typing and is a property of the box (an event's parameter is stored
    // in its event map instead).
    QLineEdit *firstFieldOfThePage()
    {
        auto *page = dynamic_cast<CInhPropertyPg *>(m_sheet->GetActivePage());
        for (int i = 3; page && i < page->GetEntryCount(); ++i) {
            if (page->GetEntry(i).property.startsWith("_EMR_"))
                continue;
            auto *edit = page->GetDlgItem<QLineEdit>(page->GetEntry(i).controlId);
            if (edit && edit->isVisibleTo(page) && edit->isEnabled() && !edit->isReadOnly() &&
                edit->echoMode() == QLineEdit::Normal)
                return edit;
        }
        return nullptr;
    }
    std::unique_ptr<DialogScript> m_dialogs;
};

TEST_P(OddSpellings, TabbingThroughAPageAndEditingTheCommentSendsTheCommentAlone)
{
    const long box = std::get<0>(GetParam());
    const int index = indexOfPage();
    ASSERT_GE(index, 0);
    openSheet(box, index);
    ASSERT_NO_FATAL_FAILURE(tabThroughThePage());
    type(CInhPropertyPg::IDC_COMMENT, "Checked");
    saveScreenshot(QStringLiteral("odd-spellings-%1-%2.png").arg(box).arg(std::get<1>(GetParam()).name));
    apply();
    const QStringList updates = received("UpdateUA");
    ASSERT_EQ(updates.size(), 1) << updates.join('\n').toStdString();
    EXPECT_EQ(updates.first().section(' ', 3), "&Comment {Checked} ") << updates.first().toStdString();
    EXPECT_TRUE(received("SetUAParent").isEmpty());
    EXPECT_TRUE(received("UADeleteProperty").isEmpty())
        << received("UADeleteProperty").join('\n').toStdString();
    EXPECT_TRUE(received("UpdateEMRecord").isEmpty()) << received("UpdateEMRecord").join('\n').toStdString();
}

// One field of the page's own edited instead, on the pages with fields to
// type in: the update holds that field alone.
class OddSpellingsOneField : public OddSpellings {};

TEST_P(OddSpellingsOneField, EditingOneFieldOfThePageSendsThatFieldAlone)
{
    const long box = std::get<0>(GetParam());
    const int index = indexOfPage();
    ASSERT_GE(index, 0);
    openSheet(box, index);
    ASSERT_NO_FATAL_FAILURE(tabThroughThePage());
    QLineEdit *field = firstFieldOfThePage();
    ASSERT_NE(field, nullptr) << "a field of the page's own to type into";
    SCOPED_TRACE(testing::Message() << "field " << GetDlgCtrlID(field) << " showing "
                                    << field->text().toStdString());
    type(GetDlgCtrlID(field), field->text() == "7" ? "8" : "7");
    apply();
    const QStringList updates = received("UpdateUA");
    ASSERT_EQ(updates.size(), 1) << updates.join('\n').toStdString();
    QStringList words;
    CTclList().SplitList(updates.first(), words);
    EXPECT_EQ(words.size(), 5) << "one name and its value: " << updates.first().toStdString();
    EXPECT_TRUE(received("UADeleteProperty").isEmpty())
        << received("UADeleteProperty").join('\n').toStdString();
    EXPECT_TRUE(received("UpdateEMRecord").isEmpty()) << received("UpdateEMRecord").join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Pages, OddSpellings,
    testing::Combine(testing::Values(120L, 106L, 101L),
                     testing::Values(pageCase<CMailboxOptionsPpg>("Options"),
                                     pageCase<CAttendantPpg>("Attendant"), pageCase<CGroupsPpg>("Groups"),
                                     pageCase<CMenusPpg>("Menus"), pageCase<CInfoPpg>("Info"),
                                     pageCase<CAutoPpg>("Auto"), pageCase<CNotifyPpg>("Notify"),
                                     pageCase<CIntegratedMsg>("UnifiedMessaging"), pageCase<CAsrPpg>("Asr"))),
    [](const auto &info) {
        return std::get<1>(info.param).name + std::string("Box") + std::to_string(std::get<0>(info.param));
    });

INSTANTIATE_TEST_SUITE_P(Pages, OddSpellingsOneField,
                         testing::Combine(testing::Values(120L, 106L, 101L),
                                          testing::Values(pageCase<CMailboxOptionsPpg>("Options"),
                                                          pageCase<CAttendantPpg>("Attendant"),
                                                          pageCase<CGroupsPpg>("Groups"))),
                         [](const auto &info) {
                             return std::get<1>(info.param).name + std::string("Box") +
                                    std::to_string(std::get<0>(info.param));
                         });

} // namespace
