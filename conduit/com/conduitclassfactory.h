// The class factory of the library's one class id. The interface id given
// to CreateInstance picks the kind of object made.
#pragma once

#include "platform/com/unknwn.h"

#include <atomic>

class CConduitClassFactory final : public IClassFactory {
public:
    CConduitClassFactory() = default; // no reference yet: QueryInterface gives the first
    CConduitClassFactory(const CConduitClassFactory &) = delete;
    CConduitClassFactory &operator=(const CConduitClassFactory &) = delete;

    HRESULT QueryInterface(const IID *iid, void **out) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateInstance(IUnknown *outer, const IID *iid, void **out) override;
    HRESULT LockServer(int lock) override;

    // Deletes a factory that never got a reference.
    void discard();

private:
    ~CConduitClassFactory() = default;

    std::atomic<ULONG> m_refCount{0};
};
