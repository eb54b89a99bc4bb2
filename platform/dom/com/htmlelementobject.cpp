#include "platform/dom/com/htmlelementobject.h"

#include <optional>
#include <string>

#include "platform/dom/com/bstrtext.h"
#include "platform/dom/com/htmltxtrangeobject.h"
#include "platform/dom/htmlserializer.h"

namespace {

// The text an attribute value given as a VARIANT stands for; none for types without one.
std::optional<std::u16string> AttributeText(const VARIANT& value) {
    const VARIANT& target =
        value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal != nullptr ? *value.pvarVal : value;
    switch (target.vt) {
        case VT_BSTR:
            return std::u16string(BstrView(target.bstrVal));
        case VT_I4: {
            std::string strNumber = std::to_string(target.lVal);
            return std::u16string(strNumber.begin(), strNumber.end());
        }
        case VT_BOOL:
            return target.boolVal != VARIANT_FALSE ? u"true" : u"false";
        default:
            return std::nullopt;
    }
}

// The attribute's value; with the case-sensitive flag the name must match as stored.
const std::u16string* LookUpAttribute(const CElement& element, std::u16string_view name,
                                      LONG lFlags) {
    if ((lFlags & HTML_ATTRIBUTE_CASE_SENSITIVE) == 0) {
        return element.FindAttribute(name);
    }
    for (const CAttribute& attribute : element.GetAttributes()) {
        if (attribute.strName == name) {
            return &attribute.strValue;
        }
    }
    return nullptr;
}

}  // namespace

void CHTMLElementObject::Init(CHTMLDocumentObject& documentObject, CElement& element) {
    m_pDocumentObject = &documentObject;
    m_pElement = CNodeRef<CElement>(&element);
}

void CHTMLElementObject::FinalRelease() {
    if (m_pDocumentObject && m_pElement) {
        m_pDocumentObject->ForgetElement(*m_pElement);
    }
}

HRESULT CHTMLElementObject::QueryInterfaceFromMap(REFIID iid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    IUnknown* pInterface = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IHTMLElement) {
        pInterface = static_cast<IHTMLElement*>(this);
    } else if (iid == IID_IHTMLBodyElement && m_pElement->IsBody()) {
        pInterface = static_cast<IHTMLBodyElement*>(this);
    } else {
        return E_NOINTERFACE;
    }
    pInterface->AddRef();
    *ppv = pInterface;
    return S_OK;
}

STDMETHODIMP CHTMLElementObject::setAttribute(BSTR strAttributeName, VARIANT AttributeValue, LONG) {
    std::u16string_view name = BstrView(strAttributeName);
    if (name.empty()) {
        return E_INVALIDARG;
    }
    std::optional<std::u16string> value = AttributeText(AttributeValue);
    if (!value) {
        return DISP_E_TYPEMISMATCH;
    }
    m_pElement->SetAttribute(name, *value);
    return S_OK;
}

STDMETHODIMP CHTMLElementObject::getAttribute(BSTR strAttributeName, LONG lFlags,
                                              VARIANT* AttributeValue) {
    if (AttributeValue == nullptr) {
        return E_POINTER;
    }
    VariantInit(AttributeValue);
    const std::u16string* pValue = LookUpAttribute(*m_pElement, BstrView(strAttributeName), lFlags);
    if (pValue == nullptr) {
        AttributeValue->vt = VT_NULL;
        return S_OK;
    }
    HRESULT hr = ReturnBstr(*pValue, &AttributeValue->bstrVal);
    if (SUCCEEDED(hr)) {
        AttributeValue->vt = VT_BSTR;
    }
    return hr;
}

STDMETHODIMP CHTMLElementObject::removeAttribute(BSTR strAttributeName, LONG lFlags,
                                                 VARIANT_BOOL* pfSuccess) {
    if (pfSuccess == nullptr) {
        return E_POINTER;
    }
    std::u16string_view name = BstrView(strAttributeName);
    bool bRemoved = false;
    // Looked up first so that the case-sensitive flag is honoured.
    if (LookUpAttribute(*m_pElement, name, lFlags) != nullptr) {
        bRemoved = m_pElement->RemoveAttribute(name);
    }
    *pfSuccess = bRemoved ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP CHTMLElementObject::get_id(BSTR* p) {
    return ReturnBstr(m_pElement->GetId(), p);
}

STDMETHODIMP CHTMLElementObject::get_tagName(BSTR* p) {
    return ReturnBstr(m_pElement->GetTagName(), p);
}

STDMETHODIMP CHTMLElementObject::get_parentElement(IHTMLElement** p) {
    return m_pDocumentObject->GetElementObject(m_pElement->GetParentElement(), p);
}

STDMETHODIMP CHTMLElementObject::get_document(IDispatch** p) {
    if (p == nullptr) {
        return E_POINTER;
    }
    *p = static_cast<IHTMLDocument2*>(m_pDocumentObject.p);
    (*p)->AddRef();
    return S_OK;
}

STDMETHODIMP CHTMLElementObject::get_innerHTML(BSTR* p) {
    return ReturnBstr(CHtmlSerializer::SerializeChildren(*m_pElement), p);
}

STDMETHODIMP CHTMLElementObject::get_innerText(BSTR* p) {
    return ReturnBstr(m_pElement->GetInnerText(), p);
}

STDMETHODIMP CHTMLElementObject::get_outerHTML(BSTR* p) {
    return ReturnBstr(CHtmlSerializer::SerializeNode(*m_pElement), p);
}

STDMETHODIMP CHTMLElementObject::put_outerText(BSTR v) {
    return m_pElement->SetOuterText(BstrView(v)) ? S_OK : E_FAIL;
}

STDMETHODIMP CHTMLElementObject::createTextRange(IHTMLTxtRange** range) {
    if (range == nullptr) {
        return E_POINTER;
    }
    *range = nullptr;
    CDocument& document = m_pDocumentObject->GetDocument();
    if (document.GetBody() != m_pElement.Get()) {
        return E_FAIL;
    }
    return CHTMLTxtRangeObject::Create(document.CreateTextRange(), range);
}

CHTMLElementObject* GetHTMLElementObject(IUnknown* pElement) {
    return dynamic_cast<CHTMLElementObject*>(pElement);
}
