// The toolbar control: buttons and strings, layout, clicks, drop-down arrows and tooltips.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win/controls/commctrl.h"
#include "platform/win/controls/controldriver.h"
#include "platform/win/controls/tests/controltestsupport.h"
#include "platform/win/moduleresources.h"
#include "platform/win/windowimpl.h"

namespace {

constexpr int kToolbarId = 7;
constexpr int kMainCommand = 111;
constexpr int kClassCommand = 1024;
constexpr DWORD kBandStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT |
                             TBSTYLE_LIST | CCS_TOP | CCS_NORESIZE | CCS_NOPARENTALIGN |
                             CCS_NODIVIDER;
constexpr BYTE kClassStyle = BTNS_CHECK | BTNS_DROPDOWN | BTNS_AUTOSIZE | BTNS_SHOWTEXT;

TBBUTTON Button(int image, int command, BYTE state, BYTE style, INT_PTR text) {
    TBBUTTON button{};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = state;
    button.fsStyle = style;
    button.iString = text;
    return button;
}

TBBUTTON Separator(int width = 0) {
    return Button(width, 0, 0, BTNS_SEP, -1);
}

class ToolbarTest : public CControlsTest {
protected:
    ToolbarTest() : m_parent(0, 0, 600, 200, WS_POPUP | WS_VISIBLE) {}
    ~ToolbarTest() override {
        if (m_hImageList != nullptr) {
            ImageList_Destroy(m_hImageList);
        }
    }

    HWND CreateToolbar(DWORD style = kBandStyle, HWND hWndParent = nullptr) {
        HWND hWnd = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, style, 0, 0, 100, 100,
                                    hWndParent != nullptr ? hWndParent : m_parent.Get(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarId)),
                                    nullptr, nullptr);
        SendMessageA(hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        return hWnd;
    }

    // The toolbar as the band builds it: a main drop-down button and a separator, 16 by 16
    // images, drop-down arrows drawn.
    HWND CreateBandToolbar() {
        HWND hWnd = CreateToolbar();
        SendMessageA(hWnd, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
        const LRESULT text =
            SendMessageA(hWnd, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("Lirset\0"));
        m_hImageList = ImageList_Create(16, 16, ILC_COLOR16, 142, 0);
        SendMessageA(hWnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hImageList));
        const TBBUTTON buttons[] = {
            Button(0, kMainCommand, TBSTATE_ENABLED,
                   BTNS_BUTTON | BTNS_DROPDOWN | BTNS_AUTOSIZE | BTNS_SHOWTEXT, text),
            Separator(),
        };
        SendMessageA(hWnd, TB_ADDBUTTONSA, 2, reinterpret_cast<LPARAM>(buttons));
        return hWnd;
    }

    static RECT ItemRect(HWND hWnd, int index) {
        RECT rect{};
        EXPECT_TRUE(SendMessageA(hWnd, TB_GETITEMRECT, static_cast<WPARAM>(index),
                                 reinterpret_cast<LPARAM>(&rect)));
        return rect;
    }

    static std::string ButtonText(HWND hWnd, int command) {
        const auto length = SendMessageA(hWnd, TB_GETBUTTONTEXTA, static_cast<WPARAM>(command), 0);
        if (length < 0) {
            return "<none>";
        }
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(hWnd, TB_GETBUTTONTEXTA, static_cast<WPARAM>(command),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        return text;
    }

    CRecordingParent m_parent;
    HIMAGELIST m_hImageList = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Buttons and strings

TEST_F(ToolbarTest, ButtonsAreAddedInsertedAndDeletedByPosition) {
    CTestWindow toolbar(CreateToolbar());
    const TBBUTTON buttons[] = {
        Button(0, 10, TBSTATE_ENABLED, BTNS_BUTTON, -1),
        Button(1, 11, TBSTATE_ENABLED, BTNS_CHECK, -1),
        Button(2, 12, 0, BTNS_BUTTON, -1),
    };
    ASSERT_TRUE(SendMessageA(toolbar, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons)));
    const TBBUTTON inserted = Button(5, 20, TBSTATE_ENABLED, BTNS_BUTTON, -1);
    ASSERT_TRUE(SendMessageA(toolbar, TB_INSERTBUTTONA, 1, reinterpret_cast<LPARAM>(&inserted)));
    ASSERT_TRUE(SendMessageA(toolbar, TB_DELETEBUTTON, 0, 0));
    EXPECT_FALSE(SendMessageA(toolbar, TB_DELETEBUTTON, 3, 0));
    EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 3);

    const int expectedCommands[] = {20, 11, 12};
    for (int i = 0; i < 3; ++i) {
        TBBUTTON record{};
        ASSERT_TRUE(SendMessageA(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i),
                                 reinterpret_cast<LPARAM>(&record)));
        EXPECT_EQ(record.idCommand, expectedCommands[i]);
        EXPECT_EQ(
            SendMessageA(toolbar, TB_COMMANDTOINDEX, static_cast<WPARAM>(expectedCommands[i]), 0),
            i);
    }
    EXPECT_EQ(SendMessageA(toolbar, TB_COMMANDTOINDEX, 10, 0), -1);
    TBBUTTON record{};
    SendMessageA(toolbar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(record.iBitmap, 1);
    EXPECT_EQ(record.fsStyle, BTNS_CHECK);
    EXPECT_EQ(record.iString, -1);
    // Past the end, an insertion appends.
    ASSERT_TRUE(SendMessageA(toolbar, TB_INSERTBUTTONA, 99, reinterpret_cast<LPARAM>(&inserted)));
    EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 4);
}

TEST_F(ToolbarTest, ARecordSizeOtherThanTheStructuresAddsNothing) {
    CTestWindow toolbar(CreateToolbar());
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, 20, 0);
    const TBBUTTON button = Button(0, 10, TBSTATE_ENABLED, BTNS_BUTTON, -1);
    EXPECT_FALSE(SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button)));
    EXPECT_FALSE(SendMessageA(toolbar, TB_INSERTBUTTONA, 0, reinterpret_cast<LPARAM>(&button)));
    EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 0);
}

TEST_F(ToolbarTest, StringListTakesSeveralStringsAtOnce) {
    CTestWindow toolbar(CreateToolbar());
    EXPECT_EQ(
        SendMessageA(toolbar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("One\0Two\0Three\0")), 0);
    EXPECT_EQ(SendMessageA(toolbar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("Four\0")), 3);
    EXPECT_EQ(SendMessageA(toolbar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("\0")), -1);
    char buffer[16] = {};
    EXPECT_EQ(SendMessageA(toolbar, TB_GETSTRINGA, MAKEWPARAM(sizeof(buffer), 2),
                           reinterpret_cast<LPARAM>(buffer)),
              5);
    EXPECT_STREQ(buffer, "Three");
    EXPECT_EQ(SendMessageA(toolbar, TB_GETSTRINGA, MAKEWPARAM(sizeof(buffer), 4),
                           reinterpret_cast<LPARAM>(buffer)),
              -1);

    // A text given by pointer is copied.
    std::string own = "Own text";
    const TBBUTTON buttons[] = {
        Button(0, 10, TBSTATE_ENABLED, BTNS_BUTTON, 2),
        Button(0, 11, TBSTATE_ENABLED, BTNS_BUTTON, reinterpret_cast<INT_PTR>(own.c_str())),
        Button(0, 12, TBSTATE_ENABLED, BTNS_BUTTON, -1),
    };
    SendMessageA(toolbar, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons));
    own.assign("Changed!");
    EXPECT_EQ(ButtonText(toolbar, 10), "Three");
    EXPECT_EQ(ButtonText(toolbar, 11), "Own text");
    EXPECT_EQ(ButtonText(toolbar, 12), "");
    EXPECT_EQ(ButtonText(toolbar, 13), "<none>");
}

TEST_F(ToolbarTest, ButtonInfoSetsAndGetsByCommandOrPosition) {
    CTestWindow toolbar(CreateBandToolbar());
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT | TBIF_IMAGE | TBIF_STATE | TBIF_STYLE | TBIF_LPARAM;
    info.pszText = const_cast<LPSTR>("Home");
    info.iImage = 7;
    info.fsState = TBSTATE_ENABLED | TBSTATE_CHECKED;
    info.fsStyle = BTNS_CHECK | BTNS_AUTOSIZE;
    info.lParam = 0xBEEF;
    ASSERT_TRUE(
        SendMessageA(toolbar, TB_SETBUTTONINFOA, kMainCommand, reinterpret_cast<LPARAM>(&info)));
    EXPECT_FALSE(SendMessageA(toolbar, TB_SETBUTTONINFOA, 999, reinterpret_cast<LPARAM>(&info)));

    TBBUTTONINFOA read{};
    read.cbSize = sizeof(read);
    read.dwMask = TBIF_BYINDEX | TBIF_TEXT | TBIF_IMAGE | TBIF_STATE | TBIF_STYLE | TBIF_LPARAM |
                  TBIF_COMMAND | TBIF_SIZE;
    char text[32] = {};
    read.pszText = text;
    read.cchText = sizeof(text);
    EXPECT_EQ(SendMessageA(toolbar, TB_GETBUTTONINFOA, 0, reinterpret_cast<LPARAM>(&read)), 0);
    EXPECT_STREQ(text, "Home");
    EXPECT_EQ(read.iImage, 7);
    EXPECT_EQ(read.fsState, TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_EQ(read.fsStyle, BTNS_CHECK | BTNS_AUTOSIZE);
    EXPECT_EQ(read.lParam, 0xBEEFu);
    EXPECT_EQ(read.idCommand, kMainCommand);
    EXPECT_EQ(read.cx, 7 + 16 + 4 + 24);
    read.dwMask = TBIF_TEXT;
    EXPECT_EQ(SendMessageA(toolbar, TB_GETBUTTONINFOA, 999, reinterpret_cast<LPARAM>(&read)), -1);

    EXPECT_TRUE(SendMessageA(toolbar, TB_CHANGEBITMAP, kMainCommand, 9));
    EXPECT_EQ(SendMessageA(toolbar, TB_GETBITMAP, kMainCommand, 0), 9);
    info.dwMask = TBIF_COMMAND;
    info.idCommand = 112;
    ASSERT_TRUE(
        SendMessageA(toolbar, TB_SETBUTTONINFOA, kMainCommand, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(SendMessageA(toolbar, TB_COMMANDTOINDEX, 112, 0), 0);
    info.cbSize = sizeof(info) - 4;
    EXPECT_FALSE(SendMessageA(toolbar, TB_SETBUTTONINFOA, 112, reinterpret_cast<LPARAM>(&info)));
}

struct SStateCase {
    const char* name;
    UINT setMessage;
    UINT isMessage;
    BYTE bit;
};

TEST_F(ToolbarTest, StateMessagesSetTheirBitByCommand) {
    CTestWindow toolbar(CreateToolbar());
    const TBBUTTON button = Button(0, 30, TBSTATE_ENABLED, BTNS_CHECK, -1);
    SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    const SStateCase cases[] = {
        {"check", TB_CHECKBUTTON, TB_ISBUTTONCHECKED, TBSTATE_CHECKED},
        {"press", TB_PRESSBUTTON, TB_ISBUTTONPRESSED, TBSTATE_PRESSED},
        {"hide", TB_HIDEBUTTON, TB_ISBUTTONHIDDEN, TBSTATE_HIDDEN},
        {"indeterminate", TB_INDETERMINATE, TB_ISBUTTONINDETERMINATE, TBSTATE_INDETERMINATE},
        {"mark", TB_MARKBUTTON, 0, TBSTATE_MARKED},
    };
    for (const SStateCase& stateCase : cases) {
        ASSERT_TRUE(SendMessageA(toolbar, stateCase.setMessage, 30, MAKELPARAM(TRUE, 0)))
            << stateCase.name;
        EXPECT_EQ(SendMessageA(toolbar, TB_GETSTATE, 30, 0), TBSTATE_ENABLED | stateCase.bit)
            << stateCase.name;
        if (stateCase.isMessage != 0) {
            EXPECT_TRUE(SendMessageA(toolbar, stateCase.isMessage, 30, 0)) << stateCase.name;
        }
        SendMessageA(toolbar, stateCase.setMessage, 30, MAKELPARAM(FALSE, 0));
        EXPECT_EQ(SendMessageA(toolbar, TB_GETSTATE, 30, 0), TBSTATE_ENABLED) << stateCase.name;
        EXPECT_FALSE(SendMessageA(toolbar, stateCase.setMessage, 31, MAKELPARAM(TRUE, 0)));
    }
    SendMessageA(toolbar, TB_ENABLEBUTTON, 30, MAKELPARAM(FALSE, 0));
    EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, 30, 0));
    EXPECT_TRUE(
        SendMessageA(toolbar, TB_SETSTATE, 30, MAKELPARAM(TBSTATE_ENABLED | TBSTATE_CHECKED, 0)));
    EXPECT_EQ(SendMessageA(toolbar, TB_GETSTATE, 30, 0), TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_EQ(SendMessageA(toolbar, TB_GETSTATE, 31, 0), -1);
}

// ---------------------------------------------------------------------------------------------
// Layout

struct SLayoutCase {
    const char* name;
    DWORD style;
    DWORD extendedStyle;
    bool imageList;
    int textRows;
    std::vector<TBBUTTON> buttons;
    std::vector<RECT> rects;  // an empty rectangle: no rectangle (hidden)
};

TEST_F(ToolbarTest, ButtonRectanglesFollowImagesTextsArrowsAndSeparators) {
    const INT_PTR lirset = 0;        // "Lirset", 36 pixels
    const INT_PTR ab = 1;            // "ab", 12 pixels
    const INT_PTR abcdef = 2;        // "abcdef", 36 pixels
    const INT_PTR organisation = 3;  // "Organisation", 72 pixels
    const std::vector<SLayoutCase> cases = {
        {"band buttons: padding 7 + image 16 + gap 4 + text + arrow 14",
         kBandStyle,
         TBSTYLE_EX_DRAWDDARROWS,
         true,
         1,
         {Button(0, 111, TBSTATE_ENABLED, BTNS_DROPDOWN | BTNS_AUTOSIZE, lirset), Separator(),
          Button(2, 1024, TBSTATE_ENABLED, kClassStyle, lirset),
          Button(3, 1025, TBSTATE_ENABLED, kClassStyle, organisation)},
         {{0, 0, 77, 22}, {77, 0, 85, 22}, {85, 0, 162, 22}, {162, 0, 275, 22}}},
        {"without drawn arrows a drop-down adds nothing",
         kBandStyle,
         0,
         true,
         1,
         {Button(0, 111, TBSTATE_ENABLED, BTNS_DROPDOWN | BTNS_AUTOSIZE, lirset)},
         {{0, 0, 63, 22}}},
        {"a whole drop-down always has its arrow",
         kBandStyle,
         0,
         true,
         1,
         {Button(0, 111, TBSTATE_ENABLED, BTNS_WHOLEDROPDOWN | BTNS_AUTOSIZE, lirset)},
         {{0, 0, 77, 22}}},
        {"buttons that are not autosized share the widest width",
         kBandStyle,
         0,
         false,
         1,
         {Button(I_IMAGENONE, 1, TBSTATE_ENABLED, BTNS_BUTTON, ab),
          Button(I_IMAGENONE, 2, TBSTATE_ENABLED, BTNS_BUTTON, abcdef)},
         {{0, 0, 43, 22}, {43, 0, 86, 22}}},
        {"text below the image, a divider above",
         WS_CHILD | WS_VISIBLE | CCS_NORESIZE,
         0,
         false,
         1,
         {Button(0, 1, TBSTATE_ENABLED, BTNS_AUTOSIZE, abcdef)},
         {{0, 2, 43, 38}}},
        {"no text rows show no text; a separator's image is its width",
         kBandStyle,
         0,
         true,
         0,
         {Button(0, 1, TBSTATE_ENABLED, BTNS_AUTOSIZE, organisation), Separator(20),
          Button(0, 2, TBSTATE_ENABLED, BTNS_AUTOSIZE, ab)},
         {{0, 0, 23, 22}, {23, 0, 43, 22}, {43, 0, 66, 22}}},
        {"hidden buttons take no room; a wrapped button ends its row",
         kBandStyle,
         0,
         true,
         1,
         {Button(0, 1, TBSTATE_ENABLED | TBSTATE_HIDDEN, BTNS_AUTOSIZE, ab),
          Button(0, 2, TBSTATE_ENABLED | TBSTATE_WRAP, BTNS_AUTOSIZE, ab),
          Button(0, 3, TBSTATE_ENABLED, BTNS_AUTOSIZE, ab)},
         {{}, {0, 0, 39, 22}, {0, 22, 39, 44}}},
    };
    for (const SLayoutCase& layoutCase : cases) {
        CTestWindow toolbar(CreateToolbar(layoutCase.style));
        SendMessageA(toolbar, TB_ADDSTRINGA, 0,
                     reinterpret_cast<LPARAM>("Lirset\0ab\0abcdef\0Organisation\0"));
        SendMessageA(toolbar, TB_SETEXTENDEDSTYLE, 0, layoutCase.extendedStyle);
        SendMessageA(toolbar, TB_SETMAXTEXTROWS, static_cast<WPARAM>(layoutCase.textRows), 0);
        HIMAGELIST himl =
            layoutCase.imageList ? ImageList_Create(16, 16, ILC_COLOR24, 1, 1) : nullptr;
        SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(himl));
        SendMessageA(toolbar, TB_ADDBUTTONSA, layoutCase.buttons.size(),
                     reinterpret_cast<LPARAM>(layoutCase.buttons.data()));
        for (size_t i = 0; i < layoutCase.rects.size(); ++i) {
            RECT rect{};
            const bool placed =
                SendMessageA(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect)) != 0;
            EXPECT_EQ(placed, !IsRectEmpty(&layoutCase.rects[i])) << layoutCase.name << " #" << i;
            if (placed) {
                EXPECT_EQ(rect, layoutCase.rects[i]) << layoutCase.name << " #" << i;
            }
        }
        ImageList_Destroy(himl);
    }
}

TEST_F(ToolbarTest, RectangleByCommandAndSizesOfTheWhole) {
    CTestWindow toolbar(CreateBandToolbar());
    const INT_PTR person =
        SendMessageA(toolbar, TB_ADDSTRINGA, 0, reinterpret_cast<LPARAM>("Person\0"));
    const TBBUTTON classButton = Button(2, kClassCommand, TBSTATE_ENABLED, kClassStyle, person);
    SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&classButton));
    RECT rect{};
    ASSERT_TRUE(SendMessageA(toolbar, TB_GETRECT, kClassCommand, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(rect, (RECT{85, 0, 162, 22}));
    EXPECT_FALSE(SendMessageA(toolbar, TB_GETRECT, 999, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_FALSE(SendMessageA(toolbar, TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rect)));

    // The band's width is the sum of its buttons' widths.
    int width = 0;
    for (int i = 0; i < SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0); ++i) {
        const RECT item = ItemRect(toolbar, i);
        width += item.right - item.left;
    }
    EXPECT_EQ(width, 162);
    SIZE size{};
    ASSERT_TRUE(SendMessageA(toolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size)));
    EXPECT_EQ(size.cx, 162);
    EXPECT_EQ(size.cy, 22);
    SIZE ideal{};
    ASSERT_TRUE(SendMessageA(toolbar, TB_GETIDEALSIZE, FALSE, reinterpret_cast<LPARAM>(&ideal)));
    EXPECT_EQ(ideal.cx, 162);
    EXPECT_EQ(SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0), MAKELRESULT(24, 22));
    EXPECT_EQ(SendMessageA(toolbar, TB_GETPADDING, 0, 0), MAKELRESULT(7, 6));

    // A longer label widens its button.
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = const_cast<LPSTR>("Personality");
    SendMessageA(toolbar, TB_SETBUTTONINFOA, kClassCommand, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(ItemRect(toolbar, 2), (RECT{85, 0, 192, 22}));
}

TEST_F(ToolbarTest, AutosizeFitsTheRowsAndTheParentsWidth) {
    CTestWindow aligned(CreateToolbar(WS_CHILD | WS_VISIBLE | TBSTYLE_LIST));
    const TBBUTTON button = Button(0, 1, TBSTATE_ENABLED, BTNS_AUTOSIZE, -1);
    SendMessageA(aligned, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    SendMessageA(aligned, TB_AUTOSIZE, 0, 0);
    RECT rect{};
    GetWindowRect(aligned, &rect);
    EXPECT_EQ(rect, (RECT{0, 0, 600, 24}));

    CTestWindow free(
        CreateToolbar(WS_CHILD | WS_VISIBLE | TBSTYLE_LIST | CCS_NOPARENTALIGN | CCS_NODIVIDER));
    MoveWindow(free, 10, 20, 300, 100, FALSE);
    SendMessageA(free, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    SendMessageA(free, TB_AUTOSIZE, 0, 0);
    GetWindowRect(free, &rect);
    EXPECT_EQ(rect, (RECT{10, 20, 310, 42}));

    CTestWindow fixed(CreateToolbar());
    SendMessageA(fixed, TB_AUTOSIZE, 0, 0);
    GetWindowRect(fixed, &rect);
    EXPECT_EQ(rect, (RECT{0, 0, 100, 100}));
}

// ---------------------------------------------------------------------------------------------
// Clicks and drop-down arrows

TEST_F(ToolbarTest, AClickSendsTheCommandToTheParentItWasCreatedUnder) {
    CTestWindow toolbar(CreateBandToolbar());
    CRecordingParent other(0, 300, 600, 100, WS_POPUP | WS_VISIBLE);
    SetParent(toolbar, other);
    ASSERT_TRUE(CControlDriver::ClickToolbarButton(toolbar, kMainCommand));
    const auto commands = m_parent.Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].Id(), kMainCommand);
    EXPECT_EQ(commands[0].Code(), BN_CLICKED);
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), toolbar.Get());
    EXPECT_TRUE(m_parent.Notifications(TBN_DROPDOWN).empty());
    EXPECT_TRUE(other.m_notices.empty());
    EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONPRESSED, kMainCommand, 0));

    EXPECT_EQ(reinterpret_cast<HWND>(
                  SendMessageA(toolbar, TB_SETPARENT, reinterpret_cast<WPARAM>(other.Get()), 0)),
              m_parent.Get());
    CControlDriver::ClickToolbarButton(toolbar, kMainCommand);
    EXPECT_EQ(other.Of(WM_COMMAND).size(), 1u);
}

TEST_F(ToolbarTest, CheckButtonsToggleAndCheckGroupsKeepOneChecked) {
    CTestWindow toolbar(CreateToolbar());
    const TBBUTTON buttons[] = {
        Button(0, 1, TBSTATE_ENABLED, BTNS_CHECK, -1),
        Button(0, 2, TBSTATE_ENABLED, BTNS_CHECKGROUP, -1),
        Button(0, 3, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECKGROUP, -1),
        Button(0, 4, TBSTATE_ENABLED, BTNS_BUTTON, -1),
    };
    SendMessageA(toolbar, TB_ADDBUTTONSA, 4, reinterpret_cast<LPARAM>(buttons));
    CControlDriver::ClickToolbarButton(toolbar, 1);
    EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, 1, 0));
    CControlDriver::ClickToolbarButton(toolbar, 1);
    EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, 1, 0));

    CControlDriver::ClickToolbarButton(toolbar, 2);
    EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, 2, 0));
    EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, 3, 0));
    CControlDriver::ClickToolbarButton(toolbar, 2);
    EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, 2, 0));
    SendMessageA(toolbar, TB_CHECKBUTTON, 3, MAKELPARAM(TRUE, 0));
    EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, 2, 0));
    EXPECT_EQ(m_parent.Of(WM_COMMAND).size(), 4u);
}

TEST_F(ToolbarTest, DisabledHiddenOrUnseenButtonsTakeNoClick) {
    CTestWindow toolbar(CreateToolbar());
    const TBBUTTON buttons[] = {
        Button(0, 1, 0, BTNS_BUTTON, -1),
        Button(0, 2, TBSTATE_ENABLED | TBSTATE_HIDDEN, BTNS_BUTTON, -1),
        Button(0, 3, TBSTATE_ENABLED, BTNS_BUTTON, -1),
    };
    SendMessageA(toolbar, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons));
    EXPECT_FALSE(CControlDriver::ClickToolbarButton(toolbar, 1));
    EXPECT_FALSE(CControlDriver::ClickToolbarButton(toolbar, 2));
    EXPECT_FALSE(CControlDriver::ClickToolbarButton(toolbar, 99));
    // The mouse over the disabled button does nothing either.
    const RECT rect = ItemRect(toolbar, 0);
    SendMessageA(toolbar, WM_LBUTTONDOWN, 1, MAKELPARAM(rect.left + 2, rect.top + 2));
    SendMessageA(toolbar, WM_LBUTTONUP, 0, MAKELPARAM(rect.left + 2, rect.top + 2));
    // Released away from the button, a press is no click.
    const RECT third = ItemRect(toolbar, 2);
    SendMessageA(toolbar, WM_LBUTTONDOWN, 1, MAKELPARAM(third.left + 2, third.top + 2));
    EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONPRESSED, 3, 0));
    SendMessageA(toolbar, WM_LBUTTONUP, 0, MAKELPARAM(third.right + 50, third.top + 2));
    EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONPRESSED, 3, 0));
    ShowWindow(m_parent, SW_HIDE);
    EXPECT_FALSE(CControlDriver::ClickToolbarButton(toolbar, 3));
    EXPECT_TRUE(m_parent.Of(WM_COMMAND).empty());
}

TEST_F(ToolbarTest, TheArrowSendsTheDropDownNotificationWithTheButton) {
    CTestWindow toolbar(CreateBandToolbar());
    bool pressedMeanwhile = false;
    m_parent.m_onNotify = [&](NMHDR* header) -> LRESULT {
        if (header->code == TBN_DROPDOWN) {
            pressedMeanwhile = SendMessageA(toolbar, TB_ISBUTTONPRESSED, kMainCommand, 0) != 0;
        }
        return TBDDRET_DEFAULT;
    };
    ASSERT_TRUE(CControlDriver::ClickToolbarDropDown(toolbar, kMainCommand));
    const auto dropDowns = m_parent.Notifications(TBN_DROPDOWN);
    ASSERT_EQ(dropDowns.size(), 1u);
    const SNotice& notice = dropDowns[0];
    EXPECT_EQ(notice.header.hwndFrom, toolbar.Get());
    EXPECT_EQ(notice.header.idFrom, static_cast<UINT_PTR>(kToolbarId));
    EXPECT_EQ(notice.wParam, static_cast<WPARAM>(kToolbarId));
    EXPECT_EQ(notice.toolbar.iItem, kMainCommand);
    EXPECT_EQ(notice.toolbar.tbButton.idCommand, kMainCommand);
    EXPECT_EQ(notice.toolbar.rcButton, (RECT{0, 0, 77, 22}));
    EXPECT_TRUE(pressedMeanwhile);
    EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONPRESSED, kMainCommand, 0));
    EXPECT_TRUE(m_parent.Of(WM_COMMAND).empty());

    // Separators and plain buttons have no arrow.
    EXPECT_FALSE(CControlDriver::ClickToolbarDropDown(toolbar, 0));
    const TBBUTTON plain = Button(0, 5, TBSTATE_ENABLED, BTNS_BUTTON, -1);
    SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&plain));
    EXPECT_FALSE(CControlDriver::ClickToolbarDropDown(toolbar, 5));
}

struct SDropDownCase {
    const char* name;
    DWORD extendedStyle;
    BYTE style;
    LRESULT answer;
    bool viaArrow;
    size_t dropDowns;
    size_t commands;
};

TEST_F(ToolbarTest, WhereAClickDropsDownAndWhatTheAnswerDoes) {
    const SDropDownCase cases[] = {
        {"button part of a drawn arrow", TBSTYLE_EX_DRAWDDARROWS, BTNS_DROPDOWN, 0, false, 0, 1},
        {"drawn arrow", TBSTYLE_EX_DRAWDDARROWS, BTNS_DROPDOWN, 0, true, 1, 0},
        {"arrow not drawn: the whole button", 0, BTNS_DROPDOWN, 0, false, 1, 0},
        {"whole drop-down", TBSTYLE_EX_DRAWDDARROWS, BTNS_WHOLEDROPDOWN, 0, false, 1, 0},
        {"treated as pressed", TBSTYLE_EX_DRAWDDARROWS, BTNS_DROPDOWN, TBDDRET_TREATPRESSED, true,
         1, 1},
        {"not handled", TBSTYLE_EX_DRAWDDARROWS, BTNS_DROPDOWN, TBDDRET_NODEFAULT, true, 1, 0},
    };
    for (const SDropDownCase& dropDownCase : cases) {
        CRecordingParent parent(0, 0, 400, 100, WS_POPUP | WS_VISIBLE);
        parent.m_onNotify = [&](NMHDR*) { return dropDownCase.answer; };
        CTestWindow toolbar(CreateToolbar(kBandStyle, parent));
        SendMessageA(toolbar, TB_SETEXTENDEDSTYLE, 0, dropDownCase.extendedStyle);
        const TBBUTTON button = Button(0, 40, TBSTATE_ENABLED, dropDownCase.style, -1);
        SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
        if (dropDownCase.viaArrow) {
            CControlDriver::ClickToolbarDropDown(toolbar, 40);
        } else {
            CControlDriver::ClickToolbarButton(toolbar, 40);
        }
        EXPECT_EQ(parent.Notifications(TBN_DROPDOWN).size(), dropDownCase.dropDowns)
            << dropDownCase.name;
        EXPECT_EQ(parent.Of(WM_COMMAND).size(), dropDownCase.commands) << dropDownCase.name;
    }
}

// ---------------------------------------------------------------------------------------------
// Tooltips

const char kStaticTip[] = "A text of the parent's";
constexpr UINT kTipString = 111;
const SStringResource kStrings[] = {{kTipString, "Lirset Home"}};

HINSTANCE TipInstance() {
    static int module = 0;
    return reinterpret_cast<HINSTANCE>(&module);
}

enum class EAnswer { Buffer, Pointer, Resource, None };

struct STooltipCase {
    const char* name;
    EAnswer answer;
    const char* expected;
};

TEST_F(ToolbarTest, TooltipTextIsAskedOfTheParentByCommandId) {
    CResourceRegistration resources(TipInstance(), SModuleResourceTable{kStrings, {}, {}, {}, {}});
    const STooltipCase cases[] = {
        {"copied into the buffer", EAnswer::Buffer, "Highlight instances"},
        {"pointed to", EAnswer::Pointer, kStaticTip},
        {"a string resource", EAnswer::Resource, "Lirset Home"},
        {"no answer", EAnswer::None, ""},
    };
    for (const STooltipCase& tipCase : cases) {
        CRecordingParent parent(0, 0, 400, 100, WS_POPUP | WS_VISIBLE);
        parent.m_onNotify = [&](NMHDR* header) -> LRESULT {
            if (header->code != TTN_GETDISPINFOA) {
                return 0;
            }
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
            switch (tipCase.answer) {
                case EAnswer::Buffer:
                    std::strcpy(info->szText, "Highlight instances");
                    break;
                case EAnswer::Pointer:
                    info->lpszText = const_cast<LPSTR>(kStaticTip);
                    break;
                case EAnswer::Resource:
                    info->lpszText = MAKEINTRESOURCEA(kTipString);
                    info->hinst = TipInstance();
                    break;
                case EAnswer::None:
                    break;
            }
            return 0;
        };
        CTestWindow toolbar(CreateToolbar(kBandStyle, parent));
        const TBBUTTON button = Button(0, kMainCommand, TBSTATE_ENABLED, BTNS_AUTOSIZE, -1);
        SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(CControlDriver::GetToolbarTooltip(toolbar, kMainCommand), tipCase.expected)
            << tipCase.name;
        const auto requests = parent.Notifications(TTN_GETDISPINFOA);
        ASSERT_EQ(requests.size(), 1u) << tipCase.name;
        EXPECT_EQ(requests[0].header.idFrom, static_cast<UINT_PTR>(kMainCommand));
        EXPECT_EQ(requests[0].header.hwndFrom,
                  reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0)));
    }
}

TEST_F(ToolbarTest, TooltipKeepsAnAnswerMarkedToBeKeptUntilTheButtonGoes) {
    CTestWindow toolbar(CreateBandToolbar());
    int asked = 0;
    m_parent.m_onNotify = [&](NMHDR* header) -> LRESULT {
        if (header->code == TTN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
            std::string text = "Tip " + std::to_string(++asked);
            std::strcpy(info->szText, text.c_str());
            info->uFlags |= TTF_DI_SETITEM;
        }
        return 0;
    };
    EXPECT_EQ(CControlDriver::GetToolbarTooltip(toolbar, kMainCommand), "Tip 1");
    EXPECT_EQ(CControlDriver::GetToolbarTooltip(toolbar, kMainCommand), "Tip 1");
    EXPECT_EQ(asked, 1);
    SendMessageA(toolbar, TB_DELETEBUTTON, 0, 0);
    EXPECT_EQ(CControlDriver::GetToolbarTooltip(toolbar, kMainCommand), "");
    const TBBUTTON again = Button(0, kMainCommand, TBSTATE_ENABLED, BTNS_AUTOSIZE, -1);
    SendMessageA(toolbar, TB_INSERTBUTTONA, 0, reinterpret_cast<LPARAM>(&again));
    EXPECT_EQ(CControlDriver::GetToolbarTooltip(toolbar, kMainCommand), "Tip 2");
    HWND tooltip = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    EXPECT_FALSE(IsWindowVisible(tooltip));
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(ToolbarTest, WithoutTheTooltipStyleThereIsNoTooltip) {
    CTestWindow toolbar(CreateToolbar(kBandStyle & ~TBSTYLE_TOOLTIPS));
    const TBBUTTON button = Button(0, 1, TBSTATE_ENABLED, BTNS_AUTOSIZE, -1);
    SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0), 0);
    EXPECT_EQ(CControlDriver::GetToolbarTooltip(toolbar, 1), "");
    EXPECT_TRUE(m_parent.m_notices.empty());
}

// A toolbar of the system's kind: a superclass whose map keeps creation and sizing to itself.
class CTestToolbar : public CWindowImpl<CTestToolbar> {
public:
    DECLARE_WND_SUPERCLASS("TestSuperToolbar", TOOLBARCLASSNAMEA)

    BEGIN_MSG_MAP(CTestToolbar)
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    MESSAGE_HANDLER(WM_SIZE, OnSize)
    END_MSG_MAP()

    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
        SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        const TBBUTTON button = Button(0, kMainCommand, TBSTATE_ENABLED, BTNS_AUTOSIZE, -1);
        SendMessage(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
        return 0;
    }
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&) { return 0; }
};

TEST_F(ToolbarTest, ASuperclassThatKeepsCreationToItselfStillGetsItsTooltip) {
    CTestToolbar toolbar;
    RECT rect{0, 0, 100, 100};
    ASSERT_NE(toolbar.Create(m_parent, rect, nullptr, kBandStyle), nullptr);
    EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 1);
    EXPECT_NE(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0), 0);
    m_parent.m_onNotify = [](NMHDR* header) -> LRESULT {
        if (header->code == TTN_GETDISPINFOA) {
            std::strcpy(reinterpret_cast<NMTTDISPINFOA*>(header)->szText, "Home");
        }
        return 0;
    };
    EXPECT_EQ(CControlDriver::GetToolbarTooltip(toolbar, kMainCommand), "Home");
    ASSERT_TRUE(CControlDriver::ClickToolbarButton(toolbar, kMainCommand));
    EXPECT_EQ(m_parent.Of(WM_COMMAND).size(), 1u);
    HWND tooltip = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    toolbar.DestroyWindow();
    EXPECT_FALSE(IsWindow(tooltip));
}

}  // namespace
