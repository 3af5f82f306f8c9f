// The Language page in the configuration sheet against the simulator's
// site configuration, and the Element Values dialog it edits lists with:
// what the grids show, prompt files checked on the server, the languages
// in use checked against the server's table, and the exact lines the
// write-back sends.
#include "admin/config/window/configlanguagepropage.h"
#include "admin/config/dialogs/addlistelementdlg.h"
#include "admin/config/dialogs/elementvaluesdlg.h"
#include "admin/config/window/tests/configpagetestbase.h"

#include "admin/widgets/spreadsheetex.h"

#include <QTimer>

namespace {

using Page = CConfigLanguagePropPage;

// Clicks once the current step is over, so the dialog the click opens is
// the script's next step.
template <class Dialog> void clickLater(Dialog *dialog, int id)
{
    QTimer::singleShot(0, dialog, [dialog, id] { ConfigPageTestBase::click(dialog, id); });
}

class LanguagePageTest : public ConfigPageTestBase {
protected:
    void SetUp() override
    {
        ConfigPageTestBase::SetUp();
        m_server->seed("serverfile english.pmt\nserverfile french2.pmt\nserverfile {english 2.pmt}");
        reconnect();
        openSheet(CConfigPropSheet::ID_CONFIG_LANGUAGE);
        m_page = m_sheet->FindPage<Page>();
        ASSERT_NE(m_page, nullptr);
        ASSERT_EQ(m_sheet->GetActivePage(), m_page);
        m_available = m_page->GetDlgItem<CSpreadSheetEx>(Page::IDC_AVAILABLE_GRID);
        m_inUse = m_page->GetDlgItem<CSpreadSheetEx>(Page::IDC_IN_USE_GRID);
        ASSERT_NE(m_available, nullptr);
        ASSERT_NE(m_inUse, nullptr);
    }
    void doubleClick(int col, int row)
    {
        const QRect cell = m_available->visualRect(m_available->model()->index(row - 1, col - 1));
        // The first press on the grid makes the cell current; the double
        // click then acts on it.
        QTest::mouseClick(m_available->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(m_available->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // The Element Values dialog gets `element` added (before the active
    // row, the first as it opens) and is closed with OK.
    void addThroughDialog(const QString &element)
    {
        m_dialogs.on<CElementValuesDlg>([](CElementValuesDlg *dialog) { clickLater(dialog, CElementValuesDlg::IDC_ADD); });
        m_dialogs.on<CAddListElementDlg>([element](CAddListElementDlg *dialog) {
            auto *edit = dialog->GetDlgItem<QLineEdit>(CAddListElementDlg::IDC_ELEMENT);
            EXPECT_FALSE(dialog->GetDlgItem(IDOK)->isEnabled());
            QTest::keyClicks(edit, element);
            click(dialog, IDOK);
        });
        m_dialogs.on<CElementValuesDlg>([](CElementValuesDlg *dialog) { click(dialog, IDOK); });
    }
    // The Element Values dialog's cells emptied and `elements` typed in.
    void replaceThroughDialog(const QStringList &elements)
    {
        m_dialogs.on<CElementValuesDlg>([elements](CElementValuesDlg *dialog) {
            auto *grid = dialog->GetDlgItem<CSpreadSheet>(CElementValuesDlg::IDC_GRID);
            grid->SetMaxRows(0);
            grid->SetMaxRows(int(elements.size()));
            for (int row = 1; row <= elements.size(); ++row)
                typeIntoCell(grid, 1, row, elements[row - 1]);
            click(dialog, IDOK);
        });
    }
    QString saved(QString CConfigDepot::*text)
    {
        m_page->SaveToDepot();
        return depot().*text;
    }

    Page *m_page = nullptr;
    CSpreadSheetEx *m_available = nullptr;
    CSpreadSheetEx *m_inUse = nullptr;
};

TEST_F(LanguagePageTest, ShowsEveryLanguageAndThoseInUse)
{
    ASSERT_EQ(m_available->rowCount(), 4);
    const char *expected[][2] = {
        {"English", "english.pmt"}, {"German", "german.pmt"}, {"French", "french.pmt"}, {"Spanish", "spanish.pmt"}};
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(cell(m_available, 1, row), expected[row - 1][0]);
        EXPECT_EQ(cell(m_available, 2, row), expected[row - 1][1]);
    }
    ASSERT_EQ(m_inUse->rowCount(), 3);
    EXPECT_EQ(cell(m_inUse, 1, 0), "Configured\nLanguage");
    EXPECT_EQ(cell(m_inUse, 1, 2), "German");
    EXPECT_EQ(saved(&CConfigDepot::m_promptFiles), "{english.pmt 0} {german.pmt 3} {french.pmt 1}");
    screenshot(m_window.get(), "config-language-page.png");
}

TEST_F(LanguagePageTest, AddedPromptFilesAreWrittenBackWithTheLanguagesId)
{
    addThroughDialog("english 2.pmt");
    doubleClick(2, 1);
    EXPECT_EQ(m_dialogs.pending(), 0);
    // The new file stands before the active one, the first.
    EXPECT_EQ(cell(m_available, 2, 1), "{english 2.pmt} english.pmt");
    EXPECT_TRUE(m_sheet->IsApplyEnabled());

    const QStringList sent = apply();
    EXPECT_TRUE(sent.contains("ConfigSetString sys_prompt_files "
                              "{{{english 2.pmt} 0} {english.pmt 0} {german.pmt 3} {french.pmt 1}} 1\r\n"))
        << sent.join("|").toStdString();
    // Only English's entry changes; the others stay in the server's order,
    // German with both its files.
    EXPECT_TRUE(sent.contains("ConfigSetString sys_language_table {{English {{english 2.pmt} 0} {english.pmt 0}} "
                              "{French {french.pmt 1}} {Spanish {spanish.pmt 2}} "
                              "{German {german.pmt 3} {german2.pmt 3}}} 1\r\n"))
        << sent.join("|").toStdString();
}

TEST_F(LanguagePageTest, PromptFilesWhoseFirstFileTheServerLacksAreRefused)
{
    m_boxes->answer({IDOK, IDOK});
    replaceThroughDialog({"missing.pmt", "french2.pmt"});
    doubleClick(2, 3);
    replaceThroughDialog({});
    doubleClick(2, 3);
    EXPECT_EQ(m_boxes->texts(),
              (QStringList{"There is no such file on the server, changing to previous saved value!",
                           "There must be one prompt file for the language, changing to previous saved value!"}));
    EXPECT_EQ(cell(m_available, 2, 3), "french.pmt");
    EXPECT_FALSE(m_page->IsModified());

    replaceThroughDialog({"french2.pmt", "missing.pmt"});
    doubleClick(2, 3);
    EXPECT_EQ(cell(m_available, 2, 3), "french2.pmt missing.pmt");
    EXPECT_EQ(commands().filter("is_valid_file").last(), "is_valid_file {french2.pmt}");
}

TEST_F(LanguagePageTest, ConfiguringALanguageTheServerLacksKeepsTheOldOnes)
{
    m_boxes->answer(IDOK);
    replaceThroughDialog({"English", "Klingon"});
    click(m_page, Page::IDC_CONFIGURE);
    EXPECT_EQ(m_boxes->texts(),
              QStringList{"Invalid language entered, changing to previous saved value.\nOnly following languages are "
                          "allowed:\nEnglish French Spanish German "});
    EXPECT_EQ(m_inUse->rowCount(), 3);
    EXPECT_FALSE(m_page->IsModified());
}

TEST_F(LanguagePageTest, TheLanguagesInUseAreWrittenInTheirNewOrder)
{
    replaceThroughDialog({"French", "English"});
    click(m_page, Page::IDC_CONFIGURE);
    ASSERT_EQ(m_inUse->rowCount(), 2);
    EXPECT_EQ(cell(m_inUse, 1, 1), "French");
    const QStringList sent = apply();
    EXPECT_TRUE(sent.contains("ConfigSetString sys_prompt_files {{french.pmt 1} {english.pmt 0}} 1\r\n"))
        << sent.join("|").toStdString();
}

TEST_F(LanguagePageTest, ALanguageWithoutAnIdOnTheServerChangesNothing)
{
    replaceThroughDialog({"French", "English"});
    click(m_page, Page::IDC_CONFIGURE);
    // The server's table loses French meanwhile.
    m_session->Execute("set sys_language_table {{English {english.pmt 0}} {Spanish {spanish.pmt 2}}}");
    const QStringList sent = apply({IDOK});
    EXPECT_TRUE(m_boxes->texts().contains("Cannot update Language since Language ID is not defined."));
    EXPECT_TRUE(sent.filter("sys_prompt_files").isEmpty()) << sent.join("|").toStdString();
    EXPECT_EQ(depot().m_promptFiles, "{english.pmt 0} {german.pmt 3} {french.pmt 1}");
}

// --- the Element Values dialog -----------------------------------------------------------

class ElementValuesDlgTest : public ConfigPageTestBase {};

TEST_F(ElementValuesDlgTest, ElementsWithBlanksAndBracesComeBackAsTheyWere)
{
    const struct {
        const char *in;
        const char *out;
    } cases[] = {{"a {b c}", "{a} {b c} "}, {"a b", "a b "}, {"x\\{y z\\\\", "x\\{y z\\\\ "}, {"", ""}};
    for (const auto &c : cases) {
        CElementValuesDlg dialog(nullptr, c.in);
        m_dialogs.on<CElementValuesDlg>([](CElementValuesDlg *d) { ConfigPageTestBase::click(d, IDOK); });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.m_strList, c.out) << c.in;
        QStringList before, after;
        CTclList().SplitList(c.in, before);
        CTclList().SplitList(dialog.m_strList, after);
        EXPECT_EQ(after, before) << c.in;
    }
}

TEST_F(ElementValuesDlgTest, MovesEmptiedCellsAndTheEnds)
{
    CElementValuesDlg dialog(nullptr, "a b c");
    m_dialogs.on<CElementValuesDlg>([](CElementValuesDlg *d) {
        auto *grid = d->GetDlgItem<CSpreadSheet>(CElementValuesDlg::IDC_GRID);
        grid->setCurrentCell(0, 0);
        ConfigPageTestBase::click(d, CElementValuesDlg::IDC_MOVE_UP);
        grid->setCurrentCell(2, 0);
        ConfigPageTestBase::click(d, CElementValuesDlg::IDC_MOVE_DOWN);
        ConfigPageTestBase::click(d, CElementValuesDlg::IDC_MOVE_UP);
        ConfigPageTestBase::typeIntoCell(grid, 1, 1, "");
        QApplication::processEvents();
        ConfigPageTestBase::screenshot(d, "config-element-values.png");
        ConfigPageTestBase::click(d, IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strList, "c b ");
}

} // namespace
