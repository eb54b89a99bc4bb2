// The window functions of winuser.h over the thread's window manager.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win/colorref.h"
#include "platform/win/windowmanager.h"
#include "platform/win/winuser.h"

namespace {

CWindowManager& Manager() {
    return CWindowManager::Get();
}

std::string PropertyKey(LPCSTR name) {
    if (IS_INTRESOURCE(name)) {
        return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    }
    std::string key(name);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return key;
}

int CopyText(const std::string& text, LPSTR buffer, int maxCount) {
    if (buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    size_t count = std::min(text.size(), static_cast<size_t>(maxCount - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

}  // namespace

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                     LPVOID param) {
    return Manager().Create(exStyle, className, windowName, style, x, y, width, height, hWndParent,
                            hMenu, hInstance, param);
}

BOOL DestroyWindow(HWND hWnd) {
    return Manager().Destroy(hWnd) ? TRUE : FALSE;
}

BOOL IsWindow(HWND hWnd) {
    return Manager().Find(hWnd) != nullptr ? TRUE : FALSE;
}

HWND GetDesktopWindow() {
    return Manager().GetDesktop();
}

int GetClassNameA(HWND hWnd, LPSTR className, int maxCount) {
    SWindow* window = Manager().Find(hWnd);
    return window != nullptr ? CopyText(window->windowClass->name, className, maxCount) : 0;
}

HWND GetParent(HWND hWnd) {
    SWindow* window = Manager().Find(hWnd);
    if (window == nullptr) {
        return nullptr;
    }
    if ((window->style & WS_CHILD) != 0) {
        return window->parent;
    }
    if ((window->style & WS_POPUP) != 0) {
        return window->owner;
    }
    return nullptr;
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent) {
    return Manager().SetParent(hWndChild, hWndNewParent);
}

HWND GetWindow(HWND hWnd, UINT cmd) {
    CWindowManager& manager = Manager();
    SWindow* window = manager.Find(hWnd);
    if (window == nullptr) {
        return nullptr;
    }
    if (cmd == GW_CHILD) {
        return window->children.empty() ? nullptr : window->children.front();
    }
    if (cmd == GW_OWNER) {
        return window->owner;
    }
    SWindow* parent = manager.Find(window->parent);
    if (parent == nullptr) {
        return nullptr;
    }
    const auto& siblings = parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), hWnd);
    switch (cmd) {
        case GW_HWNDFIRST:
            return siblings.front();
        case GW_HWNDLAST:
            return siblings.back();
        case GW_HWNDNEXT:
            return it + 1 != siblings.end() ? *(it + 1) : nullptr;
        case GW_HWNDPREV:
            return it != siblings.begin() ? *(it - 1) : nullptr;
        default:
            return nullptr;
    }
}

HWND GetAncestor(HWND hWnd, UINT flags) {
    CWindowManager& manager = Manager();
    SWindow* window = manager.Find(hWnd);
    if (window == nullptr || manager.IsDesktop(hWnd)) {
        return nullptr;
    }
    switch (flags) {
        case GA_PARENT:
            return window->parent;
        case GA_ROOT:
            return manager.GetRoot(hWnd);
        case GA_ROOTOWNER: {
            HWND root = manager.GetRoot(hWnd);
            for (HWND owner = GetParent(root); owner != nullptr; owner = GetParent(root)) {
                root = manager.GetRoot(owner);
            }
            return root;
        }
        default:
            return nullptr;
    }
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
    CWindowManager& manager = Manager();
    return hWnd != hWndParent && manager.Find(hWndParent) != nullptr &&
                   manager.IsWithin(hWnd, hWndParent)
               ? TRUE
               : FALSE;
}

HWND GetTopWindow(HWND hWnd) {
    return GetWindow(hWnd != nullptr ? hWnd : Manager().GetDesktop(), GW_CHILD);
}

BOOL ShowWindow(HWND hWnd, int cmdShow) {
    return Manager().Show(hWnd, cmdShow) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hWnd) {
    CWindowManager& manager = Manager();
    for (SWindow* window = manager.Find(hWnd); window != nullptr;
         window = manager.Find(window->parent)) {
        if ((window->style & WS_VISIBLE) == 0) {
            return FALSE;
        }
        if (manager.IsDesktop(window->parent)) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL EnableWindow(HWND hWnd, BOOL enable) {
    return Manager().Enable(hWnd, enable != FALSE) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd) {
    SWindow* window = Manager().Find(hWnd);
    return window != nullptr && (window->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR text) {
    if (!IsWindow(hWnd)) {
        return FALSE;
    }
    return SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowTextA(HWND hWnd, LPSTR text, int maxCount) {
    if (text == nullptr || maxCount <= 0 || !IsWindow(hWnd)) {
        return 0;
    }
    text[0] = '\0';
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                         reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthA(HWND hWnd) {
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

LONG_PTR GetWindowLongPtrA(HWND hWnd, int index) {
    SWindow* window = Manager().Find(hWnd);
    if (window == nullptr) {
        return 0;
    }
    switch (index) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(window->wndProc);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(window->instance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>((window->style & WS_CHILD) != 0 ? window->parent
                                                                              : window->owner);
        case GWLP_ID:
            return static_cast<LONG_PTR>(window->id);
        case GWL_STYLE:
            return static_cast<LONG_PTR>(window->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(window->exStyle);
        case GWLP_USERDATA:
            return window->userData;
        default:
            break;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > window->extraBytes.size()) {
        return 0;
    }
    LONG_PTR value = 0;
    std::memcpy(&value, window->extraBytes.data() + index, sizeof(value));
    return value;
}

LONG_PTR SetWindowLongPtrA(HWND hWnd, int index, LONG_PTR newLong) {
    CWindowManager& manager = Manager();
    SWindow* window = manager.Find(hWnd);
    if (window == nullptr) {
        return 0;
    }
    LONG_PTR previous = GetWindowLongPtrA(hWnd, index);
    switch (index) {
        case GWLP_WNDPROC:
            if (newLong != 0) {
                window->wndProc = reinterpret_cast<WNDPROC>(newLong);
            }
            return previous;
        case GWLP_HINSTANCE:
            window->instance = reinterpret_cast<HINSTANCE>(newLong);
            return previous;
        case GWLP_HWNDPARENT:
            if ((window->style & WS_CHILD) == 0) {
                auto owner = reinterpret_cast<HWND>(newLong);
                window->owner = manager.Find(owner) != nullptr ? manager.GetRoot(owner) : nullptr;
            }
            return previous;
        case GWLP_ID:
            window->id = static_cast<UINT_PTR>(newLong);
            return previous;
        case GWL_STYLE:
            window->style = static_cast<DWORD>(newLong);
            return previous;
        case GWL_EXSTYLE:
            window->exStyle = static_cast<DWORD>(newLong);
            return previous;
        case GWLP_USERDATA:
            window->userData = newLong;
            return previous;
        default:
            break;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > window->extraBytes.size()) {
        return 0;
    }
    std::memcpy(window->extraBytes.data() + index, &newLong, sizeof(newLong));
    return previous;
}

LONG GetWindowLongA(HWND hWnd, int index) {
    return static_cast<LONG>(GetWindowLongPtrA(hWnd, index));
}

LONG SetWindowLongA(HWND hWnd, int index, LONG newLong) {
    if (index == GWL_STYLE || index == GWL_EXSTYLE) {
        return static_cast<LONG>(
            SetWindowLongPtrA(hWnd, index, static_cast<LONG_PTR>(static_cast<DWORD>(newLong))));
    }
    return static_cast<LONG>(SetWindowLongPtrA(hWnd, index, newLong));
}

BOOL SetPropA(HWND hWnd, LPCSTR name, HANDLE data) {
    SWindow* window = Manager().Find(hWnd);
    if (window == nullptr || name == nullptr) {
        return FALSE;
    }
    window->properties[PropertyKey(name)] = data;
    return TRUE;
}

HANDLE GetPropA(HWND hWnd, LPCSTR name) {
    SWindow* window = Manager().Find(hWnd);
    if (window == nullptr || name == nullptr) {
        return nullptr;
    }
    auto it = window->properties.find(PropertyKey(name));
    return it != window->properties.end() ? it->second : nullptr;
}

HANDLE RemovePropA(HWND hWnd, LPCSTR name) {
    SWindow* window = Manager().Find(hWnd);
    if (window == nullptr || name == nullptr) {
        return nullptr;
    }
    auto it = window->properties.find(PropertyKey(name));
    if (it == window->properties.end()) {
        return nullptr;
    }
    HANDLE data = it->second;
    window->properties.erase(it);
    return data;
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT flags) {
    return Manager().SetPosition(hWnd, hWndInsertAfter, x, y, cx, cy, flags) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND hWnd, int x, int y, int width, int height, BOOL) {
    return SetWindowPos(hWnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL BringWindowToTop(HWND hWnd) {
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL GetClientRect(HWND hWnd, LPRECT rect) {
    SWindow* window = Manager().Find(hWnd);
    if (window == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{0, 0, window->clientRect.right - window->clientRect.left,
                 window->clientRect.bottom - window->clientRect.top};
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT rect) {
    CWindowManager& manager = Manager();
    SWindow* window = manager.Find(hWnd);
    if (window == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = window->windowRect;
    POINT origin = manager.GetParentOrigin(hWnd);
    OffsetRect(rect, origin.x, origin.y);
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT point) {
    CWindowManager& manager = Manager();
    if (manager.Find(hWnd) == nullptr || point == nullptr) {
        return FALSE;
    }
    POINT origin = manager.GetClientOrigin(hWnd);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT point) {
    CWindowManager& manager = Manager();
    if (manager.Find(hWnd) == nullptr || point == nullptr) {
        return FALSE;
    }
    POINT origin = manager.GetClientOrigin(hWnd);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT points, UINT count) {
    CWindowManager& manager = Manager();
    if ((hWndFrom != nullptr && manager.Find(hWndFrom) == nullptr) ||
        (hWndTo != nullptr && manager.Find(hWndTo) == nullptr)) {
        return 0;
    }
    POINT from = manager.GetClientOrigin(hWndFrom);
    POINT to = manager.GetClientOrigin(hWndTo);
    LONG dx = from.x - to.x;
    LONG dy = from.y - to.y;
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (rect == nullptr) {
        return FALSE;
    }
    RECT insets = GetNonClientInsets(style, exStyle, menu != FALSE);
    rect->left -= insets.left;
    rect->top -= insets.top;
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* rect, BOOL) {
    SWindow* window = Manager().Find(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    RECT area{0, 0, window->clientRect.right - window->clientRect.left,
              window->clientRect.bottom - window->clientRect.top};
    if (rect != nullptr) {
        IntersectRect(&area, &area, rect);
    }
    if (IsRectEmpty(&area)) {
        return TRUE;
    }
    if (window->needsPaint) {
        UnionRect(&window->updateRect, &window->updateRect, &area);
    } else {
        window->updateRect = area;
        window->needsPaint = true;
    }
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT*) {
    SWindow* window = Manager().Find(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    window->needsPaint = false;
    window->updateRect = RECT{};
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT rect, BOOL) {
    SWindow* window = Manager().Find(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    if (rect != nullptr) {
        *rect = window->needsPaint ? window->updateRect : RECT{};
    }
    return window->needsPaint ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hWnd) {
    SWindow* window = Manager().Find(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    if (window->needsPaint && IsWindowVisible(hWnd)) {
        SendMessageA(hWnd, WM_PAINT, 0, 0);
    }
    return TRUE;
}

HWND SetFocus(HWND hWnd) {
    return Manager().SetFocus(hWnd);
}

HWND GetFocus() {
    return Manager().GetFocus();
}

HWND SetActiveWindow(HWND hWnd) {
    return Manager().Activate(hWnd);
}

HWND GetActiveWindow() {
    return Manager().GetActive();
}

HWND GetForegroundWindow() {
    return Manager().GetActive();
}

BOOL GetCursorPos(LPPOINT point) {
    if (point == nullptr) {
        return FALSE;
    }
    *point = Manager().GetCursorPosition();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    x = std::clamp(x, 0, window_metrics::kScreenWidth - 1);
    y = std::clamp(y, 0, window_metrics::kScreenHeight - 1);
    Manager().SetCursorPosition(POINT{x, y});
    return TRUE;
}

LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SWindow* window = Manager().Find(hWnd);
    if (window == nullptr) {
        return 0;
    }
    WNDPROC proc = window->wndProc;
    return proc(hWnd, msg, wParam, lParam);
}

BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Manager().Post(hWnd, msg, wParam, lParam) ? TRUE : FALSE;
}

void PostQuitMessage(int exitCode) {
    Manager().Post(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

BOOL PeekMessageA(LPMSG msg, HWND hWnd, UINT msgFilterMin, UINT msgFilterMax, UINT removeMsg) {
    if (msg == nullptr) {
        return FALSE;
    }
    return Manager().Peek(msg, hWnd, msgFilterMin, msgFilterMax, (removeMsg & PM_REMOVE) != 0)
               ? TRUE
               : FALSE;
}

BOOL TranslateMessage(const MSG*) {
    // No keyboard here: there are no key messages to turn into characters.
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr) {
        return 0;
    }
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT CallWindowProcA(WNDPROC prevWndFunc, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (prevWndFunc == nullptr) {
        return 0;
    }
    return prevWndFunc(hWnd, msg, wParam, lParam);
}

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    if (rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) {
    return SetRect(rect, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT dest, const RECT* source) {
    if (dest == nullptr || source == nullptr) {
        return FALSE;
    }
    *dest = *source;
    return TRUE;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    if (rect == nullptr) {
        return FALSE;
    }
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
    if (rect == nullptr) {
        return FALSE;
    }
    rect->left -= dx;
    rect->right += dx;
    rect->top -= dy;
    rect->bottom += dy;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) {
    return rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top ? TRUE : FALSE;
}

BOOL EqualRect(const RECT* first, const RECT* second) {
    return first != nullptr && second != nullptr && first->left == second->left &&
                   first->top == second->top && first->right == second->right &&
                   first->bottom == second->bottom
               ? TRUE
               : FALSE;
}

BOOL PtInRect(const RECT* rect, POINT point) {
    return rect != nullptr && point.x >= rect->left && point.x < rect->right &&
                   point.y >= rect->top && point.y < rect->bottom
               ? TRUE
               : FALSE;
}

BOOL IntersectRect(LPRECT dest, const RECT* first, const RECT* second) {
    if (dest == nullptr || first == nullptr || second == nullptr) {
        return FALSE;
    }
    RECT result{std::max(first->left, second->left), std::max(first->top, second->top),
                std::min(first->right, second->right), std::min(first->bottom, second->bottom)};
    if (IsRectEmpty(&result)) {
        *dest = RECT{};
        return FALSE;
    }
    *dest = result;
    return TRUE;
}

BOOL UnionRect(LPRECT dest, const RECT* first, const RECT* second) {
    if (dest == nullptr || first == nullptr || second == nullptr) {
        return FALSE;
    }
    if (IsRectEmpty(first)) {
        *dest = *second;
    } else if (IsRectEmpty(second)) {
        *dest = *first;
    } else {
        *dest =
            RECT{std::min(first->left, second->left), std::min(first->top, second->top),
                 std::max(first->right, second->right), std::max(first->bottom, second->bottom)};
    }
    return IsRectEmpty(dest) ? FALSE : TRUE;
}

int GetSystemMetrics(int index) {
    using namespace window_metrics;
    switch (index) {
        case SM_CXSCREEN:
            return kScreenWidth;
        case SM_CYSCREEN:
            return kScreenHeight;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
            return kScrollBarSize;
        case SM_CYCAPTION:
            return kCaptionHeight;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return kBorder;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return kDialogFrame;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CYMENU:
            return kMenuHeight;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return kSizingFrame;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return kClientEdge;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        default:
            return 0;
    }
}

DWORD GetSysColor(int index) {
    switch (index) {
        case COLOR_SCROLLBAR:
            return RGB(212, 208, 200);
        case COLOR_BACKGROUND:
            return RGB(0, 78, 152);
        case COLOR_WINDOW:
        case COLOR_MENU:
        case COLOR_HIGHLIGHTTEXT:
        case COLOR_BTNHIGHLIGHT:
            return RGB(255, 255, 255);
        case COLOR_HIGHLIGHT:
            return RGB(49, 106, 197);
        case COLOR_BTNFACE:
            return RGB(236, 233, 216);
        case COLOR_BTNSHADOW:
        case COLOR_GRAYTEXT:
            return RGB(172, 168, 153);
        default:
            return RGB(0, 0, 0);
    }
}
