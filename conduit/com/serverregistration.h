// The registry entries through which COM callers find the library: the
// ProgID with its class id and build stamp, and the class id's in-process
// server path with its threading model. All under HKEY_CLASSES_ROOT of the
// per-user store.
#pragma once

#include "platform/com/unknwn.h"

#include <cstddef>

class CServerRegistration {
public:
    // S_OK, or E_UNEXPECTED when a key or value can't be written or the
    // store can't be flushed.
    static HRESULT registerServer();
    // Removes the class id's keys (E_UNEXPECTED when that fails), then the
    // ProgID's, whose failures are ignored.
    static HRESULT unregisterServer();

private:
    // The full path of the loaded libConduit.so (or of the program, when
    // the library's parts are linked into one).
    static bool modulePath(char *out, size_t size);
};
