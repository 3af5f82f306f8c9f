// The IVR Hosts page against the simulator's configuration: what the grid
// shows, edits typed into its cells, Add and Remove clicked, and the exact
// line the write-back sends for the page's list.
#include "admin/config/window/configivrhostspropage.h"
#include "admin/config/dialogs/addivrhostdlg.h"
#include "admin/config/window/tests/configpagetestbase.h"

#include "admin/widgets/spreadsheetex.h"

namespace {

class IvrHostsPageTest : public ConfigPageTestBase {
protected:
    void SetUp() override
    {
        ConfigPageTestBase::SetUp();
        m_server->seed("var ivr_hostte_emulator {{mainframe {host.ses} ivr secret} {billing {billing.ses}}}");
        reconnect();
        openSheet(CConfigPropSheet::ID_CONFIG_IVR_HOSTS);
        m_page = m_sheet->FindPage<CConfigIvrHostsPropPage>();
        ASSERT_NE(m_page, nullptr);
        ASSERT_EQ(m_sheet->GetActivePage(), m_page);
        m_grid = m_page->GetDlgItem<CSpreadSheetEx>(CConfigIvrHostsPropPage::IDC_GRID);
        ASSERT_NE(m_grid, nullptr);
    }
    void addHost(const QString &name)
    {
        m_dialogs.on<CAddIvrHostDlg>([name](CAddIvrHostDlg *dialog) {
            auto *edit = dialog->GetDlgItem<QLineEdit>(CAddIvrHostDlg::IDC_NAME);
            edit->selectAll();
            QTest::keyClicks(edit, name);
            click(dialog, IDOK);
        });
        click(m_page, CConfigIvrHostsPropPage::IDC_ADD);
    }
    // What the page stores into the depot (which marks it unchanged).
    QString savedList()
    {
        m_page->SaveToDepot();
        return depot().m_ivrHosts;
    }

    CConfigIvrHostsPropPage *m_page = nullptr;
    CSpreadSheetEx *m_grid = nullptr;
};

TEST_F(IvrHostsPageTest, ShowsEveryHostWithItsFourValues)
{
    ASSERT_EQ(m_grid->rowCount(), 2);
    EXPECT_EQ(cell(m_grid, 1, 0), "IVR Host Name");
    EXPECT_EQ(cell(m_grid, 4, 0), "User Password");
    EXPECT_EQ(cell(m_grid, 1, 1), "mainframe");
    EXPECT_EQ(cell(m_grid, 2, 1), "host.ses");
    EXPECT_EQ(cell(m_grid, 3, 1), "ivr");
    EXPECT_EQ(cell(m_grid, 4, 1), "secret");
    EXPECT_EQ(cell(m_grid, 1, 2), "billing");
    EXPECT_FALSE(m_page->GetDlgItem<QAbstractButton>(CConfigIvrHostsPropPage::IDC_REMOVE)->isEnabled());
    screenshot(m_window.get(), "config-ivrhosts-page.png");
}

TEST_F(IvrHostsPageTest, AnUnchangedPageWritesNothing)
{
    EXPECT_EQ(savedList(), "{mainframe {host.ses} ivr secret} {billing {billing.ses}}");
    EXPECT_FALSE(m_page->IsModified());
    EXPECT_FALSE(m_sheet->IsApplyEnabled());
}

TEST_F(IvrHostsPageTest, AHostTypedAsTwoWordsIsStoredWithAnUnderscore)
{
    typeIntoCell(m_grid, 1, 2, "billing host");
    EXPECT_EQ(cell(m_grid, 1, 2), "billing_host");
    EXPECT_TRUE(m_page->IsModified());
    ASSERT_TRUE(m_sheet->IsApplyEnabled());
    EXPECT_EQ(apply(), QStringList{"set _rlist \"\"\r\n" +
                                   checkedSet("ivr_hostte_emulator",
                                              "{{mainframe {host.ses} ivr secret} {billing_host {billing.ses}}}") +
                                   "set _rlist\r\n"});
}

TEST_F(IvrHostsPageTest, RefusedCellsGetTheirOldValueBack)
{
    const struct {
        int col;
        const char *typed;
        const char *message;
        const char *kept;
    } cases[] = {
        {1, "", "Empty IVR Host Name is invalid. Try to enter a valid name after closing this message box.",
         "mainframe"},
        {1, "billing", "There is already an IVR Host Name 'billing'. Try to enter another name after closing "
                       "this message box.",
         "mainframe"},
        {2, "", "Empty Session field is invalid. Try to enter a valid Session after closing this message box.",
         "host.ses"},
        {3, "a b", "Invalid User ID 'a b'. Enter a valid User ID after closing this message box.", "ivr"},
        {4, "p w", "Invalid User Password 'p w'. Enter a valid User Password after closing this message box.",
         "secret"},
    };
    for (const auto &c : cases) {
        m_boxes->answer(IDOK);
        typeIntoCell(m_grid, c.col, 1, c.typed);
        EXPECT_EQ(m_boxes->texts().last(), c.message);
        EXPECT_EQ(cell(m_grid, c.col, 1), c.kept);
    }
    EXPECT_FALSE(m_page->IsModified());
    EXPECT_EQ(savedList(), "{mainframe {host.ses} ivr secret} {billing {billing.ses}}");
}

TEST_F(IvrHostsPageTest, UserIdLeftEmptyIsWrittenAsEmptyBraces)
{
    typeIntoCell(m_grid, 3, 1, "");
    EXPECT_EQ(savedList(), "{mainframe {host.ses} {} secret} {billing {billing.ses}}");
}

TEST_F(IvrHostsPageTest, AnEmptyNameInTheAddDialogIsRefusedAndAskedAgain)
{
    m_boxes->answer(IDOK);
    m_dialogs.on<CAddIvrHostDlg>([](CAddIvrHostDlg *dialog) { click(dialog, IDOK); });
    m_dialogs.on<CAddIvrHostDlg>([](CAddIvrHostDlg *dialog) { click(dialog, IDCANCEL); });
    click(m_page, CConfigIvrHostsPropPage::IDC_ADD);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(m_boxes->texts(),
              QStringList{"Empty IVR Host Name is invalid. Try to enter a valid name after closing this message box."});
    EXPECT_EQ(m_grid->rowCount(), 2);
    EXPECT_FALSE(m_page->IsModified());
}

TEST_F(IvrHostsPageTest, AnAddedHostIsWrittenOnceItHasASessionFile)
{
    addHost("new host");
    ASSERT_EQ(m_grid->rowCount(), 3);
    EXPECT_EQ(cell(m_grid, 1, 3), "new_host");
    EXPECT_EQ(m_grid->currentRow(), 2);
    EXPECT_EQ(m_grid->currentColumn(), 1) << "the session file column";
    EXPECT_EQ(savedList(), "{mainframe {host.ses} ivr secret} {billing {billing.ses}}") << "no session file yet";

    typeIntoCell(m_grid, 2, 3, "C:\\ivr sessions\\new.ses");
    const QString expected = "{mainframe {host.ses} ivr secret} {billing {billing.ses}} "
                             "{new_host {C:\\ivr sessions\\new.ses}}";
    const QStringList sent = apply();
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_EQ(sent[0], "set _rlist \"\"\r\n" + checkedSet("ivr_hostte_emulator", "{" + expected + "}") +
                           "set _rlist\r\n");
    EXPECT_EQ(serverValue("ivr_hostte_emulator"), expected);
}

TEST_F(IvrHostsPageTest, AHostWithoutASessionFileIsSaidNotToBeStored)
{
    addHost("new host");
    m_boxes->answer(IDNO);
    click(m_sheet, ID_APPLY_NOW);
    EXPECT_EQ(
        m_boxes->texts(),
        QStringList{"These changes are not stored:\nIVR Host 'new_host', because it has no Session File. "
                    "Enter its Session File to keep it.\n\nDo you want to update the configuration data in "
                    "VerbantaES server with the changes you have made?\nIf you click Yes, the changes will "
                    "take effect when next time VerbantaES server is restarted."});
    EXPECT_TRUE(apply().isEmpty());
}

TEST_F(IvrHostsPageTest, RemovingTheLastRowSelectsTheRowAbove)
{
    depot().m_ivrHosts = "{a {a.ses}} {b {b.ses}} {c {c.ses}}";
    m_page->LoadFromDepot();
    ASSERT_EQ(m_grid->rowCount(), 3);
    clickCell(m_grid, 1, 3);
    m_boxes->answer(IDNO);
    click(m_page, CConfigIvrHostsPropPage::IDC_REMOVE);
    EXPECT_EQ(m_grid->rowCount(), 3);
    EXPECT_EQ(m_boxes->texts().last(), "Are you sure you want to remove the selected IVR Host configuration?");
    m_boxes->answer(IDYES);
    click(m_page, CConfigIvrHostsPropPage::IDC_REMOVE);
    EXPECT_EQ(m_grid->rowCount(), 2);
    EXPECT_EQ(m_grid->currentRow(), 1);
    EXPECT_EQ(savedList(), "{a {a.ses}} {b {b.ses}}");
}

} // namespace
