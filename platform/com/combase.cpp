// Class objects through the registry store and dlopen; see combase.h.
// Libraries are never unloaded: objects and threads of theirs may outlive
// any one caller's references, as they may with the real thing.
#include "combase.h"

#include "platform/com/guid.h"
#include "platform/registry/regkey.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <dlfcn.h>
#include <map>
#include <mutex>
#include <optional>

namespace {

using GetClassObjectFunction = HRESULT (*)(const GUID *, const GUID *, void **);

std::mutex g_librariesMutex;
// Each library's DllGetClassObject, by path, once loaded.
std::map<QByteArray, GetClassObjectFunction> g_libraries;

HRESULT loadEntryPoint(const QByteArray &path, GetClassObjectFunction *entry)
{
    std::lock_guard lock(g_librariesMutex);
    const auto found = g_libraries.find(path);
    if (found != g_libraries.end()) {
        *entry = found->second;
        return S_OK;
    }
    // A bare name would be looked for along the library search path, which
    // is not what the registration names.
    if (!path.startsWith('/')) {
        qWarning("CoGetClassObject: the registered server %s is not a full path", path.constData());
        return CO_E_DLLNOTFOUND;
    }
    void *library = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        qWarning("CoGetClassObject: cannot load %s: %s", path.constData(), dlerror());
        return CO_E_DLLNOTFOUND;
    }
    auto function = reinterpret_cast<GetClassObjectFunction>(dlsym(library, "DllGetClassObject"));
    if (!function) {
        qWarning("CoGetClassObject: %s has no DllGetClassObject: %s", path.constData(), dlerror());
        dlclose(library);
        return CO_E_ERRORINDLL;
    }
    g_libraries.emplace(path, function);
    *entry = function;
    return S_OK;
}

} // namespace

std::optional<QString> InprocServerPath(const CLSID &clsid)
{
    const std::string subKey = "CLSID\\" + GuidToString(clsid) + "\\InprocServer32";
    CRegKey key;
    if (key.Open(HKEY_CLASSES_ROOT, subKey.c_str(), KEY_READ) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<QString> path = key.QueryString(nullptr);
    if (!path || path->isEmpty())
        return std::nullopt;
    return path;
}

HRESULT CoGetClassObject(const CLSID *clsid, uint32_t clsctx, void *reserved, const IID *iid, void **out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!clsid || !iid || reserved || !(clsctx & CLSCTX_INPROC_SERVER))
        return E_INVALIDARG;
    const std::optional<QString> path = InprocServerPath(*clsid);
    if (!path)
        return REGDB_E_CLASSNOTREG;
    GetClassObjectFunction entry = nullptr;
    const HRESULT loaded = loadEntryPoint(path->toUtf8(), &entry);
    if (FAILED(loaded))
        return loaded;
    const HRESULT result = entry(clsid, iid, out);
    if (FAILED(result))
        *out = nullptr;
    return result;
}

HRESULT CoCreateInstance(const CLSID *clsid, IUnknown *outer, uint32_t clsctx, const IID *iid, void **out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!iid)
        return E_INVALIDARG;
    void *factoryPointer = nullptr;
    HRESULT result = CoGetClassObject(clsid, clsctx, nullptr, &IID_IClassFactory, &factoryPointer);
    if (FAILED(result))
        return result;
    auto *factory = static_cast<IClassFactory *>(factoryPointer);
    result = factory->CreateInstance(outer, iid, out);
    factory->Release();
    if (FAILED(result))
        *out = nullptr;
    return result;
}
