// The element object: the COM face of one element of a document. A BODY element also answers
// IHTMLBodyElement; no other element does (a FRAMESET body included).
//
// The object holds its element and its document object, so it stays valid when the element
// leaves the tree; the document object finds it again through its map while it lives.
#pragma once

#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/dom/com/htmldocumentobject.h"
#include "platform/dom/com/mshtml.h"
#include "platform/dom/com/notypeinfodispatch.h"
#include "platform/dom/element.h"

class CHTMLElementObject : public CComObjectRootEx<CComSingleThreadModel>,
                           public CNoTypeInfoDispatch<IHTMLElement>,
                           public CNoTypeInfoDispatch<IHTMLBodyElement> {
public:
    // IUnknown once for all the interfaces (CComObject implements it), so that the object can be
    // held by a CComPtr of its own class.
    STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override = 0;
    STDMETHOD_(ULONG, AddRef)() override = 0;
    STDMETHOD_(ULONG, Release)() override = 0;

    CHTMLElementObject() = default;
    CHTMLElementObject(const CHTMLElementObject&) = delete;
    CHTMLElementObject& operator=(const CHTMLElementObject&) = delete;
    void Init(CHTMLDocumentObject& documentObject, CElement& element);
    void FinalRelease();

    // The interface map depends on the element, so it is written out here rather than listed.
    HRESULT QueryInterfaceFromMap(REFIID iid, void** ppv);

    // IHTMLElement
    STDMETHOD(setAttribute)(BSTR strAttributeName, VARIANT AttributeValue, LONG lFlags) override;
    STDMETHOD(getAttribute)(BSTR strAttributeName, LONG lFlags, VARIANT* AttributeValue) override;
    STDMETHOD(removeAttribute)
    (BSTR strAttributeName, LONG lFlags, VARIANT_BOOL* pfSuccess) override;
    STDMETHOD(get_id)(BSTR* p) override;
    STDMETHOD(get_tagName)(BSTR* p) override;
    STDMETHOD(get_parentElement)(IHTMLElement** p) override;
    STDMETHOD(get_document)(IDispatch** p) override;
    STDMETHOD(get_innerHTML)(BSTR* p) override;
    STDMETHOD(get_innerText)(BSTR* p) override;
    STDMETHOD(get_outerHTML)(BSTR* p) override;
    STDMETHOD(put_outerText)(BSTR v) override;

    // IHTMLBodyElement
    STDMETHOD(createTextRange)(IHTMLTxtRange** range) override;

    CElement& GetElement() const { return *m_pElement; }
    CHTMLDocumentObject& GetDocumentObject() const { return *m_pDocumentObject; }

private:
    CComPtr<CHTMLDocumentObject> m_pDocumentObject;
    CNodeRef<CElement> m_pElement;
};

// The element object behind an IHTMLElement (or any interface of it); null for a null pointer or
// for an object that is not an element object. The caller's reference keeps it alive.
CHTMLElementObject* GetHTMLElementObject(IUnknown* pElement);
