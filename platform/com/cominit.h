// The COM runtime: apartments, object creation and the table of registered class objects.
//
// A thread enters COM with CoInitializeEx and leaves with as many CoUninitialize calls. Objects
// are created through class objects, found in this order:
//   1. class objects that a running program has registered with CoRegisterClassObject (the
//      headless browser registers the browser's application class this way, as a local server);
//   2. for in-process servers, the module named by the default value of
//      HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32 (a Windows path or a path of this machine),
//      loaded with LoadLibrary and asked through its exported DllGetClassObject.
// Modules loaded this way stay loaded until CoFreeUnusedLibraries, or the last CoUninitialize of
// the process, finds that their DllCanUnloadNow allows it. Objects are always created on the
// calling thread; the registry's ThreadingModel value is not consulted.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/unknown.h"
#include "platform/com/wtypes.h"

enum COINIT : DWORD {
    COINIT_MULTITHREADED = 0x0,
    COINIT_APARTMENTTHREADED = 0x2,
    COINIT_DISABLE_OLE1DDE = 0x4,
    COINIT_SPEED_OVER_MEMORY = 0x8,
};

enum CLSCTX : DWORD {
    CLSCTX_INPROC_SERVER = 0x1,
    CLSCTX_INPROC_HANDLER = 0x2,
    CLSCTX_LOCAL_SERVER = 0x4,
    CLSCTX_REMOTE_SERVER = 0x10,
    CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
    CLSCTX_ALL = CLSCTX_SERVER | CLSCTX_INPROC_HANDLER,
};

enum REGCLS : DWORD {
    REGCLS_SINGLEUSE = 0,
    REGCLS_MULTIPLEUSE = 1,
    REGCLS_MULTI_SEPARATE = 2,
};

// Names another machine for remote activation; this machine has no others to offer.
struct COSERVERINFO;

// S_OK when the thread enters COM, S_FALSE when it is already in with the same model (the call
// still needs its CoUninitialize), RPC_E_CHANGED_MODE for the other model. pvReserved must be null.
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
// The single-threaded apartment model.
HRESULT CoInitialize(LPVOID pvReserved);
// Balances one successful CoInitializeEx. The last one of a thread revokes the class objects the
// thread registered; the last one of the process frees the unused modules.
void CoUninitialize();

// The class object of rclsid asked for riid, from the places the context allows.
// REGDB_E_CLASSNOTREG when no allowed place knows the class; a module that cannot be loaded gives
// HRESULT_FROM_WIN32 of the loader's error; one without DllGetClassObject gives CO_E_ERRORINDLL;
// the module's own answer (CLASS_E_CLASSNOTAVAILABLE, ...) is passed on.
HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, COSERVERINFO* pServerInfo,
                         REFIID riid, LPVOID* ppv);
// CoGetClassObject for IClassFactory, then CreateInstance with the outer unknown and riid as
// given (aggregation is the class factory's decision).
HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                         LPVOID* ppv);

// Makes a class object available to CoGetClassObject and CoCreateInstance in the given contexts
// until it is revoked or the registering thread leaves COM; the table holds a reference. A
// multiple-use local server is available in process too; a single-use one serves one request.
HRESULT CoRegisterClassObject(REFCLSID rclsid, LPUNKNOWN pUnk, DWORD dwClsContext, DWORD flags,
                              LPDWORD lpdwRegister);
// E_INVALIDARG for a cookie that is not registered.
HRESULT CoRevokeClassObject(DWORD dwRegister);

// Frees the modules loaded for in-process classes whose DllCanUnloadNow answers S_OK. A module
// that does not export DllCanUnloadNow stays loaded.
void CoFreeUnusedLibraries();
