// The ASR Auto Attendant page against the simulator: what demo box 104
// shows, the exact "&ASR_Alias_List" lines of synonym edits and the refused
// synonyms, the telephone line's commands for recording and playing a
// prompt, each result the line can give, and the sound behaviours: a number
// of dialling characters only, a prompt folder that was read and goes as one
// word, an old prompt kept until a new recording starts, polling that ends
// on any answer, the line let go when another box loads or the sheet closes,
// and synonyms that go back as a well-formed list.
#include "admin/useragents/pages/asrppg.h"
#include "admin/useragents/admintemplate.h"
#include "admin/useragents/adminview.h"
#include "admin/useragents/boxlistdlg.h"
#include "admin/useragents/childframe.h"
#include "admin/useragents/pages/mailboxpages.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/useragents/pages/tests/pagetestbase.h"
#include "admin/useragents/tests/qtprinters.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/registry/profile.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

const QString kFolder = QStringLiteral("C:/Verbanta/tcl/asr_aa_data/prompts/");
const QString kGrab = QStringLiteral("SCIMGrabLine ANY 999999 999999");
const QString kFree = QStringLiteral("SCIMFreeLine");
const QString kDial = QStringLiteral("cg_dial 5551234 2");
const QString kInstructions = QStringLiteral("cg_playFile ") + kFolder + QStringLiteral("record_synonyms.VOX 1");
const QString kWaitRecord = QStringLiteral("cg_waitForRecord 5");
const QString kWaitPlay = QStringLiteral("cg_waitForPlay 5");
const QString kCollect = QStringLiteral("cg_collectDtmf 1 0 0 0 0 1");

QString recordLine(const QString &file)
{
    return QStringLiteral("cg_recordFileEx ") + kFolder + file + QStringLiteral(" 0 0 5");
}

QString playLine(const QString &file)
{
    return QStringLiteral("cg_playFileEx ") + kFolder + file + QStringLiteral(" 0 0 5");
}

class AsrPage : public PageTestBase {
protected:
    // The sheet on `number` with the ASR page shown, chosen by its tab.
    void openAsr(long number = 104)
    {
        openSheet(number, 0);
        auto *tabs = m_sheet->findChild<QTabWidget *>();
        ASSERT_NE(tabs, nullptr);
        const int last = m_sheet->GetPageCount() - 1;
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(last).center());
        ASSERT_NE(dynamic_cast<CAsrPpg *>(m_sheet->GetActivePage()), nullptr);
        ASSERT_TRUE(waitUntil([&] { return asr().GetMailboxNumber() == number; }));
    }
    CAsrPpg &asr() { return page<CAsrPpg>(); }
    CSpreadSheetEx &grid() { return *asr().Grid(); }
    QString cell(int col, int row)
    {
        grid().SetCol(col);
        grid().SetRow(row);
        return grid().GetText();
    }
    bool hasPicture(int row) { return !grid().item(row - 1, 1)->icon().isNull(); }
    QPushButton *button(int id) { return asr().GetDlgItem<QPushButton>(id); }
    // A click on the synonym's row, as the administrator selects it.
    void selectRow(int row)
    {
        const QRect cellRect = grid().visualItemRect(grid().item(row - 1, 0));
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cellRect.center());
        waitUntil([] { return false; }, 50);
    }
    // Types into the synonym cell of `row` through the grid's editor.
    void typeSynonym(int row, const QString &text, bool opened = false)
    {
        if (!opened) {
            selectRow(row);
            grid().setFocus();
            QTest::keyClick(&grid(), Qt::Key_F2);
        }
        QLineEdit *editor = cellEditor();
        ASSERT_NE(editor, nullptr);
        const QStringList before = asr().Synonyms();
        const qsizetype refusals = m_boxes->texts().size();
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The grid hands the edit on once its editor has closed, through the
        // event loop: the page takes it, or refuses it with a message.
        ASSERT_TRUE(waitUntil([&] { return asr().Synonyms() != before || m_boxes->texts().size() > refusals; }, 10000))
            << text.toStdString();
    }
    // The grid's open cell editor (a closed one may linger hidden a moment).
    QLineEdit *cellEditor()
    {
        for (QLineEdit *editor : grid().findChildren<QLineEdit *>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }
    void newSynonym(const QString &text)
    {
        click(CAsrPpg::IDC_NEW);
        typeSynonym(int(asr().Synonyms().size()) + 1, text, true);
    }
    // The line's commands since the log was cleared, repeats of one poll in
    // a row counted once (polls come every 20 ms while a recording runs).
    QStringList lineLog()
    {
        QStringList lines;
        for (const QString &text : m_simulator->commandTexts()) {
            const bool line = text.startsWith("SCIM") || text.startsWith("cg_") || text.startsWith("file delete");
            if (line && (lines.isEmpty() || lines.last() != text || !text.startsWith("cg_wait")))
                lines.append(text);
        }
        return lines;
    }
    void dialFrom(const QString &phone = QStringLiteral("5551234")) { type(CAsrPpg::IDC_PHONE, phone); }
    QString status() { return asr().GetDlgItemText(CAsrPpg::IDC_LINE_STATUS); }
    bool promptOnServer(const QString &file)
    {
        return m_session->Execute("file exists " + kFolder + file) == "1";
    }
};

TEST_F(AsrPage, ShowsTheDemoBoxWithItsSynonymsAndTheirPrompts)
{
    openAsr();
    EXPECT_TRUE(asr().GetDlgItem<QCheckBox>(CAsrPpg::IDC_TRANSFER)->isChecked());
    EXPECT_FALSE(asr().GetDlgItem<QCheckBox>(CAsrPpg::IDC_LOGIN)->isChecked());
    EXPECT_TRUE(asr().GetDlgItem<QCheckBox>(CAsrPpg::IDC_SEND_MESSAGE)->isChecked());
    EXPECT_EQ(asr().Synonyms(), (QStringList{"Front Desk", "Reception"}));
    EXPECT_EQ(cell(1, 1), "Front Desk");
    EXPECT_EQ(cell(1, 2), "Reception");
    EXPECT_TRUE(hasPicture(1));
    EXPECT_FALSE(hasPicture(2));
    // The folder is read once; each synonym's prompt is looked for.
    EXPECT_EQ(received("set sys_tcl_library_path"), QStringList{"set sys_tcl_library_path"});
    EXPECT_EQ(received("file exists"), (QStringList{"file exists " + kFolder + "Front_Desk.vox",
                                                     "file exists " + kFolder + "Reception.vox"}));
    // Nothing is selected yet: only New may be used.
    EXPECT_TRUE(button(CAsrPpg::IDC_NEW)->isEnabled());
    for (int id : {CAsrPpg::IDC_DELETE_SYNONYM, CAsrPpg::IDC_RECORD, CAsrPpg::IDC_PLAY, CAsrPpg::IDC_DISCONNECT})
        EXPECT_FALSE(button(id)->isEnabled()) << id;
    selectRow(1);
    EXPECT_TRUE(button(CAsrPpg::IDC_PLAY)->isEnabled());
    selectRow(2);
    EXPECT_FALSE(button(CAsrPpg::IDC_PLAY)->isEnabled()) << "Reception has no prompt yet";
    EXPECT_TRUE(button(CAsrPpg::IDC_RECORD)->isEnabled());
    EXPECT_TRUE(button(CAsrPpg::IDC_DELETE_SYNONYM)->isEnabled());
    EXPECT_EQ(m_sheet->GetDlgItem<QPushButton>(CMailboxPps::IDC_LIST_BUTTON)->text(), "Detach &List");
    saveScreenshot("mailbox-page-asr.png");
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(AsrPage, ABoxClickedInTheDetachedListLoadsIntoThePages)
{
    openAsr();
    auto *detach = m_sheet->GetDlgItem<QPushButton>(CMailboxPps::IDC_LIST_BUTTON);
    QTest::mouseClick(detach, Qt::LeftButton);
    ASSERT_FALSE(m_sheet->IsListAttached());
    EXPECT_EQ(detach->text(), "Attach &List");
    CMailboxListCtrl *list = m_sheet->ListCtrl();
    const int row = list->FindItemByText("106");
    ASSERT_GE(row, 0);
    list->scrollTo(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 4)).center());
    ASSERT_TRUE(waitUntil([&] { return asr().GetMailboxNumber() == 106; }, 5000));
    EXPECT_EQ(asr().GetDlgItemText(CInhPropertyPg::IDC_NAME1), "Hanna");
    EXPECT_TRUE(asr().Synonyms().isEmpty());
    saveScreenshot("mailbox-page-asr-list-detached.png");
    const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR") + "/screenshots/";
    EXPECT_TRUE(m_sheet->BoxList()->grab().save(folder + "box_list_window.png"));
    QTest::mouseClick(detach, Qt::LeftButton);
    EXPECT_TRUE(m_sheet->IsListAttached());
    EXPECT_EQ(list->GetSelectedItem(), row);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

struct SynonymEdit {
    const char *name;
    void (*edit)(AsrPage &test);
    const char *line;
};

class AsrSaves : public AsrPage, public testing::WithParamInterface<SynonymEdit> {
public:
    void add(const QString &text) { newSynonym(text); }
    void change(int row, const QString &text) { typeSynonym(row, text); }
    void remove(int row)
    {
        selectRow(row);
        click(CAsrPpg::IDC_DELETE_SYNONYM);
    }
    void clickOn(int id) { click(id); }
};

TEST_P(AsrSaves, ServerReceivesExactlyItsLine)
{
    openAsr();
    GetParam().edit(*this);
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{QString::fromUtf8(GetParam().line)});
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

const SynonymEdit kSynonymEdits[] = {
    {"NewSynonym", [](AsrPage &t) { static_cast<AsrSaves &>(t).add("Main Office"); },
     "UpdateUA 104 1 &ASR_Alias_List {{Front Desk} {Reception} {Main Office} } "},
    {"ChangedSynonym", [](AsrPage &t) { static_cast<AsrSaves &>(t).change(2, "  Lobby "); },
     "UpdateUA 104 1 &ASR_Alias_List {{Front Desk} {Lobby} } "},
    {"DeletedSynonym", [](AsrPage &t) { static_cast<AsrSaves &>(t).remove(1); },
     "UpdateUA 104 1 &ASR_Alias_List {{Reception} } "},
    {"LoginBySpeech", [](AsrPage &t) { static_cast<AsrSaves &>(t).clickOn(CAsrPpg::IDC_LOGIN); },
     "UpdateUA 104 1 ASR_Login {1} "},
};

INSTANTIATE_TEST_SUITE_P(Edits, AsrSaves, testing::ValuesIn(kSynonymEdits),
                         [](const testing::TestParamInfo<SynonymEdit> &info) { return info.param.name; });

struct RefusedSynonym {
    int row; // 0: a new row
    const char *typed;
    const char *message;
};

TEST_F(AsrPage, RefusesSynonymsThatBreakTheRulesAndStoresNothing)
{
    const RefusedSynonym cases[] = {
        {0, "Main  Office", "Only one space is permitted between each name or word of a Synonym."},
        {2, "   ", "A blank Synonym is not allowed."},
        {0, "R2D2", "Only alphabet is permitted for Synonym."},
        {0, "Front;Desk", "Only alphabet is permitted for Synonym."},
        {0, "erin ellis", "The Synonym is same as the User Agent's Name."},
        {2, "front desk", "The identical Synonym already exists for this User Agent."},
    };
    openAsr();
    for (const RefusedSynonym &refused : cases) {
        SCOPED_TRACE(refused.typed);
        const qsizetype before = m_boxes->texts().size();
        m_boxes->answer(IDOK);
        if (refused.row == 0)
            newSynonym(refused.typed);
        else
            typeSynonym(refused.row, refused.typed);
        EXPECT_EQ(m_boxes->texts().mid(before), QStringList{refused.message});
        EXPECT_EQ(asr().Synonyms(), (QStringList{"Front Desk", "Reception"}));
        EXPECT_FALSE(asr().IsModified());
        // The administrator is still in the cell.
        ASSERT_NE(cellEditor(), nullptr);
        QTest::keyClick(cellEditor(), Qt::Key_Escape);
        waitUntil([] { return false; }, 50);
    }
    EXPECT_TRUE(received("UpdateUA").isEmpty());
}

TEST_F(AsrPage, RecordsAPromptOverTheHeldLineAndPlaysItBack)
{
    openAsr();
    dialFrom();
    selectRow(2);
    click(CAsrPpg::IDC_RECORD);
    EXPECT_EQ(asr().GetLineState(), CAsrPpg::Recording);
    EXPECT_EQ(status(), "Recording...");
    EXPECT_EQ(button(CAsrPpg::IDC_RECORD)->text(), "&Stop");
    for (int id : {CAsrPpg::IDC_NEW, CAsrPpg::IDC_PLAY, CAsrPpg::IDC_DELETE_SYNONYM, CAsrPpg::IDC_DISCONNECT})
        EXPECT_FALSE(button(id)->isEnabled()) << id;
    ASSERT_TRUE(waitUntil([&] { return received(kWaitRecord).size() >= 3; }, 5000));
    click(CAsrPpg::IDC_RECORD);
    EXPECT_EQ(asr().GetLineState(), CAsrPpg::HeldAfterRecording);
    EXPECT_EQ(status(), "Idle...");
    EXPECT_EQ(button(CAsrPpg::IDC_RECORD)->text(), "&Record");
    EXPECT_TRUE(hasPicture(2)) << "the new prompt is marked";

    // The held line plays it back without grabbing or dialling again.
    selectRow(2);
    ASSERT_TRUE(button(CAsrPpg::IDC_PLAY)->isEnabled());
    m_simulator->scriptLineResult("cg_waitForPlay", "Timeout", 2);
    click(CAsrPpg::IDC_PLAY);
    EXPECT_EQ(status(), "Playing...");
    ASSERT_TRUE(waitUntil([&] { return asr().GetLineState() == CAsrPpg::HeldAfterPlaying; }, 5000));
    EXPECT_EQ(status(), "Idle...");
    EXPECT_EQ(button(CAsrPpg::IDC_PLAY)->text(), "&Play");
    ASSERT_TRUE(button(CAsrPpg::IDC_DISCONNECT)->isEnabled());
    click(CAsrPpg::IDC_DISCONNECT);
    EXPECT_EQ(asr().GetLineState(), CAsrPpg::NoLine);

    EXPECT_EQ(lineLog(), (QStringList{kGrab, kDial, kInstructions, recordLine("Reception.vox"), kWaitRecord,
                                      "cg_stopRecord", playLine("Reception.vox"), kWaitPlay, kCollect, kFree}));
    EXPECT_TRUE(promptOnServer("Reception.vox"));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(AsrPage, ARecordingTheCallerEndsKeepsTheLineAndAPlayCanBeStopped)
{
    openAsr();
    dialFrom();
    m_simulator->scriptLineResult("cg_waitForRecord", "Done");
    selectRow(2);
    click(CAsrPpg::IDC_RECORD);
    ASSERT_TRUE(waitUntil([&] { return asr().GetLineState() == CAsrPpg::HeldAfterRecording; }, 5000));
    EXPECT_EQ(button(CAsrPpg::IDC_RECORD)->text(), "&Record");

    m_simulator->scriptLineResult("cg_waitForPlay", "Timeout", 0);
    selectRow(1);
    click(CAsrPpg::IDC_PLAY);
    EXPECT_EQ(button(CAsrPpg::IDC_PLAY)->text(), "&Stop");
    ASSERT_TRUE(waitUntil([&] { return received(kWaitPlay).size() >= 2; }, 5000));
    click(CAsrPpg::IDC_PLAY);
    EXPECT_EQ(asr().GetLineState(), CAsrPpg::HeldAfterPlaying);
    EXPECT_EQ(status(), "Idle...");
    EXPECT_EQ(lineLog(), (QStringList{kGrab, kDial, kInstructions, recordLine("Reception.vox"), kWaitRecord,
                                      kCollect, playLine("Front_Desk.vox"), kWaitPlay, "cg_stop"}));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

struct LineOutcome {
    const char *name;
    const char *command; // the line command scripted to answer `result`
    const char *result;
    bool play;           // play Front Desk's prompt, else record Reception's
    const char *message;
    QStringList tail;    // the line's commands after the grab
};

class AsrLineOutcomes : public AsrPage, public testing::WithParamInterface<LineOutcome> {};

TEST_P(AsrLineOutcomes, ShowTheirMessageAndLetTheLineGo)
{
    const LineOutcome &outcome = GetParam();
    openAsr();
    dialFrom();
    m_simulator->scriptLineResult(outcome.command, outcome.result);
    selectRow(outcome.play ? 1 : 2);
    m_boxes->answer(IDOK);
    click(outcome.play ? CAsrPpg::IDC_PLAY : CAsrPpg::IDC_RECORD);
    ASSERT_TRUE(waitUntil([&] { return !m_boxes->texts().isEmpty(); }, 5000));
    waitUntil([] { return false; }, 200);
    EXPECT_EQ(m_boxes->texts(), QStringList{QString::fromUtf8(outcome.message)});
    EXPECT_EQ(m_boxes->transcript().front().type & MB_ICONMASK, MB_ICONERROR);
    EXPECT_EQ(asr().GetLineState(), CAsrPpg::NoLine);
    EXPECT_EQ(button(CAsrPpg::IDC_RECORD)->text(), "&Record");
    EXPECT_EQ(button(CAsrPpg::IDC_PLAY)->text(), "&Play");
    EXPECT_EQ(status(), "");
    EXPECT_EQ(lineLog(), QStringList{kGrab} + outcome.tail);
    // Front Desk's prompt is never lost to a call that failed.
    EXPECT_TRUE(promptOnServer("Front_Desk.vox"));
}

const LineOutcome kLineOutcomes[] = {
    {"BusyNumber", "cg_dial", "Busy", false, "That telephone number is busy. Please check the number and try again.",
     {kDial, kFree}},
    {"NoAnswer", "cg_dial", "Rna", false, "No answer was detected. Please check the number and try again.",
     {kDial, kFree}},
    {"NoRingback", "cg_dial", "NoRingback", true,
     "Could not detect ringback. The # may be invalid or the phone is unplugged.", {kDial, kFree}},
    {"LineRefused", "SCIMGrabLine", "Error", false,
     "The requested operation could not be completed. Please try again.", {kFree}},
    {"HangupBeforeRecording", "cg_playFile", "Hangup", false,
     "The telephone line was disconnected. Please try and re-establish the connection.", {kDial, kInstructions, kFree}},
    {"RecordingRefused", "cg_recordFileEx", "Error", false,
     "The requested operation could not be completed. Please try again.",
     {kDial, kInstructions, recordLine("Reception.vox"), "file delete " + kFolder + "Reception.vox", kFree}},
    {"HangupWhileRecording", "cg_waitForRecord", "Hangup", false,
     "The telephone line was disconnected. Please try and re-establish the connection.. Hangup",
     {kDial, kInstructions, recordLine("Reception.vox"), kWaitRecord, kCollect, "file delete " + kFolder + "Reception.vox",
      kFree}},
    {"ErrorWhilePlaying", "cg_waitForPlay", "Error", true,
     "The requested operation could not be completed. Please try again.. Error",
     {kDial, playLine("Front_Desk.vox"), kWaitPlay, kFree}},
    {"HangupWhilePlaying", "cg_waitForPlay", "Hangup", true,
     "The telephone line was disconnected. Please try and re-establish the connection.. Hangup",
     {kDial, playLine("Front_Desk.vox"), kWaitPlay, kFree}},
    // An answer the page does not know still ends the play: polling stops.
    {"UnknownAnswerWhilePlaying", "cg_waitForPlay", "Busy", true,
     "That telephone number is busy. Please check the number and try again.. Busy",
     {kDial, playLine("Front_Desk.vox"), kWaitPlay, kFree}},
    {"UnknownAnswerWhileRecording", "cg_waitForRecord", "Rna", false,
     "No answer was detected. Please check the number and try again.. Rna",
     {kDial, kInstructions, recordLine("Reception.vox"), kWaitRecord, kCollect, "file delete " + kFolder + "Reception.vox",
      kFree}},
};

INSTANTIATE_TEST_SUITE_P(Results, AsrLineOutcomes, testing::ValuesIn(kLineOutcomes),
                         [](const testing::TestParamInfo<LineOutcome> &info) { return info.param.name; });

TEST_F(AsrPage, ABusyNumberKeepsTheOldPromptOfTheSynonym)
{
    openAsr();
    dialFrom("5550000"); // busy in the demo data
    selectRow(1);
    m_boxes->answer(IDOK);
    click(CAsrPpg::IDC_RECORD);
    EXPECT_EQ(m_boxes->texts(),
              QStringList{"That telephone number is busy. Please check the number and try again."});
    EXPECT_EQ(asr().GetLineState(), CAsrPpg::NoLine);
    EXPECT_TRUE(received("file delete").isEmpty());
    EXPECT_TRUE(promptOnServer("Front_Desk.vox"));
    EXPECT_TRUE(hasPicture(1));
}

TEST_F(AsrPage, RecordingWithoutAPhoneNumberAsksForOneAndDialsNothing)
{
    openAsr();
    dialFrom("");
    selectRow(2);
    m_boxes->answer({IDOK, IDOK});
    click(CAsrPpg::IDC_RECORD);
    selectRow(1);
    click(CAsrPpg::IDC_PLAY);
    EXPECT_EQ(m_boxes->texts(),
              (QStringList{"Please enter phone # before recording...", "Please enter phone # before playing..."}));
    EXPECT_EQ(m_boxes->transcript().front().type & MB_ICONMASK, MB_ICONERROR);
    EXPECT_TRUE(lineLog().isEmpty());
}

TEST_F(AsrPage, ThePhoneNumberTakesDiallingCharactersOnlyAndIsRemembered)
{
    openAsr();
    dialFrom("555-12;34[x] *#,9");
    EXPECT_EQ(asr().GetDlgItemText(CAsrPpg::IDC_PHONE), "5551234*#,9");
    EXPECT_EQ(CProfile::inRegistry("Verbanta", "Admin").GetProfileString("Settings", "Phone"), "5551234*#,9");

    // A number stored elsewhere that could carry a command is never dialled.
    CProfile::inRegistry("Verbanta", "Admin").WriteProfileString("Settings", "Phone", "1 [file delete x]");
    openAsr();
    EXPECT_EQ(asr().GetDlgItemText(CAsrPpg::IDC_PHONE), "1 [file delete x]");
    selectRow(2);
    m_boxes->answer(IDOK);
    click(CAsrPpg::IDC_RECORD);
    EXPECT_EQ(m_boxes->texts(), QStringList{"The phone # \"1 [file delete x]\" can not be dialled: use only the "
                                            "digits 0-9, \"*\", \"#\" and \",\"."});
    EXPECT_TRUE(lineLog().isEmpty());
}

TEST_F(AsrPage, APromptFolderWithABlankGoesAsOneWord)
{
    const QString folder = "C:/Program Files/Verbanta/tcl/asr_aa_data/prompts/";
    m_simulator->seed("var sys_tcl_library_path {C:/Program Files/Verbanta/tcl}\n"
                      "serverfile {" + folder + "Front_Desk.vox}\nserverfile {" + folder + "record_synonyms.VOX}");
    openAsr();
    EXPECT_EQ(received("file exists"), (QStringList{"file exists {" + folder + "Front_Desk.vox}",
                                                     "file exists {" + folder + "Reception.vox}"}));
    EXPECT_TRUE(hasPicture(1));
    dialFrom();
    m_simulator->scriptLineResult("cg_waitForRecord", "Done");
    selectRow(2);
    click(CAsrPpg::IDC_RECORD);
    ASSERT_TRUE(waitUntil([&] { return asr().GetLineState() == CAsrPpg::HeldAfterRecording; }, 5000));
    EXPECT_TRUE(received("cg_playFile").contains("cg_playFile {" + folder + "record_synonyms.VOX} 1"));
    EXPECT_TRUE(received("cg_recordFileEx").contains("cg_recordFileEx {" + folder + "Reception.vox} 0 0 5"));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(AsrPage, AServerWithoutAPromptFolderMarksNothingAndRecordsNothing)
{
    m_simulator->seed("script {unset -nocomplain ::sys_tcl_library_path}");
    openAsr();
    EXPECT_TRUE(received("file exists").isEmpty());
    EXPECT_FALSE(hasPicture(1));
    dialFrom();
    selectRow(2);
    m_boxes->answer(IDOK);
    click(CAsrPpg::IDC_RECORD);
    EXPECT_EQ(m_boxes->texts(), QStringList{"The server did not tell where its prompts are "
                                            "(sys_tcl_library_path), so no prompt can be recorded or played."});
    EXPECT_TRUE(lineLog().isEmpty());
}

TEST_F(AsrPage, TheLineIsLetGoWhenAnotherBoxLoads)
{
    openAsr();
    dialFrom();
    selectRow(2);
    click(CAsrPpg::IDC_RECORD);
    ASSERT_EQ(asr().GetLineState(), CAsrPpg::Recording);
    type(CInhPropertyPg::IDC_MAILBOX_NUMBER, "106");
    ASSERT_TRUE(waitUntil([&] { return asr().GetMailboxNumber() == 106; }, 5000));
    EXPECT_EQ(asr().GetLineState(), CAsrPpg::NoLine);
    const QStringList log = lineLog();
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"cg_stopRecord", kFree}));
}

TEST_F(AsrPage, TheLineIsLetGoWhenTheSheetCloses)
{
    openAsr();
    dialFrom();
    m_simulator->scriptLineResult("cg_waitForPlay", "Timeout", 0);
    selectRow(1);
    click(CAsrPpg::IDC_PLAY);
    ASSERT_EQ(asr().GetLineState(), CAsrPpg::Playing);
    m_sheet->close();
    const QStringList log = lineLog();
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"cg_stop", kFree}));
    m_simulator->clearLog();
    m_sheet.reset();
    EXPECT_TRUE(lineLog().isEmpty()) << "let go once";
}

TEST_F(AsrPage, ClosingTheEditorWindowLetsTheLineGoBeforeItsSessionEnds)
{
    QWidget desktop;
    auto *area = new QMdiArea(&desktop);
    desktop.resize(1000, 900);
    area->resize(1000, 900);
    desktop.show();
    const CMailboxPageServices services = m_services;
    CAdminTemplate editors(area, *m_session, login(), [services] {
        CAdminDoc::Account account{[](long) { return true; }, true};
        account.pages = [services](CMailboxPps &sheet) { return CMailboxPages::Make(sheet, services); };
        return std::make_unique<CAdminDoc>(account);
    });
    ASSERT_NE(editors.OpenUAListDocument({104}), nullptr);
    CMailboxPps *sheet = editors.LastFrame()->GetActiveView()->Sheet();
    ASSERT_TRUE(waitUntil([&] { return sheet->ShownNumber() == 104; }));
    auto *tabs = sheet->findChild<QTabWidget *>();
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(sheet->GetPageCount() - 1).center());
    auto *page = dynamic_cast<CAsrPpg *>(sheet->GetActivePage());
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(waitUntil([&] { return page->GetMailboxNumber() == 104 && page->Synonyms().size() == 2; }));
    page->GetDlgItem<QLineEdit>(CAsrPpg::IDC_PHONE)->setText("5551234");
    const QRect row = page->Grid()->visualItemRect(page->Grid()->item(1, 0));
    QTest::mouseClick(page->Grid()->viewport(), Qt::LeftButton, {}, row.center());
    m_simulator->clearLog();
    QTest::mouseClick(page->GetDlgItem<QPushButton>(CAsrPpg::IDC_RECORD), Qt::LeftButton);
    ASSERT_EQ(page->GetLineState(), CAsrPpg::Recording);
    editors.LastFrame()->close();
    const QStringList log = lineLog();
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log.mid(log.size() - 2), (QStringList{"cg_stopRecord", kFree}));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(AsrPage, TheLineIsLetGoWhenThePageIsHidden)
{
    openAsr();
    dialFrom();
    selectRow(2);
    click(CAsrPpg::IDC_RECORD);
    auto *tabs = m_sheet->findChild<QTabWidget *>();
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(0).center());
    ASSERT_TRUE(waitUntil([&] { return received(kFree).size() == 1; }, 5000));
    EXPECT_EQ(lineLog().mid(lineLog().size() - 2), (QStringList{"cg_stopRecord", kFree}));
}

TEST_F(AsrPage, SynonymsGoBackAsAWellFormedList)
{
    // A synonym stored by another program with a brace in it.
    const QString stored = TclWord(QStringLiteral("x}y")) + " {Front Desk} ";
    ASSERT_FALSE(m_session->Execute("UpdateUA 104 WithForce &ASR_Alias_List " + TclWord(stored)).startsWith('!'));
    openAsr();
    EXPECT_EQ(asr().Synonyms(), (QStringList{"x}y", "Front Desk"}));
    selectRow(2);
    click(CAsrPpg::IDC_DELETE_SYNONYM);
    apply();
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 104 2 &ASR_Alias_List {x\\}y } "});
    QStringList back;
    CTclList().SplitList(m_session->Execute("GetUA 104 &ASR_Alias_List"), back);
    ASSERT_EQ(back.size(), 4);
    QStringList synonyms;
    CTclList().SplitList(back.at(3), synonyms);
    EXPECT_EQ(synonyms, QStringList{"x}y"});
}

} // namespace
