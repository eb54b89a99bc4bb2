#include "platform/com/guid.h"

#include <cstdio>

namespace {

std::size_t WideLength(LPCOLESTR text) {
    return std::char_traits<OLECHAR>::length(text);
}

// Parses into guid only when the whole text is valid.
bool ParseWide(LPCOLESTR text, GUID& guid) {
    GUID parsed = {};
    if (!guid_detail::Parse(std::u16string_view(text, WideLength(text)), parsed)) {
        return false;
    }
    guid = parsed;
    return true;
}

}  // namespace

int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax) {
    if (lpsz == nullptr || cchMax < static_cast<int>(guid_detail::kTextLength + 1)) {
        return 0;
    }
    std::string text = GuidToString(rguid);
    for (std::size_t i = 0; i < text.size(); ++i) {
        lpsz[i] = static_cast<OLECHAR>(text[i]);
    }
    lpsz[text.size()] = u'\0';
    return static_cast<int>(text.size() + 1);
}

HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid) {
    if (pclsid == nullptr) {
        return E_INVALIDARG;
    }
    if (lpsz == nullptr) {
        *pclsid = CLSID_NULL;
        return S_OK;
    }
    return ParseWide(lpsz, *pclsid) ? S_OK : CO_E_CLASSSTRING;
}

HRESULT IIDFromString(LPCOLESTR lpsz, LPIID lpiid) {
    if (lpiid == nullptr) {
        return E_INVALIDARG;
    }
    if (lpsz == nullptr) {
        *lpiid = IID_NULL;
        return S_OK;
    }
    return ParseWide(lpsz, *lpiid) ? S_OK : E_INVALIDARG;
}

std::string GuidToString(REFGUID guid) {
    char text[guid_detail::kTextLength + 1];
    std::snprintf(text, sizeof(text), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

bool GuidFromString(std::string_view text, GUID& guid) {
    GUID parsed = {};
    if (!guid_detail::Parse(text, parsed)) {
        return false;
    }
    guid = parsed;
    return true;
}
