// The simulator session tests' common ground; see simulatorsessiontestbase.h.
#include "admin/testsupport/simulatorsessiontestbase.h"

#include "admin/session/zeltsession.h"

SimulatorSessionTestBase::SimulatorSessionTestBase() = default;
SimulatorSessionTestBase::~SimulatorSessionTestBase() = default;

void SimulatorSessionTestBase::SetUp()
{
    SessionTestBase::SetUp();
    m_simulator = std::make_unique<testserver::SimulatorProcess>();
    m_session = std::make_unique<CZELTSession>(quickSettings(m_simulator->port()));
    m_session->Connect(login());
}

void SimulatorSessionTestBase::TearDown()
{
    m_session.reset();
    m_simulator.reset();
    SessionTestBase::TearDown();
}

CLoginCredentials SimulatorSessionTestBase::login() const
{
    return CLoginCredentials{m_simulator->host(), "Cardomel", "Cardomel"};
}

QStringList SimulatorSessionTestBase::received(const QString &word)
{
    QStringList found;
    for (const QString &text : m_simulator->commandTexts())
        if (text.startsWith(word))
            found.append(text);
    return found;
}
