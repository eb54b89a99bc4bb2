// The registry: the subset of the platform's registry functions that the system and its
// registration use.
//
// The registry lives in one file (see registryfile.h). Opening a key reads the file afresh, so a
// value written by another process is seen; the opened key then holds the values and subkey names
// it had at that moment until it is closed or changed through its own handle. The predefined keys
// always show the file as it is now.
//
// Every change reaches the file at once: the call reads the file, applies the change and replaces
// the file atomically before it returns (writers in this and other processes take turns), so there
// is nothing to flush. A change through a handle whose key has since been deleted fails with
// ERROR_KEY_DELETED rather than bringing the key back.
//
// Opened keys are handles owned by the caller and freed by RegCloseKey. Their access mask is
// checked as the platform checks it: reading values needs KEY_QUERY_VALUE, writing or deleting
// values KEY_SET_VALUE, creating a subkey KEY_CREATE_SUB_KEY, enumerating subkeys
// KEY_ENUMERATE_SUB_KEYS; the predefined keys allow everything.
#pragma once

#include <cstdint>

#include "platform/win/windef.h"

typedef DWORD REGSAM;
typedef struct HKEY__* HKEY;
// Only declared: the registry keeps no security descriptors or write times, so callers pass null.
struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;
struct FILETIME;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t{0x80000000u});
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001u});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002u});

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_BAD_PATHNAME = 161;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;
// The registry file exists but cannot be read or understood. Nothing is written over it.
constexpr LONG ERROR_BADDB = 1009;
// The registry file could not be replaced; it keeps its previous contents.
constexpr LONG ERROR_REGISTRY_IO_FAILED = 1016;
constexpr LONG ERROR_KEY_DELETED = 1018;

// Opens hKey\subKey (subKey null or empty: hKey itself again) with the access asked for.
LONG RegOpenKeyExA(HKEY hKey, LPCSTR subKey, DWORD options, REGSAM samDesired, HKEY* result);

// Opens hKey\subKey, creating it and any missing keys on the way. *disposition (when not null)
// tells REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY. The class, options and security are not
// kept. A path with an empty component ("a\\b", a leading or trailing backslash) is
// ERROR_BAD_PATHNAME.
LONG RegCreateKeyExA(HKEY hKey, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options,
                     REGSAM samDesired, const LPSECURITY_ATTRIBUTES security, HKEY* result,
                     DWORD* disposition);

// Reads the value named name (null or empty: the key's default value). REG_SZ data includes its
// terminating zero; REG_DWORD data is four bytes; REG_BINARY data is as it was written. With data
// null only the size is reported in *cbData; when *cbData is too small, nothing is copied,
// *cbData becomes the size needed and the result is ERROR_MORE_DATA. reserved must be null.
LONG RegQueryValueExA(HKEY hKey, LPCSTR name, DWORD* reserved, DWORD* type, LPBYTE data,
                      DWORD* cbData);

// Writes the value named name (null or empty: the default value). REG_SZ data is counted with its
// terminating zero; the text ends at the first zero or after cbData bytes, so a missing
// terminator is tolerated. REG_DWORD data is exactly four bytes; REG_BINARY data may be empty.
// Other types, and names or texts with line breaks (which the file cannot hold), are
// ERROR_INVALID_PARAMETER.
LONG RegSetValueExA(HKEY hKey, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD cbData);

LONG RegDeleteValueA(HKEY hKey, LPCSTR name);

// Deletes hKey\subKey with its values. A key that still has subkeys is not deleted
// (ERROR_ACCESS_DENIED); subKey null or empty is ERROR_INVALID_PARAMETER.
LONG RegDeleteKeyA(HKEY hKey, LPCSTR subKey);

// Deletes hKey\subKey with all its subkeys and values; with subKey null or empty, deletes the
// subkeys and values of hKey and keeps hKey itself.
LONG RegDeleteTreeA(HKEY hKey, LPCSTR subKey);

// The shell's recursive delete: hKey\subKey with everything below it.
DWORD SHDeleteKeyA(HKEY hKey, LPCSTR subKey);

// The name of the index-th subkey (ordered by name, without regard to case). *cchName is the
// buffer's size in characters with room for the terminating zero and becomes the name's length
// without it; a buffer too small is ERROR_MORE_DATA. Past the last subkey: ERROR_NO_MORE_ITEMS.
// Keys have no class: a class buffer receives the empty text. Write times are not kept, so
// lastWriteTime must be null.
LONG RegEnumKeyExA(HKEY hKey, DWORD index, LPSTR name, DWORD* cchName, DWORD* reserved,
                   LPSTR className, DWORD* cchClass, FILETIME* lastWriteTime);

// The index-th value (ordered by name without regard to case; the default value, when set, comes
// first with the empty name): the name as in RegEnumKeyExA, the type and data as in
// RegQueryValueExA. When either buffer is too small the result is ERROR_MORE_DATA.
LONG RegEnumValueA(HKEY hKey, DWORD index, LPSTR valueName, DWORD* cchValueName, DWORD* reserved,
                   DWORD* type, LPBYTE data, DWORD* cbData);

// Frees an opened key. Closing a predefined key succeeds and does nothing.
LONG RegCloseKey(HKEY hKey);
