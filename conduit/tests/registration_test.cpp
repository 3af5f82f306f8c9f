// Self-registration of libConduit.so and the way every program reaches it:
// register, CoGetClassObject through the store, CreateInstance, and a
// message over a loopback link; then unregister.
#include "conduit/exports.h"
#include "conduit/ids.h"
#include "conduit/izeltclient.h"
#include "loopbackpeer.h"
#include "recordingsink.h"
#include "threadcount.h"

#include "platform/com/combase.h"
#include "platform/com/guid.h"
#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string readText(const std::string &keyPath, const char *name)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, keyPath.c_str(), KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    char text[PATH_MAX] = {};
    uint32_t size = sizeof text;
    uint32_t type = 0;
    LONG result = RegQueryValueEx(key, name, &type, text, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? std::string(text) : "<missing>";
}

class Registration : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "conduit-registry-XXXXXX").string();
        m_store = mkdtemp(pattern.data());
        setenv("XDG_CONFIG_HOME", m_store.c_str(), 1);
        m_library = dlopen(CONDUIT_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_library, nullptr) << dlerror();
        m_register = reinterpret_cast<HRESULT (*)()>(dlsym(m_library, "DllRegisterServer"));
        m_unregister = reinterpret_cast<HRESULT (*)()>(dlsym(m_library, "DllUnregisterServer"));
        ASSERT_NE(m_register, nullptr);
        ASSERT_NE(m_unregister, nullptr);
    }
    void TearDown() override
    {
        if (m_library)
            dlclose(m_library);
        fs::remove_all(m_store);
    }

    fs::path m_store;
    void *m_library = nullptr;
    HRESULT (*m_register)() = nullptr;
    HRESULT (*m_unregister)() = nullptr;
};

TEST_F(Registration, WritesTheProgIdAndTheInProcessServerEntries)
{
    ASSERT_EQ(m_register(), S_OK);
    const std::string classId = GuidToString(CLSID_Conduit);
    EXPECT_EQ(readText("Keltra.COMPONENT.ZELT2\\CLSID", nullptr), classId);
    EXPECT_NE(readText("Keltra.COMPONENT.ZELT2\\Build", nullptr), "<missing>");
    EXPECT_EQ(readText("CLSID\\" + classId + "\\InprocServer32", nullptr),
              fs::canonical(CONDUIT_LIBRARY_PATH).string());
    EXPECT_EQ(readText("CLSID\\" + classId + "\\InprocServer32", "ThreadingModel"), "Both");
}

TEST_F(Registration, UnregisterRemovesTheEntriesAndFailsWhenTheyAreGone)
{
    ASSERT_EQ(m_register(), S_OK);
    EXPECT_EQ(m_unregister(), S_OK);
    const std::string classId = GuidToString(CLSID_Conduit);
    EXPECT_EQ(readText("CLSID\\" + classId + "\\InprocServer32", nullptr), "<missing>");
    EXPECT_EQ(readText("Keltra.COMPONENT.ZELT2\\CLSID", nullptr), "<missing>");
    EXPECT_EQ(m_unregister(), E_UNEXPECTED);
    void *out = reinterpret_cast<void *>(1);
    EXPECT_EQ(CoGetClassObject(&CLSID_Conduit, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory, &out),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(out, nullptr);
}

TEST_F(Registration, ReportsAStoreThatCannotBeWritten)
{
    fs::path blocker = m_store / "not-a-folder";
    fs::create_directories(m_store);
    std::FILE *file = std::fopen(blocker.c_str(), "w");
    std::fclose(file);
    setenv("XDG_CONFIG_HOME", (blocker / "inside").c_str(), 1); // a path through a file: never writable
    EXPECT_EQ(m_register(), E_UNEXPECTED);
}

TEST_F(Registration, ProgramsReachTheClientThroughCoGetClassObject)
{
    ASSERT_EQ(m_register(), S_OK);
    IClassFactory *factory = nullptr;
    ASSERT_EQ(CoGetClassObject(&CLSID_Conduit, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory,
                               reinterpret_cast<void **>(&factory)),
              S_OK);
    IZeltClient *client = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, &IID_IZeltClient, reinterpret_cast<void **>(&client)), S_OK);
    factory->Release();

    LoopbackPeer peer(LoopbackPeer::Parity::Odd);
    RecordingSink sink;
    const size_t threadsBefore = threadCount();
    ASSERT_EQ(client->Connect(peer.host().c_str(), peer.port(), 10000, &sink), S_OK);
    ASSERT_TRUE(peer.accept());
    ASSERT_EQ(client->Send("login", 5, 1, 0, nullptr), S_OK);
    EXPECT_EQ(peer.receiveFrame().payload, "login");
    ASSERT_TRUE(peer.sendFrame(1, 0, "VCONNECTED"));
    ASSERT_TRUE(sink.waitFor("message"));
    EXPECT_EQ(sink.calls()[1].data, "VCONNECTED");
    client->Disconnect();
    ASSERT_TRUE(sink.waitFor("disconnected"));
    client->Release();
    EXPECT_TRUE(waitForThreadCount(threadsBefore));
}

} // namespace
