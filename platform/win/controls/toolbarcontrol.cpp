#include "platform/win/controls/toolbarcontrol.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/win/controls/textmetrics.h"
#include "platform/win/controlstates.h"

namespace {

using CToolbarStates = CControlStates<CToolbarControl>;

constexpr int kSeparatorWidth = 8;
constexpr int kImageTextGap = 4;
constexpr int kTextBelowGap = 2;
constexpr int kDividerHeight = 2;
constexpr int kStringResourceBuffer = 1024;

bool IsSeparator(BYTE style) {
    return (style & BTNS_SEP) != 0;
}

int CommandOf(WPARAM wParam) {
    return static_cast<int>(static_cast<INT_PTR>(wParam));
}

LRESULT SizeResult(const SIZE& size) {
    return MAKELRESULT(static_cast<WORD>(size.cx), static_cast<WORD>(size.cy));
}

SIZE SizeParam(LPARAM lParam) {
    return SIZE{LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam))};
}

// Copies at most size - 1 characters and a terminating zero; the characters copied.
int CopyText(const std::string& text, LPSTR buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    const size_t count = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Buttons and strings

int CToolbarControl::FindCommand(int command) const {
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i].command == command) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CToolbarControl::FindButton(WPARAM wParam, bool byIndex) const {
    if (!byIndex) {
        return FindCommand(CommandOf(wParam));
    }
    return wParam < m_buttons.size() ? static_cast<int>(wParam) : -1;
}

CToolbarControl::SButton CToolbarControl::ButtonFromRecord(const TBBUTTON& record) const {
    SButton button;
    button.image = record.iBitmap;
    button.command = record.idCommand;
    button.state = record.fsState;
    button.style = record.fsStyle;
    button.data = record.dwData;
    if (record.iString >= 0 && IS_INTRESOURCE(reinterpret_cast<LPCSTR>(record.iString))) {
        button.stringIndex = record.iString;
    } else if (record.iString > 0) {
        button.text = reinterpret_cast<LPCSTR>(record.iString);
    }
    return button;
}

TBBUTTON CToolbarControl::RecordFromButton(const SButton& button) const {
    TBBUTTON record{};
    record.iBitmap = button.image;
    record.idCommand = button.command;
    record.fsState = button.state;
    record.fsStyle = button.style;
    record.dwData = button.data;
    record.iString =
        button.text ? reinterpret_cast<INT_PTR>(button.text->c_str()) : button.stringIndex;
    return record;
}

void CToolbarControl::AddTool(int command) {
    if (m_hWndTooltip == nullptr) {
        return;
    }
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.hwnd = m_hWnd;
    info.uId = static_cast<UINT_PTR>(command);
    info.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(m_hWndTooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolbarControl::RemoveTool(int command) {
    if (m_hWndTooltip == nullptr) {
        return;
    }
    TOOLINFOA info{};
    info.cbSize = sizeof(info);
    info.hwnd = m_hWnd;
    info.uId = static_cast<UINT_PTR>(command);
    SendMessageA(m_hWndTooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

bool CToolbarControl::Insert(int index, const TBBUTTON* records, int count) {
    if (m_cbButton != sizeof(TBBUTTON) || count < 0 || (records == nullptr && count > 0)) {
        return false;
    }
    if (index < 0 || static_cast<size_t>(index) > m_buttons.size()) {
        index = static_cast<int>(m_buttons.size());
    }
    for (int i = 0; i < count; ++i) {
        SButton button = ButtonFromRecord(records[i]);
        const bool newTool = !IsSeparator(button.style) && FindCommand(button.command) < 0;
        m_buttons.insert(m_buttons.begin() + index + i, button);
        if (newTool) {
            AddTool(button.command);
        }
    }
    if (m_nPressed >= index) {
        m_nPressed += count;
    }
    return true;
}

bool CToolbarControl::Delete(int index) {
    if (index < 0 || static_cast<size_t>(index) >= m_buttons.size()) {
        return false;
    }
    const SButton removed = m_buttons[static_cast<size_t>(index)];
    m_buttons.erase(m_buttons.begin() + index);
    if (m_nPressed == index) {
        m_nPressed = -1;
    } else if (m_nPressed > index) {
        --m_nPressed;
    }
    if (!IsSeparator(removed.style) && FindCommand(removed.command) < 0) {
        RemoveTool(removed.command);
    }
    return true;
}

void CToolbarControl::SetCheck(int index, bool check) {
    SButton& button = m_buttons[static_cast<size_t>(index)];
    if (check && (button.style & BTNS_CHECKGROUP) == BTNS_CHECKGROUP) {
        auto inGroup = [this](int i) {
            const BYTE style = m_buttons[static_cast<size_t>(i)].style;
            return (style & BTNS_GROUP) != 0 && !IsSeparator(style);
        };
        for (int i = index - 1; i >= 0 && inGroup(i); --i) {
            m_buttons[static_cast<size_t>(i)].state &= static_cast<BYTE>(~TBSTATE_CHECKED);
        }
        for (int i = index + 1; static_cast<size_t>(i) < m_buttons.size() && inGroup(i); ++i) {
            m_buttons[static_cast<size_t>(i)].state &= static_cast<BYTE>(~TBSTATE_CHECKED);
        }
    }
    if (check) {
        button.state |= TBSTATE_CHECKED;
    } else {
        button.state &= static_cast<BYTE>(~TBSTATE_CHECKED);
    }
}

LRESULT CToolbarControl::AddStrings(WPARAM wParam, LPARAM lParam) {
    const auto first = static_cast<LRESULT>(m_strings.size());
    if (wParam != 0) {
        // A string resource of the module wParam names holds one string.
        char buffer[kStringResourceBuffer] = {};
        LoadStringA(reinterpret_cast<HINSTANCE>(wParam), LOWORD(static_cast<DWORD_PTR>(lParam)),
                    buffer, kStringResourceBuffer);
        if (buffer[0] == '\0') {
            return -1;
        }
        m_strings.emplace_back(buffer);
        return first;
    }
    // One or more strings, each ending with a zero, the last with two.
    const auto* text = reinterpret_cast<const char*>(lParam);
    if (text == nullptr || *text == '\0') {
        return -1;
    }
    while (*text != '\0') {
        m_strings.emplace_back(text);
        text += std::strlen(text) + 1;
    }
    return first;
}

LRESULT CToolbarControl::SetButtonInfo(WPARAM wParam, const TBBUTTONINFOA* info) {
    if (info == nullptr || info->cbSize != sizeof(TBBUTTONINFOA)) {
        return FALSE;
    }
    const int index = FindButton(wParam, (info->dwMask & TBIF_BYINDEX) != 0);
    if (index < 0) {
        return FALSE;
    }
    SButton& button = m_buttons[static_cast<size_t>(index)];
    if ((info->dwMask & TBIF_COMMAND) != 0 && button.command != info->idCommand) {
        const int old = button.command;
        const bool newTool = !IsSeparator(button.style) && FindCommand(info->idCommand) < 0;
        button.command = info->idCommand;
        if (!IsSeparator(button.style) && FindCommand(old) < 0) {
            RemoveTool(old);
        }
        if (newTool) {
            AddTool(info->idCommand);
        }
    }
    if ((info->dwMask & TBIF_IMAGE) != 0) {
        button.image = info->iImage;
    }
    if ((info->dwMask & TBIF_STATE) != 0) {
        button.state = info->fsState;
    }
    if ((info->dwMask & TBIF_STYLE) != 0) {
        button.style = info->fsStyle;
    }
    if ((info->dwMask & TBIF_LPARAM) != 0) {
        button.data = info->lParam;
    }
    if ((info->dwMask & TBIF_SIZE) != 0) {
        button.width = info->cx;
    }
    if ((info->dwMask & TBIF_TEXT) != 0) {
        button.text = info->pszText != nullptr ? std::string(info->pszText) : std::string();
        button.stringIndex = -1;
    }
    return TRUE;
}

LRESULT CToolbarControl::GetButtonInfo(WPARAM wParam, TBBUTTONINFOA* info) const {
    if (info == nullptr || info->cbSize != sizeof(TBBUTTONINFOA)) {
        return -1;
    }
    const int index = FindButton(wParam, (info->dwMask & TBIF_BYINDEX) != 0);
    if (index < 0) {
        return -1;
    }
    const SButton& button = m_buttons[static_cast<size_t>(index)];
    if ((info->dwMask & TBIF_COMMAND) != 0) {
        info->idCommand = button.command;
    }
    if ((info->dwMask & TBIF_IMAGE) != 0) {
        info->iImage = button.image;
    }
    if ((info->dwMask & TBIF_STATE) != 0) {
        info->fsState = button.state;
    }
    if ((info->dwMask & TBIF_STYLE) != 0) {
        info->fsStyle = button.style;
    }
    if ((info->dwMask & TBIF_LPARAM) != 0) {
        info->lParam = button.data;
    }
    if ((info->dwMask & TBIF_SIZE) != 0) {
        const std::vector<std::optional<RECT>> places = Layout();
        const auto& place = places[static_cast<size_t>(index)];
        info->cx = place ? static_cast<WORD>(place->right - place->left) : 0;
    }
    if ((info->dwMask & TBIF_TEXT) != 0) {
        CopyText(ButtonText(button), info->pszText, info->cchText);
    }
    return index;
}

// ---------------------------------------------------------------------------------------------
// Layout

std::string CToolbarControl::ButtonText(const SButton& button) const {
    if (button.text) {
        return *button.text;
    }
    if (button.stringIndex >= 0 && static_cast<size_t>(button.stringIndex) < m_strings.size()) {
        return m_strings[static_cast<size_t>(button.stringIndex)];
    }
    return {};
}

std::string CToolbarControl::ShownText(const SButton& button) const {
    if (m_nTextRows == 0 || ((m_dwExtendedStyle & TBSTYLE_EX_MIXEDBUTTONS) != 0 &&
                             (button.style & BTNS_SHOWTEXT) == 0)) {
        return {};
    }
    const std::string text = ButtonText(button);
    return (button.style & BTNS_NOPREFIX) != 0 ? text : CTextMetrics::RemovePrefixes(text);
}

SIZE CToolbarControl::ImageSize() const {
    int cx = 0;
    int cy = 0;
    if (m_hImageList != nullptr && ImageList_GetIconSize(m_hImageList, &cx, &cy)) {
        return SIZE{cx, cy};
    }
    return m_bitmapSize;
}

bool CToolbarControl::HasArrow(const SButton& button) const {
    return (button.style & BTNS_WHOLEDROPDOWN) != 0 ||
           ((button.style & BTNS_DROPDOWN) != 0 &&
            (m_dwExtendedStyle & TBSTYLE_EX_DRAWDDARROWS) != 0);
}

int CToolbarControl::ContentWidth(const SButton& button) const {
    const bool hasImage = button.image != I_IMAGENONE;
    const int imageWidth = hasImage ? ImageSize().cx : 0;
    const std::string text = ShownText(button);
    const int textWidth = CTextMetrics::Width(text);
    if ((m_dwStyle & TBSTYLE_LIST) != 0) {
        int width = m_padding.cx + imageWidth;
        if (!text.empty()) {
            width += (hasImage ? kImageTextGap : 0) + textWidth;
        }
        return width;
    }
    return m_padding.cx + std::max(imageWidth, textWidth);
}

int CToolbarControl::ContentHeight(const SButton& button) const {
    const int imageHeight = button.image != I_IMAGENONE ? ImageSize().cy : 0;
    const bool hasText = !ShownText(button).empty();
    if ((m_dwStyle & TBSTYLE_LIST) != 0) {
        return m_padding.cy + std::max(imageHeight, hasText ? CTextMetrics::kLineHeight : 0);
    }
    return m_padding.cy + imageHeight + (hasText ? kTextBelowGap + CTextMetrics::kLineHeight : 0);
}

int CToolbarControl::RowHeight() const {
    int height = m_buttonSize.cy;
    for (const SButton& button : m_buttons) {
        if (!IsSeparator(button.style) && (button.state & TBSTATE_HIDDEN) == 0) {
            height = std::max(height, ContentHeight(button));
        }
    }
    return height;
}

int CToolbarControl::SharedWidth() const {
    int width = m_buttonSize.cx;
    for (const SButton& button : m_buttons) {
        if (!IsSeparator(button.style) && (button.state & TBSTATE_HIDDEN) == 0 &&
            (button.style & BTNS_AUTOSIZE) == 0 && button.width == 0) {
            width = std::max(width, ContentWidth(button));
        }
    }
    return width;
}

int CToolbarControl::ButtonWidth(const SButton& button, int sharedWidth) const {
    if (IsSeparator(button.style)) {
        return button.image > 0 ? button.image : kSeparatorWidth;
    }
    if (button.width != 0) {
        return button.width;
    }
    const int arrow = HasArrow(button) ? kDropDownArrowWidth : 0;
    return ((button.style & BTNS_AUTOSIZE) != 0 ? ContentWidth(button) : sharedWidth) + arrow;
}

std::vector<std::optional<RECT>> CToolbarControl::Layout() const {
    std::vector<std::optional<RECT>> places(m_buttons.size());
    const int height = RowHeight();
    const int sharedWidth = SharedWidth();
    int x = m_nIndent;
    int y = (m_dwStyle & CCS_NODIVIDER) != 0 ? 0 : kDividerHeight;
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        const SButton& button = m_buttons[i];
        if ((button.state & TBSTATE_HIDDEN) != 0) {
            continue;
        }
        const int width = ButtonWidth(button, sharedWidth);
        places[i] = RECT{x, y, x + width, y + height};
        x += width;
        if ((button.state & TBSTATE_WRAP) != 0) {
            x = m_nIndent;
            y += height;
        }
    }
    return places;
}

bool CToolbarControl::InDropDownPart(const SButton& button, const RECT& rect, POINT point) const {
    if ((button.style & BTNS_WHOLEDROPDOWN) != 0) {
        return true;
    }
    if ((button.style & BTNS_DROPDOWN) == 0) {
        return false;
    }
    return (m_dwExtendedStyle & TBSTYLE_EX_DRAWDDARROWS) == 0 ||
           point.x >= rect.right - kDropDownArrowWidth;
}

// ---------------------------------------------------------------------------------------------
// Window behaviour

void CToolbarControl::OnCreate(HWND hWnd, const CREATESTRUCTA* cs) {
    if (cs == nullptr || (static_cast<DWORD>(cs->style) & TBSTYLE_TOOLTIPS) == 0) {
        return;
    }
    HWND hWndTooltip =
        CreateWindowExA(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                        0, 0, hWnd, nullptr, cs->hInstance, nullptr);
    if (CToolbarControl* toolbar = CToolbarStates::Find(hWnd)) {
        toolbar->m_hWndTooltip = hWndTooltip;
    }
}

void CToolbarControl::AutoSize(HWND hWnd) {
    CToolbarControl* toolbar = CToolbarStates::Find(hWnd);
    if (toolbar == nullptr || (toolbar->m_dwStyle & CCS_NORESIZE) != 0) {
        return;
    }
    int height =
        toolbar->RowHeight() + ((toolbar->m_dwStyle & CCS_NODIVIDER) != 0 ? 0 : kDividerHeight);
    for (const auto& place : toolbar->Layout()) {
        if (place) {
            height = std::max(height, static_cast<int>(place->bottom));
        }
    }
    const DWORD style = toolbar->m_dwStyle;
    HWND hWndParent = GetParent(hWnd);
    RECT rcWindow{};
    GetWindowRect(hWnd, &rcWindow);
    MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&rcWindow), 2);
    if ((style & CCS_NOPARENTALIGN) == 0 && hWndParent != nullptr) {
        RECT rcParent{};
        GetClientRect(hWndParent, &rcParent);
        int y = 0;
        if ((style & CCS_BOTTOM) == CCS_BOTTOM) {
            y = rcParent.bottom - height;
        } else if ((style & CCS_NOMOVEY) != 0) {
            y = rcWindow.top;
        }
        SetWindowPos(hWnd, nullptr, 0, y, rcParent.right, height, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(hWnd, nullptr, 0, 0, rcWindow.right - rcWindow.left, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT CToolbarControl::SendDropDown(HWND hWnd, int index) {
    CToolbarControl* toolbar = CToolbarStates::Find(hWnd);
    if (toolbar == nullptr) {
        return TBDDRET_NODEFAULT;
    }
    SButton& button = toolbar->m_buttons[static_cast<size_t>(index)];
    NMTOOLBARA notification{};
    notification.hdr = NMHDR{hWnd, static_cast<UINT_PTR>(GetDlgCtrlID(hWnd)), TBN_DROPDOWN};
    notification.iItem = button.command;
    notification.tbButton = toolbar->RecordFromButton(button);
    notification.rcButton = toolbar->Layout()[static_cast<size_t>(index)].value_or(RECT{});
    const int command = button.command;
    const bool wasPressed = (button.state & TBSTATE_PRESSED) != 0;
    // The arrow shows pressed while the parent handles it (typically showing a menu).
    button.state |= TBSTATE_PRESSED;
    const LRESULT answer = SendMessageA(toolbar->m_hWndNotify, WM_NOTIFY, notification.hdr.idFrom,
                                        reinterpret_cast<LPARAM>(&notification));
    toolbar = CToolbarStates::Find(hWnd);
    const int after = toolbar != nullptr ? toolbar->FindCommand(command) : -1;
    if (after >= 0 && !wasPressed) {
        toolbar->m_buttons[static_cast<size_t>(after)].state &= static_cast<BYTE>(~TBSTATE_PRESSED);
    }
    return answer;
}

void CToolbarControl::OnButtonDown(HWND hWnd, POINT point) {
    CToolbarControl* toolbar = CToolbarStates::Find(hWnd);
    if (toolbar == nullptr) {
        return;
    }
    const std::vector<std::optional<RECT>> places = toolbar->Layout();
    int index = -1;
    for (size_t i = 0; i < places.size(); ++i) {
        if (places[i] && !IsSeparator(toolbar->m_buttons[i].style) &&
            PtInRect(&*places[i], point)) {
            index = static_cast<int>(i);
            break;
        }
    }
    if (index < 0 ||
        (toolbar->m_buttons[static_cast<size_t>(index)].state & TBSTATE_ENABLED) == 0) {
        return;
    }
    const SButton& button = toolbar->m_buttons[static_cast<size_t>(index)];
    if (toolbar->InDropDownPart(button, *places[static_cast<size_t>(index)], point)) {
        const int command = button.command;
        if (SendDropDown(hWnd, index) != TBDDRET_TREATPRESSED) {
            return;
        }
        toolbar = CToolbarStates::Find(hWnd);
        index = toolbar != nullptr ? toolbar->FindCommand(command) : -1;
        if (index < 0) {
            return;
        }
    }
    toolbar->m_nPressed = index;
    toolbar->m_buttons[static_cast<size_t>(index)].state |= TBSTATE_PRESSED;
}

void CToolbarControl::OnButtonUp(HWND hWnd, POINT point) {
    CToolbarControl* toolbar = CToolbarStates::Find(hWnd);
    if (toolbar == nullptr) {
        return;
    }
    const int index = std::exchange(toolbar->m_nPressed, -1);
    if (index < 0 || static_cast<size_t>(index) >= toolbar->m_buttons.size()) {
        return;
    }
    SButton& button = toolbar->m_buttons[static_cast<size_t>(index)];
    button.state &= static_cast<BYTE>(~TBSTATE_PRESSED);
    const auto place = toolbar->Layout()[static_cast<size_t>(index)];
    if (!place || !PtInRect(&*place, point) || (button.state & TBSTATE_ENABLED) == 0) {
        return;
    }
    if ((button.style & BTNS_CHECKGROUP) == BTNS_CHECKGROUP) {
        toolbar->SetCheck(index, true);
    } else if ((button.style & BTNS_CHECK) != 0) {
        toolbar->SetCheck(index, (button.state & TBSTATE_CHECKED) == 0);
    }
    SendMessageA(toolbar->m_hWndNotify, WM_COMMAND,
                 MAKEWPARAM(LOWORD(static_cast<DWORD_PTR>(button.command)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hWnd));
}

void CToolbarControl::OnMouseMove(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CToolbarControl* toolbar = CToolbarStates::Find(hWnd);
    if (toolbar == nullptr || toolbar->m_hWndTooltip == nullptr) {
        return;
    }
    // The tools follow their buttons.
    const std::vector<std::optional<RECT>> places = toolbar->Layout();
    for (size_t i = 0; i < places.size(); ++i) {
        const SButton& button = toolbar->m_buttons[i];
        if (IsSeparator(button.style) ||
            toolbar->FindCommand(button.command) != static_cast<int>(i)) {
            continue;
        }
        TOOLINFOA info{};
        info.cbSize = sizeof(info);
        info.hwnd = hWnd;
        info.uId = static_cast<UINT_PTR>(button.command);
        info.rect = places[i].value_or(RECT{});
        SendMessageA(toolbar->m_hWndTooltip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
    }
    MSG relayed{hWnd, msg, wParam, lParam, 0, POINT{}};
    SendMessageA(toolbar->m_hWndTooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

LRESULT CToolbarControl::HandleMessage(HWND hWnd, CToolbarControl& toolbar, UINT msg, WPARAM wParam,
                                       LPARAM lParam) {
    // Changes a state bit of the button with the command id.
    auto setStateBit = [&toolbar](WPARAM id, BYTE bit, bool on) -> LRESULT {
        const int index = toolbar.FindCommand(CommandOf(id));
        if (index < 0) {
            return FALSE;
        }
        BYTE& state = toolbar.m_buttons[static_cast<size_t>(index)].state;
        state = on ? static_cast<BYTE>(state | bit) : static_cast<BYTE>(state & ~bit);
        return TRUE;
    };
    auto hasStateBit = [&toolbar](WPARAM id, BYTE bit) -> LRESULT {
        const int index = toolbar.FindCommand(CommandOf(id));
        return index >= 0 && (toolbar.m_buttons[static_cast<size_t>(index)].state & bit) != 0;
    };
    const bool on = LOWORD(static_cast<DWORD_PTR>(lParam)) != 0;
    switch (msg) {
        case WM_CREATE:
            AutoSize(hWnd);
            return 0;
        case WM_SETFONT:
            toolbar.m_hFont = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(toolbar.m_hFont);
        case WM_MOUSEMOVE:
            OnMouseMove(hWnd, msg, wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
            OnMouseMove(hWnd, msg, wParam, lParam);
            OnButtonDown(hWnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(hWnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_NOTIFY: {
            // The tooltip's requests go on to the window that gets the toolbar's notifications.
            auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header != nullptr && header->hwndFrom == toolbar.m_hWndTooltip &&
                toolbar.m_hWndTooltip != nullptr) {
                return SendMessageA(toolbar.m_hWndNotify, WM_NOTIFY, wParam, lParam);
            }
            return 0;
        }
        case TB_BUTTONSTRUCTSIZE:
            toolbar.m_cbButton = static_cast<UINT>(wParam);
            return 0;
        case TB_ADDSTRINGA:
            return toolbar.AddStrings(wParam, lParam);
        case TB_GETSTRINGA: {
            const WORD index = HIWORD(wParam);
            if (index >= toolbar.m_strings.size()) {
                return -1;
            }
            const std::string& text = toolbar.m_strings[index];
            auto* buffer = reinterpret_cast<LPSTR>(lParam);
            return buffer == nullptr ? static_cast<LRESULT>(text.size())
                                     : CopyText(text, buffer, LOWORD(wParam));
        }
        case TB_ADDBUTTONSA:
            return toolbar.Insert(-1, reinterpret_cast<const TBBUTTON*>(lParam),
                                  static_cast<int>(wParam))
                       ? TRUE
                       : FALSE;
        case TB_INSERTBUTTONA:
            return toolbar.Insert(CommandOf(wParam), reinterpret_cast<const TBBUTTON*>(lParam), 1)
                       ? TRUE
                       : FALSE;
        case TB_DELETEBUTTON:
            return toolbar.Delete(CommandOf(wParam)) ? TRUE : FALSE;
        case TB_BUTTONCOUNT:
            return static_cast<LRESULT>(toolbar.m_buttons.size());
        case TB_GETBUTTON: {
            auto* record = reinterpret_cast<TBBUTTON*>(lParam);
            if (wParam >= toolbar.m_buttons.size() || record == nullptr) {
                return FALSE;
            }
            *record = toolbar.RecordFromButton(toolbar.m_buttons[wParam]);
            return TRUE;
        }
        case TB_COMMANDTOINDEX:
            return toolbar.FindCommand(CommandOf(wParam));
        case TB_SETCMDID: {
            if (wParam >= toolbar.m_buttons.size()) {
                return FALSE;
            }
            TBBUTTONINFOA info{};
            info.cbSize = sizeof(info);
            info.dwMask = TBIF_BYINDEX | TBIF_COMMAND;
            info.idCommand = CommandOf(static_cast<WPARAM>(lParam));
            return toolbar.SetButtonInfo(wParam, &info);
        }
        case TB_SETBUTTONINFOA:
            return toolbar.SetButtonInfo(wParam, reinterpret_cast<const TBBUTTONINFOA*>(lParam));
        case TB_GETBUTTONINFOA:
            return toolbar.GetButtonInfo(wParam, reinterpret_cast<TBBUTTONINFOA*>(lParam));
        case TB_GETBUTTONTEXTA: {
            const int index = toolbar.FindCommand(CommandOf(wParam));
            if (index < 0) {
                return -1;
            }
            const std::string text =
                toolbar.ButtonText(toolbar.m_buttons[static_cast<size_t>(index)]);
            if (auto* buffer = reinterpret_cast<LPSTR>(lParam)) {
                std::memcpy(buffer, text.c_str(), text.size() + 1);
            }
            return static_cast<LRESULT>(text.size());
        }
        case TB_CHANGEBITMAP: {
            const int index = toolbar.FindCommand(CommandOf(wParam));
            if (index < 0) {
                return FALSE;
            }
            toolbar.m_buttons[static_cast<size_t>(index)].image = static_cast<int>(lParam);
            return TRUE;
        }
        case TB_GETBITMAP: {
            const int index = toolbar.FindCommand(CommandOf(wParam));
            return index >= 0 ? toolbar.m_buttons[static_cast<size_t>(index)].image : -1;
        }
        case TB_ENABLEBUTTON:
            return setStateBit(wParam, TBSTATE_ENABLED, on);
        case TB_CHECKBUTTON: {
            const int index = toolbar.FindCommand(CommandOf(wParam));
            if (index < 0) {
                return FALSE;
            }
            toolbar.SetCheck(index, on);
            return TRUE;
        }
        case TB_PRESSBUTTON:
            return setStateBit(wParam, TBSTATE_PRESSED, on);
        case TB_HIDEBUTTON:
            return setStateBit(wParam, TBSTATE_HIDDEN, on);
        case TB_INDETERMINATE:
            return setStateBit(wParam, TBSTATE_INDETERMINATE, on);
        case TB_MARKBUTTON:
            return setStateBit(wParam, TBSTATE_MARKED, on);
        case TB_ISBUTTONENABLED:
            return hasStateBit(wParam, TBSTATE_ENABLED);
        case TB_ISBUTTONCHECKED:
            return hasStateBit(wParam, TBSTATE_CHECKED);
        case TB_ISBUTTONPRESSED:
            return hasStateBit(wParam, TBSTATE_PRESSED);
        case TB_ISBUTTONHIDDEN:
            return hasStateBit(wParam, TBSTATE_HIDDEN);
        case TB_ISBUTTONINDETERMINATE:
            return hasStateBit(wParam, TBSTATE_INDETERMINATE);
        case TB_SETSTATE: {
            const int index = toolbar.FindCommand(CommandOf(wParam));
            if (index < 0) {
                return FALSE;
            }
            toolbar.m_buttons[static_cast<size_t>(index)].state =
                static_cast<BYTE>(LOWORD(static_cast<DWORD_PTR>(lParam)));
            return TRUE;
        }
        case TB_GETSTATE: {
            const int index = toolbar.FindCommand(CommandOf(wParam));
            return index >= 0 ? toolbar.m_buttons[static_cast<size_t>(index)].state : -1;
        }
        case TB_SETIMAGELIST:
            return reinterpret_cast<LRESULT>(
                std::exchange(toolbar.m_hImageList, reinterpret_cast<HIMAGELIST>(lParam)));
        case TB_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(toolbar.m_hImageList);
        case TB_SETEXTENDEDSTYLE:
            return static_cast<LRESULT>(
                std::exchange(toolbar.m_dwExtendedStyle, static_cast<DWORD>(lParam)));
        case TB_GETEXTENDEDSTYLE:
            return static_cast<LRESULT>(toolbar.m_dwExtendedStyle);
        case TB_SETSTYLE:
            SetWindowLongPtrA(hWnd, GWL_STYLE, static_cast<LONG_PTR>(static_cast<DWORD>(lParam)));
            return 0;
        case TB_GETSTYLE:
            return static_cast<LRESULT>(toolbar.m_dwStyle);
        case TB_SETBUTTONSIZE:
            toolbar.m_buttonSize = SizeParam(lParam);
            return TRUE;
        case TB_GETBUTTONSIZE:
            return SizeResult(SIZE{toolbar.SharedWidth(), toolbar.RowHeight()});
        case TB_SETBITMAPSIZE:
            toolbar.m_bitmapSize = SizeParam(lParam);
            return TRUE;
        case TB_SETPADDING:
            return SizeResult(std::exchange(toolbar.m_padding, SizeParam(lParam)));
        case TB_GETPADDING:
            return SizeResult(toolbar.m_padding);
        case TB_SETMAXTEXTROWS:
            toolbar.m_nTextRows = std::max(0, CommandOf(wParam));
            return TRUE;
        case TB_GETTEXTROWS:
            return toolbar.m_nTextRows;
        case TB_SETINDENT:
            toolbar.m_nIndent = CommandOf(wParam);
            return TRUE;
        case TB_GETITEMRECT:
        case TB_GETRECT: {
            const int index = msg == TB_GETRECT ? toolbar.FindCommand(CommandOf(wParam))
                                                : toolbar.FindButton(wParam, true);
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (index < 0 || rect == nullptr) {
                return FALSE;
            }
            const auto place = toolbar.Layout()[static_cast<size_t>(index)];
            if (!place) {
                return FALSE;
            }
            *rect = *place;
            return TRUE;
        }
        case TB_GETMAXSIZE:
        case TB_GETIDEALSIZE: {
            auto* size = reinterpret_cast<SIZE*>(lParam);
            if (size == nullptr) {
                return FALSE;
            }
            RECT bounds{};
            bool any = false;
            for (const auto& place : toolbar.Layout()) {
                if (place) {
                    bounds = any ? RECT{std::min(bounds.left, place->left),
                                        std::min(bounds.top, place->top),
                                        std::max(bounds.right, place->right),
                                        std::max(bounds.bottom, place->bottom)}
                                 : *place;
                    any = true;
                }
            }
            if (msg == TB_GETMAXSIZE) {
                *size = SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
            } else if (wParam != 0) {
                size->cy = bounds.bottom;
            } else {
                size->cx = bounds.right;
            }
            return TRUE;
        }
        case TB_AUTOSIZE:
            AutoSize(hWnd);
            return 0;
        case TB_GETTOOLTIPS:
            return reinterpret_cast<LRESULT>(toolbar.m_hWndTooltip);
        case TB_SETTOOLTIPS:
            toolbar.m_hWndTooltip = reinterpret_cast<HWND>(wParam);
            return 0;
        case TB_SETPARENT:
            return reinterpret_cast<LRESULT>(
                std::exchange(toolbar.m_hWndNotify, reinterpret_cast<HWND>(wParam)));
        default:
            return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK CToolbarControl::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        CToolbarControl& toolbar = CToolbarStates::Create(hWnd);
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        toolbar.m_hWnd = hWnd;
        toolbar.m_hWndNotify = cs != nullptr ? cs->hwndParent : nullptr;
        // Made here rather than at WM_CREATE, which a superclass may keep to itself.
        OnCreate(hWnd, cs);
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    CToolbarControl* toolbar = CToolbarStates::Find(hWnd);
    if (toolbar == nullptr) {
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        HWND hWndTooltip = toolbar->m_hWndTooltip;
        LRESULT result = DefWindowProcA(hWnd, msg, wParam, lParam);
        CToolbarStates::Remove(hWnd);
        if (hWndTooltip != nullptr && IsWindow(hWndTooltip)) {
            DestroyWindow(hWndTooltip);
        }
        return result;
    }
    toolbar->m_dwStyle = static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE));
    return HandleMessage(hWnd, *toolbar, msg, wParam, lParam);
}
