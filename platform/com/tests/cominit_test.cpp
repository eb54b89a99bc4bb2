#include "platform/com/cominit.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/com/classfactory.h"
#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/com/dispatch.h"
#include "platform/com/module.h"
#include "platform/com/tests/testobjects.h"
#include "platform/registry/registryfile.h"

namespace {

inline constexpr CLSID CLSID_InternetExplorer = MakeGuid("{0002DF01-0000-0000-C000-000000000046}");
inline constexpr CLSID CLSID_Unregistered = MakeGuid("{D1E2F3A4-0000-4000-8000-0000000000B1}");

// The object a local server hands out: a dispatch object that does nothing.
class CLocalObject : public CComObjectRootEx<CComSingleThreadModel>, public IDispatch {
public:
    DECLARE_NOT_AGGREGATABLE(CLocalObject)

    BEGIN_COM_MAP(CLocalObject)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    STDMETHOD(GetTypeInfoCount)(UINT*) override { return E_NOTIMPL; }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHOD(Invoke)
    (DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
};

CComPtr<IClassFactory> MakeLocalFactory() {
    CComObject<CComClassFactory<CLocalObject>>* pFactory = nullptr;
    CComObject<CComClassFactory<CLocalObject>>::CreateInstance(&pFactory);
    return CComPtr<IClassFactory>(pFactory);
}

HRESULT CreateDispatch(REFCLSID clsid, DWORD dwContext, CComPtr<IDispatch>& pObject) {
    return CoCreateInstance(clsid, nullptr, dwContext, IID_IDispatch,
                            reinterpret_cast<void**>(&pObject));
}

class CoInitTest : public ::testing::Test {
protected:
    CTempRoot m_root;
};

TEST_F(CoInitTest, ApartmentResultsFollowThePlatform) {
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    int pointee = 0;
    EXPECT_EQ(CoInitializeEx(&pointee, COINIT_APARTMENTTHREADED), E_INVALIDARG);

    // Two successful entries need two exits; the refused ones need none.
    CoUninitialize();
    CComPtr<IDispatch> pObject;
    EXPECT_EQ(CreateDispatch(CLSID_Unregistered, CLSCTX_ALL, pObject), REGDB_E_CLASSNOTREG);
    CoUninitialize();
    EXPECT_EQ(CreateDispatch(CLSID_Unregistered, CLSCTX_ALL, pObject), CO_E_NOTINITIALIZED);
    CoUninitialize();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
}

TEST_F(CoInitTest, EachThreadHasItsOwnApartment) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    HRESULT hrUninitialised = S_OK;
    HRESULT hrMultithreaded = S_OK;
    std::thread([&] {
        CComPtr<IDispatch> pObject;
        hrUninitialised = CreateDispatch(CLSID_Unregistered, CLSCTX_ALL, pObject);
        hrMultithreaded = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        CoUninitialize();
    }).join();
    EXPECT_EQ(hrUninitialised, CO_E_NOTINITIALIZED);
    EXPECT_EQ(hrMultithreaded, S_OK);
    CoUninitialize();
}

TEST_F(CoInitTest, LocalServerClassesComeFromTheTable) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    CComPtr<IDispatch> pObject;
    EXPECT_EQ(CreateDispatch(CLSID_InternetExplorer, CLSCTX_LOCAL_SERVER, pObject),
              REGDB_E_CLASSNOTREG);

    CComPtr<IClassFactory> pFactory = MakeLocalFactory();
    DWORD dwCookie = 0;
    ASSERT_EQ(CoRegisterClassObject(CLSID_InternetExplorer, pFactory, CLSCTX_LOCAL_SERVER,
                                    REGCLS_MULTIPLEUSE, &dwCookie),
              S_OK);
    EXPECT_NE(dwCookie, 0u);
    // The table holds its own reference.
    EXPECT_EQ(pFactory->AddRef(), 3u);
    pFactory->Release();

    EXPECT_EQ(CreateDispatch(CLSID_InternetExplorer, CLSCTX_LOCAL_SERVER, pObject), S_OK);
    EXPECT_NE(pObject, nullptr);
    // A multiple-use local server serves in-process requests too.
    EXPECT_EQ(CreateDispatch(CLSID_InternetExplorer, CLSCTX_INPROC_SERVER, pObject), S_OK);

    COuterObject outer;
    void* pv = &pv;
    EXPECT_EQ(
        CoCreateInstance(CLSID_InternetExplorer, &outer, CLSCTX_LOCAL_SERVER, IID_IUnknown, &pv),
        CLASS_E_NOAGGREGATION);
    EXPECT_EQ(pv, nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                               nullptr),
              E_POINTER);

    EXPECT_EQ(CoRevokeClassObject(dwCookie), S_OK);
    EXPECT_EQ(CoRevokeClassObject(dwCookie), E_INVALIDARG);
    EXPECT_EQ(pFactory->AddRef(), 2u);
    pFactory->Release();
    EXPECT_EQ(CreateDispatch(CLSID_InternetExplorer, CLSCTX_LOCAL_SERVER, pObject),
              REGDB_E_CLASSNOTREG);
    CoUninitialize();
}

TEST_F(CoInitTest, SingleUseClassObjectServesOnce) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    DWORD dwCookie = 0;
    ASSERT_EQ(CoRegisterClassObject(CLSID_InternetExplorer, MakeLocalFactory(), CLSCTX_LOCAL_SERVER,
                                    REGCLS_SINGLEUSE, &dwCookie),
              S_OK);
    CComPtr<IDispatch> pObject;
    EXPECT_EQ(CreateDispatch(CLSID_InternetExplorer, CLSCTX_INPROC_SERVER, pObject),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CreateDispatch(CLSID_InternetExplorer, CLSCTX_LOCAL_SERVER, pObject), S_OK);
    EXPECT_EQ(CreateDispatch(CLSID_InternetExplorer, CLSCTX_LOCAL_SERVER, pObject),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoRevokeClassObject(dwCookie), S_OK);
    CoUninitialize();
}

TEST_F(CoInitTest, LeavingComRevokesTheThreadsClassObjects) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    CComPtr<IClassFactory> pFactory = MakeLocalFactory();
    DWORD dwCookie = 0;
    EXPECT_EQ(CoRegisterClassObject(CLSID_InternetExplorer, pFactory, CLSCTX_LOCAL_SERVER,
                                    REGCLS_MULTIPLEUSE, &dwCookie),
              S_OK);
    CoUninitialize();
    EXPECT_EQ(pFactory->AddRef(), 2u);
    pFactory->Release();
    EXPECT_EQ(CoRegisterClassObject(CLSID_InternetExplorer, pFactory, CLSCTX_LOCAL_SERVER,
                                    REGCLS_MULTIPLEUSE, &dwCookie),
              CO_E_NOTINITIALIZED);

    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    CComPtr<IDispatch> pObject;
    EXPECT_EQ(CreateDispatch(CLSID_InternetExplorer, CLSCTX_LOCAL_SERVER, pObject),
              REGDB_E_CLASSNOTREG);
    CoUninitialize();
}

TEST_F(CoInitTest, InprocClassNeedsItsServerKey) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    CRegistryFile registry;
    const std::string key = "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(CLSID_Unregistered);
    ASSERT_TRUE(registry.SetValue(key, CRegistryValue::String("", "Unregistered")));
    ASSERT_TRUE(registry.SetValue(key + "\\LocalServer32", CRegistryValue::String("", "x.exe")));
    ASSERT_TRUE(registry.SetValue(key + "\\InprocServer32", CRegistryValue::String("", "")));
    ASSERT_TRUE(registry.Save(CRegistryFile::DefaultPath()));

    CComPtr<IDispatch> pObject;
    EXPECT_EQ(CreateDispatch(CLSID_Unregistered, CLSCTX_INPROC_SERVER, pObject),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CreateDispatch(CLSID_Unregistered, CLSCTX_LOCAL_SERVER, pObject),
              REGDB_E_CLASSNOTREG);

    ASSERT_TRUE(registry.SetValue(key + "\\InprocServer32",
                                  CRegistryValue::String("", m_root.Path() + "/missing.so")));
    ASSERT_TRUE(registry.Save(CRegistryFile::DefaultPath()));
    EXPECT_EQ(CreateDispatch(CLSID_Unregistered, CLSCTX_INPROC_SERVER, pObject),
              HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
    CoUninitialize();
}

}  // namespace
