// The "ComboBox" control and its drop-down list ("ComboLBox"): items with text or data, the
// current selection, owner drawing and the notifications of a person's choice (see commctrl.h).
//
// The selection field is drawn at once when the selection changes or the focus comes or goes,
// and on WM_PAINT, while the combo is visible. The dropped list is a pop-up window under the combo
// whose items are drawn as it drops, as it scrolls and as the pointer moves over them; its
// highlighted item follows the pointer and becomes the selection only when clicked. A click on an
// item reports CBN_SELCHANGE (when the selection changed), CBN_SELENDOK and CBN_CLOSEUP, in that
// order; the list drops with CBN_DROPDOWN, and closes without a choice with CBN_SELENDCANCEL and
// CBN_CLOSEUP. Programmatic changes (CB_SETCURSEL, CB_SELECTSTRING) report nothing. A combo that is
// not owner-drawn draws its items itself: the window colours, or the highlight colours for the
// selected item, and its text. CBS_SIMPLE behaves as CBS_DROPDOWN.
#pragma once

#include <string>
#include <vector>

#include "platform/win/controls/commctrl.h"
#include "platform/win/controls/textmetrics.h"

class CComboBoxControl {
public:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ListWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    struct SItem {
        std::string text;
        ULONG_PTR data = 0;
        UINT height = 0;  // CBS_OWNERDRAWVARIABLE items
    };

    static LRESULT HandleMessage(HWND hWnd, CComboBoxControl& combo, UINT msg, WPARAM wParam,
                                 LPARAM lParam);
    static void OnCreate(HWND hWnd);
    static UINT Measure(HWND hWnd, UINT itemID, ULONG_PTR data);
    static int Compare(HWND hWnd, int index, ULONG_PTR data);
    static LRESULT AddItem(HWND hWnd, int index, LPARAM lParam, bool sorted);
    static LRESULT DeleteItem(HWND hWnd, int index);
    static void ResetContent(HWND hWnd);
    static void SendDeleteItems(HWND hWnd, const std::vector<SItem>& items, int first);
    static int FindItem(HWND hWnd, int start, LPARAM lParam, bool exact);
    // Changes the selection (and the list's highlight) without notifying the parent.
    static void Select(HWND hWnd, int index);
    // A person's click on an item of the dropped list.
    static void Choose(HWND hWnd, int index);
    static void Highlight(HWND hWnd, int index);
    static void DropDown(HWND hWnd);
    static void CloseUp(HWND hWnd);
    static void Notify(HWND hWnd, WORD code);
    static void DrawField(HWND hWnd);
    static void DrawListItem(HWND hWnd, int index, UINT action);
    static void DrawList(HWND hWnd);
    static void DrawItem(HWND hWnd, HDC hdc, int index, UINT action, UINT state, const RECT& rect);

    bool IsOwnerDraw() const {
        return (m_dwStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
    }
    bool IsVariable() const { return (m_dwStyle & CBS_OWNERDRAWVARIABLE) != 0; }
    bool HasStrings() const { return !IsOwnerDraw() || (m_dwStyle & CBS_HASSTRINGS) != 0; }
    bool IsDropDownList() const { return (m_dwStyle & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST; }
    bool IsValid(int index) const {
        return index >= 0 && static_cast<size_t>(index) < m_items.size();
    }
    UINT ItemHeight(int index) const;
    RECT FieldRect(HWND hWnd) const;
    int ListClientHeight() const;
    // The item's rectangle in the list, when it is in view.
    bool ListItemRect(int index, int width, RECT& rect) const;
    int ItemAt(int y) const;
    void ScrollTo(int index);
    std::string ItemText(int index) const;

    HWND m_hWndList = nullptr;
    DWORD m_dwStyle = 0;  // the window's style as the message being handled found it
    HFONT m_hFont = nullptr;
    std::vector<SItem> m_items;
    int m_nSelected = -1;
    int m_nHighlighted = -1;  // the item highlighted in the dropped list
    int m_nTop = 0;
    bool m_bDropped = false;
    bool m_bFocused = false;
    UINT m_nFieldHeight = CTextMetrics::kLineHeight;
    UINT m_nItemHeight = CTextMetrics::kLineHeight;
    int m_nDroppedHeight = 0;  // the window height asked for at creation
};
