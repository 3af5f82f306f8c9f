// The configuration window on the Voice Ports page against the simulator's
// realistic configuration, used as its user uses it: it opens once, shows
// the ports, takes an extension and an answer method, and its OK, Apply and
// Cancel buttons and the frame's close box ask what the Parts ask; what
// reaches the server is counted in the simulator's log.
#include "admin/config/depot/configdepot.h"
#include "admin/config/window/configdoc.h"
#include "admin/config/window/configdoctemplate.h"
#include "admin/config/window/configpropframe.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/window/configwindowhost.h"
#include "admin/testsupport/configtestbase.h"
#include "admin/config/window/voiceportsppg.h"
#include "admin/session/serverexitnotice.h"
#include "admin/widgets/spreadsheetex.h"
#include "platform/messages/messagetarget.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// The main frame as the window sees it: an MDI area, the open flag and the
// pages the window reported.
class TestHost : public QMainWindow, public CMessageTarget, public CConfigWindowHost {
public:
    TestHost() : CMessageTarget(this), m_area(new QMdiArea(this))
    {
        setCentralWidget(m_area);
        resize(1000, 700);
        show();
    }
    ~TestHost() override { unregisterWindow(); }

    bool IsConfigWindowOpen() const override { return m_open; }
    void OnConfigWindowOpened(CConfigPropFrame *frame) override
    {
        m_open = true;
        m_frame = frame;
    }
    QMdiArea *ConfigMdiArea() const override { return m_area; }
    HWND ConfigMainWindow() const override { return GetSafeHwnd(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CONFIG_PAGE_SHOWN) {
            m_shown.append(int(wParam));
            if (wParam == 0)
                m_open = false;
            return 0;
        }
        if (message == WM_SERVER_EXIT) {
            ++m_serverExits;
            return 0;
        }
        return CMessageTarget::WindowProc(message, wParam, lParam);
    }

    QMdiArea *m_area;
    bool m_open = false;
    QPointer<CConfigPropFrame> m_frame;
    QList<int> m_shown;
    int m_serverExits = 0;
};

class ConfigWindowTest : public ConfigTestBase {
protected:
    void SetUp() override
    {
        ConfigTestBase::SetUp();
        m_server->loadConfiguration();
        connectSession();
        m_host = std::make_unique<TestHost>();
        m_template = std::make_unique<CConfigDocTemplate>(*m_host);
    }
    void TearDown() override
    {
        m_host.reset();
        ConfigTestBase::TearDown();
    }
    CConfigLogin login() const
    {
        return CConfigLogin{m_session.get(), credentials(), {"E&M Wink Start"}, "2147483647"};
    }
    // Opens the window as the main frame does and shows the Voice Ports page.
    void open()
    {
        ASSERT_NE(m_template->OpenDocumentFile(login()), nullptr);
        PostMessage(m_host->m_frame->GetSafeHwnd(), WM_SHOW_CONFIG_PAGE,
                    CConfigPropSheet::ID_CONFIG_VOICE_PORTS, 0);
        ASSERT_TRUE(
            WaitFor([&] { return m_host->m_shown.contains(CConfigPropSheet::ID_CONFIG_VOICE_PORTS); }));
        m_server->clearLog();
    }
    CConfigPropSheet *sheet() const { return m_host->m_frame ? m_host->m_frame->Sheet() : nullptr; }
    CVoicePortsPpg *page() const { return sheet()->FindPage<CVoicePortsPpg>(); }
    CSpreadSheetEx *grid() const { return page()->Grid(); }
    void click(int id) { QTest::mouseClick(sheet()->GetDlgItem<QPushButton>(id), Qt::LeftButton); }
    // The cell's editor, opened as a double click opens it.
    template <class Editor> Editor *startEditing(int col, int row)
    {
        grid()->setCurrentCell(row - 1, col - 1);
        grid()->editItem(grid()->item(row - 1, col - 1));
        for (Editor *editor : grid()->viewport()->findChildren<Editor *>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }
    // Types into a cell as the user does: open it, type, Enter.
    void type(int col, int row, const QString &text)
    {
        QLineEdit *editor = startEditing<QLineEdit>(col, row);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The view takes the edit from the editor on its next round.
        QTest::qWait(0);
    }
    // Picks an answer method from the cell's list, as the user does.
    void choose(int row, const QString &method)
    {
        auto *combo = startEditing<QComboBox>(CVoicePortsPpg::ColAnswerMethod, row);
        ASSERT_NE(combo, nullptr);
        combo->setCurrentIndex(combo->findText(method));
        QTest::keyClick(combo, Qt::Key_Return);
        QTest::qWait(0);
    }
    QString cell(int col, int row) const
    {
        grid()->SetCol(col);
        grid()->SetRow(row);
        return grid()->GetText();
    }
    bool closed() const { return m_host->m_frame.isNull() && !m_host->m_open; }
    void screenshot(const QString &name)
    {
        SaveScreenshot(m_host->m_frame, name);
    }

    std::unique_ptr<TestHost> m_host;
    std::unique_ptr<CConfigDocTemplate> m_template;
};

TEST_F(ConfigWindowTest, OpensOnceAndShowsEveryPort)
{
    open();
    EXPECT_EQ(m_host->m_frame->GetDocument()->GetTitle(), "Configuration Properties");
    EXPECT_EQ(m_host->m_frame->windowTitle(), "Configuration Properties");
    EXPECT_EQ(grid()->rowCount(), 96);
    EXPECT_EQ(cell(1, 1), "1");
    EXPECT_EQ(cell(2, 1), "2001");
    EXPECT_EQ(cell(3, 1), "Night");
    EXPECT_EQ(cell(2, 13), "");
    EXPECT_EQ(cell(3, 13), "");
    EXPECT_EQ(cell(4, 1), "Pager");
    EXPECT_EQ(cell(5, 1), "Reception");
    EXPECT_EQ(cell(4, 96), "Outdial");
    grid()->SetCol(3);
    grid()->SetRow(1);
    EXPECT_EQ(grid()->GetTypeComboBoxList(), "Day\tNight\tWeekend\tSales\tSupport\tFax");
    EXPECT_FALSE(sheet()->IsApplyEnabled());
    screenshot("config-voice-ports.png");

    // A second command only shows the window's page.
    EXPECT_EQ(m_template->OpenDocumentFile(login()), nullptr);
    EXPECT_EQ(m_host->m_area->subWindowList().size(), 1);
    EXPECT_TRUE(commands().isEmpty());
}

TEST_F(ConfigWindowTest, OneChangedPortIsOneBatchOfOneLineAndOkCloses)
{
    open();
    type(CVoicePortsPpg::ColExtension, 5, "3005");
    choose(5, "Sales");
    EXPECT_TRUE(sheet()->IsApplyEnabled());
    screenshot("config-voice-ports-changed.png");
    m_boxes->answer(IDYES);
    click(IDOK);
    ASSERT_TRUE(WaitFor([&] { return closed(); }));
    EXPECT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(
        m_boxes->texts()[0].startsWith("Do you want to update the configuration data in VerbantaES server "
                                       "and close the configuration window?"));
    EXPECT_EQ(commands(), QStringList({"set _rlist \"\"\r\n"
                                       "if {[catch {ConfigSetString Line5 {3005 Sales} 1}]} {\r\n"
                                       "lappend _rlist Line5\r\n}\r\n"
                                       "set _rlist\r\n"}));
    EXPECT_EQ(m_host->m_shown.last(), 0);
}

TEST_F(ConfigWindowTest, AnExtensionWithABlankIsRefusedAndTheOldOneStays)
{
    open();
    m_boxes->answer(IDOK);
    type(CVoicePortsPpg::ColExtension, 2, "20 02");
    EXPECT_EQ(m_boxes->texts(),
              QStringList({"Invalid Extension '20 02'. Try to reenter an Extension after closing "
                           "this message box."}));
    EXPECT_EQ(cell(2, 2), "2002");
    EXPECT_EQ(page()->Port(2).extension, "2002");
    EXPECT_EQ(grid()->currentRow(), 1);
    EXPECT_EQ(grid()->currentColumn(), 1);
}

TEST_F(ConfigWindowTest, ARefusedVariableIsNamedAndTheWindowStaysOpen)
{
    m_server->refuseVariable("Line7");
    open();
    type(CVoicePortsPpg::ColExtension, 7, "3007");
    type(CVoicePortsPpg::ColExtension, 8, "3008");
    m_boxes->answer({IDYES, IDOK});
    click(IDOK);
    ASSERT_EQ(m_boxes->texts().size(), 2);
    EXPECT_EQ(m_boxes->texts()[1], "Server reported error while updating configuration 'Line7'.\n\n"
                                   "Not stored: Line7.\nStored: Line8.\n\nWhat was not stored stays in the "
                                   "window: correct it or write it again.");
    QTest::qWait(50);
    EXPECT_FALSE(closed());
    EXPECT_TRUE(sheet()->isVisible());
    EXPECT_TRUE(sheet()->IsApplyEnabled());
    EXPECT_EQ(cell(2, 7), "3007");
    screenshot("config-voice-ports-refused.png");

    // Once the server takes it, Apply writes only what is still unwritten.
    m_server->acceptVariable("Line7");
    m_server->clearLog();
    m_boxes->answer(IDYES);
    click(ID_APPLY_NOW);
    const QStringList sent = commands();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_TRUE(sent[0].contains("ConfigSetString Line7 {3007 Night} 1"));
    EXPECT_FALSE(sent[0].contains("Line8"));
    EXPECT_FALSE(closed());
}

TEST_F(ConfigWindowTest, OkAndCancelWithoutChangesCloseWithoutAQuestion)
{
    for (int button : {IDOK, IDCANCEL}) {
        open();
        click(button);
        ASSERT_TRUE(WaitFor([&] { return closed(); }));
        EXPECT_TRUE(m_boxes->texts().isEmpty());
        EXPECT_TRUE(commands().isEmpty());
    }
}

TEST_F(ConfigWindowTest, ApplyAnsweredNoSendsNothing)
{
    open();
    type(CVoicePortsPpg::ColExtension, 3, "3003");
    m_boxes->answer(IDNO);
    click(ID_APPLY_NOW);
    EXPECT_TRUE(commands().isEmpty());
    EXPECT_TRUE(sheet()->IsApplyEnabled());
    EXPECT_FALSE(closed());
}

TEST_F(ConfigWindowTest, ClosingTheFrameAsksOnceAndNoDiscards)
{
    open();
    type(CVoicePortsPpg::ColExtension, 3, "3003");
    m_boxes->answer(IDNO);
    m_host->m_frame->close();
    ASSERT_TRUE(WaitFor([&] { return closed(); }));
    EXPECT_EQ(m_boxes->texts(),
              QStringList({"You are about to close the configuration window.\n Do you save your "
                           "changes to VerbantaES server before closing the window?"}));
    EXPECT_TRUE(commands().isEmpty());
}

TEST_F(ConfigWindowTest, ClosingTheWindowsSessionHidesNoOtherLostLink)
{
    CServerExitNotice::SetMainWindow(m_host->GetSafeHwnd());
    open();
    click(IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return closed(); }));
    QTest::qWait(100);
    EXPECT_EQ(m_host->m_serverExits, 0);
    // The test's own session stands for the application's: its link lost
    // is still a lost server.
    m_server->dropLinks();
    EXPECT_TRUE(WaitFor([&] { return m_host->m_serverExits == 1; }));
    CServerExitNotice::SetMainWindow(nullptr);
}

TEST_F(ConfigWindowTest, ALinkLostDuringApplySaysItIsNotKnownWhetherTheServerStoredIt)
{
    CServerExitNotice::SetMainWindow(m_host->GetSafeHwnd());
    open();
    type(CVoicePortsPpg::ColExtension, 6, "3006");
    // The server stores the batch, and the link ends before its answer.
    m_server->dropLinkAfter("set");
    m_boxes->answer({IDYES, IDOK});
    click(ID_APPLY_NOW);
    ASSERT_EQ(m_boxes->texts().size(), 2);
    EXPECT_EQ(m_boxes->texts()[1], "The link to the server ended before an answer came.\n"
                                   "It is not known whether these were stored: Line6.\n"
                                   "Nothing after them was sent.");
    screenshot("config-window-link-lost.png");
    // Admin ends as the main window is told.
    EXPECT_TRUE(WaitFor([&] { return m_host->m_serverExits == 1; }));
    CServerExitNotice::SetMainWindow(nullptr);
    CZELTSession reader(*m_session);
    reader.Connect(credentials());
    EXPECT_EQ(reader.Execute("set Line6\r\n"), "3006 Day");
    reader.Disconnect();
}

TEST_F(ConfigWindowTest, ALoadThatGetsNoAnswerOpensNoWindow)
{
    // The link ends at the load's last command.
    m_server->dropLinkAfter("GetUAList");
    m_boxes->answer(IDOK);
    EXPECT_EQ(m_template->OpenDocumentFile(login()), nullptr);
    EXPECT_EQ(m_boxes->texts(),
              QStringList({"The classes of service and user agents could not be read from "
                           "the server.\nThe link to the server ended before an answer came."}));
    EXPECT_TRUE(m_host->m_area->subWindowList().isEmpty());
    EXPECT_FALSE(m_host->m_open);
    EXPECT_TRUE(commands().filter("ConfigSetString").isEmpty());
}

TEST_F(ConfigWindowTest, TheLoadSaysInTheStatusBarWhatItReads)
{
    QStringList shown;
    QObject::connect(m_host->statusBar(), &QStatusBar::messageChanged,
                     [&](const QString &message) { shown << message; });
    open();
    EXPECT_EQ(shown,
              QStringList({"Reading the configuration from the server: voice ports\u2026",
                           "Reading the configuration from the server: telephone system integration\u2026",
                           "Reading the configuration from the server: answer methods, port groups, serial "
                           "ports, IVR hosts, holidays and scheduled actions\u2026",
                           "Reading the configuration from the server: scheduled actions\u2026",
                           "Reading the configuration from the server: serial ports\u2026",
                           "Reading the configuration from the server: languages\u2026",
                           "Reading the configuration from the server: classes of service and user "
                           "agents\u2026",
                           ""}));
}

TEST_F(ConfigWindowTest, AnswerMethodsRenamedOrGoneFollowOnEveryPort)
{
    open();
    EXPECT_TRUE(page()->IsAnswerMethodUsed("Night"));
    EXPECT_FALSE(page()->IsAnswerMethodUsed("night"));
    page()->SetAnswerMethodList("Day\tEvening\tWeekend\tSales\tSupport\tFax");
    page()->RenameAnswerMethod("Night", "Evening");
    EXPECT_EQ(cell(3, 1), "Evening");
    EXPECT_EQ(cell(3, 7), "Evening");
    page()->ClearAnswerMethod("Fax");
    EXPECT_EQ(cell(3, 5), "");
    // A method no longer listed is dropped at the next refresh.
    page()->SetAnswerMethodList("Day\tEvening\tWeekend\tSales\tFax");
    page()->RefreshGrid();
    EXPECT_EQ(cell(3, 4), "");
    EXPECT_FALSE(page()->IsAnswerMethodUsed("Support"));
    grid()->SetCol(3);
    grid()->SetRow(2);
    EXPECT_EQ(grid()->GetTypeComboBoxList(), "Day\tEvening\tWeekend\tSales\tFax");

    // The Answer Methods page marks itself changed when it renames; here an
    // extension does.
    type(CVoicePortsPpg::ColExtension, 1, "2901");
    m_boxes->answer(IDYES);
    click(ID_APPLY_NOW);
    const QStringList sent = commands();
    ASSERT_EQ(sent.size(), 1);
    EXPECT_TRUE(sent[0].contains("ConfigSetString Line1 {2901 Evening} 1"));
    EXPECT_TRUE(sent[0].contains("ConfigSetString Line4 {2004 {}} 1"));
    EXPECT_TRUE(sent[0].contains("ConfigSetString Line5 {2005 {}} 1"));
    EXPECT_FALSE(sent[0].contains("Line2 "));
}

// Stands in for the desktop's browser: records the help pages it is asked
// to open.
class BrowserRecorder : public QObject {
    Q_OBJECT
public:
    BrowserRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~BrowserRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList m_opened;
public slots:
    void open(const QUrl &url) { m_opened << QFileInfo(url.toLocalFile()).fileName(); }
};

TEST_F(ConfigWindowTest, HelpOnAPageOpensItsCommandsTopic)
{
    QTemporaryDir help;
    QDir(help.path()).mkpath("admin");
    for (const char *page : {"admin/index.html", "admin/32840.html"}) {
        QFile file(help.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
    }
    qputenv("VERBANTA_HELP_DIR", help.path().toLocal8Bit());
    BrowserRecorder browser;
    open();
    QTest::keyClick(grid(), Qt::Key_F1);
    click(IDHELP);
    EXPECT_EQ(browser.m_opened, QStringList({"32840.html", "32840.html"}));
}

TEST(VoicePortLine, IsATclListBothWays)
{
    struct Case {
        const char *line;
        const char *extension;
        const char *method;
        int rest;
    };
    const Case cases[] = {
        {"101 Main", "101", "Main", 0},
        {"{} {}", "", "", 0},
        {"{} Night 3 4", "", "Night", 2},
        {"101 Main {a b} 3", "101", "Main", 2},
        {"1\\}\\[exit\\]\\{ Day", "1}[exit]{", "Day", 0},
    };
    for (const Case &c : cases) {
        const CVoicePortsPpg::PortRecord record = CVoicePortsPpg::ParseLine(QString::fromUtf8(c.line));
        EXPECT_EQ(record.extension, QString::fromUtf8(c.extension)) << c.line;
        EXPECT_EQ(record.answerMethod, QString::fromUtf8(c.method));
        EXPECT_EQ(record.rest.size(), c.rest);
        EXPECT_EQ(CVoicePortsPpg::FormatLine(record), QString::fromUtf8(c.line));
    }
}

} // namespace

#include "configwindow_test.moc"
