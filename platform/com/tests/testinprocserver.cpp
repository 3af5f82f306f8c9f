// A tiny in-process server for the loader tests: one class whose factory
// makes objects that only know IUnknown.
#include "platform/com/unknwn.h"

#include <atomic>

namespace {

constexpr CLSID kTestClass = {0x0D1E5A77, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};

class Object final : public IUnknown {
public:
    HRESULT QueryInterface(const IID *iid, void **out) override
    {
        *out = nullptr;
        if (!(*iid == IID_IUnknown))
            return E_NOINTERFACE;
        AddRef();
        *out = this;
        return S_OK;
    }
    ULONG AddRef() override { return ++m_count; }
    ULONG Release() override
    {
        const ULONG count = --m_count;
        if (count == 0)
            delete this;
        return count;
    }

private:
    std::atomic<ULONG> m_count{1};
};

class Factory final : public IClassFactory {
public:
    HRESULT QueryInterface(const IID *iid, void **out) override
    {
        *out = nullptr;
        if (!(*iid == IID_IUnknown) && !(*iid == IID_IClassFactory))
            return E_NOINTERFACE;
        AddRef();
        *out = this;
        return S_OK;
    }
    ULONG AddRef() override { return ++m_count; }
    ULONG Release() override
    {
        const ULONG count = --m_count;
        if (count == 0)
            delete this;
        return count;
    }
    HRESULT CreateInstance(IUnknown *outer, const IID *iid, void **out) override
    {
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        auto *object = new Object;
        const HRESULT result = object->QueryInterface(iid, out);
        object->Release();
        return result;
    }
    HRESULT LockServer(int) override { return S_OK; }

private:
    std::atomic<ULONG> m_count{0};
};

} // namespace

extern "C" __attribute__((visibility("default"))) HRESULT DllGetClassObject(const CLSID *clsid,
                                                                            const IID *iid, void **out)
{
    *out = nullptr;
    if (!(*clsid == kTestClass))
        return CLASS_E_CLASSNOTAVAILABLE;
    auto *factory = new Factory;
    const HRESULT result = factory->QueryInterface(iid, out);
    if (FAILED(result))
        delete factory;
    return result;
}
