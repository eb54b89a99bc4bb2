// The all-collection of a document: live, it reads the tree at each call.
#pragma once

#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/dom/com/mshtml.h"
#include "platform/dom/com/notypeinfodispatch.h"

class CHTMLDocumentObject;

class CHTMLElementCollectionObject : public CComObjectRootEx<CComSingleThreadModel>,
                                     public CNoTypeInfoDispatch<IHTMLElementCollection> {
public:
    BEGIN_COM_MAP(CHTMLElementCollectionObject)
    COM_INTERFACE_ENTRY(IHTMLElementCollection)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    CHTMLElementCollectionObject() = default;
    CHTMLElementCollectionObject(const CHTMLElementCollectionObject&) = delete;
    CHTMLElementCollectionObject& operator=(const CHTMLElementCollectionObject&) = delete;
    void Init(CHTMLDocumentObject& documentObject);

    STDMETHOD(get_length)(LONG* p) override;
    STDMETHOD(get__newEnum)(IUnknown** p) override;
    // No element at the position or with the name gives S_OK and null.
    STDMETHOD(item)(VARIANT name, VARIANT index, IDispatch** pdisp) override;

private:
    CComPtr<CHTMLDocumentObject> m_pDocumentObject;
};
