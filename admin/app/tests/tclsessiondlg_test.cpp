// The Tcl console against the simulator: replies shown exactly as the server
// sent them, the ring of the last 16 commands, and a console closed while its
// command is still on the way.
#include "admin/app/tests/frametestbase.h"

#include "admin/app/adminapp.h"
#include "admin/app/commandids.h"
#include "admin/app/logindlg.h"
#include "admin/app/mainframe.h"
#include "admin/app/tclsessiondlg.h"
#include "admin/app/tests/loginanswer.h"
#include "admin/session/zeltsession.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

class TclConsole : public FrameTestBase {
protected:
    void SetUp() override
    {
        FrameTestBase::SetUp();
        m_server->setAccount(QStringLiteral("root"), QStringLiteral("root-pw"), 0x80FFFFFFu,
                             QStringLiteral("All"));
        ASSERT_NO_FATAL_FAILURE(logInAndLoadFrame(QStringLiteral("root"), QStringLiteral("root-pw")));
        ASSERT_TRUE(m_frame->OnCommand(ID_TCL_SESSION));
        ASSERT_EQ(m_frame->Consoles().size(), 1);
        m_console = dynamic_cast<CTclSessionDlg *>(CMessageTarget::FromHandle(m_frame->Consoles()[0]));
        ASSERT_NE(m_console.data(), nullptr);
        m_server->clearLog();
    }

    void type(const QString &command)
    {
        m_console->GetDlgItem<QLineEdit>(CTclSessionDlg::IDC_COMMAND)->setText(command);
    }
    void click(int id) { m_console->GetDlgItem<QPushButton>(id)->click(); }
    void send(const QString &command)
    {
        type(command);
        click(IDOK);
    }
    QString sendAndWait(const QString &command)
    {
        send(command);
        EXPECT_TRUE(WaitFor([&] { return !m_console->IsWaitingForReply(); }));
        return m_console->ResponseText();
    }

    QPointer<CTclSessionDlg> m_console;
};

TEST_F(TclConsole, ShowsTheReplyExactlyAsTheServerSentIt)
{
    EXPECT_EQ(sendAndWait(QStringLiteral("set version_string")),
              QStringLiteral("set Verbanta ES simulator 1.0"));
    EXPECT_EQ(m_server->commandTexts(), QStringList{QStringLiteral("set version_string")});
}

TEST_F(TclConsole, ShowsAnErrorReplyAsItIs)
{
    const QString reply = sendAndWait(QStringLiteral("NoSuchCommand 1"));
    EXPECT_TRUE(reply.startsWith(QStringLiteral("NoSuchCommand !ERROR"))) << reply.toStdString();
    m_server->failCommand(QStringLiteral("GetUA"), QStringLiteral("database offline"));
    const QString refused = sendAndWait(QStringLiteral("GetUA 999"));
    EXPECT_TRUE(refused.startsWith(QStringLiteral("GetUA !ERROR"))) << refused.toStdString();
    EXPECT_TRUE(refused.contains(QStringLiteral("database offline"))) << refused.toStdString();
    EXPECT_TRUE(m_boxes->texts().isEmpty());
}

TEST_F(TclConsole, PreviousShowsTheCommandJustSentAndNextTheSlotAfterIt)
{
    send(QStringLiteral("set a 1"));
    send(QStringLiteral("set b 2"));
    click(CTclSessionDlg::IDC_PREVIOUS);
    EXPECT_EQ(m_console->CommandText(), QStringLiteral("set b 2"));
    click(CTclSessionDlg::IDC_PREVIOUS);
    EXPECT_EQ(m_console->CommandText(), QStringLiteral("set a 1"));
    click(CTclSessionDlg::IDC_NEXT);
    EXPECT_EQ(m_console->CommandText(), QStringLiteral("set b 2"));
    click(CTclSessionDlg::IDC_NEXT);
    EXPECT_EQ(m_console->CommandText(), QString());
}

TEST_F(TclConsole, SeventeenthCommandOverwritesTheFirst)
{
    for (int i = 1; i <= 17; ++i)
        send(QStringLiteral("set v %1").arg(i));
    QStringList walked;
    for (int i = 0; i < 16; ++i) {
        click(CTclSessionDlg::IDC_PREVIOUS);
        walked.append(m_console->CommandText());
    }
    QStringList expected;
    for (int i = 17; i >= 2; --i)
        expected.append(QStringLiteral("set v %1").arg(i));
    EXPECT_EQ(walked, expected);
    click(CTclSessionDlg::IDC_PREVIOUS);
    EXPECT_EQ(m_console->CommandText(), QStringLiteral("set v 17"));
    ASSERT_TRUE(WaitFor([&] { return m_server->commandTexts().size() == 17; }));
}

TEST_F(TclConsole, ClosedWhileACommandIsOnItsWayDropsTheReply)
{
    m_server->delayNextReply(1500);
    send(QStringLiteral("set version_string"));
    ASSERT_TRUE(m_console->IsWaitingForReply());

    click(IDCANCEL);

    ASSERT_TRUE(WaitFor([&] { return m_console.isNull(); }));
    EXPECT_TRUE(m_frame->Consoles().isEmpty());
    QTest::qWait(1800);
    EXPECT_TRUE(m_boxes->texts().isEmpty());
}

TEST_F(TclConsole, DoneDisconnectsOnlyTheConsolesLink)
{
    const int links = m_server->connectionCount();
    click(IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return m_server->connectionCount() == links - 1; }));
    QTest::qWait(100);
    EXPECT_TRUE(m_boxes->texts().isEmpty());
    EXPECT_EQ(m_app->GetSession()->Execute(QStringLiteral("set version_string")),
              QStringLiteral("Verbanta ES simulator 1.0"));
}

} // namespace
