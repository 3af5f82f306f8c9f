// Creating user agents over a range against the simulator's demo company,
// clicking the Create dialog and its progress dialog as an administrator
// does: the exact CreateUAFromAdmin lines with and without a class of
// service, the summaries, Cancel and the close box in the middle of a run,
// the questions asked once before a run (digit limits, existing numbers),
// the cap of a run, the rights refusal, and a security code that is not
// plain digits reaching the server as data.
#include "admin/testsupport/uatoolstestbase.h"

#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/uatools/ranges/createuseragentdlg.h"
#include "admin/uatools/ranges/selectcosdlg.h"
#include "admin/uatools/ranges/uakinds.h"

#include <QComboBox>
#include <QTimer>
#include <QTreeWidget>

#include <string_view>

namespace {

using UAKind::MailboxRoot;

// The line the worker sends for `number`, without a class of service the
// model road: model 997 that exists, the default security code.
QString MailboxLine(qint32 number, qint32 cos, int makeCos, const QString &code)
{
    return QStringLiteral(
               "CreateUAFromAdmin 0 1 %1 997 %2 2147483647 -1 %3 0 -1 %4 67108864 2147483645 2147483643 1")
        .arg(number)
        .arg(cos)
        .arg(makeCos)
        .arg(code);
}

class CreateDialog : public UAToolsTestBase {
protected:
    // Opens the Create dialog, types `range`, clicks OK and, when a progress
    // dialog shows, waits for the run's end, keeps the summary and clicks OK
    // (after `onProgress` when given).
    Run create(const QString &range, bool expectProgress = true, qint32 model = 997,
               qint32 root = MailboxRoot, bool makeCos = false, CRangeBox::AllowedCheck allowed = {},
               std::function<void(CCreateUserAgentDlg *)> before = {},
               std::function<void(CCreateProgressDlg *)> onProgress = {},
               std::function<void()> dialogsBetween = {})
    {
        Run run;
        m_dialogs.on<CCreateUserAgentDlg>([=](CCreateUserAgentDlg *d) {
            if (before)
                before(d);
            type(d->GetDlgItem<QLineEdit>(CCreateUserAgentDlg::IDC_RANGE), range);
            clickWhenOnTop(d, IDOK);
        });
        if (dialogsBetween)
            dialogsBetween();
        if (expectProgress)
            actOnProgress<CCreateProgressDlg>(run, onProgress);
        CCreateUserAgentDlg dialog(*m_session, model, root, nullptr, makeCos, std::move(allowed));
        run.result = dialog.DoModal();
        run.created = dialog.GetCreatedNumbers();
        EXPECT_EQ(m_dialogs.pending(), 0);
        return run;
    }
};

TEST_F(CreateDialog, CreatesMailboxesWithoutAClassOfServiceFromTheDefaultBox)
{
    m_progressScreenshot = QStringLiteral("create_progress.png");
    const Run run = create(QStringLiteral("560-562"));
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(run.created, (QList<long>{560, 561, 562}));
    EXPECT_EQ(run.summary, QStringLiteral("Created 3 user agents."));
    EXPECT_EQ(received(QStringLiteral("CreateUAFromAdmin")),
              (QStringList{MailboxLine(560, MailboxRoot, 0, "560"), MailboxLine(561, MailboxRoot, 0, "561"),
                           MailboxLine(562, MailboxRoot, 0, "562")}));
    // Copied from 997, so in its class of service.
    const QString box = m_session->Execute(QStringLiteral("GetUA 561"));
    EXPECT_TRUE(box.startsWith(QStringLiteral("{561 10 "))) << box.toStdString();
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('\n').toStdString();
}

TEST_F(CreateDialog, CreatesMailboxesInTheClassOfServiceChosenInSelectCos)
{
    auto chooseSales = [this] {
        m_dialogs.on<CSelectCOSDlg>([](CSelectCOSDlg *d) {
            auto *tree = d->GetDlgItem<QTreeWidget>(CSelectCOSDlg::IDC_COS_TREE);
            tree->expandAll();
            QTreeWidgetItem *sales =
                tree->findItems(QStringLiteral("30 Sales"), Qt::MatchExactly | Qt::MatchRecursive).value(0);
            ASSERT_NE(sales, nullptr);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(sales).center());
            click(d, IDOK);
        });
    };
    const Run run = create(
        QStringLiteral("600"), true, 997, MailboxRoot, false, {},
        [](CCreateUserAgentDlg *d) {
            auto *combo = d->GetDlgItem<QComboBox>(CCreateUserAgentDlg::IDC_COS_COMBO);
            EXPECT_TRUE(combo->isVisible());
            EXPECT_EQ(combo->currentText(), QStringLiteral("No COS"));
            // "No COS", then the classes of the demo company in the server's order.
            QStringList shown;
            for (int i = 0; i < combo->count(); ++i)
                shown.append(combo->itemText(i));
            EXPECT_EQ(shown, (QStringList{"No COS", "10", "20", "30", "31", "40", "41", "50"}));
            screenshot(d, QStringLiteral("create_user_agents.png"));
            clickWhenOnTop(d, CCreateUserAgentDlg::IDC_SELECT_COS);
        },
        {}, chooseSales);
    EXPECT_EQ(run.created, (QList<long>{600}));
    EXPECT_EQ(run.summary, QStringLiteral("Created one user agent."));
    EXPECT_EQ(received(QStringLiteral("CreateUAFromAdmin")), (QStringList{MailboxLine(600, 30, 0, "600")}));
    const QString box = m_session->Execute(QStringLiteral("GetUA 600"));
    EXPECT_TRUE(box.startsWith(QStringLiteral("{600 30 "))) << box.toStdString();
}

TEST_F(CreateDialog, ChoosesAClassOfServiceInTheComboWithTheKeyboard)
{
    const Run run =
        create(QStringLiteral("601"), true, 997, MailboxRoot, false, {}, [](CCreateUserAgentDlg *d) {
            auto *combo = d->GetDlgItem<QComboBox>(CCreateUserAgentDlg::IDC_COS_COMBO);
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down);
            QTest::keyClick(combo, Qt::Key_Down);
            EXPECT_EQ(combo->currentText(), QStringLiteral("20"));
        });
    EXPECT_EQ(received(QStringLiteral("CreateUAFromAdmin")), (QStringList{MailboxLine(601, 20, 0, "601")}));
    EXPECT_EQ(run.created, (QList<long>{601}));
}

TEST_F(CreateDialog, MakesClassesOfServiceWithTheCosFlag)
{
    const Run run = create(QStringLiteral("700"), true, 997, MailboxRoot, true);
    EXPECT_EQ(received(QStringLiteral("CreateUAFromAdmin")),
              (QStringList{MailboxLine(700, MailboxRoot, 1, "700")}));
    EXPECT_EQ(run.created, (QList<long>{700}));
    EXPECT_TRUE(m_session->Execute(QStringLiteral("GetUA 700 COS")).contains(QStringLiteral("COS MB")));
}

TEST_F(CreateDialog, CreatesDistributionListsWithoutTheCosRow)
{
    const Run run =
        create(QStringLiteral("310"), true, UAKind::DistributionListRoot, UAKind::DistributionListRoot, false,
               {}, [](CCreateUserAgentDlg *d) {
                   EXPECT_FALSE(d->GetDlgItem<QComboBox>(CCreateUserAgentDlg::IDC_COS_COMBO)->isVisible());
                   EXPECT_FALSE(d->GetDlgItem(CCreateUserAgentDlg::IDC_SELECT_COS)->isVisible());
               });
    EXPECT_EQ(
        received(QStringLiteral("CreateUAFromAdmin")),
        (QStringList{"CreateUAFromAdmin 0 1 310 2147483646 2147483646 2147483646 -1 0 0 -1 310 67108864 "
                     "2147483645 2147483643 1"}));
    EXPECT_TRUE(received(QStringLiteral("GetUAList4Property")).isEmpty());
    EXPECT_EQ(run.created, (QList<long>{310}));
}

struct SummaryCase {
    const char *name;
    const char *range;
    bool refused; // the server refuses every creation
    const char *summary;
};

class CreateSummary : public CreateDialog, public testing::WithParamInterface<SummaryCase> {};

TEST_P(CreateSummary, TellsHowManyWereCreatedAndHowManyFailed)
{
    const SummaryCase &c = GetParam();
    if (c.refused && c.range == std::string_view("640 641"))
        m_progressScreenshot = QStringLiteral("create_progress_failures.png");
    if (c.refused) {
        // Neither the copy of the model nor a bare creation goes through.
        m_simulator->failCommand(QStringLiteral("CopyUA"), QStringLiteral("refused"));
        m_simulator->failCommand(QStringLiteral("CreateUA"), QStringLiteral("refused"));
    }
    const Run run = create(QString::fromUtf8(c.range));
    EXPECT_EQ(run.summary, QString::fromUtf8(c.summary));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, CreateSummary,
    testing::Values(SummaryCase{"One", "640", false, "Created one user agent."},
                    SummaryCase{"Several", "640-644", false, "Created 5 user agents."},
                    SummaryCase{"Repeated", "560-563 562-565 560", false, "Created 6 user agents."},
                    SummaryCase{"OneFailed", "640", true,
                                "Created 0 user agents.\nOne user agent could not be created.\n"},
                    SummaryCase{"TwoFailed", "640 641", true,
                                "Created 0 user agents.\n2 user agents could not be created.\n"}),
    [](const testing::TestParamInfo<SummaryCase> &info) { return std::string(info.param.name); });

TEST_F(CreateDialog, CreatesANumberNamedTwiceOnce)
{
    const Run run = create(QStringLiteral("560-563 562-565 560"));
    QStringList expected;
    for (qint32 n : {560, 561, 562, 563, 564, 565})
        expected.append(MailboxLine(n, MailboxRoot, 0, QString::number(n)));
    EXPECT_EQ(received(QStringLiteral("CreateUAFromAdmin")), expected);
    EXPECT_EQ(run.created, (QList<long>{560, 561, 562, 563, 564, 565}));
}

TEST_F(CreateDialog, CancelInTheMiddleKeepsWhatWasCreated)
{
    Run run;
    uint64_t processedAtCancel = 0;
    m_boxes->answer(IDOK); // the cancel message
    run = create(QStringLiteral("3000-3999"), true, 997, MailboxRoot, false, {}, {},
                 [&](CCreateProgressDlg *p) {
                     ASSERT_TRUE(WaitFor([p] { return p->GetProcessed() >= 3; }));
                     click(p, IDCANCEL);
                     processedAtCancel = p->GetProcessed();
                 });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Create operation not complete, cancelled by user!"});
    EXPECT_GE(run.created.size(), qsizetype(processedAtCancel));
    EXPECT_LT(run.created.size(), 1000);
    // What the dialog reports created is exactly what the server received
    // and holds, and nothing more is sent once the dialog is gone.
    const QStringList lines = received(QStringLiteral("CreateUAFromAdmin"));
    EXPECT_EQ(lines.size(), run.created.size());
    for (long number : run.created)
        EXPECT_TRUE(exists(qint32(number))) << number;
    EXPECT_FALSE(exists(qint32(run.created.last() + 1)));
    QTest::qWait(300);
    EXPECT_EQ(received(QStringLiteral("CreateUAFromAdmin")).size(), lines.size());
}

TEST_F(CreateDialog, ClosingTheProgressWindowCancelsAndWaitsForTheWorker)
{
    m_boxes->answer(IDOK);
    const Run run =
        create(QStringLiteral("3000-3999"), true, 997, MailboxRoot, false, {}, {}, [](CCreateProgressDlg *p) {
            ASSERT_TRUE(WaitFor([p] { return p->GetProcessed() >= 1; }));
            p->close();
        });
    EXPECT_EQ(m_boxes->texts(), QStringList{"Create operation not complete, cancelled by user!"});
    const qsizetype sent = received(QStringLiteral("CreateUAFromAdmin")).size();
    EXPECT_EQ(sent, run.created.size());
    QTest::qWait(300);
    EXPECT_EQ(received(QStringLiteral("CreateUAFromAdmin")).size(), sent);
}

// The worker meets the session's failure on its own thread: the numbers it
// could not send are counted as failed, the run ends with its summary, and
// the program goes on (the lost server is the main window's to tell).
TEST_F(CreateDialog, ALostLinkFailsTheRestOfTheRunAndEndsItWithItsSummary)
{
    const Run run =
        create(QStringLiteral("3000-3199"), true, 997, MailboxRoot, false, {}, {}, [this](CCreateProgressDlg *p) {
            ASSERT_TRUE(WaitFor([p] { return p->GetProcessed() >= 3; }));
            EXPECT_EQ(m_simulator->dropLinks(), 1);
            ASSERT_TRUE(WaitFor([p] { return !p->IsRunning(); }, 120000));
            EXPECT_EQ(p->GetProcessed(), 200u);
            EXPECT_GT(p->GetFailed(), 0u);
            EXPECT_EQ(status(p), QStringLiteral("Created %1 user agents.\n%2 user agents could not be created.\n")
                                     .arg(200 - p->GetFailed())
                                     .arg(p->GetFailed()));
            click(p, IDOK);
        });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_GE(run.created.size(), 3);
    EXPECT_LT(run.created.size(), 200);
}

TEST_F(CreateDialog, AsksOnceForANumberLongerThanItsDigitsLimitAndNoKeepsTheDialog)
{
    m_session->Execute(QStringLiteral("ConfigSetString sys_fixed_len_1 4"));
    m_boxes->answer(IDNO);
    m_dialogs.on<CCreateUserAgentDlg>([](CCreateUserAgentDlg *d) {
        auto *range = d->GetDlgItem<QLineEdit>(CCreateUserAgentDlg::IDC_RANGE);
        type(range, QStringLiteral("12345"));
        click(d, IDOK);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(range->text(), QStringLiteral("12345"));
        click(d, IDCANCEL);
    });
    CCreateUserAgentDlg dialog(*m_session, 997, MailboxRoot, nullptr, false);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(m_boxes->texts(), QStringList{"User Agents beginning with 1 are limited to 4 digits.\nAre you "
                                            "sure that you want to create 12345?"});
    EXPECT_TRUE(received(QStringLiteral("CreateUAFromAdmin")).isEmpty());
}

TEST_F(CreateDialog, AnUnreadableDigitLimitFallsBackToTheMaximumBoxLength)
{
    // The demo server has sys_maximum_box_length 4 and no sys_fixed_len_*:
    // both typed five-digit numbers are asked about with that limit, the
    // numbers between them not at all.
    m_boxes->answer({IDYES, IDYES});
    const Run run = create(QStringLiteral("40000-40002"));
    EXPECT_EQ(m_boxes->texts(), (QStringList{"User Agents beginning with 4 are limited to 4 digits.\nAre you "
                                             "sure that you want to create 40000?",
                                             "User Agents beginning with 4 are limited to 4 digits.\nAre you "
                                             "sure that you want to create 40002?"}));
    EXPECT_EQ(run.created.size(), 3);
}

TEST_F(CreateDialog, NoReadableLimitAsksNothing)
{
    m_session->Execute(QStringLiteral("ConfigRemoveVar sys_maximum_box_length"));
    const Run run = create(QStringLiteral("40000"));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('\n').toStdString();
    EXPECT_EQ(run.created, (QList<long>{40000}));
}

TEST_F(CreateDialog, AsksOnceAboutNumbersThatExistAndCreatesOnlyTheOthers)
{
    m_boxes->answer(IDYES);
    const Run run = create(QStringLiteral("100-105 800"));
    EXPECT_EQ(m_boxes->texts(), QStringList{"6 of these user agents exist already and are left as they are.\n"
                                            "Do you want to create the others?"});
    EXPECT_EQ(received(QStringLiteral("CheckExistUA")), QStringList{"CheckExistUA {{100 105} 800}"});
    EXPECT_EQ(received(QStringLiteral("CreateUAFromAdmin")),
              QStringList{MailboxLine(800, MailboxRoot, 0, "800")});
    EXPECT_EQ(run.created, (QList<long>{800}));
    EXPECT_EQ(run.summary, QStringLiteral("Created one user agent."));
}

TEST_F(CreateDialog, NoToTheExistingNumbersCreatesNothing)
{
    m_boxes->answer(IDNO);
    m_dialogs.on<CCreateUserAgentDlg>([](CCreateUserAgentDlg *d) {
        type(d->GetDlgItem<QLineEdit>(CCreateUserAgentDlg::IDC_RANGE), QStringLiteral("104 801"));
        click(d, IDOK);
        EXPECT_TRUE(d->isVisible());
        click(d, IDCANCEL);
    });
    CCreateUserAgentDlg dialog(*m_session, 997, MailboxRoot, nullptr, false);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(m_boxes->texts(), QStringList{"One of these user agents exists already and is left as it "
                                            "is.\nDo you want to create the others?"});
    EXPECT_TRUE(received(QStringLiteral("CreateUAFromAdmin")).isEmpty());
}

struct RefusedCase {
    const char *name;
    const char *range;
    const char *message;
};

class CreateRefuses : public CreateDialog, public testing::WithParamInterface<RefusedCase> {};

TEST_P(CreateRefuses, ShowsTheMessageKeepsTheTextAndSendsNoCreation)
{
    m_boxes->answer(IDOK);
    const QString range = QString::fromUtf8(GetParam().range);
    m_dialogs.on<CCreateUserAgentDlg>([range](CCreateUserAgentDlg *d) {
        auto *edit = d->GetDlgItem<QLineEdit>(CCreateUserAgentDlg::IDC_RANGE);
        type(edit, range);
        click(d, IDOK);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(edit->text(), range);
        click(d, IDCANCEL);
    });
    CCreateUserAgentDlg dialog(*m_session, 997, MailboxRoot, nullptr, false);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(m_boxes->texts(), QStringList{QString::fromUtf8(GetParam().message)});
    EXPECT_TRUE(received(QStringLiteral("CreateUAFromAdmin")).isEmpty());
    EXPECT_TRUE(received(QStringLiteral("CheckExistUA")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CreateRefuses,
    testing::Values(
        RefusedCase{"Empty", "", "You must enter a range or list of mailboxes."},
        RefusedCase{"Letters", "12a", "Only use numbers, commas, and '-' for ranges in the range box."},
        RefusedCase{"Descending", "610-605", "Please use ranges that go from smaller to larger."},
        RefusedCase{"Unpaired", "610-", "Ranges (with '-') can only be used in pairs."},
        RefusedCase{"TooLarge", "4294967297",
                    "The number 4294967297 is too large: user agents are numbered up to 2147483647."},
        RefusedCase{"TooMany", "1000-200999",
                    "The range box names 200000 user agents; one run creates at most 100000."}),
    [](const testing::TestParamInfo<RefusedCase> &info) { return std::string(info.param.name); });

TEST_F(CreateDialog, RefusesNumbersOutsideTheAdministratorsRangeAndSelectsTheText)
{
    m_boxes->answer(IDOK);
    const CRangeList allowed = *CRangeList::Parse(QStringLiteral("100-105 200 600-699"));
    m_dialogs.on<CCreateUserAgentDlg>([](CCreateUserAgentDlg *d) {
        auto *edit = d->GetDlgItem<QLineEdit>(CCreateUserAgentDlg::IDC_RANGE);
        type(edit, QStringLiteral("650-700"));
        click(d, IDOK);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(edit->selectedText(), QStringLiteral("650-700"));
        EXPECT_EQ(d->focusWidget(), edit);
        click(d, IDCANCEL);
    });
    CCreateUserAgentDlg dialog(*m_session, 997, MailboxRoot, nullptr, true,
                               [allowed](const CRangeList &numbers) { return allowed.ContainsAll(numbers); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(m_boxes->transcript().size(), 1u);
    const MessageBoxScript::ShownBox box = m_boxes->transcript().front();
    EXPECT_EQ(box.text,
              QStringLiteral("You are unable to create Classes of Service(COS) out of your defined range.  "
                             "Please select a new range."));
    EXPECT_EQ(box.caption, QStringLiteral("Error"));
    EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONERROR);
    EXPECT_TRUE(received(QStringLiteral("CreateUAFromAdmin")).isEmpty());
}

TEST_F(CreateDialog, SendsASecurityCodeThatIsNotPlainDigitsAsData)
{
    m_session->Execute(QStringLiteral("ConfigSetString sys_security_code_suffix {[exit] \"$x}"));
    const Run run = create(QStringLiteral("650"));
    const QStringList lines = received(QStringLiteral("CreateUAFromAdmin"));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.first(), MailboxLine(650, MailboxRoot, 0, "{650[exit] \"$x}"));
    EXPECT_EQ(run.created, (QList<long>{650}));
    // The server read the code as one word: it ran nothing in it.
    EXPECT_TRUE(exists(650));
}

struct CodeCase {
    uint32_t number;
    int maxLength;
    const char *suffix; // nullptr: the suffix could not be read
    const char *code;
};

class DefaultSecurityCode : public testing::TestWithParam<CodeCase> {};

TEST_P(DefaultSecurityCode, IsTheDigitsThenAsMuchSuffixAsFits)
{
    const CodeCase &c = GetParam();
    const std::optional<QString> suffix =
        c.suffix ? std::optional<QString>(QString::fromUtf8(c.suffix)) : std::nullopt;
    EXPECT_EQ(CCreateProgressDlg::DefaultSecurityCode(c.number, c.maxLength, suffix),
              QString::fromUtf8(c.code));
}

INSTANTIATE_TEST_SUITE_P(Codes, DefaultSecurityCode,
                         testing::Values(CodeCase{1234, 6, "00", "123400"},
                                         CodeCase{12345, 6, "00", "123450"},
                                         CodeCase{1234567, 6, "00", "123456"},
                                         CodeCase{1234, 64, nullptr, "1234"},
                                         CodeCase{1234567, 6, nullptr, "123456"}, CodeCase{42, 64, "", "42"},
                                         CodeCase{2147483647, 64, "9", "21474836479"}));

} // namespace
