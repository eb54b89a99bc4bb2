// The platform's basic types, with the sizes they have there: LONG, DWORD and HRESULT are 32 bits
// wide although long is 64 bits here, so that codes such as 0x80004005 stay negative and structures
// keep their layout.
#pragma once

#include <cstdint>

typedef int BOOL;
typedef unsigned char BYTE;
typedef std::uint16_t WORD;
typedef std::int32_t LONG;
typedef std::uint32_t ULONG;
typedef std::uint32_t DWORD;
typedef unsigned int UINT;
typedef int INT;
typedef char CHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef BYTE* LPBYTE;
typedef std::int32_t HRESULT;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
