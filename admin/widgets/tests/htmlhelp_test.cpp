// Help: topics by context number, the default topic, and help that is not
// installed said at every request until it is installed.
#include "admin/widgets/htmlhelp.h"

#include "platform/msgbox/messageboxscript.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// Stands in for the desktop's browser: records what it was asked to open.
class BrowserRecorder : public QObject {
    Q_OBJECT
public:
    BrowserRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~BrowserRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    QStringList m_opened;

public slots:
    void open(const QUrl &url) { m_opened << QFileInfo(url.toLocalFile()).fileName(); }
};

void writeFile(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
    file.write("<html><body>help</body></html>");
}

class InstalledHelp : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        QDir(m_folder.path()).mkdir(QStringLiteral("admin"));
        writeFile(m_folder.filePath(QStringLiteral("admin/index.html")));
        writeFile(m_folder.filePath(QStringLiteral("admin/224.html")));
    }
    QTemporaryDir m_folder;
    BrowserRecorder m_browser;
};

} // namespace

TEST_F(InstalledHelp, OpensTheTopicOfAContext)
{
    CHtmlHelp help(m_folder.path());
    EXPECT_NE(help.Show(QStringLiteral("admin.chm"), HH_HELP_CONTEXT, 224), 0);
    EXPECT_EQ(m_browser.m_opened, QStringList{QStringLiteral("224.html")});
}

TEST_F(InstalledHelp, OpensTheDefaultTopicForNoContextOrAnUnknownOne)
{
    CHtmlHelp help(m_folder.path());
    EXPECT_NE(help.Show(QStringLiteral("admin.chm"), HH_DISPLAY_TOPIC, 0), 0);
    EXPECT_NE(help.Show(QStringLiteral("admin.chm"), HH_HELP_CONTEXT, 262), 0);
    EXPECT_EQ(m_browser.m_opened, (QStringList{QStringLiteral("index.html"), QStringLiteral("index.html")}));
}

TEST_F(InstalledHelp, RefusesPathsAndUnknownCommandsWithoutGivingUp)
{
    CHtmlHelp help(m_folder.path());
    MessageBoxScript script;
    EXPECT_EQ(help.Show(QStringLiteral("../admin.chm"), HH_DISPLAY_TOPIC, 0), 0);
    EXPECT_EQ(help.Show(QStringLiteral("sub/admin.chm"), HH_DISPLAY_TOPIC, 0), 0);
    EXPECT_EQ(help.Show(QStringLiteral("admin.chm"), 0x12, 0), 0);
    EXPECT_TRUE(script.transcript().empty());
    EXPECT_TRUE(m_browser.m_opened.isEmpty());
}

TEST(HtmlHelp, NotInstalledIsSaidAtEveryRequestAndFoundOnceInstalled)
{
    QTemporaryDir empty;
    BrowserRecorder browser;
    CHtmlHelp help(empty.path());
    MessageBoxScript script;
    script.answer({IDOK, IDOK});
    EXPECT_EQ(help.Show(QStringLiteral("admin.chm"), HH_HELP_CONTEXT, 213), 0);
    EXPECT_EQ(help.Show(QStringLiteral("admin.chm"), HH_DISPLAY_TOPIC, 0), 0);
    ASSERT_EQ(script.transcript().size(), 2) << "the second request is answered too";
    for (const auto &shown : script.transcript()) {
        EXPECT_TRUE(shown.text.startsWith(QStringLiteral("Help is not installed")));
        EXPECT_EQ(shown.type, UINT(MB_ICONINFORMATION));
    }

    // Installed while the program runs: the next request opens it.
    QDir(empty.path()).mkdir(QStringLiteral("admin"));
    writeFile(empty.filePath(QStringLiteral("admin/index.html")));
    EXPECT_NE(help.Show(QStringLiteral("admin.chm"), HH_DISPLAY_TOPIC, 0), 0);
    EXPECT_EQ(script.transcript().size(), 2);
    EXPECT_EQ(browser.m_opened.size(), 1);
}

TEST(HtmlHelp, TheProgramsHelpFolderComesFromTheEnvironment)
{
    QTemporaryDir folder;
    qputenv("VERBANTA_HELP_DIR", folder.path().toLocal8Bit());
    EXPECT_EQ(CHtmlHelp::DefaultFolder(), folder.path());
    MessageBoxScript script;
    script.answer({IDOK, IDOK});
    EXPECT_EQ(CallHtmlHelp(nullptr, QStringLiteral("admin.chm"), HH_DISPLAY_TOPIC, 0), 0);
    EXPECT_EQ(CallHtmlHelp(nullptr, QStringLiteral("admin.chm"), HH_HELP_CONTEXT, 224), 0);
    EXPECT_EQ(script.transcript().size(), 2);
    qunsetenv("VERBANTA_HELP_DIR");
}

#include "htmlhelp_test.moc"
