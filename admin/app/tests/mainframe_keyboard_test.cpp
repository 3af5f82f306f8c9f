// The main frame by keyboard, as on the platform the program comes from: F10
// opens the menu bar, Ctrl+F4 closes the active window with its questions
// (whatever the desktop's key scheme gives an MDI window's own Close),
// Enter presses the push button that holds the focus in an editor window,
// and no two items of a menu share a mnemonic.
#include "admin/app/tests/frametestbase.h"

#include "admin/app/commandids.h"
#include "admin/app/menuresource.h"
#include "admin/uatools/distlist/distlistframe.h"
#include "admin/uatools/distlist/distlistfrm.h"
#include "admin/useragents/adminview.h"
#include "admin/useragents/childframe.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/mailboxoptionsppg.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

class FrameKeyboard : public FrameTestBase {
protected:
    void SetUp() override
    {
        FrameTestBase::SetUp();
        ASSERT_NO_FATAL_FAILURE(logInAndShowFrame(QStringLiteral("admin"), QStringLiteral("admin")));
        m_frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    }
    // The mailbox editor, once its list and first box are there.
    CMailboxPps *openMailboxEditor()
    {
        openFromMenu(ID_EDIT_UA_MAILBOX);
        return loadedEditor(m_frame->MdiArea()->activeSubWindow());
    }
    // The Comment field of the editor's Options page.
    static QLineEdit *commentField(CMailboxPps *sheet)
    {
        auto *options = sheet->findChild<CMailboxOptionsPpg *>();
        return options ? options->GetDlgItem<QLineEdit>(CMailboxOptionsPpg::IDC_COMMENT) : nullptr;
    }
    // As on X11, whose key scheme gives an MDI window's own Close Ctrl+W
    // (the offscreen platform's gives it Ctrl+F4, as Windows does).
    static void bindCloseAsOnX11(QMdiSubWindow *window)
    {
        for (QAction *item : window->systemMenu()->actions())
            if (item->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
                item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    }
    QMenu *topMenu(int position) const { return m_frame->menuBar()->actions().at(position)->menu(); }
};

TEST_F(FrameKeyboard, F10OpensTheMenuBarAndTheArrowsReachReportsAndConfiguration)
{
    CMailboxPps *sheet = openMailboxEditor();
    ASSERT_NE(sheet, nullptr);
    QLineEdit *field = commentField(sheet);
    ASSERT_NE(field, nullptr);
    field->setFocus();

    QTest::keyClick(field, Qt::Key_F10);
    EXPECT_EQ(QApplication::activePopupWidget(), topMenu(CMenuResource::FileMenu));
    // Leftwards from File, round the end of the bar.
    for (int steps = CMenuResource::HelpMenu - CMenuResource::ReportsMenu + 1; steps > 0; --steps) {
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Left);
    }
    EXPECT_EQ(QApplication::activePopupWidget(), topMenu(CMenuResource::ReportsMenu));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Left);
    EXPECT_EQ(QApplication::activePopupWidget(), topMenu(CMenuResource::ConfigurationMenu));
    SaveScreenshot(QApplication::activePopupWidget(), QStringLiteral("frame-f10-configuration-menu.png"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
}

TEST_F(FrameKeyboard, CtrlF4ClosesTheActiveWindowAfterItsQuestion)
{
    CMailboxPps *sheet = openMailboxEditor();
    ASSERT_NE(sheet, nullptr);
    QPointer<QMdiSubWindow> mailboxes = m_frame->MdiArea()->activeSubWindow();
    openFromMenu(ID_EDIT_UA_DISTLIST);
    ASSERT_TRUE(WaitFor([&] { return m_frame->MdiArea()->subWindowList().size() == 2; }));
    QPointer<QMdiSubWindow> lists = m_frame->MdiArea()->activeSubWindow();
    ASSERT_TRUE(qobject_cast<CDistListFrame *>(lists.data()));
    bindCloseAsOnX11(mailboxes);
    bindCloseAsOnX11(lists);

    QTest::keyClick(lists->widget(), Qt::Key_F4, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([&] { return !lists || !lists->isVisible(); }));
    EXPECT_TRUE(mailboxes && mailboxes->isVisible()) << "only the active window closes";

    // An edit not sent to the server yet: the editor asks before it goes.
    m_frame->MdiArea()->setActiveSubWindow(mailboxes);
    QLineEdit *field = commentField(sheet);
    ASSERT_NE(field, nullptr);
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("7"));
    m_boxes->answer(IDYES); // discard the edit
    QTest::keyClick(field, Qt::Key_F4, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([&] { return !mailboxes || !mailboxes->isVisible(); }));
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(
        m_boxes->texts().first().startsWith(QStringLiteral("Do you want to close the Mailbox Editor")));
}

TEST_F(FrameKeyboard, EnterOnAFocusedButtonOfAnEditorWindowPressesIt)
{
    openFromMenu(ID_EDIT_UA_DISTLIST);
    ASSERT_TRUE(WaitFor([&] { return !m_frame->MdiArea()->subWindowList().isEmpty(); }));
    QPointer<QMdiSubWindow> lists = m_frame->MdiArea()->activeSubWindow();
    auto *frame = qobject_cast<CDistListFrame *>(lists.data());
    ASSERT_NE(frame, nullptr);
    auto *close = frame->GetActiveView()->GetDlgItem<QPushButton>(CDistListFrm::IDC_CLOSE);
    ASSERT_NE(close, nullptr);
    close->setFocus();

    QTest::keyClick(close, Qt::Key_Return);
    EXPECT_TRUE(WaitFor([&] { return !lists || !lists->isVisible(); }));
}

// The mnemonics of one menu (or of the bar): no letter twice.
void ExpectUniqueMnemonics(const QString &where, const QList<QAction *> &items)
{
    QHash<QKeySequence, QString> taken;
    for (const QAction *item : items) {
        if (item->isSeparator())
            continue;
        const QKeySequence key = QKeySequence::mnemonic(item->text());
        if (key.isEmpty())
            continue;
        EXPECT_FALSE(taken.contains(key)) << where.toStdString() << ": \"" << item->text().toStdString()
                                          << "\" and \"" << taken.value(key).toStdString() << "\"";
        taken.insert(key, item->text());
    }
}

void ExpectUniqueMnemonicsIn(const QString &where, QMenu *menu)
{
    ExpectUniqueMnemonics(where, menu->actions());
    for (QAction *item : menu->actions())
        if (item->menu())
            ExpectUniqueMnemonicsIn(where + QStringLiteral(" > ") + item->text(), item->menu());
}

TEST_F(FrameKeyboard, NoTwoItemsOfAMenuShareAMnemonic)
{
    // The editors' windows, so that the Window menu lists them and their
    // own window menus are there to be read.
    ASSERT_NE(openMailboxEditor(), nullptr);
    openFromMenu(ID_EDIT_UA_DISTLIST);
    openFromMenu(ID_SYSTEM_PARAMETERS);
    ASSERT_TRUE(WaitFor([&] { return m_frame->MdiArea()->subWindowList().size() == 3; }));

    for (int menuId : {IDR_MAINFRAME, IDR_MENU_ADMINISTRATOR, IDR_MENU_DEPARTMENT}) {
        SCOPED_TRACE(menuId);
        ASSERT_TRUE(m_frame->LoadFrame(menuId));
        QMenu *window = topMenu(CMenuResource::WindowMenu);
        window->popup(m_frame->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(WaitFor([&] { return window->isVisible(); }));
        ExpectUniqueMnemonics(QStringLiteral("menu bar"), m_frame->menuBar()->actions());
        for (QAction *top : m_frame->menuBar()->actions())
            ExpectUniqueMnemonicsIn(top->text(), top->menu());
        window->close();
    }
    for (QMdiSubWindow *child : m_frame->MdiArea()->subWindowList())
        if (QMenu *menu = child->systemMenu())
            ExpectUniqueMnemonicsIn(child->windowTitle(), menu);
}

} // namespace
