// The registry: the read subset of the platform's registry functions.
//
// The registry lives in one file (see registryfile.h). Opening a key reads the file afresh, so a
// value written by another process is seen; the opened key then holds the values it had at that
// moment until it is closed. Opened keys are handles owned by the caller and freed by RegCloseKey.
#pragma once

#include <cstdint>

#include "platform/win/windef.h"

typedef DWORD REGSAM;
typedef struct HKEY__* HKEY;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t{0x80000000u});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002u});

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;

constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_DWORD = 4;

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;
// The registry file exists but cannot be read or understood.
constexpr LONG ERROR_BADDB = 1009;

// Opens hKey\subKey (subKey null or empty: hKey itself again). The access mask is not checked.
LONG RegOpenKeyExA(HKEY hKey, LPCSTR subKey, DWORD options, REGSAM samDesired, HKEY* result);

// Reads the value named name (null or empty: the key's default value). REG_SZ data includes its
// terminating zero; REG_DWORD data is four bytes. With data null only the size is reported in
// *cbData; when *cbData is too small, nothing is copied, *cbData becomes the size needed and the
// result is ERROR_MORE_DATA. reserved must be null.
LONG RegQueryValueExA(HKEY hKey, LPCSTR name, DWORD* reserved, DWORD* type, LPBYTE data,
                      DWORD* cbData);

// Frees an opened key. Closing a predefined key succeeds and does nothing.
LONG RegCloseKey(HKEY hKey);
