// The window core: creation and dispatch, superclassing, destruction, rectangles, z-order, focus
// and activation, posted messages and tracking sizes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win/tests/messagelog.h"
#include "platform/win/uidriver.h"
#include "platform/win/winuser.h"

namespace {

constexpr UINT WM_TEST_ASK = WM_USER + 1;
constexpr UINT WM_TEST_OTHER = WM_USER + 2;

WNDPROC g_pfnBaseProc = nullptr;

LRESULT CALLBACK BaseControlProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TEST_ASK:
            return 41;
        case WM_TEST_OTHER:
            return 7;
        default:
            return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

// The superclass answers one message itself, on top of the base's answer, and leaves the rest.
LRESULT CALLBACK SuperControlProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT base = CallWindowProcA(g_pfnBaseProc, hWnd, msg, wParam, lParam);
    return msg == WM_TEST_ASK ? base + 1 : base;
}

void RegisterBaseAndSuperclass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExA(nullptr, "TestSuperControl", &wc)) {
        return;
    }
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = BaseControlProc;
    wc.cbWndExtra = 24;
    wc.lpszClassName = "TestBaseControl";
    ASSERT_NE(RegisterClassExA(&wc), 0);

    WNDCLASSEXA super{};
    super.cbSize = sizeof(super);
    ASSERT_TRUE(GetClassInfoExA(nullptr, "TestBaseControl", &super));
    g_pfnBaseProc = super.lpfnWndProc;
    super.lpfnWndProc = SuperControlProc;
    super.lpszClassName = "TestSuperControl";
    ASSERT_NE(RegisterClassExA(&super), 0);
}

LRESULT CALLBACK RefusingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CMessageLog::Get().Add(hWnd, msg, wParam, lParam);
    return msg == WM_CREATE ? -1 : DefWindowProcA(hWnd, msg, wParam, lParam);
}

POINT g_ptMinTrack{300, 200};

LRESULT CALLBACK MinTrackProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CMessageLog::Get().Add(hWnd, msg, wParam, lParam);
    if (msg == WM_GETMINMAXINFO) {
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = g_ptMinTrack;
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

void RegisterProcClass(const char* name, WNDPROC proc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExA(nullptr, name, &wc)) {
        return;
    }
    wc.lpfnWndProc = proc;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

std::vector<HWND> Children(HWND hWnd) {
    std::vector<HWND> children;
    for (HWND h = GetWindow(hWnd, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        children.push_back(h);
    }
    return children;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        CMessageLog::Get().Clear();
        CUIDriver::Get().Reset();
    }
};

TEST_F(WindowTest, CreationSendsTheCreationMessagesWithTheCreateStruct) {
    CScopedWindow top(CreateLoggingWindow(WS_OVERLAPPED, 0, 0, 200, 100));
    int param = 5;
    RegisterLoggingClass();
    CMessageLog::Get().Clear();
    HWND child = CreateWindowExA(0, kLoggingClass, "child", WS_CHILD | WS_VISIBLE, 1, 2, 30, 40,
                                 top, reinterpret_cast<HMENU>(77), nullptr, &param);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(CMessageLog::Get().MessagesOf(child),
              (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE,
                                 WM_SHOWWINDOW}));
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&param));
    EXPECT_EQ(GetDlgCtrlID(child), 77);
    EXPECT_EQ(GetParent(child), top.Get());
    char text[16] = {};
    GetWindowTextA(child, text, sizeof(text));
    EXPECT_STREQ(text, "child");
    EXPECT_TRUE(IsWindowVisible(child) == FALSE);  // the parent is hidden
    ShowWindow(top, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(child));
}

TEST_F(WindowTest, CreationFailsForUnknownClassesOrphanChildrenAndRefusals) {
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(CreateLoggingWindow(WS_CHILD, 0, 0, 1, 1, nullptr), nullptr);

    RegisterProcClass("TestRefusingWindow", RefusingProc);
    CMessageLog::Get().Clear();
    HWND refused = CreateWindowExA(0, "TestRefusingWindow", "", WS_OVERLAPPED, 0, 0, 10, 10,
                                   nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(refused, nullptr);
    ASSERT_FALSE(CMessageLog::Get().Entries().empty());
    HWND attempted = CMessageLog::Get().Entries().front().hwnd;
    EXPECT_EQ(CMessageLog::Get().MessagesOf(attempted, {WM_CREATE, WM_DESTROY, WM_NCDESTROY}),
              (std::vector<UINT>{WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(attempted));
}

TEST_F(WindowTest, SuperclassKeepsTheBaseProcedureForWhatItLeaves) {
    RegisterBaseAndSuperclass();
    CScopedWindow window(CreateWindowExA(0, "TestSuperControl", "", WS_OVERLAPPED, 0, 0, 10, 10,
                                         nullptr, nullptr, nullptr, nullptr));
    ASSERT_NE(window.Get(), nullptr);
    EXPECT_EQ(SendMessageA(window, WM_TEST_ASK, 0, 0), 42);
    EXPECT_EQ(SendMessageA(window, WM_TEST_OTHER, 0, 0), 7);
    // The superclass inherits the base's extra bytes.
    SetWindowLongPtrA(window, 16, 1234);
    EXPECT_EQ(GetWindowLongPtrA(window, 16), 1234);
    char name[32] = {};
    EXPECT_EQ(GetClassNameA(window, name, sizeof(name)), 16);
    EXPECT_STREQ(name, "TestSuperControl");
}

TEST_F(WindowTest, ClassNamesAreUniqueAndCaseBlind) {
    RegisterBaseAndSuperclass();
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    EXPECT_TRUE(GetClassInfoExA(nullptr, "testbasecontrol", &wc));
    EXPECT_STREQ(wc.lpszClassName, "TestBaseControl");
    wc.lpszClassName = "TESTBASECONTROL";
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    wc.cbSize = 0;
    wc.lpszClassName = "TestOtherName";
    EXPECT_EQ(RegisterClassExA(&wc), 0);

    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof(wc);
    EXPECT_TRUE(GetClassInfoExA(nullptr, "Edit", &wc));
    EXPECT_FALSE(UnregisterClassA("Edit", nullptr));

    RegisterProcClass("TestShortLived", DefWindowProcA);
    HWND window =
        CreateWindowExA(0, "TestShortLived", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(UnregisterClassA("TestShortLived", nullptr));
    DestroyWindow(window);
    EXPECT_TRUE(UnregisterClassA("TestShortLived", nullptr));
    EXPECT_FALSE(GetClassInfoExA(nullptr, "TestShortLived", &wc));
}

TEST_F(WindowTest, DestroyWindowGoesDownTheTreeAndOwnedWindowsFirst) {
    HWND parent = CreateLoggingWindow(WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100);
    HWND child = CreateLoggingWindow(WS_CHILD, 0, 0, 50, 50, parent, 1);
    HWND grandchild = CreateLoggingWindow(WS_CHILD, 0, 0, 10, 10, child, 2);
    HWND sibling = CreateLoggingWindow(WS_CHILD, 0, 0, 10, 10, parent, 3);
    HWND owned = CreateLoggingWindow(WS_POPUP, 0, 0, 10, 10, parent);
    EXPECT_EQ(GetWindow(owned, GW_OWNER), parent);
    CMessageLog::Get().Clear();

    ASSERT_TRUE(DestroyWindow(parent));

    using Step = std::pair<HWND, UINT>;
    EXPECT_EQ(CMessageLog::Get().Sequence({WM_DESTROY, WM_NCDESTROY}),
              (std::vector<Step>{{owned, WM_DESTROY},
                                 {owned, WM_NCDESTROY},
                                 {parent, WM_DESTROY},
                                 {child, WM_DESTROY},
                                 {grandchild, WM_DESTROY},
                                 {sibling, WM_DESTROY},
                                 {grandchild, WM_NCDESTROY},
                                 {child, WM_NCDESTROY},
                                 {sibling, WM_NCDESTROY},
                                 {parent, WM_NCDESTROY}}));
    for (HWND gone : {parent, child, grandchild, sibling, owned}) {
        EXPECT_FALSE(IsWindow(gone));
    }
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(WindowTest, StaleHandlesAreRefusedEverywhere) {
    HWND window = CreateLoggingWindow(WS_OVERLAPPED, 0, 0, 10, 10);
    DestroyWindow(window);
    char text[8] = "x";
    RECT rect{};
    POINT point{};
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(SendMessageA(window, WM_TEST_ASK, 0, 0), 0);
    EXPECT_FALSE(PostMessageA(window, WM_TEST_ASK, 0, 0));
    EXPECT_FALSE(SetWindowTextA(window, "a"));
    EXPECT_EQ(GetWindowTextA(window, text, sizeof(text)), 0);
    EXPECT_FALSE(GetWindowRect(window, &rect));
    EXPECT_FALSE(GetClientRect(window, &rect));
    EXPECT_FALSE(ClientToScreen(window, &point));
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));
    EXPECT_FALSE(SetWindowPos(window, nullptr, 0, 0, 1, 1, 0));
    EXPECT_EQ(SetFocus(window), nullptr);
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(GetDlgItem(window, 1), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE), 0);
    EXPECT_EQ(SetParent(window, nullptr), nullptr);
}

TEST_F(WindowTest, RectanglesFollowFramesAndTheParentChain) {
    CScopedWindow top(CreateLoggingWindow(WS_OVERLAPPED | WS_CAPTION, 100, 50, 400, 300));
    HWND child = CreateLoggingWindow(WS_CHILD | WS_BORDER, 10, 20, 50, 30, top, 5);
    RECT rect{};

    GetWindowRect(top, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right, 500);
    EXPECT_EQ(rect.bottom, 350);
    GetClientRect(top, &rect);
    // A dialog frame of 3 pixels all round and a 19 pixel caption.
    EXPECT_EQ(rect.right, 394);
    EXPECT_EQ(rect.bottom, 275);

    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 113);
    EXPECT_EQ(rect.top, 92);
    EXPECT_EQ(rect.right, 163);
    EXPECT_EQ(rect.bottom, 122);
    POINT origin{0, 0};
    ClientToScreen(child, &origin);
    EXPECT_EQ(origin.x, 114);
    EXPECT_EQ(origin.y, 93);
    ScreenToClient(top, &origin);
    EXPECT_EQ(origin.x, 11);
    EXPECT_EQ(origin.y, 21);

    POINT points[2] = {{0, 0}, {5, 5}};
    int offset = MapWindowPoints(child, top, points, 2);
    EXPECT_EQ(LOWORD(static_cast<DWORD>(offset)), 11);
    EXPECT_EQ(HIWORD(static_cast<DWORD>(offset)), 21);
    EXPECT_EQ(points[1].x, 16);
    EXPECT_EQ(points[1].y, 26);

    // Moving the parent carries the child along.
    MoveWindow(top, 200, 100, 400, 300, TRUE);
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 213);
    EXPECT_EQ(rect.top, 142);

    RECT frame{0, 0, 394, 275};
    AdjustWindowRectEx(&frame, WS_OVERLAPPED | WS_CAPTION, FALSE, 0);
    EXPECT_EQ(frame.right - frame.left, 400);
    EXPECT_EQ(frame.bottom - frame.top, 300);
}

TEST_F(WindowTest, SetParentKeepsThePositionRelativeToTheNewParent) {
    CScopedWindow first(CreateLoggingWindow(WS_POPUP, 0, 0, 300, 300));
    CScopedWindow second(CreateLoggingWindow(WS_POPUP, 500, 400, 300, 300));
    HWND child = CreateLoggingWindow(WS_CHILD, 10, 10, 20, 20, first, 9);
    EXPECT_EQ(SetParent(child, second), first.Get());
    EXPECT_EQ(GetParent(child), second.Get());
    EXPECT_TRUE(IsChild(second, child));
    EXPECT_FALSE(IsChild(first, child));
    RECT rect{};
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 510);
    EXPECT_EQ(rect.top, 410);
    // A window cannot go under one of its own descendants.
    EXPECT_EQ(SetParent(second, child), nullptr);
}

TEST_F(WindowTest, SiblingZOrderFollowsCreationAndSetWindowPos) {
    CScopedWindow parent(CreateLoggingWindow(WS_POPUP, 0, 0, 100, 100));
    HWND a = CreateLoggingWindow(WS_CHILD, 0, 0, 1, 1, parent, 1);
    HWND b = CreateLoggingWindow(WS_CHILD, 0, 0, 1, 1, parent, 2);
    HWND c = CreateLoggingWindow(WS_CHILD, 0, 0, 1, 1, parent, 3);
    EXPECT_EQ(Children(parent), (std::vector<HWND>{a, b, c}));

    struct SCase {
        HWND window;
        HWND insertAfter;
        std::vector<HWND> order;
    };
    const SCase cases[] = {
        {c, HWND_TOP, {c, a, b}},
        {c, HWND_BOTTOM, {a, b, c}},
        {a, b, {b, a, c}},
        {c, HWND_TOPMOST, {c, b, a}},
    };
    for (const SCase& step : cases) {
        SetWindowPos(step.window, step.insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        EXPECT_EQ(Children(parent), step.order);
    }
    BringWindowToTop(a);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDPREV), c);
}

TEST_F(WindowTest, NewAndRaisedTopLevelWindowsGoOnTop) {
    CScopedWindow first(CreateLoggingWindow(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10));
    CScopedWindow second(CreateLoggingWindow(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10));
    EXPECT_EQ(GetTopWindow(nullptr), second.Get());
    EXPECT_EQ(GetActiveWindow(), second.Get());
    BringWindowToTop(first);
    EXPECT_EQ(GetTopWindow(nullptr), first.Get());
    EXPECT_EQ(GetActiveWindow(), first.Get());
}

TEST_F(WindowTest, FocusMovesBetweenWindowsAndActivatesTheirTopLevelWindow) {
    CScopedWindow one(CreateLoggingWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100));
    CScopedWindow two(CreateLoggingWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100));
    HWND field = CreateLoggingWindow(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, one, 1);
    CMessageLog::Get().Clear();

    SetFocus(field);
    EXPECT_EQ(GetFocus(), field);
    EXPECT_EQ(GetActiveWindow(), one.Get());
    EXPECT_EQ(CMessageLog::Get().MessagesOf(two, {WM_ACTIVATE, WM_KILLFOCUS}),
              (std::vector<UINT>{WM_ACTIVATE, WM_KILLFOCUS}));
    EXPECT_EQ(CMessageLog::Get().MessagesOf(field, {WM_SETFOCUS}),
              (std::vector<UINT>{WM_SETFOCUS}));

    EXPECT_EQ(SetFocus(two), field);
    EXPECT_EQ(CMessageLog::Get().MessagesOf(field, {WM_KILLFOCUS}),
              (std::vector<UINT>{WM_KILLFOCUS}));
    EXPECT_EQ(GetActiveWindow(), two.Get());

    // Disabling the window with the focus takes the focus away.
    SetFocus(field);
    EnableWindow(field, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowTest, DestroyingTheActiveWindowActivatesItsOwner) {
    CScopedWindow owner(CreateLoggingWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100));
    HWND popup = CreateLoggingWindow(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, owner);
    EXPECT_EQ(GetActiveWindow(), popup);
    EXPECT_EQ(GetParent(popup), owner.Get());
    DestroyWindow(popup);
    EXPECT_EQ(GetActiveWindow(), owner.Get());
    ShowWindow(owner, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(WindowTest, ShowAndEnableReportThePreviousState) {
    CScopedWindow window(CreateLoggingWindow(WS_POPUP, 0, 0, 10, 10));
    CMessageLog::Get().Clear();
    EXPECT_FALSE(ShowWindow(window, SW_SHOWNA));
    EXPECT_TRUE(ShowWindow(window, SW_SHOW));
    EXPECT_TRUE(ShowWindow(window, SW_HIDE));
    EXPECT_EQ(CMessageLog::Get().MessagesOf(window, {WM_SHOWWINDOW}),
              (std::vector<UINT>{WM_SHOWWINDOW, WM_SHOWWINDOW}));
    EXPECT_FALSE(EnableWindow(window, FALSE));
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_TRUE(EnableWindow(window, TRUE));
    EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(WindowTest, TextLongsAndPropertiesAreKeptPerWindow) {
    CScopedWindow owner(CreateLoggingWindow(WS_POPUP, 0, 0, 10, 10));
    CScopedWindow window(CreateLoggingWindow(WS_POPUP, 0, 0, 10, 10, owner));
    SetWindowTextA(window, "Lirset toolbar");
    EXPECT_EQ(GetWindowTextLengthA(window), 14);
    char shortBuffer[7] = {};
    EXPECT_EQ(GetWindowTextA(window, shortBuffer, sizeof(shortBuffer)), 6);
    EXPECT_STREQ(shortBuffer, "Lirset");

    EXPECT_EQ(SetWindowLongPtrA(window, GWLP_USERDATA, 99), 0);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), 99);
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(owner.Get()));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)) & WS_POPUP, WS_POPUP);
    SetWindowLongPtrA(window, 8, 5);
    EXPECT_EQ(GetWindowLongPtrA(window, 8), 5);
    // Outside the class's extra bytes nothing is kept.
    EXPECT_EQ(SetWindowLongPtrA(window, 16, 5), 0);
    EXPECT_EQ(GetWindowLongPtrA(window, 16), 0);

    int marker = 0;
    EXPECT_TRUE(SetPropA(window, "Marker", &marker));
    EXPECT_EQ(GetPropA(window, "MARKER"), &marker);
    EXPECT_EQ(RemovePropA(window, "marker"), &marker);
    EXPECT_EQ(GetPropA(window, "Marker"), nullptr);
}

TEST_F(WindowTest, PostedMessagesWaitForTheMessageLoop) {
    CScopedWindow window(CreateLoggingWindow(WS_POPUP, 0, 0, 10, 10));
    HWND doomed = CreateLoggingWindow(WS_POPUP, 0, 0, 10, 10);
    CMessageLog::Get().Clear();
    EXPECT_TRUE(PostMessageA(window, WM_TEST_ASK, 1, 2));
    EXPECT_TRUE(PostMessageA(doomed, WM_TEST_ASK, 3, 4));
    DestroyWindow(doomed);
    EXPECT_TRUE(CMessageLog::Get().MessagesOf(window, {WM_TEST_ASK}).empty());
    CUIDriver::Get().PumpMessages();
    EXPECT_EQ(CMessageLog::Get().MessagesOf(window, {WM_TEST_ASK}),
              (std::vector<UINT>{WM_TEST_ASK}));
    EXPECT_TRUE(CMessageLog::Get().MessagesOf(doomed, {WM_TEST_ASK}).empty());

    // The quit message stays for the loop that owns the thread.
    PostQuitMessage(3);
    EXPECT_EQ(CUIDriver::Get().PumpMessages(), 0u);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowTest, ResizableWindowsStayWithinTheirMinimumTrackingSize) {
    RegisterProcClass("TestMinTrack", MinTrackProc);
    CScopedWindow sizable(CreateWindowExA(0, "TestMinTrack", "", WS_POPUP | WS_THICKFRAME, 0, 0,
                                          400, 300, nullptr, nullptr, nullptr, nullptr));
    CScopedWindow fixed(CreateWindowExA(0, "TestMinTrack", "", WS_POPUP, 0, 0, 400, 300, nullptr,
                                        nullptr, nullptr, nullptr));
    CMessageLog::Get().Clear();
    SetWindowPos(sizable, nullptr, 0, 0, 100, 500, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(fixed, nullptr, 0, 0, 100, 500, SWP_NOMOVE | SWP_NOZORDER);
    RECT rect{};
    GetWindowRect(sizable, &rect);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 500);
    GetWindowRect(fixed, &rect);
    EXPECT_EQ(rect.right - rect.left, 100);

    // The new client size arrives with WM_SIZE: 300 x 500 less a 4 pixel sizing frame.
    const SLoggedMessage* size = CMessageLog::Get().Last(sizable, WM_SIZE);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(LOWORD(static_cast<DWORD_PTR>(size->lParam)), 292);
    EXPECT_EQ(HIWORD(static_cast<DWORD_PTR>(size->lParam)), 492);
    EXPECT_EQ(CMessageLog::Get().Last(sizable, WM_MOVE), nullptr);
}

}  // namespace
