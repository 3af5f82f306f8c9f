// The utility object made by libConduit.so's class factory: its digest, its
// cipher (OpenSSL's legacy provider loaded from inside the library) and its
// reference counting as the module's unload check sees them.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <string>

#include "conduit/exports.h"
#include "conduit/iconduitutil.h"

namespace {

class UtilFromLibrary : public testing::Test {
protected:
    void SetUp() override
    {
        m_library = dlopen(CONDUIT_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_library, nullptr) << dlerror();
        m_canUnload = reinterpret_cast<decltype(&DllCanUnloadNow)>(dlsym(m_library, "DllCanUnloadNow"));
        auto getClassObject =
            reinterpret_cast<decltype(&DllGetClassObject)>(dlsym(m_library, "DllGetClassObject"));
        ASSERT_NE(getClassObject, nullptr);
        ASSERT_NE(m_canUnload, nullptr);
        IClassFactory *factory = nullptr;
        ASSERT_EQ(getClassObject(&CLSID_Conduit, &IID_IClassFactory, reinterpret_cast<void **>(&factory)),
                  S_OK);
        ASSERT_EQ(factory->CreateInstance(nullptr, &IID_IConduitUtil, reinterpret_cast<void **>(&m_util)),
                  S_OK);
        factory->Release();
    }
    void TearDown() override
    {
        if (m_util != nullptr) {
            m_util->Release();
            EXPECT_EQ(m_canUnload(), S_OK);
        }
        if (m_library != nullptr)
            dlclose(m_library);
    }

    void *m_library = nullptr;
    decltype(&DllCanUnloadNow) m_canUnload = nullptr;
    IConduitUtil *m_util = nullptr;
};

TEST_F(UtilFromLibrary, DigestsAndHoldsTheModuleWhileReferenced)
{
    char digest[33];
    ASSERT_EQ(m_util->MD5String("abc", 3, digest), S_OK);
    EXPECT_STREQ(digest, "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_NE(m_canUnload(), S_OK);
}

TEST_F(UtilFromLibrary, EncryptsToTextAndBack)
{
    char text[64];
    char plain[64];
    int success = 0;
    ASSERT_EQ(m_util->EncryptToText("key", "a password", text, sizeof text, &success), S_OK);
    EXPECT_EQ(success, 1);
    EXPECT_EQ(std::string(text).size(), 24u);
    ASSERT_EQ(m_util->DecryptFromText("key", text, plain, sizeof plain, &success), S_OK);
    EXPECT_STREQ(plain, "a password");
}

} // namespace
