// The default handling of window messages.
#include <algorithm>
#include <cstring>

#include "platform/win/windowmanager.h"
#include "platform/win/winuser.h"

namespace {

// Keeps a resizable window within the tracking sizes that it reports.
void ApplyTrackingSizes(HWND hWnd, const SWindow& window, WINDOWPOS& pos) {
    if ((pos.flags & SWP_NOSIZE) != 0) {
        return;
    }
    const bool resizable =
        (window.style & WS_THICKFRAME) != 0 || (window.style & (WS_POPUP | WS_CHILD)) == 0;
    if (!resizable) {
        return;
    }
    using namespace window_metrics;
    MINMAXINFO info{};
    info.ptMaxSize = POINT{kScreenWidth + 2 * kSizingFrame, kScreenHeight + 2 * kSizingFrame};
    info.ptMaxPosition = POINT{-kSizingFrame, -kSizingFrame};
    info.ptMinTrackSize = POINT{kMinTrackWidth, kMinTrackHeight};
    info.ptMaxTrackSize =
        POINT{kScreenWidth + 2 * kSizingFrame + 4, kScreenHeight + 2 * kSizingFrame + 4};
    SendMessageA(hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    pos.cx = std::clamp(
        pos.cx, static_cast<int>(info.ptMinTrackSize.x),
        std::max(static_cast<int>(info.ptMinTrackSize.x), static_cast<int>(info.ptMaxTrackSize.x)));
    pos.cy = std::clamp(
        pos.cy, static_cast<int>(info.ptMinTrackSize.y),
        std::max(static_cast<int>(info.ptMinTrackSize.y), static_cast<int>(info.ptMaxTrackSize.y)));
}

}  // namespace

LRESULT DefWindowProcA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CWindowManager& manager = CWindowManager::Get();
    SWindow* window = manager.Find(hWnd);
    if (window == nullptr) {
        return 0;
    }
    switch (msg) {
        case WM_NCCREATE: {
            auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName)) {
                window->text = cs->lpszName;
            }
            return TRUE;
        }
        case WM_NCCALCSIZE: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (wParam == FALSE && rect != nullptr) {
                bool hasMenu = (window->style & WS_CHILD) == 0 && window->menu != nullptr;
                RECT insets = GetNonClientInsets(window->style, window->exStyle, hasMenu);
                rect->left += insets.left;
                rect->top += insets.top;
                rect->right = std::max(rect->left, rect->right - insets.right);
                rect->bottom = std::max(rect->top, rect->bottom - insets.bottom);
            }
            return 0;
        }
        case WM_SETTEXT:
            window->text = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
            return TRUE;
        case WM_GETTEXT: {
            auto* buffer = reinterpret_cast<LPSTR>(lParam);
            if (buffer == nullptr || wParam == 0) {
                return 0;
            }
            size_t count = std::min(window->text.size(), static_cast<size_t>(wParam - 1));
            std::memcpy(buffer, window->text.data(), count);
            buffer[count] = '\0';
            return static_cast<LRESULT>(count);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(window->text.size());
        case WM_CLOSE:
            DestroyWindow(hWnd);
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                SendMessageA(hWnd, WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_WINDOWPOSCHANGING: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if (pos != nullptr) {
                ApplyTrackingSizes(hWnd, *window, *pos);
            }
            return 0;
        }
        case WM_WINDOWPOSCHANGED: {
            auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (pos == nullptr) {
                return 0;
            }
            const RECT client = window->clientRect;
            if ((pos->flags & SWP_NOMOVE) == 0) {
                SendMessageA(
                    hWnd, WM_MOVE, 0,
                    MAKELPARAM(static_cast<WORD>(client.left), static_cast<WORD>(client.top)));
            }
            if ((pos->flags & SWP_NOSIZE) == 0) {
                SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED,
                             MAKELPARAM(static_cast<WORD>(client.right - client.left),
                                        static_cast<WORD>(client.bottom - client.top)));
            }
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !manager.IsWithin(manager.GetFocus(), hWnd)) {
                SetFocus(hWnd);
            }
            return 0;
        case WM_PAINT:
            ValidateRect(hWnd, nullptr);
            return 0;
        default:
            return 0;
    }
}
