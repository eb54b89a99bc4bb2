// The document object: the COM face of a CDocument. It answers IHTMLDocument2, IHTMLDocument3 and
// IOleContainer, hands out one element object per element, and holds what the page's owner and
// the system give it: the frame browsers embedded in the page and the context-menu handler.
#pragma once

#include <unordered_map>
#include <vector>

#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/com/variant.h"
#include "platform/dom/com/mshtml.h"
#include "platform/dom/com/notypeinfodispatch.h"
#include "platform/dom/com/oleidl.h"
#include "platform/dom/document.h"

class CHTMLElementObject;
class CHTMLWindowObject;

class CHTMLDocumentObject : public CComObjectRootEx<CComSingleThreadModel>,
                            public CNoTypeInfoDispatch<IHTMLDocument2>,
                            public CNoTypeInfoDispatch<IHTMLDocument3>,
                            public IOleContainer {
public:
    BEGIN_COM_MAP(CHTMLDocumentObject)
    COM_INTERFACE_ENTRY(IHTMLDocument2)
    COM_INTERFACE_ENTRY2(IDispatch, IHTMLDocument2)
    COM_INTERFACE_ENTRY(IHTMLDocument3)
    COM_INTERFACE_ENTRY(IOleContainer)
    COM_INTERFACE_ENTRY(IParseDisplayName)
    END_COM_MAP()

    // IUnknown once for all the interfaces (CComObject implements it), so that the object can be
    // held by a CComPtr of its own class.
    STDMETHOD(QueryInterface)(REFIID iid, void** ppvObject) override = 0;
    STDMETHOD_(ULONG, AddRef)() override = 0;
    STDMETHOD_(ULONG, Release)() override = 0;

    CHTMLDocumentObject() = default;
    CHTMLDocumentObject(const CHTMLDocumentObject&) = delete;
    CHTMLDocumentObject& operator=(const CHTMLDocumentObject&) = delete;
    void FinalRelease();

    // IHTMLDocument2
    STDMETHOD(get_all)(IHTMLElementCollection** p) override;
    STDMETHOD(get_body)(IHTMLElement** p) override;
    STDMETHOD(get_title)(BSTR* p) override;
    STDMETHOD(get_URL)(BSTR* p) override;
    STDMETHOD(get_charset)(BSTR* p) override;
    STDMETHOD(get_parentWindow)(IHTMLWindow2** p) override;

    // IHTMLDocument3
    STDMETHOD(get_documentElement)(IHTMLElement** p) override;
    STDMETHOD(put_oncontextmenu)(VARIANT v) override;
    STDMETHOD(get_oncontextmenu)(VARIANT* p) override;
    STDMETHOD(getElementById)(BSTR v, IHTMLElement** pel) override;

    // IOleContainer
    STDMETHOD(ParseDisplayName)
    (IBindCtx* pbc, LPOLESTR pszDisplayName, ULONG* pchEaten, IMoniker** ppmkOut) override;
    // OLECONTF_EMBEDDINGS gives the frame browsers; other flags give nothing.
    STDMETHOD(EnumObjects)(DWORD grfFlags, IEnumUnknown** ppenum) override;
    STDMETHOD(LockContainer)(BOOL fLock) override;

    CDocument& GetDocument() { return *m_pDocument; }
    // The frame browsers of the page in document order; the object holds one reference to each.
    void SetEmbeddings(std::vector<CComPtr<IUnknown>> frames);
    // Lets go of the embeddings and the context-menu handler, ending the reference cycles through
    // them when the owner leaves the page. The object stays usable.
    void Detach();

    // The object of an element of this document: the same one while it lives. A null element
    // gives S_OK and null.
    HRESULT GetElementObject(CElement* pElement, IHTMLElement** ppElement);
    HRESULT GetElementObject(CElement& element, IHTMLElement** ppElement) {
        return GetElementObject(&element, ppElement);
    }

    // The context-menu handler (null when none is installed) and the event being dispatched in
    // the document's window (null outside a dispatch).
    CComPtr<IDispatch> GetContextMenuHandler() const { return m_pContextMenuHandler; }
    CComPtr<IHTMLEventObj> GetCurrentEvent() const { return m_pCurrentEvent; }
    // Makes pEvent the current event and returns the one it replaces, for nested dispatches.
    CComPtr<IHTMLEventObj> ExchangeCurrentEvent(CComPtr<IHTMLEventObj> pEvent);

private:
    friend class CHTMLElementObject;
    friend class CHTMLWindowObject;
    friend HRESULT CreateHTMLDocumentObject(CNodeRef<CDocument> pDocument,
                                            IHTMLDocument2** ppDocument);

    // Called by the objects that the maps refer to without holding them, as they end.
    void ForgetElement(const CElement& element) { m_mapElements.erase(&element); }
    void ForgetWindow() { m_pWindow = nullptr; }

    CNodeRef<CDocument> m_pDocument;
    // Not held: each element object holds this document object and leaves the map as it ends.
    std::unordered_map<const CElement*, CHTMLElementObject*> m_mapElements;
    // Not held, for the same reason.
    CHTMLWindowObject* m_pWindow = nullptr;
    CComPtr<IDispatch> m_pContextMenuHandler;
    std::vector<CComPtr<IUnknown>> m_vecEmbeddings;
    CComPtr<IHTMLEventObj> m_pCurrentEvent;
};

// A document object over the tree, with one reference for the caller. While an object for the
// document is alive the call gives that one, so that there is one object per document.
HRESULT CreateHTMLDocumentObject(CNodeRef<CDocument> pDocument, IHTMLDocument2** ppDocument);

// The document object behind any of its interfaces; null for a null pointer or for an object that
// is not a document object. The caller's reference keeps it alive.
CHTMLDocumentObject* GetHTMLDocumentObject(IUnknown* pDocument);
