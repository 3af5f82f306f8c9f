// A server that is late with one reply, met from each window that waits for
// one: the window is opened from the frame's menu, the reply it needs is
// held, the wait's notice names the command, and Cancel clicked there ends
// the wait as a failed command. The window says so as it says any failure,
// nothing is written as if it had succeeded, and the program goes on: the
// same window opens again with the server answering. The login's wait too.
#include "admin/app/tests/frametestbase.h"

#include "admin/app/commandids.h"
#include "admin/session/serverwait.h"
#include "admin/session/serverwaitdlg.h"
#include "admin/session/zeltsession.h"
#include "admin/testsupport/waitnotice.h"

#include <QAction>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <ostream>

namespace {

struct HeldReply {
    const char *window;
    int command;
    // The first word of the command held.
    const char *word;
};

void PrintTo(const HeldReply &row, std::ostream *out)
{
    *out << row.window;
}

// The administrator who leaves each dialog that opens with Escape, once it
// is there to take keys; the notice of a wait is the other's to answer.
class DialogLeaver {
public:
    DialogLeaver()
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this] { leaveTheModalDialog(); });
        m_poll.start(50);
    }
    int left() const { return m_left; }

private:
    void leaveTheModalDialog()
    {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dynamic_cast<CServerWaitDlg *>(dialog) || !dialog->isVisible())
            return;
        QTest::keyClick(dialog, Qt::Key_Escape);
        ++m_left;
    }

    QTimer m_poll;
    int m_left = 0;
};

class HeldReplies : public FrameTestBase, public testing::WithParamInterface<HeldReply> {
protected:
    void SetUp() override
    {
        FrameTestBase::SetUp();
        m_server->setAccount(QStringLiteral("boss"), QStringLiteral("boss-pw"), 0x80FFFFFF,
                             QStringLiteral("All"));
        CSessionSettings settings = patientSettings();
        settings.waitNoticeDelayMs = 200;
        m_app = std::make_unique<CAdminApp>(settings);
        AnswerLogin(m_dialogs, m_server->host(), QStringLiteral("boss"), QStringLiteral("boss-pw"));
        ASSERT_TRUE(m_app->Login());
        m_frame = std::make_unique<CMainFrame>();
        ASSERT_TRUE(m_frame->LoadFrame(m_app->MainMenuId()));
        m_frame->resize(1000, 700);
        m_frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    }
    void TearDown() override
    {
        m_boxes->answer({IDNO, IDNO, IDNO});
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window != m_frame.get() && window->isVisible())
                window->close();
        FrameTestBase::TearDown();
    }
    void openFromTheMenu()
    {
        m_frame->UpdateCommandUI();
        QAction *action = m_frame->CommandAction(GetParam().command);
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
    }
    int received(const QString &word) const
    {
        int count = 0;
        for (const QString &text : m_server->commandTexts())
            count += text.section(QLatin1Char(' '), 0, 0).trimmed() == word ? 1 : 0;
        return count;
    }
    // Every window the menu opened, gone.
    void closeTheWindows()
    {
        m_frame->MdiArea()->closeAllSubWindows();
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window != m_frame.get() && window->isVisible() && !window->inherits("QMenu"))
                window->close();
        QTest::qWait(100);
    }
    QStringList errorBoxes() const
    {
        QStringList found;
        for (const QString &text : m_boxes->texts())
            if (text.startsWith(QLatin1Char('!')))
                found.append(text);
        return found;
    }
};

TEST_P(HeldReplies, CancelEndsTheWaitAndTheWindowOpensAgainOnceTheServerAnswers)
{
    const QString word = QString::fromLatin1(GetParam().word);
    const DialogLeaver dialogs;
    m_server->clearLog();
    m_server->delayNextReply(30000, word);
    m_boxes->answer({IDOK, IDOK, IDOK, IDOK});
    {
        WaitNoticeCanceller administrator;
        administrator.OnlyTheFirstNoticeSaying(CServerWait::ReplyText(GetParam().word));
        openFromTheMenu();
        QTest::qWait(300);
        EXPECT_EQ(administrator.cancelled(), 1);
        EXPECT_EQ(administrator.lastText(),
                  QStringLiteral("Waiting for the server to answer \"%1\"…").arg(word));
    }
    for (const QString &text : errorBoxes())
        EXPECT_TRUE(text.contains(QStringLiteral("cancelled"))) << text.toStdString();
    EXPECT_EQ(m_app->GetSession()->Execute(QStringLiteral("set probe 1")), "1");

    // Once more, the server answering in time.
    closeTheWindows();
    const int boxesBefore = int(m_boxes->texts().size());
    const int sentBefore = received(word);
    openFromTheMenu();
    EXPECT_TRUE(WaitFor([&] { return received(word) > sentBefore; }));
    QTest::qWait(200);
    EXPECT_EQ(int(m_boxes->texts().size()), boxesBefore) << m_boxes->texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Windows, HeldReplies,
    testing::Values(HeldReply{"DateTime", ID_DATE_TIME, "GetTime"},
                    HeldReply{"ManageAdministrators", ID_MANAGE_ADMINS, "GetRemoteUsersList"},
                    HeldReply{"DistributionLists", ID_EDIT_UA_DISTLIST, "ParmsForUAType"},
                    HeldReply{"MailboxEditor", ID_EDIT_UA_MAILBOX, "GetUAList4Property"},
                    HeldReply{"SystemParameters", ID_SYSTEM_PARAMETERS, "LoadMetaInfo"},
                    HeldReply{"ConfigurationWindow", ID_CONFIG_VOICE_PORTS, "set"},
                    HeldReply{"EditIvrAlias", ID_EDIT_IVR_ALIAS, "GetAliasList"},
                    HeldReply{"RunIvrAlias", ID_RUN_IVR_ALIAS, "set"},
                    HeldReply{"CreateMailboxes", ID_CREATE_UA_MAILBOX, "GetUA"}),
    [](const testing::TestParamInfo<HeldReply> &row) { return std::string(row.param.window); });

// The login's wait: Cancel in its notice brings the login dialog back, with
// no message, and the next try logs in.
class HeldLogin : public FrameTestBase {};

TEST_F(HeldLogin, CancelInTheNoticeBringsTheLoginDialogBack)
{
    m_server->setAccount(QStringLiteral("boss"), QStringLiteral("boss-pw"), 0x80FFFFFF,
                         QStringLiteral("All"));
    CSessionSettings settings = patientSettings();
    settings.waitNoticeDelayMs = 200;
    m_app = std::make_unique<CAdminApp>(settings);
    m_server->withholdNextGreeting();
    AnswerLogin(m_dialogs, m_server->host(), QStringLiteral("boss"), QStringLiteral("boss-pw"));
    AnswerLogin(m_dialogs, m_server->host(), QStringLiteral("boss"), QStringLiteral("boss-pw"));
    WaitNoticeCanceller administrator;
    administrator.OnlyTheFirstNoticeSaying(
        QStringLiteral("Waiting for the server at %1 to answer the login…").arg(m_server->host()));
    ASSERT_TRUE(m_app->Login());
    EXPECT_EQ(administrator.cancelled(), 1);
    EXPECT_EQ(administrator.lastText(),
              QStringLiteral("Waiting for the server at %1 to answer the login…").arg(m_server->host()));
    EXPECT_EQ(m_dialogs.pending(), 0) << "the login dialog came back";
    EXPECT_EQ(m_boxes->texts(), QStringList());
    EXPECT_EQ(m_app->GetSession()->Execute(QStringLiteral("set probe 1")), "1");
}

} // namespace
