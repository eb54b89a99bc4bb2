// The window framework: message maps, superclasses, reflection, owner-draw routing, contained
// windows and the lifetime of window objects.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/containedwindow.h"
#include "platform/win/ownerdraw.h"
#include "platform/win/uidriver.h"
#include "platform/win/windowimpl.h"

namespace {

constexpr UINT kCodeDropDown = static_cast<UINT>(-710);
constexpr int kFirstClassButton = 1024;

class CCommandWindow : public CWindowImpl<CCommandWindow> {
public:
    DECLARE_WND_CLASS("TestCommandWindow")

    BEGIN_MSG_MAP(CCommandWindow)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    COMMAND_ID_HANDLER(111, OnHome)
    COMMAND_HANDLER(5, 7, OnCodeSeven)
    COMMAND_RANGE_HANDLER(kFirstClassButton, kFirstClassButton + 99, OnClassButton)
    NOTIFY_CODE_HANDLER(kCodeDropDown, OnDropDown)
    END_MSG_MAP()

    std::vector<std::string> m_events;
    bool m_bFinal = false;

    void OnFinalMessage(HWND) override { m_bFinal = true; }

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
        m_events.push_back("create");
        return 0;
    }
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&) {
        m_events.push_back("size");
        return 0;
    }
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&) {
        DestroyWindow();
        m_events.push_back(m_hWnd != nullptr ? "closed, still attached" : "closed, detached");
        return 0;
    }
    LRESULT OnHome(WORD, WORD, HWND, BOOL&) {
        m_events.push_back("home");
        return 1;
    }
    LRESULT OnCodeSeven(WORD code, WORD id, HWND, BOOL&) {
        m_events.push_back("code " + std::to_string(code) + " of " + std::to_string(id));
        return 1;
    }
    LRESULT OnClassButton(WORD, WORD id, HWND, BOOL&) {
        m_events.push_back("class " + std::to_string(id - kFirstClassButton));
        return 1;
    }
    LRESULT OnDropDown(int, LPNMHDR pnmh, BOOL& bHandled) {
        if (pnmh->idFrom != 111) {
            bHandled = FALSE;
            return 0;
        }
        m_events.push_back("drop-down");
        return 5;
    }
};

// A base control class for superclassing: it answers one message and counts size messages.
int g_nBaseSizeMessages = 0;

LRESULT CALLBACK ToolbarBaseProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER + 10) {
        return 5;
    }
    if (msg == WM_SIZE) {
        ++g_nBaseSizeMessages;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

void RegisterToolbarBase() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExA(nullptr, "TestToolbarBase", &wc)) {
        return;
    }
    wc.lpfnWndProc = ToolbarBaseProc;
    wc.cbWndExtra = 16;
    wc.lpszClassName = "TestToolbarBase";
    RegisterClassExA(&wc);
}

class CSuperToolbar : public CWindowImpl<CSuperToolbar> {
public:
    DECLARE_WND_SUPERCLASS("TESTSUPERTOOLBAR", "TestToolbarBase")

    BEGIN_MSG_MAP(CSuperToolbar)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    MESSAGE_HANDLER(WM_USER + 11, OnOwn)
    END_MSG_MAP()

private:
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&) { return 0; }
    LRESULT OnOwn(UINT, WPARAM, LPARAM, BOOL&) { return 9; }
};

class CReflectingParent : public CWindowImpl<CReflectingParent> {
public:
    BEGIN_MSG_MAP(CReflectingParent)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()
};

class CReflectedChild : public CWindowImpl<CReflectedChild> {
public:
    BEGIN_MSG_MAP(CReflectedChild)
    REFLECTED_COMMAND_CODE_HANDLER(BN_CLICKED, OnClicked)
    REFLECTED_NOTIFY_CODE_HANDLER(NM_CLICK, OnClick)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

    std::vector<std::string> m_events;

private:
    LRESULT OnClicked(WORD, WORD id, HWND, BOOL&) {
        m_events.push_back("clicked " + std::to_string(id));
        return 0;
    }
    LRESULT OnClick(int, LPNMHDR pnmh, BOOL&) {
        m_events.push_back("click from " + std::to_string(pnmh->idFrom));
        return 77;
    }
};

class CDrawnList : public CWindowImpl<CDrawnList>, public COwnerDraw<CDrawnList> {
public:
    BEGIN_MSG_MAP(CDrawnList)
    CHAIN_MSG_MAP_ALT(COwnerDraw<CDrawnList>, 1)
    DEFAULT_REFLECTION_HANDLER()
    END_MSG_MAP()

    void DrawItem(LPDRAWITEMSTRUCT pDraw) {
        m_drawn.push_back(pDraw->itemID);
        m_lastRect = pDraw->rcItem;
    }

    std::vector<UINT> m_drawn;
    RECT m_lastRect{};
};

class CFinder : public CWindowImpl<CFinder> {
public:
    BEGIN_MSG_MAP(CFinder)
    ALT_MSG_MAP(1)
    MESSAGE_HANDLER(WM_CHAR, OnEditChar)
    END_MSG_MAP()

    CContainedWindow m_edit{WC_EDITA, this, 1};
    std::string m_seen;

private:
    LRESULT OnEditChar(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
        m_seen += static_cast<char>(wParam);
        // The finder swallows 'x'; everything else reaches the edit control.
        bHandled = wParam == 'x' ? TRUE : FALSE;
        return 0;
    }
};

// A hidden parent that creates its child while it is being created, and hands the child's
// notifications to the child's map even after the child has moved to another parent.
class CHost : public CWindowImpl<CHost> {
public:
    BEGIN_MSG_MAP(CHost)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    CHAIN_MSG_MAP_MEMBER(m_inner)
    END_MSG_MAP()

    CCommandWindow m_inner;

private:
    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
        RECT rect{0, 0, 100, 100};
        m_inner.Create(m_hWnd, rect, nullptr, WS_CHILD | WS_VISIBLE);
        return 0;
    }
};

NMHDR Notification(HWND hwndFrom, UINT_PTR idFrom, UINT code) {
    return NMHDR{hwndFrom, idFrom, code};
}

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override { CUIDriver::Get().Reset(); }
    RECT m_rect{10, 10, 210, 110};
};

TEST_F(FrameworkTest, MessageMapRoutesCommandsAndNotifications) {
    CCommandWindow window;
    ASSERT_NE(window.Create(nullptr, m_rect, "commands", WS_POPUP), nullptr);
    EXPECT_EQ(window.m_events, (std::vector<std::string>{"create", "size"}));
    window.m_events.clear();

    struct SCase {
        WPARAM wParam;
        LRESULT result;
        const char* event;  // null: not handled
    };
    const SCase cases[] = {
        {MAKEWPARAM(111, 0), 1, "home"},
        {MAKEWPARAM(kFirstClassButton + 3, 0), 1, "class 3"},
        {MAKEWPARAM(kFirstClassButton + 100, 0), 0, nullptr},
        {MAKEWPARAM(5, 7), 1, "code 7 of 5"},
        {MAKEWPARAM(5, 8), 0, nullptr},
    };
    for (const SCase& command : cases) {
        window.m_events.clear();
        EXPECT_EQ(window.SendMessage(WM_COMMAND, command.wParam), command.result);
        EXPECT_EQ(window.m_events.size(), command.event != nullptr ? 1u : 0u);
        if (command.event != nullptr && !window.m_events.empty()) {
            EXPECT_EQ(window.m_events.front(), command.event);
        }
    }

    NMHDR fromHome = Notification(window, 111, kCodeDropDown);
    EXPECT_EQ(window.SendMessage(WM_NOTIFY, 111, reinterpret_cast<LPARAM>(&fromHome)), 5);
    NMHDR fromOther = Notification(window, 112, kCodeDropDown);
    EXPECT_EQ(window.SendMessage(WM_NOTIFY, 112, reinterpret_cast<LPARAM>(&fromOther)), 0);
    window.DestroyWindow();
}

TEST_F(FrameworkTest, FinalMessageDetachesTheObject) {
    CCommandWindow window;
    window.Create(nullptr, m_rect, nullptr, WS_POPUP);
    HWND hWnd = window.m_hWnd;
    window.DestroyWindow();
    EXPECT_TRUE(window.m_bFinal);
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(hWnd));

    // Destroyed from inside one of its own handlers: the object lets go when that handler ends.
    CCommandWindow closing;
    closing.Create(nullptr, m_rect, nullptr, WS_POPUP);
    closing.SendMessage(WM_CLOSE);
    EXPECT_EQ(closing.m_events.back(), "closed, still attached");
    EXPECT_TRUE(closing.m_bFinal);
    EXPECT_EQ(closing.m_hWnd, nullptr);
}

TEST_F(FrameworkTest, AnObjectGoneBeforeItsWindowLeavesTheWindowWorking) {
    HWND hWnd = nullptr;
    {
        CCommandWindow window;
        hWnd = window.Create(nullptr, m_rect, "orphan", WS_POPUP);
    }
    ASSERT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(111, 0), 0), 0);
    char text[16] = {};
    GetWindowTextA(hWnd, text, sizeof(text));
    EXPECT_STREQ(text, "orphan");
    EXPECT_TRUE(DestroyWindow(hWnd));
}

TEST_F(FrameworkTest, SuperclassHandsWhatItsMapLeavesToTheBaseClass) {
    RegisterToolbarBase();
    g_nBaseSizeMessages = 0;
    CSuperToolbar toolbar;
    ASSERT_NE(toolbar.Create(nullptr, m_rect, nullptr, WS_POPUP), nullptr);
    EXPECT_EQ(toolbar.SendMessage(WM_USER + 10), 5);
    EXPECT_EQ(toolbar.SendMessage(WM_USER + 11), 9);
    toolbar.SetWindowPos(nullptr, 0, 0, 300, 40, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(g_nBaseSizeMessages, 0);
    char name[32] = {};
    GetClassNameA(toolbar, name, sizeof(name));
    EXPECT_STREQ(name, "TESTSUPERTOOLBAR");
    // The superclass keeps the base's extra bytes.
    toolbar.SetWindowLongPtr(8, 3);
    EXPECT_EQ(toolbar.GetWindowLongPtr(8), 3);
    toolbar.DestroyWindow();
}

TEST_F(FrameworkTest, ParentReflectsNotificationsToTheChildThatSentThem) {
    CReflectingParent parent;
    parent.Create(nullptr, m_rect, nullptr, WS_POPUP);
    CReflectedChild child;
    RECT childRect{0, 0, 50, 20};
    child.Create(parent, childRect, nullptr, WS_CHILD | WS_VISIBLE, 0, 31U);

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(31, BN_CLICKED),
                       reinterpret_cast<LPARAM>(child.m_hWnd));
    NMHDR click = Notification(child, 31, NM_CLICK);
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 31, reinterpret_cast<LPARAM>(&click)), 77);
    EXPECT_EQ(child.m_events, (std::vector<std::string>{"clicked 31", "click from 31"}));

    // A menu command names no child: nothing is reflected.
    child.m_events.clear();
    EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(31, 0), 0), 0);
    EXPECT_TRUE(child.m_events.empty());
    parent.DestroyWindow();
}

TEST_F(FrameworkTest, OwnerDrawRequestsReachTheControlThroughReflection) {
    CReflectingParent parent;
    parent.Create(nullptr, m_rect, nullptr, WS_POPUP);
    CDrawnList list;
    RECT listRect{0, 0, 100, 80};
    list.Create(parent, listRect, nullptr, WS_CHILD | WS_VISIBLE, 0, 215U);

    DRAWITEMSTRUCT draw{ODT_COMBOBOX,     215, 4, ODA_DRAWENTIRE, 0, list, nullptr,
                        {0, 13, 100, 26}, 0};
    EXPECT_EQ(parent.SendMessage(WM_DRAWITEM, 215, reinterpret_cast<LPARAM>(&draw)), TRUE);
    EXPECT_EQ(list.m_drawn, (std::vector<UINT>{4}));
    EXPECT_EQ(list.m_lastRect.top, 13);

    MEASUREITEMSTRUCT measure{ODT_COMBOBOX, 215, 0, 0, 0, 0};
    parent.SendMessage(WM_MEASUREITEM, 215, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemHeight, COwnerDraw<CDrawnList>::kDefaultItemHeight);

    // Not drawn by the control's class: the default handling of WM_DELETEITEM answers.
    DELETEITEMSTRUCT deleted{ODT_COMBOBOX, 215, 0, list, 0};
    EXPECT_EQ(parent.SendMessage(WM_DELETEITEM, 215, reinterpret_cast<LPARAM>(&deleted)), 0);
    parent.DestroyWindow();
}

TEST_F(FrameworkTest, ContainedWindowSendsItsMessagesToTheAlternativeMap) {
    CFinder finder;
    finder.Create(nullptr, m_rect, nullptr, WS_POPUP);
    HWND hEdit = CreateWindowExA(0, WC_EDITA, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, finder,
                                 reinterpret_cast<HMENU>(242), nullptr, nullptr);
    ASSERT_TRUE(finder.m_edit.SubclassWindow(hEdit));
    CContainedWindow other(WC_EDITA, &finder, 1);
    EXPECT_FALSE(other.SubclassWindow(hEdit));

    for (char c : std::string("axb")) {
        SendMessageA(hEdit, WM_CHAR, static_cast<WPARAM>(c), 0);
    }
    EXPECT_EQ(finder.m_seen, "axb");
    char text[8] = {};
    GetWindowTextA(hEdit, text, sizeof(text));
    EXPECT_STREQ(text, "ab");

    DestroyWindow(hEdit);
    EXPECT_EQ(finder.m_edit.m_hWnd, nullptr);
    finder.DestroyWindow();
}

TEST_F(FrameworkTest, ContainedWindowGivesTheWindowBackWhenItGoes) {
    HWND hEdit = CreateWindowExA(0, WC_EDITA, "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                 nullptr, nullptr);
    {
        CFinder finder;
        finder.m_edit.SubclassWindow(hEdit);
        SendMessageA(hEdit, WM_CHAR, 'x', 0);
    }
    SendMessageA(hEdit, WM_CHAR, 'x', 0);
    char text[8] = {};
    GetWindowTextA(hEdit, text, sizeof(text));
    EXPECT_STREQ(text, "x");
    DestroyWindow(hEdit);
}

TEST_F(FrameworkTest, ParentCreatedChildKeepsTakingMessagesThroughTheParentsMap) {
    CHost host;
    ASSERT_NE(host.Create(nullptr, m_rect, nullptr, WS_POPUP), nullptr);
    ASSERT_NE(host.m_inner.m_hWnd, nullptr);
    EXPECT_EQ(host.m_inner.GetParent(), host.m_hWnd);
    EXPECT_EQ(host.m_inner.m_events.front(), "create");

    CReflectingParent elsewhere;
    elsewhere.Create(nullptr, m_rect, nullptr, WS_POPUP);
    host.m_inner.SetParent(elsewhere);
    host.m_inner.m_events.clear();
    NMHDR dropDown = Notification(host.m_inner, 111, kCodeDropDown);
    EXPECT_EQ(host.SendMessage(WM_NOTIFY, 111, reinterpret_cast<LPARAM>(&dropDown)), 5);
    EXPECT_EQ(host.m_inner.m_events, (std::vector<std::string>{"drop-down"}));
    elsewhere.DestroyWindow();
    EXPECT_EQ(host.m_inner.m_hWnd, nullptr);
    host.DestroyWindow();
}

}  // namespace
