// Reaching a class object the COM way: the class id's in-process server is
// looked up under HKEY_CLASSES_ROOT "CLSID\{...}\InprocServer32" in the
// registry store (the user's registration, else the one installed with the
// programs; see registry.h), the library there is loaded once (and kept
// loaded for the life of the process), and its exported DllGetClassObject
// hands out the object. `admin` and `Chanview` reach Conduit only this way.
#pragma once

#include "platform/com/unknwn.h"

#include <QString>

#include <cstdint>
#include <optional>

constexpr uint32_t CLSCTX_INPROC_SERVER = 1;

constexpr HRESULT CO_E_DLLNOTFOUND = static_cast<HRESULT>(0x800401F8u);
constexpr HRESULT CO_E_ERRORINDLL = static_cast<HRESULT>(0x800401F9u);

// The library registered as `clsid`'s in-process server (the user's
// registration, else the installed one); nothing when there is none.
std::optional<QString> InprocServerPath(const CLSID &clsid);

// `reserved` must be nullptr. Fails with REGDB_E_CLASSNOTREG when the class
// is not registered, CO_E_DLLNOTFOUND when its library can't be loaded (or
// is not named by a full path) and CO_E_ERRORINDLL when the library has no
// DllGetClassObject (the loader's reason goes to the log); `*out` is nullptr
// on every failure.
HRESULT CoGetClassObject(const CLSID *clsid, uint32_t clsctx, void *reserved, const IID *iid, void **out);

// CoGetClassObject for IClassFactory, then CreateInstance; the factory is
// released again. `*out` is nullptr on failure.
HRESULT CoCreateInstance(const CLSID *clsid, IUnknown *outer, uint32_t clsctx, const IID *iid, void **out);
