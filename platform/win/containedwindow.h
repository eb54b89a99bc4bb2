// CContainedWindow: a window inside another object (typically a control of a dialog) whose
// messages go to the message map of that object, under an alternative map number (ALT_MSG_MAP).
// What the map leaves goes to the window's original procedure.
//
// The object takes over the window with SubclassWindow and gives it back with UnsubclassWindow,
// when the window is destroyed, or when the object is destroyed.
#pragma once

#include "platform/win/windowimpl.h"

template <class TBase = CWindow>
class CContainedWindowT : public TBase {
public:
    WNDPROC m_pfnSuperWindowProc = ::DefWindowProcA;
    LPCSTR m_lpszClassName;
    CMessageMap* m_pObject;
    DWORD m_dwMsgMapID;
    const MSG* m_pCurrentMsg = nullptr;

    CContainedWindowT(LPCSTR lpszClassName, CMessageMap* pObject, DWORD dwMsgMapID = 0)
        : m_lpszClassName(lpszClassName), m_pObject(pObject), m_dwMsgMapID(dwMsgMapID) {}
    explicit CContainedWindowT(CMessageMap* pObject, DWORD dwMsgMapID = 0)
        : m_lpszClassName(TBase::GetWndClassName()), m_pObject(pObject), m_dwMsgMapID(dwMsgMapID) {}
    CContainedWindowT(const CContainedWindowT&) = delete;
    CContainedWindowT& operator=(const CContainedWindowT&) = delete;
    ~CContainedWindowT() { UnsubclassWindow(TRUE); }

    void SwitchMessageMap(DWORD dwMsgMapID) { m_dwMsgMapID = dwMsgMapID; }

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
        auto* pThis = static_cast<CContainedWindowT*>(::GetPropA(hWnd, kContainedWindowProperty));
        if (pThis == nullptr) {
            return ::DefWindowProcA(hWnd, uMsg, wParam, lParam);
        }
        MSG msg{hWnd, uMsg, wParam, lParam, 0, POINT{0, 0}};
        const MSG* pOldMsg = pThis->m_pCurrentMsg;
        pThis->m_pCurrentMsg = &msg;
        LRESULT lRes = 0;
        BOOL bRet = pThis->m_pObject->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lRes,
                                                           pThis->m_dwMsgMapID);
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
            pThis->UnsubclassWindow(TRUE);
        }
        return lRes;
    }

    LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
        return ::CallWindowProcA(m_pfnSuperWindowProc, this->m_hWnd, uMsg, wParam, lParam);
    }
    LRESULT DefWindowProc() {
        const MSG* pMsg = m_pCurrentMsg;
        return pMsg != nullptr ? DefWindowProc(pMsg->message, pMsg->wParam, pMsg->lParam) : 0;
    }

    // False when the object already holds a window, the window does not exist, or another
    // contained window holds it.
    BOOL SubclassWindow(HWND hWnd) {
        if (this->m_hWnd != nullptr || !::IsWindow(hWnd) ||
            ::GetPropA(hWnd, kContainedWindowProperty) != nullptr) {
            return FALSE;
        }
        m_pfnSuperWindowProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc)));
        ::SetPropA(hWnd, kContainedWindowProperty, this);
        this->m_hWnd = hWnd;
        return TRUE;
    }

    // Gives the window back to its original procedure; null when another procedure has been put
    // over this one since, unless forced.
    HWND UnsubclassWindow(BOOL bForce = FALSE) {
        HWND hWnd = this->m_hWnd;
        if (hWnd == nullptr) {
            return nullptr;
        }
        if (!::IsWindow(hWnd)) {
            this->m_hWnd = nullptr;
            return nullptr;
        }
        LONG_PTR pCurrent = ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
        if (pCurrent != reinterpret_cast<LONG_PTR>(WindowProc) && !bForce) {
            return nullptr;
        }
        if (pCurrent == reinterpret_cast<LONG_PTR>(WindowProc)) {
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC,
                                reinterpret_cast<LONG_PTR>(m_pfnSuperWindowProc));
        }
        if (::GetPropA(hWnd, kContainedWindowProperty) == static_cast<HANDLE>(this)) {
            ::RemovePropA(hWnd, kContainedWindowProperty);
        }
        m_pfnSuperWindowProc = ::DefWindowProcA;
        this->m_hWnd = nullptr;
        return hWnd;
    }
};

typedef CContainedWindowT<CWindow> CContainedWindow;
