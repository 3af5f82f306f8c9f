// The menus page against the simulator: the application lists (user
// applications, then the aliases that lead to one, in the order they
// resolve), an application shown exactly as stored, typing refused, and
// the event-map commands a change sends.
#include "admin/useragents/pages/menusppg.h"
#include "admin/useragents/pages/tests/pagetestbase.h"
#include "admin/useragents/tests/qtprinters.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

constexpr int kMenusPage = 3;
using Page = CMenusPpg;

class MenusPage : public PageTestBase {
protected:
    void SetUp() override
    {
        PageTestBase::SetUp();
        // The standard class's menu: 1 the directory, 2 the operator's alias,
        // 3 "Mail" (a name another alias begins with), 4 an application the
        // list no longer has.
        m_simulator->seed("eventmap 90 1 5 Directory {}\neventmap 91 1 6 ASRAADirectorySync 0\n"
                          "eventmap 92 1 7 Mail {}\neventmap 93 1 8 Retired 7");
    }
    Page &menus() { return page<Page>(); }
    QComboBox *combo(int key) { return menus().GetDlgItem<QComboBox>(Page::Keys[key].comboId); }
    QStringList items(int key)
    {
        QStringList texts;
        for (int i = 0; i < combo(key)->count(); ++i)
            texts.append(combo(key)->itemText(i));
        return texts;
    }
};

TEST_F(MenusPage, OffersTheApplicationsAndTheAliasesThatResolve)
{
    m_simulator->seed("alias Chain2 Chain1\nalias Chain1 MailBox");
    openSheet(106, kMenusPage);
    // Left out: aliases of applications that are no user applications
    // (Operator, Beeper, NightPager), the circle, the one naming itself,
    // the one leading nowhere and what leads to it.
    const QStringList expected{"Voicemail", "AutoAttendant", "Directory", "ASRAADirectorySync",
                               "MailBox",   "Mail",          "Odd[name]", "Chain1",
                               "Chain2"};
    for (int key = 0; key < Page::KeyCount; ++key)
        EXPECT_EQ(items(key), expected) << key;
    // The alias batch named every alias as data (the bracketed name was
    // read, not run), and went through the application's session, not the
    // editor's.
    m_session->Execute("GetAliasList");
    int application = 0;
    for (const testserver::LoggedCommand &command : m_simulator->commandLog())
        if (command.text == "GetAliasList")
            application = command.connection;
    ASSERT_NE(application, 0);
    const QList<testserver::LoggedCommand> loads = receivedWhileOpening("GetUA 106");
    ASSERT_FALSE(loads.isEmpty());
    EXPECT_NE(loads.first().connection, application) << "the editor has a session of its own";
    const QList<testserver::LoggedCommand> batches = receivedWhileOpening("set _plist");
    ASSERT_FALSE(batches.isEmpty());
    for (const testserver::LoggedCommand &batch : batches)
        EXPECT_EQ(batch.connection, application) << batch.text.toStdString();
    saveScreenshot("mailbox-page-menus.png");
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(MenusPage, ShowsEachApplicationExactlyAsStored)
{
    openSheet(106, kMenusPage);
    EXPECT_EQ(combo(0)->currentText(), "Directory");
    EXPECT_EQ(combo(1)->currentText(), "ASRAADirectorySync");
    EXPECT_EQ(menus().GetDlgItemText(Page::Keys[1].editId), "0");
    EXPECT_EQ(combo(2)->currentText(), "Mail");
    EXPECT_EQ(combo(3)->currentText(), "Retired");
    EXPECT_EQ(menus().GetDlgItemText(Page::Keys[3].editId), "7");
    EXPECT_EQ(combo(4)->currentText(), "");
    // Showing is no edit.
    EXPECT_FALSE(menus().IsModified());
}

TEST_F(MenusPage, TypingIntoAnApplicationIsRefused)
{
    openSheet(106, kMenusPage);
    m_boxes->answer(IDOK);
    QLineEdit *edit = combo(0)->lineEdit();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_X);
    EXPECT_EQ(m_boxes->texts().last(), "Select new application from the drop down list. \nTo remove current "
                                       "selection, use revert option.");
    EXPECT_EQ(combo(0)->currentText(), "Directory");
    EXPECT_FALSE(menus().IsModified());
}

TEST_F(MenusPage, AChosenApplicationGoesToTheBoxsOwnScenario)
{
    openSheet(106, kMenusPage);
    choose(Page::Keys[4].comboId, "MailBox");
    type(Page::Keys[4].editId, "2");
    apply();
    EXPECT_EQ(received("CreateEMRecord"), QStringList{"CreateEMRecord 6 9 {MailBox} {2} 1 1 0 0 0 0 65279"});
    EXPECT_EQ(received("CreateScenario").size(), 1);
    EXPECT_EQ(received("SetUAScenario").size(), 1);
    // Reloaded from the server: the box's own choice.
    ASSERT_TRUE(waitUntil([&] { return combo(4)->currentText() == "MailBox"; }));
    EXPECT_EQ(menus().GetMark(2 * 4 + 3 + 0), CInhPropertyPg::Mark::Own);
}

TEST_F(MenusPage, PassingThroughKeyZerosListChoosesNothingAndKeepsWhatWasTyped)
{
    openSheet(106, kMenusPage);
    // Key 4's parameter typed, then key 0's list entered and left by Tab.
    typeIn(Page::Keys[3].editId, "8");
    QTest::mouseClick(combo(9)->lineEdit(), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), combo(9));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), menus().GetDlgItem(Page::Keys[9].editId));
    EXPECT_EQ(menus().GetDlgItemText(Page::Keys[3].editId), "8");
    EXPECT_EQ(combo(9)->currentText(), "");
    EXPECT_EQ(menus().GetMark(2 * 9 + 3), CInhPropertyPg::Mark::None);
    apply();
    const QStringList created = received("CreateEMRecord");
    ASSERT_EQ(created.size(), 1) << created.join('|').toStdString();
    EXPECT_TRUE(created.first().contains("{Retired} {8}")) << created.first().toStdString();
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(MenusPage, LockingAKeyCoversItsParameter)
{
    openSheet(106, kMenusPage);
    const int application = 3 + 2 * 4;
    menus().Lock(application);
    EXPECT_TRUE(menus().IsLockShown(application));
    EXPECT_EQ(menus().GetEntry(application + 1).labelId, menus().GetEntry(application).labelId);
    EXPECT_EQ(menus().GetEntry(application).indicatorOffset, 10);
}

} // namespace
