#include "platform/com/cominit.h"

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/com/comptr.h"
#include "platform/com/module.h"
#include "platform/registry/registry.h"

namespace {

// The calling thread's apartment: how often it entered COM, and with which model.
struct CApartment {
    int nInitCount = 0;
    bool bSingleThreaded = false;
};

thread_local CApartment t_apartment;

bool IsInitialised() {
    return t_apartment.nInitCount > 0;
}

// Closes a registry key when it goes out of scope.
class CKeyHolder {
public:
    CKeyHolder() = default;
    CKeyHolder(const CKeyHolder&) = delete;
    CKeyHolder& operator=(const CKeyHolder&) = delete;
    ~CKeyHolder() {
        if (m_hKey != nullptr) {
            RegCloseKey(m_hKey);
        }
    }
    HKEY* operator&() { return &m_hKey; }
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

// The module path registered for an in-process class; empty when there is none.
std::string FindInprocServer(REFCLSID rclsid) {
    std::string path = "CLSID\\" + GuidToString(rclsid) + "\\InprocServer32";
    CKeyHolder key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {};
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size == 0) {
        return {};
    }
    std::string value(size, '\0');
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(value.data()),
                         &size) != ERROR_SUCCESS) {
        return {};
    }
    value.resize(std::char_traits<char>::length(value.c_str()));
    return value;
}

struct CRegistration {
    DWORD dwCookie;
    CLSID clsid;
    CComPtr<IUnknown> pClassObject;
    DWORD dwContext;
    DWORD dwFlags;
    std::thread::id threadId;
    bool bUsed = false;
};

// What the process shares: the registered class objects, the modules loaded for in-process
// classes and the number of threads inside COM.
class CComRuntime {
public:
    static CComRuntime& Instance() {
        static CComRuntime s_runtime;
        return s_runtime;
    }

    void EnterThread() {
        std::lock_guard lock(m_mutex);
        ++m_nThreads;
    }
    // True when it was the last thread in COM.
    bool LeaveThread() {
        std::lock_guard lock(m_mutex);
        return --m_nThreads == 0;
    }

    DWORD Register(REFCLSID rclsid, IUnknown* pUnk, DWORD dwContext, DWORD dwFlags);
    bool Revoke(DWORD dwCookie);
    void RevokeThread(std::thread::id threadId);
    CComPtr<IUnknown> FindRegistered(REFCLSID rclsid, DWORD dwContext);

    HRESULT GetInprocClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv);
    void FreeUnusedLibraries();

private:
    HRESULT LoadServer(const std::string& path, HMODULE& hModule);

    // Recursive: releasing a class object or unloading a module may call back into COM.
    std::recursive_mutex m_mutex;
    int m_nThreads = 0;
    DWORD m_dwNextCookie = 1;
    std::vector<CRegistration> m_vecRegistrations;
    // By the path as the registry names it.
    std::map<std::string, HMODULE> m_mapServers;
};

DWORD CComRuntime::Register(REFCLSID rclsid, IUnknown* pUnk, DWORD dwContext, DWORD dwFlags) {
    if (dwFlags == REGCLS_MULTIPLEUSE && (dwContext & CLSCTX_LOCAL_SERVER) != 0) {
        dwContext |= CLSCTX_INPROC_SERVER;
    }
    std::lock_guard lock(m_mutex);
    DWORD dwCookie = m_dwNextCookie++;
    m_vecRegistrations.push_back(
        CRegistration{dwCookie, rclsid, pUnk, dwContext, dwFlags, std::this_thread::get_id()});
    return dwCookie;
}

bool CComRuntime::Revoke(DWORD dwCookie) {
    CComPtr<IUnknown> pReleased;
    std::lock_guard lock(m_mutex);
    for (auto it = m_vecRegistrations.begin(); it != m_vecRegistrations.end(); ++it) {
        if (it->dwCookie == dwCookie) {
            pReleased = std::move(it->pClassObject);
            m_vecRegistrations.erase(it);
            return true;
        }
    }
    return false;
}

void CComRuntime::RevokeThread(std::thread::id threadId) {
    std::vector<CComPtr<IUnknown>> vecReleased;
    std::lock_guard lock(m_mutex);
    std::erase_if(m_vecRegistrations, [&](CRegistration& registration) {
        if (registration.threadId != threadId) {
            return false;
        }
        vecReleased.push_back(std::move(registration.pClassObject));
        return true;
    });
}

CComPtr<IUnknown> CComRuntime::FindRegistered(REFCLSID rclsid, DWORD dwContext) {
    std::lock_guard lock(m_mutex);
    for (CRegistration& registration : m_vecRegistrations) {
        if (registration.clsid == rclsid && (registration.dwContext & dwContext) != 0 &&
            !(registration.dwFlags == REGCLS_SINGLEUSE && registration.bUsed)) {
            registration.bUsed = true;
            return registration.pClassObject;
        }
    }
    return nullptr;
}

HRESULT CComRuntime::LoadServer(const std::string& path, HMODULE& hModule) {
    auto found = m_mapServers.find(path);
    if (found != m_mapServers.end()) {
        hModule = found->second;
        return S_OK;
    }
    hModule = LoadLibraryA(path.c_str());
    if (hModule == nullptr) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    if (GetProcAddress(hModule, "DllGetClassObject") == nullptr) {
        FreeLibrary(hModule);
        return CO_E_ERRORINDLL;
    }
    m_mapServers[path] = hModule;
    return S_OK;
}

HRESULT CComRuntime::GetInprocClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
    std::string path = FindInprocServer(rclsid);
    if (path.empty()) {
        return REGDB_E_CLASSNOTREG;
    }
    std::lock_guard lock(m_mutex);
    HMODULE hModule = nullptr;
    HRESULT hr = LoadServer(path, hModule);
    if (FAILED(hr)) {
        return hr;
    }
    auto pfnGetClassObject =
        reinterpret_cast<LPFNGETCLASSOBJECT>(GetProcAddress(hModule, "DllGetClassObject"));
    return pfnGetClassObject(rclsid, riid, ppv);
}

void CComRuntime::FreeUnusedLibraries() {
    std::vector<HMODULE> vecUnused;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_mapServers.begin(); it != m_mapServers.end();) {
            auto pfnCanUnloadNow =
                reinterpret_cast<LPFNCANUNLOADNOW>(GetProcAddress(it->second, "DllCanUnloadNow"));
            if (pfnCanUnloadNow != nullptr && pfnCanUnloadNow() == S_OK) {
                vecUnused.push_back(it->second);
                it = m_mapServers.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (HMODULE hModule : vecUnused) {
        FreeLibrary(hModule);
    }
}

}  // namespace

HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
    if (pvReserved != nullptr) {
        return E_INVALIDARG;
    }
    bool bSingleThreaded = (dwCoInit & COINIT_APARTMENTTHREADED) != 0;
    if (IsInitialised()) {
        if (t_apartment.bSingleThreaded != bSingleThreaded) {
            return RPC_E_CHANGED_MODE;
        }
        ++t_apartment.nInitCount;
        return S_FALSE;
    }
    t_apartment.nInitCount = 1;
    t_apartment.bSingleThreaded = bSingleThreaded;
    CComRuntime::Instance().EnterThread();
    return S_OK;
}

HRESULT CoInitialize(LPVOID pvReserved) {
    return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

void CoUninitialize() {
    if (!IsInitialised() || --t_apartment.nInitCount > 0) {
        return;
    }
    CComRuntime& runtime = CComRuntime::Instance();
    runtime.RevokeThread(std::this_thread::get_id());
    if (runtime.LeaveThread()) {
        runtime.FreeUnusedLibraries();
    }
}

HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, COSERVERINFO*, REFIID riid,
                         LPVOID* ppv) {
    if (ppv == nullptr) {
        return E_INVALIDARG;
    }
    *ppv = nullptr;
    if (!IsInitialised()) {
        return CO_E_NOTINITIALIZED;
    }
    CComRuntime& runtime = CComRuntime::Instance();
    if (CComPtr<IUnknown> pClassObject = runtime.FindRegistered(rclsid, dwClsContext)) {
        return pClassObject->QueryInterface(riid, ppv);
    }
    if ((dwClsContext & CLSCTX_INPROC_SERVER) != 0) {
        return runtime.GetInprocClassObject(rclsid, riid, ppv);
    }
    return REGDB_E_CLASSNOTREG;
}

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                         LPVOID* ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    CComPtr<IClassFactory> pFactory;
    HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory,
                                  reinterpret_cast<void**>(&pFactory));
    if (FAILED(hr)) {
        return hr;
    }
    return pFactory->CreateInstance(pUnkOuter, riid, ppv);
}

HRESULT CoRegisterClassObject(REFCLSID rclsid, LPUNKNOWN pUnk, DWORD dwClsContext, DWORD flags,
                              LPDWORD lpdwRegister) {
    if (pUnk == nullptr || lpdwRegister == nullptr) {
        return E_INVALIDARG;
    }
    *lpdwRegister = 0;
    if (!IsInitialised()) {
        return CO_E_NOTINITIALIZED;
    }
    *lpdwRegister = CComRuntime::Instance().Register(rclsid, pUnk, dwClsContext, flags);
    return S_OK;
}

HRESULT CoRevokeClassObject(DWORD dwRegister) {
    if (!IsInitialised()) {
        return CO_E_NOTINITIALIZED;
    }
    return CComRuntime::Instance().Revoke(dwRegister) ? S_OK : E_INVALIDARG;
}

void CoFreeUnusedLibraries() {
    CComRuntime::Instance().FreeUnusedLibraries();
}
