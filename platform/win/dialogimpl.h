// CDialogImpl: a C++ object behind a dialog box built from a dialog template.
//
// A class T derives from CDialogImpl<T>, names its template with enum { IDD = id } (a dialog
// resource of the framework's resource instance, see moduleresources.h), and handles
// WM_INITDIALOG and its commands in its message map. DoModal shows the dialog modally and returns
// the value given to EndDialog; Create makes a modeless dialog. A message the map handles gets the
// map's result (through DWLP_MSGRESULT); what it leaves gets the default dialog handling.
#pragma once

#include "platform/win/windowimpl.h"

template <class TBase = CWindow>
class CDialogImplBaseT : public CWindowImplRoot<TBase> {
public:
    CDialogImplBaseT() = default;
    CDialogImplBaseT(const CDialogImplBaseT&) = delete;
    CDialogImplBaseT& operator=(const CDialogImplBaseT&) = delete;
    ~CDialogImplBaseT() override { Release(); }

    virtual DLGPROC GetDialogProc() { return DialogProc; }

    // The dialog procedure of the first message: ties the dialog to the object being shown.
    static INT_PTR CALLBACK StartDialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
        auto* pThis = static_cast<CDialogImplBaseT*>(CWindowCreationContext::Take());
        if (pThis == nullptr) {
            return FALSE;
        }
        pThis->m_hWnd = hWnd;
        ::SetPropA(hWnd, kDialogImplProperty, pThis);
        DLGPROC pProc = pThis->GetDialogProc();
        ::SetWindowLongPtrA(hWnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(pProc));
        return pProc(hWnd, uMsg, wParam, lParam);
    }

    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
        auto* pThis = static_cast<CDialogImplBaseT*>(::GetPropA(hWnd, kDialogImplProperty));
        if (pThis == nullptr) {
            return FALSE;
        }
        MSG msg{hWnd, uMsg, wParam, lParam, 0, POINT{0, 0}};
        const MSG* pOldMsg = pThis->m_pCurrentMsg;
        pThis->m_pCurrentMsg = &msg;
        LRESULT lRes = 0;
        BOOL bRet = pThis->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lRes, 0);
        pThis->m_pCurrentMsg = pOldMsg;
        if (bRet) {
            if (ReturnsResultDirectly(uMsg)) {
                return lRes;
            }
            ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lRes);
        }
        if (uMsg == WM_NCDESTROY) {
            pThis->m_dwState |= CWindowImplRoot<TBase>::WINSTATE_DESTROYED;
        }
        if ((pThis->m_dwState & CWindowImplRoot<TBase>::WINSTATE_DESTROYED) != 0 &&
            pOldMsg == nullptr) {
            HWND hWndThis = pThis->m_hWnd;
            pThis->m_hWnd = nullptr;
            pThis->m_dwState &= ~static_cast<DWORD>(CWindowImplRoot<TBase>::WINSTATE_DESTROYED);
            ::RemovePropA(hWndThis, kDialogImplProperty);
            pThis->OnFinalMessage(hWndThis);
        }
        return bRet;
    }

    BOOL MapDialogRect(LPRECT lpRect) { return ::MapDialogRect(this->m_hWnd, lpRect); }
    // Messages the map leaves go back to the dialog manager's default handling.
    LRESULT DefWindowProc() { return 0; }

    virtual void OnFinalMessage(HWND) {}

private:
    static bool ReturnsResultDirectly(UINT uMsg) {
        return uMsg == WM_INITDIALOG || uMsg == WM_COMPAREITEM || uMsg == 0x002E ||
               uMsg == 0x002F || uMsg == 0x0037 ||
               (uMsg >= WM_CTLCOLORMSGBOX && uMsg <= WM_CTLCOLORSTATIC);
    }

    void Release() {
        HWND hWnd = this->m_hWnd;
        if (hWnd == nullptr || !::IsWindow(hWnd) ||
            ::GetPropA(hWnd, kDialogImplProperty) != static_cast<HANDLE>(this)) {
            return;
        }
        ::RemovePropA(hWnd, kDialogImplProperty);
        ::SetWindowLongPtrA(hWnd, DWLP_DLGPROC, 0);
        this->m_hWnd = nullptr;
    }
};

template <class T, class TBase = CWindow>
class CDialogImpl : public CDialogImplBaseT<TBase> {
public:
    // Shows the dialog modally, owned by the window (by default the active one).
    INT_PTR DoModal(HWND hWndParent = ::GetActiveWindow(), LPARAM dwInitParam = 0) {
        if (this->m_hWnd != nullptr) {
            return -1;
        }
        CWindowCreationContext context(static_cast<CDialogImplBaseT<TBase>*>(this));
        return ::DialogBoxParamA(CModuleResources::GetResourceInstance(),
                                 MAKEINTRESOURCEA(static_cast<WORD>(T::IDD)), hWndParent,
                                 CDialogImplBaseT<TBase>::StartDialogProc, dwInitParam);
    }

    // Makes the dialog as a modeless window.
    HWND Create(HWND hWndParent, LPARAM dwInitParam = 0) {
        if (this->m_hWnd != nullptr) {
            return nullptr;
        }
        CWindowCreationContext context(static_cast<CDialogImplBaseT<TBase>*>(this));
        return ::CreateDialogParamA(CModuleResources::GetResourceInstance(),
                                    MAKEINTRESOURCEA(static_cast<WORD>(T::IDD)), hWndParent,
                                    CDialogImplBaseT<TBase>::StartDialogProc, dwInitParam);
    }

    BOOL EndDialog(int nRetCode) { return ::EndDialog(this->m_hWnd, nRetCode); }
    BOOL DestroyWindow() { return ::DestroyWindow(this->m_hWnd); }
};

// A dialog whose template may hold ActiveX controls; this platform's templates hold none, so it
// is an ordinary dialog.
template <class T, class TBase = CWindow>
class CAxDialogImpl : public CDialogImpl<T, TBase> {};
