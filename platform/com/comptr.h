// CComPtr: a counted reference to an interface, and CComQIPtr, which asks for its interface when
// it is given another.
//
// The holder owns one reference: it adds one when it copies a pointer in and releases it when it
// lets go. The pointer itself is the public member p, as in the platform's framework.
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>

#include "platform/com/cominit.h"
#include "platform/com/unknown.h"

template <class T>
class CComPtr {
public:
    CComPtr() = default;
    CComPtr(std::nullptr_t) {}
    CComPtr(T* lp) : p(lp) {
        if (p != nullptr) {
            p->AddRef();
        }
    }
    CComPtr(const CComPtr& lp) : CComPtr(lp.p) {}
    CComPtr(CComPtr&& lp) noexcept : p(std::exchange(lp.p, nullptr)) {}
    ~CComPtr() { Release(); }

    CComPtr& operator=(T* lp) {
        if (lp != p) {
            CComPtr(lp).Swap(*this);
        }
        return *this;
    }
    CComPtr& operator=(const CComPtr& lp) { return *this = lp.p; }
    CComPtr& operator=(CComPtr&& lp) noexcept {
        if (this != std::addressof(lp)) {
            Release();
            p = std::exchange(lp.p, nullptr);
        }
        return *this;
    }

    operator T*() const { return p; }
    T& operator*() const { return *p; }
    T* operator->() const { return p; }
    // For out parameters: releases the reference held, so that it is not leaked when the callee
    // writes its own.
    T** operator&() {
        Release();
        return &p;
    }
    bool operator!() const { return p == nullptr; }

    void Release() {
        if (T* pTemp = std::exchange(p, nullptr)) {
            pTemp->Release();
        }
    }
    // Takes over the caller's reference, releasing the one held before.
    void Attach(T* p2) {
        if (p != nullptr && p != p2) {
            p->Release();
        }
        p = p2;
    }
    // Hands the reference to the caller.
    T* Detach() { return std::exchange(p, nullptr); }
    HRESULT CopyTo(T** ppT) const {
        if (ppT == nullptr) {
            return E_POINTER;
        }
        *ppT = p;
        if (p != nullptr) {
            p->AddRef();
        }
        return S_OK;
    }
    template <class Q>
    HRESULT QueryInterface(Q** pp) const {
        if (pp == nullptr) {
            return E_POINTER;
        }
        *pp = nullptr;
        return p != nullptr ? p->QueryInterface(UuidOf<Q>(), reinterpret_cast<void**>(pp))
                            : E_POINTER;
    }
    // True when both are the same object: their IUnknown pointers are equal.
    bool IsEqualObject(IUnknown* pOther) const {
        if (p == nullptr || pOther == nullptr) {
            return p == nullptr && pOther == nullptr;
        }
        CComPtr<IUnknown> pUnk1;
        CComPtr<IUnknown> pUnk2;
        p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnk1));
        pOther->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnk2));
        return pUnk1.p != nullptr && pUnk1.p == pUnk2.p;
    }
    HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter = nullptr,
                             DWORD dwClsContext = CLSCTX_ALL) {
        Release();
        return ::CoCreateInstance(rclsid, pUnkOuter, dwClsContext, UuidOf<T>(),
                                  reinterpret_cast<void**>(&p));
    }

    T* p = nullptr;

private:
    void Swap(CComPtr& other) noexcept { std::swap(p, other.p); }
};

template <class T>
class CComQIPtr : public CComPtr<T> {
public:
    CComQIPtr() = default;
    CComQIPtr(std::nullptr_t) {}
    CComQIPtr(T* lp) : CComPtr<T>(lp) {}
    CComQIPtr(IUnknown* lp) requires(!std::is_same_v<T, IUnknown>) {
        if (lp != nullptr) {
            lp->QueryInterface(UuidOf<T>(), reinterpret_cast<void**>(&this->p));
        }
    }
    CComQIPtr(const CComQIPtr& lp) : CComPtr<T>(lp.p) {}

    CComQIPtr& operator=(const CComQIPtr& lp) {
        CComPtr<T>::operator=(lp.p);
        return *this;
    }
    CComQIPtr& operator=(T* lp) {
        CComPtr<T>::operator=(lp);
        return *this;
    }
    CComQIPtr& operator=(IUnknown* lp) requires(!std::is_same_v<T, IUnknown>) {
        CComQIPtr(lp).Swap(*this);
        return *this;
    }

private:
    void Swap(CComQIPtr& other) noexcept { std::swap(this->p, other.p); }
};
