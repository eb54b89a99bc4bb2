#include "platform/registry/registry.h"

#include <cstring>
#include <iterator>
#include <string>

#include "platform/registry/openkeytable.h"
#include "platform/registry/registryfile.h"

namespace {

// Copies data of the given size by the registry functions' size protocol (see RegQueryValueExA).
LONG CopyData(const std::string& bytes, LPBYTE data, DWORD* cbData) {
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

// Copies a name into a buffer of *cchName characters, zero included; *cchName becomes the
// name's length.
LONG CopyName(const std::string& text, LPSTR name, DWORD* cchName) {
    if (*cchName <= text.size()) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(name, text.c_str(), text.size() + 1);
    *cchName = static_cast<DWORD>(text.size());
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegOpenKeyExA(HKEY hKey, LPCSTR subKey, DWORD, REGSAM samDesired, HKEY* result) {
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    std::string path;
    if (LONG error = ResolvePath(hKey, 0, path); error != ERROR_SUCCESS) {
        return error;
    }
    if (subKey != nullptr && *subKey != '\0') {
        path += '\\';
        path += subKey;
    }
    CRegistryFile file;
    if (!file.Load(CRegistryFile::DefaultPath())) {
        return ERROR_BADDB;
    }
    const CRegistryKey* key = file.FindKey(path);
    if (key == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    *result = COpenKeyTable::Instance().Add(COpenKey::Snapshot(file, *key, samDesired));
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR name, DWORD* reserved, DWORD* type, LPBYTE data,
                      DWORD* cbData) {
    if (reserved != nullptr || (data != nullptr && cbData == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    COpenKey key;
    if (LONG error = ResolveKey(hKey, KEY_QUERY_VALUE, key); error != ERROR_SUCCESS) {
        return error;
    }
    const CRegistryValue* value = key.m_key.GetValue(name != nullptr ? name : "");
    if (value == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (type != nullptr) {
        *type = value->Type();
    }
    return CopyData(value->Data(), data, cbData);
}

LONG RegEnumKeyExA(HKEY hKey, DWORD index, LPSTR name, DWORD* cchName, DWORD* reserved,
                   LPSTR className, DWORD* cchClass, FILETIME* lastWriteTime) {
    if (name == nullptr || cchName == nullptr || reserved != nullptr ||
        (className != nullptr && cchClass == nullptr) || lastWriteTime != nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    COpenKey key;
    if (LONG error = ResolveKey(hKey, KEY_ENUMERATE_SUB_KEYS, key); error != ERROR_SUCCESS) {
        return error;
    }
    if (index >= key.m_vecSubkeys.size()) {
        return ERROR_NO_MORE_ITEMS;
    }
    if (className != nullptr) {
        if (LONG error = CopyName("", className, cchClass); error != ERROR_SUCCESS) {
            return error;
        }
    }
    return CopyName(key.m_vecSubkeys[index], name, cchName);
}

LONG RegEnumValueA(HKEY hKey, DWORD index, LPSTR valueName, DWORD* cchValueName, DWORD* reserved,
                   DWORD* type, LPBYTE data, DWORD* cbData) {
    if (valueName == nullptr || cchValueName == nullptr || reserved != nullptr ||
        (data != nullptr && cbData == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    COpenKey key;
    if (LONG error = ResolveKey(hKey, KEY_QUERY_VALUE, key); error != ERROR_SUCCESS) {
        return error;
    }
    const auto& values = key.m_key.Values();
    if (index >= values.size()) {
        return ERROR_NO_MORE_ITEMS;
    }
    const CRegistryValue& value = std::next(values.begin(), index)->second;
    if (LONG error = CopyName(value.Name(), valueName, cchValueName); error != ERROR_SUCCESS) {
        return error;
    }
    if (type != nullptr) {
        *type = value.Type();
    }
    return CopyData(value.Data(), data, cbData);
}

LONG RegCloseKey(HKEY hKey) {
    if (PredefinedRoot(hKey) != nullptr || COpenKeyTable::Instance().Remove(hKey)) {
        return ERROR_SUCCESS;
    }
    return ERROR_INVALID_HANDLE;
}
