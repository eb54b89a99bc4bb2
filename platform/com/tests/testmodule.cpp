// A COM module for the tests. Like the product's module, it loads only into the browser or the
// registration tool, and registers its classes under HKEY_CLASSES_ROOT\CLSID.
#include <cstring>
#include <string>

#include "platform/com/classfactory.h"
#include "platform/com/comobject.h"
#include "platform/com/module.h"
#include "platform/com/tests/testinterfaces.h"
#include "platform/debug/debugoutput.h"
#include "platform/registry/registryfile.h"
#include "platform/text/codepage.h"

namespace {

class CTestCounter : public CComObjectRootEx<CComSingleThreadModel>, public ITestCounter {
public:
    DECLARE_AGGREGATABLE(CTestCounter)

    BEGIN_COM_MAP(CTestCounter)
    COM_INTERFACE_ENTRY(ITestCounter)
    END_COM_MAP()

    STDMETHOD(Add)(LONG nAmount) override {
        m_nTotal += nAmount;
        return S_OK;
    }
    STDMETHOD(GetTotal)(LONG* pnTotal) override {
        if (pnTotal == nullptr) {
            return E_POINTER;
        }
        *pnTotal = m_nTotal;
        return S_OK;
    }

private:
    LONG m_nTotal = 0;
};

class CTestSolitary : public CTestCounter {
public:
    DECLARE_NOT_AGGREGATABLE(CTestSolitary)
};

class CTestModule {
public:
    HINSTANCE m_hInstance = nullptr;
    CComClassObjectCache<CTestCounter> m_counterClass;
    CComClassObjectCache<CTestSolitary> m_solitaryClass;
};

CTestModule& Module() {
    static CTestModule s_module;
    return s_module;
}

bool IsAcceptedHost() {
    char path[260];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    if (length == 0 || length >= sizeof(path)) {
        return false;
    }
    const char* name = std::strrchr(path, '\\');
    std::string lower = AnsiLower(name != nullptr ? name + 1 : path);
    return lower == "iexplore.exe" || lower == "regsvr32.exe";
}

std::string InprocServerKey(REFCLSID clsid) {
    return "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(clsid) + "\\InprocServer32";
}

std::string ClassKey(REFCLSID clsid) {
    return "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(clsid);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!IsAcceptedHost()) {
            OutputDebugStringA("testmodule: refused\n");
            return FALSE;
        }
        Module().m_hInstance = hInstance;
        DisableThreadLibraryCalls(hInstance);
        OutputDebugStringA("testmodule: attached\n");
    } else if (dwReason == DLL_PROCESS_DETACH) {
        Module().m_counterClass.Reset();
        Module().m_solitaryClass.Reset();
        OutputDebugStringA("testmodule: detached\n");
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    if (rclsid == CLSID_TestCounter) {
        return Module().m_counterClass.GetClassObject(riid, ppv);
    }
    if (rclsid == CLSID_TestSolitary) {
        return Module().m_solitaryClass.GetClassObject(riid, ppv);
    }
    if (ppv != nullptr) {
        *ppv = nullptr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() {
    return GetComModule().DllCanUnloadNow();
}

STDAPI DllRegisterServer() {
    char path[1024];
    DWORD length = GetModuleFileNameA(Module().m_hInstance, path, sizeof(path));
    CRegistryFile registry;
    if (length == 0 || length >= sizeof(path) || !registry.Load(CRegistryFile::DefaultPath())) {
        return E_FAIL;
    }
    for (const CLSID& clsid : {CLSID_TestCounter, CLSID_TestSolitary, CLSID_TestUnserved}) {
        if (!registry.SetValue(InprocServerKey(clsid), CRegistryValue::String("", path))) {
            return E_FAIL;
        }
    }
    return registry.Save(CRegistryFile::DefaultPath()) ? S_OK : E_FAIL;
}

STDAPI DllUnregisterServer() {
    CRegistryFile registry;
    if (!registry.Load(CRegistryFile::DefaultPath())) {
        return E_FAIL;
    }
    for (const CLSID& clsid : {CLSID_TestCounter, CLSID_TestSolitary, CLSID_TestUnserved}) {
        registry.DeleteKey(ClassKey(clsid));
    }
    return registry.Save(CRegistryFile::DefaultPath()) ? S_OK : E_FAIL;
}
