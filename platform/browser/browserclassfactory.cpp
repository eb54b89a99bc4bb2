#include "platform/browser/browserclassfactory.h"

#include "platform/browser/exdisp.h"
#include "platform/browser/webbrowser.h"
#include "platform/com/cominit.h"
#include "platform/com/comptr.h"

STDMETHODIMP CBrowserClassFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                                  void** ppvObject) {
    if (ppvObject == nullptr) {
        return E_POINTER;
    }
    *ppvObject = nullptr;
    if (pUnkOuter != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    return CreateBrowserApplication(riid, ppvObject);
}

STDMETHODIMP CBrowserClassFactory::LockServer(BOOL fLock) {
    if (fLock) {
        GetComModule().Lock();
    } else {
        GetComModule().Unlock();
    }
    return S_OK;
}

HRESULT RegisterBrowserClassObjects(DWORD* pdwRegister) {
    CComObject<CBrowserClassFactory>* pFactory = nullptr;
    HRESULT hr = CComObject<CBrowserClassFactory>::CreateInstance(&pFactory);
    if (FAILED(hr)) {
        return hr;
    }
    CComPtr<IUnknown> pUnknown(pFactory->GetUnknown());
    DWORD dwRegister = 0;
    hr = CoRegisterClassObject(CLSID_InternetExplorer, pUnknown, CLSCTX_LOCAL_SERVER,
                               REGCLS_MULTIPLEUSE, &dwRegister);
    if (SUCCEEDED(hr) && pdwRegister != nullptr) {
        *pdwRegister = dwRegister;
    }
    return hr;
}
