#include "platform/com/bstr.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "platform/text/codepage.h"

namespace {

constexpr std::size_t kPrefixBytes = sizeof(std::uint32_t);
constexpr std::size_t kTerminatorBytes = sizeof(OLECHAR);
// The byte length has to fit its 32-bit prefix together with the terminator.
constexpr std::size_t kMaxBytes =
    std::numeric_limits<std::uint32_t>::max() - kPrefixBytes - kTerminatorBytes;

std::uint32_t* Prefix(BSTR bstr) {
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(bstr) - kPrefixBytes);
}

// Allocates bytes of string, copied from data or zeroed, followed by a zero character.
BSTR Allocate(const void* data, std::size_t bytes) {
    if (bytes > kMaxBytes) {
        return nullptr;
    }
    char* block = static_cast<char*>(std::malloc(kPrefixBytes + bytes + kTerminatorBytes));
    if (block == nullptr) {
        return nullptr;
    }
    std::uint32_t length = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &length, kPrefixBytes);
    char* text = block + kPrefixBytes;
    if (data != nullptr) {
        std::memcpy(text, data, bytes);
    } else {
        std::memset(text, 0, bytes);
    }
    std::memset(text + bytes, 0, kTerminatorBytes);
    return reinterpret_cast<BSTR>(text);
}

}  // namespace

BSTR SysAllocString(const OLECHAR* psz) {
    if (psz == nullptr) {
        return nullptr;
    }
    return Allocate(psz, std::char_traits<OLECHAR>::length(psz) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui) {
    return Allocate(strIn, static_cast<std::size_t>(ui) * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR psz, UINT len) {
    return Allocate(psz, len);
}

void SysFreeString(BSTR bstrString) {
    if (bstrString != nullptr) {
        std::free(Prefix(bstrString));
    }
}

UINT SysStringLen(BSTR pbstr) {
    return SysStringByteLen(pbstr) / sizeof(OLECHAR);
}

UINT SysStringByteLen(BSTR bstr) {
    if (bstr == nullptr) {
        return 0;
    }
    std::uint32_t length = 0;
    std::memcpy(&length, Prefix(bstr), kPrefixBytes);
    return length;
}

CComBSTR::CComBSTR(LPCOLESTR pSrc) : m_str(SysAllocString(pSrc)) {}

CComBSTR::CComBSTR(int nSize, LPCOLESTR sz)
    : m_str(nSize > 0 ? SysAllocStringLen(sz, static_cast<UINT>(nSize)) : nullptr) {}

CComBSTR::CComBSTR(LPCSTR pSrc) {
    if (pSrc != nullptr) {
        std::u16string wide = AnsiToWide(pSrc);
        m_str = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    }
}

CComBSTR::CComBSTR(const CComBSTR& src) : m_str(src.Copy()) {}

CComBSTR::CComBSTR(CComBSTR&& src) noexcept : m_str(std::exchange(src.m_str, nullptr)) {}

CComBSTR::~CComBSTR() {
    SysFreeString(m_str);
}

CComBSTR& CComBSTR::operator=(const CComBSTR& src) {
    if (this != std::addressof(src)) {
        Attach(src.Copy());
    }
    return *this;
}

CComBSTR& CComBSTR::operator=(CComBSTR&& src) noexcept {
    if (this != std::addressof(src)) {
        Attach(std::exchange(src.m_str, nullptr));
    }
    return *this;
}

BSTR* CComBSTR::operator&() {
    Empty();
    return &m_str;
}

bool CComBSTR::operator==(const CComBSTR& other) const {
    return View() == other.View();
}

bool CComBSTR::operator==(LPCOLESTR text) const {
    return View() == std::u16string_view(text != nullptr ? text : u"");
}

BSTR CComBSTR::Copy() const {
    return m_str != nullptr ? SysAllocStringByteLen(reinterpret_cast<LPCSTR>(m_str), ByteLength())
                            : nullptr;
}

HRESULT CComBSTR::CopyTo(BSTR* pbstr) const {
    if (pbstr == nullptr) {
        return E_POINTER;
    }
    *pbstr = Copy();
    return *pbstr == nullptr && m_str != nullptr ? E_OUTOFMEMORY : S_OK;
}

void CComBSTR::Attach(BSTR src) {
    if (src != m_str) {
        SysFreeString(m_str);
        m_str = src;
    }
}

BSTR CComBSTR::Detach() {
    return std::exchange(m_str, nullptr);
}

void CComBSTR::Empty() {
    SysFreeString(std::exchange(m_str, nullptr));
}

HRESULT CComBSTR::Append(LPCOLESTR lpsz) {
    if (lpsz == nullptr) {
        return S_OK;
    }
    return Append(lpsz, static_cast<int>(std::char_traits<OLECHAR>::length(lpsz)));
}

HRESULT CComBSTR::Append(LPCOLESTR lpsz, int nLen) {
    if (lpsz == nullptr || nLen <= 0) {
        return S_OK;
    }
    // Joined in a copy first, so that lpsz may point into the string held.
    std::u16string joined(View());
    joined.append(lpsz, static_cast<std::size_t>(nLen));
    BSTR result = SysAllocStringLen(joined.data(), static_cast<UINT>(joined.size()));
    if (result == nullptr) {
        return E_OUTOFMEMORY;
    }
    Attach(result);
    return S_OK;
}

HRESULT CComBSTR::Append(const CComBSTR& bstrSrc) {
    return Append(bstrSrc.m_str, static_cast<int>(bstrSrc.Length()));
}

CComBSTR& CComBSTR::operator+=(const CComBSTR& bstrSrc) {
    Append(bstrSrc);
    return *this;
}
