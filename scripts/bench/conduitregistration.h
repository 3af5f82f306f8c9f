// Registers the built libConduit.so in the benchmark's private store, as
// regsvr does for the demo, so sessions find it through the stand-in COM.
// The benchmark's target defines CONDUIT_LIBRARY_PATH.
#pragma once

#include "platform/com/unknwn.h"

#include <dlfcn.h>

#include <cstdio>

inline bool RegisterConduit()
{
    void *conduit = dlopen(CONDUIT_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    auto registerServer = conduit ? reinterpret_cast<HRESULT (*)()>(dlsym(conduit, "DllRegisterServer")) : nullptr;
    if (!registerServer || registerServer() != S_OK) {
        std::fprintf(stderr, "cannot register Conduit\n");
        return false;
    }
    return true;
}
