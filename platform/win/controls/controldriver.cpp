#include "platform/win/controls/controldriver.h"

#include "platform/win/controls/toolbarcontrol.h"

namespace {

// The key state of a mouse message with the left button down (the platform's MK_LBUTTON).
constexpr WPARAM kLeftButtonDown = 0x0001;

bool Usable(HWND hWnd) {
    return IsWindow(hWnd) && IsWindowVisible(hWnd) && IsWindowEnabled(hWnd);
}

LPARAM PointParam(POINT point) {
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

// Moves the pointer over the client point and presses and releases the left button there.
void ClickAt(HWND hWnd, POINT point) {
    POINT screen = point;
    ClientToScreen(hWnd, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(hWnd, WM_LBUTTONDOWN, kLeftButtonDown, PointParam(point));
    if (IsWindow(hWnd)) {
        SendMessageA(hWnd, WM_LBUTTONUP, 0, PointParam(point));
    }
}

struct SToolbarButton {
    RECT rect{};
    BYTE style = 0;
    bool arrowDrawn = false;
};

// The rectangle and style of a button that a person can click.
bool FindToolbarButton(HWND hWndToolbar, int idCommand, SToolbarButton& button) {
    if (!Usable(hWndToolbar) ||
        !SendMessageA(hWndToolbar, TB_GETRECT, static_cast<WPARAM>(idCommand),
                      reinterpret_cast<LPARAM>(&button.rect)) ||
        !SendMessageA(hWndToolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(idCommand), 0)) {
        return false;
    }
    TBBUTTONINFOA info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STYLE;
    if (SendMessageA(hWndToolbar, TB_GETBUTTONINFOA, static_cast<WPARAM>(idCommand),
                     reinterpret_cast<LPARAM>(&info)) < 0) {
        return false;
    }
    button.style = info.fsStyle;
    const auto extended = static_cast<DWORD>(SendMessageA(hWndToolbar, TB_GETEXTENDEDSTYLE, 0, 0));
    button.arrowDrawn = (button.style & BTNS_DROPDOWN) != 0 &&
                        (button.style & BTNS_WHOLEDROPDOWN) == 0 &&
                        (extended & TBSTYLE_EX_DRAWDDARROWS) != 0;
    return true;
}

POINT Middle(LONG left, LONG right, const RECT& rect) {
    return POINT{(left + right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

bool CControlDriver::ClickToolbarButton(HWND hWndToolbar, int idCommand) {
    SToolbarButton button;
    if (!FindToolbarButton(hWndToolbar, idCommand, button) || (button.style & BTNS_SEP) != 0) {
        return false;
    }
    const RECT& rect = button.rect;
    const LONG right =
        button.arrowDrawn ? rect.right - CToolbarControl::kDropDownArrowWidth : rect.right;
    ClickAt(hWndToolbar, Middle(rect.left, right, rect));
    return true;
}

bool CControlDriver::ClickToolbarDropDown(HWND hWndToolbar, int idCommand) {
    SToolbarButton button;
    if (!FindToolbarButton(hWndToolbar, idCommand, button) ||
        (button.style & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN)) == 0) {
        return false;
    }
    const RECT& rect = button.rect;
    const LONG left =
        button.arrowDrawn ? rect.right - CToolbarControl::kDropDownArrowWidth : rect.left;
    ClickAt(hWndToolbar, Middle(left, rect.right, rect));
    return true;
}

std::string CControlDriver::GetToolbarTooltip(HWND hWndToolbar, int idCommand) {
    RECT rect{};
    if (!IsWindow(hWndToolbar) || !IsWindowVisible(hWndToolbar) ||
        !SendMessageA(hWndToolbar, TB_GETRECT, static_cast<WPARAM>(idCommand),
                      reinterpret_cast<LPARAM>(&rect))) {
        return {};
    }
    auto hWndTooltip = reinterpret_cast<HWND>(SendMessageA(hWndToolbar, TB_GETTOOLTIPS, 0, 0));
    if (!IsWindow(hWndTooltip)) {
        return {};
    }
    const POINT point = Middle(rect.left, rect.right, rect);
    POINT screen = point;
    ClientToScreen(hWndToolbar, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(hWndToolbar, WM_MOUSEMOVE, 0, PointParam(point));
    std::string text;
    if (IsWindow(hWndTooltip) && IsWindowVisible(hWndTooltip)) {
        text.resize(static_cast<size_t>(GetWindowTextLengthA(hWndTooltip)) + 1);
        text.resize(static_cast<size_t>(
            GetWindowTextA(hWndTooltip, text.data(), static_cast<int>(text.size()))));
        SendMessageA(hWndTooltip, TTM_POP, 0, 0);
    }
    return text;
}

bool CControlDriver::SelectComboItem(HWND hWndCombo, int index) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!Usable(hWndCombo) ||
        !SendMessageA(hWndCombo, CB_GETCOMBOBOXINFO, 0, reinterpret_cast<LPARAM>(&info)) ||
        index < 0 || index >= SendMessageA(hWndCombo, CB_GETCOUNT, 0, 0)) {
        return false;
    }
    if (!SendMessageA(hWndCombo, CB_GETDROPPEDSTATE, 0, 0)) {
        RECT client{};
        GetClientRect(hWndCombo, &client);
        ClickAt(hWndCombo, Middle(client.left, client.right, client));
    }
    if (!IsWindow(hWndCombo) || !SendMessageA(hWndCombo, CB_GETDROPPEDSTATE, 0, 0)) {
        return false;
    }
    RECT item{};
    if (SendMessageA(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
        SendMessageA(hWndCombo, CB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        if (SendMessageA(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
            return false;
        }
    }
    const POINT point = Middle(item.left, item.right, item);
    SendMessageA(info.hwndList, WM_MOUSEMOVE, 0, PointParam(point));
    ClickAt(info.hwndList, point);
    return IsWindow(hWndCombo) && SendMessageA(hWndCombo, CB_GETCURSEL, 0, 0) == index;
}
