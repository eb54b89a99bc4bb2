#include "platform/dom/com/htmlwindowobject.h"

#include "platform/dom/com/htmldocumentobject.h"

void CHTMLWindowObject::Init(CHTMLDocumentObject& documentObject) {
    m_pDocumentObject = &documentObject;
}

void CHTMLWindowObject::FinalRelease() {
    if (m_pDocumentObject) {
        m_pDocumentObject->ForgetWindow();
    }
}

STDMETHODIMP CHTMLWindowObject::get_event(IHTMLEventObj** p) {
    if (p == nullptr) {
        return E_POINTER;
    }
    return m_pDocumentObject->GetCurrentEvent().CopyTo(p);
}

STDMETHODIMP CHTMLWindowObject::get_document(IHTMLDocument2** p) {
    if (p == nullptr) {
        return E_POINTER;
    }
    *p = m_pDocumentObject;
    (*p)->AddRef();
    return S_OK;
}
