// Class objects: CComClassFactory creates the objects of one class, and CComClassObjectCache keeps
// a module's class object for DllGetClassObject.
//
// An object class states whether it can be aggregated:
//
//   class CExample : ... {
//   public:
//       DECLARE_AGGREGATABLE(CExample)      // or DECLARE_NOT_AGGREGATABLE(CExample)
//       ...
//   };
#pragma once

#include <mutex>
#include <utility>

#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/com/hresult.h"
#include "platform/com/unknown.h"

#define DECLARE_AGGREGATABLE(x) static constexpr bool kAggregatable = true;
#define DECLARE_NOT_AGGREGATABLE(x) static constexpr bool kAggregatable = false;

// Creates objects of class T: CComObject<T> on its own, CComAggObject<T> inside an aggregate.
// With an outer unknown the request must be for IUnknown, and T must be aggregatable; otherwise
// the result is CLASS_E_NOAGGREGATION.
template <class T>
class CComClassFactory : public IClassFactory, public CComObjectRootEx<CComMultiThreadModel> {
public:
    BEGIN_COM_MAP(CComClassFactory)
    COM_INTERFACE_ENTRY(IClassFactory)
    END_COM_MAP()

    STDMETHOD(CreateInstance)(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) override {
        if (ppvObject == nullptr) {
            return E_POINTER;
        }
        *ppvObject = nullptr;
        if (pUnkOuter == nullptr) {
            return Create<CComObject<T>>(riid, ppvObject);
        }
        if constexpr (T::kAggregatable) {
            if (riid != IID_IUnknown) {
                return CLASS_E_NOAGGREGATION;
            }
            return Create<CComAggObject<T>>(riid, ppvObject, pUnkOuter);
        } else {
            return CLASS_E_NOAGGREGATION;
        }
    }

    STDMETHOD(LockServer)(BOOL fLock) override {
        if (fLock) {
            GetComModule().Lock();
        } else {
            GetComModule().Unlock();
        }
        return S_OK;
    }

private:
    template <class Object, class... Args>
    static HRESULT Create(REFIID riid, void** ppvObject, Args... args) {
        Object* pObject = nullptr;
        HRESULT hr = Object::CreateInstance(args..., &pObject);
        if (FAILED(hr)) {
            return hr;
        }
        // Held across the query, so that an object that lacks the interface is destroyed.
        pObject->AddRef();
        hr = pObject->QueryInterface(riid, ppvObject);
        pObject->Release();
        return hr;
    }
};

// A module's class object for T, created on the first request and shared by the later ones. The
// cache's reference does not keep the module locked. Reset releases it (at DLL_PROCESS_DETACH).
template <class T>
class CComClassObjectCache {
public:
    HRESULT GetClassObject(REFIID riid, void** ppv) {
        if (ppv == nullptr) {
            return E_POINTER;
        }
        *ppv = nullptr;
        std::lock_guard lock(m_mutex);
        if (!m_pFactory) {
            CComObjectCached<CComClassFactory<T>>* pFactory = nullptr;
            HRESULT hr = CComObjectCached<CComClassFactory<T>>::CreateInstance(&pFactory);
            if (FAILED(hr)) {
                return hr;
            }
            m_pFactory = static_cast<IClassFactory*>(pFactory);
        }
        return m_pFactory->QueryInterface(riid, ppv);
    }

    void Reset() {
        CComPtr<IClassFactory> pReleased;
        std::lock_guard lock(m_mutex);
        pReleased = std::move(m_pFactory);
    }

private:
    std::mutex m_mutex;
    CComPtr<IClassFactory> m_pFactory;
};
