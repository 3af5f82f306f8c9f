// The registrations installed with the programs, beneath the user's own in
// HKEY_CLASSES_ROOT: this program lies in an installation of its own, whose
// registrations name a test server under one class and hold one more key.
#include "platform/com/combase.h"
#include "platform/com/comptr.h"
#include "platform/com/guid.h"
#include "platform/registry/regkey.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr CLSID kInstalledClass = {
    0x0D1E5A77, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
const char *const kInstalledKey = "Installed\\Only\\Deep";

class InstalledRegistrations : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_userStore.isValid());
        setenv("XDG_CONFIG_HOME", m_userStore.path().toUtf8().constData(), 1);
        m_installed = installedFile();
        ASSERT_FALSE(m_installed.isEmpty());
    }

    void TearDown() override
    {
        // Whatever a test did, the installed registrations stay as installed.
        EXPECT_EQ(installedFile(), m_installed);
    }

    static QByteArray installedFile()
    {
        QFile file(QStringLiteral(INSTALLED_REGISTRATIONS));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static std::string serverKey() { return "CLSID\\" + GuidToString(kInstalledClass) + "\\InprocServer32"; }

    QTemporaryDir m_userStore;
    QByteArray m_installed;
};

TEST_F(InstalledRegistrations, CoGetClassObjectFindsTheInstalledServerWithAnEmptyUserStore)
{
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(
        CoGetClassObject(&kInstalledClass, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory, factory.put()),
        S_OK);
    EXPECT_TRUE(factory);
    EXPECT_FALSE(QFile::exists(m_userStore.filePath(QStringLiteral("verbanta/classes.ini"))));
}

TEST_F(InstalledRegistrations, TheUsersOwnRegistrationWins)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, serverKey().c_str()), ERROR_SUCCESS);
    ASSERT_EQ(key.SetString(nullptr, QStringLiteral(TEST_NOENTRY_LIBRARY)), ERROR_SUCCESS);
    void *out = &out;
    EXPECT_EQ(CoGetClassObject(&kInstalledClass, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory, &out),
              CO_E_ERRORINDLL);
    EXPECT_EQ(out, nullptr);
}

TEST_F(InstalledRegistrations, AnInstalledKeyIsReadOnly)
{
    CRegKey key;
    ASSERT_EQ(key.Open(HKEY_CLASSES_ROOT, kInstalledKey, KEY_ALL_ACCESS), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString("Name"), QStringLiteral("installed"));
    EXPECT_EQ(key.SetString("Name", QStringLiteral("changed")), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValue(key.handle(), "Name"), ERROR_ACCESS_DENIED);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyEx(key.handle(), "Child", &child), ERROR_ACCESS_DENIED);
    EXPECT_EQ(child, nullptr);
    EXPECT_EQ(RegFlushKey(key.handle()), ERROR_SUCCESS);
    // Deleting through HKEY_CLASSES_ROOT reaches only the user's store.
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, kInstalledKey), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.QueryString("Name"), QStringLiteral("installed"));
}

TEST_F(InstalledRegistrations, CreatingAnInstalledKeyMakesTheUsersOwn)
{
    {
        CRegKey key;
        ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, kInstalledKey), ERROR_SUCCESS);
        EXPECT_EQ(key.QueryString("Name"), std::nullopt);
        ASSERT_EQ(key.SetString("Name", QStringLiteral("mine")), ERROR_SUCCESS);
    }
    CRegKey key;
    ASSERT_EQ(key.Open(HKEY_CLASSES_ROOT, kInstalledKey), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString("Name"), QStringLiteral("mine"));
    // Deleting the user's key uncovers the installed one again.
    key.Close();
    ASSERT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, kInstalledKey), ERROR_SUCCESS);
    ASSERT_EQ(key.Open(HKEY_CLASSES_ROOT, kInstalledKey), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString("Name"), QStringLiteral("installed"));
}

TEST_F(InstalledRegistrations, ASubkeyTheUsersKeyLacksComesFromTheInstalledOnes)
{
    CRegKey users;
    ASSERT_EQ(users.Create(HKEY_CLASSES_ROOT, "Installed"), ERROR_SUCCESS);
    CRegKey key;
    ASSERT_EQ(key.Open(users.handle(), "Only\\Deep"), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString("Name"), QStringLiteral("installed"));
    CRegKey missing;
    EXPECT_EQ(missing.Open(users.handle(), "Only\\Other"), ERROR_FILE_NOT_FOUND);
}

TEST_F(InstalledRegistrations, OnlyClassesSeeThem)
{
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        CRegKey key;
        EXPECT_EQ(key.Open(root, kInstalledKey), ERROR_FILE_NOT_FOUND);
    }
}

} // namespace
