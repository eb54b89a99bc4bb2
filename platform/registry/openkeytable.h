// The keys the caller has opened, behind the registry functions' handles.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/registry.h"
#include "platform/registry/registryfile.h"

// What a handle stands for: the key as it was when opened or last changed through the handle,
// and the access it was opened with.
struct COpenKey {
    REGSAM m_samAccess = 0;
    CRegistryKey m_key{""};
    std::vector<std::string> m_vecSubkeys;

    static COpenKey Snapshot(const CRegistryFile& file, const CRegistryKey& key, REGSAM access);
};

class COpenKeyTable {
public:
    static COpenKeyTable& Instance();

    HKEY Add(const COpenKey& key);
    std::optional<COpenKey> Find(HKEY handle) const;
    // Takes the key's state afresh from the file; a predefined key or a key the file no longer
    // has is left as it is.
    void Refresh(HKEY handle, const CRegistryFile& file);
    bool Remove(HKEY handle);

private:
    mutable std::mutex m_mutex;
    std::uintptr_t m_nNext;
    std::map<HKEY, COpenKey> m_mapKeys;

    COpenKeyTable();
};

// The root path of a predefined key ("HKEY_LOCAL_MACHINE"), or null for any other handle.
const char* PredefinedRoot(HKEY hKey);

// The key a handle stands for, when it was opened with all the access asked for: a predefined key
// as the file holds it now, an opened key as its handle holds it. Registry error codes.
LONG ResolveKey(HKEY hKey, REGSAM needed, COpenKey& result);

// The path of the key a handle stands for, with the same checks as ResolveKey but without
// reading the file.
LONG ResolvePath(HKEY hKey, REGSAM needed, std::string& path);
