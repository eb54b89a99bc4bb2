#include "platform/dom/com/htmlelementenumerator.h"

#include <utility>

#include "platform/dom/com/createcomobject.h"
#include "platform/dom/com/htmldocumentobject.h"

void CHTMLElementEnumerator::Init(CHTMLDocumentObject& documentObject,
                                  std::unique_ptr<CElementEnumerator> pElements) {
    m_pDocumentObject = &documentObject;
    m_pElements = std::move(pElements);
}

STDMETHODIMP CHTMLElementEnumerator::Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) {
    if (pCeltFetched != nullptr) {
        *pCeltFetched = 0;
    }
    if (rgVar == nullptr || (celt > 1 && pCeltFetched == nullptr)) {
        return E_POINTER;
    }
    ULONG nFetched = 0;
    while (nFetched < celt) {
        CNodeRef<CElement> pElement = m_pElements->Next();
        if (!pElement) {
            break;
        }
        IHTMLElement* pObject = nullptr;
        HRESULT hr = m_pDocumentObject->GetElementObject(pElement.Get(), &pObject);
        if (FAILED(hr)) {
            for (ULONG i = 0; i < nFetched; ++i) {
                VariantClear(&rgVar[i]);
            }
            return hr;
        }
        VariantInit(&rgVar[nFetched]);
        rgVar[nFetched].vt = VT_DISPATCH;
        rgVar[nFetched].pdispVal = pObject;
        ++nFetched;
    }
    if (pCeltFetched != nullptr) {
        *pCeltFetched = nFetched;
    }
    return nFetched == celt ? S_OK : S_FALSE;
}

STDMETHODIMP CHTMLElementEnumerator::Skip(ULONG celt) {
    return m_pElements->Skip(celt) == celt ? S_OK : S_FALSE;
}

STDMETHODIMP CHTMLElementEnumerator::Reset() {
    m_pElements->Reset();
    return S_OK;
}

STDMETHODIMP CHTMLElementEnumerator::Clone(IEnumVARIANT** ppEnum) {
    if (ppEnum == nullptr) {
        return E_POINTER;
    }
    *ppEnum = nullptr;
    CComPtr<CHTMLElementEnumerator> pClone;
    HRESULT hr = CreateComObject(pClone);
    if (FAILED(hr)) {
        return hr;
    }
    pClone->Init(*m_pDocumentObject, m_pElements->Clone());
    *ppEnum = pClone.Detach();
    return S_OK;
}
