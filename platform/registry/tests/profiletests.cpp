// Profile entries in the registry (admin) and in a program's own INI file
// (Chanview).
#include "platform/registry/profile.h"
#include "platform/registry/regkey.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class ProfileTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        setenv("XDG_CONFIG_HOME", m_folder.path().toUtf8().constData(), 1);
    }

    QTemporaryDir m_folder;
};

TEST_F(ProfileTest, AdminLoginSectionLandsWhereChanviewReadsIt)
{
    const CProfile profile = CProfile::inRegistry("Verbanta", "Admin");
    ASSERT_TRUE(profile.WriteProfileString("Login", "Host", "127.0.0.1,server2,"));
    ASSERT_TRUE(profile.WriteProfileString("Login", "User", "admin"));

    CRegKey key;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, "SOFTWARE\\Verbanta\\Admin\\Login"), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString("Host"), QString("127.0.0.1,server2,"));
    EXPECT_EQ(profile.GetProfileString("Login", "User"), "admin");
}

TEST_F(ProfileTest, MissingEntriesGiveTheDefaults)
{
    for (const CProfile &profile :
         {CProfile::inRegistry("Verbanta", "Admin"), CProfile::inIniFile("Chanview.ini")}) {
        EXPECT_EQ(profile.GetProfileString("Login", "SavePassword", "0"), "0");
        EXPECT_EQ(profile.GetProfileInt("66", "CX", 0), 0);
        EXPECT_FALSE(profile.GetProfileBinary("Settings", "Blob").has_value());
    }
}

TEST_F(ProfileTest, EveryKindOfEntryRoundTripsInBothStores)
{
    const QByteArray blob("\x00\x01\xfe\xff binary", 11);
    for (const CProfile &profile :
         {CProfile::inRegistry("Verbanta", "Admin"), CProfile::inIniFile("Chanview.ini")}) {
        ASSERT_TRUE(profile.WriteProfileString("Settings", "HstSdate", "01/02/2026"));
        ASSERT_TRUE(profile.WriteProfileInt("66", "CX", -640));
        ASSERT_TRUE(profile.WriteProfileBinary("Settings", "Blob", blob));
        EXPECT_EQ(profile.GetProfileString("Settings", "HstSdate"), "01/02/2026");
        EXPECT_EQ(profile.GetProfileInt("66", "CX", 0), -640);
        EXPECT_EQ(profile.GetProfileBinary("Settings", "Blob"), blob);
    }
}

TEST_F(ProfileTest, ProgramIniFileStaysOutOfTheRegistry)
{
    const CProfile chanview = CProfile::inIniFile("Chanview.ini");
    ASSERT_TRUE(chanview.WriteProfileString("Login", "SavePassword", "1"));
    EXPECT_TRUE(QFile::exists(m_folder.path() + "/verbanta/Chanview.ini"));
    EXPECT_EQ(CProfile::inRegistry("Verbanta", "Admin").GetProfileString("Login", "SavePassword", "none"),
              "none");
    EXPECT_EQ(QFile::permissions(m_folder.path() + "/verbanta/Chanview.ini") & 0x0077, 0);
}

TEST_F(ProfileTest, NonNumericIniEntryGivesTheDefault)
{
    const CProfile chanview = CProfile::inIniFile("Chanview.ini");
    ASSERT_TRUE(chanview.WriteProfileString("66", "CY", "tall"));
    EXPECT_EQ(chanview.GetProfileInt("66", "CY", 7), 7);
}

} // namespace
