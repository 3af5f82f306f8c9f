// The harness against a real simulator, spoken to with hand-made frames, so
// that what the other suites rely on (login, replies by transaction number,
// the control requests) is seen on the wire.
#include "testserver/harness/simulatorprocess.h"

#include "rawlink.h"

#include <gtest/gtest.h>

using testserver::SimulatorProcess;

namespace {

class SimulatorProcessTest : public ::testing::Test {
protected:
    std::unique_ptr<RawLink> loggedInLink(const QString &user = QStringLiteral("Cardomel"),
                                          const QString &password = QStringLiteral("Cardomel"))
    {
        auto link = std::make_unique<RawLink>(m_simulator.host(), m_simulator.port());
        EXPECT_TRUE(link->isConnected());
        EXPECT_TRUE(link->login(user, password));
        return link;
    }

    SimulatorProcess m_simulator;
};

TEST_F(SimulatorProcessTest, ListensOnItsOwnLoopbackAddressOnPort1561)
{
    EXPECT_TRUE(m_simulator.host().startsWith(QStringLiteral("127.")));
    EXPECT_NE(m_simulator.host(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(m_simulator.port(), 1561);
}

TEST_F(SimulatorProcessTest, GreetsWithTwoRandomWordsAndTheTimeZone)
{
    RawLink first(m_simulator.host(), m_simulator.port());
    RawLink second(m_simulator.host(), m_simulator.port());
    const auto a = first.readFrame();
    const auto b = second.readFrame();
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->type, 1);
    EXPECT_EQ(a->extra, 0u);
    const QList<QByteArray> words = a->payload.split(' ');
    ASSERT_EQ(words.size(), 4);
    EXPECT_EQ(words[0], "VREADY");
    EXPECT_EQ(words[3], "EST5EDT");
    EXPECT_NE(a->payload, b->payload);
}

TEST_F(SimulatorProcessTest, AnswersACommandUnderItsTransactionNumberAfterLogin)
{
    auto link = loggedInLink();
    const auto reply = link->command(7, "GetUA 999 &Name1");
    ASSERT_TRUE(reply);
    EXPECT_EQ(*reply, "GetUA {999 20 1 -1 0} {&Name1 &Name2 &Ext &Comment} &Name1 System");
}

TEST_F(SimulatorProcessTest, EndsTheLinkOnAWrongDigest)
{
    RawLink link(m_simulator.host(), m_simulator.port());
    ASSERT_TRUE(link.readFrame());
    ASSERT_TRUE(link.send(1, 0, "LOGIN {Cardomel} 0123456789ABCDEF0123456789ABCDEF"));
    EXPECT_TRUE(link.waitClosed());
}

TEST_F(SimulatorProcessTest, RefusesOnlyTheNextLoginWhenAsked)
{
    m_simulator.refuseNextLogin();
    RawLink refused(m_simulator.host(), m_simulator.port());
    EXPECT_FALSE(refused.login(QStringLiteral("Cardomel"), QStringLiteral("Cardomel")));
    EXPECT_TRUE(refused.waitClosed());
    loggedInLink();
}

TEST_F(SimulatorProcessTest, LogsEveryFrameInOrderWithItsTransactionNumber)
{
    auto link = loggedInLink();
    const QByteArray batch = "set a 1\r\nset b {x\ty\\}\r\n";
    ASSERT_TRUE(link->command(11, "GetTime"));
    ASSERT_TRUE(link->command(12, batch));
    const QList<testserver::LoggedCommand> log = m_simulator.commandLog();
    ASSERT_EQ(log.size(), 3);
    EXPECT_TRUE(log[0].text.startsWith(QStringLiteral("LOGIN {Cardomel} ")));
    EXPECT_EQ(log[0].transaction, 0u);
    EXPECT_EQ(log[1].transaction, 11u);
    EXPECT_EQ(log[1].text, QStringLiteral("GetTime"));
    EXPECT_EQ(log[2].transaction, 12u);
    EXPECT_EQ(log[2].text, QString::fromUtf8(batch));
    EXPECT_EQ(log[2].connection, log[0].connection);
    EXPECT_EQ(m_simulator.commandTexts(), (QStringList{QStringLiteral("GetTime"), QString::fromUtf8(batch)}));
    m_simulator.clearLog();
    EXPECT_TRUE(m_simulator.commandLog().isEmpty());
}

TEST_F(SimulatorProcessTest, CountsItsOwnTimeEvaluatingCommandsSinceTheLogWasCleared)
{
    auto link = loggedInLink();
    ASSERT_TRUE(link->command(1, "GetTime"));
    m_simulator.clearLog();
    EXPECT_EQ(m_simulator.busyTime().commands, 0);
    ASSERT_TRUE(link->command(2, "GetTime"));
    ASSERT_TRUE(link->command(3, "for {set i 0} {$i < 20000} {incr i} {}"));
    const testserver::SimulatorProcess::BusyTime busy = m_simulator.busyTime();
    EXPECT_EQ(busy.commands, 2);
    EXPECT_GT(busy.microseconds, 0);
}

TEST_F(SimulatorProcessTest, AnswersANamedCommandWithTheErrorAskedFor)
{
    auto link = loggedInLink();
    m_simulator.failCommand(QStringLiteral("GetUA"), QStringLiteral("disk on fire"));
    EXPECT_EQ(link->command(1, "GetUA 999"), QByteArray("GetUA !ERROR disk on fire"));
    m_simulator.clearFailure(QStringLiteral("GetUA"));
    EXPECT_TRUE(link->command(2, "GetUA 999")->startsWith("GetUA {999 "));
}

TEST_F(SimulatorProcessTest, AnswersACommandWithTheReplyAskedFor)
{
    auto link = loggedInLink();
    m_simulator.answerCommand(QStringLiteral("Tcl_PortStatistics"),
                              QStringLiteral("Tcl_PortStatistics ?Statistics start on 3/1/2001"));
    EXPECT_EQ(link->command(1, "Tcl_PortStatistics {-1} {-1} {00 1 2 2001} {-1}"),
              QByteArray("Tcl_PortStatistics ?Statistics start on 3/1/2001"));
    m_simulator.answerCommand(QStringLiteral("GetTime"), QString());
    EXPECT_EQ(link->command(2, "GetTime"), QByteArray());
    m_simulator.clearAnswer(QStringLiteral("GetTime"));
    EXPECT_TRUE(link->command(3, "GetTime")->startsWith("GetTime "));
}

TEST_F(SimulatorProcessTest, AnswersAnUnknownCommandWithAnErrorNamingIt)
{
    auto link = loggedInLink();
    EXPECT_EQ(link->command(3, "exec rm -rf /"), QByteArray("exec !ERROR invalid command name \"exec\""));
}

TEST_F(SimulatorProcessTest, PushesLinesUnderTheSubscriptionsTransactionNumber)
{
    auto link = loggedInLink();
    ASSERT_TRUE(link->command(42, "RegisterTraceConsumer -categories 8"));
    EXPECT_EQ(m_simulator.pushLine(QStringLiteral(".P 1 idle")), 1);
    const auto pushed = link->readFrame();
    ASSERT_TRUE(pushed);
    EXPECT_EQ(pushed->extra, 42u);
    EXPECT_EQ(pushed->payload, ".P 1 idle");
}

TEST_F(SimulatorProcessTest, PushesPortStatesToSubscribedLinks)
{
    auto link = loggedInLink();
    ASSERT_TRUE(link->command(9, "RegisterTraceConsumer -categories 8"));
    EXPECT_EQ(m_simulator.setPortState(3, QStringLiteral("Waiting for Digits")), 1);
    const auto pushed = link->readFrame();
    ASSERT_TRUE(pushed);
    EXPECT_EQ(pushed->extra, 9u);
    EXPECT_TRUE(pushed->payload.startsWith(".trace 8 "));
    EXPECT_TRUE(pushed->payload.endsWith(" 3 {Port 3 State {Waiting for Digits} 0}"));
}

TEST_F(SimulatorProcessTest, GreetsAndConfirmsWithTheTextsAskedFor)
{
    m_simulator.setNextGreeting(QStringLiteral("VREADY onlytwo words"));
    m_simulator.setNextConfirmation(QStringLiteral("VCONNECTEDNOT"));
    RawLink link(m_simulator.host(), m_simulator.port());
    const auto greeting = link.readFrame();
    ASSERT_TRUE(greeting);
    EXPECT_EQ(greeting->payload, "VREADY onlytwo words");
    ASSERT_TRUE(link.send(1, 0, "LOGIN {Cardomel} " + RawLink::digest("onlytwo", "Cardomel", "")));
    const auto confirmation = link.readFrame();
    ASSERT_TRUE(confirmation);
    EXPECT_EQ(confirmation->payload, "VCONNECTEDNOT");
}

TEST_F(SimulatorProcessTest, SendsFramesAndRawBytesToOpenLinks)
{
    auto link = loggedInLink();
    const QByteArray file("\x07\0\0\0\x03\0\0\0abc", 11);
    EXPECT_EQ(m_simulator.sendFrame(3, 0x01020304u, file), 1);
    const auto frame = link->readFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->type, 3);
    EXPECT_EQ(frame->extra, 0x01020304u);
    EXPECT_EQ(frame->payload, file);
    EXPECT_EQ(m_simulator.sendRaw(QByteArray("", 2)), 1);
    EXPECT_FALSE(link->readFrame(300));
}

TEST_F(SimulatorProcessTest, DropsOnlyTheNextReply)
{
    auto link = loggedInLink();
    m_simulator.dropNextReply();
    ASSERT_TRUE(link->send(1, 1, "GetTime"));
    ASSERT_TRUE(link->send(1, 2, "GetTime"));
    const auto frame = link->readFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->extra, 2u);
}

TEST_F(SimulatorProcessTest, DelayedReplyIsOvertakenByALaterOne)
{
    auto link = loggedInLink();
    m_simulator.delayNextReply(300);
    ASSERT_TRUE(link->send(1, 1, "GetTime"));
    ASSERT_TRUE(link->send(1, 2, "GetTime"));
    const auto first = link->readFrame();
    const auto second = link->readFrame();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->extra, 2u);
    EXPECT_EQ(second->extra, 1u);
}

TEST_F(SimulatorProcessTest, DropsEveryLinkWhenAsked)
{
    auto first = loggedInLink();
    auto second = loggedInLink();
    EXPECT_EQ(m_simulator.dropLinks(), 2);
    EXPECT_TRUE(first->waitClosed());
    EXPECT_TRUE(second->waitClosed());
    EXPECT_EQ(m_simulator.connectionCount(), 0);
}

TEST_F(SimulatorProcessTest, DropsOrPushesToOneLinkByItsNumber)
{
    auto first = loggedInLink();
    auto second = loggedInLink();
    const QList<testserver::LoggedCommand> log = m_simulator.commandLog();
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(m_simulator.pushLine(QStringLiteral(".only"), log[1].connection), 1);
    const auto pushed = second->readFrame();
    ASSERT_TRUE(pushed);
    EXPECT_EQ(pushed->payload, ".only");
    EXPECT_TRUE(m_simulator.dropLink(log[0].connection));
    EXPECT_TRUE(first->waitClosed());
    EXPECT_FALSE(m_simulator.dropLink(log[0].connection));
    EXPECT_TRUE(second->command(4, "GetTime"));
}

TEST_F(SimulatorProcessTest, ABadFrameEndsOnlyItsOwnLink)
{
    auto good = loggedInLink();
    auto bad = loggedInLink();
    ASSERT_TRUE(bad->sendBytes(QByteArray("\x05\x01\0\0\0\0\0\0\0\0\0\0", 12)));
    EXPECT_TRUE(bad->waitClosed());
    auto huge = loggedInLink();
    ASSERT_TRUE(huge->sendBytes(QByteArray("\0\x01\0\0\xff\xff\xff\x7f\0\0\0\0", 12)));
    EXPECT_TRUE(huge->waitClosed());
    EXPECT_TRUE(good->command(5, "GetTime"));
}

TEST_F(SimulatorProcessTest, AccountsAndSeedCommandsChangeTheDataSet)
{
    m_simulator.setAccount(QStringLiteral("tester"), QStringLiteral("s3cret"), 0x20000000u);
    m_simulator.seed(QStringLiteral("ua 4242 -parent 10 {&Name1 {New box}}"));
    auto link = loggedInLink(QStringLiteral("tester"), QStringLiteral("s3cret"));
    EXPECT_EQ(link->command(1, "GetUA 4242 &Name1"),
              QByteArray("GetUA {4242 10 1 -1 0} &Name1 &Name1 {New box}"));
    EXPECT_EQ(link->command(2, "GetRemoteUser tester"), QByteArray("GetRemoteUser tester 536870912 {} {}"));
}

TEST_F(SimulatorProcessTest, RefusesAControlRequestWithItsReason)
{
    EXPECT_THROW(m_simulator.loadData(QStringLiteral("/nonexistent/data.tcl")), testserver::SimulatorError);
    EXPECT_THROW(m_simulator.seed(QStringLiteral("ua notanumber")), testserver::SimulatorError);
    EXPECT_EQ(m_simulator.connectionCount(), 0);
}

TEST(SimulatorProcessEvenPort, FramesWithALengthPrefixOnAnEvenPort)
{
    SimulatorProcess simulator(SimulatorProcess::dataPath(QStringLiteral("demo.tcl")), 1562);
    RawLink link(simulator.host(), simulator.port());
    ASSERT_TRUE(link.login(QStringLiteral("Cardomel"), QStringLiteral("Cardomel")));
    EXPECT_EQ(link.command(0, "GetRemoteUser dept"),
              QByteArray("GetRemoteUser dept 268435504 {100-105 200} {}"));
}

TEST(SimulatorProcessStart, PassesFurtherOptionsToTheSimulator)
{
    SimulatorProcess simulator(QString(), 1561, {QStringLiteral("-encoding"), QStringLiteral("cp1252")});
    RawLink link(simulator.host(), simulator.port());
    ASSERT_TRUE(link.login(QStringLiteral("Cardomel"), QStringLiteral("Cardomel")));
    EXPECT_EQ(link.command(1, "set x Zo\xeb"), QByteArray("set Zo\xeb"));
    EXPECT_EQ(simulator.commandTexts().value(0), QStringLiteral("set x Zo\u00eb"));
}

TEST(SimulatorProcessStart, SideBySideSimulatorsGetDistinctAddresses)
{
    SimulatorProcess one;
    SimulatorProcess two;
    EXPECT_NE(one.host(), two.host());
}

TEST(SimulatorProcessStart, RefusesAMissingDataFile)
{
    EXPECT_THROW(SimulatorProcess(QStringLiteral("/nonexistent/data.tcl")), testserver::SimulatorError);
}

} // namespace
