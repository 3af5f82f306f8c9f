// The voice-port status document against the simulator: one window at a
// time, and a session of its own that needs no mailbox of the account.
#include "admin/testsupport/simulatorsessiontestbase.h"

#include "admin/ports/portstatusdoc.h"
#include "admin/session/zeltsession.h"
#include "testserver/harness/simulatorprocess.h"

#include <memory>

namespace {

class PortStatusDocAgainstSimulator : public SimulatorSessionTestBase {
protected:
    static CAdminDoc::Account everyBox()
    {
        return CAdminDoc::Account{[](long) { return true; }, true};
    }
};

TEST_F(PortStatusDocAgainstSimulator, SecondPortStatusDocumentIsRefusedSilently)
{
    CPortStatusDoc first(everyBox());
    ASSERT_TRUE(first.OnNewDocument(*m_session, login()));
    EXPECT_EQ(first.GetTitle(), "Voice Ports Status");
    CPortStatusDoc second(everyBox());
    EXPECT_FALSE(second.OnNewDocument(*m_session, login()));
    first.OnCloseDocument();
    CPortStatusDoc third(everyBox());
    EXPECT_TRUE(third.OnNewDocument(*m_session, login()));
    EXPECT_TRUE(m_boxes->texts().isEmpty());
}

TEST_F(PortStatusDocAgainstSimulator, PortStatusDocumentOpensForAnAccountThatAdministersNoBox)
{
    // An administrator of box 5000 alone, which the server does not hold.
    m_simulator->setAccount("ports", "ports-secret", 0x10000000u, "5000");
    const CLoginCredentials ports{m_simulator->host(), "ports", "ports-secret"};
    CPortStatusDoc document(CAdminDoc::Account{[](long number) { return number == 5000; }, false});
    m_simulator->clearLog();
    ASSERT_TRUE(document.OnNewDocument(*m_session, ports));
    EXPECT_EQ(document.GetTitle(), "Voice Ports Status");
    EXPECT_TRUE(received("GetUAList4Property").isEmpty());
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
    // Its session works, through the document's own channel too.
    EXPECT_FALSE(document.CommandChannel()->Execute("GetUA 997", true, 1).startsWith('!'));
    EXPECT_FALSE(document.Execute("GetUA 997").startsWith('!'));
    document.OnCloseDocument();
    EXPECT_FALSE(CPortStatusDoc::IsStatusWindowOpen());
}

} // namespace
