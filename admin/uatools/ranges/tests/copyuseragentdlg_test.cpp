// Copying a user agent against the simulator's demo company, clicking the
// Copy dialog and its progress dialog: the CreateUAFromAdmin lines in copy
// mode, the From box read strictly and checked for rights before anything
// is sent, a To list naming the From agent refused, and the one question
// about numbers that exist already.
#include "admin/testsupport/uatoolstestbase.h"

#include "admin/uatools/ranges/copyuseragentdlg.h"
#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/uatools/ranges/uakinds.h"

#include <optional>

namespace {

using UAKind::MailboxRoot;

class CopyDialog : public UAToolsTestBase {
protected:
    // Opens the Copy dialog with `from` (-1: empty box), types `fromText`
    // when given and `to`, clicks OK; a progress dialog, when one shows, is
    // waited for and closed. Cancels the dialog when it stays open.
    int copy(long from, const QString &to, std::optional<QString> fromText = std::nullopt,
             CRangeBox::AllowedCheck allowed = {}, bool expectProgress = true)
    {
        m_dialogs.on<CCopyUserAgentDlg>([=, this](CCopyUserAgentDlg *d) {
            if (fromText)
                type(d->GetDlgItem<QLineEdit>(CCopyUserAgentDlg::IDC_FROM), *fromText);
            type(d->GetDlgItem<QLineEdit>(CCopyUserAgentDlg::IDC_TO), to);
            if (!m_dialogScreenshot.isEmpty())
                screenshot(d, m_dialogScreenshot);
            clickWhenOnTop(d, IDOK);
            if (!expectProgress)
                QTimer::singleShot(0, d, [d] { clickWhenOnTop(d, IDCANCEL); });
        });
        if (expectProgress) {
            m_dialogs.on<CCreateProgressDlg>([this](CCreateProgressDlg *p) {
                EXPECT_TRUE(WaitFor([p] { return !p->IsRunning(); }, 120000));
                m_summary = status(p);
                click(p, IDOK);
            });
        }
        CCopyUserAgentDlg dialog(*m_session, MailboxRoot, nullptr, false, from, std::move(allowed));
        const int result = dialog.DoModal();
        m_created = dialog.GetCreatedNumbers();
        m_kind = dialog.GetSourceKind();
        m_sourceIsCos = dialog.SourceIsCos();
        EXPECT_EQ(m_dialogs.pending(), 0);
        return result;
    }

    QString m_dialogScreenshot;
    QString m_summary;
    QList<long> m_created;
    QString m_kind;
    bool m_sourceIsCos = false;
};

QString CopyLinePrefix(long number, long model)
{
    return QStringLiteral("CreateUAFromAdmin 0 1 %1 %2 -1 %3 -1 0 2 ").arg(number).arg(model).arg(MailboxRoot);
}

TEST_F(CopyDialog, CopiesOneBoxOverARangeInCopyModeInOrder)
{
    m_dialogScreenshot = QStringLiteral("copy_user_agent.png");
    EXPECT_EQ(copy(100, QStringLiteral("600-602")), IDOK);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('\n').toStdString();
    const QStringList lines = received(QStringLiteral("CreateUAFromAdmin"));
    ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(lines[i].startsWith(CopyLinePrefix(600 + i, 100))) << lines[i].toStdString();
    const QStringList sent = m_simulator->commandTexts();
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_EQ(sent.first(), QStringLiteral("GetUANoASR 100 COS"));
    EXPECT_EQ(m_kind, QStringLiteral("MB"));
    EXPECT_EQ(m_created, (QList<long>{600, 601, 602})) << m_summary.toStdString();
    for (int number : {600, 601, 602})
        EXPECT_TRUE(exists(number)) << number;
}

// The window opened on the copies follows what the source is: mailbox 100
// holds properties of its own but not "COS", class of service 10 holds it.
TEST_F(CopyDialog, OnlyABoxHoldingItsOwnCOSIsCopiedAsAClassOfService)
{
    const struct {
        long from;
        QString to;
        bool isCos;
    } cases[] = {{100, QStringLiteral("610"), false}, {10, QStringLiteral("611"), true}};
    for (const auto &c : cases) {
        EXPECT_EQ(copy(c.from, c.to), IDOK) << c.from;
        EXPECT_EQ(m_kind, QStringLiteral("MB")) << c.from;
        EXPECT_EQ(m_sourceIsCos, c.isCos) << c.from;
    }
}

// 500 and 510 exist in the demo company: one question with the count, then
// copies to the others only.
TEST_F(CopyDialog, NumbersThatExistAreCountedInOneQuestionAndLeftAlone)
{
    m_boxes->answer(IDYES);
    EXPECT_EQ(copy(100, QStringLiteral("500-502 510")), IDOK);
    EXPECT_EQ(m_boxes->texts(), QStringList{"2 of these user agents exist already and are left as they are.\n"
                                            "Do you want to copy to the others?"});
    const QStringList lines = received(QStringLiteral("CreateUAFromAdmin"));
    ASSERT_EQ(lines.size(), 2) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].startsWith(CopyLinePrefix(501, 100))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(CopyLinePrefix(502, 100))) << lines[1].toStdString();
    EXPECT_EQ(m_created, (QList<long>{501, 502}));

    m_simulator->clearLog();
    m_boxes->answer(IDNO);
    EXPECT_EQ(copy(100, QStringLiteral("500-503"), std::nullopt, {}, false), IDCANCEL);
    EXPECT_TRUE(received(QStringLiteral("CreateUAFromAdmin")).isEmpty());
}

// Refused before anything reaches the server: a From box that is not one
// number alone, or one the administrator may not manage.
TEST_F(CopyDialog, AFromBoxThatIsNotOneAllowedNumberSendsNothing)
{
    const CRangeBox::AllowedCheck deptOnly = [](const CRangeList &numbers) {
        CRangeList allowed;
        allowed.Add(CRangeList::Interval{100, 105});
        return allowed.ContainsAll(numbers);
    };
    struct Case {
        const char *from;
        const char *message;
    };
    for (const Case &c : {Case{"100x", "User ID 100x does not exist or is invalid!"},
                          Case{"1 2", "User ID 1 2 does not exist or is invalid!"},
                          Case{"-5", "User ID -5 does not exist or is invalid!"},
                          Case{"", "User ID  does not exist or is invalid!"},
                          Case{"2001",
                               "You are unable to create Mail Boxes out of your defined range.  Please select a "
                               "new range."}}) {
        m_simulator->clearLog();
        m_boxes->answer(IDOK);
        EXPECT_EQ(copy(-1, QStringLiteral("103"), QString::fromUtf8(c.from), deptOnly, false), IDCANCEL) << c.from;
        EXPECT_EQ(m_boxes->texts().last(), QString::fromUtf8(c.message)) << c.from;
        EXPECT_TRUE(m_simulator->commandTexts().isEmpty()) << c.from;
    }
}

TEST_F(CopyDialog, AToListNamingTheSourceIsRefused)
{
    m_boxes->answer(IDOK);
    EXPECT_EQ(copy(100, QStringLiteral("98-101"), std::nullopt, {}, false), IDCANCEL);
    EXPECT_EQ(m_boxes->texts(), QStringList{"User ID 100 cannot be copied over itself."});
    EXPECT_TRUE(received(QStringLiteral("CreateUAFromAdmin")).isEmpty());
}

TEST_F(CopyDialog, AnUnknownSourceIsSaidAndNothingIsCopied)
{
    m_boxes->answer(IDOK);
    EXPECT_EQ(copy(4999, QStringLiteral("600"), std::nullopt, {}, false), IDCANCEL);
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().endsWith("\nUser ID 4999 does not exist or is invalid!"))
        << m_boxes->texts().first().toStdString();
    EXPECT_TRUE(received(QStringLiteral("CreateUAFromAdmin")).isEmpty());
}

} // namespace
