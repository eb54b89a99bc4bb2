// Helpers of the document-object tests: pages parsed from markup, elements by id, BSTR text, and
// a handler object that records how it is invoked.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "platform/com/bstr.h"
#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/dom/com/bstrtext.h"
#include "platform/dom/com/htmldocumentobject.h"
#include "platform/dom/com/mshtml.h"
#include "platform/dom/htmlparser.h"

inline CComPtr<IHTMLDocument2> LoadPage(std::u16string_view html,
                                        std::u16string_view url = u"http://pages.test/a.html") {
    CNodeRef<CDocument> pDocument = CHtmlParser::ParseDocument(html);
    pDocument->SetUrl(url);
    CComPtr<IHTMLDocument2> pObject;
    EXPECT_EQ(S_OK, CreateHTMLDocumentObject(pDocument, &pObject));
    return pObject;
}

inline CComPtr<IHTMLElement> ElementById(IHTMLDocument2* pDocument, const char16_t* id) {
    CComQIPtr<IHTMLDocument3> pDocument3(pDocument);
    CComPtr<IHTMLElement> pElement;
    EXPECT_EQ(S_OK, pDocument3->getElementById(CComBSTR(id), &pElement));
    return pElement;
}

inline CComPtr<IHTMLElement> BodyOf(IHTMLDocument2* pDocument) {
    CComPtr<IHTMLElement> pBody;
    EXPECT_EQ(S_OK, pDocument->get_body(&pBody));
    return pBody;
}

// Reads a BSTR property: Text(&IHTMLElement::get_tagName, pElement).
template <class TInterface>
std::u16string Text(HRESULT (STDMETHODCALLTYPE TInterface::*pfnGet)(BSTR*), TInterface* pObject) {
    CComBSTR bstr;
    EXPECT_EQ(S_OK, (pObject->*pfnGet)(&bstr));
    return std::u16string(bstr.View());
}

inline std::u16string BodyHtml(IHTMLDocument2* pDocument) {
    return Text(&IHTMLElement::get_innerHTML, BodyOf(pDocument).p);
}

// An event handler as the system installs one: IDispatch, invoked with dispatch id 0.
class CTestHandler : public CComObjectRootEx<CComSingleThreadModel>, public IDispatch {
public:
    BEGIN_COM_MAP(CTestHandler)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    static CComPtr<IDispatch> Create(std::function<void(VARIANT*)> onInvoke,
                                     bool* pbDestroyed = nullptr) {
        CComObject<CTestHandler>* pHandler = nullptr;
        CComObject<CTestHandler>::CreateInstance(&pHandler);
        pHandler->m_fnOnInvoke = std::move(onInvoke);
        pHandler->m_pbDestroyed = pbDestroyed;
        return CComPtr<IDispatch>(pHandler);
    }
    void FinalRelease() {
        if (m_pbDestroyed != nullptr) {
            *m_pbDestroyed = true;
        }
    }

    STDMETHOD(GetTypeInfoCount)(UINT*) override { return E_NOTIMPL; }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return S_OK; }
    STDMETHOD(Invoke)
    (DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO*,
     UINT*) override {
        EXPECT_EQ(DISPID_VALUE, dispid);
        EXPECT_EQ(DISPATCH_METHOD, wFlags);
        EXPECT_EQ(0u, pParams->cArgs);
        m_fnOnInvoke(pResult);
        return S_OK;
    }

private:
    std::function<void(VARIANT*)> m_fnOnInvoke;
    bool* m_pbDestroyed = nullptr;
};
