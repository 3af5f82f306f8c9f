// The main frame against the simulator: the demo company started, and the
// application and its frame made by a login as the administrator does it,
// then gone before the simulator.
#pragma once

#include "admin/app/adminapp.h"
#include "admin/app/mainframe.h"
#include "admin/app/tests/loginanswer.h"
#include "admin/testsupport/appshelltestbase.h"
#include "admin/useragents/adminview.h"
#include "admin/useragents/childframe.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "admin/useragents/mailboxpps.h"

#include <QAction>
#include <QMdiSubWindow>

#include <memory>

class FrameTestBase : public AppShellTestBase {
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
    // Logs in through the login dialog with an account the simulator
    // knows, and builds the frame as the application does; the caller
    // sizes and shows it.
    void logInAndLoadFrame(const QString &user, const QString &password)
    {
        m_app = std::make_unique<CAdminApp>(patientSettings());
        AnswerLogin(m_dialogs, m_server->host(), user, password);
        ASSERT_TRUE(m_app->Login());
        m_frame = std::make_unique<CMainFrame>();
        ASSERT_TRUE(m_frame->LoadFrame(m_app->MainMenuId()));
    }
    // As above, with the frame shown at a size that holds the editors.
    void logInAndShowFrame(const QString &user, const QString &password)
    {
        ASSERT_NO_FATAL_FAILURE(logInAndLoadFrame(user, password));
        m_frame->resize(1000, 700);
        m_frame->show();
    }
    // A window opened from the frame's menu, as a choice there opens it.
    void openFromMenu(int command)
    {
        m_frame->UpdateCommandUI();
        QAction *action = m_frame->CommandAction(command);
        ASSERT_TRUE(action->isEnabled()) << command;
        action->trigger();
    }
    // The mailbox editor that `window` holds, once its list and first box
    // are there.
    static CMailboxPps *loadedEditor(QMdiSubWindow *window)
    {
        auto *editor = qobject_cast<CChildFrame *>(window);
        EXPECT_NE(editor, nullptr);
        if (!editor)
            return nullptr;
        CMailboxPps *sheet = editor->GetActiveView()->Sheet();
        EXPECT_TRUE(
            WaitFor([&] { return sheet->ListCtrl()->GetItemCount() > 0 && sheet->ShownNumber() != -1; }));
        return sheet;
    }

    std::unique_ptr<CAdminApp> m_app;
    std::unique_ptr<CMainFrame> m_frame;
};
