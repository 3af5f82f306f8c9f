// CoGetClassObject and CoCreateInstance against real loadable libraries
// registered in a private registry store.
#include "platform/com/combase.h"
#include "platform/com/comptr.h"
#include "platform/com/guid.h"
#include "platform/registry/regkey.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr CLSID kTestClass = {0x0D1E5A77, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
constexpr IID kUnknownInterface = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};

class CoGetClassObjectTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        setenv("XDG_CONFIG_HOME", m_folder.path().toUtf8().constData(), 1);
    }

    void registerServer(const char *path)
    {
        const std::string subKey = "CLSID\\" + GuidToString(kTestClass) + "\\InprocServer32";
        CRegKey key;
        ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, subKey.c_str()), ERROR_SUCCESS);
        ASSERT_EQ(key.SetString(nullptr, QString::fromUtf8(path)), ERROR_SUCCESS);
    }

    QTemporaryDir m_folder;
};

TEST_F(CoGetClassObjectTest, GivesTheFactoryOfARegisteredServer)
{
    registerServer(TEST_INPROC_SERVER);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(&kTestClass, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory, factory.put()),
              S_OK);
    ASSERT_TRUE(factory);
    ComPtr<IUnknown> object;
    EXPECT_EQ(factory->CreateInstance(nullptr, &IID_IUnknown, object.put()), S_OK);
    EXPECT_TRUE(object);
}

TEST_F(CoGetClassObjectTest, LoadsTheLibraryOnceForManyCalls)
{
    registerServer(TEST_INPROC_SERVER);
    for (int i = 0; i < 3; ++i) {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(
            CoGetClassObject(&kTestClass, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory, factory.put()),
            S_OK);
    }
}

TEST_F(CoGetClassObjectTest, CreatesAnInstanceThroughTheFactory)
{
    registerServer(TEST_INPROC_SERVER);
    ComPtr<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(&kTestClass, nullptr, CLSCTX_INPROC_SERVER, &IID_IUnknown, object.put()),
              S_OK);
    EXPECT_TRUE(object);
    EXPECT_EQ(CoCreateInstance(&kTestClass, nullptr, CLSCTX_INPROC_SERVER, &kUnknownInterface, object.put()),
              E_NOINTERFACE);
    EXPECT_FALSE(object);
}

TEST_F(CoGetClassObjectTest, PassesTheServersRefusalOnWithANullOutput)
{
    registerServer(TEST_INPROC_SERVER);
    void *out = &out;
    EXPECT_EQ(CoGetClassObject(&kTestClass, CLSCTX_INPROC_SERVER, nullptr, &kUnknownInterface, &out),
              E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
}

TEST_F(CoGetClassObjectTest, ReportsAnUnregisteredClass)
{
    void *out = &out;
    EXPECT_EQ(CoGetClassObject(&kTestClass, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory, &out),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(out, nullptr);
}

TEST_F(CoGetClassObjectTest, ReportsALibraryThatCannotBeLoaded)
{
    registerServer((m_folder.path() + "/missing.so").toUtf8().constData());
    void *out = &out;
    EXPECT_EQ(CoGetClassObject(&kTestClass, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory, &out),
              CO_E_DLLNOTFOUND);
    EXPECT_EQ(out, nullptr);
}

TEST_F(CoGetClassObjectTest, RefusesALibraryNotNamedByAFullPath)
{
    registerServer("libplatform_test_inproc.so");
    void *out = &out;
    EXPECT_EQ(CoGetClassObject(&kTestClass, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory, &out),
              CO_E_DLLNOTFOUND);
    EXPECT_EQ(out, nullptr);
}

TEST_F(CoGetClassObjectTest, ReportsALibraryWithoutTheEntryPoint)
{
    registerServer(TEST_NOENTRY_LIBRARY);
    void *out = &out;
    EXPECT_EQ(CoGetClassObject(&kTestClass, CLSCTX_INPROC_SERVER, nullptr, &IID_IClassFactory, &out),
              CO_E_ERRORINDLL);
    EXPECT_EQ(out, nullptr);
}

TEST_F(CoGetClassObjectTest, RefusesContextsOtherThanInProcess)
{
    registerServer(TEST_INPROC_SERVER);
    void *out = &out;
    EXPECT_EQ(CoGetClassObject(&kTestClass, 4, nullptr, &IID_IClassFactory, &out), E_INVALIDARG);
    EXPECT_EQ(out, nullptr);
}

} // namespace
