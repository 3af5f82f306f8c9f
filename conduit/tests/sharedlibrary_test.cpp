// libConduit.so as a caller without our headers' link-time help sees it:
// loaded with dlopen, its exports found by name, a client object made on
// its class object and a message exchanged with a loopback peer.
#include "conduit/exports.h"
#include "conduit/ids.h"
#include "conduit/izeltclient.h"
#include "loopbackpeer.h"
#include "recordingsink.h"
#include "threadcount.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {
class SharedLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_handle = dlopen(CONDUIT_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << dlerror();
    }
    void TearDown() override
    {
        if (m_handle)
            dlclose(m_handle);
    }
    void *m_handle = nullptr;
};

TEST_F(SharedLibrary, ExportsTheClientAndComEntryPointsAndHidesItsInternals)
{
    for (const char *name : {"ConnectToServer", "RunClient", "ClientSend", "StopClient", "GetFileData",
                             "DllGetClassObject", "DllCanUnloadNow", "MD5String", "Code64Encode"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(dlsym(m_handle, name), nullptr);
    }
    for (const char *name : {"WSAGetLastError", "_ZN10CLinkTable8instanceEv"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(dlsym(m_handle, name), nullptr);
    }
}

TEST_F(SharedLibrary, MakesAClientThatTalksToAPeer)
{
    auto getClassObject =
        reinterpret_cast<decltype(&DllGetClassObject)>(dlsym(m_handle, "DllGetClassObject"));
    auto canUnload = reinterpret_cast<decltype(&DllCanUnloadNow)>(dlsym(m_handle, "DllCanUnloadNow"));
    ASSERT_NE(getClassObject, nullptr);
    IClassFactory *factory = nullptr;
    ASSERT_EQ(getClassObject(&CLSID_Conduit, &IID_IClassFactory, reinterpret_cast<void **>(&factory)), S_OK);
    IZeltClient *client = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, &IID_IZeltClient, reinterpret_cast<void **>(&client)), S_OK);
    factory->Release();

    LoopbackPeer peer(LoopbackPeer::Parity::Odd);
    RecordingSink sink;
    const size_t threadsBefore = threadCount();
    ASSERT_EQ(client->Connect(peer.host().c_str(), peer.port(), 0, &sink), S_OK);
    ASSERT_TRUE(peer.accept());
    ASSERT_EQ(client->Send("ping", 4, 1, 17, nullptr), S_OK);
    LoopbackPeer::Frame request = peer.receiveFrame();
    EXPECT_EQ(request.payload, "ping");
    ASSERT_TRUE(peer.sendFrame(1, request.extra, "pong"));
    ASSERT_TRUE(sink.waitFor("message"));
    EXPECT_EQ(sink.calls()[1].data, "pong");
    EXPECT_EQ(sink.calls()[1].extra, 17u);
    EXPECT_EQ(canUnload(), CONDUIT_E_FAIL);
    client->Disconnect();
    ASSERT_TRUE(sink.waitFor("disconnected"));
    client->Release();
    EXPECT_EQ(canUnload(), S_OK);
    EXPECT_TRUE(waitForThreadCount(threadsBefore));
}

} // namespace
