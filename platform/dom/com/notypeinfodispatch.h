// The IDispatch members of the document model's objects. They are called early-bound through
// their interfaces only: there is no type information and no member is reached by name or id.
#pragma once

#include "platform/com/dispatch.h"
#include "platform/com/hresult.h"

template <class TInterface>
class CNoTypeInfoDispatch : public TInterface {
public:
    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override {
        if (pctinfo != nullptr) {
            *pctinfo = 0;
        }
        return E_NOTIMPL;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo** ppTInfo) override {
        if (ppTInfo != nullptr) {
            *ppTInfo = nullptr;
        }
        return E_NOTIMPL;
    }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT cNames, LCID, DISPID* rgDispId) override {
        if (rgDispId != nullptr) {
            for (UINT i = 0; i < cNames; ++i) {
                rgDispId[i] = DISPID_UNKNOWN;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHOD(Invoke)
    (DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
};
