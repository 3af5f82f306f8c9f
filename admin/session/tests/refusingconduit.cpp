// A stand-in for Conduit's library whose class object will not make one of
// its objects, as a damaged or mismatched installation would not: with
// REFUSING_CONDUIT_REFUSES set to "client" it makes no client; with
// "utility" it makes the client through the real library (named by
// REFUSING_CONDUIT_REAL) and no utility object.
#include "conduit/ids.h"
#include "platform/com/unknwn.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>

namespace {

using GetClassObject = HRESULT (*)(const CLSID *, const IID *, void **);

bool refuses(const char *what)
{
    const char *setting = std::getenv("REFUSING_CONDUIT_REFUSES");
    return setting && std::strcmp(setting, what) == 0;
}

// The real library's class object, for what this one does not refuse.
HRESULT realCreateInstance(IUnknown *outer, const IID *iid, void **out)
{
    const char *path = std::getenv("REFUSING_CONDUIT_REAL");
    void *library = path ? dlopen(path, RTLD_NOW | RTLD_LOCAL) : nullptr;
    auto entry = library ? reinterpret_cast<GetClassObject>(dlsym(library, "DllGetClassObject")) : nullptr;
    IClassFactory *factory = nullptr;
    if (!entry || FAILED(entry(&CLSID_Conduit, &IID_IClassFactory, reinterpret_cast<void **>(&factory))))
        return E_FAIL;
    const HRESULT result = factory->CreateInstance(outer, iid, out);
    factory->Release();
    return result;
}

class RefusingFactory final : public IClassFactory {
public:
    HRESULT QueryInterface(const IID *iid, void **out) override
    {
        if (!out)
            return E_POINTER;
        if (*iid == IID_IUnknown || *iid == IID_IClassFactory) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT CreateInstance(IUnknown *outer, const IID *iid, void **out) override
    {
        *out = nullptr;
        if ((*iid == IID_IZeltClient && refuses("client")) || (*iid == IID_IConduitUtil && refuses("utility")))
            return E_NOINTERFACE;
        return realCreateInstance(outer, iid, out);
    }
    HRESULT LockServer(int) override { return S_OK; }

private:
    std::atomic<ULONG> m_references{1};
};

} // namespace

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(const CLSID *clsid, const IID *iid,
                                                                             void **out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!(*clsid == CLSID_Conduit))
        return CLASS_E_CLASSNOTAVAILABLE;
    auto *factory = new RefusingFactory;
    const HRESULT result = factory->QueryInterface(iid, out);
    factory->Release();
    return result;
}
