// The browser's automation interfaces: IWebBrowser, IWebBrowserApp and IWebBrowser2 (the subset
// this system calls, in the platform's order of inheritance), the event interface
// DWebBrowserEvents2 with its dispatch ids, the browser application class and the ready states.
//
// Events of DWebBrowserEvents2 arrive through IDispatch::Invoke with the arguments last-first (see
// dispatch.h). Their arguments, first to last:
//   BeforeNavigate2   (250): IDispatch* pDisp, VARIANT* URL, VARIANT* Flags,
//                            VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers,
//                            VARIANT_BOOL* Cancel
//   NavigateComplete2 (252): IDispatch* pDisp, VARIANT* URL
//   DocumentComplete  (259): IDispatch* pDisp, VARIANT* URL
//   DownloadBegin     (106), DownloadComplete (104), OnQuit (253): none
// pDisp is the browser that navigates (the top-level browser or a frame's); a VARIANT* argument
// is passed as VT_BYREF | VT_VARIANT, Cancel as VT_BYREF | VT_BOOL.
#pragma once

#include "platform/com/dispatch.h"
#include "platform/com/guid.h"
#include "platform/com/unknown.h"
#include "platform/com/variant.h"
#include "platform/com/wtypes.h"
#include "platform/win/winuser.h"

typedef LONG_PTR SHANDLE_PTR;

enum READYSTATE {
    READYSTATE_UNINITIALIZED = 0,
    READYSTATE_LOADING = 1,
    READYSTATE_LOADED = 2,
    READYSTATE_INTERACTIVE = 3,
    READYSTATE_COMPLETE = 4,
};

inline constexpr IID IID_IWebBrowser = MakeGuid("{EAB22AC1-30C1-11CF-A7EB-0000C05BAE0B}");
inline constexpr IID IID_IWebBrowserApp = MakeGuid("{0002DF05-0000-0000-C000-000000000046}");
inline constexpr IID IID_IWebBrowser2 = MakeGuid("{D30C1661-CDAF-11D0-8A3E-00C04FC9E26E}");
inline constexpr IID DIID_DWebBrowserEvents2 = MakeGuid("{34A715A0-6587-11D0-924A-0020AFC7AC4D}");
inline constexpr CLSID CLSID_InternetExplorer = MakeGuid("{0002DF01-0000-0000-C000-000000000046}");
// The service under which a browser's site offers the browser.
inline constexpr GUID SID_SWebBrowserApp = IID_IWebBrowserApp;

constexpr DISPID DISPID_DOWNLOADCOMPLETE = 104;
constexpr DISPID DISPID_DOWNLOADBEGIN = 106;
constexpr DISPID DISPID_BEFORENAVIGATE2 = 250;
constexpr DISPID DISPID_NEWWINDOW2 = 251;
constexpr DISPID DISPID_NAVIGATECOMPLETE2 = 252;
constexpr DISPID DISPID_ONQUIT = 253;
constexpr DISPID DISPID_DOCUMENTCOMPLETE = 259;

struct IWebBrowser : public IDispatch {
    // The optional arguments may be null, VT_EMPTY or VT_ERROR (left out).
    STDMETHOD(Navigate)
    (BSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers) PURE;
    STDMETHOD(Refresh)() PURE;
    STDMETHOD(Stop)() PURE;
    STDMETHOD(get_Application)(IDispatch** ppDisp) PURE;
    STDMETHOD(get_Parent)(IDispatch** ppDisp) PURE;
    STDMETHOD(get_Container)(IDispatch** ppDisp) PURE;
    STDMETHOD(get_Document)(IDispatch** ppDisp) PURE;
    STDMETHOD(get_TopLevelContainer)(VARIANT_BOOL* pBool) PURE;
    STDMETHOD(get_Width)(LONG* pl) PURE;
    STDMETHOD(put_Width)(LONG Width) PURE;
    STDMETHOD(get_Height)(LONG* pl) PURE;
    STDMETHOD(put_Height)(LONG Height) PURE;
    STDMETHOD(get_LocationName)(BSTR* LocationName) PURE;
    STDMETHOD(get_LocationURL)(BSTR* LocationURL) PURE;
    STDMETHOD(get_Busy)(VARIANT_BOOL* pBool) PURE;
};

struct IWebBrowserApp : public IWebBrowser {
    STDMETHOD(Quit)() PURE;
    STDMETHOD(get_HWND)(SHANDLE_PTR* pHWND) PURE;
    STDMETHOD(get_Visible)(VARIANT_BOOL* pBool) PURE;
    STDMETHOD(put_Visible)(VARIANT_BOOL Value) PURE;
    STDMETHOD(get_StatusBar)(VARIANT_BOOL* pBool) PURE;
    STDMETHOD(put_StatusBar)(VARIANT_BOOL Value) PURE;
    STDMETHOD(get_ToolBar)(int* Value) PURE;
    STDMETHOD(put_ToolBar)(int Value) PURE;
    STDMETHOD(get_MenuBar)(VARIANT_BOOL* Value) PURE;
    STDMETHOD(put_MenuBar)(VARIANT_BOOL Value) PURE;
};

struct IWebBrowser2 : public IWebBrowserApp {
    // Navigate with the address in a VARIANT (VT_BSTR, or a reference to one).
    STDMETHOD(Navigate2)
    (VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
     VARIANT* Headers) PURE;
    STDMETHOD(get_ReadyState)(READYSTATE* plReadyState) PURE;
    STDMETHOD(get_AddressBar)(VARIANT_BOOL* Value) PURE;
    STDMETHOD(put_AddressBar)(VARIANT_BOOL Value) PURE;
};

template <>
constexpr const IID& UuidOf<IWebBrowser>() {
    return IID_IWebBrowser;
}
template <>
constexpr const IID& UuidOf<IWebBrowserApp>() {
    return IID_IWebBrowserApp;
}
template <>
constexpr const IID& UuidOf<IWebBrowser2>() {
    return IID_IWebBrowser2;
}
