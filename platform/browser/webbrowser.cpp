#include "platform/browser/webbrowser.h"

#include <string>
#include <utility>

#include "platform/browser/browsercontrol.h"
#include "platform/browser/browserframewindow.h"
#include "platform/browser/browserwindows.h"
#include "platform/browser/documentbuilder.h"
#include "platform/dom/com/htmldocumentobject.h"
#include "platform/text/codepage.h"

namespace {

// A copy of an optional argument: the value a reference points at, VT_EMPTY for none.
CComVariant ArgumentValue(const VARIANT* pArgument) {
    if (pArgument == nullptr) {
        return CComVariant();
    }
    if (pArgument->vt == (VT_BYREF | VT_VARIANT) && pArgument->pvarVal != nullptr) {
        return CComVariant(*pArgument->pvarVal);
    }
    return CComVariant(*pArgument);
}

// The address of Navigate2: a string, or a reference to one.
const VARIANT* AddressVariant(const VARIANT* pUrl) {
    if (pUrl != nullptr && pUrl->vt == (VT_BYREF | VT_VARIANT)) {
        return pUrl->pvarVal;
    }
    return pUrl;
}

HRESULT ReturnString(std::u16string_view text, BSTR* pbstr) {
    if (pbstr == nullptr) {
        return E_POINTER;
    }
    *pbstr = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *pbstr != nullptr ? S_OK : E_OUTOFMEMORY;
}

VARIANT_BOOL ToVariantBool(bool b) {
    return b ? VARIANT_TRUE : VARIANT_FALSE;
}

const char* BoolText(VARIANT_BOOL b) {
    return b != VARIANT_FALSE ? "TRUE" : "FALSE";
}

}  // namespace

CWebBrowser::CWebBrowser()
    : m_events(static_cast<IConnectionPointContainer*>(this), DIID_DWebBrowserEvents2) {
    AddConnectionPoint(m_events);
}

void CWebBrowser::FinalRelease() {
    m_hold.reset();
    m_pendingAddress.reset();
    DetachFrames();
    if (CHTMLDocumentObject* pObject = GetHTMLDocumentObject(m_pDocument)) {
        pObject->Detach();
    }
    m_pDocument.Release();
    CloseWindow();
}

// ---------------------------------------------------------------------------------------------
// Navigation

STDMETHODIMP CWebBrowser::Navigate(BSTR URL, VARIANT* Flags, VARIANT* TargetFrameName,
                                   VARIANT* PostData, VARIANT* Headers) {
    if (SysStringLen(URL) == 0) {
        return E_INVALIDARG;
    }
    return StartNavigation(std::u16string(URL, SysStringLen(URL)),
                           {ArgumentValue(Flags), ArgumentValue(TargetFrameName),
                            ArgumentValue(PostData), ArgumentValue(Headers)});
}

STDMETHODIMP CWebBrowser::Navigate2(VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName,
                                    VARIANT* PostData, VARIANT* Headers) {
    const VARIANT* pAddress = AddressVariant(URL);
    if (pAddress == nullptr) {
        return E_INVALIDARG;
    }
    BSTR address = nullptr;
    if (pAddress->vt == VT_BSTR) {
        address = pAddress->bstrVal;
    } else if (pAddress->vt == (VT_BYREF | VT_BSTR) && pAddress->pbstrVal != nullptr) {
        address = *pAddress->pbstrVal;
    } else {
        return E_INVALIDARG;
    }
    return Navigate(address, Flags, TargetFrameName, PostData, Headers);
}

HRESULT CWebBrowser::StartNavigation(std::u16string address, SNavigationArguments arguments) {
    if (m_bQuit) {
        return E_FAIL;
    }
    RecordOperation("Navigate(" + WideToUtf8(address) + ")");
    RecordNavigation(address);
    CComPtr<CWebBrowser> pSelf(this);
    if (Events().BeforeNavigate2(Self(), address, arguments) || m_bQuit) {
        return S_OK;
    }
    // This navigation takes over from any under way or waiting.
    unsigned nNavigation = ++m_nNavigation;
    m_pendingAddress.reset();
    m_bLoading = false;
    EndDownload();
    if (!IsCurrent(nNavigation)) {
        return S_OK;
    }
    BeginDownload();
    if (!IsCurrent(nNavigation)) {
        return S_OK;
    }
    if (!m_hold) {
        if (std::optional<int> nPolls = CBrowserControl::TakeNextNavigationHold()) {
            HoldBusy(*nPolls);
        }
    }
    if (m_hold) {
        m_pendingAddress = std::move(address);
        m_eReadyState = READYSTATE_LOADING;
        return S_OK;
    }
    if (LoadPage(nNavigation, address, true)) {
        EndDownload();
    }
    return S_OK;
}

bool CWebBrowser::IsCurrent(unsigned nNavigation) const {
    return !m_bQuit && m_nNavigation == nNavigation;
}

bool CWebBrowser::LoadPage(unsigned nNavigation, const std::u16string& address, bool bEvents) {
    m_bLoading = true;
    m_eReadyState = READYSTATE_LOADING;
    SResourceResponse response = m_loader.Load(address);
    CNodeRef<CDocument> pTree = BuildDocument(response, address);
    CComPtr<IHTMLDocument2> pDocument;
    if (FAILED(CreateHTMLDocumentObject(pTree, &pDocument))) {
        m_bLoading = false;
        m_eReadyState = m_pDocument ? READYSTATE_COMPLETE : READYSTATE_UNINITIALIZED;
        return true;
    }
    std::u16string location = pTree->GetUrl();
    ShowDocument(pDocument, location, GetDocumentTitle(*pTree));
    m_eReadyState = READYSTATE_INTERACTIVE;
    if (bEvents) {
        Events().NavigateComplete2(Self(), location);
        if (!IsCurrent(nNavigation)) {
            return false;
        }
    }
    if (!LoadFrames(nNavigation, *pTree, bEvents)) {
        return false;
    }
    m_bLoading = false;
    m_eReadyState = READYSTATE_COMPLETE;
    if (bEvents) {
        Events().DocumentComplete(Self(), location);
    }
    return IsCurrent(nNavigation);
}

bool CWebBrowser::LoadFrames(unsigned nNavigation, CDocument& document, bool bEvents) {
    if (m_nDepth >= kMaxFrameDepth) {
        return true;
    }
    std::vector<SFrameSource> vecSources = FindFrameSources(document);
    if (vecSources.empty()) {
        return true;
    }
    std::vector<CComPtr<IUnknown>> vecEmbeddings;
    for (size_t i = 0; i < vecSources.size(); ++i) {
        CComObject<CWebBrowser>* pFrame = nullptr;
        if (FAILED(CComObject<CWebBrowser>::CreateInstance(&pFrame))) {
            vecSources.resize(i);
            break;
        }
        pFrame->m_pParent = this;
        pFrame->m_nDepth = m_nDepth + 1;
        m_vecFrames.emplace_back(pFrame);
        vecEmbeddings.emplace_back(pFrame->GetUnknown());
    }
    if (CHTMLDocumentObject* pObject = GetHTMLDocumentObject(m_pDocument)) {
        pObject->SetEmbeddings(vecEmbeddings);
    }
    // Copied: a sink may make this browser let go of its frames meanwhile.
    std::vector<CComPtr<CWebBrowser>> vecFrames = m_vecFrames;
    for (size_t i = 0; i < vecSources.size(); ++i) {
        vecFrames[i]->NavigateAsFrame(vecSources[i].url, vecSources[i].name, bEvents);
        if (!IsCurrent(nNavigation)) {
            return false;
        }
    }
    return true;
}

void CWebBrowser::NavigateAsFrame(const std::u16string& address, const std::u16string& name,
                                  bool bEvents) {
    CComPtr<CWebBrowser> pSelf(this);
    if (bEvents) {
        SNavigationArguments arguments;
        arguments.flags = CComVariant(LONG{0});
        arguments.targetFrameName = CComVariant(name.c_str());
        if (Events().BeforeNavigate2(Self(), address, arguments) || m_pParent == nullptr) {
            return;
        }
    }
    unsigned nNavigation = ++m_nNavigation;
    LoadPage(nNavigation, address, bEvents);
}

void CWebBrowser::ShowDocument(CComPtr<IHTMLDocument2> pDocument, std::u16string location,
                               std::u16string title) {
    DetachFrames();
    CComPtr<IHTMLDocument2> pOld = std::exchange(m_pDocument, std::move(pDocument));
    m_strLocation = std::move(location);
    m_strTitle = std::move(title);
    if (CHTMLDocumentObject* pObject = GetHTMLDocumentObject(pOld)) {
        pObject->Detach();
    }
    if (HasWindow()) {
        ::SetWindowTextA(m_pFrameWindow->m_hWnd,
                         WideToAnsi(m_strTitle.empty() ? m_strLocation : m_strTitle).c_str());
    }
}

void CWebBrowser::DetachFrames() {
    std::vector<CComPtr<CWebBrowser>> vecFrames = std::move(m_vecFrames);
    m_vecFrames.clear();
    for (const CComPtr<CWebBrowser>& pFrame : vecFrames) {
        pFrame->DetachFromParent();
    }
}

void CWebBrowser::DetachFromParent() {
    m_pParent = nullptr;
    DropHold();
    if (m_bLoading) {
        ++m_nNavigation;
        m_bLoading = false;
    }
}

STDMETHODIMP CWebBrowser::Refresh() {
    if (m_bQuit) {
        return E_FAIL;
    }
    if (m_strLocation.empty()) {
        return S_OK;
    }
    CComPtr<CWebBrowser> pSelf(this);
    unsigned nNavigation = ++m_nNavigation;
    DropHold();
    EndDownload();
    BeginDownload();
    if (IsCurrent(nNavigation) && LoadPage(nNavigation, std::u16string(m_strLocation), false)) {
        EndDownload();
    }
    return S_OK;
}

STDMETHODIMP CWebBrowser::Stop() {
    CComPtr<CWebBrowser> pSelf(this);
    DropHold();
    if (m_bLoading) {
        ++m_nNavigation;
        m_bLoading = false;
    }
    m_eReadyState = m_pDocument ? READYSTATE_COMPLETE : READYSTATE_UNINITIALIZED;
    EndDownload();
    return S_OK;
}

void CWebBrowser::BeginDownload() {
    m_bDownloading = true;
    Events().DownloadBegin();
}

void CWebBrowser::EndDownload() {
    if (m_bDownloading) {
        m_bDownloading = false;
        Events().DownloadComplete();
    }
}

// ---------------------------------------------------------------------------------------------
// The UI driver's hold

void CWebBrowser::HoldBusy(int nReleaseAfterPolls) {
    SHold hold;
    hold.bCounted = nReleaseAfterPolls > 0;
    hold.nPollsLeft = hold.bCounted ? nReleaseAfterPolls : 0;
    m_hold = hold;
}

bool CWebBrowser::ReleaseBusy() {
    if (!m_hold) {
        return false;
    }
    m_hold.reset();
    if (!m_pendingAddress) {
        return true;
    }
    CComPtr<CWebBrowser> pSelf(this);
    std::u16string address = std::move(*m_pendingAddress);
    m_pendingAddress.reset();
    unsigned nNavigation = ++m_nNavigation;
    if (LoadPage(nNavigation, address, true)) {
        EndDownload();
    }
    return true;
}

void CWebBrowser::DropHold() {
    m_hold.reset();
    if (m_pendingAddress) {
        m_pendingAddress.reset();
        m_eReadyState = m_pDocument ? READYSTATE_COMPLETE : READYSTATE_UNINITIALIZED;
    }
}

STDMETHODIMP CWebBrowser::get_Busy(VARIANT_BOOL* pBool) {
    if (pBool == nullptr) {
        return E_POINTER;
    }
    if (m_hold) {
        if (!m_hold->bCounted || m_hold->nPollsLeft > 0) {
            if (m_hold->bCounted) {
                --m_hold->nPollsLeft;
            }
            *pBool = VARIANT_TRUE;
            return S_OK;
        }
        ReleaseBusy();
    }
    *pBool = ToVariantBool(m_bLoading || m_hold.has_value());
    return S_OK;
}

STDMETHODIMP CWebBrowser::get_ReadyState(READYSTATE* plReadyState) {
    if (plReadyState == nullptr) {
        return E_POINTER;
    }
    *plReadyState = m_eReadyState;
    return S_OK;
}

// ---------------------------------------------------------------------------------------------
// What is shown, and where the browser stands

STDMETHODIMP CWebBrowser::get_Document(IDispatch** ppDisp) {
    if (ppDisp == nullptr) {
        return E_POINTER;
    }
    *ppDisp = nullptr;
    if (!m_pDocument) {
        return E_FAIL;
    }
    return m_pDocument->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(ppDisp));
}

STDMETHODIMP CWebBrowser::get_LocationName(BSTR* LocationName) {
    return ReturnString(m_strTitle.empty() ? m_strLocation : m_strTitle, LocationName);
}

STDMETHODIMP CWebBrowser::get_LocationURL(BSTR* LocationURL) {
    return ReturnString(m_strLocation, LocationURL);
}

CWebBrowser& CWebBrowser::GetTop() {
    CWebBrowser* pTop = this;
    while (pTop->m_pParent != nullptr) {
        pTop = pTop->m_pParent;
    }
    return *pTop;
}

CBrowserEvents CWebBrowser::Events() {
    CWebBrowser& top = GetTop();
    if (&top == this) {
        return CBrowserEvents({&m_events});
    }
    return CBrowserEvents({&m_events, &top.m_events});
}

STDMETHODIMP CWebBrowser::get_Application(IDispatch** ppDisp) {
    if (ppDisp == nullptr) {
        return E_POINTER;
    }
    *ppDisp = GetTop().Self();
    (*ppDisp)->AddRef();
    return S_OK;
}

STDMETHODIMP CWebBrowser::get_Parent(IDispatch** ppDisp) {
    if (ppDisp == nullptr) {
        return E_POINTER;
    }
    *ppDisp = m_pParent != nullptr ? m_pParent->Self() : Self();
    (*ppDisp)->AddRef();
    return S_OK;
}

STDMETHODIMP CWebBrowser::get_Container(IDispatch** ppDisp) {
    if (ppDisp == nullptr) {
        return E_POINTER;
    }
    *ppDisp = nullptr;
    if (m_pParent != nullptr) {
        *ppDisp = m_pParent->Self();
        (*ppDisp)->AddRef();
    }
    return S_OK;
}

STDMETHODIMP CWebBrowser::get_TopLevelContainer(VARIANT_BOOL* pBool) {
    if (pBool == nullptr) {
        return E_POINTER;
    }
    *pBool = ToVariantBool(m_pParent == nullptr);
    return S_OK;
}

// ---------------------------------------------------------------------------------------------
// The window

HRESULT CWebBrowser::OpenWindow(bool bListed) {
    if (HasWindow() || m_pParent != nullptr) {
        return E_UNEXPECTED;
    }
    m_pFrameWindow =
        CBrowserFrameWindow::Open({[this] { OnWindowClose(); }, [this] { OnWindowDestroyed(); }});
    if (m_pFrameWindow == nullptr) {
        return E_FAIL;
    }
    if (bListed) {
        RECT rect{};
        ::GetWindowRect(m_pFrameWindow->m_hWnd, &rect);
        m_nRecord = CBrowserWindows::Get().Add(m_pFrameWindow->m_hWnd, rect.right - rect.left,
                                               rect.bottom - rect.top);
    }
    return S_OK;
}

void CWebBrowser::CloseWindow() {
    if (CBrowserFrameWindow* pWindow = std::exchange(m_pFrameWindow, nullptr)) {
        pWindow->Close();
        UpdateRecord([](SBrowserWindowRecord& record) {
            record.closed = true;
            record.visible = false;
        });
    }
}

void CWebBrowser::OnWindowClose() {
    Quit();
}

void CWebBrowser::OnWindowDestroyed() {
    m_pFrameWindow = nullptr;
    UpdateRecord([](SBrowserWindowRecord& record) {
        record.closed = true;
        record.visible = false;
    });
}

STDMETHODIMP CWebBrowser::Quit() {
    if (!HasWindow() && !m_bQuit) {
        return E_FAIL;
    }
    if (m_bQuit || m_bQuitting) {
        return S_OK;
    }
    CComPtr<CWebBrowser> pSelf(this);
    RecordOperation("Quit()");
    // The page is still there while the sinks hear of the end.
    m_bQuitting = true;
    Events().OnQuit();
    m_bQuit = true;
    ++m_nNavigation;
    m_bLoading = false;
    m_bDownloading = false;
    m_hold.reset();
    m_pendingAddress.reset();
    DetachFrames();
    if (CHTMLDocumentObject* pObject = GetHTMLDocumentObject(m_pDocument)) {
        pObject->Detach();
    }
    m_pDocument.Release();
    m_eReadyState = READYSTATE_UNINITIALIZED;
    UpdateRecord([](SBrowserWindowRecord& record) { record.quit = true; });
    CloseWindow();
    return S_OK;
}

STDMETHODIMP CWebBrowser::get_HWND(SHANDLE_PTR* pHWND) {
    if (pHWND == nullptr) {
        return E_POINTER;
    }
    *pHWND = HasWindow() ? reinterpret_cast<SHANDLE_PTR>(m_pFrameWindow->m_hWnd) : 0;
    return HasWindow() ? S_OK : E_FAIL;
}

STDMETHODIMP CWebBrowser::get_Visible(VARIANT_BOOL* pBool) {
    if (pBool == nullptr) {
        return E_POINTER;
    }
    *pBool = ToVariantBool(HasWindow() && ::IsWindowVisible(m_pFrameWindow->m_hWnd));
    return HasWindow() ? S_OK : E_FAIL;
}

STDMETHODIMP CWebBrowser::put_Visible(VARIANT_BOOL Value) {
    if (!HasWindow()) {
        return E_FAIL;
    }
    RecordOperation(std::string("put_Visible(") + BoolText(Value) + ")");
    ::ShowWindow(m_pFrameWindow->m_hWnd, Value != VARIANT_FALSE ? SW_SHOW : SW_HIDE);
    UpdateRecord(
        [Value](SBrowserWindowRecord& record) { record.visible = Value != VARIANT_FALSE; });
    return S_OK;
}

HRESULT CWebBrowser::GetBarFlag(bool bFlag, VARIANT_BOOL* pValue) const {
    if (pValue == nullptr) {
        return E_POINTER;
    }
    *pValue = ToVariantBool(bFlag);
    return HasWindow() ? S_OK : E_FAIL;
}

HRESULT CWebBrowser::PutBarFlag(const char* operation, VARIANT_BOOL value, bool& bFlag,
                                bool SBrowserWindowRecord::*pField) {
    if (!HasWindow()) {
        return E_FAIL;
    }
    RecordOperation(std::string(operation) + "(" + BoolText(value) + ")");
    bFlag = value != VARIANT_FALSE;
    UpdateRecord([&](SBrowserWindowRecord& record) { record.*pField = bFlag; });
    return S_OK;
}

STDMETHODIMP CWebBrowser::get_StatusBar(VARIANT_BOOL* pBool) {
    return GetBarFlag(m_bStatusBar, pBool);
}

STDMETHODIMP CWebBrowser::put_StatusBar(VARIANT_BOOL Value) {
    return PutBarFlag("put_StatusBar", Value, m_bStatusBar, &SBrowserWindowRecord::statusBar);
}

STDMETHODIMP CWebBrowser::get_ToolBar(int* Value) {
    if (Value == nullptr) {
        return E_POINTER;
    }
    *Value = m_nToolBar;
    return HasWindow() ? S_OK : E_FAIL;
}

STDMETHODIMP CWebBrowser::put_ToolBar(int Value) {
    if (!HasWindow()) {
        return E_FAIL;
    }
    RecordOperation("put_ToolBar(" + std::to_string(Value) + ")");
    m_nToolBar = Value;
    UpdateRecord([Value](SBrowserWindowRecord& record) { record.toolBar = Value; });
    return S_OK;
}

STDMETHODIMP CWebBrowser::get_MenuBar(VARIANT_BOOL* Value) {
    return GetBarFlag(m_bMenuBar, Value);
}

STDMETHODIMP CWebBrowser::put_MenuBar(VARIANT_BOOL Value) {
    return PutBarFlag("put_MenuBar", Value, m_bMenuBar, &SBrowserWindowRecord::menuBar);
}

STDMETHODIMP CWebBrowser::get_AddressBar(VARIANT_BOOL* Value) {
    return GetBarFlag(m_bAddressBar, Value);
}

STDMETHODIMP CWebBrowser::put_AddressBar(VARIANT_BOOL Value) {
    return PutBarFlag("put_AddressBar", Value, m_bAddressBar, &SBrowserWindowRecord::addressBar);
}

STDMETHODIMP CWebBrowser::get_Width(LONG* pl) {
    if (pl == nullptr) {
        return E_POINTER;
    }
    *pl = 0;
    RECT rect{};
    if (!HasWindow() || !::GetWindowRect(m_pFrameWindow->m_hWnd, &rect)) {
        return E_FAIL;
    }
    *pl = rect.right - rect.left;
    return S_OK;
}

STDMETHODIMP CWebBrowser::put_Width(LONG Width) {
    return PutSize("put_Width", Width, true);
}

STDMETHODIMP CWebBrowser::get_Height(LONG* pl) {
    if (pl == nullptr) {
        return E_POINTER;
    }
    *pl = 0;
    RECT rect{};
    if (!HasWindow() || !::GetWindowRect(m_pFrameWindow->m_hWnd, &rect)) {
        return E_FAIL;
    }
    *pl = rect.bottom - rect.top;
    return S_OK;
}

STDMETHODIMP CWebBrowser::put_Height(LONG Height) {
    return PutSize("put_Height", Height, false);
}

HRESULT CWebBrowser::PutSize(const char* operation, LONG nValue, bool bWidth) {
    if (nValue < 0) {
        return E_INVALIDARG;
    }
    LONG nWidth = 0;
    LONG nHeight = 0;
    if (FAILED(get_Width(&nWidth)) || FAILED(get_Height(&nHeight))) {
        return E_FAIL;
    }
    (bWidth ? nWidth : nHeight) = nValue;
    RecordOperation(std::string(operation) + "(" + std::to_string(nValue) + ")");
    ::SetWindowPos(m_pFrameWindow->m_hWnd, nullptr, 0, 0, nWidth, nHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateRecord(
        [=](SBrowserWindowRecord& record) { (bWidth ? record.width : record.height) = nValue; });
    return S_OK;
}

// ---------------------------------------------------------------------------------------------
// The record in the list of windows

template <class F>
void CWebBrowser::UpdateRecord(F change) {
    if (m_nRecord != 0) {
        CBrowserWindows::Get().Update(m_nRecord, change);
    }
}

void CWebBrowser::RecordOperation(const std::string& operation) {
    UpdateRecord(
        [&operation](SBrowserWindowRecord& record) { record.operations.push_back(operation); });
}

void CWebBrowser::RecordNavigation(const std::u16string& address) {
    UpdateRecord([&address](SBrowserWindowRecord& record) {
        record.navigations.push_back(WideToUtf8(address));
    });
}

// ---------------------------------------------------------------------------------------------
// Creation

namespace {

HRESULT CreateTopLevel(bool bListed, REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    CComObject<CWebBrowser>* pObject = nullptr;
    HRESULT hr = CComObject<CWebBrowser>::CreateInstance(&pObject);
    if (FAILED(hr)) {
        return hr;
    }
    CComPtr<CWebBrowser> pBrowser(pObject);
    hr = pBrowser->OpenWindow(bListed);
    if (FAILED(hr)) {
        return hr;
    }
    return pBrowser->QueryInterface(riid, ppv);
}

}  // namespace

HRESULT CreateWebBrowser(IWebBrowser2** ppBrowser) {
    return CreateTopLevel(false, IID_IWebBrowser2, reinterpret_cast<void**>(ppBrowser));
}

HRESULT CreateBrowserApplication(REFIID riid, void** ppv) {
    return CreateTopLevel(true, riid, ppv);
}

CWebBrowser* GetWebBrowserObject(IUnknown* pBrowser) {
    if (pBrowser == nullptr) {
        return nullptr;
    }
    CComQIPtr<IWebBrowser2> pWebBrowser(pBrowser);
    return dynamic_cast<CWebBrowser*>(pWebBrowser.p);
}
