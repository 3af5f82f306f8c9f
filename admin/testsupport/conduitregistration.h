// Registers the built libConduit.so in the test's private store, as
// regsvr does for the demo, so sessions find it through the stand-in COM.
// The test target defines CONDUIT_LIBRARY_PATH.
#pragma once

#include "platform/com/unknwn.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

inline void RegisterConduitLibrary()
{
    void *library = dlopen(CONDUIT_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto registerServer = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
    ASSERT_NE(registerServer, nullptr);
    ASSERT_EQ(registerServer(), S_OK);
}
