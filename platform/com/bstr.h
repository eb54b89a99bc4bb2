// BSTR: the length-prefixed wide string of automation, and CComBSTR, which owns one.
//
// A BSTR points at its first character; the four bytes before it hold the length in bytes, and a
// zero character follows the last one. The string may contain zero characters of its own, so its
// length is read from the prefix, never by scanning. A null BSTR is the empty string.
#pragma once

#include <string_view>

#include "platform/com/hresult.h"
#include "platform/com/wtypes.h"

// Null for a null text or when memory runs out.
BSTR SysAllocString(const OLECHAR* psz);
// ui characters, copied from strIn or, with strIn null, set to zero.
BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui);
// len bytes, copied from psz or, with psz null, set to zero; the length in bytes may be odd.
BSTR SysAllocStringByteLen(LPCSTR psz, UINT len);
void SysFreeString(BSTR bstrString);
// Characters (bytes / 2) and bytes; 0 for null.
UINT SysStringLen(BSTR pbstr);
UINT SysStringByteLen(BSTR bstr);

// Owns one BSTR in m_str (null or allocated with SysAllocString*).
class CComBSTR {
public:
    CComBSTR() = default;
    CComBSTR(LPCOLESTR pSrc);
    CComBSTR(int nSize, LPCOLESTR sz);
    // Text in the ANSI code page.
    CComBSTR(LPCSTR pSrc);
    CComBSTR(const CComBSTR& src);
    CComBSTR(CComBSTR&& src) noexcept;
    ~CComBSTR();

    CComBSTR& operator=(const CComBSTR& src);
    CComBSTR& operator=(CComBSTR&& src) noexcept;

    operator BSTR() const { return m_str; }
    // For out parameters: frees the string held, so that the callee's string is not leaked.
    BSTR* operator&();
    bool operator!() const { return m_str == nullptr; }
    // Same characters; null and empty are equal.
    bool operator==(const CComBSTR& other) const;
    bool operator==(LPCOLESTR text) const;

    unsigned int Length() const { return SysStringLen(m_str); }
    unsigned int ByteLength() const { return SysStringByteLen(m_str); }
    std::u16string_view View() const { return {m_str != nullptr ? m_str : u"", Length()}; }

    // A new copy for the caller to free; null when empty or out of memory.
    BSTR Copy() const;
    HRESULT CopyTo(BSTR* pbstr) const;
    // Takes ownership of src, freeing the string held before.
    void Attach(BSTR src);
    // Gives up ownership.
    BSTR Detach();
    void Empty();

    HRESULT Append(LPCOLESTR lpsz);
    HRESULT Append(LPCOLESTR lpsz, int nLen);
    HRESULT Append(const CComBSTR& bstrSrc);
    CComBSTR& operator+=(const CComBSTR& bstrSrc);

    BSTR m_str = nullptr;
};
