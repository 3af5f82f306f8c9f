// The Answer Methods page in the configuration sheet against the
// simulator's site configuration: what the grid shows, names, greetings,
// rings and groups typed into its cells, a missing greeting user agent
// created through the maintenance tools, Add and Remove clicked, and the
// exact lines the write-back sends.
#include "admin/config/window/configanswermethodspropage.h"
#include "admin/config/window/configintegrationpropage.h"
#include "admin/config/window/configivrhostspropage.h"
#include "admin/config/dialogs/addanswermethoddlg.h"
#include "admin/config/dialogs/creategreetinguadlg.h"
#include "admin/config/window/tests/configpagetestbase.h"
#include "admin/config/window/voiceportsppg.h"

#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/widgets/spreadsheetex.h"

#include <QRegularExpression>

namespace {

class AnswerMethodsPageTest : public ConfigPageTestBase {
protected:
    void SetUp() override
    {
        ConfigPageTestBase::SetUp();
        openSheet(CConfigPropSheet::ID_CONFIG_ANSWER_METHODS);
        m_page = m_sheet->FindPage<CConfigAnswerMethodsPropPage>();
        ASSERT_NE(m_page, nullptr);
        ASSERT_EQ(m_sheet->GetActivePage(), m_page);
        m_grid = m_page->GetDlgItem<CSpreadSheetEx>(CConfigAnswerMethodsPropPage::IDC_GRID);
        ASSERT_NE(m_grid, nullptr);
        m_ports = m_sheet->FindPage<CVoicePortsPpg>();
        ASSERT_NE(m_ports, nullptr);
    }
    QString savedList()
    {
        m_page->SaveToDepot();
        return depot().m_answerMethods;
    }
    // The ports whose answer method is `name`.
    int portsUsing(const QString &name) const
    {
        int count = 0;
        for (int n = 1; n <= m_ports->PortCount(); ++n)
            count += m_ports->Port(n).answerMethod == name;
        return count;
    }
    void addMethod(const QStringList &typedNames)
    {
        for (const QString &name : typedNames)
            m_dialogs.on<CAddAnswerMethodDlg>([name](CAddAnswerMethodDlg *dialog) {
                auto *edit = dialog->GetDlgItem<QLineEdit>(CAddAnswerMethodDlg::IDC_NAME);
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Backspace);
                QTest::keyClicks(edit, name);
                click(dialog, IDOK);
            });
        click(m_page, CConfigAnswerMethodsPropPage::IDC_ADD);
        EXPECT_EQ(m_dialogs.pending(), 0);
    }

    CConfigAnswerMethodsPropPage *m_page = nullptr;
    CVoicePortsPpg *m_ports = nullptr;
    CSpreadSheetEx *m_grid = nullptr;
    const QString m_list = "{Day {997 4 PBX01}} {Night {997 2 PBX01}} {Weekend {2000 2 PBX02}} "
                           "{Sales {2000 4 PBX03}} {Support {2100 3 PBX04}} {Fax {2100 1 PBX05}}";
};

TEST_F(AnswerMethodsPageTest, ShowsEveryMethodWithItsGreetingRingsAndGroup)
{
    ASSERT_EQ(m_grid->rowCount(), 6);
    EXPECT_EQ(cell(m_grid, 1, 0), "Answer Method\nName");
    EXPECT_EQ(cell(m_grid, 4, 0), "Telephone System\nIntegration Name");
    EXPECT_EQ(cell(m_grid, 1, 3), "Weekend");
    EXPECT_EQ(cell(m_grid, 2, 3), "2000");
    EXPECT_EQ(cell(m_grid, 3, 3), "2");
    EXPECT_EQ(cell(m_grid, 4, 3), "PBX02");
    m_grid->SetCol(2);
    m_grid->SetRow(1);
    EXPECT_EQ(m_grid->GetTypeComboBoxList(), "997\t2000\t2100");
    m_grid->SetCol(4);
    EXPECT_EQ(m_grid->GetTypeComboBoxCount(), 20) << "the integration groups";
    EXPECT_FALSE(m_page->GetDlgItem<QAbstractButton>(CConfigAnswerMethodsPropPage::IDC_REMOVE)->isEnabled());
    EXPECT_EQ(savedList(), m_list);
    screenshot(m_window.get(), "config-answermethods-page.png");
}

TEST_F(AnswerMethodsPageTest, ARenamedMethodIsRenamedOnItsPortsAndWrittenBack)
{
    const int dayPorts = portsUsing("Day");
    ASSERT_GT(dayPorts, 0);
    typeIntoCell(m_grid, 1, 1, "Good day");
    EXPECT_EQ(cell(m_grid, 1, 1), "Good_day");
    EXPECT_EQ(portsUsing("Good_day"), dayPorts);
    EXPECT_EQ(portsUsing("Day"), 0);

    // The user went on to another page: the Voice Ports page, never shown,
    // still takes up the new name before the write-back.
    m_sheet->SetActivePage(m_sheet->FindPage<CConfigIvrHostsPropPage>());
    ASSERT_FALSE(m_ports->HasWindow());
    const QStringList sent = apply();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_TRUE(sent[0].contains(checkedSet("answer_method_list", "{" + QString(m_list).replace("{Day ", "{Good_day ") + "}")))
        << sent[0].toStdString();
    // Port 6 answered with Day (6 % 6 == 0).
    EXPECT_TRUE(sent[0].contains(checkedSet("Line6", "{2006 Good_day}"))) << sent[0].toStdString();
    EXPECT_EQ(serverValue("answer_method_list"), QString(m_list).replace("{Day ", "{Good_day "));
}

TEST_F(AnswerMethodsPageTest, ARefusedListIsToldWithThePortLinesTheServerStored)
{
    const int dayPorts = portsUsing("Day");
    m_server->refuseVariable("answer_method_list");
    typeIntoCell(m_grid, 1, 1, "Morning");
    const QStringList sent = apply({IDOK});
    ASSERT_EQ(sent.size(), 1);
    EXPECT_TRUE(sent[0].contains(checkedSet("Line6", "{2006 Morning}"))) << sent[0].toStdString();
    EXPECT_TRUE(sent[0].contains(
        checkedSet("answer_method_list", "{" + QString(m_list).replace("{Day ", "{Morning ") + "}")));
    EXPECT_EQ(serverValue("Line6"), "2006 Morning");
    EXPECT_EQ(serverValue("answer_method_list"), m_list);
    ASSERT_EQ(m_boxes->texts().size(), 2);
    const QString told = m_boxes->texts()[1];
    EXPECT_TRUE(told.startsWith("Server reported error while updating configuration 'answer_method_list'.\n\n"
                                "Not stored: answer_method_list.\nStored: Line"))
        << told.toStdString();
    EXPECT_EQ(told.count(QRegularExpression("\\bLine\\d+\\b")), dayPorts);
    EXPECT_TRUE(told.endsWith("What was not stored stays in the window: correct it or write it again."));
    EXPECT_TRUE(m_sheet->IsApplyEnabled());

    // Cancel says what the server holds before the rest is discarded.
    m_boxes->answer(IDNO);
    click(m_sheet, IDCANCEL);
    ASSERT_EQ(m_boxes->texts().size(), 3);
    const QString question = m_boxes->texts()[2];
    EXPECT_TRUE(question.startsWith("The server refused part of your last update and stored the rest: Line"))
        << question.toStdString();
    EXPECT_EQ(question.count(QRegularExpression("\\bLine\\d+\\b")), dayPorts);
    EXPECT_TRUE(
        question.endsWith("Do you want to close the configuration window and discard the changes you have "
                          "made without updating the configuration data in VerbantaES server?"));

    // Once the server takes the list, OK writes it alone and the note goes.
    m_server->acceptVariable("answer_method_list");
    m_server->clearLog();
    m_boxes->answer(IDYES);
    click(m_sheet, IDOK);
    EXPECT_EQ(commands(), QStringList{"set _rlist \"\"\r\n" +
                                      checkedSet("answer_method_list",
                                                 "{" + QString(m_list).replace("{Day ", "{Morning ") + "}") +
                                      "set _rlist\r\n"});
    EXPECT_TRUE(m_boxes->texts()[3].startsWith("The server refused part of your last update"));
    EXPECT_EQ(serverValue("answer_method_list"), QString(m_list).replace("{Day ", "{Morning "));
}

TEST_F(AnswerMethodsPageTest, ANameOfAnotherMethodOrNoNameIsRefused)
{
    m_boxes->answer({IDOK, IDOK});
    typeIntoCell(m_grid, 1, 2, "Day");
    typeIntoCell(m_grid, 1, 2, "");
    EXPECT_EQ(m_boxes->texts(),
              (QStringList{"There is already an Answer Method Name 'Day'. Try to enter another name after closing this "
                           "message box.",
                           "Empty Answer Method Name is invalid. Try to enter a valid name after closing this message "
                           "box."}));
    EXPECT_EQ(cell(m_grid, 1, 2), "Night");
    EXPECT_FALSE(m_page->IsModified());
}

TEST_F(AnswerMethodsPageTest, RingsOutside1To15AreRefused)
{
    const struct {
        const char *typed;
        const char *kept;
        bool refused;
    } cases[] = {{"0", "4", true}, {"16", "4", true}, {"x", "4", true}, {"1", "1", false}, {"15", "15", false}};
    for (const auto &c : cases) {
        const int shown = int(m_boxes->texts().size());
        if (c.refused)
            m_boxes->answer(IDOK);
        typeIntoCell(m_grid, 3, 1, c.typed);
        EXPECT_EQ(cell(m_grid, 3, 1), c.kept) << c.typed;
        EXPECT_EQ(m_boxes->texts().size(), shown + (c.refused ? 1 : 0)) << c.typed;
    }
    EXPECT_EQ(m_boxes->texts().first(), "The valid range for Number of Rings is 1-15.");
    EXPECT_TRUE(savedList().startsWith("{Day {997 15 PBX01}}"));
}

TEST_F(AnswerMethodsPageTest, AGroupIsChosenFromTheIntegrationGroups)
{
    chooseInCell(m_grid, 4, 1, 6);
    EXPECT_EQ(cell(m_grid, 4, 1), "PBX07");
    EXPECT_TRUE(savedList().startsWith("{Day {997 4 PBX07}}"));
}

TEST_F(AnswerMethodsPageTest, MethodsFollowAGroupRenamedOnTheIntegrationPage)
{
    auto *integration = m_sheet->FindPage<CConfigIntegrationPropPage>();
    ASSERT_NE(integration, nullptr);
    m_sheet->SetActivePage(integration);
    typeIntoCell(integration->GroupsGrid(), 2, CConfigIntegrationPropPage::NameRow, "PBX01");
    m_boxes->answer(IDYES);
    typeIntoCell(integration->GroupsGrid(), 2, CConfigIntegrationPropPage::NameRow, "Main PBX");
    ASSERT_EQ(m_boxes->texts().size(), 1);
    m_sheet->SetActivePage(m_page);

    EXPECT_EQ(cell(m_grid, 4, 1), "Main_PBX");
    EXPECT_EQ(cell(m_grid, 4, 2), "Main_PBX");
    m_grid->SetCol(4);
    m_grid->SetRow(3);
    EXPECT_TRUE(m_grid->GetTypeComboBoxList().startsWith("Main_PBX\tPBX02\t"));
    const QStringList sent = apply();
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_TRUE(sent[0].contains(checkedSet(
        "answer_method_list", "{" + QString(m_list).replace("PBX01", "Main_PBX") + "}")))
        << sent[0].toStdString();
}

TEST_F(AnswerMethodsPageTest, AGreetingThatExistsIsTakenWithoutADialog)
{
    typeIntoCell(m_grid, 2, 1, "2100");
    EXPECT_EQ(cell(m_grid, 2, 1), "2100");
    EXPECT_TRUE(m_boxes->texts().isEmpty());
    EXPECT_TRUE(savedList().startsWith("{Day {2100 4 PBX01}}"));
    for (const QString &sent : commands())
        EXPECT_FALSE(sent.startsWith("CreateUA")) << sent.toStdString();
}

TEST_F(AnswerMethodsPageTest, AGreetingThatIsNoUserAgentNumberIsRefused)
{
    for (const char *typed : {"9 9", "abc", "2147483648"}) {
        m_boxes->answer(IDOK);
        typeIntoCell(m_grid, 2, 1, typed);
        EXPECT_EQ(m_boxes->texts().last(), QStringLiteral("Invalid User Agent '%1'. Try to enter a valid User Agent "
                                                          "after closing this message box.")
                                               .arg(typed));
        EXPECT_EQ(cell(m_grid, 2, 1), "997");
    }
}

TEST_F(AnswerMethodsPageTest, AMissingGreetingUserAgentIsCreatedWhenTheAdministratorAgrees)
{
    ASSERT_FALSE(m_session->Execute("GetUA 5000").isEmpty());
    ASSERT_TRUE(IsErrorReply(m_session->Execute("GetUA 5000")));

    m_dialogs.on<CCreateGreetingUADlg>([](CCreateGreetingUADlg *dialog) { click(dialog, IDCANCEL); });
    typeIntoCell(m_grid, 2, 1, "5000");
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(cell(m_grid, 2, 1), "997") << "cancelled";

    m_dialogs.on<CCreateGreetingUADlg>([this](CCreateGreetingUADlg *dialog) {
        EXPECT_EQ(dialog->GetDlgItemText(CCreateGreetingUADlg::IDC_NUMBER), "5000");
        EXPECT_EQ(dialog->GetDlgItemText(CCreateGreetingUADlg::IDC_PARENT_COS), "None");
        screenshot(dialog, "config-create-greeting-ua.png");
        click(dialog, IDOK);
    });
    m_dialogs.on<CCreateProgressDlg>([](CCreateProgressDlg *progress) {
        EXPECT_TRUE(WaitFor([progress] { return !progress->IsRunning(); }, 120000));
        click(progress, IDOK);
    });
    m_boxes->answer(IDOK);
    m_server->clearLog();
    typeIntoCell(m_grid, 2, 1, "5000");
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(cell(m_grid, 2, 1), "5000");
    EXPECT_EQ(m_boxes->texts().last(), "User Agent '5000' has not been referenced in any other Answer Method yet  "
                                       "and added to the Greeting User Agent list as a new item.");
    QStringList created;
    for (const QString &sent : commands())
        if (sent.startsWith("CreateUA"))
            created.append(sent);
    ASSERT_EQ(created.size(), 1);
    EXPECT_TRUE(created[0].startsWith("CreateUAFromAdmin 0 1 5000 997 2147483647 2147483647 ")) << created[0].toStdString();
    EXPECT_FALSE(IsErrorReply(m_session->Execute("GetUA 5000")));
    m_grid->SetCol(2);
    m_grid->SetRow(2);
    EXPECT_EQ(m_grid->GetTypeComboBoxList(), "997\t2000\t2100\t5000");
}

TEST_F(AnswerMethodsPageTest, AddTakesANewNameWithTheFirstMethodsGreetingAndGroup)
{
    m_boxes->answer(IDOK);
    addMethod({"Day", "Late evening"});
    EXPECT_EQ(m_boxes->texts(), QStringList{"There is already an Answer Method Name 'Day'. Try to enter another name "
                                            "after closing this message box."});
    ASSERT_EQ(m_grid->rowCount(), 7);
    EXPECT_EQ(cell(m_grid, 1, 7), "Late_evening");
    EXPECT_EQ(m_grid->currentRow(), 6);
    EXPECT_EQ(m_grid->currentColumn(), 0);
    EXPECT_TRUE(m_sheet->IsApplyEnabled());
    EXPECT_EQ(savedList(), m_list + " {Late_evening {997 1 PBX01}}");
}

TEST_F(AnswerMethodsPageTest, AMethodThatPortsUseCannotBeRemoved)
{
    clickCell(m_grid, 1, 2);
    m_boxes->answer(IDOK);
    click(m_page, CConfigAnswerMethodsPropPage::IDC_REMOVE);
    EXPECT_EQ(m_boxes->texts(),
              QStringList{"Answer Method 'Night' is assigned to one or more Voice Ports. It cannot be deleted!"});
    EXPECT_EQ(m_grid->rowCount(), 6);
    EXPECT_FALSE(m_page->IsModified());
}

TEST_F(AnswerMethodsPageTest, RemovingTheLastMethodLeavesTheNewLastOneCurrent)
{
    addMethod({"Spare"});
    ASSERT_EQ(m_grid->rowCount(), 7);
    clickCell(m_grid, 1, 7);
    click(m_page, CConfigAnswerMethodsPropPage::IDC_REMOVE);
    EXPECT_EQ(m_grid->rowCount(), 6);
    EXPECT_EQ(m_grid->currentRow(), 5);
    EXPECT_EQ(savedList(), m_list);
}

} // namespace
