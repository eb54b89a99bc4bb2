// The combo box: items, selection, search, owner drawing and a person's choice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/controls/commctrl.h"
#include "platform/win/controls/controldriver.h"
#include "platform/win/controls/tests/controltestsupport.h"
#include "platform/win/moduleresources.h"

namespace {

constexpr int kComboId = 215;
constexpr DWORD kColourComboStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP |
                                    CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT |
                                    CBS_NOINTEGRALHEIGHT;

struct SColour {
    COLORREF colour;
    const char* name;
};

// Twenty named colours, for item data as the colour combo keeps it.
const std::vector<SColour>& Colours() {
    static const std::vector<SColour> colours = [] {
        std::vector<SColour> list;
        for (int i = 0; i < 20; ++i) {
            list.push_back(SColour{RGB(static_cast<BYTE>(i * 10), 0, 0), "colour"});
        }
        list[0].name = "maroon";
        list[5].name = "red";
        list[19].name = "black";
        return list;
    }();
    return colours;
}

class ComboBoxTest : public CControlsTest {
protected:
    ComboBoxTest() : m_parent(0, 0, 400, 300, WS_POPUP | WS_VISIBLE) {}

    HWND CreateCombo(DWORD style, int height = 200, HWND hWndParent = nullptr) {
        return CreateWindowExA(0, WC_COMBOBOXA, nullptr, style, 10, 20, 150, height,
                               hWndParent != nullptr ? hWndParent : m_parent.Get(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)), nullptr,
                               nullptr);
    }

    // Fills an owner-drawn combo as the colour combo does: empty texts inserted by position, each
    // item's data the colour's record.
    static void FillColours(HWND hWnd) {
        for (size_t i = 0; i < Colours().size(); ++i) {
            const auto index = SendMessageA(hWnd, CB_INSERTSTRING, i, reinterpret_cast<LPARAM>(""));
            SendMessageA(hWnd, CB_SETITEMDATA, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&Colours()[i]));
        }
    }

    // Draws an item as the colour combo does: a swatch on the left, the name centred on the right.
    static void DrawColour(const DRAWITEMSTRUCT& draw) {
        if (draw.itemID == static_cast<UINT>(-1)) {
            return;
        }
        const auto* colour = reinterpret_cast<const SColour*>(draw.itemData);
        const bool selected =
            (draw.itemState & ODS_SELECTED) != 0 && (draw.itemState & ODS_COMBOBOXEDIT) == 0;
        RECT swatch{draw.rcItem.left, draw.rcItem.top, draw.rcItem.right / 2, draw.rcItem.bottom};
        FillRect(draw.hDC, &swatch, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        InflateRect(&swatch, -3, -2);
        HBRUSH brush = CreateSolidBrush(colour->colour);
        FillRect(draw.hDC, &swatch, brush);
        DeleteObject(brush);
        RECT text{draw.rcItem.right / 2, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
        SetBkColor(draw.hDC, RGB(255, 255, 255));
        FillRect(draw.hDC, &text, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(draw.hDC, RGB(0, 0, 0));
        DrawTextA(draw.hDC, colour->name, -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }

    std::vector<SNotice> Draws() const { return m_parent.Of(WM_DRAWITEM); }

    CRecordingParent m_parent;
};

// ---------------------------------------------------------------------------------------------
// Items and search

struct SFindCase {
    UINT message;
    int start;
    const char* text;
    LRESULT expected;
};

TEST_F(ComboBoxTest, FindingIgnoresLetterCaseAndStartsAfterTheIndexGiven) {
    CTestWindow combo(CreateCombo(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST));
    for (const char* text : {"Red", "green", "Blue", "blue green", "GREEN"}) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    const SFindCase cases[] = {
        {CB_FINDSTRINGEXACT, -1, "green", 1},    {CB_FINDSTRINGEXACT, 1, "GREEN", 4},
        {CB_FINDSTRINGEXACT, 4, "green", 1},     {CB_FINDSTRINGEXACT, -1, "blue", 2},
        {CB_FINDSTRINGEXACT, -1, "gre", CB_ERR}, {CB_FINDSTRINGEXACT, 99, "red", 0},
        {CB_FINDSTRING, 2, "blue", 3},           {CB_FINDSTRING, -1, "", 0},
        {CB_FINDSTRING, -1, "x", CB_ERR},
    };
    for (const SFindCase& findCase : cases) {
        EXPECT_EQ(SendMessageA(combo, findCase.message, static_cast<WPARAM>(findCase.start),
                               reinterpret_cast<LPARAM>(findCase.text)),
                  findCase.expected)
            << findCase.text << " after " << findCase.start;
    }
    EXPECT_EQ(SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("bl")),
              2);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("x")),
              CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(m_parent.Of(WM_COMMAND).empty());
}

TEST_F(ComboBoxTest, ItemsAreAddedInsertedAndDeletedWithTheirData) {
    CTestWindow combo(CreateCombo(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT));
    EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("pear")), 0);
    EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Apple")), 0);
    EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("banana")), 1);
    EXPECT_EQ(SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("zucchini")), 0);
    EXPECT_EQ(SendMessageA(combo, CB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("fig")), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("fig")),
              4);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 5);

    char text[32] = {};
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 2, 0), 6);
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text)), 6);
    EXPECT_STREQ(text, "banana");
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 5, reinterpret_cast<LPARAM>(text)), CB_ERR);

    EXPECT_TRUE(SendMessageA(combo, CB_SETITEMDATA, 3, 0x1234));
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 3, 0), 0x1234);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 5, 0), CB_ERR);

    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 3, 0), 3);
    EXPECT_EQ(GetWindowTextA(combo, text, sizeof(text)), 4);
    EXPECT_STREQ(text, "pear");
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 1, 0), 4);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 2, 0), 0x1234);
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 2, 0), 3);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 3, 0), CB_ERR);

    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 7, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_RESETCONTENT, 0, 0), CB_OKAY);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(GetWindowTextLengthA(combo), 0);
}

TEST_F(ComboBoxTest, OwnerDrawnItemsWithoutStringsKeepTheValueAsTheirData) {
    CTestWindow combo(CreateCombo(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED));
    const char* empty = "";
    EXPECT_EQ(SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(empty)), 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 0, 0), reinterpret_cast<LRESULT>(empty));
    FillColours(combo);
    const SColour* red = &Colours()[5];
    EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(red)),
              5);
    ULONG_PTR data = 0;
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 5, 0), static_cast<LRESULT>(sizeof(data)));
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 5, reinterpret_cast<LPARAM>(&data)),
              static_cast<LRESULT>(sizeof(data)));
    EXPECT_EQ(data, reinterpret_cast<ULONG_PTR>(red));
}

TEST_F(ComboBoxTest, SortedOwnerDrawnItemsAreComparedByTheParent) {
    m_parent.m_onCompareItem = [](const COMPAREITEMSTRUCT& compare) {
        const auto first = static_cast<int>(compare.itemData1);
        const auto second = static_cast<int>(compare.itemData2);
        return first < second ? -1 : (first == second ? 0 : 1);
    };
    CTestWindow combo(
        CreateCombo(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT));
    for (LPARAM value : {30, 10, 20}) {
        SendMessageA(combo, CB_ADDSTRING, 0, value);
    }
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 0, 0), 10);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 1, 0), 20);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 2, 0), 30);
    const auto compares = m_parent.Of(WM_COMPAREITEM).size();
    EXPECT_GT(compares, 0u);
    EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), 20), 1);
    EXPECT_GT(m_parent.Of(WM_COMPAREITEM).size(), compares);
}

TEST_F(ComboBoxTest, DeletedItemsWithDataAreReportedToTheParent) {
    CTestWindow combo(CreateCombo(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED));
    FillColours(combo);
    SendMessageA(combo, CB_SETITEMDATA, 1, 0);
    SendMessageA(combo, CB_DELETESTRING, 2, 0);
    auto deleted = m_parent.Of(WM_DELETEITEM);
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_EQ(deleted[0].deleted.CtlType, ODT_COMBOBOX);
    EXPECT_EQ(deleted[0].deleted.CtlID, static_cast<UINT>(kComboId));
    EXPECT_EQ(deleted[0].deleted.itemID, 2u);
    EXPECT_EQ(deleted[0].deleted.itemData, reinterpret_cast<ULONG_PTR>(&Colours()[2]));
    EXPECT_EQ(deleted[0].deleted.hwndItem, combo.Get());
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    // Item 1 had no data left.
    EXPECT_EQ(m_parent.Of(WM_DELETEITEM).size(), 1u + Colours().size() - 2);
}

// ---------------------------------------------------------------------------------------------
// Owner drawing

TEST_F(ComboBoxTest, AnOwnerDrawnComboAsksItsItemHeightWhenCreated) {
    m_parent.m_onMeasureItem = [](MEASUREITEMSTRUCT& measure) {
        measure.itemHeight = measure.itemID == static_cast<UINT>(-1) ? 16 : 18;
    };
    CTestWindow combo(CreateCombo(kColourComboStyle, 276));
    const auto measures = m_parent.Of(WM_MEASUREITEM);
    ASSERT_EQ(measures.size(), 2u);
    EXPECT_EQ(measures[0].measure.itemID, static_cast<UINT>(-1));
    EXPECT_EQ(measures[1].measure.itemID, 0u);
    EXPECT_EQ(measures[0].measure.CtlType, ODT_COMBOBOX);
    EXPECT_EQ(measures[0].measure.CtlID, static_cast<UINT>(kComboId));
    EXPECT_EQ(measures[0].measure.itemWidth, 150u);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 16);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), 18);
    RECT rect{};
    GetWindowRect(combo, &rect);
    EXPECT_EQ(rect, (RECT{10, 20, 160, 42}));
    EXPECT_EQ(SendMessageA(combo, CB_SETITEMHEIGHT, 0, 300), CB_ERR);
    SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 20);
    GetWindowRect(combo, &rect);
    EXPECT_EQ(rect.bottom - rect.top, 26);
}

TEST_F(ComboBoxTest, ASelectionChangeDrawsTheFieldOnTheScreen) {
    m_parent.m_onDrawItem = DrawColour;
    HDC duringDraw = nullptr;
    RECT clip{};
    m_parent.m_onDrawItem = [&](const DRAWITEMSTRUCT& draw) {
        duringDraw = draw.hDC;
        GetClipBox(draw.hDC, &clip);
        DrawColour(draw);
    };
    CTestWindow combo(CreateCombo(kColourComboStyle));
    FillColours(combo);
    EXPECT_TRUE(Draws().empty());
    SendMessageA(combo, CB_SETCURSEL, 5, 0);
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    const DRAWITEMSTRUCT& draw = draws[0].draw;
    EXPECT_EQ(draw.CtlType, ODT_COMBOBOX);
    EXPECT_EQ(draw.CtlID, static_cast<UINT>(kComboId));
    EXPECT_EQ(draw.itemID, 5u);
    EXPECT_EQ(draw.itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(draw.itemState, ODS_COMBOBOXEDIT);
    EXPECT_EQ(draw.hwndItem, combo.Get());
    EXPECT_EQ(draw.itemData, reinterpret_cast<ULONG_PTR>(&Colours()[5]));
    const RECT field{3, 3, 130, 16};
    EXPECT_EQ(draw.rcItem, field);
    EXPECT_EQ(clip, field);
    // The context is released after the draw.
    EXPECT_EQ(GetObjectType(duringDraw), 0u);

    const auto& records = CTextDrawLog::Get().GetRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text, "red");
    EXPECT_EQ(records[0].hwnd, combo.Get());
    EXPECT_EQ(records[0].rect, (RECT{65, 3, 130, 16}));
    EXPECT_EQ(records[0].textRect, (RECT{88, 3, 106, 16}));
    EXPECT_EQ(records[0].textColour, RGB(0, 0, 0));
    EXPECT_EQ(records[0].bkColour, RGB(255, 255, 255));

    // The swatch landed on the screen: the combo's client area starts at (10, 20).
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, 10 + 10, 20 + 8), Colours()[5].colour);
    EXPECT_EQ(GetPixel(screen, 10 + 4, 20 + 8), GetSysColor(COLOR_WINDOW));
    ReleaseDC(nullptr, screen);

    // Programmatic changes notify nothing; a hidden combo draws nothing.
    EXPECT_TRUE(m_parent.Of(WM_COMMAND).empty());
    ShowWindow(combo, SW_HIDE);
    SendMessageA(combo, CB_SETCURSEL, 6, 0);
    EXPECT_EQ(Draws().size(), 1u);
}

TEST_F(ComboBoxTest, APersonsChoiceDropsTheListDrawsItsItemsAndNotifies) {
    m_parent.m_onDrawItem = DrawColour;
    CTestWindow combo(CreateCombo(kColourComboStyle, 100));
    FillColours(combo);
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    m_parent.m_notices.clear();

    ASSERT_TRUE(CControlDriver::SelectComboItem(combo, 2));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    const std::vector<WORD> expectedCodes = {CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE,
                                             CBN_SELENDOK, CBN_CLOSEUP};
    EXPECT_EQ(m_parent.CommandCodes(), expectedCodes);
    for (const SNotice& command : m_parent.Of(WM_COMMAND)) {
        EXPECT_EQ(command.Id(), kComboId);
        EXPECT_EQ(reinterpret_cast<HWND>(command.lParam), combo.Get());
    }

    // The list (100 - 19 - 2 = 79 pixels, six items of 13) drew its items as it dropped, the
    // selected one highlighted; the click moved the highlight; the field drew the choice last.
    std::vector<DRAWITEMSTRUCT> list;
    for (const SNotice& notice : Draws()) {
        if ((notice.draw.itemState & ODS_COMBOBOXEDIT) == 0) {
            list.push_back(notice.draw);
        }
    }
    ASSERT_EQ(list.size(), 8u);
    for (UINT i = 0; i < 6; ++i) {
        EXPECT_EQ(list[i].itemID, i);
        EXPECT_EQ(list[i].itemAction, ODA_DRAWENTIRE);
        EXPECT_EQ(list[i].itemState, i == 0 ? ODS_SELECTED | ODS_FOCUS : 0u);
        EXPECT_EQ(list[i].rcItem,
                  (RECT{0, static_cast<LONG>(i) * 13, 148, static_cast<LONG>(i + 1) * 13}));
    }
    EXPECT_EQ(list[6].itemID, 0u);
    EXPECT_EQ(list[6].itemAction, ODA_SELECT);
    EXPECT_EQ(list[6].itemState, 0u);
    EXPECT_EQ(list[7].itemID, 2u);
    EXPECT_EQ(list[7].itemState, ODS_SELECTED | ODS_FOCUS);
    const DRAWITEMSTRUCT last = Draws().back().draw;
    EXPECT_EQ(last.itemID, 2u);
    EXPECT_EQ(last.itemState, ODS_COMBOBOXEDIT | ODS_SELECTED | ODS_FOCUS);

    // Choosing the item chosen already changes nothing.
    m_parent.m_notices.clear();
    ASSERT_TRUE(CControlDriver::SelectComboItem(combo, 2));
    const std::vector<WORD> again = {CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP};
    EXPECT_EQ(m_parent.CommandCodes(), again);
}

TEST_F(ComboBoxTest, AnItemOutOfViewIsScrolledToBeforeTheClick) {
    CTestWindow combo(CreateCombo(kColourComboStyle, 100));
    FillColours(combo);
    ASSERT_TRUE(CControlDriver::SelectComboItem(combo, 17));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 17);
    EXPECT_EQ(SendMessageA(combo, CB_GETTOPINDEX, 0, 0), 17);
    EXPECT_FALSE(CControlDriver::SelectComboItem(combo, 20));
    EnableWindow(combo, FALSE);
    EXPECT_FALSE(CControlDriver::SelectComboItem(combo, 3));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 17);
}

TEST_F(ComboBoxTest, ACloseWithoutChoiceCancels) {
    CTestWindow combo(CreateCombo(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    RECT dropped{};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped, (RECT{10, 39, 160, 54}));
    SendMessageA(combo, WM_LBUTTONDOWN, 1, 0);
    const std::vector<WORD> expected = {CBN_DROPDOWN, CBN_SETFOCUS, CBN_SELENDCANCEL, CBN_CLOSEUP};
    EXPECT_EQ(m_parent.CommandCodes(), expected);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(ComboBoxTest, AComboThatIsNotOwnerDrawnDrawsItsOwnText) {
    CTestWindow combo(CreateCombo(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST));
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("plain"));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    SetFocus(combo);
    const auto& records = CTextDrawLog::Get().GetRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].text, "plain");
    EXPECT_EQ(records[0].textColour, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(records[1].textColour, GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(records[1].bkColour, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(Draws().empty());
}

// ---------------------------------------------------------------------------------------------
// In a dialog

// What the dialog procedure saw, in order.
std::vector<UINT>* g_pDialogMessages = nullptr;

INT_PTR CALLBACK ColourDialogProc(HWND, UINT msg, WPARAM, LPARAM) {
    if (g_pDialogMessages != nullptr && (msg == WM_MEASUREITEM || msg == WM_INITDIALOG)) {
        g_pDialogMessages->push_back(msg);
    }
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

TEST_F(ComboBoxTest, DialogTemplatesCreateComboBoxesByClassName) {
    static const SDialogItemTemplate items[] = {
        {"Button", IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 6, 40, 50, 14},
        {"ComboBox", kComboId, "",
         CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT | CBS_NOINTEGRALHEIGHT | WS_VSCROLL |
             WS_TABSTOP,
         6, 20, 148, 170},
    };
    static const SDialogTemplate dialog{"Highlight Colour Selection",
                                        DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION,
                                        0,
                                        0,
                                        0,
                                        160,
                                        60,
                                        "MS Shell Dlg",
                                        8,
                                        items};
    std::vector<UINT> messages;
    g_pDialogMessages = &messages;
    CTestWindow dialogWindow(
        CreateDialogIndirectParamA(nullptr, &dialog, m_parent, ColourDialogProc, 0));
    g_pDialogMessages = nullptr;
    ASSERT_NE(dialogWindow.Get(), nullptr);
    HWND combo = GetDlgItem(dialogWindow, kComboId);
    char className[32] = {};
    GetClassNameA(combo, className, sizeof(className));
    EXPECT_STREQ(className, "ComboBox");
    // The combo asks for its heights as it is created, before the dialog is initialised.
    const std::vector<UINT> expected = {WM_MEASUREITEM, WM_MEASUREITEM, WM_INITDIALOG};
    EXPECT_EQ(messages, expected);

    // 170 dialog units of the 8 point font are 276 pixels: the field and the dropped list.
    FillColours(combo);
    RECT rect{};
    GetWindowRect(combo, &rect);
    EXPECT_EQ(rect.bottom - rect.top, 13 + 6);
    RECT dropped{};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom - rect.top, 276);
}

}  // namespace
