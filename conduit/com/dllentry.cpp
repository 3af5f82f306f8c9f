// The COM entry points of the library: the class object, the unload test
// and self-registration.
#include "conduit/exports.h"

#include "conduit/com/conduitclassfactory.h"
#include "conduit/com/module.h"
#include "conduit/com/serverregistration.h"
#include "conduit/ids.h"

#include <new>

extern "C" {

HRESULT DllGetClassObject(const CLSID *clsid, const IID *iid, void **out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!clsid || !(*clsid == CLSID_Conduit))
        return CLASS_E_CLASSNOTAVAILABLE;
    auto *factory = new (std::nothrow) CConduitClassFactory();
    if (!factory)
        return E_OUTOFMEMORY;
    if (FAILED(factory->QueryInterface(iid, out))) {
        factory->discard();
        *out = nullptr;
        return E_INVALIDARG;
    }
    return S_OK;
}

HRESULT DllCanUnloadNow(void)
{
    return ConduitModule::canUnload() ? S_OK : CONDUIT_E_FAIL;
}

HRESULT DllRegisterServer(void)
{
    return CServerRegistration::registerServer();
}

HRESULT DllUnregisterServer(void)
{
    return CServerRegistration::unregisterServer();
}

} // extern "C"
