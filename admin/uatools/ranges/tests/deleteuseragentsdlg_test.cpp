// Deleting user agents over a range against the simulator's demo company,
// clicking the Delete dialog and its progress dialog: the one question with
// the count and No as default, 998-1000 never sending anything for 999,
// classes of service with children and the roots of the kinds refused
// while agents above the high mark go, the answer-method list read once and
// only deleted agents listed for reassignment, the summaries, Cancel in
// the middle and the rights refusal.
#include "admin/testsupport/uatoolstestbase.h"

#include "admin/uatools/ranges/deleteprogressdlg.h"
#include "admin/uatools/ranges/deleteuseragentsdlg.h"

namespace {

class DeleteDialog : public UAToolsTestBase {
protected:
    Run remove(const QString &range, std::function<void(CDeleteProgressDlg *)> onProgress = {})
    {
        Run run;
        m_dialogs.on<CDeleteUserAgentsDlg>([range](CDeleteUserAgentsDlg *d) {
            type(d->GetDlgItem<QLineEdit>(CDeleteUserAgentsDlg::IDC_RANGE), range);
            clickWhenOnTop(d, IDOK);
        });
        actOnProgress<CDeleteProgressDlg>(run, onProgress);
        CDeleteUserAgentsDlg dialog(*m_session);
        run.result = dialog.DoModal();
        EXPECT_EQ(m_dialogs.pending(), 0);
        return run;
    }
    // The commands that name `number` as their argument.
    QStringList sentFor(qint32 number) const
    {
        QStringList found;
        const QString suffix = QLatin1Char(' ') + QString::number(number);
        for (const QString &text : m_simulator->commandTexts())
            if (text.endsWith(suffix))
                found.append(text);
        return found;
    }

};

TEST_F(DeleteDialog, DeletesAroundTheSystemMailboxWithoutAskingTheServerAboutIt)
{
    m_simulator->seed(QStringLiteral("ua 998 -parent 10 {&Name1 Before}\nua 1000 -parent 10 {&Name1 After}"));
    m_boxes->answer(IDYES);
    m_progressScreenshot = QStringLiteral("delete_progress.png");
    const Run run = remove(QStringLiteral("998-1000"));
    EXPECT_EQ(run.result, IDOK);
    ASSERT_EQ(m_boxes->transcript().size(), 1u);
    const MessageBoxScript::ShownBox question = m_boxes->transcript().front();
    EXPECT_EQ(question.text, QStringLiteral("Delete 3 user agents?"));
    EXPECT_EQ(question.type & MB_TYPEMASK, MB_YESNO);
    EXPECT_TRUE(question.type & MB_DEFBUTTON2) << "No is the default";

    EXPECT_TRUE(sentFor(999).isEmpty()) << sentFor(999).join('\n').toStdString();
    EXPECT_EQ(sentFor(998), (QStringList{"UAHasChildren 998", "DeleteUA 998"}));
    EXPECT_EQ(sentFor(1000), (QStringList{"UAHasChildren 1000", "DeleteUA 1000"}));
    EXPECT_FALSE(exists(998));
    EXPECT_FALSE(exists(1000));
    EXPECT_TRUE(exists(999));
    EXPECT_EQ(run.summary, QStringLiteral("Deleted 2 user agents. \nOne user agent could not be deleted.\n"));
}

TEST_F(DeleteDialog, RefusesAClassOfServiceWithChildren)
{
    m_boxes->answer(IDYES);
    const Run run = remove(QStringLiteral("30"));
    EXPECT_EQ(sentFor(30), QStringList{"UAHasChildren 30"});
    EXPECT_TRUE(exists(30));
    EXPECT_EQ(run.summary, QStringLiteral("Deleted 0 user agents. \nOne user agent could not be deleted.\n"));
}

TEST_F(DeleteDialog, RefusesExactlyTheSystemMailboxTheRootsAndClassesWithChildren)
{
    // Above the high mark: a mailbox the Create dialog made, a class of
    // service with a child, and that child. The class is asked for before
    // its child goes, so it is refused.
    m_simulator->seed(QStringLiteral("ua 1073741825 -parent 10 {&Name1 High}\n"
                                     "ua 1073741826 -parent 2147483647 {COS MB &Name1 Top}\n"
                                     "ua 1073741827 -parent 1073741826 {&Name1 Below}"));
    struct Expected {
        qint32 number;
        QStringList sent;
        bool kept;
    };
    const auto asked = [](qint32 n) { return QStringList{QStringLiteral("UAHasChildren %1").arg(n)}; };
    const auto deleted = [](qint32 n) {
        return QStringList{QStringLiteral("UAHasChildren %1").arg(n), QStringLiteral("DeleteUA %1").arg(n)};
    };
    const QList<Expected> table{
        {999, {}, true},
        {1073741825, deleted(1073741825), false},
        {1073741826, asked(1073741826), true},
        {1073741827, deleted(1073741827), false},
        {2147483639, {}, true}, // the VPIM proxies' root, the lowest
        {2147483646, {}, true}, // the distribution lists' root
        {2147483647, {}, true}, // the mailboxes' root
    };
    m_boxes->answer(IDYES);
    const Run run = remove(QStringLiteral("999 1073741825-1073741827 2147483639 2147483646-2147483647"));
    for (const Expected &e : table) {
        SCOPED_TRACE(e.number);
        EXPECT_EQ(sentFor(e.number), e.sent);
        EXPECT_EQ(exists(e.number), e.kept);
    }
    EXPECT_EQ(run.summary, QStringLiteral("Deleted 2 user agents. \n5 user agents could not be deleted.\n"));
}

TEST_F(DeleteDialog, ListsOnlyDeletedGreetingUserAgentsAndReadsTheAnswerMethodsOnce)
{
    // 30 and 2000 greet callers. The server is made to say that 30 has no
    // children, so its DeleteUA is sent and refused: 30 is not listed.
    m_session->Execute(QStringLiteral(
        "ConfigSetString answer_method_list {{Sales {30 4 Incoming}} {Support {2000 4 Incoming}}}"));
    m_simulator->clearLog();
    m_simulator->answerCommand(QStringLiteral("UAHasChildren"), QStringLiteral("UAHasChildren no"));
    m_boxes->answer(IDYES);
    const Run run = remove(QStringLiteral("30 2000 2001"));
    EXPECT_EQ(received(QStringLiteral("if {[catch {set answer_method_list}")).size(), 1);
    EXPECT_EQ(received(QStringLiteral("DeleteUA")),
              (QStringList{"DeleteUA 30", "DeleteUA 2000", "DeleteUA 2001"}));
    EXPECT_TRUE(exists(30));
    EXPECT_FALSE(exists(2000));
    EXPECT_EQ(run.summary,
              QStringLiteral("Deleted 2 user agents. \nOne user agent could not be deleted.\n\n"
                             "Answer methods use the following\nUserAgents as Greeting User Agents.\n"
                             "Please reassign the Greeting User Agents:\n2000 "));
}

TEST_F(DeleteDialog, AsksForAndDeletesANumberNamedTwiceOnce)
{
    m_boxes->answer(IDYES);
    const Run run = remove(QStringLiteral("2010,2010 2011 2009-2011"));
    EXPECT_EQ(m_boxes->texts(), QStringList{"Delete 3 user agents?"});
    EXPECT_EQ(received(QStringLiteral("DeleteUA")),
              (QStringList{"DeleteUA 2010", "DeleteUA 2011", "DeleteUA 2009"}));
    EXPECT_EQ(run.summary, QStringLiteral("Deleted 3 user agents. "));
}

TEST_F(DeleteDialog, SendsTheAnswerMethodScriptAsWritten)
{
    m_boxes->answer(IDYES);
    remove(QStringLiteral("2002"));
    EXPECT_EQ(received(QStringLiteral("if ")),
              QStringList{"if {[catch {set answer_method_list} _tempv] != 0} {\r\n"
                          "  set _tempv \"!ERROR: answer methods not defined.\"}\r\n"
                          "set _tempv\r\n"});
}

struct SummaryCase {
    const char *name;
    const char *range;
    const char *summary;
};

class DeleteSummary : public DeleteDialog, public testing::WithParamInterface<SummaryCase> {};

TEST_P(DeleteSummary, TellsHowManyWereDeletedAndHowManyFailed)
{
    m_boxes->answer(IDYES);
    EXPECT_EQ(remove(QString::fromUtf8(GetParam().range)).summary, QString::fromUtf8(GetParam().summary));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, DeleteSummary,
    testing::Values(SummaryCase{"One", "2003", "Deleted one user agent."},
                    SummaryCase{"Several", "2003-2006", "Deleted 4 user agents. "},
                    SummaryCase{"NoneOfTwo", "999 30",
                                "Deleted 0 user agents. \n2 user agents could not be deleted.\n"},
                    SummaryCase{"MissingBox", "2003 4000",
                                "Deleted one user agent.\nOne user agent could not be deleted.\n"}),
    [](const testing::TestParamInfo<SummaryCase> &info) { return std::string(info.param.name); });

TEST_F(DeleteDialog, NoToTheQuestionDeletesNothingAndKeepsTheDialog)
{
    m_boxes->answer(IDNO);
    m_dialogs.on<CDeleteUserAgentsDlg>([](CDeleteUserAgentsDlg *d) {
        auto *range = d->GetDlgItem<QLineEdit>(CDeleteUserAgentsDlg::IDC_RANGE);
        type(range, QStringLiteral("2000-2099"));
        click(d, IDOK);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(range->text(), QStringLiteral("2000-2099"));
        screenshot(d, QStringLiteral("delete_user_agents.png"));
        click(d, IDCANCEL);
    });
    CDeleteUserAgentsDlg dialog(*m_session);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Delete 100 user agents?"});
    EXPECT_TRUE(m_simulator->commandTexts().isEmpty())
        << m_simulator->commandTexts().join('\n').toStdString();
}

TEST_F(DeleteDialog, CancelInTheMiddleStopsAfterTheNumberInHand)
{
    m_boxes->answer({IDYES, IDOK});
    uint64_t processedAtCancel = 0;
    const Run run = remove(QStringLiteral("2000-2319"), [&](CDeleteProgressDlg *p) {
        ASSERT_TRUE(WaitFor([p] { return p->GetProcessed() >= 3; }));
        click(p, IDCANCEL);
        processedAtCancel = p->GetProcessed();
    });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(m_boxes->texts().last(), QStringLiteral("Delete operation not complete, cancelled by user!"));
    const qsizetype deleted = received(QStringLiteral("DeleteUA")).size();
    EXPECT_GE(deleted, qsizetype(processedAtCancel));
    EXPECT_LT(deleted, 320);
    EXPECT_FALSE(exists(qint32(2000 + deleted - 1)));
    EXPECT_TRUE(exists(qint32(2000 + deleted)));
    QTest::qWait(300);
    EXPECT_EQ(received(QStringLiteral("DeleteUA")).size(), deleted);
}

TEST_F(DeleteDialog, RefusesNumbersOutsideTheAdministratorsRange)
{
    m_boxes->answer(IDOK);
    const CRangeList allowed = *CRangeList::Parse(QStringLiteral("100-105 200"));
    m_dialogs.on<CDeleteUserAgentsDlg>([](CDeleteUserAgentsDlg *d) {
        auto *range = d->GetDlgItem<QLineEdit>(CDeleteUserAgentsDlg::IDC_RANGE);
        type(range, QStringLiteral("100-200"));
        click(d, IDOK);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(range->selectedText(), QStringLiteral("100-200"));
        click(d, IDCANCEL);
    });
    CDeleteUserAgentsDlg dialog(
        *m_session, [allowed](const CRangeList &numbers) { return allowed.ContainsAll(numbers); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(m_boxes->transcript().size(), 1u);
    EXPECT_EQ(
        m_boxes->transcript().front().text,
        QStringLiteral(
            "You are unable to delete Mail Boxes out of your defined range.  Please select a new range"));
    EXPECT_EQ(m_boxes->transcript().front().caption, QStringLiteral("Error"));
    EXPECT_TRUE(m_simulator->commandTexts().isEmpty());
}

TEST_F(DeleteDialog, RefusesADescendingRangeBeforeAsking)
{
    m_boxes->answer(IDOK);
    m_dialogs.on<CDeleteUserAgentsDlg>([](CDeleteUserAgentsDlg *d) {
        type(d->GetDlgItem<QLineEdit>(CDeleteUserAgentsDlg::IDC_RANGE), QStringLiteral("2010-2000"));
        click(d, IDOK);
        EXPECT_TRUE(d->isVisible());
        click(d, IDCANCEL);
    });
    CDeleteUserAgentsDlg dialog(*m_session);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Please use ranges that go from smaller to larger."});
    EXPECT_TRUE(m_simulator->commandTexts().isEmpty());
}

} // namespace
