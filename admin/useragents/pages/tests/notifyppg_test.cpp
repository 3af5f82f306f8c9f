// The notifications page against the simulator: the list of a box's
// notifications (titles known through templates, a dotted application
// matched by its last name, unknown ones left out, inherited ones not
// owned), a row's fields, the Enabled box storing Disable 0 when checked,
// adding notifications (pending keys, the exact event-map commands of the
// save, titles that are not offered refused, a refused creation sending
// none of its properties), deleting stored and pending ones, a late reply
// for another box dropped, the port groups, the days and the minutes.
#include "admin/testsupport/appshelltestbase.h"
#include "admin/useragents/pages/newnotificationdlg.h"
#include "admin/useragents/pages/notificationlistctrl.h"
#include "admin/session/tcllist.h"
#include "admin/useragents/pages/notifyppg.h"
#include "admin/useragents/pages/sametimezonedlg.h"
#include "admin/useragents/pages/tests/pagetestbase.h"
#include "admin/widgets/daymaskctrl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

namespace {

using Page = CNotifyPpg;
using List = CNotificationListCtrl;

// Jo's box, scenario 7: new messages to a pager on weekdays, urgent ones to
// the Beeper template at weekends (disabled), faxes to an application the
// server does not offer, and e-mail through a dotted application name.
const char *const kJosBox =
    "ua 108 -parent 10 -stamp 1 -scenario 7 {&Name1 Jo &Name2 Jones &Ext 108 &Comment {Notifications demo} Multiple_Queue 1 "
    "Nf_31_Disable 0 Nf_31_DayOfWeek 31 Nf_31_Holidays 2 Nf_31_From 800 Nf_31_To 1730 Nf_31_InitDial 300000 "
    "Nf_31_RepeatDelay 600000 Nf_31_RepeatCount 3 Nf_31_Accessible 1 Nf_31_LineGroup Pagers "
    "Nf_31_Variable 5550108 "
    "Nf_32_Disable 1 Nf_32_DayOfWeek 96 Nf_32_Holidays 0 Nf_32_From 0 Nf_32_To 2359 Nf_32_InitDial 90000 "
    "Nf_32_RepeatDelay 0 Nf_32_RepeatCount 1 Nf_32_Accessible 0 Nf_32_LineGroup Notify Nf_32_Variable {} "
    "Nf_34_Disable 0 Nf_34_DayOfWeek 127 Nf_34_Accessible 1 Nf_34_To 2359}\n"
    "eventmap 31 7 22 Pager 5550108\n"
    "eventmap 32 7 58 Beeper {}\n"
    "eventmap 33 7 70 Ghost {}\n"
    "eventmap 34 7 70 Acme.Email jo@example.com\n";

class NotifyPage : public PageTestBase {
protected:
    void SetUp() override
    {
        PageTestBase::SetUp();
        m_dialogs = std::make_unique<DialogScript>();
        m_services.notificationEvents = {{22, "Normal Message"}, {58, "Urgent Message"}, {70, "Fax Received"}};
        m_services.notificationApps = {"Pager", "Phone", "Email"};
        m_services.tuiDisabledApps = {"Email"};
        m_services.rights = 0x80FFFFFF;
        m_services.openTemplateEditor = [this](QWidget *) { ++m_editorsOpened; };
    }
    void open(long number = 108)
    {
        m_simulator->seed(kJosBox);
        openSheet(number, pageIndex<Page>());
        ASSERT_TRUE(waitUntil([&] { return list().isEnabled(); }, 5000));
    }
    Page &notify() { return page<Page>(); }
    List &list() { return notify().List(); }
    QStringList row(int index)
    {
        QStringList texts;
        for (int column = 0; column <= List::LineGroup; ++column)
            texts.append(list().GetItemText(index, column));
        return texts;
    }
    QStringList titles()
    {
        QStringList texts;
        for (int i = 0; i < list().GetItemCount(); ++i)
            texts.append(list().GetItemText(i, List::Title));
        return texts;
    }
    void clickRow(int index)
    {
        QTreeWidgetItem *item = list().topLevelItem(index);
        ASSERT_NE(item, nullptr) << index;
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, list().visualItemRect(item).center());
    }
    bool enabled(int id) { return notify().GetDlgItem(id)->isEnabled(); }
    bool checked(int id) { return notify().GetDlgItem<QAbstractButton>(id)->isChecked(); }
    // Adds a notification through the New Notification dialog.
    void add(const QString &title, const QString &event)
    {
        m_dialogs->on<CNewNotificationDlg>([title, event](CNewNotificationDlg *d) {
            d->GetDlgItem<QComboBox>(CNewNotificationDlg::IDC_TITLE)->setEditText(title);
            d->GetDlgItem<QComboBox>(CNewNotificationDlg::IDC_EVENT)->setEditText(event);
            QTest::mouseClick(d->GetDlgItem<QAbstractButton>(IDOK), Qt::LeftButton);
        });
        click(Page::IDC_ADD);
        EXPECT_EQ(m_dialogs->pending(), 0);
    }
    QString onServer(const QString &name)
    {
        return CUserAgent(m_session->Execute("GetUA 108"), CTclList()).GetProperty(name);
    }
    int m_editorsOpened = 0;
    // Acts on the New Notification dialog while it shows.
    std::unique_ptr<DialogScript> m_dialogs;
};

TEST_F(NotifyPage, ListsTheBoxsNotificationsWithKnownTitles)
{
    open();
    ASSERT_EQ(list().GetItemCount(), 3) << titles().join('|').toStdString();
    EXPECT_EQ(row(0), (QStringList{"Yes", "Yes", "Pager", "Normal Message", "MTWTF  ", "08:00", "17:30", "5", "10",
                                   "3", "5550108", "Pagers"}));
    EXPECT_EQ(row(1), (QStringList{"Yes", "No", "Beeper", "Urgent Message", "     SS", "00:00", "23:59", "1", "0",
                                   "1", "", "Notify"}));
    EXPECT_EQ(row(2).mid(0, 4), (QStringList{"Yes", "Yes", "Email", "Fax Received"}));
    EXPECT_EQ(list().ItemData(0), 31);
    EXPECT_EQ(list().ItemData(2), 34);
    EXPECT_EQ(notify().PortGroups().size(), 3);
    // Nothing selected: every field is read-only, nothing can be deleted.
    for (const int id : {Page::IDC_ENABLED, Page::IDC_DAYS, Page::IDC_FROM, Page::IDC_VARIABLE, Page::IDC_DELETE})
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(NotifyPage, AsksForTheNotificationsOfTheServersEventsThroughTheApplicationsSession)
{
    m_simulator->seed(kJosBox);
    m_simulator->clearLog();
    openSheet(108, 0);
    m_simulator->clearLog();
    m_sheet->SetActivePage(pageIndex<Page>());
    ASSERT_TRUE(waitUntil([&] { return list().GetItemCount() == 3; }, 5000));
    EXPECT_TRUE(received("GetNotifications").contains("GetNotifications 108 {22 58 70}"));
    EXPECT_EQ(received("get_notify_port_groups"), QStringList{"get_notify_port_groups"});
}

TEST_F(NotifyPage, SelectingARowShowsItsFields)
{
    open();
    clickRow(0);
    EXPECT_EQ(notify().CurrentKey(), "31");
    EXPECT_EQ(notify().GetDlgItemText(Page::IDC_TITLE), "Pager");
    EXPECT_EQ(notify().GetDlgItemText(Page::IDC_EVENT), "Normal Message");
    EXPECT_TRUE(checked(Page::IDC_ENABLED));
    EXPECT_TRUE(checked(Page::IDC_ACCESSIBLE));
    EXPECT_TRUE(checked(Page::IDC_HOLIDAYS_INACTIVE));
    EXPECT_EQ(notify().GetDlgItem<CDayMaskCtrl>(Page::IDC_DAYS)->Mask(), 31);
    EXPECT_EQ(notify().GetDlgItem<QTimeEdit>(Page::IDC_FROM)->time(), QTime(8, 0));
    EXPECT_EQ(notify().GetDlgItem<QTimeEdit>(Page::IDC_TO)->time(), QTime(17, 30));
    EXPECT_EQ(notify().GetDlgItemText(Page::IDC_NOTIFY_AFTER), "5");
    EXPECT_EQ(notify().GetDlgItemText(Page::IDC_CONTINUE_EVERY), "10");
    EXPECT_EQ(notify().GetDlgItemText(Page::IDC_MAXIMUM_TIMES), "3");
    EXPECT_EQ(notify().GetDlgItemText(Page::IDC_VARIABLE), "5550108");
    auto *groups = notify().GetDlgItem<QListWidget>(Page::IDC_LINE_GROUP);
    ASSERT_EQ(groups->count(), 3);
    EXPECT_EQ(groups->item(0)->text(), "Notify");
    ASSERT_NE(groups->currentItem(), nullptr);
    EXPECT_EQ(groups->currentItem()->text(), "Pagers");
    EXPECT_TRUE(enabled(Page::IDC_DELETE));
    EXPECT_TRUE(enabled(Page::IDC_VARIABLE));
    saveScreenshot("mailbox-page-notify.png");

    // A title whose telephone user interface is disabled keeps the user mode out.
    clickRow(2);
    EXPECT_FALSE(checked(Page::IDC_ACCESSIBLE));
    EXPECT_FALSE(enabled(Page::IDC_ACCESSIBLE));
    EXPECT_TRUE(enabled(Page::IDC_VARIABLE));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(NotifyPage, CheckedEnabledStoresDisableZeroAndUncheckedStoresOne)
{
    open();
    clickRow(1);
    EXPECT_FALSE(checked(Page::IDC_ENABLED));
    EXPECT_FALSE(enabled(Page::IDC_VARIABLE)) << "a disabled notification's fields are read-only";
    click(Page::IDC_ENABLED);
    EXPECT_TRUE(enabled(Page::IDC_VARIABLE));
    clickRow(0);
    EXPECT_EQ(list().GetItemText(1, List::Enabled), "Yes");
    click(Page::IDC_ENABLED);
    clickRow(1);
    EXPECT_EQ(list().GetItemText(0, List::Enabled), "No");
    apply();
    const QStringList updates = received("UpdateUA");
    ASSERT_EQ(updates.size(), 1);
    EXPECT_TRUE(updates.first().contains("Nf_32_Disable {0}")) << updates.first().toStdString();
    EXPECT_TRUE(updates.first().contains("Nf_31_Disable {1}")) << updates.first().toStdString();
    EXPECT_EQ(onServer("Nf_32_Disable"), "0");
    EXPECT_EQ(onServer("Nf_31_Disable"), "1");
}

TEST_F(NotifyPage, DaysAndMinutesAreStoredAsTheServerKeepsThem)
{
    open();
    clickRow(0);
    QTest::mouseClick(notify().GetDlgItem<CDayMaskCtrl>(Page::IDC_DAYS)->DayButton(5), Qt::LeftButton);
    type(Page::IDC_NOTIFY_AFTER, "2");
    clickRow(1);
    EXPECT_EQ(list().GetItemText(0, List::Days), "MTWTFS ");
    EXPECT_EQ(list().GetItemText(0, List::After), "2");
    apply();
    const QStringList updates = received("UpdateUA");
    ASSERT_EQ(updates.size(), 1);
    EXPECT_TRUE(updates.first().contains("Nf_31_DayOfWeek {63}")) << updates.first().toStdString();
    EXPECT_TRUE(updates.first().contains("Nf_31_InitDial {120000}")) << updates.first().toStdString();
    // Rows only looked at keep their exact texts: 90 s stays 90000.
    EXPECT_EQ(onServer("Nf_32_InitDial"), "90000");
}

struct StoredTimeCase {
    const char *name;
    // Steps the From picker's hour up this many times; 0 leaves it alone.
    int hourSteps;
    // The From of the line sent; none: no From at all.
    const char *sentFrom;
};

class NotifyStoredTimes : public NotifyPage, public testing::WithParamInterface<StoredTimeCase> {};

TEST_P(NotifyStoredTimes, ATimeThePickerCannotShowGoesBackAsItCameUnlessSet)
{
    // Bruno's notification holds From 480, no hour and minute of a day.
    open(101);
    ASSERT_EQ(list().GetItemCount(), 1);
    EXPECT_EQ(list().GetItemText(0, List::From), "04:80");
    clickRow(0);
    auto *from = notify().GetDlgItem<QTimeEdit>(Page::IDC_FROM);
    EXPECT_TRUE(from->text().trimmed().isEmpty()) << "an empty picker, not " << from->text().toStdString();
    EXPECT_EQ(notify().GetDlgItem<QTimeEdit>(Page::IDC_TO)->text(), "10:20");
    type(Page::IDC_MAXIMUM_TIMES, "5");
    from->setFocus();
    from->setCurrentSection(QDateTimeEdit::HourSection);
    for (int step = 0; step < GetParam().hourSteps; ++step)
        QTest::keyClick(from, Qt::Key_Up);
    apply();
    const QStringList updates = received("UpdateUA");
    ASSERT_EQ(updates.size(), 1);
    EXPECT_TRUE(updates.first().contains("Nf_6_RepeatCount {5}")) << updates.first().toStdString();
    EXPECT_FALSE(updates.first().contains("Nf_6_To")) << updates.first().toStdString();
    QStringList reply;
    CTclList().SplitList(m_session->Execute("GetUA 101 Nf_6_From"), reply);
    if (*GetParam().sentFrom) {
        EXPECT_TRUE(updates.first().contains(QString::fromLatin1(GetParam().sentFrom))) << updates.first().toStdString();
    } else {
        EXPECT_FALSE(updates.first().contains("Nf_6_From")) << updates.first().toStdString();
        EXPECT_EQ(reply.value(3), "480");
    }
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pickers, NotifyStoredTimes,
                         testing::Values(StoredTimeCase{"LeftAlone", 0, ""},
                                         StoredTimeCase{"SetToTwoOClock", 2, "Nf_6_From {200}"}),
                         [](const testing::TestParamInfo<StoredTimeCase> &info) { return info.param.name; });

TEST_F(NotifyPage, AVariableEditAsksNoSynchronisationOfTheNames)
{
    // The editor opens on its first page with Hanna's box; the
    // notifications page is made when its tab is clicked; then the
    // administrator moves on to Bruno's box by its number.
    m_offerDirectorySync = true;
    m_simulator->seed(kJosBox);
    openSheet(106, 0);
    auto *tabs = m_sheet->findChild<QTabWidget *>();
    ASSERT_NE(tabs, nullptr);
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(pageIndex<Page>()).center());
    ASSERT_NE(dynamic_cast<Page *>(m_sheet->GetActivePage()), nullptr);
    // The page loads the box once its window has settled.
    ASSERT_TRUE(waitUntil([&] { return notify().GetMailboxNumber() == 106; }, 5000));
    type(CInhPropertyPg::IDC_MAILBOX_NUMBER, "101");
    ASSERT_TRUE(waitUntil([&] { return notify().GetMailboxNumber() == 101; }, 5000));
    ASSERT_TRUE(waitUntil([&] { return list().isEnabled() && list().GetItemCount() == 1; }, 5000));
    EXPECT_EQ(notify().GetDlgItemText(CInhPropertyPg::IDC_NAME1), "Bruno");
    // The administrator tabs through the names, changing nothing.
    auto *first = notify().GetDlgItem<QLineEdit>(CInhPropertyPg::IDC_NAME1);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    clickRow(0);
    type(Page::IDC_VARIABLE, "5550101");
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 101 4 Nf_6_Variable {5550101} "});
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(NotifyPage, AddedNotificationsGetPendingKeysAndAreCreatedOnSave)
{
    open();
    add("Phone", "Fax Received");
    EXPECT_EQ(notify().CurrentKey(), "-1!70!Phone");
    ASSERT_EQ(list().GetItemCount(), 4);
    EXPECT_EQ(row(3), (QStringList{"Yes", "Yes", "Phone", "Fax Received", "MTWTFSS", "00:00", "23:59", "0", "0", "1",
                                   "", ""}));
    EXPECT_EQ(list().ItemData(3), -1);
    EXPECT_TRUE(checked(Page::IDC_ENABLED));
    add("Beeper", "Urgent Message");
    EXPECT_EQ(notify().CurrentKey(), "-2!58!Beeper");
    EXPECT_EQ(m_sheet->Record().PendingCreations(), (QStringList{"-1!70!Phone", "-2!58!Beeper"}));
    apply();
    EXPECT_EQ(received("CreateEMRecord"), (QStringList{"CreateEMRecord 7 70 {Phone} {} 0 1 0 0 0 0 65279",
                                                       "CreateEMRecord 7 58 {Beeper} {} 0 1 0 0 0 0 65279"}));
    EXPECT_EQ(received("CommitScenarioChange").size(), 1);
    const QStringList updates = received("UpdateUA");
    ASSERT_EQ(updates.size(), 1);
    EXPECT_FALSE(updates.first().contains('!')) << "no pending key reaches the server: " << updates.first().toStdString();
    EXPECT_TRUE(updates.first().contains("Nf_35_Disable {0}")) << updates.first().toStdString();
    EXPECT_TRUE(updates.first().contains("Nf_35_DayOfWeek {127}")) << updates.first().toStdString();
    EXPECT_EQ(onServer("Nf_36_To"), "2359");
    // The reloaded list shows them by event, as stored records. Until the
    // reload comes, the list still holds five rows, two of them pending.
    const auto reloaded = [&] {
        if (list().GetItemCount() != 5)
            return false;
        for (int i = 0; i < 5; ++i) {
            if (list().ItemData(i) < 0)
                return false;
        }
        return true;
    };
    ASSERT_TRUE(waitUntil(reloaded, 5000));
    EXPECT_EQ(titles(), (QStringList{"Pager", "Beeper", "Beeper", "Email", "Phone"}));
    EXPECT_EQ(list().ItemData(2), 36);
    EXPECT_EQ(list().ItemData(4), 35);
    EXPECT_EQ(m_boxes->texts(), QStringList{}) << m_boxes->texts().join('|').toStdString();
}

struct RefusedChoice {
    const char *title;
    const char *event;
    const char *message;
};

class NotifyRefusedChoices : public NotifyPage, public testing::WithParamInterface<RefusedChoice> {};

TEST_P(NotifyRefusedChoices, NothingIsAddedForATitleOrEventNotOffered)
{
    const RefusedChoice &c = GetParam();
    open();
    m_boxes->answer(IDOK);
    m_dialogs->on<CNewNotificationDlg>([&](CNewNotificationDlg *d) {
        // Ghost is an alias that leads nowhere: a notification of it would never be listed.
        EXPECT_EQ(d->GetDlgItem<QComboBox>(CNewNotificationDlg::IDC_TITLE)->findText("Ghost"), -1);
        d->GetDlgItem<QComboBox>(CNewNotificationDlg::IDC_TITLE)->setEditText(c.title);
        d->GetDlgItem<QComboBox>(CNewNotificationDlg::IDC_EVENT)->setEditText(c.event);
        QTest::mouseClick(d->GetDlgItem<QAbstractButton>(IDOK), Qt::LeftButton);
        EXPECT_TRUE(d->isVisible());
        QTest::mouseClick(d->GetDlgItem<QAbstractButton>(IDCANCEL), Qt::LeftButton);
    });
    click(Page::IDC_ADD);
    EXPECT_EQ(m_dialogs->pending(), 0);
    EXPECT_EQ(m_boxes->texts(), QStringList{c.message});
    EXPECT_EQ(list().GetItemCount(), 3);
    EXPECT_TRUE(m_sheet->Record().PendingCreations().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Choices, NotifyRefusedChoices,
                         testing::Values(RefusedChoice{"", "Normal Message", "Please choose an application."},
                                         RefusedChoice{"Ghost", "Normal Message", "Please choose an application."},
                                         RefusedChoice{"Pager", "", "Please choose an event."},
                                         RefusedChoice{"Pager", "Lunch", "Please choose an event."}));

TEST_F(NotifyPage, ARefusedCreationSendsNoneOfItsProperties)
{
    open();
    add("Phone", "Fax Received");
    m_simulator->failCommand("CreateEMRecord", "no more records");
    m_boxes->answer(IDOK);
    apply();
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().contains("no more records"));
    for (const QString &update : received("UpdateUA"))
        EXPECT_FALSE(update.contains("Phone") || update.contains('!')) << update.toStdString();
    EXPECT_TRUE(m_sheet->Record().PendingCreations().isEmpty());
}

TEST_F(NotifyPage, DeletingAStoredNotificationDeletesItsRecordAndProperties)
{
    open();
    clickRow(0);
    m_boxes->answer(IDYES);
    click(Page::IDC_DELETE);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Are you sure you want to delete the selected notification"});
    EXPECT_EQ(titles(), (QStringList{"Beeper", "Email"}));
    EXPECT_TRUE(notify().CurrentKey().isEmpty());
    apply();
    EXPECT_EQ(received("DeleteEMRecord"), QStringList{"DeleteEMRecord 31"});
    EXPECT_EQ(received("UADeleteProperty"),
              QStringList{"UADeleteProperty 108 WithForce Nf_31_Disable Nf_31_DayOfWeek Nf_31_Holidays Nf_31_From "
                          "Nf_31_To Nf_31_InitDial Nf_31_RepeatDelay Nf_31_RepeatCount Nf_31_Accessible "
                          "Nf_31_LineGroup Nf_31_Variable "});
    for (const QString &update : received("UpdateUA"))
        EXPECT_FALSE(update.contains("Nf_31_")) << update.toStdString();
    EXPECT_EQ(onServer("Nf_31_Variable"), "");
    ASSERT_TRUE(waitUntil([&] { return list().GetItemCount() == 2; }, 5000));
}

TEST_F(NotifyPage, DeletingAPendingNotificationSendsNothingForIt)
{
    open();
    add("Phone", "Fax Received");
    m_boxes->answer(IDYES);
    click(Page::IDC_DELETE);
    EXPECT_TRUE(m_sheet->Record().PendingCreations().isEmpty());
    EXPECT_TRUE(m_sheet->Record().PropertiesToDelete().isEmpty());
    EXPECT_EQ(list().GetItemCount(), 3);
    apply();
    EXPECT_TRUE(received("CreateEMRecord").isEmpty());
    EXPECT_TRUE(received("UADeleteProperty").isEmpty());
    EXPECT_TRUE(received("DeleteEMRecord").isEmpty());
}

TEST_F(NotifyPage, ResetRemovesEveryNotificationOfTheBoxsOwn)
{
    open();
    // The reset question; then, once every value is the class of service's,
    // the unified messaging page finds no queue count for the box.
    m_boxes->answer({IDYES, IDOK});
    // The Reset brings every page up; the time-zone page asks about the box's zone on the reload.
    m_dialogs->on<CSameTimeZoneDlg>(
        [](CSameTimeZoneDlg *d) { QTest::mouseClick(d->GetDlgItem<QAbstractButton>(IDOK), Qt::LeftButton); });
    QTest::mouseClick(m_sheet->GetDlgItem<QAbstractButton>(CMailboxPps::IDC_RESET), Qt::LeftButton);
    EXPECT_EQ(list().GetItemCount(), 0);
    EXPECT_TRUE(notify().CurrentKey().isEmpty());
    apply();
    EXPECT_EQ(received("DeleteEMRecord"),
              (QStringList{"DeleteEMRecord 31", "DeleteEMRecord 32", "DeleteEMRecord 34"}));
    ASSERT_EQ(received("UADeleteProperty").size(), 1);
    for (const char *key : {"Nf_31_Disable", "Nf_32_Variable", "Nf_34_To"})
        EXPECT_TRUE(received("UADeleteProperty").first().contains(key)) << key;
}

TEST_F(NotifyPage, AnInheritedNotificationIsNotOwnedAndCannotBeDeleted)
{
    m_simulator->answerCommand("GetNotifications",
                               "GetNotifications {evMapId 6 scenario 2 eventId 22 app Pager param 5551234}");
    open();
    ASSERT_EQ(list().GetItemCount(), 1);
    EXPECT_EQ(list().GetItemText(0, List::Owned), "No");
    clickRow(0);
    EXPECT_FALSE(enabled(Page::IDC_DELETE));
    EXPECT_TRUE(notify().GetDlgItem(Page::IDC_ENABLED)->isEnabled());
    m_simulator->clearAnswer("GetNotifications");
}

TEST_F(NotifyPage, AReplyForAnotherBoxIsDropped)
{
    open();
    m_simulator->delayNextReply(1500, "GetNotifications");
    m_sheet->SendGetUA(108);
    ASSERT_TRUE(waitUntil([&] { return received("GetNotifications").size() == 1; }, 5000));
    m_sheet->SendGetUA(101);
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ShownNumber() == 101 && list().isEnabled(); }, 5000));
    EXPECT_EQ(titles(), QStringList{"Pager"});
    EXPECT_EQ(list().ItemData(0), 6);
    // The late reply for Jo's box comes and goes.
    waitUntil([] { return false; }, 2500);
    EXPECT_EQ(titles(), QStringList{"Pager"});
    EXPECT_EQ(list().ItemData(0), 6);
}

TEST_F(NotifyPage, ARefusalOfThePortGroupsLeavesTheListEmpty)
{
    m_simulator->failCommand("get_notify_port_groups", "no jobs");
    open();
    clickRow(0);
    EXPECT_EQ(notify().GetDlgItem<QListWidget>(Page::IDC_LINE_GROUP)->count(), 0);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(NotifyPage, WithoutTheTemplatePermissionNothingCanBeAdded)
{
    m_services.rights = 0x800000EF;
    open();
    EXPECT_FALSE(enabled(Page::IDC_ADD));
    EXPECT_FALSE(enabled(Page::IDC_TEMPLATE_EDITOR));
}

TEST_F(NotifyPage, TemplateEditorButtonOpensTheEditor)
{
    open();
    click(Page::IDC_TEMPLATE_EDITOR);
    EXPECT_EQ(m_editorsOpened, 1);
}

TEST_F(NotifyPage, AnErrorReplyLeavesTheListEmptyAndUsable)
{
    m_simulator->failCommand("GetEventMaps4Event", "event maps are locked");
    m_boxes->answer({IDOK, IDOK});
    open();
    EXPECT_EQ(list().GetItemCount(), 0);
    EXPECT_TRUE(list().isEnabled());
    ASSERT_FALSE(m_boxes->texts().isEmpty());
    EXPECT_TRUE(m_boxes->texts().first().startsWith("Could not retrieve notifications from Verbanta ES: !"))
        << m_boxes->texts().first().toStdString();
}

} // namespace

namespace {

// Kim's box, scenario 9: notifications whose stored port group the server's
// list lacks, is empty or is braced, and an e-mail notification (no phone
// interface) stored as reachable in user mode.
const char *const kKimsBox =
    "ua 109 -parent 10 -stamp 1 -scenario 9 {&Name1 Kim &Name2 Kwan &Ext 109 &Comment {} "
    "Nf_91_Disable 0 Nf_91_DayOfWeek 127 Nf_91_To 2359 Nf_91_RepeatCount 3 Nf_91_LineGroup {Old pagers} "
    "Nf_92_Disable 0 Nf_92_DayOfWeek 127 Nf_92_To 2359 Nf_92_RepeatCount 3 Nf_92_LineGroup NoSuchGroup "
    "Nf_93_Disable 0 Nf_93_DayOfWeek 127 Nf_93_To 2359 Nf_93_RepeatCount 3 Nf_93_LineGroup {} "
    "Nf_94_Disable 0 Nf_94_DayOfWeek 127 Nf_94_To 2359 Nf_94_RepeatCount 3 Nf_94_LineGroup {{Notify}} "
    "Nf_95_Disable 0 Nf_95_DayOfWeek 127 Nf_95_To 2359 Nf_95_RepeatCount 3 Nf_95_Accessible 1 "
    "Nf_95_LineGroup Notify}\n"
    "eventmap 91 9 22 Pager 5550191\n"
    "eventmap 92 9 58 Pager 5550192\n"
    "eventmap 93 9 70 Phone 5550193\n"
    "eventmap 94 9 22 Phone 5550194\n"
    "eventmap 95 9 58 Email kim@example.com\n";

struct OddNotificationCase {
    const char *name;
    int key;
};

void PrintTo(const OddNotificationCase &c, std::ostream *out)
{
    *out << c.name;
}

class NotifyOddValues : public NotifyPage, public testing::WithParamInterface<OddNotificationCase> {
protected:
    void openKimsBox()
    {
        m_simulator->seed(kKimsBox);
        openSheet(109, pageIndex<Page>());
        ASSERT_TRUE(waitUntil([&] { return list().isEnabled() && list().GetItemCount() == 5; }, 5000))
            << titles().join('|').toStdString();
    }
    int rowOf(int key)
    {
        for (int row = 0; row < list().GetItemCount(); ++row)
            if (list().ItemData(row) == key)
                return row;
        return -1;
    }
};

// The administrator selects the notification, goes through its fields
// with Tab as far as the port groups, changes "Maximum times" and applies:
// only that value goes back.
TEST_P(NotifyOddValues, EditingOneFieldSendsThatFieldAlone)
{
    const int key = GetParam().key;
    openKimsBox();
    const int row = rowOf(key);
    ASSERT_GE(row, 0);
    clickRow(row);
    ASSERT_EQ(notify().CurrentKey(), QString::number(key));
    auto *times = notify().GetDlgItem<QLineEdit>(Page::IDC_MAXIMUM_TIMES);
    auto *groups = notify().GetDlgItem<QListWidget>(Page::IDC_LINE_GROUP);
    times->setFocus(Qt::MouseFocusReason);
    for (int presses = 0; presses < 10 && QApplication::focusWidget() != groups; ++presses)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), groups) << "Tab reaches the port groups";
    type(Page::IDC_MAXIMUM_TIMES, "5");
    clickRow(row == 0 ? 1 : 0);
    apply();
    EXPECT_EQ(received("UpdateUA"),
              QStringList{QStringLiteral("UpdateUA 109 1 Nf_%1_RepeatCount {5} ").arg(key)});
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

// A group the administrator clicks, by mouse or by arrow key, is the
// one stored; the list's own move to its first row chooses nothing.
TEST_P(NotifyOddValues, AGroupChosenInTheListIsStored)
{
    const int key = GetParam().key;
    openKimsBox();
    const int row = rowOf(key);
    ASSERT_GE(row, 0);
    clickRow(row);
    auto *groups = notify().GetDlgItem<QListWidget>(Page::IDC_LINE_GROUP);
    ASSERT_EQ(groups->count(), 3);
    QTest::mouseClick(groups->viewport(), Qt::LeftButton, {},
                      groups->visualItemRect(groups->item(1)).center());
    QTest::keyClick(groups, Qt::Key_Down);
    const QString chosen = groups->item(2)->text();
    clickRow(row == 0 ? 1 : 0);
    apply();
    EXPECT_EQ(received("UpdateUA"),
              QStringList{QStringLiteral("UpdateUA 109 1 Nf_%1_LineGroup {%2} ").arg(key).arg(chosen)});
}

INSTANTIATE_TEST_SUITE_P(StoredSpellings, NotifyOddValues,
                         testing::Values(OddNotificationCase{"GroupTheServerLacks", 91},
                                         OddNotificationCase{"GroupOfNoSuchName", 92},
                                         OddNotificationCase{"EmptyGroup", 93},
                                         OddNotificationCase{"BracedGroup", 94},
                                         OddNotificationCase{"AccessibleWithoutPhoneInterface", 95}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
