#include "platform/win/staticcontrol.h"

#include <utility>

#include "platform/win/controlstates.h"
#include "platform/win/moduleresources.h"

namespace {

using CStaticStates = CControlStates<CStaticControl>;

}  // namespace

LRESULT CALLBACK CStaticControl::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        CStaticControl& control = CStaticStates::Create(hWnd);
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs != nullptr && (static_cast<DWORD>(cs->style) & SS_TYPEMASK) == SS_ICON) {
            control.m_hIcon = LoadIconA(cs->hInstance, cs->lpszName);
        }
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    CStaticControl* control = CStaticStates::Find(hWnd);
    if (control == nullptr) {
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    switch (msg) {
        case STM_SETICON:
            return reinterpret_cast<LRESULT>(
                std::exchange(control->m_hIcon, reinterpret_cast<HICON>(wParam)));
        case STM_GETICON:
            return reinterpret_cast<LRESULT>(control->m_hIcon);
        case STM_SETIMAGE:
            if (wParam == IMAGE_ICON) {
                return reinterpret_cast<LRESULT>(
                    std::exchange(control->m_hIcon, reinterpret_cast<HICON>(lParam)));
            }
            if (wParam == IMAGE_BITMAP) {
                return reinterpret_cast<LRESULT>(
                    std::exchange(control->m_hBitmap, reinterpret_cast<HBITMAP>(lParam)));
            }
            return 0;
        case STM_GETIMAGE:
            if (wParam == IMAGE_ICON) {
                return reinterpret_cast<LRESULT>(control->m_hIcon);
            }
            return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(control->m_hBitmap) : 0;
        case WM_NCDESTROY: {
            LRESULT result = DefWindowProcA(hWnd, msg, wParam, lParam);
            CStaticStates::Remove(hWnd);
            return result;
        }
        default:
            return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}
