// The class factory and the module's unload test.
#include "conduit/exports.h"
#include "conduit/iconduitutil.h"
#include "conduit/ids.h"
#include "conduit/izeltclient.h"

#include <gtest/gtest.h>

namespace {

IClassFactory *classObject()
{
    IClassFactory *factory = nullptr;
    EXPECT_EQ(DllGetClassObject(&CLSID_Conduit, &IID_IClassFactory, reinterpret_cast<void **>(&factory)),
              S_OK);
    return factory;
}

TEST(ClassFactory, GivesTheClassObjectOnlyForItsClassId)
{
    void *out = reinterpret_cast<void *>(1);
    EXPECT_EQ(DllGetClassObject(&IID_IZeltClient, &IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    out = reinterpret_cast<void *>(1);
    EXPECT_EQ(DllGetClassObject(&CLSID_Conduit, &IID_IZeltClient, &out), E_INVALIDARG);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(DllCanUnloadNow(), S_OK); // the refused factory was not kept
    IUnknown *unknown = nullptr;
    ASSERT_EQ(DllGetClassObject(&CLSID_Conduit, &IID_IUnknown, reinterpret_cast<void **>(&unknown)), S_OK);
    unknown->Release();
}

TEST(ClassFactory, CreateInstanceRefusesUnknownIdsAndAggregation)
{
    IClassFactory *factory = classObject();
    struct Case {
        const char *name;
        IUnknown *outer;
        IID iid;
        HRESULT expected;
    } cases[] = {
        {"unknown interface", nullptr, CLSID_Conduit, E_NOINTERFACE},
        {"IUnknown alone", nullptr, IID_IUnknown, E_NOINTERFACE},
        {"with an outer object", factory, IID_IZeltClient, CLASS_E_NOAGGREGATION},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        void *out = reinterpret_cast<void *>(1);
        EXPECT_EQ(factory->CreateInstance(c.outer, &c.iid, &out), c.expected);
        EXPECT_EQ(out, nullptr);
    }
    factory->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_OK); // nothing was made
}

TEST(ClassFactory, MakesClientObjectsThatAnswerTheirInterfaces)
{
    IClassFactory *factory = classObject();
    IZeltClient *client = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, &IID_IZeltClient, reinterpret_cast<void **>(&client)), S_OK);
    factory->Release();
    EXPECT_EQ(DllCanUnloadNow(), CONDUIT_E_FAIL); // the client is still held
    IUnknown *unknown = nullptr;
    ASSERT_EQ(client->QueryInterface(&IID_IUnknown, reinterpret_cast<void **>(&unknown)), S_OK);
    EXPECT_EQ(static_cast<void *>(unknown), static_cast<void *>(client));
    void *other = reinterpret_cast<void *>(1);
    EXPECT_EQ(client->QueryInterface(&IID_IClassFactory, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(client->Release(), 0u);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST(ClassFactory, MakesUtilityObjects)
{
    IClassFactory *factory = classObject();
    IConduitUtil *util = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, &IID_IConduitUtil, reinterpret_cast<void **>(&util)), S_OK);
    factory->Release();
    char digest[33] = {};
    EXPECT_EQ(util->MD5String("abc", 3, digest), S_OK);
    EXPECT_STREQ(digest, "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(util->Release(), 0u);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST(ClassFactory, CannotUnloadWhileTheFactoryIsHeldOrLocked)
{
    IClassFactory *factory = classObject();
    EXPECT_EQ(DllCanUnloadNow(), CONDUIT_E_FAIL);
    EXPECT_EQ(factory->LockServer(1), S_OK);
    factory->Release();
    EXPECT_EQ(DllCanUnloadNow(), CONDUIT_E_FAIL);
    factory = classObject();
    EXPECT_EQ(factory->LockServer(0), S_OK);
    factory->Release();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

} // namespace
