// Event sinks: IDispEventImpl receives the events of a source's event interface (a dispinterface)
// and routes each Invoke, by dispatch id, to a member function listed in the class's sink map.
//
//   class CBand : public IDispEventImpl<0, CBand, &DIID_Events> {
//   public:
//       BEGIN_SINK_MAP(CBand)
//           SINK_ENTRY_EX(0, DIID_Events, 250, OnBeforeNavigate)
//       END_SINK_MAP()
//       void STDMETHODCALLTYPE OnBeforeNavigate(IDispatch* pDisp, VARIANT* pvarUrl,
//                                              VARIANT_BOOL* pbCancel);
//   };
//
// The handler's parameters are taken from the event's arguments, the first parameter from the
// last element of rgvarg. A parameter may be IDispatch*, IUnknown*, BSTR, LONG or VARIANT_BOOL
// (read from a value of that type, or through a VT_BYREF | VT_VARIANT), VARIANT_BOOL*
// (VT_BYREF | VT_BOOL) or VARIANT* (the VARIANT a VT_BYREF | VT_VARIANT points at, else the
// argument itself). A handler returns void or HRESULT; Invoke returns S_OK or that result.
// A wrong number of arguments gives DISP_E_BADPARAMCOUNT, an argument of another type
// DISP_E_TYPEMISMATCH with its index in rgvarg in *puArgErr; the handler is not called then.
// An event without an entry is ignored (S_OK).
//
// The sink is part of its owner and does not count references: the owner's lifetime is its own
// business. Destroying the owner disconnects a sink still connected, so that the source never
// calls a destroyed object.
#pragma once

#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

#include "platform/com/comptr.h"
#include "platform/com/connectionpoint.h"
#include "platform/com/dispatch.h"
#include "platform/com/hresult.h"
#include "platform/com/variant.h"

template <class T>
struct CSinkEntry {
    UINT nControlID;
    const IID* piid;
    DISPID dispid;
    HRESULT (*pfnInvoke)(T* pThis, DISPPARAMS* pParams, UINT* puArgErr);
};

namespace sink_detail {

// An argument passed as VT_BYREF | VT_VARIANT stands for the VARIANT it points at.
inline const VARIANT& Target(const VARIANT& arg) {
    return arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal != nullptr ? *arg.pvarVal : arg;
}

// An argument that must hold exactly the given type, read from the given member.
template <class T>
HRESULT ReadTyped(VARIANT& arg, VARTYPE vt, T VARIANT::*pMember, T& value) {
    const VARIANT& target = Target(arg);
    if (target.vt != vt) {
        return DISP_E_TYPEMISMATCH;
    }
    value = target.*pMember;
    return S_OK;
}

inline HRESULT ReadArgument(VARIANT& arg, VARIANT*& value) {
    value = arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal != nullptr ? arg.pvarVal : &arg;
    return S_OK;
}

inline HRESULT ReadArgument(VARIANT& arg, IDispatch*& value) {
    return ReadTyped(arg, VT_DISPATCH, &VARIANT::pdispVal, value);
}

inline HRESULT ReadArgument(VARIANT& arg, IUnknown*& value) {
    const VARIANT& target = Target(arg);
    if (target.vt == VT_UNKNOWN) {
        value = target.punkVal;
        return S_OK;
    }
    if (target.vt == VT_DISPATCH) {
        value = target.pdispVal;
        return S_OK;
    }
    return DISP_E_TYPEMISMATCH;
}

inline HRESULT ReadArgument(VARIANT& arg, BSTR& value) {
    return ReadTyped(arg, VT_BSTR, &VARIANT::bstrVal, value);
}

inline HRESULT ReadArgument(VARIANT& arg, LONG& value) {
    return ReadTyped(arg, VT_I4, &VARIANT::lVal, value);
}

inline HRESULT ReadArgument(VARIANT& arg, VARIANT_BOOL& value) {
    return ReadTyped(arg, VT_BOOL, &VARIANT::boolVal, value);
}

inline HRESULT ReadArgument(VARIANT& arg, VARIANT_BOOL*& value) {
    if (arg.vt != (VT_BYREF | VT_BOOL)) {
        return DISP_E_TYPEMISMATCH;
    }
    value = arg.pboolVal;
    return S_OK;
}

template <class Handler>
struct CHandlerCall;

template <class C, class R, class... Args>
struct CHandlerCall<R (C::*)(Args...)> {
    static_assert(std::is_void_v<R> || std::is_same_v<R, HRESULT>,
                  "an event handler returns void or HRESULT");

    template <auto pfnHandler, class T>
    static HRESULT Call(T* pThis, DISPPARAMS* pParams, UINT* puArgErr) {
        UINT cArgs = pParams != nullptr ? pParams->cArgs : 0;
        if (cArgs != sizeof...(Args)) {
            return DISP_E_BADPARAMCOUNT;
        }
        return CallWith<pfnHandler>(pThis, pParams, puArgErr, std::index_sequence_for<Args...>{});
    }

private:
    template <auto pfnHandler, class T, std::size_t... I>
    static HRESULT CallWith(T* pThis, DISPPARAMS* pParams, UINT* puArgErr,
                            std::index_sequence<I...>) {
        std::tuple<std::decay_t<Args>...> args{};
        HRESULT hr = S_OK;
        [[maybe_unused]] auto read = [&](auto& value, std::size_t index) {
            if (SUCCEEDED(hr)) {
                hr = ReadArgument(pParams->rgvarg[index], value);
                if (FAILED(hr) && puArgErr != nullptr) {
                    *puArgErr = static_cast<UINT>(index);
                }
            }
        };
        // Parameter I is element cArgs - 1 - I: the platform passes the last argument first.
        (read(std::get<I>(args), sizeof...(Args) - 1 - I), ...);
        if (FAILED(hr)) {
            return hr;
        }
        if constexpr (std::is_void_v<R>) {
            (pThis->*pfnHandler)(std::get<I>(args)...);
            return S_OK;
        } else {
            return (pThis->*pfnHandler)(std::get<I>(args)...);
        }
    }
};

template <class T, auto pfnHandler>
HRESULT InvokeHandler(T* pThis, DISPPARAMS* pParams, UINT* puArgErr) {
    return CHandlerCall<decltype(pfnHandler)>::template Call<pfnHandler>(pThis, pParams, puArgErr);
}

}  // namespace sink_detail

// clang-format off
#define BEGIN_SINK_MAP(x)                                                                 \
public:                                                                                   \
    using SinkMapClass = x;                                                               \
    static const CSinkEntry<x>* GetSinkMap() {                                            \
        static const CSinkEntry<x> s_sinkEntries[] = {
// Routes event dispid of the event interface iid, arriving at sink nID, to member function fn.
#define SINK_ENTRY_EX(nID, iid, dispid, fn)                                               \
            {nID, &(iid), dispid, &sink_detail::InvokeHandler<SinkMapClass, &SinkMapClass::fn>},
#define END_SINK_MAP()                                                                    \
            {0, nullptr, 0, nullptr}};                                                    \
        return s_sinkEntries;                                                             \
    }
// clang-format on

// Sink nID of class T for the event interface *pdiid; T derives from it and has a sink map.
template <UINT nID, class T, const IID* pdiid>
class IDispEventImpl : public IDispatch {
public:
    IDispEventImpl() = default;
    IDispEventImpl(const IDispEventImpl&) = delete;
    IDispEventImpl& operator=(const IDispEventImpl&) = delete;
    ~IDispEventImpl() { Disconnect(); }

    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override {
        if (ppvObject == nullptr) {
            return E_POINTER;
        }
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == *pdiid) {
            *ppvObject = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 1; }
    STDMETHOD_(ULONG, Release)() override { return 1; }

    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override {
        if (pctinfo != nullptr) {
            *pctinfo = 0;
        }
        return E_NOTIMPL;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo** ppTInfo) override {
        if (ppTInfo != nullptr) {
            *ppTInfo = nullptr;
        }
        return E_NOTIMPL;
    }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHOD(Invoke)
    (DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams, VARIANT*, EXCEPINFO*,
     UINT* puArgErr) override {
        for (const CSinkEntry<T>* pEntry = T::GetSinkMap(); pEntry->piid != nullptr; ++pEntry) {
            if (pEntry->nControlID == nID && *pEntry->piid == *pdiid &&
                pEntry->dispid == dispIdMember) {
                return pEntry->pfnInvoke(static_cast<T*>(this), pDispParams, puArgErr);
            }
        }
        return S_OK;
    }

    // Connects this sink to the source pUnk. A sink connected elsewhere is disconnected first: it
    // follows one source at a time.
    HRESULT DispEventAdvise(IUnknown* pUnk, const IID* piid = pdiid) {
        if (pUnk == nullptr || piid == nullptr) {
            return E_INVALIDARG;
        }
        CComQIPtr<IConnectionPointContainer> pContainer(pUnk);
        if (!pContainer) {
            return E_NOINTERFACE;
        }
        CComPtr<IConnectionPoint> pPoint;
        HRESULT hr = pContainer->FindConnectionPoint(*piid, &pPoint);
        if (FAILED(hr)) {
            return hr;
        }
        Disconnect();
        DWORD dwCookie = 0;
        hr = pPoint->Advise(static_cast<IDispatch*>(this), &dwCookie);
        if (FAILED(hr)) {
            return hr;
        }
        m_pConnectionPoint = pPoint;
        m_dwEventCookie = dwCookie;
        return S_OK;
    }

    HRESULT DispEventUnadvise(IUnknown* pUnk, const IID* piid = pdiid) {
        if (piid == nullptr) {
            return E_INVALIDARG;
        }
        HRESULT hr = AtlUnadvise(pUnk, *piid, m_dwEventCookie);
        if (SUCCEEDED(hr)) {
            m_pConnectionPoint.Release();
            m_dwEventCookie = 0;
        }
        return hr;
    }

    // The cookie of the connection; 0 when not connected.
    DWORD m_dwEventCookie = 0;

private:
    void Disconnect() {
        if (m_pConnectionPoint) {
            m_pConnectionPoint->Unadvise(m_dwEventCookie);
            m_pConnectionPoint.Release();
            m_dwEventCookie = 0;
        }
    }

    CComPtr<IConnectionPoint> m_pConnectionPoint;
};
