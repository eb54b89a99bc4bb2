// Text across the COM boundary: BSTR in and out of the document objects.
#pragma once

#include <string_view>

#include "platform/com/bstr.h"
#include "platform/com/hresult.h"

// The characters of a BSTR; a null BSTR is the empty string.
inline std::u16string_view BstrView(BSTR bstr) {
    return {bstr != nullptr ? bstr : u"", SysStringLen(bstr)};
}

// A new BSTR with the text in *p, for the caller to free.
inline HRESULT ReturnBstr(std::u16string_view text, BSTR* p) {
    if (p == nullptr) {
        return E_POINTER;
    }
    *p = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *p != nullptr ? S_OK : E_OUTOFMEMORY;
}
