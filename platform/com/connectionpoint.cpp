#include "platform/com/connectionpoint.h"

#include <algorithm>

namespace {

// The connection point for iid of the object pUnkCP, through its connection point container.
HRESULT FindConnectionPoint(IUnknown* pUnkCP, const IID& iid, IConnectionPoint** ppPoint) {
    if (pUnkCP == nullptr) {
        return E_INVALIDARG;
    }
    CComQIPtr<IConnectionPointContainer> pContainer(pUnkCP);
    if (!pContainer) {
        return E_NOINTERFACE;
    }
    return pContainer->FindConnectionPoint(iid, ppPoint);
}

}  // namespace

HRESULT AtlAdvise(IUnknown* pUnkCP, IUnknown* pUnk, const IID& iid, LPDWORD pdw) {
    CComPtr<IConnectionPoint> pPoint;
    HRESULT hr = FindConnectionPoint(pUnkCP, iid, &pPoint);
    if (FAILED(hr)) {
        return hr;
    }
    return pPoint->Advise(pUnk, pdw);
}

HRESULT AtlUnadvise(IUnknown* pUnkCP, const IID& iid, DWORD dw) {
    CComPtr<IConnectionPoint> pPoint;
    HRESULT hr = FindConnectionPoint(pUnkCP, iid, &pPoint);
    if (FAILED(hr)) {
        return hr;
    }
    return pPoint->Unadvise(dw);
}

CConnectionPoint::CConnectionPoint(IConnectionPointContainer* pOwner, REFIID iid)
    : m_pOwner(pOwner), m_iid(iid) {}

STDMETHODIMP CConnectionPoint::QueryInterface(REFIID riid, void** ppvObject) {
    if (ppvObject == nullptr) {
        return E_POINTER;
    }
    if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
        *ppvObject = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CConnectionPoint::AddRef() {
    return m_pOwner->AddRef();
}

STDMETHODIMP_(ULONG) CConnectionPoint::Release() {
    return m_pOwner->Release();
}

STDMETHODIMP CConnectionPoint::GetConnectionInterface(IID* pIID) {
    if (pIID == nullptr) {
        return E_POINTER;
    }
    *pIID = m_iid;
    return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** ppCPC) {
    if (ppCPC == nullptr) {
        return E_POINTER;
    }
    *ppCPC = m_pOwner;
    m_pOwner->AddRef();
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Advise(IUnknown* pUnkSink, DWORD* pdwCookie) {
    if (pdwCookie == nullptr) {
        return E_POINTER;
    }
    *pdwCookie = 0;
    if (pUnkSink == nullptr) {
        return E_POINTER;
    }
    // An event interface is a dispinterface, whose pointer is an IDispatch.
    CComPtr<IDispatch> pSink;
    if (FAILED(pUnkSink->QueryInterface(m_iid, reinterpret_cast<void**>(&pSink)))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    *pdwCookie = m_dwNextCookie++;
    m_vecSinks.push_back(CConnection{*pdwCookie, std::move(pSink)});
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Unadvise(DWORD dwCookie) {
    auto found = std::find_if(m_vecSinks.begin(), m_vecSinks.end(),
                              [dwCookie](const CConnection& c) { return c.dwCookie == dwCookie; });
    if (found == m_vecSinks.end()) {
        return CONNECT_E_NOCONNECTION;
    }
    // Released after the list is consistent again: the sink's end may call back here.
    CComPtr<IDispatch> pReleased = std::move(found->pSink);
    m_vecSinks.erase(found);
    return S_OK;
}

STDMETHODIMP CConnectionPoint::EnumConnections(IEnumConnections** ppEnum) {
    if (ppEnum == nullptr) {
        return E_POINTER;
    }
    *ppEnum = nullptr;
    return E_NOTIMPL;
}

void CConnectionPoint::Fire(DISPID dispid, DISPPARAMS* pParams) {
    std::vector<CComPtr<IDispatch>> vecSinks;
    vecSinks.reserve(m_vecSinks.size());
    for (const CConnection& connection : m_vecSinks) {
        vecSinks.push_back(connection.pSink);
    }
    DISPPARAMS noArguments = {nullptr, nullptr, 0, 0};
    for (const CComPtr<IDispatch>& pSink : vecSinks) {
        pSink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                      pParams != nullptr ? pParams : &noArguments, nullptr, nullptr, nullptr);
    }
}

STDMETHODIMP IConnectionPointContainerImpl::EnumConnectionPoints(IEnumConnectionPoints** ppEnum) {
    if (ppEnum == nullptr) {
        return E_POINTER;
    }
    *ppEnum = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP IConnectionPointContainerImpl::FindConnectionPoint(REFIID riid,
                                                                IConnectionPoint** ppCP) {
    if (ppCP == nullptr) {
        return E_POINTER;
    }
    *ppCP = nullptr;
    for (CConnectionPoint* pPoint : m_vecPoints) {
        if (pPoint->GetIID() == riid) {
            *ppCP = pPoint;
            pPoint->AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}
