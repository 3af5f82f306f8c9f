// The mailbox editor against the server simulator, with real widgets
// offscreen: opening an editor window, editing, locking and reverting fields
// and the exact "UpdateUA" lines the server receives, the save paths with
// the box changed on the server, a refused save, a page that refuses its
// value, deleting, reset, the discard question, late replies, and the
// class-of-service parent checks, the class-of-service choice held back
// while a page holds edits, and the unified-messaging switch stored and read
// back in one script. The pages of the editor come later; the tests give the
// sheet pages of their own that edit a few fields.
#include "admin/testsupport/simulatorsessiontestbase.h"

#include "admin/res/adminstrings.h"
#include "admin/res/applicationicon.h"
#include "admin/session/zeltsession.h"
#include "admin/useragents/admindoc.h"
#include "admin/useragents/admintemplate.h"
#include "admin/useragents/adminview.h"
#include "admin/useragents/childframe.h"
#include "admin/useragents/cosdoc.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "admin/useragents/mailboxpage.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/tests/qtprinters.h"
#include "admin/useragents/tests/textvalue.h"
#include "platform/messages/minmaxinfo.h"
#include "platform/mfc/dataexchange.h"
#include "platform/mfc/dialogdefs.h"
#include "platform/mfc/propertypage.h"
#include "testserver/harness/simulatorprocess.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <map>

namespace {

// A page of the tests: one text tracker per field, loaded from the sheet's
// record when a box is loaded and stored back on Apply, as the editor's
// pages do.
class FieldsPage : public CPropertyPage, public CMailboxPage {
public:
    FieldsPage(CMailboxPps &sheet, QStringList names, unsigned bit)
        : CPropertyPage(0, QStringLiteral("Fields")), m_sheet(sheet), m_names(std::move(names)), m_bit(bit)
    {
    }

    TextValue &field(const QString &name) { return m_values[name]; }
    // An edit by the administrator.
    void edit(const QString &name, const std::function<void(TextValue &)> &change)
    {
        change(m_values[name]);
        SetModified(true);
    }
    void refuseValues(bool refuse) { m_refuse = refuse; }
    int loads() const { return m_loads; }
    QStringList resetOrder;

    unsigned InitialisedBit() const override { return m_bit; }
    void ResetToParent() override
    {
        for (const QString &name : std::as_const(m_names))
            m_values[name].UseInherited(m_sheet.Record().Fetch(name, *m_sheet.Channel()));
        resetOrder.append(QString::number(m_bit, 16));
        SetModified(true);
    }
    bool OnKillActive() override { return !m_refuse; }
    bool OnApply() override
    {
        for (const QString &name : std::as_const(m_names))
            m_sheet.Record().SetProperty(name, m_values[name]);
        return true;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CMailboxPps::WM_USERAGENT_LOADED) {
            ++m_loads;
            for (const QString &name : std::as_const(m_names)) {
                m_values[name] = TextValue();
                m_sheet.Record().GetPropertyText(name, m_values[name]);
            }
            SetModified(false);
            return 0;
        }
        return CPropertyPage::WindowProc(message, wParam, lParam);
    }

private:
    CMailboxPps &m_sheet;
    QStringList m_names;
    unsigned m_bit;
    std::map<QString, TextValue> m_values;
    bool m_refuse = false;
    int m_loads = 0;
};

// A page built on the page base, as the options page is: one field, and
// the class-of-service choice (a combo and its "..." button) registered with
// the sheet. A window of its own among its controls counts the loads.
class ChoicePage : public CInhPropertyPg, public CMailboxPage {
public:
    enum : int { IDC_MAX_MESSAGES = 1500, IDL_MAX_MESSAGES = 1501, IDC_COS = 1350, IDC_COS_MORE = 1351 };

    explicit ChoicePage(CMailboxPps &sheet)
        : CInhPropertyPg(131, IDS_OPTIONS_PAGE,
                         {{&m_maxMessages, "MaxMessages", IDC_MAX_MESSAGES, IDL_MAX_MESSAGES}},
                         sheet.Record(), *sheet.Channel(), sheet.CommonFields()),
          m_sheet(sheet)
    {
        for (int id : {int(IDC_MAILBOX_NUMBER), int(IDC_NAME1), int(IDC_NAME2), int(IDC_COMMENT),
                       int(IDC_MAX_MESSAGES)})
            SetDlgCtrlID(new QLineEdit(this), id);
        SetDlgCtrlID(new QComboBox(this), IDC_COS);
        SetDlgCtrlID(new QPushButton(QStringLiteral("..."), this), IDC_COS_MORE);
        m_listener = new LoadCounter(this);
    }
    int loads() const { return m_listener->loads; }
    // The attendant page's place in the sheet's Reset.
    unsigned InitialisedBit() const override { return 0x10; }
    void ResetToParent() override
    {
        // A page the Reset had to make holds the box by now.
        loadedBeforeReset = GetMailboxNumber() == m_sheet.ShownNumber();
        ResetToCOS();
    }
    bool loadedBeforeReset = false;

protected:
    bool OnInitDialog() override
    {
        CInhPropertyPg::OnInitDialog();
        m_sheet.AddChangedFlags(InitialisedBit());
        m_sheet.RegisterControl(GetDlgItem(IDC_COS));
        m_sheet.RegisterControl(GetDlgItem(IDC_COS_MORE));
        return true;
    }
    void DoDataExchange(CDataExchange *dx) override
    {
        CInhPropertyPg::DoDataExchange(dx);
        DDX_Text(dx, IDC_MAX_MESSAGES, m_maxMessages.GetValueRef());
    }

private:
    class LoadCounter : public QWidget, public CMessageTarget {
    public:
        explicit LoadCounter(QWidget *parent) : QWidget(parent), CMessageTarget(this) {}
        ~LoadCounter() override { unregisterWindow(); }
        LRESULT WindowProc(UINT message, WPARAM, LPARAM) override
        {
            if (message == CMailboxPps::WM_USERAGENT_LOADED)
                ++loads;
            return 0;
        }
        int loads = 0;
    };

    CMailboxPps &m_sheet;
    CPageTextValue m_maxMessages;
    LoadCounter *m_listener;
};

class TestSheet : public CMailboxPps {
public:
    using CMailboxPps::CMailboxPps;
    static constexpr int ChoicePageIndex = 3;
    void AddPages() override
    {
        // Added in the order of the real sheet (options before menus), reset
        // in the order of their bits.
        m_pages.push_back(
            std::make_unique<FieldsPage>(*this, QStringList{"MaxMessages", "AIM", "&Comment"}, 0x1));
        m_pages.push_back(
            std::make_unique<FieldsPage>(*this, QStringList{"MaxMessageLength", "language"}, 0x1000));
        m_pages.push_back(std::make_unique<FieldsPage>(*this, QStringList{"MaxMessageLength"}, 0x100));
        for (const auto &page : m_pages)
            AddPage(page.get());
        m_choicePage = std::make_unique<ChoicePage>(*this);
        AddPage(m_choicePage.get());
    }
    FieldsPage &page(int index) { return *m_pages.at(index); }
    ChoicePage &choicePage() { return *m_choicePage; }
    void clickButton(int id) { OnCommand(id); }

private:
    std::vector<std::unique_ptr<FieldsPage>> m_pages;
    std::unique_ptr<ChoicePage> m_choicePage;
};

class EditorAgainstSimulator : public SimulatorSessionTestBase {
protected:
    void TearDown() override
    {
        m_sheet.reset();
        m_document.reset();
        SimulatorSessionTestBase::TearDown();
    }

    static CAdminDoc::Account everyBox()
    {
        return CAdminDoc::Account{[](long) { return true; }, true};
    }

    // An editor document with its own session, and a sheet on it showing `number`.
    void openSheet(long number, CServerCommandChannel *applicationChannel = nullptr)
    {
        m_document = std::make_unique<CAdminDoc>(everyBox());
        ASSERT_TRUE(m_document->OnNewDocument(*m_session, login()));
        m_sheet = std::make_unique<TestSheet>(QStringLiteral("Mailbox Configuration"), m_document->Channel(),
                                              number, m_document.get());
        m_sheet->SetApplicationChannel(applicationChannel);
        m_sheet->AddPages();
        m_sheet->Create();
        ASSERT_TRUE(waitUntil([&] { return m_sheet->ShownNumber() == number; })) << number;
        ASSERT_TRUE(waitUntil([&] { return m_sheet->ListCtrl()->GetItemCount() > 0; }));
        m_simulator->clearLog();
    }
    // Saves and waits for the reload a successful save asks for.
    void apply()
    {
        m_sheet->clickButton(ID_APPLY_NOW);
        const QString reload = QStringLiteral("GetUA %1").arg(m_sheet->ShownNumber());
        waitUntil([&] { return received(reload).contains(reload); }, 5000);
        waitUntil([] { return false; }, 300);
    }
    // One click on the sheet's real button, as the administrator's.
    void press(int id)
    {
        auto *button = m_sheet->GetDlgItem<QPushButton>(id);
        ASSERT_NE(button, nullptr) << id;
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    FieldsPage &options() { return m_sheet->page(0); }
    // A shown desktop window of 1000 x 760 holding an MDI area, as the main frame does.
    static QMdiArea *showDesktop(QWidget &desktop)
    {
        auto *area = new QMdiArea(&desktop);
        desktop.resize(1000, 760);
        area->resize(1000, 760);
        desktop.show();
        return area;
    }

    std::unique_ptr<CAdminDoc> m_document;
    std::unique_ptr<TestSheet> m_sheet;
};

// --- opening ---------------------------------------------------------------

TEST_F(EditorAgainstSimulator, OpensMailboxAndClassOfServiceEditorsInWindowsOfTheirOwn)
{
    QWidget frame;
    QMdiArea *area = showDesktop(frame);
    CAdminTemplate mailboxes(area, *m_session, login(),
                             [] { return std::make_unique<CAdminDoc>(everyBox()); });
    CAdminTemplate classes(area, *m_session, login(), [] { return std::make_unique<CCOSDoc>(everyBox()); });

    CAdminDoc *editor = mailboxes.OpenCountedDocument("Mailbox Editor");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(mailboxes.LastFrame()->windowTitle(), "Mailbox Editor");
    CMailboxPps *sheet = mailboxes.LastFrame()->GetActiveView()->Sheet();
    EXPECT_EQ(sheet->windowTitle().section(' ', 0, 1), "Mailbox Configuration");
    EXPECT_FALSE(sheet->IsCOSEditor());
    const long first = editor->GetCurrentUANumber();
    EXPECT_EQ(first, editor->UANumbers().first());
    ASSERT_TRUE(waitUntil([&] { return sheet->ShownNumber() == first; }));
    ASSERT_TRUE(waitUntil([&] { return sheet->ListCtrl()->GetItemCount() > 300; }));
    EXPECT_EQ(mailboxes.OpenCountedDocument("Mailbox Editor") != nullptr, true);
    EXPECT_EQ(mailboxes.LastFrame()->windowTitle(), "Mailbox Editor 2");

    CAdminDoc *cos = classes.OpenCountedDocument("COS Mailbox Editor");
    ASSERT_NE(cos, nullptr);
    CMailboxPps *cosSheet = classes.LastFrame()->GetActiveView()->Sheet();
    EXPECT_TRUE(cosSheet->IsCOSEditor());
    EXPECT_EQ(cosSheet->windowTitle().section(' ', 0, 2), "COS Mailbox Configuration");
    ASSERT_TRUE(waitUntil([&] { return cosSheet->ShownNumber() == cos->GetCurrentUANumber(); }));
    // The box shown is a class of service: it holds "COS" itself.
    EXPECT_EQ(cosSheet->Record().GetUANumber(), cos->GetCurrentUANumber());
    EXPECT_EQ(cosSheet->Record().GetProperty("COS"), "MB");
    EXPECT_FALSE(cosSheet->Record().IsPropertyUnlisted("COS"));
    EXPECT_FALSE(cosSheet->Record().IsOverHighMark());

    // Each editor window's session is its own: closing one leaves the others working.
    classes.LastFrame()->close();
    EXPECT_FALSE(m_session->Execute("GetUA 997").startsWith('!'));
    EXPECT_FALSE(editor->Execute("GetUA 997").startsWith('!'));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

// --- saving ----------------------------------------------------------------

struct SheetEdit {
    const char *name;
    long box;
    int page;
    const char *property;
    void (*change)(TextValue &value);
    const char *line; // the UpdateUA line the server must receive
};

class EditorSavesEdit : public EditorAgainstSimulator, public testing::WithParamInterface<SheetEdit> {};

TEST_P(EditorSavesEdit, ServerReceivesExactlyItsLine)
{
    const SheetEdit &edit = GetParam();
    openSheet(edit.box);
    ASSERT_TRUE(m_sheet->SetActivePage(edit.page));
    m_sheet->page(edit.page).edit(edit.property, edit.change);
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{QString::fromUtf8(edit.line)});
    EXPECT_EQ(m_sheet->MessageLine(), "Changes saved.");
    EXPECT_TRUE(waitUntil([&] { return !m_sheet->page(edit.page).IsModified(); }));
}

const SheetEdit kSheetEdits[] = {
    {"OwnValue", 2004, 0, "MaxMessages", [](TextValue &v) { v.PutText("90"); },
     "UpdateUA 2004 1 MaxMessages {90} "},
    {"LockedValue", 2004, 0, "AIM",
     [](TextValue &v) {
         v.locked = true;
         v.lockOwn = true;
     },
     "UpdateUA 2004 1 Lock_AIM {1} "},
    {"UnlockedValue", 30, 1, "MaxMessageLength",
     [](TextValue &v) {
         v.locked = false;
         v.lockOwn = true;
     },
     "UpdateUA 30 2 ~Lock_MaxMessageLength {} "},
    {"RevertedValue", 2004, 0, "MaxMessages", [](TextValue &v) { v.UseInherited("100"); },
     "UpdateUA 2004 1 ~MaxMessages {} "},
};

INSTANTIATE_TEST_SUITE_P(Edits, EditorSavesEdit, testing::ValuesIn(kSheetEdits),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EditorAgainstSimulator, SavingWithoutChangesSendsNothingAndSaysSo)
{
    openSheet(2004);
    apply();
    EXPECT_TRUE(received("UpdateUA").isEmpty());
    EXPECT_EQ(m_sheet->MessageLine(), "No changes necessary.");
}

TEST_F(EditorAgainstSimulator, ChangeOnServerAsksTheThreeWayQuestion)
{
    const QString question =
        "This User Agent has been modified.\nPress No to discard your changes and refresh this "
        "User Agent.\nPress Yes to commit your changes.\nPress Cancel to review your changes.";
    openSheet(2005);
    ASSERT_FALSE(m_session->Execute("UpdateUA 2005 WithForce &Comment {meanwhile}").startsWith('!'));
    m_simulator->clearLog();

    // Cancel: nothing sent, the edit stays to be reviewed.
    options().edit("&Comment", [](TextValue &v) { v.PutText("mine"); });
    m_boxes->answer(IDCANCEL);
    m_sheet->clickButton(ID_APPLY_NOW);
    EXPECT_TRUE(received("UpdateUA").isEmpty());
    EXPECT_TRUE(options().IsModified());
    EXPECT_EQ(m_boxes->transcript().back().type, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);

    // No: the box is read again and the edit is gone.
    m_boxes->answer(IDNO);
    m_sheet->clickButton(ID_APPLY_NOW);
    ASSERT_TRUE(waitUntil([&] { return options().field("&Comment").GetText() == "meanwhile"; }));
    EXPECT_TRUE(received("UpdateUA").isEmpty());
    EXPECT_FALSE(options().IsModified());

    // Yes: the edit goes with force.
    ASSERT_FALSE(m_session->Execute("UpdateUA 2005 WithForce &Comment {again}").startsWith('!'));
    options().edit("&Comment", [](TextValue &v) { v.PutText("mine"); });
    m_boxes->answer(IDYES);
    apply();
    EXPECT_EQ(received("UpdateUA").last(), "UpdateUA 2005 WithForce &Comment {mine} ");
    EXPECT_EQ(m_boxes->texts(), QStringList({question, question, question}));
}

TEST_F(EditorAgainstSimulator, RefusedSaveShowsTheServersReasonAndKeepsTheEdits)
{
    openSheet(2006);
    m_simulator->failCommand("UpdateUA", "disk full");
    options().edit("&Comment", [](TextValue &v) { v.PutText("kept"); });
    m_boxes->answer(IDOK);
    m_sheet->clickButton(ID_APPLY_NOW);
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().startsWith("Verbanta ES refused the change: "))
        << m_boxes->texts().first().toStdString();
    EXPECT_TRUE(m_boxes->texts().first().contains("disk full"));
    EXPECT_TRUE(options().IsModified());
    EXPECT_EQ(options().field("&Comment").GetText(), "kept");
    EXPECT_NE(m_sheet->MessageLine(), "Changes saved.");

    m_simulator->clearFailure("UpdateUA");
    apply();
    EXPECT_EQ(received("UpdateUA").last(), "UpdateUA 2006 3 &Comment {kept} ");
}

TEST_F(EditorAgainstSimulator, PageThatRefusesItsValueStopsTheSaveBeforeAnyPageIsStored)
{
    openSheet(2004);
    ASSERT_TRUE(m_sheet->SetActivePage(1));
    ASSERT_TRUE(m_sheet->SetActivePage(0));
    options().edit("MaxMessages", [](TextValue &v) { v.PutText("90"); });
    m_sheet->page(1).refuseValues(true);
    m_sheet->clickButton(ID_APPLY_NOW);
    waitUntil([] { return false; }, 300);
    EXPECT_TRUE(m_simulator->commandTexts().isEmpty()) << m_simulator->commandTexts().join('|').toStdString();
    EXPECT_EQ(m_sheet->GetActiveIndex(), 1);
    // The record is as received: the first page was not stored half-way.
    EXPECT_NE(m_sheet->Record().GetProperty("MaxMessages"), "90");
}

// --- moving between boxes ----------------------------------------------------

TEST_F(EditorAgainstSimulator, RowChangeWithUnsavedEditsAsksBeforeDiscarding)
{
    openSheet(2004);
    options().edit("MaxMessages", [](TextValue &v) { v.PutText("90"); });
    // Cancel: the shown box stays and its row is selected again.
    m_sheet->ListCtrl()->SelectItem(m_sheet->ListCtrl()->FindItemByText("2007"));
    m_boxes->answer(IDCANCEL);
    m_document->SendAsync(m_sheet.get(), WM_SERVER_REPLY, CMailboxPps::GetUARequestCode, "GetUA 2007");
    ASSERT_TRUE(waitUntil([&] { return m_boxes->texts().size() == 1; }));
    EXPECT_EQ(m_boxes->texts().first(), "Discard changes?");
    EXPECT_EQ(m_sheet->ShownNumber(), 2004);
    EXPECT_EQ(m_sheet->ListCtrl()->GetCurrentUANumber(), 2004);
    EXPECT_EQ(m_sheet->ListCtrl()->GetSelectedItem(), m_sheet->ListCtrl()->FindItemByText("2004"));
    EXPECT_EQ(options().field("MaxMessages").GetText(), "90");

    // OK: the other box is shown and the edit is gone.
    m_sheet->ListCtrl()->SelectItem(m_sheet->ListCtrl()->FindItemByText("2007"));
    m_boxes->answer(IDOK);
    m_document->SendAsync(m_sheet.get(), WM_SERVER_REPLY, CMailboxPps::GetUARequestCode, "GetUA 2007");
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ShownNumber() == 2007; }));
    EXPECT_FALSE(options().IsModified());
}

TEST_F(EditorAgainstSimulator, ReplyForABoxAlreadyLeftIsDropped)
{
    openSheet(2004);
    const int loads = options().loads();
    m_simulator->delayNextReply(400);
    m_sheet->SendGetUA(2008);
    m_sheet->SendGetUA(2009);
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ShownNumber() == 2009; }));
    waitUntil([] { return false; }, 800);
    EXPECT_EQ(m_sheet->ShownNumber(), 2009);
    EXPECT_EQ(options().loads(), loads + 1);

    // The administrator is on the row of 2010 when 2011's reply comes in.
    m_sheet->ListCtrl()->SelectItem(m_sheet->ListCtrl()->FindItemByText("2010"));
    m_document->SendAsync(m_sheet.get(), WM_SERVER_REPLY, CMailboxPps::GetUARequestCode, "GetUA 2011");
    waitUntil([] { return false; }, 800);
    EXPECT_EQ(m_sheet->ShownNumber(), 2009);
}

// --- deleting ----------------------------------------------------------------

TEST_F(EditorAgainstSimulator, RefusesDeletingTheSystemMailboxBeforeAskingTheServer)
{
    openSheet(999);
    m_boxes->answer(IDOK);
    press(CMailboxPps::IDC_DELETE);
    EXPECT_EQ(m_boxes->texts(), QStringList{"You can not delete the system admin mailbox."});
    EXPECT_TRUE(m_simulator->commandTexts().isEmpty());
}

TEST_F(EditorAgainstSimulator, RefusesDeletingAClassOfServiceWithChildren)
{
    openSheet(30);
    m_boxes->answer(IDOK);
    press(CMailboxPps::IDC_DELETE);
    EXPECT_EQ(
        m_boxes->texts(),
        QStringList{"Mailbox 30 Can not be deleted because its a Class Of Service mailbox with at least 1 "
                    "child.\nDelete all mailboxes based on 30 first."});
    EXPECT_TRUE(received("DeleteUA").isEmpty());
}

struct DeleteCase {
    const char *name;
    long box;
    const char *warning; // empty: no answer method names the box
};

class EditorDeletes : public EditorAgainstSimulator, public testing::WithParamInterface<DeleteCase> {};

TEST_P(EditorDeletes, NamesTheAnswerMethodsThenDeletesOnYes)
{
    const DeleteCase &c = GetParam();
    openSheet(c.box);
    const int rows = m_sheet->ListCtrl()->GetItemCount();
    QStringList expected;
    if (*c.warning) {
        m_boxes->answer(IDOK);
        expected.append(QString::fromUtf8(c.warning));
    }
    expected.append(QStringLiteral("Are you sure you want to delete mailbox %1?").arg(c.box));
    m_boxes->answer(IDYES);
    press(CMailboxPps::IDC_DELETE);
    EXPECT_EQ(m_boxes->texts(), expected);
    EXPECT_EQ(received("DeleteUA"), QStringList{QStringLiteral("DeleteUA %1").arg(c.box)});
    EXPECT_FALSE(m_document->UANumbers().contains(c.box));
    EXPECT_TRUE(waitUntil([&] { return m_sheet->ListCtrl()->GetItemCount() == rows - 1; }));
    EXPECT_TRUE(m_session->Execute(QStringLiteral("GetUA %1").arg(c.box)).startsWith('!'));
}

const DeleteCase kDeleteCases[] = {
    {"NoReference", 2007, ""},
    {"TwoMethods", 2000,
     "Answer methods Sales and SalesNight define 2000 as a greeting user agent.  Remember to assign a new "
     "greeting "
     "user agent to the referenced answer methods."},
    {"ThreeMethods", 2100,
     "Answer methods Support, SupportNight, and Overflow define 2100 as a greeting user agent.  Remember to "
     "assign "
     "a new greeting user agent to the referenced answer methods."},
};

INSTANTIATE_TEST_SUITE_P(Boxes, EditorDeletes, testing::ValuesIn(kDeleteCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EditorAgainstSimulator, OneAnswerMethodIsNamedAloneAndNoKeepsTheBox)
{
    m_simulator->seed("var answer_method_list {{Lobby {2012 4 Incoming}}}");
    openSheet(2012);
    m_boxes->answer({IDOK, IDNO});
    press(CMailboxPps::IDC_DELETE);
    EXPECT_EQ(
        m_boxes->texts(),
        QStringList({"Answer method Lobby defines 2012 as a greeting user agent.  Remember to assign a new "
                     "greeting user agent to the referenced answer method.",
                     "Are you sure you want to delete mailbox 2012?"}));
    EXPECT_TRUE(received("DeleteUA").isEmpty());
}

// --- reset -------------------------------------------------------------------

TEST_F(EditorAgainstSimulator, ResetTakesEveryPageBackToTheClassOfServiceOnYes)
{
    openSheet(2004);
    const QString question =
        "Reset will revert all values on all pages to be taken from the parent Class Of "
        "Service.\nThe effected values are marked with a blue exclamation point.  Do you want "
        "to continue?";
    m_boxes->answer(IDNO);
    press(CMailboxPps::IDC_RESET);
    EXPECT_TRUE(options().resetOrder.isEmpty());

    m_boxes->answer(IDYES);
    press(CMailboxPps::IDC_RESET);
    EXPECT_EQ(m_boxes->texts(), QStringList({question, question}));
    EXPECT_EQ(m_sheet->GetMode(), CMailboxPps::ModeNormal);
    EXPECT_EQ(options().resetOrder, QStringList{"1"});
    EXPECT_TRUE(options().field("MaxMessages").showsInherited);
    // Options (0x1), menus (0x100), then groups (0x1000).
    EXPECT_EQ(m_sheet->page(2).resetOrder, QStringList{"100"});
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 2004 1 ~&Comment {} ~MaxMessages {} "});
}

// --- class of service --------------------------------------------------------

TEST_F(EditorAgainstSimulator, ParentChecksRefuseItselfDescendantsAndLoopsOnTheServer)
{
    openSheet(30);
    struct {
        long edited;
        long parent;
        const char *message;
    } const cases[] = {
        {30, 30, "You cannot make a COS a parent of itself."},
        {10, 31, "COS 10 is a parent of COS 31."},
        {10, 30, "COS 10 is a parent of COS 30."},
    };
    for (const auto &c : cases) {
        m_boxes->answer(IDOK);
        EXPECT_TRUE(m_sheet->CheckParentCycle(c.edited, c.parent)) << c.message;
        EXPECT_EQ(m_boxes->texts().last(), c.message);
    }
    const int shown = m_boxes->texts().size();
    EXPECT_FALSE(m_sheet->CheckParentCycle(31, 40));
    EXPECT_EQ(m_boxes->texts().size(), shown);

    m_simulator->seed("ua 7002 -parent 7003 {}\nua 7003 -parent 7002 {}");
    m_boxes->answer(IDOK);
    EXPECT_TRUE(m_sheet->CheckParentCycle(30, 7002));
    EXPECT_EQ(m_boxes->texts().last(), "Cycle detected in tree having COS 7002.");
}

TEST_F(EditorAgainstSimulator, ChangeParentMovesTheBoxAndShowsIt)
{
    openSheet(31);
    ASSERT_TRUE(m_sheet->ChangeParent(40));
    ASSERT_TRUE(waitUntil([&] { return m_sheet->Record().GetParentNumber() == 40; }));
    m_boxes->answer(IDOK);
    EXPECT_FALSE(m_sheet->ChangeParent(31));
    EXPECT_EQ(m_boxes->texts(), QStringList{"You cannot make a COS a parent of itself."});
}

} // namespace

namespace {

// --- closing, refreshing, the port status document ------------------------------

TEST_F(EditorAgainstSimulator, ClosingWithUnsavedEditsAsksAndNoSavesThem)
{
    const QString question =
        "Do you want to close the Mailbox Editor window and discard the changes you have made "
        "without updating the Mailbox data in the server?";
    openSheet(2004);
    EXPECT_TRUE(m_sheet->QueryClose());
    EXPECT_TRUE(m_boxes->texts().isEmpty());

    options().edit("MaxMessages", [](TextValue &v) { v.PutText("70"); });
    m_boxes->answer(IDYES);
    EXPECT_TRUE(m_sheet->QueryClose());
    EXPECT_TRUE(received("UpdateUA").isEmpty());

    m_boxes->answer(IDNO);
    EXPECT_TRUE(m_sheet->QueryClose());
    EXPECT_EQ(m_boxes->texts(), QStringList({question, question}));
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 2004 1 MaxMessages {70} "});
}

TEST_F(EditorAgainstSimulator, SavingOnCloseABoxChangedMeanwhileAsksWhetherToCommit)
{
    const QString closing =
        "Do you want to close the Mailbox Editor window and discard the changes you have made "
        "without updating the Mailbox data in the server?";
    const QString changed = "Another operation has modified this User Agent.\nPress Cancel to discard your "
                            "changes or press OK to commit your changes.";
    openSheet(2004);
    ASSERT_FALSE(m_session->Execute("UpdateUA 2004 WithForce &Comment {meanwhile}").startsWith('!'));
    m_simulator->clearLog();

    // Cancel: the edits are dropped, nothing is sent.
    options().edit("MaxMessages", [](TextValue &v) { v.PutText("70"); });
    m_boxes->answer({IDNO, IDCANCEL});
    m_sheet->QueryClose();
    EXPECT_EQ(m_boxes->texts(), QStringList({closing, changed}));
    EXPECT_EQ(m_boxes->transcript().back().type, UINT(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_TRUE(received("UpdateUA").isEmpty());

    // OK: the edits go with force.
    options().edit("MaxMessages", [](TextValue &v) { v.PutText("71"); });
    m_boxes->answer({IDNO, IDOK});
    EXPECT_TRUE(m_sheet->QueryClose());
    EXPECT_EQ(m_boxes->texts(), QStringList({closing, changed, closing, changed}));
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 2004 WithForce MaxMessages {71} "});
}

TEST_F(EditorAgainstSimulator, RefreshReadsTheBoxAndTheListAgain)
{
    openSheet(2004);
    m_document->SetTitle("Mailbox Editor - New User Agents");
    const int rows = m_sheet->ListCtrl()->GetItemCount();
    ASSERT_FALSE(m_session->Execute("CreateUA 2400 0 30 -1 0").startsWith('!'));
    press(CMailboxPps::IDC_REFRESH);
    EXPECT_EQ(m_document->GetTitle(), "Mailbox Editor");
    EXPECT_TRUE(m_document->UANumbers().contains(2400));
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ListCtrl()->GetItemCount() == rows + 1; }));
    EXPECT_EQ(received("GetUA 2004"), QStringList{"GetUA 2004"});
    EXPECT_EQ(received("ParmsForUAType").size(), 1);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(EditorAgainstSimulator, RefreshAfterADeleteAsksOnlyForBoxesThatExist)
{
    openSheet(2007);
    m_boxes->answer(IDYES);
    press(CMailboxPps::IDC_DELETE);
    ASSERT_EQ(received("DeleteUA"), QStringList{"DeleteUA 2007"});
    // The sheet goes on with a box of the refilled list.
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ShownNumber() != -1; }));
    const long shown = m_sheet->ShownNumber();
    EXPECT_NE(shown, 2007);
    EXPECT_TRUE(m_document->UANumbers().contains(shown));
    EXPECT_FALSE(m_session->Execute(QStringLiteral("GetUA %1").arg(shown)).startsWith('!'));

    m_simulator->clearLog();
    press(CMailboxPps::IDC_REFRESH);
    ASSERT_TRUE(waitUntil([&] { return received("ParmsForUAType").size() == 1; }));
    waitUntil([] { return false; }, 300);
    EXPECT_TRUE(received("GetUA 2007").isEmpty());
    EXPECT_EQ(received(QStringLiteral("GetUA %1").arg(shown)).count(QStringLiteral("GetUA %1").arg(shown)), 1);
    EXPECT_EQ(m_sheet->ShownNumber(), shown);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Are you sure you want to delete mailbox 2007?"});
}

TEST_F(EditorAgainstSimulator, EditsStayInTheOpenWindowWhenTheSaveOnCloseIsRefused)
{
    openSheet(2004);
    options().edit("MaxMessages", [](TextValue &v) { v.PutText("70"); });
    m_simulator->failCommand("UpdateUA", "disk full");
    m_boxes->answer({IDNO, IDOK}); // save them; the refusal is read
    m_sheet->close();
    ASSERT_EQ(m_boxes->texts().size(), 2);
    EXPECT_TRUE(m_boxes->texts().at(1).contains("disk full"));
    EXPECT_TRUE(m_sheet->isVisible());
    EXPECT_TRUE(options().IsModified());
    EXPECT_EQ(options().field("MaxMessages").GetText(), "70");

    // Saved once the server takes it, the window closes.
    m_simulator->clearFailure("UpdateUA");
    m_boxes->answer(IDNO);
    m_sheet->close();
    EXPECT_FALSE(m_sheet->isVisible());
    EXPECT_EQ(received("UpdateUA").last(), "UpdateUA 2004 1 MaxMessages {70} ");
}

TEST_F(EditorAgainstSimulator, ClassOfServiceEditorRunsEachButtonsCommandOnce)
{
    m_document = std::make_unique<CCOSDoc>(everyBox());
    ASSERT_TRUE(m_document->OnNewDocument(*m_session, login()));
    const long first = m_document->GetCurrentUANumber();
    m_sheet = std::make_unique<TestSheet>(QStringLiteral("COS Mailbox Configuration"), m_document->Channel(),
                                          first, m_document.get());
    m_sheet->AddPages();
    m_sheet->Create();
    ASSERT_TRUE(m_sheet->IsCOSEditor());
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ShownNumber() == first; }));
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ListCtrl()->GetItemCount() > 0; }));
    m_simulator->clearLog();

    press(CMailboxPps::IDC_REFRESH);
    ASSERT_TRUE(waitUntil([&] { return received("ParmsForUAType").size() >= 1; }));
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(received("GetUAList4Property").size(), 1);
    EXPECT_EQ(received(QStringLiteral("GetUA %1").arg(first)).size(), 1);
    EXPECT_EQ(received("ParmsForUAType").size(), 1);

    m_boxes->answer(IDNO);
    press(CMailboxPps::IDC_RESET);
    m_boxes->answer(IDNO);
    press(CMailboxPps::IDC_DELETE);
    EXPECT_EQ(received("UAHasChildren").size(), 1);
    EXPECT_EQ(m_boxes->texts().size(), 2) << m_boxes->texts().join('|').toStdString();
    EXPECT_EQ(m_boxes->pendingAnswers(), 0);
}

TEST_F(EditorAgainstSimulator, AccountWithoutBoxesCannotOpenTheEditor)
{
    CAdminDoc document(CAdminDoc::Account{[](long) { return false; }, false});
    m_boxes->answer(IDOK);
    EXPECT_FALSE(document.OnNewDocument(*m_session, login()));
    EXPECT_EQ(m_boxes->texts(),
              QStringList{"There is no existing User Agents administered by your account.  The "
                          "Editor can not start."});
}

} // namespace

namespace {

TEST_F(EditorAgainstSimulator, HelpWithoutInstalledHelpSaysSoAtEveryRequest)
{
    qputenv("VERBANTA_HELP_DIR", m_folder.filePath("nohelp").toUtf8());
    openSheet(2004);
    m_boxes->answer({IDOK, IDOK});
    SendMessage(m_sheet->GetSafeHwnd(), WM_HELP, 0, 0);
    SendMessage(m_sheet->GetSafeHwnd(), WM_HELP, 0, 0);
    ASSERT_EQ(m_boxes->texts().size(), 2);
    EXPECT_TRUE(m_boxes->texts().last().startsWith("Help is not installed"));
}

} // namespace

namespace {

TEST_F(EditorAgainstSimulator, ChangedNamesOfferADirectorySyncWhenTheServerHasOne)
{
    // The demo server has the directory-sync alias.
    openSheet(2004, m_session.get());
    int requests = 0;
    QObject::connect(m_sheet.get(), &CMailboxPps::directorySyncRequested, [&] { ++requests; });

    options().edit("&Comment", [](TextValue &v) { v.PutText("renamed"); });
    apply();
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << "no name changed";

    m_sheet->CommonFields().namesChanged = true;
    options().edit("&Comment", [](TextValue &v) { v.PutText("renamed again"); });
    m_boxes->answer(IDYES);
    apply();
    EXPECT_EQ(m_boxes->texts(), QStringList{"Would you like to synchronize now?"});
    EXPECT_EQ(requests, 1);
    EXPECT_FALSE(m_sheet->CommonFields().namesChanged);
}

TEST_F(EditorAgainstSimulator, ServerWithoutDirectorySyncAsksNothing)
{
    m_simulator->failCommand("GetAliasList", "no aliases");
    m_boxes->answer(IDOK);
    openSheet(2004, m_session.get());
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().contains("no aliases"));
    m_sheet->CommonFields().namesChanged = true;
    options().edit("&Comment", [](TextValue &v) { v.PutText("renamed"); });
    apply();
    EXPECT_EQ(m_sheet->MessageLine(), "Changes saved.");
    EXPECT_EQ(m_boxes->texts().size(), 1);
}

} // namespace

namespace {

// --- the attached list and the size limits ---------------------------------

TEST_F(EditorAgainstSimulator, AttachedListFillsTheBandBelowTheSheetAndTheWindowOnlyGrowsTaller)
{
    QWidget desktop;
    QMdiArea *area = showDesktop(desktop);
    CAdminTemplate mailboxes(area, *m_session, login(),
                             [] { return std::make_unique<CAdminDoc>(everyBox()); });
    ASSERT_NE(mailboxes.OpenCountedDocument("Mailbox Editor"), nullptr);
    CChildFrame *frame = mailboxes.LastFrame();
    CMailboxPps *sheet = frame->GetActiveView()->Sheet();
    ASSERT_TRUE(waitUntil([&] { return sheet->ListCtrl()->GetItemCount() > 300; }));

    EXPECT_EQ(frame->windowIcon().pixmap(16).toImage(), ApplicationIcon().pixmap(16).toImage());
    EXPECT_FALSE(frame->windowIcon().pixmap(16).toImage().isNull());

    // The window holds exactly the attached layout, and no less.
    const QSize attached = sheet->AttachedSize();
    ASSERT_TRUE(attached.isValid());
    EXPECT_EQ(frame->size(), attached);
    EXPECT_EQ(frame->minimumSize(), attached);
    EXPECT_EQ(frame->maximumWidth(), attached.width());

    // The size-limit question reaches the sheet through the frame and the view.
    MINMAXINFO limits;
    limits.ptMaxTrackSize = {5000, 5000};
    limits.ptMaxSize = {5000, 5000};
    EXPECT_EQ(SendMessage(frame->GetSafeHwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)), 1);
    EXPECT_EQ(limits.ptMinTrackSize.x, attached.width());
    EXPECT_EQ(limits.ptMinTrackSize.y, attached.height());
    EXPECT_EQ(limits.ptMaxTrackSize.x, attached.width());
    EXPECT_EQ(limits.ptMaxSize.x, attached.width());
    EXPECT_EQ(limits.ptMaxTrackSize.y, 5000) << "the height is not limited";

    // The list lies in the sheet's band: 5 pixels in from the left, right and
    // bottom edges, its top the screen's rise above the bottom.
    const CMailboxPps::AttachedListPlacement placement =
        CMailboxPps::AttachedListPlacementFor(sheet->screen()->geometry().width());
    const auto expectListInBand = [&](int height) {
        const QRect list = sheet->ListCtrl()->geometry();
        EXPECT_EQ(list.left(), 5);
        EXPECT_EQ(sheet->width() - (list.right() + 1), 5);
        EXPECT_EQ(sheet->height() - (list.bottom() + 1), 5);
        EXPECT_EQ(list.height(), height);
    };
    expectListInBand(placement.rise - 5);
    const QPushButton *refresh = sheet->GetDlgItem<QPushButton>(CMailboxPps::IDC_REFRESH);
    EXPECT_LT(refresh->mapTo(sheet, QPoint(0, refresh->height())).y(), sheet->height() - placement.band);

    const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR") + "/screenshots";
    QDir().mkpath(folder);
    EXPECT_TRUE(desktop.grab().save(folder + "/mailbox_editor_attached_list.png"));

    // Taller: the list takes it all and its top stays; wider: refused.
    const QRect before = sheet->ListCtrl()->geometry();
    const QPoint buttons = refresh->pos();
    frame->resize(attached.width() + 200, attached.height() + 150);
    waitUntil([] { return false; }, 100);
    EXPECT_EQ(frame->size(), QSize(attached.width(), attached.height() + 150));
    EXPECT_EQ(sheet->ListCtrl()->geometry().topLeft(), before.topLeft());
    expectListInBand(placement.rise - 5 + 150);
    EXPECT_EQ(refresh->pos(), buttons);
    frame->resize(attached.width() - 100, attached.height() - 50);
    EXPECT_EQ(frame->size(), attached);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(EditorAgainstSimulator, ActivatedEditorWindowPutsTheFocusInItsList)
{
    QWidget desktop;
    QMdiArea *area = showDesktop(desktop);
    CAdminTemplate mailboxes(area, *m_session, login(),
                             [] { return std::make_unique<CAdminDoc>(everyBox()); });
    ASSERT_NE(mailboxes.OpenCountedDocument("Mailbox Editor"), nullptr);
    CChildFrame *first = mailboxes.LastFrame();
    ASSERT_NE(mailboxes.OpenCountedDocument("Mailbox Editor"), nullptr);
    CChildFrame *second = mailboxes.LastFrame();
    // Only now: on a slow run a login's status window takes the activation
    // and leaves none behind, with no window manager here to hand it back.
    QCoreApplication::processEvents();
    desktop.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return desktop.isActiveWindow(); }));

    for (CChildFrame *frame : {first, second, first}) {
        // Away from the list first, so only the activation can bring it back.
        area->setActiveSubWindow(frame);
        frame->GetActiveView()->Sheet()->GetDlgItem(CMailboxPps::IDC_REFRESH)->setFocus();
        area->setActiveSubWindow(frame == first ? second : first);
        area->setActiveSubWindow(frame);
        EXPECT_EQ(QApplication::focusWidget(), frame->GetActiveView()->Sheet()->ListCtrl())
            << frame->windowTitle().toStdString();
    }
}

struct ScreenCase {
    int screenWidth;
    int band;
    int rise;
};

class AttachedListOnScreen : public testing::TestWithParam<ScreenCase> {};

TEST_P(AttachedListOnScreen, SmallScreensGiveTheListLessRoom)
{
    const CMailboxPps::AttachedListPlacement placement =
        CMailboxPps::AttachedListPlacementFor(GetParam().screenWidth);
    EXPECT_EQ(placement.band, GetParam().band);
    EXPECT_EQ(placement.rise, GetParam().rise);
}

INSTANTIATE_TEST_SUITE_P(Screens, AttachedListOnScreen,
                         testing::Values(ScreenCase{640, 120, 80}, ScreenCase{800, 120, 80},
                                         ScreenCase{801, 105, 95}, ScreenCase{1920, 105, 95}),
                         [](const auto &info) { return "Width" + std::to_string(info.param.screenWidth); });

// --- the class-of-service choice while a page holds edits -------------------------

TEST_F(EditorAgainstSimulator, ClassOfServiceChoiceWaitsUntilThePagesEditsAreSavedOrDiscarded)
{
    openSheet(2004);
    ASSERT_TRUE(m_sheet->SetActivePage(TestSheet::ChoicePageIndex));
    ChoicePage &page = m_sheet->choicePage();
    ASSERT_TRUE(waitUntil([&] { return page.GetMailboxNumber() == 2004; }));
    QWidget *choice = page.GetDlgItem(ChoicePage::IDC_COS);
    QWidget *more = page.GetDlgItem(ChoicePage::IDC_COS_MORE);
    EXPECT_TRUE(choice->isEnabled());
    const int loads = page.loads();

    page.GetDlgItem<QLineEdit>(ChoicePage::IDC_MAX_MESSAGES)->setText(QStringLiteral("7"));
    EXPECT_FALSE(choice->isEnabled());
    EXPECT_FALSE(more->isEnabled());

    // Saved: the box is read again, which frees the choice.
    apply();
    EXPECT_EQ(received("UpdateUA").size(), 1);
    ASSERT_TRUE(waitUntil([&] { return choice->isEnabled(); }));
    EXPECT_TRUE(more->isEnabled());
    EXPECT_FALSE(page.IsModified());
    EXPECT_GT(page.loads(), loads) << "the reload reaches the page's own windows";

    // Discarded by moving to another box.
    page.GetDlgItem<QLineEdit>(ChoicePage::IDC_MAX_MESSAGES)->setText(QStringLiteral("8"));
    ASSERT_FALSE(choice->isEnabled());
    m_sheet->ListCtrl()->SelectItem(m_sheet->ListCtrl()->FindItemByText("2007"));
    m_boxes->answer(IDOK);
    m_document->SendAsync(m_sheet.get(), WM_SERVER_REPLY, CMailboxPps::GetUARequestCode, "GetUA 2007");
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ShownNumber() == 2007; }));
    EXPECT_TRUE(choice->isEnabled());
}

TEST_F(EditorAgainstSimulator, ControlsAreSwitchedOnAChangeOfStateOrAfterANewRegistration)
{
    openSheet(2004);
    QPushButton first;
    QPushButton second;
    m_sheet->RegisterControl(&first);
    m_sheet->EnableAllControls(false);
    EXPECT_FALSE(first.isEnabled());

    first.setEnabled(true);
    m_sheet->EnableAllControls(false);
    EXPECT_TRUE(first.isEnabled()) << "the same state again does nothing";

    m_sheet->RegisterControl(&second);
    m_sheet->EnableAllControls(false);
    EXPECT_FALSE(first.isEnabled()) << "a new control makes the next call apply to all";
    EXPECT_FALSE(second.isEnabled());

    {
        QPushButton gone;
        m_sheet->RegisterControl(&gone);
    }
    m_sheet->EnableAllControls(true);
    EXPECT_TRUE(first.isEnabled() && second.isEnabled()) << "a control that went is passed over";
}

// --- the unified-messaging switch -------------------------------------------------

QString switchScript(long box, int disable)
{
    return QStringLiteral(
               "catch {UpdateUA %1 WithForce Nf_22_Disable %2\r\nGetUA %1 \r\n} result\r\nset result")
        .arg(box)
        .arg(disable);
}

CInhPropertyPg::ServerVariable demoVariables()
{
    // The demo server's unified-messaging notification.
    return [](const QString &name) { return name == "EmrId_AIM_Normal" ? QStringLiteral("22") : QString(); };
}

struct SwitchCase {
    const char *name;
    CMailboxPps::Mode mode;
    int disable;
};

class EditorSwitchesUnifiedMessaging : public EditorAgainstSimulator,
                                       public testing::WithParamInterface<SwitchCase> {};

TEST_P(EditorSwitchesUnifiedMessaging, StoresTheSwitchAndReloadsTheBox)
{
    const SwitchCase &c = GetParam();
    openSheet(2004);
    m_sheet->SetServerVariables(demoVariables());
    const int loads = options().loads();
    m_sheet->SetPendingAction(c.mode);
    SendMessage(m_sheet->GetSafeHwnd(), CMailboxPps::WM_APPLY_USER_AGENT, 0, 0);

    // One script, then what reading the box back takes (its event maps).
    EXPECT_EQ(m_simulator->commandTexts().value(0), switchScript(2004, c.disable));
    EXPECT_EQ(received("catch").size(), 1);
    EXPECT_TRUE(received("UpdateUA").isEmpty());
    EXPECT_EQ(m_sheet->GetMode(), CMailboxPps::ModeNormal);
    const QString stored = QString::number(c.disable);
    EXPECT_EQ(m_sheet->Record().GetProperty("Nf_22_Disable"), stored) << "the record is the server's";
    EXPECT_EQ(options().loads(), loads + 1) << "the pages reload";
    const CUserAgent onServer(m_session->Execute("GetUA 2004"), CTclList());
    EXPECT_EQ(onServer.GetProperty("Nf_22_Disable"), stored);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

const SwitchCase kSwitchCases[] = {
    {"On", CMailboxPps::ModeUnifiedOn, 0},
    {"Off", CMailboxPps::ModeUnifiedOff, 1},
};

INSTANTIATE_TEST_SUITE_P(Switch, EditorSwitchesUnifiedMessaging, testing::ValuesIn(kSwitchCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(EditorAgainstSimulator, SwitchChosenWithUnsavedEditsIsAppliedOnceTheSaveReloadsTheBox)
{
    openSheet(2004);
    m_sheet->SetServerVariables(demoVariables());
    options().edit("MaxMessages", [](TextValue &v) { v.PutText("90"); });
    m_sheet->SetPendingAction(CMailboxPps::ModeUnifiedOn);
    apply();
    ASSERT_TRUE(waitUntil([&] { return m_sheet->GetMode() == CMailboxPps::ModeNormal; }));
    const QStringList sent = m_simulator->commandTexts();
    ASSERT_TRUE(sent.contains(switchScript(2004, 0))) << sent.join('|').toStdString();
    EXPECT_LT(sent.indexOf("UpdateUA 2004 1 MaxMessages {90} "), sent.indexOf(switchScript(2004, 0)));
    EXPECT_EQ(m_sheet->Record().GetProperty("Nf_22_Disable"), "0");
    EXPECT_EQ(m_sheet->Record().GetProperty("MaxMessages"), "90");
}

TEST_F(EditorAgainstSimulator, PendingSwitchIsDroppedWhenAnotherBoxLoads)
{
    openSheet(2004);
    m_sheet->SetServerVariables(demoVariables());
    m_sheet->SetPendingAction(CMailboxPps::ModeUnifiedOff);
    m_sheet->SendGetUA(2007);
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ShownNumber() == 2007; }));
    EXPECT_EQ(m_sheet->GetMode(), CMailboxPps::ModeNormal);
    EXPECT_TRUE(received("catch").isEmpty());
}

TEST_F(EditorAgainstSimulator, SwitchThatCannotBeAppliedSaysWhy)
{
    openSheet(2004);
    const int loads = options().loads();

    // No notification name from the server: nothing to switch.
    m_boxes->answer(IDOK);
    m_sheet->SetPendingAction(CMailboxPps::ModeUnifiedOn);
    SendMessage(m_sheet->GetSafeHwnd(), CMailboxPps::WM_APPLY_USER_AGENT, 0, 0);
    EXPECT_TRUE(m_simulator->commandTexts().isEmpty());
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_EQ(m_boxes->texts().first(), "UA 2004: the server names no unified messaging notification.");

    // The server refuses: what came back is shown beside what was sent.
    m_sheet->SetServerVariables(demoVariables());
    m_simulator->failCommand("UpdateUA", "box is busy");
    m_boxes->answer(IDOK);
    m_sheet->SetPendingAction(CMailboxPps::ModeUnifiedOn);
    SendMessage(m_sheet->GetSafeHwnd(), CMailboxPps::WM_APPLY_USER_AGENT, 0, 0);
    ASSERT_EQ(m_boxes->texts().size(), 2);
    const QString shown = m_boxes->texts().last();
    EXPECT_TRUE(shown.startsWith("UA 2004: Received \"")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("box is busy")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("\". Sent \"" + switchScript(2004, 0) + "\"")) << shown.toStdString();
    EXPECT_EQ(options().loads(), loads);
    EXPECT_EQ(m_sheet->GetMode(), CMailboxPps::ModeNormal);
}

} // namespace

namespace {

TEST_F(EditorAgainstSimulator, ResetMakesTheMissingPagesWhichLoadTheBoxBeforeTheyAreReset)
{
    openSheet(2004);
    ChoicePage &page = m_sheet->choicePage();
    ASSERT_FALSE(page.HasWindow());
    m_boxes->answer(IDYES);
    press(CMailboxPps::IDC_RESET);
    ASSERT_TRUE(page.HasWindow());
    EXPECT_TRUE(page.loadedBeforeReset);
    EXPECT_EQ(page.GetDlgItemText(CInhPropertyPg::IDC_MAILBOX_NUMBER), "2004");
    EXPECT_EQ(m_sheet->GetActiveIndex(), 0) << "the page shown before stays shown";
}

TEST_F(EditorAgainstSimulator, MailboxNumberTypedOnAPageShowsThatBox)
{
    openSheet(2004);
    ASSERT_TRUE(m_sheet->SetActivePage(TestSheet::ChoicePageIndex));
    ChoicePage &page = m_sheet->choicePage();
    ASSERT_TRUE(waitUntil([&] { return page.GetMailboxNumber() == 2004; }));
    page.GetDlgItem<QLineEdit>(CInhPropertyPg::IDC_MAILBOX_NUMBER)->setText("2007");
    SendMessage(page.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(CInhPropertyPg::IDC_MAILBOX_NUMBER, EN_KILLFOCUS),
                0);
    ASSERT_TRUE(waitUntil([&] { return m_sheet->ShownNumber() == 2007; }));
    EXPECT_TRUE(waitUntil([&] { return page.GetMailboxNumber() == 2007; }));
    EXPECT_EQ(received("GetUA 2007").value(0), "GetUA 2007") << "the document asks for a box of its own";
}

} // namespace
