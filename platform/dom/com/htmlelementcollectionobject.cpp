#include "platform/dom/com/htmlelementcollectionobject.h"

#include <string_view>
#include <utility>

#include "platform/dom/com/bstrtext.h"
#include "platform/dom/com/createcomobject.h"
#include "platform/dom/com/elementwalk.h"
#include "platform/dom/com/htmldocumentobject.h"
#include "platform/dom/com/htmlelementenumerator.h"
#include "platform/dom/elementcollection.h"

namespace {

// An argument passed by reference stands for the value it points at.
const VARIANT& ArgumentValue(const VARIANT& arg) {
    return arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal != nullptr ? *arg.pvarVal : arg;
}

bool HasIdOrName(const CElement& element, std::u16string_view name) {
    const std::u16string* pId = element.FindAttribute(u"id");
    const std::u16string* pName = element.FindAttribute(u"name");
    return (pId != nullptr && *pId == name) || (pName != nullptr && *pName == name);
}

}  // namespace

void CHTMLElementCollectionObject::Init(CHTMLDocumentObject& documentObject) {
    m_pDocumentObject = &documentObject;
}

STDMETHODIMP CHTMLElementCollectionObject::get_length(LONG* p) {
    if (p == nullptr) {
        return E_POINTER;
    }
    *p = static_cast<LONG>(m_pDocumentObject->GetDocument().GetAll().GetLength());
    return S_OK;
}

STDMETHODIMP CHTMLElementCollectionObject::get__newEnum(IUnknown** p) {
    if (p == nullptr) {
        return E_POINTER;
    }
    *p = nullptr;
    CComPtr<CHTMLElementEnumerator> pEnum;
    HRESULT hr = CreateComObject(pEnum);
    if (FAILED(hr)) {
        return hr;
    }
    pEnum->Init(*m_pDocumentObject, m_pDocumentObject->GetDocument().GetAll().CreateEnumerator());
    *p = pEnum.Detach();
    return S_OK;
}

STDMETHODIMP CHTMLElementCollectionObject::item(VARIANT name, VARIANT index, IDispatch** pdisp) {
    if (pdisp == nullptr) {
        return E_POINTER;
    }
    *pdisp = nullptr;
    const VARIANT& nameValue = ArgumentValue(name);
    const VARIANT& indexValue = ArgumentValue(index);
    CNodeRef<CElement> pFound;
    if (nameValue.vt == VT_I4) {
        if (nameValue.lVal >= 0) {
            pFound =
                m_pDocumentObject->GetDocument().GetAll().Item(static_cast<size_t>(nameValue.lVal));
        }
    } else if (nameValue.vt == VT_BSTR) {
        std::u16string_view text = BstrView(nameValue.bstrVal);
        LONG nLeft = indexValue.vt == VT_I4 ? indexValue.lVal : 0;
        pFound = CNodeRef<CElement>(FindElement(
            m_pDocumentObject->GetDocument(),
            [&](CElement& element) { return HasIdOrName(element, text) && nLeft-- == 0; }));
    } else {
        return E_INVALIDARG;
    }
    IHTMLElement* pElement = nullptr;
    HRESULT hr = m_pDocumentObject->GetElementObject(pFound.Get(), &pElement);
    *pdisp = pElement;
    return hr;
}
