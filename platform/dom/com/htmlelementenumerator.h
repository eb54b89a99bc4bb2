// The enumerator of the all-collection: IEnumVARIANT over the tree's element enumerator, giving
// each element as its element object (VT_DISPATCH). The elements are taken when the enumerator is
// made, so that elements replaced while it runs are neither skipped nor given twice.
#pragma once

#include <memory>

#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/dom/com/oleidl.h"
#include "platform/dom/elementcollection.h"

class CHTMLDocumentObject;

class CHTMLElementEnumerator : public CComObjectRootEx<CComSingleThreadModel>, public IEnumVARIANT {
public:
    BEGIN_COM_MAP(CHTMLElementEnumerator)
    COM_INTERFACE_ENTRY(IEnumVARIANT)
    END_COM_MAP()

    CHTMLElementEnumerator() = default;
    CHTMLElementEnumerator(const CHTMLElementEnumerator&) = delete;
    CHTMLElementEnumerator& operator=(const CHTMLElementEnumerator&) = delete;
    void Init(CHTMLDocumentObject& documentObject, std::unique_ptr<CElementEnumerator> pElements);

    STDMETHOD(Next)(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) override;
    STDMETHOD(Skip)(ULONG celt) override;
    STDMETHOD(Reset)() override;
    STDMETHOD(Clone)(IEnumVARIANT** ppEnum) override;

private:
    CComPtr<CHTMLDocumentObject> m_pDocumentObject;
    std::unique_ptr<CElementEnumerator> m_pElements;
};
