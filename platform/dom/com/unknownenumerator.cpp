#include "platform/dom/com/unknownenumerator.h"

#include <utility>

#include "platform/dom/com/createcomobject.h"

void CUnknownEnumerator::Init(std::vector<CComPtr<IUnknown>> objects, size_t nPosition) {
    m_vecObjects = std::move(objects);
    m_nPosition = nPosition;
}

STDMETHODIMP CUnknownEnumerator::Next(ULONG celt, IUnknown** rgelt, ULONG* pceltFetched) {
    if (pceltFetched != nullptr) {
        *pceltFetched = 0;
    }
    if (rgelt == nullptr || (celt > 1 && pceltFetched == nullptr)) {
        return E_POINTER;
    }
    ULONG nFetched = 0;
    while (nFetched < celt && m_nPosition < m_vecObjects.size()) {
        m_vecObjects[m_nPosition++].CopyTo(&rgelt[nFetched++]);
    }
    if (pceltFetched != nullptr) {
        *pceltFetched = nFetched;
    }
    return nFetched == celt ? S_OK : S_FALSE;
}

STDMETHODIMP CUnknownEnumerator::Skip(ULONG celt) {
    size_t nLeft = m_vecObjects.size() - m_nPosition;
    if (celt > nLeft) {
        m_nPosition = m_vecObjects.size();
        return S_FALSE;
    }
    m_nPosition += celt;
    return S_OK;
}

STDMETHODIMP CUnknownEnumerator::Reset() {
    m_nPosition = 0;
    return S_OK;
}

STDMETHODIMP CUnknownEnumerator::Clone(IEnumUnknown** ppenum) {
    if (ppenum == nullptr) {
        return E_POINTER;
    }
    *ppenum = nullptr;
    CComPtr<CUnknownEnumerator> pClone;
    HRESULT hr = CreateComObject(pClone);
    if (FAILED(hr)) {
        return hr;
    }
    pClone->Init(m_vecObjects, m_nPosition);
    *ppenum = pClone.Detach();
    return S_OK;
}
