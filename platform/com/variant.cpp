#include "platform/com/variant.h"

#include <cstring>
#include <string>

#include "platform/com/dispatch.h"
#include "platform/text/codepage.h"

namespace {

bool IsValueType(VARTYPE vt) {
    switch (vt) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_I4:
        case VT_BSTR:
        case VT_DISPATCH:
        case VT_ERROR:
        case VT_BOOL:
        case VT_UNKNOWN:
            return true;
        default:
            return false;
    }
}

// The types a VARIANT of this layer can hold: a value, or with VT_BYREF a pointer to a value or
// to another VARIANT.
bool IsKnownType(VARTYPE vt) {
    if ((vt & VT_BYREF) == 0) {
        return IsValueType(vt);
    }
    VARTYPE target = vt & static_cast<VARTYPE>(~VT_BYREF);
    return target == VT_VARIANT || (target != VT_EMPTY && target != VT_NULL && IsValueType(target));
}

}  // namespace

void VariantInit(VARIANTARG* pvarg) {
    if (pvarg != nullptr) {
        std::memset(static_cast<void*>(pvarg), 0, sizeof(VARIANTARG));
        pvarg->vt = VT_EMPTY;
    }
}

HRESULT VariantClear(VARIANTARG* pvarg) {
    if (pvarg == nullptr) {
        return E_INVALIDARG;
    }
    if (!IsKnownType(pvarg->vt)) {
        return DISP_E_BADVARTYPE;
    }
    // Taken out first: releasing an object may run code that looks at this variant again.
    VARIANT held = *pvarg;
    VariantInit(pvarg);
    switch (held.vt) {
        case VT_BSTR:
            SysFreeString(held.bstrVal);
            break;
        case VT_DISPATCH:
            if (held.pdispVal != nullptr) {
                held.pdispVal->Release();
            }
            break;
        case VT_UNKNOWN:
            if (held.punkVal != nullptr) {
                held.punkVal->Release();
            }
            break;
        default:
            break;
    }
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc) {
    if (pvargDest == nullptr || pvargSrc == nullptr) {
        return E_INVALIDARG;
    }
    if (pvargDest == pvargSrc) {
        return S_OK;
    }
    if (!IsKnownType(pvargSrc->vt)) {
        return DISP_E_BADVARTYPE;
    }
    VARIANT copy = *pvargSrc;
    if (copy.vt == VT_BSTR && copy.bstrVal != nullptr) {
        copy.bstrVal = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(pvargSrc->bstrVal),
                                             SysStringByteLen(pvargSrc->bstrVal));
        if (copy.bstrVal == nullptr) {
            return E_OUTOFMEMORY;
        }
    }
    HRESULT hr = VariantClear(pvargDest);
    if (FAILED(hr)) {
        if (copy.vt == VT_BSTR) {
            SysFreeString(copy.bstrVal);
        }
        return hr;
    }
    if (copy.vt == VT_DISPATCH && copy.pdispVal != nullptr) {
        copy.pdispVal->AddRef();
    } else if (copy.vt == VT_UNKNOWN && copy.punkVal != nullptr) {
        copy.punkVal->AddRef();
    }
    *pvargDest = copy;
    return S_OK;
}

CComVariant::CComVariant() {
    VariantInit(this);
}

CComVariant::CComVariant(const VARIANT& varSrc) {
    VariantInit(this);
    CopyOrError(varSrc);
}

CComVariant::CComVariant(const CComVariant& varSrc)
    : CComVariant(static_cast<const VARIANT&>(varSrc)) {}

CComVariant::CComVariant(CComVariant&& varSrc) noexcept {
    VariantInit(this);
    Attach(&varSrc);
}

CComVariant::CComVariant(LPCOLESTR lpszSrc) {
    VariantInit(this);
    vt = VT_BSTR;
    bstrVal = SysAllocString(lpszSrc);
    if (bstrVal == nullptr && lpszSrc != nullptr) {
        vt = VT_ERROR;
        scode = E_OUTOFMEMORY;
    }
}

CComVariant::CComVariant(LPCSTR lpszSrc) {
    VariantInit(this);
    vt = VT_BSTR;
    if (lpszSrc != nullptr) {
        std::u16string wide = AnsiToWide(lpszSrc);
        bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
        if (bstrVal == nullptr) {
            vt = VT_ERROR;
            scode = E_OUTOFMEMORY;
        }
    }
}

CComVariant::CComVariant(bool bSrc) {
    VariantInit(this);
    vt = VT_BOOL;
    boolVal = bSrc ? VARIANT_TRUE : VARIANT_FALSE;
}

CComVariant::CComVariant(LONG nSrc) {
    VariantInit(this);
    vt = VT_I4;
    lVal = nSrc;
}

CComVariant::CComVariant(IDispatch* pSrc) {
    VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = pSrc;
    if (pdispVal != nullptr) {
        pdispVal->AddRef();
    }
}

CComVariant::CComVariant(IUnknown* pSrc) {
    VariantInit(this);
    vt = VT_UNKNOWN;
    punkVal = pSrc;
    if (punkVal != nullptr) {
        punkVal->AddRef();
    }
}

CComVariant::~CComVariant() {
    Clear();
}

CComVariant& CComVariant::operator=(const CComVariant& varSrc) {
    return *this = static_cast<const VARIANT&>(varSrc);
}

CComVariant& CComVariant::operator=(const VARIANT& varSrc) {
    if (this != &varSrc) {
        CopyOrError(varSrc);
    }
    return *this;
}

CComVariant& CComVariant::operator=(CComVariant&& varSrc) noexcept {
    if (this != &varSrc) {
        Attach(&varSrc);
    }
    return *this;
}

HRESULT CComVariant::Copy(const VARIANT* pSrc) {
    return VariantCopy(this, pSrc);
}

HRESULT CComVariant::Attach(VARIANT* pSrc) {
    if (pSrc == nullptr) {
        return E_INVALIDARG;
    }
    if (pSrc == this) {
        return S_OK;
    }
    HRESULT hr = Clear();
    if (FAILED(hr)) {
        return hr;
    }
    std::memcpy(static_cast<void*>(static_cast<VARIANT*>(this)), pSrc, sizeof(VARIANT));
    VariantInit(pSrc);
    return S_OK;
}

HRESULT CComVariant::Detach(VARIANT* pDest) {
    if (pDest == nullptr) {
        return E_POINTER;
    }
    if (pDest == this) {
        return S_OK;
    }
    HRESULT hr = VariantClear(pDest);
    if (FAILED(hr)) {
        return hr;
    }
    std::memcpy(pDest, static_cast<VARIANT*>(this), sizeof(VARIANT));
    VariantInit(this);
    return S_OK;
}

void CComVariant::CopyOrError(const VARIANT& varSrc) {
    HRESULT hr = VariantCopy(this, &varSrc);
    if (FAILED(hr)) {
        Clear();
        vt = VT_ERROR;
        scode = hr;
    }
}
