// What the configuration tests stand on: the application-shell test base
// (private store, Conduit, scripted message boxes, a simulator) with a
// session logged in to the simulator as the manufacturer account.
#pragma once

#include "admin/testsupport/appshelltestbase.h"

#include "admin/session/logincredentials.h"
#include "admin/session/zeltsession.h"
#include "testserver/harness/simulatorprocess.h"

#include <QDateTime>

#include <memory>

class ConfigTestBase : public AppShellTestBase {
protected:
    void SetUp() override
    {
        AppShellTestBase::SetUp();
        startServer();
    }
    void TearDown() override
    {
        m_session.reset();
        AppShellTestBase::TearDown();
    }
    // A window's picture, once the events that lay it out have run.
    static void saveShot(QWidget *widget, const QString &name)
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(SaveScreenshot(widget, name)) << name.toStdString();
    }
    CLoginCredentials credentials() const
    {
        return CLoginCredentials{m_server->host(), "Cardomel", "Cardomel"};
    }
    void connectSession()
    {
        m_session = std::make_unique<CZELTSession>(patientSettings());
        m_session->Connect(credentials());
        m_server->clearLog();
    }
    // A new link sees the data set as it is now.
    void reconnect()
    {
        m_session->Disconnect();
        m_session->Connect(credentials());
        m_server->clearLog();
    }

    std::unique_ptr<CZELTSession> m_session;
};
