// The basic types of COM: wide characters and strings, the automation boolean, and the marks of
// calling convention that the platform's declarations carry.
#pragma once

#include <cstdint>

#include "platform/win/windef.h"

// Calling conventions mean nothing on this machine; the marks stay so that declarations read as
// they do on the platform.
#define STDMETHODCALLTYPE
#define STDAPICALLTYPE
#ifndef WINAPI
#define WINAPI
#endif

// Wide characters are UTF-16 code units, as on the platform.
typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef const WCHAR* LPCWSTR;
typedef WCHAR OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;

// A length-prefixed wide string (see bstr.h); null stands for the empty string.
typedef OLECHAR* BSTR;

typedef void* LPVOID;
typedef void* PVOID;
typedef DWORD* LPDWORD;
typedef std::int16_t SHORT;
typedef std::uint16_t USHORT;
typedef LONG SCODE;

// The automation boolean: true is all bits set.
typedef SHORT VARIANT_BOOL;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;
