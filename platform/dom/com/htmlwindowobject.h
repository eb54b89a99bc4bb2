// The window object of a document: its current event and its document.
#pragma once

#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/dom/com/mshtml.h"
#include "platform/dom/com/notypeinfodispatch.h"

class CHTMLDocumentObject;

class CHTMLWindowObject : public CComObjectRootEx<CComSingleThreadModel>,
                          public CNoTypeInfoDispatch<IHTMLWindow2> {
public:
    BEGIN_COM_MAP(CHTMLWindowObject)
    COM_INTERFACE_ENTRY(IHTMLWindow2)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    CHTMLWindowObject() = default;
    CHTMLWindowObject(const CHTMLWindowObject&) = delete;
    CHTMLWindowObject& operator=(const CHTMLWindowObject&) = delete;
    void Init(CHTMLDocumentObject& documentObject);
    void FinalRelease();

    STDMETHOD(get_event)(IHTMLEventObj** p) override;
    STDMETHOD(get_document)(IHTMLDocument2** p) override;

private:
    CComPtr<CHTMLDocumentObject> m_pDocumentObject;
};
