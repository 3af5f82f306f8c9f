// The main frame at the size it first shows with, on a 1280 x 1024 screen
// (this program's offscreen screen), against the simulator: the mailbox
// editor opens with its list and its buttons in sight, and its list's
// headings whole, whether the frame is maximised or left at its normal size.
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

#include <QAction>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
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
    // Whether the whole of `widget` lies in the visible part of the frame's
    // window area.
    bool inSight(QWidget *widget) const
    {
        QWidget *viewport = m_frame->MdiArea()->viewport();
        const QRect shown(widget->mapTo(viewport, QPoint(0, 0)), widget->size());
        return widget->isVisible() && viewport->rect().contains(shown);
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

} // namespace
