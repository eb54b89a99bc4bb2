// The standard dialog controls: edit fields with their text limit, buttons and check boxes, and
// the dialog item functions over them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/tests/messagelog.h"
#include "platform/win/uidriver.h"
#include "platform/win/winuser.h"

namespace {

constexpr int kEditId = 242;
constexpr int kButtonId = 217;

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        CUIDriver::Get().Reset();
        CMessageLog::Get().Clear();
    }

    HWND Control(const char* className, DWORD style, int id, const char* text = "") {
        return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 20,
                               m_parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                               nullptr);
    }

    // The notification codes the parent got from the control, in order.
    std::vector<WORD> Notifications(HWND hControl) {
        std::vector<WORD> codes;
        for (const SLoggedMessage& entry : CMessageLog::Get().Entries()) {
            if (entry.hwnd == m_parent.Get() && entry.msg == WM_COMMAND &&
                reinterpret_cast<HWND>(entry.lParam) == hControl) {
                EXPECT_EQ(LOWORD(entry.wParam), GetDlgCtrlID(hControl));
                codes.push_back(HIWORD(entry.wParam));
            }
        }
        return codes;
    }

    std::string Text(HWND hWnd) {
        char text[128] = {};
        GetWindowTextA(hWnd, text, sizeof(text));
        return text;
    }

    CScopedWindow m_parent{CreateLoggingWindow(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200)};
};

TEST_F(ControlsTest, TypingIsCutAtTheEditLimitButSetTextIsNot) {
    HWND hEdit = Control(WC_EDITA, ES_AUTOHSCROLL, kEditId);
    EXPECT_EQ(SendMessageA(hEdit, EM_GETLIMITTEXT, 0, 0), 30000);
    SendMessageA(hEdit, EM_LIMITTEXT, 5, 0);
    CMessageLog::Get().Clear();

    EXPECT_TRUE(CUIDriver::Get().Type(hEdit, "abcdefgh"));
    EXPECT_EQ(Text(hEdit), "abcde");
    EXPECT_EQ(Notifications(hEdit),
              (std::vector<WORD>{EN_SETFOCUS, EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(GetFocus(), hEdit);

    SendMessageA(hEdit, WM_CHAR, 'z', 0);
    EXPECT_EQ(Text(hEdit), "abcde");

    SetWindowTextA(hEdit, "abcdefgh");
    EXPECT_EQ(Text(hEdit), "abcdefgh");
    EXPECT_FALSE(SendMessageA(hEdit, EM_GETMODIFY, 0, 0));
}

TEST_F(ControlsTest, ReplacingTheSelectionKeepsWithinTheLimit) {
    struct SCase {
        const char* name;
        DWORD style;
        const char* initial;
        int selStart;
        int selEnd;
        WPARAM limit;
        const char* typed;
        const char* result;
    };
    const SCase cases[] = {
        {"room for all", 0, "abc", 1, 2, 10, "XYZ", "aXYZc"},
        {"room for some", 0, "abc", 1, 2, 5, "XYZW", "aXYZc"},
        {"whole text", 0, "abc", 0, -1, 10, "new", "new"},
        {"caret at the end", 0, "abc", 3, 3, 10, "d", "abcd"},
        {"single line stops at a line break", 0, "", 0, 0, 100, "one\r\ntwo", "one"},
        {"multi-line keeps line breaks", ES_MULTILINE, "", 0, 0, 100, "one\r\ntwo", "one\r\ntwo"},
    };
    for (const SCase& c : cases) {
        HWND hEdit = Control(WC_EDITA, c.style, kEditId, c.initial);
        SendMessageA(hEdit, EM_LIMITTEXT, c.limit, 0);
        SendMessageA(hEdit, EM_SETSEL, static_cast<WPARAM>(c.selStart), c.selEnd);
        SendMessageA(hEdit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(c.typed));
        EXPECT_EQ(Text(hEdit), c.result) << c.name;
        EXPECT_TRUE(SendMessageA(hEdit, EM_GETMODIFY, 0, 0)) << c.name;
        DestroyWindow(hEdit);
    }
}

TEST_F(ControlsTest, SelectionAndLimitEdges) {
    HWND hEdit = Control(WC_EDITA, 0, kEditId, "hello");
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(hEdit, EM_SETSEL, 4, 1);
    SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 4u);
    SendMessageA(hEdit, EM_SETSEL, 2, 99);
    EXPECT_EQ(SendMessageA(hEdit, EM_GETSEL, 0, 0), MAKELRESULT(2, 5));
    SendMessageA(hEdit, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(SendMessageA(hEdit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
    SendMessageA(hEdit, EM_SETSEL, 0, -1);
    SendMessageA(hEdit, WM_CHAR, '\b', 0);
    EXPECT_EQ(Text(hEdit), "");
}

TEST_F(ControlsTest, ReadOnlyAndDisabledFieldsCannotBeTypedInto) {
    HWND hReadOnly = Control(WC_EDITA, ES_READONLY, 1, "fixed");
    HWND hDisabled = Control(WC_EDITA, WS_DISABLED, 2, "off");
    HWND hStatic = Control(WC_STATICA, SS_LEFT, 3, "label");
    EXPECT_FALSE(CUIDriver::Get().Type(hReadOnly, "x"));
    EXPECT_FALSE(CUIDriver::Get().Type(hDisabled, "x"));
    EXPECT_FALSE(CUIDriver::Get().Type(hStatic, "x"));
    SendMessageA(hReadOnly, WM_CHAR, 'x', 0);
    EXPECT_EQ(Text(hReadOnly), "fixed");
    // The program itself may still change a read-only field.
    SendMessageA(hReadOnly, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("new "));
    EXPECT_EQ(Text(hReadOnly), "new fixed");
    SendMessageA(hReadOnly, EM_SETREADONLY, FALSE, 0);
    EXPECT_TRUE(CUIDriver::Get().Type(hReadOnly, "typed"));
    EXPECT_EQ(Text(hReadOnly), "typed");
}

TEST_F(ControlsTest, ClicksChangeCheckBoxesByTheirKind) {
    struct SCase {
        const char* name;
        DWORD style;
        std::vector<UINT> statesAfterClicks;
    };
    const SCase cases[] = {
        {"push button", BS_PUSHBUTTON, {BST_UNCHECKED, BST_UNCHECKED}},
        {"automatic check box", BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED}},
        {"check box left to its owner", BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED}},
        {"automatic three states", BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}},
    };
    for (const SCase& c : cases) {
        HWND hButton = Control(WC_BUTTONA, c.style, kButtonId, c.name);
        CMessageLog::Get().Clear();
        for (UINT expected : c.statesAfterClicks) {
            EXPECT_TRUE(CUIDriver::Get().Click(hButton)) << c.name;
            EXPECT_EQ(SendMessageA(hButton, BM_GETCHECK, 0, 0), static_cast<LRESULT>(expected))
                << c.name;
        }
        EXPECT_EQ(Notifications(hButton), std::vector<WORD>(c.statesAfterClicks.size(), BN_CLICKED))
            << c.name;
        DestroyWindow(hButton);
    }
}

TEST_F(ControlsTest, DisabledButtonsAndGroupBoxesReportNoClicks) {
    HWND hDisabled = Control(WC_BUTTONA, BS_AUTOCHECKBOX | WS_DISABLED, 1);
    HWND hGroup = Control(WC_BUTTONA, BS_GROUPBOX, 2);
    CMessageLog::Get().Clear();
    EXPECT_FALSE(CUIDriver::Get().Click(hDisabled));
    SendMessageA(hDisabled, BM_CLICK, 0, 0);
    SendMessageA(hGroup, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(hDisabled, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(Notifications(hDisabled).empty());
    EXPECT_TRUE(Notifications(hGroup).empty());
    // The program may still set the state of a disabled box.
    SendMessageA(hDisabled, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(hDisabled, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ControlsTest, DialogItemFunctionsWorkOnDirectChildren) {
    HWND hEdit = Control(WC_EDITA, 0, kEditId);
    Control(WC_BUTTONA, BS_AUTOCHECKBOX, kButtonId);
    HWND hInner = CreateWindowExA(0, WC_EDITA, "", WS_CHILD, 0, 0, 1, 1, hEdit,
                                  reinterpret_cast<HMENU>(999), nullptr, nullptr);
    EXPECT_EQ(GetDlgItem(m_parent, kEditId), hEdit);
    EXPECT_EQ(GetDlgItem(m_parent, 999), nullptr);
    EXPECT_EQ(GetDlgItem(hEdit, 999), hInner);

    EXPECT_TRUE(SetDlgItemTextA(m_parent, kEditId, "query"));
    char text[16] = {};
    EXPECT_EQ(GetDlgItemTextA(m_parent, kEditId, text, sizeof(text)), 5u);
    EXPECT_STREQ(text, "query");
    EXPECT_EQ(GetDlgItemTextA(m_parent, 4711, text, sizeof(text)), 0u);
    EXPECT_STREQ(text, "");

    struct SCase {
        const char* text;
        BOOL isSigned;
        BOOL translated;
        UINT value;
    };
    const SCase numbers[] = {
        {"42", FALSE, TRUE, 42}, {"-7", TRUE, TRUE, static_cast<UINT>(-7)},
        {"-7", FALSE, FALSE, 0}, {"12abc", TRUE, FALSE, 0},
        {"", TRUE, FALSE, 0},    {"4294967295", FALSE, TRUE, 4294967295u},
    };
    for (const SCase& n : numbers) {
        SetDlgItemTextA(m_parent, kEditId, n.text);
        BOOL translated = -1;
        EXPECT_EQ(GetDlgItemInt(m_parent, kEditId, &translated, n.isSigned), n.value) << n.text;
        EXPECT_EQ(translated, n.translated) << n.text;
    }
    SetDlgItemInt(m_parent, kEditId, static_cast<UINT>(-3), TRUE);
    EXPECT_EQ(GetDlgItemTextA(m_parent, kEditId, text, sizeof(text)), 2u);
    EXPECT_STREQ(text, "-3");

    EXPECT_TRUE(CheckDlgButton(m_parent, kButtonId, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(m_parent, kButtonId), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageA(m_parent, kButtonId, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(CheckDlgButton(m_parent, 4711, BST_CHECKED));
}

}  // namespace
