// See conduitclassfactory.h. Each new object answers its own QueryInterface
// for the asked id, which gives it its first reference.
#include "conduitclassfactory.h"

#include "conduit/client/zeltclient.h"
#include "conduit/com/module.h"
#include "conduit/ids.h"
#include "conduit/listen/messageserver.h"
#include "conduit/listen/zeltserver.h"
#include "conduit/util/conduitutil.h"

#include <cassert>
#include <new>

namespace {

template <class Object> HRESULT makeObject(const IID *iid, void **out)
{
    auto *object = new (std::nothrow) Object();
    if (!object)
        return E_OUTOFMEMORY;
    object->AddRef(); // held across QueryInterface, so a refusal deletes it
    HRESULT result = object->QueryInterface(iid, out);
    object->Release();
    return result;
}

} // namespace

HRESULT CConduitClassFactory::QueryInterface(const IID *iid, void **out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!iid || !(*iid == IID_IUnknown || *iid == IID_IClassFactory))
        return E_NOINTERFACE;
    *out = static_cast<IClassFactory *>(this);
    AddRef();
    return S_OK;
}

ULONG CConduitClassFactory::AddRef()
{
    ConduitModule::objectReferenced();
    return ++m_refCount;
}

ULONG CConduitClassFactory::Release()
{
    ConduitModule::objectReleased();
    ULONG left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CConduitClassFactory::CreateInstance(IUnknown *outer, const IID *iid, void **out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    if (!iid)
        return E_NOINTERFACE;
    if (*iid == IID_IConduitUtil)
        return makeObject<CConduitUtil>(iid, out);
    if (*iid == IID_IMessageServer)
        return makeObject<CMessageServer>(iid, out);
    if (*iid == IID_IZeltServer)
        return makeObject<CZeltServer>(iid, out);
    if (*iid == IID_IZeltClient)
        return makeObject<CZeltClient>(iid, out);
    return E_NOINTERFACE;
}

HRESULT CConduitClassFactory::LockServer(int lock)
{
    if (lock)
        ConduitModule::lock();
    else
        ConduitModule::unlock();
    return S_OK;
}

void CConduitClassFactory::discard()
{
    assert(m_refCount == 0);
    delete this;
}
