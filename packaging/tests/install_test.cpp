// Installing the suite: `cmake --install` into a prefix of the test's own
// puts each part where a Debian system keeps it, and the installed admin,
// started offscreen with an empty per-user store, finds libConduit.so
// through the registration installed with it and logs in to the simulator;
// so does the installed Chanview.
// A registration of the user's own still wins over the installed one.
#include "conduit/ids.h"
#include "platform/com/guid.h"
#include "platform/registry/regkey.h"
#include "testserver/harness/simulatorprocess.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const QString kPrivateLibraryFolder = QStringLiteral(VERBANTA_INSTALL_PKGLIBDIR);

std::string conduitServerKey()
{
    return "CLSID\\" + GuidToString(CLSID_Conduit) + "\\InprocServer32";
}

class InstalledSuite : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_prefix.isValid());
        ASSERT_TRUE(m_home.isValid());
        const int installed = run(QStringLiteral(CMAKE_COMMAND),
                                  {QStringLiteral("--install"), qEnvironmentVariable("VERBANTA_BINARY_DIR"),
                                   QStringLiteral("--prefix"), m_prefix.path()},
                                  QProcessEnvironment::systemEnvironment());
        ASSERT_EQ(installed, 0) << m_output.constData();
    }

    QString installed(const QString &relative) const { return m_prefix.filePath(relative); }
    // The per-user store of the programs the test starts, empty at first.
    QString userStore() const { return m_home.filePath(QStringLiteral("config")); }

    // The exit status, -1 when the program did not end normally within two
    // minutes; what it printed is kept in m_output.
    int run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            m_output = process.readAll();
            return -1;
        }
        m_output = process.readAll();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // Starts an installed program as a desktop would, with nothing of the
    // user's but what the test wrote, and lets the login driver log in.
    int runInstalled(const QString &program, const QString &computer, const QString &user,
                     const QString &password)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), userStore());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        environment.remove(QStringLiteral("VERBANTA_HELP_DIR"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(LOGIN_DRIVER_PLUGIN_PATH));
        environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("verbantalogindriver"));
        environment.insert(QStringLiteral("VERBANTA_DRIVER_COMPUTER"), computer);
        environment.insert(QStringLiteral("VERBANTA_DRIVER_USER"), user);
        environment.insert(QStringLiteral("VERBANTA_DRIVER_PASSWORD"), password);
        return run(installed(program), {}, environment);
    }

    QTemporaryDir m_prefix;
    QTemporaryDir m_home;
    QByteArray m_output;
};

TEST_F(InstalledSuite, PutsEachPartWhereADebianSystemKeepsIt)
{
    const QString lib = kPrivateLibraryFolder + QLatin1Char('/');
    const QString icons = QStringLiteral("share/icons/hicolor/");
    QSet<QString> expected = {
        QStringLiteral("bin/admin"),
        QStringLiteral("bin/Chanview"),
        lib + QStringLiteral("libConduit.so"),
        lib + QStringLiteral("classes.ini"),
        lib + QStringLiteral("regsvr"),
        lib + QStringLiteral("regwrite"),
        lib + QStringLiteral("paramhelp"),
        QStringLiteral("share/applications/verbanta-admin.desktop"),
        QStringLiteral("share/applications/chanview.desktop"),
        QStringLiteral("share/verbanta/admincv.tcl"),
        QStringLiteral("share/doc/verbanta-admin/copyright"),
        QStringLiteral("share/doc/verbanta-admin/changelog.gz"),
        QStringLiteral("share/man/man1/admin.1.gz"),
        QStringLiteral("share/man/man1/Chanview.1.gz"),
    };
    // Both programs' icons at the sizes desktops ask for.
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        expected.insert(icons + QStringLiteral("%1x%1/apps/verbanta-admin.png").arg(size));
        expected.insert(icons + QStringLiteral("%1x%1/apps/chanview.png").arg(size));
    }
    QSet<QString> files;
    QDirIterator walk(m_prefix.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (walk.hasNext())
        files.insert(QDir(m_prefix.path()).relativeFilePath(walk.next()));
    EXPECT_EQ(files, expected);

    for (const QString &program : {QStringLiteral("bin/admin"), QStringLiteral("bin/Chanview"),
                                   lib + QStringLiteral("regsvr"), lib + QStringLiteral("regwrite"),
                                   lib + QStringLiteral("paramhelp")})
        EXPECT_TRUE(QFileInfo(installed(program)).isExecutable()) << program.toStdString();
    // The library stays off the linker's search path.
    EXPECT_NE(QFileInfo(installed(lib + QStringLiteral("libConduit.so"))).absolutePath(),
              installed(QStringLiteral(CMAKE_INSTALL_LIBDIR)));
    // The help requests' folder is there, empty, for the pages to come.
    EXPECT_TRUE(QFileInfo(installed(QStringLiteral("share/verbanta/help/admin"))).isDir());
}

TEST_F(InstalledSuite, RegistersTheInstalledLibraryForEveryUser)
{
    const QFileInfo registrations(installed(kPrivateLibraryFolder + QStringLiteral("/classes.ini")));
    EXPECT_TRUE(registrations.permissions() & QFileDevice::ReadOther);
    EXPECT_FALSE(registrations.permissions() & QFileDevice::WriteOther);

    // Read as a store of its own: the library under its installed path.
    setenv("XDG_CONFIG_HOME", QFileInfo(installed(kPrivateLibraryFolder)).path().toUtf8().constData(), 1);
    CRegKey key;
    ASSERT_EQ(key.Open(HKEY_CLASSES_ROOT, conduitServerKey().c_str()), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString(nullptr), installed(kPrivateLibraryFolder + QStringLiteral("/libConduit.so")));
    EXPECT_EQ(key.QueryString("ThreadingModel"), QStringLiteral("Both"));
}

TEST_F(InstalledSuite, AdminLogsInWithAnEmptyUserStore)
{
    testserver::SimulatorProcess server;
    EXPECT_EQ(runInstalled(QStringLiteral("bin/admin"), server.host(), QStringLiteral("admin"),
                           QStringLiteral("admin")),
              0)
        << m_output.constData();
    EXPECT_TRUE(m_output.contains("login\n")) << m_output.constData();
    EXPECT_TRUE(m_output.contains("main window\n")) << m_output.constData();
    EXPECT_FALSE(m_output.contains("message:")) << m_output.constData();
    const QList<testserver::LoggedCommand> log = server.commandLog();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.first().transaction, 0u);
    EXPECT_TRUE(log.first().text.contains(QLatin1String("admin"))) << log.first().text.toStdString();
    EXPECT_FALSE(server.commandTexts().isEmpty());
    // Nothing was registered for the user on the way.
    EXPECT_FALSE(QFileInfo::exists(userStore() + QStringLiteral("/verbanta/classes.ini")));
}

TEST_F(InstalledSuite, ChanviewLogsInWithAnEmptyUserStore)
{
    testserver::SimulatorProcess server;
    // Its port list is a dialog; the driver closes it with Escape, which ends the program.
    EXPECT_EQ(runInstalled(QStringLiteral("bin/Chanview"), server.host(), QStringLiteral("admin"),
                           QStringLiteral("admin")),
              0)
        << m_output.constData();
    EXPECT_TRUE(m_output.contains("login\n")) << m_output.constData();
    EXPECT_TRUE(m_output.contains("dialog: Voice Ports Status on " + server.host().toUtf8()))
        << m_output.constData();
    EXPECT_FALSE(m_output.contains("message:")) << m_output.constData();
    ASSERT_FALSE(server.commandLog().isEmpty());
    EXPECT_EQ(server.commandLog().first().transaction, 0u);
}

TEST_F(InstalledSuite, AUsersOwnRegistrationWins)
{
    const QString elsewhere = m_home.filePath(QStringLiteral("build/libConduit.so"));
    setenv("XDG_CONFIG_HOME", userStore().toUtf8().constData(), 1);
    {
        CRegKey key;
        ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, conduitServerKey().c_str()), ERROR_SUCCESS);
        ASSERT_EQ(key.SetString(nullptr, elsewhere), ERROR_SUCCESS);
    }
    testserver::SimulatorProcess server;
    EXPECT_EQ(runInstalled(QStringLiteral("bin/admin"), server.host(), QStringLiteral("admin"),
                           QStringLiteral("admin")),
              1)
        << m_output.constData();
    // The user's library was the one looked for; it isn't there.
    EXPECT_TRUE(m_output.contains("cannot load " + elsewhere.toUtf8())) << m_output.constData();
    EXPECT_TRUE(m_output.contains("message: CoGetClassObject Failed 800401F8")) << m_output.constData();
    EXPECT_EQ(server.connectionCount(), 0);
}

} // namespace
