// The main frame at the size it first shows with, on a 1280 x 1024 screen
// (this program's offscreen screen), against the simulator: the mailbox
// editor opens with its list and its buttons in sight, and its list's
// headings whole, whether the frame is maximised or left at its normal size;
// in a frame too small for it, its pages scroll instead. Every window the
// administrator opens next (the editors that Create and Copy open, the
// Distribution List Editor) lies inside the frame's window area, at the
// frame's first size and at the smaller size admin once had.
#include "admin/app/tests/frametestbase.h"

#include "admin/app/adminapp.h"
#include "admin/app/commandids.h"
#include "admin/app/logindlg.h"
#include "admin/app/mainframe.h"
#include "admin/app/tests/loginanswer.h"
#include "admin/ports/chanviewframe.h"
#include "admin/ports/portstatusview.h"
#include "admin/uatools/distlist/distlistframe.h"
#include "admin/uatools/ranges/copyuseragentdlg.h"
#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/uatools/ranges/createuseragentdlg.h"
#include "admin/useragents/adminview.h"
#include "admin/useragents/childframe.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pagescrollarea.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

class WindowsInSight : public FrameTestBase {
protected:
    // Logs in and shows the frame as the application does.
    void start()
    {
        const QString user = QStringLiteral("sight");
        const QString password = QStringLiteral("sight-pw");
        m_server->setAccount(user, password, 0x80FFFFFFu, QStringLiteral("All"));
        ASSERT_NO_FATAL_FAILURE(logInAndLoadFrame(user, password));
        m_frame->ShowAtFirstSize();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    CMailboxPps *openMailboxEditor()
    {
        m_frame->UpdateCommandUI();
        m_frame->CommandAction(ID_EDIT_UA_MAILBOX)->trigger();
        return loadedEditor(m_frame->MdiArea()->subWindowList().last());
    }
    // Whether the whole of `part` of `widget` (all of it by default) lies in
    // the visible part of the frame's window area, clipped by none of the
    // windows it lies in (a scrolled page's among them).
    bool inSight(QWidget *widget, QRect part = QRect()) const
    {
        if (!widget || !widget->isVisible())
            return false;
        QWidget *viewport = m_frame->MdiArea()->viewport();
        QRect shown = part.isNull() ? widget->rect() : part;
        const QRect whole = shown;
        for (QWidget *inside = widget; inside != viewport; inside = inside->parentWidget()) {
            if (!inside->parentWidget())
                return false;
            shown = shown.translated(inside->pos()) & inside->parentWidget()->rect();
        }
        return shown.size() == whole.size();
    }
    void expectEditorInSight(CMailboxPps *sheet)
    {
        EXPECT_TRUE(inSight(sheet->ListCtrl())) << "the list";
        const QHeaderView *header = sheet->ListCtrl()->header();
        for (int i = 0; i < header->count(); ++i)
            EXPECT_GE(header->sectionSize(i), header->sectionSizeHint(i)) << "heading " << i << " whole";
        for (int id : {int(CMailboxPps::IDC_LIST_BUTTON), int(CMailboxPps::IDC_REFRESH),
                       int(CMailboxPps::IDC_RESET), int(CMailboxPps::IDC_DELETE), int(CMailboxPps::IDC_COPY),
                       int(ID_APPLY_NOW)}) {
            auto *button = sheet->GetDlgItem<QPushButton>(id);
            ASSERT_NE(button, nullptr) << id;
            EXPECT_TRUE(inSight(button)) << button->text().toStdString();
        }
    }

    // The control of the shown page that lies lowest: the last one a
    // scrolled page brings into view.
    static QWidget *lowestControlOf(QWidget *page)
    {
        QWidget *lowest = nullptr;
        for (QWidget *control : page->findChildren<QWidget *>()) {
            if (!control->isVisibleTo(page) || !control->isEnabled() || !(control->focusPolicy() & Qt::TabFocus))
                continue;
            if (!lowest || control->mapTo(page, QPoint(0, 0)).y() > lowest->mapTo(page, QPoint(0, 0)).y())
                lowest = control;
        }
        return lowest;
    }
};

TEST_F(WindowsInSight, MailboxEditorOpensInSightInTheMaximisedFrame)
{
    start();
    const QRect screen = m_frame->screen()->availableGeometry();
    ASSERT_EQ(screen.size(), QSize(1280, 1024));
    EXPECT_TRUE(screen.contains(m_frame->frameGeometry()));
    CMailboxPps *sheet = openMailboxEditor();
    ASSERT_NE(sheet, nullptr);
    expectEditorInSight(sheet);
    EXPECT_TRUE(SaveScreenshot(m_frame.get(), QStringLiteral("mailbox_editor_first_size.png")));
}

// Where nothing maximises the frame, its normal size holds the editor too.
TEST_F(WindowsInSight, MailboxEditorOpensInSightInTheFrameAtItsNormalSize)
{
    start();
    m_frame->showNormal();
    const QRect screen = m_frame->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(m_frame->frameGeometry()));
    EXPECT_EQ(m_frame->size(), screen.size());
    CMailboxPps *sheet = openMailboxEditor();
    ASSERT_NE(sheet, nullptr);
    expectEditorInSight(sheet);
    EXPECT_TRUE(SaveScreenshot(m_frame.get(), QStringLiteral("mailbox_editor_first_size_normal.png")));
}

// In a frame smaller than the editor (admin's old first size), the editor
// fits the frame's window area: the pages scroll, the buttons and the list
// stay in sight, and a control Tab reaches at the page's foot scrolls into
// view.
TEST_F(WindowsInSight, MailboxEditorInASmallFrameScrollsItsPagesAndKeepsItsButtonsInSight)
{
    start();
    m_frame->showNormal();
    m_frame->resize(853, 682);
    ASSERT_TRUE(WaitFor([&] { return m_frame->size() == QSize(853, 682); }));
    CMailboxPps *sheet = openMailboxEditor();
    ASSERT_NE(sheet, nullptr);
    expectEditorInSight(sheet);
    auto *editor = qobject_cast<CChildFrame *>(m_frame->MdiArea()->activeSubWindow());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(m_frame->MdiArea()->viewport()->rect().contains(editor->geometry())) << "the whole editor";
    auto *pages = sheet->findChild<CPageScrollArea *>();
    ASSERT_NE(pages, nullptr);
    EXPECT_TRUE(pages->verticalScrollBar()->isVisible()) << "the page is taller than its room";
    const QTabBar *tabs = pages->widget()->findChild<QTabBar *>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_TRUE(WaitFor([&] { return inSight(tabs->parentWidget(), tabs->tabRect(0).translated(tabs->pos())); }))
        << "the first tab";
    EXPECT_TRUE(SaveScreenshot(m_frame.get(), QStringLiteral("mailbox_editor_small_frame.png")));

    QWidget *lowest = lowestControlOf(sheet->GetActivePage());
    ASSERT_NE(lowest, nullptr);
    EXPECT_FALSE(inSight(lowest)) << "below the page's room at first";
    bool stoppedOnTheScroller = false;
    for (int presses = 0; presses < 200 && QApplication::focusWidget() != lowest; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stoppedOnTheScroller = stoppedOnTheScroller || QApplication::focusWidget() == pages;
    }
    EXPECT_FALSE(stoppedOnTheScroller) << "Tab goes from control to control";
    ASSERT_EQ(QApplication::focusWidget(), lowest);
    EXPECT_TRUE(WaitFor([&] { return inSight(lowest); })) << "brought into view";
    EXPECT_TRUE(inSight(sheet->GetDlgItem<QPushButton>(CMailboxPps::IDC_REFRESH))) << "the buttons stay";
    EXPECT_TRUE(SaveScreenshot(m_frame.get(), QStringLiteral("mailbox_editor_small_frame_scrolled.png")));

    // Ctrl+PgDn turns to the next page, whose first control comes into view.
    const int shownPage = sheet->GetActiveIndex();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    ASSERT_EQ(sheet->GetActiveIndex(), shownPage + 1);
    QWidget *firstOfNext = QApplication::focusWidget();
    ASSERT_NE(firstOfNext, nullptr);
    EXPECT_TRUE(sheet->GetActivePage()->isAncestorOf(firstOfNext));
    EXPECT_TRUE(WaitFor([&] { return inSight(firstOfNext); })) << "the next page's first control";

    // Detached and attached again, the window still fits.
    auto *listButton = sheet->GetDlgItem<QPushButton>(CMailboxPps::IDC_LIST_BUTTON);
    QTest::mouseClick(listButton, Qt::LeftButton);
    ASSERT_FALSE(sheet->IsListAttached());
    EXPECT_TRUE(m_frame->MdiArea()->viewport()->rect().contains(editor->geometry())) << "detached";
    EXPECT_TRUE(inSight(listButton));
    QTest::mouseClick(listButton, Qt::LeftButton);
    ASSERT_TRUE(sheet->IsListAttached());
    EXPECT_TRUE(m_frame->MdiArea()->viewport()->rect().contains(editor->geometry())) << "attached again";
    expectEditorInSight(sheet);
}

// Where the frame has room for the editor, nothing scrolls: the window
// holds the whole layout.
TEST_F(WindowsInSight, MailboxEditorWithRoomShowsItsWholeLayoutUnscrolled)
{
    start();
    m_frame->showNormal();
    CMailboxPps *sheet = openMailboxEditor();
    ASSERT_NE(sheet, nullptr);
    auto *editor = qobject_cast<CChildFrame *>(m_frame->MdiArea()->activeSubWindow());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->size(), sheet->AttachedSize());
    EXPECT_EQ(editor->minimumSize(), sheet->AttachedSize());
    auto *pages = sheet->findChild<CPageScrollArea *>();
    ASSERT_NE(pages, nullptr);
    // The layout settles once the box's values are in.
    EXPECT_TRUE(WaitFor([&] {
        return !pages->verticalScrollBar()->isVisible() && !pages->horizontalScrollBar()->isVisible();
    }));
}

// The frame's sizes the administrator meets: the first one it shows with,
// and a normal window of 853 x 682, the first size admin once had.
struct FrameSize {
    const char *name;
    QSize normal; // empty: the first size, maximised
};

void PrintTo(const FrameSize &size, std::ostream *out)
{
    *out << size.name;
}

const FrameSize kFrameSizes[] = {
    {"FirstSize", QSize()},
    {"OldFirstSize", QSize(853, 682)},
};

class NewWindowsInSight : public WindowsInSight, public ::testing::WithParamInterface<FrameSize> {
protected:
    void startAtSize()
    {
        ASSERT_NO_FATAL_FAILURE(start());
        const QSize normal = GetParam().normal;
        if (normal.isEmpty())
            return;
        m_frame->showNormal();
        m_frame->resize(normal);
        ASSERT_TRUE(WaitFor([&] { return m_frame->size() == normal; }));
    }
    QMdiSubWindow *newestWindow() const { return m_frame->MdiArea()->subWindowList().last(); }
    // Types `range` into the dialog's box and clicks OK once the dialog runs,
    // then closes the progress window when the work is done.
    template <class Dialog> void answerRangeDialog(int rangeId, const QString &range)
    {
        m_dialogs.on<Dialog>([rangeId, range](Dialog *d) {
            auto *edit = d->template GetDlgItem<QLineEdit>(rangeId);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, range);
            QTimer::singleShot(
                0, d, [d] { QTest::mouseClick(d->template GetDlgItem<QPushButton>(IDOK), Qt::LeftButton); });
        });
        m_dialogs.on<CCreateProgressDlg>([](CCreateProgressDlg *p) {
            EXPECT_TRUE(WaitFor([p] { return !p->IsRunning(); }));
            QTest::mouseClick(p->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
        });
    }
    // Chooses a command as the administrator does from the keyboard: Alt
    // with the menu's mnemonic, then the mnemonic of each item down to it.
    // Dialogs that have closed leave no window active here, with no window
    // manager to hand the activation back; the frame takes it as it would.
    void chooseFromMenus(Qt::Key menu, const QList<Qt::Key> &items)
    {
        m_frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
        QTest::keyClick(m_frame.get(), menu, Qt::AltModifier);
        for (Qt::Key item : items) {
            QWidget *popup = nullptr;
            ASSERT_TRUE(WaitFor([&] { return (popup = QApplication::activePopupWidget()) != nullptr; }));
            QTest::keyClick(popup, item);
        }
    }
    // Whether `window` lies wholly in the visible part of the frame's window
    // area, or, along a side where it is larger than that part, starts at
    // its edge.
    ::testing::AssertionResult windowInSight(QMdiSubWindow *window) const
    {
        const QRect room = m_frame->MdiArea()->viewport()->rect();
        const QRect shown = window->geometry();
        const auto fits = [](int start, int length, int first, int size) {
            return length > size ? start == first : start >= first && start + length <= first + size;
        };
        if (window->isVisible() && fits(shown.x(), shown.width(), room.x(), room.width()) &&
            fits(shown.y(), shown.height(), room.y(), room.height()))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << window->windowTitle().toStdString() << " at " << shown.x() << "," << shown.y() << " "
               << shown.width() << "x" << shown.height() << " in a viewport of " << room.width() << "x"
               << room.height();
    }
    void screenshot(const char *step)
    {
        EXPECT_TRUE(SaveScreenshot(m_frame.get(),
                                   QStringLiteral("new_windows_%1_%2.png").arg(GetParam().name, step)));
    }
};

// Each window opens with its title bar and content in sight, wherever the
// area's placer put it before the window took its size.
TEST_P(NewWindowsInSight, EditorsOfCreateAndCopyAndTheDistributionListEditorOpenInSight)
{
    ASSERT_NO_FATAL_FAILURE(startAtSize());
    m_frame->UpdateCommandUI();
    QAction *editMailboxes = m_frame->CommandAction(ID_EDIT_UA_MAILBOX);
    QTest::mouseClick(m_frame->AdministrationToolBar()->widgetForAction(editMailboxes), Qt::LeftButton);
    ASSERT_EQ(m_frame->MdiArea()->subWindowList().size(), 1);
    auto *first = qobject_cast<CChildFrame *>(newestWindow());
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(windowInSight(first));
    CMailboxPps *firstSheet = first->GetActiveView()->Sheet();
    EXPECT_TRUE(WaitFor([&] { return firstSheet->ListCtrl()->GetItemCount() > 0; }));

    // Edit, Create User Agents, Mailboxes.
    answerRangeDialog<CCreateUserAgentDlg>(CCreateUserAgentDlg::IDC_RANGE, QStringLiteral("3500-3502"));
    ASSERT_NO_FATAL_FAILURE(chooseFromMenus(Qt::Key_E, {Qt::Key_C, Qt::Key_M}));
    ASSERT_TRUE(WaitFor([&] { return m_frame->MdiArea()->subWindowList().size() == 2; }));
    EXPECT_EQ(m_dialogs.pending(), 0);
    auto *created = qobject_cast<CChildFrame *>(newestWindow());
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(windowInSight(created));
    CMailboxPps *sheet = created->GetActiveView()->Sheet();
    ASSERT_TRUE(
        WaitFor([&] { return sheet->ListCtrl()->GetItemCount() == 3 && sheet->ShownNumber() != -1; }));
    screenshot("created");

    // The created editor's Copy button.
    answerRangeDialog<CCopyUserAgentDlg>(CCopyUserAgentDlg::IDC_TO, QStringLiteral("3600-3601"));
    QTest::mouseClick(sheet->GetDlgItem<QPushButton>(CMailboxPps::IDC_COPY), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return m_frame->MdiArea()->subWindowList().size() == 3; }));
    EXPECT_EQ(m_dialogs.pending(), 0);
    auto *copied = qobject_cast<CChildFrame *>(newestWindow());
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(windowInSight(copied));
    EXPECT_TRUE(WaitFor([&] { return copied->GetActiveView()->Sheet()->ListCtrl()->GetItemCount() == 2; }));
    screenshot("copied");

    // Edit, Edit User Agents, Distribution List.
    ASSERT_NO_FATAL_FAILURE(chooseFromMenus(Qt::Key_E, {Qt::Key_U, Qt::Key_D}));
    ASSERT_TRUE(WaitFor([&] { return m_frame->MdiArea()->subWindowList().size() == 4; }));
    auto *lists = qobject_cast<CDistListFrame *>(newestWindow());
    ASSERT_NE(lists, nullptr);
    EXPECT_TRUE(windowInSight(lists));
    screenshot("distribution_lists");

    // Nothing that was in sight moved away: every window is still in sight.
    for (QMdiSubWindow *window : m_frame->MdiArea()->subWindowList())
        EXPECT_TRUE(windowInSight(window));
}

INSTANTIATE_TEST_SUITE_P(Frame, NewWindowsInSight, ::testing::ValuesIn(kFrameSizes),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

// The controls of `page` that Tab stops at, in the order it reaches them.
QList<QWidget *> tabStopsOf(QWidget *page)
{
    QList<QWidget *> stops;
    for (QWidget *control : page->findChildren<QWidget *>()) {
        if (control->isVisibleTo(page) && control->isEnabled() && (control->focusPolicy() & Qt::TabFocus) &&
            !control->focusProxy())
            stops.append(control);
    }
    return stops;
}

// Escape in a field of the editor ends nothing: on every page, whichever
// field has the focus, the sheet stays with its pages, its list and its
// buttons, and what was typed stays too.
TEST_F(WindowsInSight, EscapeInAnyFieldOfTheMailboxEditorLeavesTheEditorWhole)
{
    start();
    CMailboxPps *sheet = openMailboxEditor();
    ASSERT_NE(sheet, nullptr);
    auto *editor = qobject_cast<CChildFrame *>(m_frame->MdiArea()->activeSubWindow());
    ASSERT_NE(editor, nullptr);
    const HWND handle = sheet->GetSafeHwnd();
    int fields = 0;
    for (int page = 0; page < sheet->GetPageCount(); ++page) {
        QWidget *shown = sheet->GetActivePage();
        for (QWidget *field : tabStopsOf(shown)) {
            field->setFocus(Qt::TabFocusReason);
            QTest::keyClick(field, Qt::Key_Escape);
            ++fields;
            ASSERT_TRUE(IsWindow(handle)) << "page " << page << " " << field->metaObject()->className();
            ASSERT_TRUE(sheet->isVisible() && shown->isVisible())
                << "page " << page << " " << field->metaObject()->className();
        }
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : shown, Qt::Key_PageDown,
                        Qt::ControlModifier);
    }
    EXPECT_GT(fields, 50) << "the fields of every page";
    expectEditorInSight(sheet);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(SaveScreenshot(m_frame.get(), QStringLiteral("mailbox_editor_after_escape.png")));
}

} // namespace

namespace {

// The windows admin opens at its start come up while the frame takes its
// first size; they fit the window area it ends with: the editor as wide
// as the area at most, its pages scrolling, its buttons in sight; the
// Voice Ports Status window wholly inside.
class WindowsFollowTheFrame : public WindowsInSight {
protected:
    void shrinkToTheOldFirstSize()
    {
        m_frame->showNormal();
        m_frame->resize(853, 682);
        ASSERT_TRUE(WaitFor([&] { return m_frame->size() == QSize(853, 682); }));
        QApplication::processEvents();
    }
    ::testing::AssertionResult insideTheArea(QMdiSubWindow *window) const
    {
        const QRect room = m_frame->MdiArea()->viewport()->rect();
        if (window->isVisible() && room.contains(window->geometry()))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << window->windowTitle().toStdString() << " at " << window->x() << ","
                                             << window->y() << " " << window->width() << "x" << window->height()
                                             << " in a viewport of " << room.width() << "x" << room.height();
    }
};

TEST_F(WindowsFollowTheFrame, MailboxEditorOpenedBeforeTheFrameShrinksFitsItsArea)
{
    start();
    CMailboxPps *sheet = openMailboxEditor();
    ASSERT_NE(sheet, nullptr);
    auto *editor = qobject_cast<CChildFrame *>(m_frame->MdiArea()->activeSubWindow());
    ASSERT_NE(editor, nullptr);
    ASSERT_NO_FATAL_FAILURE(shrinkToTheOldFirstSize());
    WaitFor([&] { return bool(insideTheArea(editor)); });
    EXPECT_TRUE(insideTheArea(editor));
    expectEditorInSight(sheet);
    EXPECT_FALSE(m_frame->MdiArea()->horizontalScrollBar()->isVisible()) << "the area itself does not scroll";
    EXPECT_TRUE(SaveScreenshot(m_frame.get(), QStringLiteral("mailbox_editor_frame_shrunk.png")));
}

TEST_F(WindowsFollowTheFrame, VoicePortsStatusOpenedBeforeTheFrameShrinksStaysInsideItsArea)
{
    start();
    const int before = m_frame->MdiArea()->subWindowList().size();
    m_frame->UpdateCommandUI();
    m_frame->CommandAction(ID_VOICE_PORT_STATUS)->trigger();
    ASSERT_TRUE(WaitFor([&] { return m_frame->MdiArea()->subWindowList().size() == before + 1; }));
    auto *status = qobject_cast<CChanviewFrame *>(m_frame->MdiArea()->subWindowList().last());
    ASSERT_NE(status, nullptr);
    ASSERT_TRUE(WaitFor([&] { return status->GetActiveView()->count() > 0; })) << "the ports listed";
    // Where the area's placer may put it: towards the right edge.
    status->move(m_frame->MdiArea()->viewport()->width() - status->width() - 10, 40);
    ASSERT_NO_FATAL_FAILURE(shrinkToTheOldFirstSize());
    WaitFor([&] { return bool(insideTheArea(status)); });
    EXPECT_TRUE(insideTheArea(status));
    EXPECT_TRUE(SaveScreenshot(m_frame.get(), QStringLiteral("voice_ports_status_frame_shrunk.png")));
}

} // namespace
