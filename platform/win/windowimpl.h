// CWindowImpl: a C++ object behind a window, whose message map handles the window's messages.
//
// A class T derives from CWindowImpl<T, TBase> (TBase: CWindow or a control wrapper built on it),
// declares its window class (DECLARE_WND_CLASS for a class of its own, DECLARE_WND_SUPERCLASS to
// build on an existing class, whose window procedure then handles what T's map leaves) and its
// message map, and creates the window with Create; or it takes over an existing window with
// SubclassWindow. The object must outlive its window, or give it up: the destructor hands a
// still-existing window back to its original window procedure.
//
// A parent implemented this way can reflect its children's notifications back to them
// (REFLECT_NOTIFICATIONS): the child then gets OCM_COMMAND, OCM_NOTIFY, OCM_DRAWITEM, ... with the
// original parameters, and handles them in its own map.
#pragma once

#include "platform/win/messagemap.h"
#include "platform/win/moduleresources.h"
#include "platform/win/window.h"

// The object that the window about to be created belongs to, from the framework's Create to the
// first message of the window. Nested creations (a window that creates another in WM_CREATE) are
// fine: the object is taken by the first message, before any nested creation starts.
class CWindowCreationContext {
public:
    explicit CWindowCreationContext(void* pObject);
    ~CWindowCreationContext();
    CWindowCreationContext(const CWindowCreationContext&) = delete;
    CWindowCreationContext& operator=(const CWindowCreationContext&) = delete;

    // The object, once; null when no creation is under way.
    static void* Take();

private:
    void* m_pPrevious;
};

// The window properties through which the framework's procedures find their objects.
inline constexpr const char* kWindowImplProperty = "Lirset.WindowImpl";
inline constexpr const char* kDialogImplProperty = "Lirset.DialogImpl";
inline constexpr const char* kContainedWindowProperty = "Lirset.ContainedWindow";

template <DWORD t_dwStyle = 0, DWORD t_dwExStyle = 0>
class CWinTraits {
public:
    static DWORD GetWndStyle(DWORD dwStyle) { return dwStyle == 0 ? t_dwStyle : dwStyle; }
    static DWORD GetWndExStyle(DWORD dwExStyle) { return dwExStyle == 0 ? t_dwExStyle : dwExStyle; }
};

typedef CWinTraits<WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0> CControlWinTraits;
typedef CWinTraits<WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_WINDOWEDGE>
    CFrameWinTraits;
typedef CWinTraits<0, 0> CNullTraits;

// The window class of a window implementation. A superclass takes the original class's
// attributes and remembers its window procedure, to which the implementation's DefWindowProc
// then goes.
class CWndClassInfo {
public:
    CWndClassInfo(LPCSTR lpszClassName, LPCSTR lpszOrigName, WNDPROC pfnStartProc, UINT style,
                  int background);

    // Registers the class unless it exists; gives the procedure that unhandled messages go to.
    ATOM Register(WNDPROC* pProc);

    WNDCLASSEXA m_wc;
    LPCSTR m_lpszOrigName;
    LPCSTR m_lpszCursorID;

private:
    char m_szAutoName[32];
};

#define DECLARE_WND_CLASS(WndClassName)                                                  \
    static CWndClassInfo& GetWndClassInfo() {                                            \
        static CWndClassInfo wc(WndClassName, nullptr, StartWindowProc,                  \
                                CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, COLOR_WINDOW + 1); \
        return wc;                                                                       \
    }

#define DECLARE_WND_CLASS_EX(WndClassName, style, bkgnd)                               \
    static CWndClassInfo& GetWndClassInfo() {                                          \
        static CWndClassInfo wc(WndClassName, nullptr, StartWindowProc, style, bkgnd); \
        return wc;                                                                     \
    }

#define DECLARE_WND_SUPERCLASS(WndClassName, OrigWndClassName)                          \
    static CWndClassInfo& GetWndClassInfo() {                                           \
        static CWndClassInfo wc(WndClassName, OrigWndClassName, StartWindowProc, 0, 0); \
        return wc;                                                                      \
    }

template <class TBase = CWindow>
class CWindowImplRoot : public TBase, public CMessageMap {
public:
    enum { WINSTATE_DESTROYED = 0x00000001 };

    const MSG* m_pCurrentMsg = nullptr;
    DWORD m_dwState = 0;

    const MSG* GetCurrentMessage() const { return m_pCurrentMsg; }

    // Sends the notification to the child it came from, as the OCM_ message.
    LRESULT ReflectNotifications(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
        HWND hWndChild = nullptr;
        switch (uMsg) {
            case WM_COMMAND:
                hWndChild = reinterpret_cast<HWND>(lParam);
                break;
            case WM_NOTIFY:
                hWndChild = reinterpret_cast<LPNMHDR>(lParam)->hwndFrom;
                break;
            case WM_DRAWITEM:
                if (wParam != 0) {
                    hWndChild = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)->hwndItem;
                }
                break;
            case WM_MEASUREITEM:
                if (wParam != 0) {
                    hWndChild = ::GetDlgItem(
                        this->m_hWnd,
                        static_cast<int>(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)->CtlID));
                }
                break;
            case WM_COMPAREITEM:
                if (wParam != 0) {
                    hWndChild = reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem;
                }
                break;
            case WM_DELETEITEM:
                if (wParam != 0) {
                    hWndChild = reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem;
                }
                break;
            case WM_HSCROLL:
            case WM_VSCROLL:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORSTATIC:
                hWndChild = reinterpret_cast<HWND>(lParam);
                break;
            default:
                break;
        }
        if (hWndChild == nullptr || !::IsWindow(hWndChild)) {
            bHandled = FALSE;
            return 1;
        }
        return ::SendMessageA(hWndChild, OCM__BASE + uMsg, wParam, lParam);
    }

    // Passes a child's notification on to this window's parent.
    LRESULT ForwardNotifications(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
        switch (uMsg) {
            case WM_COMMAND:
            case WM_NOTIFY:
            case WM_PARENTNOTIFY:
            case WM_DRAWITEM:
            case WM_MEASUREITEM:
            case WM_COMPAREITEM:
            case WM_DELETEITEM:
            case WM_HSCROLL:
            case WM_VSCROLL:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORSTATIC:
                return ::SendMessageA(::GetParent(this->m_hWnd), uMsg, wParam, lParam);
            default:
                bHandled = FALSE;
                return 0;
        }
    }

    // A reflected message that the map did not handle gets the default handling of the original.
    static BOOL DefaultReflectionHandler(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                         LRESULT& lResult) {
        if (uMsg < OCM__BASE || uMsg > OCM__LAST) {
            return FALSE;
        }
        lResult = ::DefWindowProcA(hWnd, uMsg - OCM__BASE, wParam, lParam);
        return TRUE;
    }
};

template <class TBase = CWindow, class TWinTraits = CControlWinTraits>
class CWindowImplBaseT : public CWindowImplRoot<TBase> {
public:
    WNDPROC m_pfnSuperWindowProc = ::DefWindowProcA;

    CWindowImplBaseT() = default;
    CWindowImplBaseT(const CWindowImplBaseT&) = delete;
    CWindowImplBaseT& operator=(const CWindowImplBaseT&) = delete;
    ~CWindowImplBaseT() override { Release(); }

    static DWORD GetWndStyle(DWORD dwStyle) { return TWinTraits::GetWndStyle(dwStyle); }
    static DWORD GetWndExStyle(DWORD dwExStyle) { return TWinTraits::GetWndExStyle(dwExStyle); }

    virtual WNDPROC GetWindowProc() { return WindowProc; }

    // The class procedure of the framework's window classes: ties the window to the object
    // being created and hands over to the object's procedure.
    static LRESULT CALLBACK StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
        auto* pThis = static_cast<CWindowImplBaseT*>(CWindowCreationContext::Take());
        if (pThis == nullptr) {
            return ::DefWindowProcA(hWnd, uMsg, wParam, lParam);
        }
        pThis->m_hWnd = hWnd;
        ::SetPropA(hWnd, kWindowImplProperty, pThis);
        WNDPROC pProc = pThis->GetWindowProc();
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pProc));
        return pProc(hWnd, uMsg, wParam, lParam);
    }

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
        auto* pThis = static_cast<CWindowImplBaseT*>(::GetPropA(hWnd, kWindowImplProperty));
        if (pThis == nullptr) {
            return ::DefWindowProcA(hWnd, uMsg, wParam, lParam);
        }
        MSG msg{hWnd, uMsg, wParam, lParam, 0, POINT{0, 0}};
        const MSG* pOldMsg = pThis->m_pCurrentMsg;
        pThis->m_pCurrentMsg = &msg;
        LRESULT lRes = 0;
        BOOL bRet = pThis->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lRes, 0);
        pThis->m_pCurrentMsg = pOldMsg;
        // The last message always reaches the original procedure, so that it can free what it
        // keeps for the window.
        if (!bRet || uMsg == WM_NCDESTROY) {
            LRESULT lDefault =
                ::CallWindowProcA(pThis->m_pfnSuperWindowProc, hWnd, uMsg, wParam, lParam);
            if (!bRet) {
                lRes = lDefault;
            }
        }
        if (uMsg == WM_NCDESTROY) {
            if (::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) ==
                reinterpret_cast<LONG_PTR>(pThis->GetWindowProc())) {
                ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC,
                                    reinterpret_cast<LONG_PTR>(pThis->m_pfnSuperWindowProc));
            }
            pThis->m_dwState |= CWindowImplRoot<TBase>::WINSTATE_DESTROYED;
        }
        if ((pThis->m_dwState & CWindowImplRoot<TBase>::WINSTATE_DESTROYED) != 0 &&
            pOldMsg == nullptr) {
            HWND hWndThis = pThis->m_hWnd;
            pThis->m_hWnd = nullptr;
            pThis->m_dwState &= ~static_cast<DWORD>(CWindowImplRoot<TBase>::WINSTATE_DESTROYED);
            ::RemovePropA(hWndThis, kWindowImplProperty);
            pThis->OnFinalMessage(hWndThis);
        }
        return lRes;
    }

    HWND Create(HWND hWndParent, const RECT& rect, LPCSTR szWindowName, DWORD dwStyle,
                DWORD dwExStyle, CMenuOrID MenuOrID, ATOM atom, LPVOID lpCreateParam) {
        if (atom == 0 || this->m_hWnd != nullptr) {
            return nullptr;
        }
        const bool useDefault = rect.left == CW_USEDEFAULT;
        CWindowCreationContext context(this);
        return ::CreateWindowExA(dwExStyle, MAKEINTATOM(atom), szWindowName, dwStyle, rect.left,
                                 useDefault ? CW_USEDEFAULT : rect.top,
                                 useDefault ? CW_USEDEFAULT : rect.right - rect.left,
                                 useDefault ? CW_USEDEFAULT : rect.bottom - rect.top, hWndParent,
                                 MenuOrID.m_hMenu, CModuleResources::GetResourceInstance(),
                                 lpCreateParam);
    }

    BOOL DestroyWindow() { return ::DestroyWindow(this->m_hWnd); }

    // Takes over an existing window: its procedure becomes the one DefWindowProc calls.
    BOOL SubclassWindow(HWND hWnd) {
        if (this->m_hWnd != nullptr || !::IsWindow(hWnd) ||
            ::GetPropA(hWnd, kWindowImplProperty) != nullptr) {
            return FALSE;
        }
        WNDPROC pProc = GetWindowProc();
        m_pfnSuperWindowProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pProc)));
        this->m_hWnd = hWnd;
        ::SetPropA(hWnd, kWindowImplProperty, this);
        return TRUE;
    }

    // Gives the window back to its original procedure; null when another procedure has been
    // put over this one since, unless forced.
    HWND UnsubclassWindow(BOOL bForce = FALSE) {
        HWND hWnd = this->m_hWnd;
        if (hWnd == nullptr) {
            return nullptr;
        }
        auto pCurrent = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
        if (pCurrent != GetWindowProc() && !bForce) {
            return nullptr;
        }
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuperWindowProc));
        ::RemovePropA(hWnd, kWindowImplProperty);
        m_pfnSuperWindowProc = ::DefWindowProcA;
        this->m_hWnd = nullptr;
        return hWnd;
    }

    LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
        return ::CallWindowProcA(m_pfnSuperWindowProc, this->m_hWnd, uMsg, wParam, lParam);
    }
    // The default handling of the message being handled.
    LRESULT DefWindowProc() {
        const MSG* pMsg = this->m_pCurrentMsg;
        return pMsg != nullptr ? DefWindowProc(pMsg->message, pMsg->wParam, pMsg->lParam) : 0;
    }

    virtual void OnFinalMessage(HWND) {}

private:
    void Release() {
        HWND hWnd = this->m_hWnd;
        if (hWnd == nullptr || !::IsWindow(hWnd) ||
            ::GetPropA(hWnd, kWindowImplProperty) != static_cast<HANDLE>(this)) {
            return;
        }
        ::RemovePropA(hWnd, kWindowImplProperty);
        if (::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(WindowProc)) {
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC,
                                reinterpret_cast<LONG_PTR>(m_pfnSuperWindowProc));
        }
        this->m_hWnd = nullptr;
    }
};

template <class T, class TBase = CWindow, class TWinTraits = CControlWinTraits>
class CWindowImpl : public CWindowImplBaseT<TBase, TWinTraits> {
public:
    static CWndClassInfo& GetWndClassInfo() {
        static CWndClassInfo wc(nullptr, nullptr,
                                CWindowImplBaseT<TBase, TWinTraits>::StartWindowProc,
                                CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, COLOR_WINDOW + 1);
        return wc;
    }

    HWND Create(HWND hWndParent, const RECT& rect = CWindow::rcDefault,
                LPCSTR szWindowName = nullptr, DWORD dwStyle = 0, DWORD dwExStyle = 0,
                CMenuOrID MenuOrID = 0U, LPVOID lpCreateParam = nullptr) {
        ATOM atom = T::GetWndClassInfo().Register(&this->m_pfnSuperWindowProc);
        dwStyle = T::GetWndStyle(dwStyle);
        dwExStyle = T::GetWndExStyle(dwExStyle);
        return CWindowImplBaseT<TBase, TWinTraits>::Create(
            hWndParent, rect, szWindowName, dwStyle, dwExStyle, MenuOrID, atom, lpCreateParam);
    }
};
