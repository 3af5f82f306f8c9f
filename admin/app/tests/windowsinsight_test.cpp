// The main frame at the size it first shows with, on a 1280 x 1024 screen
// (this program's offscreen screen), against the simulator: the mailbox
// editor opens with its list and its buttons in sight, and its list's
// headings whole, whether the frame is maximised or left at its normal size;
// in a frame too small for it, its pages scroll instead.
#include "admin/testsupport/appshelltestbase.h"

#include "admin/app/adminapp.h"
#include "admin/app/commandids.h"
#include "admin/app/logindlg.h"
#include "admin/app/mainframe.h"
#include "admin/app/tests/loginanswer.h"
#include "admin/useragents/adminview.h"
#include "admin/useragents/childframe.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pagescrollarea.h"

#include <QAction>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

class WindowsInSight : public AppShellTestBase {
protected:
    void SetUp() override
    {
        AppShellTestBase::SetUp();
        startServer();
    }
    void TearDown() override
    {
        m_frame.reset();
        m_app.reset();
        AppShellTestBase::TearDown();
    }
    // Logs in and shows the frame as the application does.
    void start()
    {
        const QString user = QStringLiteral("sight");
        const QString password = QStringLiteral("sight-pw");
        m_server->setAccount(user, password, 0x80FFFFFFu, QStringLiteral("All"));
        m_app = std::make_unique<CAdminApp>(patientSettings());
        AnswerLogin(m_dialogs, m_server->host(), user, password);
        ASSERT_TRUE(m_app->Login());
        m_frame = std::make_unique<CMainFrame>();
        ASSERT_TRUE(m_frame->LoadFrame(m_app->MainMenuId()));
        m_frame->ShowAtFirstSize();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    CMailboxPps *openMailboxEditor()
    {
        m_frame->UpdateCommandUI();
        m_frame->CommandAction(ID_EDIT_UA_MAILBOX)->trigger();
        auto *editor = qobject_cast<CChildFrame *>(m_frame->MdiArea()->subWindowList().last());
        EXPECT_NE(editor, nullptr);
        if (!editor)
            return nullptr;
        CMailboxPps *sheet = editor->GetActiveView()->Sheet();
        EXPECT_TRUE(
            WaitFor([&] { return sheet->ListCtrl()->GetItemCount() > 0 && sheet->ShownNumber() != -1; }));
        return sheet;
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

    std::unique_ptr<CAdminApp> m_app;
    std::unique_ptr<CMainFrame> m_frame;
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
    EXPECT_TRUE(inSight(tabs->parentWidget(), tabs->tabRect(0).translated(tabs->pos()))) << "the first tab";
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
    EXPECT_FALSE(pages->verticalScrollBar()->isVisible());
    EXPECT_FALSE(pages->horizontalScrollBar()->isVisible());
}

} // namespace
