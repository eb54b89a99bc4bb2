// The class object of the browser application (CLSID_InternetExplorer): each object it creates is
// a new browser application window (see webbrowser.h), listed in CBrowserWindows.
#pragma once

#include "platform/com/comobject.h"
#include "platform/com/hresult.h"
#include "platform/com/unknown.h"

class CBrowserClassFactory : public CComObjectRootEx<CComSingleThreadModel>, public IClassFactory {
public:
    BEGIN_COM_MAP(CBrowserClassFactory)
    COM_INTERFACE_ENTRY(IClassFactory)
    END_COM_MAP()

    // CLASS_E_NOAGGREGATION with an outer object: the application cannot be aggregated.
    STDMETHOD(CreateInstance)(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) override;
    STDMETHOD(LockServer)(BOOL fLock) override;
};

// Registers the class object as a multiple-use local server (so in process too) with
// CoRegisterClassObject, for the calling thread, which must have entered COM. The cookie, for
// CoRevokeClassObject, goes to *pdwRegister when it is not null; the registration otherwise ends
// with the thread's last CoUninitialize.
HRESULT RegisterBrowserClassObjects(DWORD* pdwRegister = nullptr);
