// CWindow: a window handle with the window functions as members, as the window framework offers
// it. It does not own the window: copying it copies the handle, and destroying the object leaves
// the window alone.
#pragma once

#include <utility>

#include "platform/win/moduleresources.h"
#include "platform/win/winuser.h"

// A menu handle, or the control id that takes its place for a child window.
class CMenuOrID {
public:
    CMenuOrID(HMENU hMenu) : m_hMenu(hMenu) {}
    CMenuOrID(UINT nID) : m_hMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))) {}
    CMenuOrID(int nID) : m_hMenu(reinterpret_cast<HMENU>(static_cast<INT_PTR>(nID))) {}

    HMENU m_hMenu;
};

class CWindow {
public:
    // The default rectangle: position and size chosen by the system.
    static inline const RECT rcDefault{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

    HWND m_hWnd = nullptr;

    CWindow(HWND hWnd = nullptr) : m_hWnd(hWnd) {}
    CWindow& operator=(HWND hWnd) {
        m_hWnd = hWnd;
        return *this;
    }
    operator HWND() const { return m_hWnd; }

    static LPCSTR GetWndClassName() { return nullptr; }

    void Attach(HWND hWndNew) { m_hWnd = hWndNew; }
    HWND Detach() { return std::exchange(m_hWnd, nullptr); }

    HWND Create(LPCSTR lpstrWndClass, HWND hWndParent, const RECT& rect = rcDefault,
                LPCSTR szWindowName = nullptr, DWORD dwStyle = 0, DWORD dwExStyle = 0,
                CMenuOrID MenuOrID = 0U, LPVOID lpCreateParam = nullptr) {
        const bool useDefault = rect.left == CW_USEDEFAULT;
        m_hWnd = ::CreateWindowExA(dwExStyle, lpstrWndClass, szWindowName, dwStyle, rect.left,
                                   useDefault ? CW_USEDEFAULT : rect.top,
                                   useDefault ? CW_USEDEFAULT : rect.right - rect.left,
                                   useDefault ? CW_USEDEFAULT : rect.bottom - rect.top, hWndParent,
                                   MenuOrID.m_hMenu, CModuleResources::GetResourceInstance(),
                                   lpCreateParam);
        return m_hWnd;
    }

    BOOL DestroyWindow() {
        if (!::DestroyWindow(m_hWnd)) {
            return FALSE;
        }
        m_hWnd = nullptr;
        return TRUE;
    }

    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }

    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const {
        return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE));
    }
    // Changes the style; with nFlags the frame is recomputed through SetWindowPos.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) {
        return ModifyLong(GWL_STYLE, dwRemove, dwAdd, nFlags);
    }
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) {
        return ModifyLong(GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
    }
    LONG_PTR GetWindowLongPtr(int nIndex) const { return ::GetWindowLongPtrA(m_hWnd, nIndex); }
    LONG_PTR SetWindowLongPtr(int nIndex, LONG_PTR dwNewLong) {
        return ::SetWindowLongPtrA(m_hWnd, nIndex, dwNewLong);
    }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }

    BOOL SetWindowText(LPCSTR lpszString) { return ::SetWindowTextA(m_hWnd, lpszString); }
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const {
        return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
    }
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

    BOOL GetWindowRect(LPRECT lpRect) const { return ::GetWindowRect(m_hWnd, lpRect); }
    BOOL GetClientRect(LPRECT lpRect) const { return ::GetClientRect(m_hWnd, lpRect); }
    BOOL ClientToScreen(LPPOINT lpPoint) const { return ::ClientToScreen(m_hWnd, lpPoint); }
    BOOL ClientToScreen(LPRECT lpRect) const {
        if (!::IsWindow(m_hWnd)) {
            return FALSE;
        }
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
        return TRUE;
    }
    BOOL ScreenToClient(LPPOINT lpPoint) const { return ::ScreenToClient(m_hWnd, lpPoint); }
    BOOL ScreenToClient(LPRECT lpRect) const {
        if (!::IsWindow(m_hWnd)) {
            return FALSE;
        }
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
        return TRUE;
    }
    int MapWindowPoints(HWND hWndTo, LPPOINT lpPoint, UINT nCount) const {
        return ::MapWindowPoints(m_hWnd, hWndTo, lpPoint, nCount);
    }
    int MapWindowPoints(HWND hWndTo, LPRECT lpRect) const {
        return ::MapWindowPoints(m_hWnd, hWndTo, reinterpret_cast<LPPOINT>(lpRect), 2);
    }

    BOOL MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) {
        return ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    BOOL MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE) {
        return ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                            lpRect->bottom - lpRect->top, bRepaint);
    }
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
        return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
    }
    BOOL SetWindowPos(HWND hWndInsertAfter, LPCRECT lpRect, UINT nFlags) {
        return ::SetWindowPos(m_hWnd, hWndInsertAfter, lpRect->left, lpRect->top,
                              lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, nFlags);
    }
    // Gives the window the client size by growing or shrinking its frame to fit.
    BOOL ResizeClient(int nWidth, int nHeight, BOOL bRedraw = TRUE) {
        RECT rcWnd;
        if (!GetClientRect(&rcWnd)) {
            return FALSE;
        }
        RECT rcFrame;
        GetWindowRect(&rcFrame);
        int cx = (rcFrame.right - rcFrame.left) - rcWnd.right + nWidth;
        int cy = (rcFrame.bottom - rcFrame.top) - rcWnd.bottom + nHeight;
        UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bRedraw ? 0 : SWP_NOREDRAW);
        return SetWindowPos(nullptr, 0, 0, cx, cy, flags);
    }
    BOOL BringWindowToTop() { return ::BringWindowToTop(m_hWnd); }
    // Centres the window over another (by default its owner or parent, else the screen).
    BOOL CenterWindow(HWND hWndCenter = nullptr) {
        if (hWndCenter == nullptr) {
            hWndCenter =
                (GetStyle() & WS_CHILD) != 0 ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
        }
        RECT rcArea{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        if (hWndCenter != nullptr) {
            ::GetWindowRect(hWndCenter, &rcArea);
        }
        RECT rcDlg;
        GetWindowRect(&rcDlg);
        int width = rcDlg.right - rcDlg.left;
        int height = rcDlg.bottom - rcDlg.top;
        POINT pt{rcArea.left + (rcArea.right - rcArea.left - width) / 2,
                 rcArea.top + (rcArea.bottom - rcArea.top - height) / 2};
        if ((GetStyle() & WS_CHILD) != 0) {
            ::ScreenToClient(::GetParent(m_hWnd), &pt);
        }
        return SetWindowPos(nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    BOOL Invalidate(BOOL bErase = TRUE) { return ::InvalidateRect(m_hWnd, nullptr, bErase); }
    BOOL InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) {
        return ::InvalidateRect(m_hWnd, lpRect, bErase);
    }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }

    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND SetParent(HWND hWndNewParent) { return ::SetParent(m_hWnd, hWndNewParent); }
    HWND GetWindow(UINT nCmd) const { return ::GetWindow(m_hWnd, nCmd); }
    HWND GetTopLevelParent() const { return ::GetAncestor(m_hWnd, GA_ROOT); }
    BOOL IsChild(HWND hWnd) const { return ::IsChild(m_hWnd, hWnd); }
    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    BOOL SetMenu(HMENU hMenu) { return ::SetMenu(m_hWnd, hMenu); }

    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return static_cast<int>(SetWindowLongPtr(GWLP_ID, nID)); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    BOOL SetDlgItemText(int nID, LPCSTR lpszString) {
        return ::SetDlgItemTextA(m_hWnd, nID, lpszString);
    }
    UINT GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const {
        return ::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount);
    }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const {
        return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
    }
    BOOL SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) {
        return ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
    }
    BOOL CheckDlgButton(int nIDButton, UINT nCheck) {
        return ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
    }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
    }
    // Moves the dialog's focus to the control.
    void GotoDlgCtrl(HWND hWndCtrl) const {
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hWndCtrl), TRUE);
    }

    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = "", UINT nType = MB_OK) {
        return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
    }

private:
    BOOL ModifyLong(int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
        auto dwStyle = static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, nIndex));
        DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
        if (dwStyle == dwNewStyle) {
            return FALSE;
        }
        ::SetWindowLongPtrA(m_hWnd, nIndex, static_cast<LONG_PTR>(dwNewStyle));
        if (nFlags != 0) {
            ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
        }
        return TRUE;
    }
};
