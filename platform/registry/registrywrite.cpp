// The write side of the registry functions (see registry.h).
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/openkeytable.h"
#include "platform/registry/registry.h"
#include "platform/registry/registryfile.h"
#include "platform/registry/registrytransaction.h"

namespace {

std::string SubkeyPath(const std::string& path, LPCSTR subKey) {
    return subKey != nullptr && *subKey != '\0' ? path + '\\' + subKey : path;
}

// Applies change (LONG(CRegistryFile&, const std::string& keyPath)) to the key that hKey stands
// for, in one transaction; the file is replaced only when the change succeeds. The handle then
// shows the key as changed.
template <typename Change>
LONG ChangeKey(HKEY hKey, REGSAM needed, Change change) {
    std::string path;
    if (LONG error = ResolvePath(hKey, needed, path); error != ERROR_SUCCESS) {
        return error;
    }
    CRegistryTransaction transaction;
    if (transaction.Status() != ERROR_SUCCESS) {
        return transaction.Status();
    }
    if (transaction.File().FindKey(path) == nullptr) {
        return ERROR_KEY_DELETED;
    }
    if (LONG error = change(transaction.File(), path); error != ERROR_SUCCESS) {
        return error;
    }
    if (LONG error = transaction.Commit(); error != ERROR_SUCCESS) {
        return error;
    }
    COpenKeyTable::Instance().Refresh(hKey, transaction.File());
    return ERROR_SUCCESS;
}

// The value that RegSetValueExA's arguments describe, or nothing when the model cannot hold it.
std::optional<CRegistryValue> MakeValue(LPCSTR name, DWORD type, const BYTE* data, DWORD cbData) {
    std::string_view valueName = name != nullptr ? name : "";
    const char* bytes = reinterpret_cast<const char*>(data);
    switch (type) {
        case REG_SZ:
            return CRegistryValue::String(
                valueName, std::string_view(bytes, bytes ? strnlen(bytes, cbData) : 0));
        case REG_DWORD: {
            if (cbData != sizeof(DWORD)) {
                return std::nullopt;
            }
            DWORD number = 0;
            std::memcpy(&number, data, sizeof number);
            return CRegistryValue::Dword(valueName, number);
        }
        case REG_BINARY:
            return CRegistryValue::Binary(valueName, std::string_view(bytes, cbData));
        default:
            return std::nullopt;
    }
}

}  // namespace

LONG RegCreateKeyExA(HKEY hKey, LPCSTR subKey, DWORD reserved, LPSTR, DWORD, REGSAM samDesired,
                     const LPSECURITY_ATTRIBUTES, HKEY* result, DWORD* disposition) {
    if (result == nullptr || reserved != 0) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    std::string path;
    if (LONG error = ResolvePath(hKey, 0, path); error != ERROR_SUCCESS) {
        return error;
    }
    CRegistryTransaction transaction;
    if (transaction.Status() != ERROR_SUCCESS) {
        return transaction.Status();
    }
    CRegistryFile& file = transaction.File();
    if (file.FindKey(path) == nullptr) {
        return ERROR_KEY_DELETED;
    }
    std::string target = SubkeyPath(path, subKey);
    const bool bExisted = file.FindKey(target) != nullptr;
    if (!bExisted) {
        if (ResolvePath(hKey, KEY_CREATE_SUB_KEY, path) != ERROR_SUCCESS) {
            return ERROR_ACCESS_DENIED;
        }
        if (file.CreateKey(target) == nullptr) {
            return ERROR_BAD_PATHNAME;
        }
        if (LONG error = transaction.Commit(); error != ERROR_SUCCESS) {
            return error;
        }
        COpenKeyTable::Instance().Refresh(hKey, file);
    }
    *result =
        COpenKeyTable::Instance().Add(COpenKey::Snapshot(file, *file.FindKey(target), samDesired));
    if (disposition != nullptr) {
        *disposition = bExisted ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    }
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY hKey, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD cbData) {
    if (reserved != 0 || (data == nullptr && cbData != 0)) {
        return ERROR_INVALID_PARAMETER;
    }
    std::optional<CRegistryValue> value = MakeValue(name, type, data, cbData);
    if (!value) {
        return ERROR_INVALID_PARAMETER;
    }
    return ChangeKey(hKey, KEY_SET_VALUE, [&](CRegistryFile& file, const std::string& path) {
        return file.SetValue(path, *value) ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    });
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR name) {
    return ChangeKey(hKey, KEY_SET_VALUE, [&](CRegistryFile& file, const std::string& path) {
        return file.DeleteValue(path, name != nullptr ? name : "") ? ERROR_SUCCESS
                                                                   : ERROR_FILE_NOT_FOUND;
    });
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR subKey) {
    if (subKey == nullptr || *subKey == '\0') {
        return ERROR_INVALID_PARAMETER;
    }
    return ChangeKey(hKey, 0, [&](CRegistryFile& file, const std::string& path) {
        std::string target = SubkeyPath(path, subKey);
        if (file.FindKey(target) == nullptr) {
            return ERROR_FILE_NOT_FOUND;
        }
        if (file.HasSubkeys(target)) {
            return ERROR_ACCESS_DENIED;
        }
        file.DeleteKey(target);
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteTreeA(HKEY hKey, LPCSTR subKey) {
    return ChangeKey(hKey, 0, [&](CRegistryFile& file, const std::string& path) {
        std::string target = SubkeyPath(path, subKey);
        if (target != path) {
            return file.DeleteKey(target) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
        }
        for (const std::string& name : file.SubkeyNames(path)) {
            file.DeleteKey(path + '\\' + name);
        }
        std::vector<std::string> names;
        for (const auto& [folded, value] : file.FindKey(path)->Values()) {
            names.push_back(value.Name());
        }
        for (const std::string& name : names) {
            file.DeleteValue(path, name);
        }
        return ERROR_SUCCESS;
    });
}

DWORD SHDeleteKeyA(HKEY hKey, LPCSTR subKey) {
    if (subKey == nullptr || *subKey == '\0') {
        return ERROR_INVALID_PARAMETER;
    }
    return static_cast<DWORD>(RegDeleteTreeA(hKey, subKey));
}
