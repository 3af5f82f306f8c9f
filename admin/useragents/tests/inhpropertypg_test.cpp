// The page base with a real page offscreen over a real record: loading
// marks own, inherited and locked fields and never counts as an edit,
// editing makes a field the box's own, Lock and Revert (Use COS), and the
// store walk that skips a field whose name cannot be built and goes on;
// what the page asks of its sheet (controls disabled while edited, a load
// sent at once during the sheet's Reset), the load reaching the page's own
// windows, the shared fields refreshed when a page becomes active, and the
// hover frame and tip on the labels, driven tick by tick.
#include "admin/useragents/inhpropertypg.h"

#include "admin/useragents/inhsheet.h"
#include "admin/useragents/mailboxlistctrl.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/useragents/pageboolvalue.h"
#include "admin/useragents/pagenumbervalue.h"
#include "admin/useragents/useragent.h"
#include "platform/mfc/dataexchange.h"
#include "platform/mfc/propertysheet.h"
#include "platform/msgbox/messageboxscript.h"
#include "platform/registry/registry.h"
#include "platform/strings/stringtable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr UINT TestCaption = 0x7ff00001;
constexpr UINT RingsTip = 0x7ff00002;
constexpr UINT MissingTip = 0x7ff00077;
constexpr StringResource TestStrings[] = {
    {TestCaption, "Test Options"}, {RingsTip, "Number of rings before the call counts as unanswered."}};

// A control of a page that is a window of its own: it counts the loads it
// is told of.
class LoadListener : public QWidget, public CMessageTarget {
public:
    explicit LoadListener(QWidget *parent) : QWidget(parent), CMessageTarget(this) {}
    ~LoadListener() override { unregisterWindow(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override
    {
        if (message == CInhPropertyPg::WM_USERAGENT_LOADED)
            loads.append(long(wParam));
        return 0;
    }
    QList<long> loads;
};

// A sheet offering the page its services, recording what the page asks.
class ServiceSheet : public CPropertySheet, public CInhSheet {
public:
    ServiceSheet() : CPropertySheet(QStringLiteral("Mailbox Configuration")) {}
    void RegisterControl(QWidget *) override {}
    void EnableAllControls(bool enable) override { enables.append(enable); }
    bool IsResetting() const override { return resetting; }
    void AwaitBox(long number) override { awaited.append(number); }
    QList<long> awaited;
    QList<bool> enables;
    bool resetting = false;
};

class FetchChannel : public CServerCommandChannel {
public:
    QString Execute(const QString &command, bool, int) override
    {
        m_executed.append(command);
        return m_answer ? m_answer(command) : m_reply;
    }
    HRESULT SendAsync(CMessageTarget *window, UINT, WPARAM code, const QString &command, bool, int) override
    {
        m_async.append(command);
        m_asyncWindow = window;
        m_asyncCode = code;
        return S_OK;
    }
    HRESULT SendNoReply(const QString &, int) override { return S_OK; }
    CPendingCommand BeginCommand(const QString &, bool, int) override { return {}; }
    QString WaitReply(CPendingCommand &) override { return {}; }

    QString m_reply;
    std::function<QString(const QString &)> m_answer;
    QStringList m_executed;
    QStringList m_async;
    CMessageTarget *m_asyncWindow = nullptr;
    WPARAM m_asyncCode = 0;
};

enum : int {
    IDC_RINGS = 1006,
    IDL_RINGS = 1276,
    IDC_DND = 1243,
    IDC_COPY = 1038,
    IDL_COPY = 1300,
    IDC_CALLER_MENU = 1115,
    IDC_BUSY_APP = 1500,
    IDC_BUSY_VALUE = 1501,
    IDL_BUSY = 1354,
};

class TestPage : public CInhPropertyPg {
public:
    TestPage(CUserAgent &record, CServerCommandChannel &channel, CInhCommonFields &common,
             ServerVariable variables = {})
        : CInhPropertyPg(900, TestCaption,
                         {{&m_rings, "Num_RNA", IDC_RINGS, IDL_RINGS, false, -1, 0, int(RingsTip)},
                          {&m_dnd, "DND", IDC_DND, IDC_DND, false, -1, 0, int(MissingTip)},
                          {&m_copy, "Nf_%s_Disable", IDC_COPY, IDL_COPY},
                          {&m_callerMenu, "Caller_menu", IDC_CALLER_MENU, IDC_CALLER_MENU},
                          {&m_busyApp, "_EMR_BUSY_A", IDC_BUSY_APP, IDL_BUSY},
                          {&m_busyValue, "_EMR_BUSY_V", IDC_BUSY_VALUE, IDL_BUSY}},
                         record, channel, common, std::move(variables))
    {
        int y = 0;
        auto row = [this, &y](int labelId, const char *text, QWidget *control, int controlId) {
            if (labelId != controlId)
                SetDlgCtrlID(new QLabel(QString::fromUtf8(text), this), labelId)->setGeometry(0, y, 120, 20);
            SetDlgCtrlID(control, controlId)->setGeometry(150, y, 150, 20);
            y += 24;
        };
        row(1267, "Mailbox number:", new QLineEdit(this), IDC_MAILBOX_NUMBER);
        row(1272, "First name:", new QLineEdit(this), IDC_NAME1);
        row(1274, "Last name:", new QLineEdit(this), IDC_NAME2);
        row(1265, "Comment:", new QLineEdit(this), IDC_COMMENT);
        row(IDL_RINGS, "Maximum rings:", new QLineEdit(this), IDC_RINGS);
        row(IDC_DND, "", new QCheckBox(QStringLiteral("Do not disturb"), this), IDC_DND);
        row(IDL_COPY, "Copy:", new QLineEdit(this), IDC_COPY);
        row(IDC_CALLER_MENU, "", new QCheckBox(QStringLiteral("Caller menu"), this), IDC_CALLER_MENU);
        row(IDL_BUSY, "Busy:", new QLineEdit(this), IDC_BUSY_APP);
        row(0, "", new QLineEdit(this), IDC_BUSY_VALUE);
        m_listener = new LoadListener(this);
    }

    CPageUIntValue m_rings;
    CPageBoolValue m_dnd;
    CPageTextValue m_copy;
    CPageBoolValue m_callerMenu;
    CPageTextValue m_busyApp;
    CPageTextValue m_busyValue;
    LoadListener *m_listener;

protected:
    void DoDataExchange(CDataExchange *dx) override
    {
        CInhPropertyPg::DoDataExchange(dx);
        DDX_Text(dx, IDC_RINGS, m_rings.SetValue(m_rings.GetValue()));
        check(dx, IDC_DND, m_dnd);
        DDX_Text(dx, IDC_COPY, m_copy.GetValueRef());
        check(dx, IDC_CALLER_MENU, m_callerMenu);
        DDX_Text(dx, IDC_BUSY_APP, m_busyApp.GetValueRef());
        DDX_Text(dx, IDC_BUSY_VALUE, m_busyValue.GetValueRef());
    }

private:
    static void check(CDataExchange *dx, int id, CPageBoolValue &value)
    {
        int checked = value.GetValue() ? 1 : 0;
        DDX_Check(dx, id, checked);
        if (dx->m_bSaveAndValidate)
            value.SetValue(checked != 0);
    }
};

// Box 101 under COS 20: rings and DND its own, Caller_menu inherited and
// locked above, the busy event its own with a locally set lock.
const char *const BoxReply =
    "{101 20 7 -1 0} {Num_RNA DND _EMR_BUSY_A _EMR_BUSY_V Lock__EMR_BUSY_A &Name1} "
    "Num_RNA 4 DND {} Caller_menu 1 Lock_Caller_menu 1 _EMR_BUSY_A Transfer _EMR_BUSY_V 4100 "
    "Lock__EMR_BUSY_A 1 &Name1 {Ann} &Comment {Front desk}";

class PageBase : public testing::Test {
protected:
    PageBase() : m_record(QString::fromUtf8(BoxReply), CTclList())
    {
        // The developer key is looked for in a store of the test's own.
        qputenv("XDG_CONFIG_HOME", QDir(m_config.path()).absolutePath().toUtf8());
    }

    TestPage &openPage(CInhPropertyPg::ServerVariable variables = {})
    {
        TestPage &page = createPage(std::move(variables));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        return page;
    }
    // The page's window is made, its posted load not yet handled.
    TestPage &createPage(CInhPropertyPg::ServerVariable variables = {})
    {
        CStringTable::instance().registerStrings(TestStrings);
        m_page = std::make_unique<TestPage>(m_record, m_channel, m_common, std::move(variables));
        m_sheet.AddPage(m_page.get());
        EXPECT_TRUE(m_sheet.Create());
        return *m_page;
    }
    QString text(int id) const { return m_page->GetDlgItemText(id); }
    // The sheet is the active window with the focus in one of its fields.
    void focusField(int id)
    {
        m_sheet.show();
        m_sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_sheet));
        m_page->GetDlgItem(id)->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), m_page->GetDlgItem(id));
    }
    bool applyEnabled() const { return m_sheet.GetDlgItem<QPushButton>(ID_APPLY_NOW)->isEnabled(); }

    QTemporaryDir m_config;
    MessageBoxScript m_boxes;
    FetchChannel m_channel;
    CUserAgent m_record;
    CInhCommonFields m_common;
    std::unique_ptr<TestPage> m_page;
    std::unique_ptr<CInhPropertyPg> m_otherPage; // a page of another kind
    ServiceSheet m_sheet;
};

TEST_F(PageBase, LoadShowsTheRecordWithItsMarksAndIsNoEdit)
{
    TestPage &page = openPage();
    EXPECT_EQ(page.GetMailboxNumber(), 101);
    EXPECT_EQ(text(CInhPropertyPg::IDC_MAILBOX_NUMBER), QStringLiteral("101"));
    EXPECT_EQ(text(CInhPropertyPg::IDC_NAME1), QStringLiteral("Ann"));
    EXPECT_EQ(text(CInhPropertyPg::IDC_COMMENT), QStringLiteral("Front desk"));
    EXPECT_EQ(text(IDC_RINGS), QStringLiteral("4"));
    EXPECT_EQ(text(IDC_BUSY_VALUE), QStringLiteral("4100"));
    EXPECT_FALSE(page.IsModified());
    EXPECT_FALSE(applyEnabled()) << "filling the controls counts as no edit";

    // Entries: 3 common, then rings, DND, copy, caller menu, busy app, busy value.
    EXPECT_EQ(page.GetMark(3), CInhPropertyPg::Mark::Own);
    EXPECT_EQ(page.GetMark(6), CInhPropertyPg::Mark::None) << "inherited only";
    EXPECT_TRUE(page.IsLockShown(6));
    EXPECT_EQ(page.GetMark(0), CInhPropertyPg::Mark::None) << "names have no COS choice";
    EXPECT_TRUE(page.IsLockShown(7));
    EXPECT_FALSE(page.IsLockShown(8)) << "the group's lock lives on its first entry";
}

TEST_F(PageBase, EditingMakesTheFieldOwnAndModifiesThePage)
{
    TestPage &page = openPage();
    QTest::keyClicks(page.GetDlgItem<QLineEdit>(IDC_RINGS), QStringLiteral("5"));
    EXPECT_TRUE(applyEnabled());
    EXPECT_EQ(page.GetMark(3), CInhPropertyPg::Mark::Own);
    page.GetDlgItem<QCheckBox>(IDC_CALLER_MENU)->click();
    EXPECT_EQ(page.GetMark(6), CInhPropertyPg::Mark::Own) << "a click makes an inherited field own";
    QTest::keyClicks(page.GetDlgItem<QLineEdit>(CInhPropertyPg::IDC_NAME2), QStringLiteral("Lee"));
    EXPECT_TRUE(m_common.namesChanged);
}

TEST_F(PageBase, StoreSkipsAFieldWithoutANameAndStoresTheFollowingOnes)
{
    TestPage &page = openPage();
    page.GetDlgItem<QCheckBox>(IDC_CALLER_MENU)->click();
    ASSERT_TRUE(page.TransferData(true));
    // Nf_%s_Disable has no server name (no variable); Caller_menu after it is stored.
    EXPECT_EQ(m_record.GetProperty(QStringLiteral("Caller_menu")), QStringLiteral("0"));
    EXPECT_EQ(m_record.GetProperty(QStringLiteral("Num_RNA")), QStringLiteral("4"));
    EXPECT_EQ(m_record.GetProperty(QStringLiteral("DND")), QString()) << "untouched, sent back as received";
    QString reply;
    m_channel.m_reply = QStringLiteral("8");
    EXPECT_EQ(m_record.CommitChanges(reply, m_channel, false), CUserAgent::CommitSent);
    ASSERT_EQ(m_channel.m_executed.size(), 1);
    EXPECT_TRUE(m_channel.m_executed[0].contains(QStringLiteral("Caller_menu {0}")))
        << m_channel.m_executed[0].toStdString();
    EXPECT_FALSE(m_channel.m_executed[0].contains(QStringLiteral("DND")))
        << m_channel.m_executed[0].toStdString();
    EXPECT_FALSE(m_channel.m_executed[0].contains(QStringLiteral("Nf_")));
}

TEST_F(PageBase, EventPatternsTakeTheServersName)
{
    TestPage &page = openPage([](const QString &variable) {
        return variable == QStringLiteral("EmrId_MsgCopy_Normal") ? QStringLiteral("Copy1") : QString();
    });
    EXPECT_EQ(page.BuildPropertyName(5), QStringLiteral("Nf_Copy1_Disable"));
    QTest::keyClicks(page.GetDlgItem<QLineEdit>(IDC_COPY), QStringLiteral("x"));
    ASSERT_TRUE(page.TransferData(true));
    EXPECT_EQ(m_record.GetProperty(QStringLiteral("Nf_Copy1_Disable")), QStringLiteral("x"));
}

TEST_F(PageBase, LockTogglesAnOwnLockAndRefusesOneSetAbove)
{
    TestPage &page = openPage();
    m_boxes.answer(IDOK);
    page.Lock(6);
    EXPECT_EQ(m_boxes.texts(), QStringList({"This lock was set in a higher COS."}));
    EXPECT_TRUE(page.IsLockShown(6));

    page.Lock(7);
    EXPECT_FALSE(page.IsLockShown(7)) << "the own lock of the group is lifted";
    EXPECT_TRUE(applyEnabled());
    page.Lock(3);
    EXPECT_TRUE(page.IsLockShown(3));
    ASSERT_TRUE(page.TransferData(true));
    QString reply;
    m_channel.m_reply = QStringLiteral("8");
    m_record.CommitChanges(reply, m_channel, false);
    ASSERT_EQ(m_channel.m_executed.size(), 1);
    EXPECT_TRUE(m_channel.m_executed[0].contains(QStringLiteral("Lock_Num_RNA {1}")));
    EXPECT_TRUE(m_channel.m_executed[0].contains(QStringLiteral("~Lock__EMR_BUSY_A {}")));
}

TEST_F(PageBase, RevertShowsTheCosValueForTheWholeGroupAndBack)
{
    TestPage &page = openPage();
    m_channel.m_reply = QStringLiteral("{20 -1 3 -1 0} {} _EMR_BUSY_A Voicemail");
    page.ToggleInherited(7);
    ASSERT_EQ(m_channel.m_executed.size(), 2) << "both entries of the group are fetched";
    EXPECT_EQ(text(IDC_BUSY_APP), QStringLiteral("Voicemail"));
    EXPECT_EQ(page.GetMark(7), CInhPropertyPg::Mark::Inherited);
    EXPECT_EQ(page.GetMark(8), CInhPropertyPg::Mark::Inherited);
    EXPECT_TRUE(applyEnabled());

    page.ToggleInherited(7);
    EXPECT_EQ(text(IDC_BUSY_APP), QStringLiteral("Transfer"));
    EXPECT_EQ(text(IDC_BUSY_VALUE), QStringLiteral("4100"));
    EXPECT_EQ(page.GetMark(7), CInhPropertyPg::Mark::Own);
}

TEST_F(PageBase, CtrlRInAnOwnFieldShowsTheCosValueAndBack)
{
    TestPage &page = openPage();
    m_channel.m_reply = QStringLiteral("{20 -1 3 -1 0} {} Num_RNA 6");
    focusField(IDC_RINGS);
    QTest::keyClick(page.GetDlgItem(IDC_RINGS), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(m_channel.m_executed, QStringList{"GetUA 20 Num_RNA"});
    EXPECT_EQ(text(IDC_RINGS), QStringLiteral("6"));
    EXPECT_EQ(page.GetMark(3), CInhPropertyPg::Mark::Inherited);
    EXPECT_TRUE(applyEnabled());

    QTest::keyClick(page.GetDlgItem(IDC_RINGS), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(text(IDC_RINGS), QStringLiteral("4"));
    EXPECT_EQ(page.GetMark(3), CInhPropertyPg::Mark::Own);
    EXPECT_EQ(m_channel.m_executed.size(), 1);
}

TEST_F(PageBase, CtrlRWhereThereIsNoCosChoiceDoesNothing)
{
    TestPage &page = openPage();
    // A name (no COS choice) and the caller menu (inherited, not the box's own).
    for (const int id : {int(CInhPropertyPg::IDC_NAME1), int(IDC_CALLER_MENU)}) {
        focusField(id);
        QTest::keyClick(page.GetDlgItem(id), Qt::Key_R, Qt::ControlModifier);
    }
    EXPECT_TRUE(m_channel.m_executed.isEmpty());
    EXPECT_FALSE(page.IsModified());
    EXPECT_EQ(text(CInhPropertyPg::IDC_NAME1), QStringLiteral("Ann"));
}

TEST_F(PageBase, ResetShowsTheCosValuesOfOwnFieldsAndLiftsOwnLocks)
{
    TestPage &page = openPage();
    m_channel.m_answer = [](const QString &command) {
        if (command == QStringLiteral("GetUA 20 _EMR_BUSY_A"))
            return QStringLiteral("{20 -1 3 -1 0} {} _EMR_BUSY_A Voicemail");
        if (command == QStringLiteral("GetUA 20 _EMR_BUSY_V"))
            return QStringLiteral("{20 -1 3 -1 0} {} _EMR_BUSY_V {}");
        return QStringLiteral("{20 -1 3 -1 0} {} Num_RNA 6 DND 1");
    };
    focusField(IDC_RINGS);
    page.ResetToCOS();
    EXPECT_EQ(m_channel.m_executed,
              QStringList({"GetUA 20 _EMR_BUSY_A", "GetUA 20 _EMR_BUSY_V", "GetUA 20 Num_RNA DND"}));
    EXPECT_EQ(text(IDC_RINGS), QStringLiteral("6"));
    EXPECT_TRUE(page.GetDlgItem<QCheckBox>(IDC_DND)->isChecked());
    EXPECT_EQ(text(IDC_BUSY_APP), QStringLiteral("Voicemail"));
    EXPECT_EQ(page.GetMark(3), CInhPropertyPg::Mark::Inherited);
    EXPECT_EQ(page.GetMark(6), CInhPropertyPg::Mark::None) << "inherited fields stay as they are";
    EXPECT_FALSE(page.IsLockShown(7)) << "the lock set here is lifted";
    EXPECT_TRUE(page.IsLockShown(6)) << "the lock set above stays";
    EXPECT_TRUE(applyEnabled());

    page.ResetToCOS();
    page.ToggleInherited(3);
    EXPECT_EQ(text(IDC_RINGS), QStringLiteral("4")) << "a second reset keeps the own value aside";
}

TEST_F(PageBase, ResetDoesNothingWhileNoWindowHasTheFocus)
{
    TestPage &page = openPage();
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    page.ResetToCOS();
    EXPECT_TRUE(m_channel.m_executed.isEmpty());
    EXPECT_EQ(text(IDC_RINGS), QStringLiteral("4"));
    EXPECT_EQ(page.GetMark(3), CInhPropertyPg::Mark::Own);
    EXPECT_TRUE(page.IsLockShown(7)) << "the lock set here stays";
    EXPECT_FALSE(page.IsModified());
}

struct NumberFieldCase {
    const char *name;
    const char *typed;
    const char *message; // empty when the store goes through
};

class MailboxNumberField : public PageBase, public testing::WithParamInterface<NumberFieldCase> {};

TEST_P(MailboxNumberField, TakesZeroToTheLargestNumberAndNamesTheRangeOtherwise)
{
    TestPage &page = openPage();
    page.GetDlgItem<QLineEdit>(CInhPropertyPg::IDC_MAILBOX_NUMBER)->setText(QString::fromUtf8(GetParam().typed));
    m_boxes.answer(IDOK);
    const bool stored = page.TransferData(true);
    const QString message = QString::fromUtf8(GetParam().message);
    EXPECT_EQ(stored, message.isEmpty());
    EXPECT_EQ(m_boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
}

const NumberFieldCase kNumberFieldCases[] = {
    {"Shown", "101", ""},
    {"Zero", "0", ""},
    {"Largest", "999999999", ""},
    {"AboveTheLargest", "1000000000", "Please enter an integer between 0 and 999999999."},
    {"BeyondThirtyTwoBits", "4294967397", "Please enter a positive integer."},
    {"NotANumber", "x", "Please enter a positive integer."},
};
INSTANTIATE_TEST_SUITE_P(Typed, MailboxNumberField, testing::ValuesIn(kNumberFieldCases),
                         [](const auto &info) { return std::string(info.param.name); });

enum : int {
    IDC_DONE_APP = 1510,
    IDC_DONE_VALUE = 1511,
    IDC_ENABLED = 1512,
    IDC_VARIABLE = 1513,
};

// The call-end event and two fields that refuse a lock, as the
// notifications and options pages have them.
class EventPage : public CInhPropertyPg {
public:
    EventPage(CUserAgent &record, CServerCommandChannel &channel, CInhCommonFields &common)
        : CInhPropertyPg(902, TestCaption,
                         {{&m_doneApp, "_EMR_DONE_A", IDC_DONE_APP, CInhPropertyPg::DoneEventLabel},
                          {&m_doneValue, "_EMR_DONE_V", IDC_DONE_VALUE, CInhPropertyPg::DoneEventLabel},
                          {&m_enabled, "Enabled", IDC_ENABLED, IDC_ENABLED, false, 61477},
                          {&m_variable, "Variable", IDC_VARIABLE, IDC_VARIABLE, false, 61478}},
                         record, channel, common)
    {
        for (const int id : {int(IDC_MAILBOX_NUMBER), int(IDC_NAME1), int(IDC_NAME2), int(IDC_COMMENT),
                             int(IDC_DONE_APP), int(IDC_DONE_VALUE), int(IDC_ENABLED), int(IDC_VARIABLE)})
            SetDlgCtrlID(new QLineEdit(this), id);
        SetDlgCtrlID(new QLabel(QStringLiteral("Call end:"), this), CInhPropertyPg::DoneEventLabel);
    }
    CPageTextValue m_doneApp;
    CPageTextValue m_doneValue;
    CPageTextValue m_enabled;
    CPageTextValue m_variable;

protected:
    void DoDataExchange(CDataExchange *dx) override
    {
        CInhPropertyPg::DoDataExchange(dx);
        DDX_Text(dx, IDC_DONE_APP, m_doneApp.GetValueRef());
        DDX_Text(dx, IDC_DONE_VALUE, m_doneValue.GetValueRef());
        DDX_Text(dx, IDC_ENABLED, m_enabled.GetValueRef());
        DDX_Text(dx, IDC_VARIABLE, m_variable.GetValueRef());
    }
};

class EventPageTest : public PageBase {
protected:
    EventPage &openEventPage(const char *reply)
    {
        CStringTable::instance().registerStrings(TestStrings);
        m_record = CUserAgent(QString::fromUtf8(reply), CTclList());
        auto *page = new EventPage(m_record, m_channel, m_common);
        m_otherPage.reset(page);
        m_sheet.AddPage(page);
        EXPECT_TRUE(m_sheet.Create());
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        return *page;
    }
};

TEST_F(EventPageTest, CallEndWithoutAnApplicationShowsTheDefault)
{
    EventPage &page = openEventPage("{101 20 7 -1 0} {} _EMR_DONE_V 12");
    EXPECT_EQ(page.GetDlgItemText(IDC_DONE_APP), QStringLiteral("<Default>"));
    EXPECT_EQ(page.GetDlgItemText(IDC_DONE_VALUE), QStringLiteral("12")) << "only the application";
}

TEST_F(EventPageTest, CallEndWithAnApplicationShowsIt)
{
    EventPage &page = openEventPage("{101 20 7 -1 0} {} _EMR_DONE_A Transfer _EMR_DONE_V {}");
    EXPECT_EQ(page.GetDlgItemText(IDC_DONE_APP), QStringLiteral("Transfer"));
    EXPECT_EQ(page.GetDlgItemText(IDC_DONE_VALUE), QString());
}

TEST_F(EventPageTest, FieldsThatCannotBeLockedSayWhyAndStayUnlocked)
{
    EventPage &page = openEventPage("{101 20 7 -1 0} {} Enabled 1 Variable x");
    m_boxes.answer(IDOK);
    m_boxes.answer(IDOK);
    page.Lock(5);
    page.Lock(6);
    EXPECT_EQ(m_boxes.texts(),
              (QStringList{"The \"Enabled\" flag can not be locked. To control user access use the \"User mode "
                           "accessible\" flag.",
                           "The \"Variable\" field can not be locked. To control user access, use the "
                           "\"LockRestrictReason\" flag."}));
    EXPECT_FALSE(page.IsLockShown(5));
    EXPECT_FALSE(page.IsLockShown(6));
    EXPECT_FALSE(page.IsModified());
}

TEST_F(PageBase, FieldMenuPromptsSayWhatLockAndUseCosDo)
{
    TestPage &page = openPage();
    m_sheet.show();
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        QWidget *popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr);
        for (QAction *action : popup->actions())
            seen << action->text() << action->statusTip() << action->toolTip();
        popup->close();
    });
    QWidget *label = page.GetDlgItem(IDL_RINGS);
    QTest::mouseRelease(label, Qt::RightButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_EQ(seen, (QStringList{"&Lock", "Lock the field to prevent changes", "Lock field", "&Revert",
                                 "Discard private setting using COS value instead.", "Use COS setting"}));
}

TEST_F(PageBase, MailboxNumberJumpsToABoxOfTheListOnly)
{
    CMailboxListCtrl list(&m_channel, {}, &m_sheet, nullptr);
    const QString rows = QStringLiteral("{{101 20 1 -1 0} {}} {{102 20 1 -1 0} {}}");
    m_channel.m_reply = QStringLiteral("{Mailbox 101 m_t_msgcnt 0 m_t_msglen 0} "
                                       "{Mailbox 102 m_t_msgcnt 0 m_t_msglen 0}");
    SendMessage(list.GetSafeHwnd(), WM_SERVER_REPLY, CMailboxListCtrl::ListRequestCode,
                reinterpret_cast<LPARAM>(&rows));
    m_common.list = &list;
    m_common.sheet = &m_sheet;
    TestPage &page = openPage();
    m_channel.m_async.clear();
    auto leaveNumberField = [&page](const QString &typed) {
        QLineEdit *field = page.GetDlgItem<QLineEdit>(CInhPropertyPg::IDC_MAILBOX_NUMBER);
        field->setText(typed);
        SendMessage(page.GetSafeHwnd(), WM_COMMAND,
                    MAKEWPARAM(CInhPropertyPg::IDC_MAILBOX_NUMBER, EN_KILLFOCUS), 0);
    };
    leaveNumberField(QStringLiteral("102"));
    EXPECT_EQ(m_channel.m_async, QStringList({"RestrictedUA 102"}));
    EXPECT_EQ(m_channel.m_asyncWindow, &m_sheet);
    EXPECT_EQ(m_channel.m_asyncCode, CMailboxListCtrl::GetUARequestCode);
    EXPECT_EQ(m_sheet.awaited, QList<long>{102}) << "the sheet loads the reply when it comes";
    EXPECT_FALSE(page.IsModified()) << "typing a number is no edit";

    for (const char *typed : {"555", "x", "4294967397"}) {
        leaveNumberField(QString::fromUtf8(typed));
        EXPECT_EQ(text(CInhPropertyPg::IDC_MAILBOX_NUMBER), QStringLiteral("101")) << typed;
    }
    EXPECT_EQ(m_boxes.beeps(), 3);
    leaveNumberField(QStringLiteral("101"));
    EXPECT_EQ(m_channel.m_async.size(), 1) << "the shown box is no jump";
}

// A page with no fields of its own, as the Info page is.
// Two editors whose pages show no box yet: moving the focus from one number
// field to the other is no jump, and a field that takes the focus back after
// a bad number does not make the other take it back in turn.
TEST_F(PageBase, NumberFieldsOfTwoEditorsNeverHandTheFocusToEachOther)
{
    CStringTable::instance().registerStrings(TestStrings);
    CUserAgent empty;
    QWidget desktop; // the main frame both editors are windows of
    desktop.resize(1400, 700);
    ServiceSheet sheets[2];
    std::unique_ptr<TestPage> pages[2];
    QLineEdit *fields[2];
    for (int i = 0; i < 2; ++i) {
        pages[i] = std::make_unique<TestPage>(empty, m_channel, m_common);
        sheets[i].AddPage(pages[i].get());
        ASSERT_TRUE(sheets[i].Create(&desktop, WS_CHILD));
        sheets[i].move(i * 700, 0);
        fields[i] = pages[i]->GetDlgItem<QLineEdit>(CInhPropertyPg::IDC_MAILBOX_NUMBER);
    }
    desktop.show();
    desktop.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&desktop));
    QCoreApplication::processEvents();
    fields[0]->setFocus();
    fields[1]->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), fields[1]);
    EXPECT_EQ(m_boxes.beeps(), 0);

    fields[1]->setText(QStringLiteral("x"));
    fields[0]->setText(QStringLiteral("y"));
    fields[0]->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), fields[1]) << "the bad number takes the focus back";
    EXPECT_EQ(fields[1]->text(), QString());
    EXPECT_EQ(fields[0]->text(), QString());
    EXPECT_EQ(m_boxes.beeps(), 2);
}

class CommonOnlyPage : public CInhPropertyPg {
public:
    CommonOnlyPage(CUserAgent &record, CServerCommandChannel &channel, CInhCommonFields &common)
        : CInhPropertyPg(901, TestCaption, {}, record, channel, common)
    {
        SetDlgCtrlID(new QLineEdit(this), IDC_MAILBOX_NUMBER);
        SetDlgCtrlID(new QLineEdit(this), IDC_NAME1);
        SetDlgCtrlID(new QLineEdit(this), IDC_NAME2);
        SetDlgCtrlID(new QLineEdit(this), IDC_COMMENT);
    }
};

TEST_F(PageBase, OnlyTheFirstPageLoadsTheSharedNamesAndAnEmptyTableStillShowsThem)
{
    CStringTable::instance().registerStrings(TestStrings);
    CommonOnlyPage info(m_record, m_channel, m_common);
    m_sheet.AddPage(&info);
    TestPage &page = openPage();
    EXPECT_EQ(info.GetEntryCount(), 3);
    EXPECT_EQ(info.GetDlgItemText(CInhPropertyPg::IDC_NAME1), QStringLiteral("Ann"));
    EXPECT_EQ(info.GetDlgItemText(CInhPropertyPg::IDC_MAILBOX_NUMBER), QStringLiteral("101"));
    EXPECT_TRUE(m_common.loaded);

    // A name edited on one page shows on the next, not the record's.
    info.GetDlgItem<QLineEdit>(CInhPropertyPg::IDC_NAME1)->setText(QStringLiteral("Anna"));
    m_sheet.SetActivePage(1);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(text(CInhPropertyPg::IDC_NAME1), QStringLiteral("Anna"));
    EXPECT_EQ(page.GetDlgItemText(IDC_RINGS), QStringLiteral("4"));
}

TEST_F(PageBase, UntouchedFieldsGoBackExactlyAsReceived)
{
    m_record = CUserAgent(QStringLiteral("{101 20 7 -1 0} {Num_RNA DND Caller_menu &Name1} Num_RNA {4 rings} "
                                         "DND {} Caller_menu yes &Name1 {Zoë}"),
                          CTclList());
    TestPage &page = openPage();
    EXPECT_EQ(text(IDC_RINGS), QStringLiteral("4"));
    ASSERT_TRUE(page.TransferData(true));
    QString reply;
    EXPECT_EQ(m_record.CommitChanges(reply, m_channel, false), CUserAgent::CommitNothingToSend);
    EXPECT_TRUE(m_channel.m_executed.isEmpty()) << m_channel.m_executed.join('\n').toStdString();
}

TEST_F(PageBase, NameFieldsShowWhatCanBeDialledAndKeepAnUntouchedName)
{
    m_record = CUserAgent(QStringLiteral("{101 20 7 -1 0} {&Name1 &Name2} &Name1 {A1b0} &Name2 {O'Brien}"),
                          CTclList());
    TestPage &page = openPage();
    EXPECT_EQ(text(CInhPropertyPg::IDC_NAME1), QStringLiteral("Ab"));
    EXPECT_EQ(text(CInhPropertyPg::IDC_NAME2), QStringLiteral("OBrien"));
    ASSERT_TRUE(page.TransferData(true));
    EXPECT_EQ(m_record.GetProperty(QStringLiteral("&Name2")), QStringLiteral("O'Brien")) << "untouched";

    auto *name1 = page.GetDlgItem<QLineEdit>(CInhPropertyPg::IDC_NAME1);
    name1->setFocus();
    name1->end(false);
    QTest::keyClicks(name1, QStringLiteral("c1-0d23456789xyzwvu"));
    EXPECT_EQ(name1->text(), QStringLiteral("Abcd23456789xyzw")) << "letters and 2 to 9, at most 16";
    EXPECT_TRUE(m_common.namesChanged);
    ASSERT_TRUE(page.TransferData(true));
    EXPECT_EQ(m_record.GetProperty(QStringLiteral("&Name1")), QStringLiteral("Abcd23456789xyzw"));
}

// --- the page and its sheet ----------------------------------------------------

TEST_F(PageBase, EditingDisablesTheSheetsControlsAndLoadingEnablesThem)
{
    TestPage &page = openPage();
    EXPECT_EQ(m_sheet.enables, QList<bool>{true}) << "a loaded box holds no edits";
    QTest::keyClicks(page.GetDlgItem<QLineEdit>(IDC_RINGS), QStringLiteral("5"));
    EXPECT_EQ(m_sheet.enables.last(), false);
    SendMessage(page.GetSafeHwnd(), CInhPropertyPg::WM_USERAGENT_LOADED, 101, 0);
    EXPECT_EQ(m_sheet.enables.last(), true);
    EXPECT_FALSE(page.IsModified());
}

TEST_F(PageBase, PageLoadsOnceItsWindowIsSettledAndTellsItsOwnWindows)
{
    TestPage &page = createPage();
    EXPECT_EQ(page.m_listener->loads, QList<long>{101}) << "the page's own windows hear of the load";
    EXPECT_NE(text(IDC_RINGS), QStringLiteral("4")) << "the page loads once its window is settled";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(text(IDC_RINGS), QStringLiteral("4"));
}

TEST_F(PageBase, PageMadeDuringTheSheetsResetHoldsTheRecordAtOnce)
{
    m_sheet.resetting = true;
    TestPage &page = createPage();
    EXPECT_EQ(text(IDC_RINGS), QStringLiteral("4"));
    EXPECT_EQ(page.m_listener->loads, QList<long>{101});
}

// The lock mark beside a label, when one shows: it sits one mark's width
// right of the label's right edge.
bool lockMarkShown(const CInhPropertyPg &page, int labelId)
{
    const QRect label = page.GetDlgItem(labelId)->geometry();
    const QPoint lockMark(label.right() + 1 + 12, label.top());
    for (const QLabel *mark : page.findChildren<QLabel *>()) {
        if (mark->pos() == lockMark && mark->isVisibleTo(&page) && !mark->pixmap().isNull())
            return true;
    }
    return false;
}

TEST_F(PageBase, PageBecomingActiveShowsTheSharedFieldsAsTheOtherPagesLeftThem)
{
    CStringTable::instance().registerStrings(TestStrings);
    CommonOnlyPage info(m_record, m_channel, m_common);
    m_sheet.AddPage(&info);
    TestPage &page = openPage();
    m_sheet.SetActivePage(1);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(lockMarkShown(page, 1272));

    m_sheet.SetActivePage(0);
    info.Lock(0);
    m_common.comment.SetDisabled(true);
    EXPECT_FALSE(lockMarkShown(page, 1272)) << "the hidden page is not touched";
    m_sheet.SetActivePage(1);
    EXPECT_TRUE(lockMarkShown(page, 1272));
    EXPECT_FALSE(page.GetDlgItem(CInhPropertyPg::IDC_COMMENT)->isEnabled());
    EXPECT_FALSE(page.GetDlgItem(1265)->isEnabled());
}

// --- hover frame and tip ----------------------------------------------------------

class HoverHelp : public PageBase {
protected:
    QWidget *label(int id) const { return m_page->GetDlgItem(id); }
    void hover(int id)
    {
        QWidget *widget = label(id);
        const QPointF inside(4, 4);
        QEnterEvent enter(inside, widget->mapTo(widget->window(), inside), widget->mapToGlobal(inside));
        QCoreApplication::sendEvent(widget, &enter);
        QMouseEvent move(QEvent::MouseMove, inside, widget->mapToGlobal(inside), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
    }
    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            SendMessage(m_page->GetSafeHwnd(), WM_TIMER, CInhPropertyPg::TipTimerId, 0);
    }
    QRect labelRect(int id) const
    {
        return QRect(label(id)->mapTo(m_page.get(), QPoint(0, 0)), label(id)->size());
    }
};

TEST_F(HoverHelp, LabelIsFramedAndItsTipShowsFromTheFirstTickToTheSixth)
{
    TestPage &page = openPage();
    hover(IDL_RINGS);
    EXPECT_EQ(page.HoveredLabelId(), IDL_RINGS);
    EXPECT_EQ(page.HoverFrame(), labelRect(IDL_RINGS).adjusted(-1, -1, 1, 1));
    EXPECT_TRUE(page.IsTipTimerRunning());
    EXPECT_FALSE(page.IsTipShown());
    EXPECT_EQ(label(IDL_RINGS)->cursor().shape(), Qt::WhatsThisCursor);

    tick();
    ASSERT_TRUE(page.IsTipShown());
    EXPECT_EQ(page.TipText(), QStringLiteral("Number of rings before the call counts as unanswered."));
    tick(4);
    EXPECT_TRUE(page.IsTipShown()) << "fifth tick";
    tick();
    EXPECT_FALSE(page.IsTipShown());
    EXPECT_FALSE(page.IsTipTimerRunning());
    EXPECT_EQ(page.HoveredLabelId(), IDL_RINGS) << "the frame stays while the mouse does";
}

TEST_F(HoverHelp, MovingOnTheLabelKeepsTheTipForFiveTicksAfterTheMove)
{
    TestPage &page = openPage();
    hover(IDL_RINGS);
    tick(4);
    hover(IDL_RINGS);
    tick(4);
    EXPECT_TRUE(page.IsTipShown());
    tick();
    EXPECT_FALSE(page.IsTipShown());
}

TEST_F(HoverHelp, AnotherLabelStartsAgainWithItsOwnFrame)
{
    TestPage &page = openPage();
    hover(IDL_RINGS);
    tick(2);
    hover(IDL_COPY);
    EXPECT_EQ(page.HoveredLabelId(), IDL_COPY);
    EXPECT_EQ(page.HoverFrame(), labelRect(IDL_COPY).adjusted(-1, -1, 1, 1));
    EXPECT_FALSE(page.IsTipShown()) << "the old tip goes with its frame";
    tick();
    EXPECT_EQ(page.TipText(), QStringLiteral("ToolTipId == -1 for Nf_%s_Disable"));
}

TEST_F(HoverHelp, MouseElsewhereOnThePageTakesFrameAndTipAway)
{
    TestPage &page = openPage();
    for (QWidget *elsewhere : {static_cast<QWidget *>(&page), page.GetDlgItem(IDC_RINGS)}) {
        hover(IDL_RINGS);
        tick();
        ASSERT_TRUE(page.IsTipShown());
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(elsewhere, &enter);
        EXPECT_FALSE(page.IsTipShown());
        EXPECT_FALSE(page.IsTipTimerRunning());
        EXPECT_EQ(page.HoveredLabelId(), -1);
        EXPECT_TRUE(page.HoverFrame().isNull());
    }
}

struct TipCase {
    const char *name;
    int label;
    bool developer;
    const char *text;
};

class TipText : public HoverHelp, public testing::WithParamInterface<TipCase> {};

TEST_P(TipText, IsTheHelpStringOrSaysWhichIsMissing)
{
    const TipCase &c = GetParam();
    if (c.developer) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE,
                                 "SOFTWARE\\Keltra\\Verbanta ES Administration\\Developer", &key),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    TestPage &page = openPage();
    hover(c.label);
    tick();
    EXPECT_EQ(page.TipText(), QString::fromUtf8(c.text));
}

const TipCase kTipCases[] = {
    {"HelpString", IDL_RINGS, false, "Number of rings before the call counts as unanswered."},
    {"MissingString", IDC_DND, false, "ToolTipId == 2146435191 for DND"},
    {"NoString", IDL_COPY, false, "ToolTipId == -1 for Nf_%s_Disable"},
    {"DeveloperSeesTheProperty", IDL_RINGS, true, "Num_RNA"},
    {"FirstName", 1272, false, "Enter the first name of the mailbox owner."},
    {"LastName", 1274, false, "Enter the last name of the mailbox owner."},
    {"Comment", 1265, false, "Enter a descriptive comment about the mailbox."},
};

INSTANTIATE_TEST_SUITE_P(Labels, TipText, testing::ValuesIn(kTipCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(HoverHelp, TipSitsBelowItsLabelAndWithinThePage)
{
    TestPage &page = openPage();
    m_sheet.resize(440, 360);
    QCoreApplication::sendPostedEvents();
    hover(IDL_RINGS);
    tick();
    const QFontMetrics metrics(QApplication::font("QStatusBar"));
    const QSize text = metrics.size(0, page.TipText());
    const QRect label = labelRect(IDL_RINGS);
    EXPECT_EQ(
        page.TipRect(),
        QRect(QPoint(label.left(), label.top() + text.height() * 5 / 2 - 3), text).adjusted(-1, -1, 1, 1));

    // For a person to look at.
    if (const QString binaries = qEnvironmentVariable("VERBANTA_BINARY_DIR"); !binaries.isEmpty()) {
        QDir().mkpath(binaries + "/screenshots");
        m_sheet.grab().save(binaries + "/screenshots/mailbox-page-hover-tip.png");
    }

    // A label near the right edge: the tip moves left to end at the page's edge.
    this->label(IDL_RINGS)->move(page.width() - 40, this->label(IDL_RINGS)->y());
    SendMessage(page.GetSafeHwnd(), CInhPropertyPg::WM_SETCURSOR, WPARAM(page.GetSafeHwnd()), 0);
    hover(IDL_RINGS);
    tick();
    EXPECT_EQ(page.TipRect().right(), page.width());
    EXPECT_EQ(page.TipRect().top(), labelRect(IDL_RINGS).top() + text.height() * 5 / 2 - 3 - 1);
}

} // namespace
