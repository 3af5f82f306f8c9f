// The settings tool as the demo uses it: what it writes, a program reads
// back through the profile functions; what it cannot do it says.
#include "platform/registry/profile.h"
#include "platform/registry/tests/privatestoretool.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class RegwriteTool : public PrivateStoreTool {
protected:
    int run(const QStringList &arguments) { return runTool(QStringLiteral(REGWRITE_PATH), arguments); }
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
