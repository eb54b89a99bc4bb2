#include "prefs/registrystring.h"

#include <cstring>
#include <memory>
#include <type_traits>

#include "platform/registry/registry.h"

namespace {

constexpr const char* kInstallKey = "SOFTWARE\\Brennick\\Orv\\Lirset Browser";
constexpr const char* kFallbackFolder = "C:\\Lirset\\";
constexpr DWORD kBufferSize = 1024;

struct CKeyCloser {
    void operator()(HKEY hKey) const { RegCloseKey(hKey); }
};
using CKeyHolder = std::unique_ptr<std::remove_pointer_t<HKEY>, CKeyCloser>;

}  // namespace

std::string GetRegistryString(const char* valueName) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS) {
        return kFallbackFolder;
    }
    CKeyHolder key(hKey);
    char buffer[kBufferSize];
    DWORD type = 0;
    DWORD size = sizeof buffer;
    // A value longer than the buffer is refused (ERROR_MORE_DATA) rather than cut.
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<LPBYTE>(buffer),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return kFallbackFolder;
    }
    std::string value(buffer, strnlen(buffer, size));
    return value.empty() ? kFallbackFolder : value;
}
