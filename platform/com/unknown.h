// IUnknown and IClassFactory, the interface-id lookup UuidOf, and the declaration marks of
// interface methods and exported functions.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/wtypes.h"

#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#define PURE = 0

#define EXTERN_C extern "C"
// A function a module exports by name: unmangled and visible from outside the module even when
// the module hides everything else.
#define STDAPI EXTERN_C __attribute__((visibility("default"))) HRESULT STDAPICALLTYPE
#define STDAPI_(type) EXTERN_C __attribute__((visibility("default"))) type STDAPICALLTYPE

// The interface id of an interface type, the counterpart of the platform's __uuidof. Each
// interface specialises it next to its declaration:
//
//   template <> constexpr const IID& UuidOf<IExample>() { return IID_IExample; }
template <class I>
constexpr const IID& UuidOf() {
    static_assert(sizeof(I) == 0, "UuidOf needs a specialisation for this interface");
    return IID_NULL;
}

inline constexpr IID IID_IUnknown = MakeGuid("{00000000-0000-0000-C000-000000000046}");
inline constexpr IID IID_IClassFactory = MakeGuid("{00000001-0000-0000-C000-000000000046}");

struct IUnknown {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) PURE;
    STDMETHOD_(ULONG, AddRef)() PURE;
    STDMETHOD_(ULONG, Release)() PURE;

    template <class Q>
    HRESULT STDMETHODCALLTYPE QueryInterface(Q** pp) {
        return QueryInterface(UuidOf<Q>(), reinterpret_cast<void**>(pp));
    }
};
typedef IUnknown* LPUNKNOWN;

struct IClassFactory : public IUnknown {
    STDMETHOD(CreateInstance)(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) PURE;
    STDMETHOD(LockServer)(BOOL fLock) PURE;
};

template <>
constexpr const IID& UuidOf<IUnknown>() {
    return IID_IUnknown;
}
template <>
constexpr const IID& UuidOf<IClassFactory>() {
    return IID_IClassFactory;
}
