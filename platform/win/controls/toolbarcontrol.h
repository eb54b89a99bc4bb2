// The "ToolbarWindow32" control: a string list, buttons (image, command id, state, style, data,
// text), their layout (see commctrl.h for the metrics), clicks, drop-down arrows and tooltips.
//
// The control sends its notifications (WM_COMMAND with BN_CLICKED for a click, WM_NOTIFY with
// TBN_DROPDOWN for a drop-down arrow, and the tooltip's TTN_GETDISPINFOA requests, which it passes
// on) to the window that was its parent when it was created, or the one TB_SETPARENT names, even
// after it has been moved under another parent. The mouse works as on the platform: the button
// goes down under the left button and a release over it clicks it (a check button toggles, a
// button of a check group becomes the checked one); a drop-down arrow (or a whole drop-down
// button) sends TBN_DROPDOWN as the left button goes down. With TBSTYLE_TOOLTIPS the control
// makes a tooltip with a tool for each button (its command id, the text asked for by callback)
// and relays its mouse movements to it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win/controls/commctrl.h"

class CToolbarControl {
public:
    // The width of a drop-down arrow, at the right of its button.
    static constexpr int kDropDownArrowWidth = 14;

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    struct SButton {
        int image = 0;
        int command = 0;
        BYTE state = 0;
        BYTE style = 0;
        DWORD_PTR data = 0;
        INT_PTR stringIndex = -1;         // the text's place in the string list, or -1
        std::optional<std::string> text;  // a text of the button's own
        int width = 0;                    // a width set with TBIF_SIZE; 0: worked out
    };

    static LRESULT HandleMessage(HWND hWnd, CToolbarControl& toolbar, UINT msg, WPARAM wParam,
                                 LPARAM lParam);
    static void OnCreate(HWND hWnd, const CREATESTRUCTA* cs);
    static void OnButtonDown(HWND hWnd, POINT point);
    static void OnButtonUp(HWND hWnd, POINT point);
    static void OnMouseMove(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT SendDropDown(HWND hWnd, int index);
    static void AutoSize(HWND hWnd);

    int FindCommand(int command) const;
    // The button named by wParam: a command id, or a position with TBIF_BYINDEX.
    int FindButton(WPARAM wParam, bool byIndex) const;
    SButton ButtonFromRecord(const TBBUTTON& record) const;
    TBBUTTON RecordFromButton(const SButton& button) const;
    bool Insert(int index, const TBBUTTON* records, int count);
    bool Delete(int index);
    void SetCheck(int index, bool check);
    void AddTool(int command);
    void RemoveTool(int command);
    LRESULT AddStrings(WPARAM wParam, LPARAM lParam);
    LRESULT SetButtonInfo(WPARAM wParam, const TBBUTTONINFOA* info);
    LRESULT GetButtonInfo(WPARAM wParam, TBBUTTONINFOA* info) const;

    // Layout.
    int ButtonWidth(const SButton& button, int sharedWidth) const;
    std::string ButtonText(const SButton& button) const;
    std::string ShownText(const SButton& button) const;
    SIZE ImageSize() const;
    bool HasArrow(const SButton& button) const;
    int ContentWidth(const SButton& button) const;
    int ContentHeight(const SButton& button) const;
    int RowHeight() const;
    int SharedWidth() const;
    // The rectangle of each button; hidden buttons have none.
    std::vector<std::optional<RECT>> Layout() const;
    // The part of a drop-down button that sends TBN_DROPDOWN.
    bool InDropDownPart(const SButton& button, const RECT& rect, POINT point) const;

    HWND m_hWnd = nullptr;
    DWORD m_dwStyle = 0;  // the window's style as the message being handled found it
    HWND m_hWndNotify = nullptr;
    HWND m_hWndTooltip = nullptr;
    HFONT m_hFont = nullptr;
    HIMAGELIST m_hImageList = nullptr;
    UINT m_cbButton = sizeof(TBBUTTON);
    std::vector<std::string> m_strings;
    std::vector<SButton> m_buttons;
    SIZE m_bitmapSize{16, 15};
    SIZE m_buttonSize{24, 22};
    SIZE m_padding{7, 6};
    DWORD m_dwExtendedStyle = 0;
    int m_nTextRows = 1;
    int m_nIndent = 0;
    int m_nPressed = -1;  // the button under a left button that is down
};
