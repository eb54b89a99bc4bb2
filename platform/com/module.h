// Modules: shared libraries loaded and unloaded the way the platform loads its libraries, the
// entry points a COM module exports, and the identity of the host process.
//
// LoadLibraryA opens the library (a Windows path or a path of this machine) and calls its exported
// DllMain with DLL_PROCESS_ATTACH; when DllMain answers FALSE it is called again with
// DLL_PROCESS_DETACH, the library is closed and the load fails. Loading a loaded library again
// counts one more load and returns the same handle; the last FreeLibrary calls DllMain with
// DLL_PROCESS_DETACH and closes it. This loader sends no per-thread notifications. DllMain runs
// under the loader's lock: as on the platform, it must not create objects or wait for threads.
//
// A module leaves the platform functions it calls undefined: they resolve against the host
// program, which exports them (see lirset_com_host in CMakeLists.txt), so that module and host
// share one registry, one window list and one debug output.
#pragma once

#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/unknown.h"
#include "platform/com/wtypes.h"

typedef struct HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
// Returns nothing here (INT_PTR on the platform): the compiler lets this one function type be cast
// to any other without a warning, and an exported function is always cast before it is called.
typedef void(WINAPI* FARPROC)();

constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;

// Loader errors, as GetLastError reports them.
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
constexpr DWORD ERROR_BAD_EXE_FORMAT = 193;
constexpr DWORD ERROR_DLL_INIT_FAILED = 1114;

// Null on failure, with GetLastError: ERROR_MOD_NOT_FOUND (no such file), ERROR_BAD_EXE_FORMAT
// (not a loadable library, or a symbol it needs is missing; the loader's message goes to the
// debug output), ERROR_DLL_INIT_FAILED (DllMain refused).
HMODULE LoadLibraryA(LPCSTR lpLibFileName);
BOOL FreeLibrary(HMODULE hLibModule);
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);

// The module's path as it was loaded (a Windows path stays one); for a null module, the host
// process's executable: the name the host declared with SetProcessImageName, else the path of this
// program. A buffer too small receives nSize - 1 characters and a terminator and the result is
// nSize, with ERROR_INSUFFICIENT_BUFFER; otherwise the result is the length without terminator.
// 0 for an unknown module.
DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

// The host program declares which program it plays, for modules that check their host
// ("C:\Program Files\Internet Explorer\iexplore.exe"); null restores the program's own path.
void SetProcessImageName(LPCSTR lpImageName);

// TRUE for a loaded module. Thread notifications are never sent, so there is nothing more to do.
BOOL DisableThreadLibraryCalls(HMODULE hLibModule);

// The calling thread's last error, as set by the loader's functions.
DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

// The entry points of a COM module, exported by name.
EXTERN_C __attribute__((visibility("default"))) BOOL WINAPI DllMain(HINSTANCE hInstance,
                                                                    DWORD dwReason,
                                                                    LPVOID lpReserved);
STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv);
STDAPI DllCanUnloadNow();
STDAPI DllRegisterServer();
STDAPI DllUnregisterServer();

typedef BOOL(WINAPI* LPFNDLLMAIN)(HINSTANCE, DWORD, LPVOID);
typedef HRESULT(STDAPICALLTYPE* LPFNGETCLASSOBJECT)(REFCLSID, REFIID, LPVOID*);
typedef HRESULT(STDAPICALLTYPE* LPFNCANUNLOADNOW)();
typedef HRESULT(STDAPICALLTYPE* LPFNREGISTERSERVER)();
