// The main frame against the simulator: the demo company started, and the
// application and its frame made by a login as the administrator does it,
// then gone before the simulator.
#pragma once

#include "admin/app/adminapp.h"
#include "admin/app/mainframe.h"
#include "admin/app/tests/loginanswer.h"
#include "admin/testsupport/appshelltestbase.h"

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

    std::unique_ptr<CAdminApp> m_app;
    std::unique_ptr<CMainFrame> m_frame;
};
