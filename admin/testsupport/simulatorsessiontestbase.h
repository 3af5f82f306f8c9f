// A session test against the server simulator: the simulator started for
// each test on a loopback address of its own, and one session logged in to
// it with the default manufacturer account, the way the editors' documents
// and the record tests need it.
#pragma once

#include "admin/session/logincredentials.h"
#include "admin/testsupport/sessiontestbase.h"
#include "testserver/harness/simulatorprocess.h"

#include <QString>
#include <QStringList>

#include <memory>

class CZELTSession;

class SimulatorSessionTestBase : public SessionTestBase {
protected:
    SimulatorSessionTestBase();
    ~SimulatorSessionTestBase() override;

    void SetUp() override;
    // The session ends before the simulator; a fixture that keeps windows on
    // the session lets them go first.
    void TearDown() override;

    CLoginCredentials login() const;
    // The commands the simulator received that begin with `word`, in order.
    QStringList received(const QString &word);

    std::unique_ptr<testserver::SimulatorProcess> m_simulator;
    std::unique_ptr<CZELTSession> m_session;
};
