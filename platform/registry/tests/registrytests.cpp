// The registry functions over a private store folder: keys, typed values,
// the Windows results callers test, and the store file's protection.
#include "platform/registry/registry.h"
#include "platform/registry/regkey.h"
#include "platform/registry/storefolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class RegistryTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        pointStoreAt(m_folder.path());
    }

    static void pointStoreAt(const QString &path) { setenv("XDG_CONFIG_HOME", path.toUtf8().constData(), 1); }

    QString storeFile(const char *name) const { return m_folder.path() + "/verbanta/" + name; }

    QTemporaryDir m_folder;
};

TEST_F(RegistryTest, CreatedKeyOpensAgainWhateverTheCaseAndSeparators)
{
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Verbanta\\Admin\\Login", &created), ERROR_SUCCESS);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(RegCloseKey(created), ERROR_SUCCESS);

    for (const char *path : {"SOFTWARE\\Verbanta\\Admin\\Login\\", "software\\verbanta\\admin\\login",
                             "Software", "Software\\\\Verbanta"}) {
        HKEY opened = nullptr;
        EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, path, KEY_READ, &opened), ERROR_SUCCESS) << path;
        EXPECT_EQ(RegCloseKey(opened), ERROR_SUCCESS);
    }
}

TEST_F(RegistryTest, OpeningAMissingKeyFailsWithANullHandle)
{
    HKEY opened = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Nothing", KEY_READ, &opened), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(opened, nullptr);
}

TEST_F(RegistryTest, RootsAreSeparateStores)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, "CLSID\\{596899B8-343C-495C-A8B7-C21608F71CAB}"), ERROR_SUCCESS);
    HKEY opened = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "CLSID", KEY_READ, &opened), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(QFile::exists(storeFile("classes.ini")));
}

struct StringCase {
    const char *name;
    const char *text;
};

class RegistryStringTest : public RegistryTest, public testing::WithParamInterface<StringCase> {};

TEST_P(RegistryStringTest, StringValueRoundTripsExactly)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Verbanta\\Admin\\Login"), ERROR_SUCCESS);
    const std::string text = GetParam().text;
    ASSERT_EQ(RegSetValueEx(key.handle(), "Host", REG_SZ, text.c_str(), uint32_t(text.size() + 1)),
              ERROR_SUCCESS);

    CRegKey reader;
    ASSERT_EQ(reader.Open(HKEY_CURRENT_USER, "Software\\Verbanta\\Admin\\Login"), ERROR_SUCCESS);
    uint32_t type = REG_NONE;
    char buffer[512];
    uint32_t size = sizeof buffer;
    ASSERT_EQ(RegQueryValueEx(reader.handle(), "HOST", &type, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, text.size() + 1);
    EXPECT_EQ(std::string(buffer), text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RegistryStringTest,
    testing::Values(StringCase{"Empty", ""}, StringCase{"HostList", "alpha,beta,127.0.0.1,"},
                    StringCase{"Quotes", "\"quoted\" ; = [section]"}, StringCase{"AtSign", "@ByteArray(x)"},
                    StringCase{"Lines", "one\r\ntwo\\three"}, StringCase{"Utf8", "Zürich \xE2\x82\xAC"},
                    StringCase{"TypePrefix", "hex:zz"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(RegistryTest, BinaryValueKeepsEveryByte)
{
    unsigned char cipher[64];
    for (int i = 0; i < 64; ++i)
        cipher[i] = static_cast<unsigned char>(i * 37 + 200);
    cipher[5] = 0;
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "SOFTWARE\\Keltra\\Verbanta ES Administration\\"), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key.handle(), "Password", REG_BINARY, cipher, sizeof cipher), ERROR_SUCCESS);

    uint32_t type = REG_NONE;
    unsigned char read[64] = {};
    uint32_t size = sizeof read;
    ASSERT_EQ(RegQueryValueEx(key.handle(), "Password", &type, read, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    ASSERT_EQ(size, 64u);
    EXPECT_EQ(std::memcmp(read, cipher, sizeof cipher), 0);
}

TEST_F(RegistryTest, DwordValueRoundTripsAndNeedsFourBytes)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Verbanta\\Admin\\Settings"), ERROR_SUCCESS);
    const uint32_t number = 0xFFFFFFFEu;
    ASSERT_EQ(RegSetValueEx(key.handle(), "CX", REG_DWORD, &number, 4), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryDword("cx"), number);
    EXPECT_EQ(RegSetValueEx(key.handle(), "CY", REG_DWORD, &number, 2), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(key.QueryString("CX").has_value()) << "a value of another type is not a string";
}

TEST_F(RegistryTest, TooSmallBufferTellsTheSizeNeeded)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Verbanta"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetString("User", "administrator"), ERROR_SUCCESS);

    char small[4];
    uint32_t size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(key.handle(), "User", nullptr, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 14u);

    uint32_t type = REG_NONE;
    size = 0;
    EXPECT_EQ(RegQueryValueEx(key.handle(), "User", &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 14u);
}

TEST_F(RegistryTest, DefaultValueIsNamedByNullOrEmpty)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, "Keltra.COMPONENT.ZELT2\\CLSID"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetString(nullptr, "{596899B8-343C-495C-A8B7-C21608F71CAB}"), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryString(""), QString("{596899B8-343C-495C-A8B7-C21608F71CAB}"));
}

TEST_F(RegistryTest, MissingValueIsNotFound)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Verbanta"), ERROR_SUCCESS);
    uint32_t size = 0;
    EXPECT_EQ(RegQueryValueEx(key.handle(), "Absent", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValue(key.handle(), "Absent"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, DeletedValueIsGone)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Verbanta"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetString("Phone", "555"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key.handle(), "PHONE"), ERROR_SUCCESS);
    EXPECT_FALSE(key.QueryString("Phone").has_value());
}

TEST_F(RegistryTest, ReadOnlyHandleRefusesChanges)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Verbanta"), ERROR_SUCCESS);
    CRegKey reader;
    ASSERT_EQ(reader.Open(HKEY_CURRENT_USER, "Software\\Verbanta", KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(reader.SetString("User", "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValue(reader.handle(), "User"), ERROR_ACCESS_DENIED);
    HKEY sub = nullptr;
    EXPECT_EQ(RegCreateKeyEx(reader.handle(), "Sub", &sub), ERROR_ACCESS_DENIED);
    EXPECT_EQ(sub, nullptr);
}

TEST_F(RegistryTest, KeyWithSubkeysIsNotDeletedButLeavesDeleteInOrder)
{
    // The order in which an in-process server unregisters itself.
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, "CLSID\\{596899B8-343C-495C-A8B7-C21608F71CAB}\\InprocServer32"),
              ERROR_SUCCESS);
    ASSERT_EQ(key.SetString("ThreadingModel", "Both"), ERROR_SUCCESS);
    key.Close();

    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "CLSID\\{596899B8-343C-495C-A8B7-C21608F71CAB}"),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(
        RegDeleteKey(HKEY_CLASSES_ROOT, "CLSID\\{596899b8-343c-495c-a8b7-c21608f71cab}\\InprocServer32"),
        ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "CLSID\\{596899B8-343C-495C-A8B7-C21608F71CAB}"),
              ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, "CLSID\\{596899B8-343C-495C-A8B7-C21608F71CAB}"),
              ERROR_FILE_NOT_FOUND);

    // A key made again later starts without the old values.
    ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, "CLSID\\{596899B8-343C-495C-A8B7-C21608F71CAB}\\InprocServer32"),
              ERROR_SUCCESS);
    EXPECT_FALSE(key.QueryString("ThreadingModel").has_value());
}

TEST_F(RegistryTest, HandleOfADeletedKeyReportsIt)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Gone"), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\Gone"), ERROR_SUCCESS);
    EXPECT_EQ(key.SetString("x", "y"), ERROR_KEY_DELETED);
}

TEST_F(RegistryTest, ClosedHandleIsInvalidAndNeverReused)
{
    HKEY first = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\A", &first), ERROR_SUCCESS);
    ASSERT_EQ(RegCloseKey(first), ERROR_SUCCESS);
    HKEY second = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\B", &second), ERROR_SUCCESS);
    EXPECT_NE(first, second);
    EXPECT_EQ(RegCloseKey(first), ERROR_INVALID_HANDLE);
    uint32_t size = 0;
    EXPECT_EQ(RegQueryValueEx(first, "x", nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(second), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ValuesWrittenFromManyThreadsAreAllKept)
{
    constexpr int kThreads = 8;
    constexpr int kValues = 25;
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            CRegKey key;
            if (key.Create(HKEY_CURRENT_USER, ("Software\\Verbanta\\T" + std::to_string(t)).c_str()) !=
                ERROR_SUCCESS)
                ++failures;
            for (int i = 0; i < kValues; ++i)
                if (key.SetDword(("V" + std::to_string(i)).c_str(), uint32_t(t * 1000 + i)) != ERROR_SUCCESS)
                    ++failures;
        });
    for (auto &thread : threads)
        thread.join();
    ASSERT_EQ(failures.load(), 0);
    for (int t = 0; t < kThreads; ++t) {
        CRegKey key;
        ASSERT_EQ(key.Open(HKEY_CURRENT_USER, ("Software\\Verbanta\\T" + std::to_string(t)).c_str()),
                  ERROR_SUCCESS);
        for (int i = 0; i < kValues; ++i)
            EXPECT_EQ(key.QueryDword(("V" + std::to_string(i)).c_str()), uint32_t(t * 1000 + i));
    }
}

TEST_F(RegistryTest, AnotherProgramsChangesToTheSameStoreAreMergedNotLost)
{
    // admin and Chanview write the same per-user store.
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Verbanta\\Admin\\Login"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetString("Host", "first,"), ERROR_SUCCESS);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CRegKey other;
        const bool written = other.Create(HKEY_CURRENT_USER,
                                          "SOFTWARE\\Keltra\\Verbanta ES Administration") == ERROR_SUCCESS &&
                             other.SetBinary("Password", QByteArray(64, '\x5a')) == ERROR_SUCCESS;
        _exit(written ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(key.SetString("User", "admin"), ERROR_SUCCESS);

    CRegKey password;
    ASSERT_EQ(password.Open(HKEY_CURRENT_USER, "SOFTWARE\\Keltra\\Verbanta ES Administration"),
              ERROR_SUCCESS);
    EXPECT_EQ(password.QueryBinary("Password"), QByteArray(64, '\x5a'));
    EXPECT_EQ(key.QueryString("Host"), QString("first,"));
    EXPECT_EQ(key.QueryString("User"), QString("admin"));
}

TEST_F(RegistryTest, StoreFileIsPrivateToTheUser)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "SOFTWARE\\Keltra\\Verbanta ES Administration"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetBinary("Password", QByteArray(64, '\x7f')), ERROR_SUCCESS);
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(storeFile("user.ini")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(stat(QFile::encodeName(m_folder.path() + "/verbanta").constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u);
}

TEST_F(RegistryTest, RootsFollowTheFolderVariableAtEachCall)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\First"), ERROR_SUCCESS);
    QTemporaryDir other;
    pointStoreAt(other.path());
    HKEY opened = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\First", KEY_READ, &opened), ERROR_FILE_NOT_FOUND);
    // A handle opened before stays with its own store.
    EXPECT_EQ(key.SetString("Kept", "yes"), ERROR_SUCCESS);
    pointStoreAt(m_folder.path());
    EXPECT_EQ(key.QueryString("Kept"), QString("yes"));
}

TEST_F(RegistryTest, RelativeFolderVariableIsIgnoredForTheHomeFolder)
{
    setenv("HOME", m_folder.path().toUtf8().constData(), 1);
    pointStoreAt("relative/config");
    EXPECT_EQ(StoreFolder::path(), m_folder.path() + "/.config/verbanta");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(StoreFolder::path(), m_folder.path() + "/.config/verbanta");
}

TEST_F(RegistryTest, WriteThatCannotReachTheStoreIsReported)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Verbanta"), ERROR_SUCCESS);
    // The store file replaced by a folder cannot be written, even by root.
    ASSERT_TRUE(QFile::remove(storeFile("user.ini")));
    ASSERT_TRUE(QDir().mkdir(storeFile("user.ini")));
    EXPECT_NE(key.SetString("User", "x"), ERROR_SUCCESS);
    EXPECT_NE(RegFlushKey(key.handle()), ERROR_SUCCESS);
}

TEST_F(RegistryTest, StoreFolderThatCannotBeMadeIsReported)
{
    QFile blocker(m_folder.path() + "/notafolder");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    pointStoreAt(blocker.fileName());
    HKEY created = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Verbanta", &created), ERROR_ACCESS_DENIED);
    EXPECT_EQ(created, nullptr);
}

TEST_F(RegistryTest, CorruptStoredValueIsInvalidDataNotGarbage)
{
    CRegKey key;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Verbanta"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetBinary("Password", QByteArray(4, 'a')), ERROR_SUCCESS);
    QFile file(storeFile("user.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray content = file.readAll();
    file.close();
    ASSERT_TRUE(content.contains("hex:61616161"));
    content.replace("hex:61616161", "hex:6z");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    uint32_t size = 0;
    EXPECT_EQ(RegQueryValueEx(key.handle(), "Password", nullptr, nullptr, &size), ERROR_INVALID_DATA);
}

} // namespace
