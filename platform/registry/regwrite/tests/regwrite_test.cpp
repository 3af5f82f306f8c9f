// The settings tool as the demo uses it: what it writes, a program reads
// back through the profile functions; what it cannot do it says.
#include "platform/registry/profile.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class RegwriteTool : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_store.isValid());
        setenv("XDG_CONFIG_HOME", m_store.path().toLocal8Bit().constData(), 1);
    }

    int run(const QStringList &arguments)
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_store.path());
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(REGWRITE_PATH), arguments);
        if (!tool.waitForFinished(60000))
            return -1;
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }

    QTemporaryDir m_store;
};

TEST_F(RegwriteTool, WritesAValueTheProfileFunctionsRead)
{
    ASSERT_EQ(run({QStringLiteral("HKCU"), QStringLiteral("Software\\Verbanta\\Admin\\Login"),
                   QStringLiteral("Host"), QStringLiteral("127.0.0.1,")}),
              0);
    const CProfile profile = CProfile::inRegistry(QStringLiteral("Verbanta"), QStringLiteral("Admin"));
    EXPECT_EQ(profile.GetProfileString(QStringLiteral("Login"), QStringLiteral("Host")).toStdString(),
              "127.0.0.1,");
}

TEST_F(RegwriteTool, SaysWhatItCannotDoInItsStatus)
{
    EXPECT_EQ(run({}), 1);
    EXPECT_EQ(
        run({QStringLiteral("HKXX"), QStringLiteral("Key"), QStringLiteral("Name"), QStringLiteral("v")}), 1);
    // The user's store file cannot be written: a folder stands in its place.
    ASSERT_TRUE(QDir(m_store.path()).mkpath(QStringLiteral("verbanta/user.ini")));
    EXPECT_EQ(
        run({QStringLiteral("HKCU"), QStringLiteral("Key"), QStringLiteral("Name"), QStringLiteral("v")}), 2);
}

} // namespace
