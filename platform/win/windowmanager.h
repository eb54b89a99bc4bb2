// The windows of a thread: their records, the z-order of siblings, focus and activation, the
// mouse pointer and the queue of posted messages.
//
// The window functions of winuser.h work on this state. A record is only ever reached through its
// handle, looked up afresh after every message sent, because a window procedure may destroy any
// window, its own included.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win/windowclasstable.h"
#include "platform/win/winuser.h"

// Metrics of the model screen and of window frames, in pixels.
namespace window_metrics {
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kBorder = 1;
constexpr int kDialogFrame = 3;
constexpr int kSizingFrame = 4;
constexpr int kClientEdge = 2;
constexpr int kStaticEdge = 1;
constexpr int kCaptionHeight = 19;
constexpr int kMenuHeight = 19;
constexpr int kScrollBarSize = 17;
constexpr int kMinTrackWidth = 112;
constexpr int kMinTrackHeight = 27;
}  // namespace window_metrics

struct SWindow {
    HWND hwnd = nullptr;
    std::shared_ptr<SWindowClass> windowClass;
    WNDPROC wndProc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // the desktop for a top-level window
    HWND owner = nullptr;
    std::vector<HWND> children;  // the top of the z-order first
    RECT windowRect{};           // relative to the parent's client area
    RECT clientRect{};           // likewise
    std::string text;
    UINT_PTR id = 0;       // a child's control id
    HMENU menu = nullptr;  // a top-level window's menu bar
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::vector<unsigned char> extraBytes;
    std::map<std::string, HANDLE> properties;
    bool destroying = false;
    bool needsPaint = false;
    RECT updateRect{};
    // Dialog windows.
    bool dialog = false;
    bool dialogEnded = false;
    INT_PTR dialogResult = 0;
    int dialogBaseX = 0;
    int dialogBaseY = 0;
};

// A new value for a handle of the user interface (windows, menus); never 0 and never reused.
ULONG_PTR AllocateUserHandle();

// The frame around the client area that a window of this style has.
RECT GetNonClientInsets(DWORD style, DWORD exStyle, bool hasMenu);

class CWindowManager {
public:
    // The state of the calling thread.
    static CWindowManager& Get();

    CWindowManager();
    ~CWindowManager();
    CWindowManager(const CWindowManager&) = delete;
    CWindowManager& operator=(const CWindowManager&) = delete;

    // A live window (the desktop included), or null.
    SWindow* Find(HWND hWnd);
    HWND GetDesktop() const { return m_hWndDesktop; }
    bool IsDesktop(HWND hWnd) const { return hWnd == m_hWndDesktop; }

    HWND Create(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                int width, int height, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                LPVOID param);
    bool Destroy(HWND hWnd);

    bool SetPosition(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT flags);
    bool Show(HWND hWnd, int cmdShow);
    bool Enable(HWND hWnd, bool enable);
    HWND SetParent(HWND hWnd, HWND hWndNewParent);

    HWND SetFocus(HWND hWnd);
    HWND GetFocus() const { return m_hWndFocus; }
    HWND Activate(HWND hWnd);
    HWND GetActive() const { return m_hWndActive; }

    // hWnd is hAncestor or lies below it.
    bool IsWithin(HWND hWnd, HWND hAncestor);
    HWND GetRoot(HWND hWnd);
    // The screen position of the window's client area's top left corner.
    POINT GetClientOrigin(HWND hWnd);
    // The screen position of the origin that the window's own rectangles are relative to.
    POINT GetParentOrigin(HWND hWnd);

    POINT GetCursorPosition() const { return m_ptCursor; }
    void SetCursorPosition(POINT point) { m_ptCursor = point; }
    HCURSOR GetCursor() const { return m_hCursor; }
    void SetCursor(HCURSOR hCursor) { m_hCursor = hCursor; }

    bool Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool Peek(MSG* msg, HWND hWnd, UINT filterMin, UINT filterMax, bool remove);

private:
    HWND Insert(std::unique_ptr<SWindow> window, bool atBottom);
    void SendDestroy(HWND hWnd);
    void Free(HWND hWnd);
    void Unlink(SWindow& window);
    void PlaceInZOrder(SWindow& window, HWND hWndInsertAfter);
    void DropFocusWithin(HWND hWnd);
    void UpdateClientRect(HWND hWnd);

    std::unordered_map<HWND, std::unique_ptr<SWindow>> m_windows;
    HWND m_hWndDesktop = nullptr;
    HWND m_hWndFocus = nullptr;
    HWND m_hWndActive = nullptr;
    POINT m_ptCursor{};
    HCURSOR m_hCursor = nullptr;
    std::deque<MSG> m_queue;
    DWORD m_dwMessageTime = 0;
};
