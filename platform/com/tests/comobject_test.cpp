#include "platform/com/comobject.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/com/classfactory.h"
#include "platform/com/comptr.h"
#include "platform/com/interlocked.h"
#include "platform/com/tests/testobjects.h"

namespace {

inline constexpr IID IID_IFirst = MakeGuid("{0F1E2D3C-0001-4000-8000-00000000A001}");
inline constexpr IID IID_ISecond = MakeGuid("{0F1E2D3C-0002-4000-8000-00000000A002}");
inline constexpr IID IID_IShared = MakeGuid("{0F1E2D3C-0003-4000-8000-00000000A003}");

struct IFirst : public IUnknown {
    STDMETHOD_(int, First)() PURE;
};
struct ISecond : public IUnknown {
    STDMETHOD_(int, Second)() PURE;
};

}  // namespace

template <>
constexpr const IID& UuidOf<IFirst>() {
    return IID_IFirst;
}
template <>
constexpr const IID& UuidOf<ISecond>() {
    return IID_ISecond;
}

namespace {

// Counts the objects alive, and can be told to fail its construction.
class CTwoFaced : public CComObjectRootEx<CComSingleThreadModel>, public IFirst, public ISecond {
public:
    DECLARE_AGGREGATABLE(CTwoFaced)

    // ISecond first: it is the object's IUnknown. IShared is answered twice; the first entry wins.
    BEGIN_COM_MAP(CTwoFaced)
    COM_INTERFACE_ENTRY(ISecond)
    COM_INTERFACE_ENTRY(IFirst)
    COM_INTERFACE_ENTRY_IID(IID_IShared, IFirst)
    COM_INTERFACE_ENTRY_IID(IID_IShared, ISecond)
    END_COM_MAP()

    HRESULT FinalConstruct() {
        ++s_nAlive;
        return s_hrConstruct;
    }
    void FinalRelease() { --s_nAlive; }

    STDMETHOD_(int, First)() override { return 1; }
    STDMETHOD_(int, Second)() override { return 2; }

    static inline int s_nAlive = 0;
    static inline HRESULT s_hrConstruct = S_OK;
};

class CLoner : public CTwoFaced {
public:
    DECLARE_NOT_AGGREGATABLE(CLoner)
};

class ComObjectTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(CTwoFaced::s_nAlive, 0);
        EXPECT_EQ(GetComModule().GetLockCount(), 0);
        CTwoFaced::s_hrConstruct = S_OK;
    }

    static CComPtr<IUnknown> Create() {
        CComObject<CTwoFaced>* pObject = nullptr;
        EXPECT_EQ(CComObject<CTwoFaced>::CreateInstance(&pObject), S_OK);
        return CComPtr<IUnknown>(pObject->GetUnknown());
    }
};

TEST_F(ComObjectTest, QueryInterfaceAnswersFromTheMapInOrder) {
    CComPtr<IUnknown> pUnk = Create();
    CComObject<CTwoFaced>* pObject =
        static_cast<CComObject<CTwoFaced>*>(static_cast<CTwoFaced*>(static_cast<ISecond*>(pUnk.p)));

    void* pv = nullptr;
    ASSERT_EQ(pUnk->QueryInterface(IID_IUnknown, &pv), S_OK);
    EXPECT_EQ(pv, static_cast<ISecond*>(pObject));
    static_cast<IUnknown*>(pv)->Release();

    ASSERT_EQ(pUnk->QueryInterface(IID_IFirst, &pv), S_OK);
    EXPECT_EQ(pv, static_cast<IFirst*>(pObject));
    EXPECT_EQ(static_cast<IFirst*>(pv)->First(), 1);
    static_cast<IUnknown*>(pv)->Release();

    ASSERT_EQ(pUnk->QueryInterface(IID_IShared, &pv), S_OK);
    EXPECT_EQ(pv, static_cast<IFirst*>(pObject));
    static_cast<IUnknown*>(pv)->Release();

    pv = &pv;
    EXPECT_EQ(pUnk->QueryInterface(IID_IDispatch, &pv), E_NOINTERFACE);
    EXPECT_EQ(pv, nullptr);
    EXPECT_EQ(pUnk->QueryInterface(IID_IFirst, nullptr), E_POINTER);
}

TEST_F(ComObjectTest, ObjectLivesWhileReferencedAndLocksTheModule) {
    CComObject<CTwoFaced>* pObject = nullptr;
    ASSERT_EQ(CComObject<CTwoFaced>::CreateInstance(&pObject), S_OK);
    EXPECT_EQ(GetComModule().GetLockCount(), 1);
    EXPECT_EQ(pObject->AddRef(), 1u);
    {
        CComQIPtr<IFirst> pFirst(pObject->GetUnknown());
        ASSERT_TRUE(pFirst);
        EXPECT_EQ(pObject->AddRef(), 3u);
        pObject->Release();
    }
    EXPECT_EQ(CTwoFaced::s_nAlive, 1);
    EXPECT_EQ(pObject->Release(), 0u);
    EXPECT_EQ(CTwoFaced::s_nAlive, 0);
}

TEST_F(ComObjectTest, FailedConstructionDestroysTheObject) {
    CTwoFaced::s_hrConstruct = E_OUTOFMEMORY;
    CComObject<CTwoFaced>* pObject = reinterpret_cast<CComObject<CTwoFaced>*>(1);
    EXPECT_EQ(CComObject<CTwoFaced>::CreateInstance(&pObject), E_OUTOFMEMORY);
    EXPECT_EQ(pObject, nullptr);
}

TEST_F(ComObjectTest, SmartPointerHoldsOneReference) {
    CComPtr<IUnknown> pUnk = Create();
    CComQIPtr<IFirst> pFirst(pUnk);
    CComPtr<IFirst> pCopy = pFirst;
    pCopy = pCopy;
    CComPtr<IFirst> pMoved = std::move(pCopy);
    EXPECT_EQ(pCopy.p, nullptr);
    EXPECT_EQ(pUnk->AddRef(), 4u);
    pUnk->Release();

    IFirst* pRaw = nullptr;
    ASSERT_EQ(pMoved.CopyTo(&pRaw), S_OK);
    CComPtr<IFirst> pAttached;
    pAttached.Attach(pRaw);
    EXPECT_EQ(pUnk->AddRef(), 5u);
    pUnk->Release();
    pAttached.Detach()->Release();

    // Handing out the address for an out parameter lets go of the reference held.
    IFirst** ppOut = &pMoved;
    EXPECT_EQ(*ppOut, nullptr);
    EXPECT_EQ(pUnk->AddRef(), 3u);
    pUnk->Release();

    CComPtr<ISecond> pSecond;
    ASSERT_EQ(pFirst.QueryInterface(&pSecond), S_OK);
    EXPECT_TRUE(pFirst.IsEqualObject(pSecond));
    EXPECT_FALSE(pFirst.IsEqualObject(Create()));
}

TEST_F(ComObjectTest, QiPointerIsNullWhenTheInterfaceIsMissing) {
    CRecordingDispatch object;
    CComQIPtr<IFirst> pFirst(static_cast<IUnknown*>(&object));
    EXPECT_FALSE(pFirst);
    EXPECT_EQ(object.m_nRefs, 0);
    CComQIPtr<IDispatch> pDispatch(static_cast<IUnknown*>(&object));
    EXPECT_EQ(object.m_nRefs, 1);
}

TEST_F(ComObjectTest, FactoryCreatesAndRefusesAggregationAsDeclared) {
    CComObject<CComClassFactory<CTwoFaced>>* pFactory = nullptr;
    ASSERT_EQ(CComObject<CComClassFactory<CTwoFaced>>::CreateInstance(&pFactory), S_OK);
    CComPtr<IClassFactory> pHeld(pFactory);

    CComPtr<IFirst> pFirst;
    ASSERT_EQ(pHeld->CreateInstance(nullptr, IID_IFirst, reinterpret_cast<void**>(&pFirst)), S_OK);
    EXPECT_EQ(pFirst->First(), 1);

    // An interface the class lacks: nothing is returned and the object is gone again.
    void* pv = &pv;
    EXPECT_EQ(pHeld->CreateInstance(nullptr, IID_IDispatch, &pv), E_NOINTERFACE);
    EXPECT_EQ(pv, nullptr);
    EXPECT_EQ(CTwoFaced::s_nAlive, 1);

    COuterObject outer;
    pv = &pv;
    EXPECT_EQ(pHeld->CreateInstance(&outer, IID_IFirst, &pv), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(pv, nullptr);

    CComObject<CComClassFactory<CLoner>>* pLonerFactory = nullptr;
    ASSERT_EQ(CComObject<CComClassFactory<CLoner>>::CreateInstance(&pLonerFactory), S_OK);
    CComPtr<IClassFactory> pLoner(pLonerFactory);
    EXPECT_EQ(pLoner->CreateInstance(&outer, IID_IUnknown, &pv), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(pLoner->CreateInstance(nullptr, IID_IFirst, nullptr), E_POINTER);
}

TEST_F(ComObjectTest, AggregatedInterfacesCountOnTheOuterObject) {
    CComObject<CComClassFactory<CTwoFaced>>* pFactory = nullptr;
    ASSERT_EQ(CComObject<CComClassFactory<CTwoFaced>>::CreateInstance(&pFactory), S_OK);
    CComPtr<IClassFactory> pHeld(pFactory);
    {
        COuterObject outer;
        ASSERT_EQ(
            pHeld->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.m_pInner)),
            S_OK);
        EXPECT_EQ(outer.m_nRefs, 0);

        CComPtr<IFirst> pFirst;
        ASSERT_EQ(outer.QueryInterface(IID_IFirst, reinterpret_cast<void**>(&pFirst)), S_OK);
        EXPECT_EQ(outer.m_nRefs, 1);

        // The inner object's interfaces know the outer object as their IUnknown.
        CComPtr<IUnknown> pIdentity;
        ASSERT_EQ(pFirst->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pIdentity)), S_OK);
        EXPECT_EQ(pIdentity.p, &outer);
        pIdentity.Release();
        pFirst.Release();
        EXPECT_EQ(outer.m_nRefs, 0);
        EXPECT_EQ(CTwoFaced::s_nAlive, 1);
    }
    EXPECT_EQ(CTwoFaced::s_nAlive, 0);
}

TEST_F(ComObjectTest, LockServerKeepsTheModuleLocked) {
    CComObject<CComClassFactory<CTwoFaced>>* pFactory = nullptr;
    ASSERT_EQ(CComObject<CComClassFactory<CTwoFaced>>::CreateInstance(&pFactory), S_OK);
    CComPtr<IClassFactory> pHeld(pFactory);
    EXPECT_EQ(GetComModule().DllCanUnloadNow(), S_FALSE);
    pHeld->LockServer(TRUE);
    pHeld.Release();
    EXPECT_EQ(GetComModule().DllCanUnloadNow(), S_FALSE);
    EXPECT_EQ(GetComModule().GetLockCount(), 1);
    GetComModule().Unlock();
    EXPECT_EQ(GetComModule().DllCanUnloadNow(), S_OK);
}

TEST_F(ComObjectTest, CachedClassObjectIsSharedWithoutLockingTheModule) {
    CComClassObjectCache<CTwoFaced> cache;
    CComPtr<IClassFactory> pFirst;
    ASSERT_EQ(cache.GetClassObject(IID_IClassFactory, reinterpret_cast<void**>(&pFirst)), S_OK);
    CComPtr<IClassFactory> pSecond;
    ASSERT_EQ(cache.GetClassObject(IID_IClassFactory, reinterpret_cast<void**>(&pSecond)), S_OK);
    EXPECT_EQ(pFirst.p, pSecond.p);
    EXPECT_EQ(GetComModule().GetLockCount(), 1);
    pFirst.Release();
    pSecond.Release();
    EXPECT_EQ(GetComModule().DllCanUnloadNow(), S_OK);

    void* pv = &pv;
    EXPECT_EQ(cache.GetClassObject(IID_IFirst, &pv), E_NOINTERFACE);
    EXPECT_EQ(pv, nullptr);
    cache.Reset();
}

TEST(InterlockedTest, CountsEveryChangeFromManyThreads) {
    LONG count = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&count] {
            for (int i = 0; i < 10000; ++i) {
                InterlockedIncrement(&count);
                InterlockedIncrement(&count);
                InterlockedDecrement(&count);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(count, 40000);
    EXPECT_EQ(InterlockedDecrement(&count), 39999);
}

}  // namespace
