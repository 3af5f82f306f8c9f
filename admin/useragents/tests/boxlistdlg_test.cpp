// The Box List window against the simulator, in editor windows as the main
// frame opens them: the sheet's list button detaches the list into the
// window and attaches it again, the editor's window loses and regains the
// list's band, a box clicked in the detached list loads into the sheet,
// Escape and the close box put the list back without ending anything,
// Enter does nothing, and dragging the window by its strip onto the sheet
// attaches the list, with Ctrl only moves it, and Escape cancels the drag.
#include "admin/testsupport/sessiontestbase.h"

#include "admin/session/zeltsession.h"
#include "admin/useragents/admindoc.h"
#include "admin/useragents/admintemplate.h"
#include "admin/useragents/adminview.h"
#include "admin/useragents/boxlistdlg.h"
#include "admin/useragents/childframe.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/tests/qtprinters.h"
#include "testserver/harness/simulatorprocess.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

namespace {

using testserver::SimulatorProcess;

class BoxListWindow : public SessionTestBase {
protected:
    void SetUp() override
    {
        SessionTestBase::SetUp();
        m_simulator = std::make_unique<SimulatorProcess>();
        m_session = std::make_unique<CZELTSession>(quickSettings(m_simulator->port()));
        m_session->Connect(login());
        m_desktop = std::make_unique<QWidget>();
        m_area = new QMdiArea(m_desktop.get());
        m_desktop->resize(1000, 760);
        m_area->resize(1000, 760);
        m_desktop->show();
        m_editors = std::make_unique<CAdminTemplate>(m_area, *m_session, login(), [] {
            return std::make_unique<CAdminDoc>(CAdminDoc::Account{[](long) { return true; }, true});
        });
    }
    void TearDown() override
    {
        m_editors.reset();
        m_desktop.reset();
        m_session.reset();
        m_simulator.reset();
        SessionTestBase::TearDown();
    }
    CLoginCredentials login() const { return CLoginCredentials{m_simulator->host(), "Cardomel", "Cardomel"}; }

    // An editor window, once its list is filled; returns its sheet.
    CMailboxPps *openEditor()
    {
        if (!m_editors->OpenCountedDocument("Mailbox Editor"))
            return nullptr;
        CMailboxPps *sheet = m_editors->LastFrame()->GetActiveView()->Sheet();
        if (!waitUntil([&] { return sheet->ListCtrl()->GetItemCount() > 300 && sheet->ShownNumber() != -1; }))
            return nullptr;
        return sheet;
    }
    static QPushButton *listButton(CMailboxPps *sheet)
    {
        return sheet->GetDlgItem<QPushButton>(CMailboxPps::IDC_LIST_BUTTON);
    }
    static void press(QPushButton *button)
    {
        ASSERT_TRUE(button->isVisible() && button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static void detach(CMailboxPps *sheet)
    {
        press(listButton(sheet));
        ASSERT_FALSE(sheet->IsListAttached());
    }
    // A point of the sheet's bottom strip, below the top of its list button.
    static QPoint attachPoint(CMailboxPps *sheet)
    {
        return listButton(sheet)->mapToGlobal(QPoint(listButton(sheet)->width() / 2, 4));
    }
    static void drag(CBoxListDlg *window, QPoint to, Qt::KeyboardModifiers release = {})
    {
        const QPoint start = window->CaptionRect().center();
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        ASSERT_TRUE(window->IsDragging());
        QTest::mouseMove(window, window->mapFromGlobal(to));
        QTest::mouseRelease(window, Qt::LeftButton, release, window->mapFromGlobal(to));
    }
    static void saveScreenshot(QWidget *window, const QString &name)
    {
        const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR") + "/screenshots";
        QDir().mkpath(folder);
        EXPECT_TRUE(window->grab().save(folder + '/' + name));
    }

    std::unique_ptr<SimulatorProcess> m_simulator;
    std::unique_ptr<CZELTSession> m_session;
    std::unique_ptr<QWidget> m_desktop;
    QMdiArea *m_area = nullptr;
    std::unique_ptr<CAdminTemplate> m_editors;
};

TEST_F(BoxListWindow, DetachedListLoadsTheClickedBoxAndComesBackWithTheButton)
{
    CMailboxPps *sheet = openEditor();
    ASSERT_NE(sheet, nullptr);
    CChildFrame *frame = m_editors->LastFrame();
    const QSize attached = sheet->AttachedSize();
    EXPECT_EQ(listButton(sheet)->text(), "Detach &List");
    saveScreenshot(m_desktop.get(), "mailbox_editor_detach_list.png");

    detach(sheet);
    CBoxListDlg *window = sheet->BoxList();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(sheet->ListCtrl()->parentWidget(), window);
    EXPECT_TRUE(sheet->ListCtrl()->isVisible());
    EXPECT_EQ(sheet->ListCtrl()->geometry(), window->contentsRect());
    EXPECT_EQ(window->windowTitle(), "Box List (" + sheet->windowTitle().section('(', 1));
    EXPECT_EQ(listButton(sheet)->text(), "Attach &List");
    // The editor's window gives up the list's band, and may not grow it back.
    const int rise = CMailboxPps::AttachedListPlacementFor(sheet->screen()->geometry().width()).rise;
    EXPECT_EQ(sheet->DetachedSize(), QSize(attached.width(), attached.height() - rise));
    EXPECT_EQ(frame->size(), sheet->DetachedSize());
    EXPECT_EQ(frame->minimumSize(), sheet->DetachedSize());
    saveScreenshot(m_desktop.get(), "mailbox_editor_detached_list.png");
    window->resize(700, 300);
    saveScreenshot(window, "box_list.png");
    EXPECT_EQ(sheet->ListCtrl()->geometry(), window->contentsRect()) << "the list fills the window";

    // A box clicked in the detached list loads into the sheet.
    CMailboxListCtrl *list = sheet->ListCtrl();
    const int row = list->FindItemByText("106");
    ASSERT_GE(row, 0);
    list->scrollTo(list->model()->index(row, 0));
    m_simulator->clearLog();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 2)).center());
    ASSERT_TRUE(waitUntil([&] { return sheet->ShownNumber() == 106; }, 5000));
    EXPECT_EQ(m_simulator->commandTexts().filter(QRegularExpression("^GetUA 106$")), QStringList{"GetUA 106"});
    EXPECT_EQ(m_simulator->commandTexts().first(), "GetUA 106");
    EXPECT_EQ(list->GetSelectedItem(), row);

    press(listButton(sheet));
    EXPECT_TRUE(sheet->IsListAttached());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(list->parentWidget(), sheet);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(listButton(sheet)->text(), "Detach &List");
    EXPECT_EQ(frame->size(), attached);
    EXPECT_EQ(frame->minimumSize(), attached);
    EXPECT_EQ(list->geometry().left(), 5);
    EXPECT_EQ(sheet->height() - (list->geometry().bottom() + 1), 5);
    EXPECT_EQ(list->GetSelectedItem(), list->FindItemByText("106"));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(BoxListWindow, EscapeAndTheCloseBoxPutTheListBackAndEndNothingWhileEnterDoesNothing)
{
    CMailboxPps *sheet = openEditor();
    ASSERT_NE(sheet, nullptr);
    const int links = m_simulator->connectionCount();
    CBoxListDlg *window = sheet->BoxList();

    detach(sheet);
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(sheet->IsListAttached());
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(sheet->IsListAttached());
    EXPECT_FALSE(window->isVisible());

    detach(sheet);
    window->close();
    EXPECT_TRUE(sheet->IsListAttached());
    EXPECT_FALSE(window->isVisible());
    // The editor's session goes on: the window ended no link.
    EXPECT_EQ(m_simulator->connectionCount(), links);
    EXPECT_FALSE(m_editors->LastFrame()->GetActiveDocument()->Execute("GetUA 997").startsWith('!'));
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(BoxListWindow, DroppingOnTheSheetsBottomStripAttachesAndWithCtrlOnlyMoves)
{
    CMailboxPps *sheet = openEditor();
    ASSERT_NE(sheet, nullptr);
    CBoxListDlg *window = sheet->BoxList();
    detach(sheet);

    // Above the list button the sheet is no attach area: the window moves there.
    const QPoint above = listButton(sheet)->mapToGlobal(QPoint(10, -40));
    EXPECT_FALSE(window->IsOverAttachArea(above));
    const QPoint before = window->frameGeometry().topLeft();
    const QPoint grip = window->mapToGlobal(window->CaptionRect().center());
    drag(window, above);
    EXPECT_FALSE(window->IsDragging());
    EXPECT_FALSE(sheet->IsListAttached());
    EXPECT_EQ(window->frameGeometry().topLeft(), before + (above - grip));

    // With Ctrl the bottom strip only moves the window.
    const QPoint strip = attachPoint(sheet);
    EXPECT_TRUE(window->IsOverAttachArea(strip));
    const QPoint from = window->frameGeometry().topLeft();
    const QPoint grip2 = window->mapToGlobal(window->CaptionRect().center());
    drag(window, strip, Qt::ControlModifier);
    EXPECT_FALSE(sheet->IsListAttached());
    EXPECT_EQ(window->frameGeometry().topLeft(), from + (strip - grip2));

    // Without it the list goes back into the sheet.
    drag(window, attachPoint(sheet));
    EXPECT_TRUE(sheet->IsListAttached());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(sheet->ListCtrl()->parentWidget(), sheet);
}

TEST_F(BoxListWindow, EscapeDuringADragLeavesTheWindowWhereItWas)
{
    CMailboxPps *sheet = openEditor();
    ASSERT_NE(sheet, nullptr);
    CBoxListDlg *window = sheet->BoxList();
    detach(sheet);
    const QPoint before = window->frameGeometry().topLeft();
    QTest::mousePress(window, Qt::LeftButton, {}, window->CaptionRect().center());
    QTest::mouseMove(window, window->mapFromGlobal(attachPoint(sheet)));
    ASSERT_TRUE(window->IsDragging());
    EXPECT_EQ(window->cursor().shape(), Qt::DragCopyCursor) << "over the attach area";
    QTest::keyPress(window, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor) << "Ctrl only moves";
    QTest::keyRelease(window, Qt::Key_Control);
    EXPECT_EQ(window->cursor().shape(), Qt::DragCopyCursor);
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window->IsDragging());
    QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(attachPoint(sheet)));
    EXPECT_EQ(window->frameGeometry().topLeft(), before);
    EXPECT_FALSE(sheet->IsListAttached()) << "the cancelled drag attached nothing";
    EXPECT_TRUE(window->isVisible());
}

TEST_F(BoxListWindow, EachWindowKeepsItsOwnDrag)
{
    CMailboxPps *first = openEditor();
    ASSERT_NE(first, nullptr);
    CMailboxPps *second = openEditor();
    ASSERT_NE(second, nullptr);
    detach(first);
    detach(second);
    CBoxListDlg *one = first->BoxList();
    CBoxListDlg *two = second->BoxList();

    QTest::mousePress(one, Qt::LeftButton, {}, one->CaptionRect().center());
    QTest::mouseMove(one, one->CaptionRect().center() + QPoint(30, 20));
    const QRect dragOne = one->DragRect();
    EXPECT_TRUE(one->IsDragging());
    EXPECT_FALSE(two->IsDragging());
    EXPECT_TRUE(two->DragRect().isNull());

    // The other window's drag moves its own frame only.
    QTest::keyClick(one, Qt::Key_Escape);
    QTest::mouseRelease(one, Qt::LeftButton, {}, one->CaptionRect().center());
    QTest::mousePress(two, Qt::LeftButton, {}, two->CaptionRect().center());
    QTest::mouseMove(two, two->CaptionRect().center() + QPoint(-15, 40));
    EXPECT_EQ(two->DragRect(), two->frameGeometry().translated(-15, 40));
    EXPECT_EQ(one->DragRect(), dragOne);
    EXPECT_FALSE(one->IsDragging());
    QTest::keyClick(two, Qt::Key_Escape);
    QTest::mouseRelease(two, Qt::LeftButton, {}, two->CaptionRect().center());
}

} // namespace
