// The chains, groups and fax page against the simulator: what box 106
// shows, the time zone taken from the server's own (its sign kept for the
// whole offset, the question asked once a box), "<Default>" and the
// language shown for an empty one never stored, group names stored with
// blanks, and the language controls of a server with one prompt language.
#include "admin/useragents/pages/groupsppg.h"
#include "admin/useragents/pages/sametimezonedlg.h"
#include "admin/useragents/pages/tests/pagetestbase.h"
#include "admin/useragents/pages/timezonetable.h"
#include "admin/useragents/tests/qtprinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

constexpr int kGroupsPage = 2;
using Page = CGroupsPpg;

class GroupsPage : public PageTestBase {
protected:
    Page &groups() { return page<Page>(); }
    QComboBox *combo(int id) { return groups().GetDlgItem<QComboBox>(id); }
    bool enabled(int id) { return groups().GetDlgItem(id)->isEnabled(); }
    // Answers each same-time-zone question with the item `choice`, counting them.
    void answerZoneQuestions(int choice)
    {
        auto *timer = new QTimer(m_app.get());
        QObject::connect(timer, &QTimer::timeout, [this, choice] {
            auto *question = qobject_cast<CSameTimeZoneDlg *>(QApplication::activeModalWidget());
            if (!question || question->property("answered").toBool())
                return;
            question->setProperty("answered", true);
            ++m_zoneQuestions;
            m_zoneChoices = QStringList();
            auto *zones = question->GetDlgItem<QComboBox>(CSameTimeZoneDlg::IDC_ZONES);
            for (int i = 0; i < zones->count(); ++i)
                m_zoneChoices.append(zones->itemText(i));
            zones->setCurrentIndex(choice);
            QTest::mouseClick(question->GetDlgItem<QAbstractButton>(IDOK), Qt::LeftButton);
        });
        timer->start(50);
    }
    int m_zoneQuestions = 0;
    QStringList m_zoneChoices;
};

TEST_F(GroupsPage, ShowsTheBox)
{
    openSheet(106, kGroupsPage);
    EXPECT_EQ(combo(Page::IDC_DONE_APP)->currentText(), "<Default>");
    // Inherited from the class of service's call handling.
    EXPECT_EQ(combo(Page::IDC_BUSY_APP)->currentText(), "Voicemail");
    EXPECT_EQ(combo(Page::IDC_RNA_APP)->currentText(), "Voicemail");
    EXPECT_EQ(combo(Page::IDC_TIME_ZONE)->currentText(), CTimeZoneTable::Name(12));
    EXPECT_EQ(groups().GetDlgItemText(Page::IDC_GROUPS), "sales east");
    EXPECT_EQ(groups().GetDlgItemText(Page::IDC_HOST), "103");
    EXPECT_EQ(groups().GetDlgItemText(Page::IDC_CHAIN_DELAY), "500");
    EXPECT_EQ(combo(Page::IDC_LANGUAGE)->currentText(), "French");
    EXPECT_EQ(combo(Page::IDC_LANGUAGE)->count(), 2) << "Spanish has no prompt files";
    EXPECT_TRUE(groups().IsMultiLanguage());
    EXPECT_TRUE(enabled(Page::IDC_LANGUAGE));
    EXPECT_TRUE(enabled(Page::IDC_LANGUAGE_PHONE));
    saveScreenshot("mailbox-page-groups.png");
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(GroupsPage, AServerZoneOfOneRowIsTakenWithItsSign)
{
    m_services.serverTimeZone = "IST-05:30";
    openSheet(105, kGroupsPage);
    EXPECT_EQ(combo(Page::IDC_TIME_ZONE)->currentIndex(), 47);
    type(Page::IDC_CHAIN_DELAY, "100");
    apply();
    // Shown, as the server's own zone, not stored unless chosen.
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 105 1 chain_delay {100} "});
}

TEST_F(GroupsPage, AZoneSharedByRowsIsAskedOnceABox)
{
    answerZoneQuestions(1);
    openSheet(105, kGroupsPage);
    EXPECT_EQ(m_zoneQuestions, 1);
    EXPECT_EQ(m_zoneChoices, (QStringList{CTimeZoneTable::Name(11), CTimeZoneTable::Name(12), CTimeZoneTable::Name(13)}));
    EXPECT_EQ(combo(Page::IDC_TIME_ZONE)->currentIndex(), 12);
    EXPECT_TRUE(groups().IsModified());
    // Loaded again without saving: not asked again.
    m_boxes->answer(IDOK);
    QTest::mouseClick(m_sheet->GetDlgItem(CMailboxPps::IDC_REFRESH), Qt::LeftButton);
    waitUntil([] { return false; }, 800);
    EXPECT_EQ(m_zoneQuestions, 1);
}

TEST_F(GroupsPage, ResetAsksNoZoneQuestion)
{
    answerZoneQuestions(0);
    openSheet(105, kGroupsPage);
    ASSERT_EQ(m_zoneQuestions, 1);
    type(Page::IDC_CHAIN_DELAY, "100");
    apply();
    m_boxes->answer({IDYES, IDNO});
    QTest::mouseClick(m_sheet->GetDlgItem(CMailboxPps::IDC_RESET), Qt::LeftButton);
    waitUntil([] { return false; }, 500);
    EXPECT_EQ(m_zoneQuestions, 1);
}

TEST_F(GroupsPage, DefaultAndTheShownLanguageAreNeverStored)
{
    m_services.serverTimeZone = "IST-05:30";
    openSheet(105, kGroupsPage);
    // Box 105 has no language: the server's first prompt language shows.
    EXPECT_EQ(combo(Page::IDC_LANGUAGE)->currentText(), "English");
    choose(Page::IDC_DONE_APP, "Directory");
    type(Page::IDC_DONE_PARAM, "7");
    choose(Page::IDC_DONE_APP, "<Default>");
    EXPECT_EQ(groups().GetDlgItemText(Page::IDC_DONE_PARAM), "");
    type(Page::IDC_GROUPS, "north,south,,west");
    apply();
    for (const QString &line : m_simulator->commandTexts())
        EXPECT_FALSE(line.contains("<Default>") || line.contains("LanguageName")) << line.toStdString();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 105 1 Group_List {north south  west} "});
}

struct LanguageNotice {
    const char *name;
    const char *server;
    const char *notice;
};

class LanguageNotices : public GroupsPage, public testing::WithParamInterface<LanguageNotice> {};

TEST_P(LanguageNotices, AreNeverStoredAsTheLanguage)
{
    m_simulator->seed(QString::fromLatin1(GetParam().server));
    openSheet(106, kGroupsPage);
    ASSERT_TRUE(enabled(Page::IDC_LANGUAGE));
    choose(Page::IDC_LANGUAGE, QString::fromLatin1(GetParam().notice));
    EXPECT_EQ(combo(Page::IDC_LANGUAGE)->currentText(), "French") << "the box keeps its language";
    type(Page::IDC_CHAIN_DELAY, "100");
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 106 1 chain_delay {100} "});
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Servers, LanguageNotices,
    testing::Values(LanguageNotice{"NoTable", "var sys_language_table {}", "No language table"},
                    LanguageNotice{"UnknownId", "var sys_prompt_files {{english.pmt 0} {german.pmt 3}}",
                                   "Unknown language ID 3"}),
    [](const testing::TestParamInfo<LanguageNotice> &info) { return info.param.name; });

TEST_F(GroupsPage, OnePromptLanguageDisablesTheLanguageControls)
{
    m_simulator->seed("var sys_prompt_files {{english.pmt 0}}");
    openSheet(106, kGroupsPage);
    EXPECT_FALSE(groups().IsMultiLanguage());
    EXPECT_FALSE(enabled(Page::IDC_LANGUAGE));
    EXPECT_FALSE(enabled(Page::IDC_LANGUAGE_ADMIN));
    EXPECT_FALSE(enabled(Page::IDC_LANGUAGE_PHONE));
    EXPECT_FALSE(enabled(Page::IDC_MULTILINGUAL));
    EXPECT_FALSE(enabled(Page::IDL_LANGUAGE));
}

TEST_F(GroupsPage, PhoneDisablesTheLanguageName)
{
    openSheet(106, kGroupsPage);
    click(Page::IDC_LANGUAGE_PHONE);
    EXPECT_FALSE(enabled(Page::IDC_LANGUAGE));
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 106 1 LanguageSetfrom {1} "});
}

} // namespace
