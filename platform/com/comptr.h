// An owning pointer to a COM interface: it holds one reference and releases
// it when it goes, so no error path leaks an object or releases one twice.
#pragma once

#include "platform/com/unknwn.h"

#include <utility>

template <typename T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a reference of its own.
    explicit ComPtr(T *pointer) : m_pointer(pointer)
    {
        if (m_pointer)
            m_pointer->AddRef();
    }
    ComPtr(const ComPtr &other) : ComPtr(other.m_pointer) {}
    ComPtr(ComPtr &&other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
    ComPtr &operator=(ComPtr other) noexcept
    {
        std::swap(m_pointer, other.m_pointer);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Takes over a reference the caller already owns (as an out parameter
    // or CreateInstance handed it).
    static ComPtr adopt(T *pointer)
    {
        ComPtr result;
        result.m_pointer = pointer;
        return result;
    }

    T *get() const { return m_pointer; }
    T *operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    void reset()
    {
        if (T *old = std::exchange(m_pointer, nullptr))
            old->Release();
    }
    // Hands the reference to the caller, who must release it.
    T *detach() { return std::exchange(m_pointer, nullptr); }
    // For an out parameter that receives a new reference: releases what is
    // held and gives the slot.
    void **put()
    {
        reset();
        return reinterpret_cast<void **>(&m_pointer);
    }

private:
    T *m_pointer = nullptr;
};
