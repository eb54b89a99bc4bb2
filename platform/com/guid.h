// GUIDs: the 128-bit identifiers of classes and interfaces.
//
// The text form is the platform's, 38 characters in braces:
// "{9ABAA010-079F-4638-8EE4-35F24BEFA110}". Hexadecimal digits are read in either case and
// written in upper case. MakeGuid turns such a literal into a constant at compile time, so that
// identifiers are written as they appear in the registry:
//
//   inline constexpr CLSID CLSID_Example = MakeGuid("{9ABAA010-079F-4638-8EE4-35F24BEFA110}");
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/com/hresult.h"
#include "platform/com/wtypes.h"

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};

typedef GUID IID;
typedef GUID CLSID;
typedef IID* LPIID;
typedef CLSID* LPCLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

constexpr bool operator==(const GUID& left, const GUID& right) {
    if (left.Data1 != right.Data1 || left.Data2 != right.Data2 || left.Data3 != right.Data3) {
        return false;
    }
    for (std::size_t i = 0; i < 8; ++i) {
        if (left.Data4[i] != right.Data4[i]) {
            return false;
        }
    }
    return true;
}

constexpr bool IsEqualGUID(REFGUID left, REFGUID right) {
    return left == right;
}
constexpr bool IsEqualIID(REFIID left, REFIID right) {
    return left == right;
}
constexpr bool IsEqualCLSID(REFCLSID left, REFCLSID right) {
    return left == right;
}

inline constexpr GUID GUID_NULL = {};
inline constexpr IID IID_NULL = {};
inline constexpr CLSID CLSID_NULL = {};

namespace guid_detail {

// Characters in the braced text form, without a terminator.
constexpr std::size_t kTextLength = 38;

template <class Char>
constexpr int HexDigit(Char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Reads `digits` hexadecimal digits at `pos`.
template <class Char>
constexpr bool ReadHex(std::basic_string_view<Char> text, std::size_t pos, std::size_t digits,
                       std::uint32_t& value) {
    value = 0;
    for (std::size_t i = pos; i < pos + digits; ++i) {
        int digit = HexDigit(text[i]);
        if (digit < 0) {
            return false;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

// Reads the braced text form; false for anything else.
template <class Char>
constexpr bool Parse(std::basic_string_view<Char> text, GUID& guid) {
    if (text.size() != kTextLength || text[0] != '{' || text[37] != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-') {
        return false;
    }
    std::uint32_t value = 0;
    if (!ReadHex(text, 1, 8, value)) {
        return false;
    }
    guid.Data1 = value;
    if (!ReadHex(text, 10, 4, value)) {
        return false;
    }
    guid.Data2 = static_cast<WORD>(value);
    if (!ReadHex(text, 15, 4, value)) {
        return false;
    }
    guid.Data3 = static_cast<WORD>(value);
    // Data4 is two bytes before the last dash and six after it.
    constexpr std::size_t kBytePositions[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (std::size_t i = 0; i < 8; ++i) {
        if (!ReadHex(text, kBytePositions[i], 2, value)) {
            return false;
        }
        guid.Data4[i] = static_cast<BYTE>(value);
    }
    return true;
}

// Never defined: reaching it makes a bad literal given to MakeGuid a compile error.
void InvalidGuidLiteral();

}  // namespace guid_detail

consteval GUID MakeGuid(std::string_view text) {
    GUID guid = {};
    if (!guid_detail::Parse(text, guid)) {
        guid_detail::InvalidGuidLiteral();
    }
    return guid;
}

// Writes the braced text form and its terminator; the result is the number of characters written
// with the terminator (39), or 0 when cchMax is too small and nothing was written.
int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);

// A class id in braces. A null string gives CLSID_NULL; any other text is CO_E_CLASSSTRING (names
// of classes are not looked up).
HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);

// An interface id in braces. A null string gives IID_NULL; any other text is E_INVALIDARG.
HRESULT IIDFromString(LPCOLESTR lpsz, LPIID lpiid);

// The braced text form as narrow text, as registry key paths and values hold it.
std::string GuidToString(REFGUID guid);

// Reads the braced text form from narrow text; false (and guid unchanged) for anything else.
bool GuidFromString(std::string_view text, GUID& guid);
