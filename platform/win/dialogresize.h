// CDialogResize: moves and sizes a dialog's controls with the dialog, and keeps the dialog from
// being made smaller than it started (its minimum tracking size).
//
// A dialog class T derives from CDialogResize<T>, lists its controls in a resize map, chains the
// resize message map (CHAIN_MSG_MAP(CDialogResize<T>)) and calls DlgResize_Init in its
// WM_INITDIALOG handler:
//
//   BEGIN_DLGRESIZE_MAP(CMyDialog)
//       DLGRESIZE_CONTROL(IDC_TEXT, DLSZ_SIZE_X | DLSZ_SIZE_Y)
//       DLGRESIZE_CONTROL(IDOK, DLSZ_MOVE_Y)
//   END_DLGRESIZE_MAP()
//
// A control with DLSZ_SIZE_X grows with the dialog's width, one with DLSZ_MOVE_X moves with it;
// the Y flags do the same vertically.
#pragma once

#include <vector>

#include "platform/win/messagemap.h"
#include "platform/win/winuser.h"

constexpr DWORD DLSZ_SIZE_X = 0x00000001;
constexpr DWORD DLSZ_SIZE_Y = 0x00000002;
constexpr DWORD DLSZ_MOVE_X = 0x00000004;
constexpr DWORD DLSZ_MOVE_Y = 0x00000008;
constexpr DWORD DLSZ_REPAINT = 0x00000010;

// The id of the size gripper that DlgResize_Init adds.
constexpr int kDialogSizeGripId = 0xE801;

struct SDlgResizeMap {
    int nCtlID;
    DWORD dwResizeFlags;
};

#define BEGIN_DLGRESIZE_MAP(thisClass)              \
    static const SDlgResizeMap* GetDlgResizeMap() { \
        static const SDlgResizeMap theMap[] = {
#define DLGRESIZE_CONTROL(id, flags) {id, flags},

#define END_DLGRESIZE_MAP() \
    {-1, 0},                \
    }                       \
    ;                       \
    return theMap;          \
    }

template <class T>
class CDialogResize {
public:
    BEGIN_MSG_MAP(CDialogResize)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_GETMINMAXINFO, OnGetMinMaxInfo)
    END_MSG_MAP()

    // Records the dialog's size and each mapped control's place; forces the styles onto the
    // dialog (a sizing frame by default); adds a size gripper in the bottom right corner; and with
    // bUseMinTrackSize makes the current window size the smallest the dialog can be given.
    void DlgResize_Init(bool bAddGripper = true, bool bUseMinTrackSize = true,
                        DWORD dwForceStyle = WS_CLIPCHILDREN | WS_THICKFRAME) {
        T* pT = static_cast<T*>(this);
        DWORD dwStyle = pT->GetStyle();
        if ((dwStyle & dwForceStyle) != dwForceStyle) {
            pT->ModifyStyle(0, dwForceStyle);
        }
        RECT rcClient;
        pT->GetClientRect(&rcClient);
        m_sizeDialog = SIZE{rcClient.right, rcClient.bottom};
        if (bAddGripper && m_hWndGripper == nullptr) {
            int cx = ::GetSystemMetrics(SM_CXVSCROLL);
            int cy = ::GetSystemMetrics(SM_CYHSCROLL);
            m_hWndGripper = ::CreateWindowExA(
                0, WC_SCROLLBARA, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_SIZEGRIP,
                rcClient.right - cx, rcClient.bottom - cy, cx, cy, pT->m_hWnd,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDialogSizeGripId)), nullptr, nullptr);
        }
        if (bUseMinTrackSize) {
            RECT rcWindow;
            pT->GetWindowRect(&rcWindow);
            m_ptMinTrackSize =
                POINT{rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top};
        }
        m_controls.clear();
        for (const SDlgResizeMap* pMap = T::GetDlgResizeMap(); pMap->nCtlID != -1; ++pMap) {
            HWND hWndCtl = pT->GetDlgItem(pMap->nCtlID);
            if (hWndCtl == nullptr) {
                continue;
            }
            RECT rcCtl;
            ::GetWindowRect(hWndCtl, &rcCtl);
            ::MapWindowPoints(nullptr, pT->m_hWnd, reinterpret_cast<LPPOINT>(&rcCtl), 2);
            m_controls.push_back(SControlPlace{pMap->nCtlID, pMap->dwResizeFlags, rcCtl});
        }
    }

    // Places the mapped controls for a client area of the size.
    void DlgResize_UpdateLayout(int cxWidth, int cyHeight) {
        T* pT = static_cast<T*>(this);
        const int dx = cxWidth - m_sizeDialog.cx;
        const int dy = cyHeight - m_sizeDialog.cy;
        for (const SControlPlace& control : m_controls) {
            RECT rc = control.rect;
            if ((control.dwFlags & DLSZ_SIZE_X) != 0) {
                rc.right += dx;
            } else if ((control.dwFlags & DLSZ_MOVE_X) != 0) {
                rc.left += dx;
                rc.right += dx;
            }
            if ((control.dwFlags & DLSZ_SIZE_Y) != 0) {
                rc.bottom += dy;
            } else if ((control.dwFlags & DLSZ_MOVE_Y) != 0) {
                rc.top += dy;
                rc.bottom += dy;
            }
            ::SetWindowPos(pT->GetDlgItem(control.nId), nullptr, rc.left, rc.top,
                           rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (m_hWndGripper != nullptr && ::IsWindow(m_hWndGripper)) {
            RECT rcGripper;
            ::GetClientRect(m_hWndGripper, &rcGripper);
            ::SetWindowPos(m_hWndGripper, nullptr, cxWidth - rcGripper.right,
                           cyHeight - rcGripper.bottom, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    LRESULT OnSize(UINT, WPARAM wParam, LPARAM lParam, BOOL&) {
        if (wParam != SIZE_MINIMIZED && !m_controls.empty()) {
            static_cast<T*>(this)->DlgResize_UpdateLayout(LOWORD(static_cast<DWORD_PTR>(lParam)),
                                                          HIWORD(static_cast<DWORD_PTR>(lParam)));
        }
        return 0;
    }

    LRESULT OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, BOOL&) {
        if (m_ptMinTrackSize.x != -1) {
            reinterpret_cast<LPMINMAXINFO>(lParam)->ptMinTrackSize = m_ptMinTrackSize;
        }
        return 0;
    }

protected:
    struct SControlPlace {
        int nId;
        DWORD dwFlags;
        RECT rect;
    };

    std::vector<SControlPlace> m_controls;
    SIZE m_sizeDialog{};
    POINT m_ptMinTrackSize{-1, -1};
    HWND m_hWndGripper = nullptr;
};
