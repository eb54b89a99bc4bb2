#include "platform/win/windowmanager.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace {

// Where a top-level window created with CW_USEDEFAULT appears, and how big.
constexpr int kDefaultLeft = 32;
constexpr int kDefaultTop = 32;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

// ShowWindow commands that do not activate the window they show.
bool ActivatesOnShow(int cmdShow) {
    return cmdShow != SW_SHOWNA && cmdShow != SW_SHOWNOACTIVATE && cmdShow != SW_SHOWMINNOACTIVE &&
           cmdShow != SW_MINIMIZE && cmdShow != SW_HIDE;
}

LPARAM PackPoint(LONG x, LONG y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

}  // namespace

ULONG_PTR AllocateUserHandle() {
    static std::atomic<ULONG_PTR> counter{0};
    return 0x10000 + 4 * ++counter;
}

RECT GetNonClientInsets(DWORD style, DWORD exStyle, bool hasMenu) {
    using namespace window_metrics;
    int frame = 0;
    if ((style & WS_THICKFRAME) != 0) {
        frame = kSizingFrame;
    } else if ((style & WS_DLGFRAME) != 0 || (exStyle & WS_EX_DLGMODALFRAME) != 0) {
        frame = kDialogFrame;
    } else if ((style & WS_BORDER) != 0) {
        frame = kBorder;
    }
    if ((exStyle & WS_EX_CLIENTEDGE) != 0) {
        frame += kClientEdge;
    }
    if ((exStyle & WS_EX_STATICEDGE) != 0) {
        frame += kStaticEdge;
    }
    int top = frame;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        top += kCaptionHeight;
    }
    if (hasMenu) {
        top += kMenuHeight;
    }
    return RECT{frame, top, frame, frame};
}

CWindowManager& CWindowManager::Get() {
    thread_local CWindowManager manager;
    return manager;
}

CWindowManager::CWindowManager() {
    auto desktop = std::make_unique<SWindow>();
    desktop->hwnd = reinterpret_cast<HWND>(AllocateUserHandle());
    desktop->windowClass = CWindowClassTable::Get().Find("#32769");
    desktop->wndProc = DefWindowProcA;
    desktop->style = WS_VISIBLE | WS_CLIPCHILDREN;
    desktop->windowRect = RECT{0, 0, window_metrics::kScreenWidth, window_metrics::kScreenHeight};
    desktop->clientRect = desktop->windowRect;
    m_hWndDesktop = desktop->hwnd;
    m_windows.emplace(m_hWndDesktop, std::move(desktop));
}

CWindowManager::~CWindowManager() {
    for (auto& [hWnd, window] : m_windows) {
        if (window->windowClass) {
            --window->windowClass->windowCount;
        }
    }
}

SWindow* CWindowManager::Find(HWND hWnd) {
    auto it = m_windows.find(hWnd);
    return it != m_windows.end() ? it->second.get() : nullptr;
}

HWND CWindowManager::Insert(std::unique_ptr<SWindow> window, bool atBottom) {
    HWND hWnd = window->hwnd;
    SWindow* parent = Find(window->parent);
    if (atBottom) {
        parent->children.push_back(hWnd);
    } else {
        parent->children.insert(parent->children.begin(), hWnd);
    }
    ++window->windowClass->windowCount;
    m_windows.emplace(hWnd, std::move(window));
    return hWnd;
}

HWND CWindowManager::Create(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND hWndParent, HMENU hMenu,
                            HINSTANCE hInstance, LPVOID param) {
    auto windowClass = CWindowClassTable::Get().Find(className);
    if (!windowClass) {
        return nullptr;
    }
    const bool child = (style & WS_CHILD) != 0;
    HWND parent = m_hWndDesktop;
    HWND owner = nullptr;
    if (child) {
        SWindow* parentWindow = Find(hWndParent);
        if (parentWindow == nullptr || parentWindow->destroying) {
            return nullptr;
        }
        parent = hWndParent;
    } else if (hWndParent != nullptr) {
        if (Find(hWndParent) == nullptr) {
            return nullptr;
        }
        owner = IsDesktop(hWndParent) ? nullptr : GetRoot(hWndParent);
    }
    if (x == CW_USEDEFAULT) {
        x = child ? 0 : kDefaultLeft;
        y = child ? 0 : kDefaultTop;
    }
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : kDefaultWidth;
        height = child ? 0 : kDefaultHeight;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);

    auto window = std::make_unique<SWindow>();
    window->hwnd = reinterpret_cast<HWND>(AllocateUserHandle());
    window->windowClass = windowClass;
    window->wndProc = windowClass->info.lpfnWndProc;
    window->style = style & ~WS_VISIBLE;
    window->exStyle = exStyle;
    window->parent = parent;
    window->owner = owner;
    window->windowRect = RECT{x, y, x + width, y + height};
    window->clientRect = window->windowRect;
    window->id = child ? reinterpret_cast<UINT_PTR>(hMenu) : 0;
    window->menu = child ? nullptr : hMenu;
    window->instance = hInstance;
    window->extraBytes.assign(static_cast<size_t>(windowClass->info.cbWndExtra), 0);
    HWND hWnd = Insert(std::move(window), child);

    CREATESTRUCTA cs{
        param,      hInstance, hMenu,  hWndParent, height, width, y, x, static_cast<LONG>(style),
        windowName, className, exStyle};
    if (SendMessageA(hWnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == 0) {
        Free(hWnd);
        return nullptr;
    }
    if (Find(hWnd) == nullptr) {
        return nullptr;
    }
    UpdateClientRect(hWnd);
    if (SendMessageA(hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        Destroy(hWnd);
        return nullptr;
    }
    SWindow* created = Find(hWnd);
    if (created == nullptr) {
        return nullptr;
    }
    RECT client = created->clientRect;
    SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED,
                 PackPoint(client.right - client.left, client.bottom - client.top));
    SendMessageA(hWnd, WM_MOVE, 0, PackPoint(client.left, client.top));
    if ((style & WS_VISIBLE) != 0 && Find(hWnd) != nullptr) {
        Show(hWnd, SW_SHOW);
    }
    return Find(hWnd) != nullptr ? hWnd : nullptr;
}

bool CWindowManager::Destroy(HWND hWnd) {
    SWindow* window = Find(hWnd);
    if (window == nullptr || IsDesktop(hWnd) || window->destroying) {
        return false;
    }
    std::vector<HWND> owned;
    for (const auto& [hOther, other] : m_windows) {
        if (other->owner == hWnd) {
            owned.push_back(hOther);
        }
    }
    for (HWND hOwned : owned) {
        Destroy(hOwned);
    }
    window = Find(hWnd);
    if (window == nullptr) {
        return true;
    }
    HWND owner = window->owner;
    const bool wasActive = m_hWndActive == hWnd;
    std::vector<HWND> pending{hWnd};
    while (!pending.empty()) {
        SWindow* next = Find(pending.back());
        pending.pop_back();
        next->destroying = true;
        pending.insert(pending.end(), next->children.begin(), next->children.end());
    }
    if (m_hWndFocus != nullptr && IsWithin(m_hWndFocus, hWnd)) {
        m_hWndFocus = nullptr;
    }
    if (wasActive) {
        m_hWndActive = nullptr;
    }
    SendDestroy(hWnd);
    Free(hWnd);
    SWindow* ownerWindow = Find(owner);
    if (wasActive && ownerWindow != nullptr && (ownerWindow->style & WS_VISIBLE) != 0) {
        Activate(owner);
    }
    return true;
}

void CWindowManager::SendDestroy(HWND hWnd) {
    SendMessageA(hWnd, WM_DESTROY, 0, 0);
    SWindow* window = Find(hWnd);
    if (window == nullptr) {
        return;
    }
    std::vector<HWND> children = window->children;
    for (HWND hChild : children) {
        if (Find(hChild) != nullptr) {
            SendDestroy(hChild);
        }
    }
}

void CWindowManager::Free(HWND hWnd) {
    SWindow* window = Find(hWnd);
    if (window == nullptr) {
        return;
    }
    std::vector<HWND> children = window->children;
    for (HWND hChild : children) {
        Free(hChild);
    }
    SendMessageA(hWnd, WM_NCDESTROY, 0, 0);
    auto it = m_windows.find(hWnd);
    if (it == m_windows.end()) {
        return;
    }
    std::unique_ptr<SWindow> freed = std::move(it->second);
    m_windows.erase(it);
    Unlink(*freed);
    if (freed->menu != nullptr && IsMenu(freed->menu)) {
        DestroyMenu(freed->menu);
    }
}

void CWindowManager::Unlink(SWindow& window) {
    if (SWindow* parent = Find(window.parent)) {
        std::erase(parent->children, window.hwnd);
    }
    for (HWND hChild : window.children) {
        if (SWindow* child = Find(hChild)) {
            child->parent = m_hWndDesktop;
            Find(m_hWndDesktop)->children.push_back(hChild);
        }
    }
    for (auto& [hOther, other] : m_windows) {
        if (other->owner == window.hwnd) {
            other->owner = nullptr;
        }
    }
    if (m_hWndFocus == window.hwnd) {
        m_hWndFocus = nullptr;
    }
    if (m_hWndActive == window.hwnd) {
        m_hWndActive = nullptr;
    }
    --window.windowClass->windowCount;
}

void CWindowManager::UpdateClientRect(HWND hWnd) {
    SWindow* window = Find(hWnd);
    if (window == nullptr) {
        return;
    }
    RECT rect = window->windowRect;
    SendMessageA(hWnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
    if ((window = Find(hWnd)) != nullptr) {
        window->clientRect = rect;
    }
}

void CWindowManager::PlaceInZOrder(SWindow& window, HWND hWndInsertAfter) {
    SWindow* parent = Find(window.parent);
    auto& siblings = parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), window.hwnd);
    auto index = it - siblings.begin();
    siblings.erase(it);
    if (hWndInsertAfter == HWND_BOTTOM) {
        siblings.push_back(window.hwnd);
    } else if (hWndInsertAfter == HWND_TOP || hWndInsertAfter == HWND_TOPMOST ||
               hWndInsertAfter == HWND_NOTOPMOST) {
        siblings.insert(siblings.begin(), window.hwnd);
    } else {
        auto after = std::find(siblings.begin(), siblings.end(), hWndInsertAfter);
        if (after != siblings.end()) {
            siblings.insert(after + 1, window.hwnd);
        } else {
            siblings.insert(siblings.begin() + index, window.hwnd);
        }
    }
    if (IsDesktop(window.parent)) {
        if (hWndInsertAfter == HWND_TOPMOST) {
            window.exStyle |= WS_EX_TOPMOST;
        } else if (hWndInsertAfter == HWND_NOTOPMOST) {
            window.exStyle &= ~WS_EX_TOPMOST;
        }
    }
}

bool CWindowManager::SetPosition(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy,
                                 UINT flags) {
    SWindow* window = Find(hWnd);
    if (window == nullptr || IsDesktop(hWnd)) {
        return false;
    }
    WINDOWPOS pos{hWnd, hWndInsertAfter, x, y, std::max(cx, 0), std::max(cy, 0), flags};
    if ((flags & SWP_NOMOVE) != 0) {
        pos.x = window->windowRect.left;
        pos.y = window->windowRect.top;
    }
    if ((flags & SWP_NOSIZE) != 0) {
        pos.cx = window->windowRect.right - window->windowRect.left;
        pos.cy = window->windowRect.bottom - window->windowRect.top;
    }
    if ((flags & SWP_NOSENDCHANGING) == 0) {
        SendMessageA(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if ((window = Find(hWnd)) == nullptr) {
            return false;
        }
    }
    const RECT oldClient = window->clientRect;
    window->windowRect = RECT{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    UpdateClientRect(hWnd);
    if ((window = Find(hWnd)) == nullptr) {
        return false;
    }
    if ((pos.flags & SWP_NOZORDER) == 0) {
        PlaceInZOrder(*window, pos.hwndInsertAfter);
    }
    if ((pos.flags & SWP_SHOWWINDOW) != 0) {
        window->style |= WS_VISIBLE;
    } else if ((pos.flags & SWP_HIDEWINDOW) != 0) {
        window->style &= ~WS_VISIBLE;
        DropFocusWithin(hWnd);
    }
    if ((pos.flags & SWP_NOACTIVATE) == 0 && IsDesktop(window->parent) &&
        (window->style & WS_VISIBLE) != 0) {
        Activate(hWnd);
        if ((window = Find(hWnd)) == nullptr) {
            return false;
        }
    }
    const RECT& client = window->clientRect;
    WINDOWPOS changed = pos;
    changed.flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
    if (client.left == oldClient.left && client.top == oldClient.top) {
        changed.flags |= SWP_NOMOVE;
    }
    if (client.right - client.left == oldClient.right - oldClient.left &&
        client.bottom - client.top == oldClient.bottom - oldClient.top) {
        changed.flags |= SWP_NOSIZE;
    }
    SendMessageA(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
    return true;
}

bool CWindowManager::Show(HWND hWnd, int cmdShow) {
    SWindow* window = Find(hWnd);
    if (window == nullptr || IsDesktop(hWnd)) {
        return false;
    }
    const bool wasVisible = (window->style & WS_VISIBLE) != 0;
    const bool show = cmdShow != SW_HIDE;
    if (show != wasVisible) {
        SendMessageA(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if ((window = Find(hWnd)) == nullptr) {
            return wasVisible;
        }
        if (show) {
            window->style |= WS_VISIBLE;
        } else {
            window->style &= ~WS_VISIBLE;
        }
    }
    const bool topLevel = IsDesktop(window->parent);
    if (show && topLevel && ActivatesOnShow(cmdShow)) {
        Activate(hWnd);
    } else if (!show && wasVisible) {
        DropFocusWithin(hWnd);
        if (m_hWndActive == hWnd) {
            HWND owner = window->owner;
            SWindow* ownerWindow = Find(owner);
            Activate(ownerWindow != nullptr && (ownerWindow->style & WS_VISIBLE) != 0 ? owner
                                                                                      : nullptr);
        }
    }
    return wasVisible;
}

void CWindowManager::DropFocusWithin(HWND hWnd) {
    if (m_hWndFocus != nullptr && IsWithin(m_hWndFocus, hWnd)) {
        SetFocus(nullptr);
    }
}

bool CWindowManager::Enable(HWND hWnd, bool enable) {
    SWindow* window = Find(hWnd);
    if (window == nullptr) {
        return false;
    }
    const bool wasDisabled = (window->style & WS_DISABLED) != 0;
    if (enable != wasDisabled) {
        return wasDisabled;
    }
    if (!enable) {
        DropFocusWithin(hWnd);
        if ((window = Find(hWnd)) == nullptr) {
            return wasDisabled;
        }
        window->style |= WS_DISABLED;
    } else {
        window->style &= ~WS_DISABLED;
    }
    SendMessageA(hWnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled;
}

HWND CWindowManager::SetParent(HWND hWnd, HWND hWndNewParent) {
    SWindow* window = Find(hWnd);
    if (hWndNewParent == nullptr) {
        hWndNewParent = m_hWndDesktop;
    }
    SWindow* newParent = Find(hWndNewParent);
    if (window == nullptr || newParent == nullptr || IsDesktop(hWnd) ||
        IsWithin(hWndNewParent, hWnd)) {
        return nullptr;
    }
    HWND oldParent = window->parent;
    if (oldParent != hWndNewParent) {
        std::erase(Find(oldParent)->children, hWnd);
        newParent->children.insert(newParent->children.begin(), hWnd);
        window->parent = hWndNewParent;
        if (!IsDesktop(hWndNewParent)) {
            window->owner = nullptr;
        }
    }
    return oldParent;
}

HWND CWindowManager::SetFocus(HWND hWnd) {
    HWND previous = m_hWndFocus;
    if (hWnd == nullptr) {
        if (previous != nullptr) {
            m_hWndFocus = nullptr;
            SendMessageA(previous, WM_KILLFOCUS, 0, 0);
        }
        return previous;
    }
    if (Find(hWnd) == nullptr || IsDesktop(hWnd)) {
        return nullptr;
    }
    if (previous == hWnd) {
        return previous;
    }
    HWND root = GetRoot(hWnd);
    if (root != m_hWndActive) {
        Activate(root);
        if (Find(hWnd) == nullptr) {
            return previous;
        }
    }
    HWND losing = m_hWndFocus;
    if (losing == hWnd) {
        return previous;
    }
    if (losing != nullptr) {
        SendMessageA(losing, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
        if (Find(hWnd) == nullptr) {
            return previous;
        }
    }
    m_hWndFocus = hWnd;
    SendMessageA(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(losing), 0);
    return previous;
}

HWND CWindowManager::Activate(HWND hWnd) {
    HWND previous = m_hWndActive;
    HWND root = nullptr;
    if (hWnd != nullptr) {
        if (Find(hWnd) == nullptr || IsDesktop(hWnd)) {
            return nullptr;
        }
        root = GetRoot(hWnd);
    }
    if (root == previous) {
        return previous;
    }
    m_hWndActive = root;
    if (previous != nullptr && Find(previous) != nullptr) {
        SendMessageA(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0),
                     reinterpret_cast<LPARAM>(root));
    }
    if (root != nullptr && Find(root) != nullptr && m_hWndActive == root) {
        SendMessageA(root, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0),
                     reinterpret_cast<LPARAM>(previous));
    }
    return previous;
}

bool CWindowManager::IsWithin(HWND hWnd, HWND hAncestor) {
    for (SWindow* window = Find(hWnd); window != nullptr; window = Find(window->parent)) {
        if (window->hwnd == hAncestor) {
            return true;
        }
        if (IsDesktop(window->hwnd)) {
            break;
        }
    }
    return false;
}

HWND CWindowManager::GetRoot(HWND hWnd) {
    SWindow* window = Find(hWnd);
    if (window == nullptr || IsDesktop(hWnd)) {
        return hWnd;
    }
    while (!IsDesktop(window->parent)) {
        window = Find(window->parent);
    }
    return window->hwnd;
}

POINT CWindowManager::GetClientOrigin(HWND hWnd) {
    SWindow* window = Find(hWnd);
    if (window == nullptr || IsDesktop(hWnd)) {
        return POINT{0, 0};
    }
    POINT origin = GetClientOrigin(window->parent);
    return POINT{origin.x + window->clientRect.left, origin.y + window->clientRect.top};
}

POINT CWindowManager::GetParentOrigin(HWND hWnd) {
    SWindow* window = Find(hWnd);
    if (window == nullptr || IsDesktop(hWnd)) {
        return POINT{0, 0};
    }
    return GetClientOrigin(window->parent);
}

bool CWindowManager::Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd != nullptr && Find(hWnd) == nullptr) {
        return false;
    }
    m_queue.push_back(MSG{hWnd, msg, wParam, lParam, ++m_dwMessageTime, m_ptCursor});
    return true;
}

bool CWindowManager::Peek(MSG* msg, HWND hWnd, UINT filterMin, UINT filterMax, bool remove) {
    for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
        if (hWnd != nullptr && it->hwnd != hWnd) {
            continue;
        }
        if ((filterMin != 0 || filterMax != 0) &&
            (it->message < filterMin || it->message > filterMax)) {
            continue;
        }
        *msg = *it;
        if (remove) {
            m_queue.erase(it);
        }
        return true;
    }
    return false;
}
