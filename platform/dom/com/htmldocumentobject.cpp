#include "platform/dom/com/htmldocumentobject.h"

#include <string>
#include <unordered_map>
#include <utility>

#include "platform/dom/com/bstrtext.h"
#include "platform/dom/com/createcomobject.h"
#include "platform/dom/com/elementwalk.h"
#include "platform/dom/com/htmlelementcollectionobject.h"
#include "platform/dom/com/htmlelementobject.h"
#include "platform/dom/com/htmlwindowobject.h"
#include "platform/dom/com/unknownenumerator.h"

namespace {

// The living document objects by their documents, so that a document has one object at a time.
std::unordered_map<const CDocument*, CHTMLDocumentObject*>& LiveDocumentObjects() {
    static std::unordered_map<const CDocument*, CHTMLDocumentObject*> s_mapObjects;
    return s_mapObjects;
}

bool IsAsciiWhiteSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r';
}

// A title's text with its white space stripped and collapsed, as a document's title is given.
std::u16string StripAndCollapse(std::u16string_view text) {
    std::u16string strResult;
    bool bPendingSpace = false;
    for (char16_t c : text) {
        if (IsAsciiWhiteSpace(c)) {
            bPendingSpace = !strResult.empty();
            continue;
        }
        if (bPendingSpace) {
            strResult += u' ';
            bPendingSpace = false;
        }
        strResult += c;
    }
    return strResult;
}

}  // namespace

void CHTMLDocumentObject::FinalRelease() {
    auto& mapObjects = LiveDocumentObjects();
    auto it = mapObjects.find(m_pDocument.Get());
    if (it != mapObjects.end() && it->second == this) {
        mapObjects.erase(it);
    }
}

STDMETHODIMP CHTMLDocumentObject::get_all(IHTMLElementCollection** p) {
    if (p == nullptr) {
        return E_POINTER;
    }
    *p = nullptr;
    CComPtr<CHTMLElementCollectionObject> pCollection;
    HRESULT hr = CreateComObject(pCollection);
    if (FAILED(hr)) {
        return hr;
    }
    pCollection->Init(*this);
    *p = pCollection.Detach();
    return S_OK;
}

STDMETHODIMP CHTMLDocumentObject::get_body(IHTMLElement** p) {
    return GetElementObject(m_pDocument->GetBody(), p);
}

STDMETHODIMP CHTMLDocumentObject::get_title(BSTR* p) {
    CElement* pTitle =
        FindElement(*m_pDocument, [](CElement& element) { return element.Is(u"title"); });
    return ReturnBstr(pTitle != nullptr ? StripAndCollapse(pTitle->GetTextContent()) : u"", p);
}

STDMETHODIMP CHTMLDocumentObject::get_URL(BSTR* p) {
    return ReturnBstr(m_pDocument->GetUrl(), p);
}

STDMETHODIMP CHTMLDocumentObject::get_charset(BSTR* p) {
    const std::string& strCharset = m_pDocument->GetCharset();
    return ReturnBstr(std::u16string(strCharset.begin(), strCharset.end()), p);
}

STDMETHODIMP CHTMLDocumentObject::get_parentWindow(IHTMLWindow2** p) {
    if (p == nullptr) {
        return E_POINTER;
    }
    *p = nullptr;
    if (m_pWindow != nullptr) {
        *p = m_pWindow;
        m_pWindow->AddRef();
        return S_OK;
    }
    CComPtr<CHTMLWindowObject> pWindow;
    HRESULT hr = CreateComObject(pWindow);
    if (FAILED(hr)) {
        return hr;
    }
    pWindow->Init(*this);
    m_pWindow = pWindow;
    *p = pWindow.Detach();
    return S_OK;
}

STDMETHODIMP CHTMLDocumentObject::get_documentElement(IHTMLElement** p) {
    return GetElementObject(m_pDocument->GetDocumentElement(), p);
}

STDMETHODIMP CHTMLDocumentObject::put_oncontextmenu(VARIANT v) {
    switch (v.vt) {
        case VT_DISPATCH:
            m_pContextMenuHandler = v.pdispVal;
            return S_OK;
        case VT_EMPTY:
        case VT_NULL:
            m_pContextMenuHandler.Release();
            return S_OK;
        default:
            // Handlers in script text would need a script engine; the page has none.
            return E_INVALIDARG;
    }
}

STDMETHODIMP CHTMLDocumentObject::get_oncontextmenu(VARIANT* p) {
    if (p == nullptr) {
        return E_POINTER;
    }
    VariantInit(p);
    if (!m_pContextMenuHandler) {
        p->vt = VT_NULL;
        return S_OK;
    }
    p->vt = VT_DISPATCH;
    return m_pContextMenuHandler.CopyTo(&p->pdispVal);
}

STDMETHODIMP CHTMLDocumentObject::getElementById(BSTR v, IHTMLElement** pel) {
    if (pel == nullptr) {
        return E_POINTER;
    }
    *pel = nullptr;
    std::u16string_view id = BstrView(v);
    if (id.empty()) {
        return S_OK;
    }
    auto hasId = [id](CElement& element) {
        const std::u16string* pId = element.FindAttribute(u"id");
        return pId != nullptr && *pId == id;
    };
    return GetElementObject(FindElement(*m_pDocument, hasId), pel);
}

STDMETHODIMP CHTMLDocumentObject::ParseDisplayName(IBindCtx*, LPOLESTR, ULONG* pchEaten,
                                                   IMoniker** ppmkOut) {
    if (pchEaten != nullptr) {
        *pchEaten = 0;
    }
    if (ppmkOut != nullptr) {
        *ppmkOut = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CHTMLDocumentObject::EnumObjects(DWORD grfFlags, IEnumUnknown** ppenum) {
    if (ppenum == nullptr) {
        return E_POINTER;
    }
    *ppenum = nullptr;
    CComPtr<CUnknownEnumerator> pEnum;
    HRESULT hr = CreateComObject(pEnum);
    if (FAILED(hr)) {
        return hr;
    }
    if ((grfFlags & OLECONTF_EMBEDDINGS) != 0) {
        pEnum->Init(m_vecEmbeddings);
    }
    *ppenum = pEnum.Detach();
    return S_OK;
}

STDMETHODIMP CHTMLDocumentObject::LockContainer(BOOL) {
    return S_OK;
}

void CHTMLDocumentObject::SetEmbeddings(std::vector<CComPtr<IUnknown>> frames) {
    m_vecEmbeddings = std::move(frames);
}

void CHTMLDocumentObject::Detach() {
    // Moved out first: releasing them may call back into this object.
    std::vector<CComPtr<IUnknown>> vecEmbeddings = std::move(m_vecEmbeddings);
    CComPtr<IDispatch> pHandler = std::move(m_pContextMenuHandler);
}

HRESULT CHTMLDocumentObject::GetElementObject(CElement* pElement, IHTMLElement** ppElement) {
    if (ppElement == nullptr) {
        return E_POINTER;
    }
    *ppElement = nullptr;
    if (pElement == nullptr) {
        return S_OK;
    }
    auto it = m_mapElements.find(pElement);
    if (it != m_mapElements.end()) {
        *ppElement = it->second;
        it->second->AddRef();
        return S_OK;
    }
    CComPtr<CHTMLElementObject> pObject;
    HRESULT hr = CreateComObject(pObject);
    if (FAILED(hr)) {
        return hr;
    }
    pObject->Init(*this, *pElement);
    m_mapElements.emplace(pElement, pObject.p);
    *ppElement = pObject.Detach();
    return S_OK;
}

CComPtr<IHTMLEventObj> CHTMLDocumentObject::ExchangeCurrentEvent(CComPtr<IHTMLEventObj> pEvent) {
    std::swap(m_pCurrentEvent, pEvent);
    return pEvent;
}

HRESULT CreateHTMLDocumentObject(CNodeRef<CDocument> pDocument, IHTMLDocument2** ppDocument) {
    if (ppDocument == nullptr) {
        return E_POINTER;
    }
    *ppDocument = nullptr;
    if (!pDocument) {
        return E_INVALIDARG;
    }
    auto& mapObjects = LiveDocumentObjects();
    auto it = mapObjects.find(pDocument.Get());
    if (it != mapObjects.end()) {
        *ppDocument = it->second;
        it->second->AddRef();
        return S_OK;
    }
    CComPtr<CHTMLDocumentObject> pObject;
    HRESULT hr = CreateComObject(pObject);
    if (FAILED(hr)) {
        return hr;
    }
    mapObjects.emplace(pDocument.Get(), pObject.p);
    pObject->m_pDocument = std::move(pDocument);
    *ppDocument = pObject.Detach();
    return S_OK;
}

CHTMLDocumentObject* GetHTMLDocumentObject(IUnknown* pDocument) {
    return dynamic_cast<CHTMLDocumentObject*>(pDocument);
}
