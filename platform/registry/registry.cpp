#include "platform/registry/registry.h"

#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/registry/registryfile.h"

namespace {

// Handles of opened keys count up from here, far from the predefined keys (0x80000000 and up),
// and are never reused, so a stale handle is recognised as invalid.
constexpr std::uintptr_t kFirstHandle = 0x1000;

// The keys the caller has opened, each with the values it had when it was opened.
class CHandleTable {
public:
    HKEY Add(const CRegistryKey& key) {
        std::lock_guard lock(m_mutex);
        HKEY handle = reinterpret_cast<HKEY>(m_nNext++);
        m_mapKeys.emplace(handle, key);
        return handle;
    }

    std::optional<CRegistryKey> Find(HKEY handle) const {
        std::lock_guard lock(m_mutex);
        auto it = m_mapKeys.find(handle);
        if (it == m_mapKeys.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    bool Remove(HKEY handle) {
        std::lock_guard lock(m_mutex);
        return m_mapKeys.erase(handle) > 0;
    }

private:
    mutable std::mutex m_mutex;
    std::uintptr_t m_nNext = kFirstHandle;
    std::map<HKEY, CRegistryKey> m_mapKeys;
};

CHandleTable& Handles() {
    static CHandleTable s_handles;
    return s_handles;
}

const char* PredefinedRoot(HKEY hKey) {
    if (hKey == HKEY_LOCAL_MACHINE) {
        return "HKEY_LOCAL_MACHINE";
    }
    if (hKey == HKEY_CLASSES_ROOT) {
        return "HKEY_CLASSES_ROOT";
    }
    return nullptr;
}

// Reads the registry file and finds the key; the result is an error code of the registry functions.
LONG LoadKey(const std::string& path, std::optional<CRegistryKey>& result) {
    CRegistryFile file;
    if (!file.Load(CRegistryFile::DefaultPath())) {
        return ERROR_BADDB;
    }
    const CRegistryKey* key = file.FindKey(path);
    if (key == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    result = *key;
    return ERROR_SUCCESS;
}

// The key a handle stands for: a predefined key as the file holds it now, an opened key as it was
// when opened.
LONG ResolveHandle(HKEY hKey, std::optional<CRegistryKey>& result) {
    if (const char* root = PredefinedRoot(hKey)) {
        return LoadKey(root, result);
    }
    result = Handles().Find(hKey);
    return result ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace

LONG RegOpenKeyExA(HKEY hKey, LPCSTR subKey, DWORD, REGSAM, HKEY* result) {
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    std::string path;
    if (const char* root = PredefinedRoot(hKey)) {
        path = root;
    } else if (std::optional<CRegistryKey> parent = Handles().Find(hKey)) {
        path = parent->Path();
    } else {
        return ERROR_INVALID_HANDLE;
    }
    if (subKey != nullptr && *subKey != '\0') {
        path += '\\';
        path += subKey;
    }
    std::optional<CRegistryKey> key;
    if (LONG error = LoadKey(path, key); error != ERROR_SUCCESS) {
        return error;
    }
    *result = Handles().Add(*key);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR name, DWORD* reserved, DWORD* type, LPBYTE data,
                      DWORD* cbData) {
    if (reserved != nullptr || (data != nullptr && cbData == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    std::optional<CRegistryKey> key;
    if (LONG error = ResolveHandle(hKey, key); error != ERROR_SUCCESS) {
        return error;
    }
    const CRegistryValue* value = key->GetValue(name != nullptr ? name : "");
    if (value == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    std::string bytes;
    if (value->Type() == REG_DWORD) {
        DWORD number = value->Number();
        bytes.assign(reinterpret_cast<const char*>(&number), sizeof number);
    } else {
        bytes.assign(value->Text().c_str(), value->Text().size() + 1);
    }
    if (type != nullptr) {
        *type = value->Type();
    }
    if (cbData == nullptr) {
        return ERROR_SUCCESS;
    }
    DWORD capacity = *cbData;
    *cbData = static_cast<DWORD>(bytes.size());
    if (data == nullptr) {
        return ERROR_SUCCESS;
    }
    if (capacity < bytes.size()) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY hKey) {
    if (PredefinedRoot(hKey) != nullptr || Handles().Remove(hKey)) {
        return ERROR_SUCCESS;
    }
    return ERROR_INVALID_HANDLE;
}
