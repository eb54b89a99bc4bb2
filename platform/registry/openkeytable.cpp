#include "platform/registry/openkeytable.h"

namespace {

// Handles of opened keys count up from here, far from the predefined keys (0x80000000 and up),
// and are never reused, so a stale handle is recognised as invalid.
constexpr std::uintptr_t kFirstHandle = 0x1000;

constexpr REGSAM kAllAccess = ~REGSAM{0};

bool Allows(REGSAM granted, REGSAM needed) {
    return (granted & needed) == needed;
}

}  // namespace

COpenKey COpenKey::Snapshot(const CRegistryFile& file, const CRegistryKey& key, REGSAM access) {
    COpenKey result;
    result.m_samAccess = access;
    result.m_key = key;
    result.m_vecSubkeys = file.SubkeyNames(key.Path());
    return result;
}

COpenKeyTable::COpenKeyTable() : m_nNext(kFirstHandle) {}

COpenKeyTable& COpenKeyTable::Instance() {
    static COpenKeyTable s_table;
    return s_table;
}

HKEY COpenKeyTable::Add(const COpenKey& key) {
    std::lock_guard lock(m_mutex);
    HKEY handle = reinterpret_cast<HKEY>(m_nNext++);
    m_mapKeys.emplace(handle, key);
    return handle;
}

std::optional<COpenKey> COpenKeyTable::Find(HKEY handle) const {
    std::lock_guard lock(m_mutex);
    auto it = m_mapKeys.find(handle);
    if (it == m_mapKeys.end()) {
        return std::nullopt;
    }
    return it->second;
}

void COpenKeyTable::Refresh(HKEY handle, const CRegistryFile& file) {
    std::lock_guard lock(m_mutex);
    auto it = m_mapKeys.find(handle);
    if (it == m_mapKeys.end()) {
        return;
    }
    if (const CRegistryKey* key = file.FindKey(it->second.m_key.Path())) {
        it->second = COpenKey::Snapshot(file, *key, it->second.m_samAccess);
    }
}

bool COpenKeyTable::Remove(HKEY handle) {
    std::lock_guard lock(m_mutex);
    return m_mapKeys.erase(handle) > 0;
}

const char* PredefinedRoot(HKEY hKey) {
    if (hKey == HKEY_LOCAL_MACHINE) {
        return "HKEY_LOCAL_MACHINE";
    }
    if (hKey == HKEY_CLASSES_ROOT) {
        return "HKEY_CLASSES_ROOT";
    }
    if (hKey == HKEY_CURRENT_USER) {
        return "HKEY_CURRENT_USER";
    }
    return nullptr;
}

LONG ResolveKey(HKEY hKey, REGSAM needed, COpenKey& result) {
    if (const char* root = PredefinedRoot(hKey)) {
        CRegistryFile file;
        if (!file.Load(CRegistryFile::DefaultPath())) {
            return ERROR_BADDB;
        }
        result = COpenKey::Snapshot(file, *file.FindKey(root), kAllAccess);
        return ERROR_SUCCESS;
    }
    std::optional<COpenKey> key = COpenKeyTable::Instance().Find(hKey);
    if (!key) {
        return ERROR_INVALID_HANDLE;
    }
    if (!Allows(key->m_samAccess, needed)) {
        return ERROR_ACCESS_DENIED;
    }
    result = *key;
    return ERROR_SUCCESS;
}

LONG ResolvePath(HKEY hKey, REGSAM needed, std::string& path) {
    if (const char* root = PredefinedRoot(hKey)) {
        path = root;
        return ERROR_SUCCESS;
    }
    std::optional<COpenKey> key = COpenKeyTable::Instance().Find(hKey);
    if (!key) {
        return ERROR_INVALID_HANDLE;
    }
    if (!Allows(key->m_samAccess, needed)) {
        return ERROR_ACCESS_DENIED;
    }
    path = key->m_key.Path();
    return ERROR_SUCCESS;
}
