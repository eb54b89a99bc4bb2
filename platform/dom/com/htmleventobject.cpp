#include "platform/dom/com/htmleventobject.h"

#include "platform/dom/com/bstrtext.h"

void CHTMLEventObject::Init(IHTMLElement* pSource, std::u16string_view type) {
    m_pSource = pSource;
    m_strType = type;
}

STDMETHODIMP CHTMLEventObject::get_srcElement(IHTMLElement** p) {
    return m_pSource.CopyTo(p);
}

STDMETHODIMP CHTMLEventObject::put_returnValue(VARIANT v) {
    return m_varReturnValue.Copy(&v);
}

STDMETHODIMP CHTMLEventObject::get_returnValue(VARIANT* p) {
    if (p == nullptr) {
        return E_POINTER;
    }
    VariantInit(p);
    return VariantCopy(p, &m_varReturnValue);
}

STDMETHODIMP CHTMLEventObject::get_type(BSTR* p) {
    return ReturnBstr(m_strType, p);
}

bool CHTMLEventObject::IsDefaultCancelled() const {
    return m_varReturnValue.vt == VT_BOOL && m_varReturnValue.boolVal == VARIANT_FALSE;
}

void CHTMLEventObject::CancelDefault() {
    m_varReturnValue = CComVariant(false);
}
