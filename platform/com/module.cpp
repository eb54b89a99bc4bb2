#include "platform/com/module.h"

#include <dlfcn.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>

#include "platform/debug/debugoutput.h"
#include "platform/fs/winpath.h"

namespace {

thread_local DWORD t_dwLastError = 0;

struct CLoadedModule {
    std::string strPath;
    int nLoadCount = 0;
};

// The libraries loaded through LoadLibraryA, by handle. The handle is the one dlopen gives, which
// is the same for every load of the same library.
class CModuleTable {
public:
    static CModuleTable& Instance() {
        static CModuleTable s_table;
        return s_table;
    }

    HMODULE Load(LPCSTR name);
    BOOL Free(HMODULE hModule);
    FARPROC Find(HMODULE hModule, LPCSTR name);
    std::optional<std::string> PathOf(HMODULE hModule);

    void SetProcessImageName(LPCSTR name);
    std::string ProcessImageName();

private:
    static LPFNDLLMAIN EntryPoint(void* handle) {
        return reinterpret_cast<LPFNDLLMAIN>(dlsym(handle, "DllMain"));
    }

    // Recursive: DllMain runs under the lock and may ask for its own file name or load others.
    std::recursive_mutex m_mutex;
    std::map<HMODULE, CLoadedModule> m_mapModules;
    std::optional<std::string> m_strProcessImage;
};

// The path to open, and the name GetModuleFileNameA reports: a Windows path as given, a path of
// this machine made absolute.
bool ResolveName(LPCSTR name, std::string& path, std::string& reported) {
    if (name == nullptr || *name == '\0') {
        return false;
    }
    path = MapWindowsPath(name);
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        return false;
    }
    path = absolute.lexically_normal().string();
    reported = IsDrivePath(name) ? std::string(name) : path;
    return true;
}

HMODULE CModuleTable::Load(LPCSTR name) {
    std::string path;
    std::string reported;
    std::error_code error;
    if (!ResolveName(name, path, reported) || !std::filesystem::is_regular_file(path, error)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    std::lock_guard lock(m_mutex);
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        DebugPrintf("LoadLibrary %s: %s\n", name, reason != nullptr ? reason : "cannot load");
        SetLastError(ERROR_BAD_EXE_FORMAT);
        return nullptr;
    }
    HMODULE hModule = reinterpret_cast<HMODULE>(handle);
    auto found = m_mapModules.find(hModule);
    if (found != m_mapModules.end()) {
        ++found->second.nLoadCount;
        return hModule;
    }
    m_mapModules[hModule] = CLoadedModule{reported, 1};
    if (LPFNDLLMAIN pfnDllMain = EntryPoint(handle)) {
        if (!pfnDllMain(reinterpret_cast<HINSTANCE>(hModule), DLL_PROCESS_ATTACH, nullptr)) {
            pfnDllMain(reinterpret_cast<HINSTANCE>(hModule), DLL_PROCESS_DETACH, nullptr);
            m_mapModules.erase(hModule);
            dlclose(handle);
            SetLastError(ERROR_DLL_INIT_FAILED);
            return nullptr;
        }
    }
    return hModule;
}

BOOL CModuleTable::Free(HMODULE hModule) {
    std::lock_guard lock(m_mutex);
    auto found = m_mapModules.find(hModule);
    if (found == m_mapModules.end()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    void* handle = reinterpret_cast<void*>(hModule);
    if (--found->second.nLoadCount == 0) {
        if (LPFNDLLMAIN pfnDllMain = EntryPoint(handle)) {
            pfnDllMain(reinterpret_cast<HINSTANCE>(hModule), DLL_PROCESS_DETACH, nullptr);
        }
        m_mapModules.erase(hModule);
    }
    // Every load opened the library once more, so every free closes it once.
    dlclose(handle);
    return TRUE;
}

FARPROC CModuleTable::Find(HMODULE hModule, LPCSTR name) {
    std::lock_guard lock(m_mutex);
    if (m_mapModules.count(hModule) == 0) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    void* symbol = name != nullptr ? dlsym(reinterpret_cast<void*>(hModule), name) : nullptr;
    if (symbol == nullptr) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

std::optional<std::string> CModuleTable::PathOf(HMODULE hModule) {
    std::lock_guard lock(m_mutex);
    auto found = m_mapModules.find(hModule);
    if (found == m_mapModules.end()) {
        return std::nullopt;
    }
    return found->second.strPath;
}

void CModuleTable::SetProcessImageName(LPCSTR name) {
    std::lock_guard lock(m_mutex);
    if (name != nullptr) {
        m_strProcessImage = name;
    } else {
        m_strProcessImage.reset();
    }
}

std::string CModuleTable::ProcessImageName() {
    std::lock_guard lock(m_mutex);
    if (m_strProcessImage) {
        return *m_strProcessImage;
    }
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}

// Copies as the platform does: a buffer too small gets what fits and a terminator.
DWORD CopyName(const std::string& name, LPSTR buffer, DWORD size) {
    if (buffer == nullptr || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (name.size() < size) {
        std::memcpy(buffer, name.c_str(), name.size() + 1);
        return static_cast<DWORD>(name.size());
    }
    std::memcpy(buffer, name.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

}  // namespace

HMODULE LoadLibraryA(LPCSTR lpLibFileName) {
    return CModuleTable::Instance().Load(lpLibFileName);
}

BOOL FreeLibrary(HMODULE hLibModule) {
    return CModuleTable::Instance().Free(hLibModule);
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    return CModuleTable::Instance().Find(hModule, lpProcName);
}

DWORD GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (hModule == nullptr) {
        return CopyName(CModuleTable::Instance().ProcessImageName(), lpFilename, nSize);
    }
    std::optional<std::string> path = CModuleTable::Instance().PathOf(hModule);
    if (!path) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    return CopyName(*path, lpFilename, nSize);
}

void SetProcessImageName(LPCSTR lpImageName) {
    CModuleTable::Instance().SetProcessImageName(lpImageName);
}

BOOL DisableThreadLibraryCalls(HMODULE hLibModule) {
    if (!CModuleTable::Instance().PathOf(hLibModule)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

DWORD GetLastError() {
    return t_dwLastError;
}

void SetLastError(DWORD dwErrCode) {
    t_dwLastError = dwErrCode;
}
