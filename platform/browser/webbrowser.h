// The browser object: IWebBrowser2 over the resource loader and the document model, with the
// events of DWebBrowserEvents2 for the sinks connected to it.
//
// Kinds of browser:
//   - a top-level browser with a frame window of its own (get_HWND): the host's browser
//     (CreateWebBrowser) and the browser application windows that CoCreateInstance of
//     CLSID_InternetExplorer opens (browserclassfactory.h), which are also listed in
//     CBrowserWindows;
//   - a frame browser, one per FRAME or IFRAME element of a page, made by the browser that shows
//     the page and handed to the page's document object as its embeddings. A frame browser has no
//     window; its events go to its own sinks and to those of the top-level browser above it.
//
// A navigation: BeforeNavigate2 (a sink may cancel; nothing changes then), DownloadBegin, the
// load, the new document shown, NavigateComplete2; then each frame of the page in document order
// (BeforeNavigate2, NavigateComplete2, its own frames, DocumentComplete, all with the frame
// browser as pDisp); then DocumentComplete of the page and DownloadComplete. Everything happens
// before Navigate returns, unless the UI driver holds the browser busy (browsercontrol.h).
//
// What a response becomes (documentbuilder.h): HTML is parsed in its charset; any other type is
// shown as plain text in a PRE; a load that fails shows an error page that names the address and
// the failure, and the location stays the address asked for.
//
// Sinks may call back into the browser from any event: a navigation started from a sink, Stop or
// Quit ends the one under way, whose remaining events are then not fired.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/browser/browserevents.h"
#include "platform/browser/exdisp.h"
#include "platform/browser/resourceloader.h"
#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/com/connectionpoint.h"
#include "platform/dom/com/mshtml.h"
#include "platform/dom/com/notypeinfodispatch.h"

class CBrowserFrameWindow;
class CDocument;
struct SBrowserWindowRecord;

class CWebBrowser : public CComObjectRootEx<CComSingleThreadModel>,
                    public CNoTypeInfoDispatch<IWebBrowser2>,
                    public IConnectionPointContainerImpl {
public:
    BEGIN_COM_MAP(CWebBrowser)
    COM_INTERFACE_ENTRY(IWebBrowser2)
    COM_INTERFACE_ENTRY(IWebBrowserApp)
    COM_INTERFACE_ENTRY(IWebBrowser)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IConnectionPointContainer)
    END_COM_MAP()

    // One IUnknown for both bases, so that CComPtr<CWebBrowser> works; CComObject implements it.
    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override = 0;
    STDMETHOD_(ULONG, AddRef)() override = 0;
    STDMETHOD_(ULONG, Release)() override = 0;

    // Frames nested deeper than this are not loaded: a page that frames itself ends here.
    static constexpr int kMaxFrameDepth = 8;

    CWebBrowser();
    CWebBrowser(const CWebBrowser&) = delete;
    CWebBrowser& operator=(const CWebBrowser&) = delete;
    void FinalRelease();

    // IWebBrowser
    STDMETHOD(Navigate)
    (BSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
     VARIANT* Headers) override;
    // Loads the page shown again, with its frames, firing only DownloadBegin and DownloadComplete.
    STDMETHOD(Refresh)() override;
    // Ends a hold and drops the navigation waiting in it, or ends the load under way.
    STDMETHOD(Stop)() override;
    // The top-level browser.
    STDMETHOD(get_Application)(IDispatch** ppDisp) override;
    // The browser of the page that holds the frame; the browser itself at the top.
    STDMETHOD(get_Parent)(IDispatch** ppDisp) override;
    // The same for a frame; null for a top-level browser.
    STDMETHOD(get_Container)(IDispatch** ppDisp) override;
    // The document shown; E_FAIL and null while there is none.
    STDMETHOD(get_Document)(IDispatch** ppDisp) override;
    STDMETHOD(get_TopLevelContainer)(VARIANT_BOOL* pBool) override;
    // The window's size; E_FAIL for a browser without a window.
    STDMETHOD(get_Width)(LONG* pl) override;
    STDMETHOD(put_Width)(LONG Width) override;
    STDMETHOD(get_Height)(LONG* pl) override;
    STDMETHOD(put_Height)(LONG Height) override;
    // The title of the document; its address when it has none.
    STDMETHOD(get_LocationName)(BSTR* LocationName) override;
    STDMETHOD(get_LocationURL)(BSTR* LocationURL) override;
    STDMETHOD(get_Busy)(VARIANT_BOOL* pBool) override;

    // IWebBrowserApp. Quit fires OnQuit, then closes the window and lets go of the page; later
    // navigations fail. Only a browser with a window can quit.
    STDMETHOD(Quit)() override;
    STDMETHOD(get_HWND)(SHANDLE_PTR* pHWND) override;
    STDMETHOD(get_Visible)(VARIANT_BOOL* pBool) override;
    STDMETHOD(put_Visible)(VARIANT_BOOL Value) override;
    STDMETHOD(get_StatusBar)(VARIANT_BOOL* pBool) override;
    STDMETHOD(put_StatusBar)(VARIANT_BOOL Value) override;
    STDMETHOD(get_ToolBar)(int* Value) override;
    STDMETHOD(put_ToolBar)(int Value) override;
    STDMETHOD(get_MenuBar)(VARIANT_BOOL* Value) override;
    STDMETHOD(put_MenuBar)(VARIANT_BOOL Value) override;

    // IWebBrowser2
    STDMETHOD(Navigate2)
    (VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
     VARIANT* Headers) override;
    STDMETHOD(get_ReadyState)(READYSTATE* plReadyState) override;
    STDMETHOD(get_AddressBar)(VARIANT_BOOL* Value) override;
    STDMETHOD(put_AddressBar)(VARIANT_BOOL Value) override;

    // Gives the browser its hidden frame window, and a record in CBrowserWindows when bListed.
    HRESULT OpenWindow(bool bListed);

    // The UI driver's hold (browsercontrol.h).
    void HoldBusy(int nReleaseAfterPolls);
    bool ReleaseBusy();
    bool IsHeld() const { return m_hold.has_value(); }

private:
    struct SHold {
        bool bCounted = false;
        int nPollsLeft = 0;
    };

    IDispatch* Self() { return static_cast<IWebBrowser2*>(this); }
    CWebBrowser& GetTop();
    // Events of this browser: to its own sinks and to those of its top-level browser.
    CBrowserEvents Events();
    bool HasWindow() const { return m_pFrameWindow != nullptr; }

    HRESULT StartNavigation(std::u16string address, SNavigationArguments arguments);
    // True while the navigation numbered nNavigation is still the one this browser is making.
    bool IsCurrent(unsigned nNavigation) const;
    // Loads the address and shows it with its frames; false when something took over meanwhile.
    bool LoadPage(unsigned nNavigation, const std::u16string& address, bool bEvents);
    bool LoadFrames(unsigned nNavigation, CDocument& document, bool bEvents);
    // A frame's part in the page's load: BeforeNavigate2 (which may cancel it), then LoadPage.
    void NavigateAsFrame(const std::u16string& address, const std::u16string& name, bool bEvents);
    void ShowDocument(CComPtr<IHTMLDocument2> pDocument, std::u16string location,
                      std::u16string title);
    // Lets go of the frames of the page shown; each stops and forgets this browser.
    void DetachFrames();
    void DetachFromParent();
    void BeginDownload();
    void EndDownload();
    // Drops the hold and any navigation waiting in it.
    void DropHold();
    void CloseWindow();
    void OnWindowClose();
    void OnWindowDestroyed();

    // Adds to this browser's record in CBrowserWindows, when it has one.
    void RecordOperation(const std::string& operation);
    // put_Width (bWidth) or put_Height: resizes the window and records the new size.
    HRESULT PutSize(const char* operation, LONG nValue, bool bWidth);
    // The address, status and menu bar flags: kept here and in the window's record.
    HRESULT GetBarFlag(bool bFlag, VARIANT_BOOL* pValue) const;
    HRESULT PutBarFlag(const char* operation, VARIANT_BOOL value, bool& bFlag,
                       bool SBrowserWindowRecord::*pField);
    void RecordNavigation(const std::u16string& address);
    template <class F>
    void UpdateRecord(F change);

    CConnectionPoint m_events;
    CResourceLoader m_loader;

    // Frames: the browser of the page that holds the frame (it holds this one), and the depth.
    CWebBrowser* m_pParent = nullptr;
    int m_nDepth = 0;

    // Top-level browsers: the frame window (owned by itself, see browserframewindow.h) and its
    // bars, and the record in CBrowserWindows (0: none).
    CBrowserFrameWindow* m_pFrameWindow = nullptr;
    int m_nRecord = 0;
    bool m_bAddressBar = true;
    bool m_bStatusBar = true;
    bool m_bMenuBar = true;
    int m_nToolBar = 1;
    bool m_bQuitting = false;
    bool m_bQuit = false;

    // What is shown.
    CComPtr<IHTMLDocument2> m_pDocument;
    std::u16string m_strLocation;
    std::u16string m_strTitle;
    std::vector<CComPtr<CWebBrowser>> m_vecFrames;
    READYSTATE m_eReadyState = READYSTATE_UNINITIALIZED;

    // The navigation under way: its number (each one that takes over counts one up), whether a
    // load is running, whether DownloadBegin awaits its DownloadComplete, and what waits in a hold.
    unsigned m_nNavigation = 0;
    bool m_bLoading = false;
    bool m_bDownloading = false;
    std::optional<SHold> m_hold;
    std::optional<std::u16string> m_pendingAddress;
};

// A top-level browser with its own hidden frame window, not listed in CBrowserWindows: the
// host's browser.
HRESULT CreateWebBrowser(IWebBrowser2** ppBrowser);

// A browser application window, listed in CBrowserWindows: what the class object of
// CLSID_InternetExplorer creates.
HRESULT CreateBrowserApplication(REFIID riid, void** ppv);

// The browser object behind any of its interfaces; null for another object.
CWebBrowser* GetWebBrowserObject(IUnknown* pBrowser);
