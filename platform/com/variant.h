// VARIANT: the tagged value of automation, and CComVariant, which owns one.
//
// A VARIANT owns what it holds: a VT_BSTR its string, a VT_DISPATCH or VT_UNKNOWN one reference.
// With VT_BYREF set it points at a value that someone else owns. VariantClear frees what is held
// and leaves VT_EMPTY.
#pragma once

#include "platform/com/bstr.h"
#include "platform/com/hresult.h"
#include "platform/com/unknown.h"
#include "platform/com/wtypes.h"

struct IDispatch;

typedef USHORT VARTYPE;

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I4 = 3,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_BYREF = 0x4000,
};

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONG lVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        LONG* plVal;
        VARIANT_BOOL* pboolVal;
        BSTR* pbstrVal;
        IUnknown** ppunkVal;
        IDispatch** ppdispVal;
        VARIANT* pvarVal;
        PVOID byref;
    };
};
typedef VARIANT VARIANTARG;
typedef VARIANT* LPVARIANT;

#define V_VT(pvar) ((pvar)->vt)
#define V_I4(pvar) ((pvar)->lVal)
#define V_BOOL(pvar) ((pvar)->boolVal)
#define V_BSTR(pvar) ((pvar)->bstrVal)
#define V_DISPATCH(pvar) ((pvar)->pdispVal)
#define V_UNKNOWN(pvar) ((pvar)->punkVal)

// Sets VT_EMPTY without looking at what the variant held.
void VariantInit(VARIANTARG* pvarg);
// Frees what the variant holds and sets VT_EMPTY. DISP_E_BADVARTYPE, leaving the variant
// unchanged, for a type this layer does not know.
HRESULT VariantClear(VARIANTARG* pvarg);
// Clears the destination, then copies: a new string for VT_BSTR, a new reference for
// VT_DISPATCH and VT_UNKNOWN, the pointer itself for VT_BYREF.
HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);

class CComVariant : public VARIANT {
public:
    CComVariant();
    CComVariant(const VARIANT& varSrc);
    CComVariant(const CComVariant& varSrc);
    CComVariant(CComVariant&& varSrc) noexcept;
    CComVariant(LPCOLESTR lpszSrc);
    // Text in the ANSI code page.
    CComVariant(LPCSTR lpszSrc);
    CComVariant(bool bSrc);
    CComVariant(LONG nSrc);
    CComVariant(IDispatch* pSrc);
    CComVariant(IUnknown* pSrc);
    ~CComVariant();

    CComVariant& operator=(const CComVariant& varSrc);
    CComVariant& operator=(const VARIANT& varSrc);
    CComVariant& operator=(CComVariant&& varSrc) noexcept;

    HRESULT Clear() { return VariantClear(this); }
    HRESULT Copy(const VARIANT* pSrc);
    // Takes over the source's value and leaves the source VT_EMPTY.
    HRESULT Attach(VARIANT* pSrc);
    // Hands the value to pDest (cleared first) and leaves this VT_EMPTY.
    HRESULT Detach(VARIANT* pDest);

private:
    // A copy that failed leaves VT_ERROR with the failure code, as the platform's wrapper does.
    void CopyOrError(const VARIANT& varSrc);
};
