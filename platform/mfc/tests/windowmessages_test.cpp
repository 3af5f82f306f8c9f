// Dialogs and sheets as windows of the message layer: messages posted or sent
// from other threads reach their handler, clicks and closing travel as
// WM_COMMAND and WM_CLOSE, and a destroyed dialog's handle is dead.
#include "platform/mfc/propertypage.h"
#include "platform/mfc/propertysheet.h"

#include "modalrun.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <atomic>
#include <thread>

namespace {

constexpr UINT WM_SERVER_REPLY = 0x800;
constexpr UINT WM_USERAGENT_LOADED = 0x802;

class ConsoleDlg : public CDialog {
public:
    ConsoleDlg() : CDialog(146, QStringLiteral("TCL Session"))
    {
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("&Previous"), this), 1222));
        layout->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("&Send"), this), IDOK));
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_messages.append({message, wParam});
        if (message == WM_SERVER_REPLY) {
            ReplyMessage(LRESULT(wParam) + 1);
            return 0;
        }
        if (message == WM_CLOSE && m_keepOpen)
            return 0;
        return CDialog::WindowProc(message, wParam, lParam);
    }

    QList<QPair<UINT, WPARAM>> m_messages;
    bool m_keepOpen = false;
};

class Page : public CPropertyPage {
public:
    explicit Page(const QString &caption) : CPropertyPage(131, caption) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_USERAGENT_LOADED)
            m_loaded.append(int(wParam));
        return CPropertyPage::WindowProc(message, wParam, lParam);
    }
    QList<int> m_loaded;
};

// A sheet that notes which pages report changes before the base handles them.
class TrackingSheet : public CPropertySheet {
public:
    TrackingSheet() : CPropertySheet(QStringLiteral("Mailbox")) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == PSM_CHANGED || message == PSM_UNCHANGED)
            m_reports.append(message == PSM_CHANGED);
        return CPropertySheet::WindowProc(message, wParam, lParam);
    }
    QList<bool> m_reports;
};

} // namespace

TEST(WindowMessages, ARunningDialogAnswersASendFromAnotherThread)
{
    ConsoleDlg dialog;
    std::atomic<LRESULT> answer{0};
    std::thread sender;
    const int result =
        RunModal(dialog, {[&] {
                              const HWND window = dialog.GetSafeHwnd();
                              sender = std::thread([&answer, window] {
                                  answer = SendMessage(window, WM_SERVER_REPLY, 41, 0);
                                  PostMessage(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                              });
                          },
                          [&] {
                              // Until the other thread's post ends the run.
                              for (int i = 0; i < 3000 && dialog.isVisible(); ++i)
                                  QTest::qWait(10);
                          }});
    sender.join();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(answer, 42) << "the handler's ReplyMessage releases the sender";
    EXPECT_EQ(dialog.m_messages.value(0), (QPair<UINT, WPARAM>{WM_SERVER_REPLY, 41}));
}

TEST(WindowMessages, ClicksReachTheHandlerAsCommands)
{
    ConsoleDlg dialog;
    RunModal(dialog, {[&] { ClickDlgItem(dialog, 1222); }, [&] { ClickDlgItem(dialog, IDOK); }});
    EXPECT_EQ(dialog.m_messages, (QList<QPair<UINT, WPARAM>>{{WM_COMMAND, MAKEWPARAM(1222, BN_CLICKED)},
                                                             {WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)}}));
}

TEST(WindowMessages, CloseIsCancelUnlessTheWindowKeepsItOpen)
{
    ConsoleDlg dialog;
    dialog.m_keepOpen = true;
    const int result =
        RunModal(dialog, {[&] { dialog.close(); }, [&] { SendMessage(dialog.GetSafeHwnd(), WM_CLOSE, 0, 0); },
                          [&] {
                              EXPECT_TRUE(dialog.isVisible());
                              dialog.m_keepOpen = false;
                              dialog.close();
                          }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(dialog.m_messages.contains({WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)}));
}

TEST(WindowMessages, ADestroyedDialogsHandleIsDead)
{
    ConsoleDlg dialog;
    dialog.Create();
    const HWND window = dialog.GetSafeHwnd();
    ASSERT_TRUE(IsWindow(window));
    dialog.DestroyWindow();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(PostMessage(window, WM_SERVER_REPLY, 1, 0));
    EXPECT_EQ(SendMessage(window, WM_SERVER_REPLY, 1, 0), 0);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(WindowMessages, OnlyPagesWithAWindowAreTheSheetsDescendants)
{
    Page options(QStringLiteral("Options")), menus(QStringLiteral("Menus")), info(QStringLiteral("Info"));
    CPropertySheet sheet(QStringLiteral("Mailbox"));
    sheet.AddPage(&options);
    sheet.AddPage(&menus);
    sheet.AddPage(&info);
    sheet.Create();
    sheet.SetActivePage(2);
    SendMessageToDescendants(sheet.GetSafeHwnd(), WM_USERAGENT_LOADED, 203, 0);
    EXPECT_EQ(options.m_loaded, QList<int>{203});
    EXPECT_TRUE(menus.m_loaded.isEmpty()) << "a page never shown has no window yet";
    EXPECT_EQ(info.m_loaded, QList<int>{203});
    sheet.EndDialog(IDCANCEL);
}

TEST(WindowMessages, PagesReportChangesToTheSheetsWindow)
{
    Page options(QStringLiteral("Options")), menus(QStringLiteral("Menus"));
    TrackingSheet sheet;
    sheet.AddPage(&options);
    sheet.AddPage(&menus);
    sheet.Create();
    auto *apply = sheet.GetDlgItem<QPushButton>(ID_APPLY_NOW);
    options.SetModified(true);
    EXPECT_TRUE(apply->isEnabled());
    SendMessage(sheet.GetSafeHwnd(), PSM_UNCHANGED, WPARAM(options.GetSafeHwnd()), 0);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_FALSE(options.IsModified());
    EXPECT_EQ(sheet.m_reports, (QList<bool>{true, false}));
    sheet.EndDialog(IDCANCEL);
}

TEST(WindowMessages, DeletingTheActivePageActivatesNoOther)
{
    QStringList log;
    auto first = std::make_unique<Page>(QStringLiteral("first"));
    auto second = std::make_unique<Page>(QStringLiteral("second"));
    CPropertySheet sheet(QStringLiteral("Mailbox"));
    sheet.AddPage(first.get());
    sheet.AddPage(second.get());
    sheet.Create();
    first.reset();
    EXPECT_EQ(sheet.GetPageCount(), 1);
    EXPECT_EQ(sheet.GetActiveIndex(), -1);
    EXPECT_FALSE(second->HasWindow());
    EXPECT_TRUE(sheet.SetActivePage(0));
    EXPECT_TRUE(second->HasWindow());
    sheet.EndDialog(IDCANCEL);
}

namespace {

// Logs the notifications its edits send.
class EditsDlg : public CDialog {
public:
    EditsDlg() : CDialog(234, QStringLiteral("Change Password"))
    {
        auto *layout = new QVBoxLayout(this);
        m_newValue = SetDlgCtrlID(new QLineEdit(this), 1635);
        m_confirmation = SetDlgCtrlID(new QLineEdit(this), 1501);
        layout->addWidget(m_newValue);
        layout->addWidget(m_confirmation);
        layout->addWidget(SetDlgCtrlID(new QPushButton(QStringLiteral("OK"), this), IDOK));
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && HIWORD(wParam) != BN_CLICKED)
            m_notes.append({LOWORD(wParam), HIWORD(wParam)});
        return CDialog::WindowProc(message, wParam, lParam);
    }
    QLineEdit *m_newValue;
    QLineEdit *m_confirmation;
    QList<QPair<UINT, UINT>> m_notes;
};

} // namespace

TEST(WindowMessages, EditsReportChangesAndFocusAsCommands)
{
    EditsDlg dialog;
    RunModal(dialog, {[&] {
                          ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
                          dialog.m_newValue->setFocus();
                      },
                      [&] {
                          dialog.m_notes.clear();
                          dialog.m_confirmation->setFocus();
                      },
                      [&] {
                          QTest::keyClicks(dialog.m_confirmation, QStringLiteral("a"));
                          dialog.m_newValue->setText(QStringLiteral("by code"));
                          dialog.EndDialog(IDOK);
                      }});
    EXPECT_EQ(dialog.m_notes, (QList<QPair<UINT, UINT>>{{1635, EN_KILLFOCUS},
                                                        {1501, EN_SETFOCUS},
                                                        {1501, EN_CHANGE},
                                                        {1635, EN_CHANGE},
                                                        {1501, EN_KILLFOCUS}}))
        << "a dialog that ends takes the focus from its edit";
}

namespace {

// Notes WM_HELP before passing it on, or keeps it.
template <class Base> class HelpLogging : public Base {
public:
    using Base::Base;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_HELP) {
            m_helpSeen = true;
            if (m_keepsHelp)
                return 1;
        }
        return Base::WindowProc(message, wParam, lParam);
    }
    bool m_helpSeen = false;
    bool m_keepsHelp = false;
};

} // namespace

TEST(WindowMessages, HelpGoesToThePageThenItsSheet)
{
    HelpLogging<CPropertyPage> page(131, QStringLiteral("Options"));
    auto *edit = SetDlgCtrlID(new QLineEdit(&page), 1226);
    HelpLogging<CPropertySheet> sheet(QStringLiteral("Mailbox"));
    sheet.m_keepsHelp = true;
    sheet.AddPage(&page);
    sheet.Create();
    QTest::keyClick(edit, Qt::Key_F1);
    EXPECT_TRUE(page.m_helpSeen);
    EXPECT_TRUE(sheet.m_helpSeen) << "a page that does not handle help passes it to its sheet";

    page.m_helpSeen = sheet.m_helpSeen = false;
    page.m_keepsHelp = true;
    QTest::keyClick(edit, Qt::Key_F1);
    EXPECT_TRUE(page.m_helpSeen);
    EXPECT_FALSE(sheet.m_helpSeen);
    sheet.EndDialog(IDCANCEL);
}

TEST(WindowMessages, AChildSheetIsPartOfItsParentsWindow)
{
    QWidget view;
    view.resize(500, 400);
    Page options(QStringLiteral("Options"));
    CPropertySheet sheet(QStringLiteral("Mailbox"));
    sheet.AddPage(&options);
    view.show();
    ASSERT_TRUE(sheet.Create(&view, WS_CHILD));
    EXPECT_TRUE(sheet.IsChildWindow());
    EXPECT_EQ(sheet.window(), &view);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_TRUE(options.HasWindow());
}
