#include "platform/win/buttoncontrol.h"

#include "platform/win/controlstates.h"

namespace {

using CButtonStates = CControlStates<CButtonControl>;

DWORD ButtonType(HWND hWnd) {
    return static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE)) & BS_TYPEMASK;
}

bool IsCheckType(DWORD type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

bool IsThreeState(DWORD type) {
    return type == BS_3STATE || type == BS_AUTO3STATE;
}

void Released(HWND hWnd, CButtonControl& button) {
    button.m_bPushed = false;
    DWORD type = ButtonType(hWnd);
    if (type == BS_GROUPBOX) {
        return;
    }
    if (type == BS_AUTOCHECKBOX) {
        button.m_nCheck = button.m_nCheck == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
    } else if (type == BS_AUTO3STATE) {
        button.m_nCheck = (button.m_nCheck + 1) % 3;
    }
    SendMessageA(GetParent(hWnd), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hWnd)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hWnd));
}

}  // namespace

LRESULT CALLBACK CButtonControl::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        CButtonStates::Create(hWnd);
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    CButtonControl* button = CButtonStates::Find(hWnd);
    if (button == nullptr) {
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    switch (msg) {
        case BM_GETCHECK:
            return IsCheckType(ButtonType(hWnd)) ? button->m_nCheck : BST_UNCHECKED;
        case BM_SETCHECK:
            if (IsCheckType(ButtonType(hWnd))) {
                button->m_nCheck = wParam == BST_INDETERMINATE && IsThreeState(ButtonType(hWnd))
                                       ? BST_INDETERMINATE
                                       : (wParam != 0 ? BST_CHECKED : BST_UNCHECKED);
            }
            return 0;
        case BM_GETSTATE:
            return static_cast<LRESULT>(button->m_nCheck | (button->m_bPushed ? BST_PUSHED : 0) |
                                        (button->m_bFocused ? BST_FOCUS : 0));
        case BM_SETSTATE:
            button->m_bPushed = wParam != 0;
            return 0;
        case BM_SETSTYLE: {
            auto style = static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE));
            style = (style & 0xFFFF0000) | (static_cast<DWORD>(wParam) & 0xFFFF);
            SetWindowLongPtrA(hWnd, GWL_STYLE, static_cast<LONG_PTR>(style));
            return 0;
        }
        case BM_CLICK:
            if (IsWindowEnabled(hWnd)) {
                SendMessageA(hWnd, WM_LBUTTONDOWN, 0, 0);
                SendMessageA(hWnd, WM_LBUTTONUP, 0, 0);
            }
            return 0;
        case WM_LBUTTONDOWN:
            if (ButtonType(hWnd) != BS_GROUPBOX) {
                button->m_bPushed = true;
                SetFocus(hWnd);
            }
            return 0;
        case WM_LBUTTONUP:
            if (button->m_bPushed && IsWindowEnabled(hWnd)) {
                Released(hWnd, *button);
            }
            return 0;
        case WM_SETFOCUS:
            button->m_bFocused = true;
            return 0;
        case WM_KILLFOCUS:
            button->m_bFocused = false;
            return 0;
        case WM_NCDESTROY: {
            LRESULT result = DefWindowProcA(hWnd, msg, wParam, lParam);
            CButtonStates::Remove(hWnd);
            return result;
        }
        default:
            return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}
