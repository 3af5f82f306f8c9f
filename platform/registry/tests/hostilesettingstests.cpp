// Settings files from outside: lines the program cannot read (garbage, bytes
// that are not UTF-8, NULs, no final line end, CR LF) are read around and
// never rewritten; a value of the wrong type or form is named once, with its
// file and key, and gives the default.
#include "platform/registry/inifile.h"
#include "platform/registry/profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void store(const QString &path, const QByteArray &bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

std::mutex g_warningsMutex;
QStringList g_warnings;

void keepWarning(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtWarningMsg)
        return;
    std::lock_guard lock(g_warningsMutex);
    g_warnings.append(text);
}

class HostileSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        setenv("XDG_CONFIG_HOME", m_folder.path().toUtf8().constData(), 1);
        g_warnings.clear();
        m_previousHandler = qInstallMessageHandler(keepWarning);
    }
    void TearDown() override { qInstallMessageHandler(m_previousHandler); }

    QString storePath(const QString &name) const { return m_folder.path() + "/verbanta/" + name; }

    QTemporaryDir m_folder;
    QtMessageHandler m_previousHandler = nullptr;
};

// What no reader of settings can take, each kind in a line of its own.
const char kGarbageLines[] = "this line is no setting\n"
                             "[[[ half a section\n"
                             "=a value without a key\n"
                             "Broken=\xff\xfe not UTF-8 \xc3\x28\n"
                             "Nul=before\0after\n"
                             "; a comment\n"
                             "Crlf=value\r\n"
                             "Last=line without its end";
const QByteArray kGarbage(kGarbageLines, sizeof kGarbageLines - 1);

struct Store {
    const char *name;
    CProfile profile;
    QString file;
};

// The file holds a value written by the program between two blocks of what
// nothing can read; a change of that value, and a new value, leave both
// blocks byte for byte.
TEST_F(HostileSettingsTest, AChangeLeavesEveryLineItDidNotTouchByteForByte)
{
    const Store stores[] = {{"registry", CProfile::inRegistry("Verbanta", "Admin"), "user.ini"},
                            {"program's file", CProfile::inIniFile("Chanview.ini"), "Chanview.ini"}};
    for (const Store &s : stores) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(s.profile.WriteProfileString("Login", "User", "admin"));
        const QByteArray written = contentOf(storePath(s.file));
        const QByteArray before = kGarbage.left(60) + '\n';
        const QByteArray after = '\n' + kGarbage;
        store(storePath(s.file), before + written + after);

        ASSERT_TRUE(s.profile.WriteProfileString("Login", "User", "root"));
        ASSERT_TRUE(s.profile.WriteProfileString("Login", "Host", "a,b,"));
        ASSERT_TRUE(s.profile.WriteProfileInt("66", "CX", 700));
        const QByteArray changed = contentOf(storePath(s.file));
        EXPECT_TRUE(changed.startsWith(before));
        EXPECT_TRUE(changed.contains(after));
        EXPECT_EQ(s.profile.GetProfileString("Login", "User"), "root");
        EXPECT_EQ(s.profile.GetProfileString("Login", "Host"), "a,b,");
        EXPECT_EQ(s.profile.GetProfileInt("66", "CX", 0), 700);
        // Every line but the changed one is still there, in its order.
        const QList<QByteArray> lines = changed.split('\n');
        qsizetype next = 0;
        for (const QByteArray &line : (before + written + after).split('\n')) {
            if (line.contains("ser=") && line.contains("admin"))
                continue;
            while (next < lines.size() && lines.at(next) != line)
                ++next;
            ASSERT_LT(next, lines.size()) << "lost: " << line.toStdString();
            ++next;
        }
    }
}

TEST_F(HostileSettingsTest, AFileWithNothingReadableStillTakesAValueAndKeepsItsBytes)
{
    const QString path = storePath("Chanview.ini");
    const CProfile profile = CProfile::inIniFile("Chanview.ini");
    ASSERT_TRUE(profile.WriteProfileString("Login", "SavePassword", "0"));
    store(path, kGarbage);
    ASSERT_TRUE(profile.WriteProfileString("Login", "SavePassword", "1"));
    EXPECT_EQ(contentOf(path), kGarbage + "\n\n[Login]\nSavePassword=1\n");
    EXPECT_EQ(profile.GetProfileString("Login", "SavePassword"), "1");
}

TEST_F(HostileSettingsTest, ReadingAndWritingNothingLeavesTheFileAlone)
{
    const QString path = storePath("Chanview.ini");
    const CProfile profile = CProfile::inIniFile("Chanview.ini");
    ASSERT_TRUE(profile.WriteProfileInt("66", "CX", 700));
    const QByteArray file = contentOf(path) + kGarbage;
    store(path, file);
    EXPECT_EQ(profile.GetProfileInt("66", "CX", 0), 700);
    ASSERT_TRUE(profile.WriteProfileInt("66", "CX", 700));
    EXPECT_EQ(contentOf(path), file);
}

struct Unusable {
    const char *name;
    const char *file; // "user.ini" holds admin's Login section, else Chanview.ini's
    QByteArray line;  // the stored line, after the key
    const char *key;  // as the notice names it
};

void PrintTo(const Unusable &c, std::ostream *out)
{
    *out << c.name;
}

class UnusableValue : public HostileSettingsTest, public testing::WithParamInterface<Unusable> {};

TEST_P(UnusableValue, IsNamedOnceWithItsFileAndKeyAndGivesTheDefault)
{
    const Unusable &c = GetParam();
    const bool registry = QByteArray(c.file) == "user.ini";
    const CProfile profile =
        registry ? CProfile::inRegistry("Verbanta", "Admin") : CProfile::inIniFile("Chanview.ini");
    ASSERT_TRUE(profile.WriteProfileString("Login", "User", "admin"));
    const QString path = storePath(c.file);
    QByteArray file = contentOf(path);
    const QByteArray userKey = registry ? "verbanta\\admin\\login\\%25vuser=" : "User=";
    const qsizetype at = file.indexOf(userKey);
    ASSERT_GE(at, 0);
    file.insert(at, (registry ? "verbanta\\admin\\login\\%25v" : "") + c.line + '\n');
    store(path, file);

    for (int read = 0; read < 3; ++read)
        EXPECT_EQ(profile.GetProfileString("Login", "Host", "<default>"), "<default>");
    EXPECT_EQ(profile.GetProfileString("Login", "User"), "admin");
    ASSERT_EQ(g_warnings.size(), 1) << g_warnings.join('\n').toStdString();
    EXPECT_TRUE(
        g_warnings.first().startsWith(QString(c.file) + ": the value of " + c.key + " can not be used"))
        << g_warnings.first().toStdString();
    EXPECT_EQ(contentOf(path), file);
}

const QByteArray kMegabyte(1024 * 1024, 'h');

INSTANTIATE_TEST_SUITE_P(
    Values, UnusableValue,
    testing::Values(
        Unusable{"a number", "user.ini", "host=dword:5", "Software\\Verbanta\\Admin\\Login\\Host"},
        Unusable{"no type", "user.ini", "host=a,b,", "Software\\Verbanta\\Admin\\Login\\Host"},
        Unusable{"not UTF-8", "user.ini", "host=sz:a\xff\xfe,b,", "Software\\Verbanta\\Admin\\Login\\Host"},
        Unusable{"a megabyte", "user.ini", "host=sz:" + kMegabyte, "Software\\Verbanta\\Admin\\Login\\Host"},
        Unusable{"bad hexadecimal", "user.ini", "host=hex:zz", "Software\\Verbanta\\Admin\\Login\\Host"},
        Unusable{"not UTF-8 in the program's file", "Chanview.ini",
                 "Host=a\xc3\x28"
                 "b",
                 "Login/Host"},
        Unusable{"a NUL in the program's file", "Chanview.ini", QByteArray("Host=a\0b", 8), "Login/Host"},
        Unusable{"a megabyte in the program's file", "Chanview.ini", "Host=" + kMegabyte, "Login/Host"}));

struct NotANumber {
    const char *name;
    const char *value;
};

void PrintTo(const NotANumber &c, std::ostream *out)
{
    *out << c.name;
}

class SizeNotANumber : public HostileSettingsTest, public testing::WithParamInterface<NotANumber> {};

TEST_P(SizeNotANumber, IsNamedOnceAndGivesTheDefault)
{
    store(storePath("Chanview.ini"), QByteArray("[66]\nCX=") + GetParam().value + "\nCY=420\n");
    const CProfile profile = CProfile::inIniFile("Chanview.ini");
    EXPECT_EQ(profile.GetProfileInt("66", "CX", 0), 0);
    EXPECT_EQ(profile.GetProfileInt("66", "CX", 0), 0);
    EXPECT_EQ(profile.GetProfileInt("66", "CY", 0), 420);
    ASSERT_EQ(g_warnings.size(), 1);
    EXPECT_TRUE(g_warnings.first().contains("Chanview.ini: the value of 66/CX can not be used"));
}

INSTANTIATE_TEST_SUITE_P(Values, SizeNotANumber,
                         testing::Values(NotANumber{"word", "wide"}, NotANumber{"trailing letters", "700px"},
                                         NotANumber{"past 32 bits", "99999999999"}, NotANumber{"empty", ""},
                                         NotANumber{"fraction", "700.5"}));

} // namespace
