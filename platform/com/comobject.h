// Implementing COM objects: reference counting, interface maps and the wrappers that finish an
// object class, in the manner of the platform's framework.
//
// An object class derives from CComObjectRootEx and its interfaces, lists its interfaces in a COM
// map, and leaves IUnknown to the wrapper that creates it:
//
//   class CExample : public CComObjectRootEx<CComSingleThreadModel>, public IExample {
//   public:
//       BEGIN_COM_MAP(CExample)
//           COM_INTERFACE_ENTRY(IExample)
//       END_COM_MAP()
//       ...
//   };
//   CComObject<CExample>* pObject;
//   CComObject<CExample>::CreateInstance(&pObject);   // reference count 0
//
// QueryInterface answers from the map in its order; IUnknown is answered by the first entry.
// CComObject counts its own references; CComAggObject is the inner object of an aggregate, whose
// interfaces count references on the outer object; CComObjectCached is for a class object that
// its module keeps in a cache. Each living object holds a lock on its module (commodule.h).
#pragma once

#include <limits>
#include <new>

#include "platform/com/commodule.h"
#include "platform/com/hresult.h"
#include "platform/com/interlocked.h"
#include "platform/com/unknown.h"

// Reference counts for objects used by one thread only.
class CComSingleThreadModel {
public:
    static ULONG Increment(LONG* p) { return static_cast<ULONG>(++*p); }
    static ULONG Decrement(LONG* p) { return static_cast<ULONG>(--*p); }
};

// Reference counts for objects that several threads may share.
class CComMultiThreadModel {
public:
    static ULONG Increment(LONG* p) { return static_cast<ULONG>(InterlockedIncrement(p)); }
    static ULONG Decrement(LONG* p) { return static_cast<ULONG>(InterlockedDecrement(p)); }
};

// One interface of a COM map: its id and how to reach it from the object.
struct CInterfaceEntry {
    const IID* piid;
    IUnknown* (*pfnCast)(void* pThis);
};

// QueryInterface over a map that ends with a null entry. E_POINTER for a null out-pointer;
// E_NOINTERFACE, with *ppv null, for an id the map lacks.
inline HRESULT InternalQueryInterface(void* pThis, const CInterfaceEntry* pEntries, REFIID iid,
                                      void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    for (const CInterfaceEntry* pEntry = pEntries; pEntry->piid != nullptr; ++pEntry) {
        if (*pEntry->piid == iid || (pEntry == pEntries && iid == IID_IUnknown)) {
            IUnknown* pUnk = pEntry->pfnCast(pThis);
            pUnk->AddRef();
            *ppv = pUnk;
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

// clang-format off
#define BEGIN_COM_MAP(x)                                                                  \
public:                                                                                   \
    using ComMapClass = x;                                                                \
    static const CInterfaceEntry* GetInterfaceEntries() {                                 \
        static const CInterfaceEntry s_entries[] = {
// The interface I, reached by converting the object to I.
#define COM_INTERFACE_ENTRY(I) COM_INTERFACE_ENTRY_IID(UuidOf<I>(), I)
// The id iid answered with the object converted to I (for an id without its own type).
#define COM_INTERFACE_ENTRY_IID(iid, I)                                                   \
            {&(iid), [](void* pThis) -> IUnknown* {                                       \
                 return static_cast<I*>(static_cast<ComMapClass*>(pThis));                \
             }},
// The interface I, reached through I2 when the object derives from I more than once.
#define COM_INTERFACE_ENTRY2(I, I2)                                                       \
            {&UuidOf<I>(), [](void* pThis) -> IUnknown* {                                 \
                 return static_cast<I*>(static_cast<I2*>(static_cast<ComMapClass*>(pThis))); \
             }},
#define END_COM_MAP()                                                                     \
            {nullptr, nullptr}};                                                          \
        return s_entries;                                                                 \
    }                                                                                     \
    HRESULT QueryInterfaceFromMap(REFIID iid, void** ppv) {                               \
        return ::InternalQueryInterface(static_cast<ComMapClass*>(this),                  \
                                        GetInterfaceEntries(), iid, ppv);                 \
    }                                                                                     \
    IUnknown* GetUnknown() { return GetInterfaceEntries()[0].pfnCast(this); }
// clang-format on

// The state every object class shares: its reference count, or, as the inner object of an
// aggregate, the outer object that counts for it.
template <class ThreadModel>
class CComObjectRootEx {
public:
    using ThreadModelType = ThreadModel;

    ULONG InternalAddRef() { return ThreadModel::Increment(&m_dwRef); }
    ULONG InternalRelease() { return ThreadModel::Decrement(&m_dwRef); }

    ULONG OuterAddRef() { return m_pOuterUnknown->AddRef(); }
    ULONG OuterRelease() { return m_pOuterUnknown->Release(); }
    HRESULT OuterQueryInterface(REFIID iid, void** ppv) {
        return m_pOuterUnknown->QueryInterface(iid, ppv);
    }
    void SetOuterUnknown(IUnknown* pOuter) { m_pOuterUnknown = pOuter; }
    IUnknown* GetOuterUnknown() const { return m_pOuterUnknown; }

    // Run after construction (a failure destroys the object) and before destruction; object
    // classes hide them with their own.
    HRESULT FinalConstruct() { return S_OK; }
    void FinalRelease() {}

protected:
    LONG m_dwRef = 0;
    // Not counted: the outer object owns the inner one.
    IUnknown* m_pOuterUnknown = nullptr;
};

using CComObjectRoot = CComObjectRootEx<CComSingleThreadModel>;

namespace comobject_detail {

// Constructs an object of class T (a wrapper below) and runs its FinalConstruct, guarded by a
// temporary reference so that the object cannot destroy itself meanwhile. The object is returned
// with reference count 0.
template <class T, class... Args>
HRESULT Create(T** pp, Args... args) {
    if (pp == nullptr) {
        return E_POINTER;
    }
    *pp = nullptr;
    T* p = new (std::nothrow) T(args...);
    if (p == nullptr) {
        return E_OUTOFMEMORY;
    }
    p->InternalAddRef();
    HRESULT hr = p->Construct();
    p->InternalRelease();
    if (FAILED(hr)) {
        delete p;
        return hr;
    }
    *pp = p;
    return S_OK;
}

// The count while the object is being destroyed: calls made by FinalRelease that add and release
// references cannot bring it to zero again.
constexpr LONG kDestroying = std::numeric_limits<LONG>::max() / 2;

}  // namespace comobject_detail

// An object that counts its own references and is deleted by its last Release.
template <class Base>
class CComObject final : public Base {
public:
    CComObject() { GetComModule().Lock(); }
    ~CComObject() {
        this->m_dwRef = comobject_detail::kDestroying;
        this->FinalRelease();
        GetComModule().Unlock();
    }
    CComObject(const CComObject&) = delete;
    CComObject& operator=(const CComObject&) = delete;

    static HRESULT CreateInstance(CComObject<Base>** pp) { return comobject_detail::Create(pp); }

    STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override {
        return this->QueryInterfaceFromMap(iid, ppvObject);
    }
    STDMETHOD_(ULONG, AddRef)() override { return this->InternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override {
        ULONG count = this->InternalRelease();
        if (count == 0) {
            delete this;
        }
        return count;
    }

    HRESULT Construct() { return this->FinalConstruct(); }
};

// An object that its module keeps in a cache (a class object): the cache's own reference does not
// lock the module, every further one does.
template <class Base>
class CComObjectCached final : public Base {
public:
    CComObjectCached() = default;
    ~CComObjectCached() {
        this->m_dwRef = comobject_detail::kDestroying;
        this->FinalRelease();
    }
    CComObjectCached(const CComObjectCached&) = delete;
    CComObjectCached& operator=(const CComObjectCached&) = delete;

    static HRESULT CreateInstance(CComObjectCached<Base>** pp) {
        return comobject_detail::Create(pp);
    }

    STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override {
        return this->QueryInterfaceFromMap(iid, ppvObject);
    }
    STDMETHOD_(ULONG, AddRef)() override {
        ULONG count = this->InternalAddRef();
        if (count == 2) {
            GetComModule().Lock();
        }
        return count;
    }
    STDMETHOD_(ULONG, Release)() override {
        ULONG count = this->InternalRelease();
        if (count == 0) {
            delete this;
        } else if (count == 1) {
            GetComModule().Unlock();
        }
        return count;
    }

    HRESULT Construct() { return this->FinalConstruct(); }
};

// The inner object of an aggregate as its interfaces see it: IUnknown goes to the outer object.
template <class Base>
class CComContainedObject final : public Base {
public:
    explicit CComContainedObject(IUnknown* pOuter) { this->SetOuterUnknown(pOuter); }
    CComContainedObject(const CComContainedObject&) = delete;
    CComContainedObject& operator=(const CComContainedObject&) = delete;

    STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override {
        return this->OuterQueryInterface(iid, ppvObject);
    }
    STDMETHOD_(ULONG, AddRef)() override { return this->OuterAddRef(); }
    STDMETHOD_(ULONG, Release)() override { return this->OuterRelease(); }
};

// The inner object of an aggregate: its own IUnknown, which the outer object holds, counts the
// inner object's references and answers the interfaces of Base's map; the interfaces it hands out
// count references on the outer object.
template <class Base>
class CComAggObject final : public IUnknown,
                            public CComObjectRootEx<typename Base::ThreadModelType> {
public:
    explicit CComAggObject(IUnknown* pOuter) : m_contained(pOuter) { GetComModule().Lock(); }
    ~CComAggObject() {
        this->m_dwRef = comobject_detail::kDestroying;
        m_contained.FinalRelease();
        GetComModule().Unlock();
    }
    CComAggObject(const CComAggObject&) = delete;
    CComAggObject& operator=(const CComAggObject&) = delete;

    static HRESULT CreateInstance(IUnknown* pOuter, CComAggObject<Base>** pp) {
        if (pOuter == nullptr) {
            if (pp != nullptr) {
                *pp = nullptr;
            }
            return E_INVALIDARG;
        }
        return comobject_detail::Create(pp, pOuter);
    }

    STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override {
        if (ppvObject == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown) {
            *ppvObject = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return m_contained.QueryInterfaceFromMap(iid, ppvObject);
    }
    STDMETHOD_(ULONG, AddRef)() override { return this->InternalAddRef(); }
    STDMETHOD_(ULONG, Release)() override {
        ULONG count = this->InternalRelease();
        if (count == 0) {
            delete this;
        }
        return count;
    }

    HRESULT Construct() { return m_contained.FinalConstruct(); }

private:
    CComContainedObject<Base> m_contained;
};
