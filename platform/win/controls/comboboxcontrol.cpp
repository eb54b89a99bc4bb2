#include "platform/win/controls/comboboxcontrol.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/text/codepage.h"
#include "platform/text/lettercase.h"
#include "platform/win/controlstates.h"

namespace {

using CComboBoxStates = CControlStates<CComboBoxControl>;

constexpr int kFieldMargin = 3;
constexpr int kArrowWidth = 17;
constexpr int kListBorder = 1;
constexpr int kTextIndent = 2;
constexpr UINT kMaxItemHeight = 255;

int IndexOf(WPARAM wParam) {
    return static_cast<int>(static_cast<INT_PTR>(wParam));
}

// Compares without regard to letter case in the ANSI code page: <0, 0 or >0.
int CompareNoCase(const std::string& first, const std::string& second) {
    const size_t count = std::min(first.size(), second.size());
    for (size_t i = 0; i < count; ++i) {
        const auto a = static_cast<unsigned char>(AnsiCharUpper(first[i]));
        const auto b = static_cast<unsigned char>(AnsiCharUpper(second[i]));
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    return first.size() == second.size() ? 0 : (first.size() < second.size() ? -1 : 1);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Geometry

UINT CComboBoxControl::ItemHeight(int index) const {
    if (IsVariable() && IsValid(index)) {
        return m_items[static_cast<size_t>(index)].height;
    }
    return m_nItemHeight;
}

RECT CComboBoxControl::FieldRect(HWND hWnd) const {
    RECT client{};
    GetClientRect(hWnd, &client);
    return RECT{kFieldMargin, kFieldMargin,
                std::max<LONG>(kFieldMargin, client.right - kFieldMargin - kArrowWidth),
                kFieldMargin + static_cast<LONG>(m_nFieldHeight)};
}

int CComboBoxControl::ListClientHeight() const {
    const int fieldWindowHeight = static_cast<int>(m_nFieldHeight) + 2 * kFieldMargin;
    const int available = std::max(m_nDroppedHeight - fieldWindowHeight - 2 * kListBorder, 0);
    int total = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        total += static_cast<int>(ItemHeight(static_cast<int>(i)));
    }
    const int first = static_cast<int>(ItemHeight(0));
    if (total == 0) {
        return first;
    }
    if (!IsVariable() && (m_dwStyle & CBS_NOINTEGRALHEIGHT) == 0) {
        const int rows = std::max(1, available / first);
        return std::min(total, rows * first);
    }
    return std::min(total, std::max(available, first));
}

bool CComboBoxControl::ListItemRect(int index, int width, RECT& rect) const {
    if (!IsValid(index) || index < m_nTop) {
        return false;
    }
    int top = 0;
    for (int i = m_nTop; i < index; ++i) {
        top += static_cast<int>(ItemHeight(i));
    }
    const int bottom = top + static_cast<int>(ItemHeight(index));
    if (bottom > ListClientHeight()) {
        return false;
    }
    rect = RECT{0, top, width, bottom};
    return true;
}

int CComboBoxControl::ItemAt(int y) const {
    int top = 0;
    for (int i = m_nTop; IsValid(i); ++i) {
        const int bottom = top + static_cast<int>(ItemHeight(i));
        if (y >= top && y < bottom) {
            return bottom <= ListClientHeight() ? i : -1;
        }
        top = bottom;
    }
    return -1;
}

void CComboBoxControl::ScrollTo(int index) {
    if (!IsValid(index)) {
        return;
    }
    if (index < m_nTop) {
        m_nTop = index;
    }
    RECT rect{};
    while (m_nTop < index && !ListItemRect(index, 0, rect)) {
        ++m_nTop;
    }
}

std::string CComboBoxControl::ItemText(int index) const {
    return IsValid(index) && HasStrings() ? m_items[static_cast<size_t>(index)].text
                                          : std::string();
}

// ---------------------------------------------------------------------------------------------
// Items

UINT CComboBoxControl::Measure(HWND hWnd, UINT itemID, ULONG_PTR data) {
    RECT client{};
    GetClientRect(hWnd, &client);
    MEASUREITEMSTRUCT measure{ODT_COMBOBOX,
                              static_cast<UINT>(GetDlgCtrlID(hWnd)),
                              itemID,
                              static_cast<UINT>(client.right),
                              static_cast<UINT>(CTextMetrics::kLineHeight),
                              data};
    SendMessageA(GetParent(hWnd), WM_MEASUREITEM, measure.CtlID,
                 reinterpret_cast<LPARAM>(&measure));
    return std::clamp<UINT>(measure.itemHeight, 1, kMaxItemHeight);
}

int CComboBoxControl::Compare(HWND hWnd, int index, ULONG_PTR data) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    COMPAREITEMSTRUCT compare{ODT_COMBOBOX,
                              static_cast<UINT>(GetDlgCtrlID(hWnd)),
                              hWnd,
                              static_cast<UINT>(index),
                              combo->m_items[static_cast<size_t>(index)].data,
                              static_cast<UINT>(-1),
                              data,
                              0};
    return static_cast<int>(SendMessageA(GetParent(hWnd), WM_COMPAREITEM, compare.CtlID,
                                         reinterpret_cast<LPARAM>(&compare)));
}

LRESULT CComboBoxControl::AddItem(HWND hWnd, int index, LPARAM lParam, bool sorted) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    SItem item;
    if (combo->HasStrings()) {
        if (lParam == 0) {
            return CB_ERR;
        }
        item.text = reinterpret_cast<LPCSTR>(lParam);
        if ((combo->m_dwStyle & CBS_UPPERCASE) != 0) {
            item.text = AnsiUpper(item.text);
        } else if ((combo->m_dwStyle & CBS_LOWERCASE) != 0) {
            item.text = AnsiLower(item.text);
        }
    } else {
        item.data = static_cast<ULONG_PTR>(lParam);
    }
    const auto count = static_cast<int>(combo->m_items.size());
    if (index == -1) {
        index = count;
    } else if (index < 0 || index > count) {
        return CB_ERR;
    }
    if (sorted && (combo->m_dwStyle & CBS_SORT) != 0) {
        index = 0;
        if (combo->HasStrings()) {
            while (index < count &&
                   CompareNoCase(combo->m_items[static_cast<size_t>(index)].text, item.text) <= 0) {
                ++index;
            }
        } else {
            while (index < count && Compare(hWnd, index, item.data) <= 0) {
                if ((combo = CComboBoxStates::Find(hWnd)) == nullptr) {
                    return CB_ERR;
                }
                ++index;
            }
            if ((combo = CComboBoxStates::Find(hWnd)) == nullptr) {
                return CB_ERR;
            }
            index = std::min(index, static_cast<int>(combo->m_items.size()));
        }
    }
    if (combo->IsVariable()) {
        item.height = Measure(hWnd, static_cast<UINT>(index), item.data);
        if ((combo = CComboBoxStates::Find(hWnd)) == nullptr) {
            return CB_ERR;
        }
        index = std::min(index, static_cast<int>(combo->m_items.size()));
    }
    combo->m_items.insert(combo->m_items.begin() + index, item);
    if (combo->m_nSelected >= index) {
        ++combo->m_nSelected;
    }
    if (combo->m_nHighlighted >= index) {
        ++combo->m_nHighlighted;
    }
    if (combo->m_bDropped) {
        DrawList(hWnd);
    }
    return index;
}

void CComboBoxControl::SendDeleteItems(HWND hWnd, const std::vector<SItem>& items, int first) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].data == 0) {
            continue;
        }
        DELETEITEMSTRUCT deleted{ODT_COMBOBOX, static_cast<UINT>(GetDlgCtrlID(hWnd)),
                                 static_cast<UINT>(first + static_cast<int>(i)), hWnd,
                                 items[i].data};
        SendMessageA(GetParent(hWnd), WM_DELETEITEM, deleted.CtlID,
                     reinterpret_cast<LPARAM>(&deleted));
    }
}

LRESULT CComboBoxControl::DeleteItem(HWND hWnd, int index) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    if (!combo->IsValid(index)) {
        return CB_ERR;
    }
    const SItem removed = combo->m_items[static_cast<size_t>(index)];
    combo->m_items.erase(combo->m_items.begin() + index);
    const bool selectedRemoved = combo->m_nSelected == index;
    if (selectedRemoved) {
        combo->m_nSelected = -1;
    } else if (combo->m_nSelected > index) {
        --combo->m_nSelected;
    }
    if (combo->m_nHighlighted == index) {
        combo->m_nHighlighted = -1;
    } else if (combo->m_nHighlighted > index) {
        --combo->m_nHighlighted;
    }
    combo->m_nTop =
        std::clamp(combo->m_nTop, 0, std::max(0, static_cast<int>(combo->m_items.size()) - 1));
    const bool ownerDraw = combo->IsOwnerDraw();
    const bool dropped = combo->m_bDropped;
    const auto remaining = static_cast<LRESULT>(combo->m_items.size());
    if (ownerDraw) {
        SendDeleteItems(hWnd, {removed}, index);
    }
    if (dropped) {
        DrawList(hWnd);
    }
    if (selectedRemoved) {
        DrawField(hWnd);
    }
    return remaining;
}

void CComboBoxControl::ResetContent(HWND hWnd) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    std::vector<SItem> removed;
    removed.swap(combo->m_items);
    const bool hadSelection = combo->m_nSelected >= 0;
    combo->m_nSelected = -1;
    combo->m_nHighlighted = -1;
    combo->m_nTop = 0;
    const bool ownerDraw = combo->IsOwnerDraw();
    const bool dropped = combo->m_bDropped;
    if (ownerDraw) {
        SendDeleteItems(hWnd, removed, 0);
    }
    if (dropped) {
        DrawList(hWnd);
    }
    if (hadSelection) {
        DrawField(hWnd);
    }
}

int CComboBoxControl::FindItem(HWND hWnd, int start, LPARAM lParam, bool exact) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    const auto count = static_cast<int>(combo->m_items.size());
    if (count == 0) {
        return CB_ERR;
    }
    const bool hasStrings = combo->HasStrings();
    const bool compared = !hasStrings && (combo->m_dwStyle & CBS_SORT) != 0;
    if (hasStrings && lParam == 0) {
        return CB_ERR;
    }
    const std::string text = hasStrings ? reinterpret_cast<LPCSTR>(lParam) : "";
    const int first = start >= 0 && start < count ? start + 1 : 0;
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        bool match = false;
        if (hasStrings) {
            const std::string& itemText = combo->m_items[static_cast<size_t>(i)].text;
            match = exact ? CompareNoCase(itemText, text) == 0 : StartsWithNoCase(itemText, text);
        } else if (compared) {
            match = Compare(hWnd, i, static_cast<ULONG_PTR>(lParam)) == 0;
            if ((combo = CComboBoxStates::Find(hWnd)) == nullptr ||
                static_cast<int>(combo->m_items.size()) != count) {
                return CB_ERR;
            }
        } else {
            match = combo->m_items[static_cast<size_t>(i)].data == static_cast<ULONG_PTR>(lParam);
        }
        if (match) {
            return i;
        }
    }
    return CB_ERR;
}

// ---------------------------------------------------------------------------------------------
// Selection and the drop-down list

void CComboBoxControl::Notify(HWND hWnd, WORD code) {
    SendMessageA(GetParent(hWnd), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hWnd)), code),
                 reinterpret_cast<LPARAM>(hWnd));
}

void CComboBoxControl::Select(HWND hWnd, int index) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    const int highlighted = combo->m_nHighlighted;
    combo->m_nSelected = index;
    combo->m_nHighlighted = index;
    if (!combo->IsDropDownList() && combo->HasStrings()) {
        DefWindowProcA(hWnd, WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(combo->ItemText(index).c_str()));
    }
    if (combo->m_bDropped && highlighted != index) {
        DrawListItem(hWnd, highlighted, ODA_SELECT);
        DrawListItem(hWnd, index, ODA_SELECT);
    }
    DrawField(hWnd);
}

void CComboBoxControl::Highlight(HWND hWnd, int index) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    const int highlighted = std::exchange(combo->m_nHighlighted, index);
    if (highlighted != index) {
        DrawListItem(hWnd, highlighted, ODA_SELECT);
        DrawListItem(hWnd, index, ODA_SELECT);
    }
}

void CComboBoxControl::Choose(HWND hWnd, int index) {
    Highlight(hWnd, index);
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    if (combo == nullptr) {
        return;
    }
    const bool changed = combo->m_nSelected != index;
    Select(hWnd, index);
    if (changed) {
        Notify(hWnd, CBN_SELCHANGE);
    }
    Notify(hWnd, CBN_SELENDOK);
    CloseUp(hWnd);
}

void CComboBoxControl::DropDown(HWND hWnd) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    if (combo->m_bDropped || combo->m_hWndList == nullptr) {
        return;
    }
    Notify(hWnd, CBN_DROPDOWN);
    if ((combo = CComboBoxStates::Find(hWnd)) == nullptr) {
        return;
    }
    combo->m_nHighlighted = combo->m_nSelected;
    combo->ScrollTo(combo->m_nHighlighted);
    RECT rcCombo{};
    GetWindowRect(hWnd, &rcCombo);
    combo->m_bDropped = true;
    SetWindowPos(combo->m_hWndList, HWND_TOPMOST, rcCombo.left, rcCombo.bottom,
                 rcCombo.right - rcCombo.left, combo->ListClientHeight() + 2 * kListBorder,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    DrawList(hWnd);
    DrawField(hWnd);
}

void CComboBoxControl::CloseUp(HWND hWnd) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    if (combo == nullptr || !combo->m_bDropped) {
        return;
    }
    combo->m_bDropped = false;
    ShowWindow(combo->m_hWndList, SW_HIDE);
    Notify(hWnd, CBN_CLOSEUP);
    DrawField(hWnd);
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CComboBoxControl::DrawItem(HWND hWnd, HDC hdc, int index, UINT action, UINT state,
                                const RECT& rect) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    if (combo->IsOwnerDraw()) {
        DRAWITEMSTRUCT draw{
            ODT_COMBOBOX,
            static_cast<UINT>(GetDlgCtrlID(hWnd)),
            static_cast<UINT>(index),
            action,
            state,
            hWnd,
            hdc,
            rect,
            combo->IsValid(index) ? combo->m_items[static_cast<size_t>(index)].data : 0};
        SendMessageA(GetParent(hWnd), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        return;
    }
    const bool selected = (state & ODS_SELECTED) != 0;
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    FillRect(hdc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (!combo->IsValid(index)) {
        return;
    }
    SetBkColor(hdc, back);
    SetTextColor(hdc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = rect;
    text.left += kTextIndent;
    DrawTextA(hdc, combo->ItemText(index).c_str(), -1, &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CComboBoxControl::DrawField(HWND hWnd) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    if (combo == nullptr || !IsWindowVisible(hWnd)) {
        return;
    }
    UINT state = ODS_COMBOBOXEDIT;
    if (combo->m_bFocused && !combo->m_bDropped) {
        state |= ODS_SELECTED | ODS_FOCUS;
    }
    if (!IsWindowEnabled(hWnd)) {
        state |= ODS_DISABLED;
    }
    const RECT rect = combo->FieldRect(hWnd);
    const int index = combo->m_nSelected;
    HDC hdc = GetDC(hWnd);
    IntersectClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
    DrawItem(hWnd, hdc, index, ODA_DRAWENTIRE, state, rect);
    ReleaseDC(hWnd, hdc);
}

void CComboBoxControl::DrawListItem(HWND hWnd, int index, UINT action) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    if (combo == nullptr || !combo->m_bDropped) {
        return;
    }
    RECT client{};
    GetClientRect(combo->m_hWndList, &client);
    RECT rect{};
    if (!combo->ListItemRect(index, client.right, rect)) {
        return;
    }
    const UINT state = index == combo->m_nHighlighted ? ODS_SELECTED | ODS_FOCUS : 0;
    HWND hWndList = combo->m_hWndList;
    HDC hdc = GetDC(hWndList);
    IntersectClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
    DrawItem(hWnd, hdc, index, action, state, rect);
    ReleaseDC(hWndList, hdc);
}

void CComboBoxControl::DrawList(HWND hWnd) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    if (combo == nullptr || !combo->m_bDropped) {
        return;
    }
    RECT rcList{};
    GetWindowRect(combo->m_hWndList, &rcList);
    SetWindowPos(combo->m_hWndList, nullptr, 0, 0, rcList.right - rcList.left,
                 combo->ListClientHeight() + 2 * kListBorder,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = combo->m_nTop; combo != nullptr && combo->IsValid(i); ++i) {
        RECT rect{};
        if (!combo->ListItemRect(i, 0, rect)) {
            break;
        }
        DrawListItem(hWnd, i, ODA_DRAWENTIRE);
        combo = CComboBoxStates::Find(hWnd);
    }
}

// ---------------------------------------------------------------------------------------------
// Window behaviour

void CComboBoxControl::OnCreate(HWND hWnd) {
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    if (combo->IsOwnerDraw()) {
        const UINT fieldHeight = Measure(hWnd, static_cast<UINT>(-1), 0);
        const bool variable = combo->IsVariable();
        const UINT itemHeight = variable ? CTextMetrics::kLineHeight : Measure(hWnd, 0, 0);
        if ((combo = CComboBoxStates::Find(hWnd)) == nullptr) {
            return;
        }
        combo->m_nFieldHeight = fieldHeight;
        combo->m_nItemHeight = itemHeight;
    }
    HWND hWndList = CreateWindowExA(WS_EX_TOOLWINDOW, WC_COMBOLBOXA, nullptr, WS_POPUP | WS_BORDER,
                                    0, 0, 0, 0, hWnd, nullptr, nullptr, nullptr);
    if ((combo = CComboBoxStates::Find(hWnd)) == nullptr) {
        DestroyWindow(hWndList);
        return;
    }
    combo->m_hWndList = hWndList;
    SetWindowLongPtrA(hWndList, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hWnd));
    RECT rcWindow{};
    GetWindowRect(hWnd, &rcWindow);
    SetWindowPos(hWnd, nullptr, 0, 0, rcWindow.right - rcWindow.left,
                 static_cast<int>(combo->m_nFieldHeight) + 2 * kFieldMargin,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CComboBoxControl::HandleMessage(HWND hWnd, CComboBoxControl& combo, UINT msg, WPARAM wParam,
                                        LPARAM lParam) {
    const int index = IndexOf(wParam);
    switch (msg) {
        case WM_CREATE:
            OnCreate(hWnd);
            return 0;
        case WM_DESTROY: {
            std::vector<SItem> removed;
            removed.swap(combo.m_items);
            combo.m_nSelected = -1;
            if (combo.IsOwnerDraw()) {
                SendDeleteItems(hWnd, removed, 0);
            }
            return 0;
        }
        case WM_SETFONT:
            combo.m_hFont = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(combo.m_hFont);
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH: {
            if (!combo.IsDropDownList()) {
                return DefWindowProcA(hWnd, msg, wParam, lParam);
            }
            const std::string text = combo.ItemText(combo.m_nSelected);
            if (msg == WM_GETTEXTLENGTH) {
                return static_cast<LRESULT>(text.size());
            }
            auto* buffer = reinterpret_cast<LPSTR>(lParam);
            if (buffer == nullptr || wParam == 0) {
                return 0;
            }
            const size_t count = std::min(text.size(), static_cast<size_t>(wParam - 1));
            std::memcpy(buffer, text.data(), count);
            buffer[count] = '\0';
            return static_cast<LRESULT>(count);
        }
        case WM_SETTEXT: {
            if (!combo.IsDropDownList()) {
                return DefWindowProcA(hWnd, msg, wParam, lParam);
            }
            const int found = lParam != 0 ? FindItem(hWnd, -1, lParam, true) : CB_ERR;
            if (found == CB_ERR) {
                return CB_ERR;
            }
            Select(hWnd, found);
            return TRUE;
        }
        case WM_PAINT:
            DrawField(hWnd);
            return DefWindowProcA(hWnd, msg, wParam, lParam);
        case WM_SETFOCUS:
            combo.m_bFocused = true;
            Notify(hWnd, CBN_SETFOCUS);
            DrawField(hWnd);
            return 0;
        case WM_KILLFOCUS:
            if (combo.m_bDropped) {
                Notify(hWnd, CBN_SELENDCANCEL);
                CloseUp(hWnd);
            }
            if (CComboBoxControl* current = CComboBoxStates::Find(hWnd)) {
                current->m_bFocused = false;
                Notify(hWnd, CBN_KILLFOCUS);
                DrawField(hWnd);
            }
            return 0;
        case WM_LBUTTONDOWN:
            if (!IsWindowEnabled(hWnd)) {
                return 0;
            }
            SetFocus(hWnd);
            if (CComboBoxControl* current = CComboBoxStates::Find(hWnd); current != nullptr) {
                if (current->m_bDropped) {
                    Notify(hWnd, CBN_SELENDCANCEL);
                    CloseUp(hWnd);
                } else {
                    DropDown(hWnd);
                }
            }
            return 0;
        case CB_ADDSTRING:
            return AddItem(hWnd, -1, lParam, true);
        case CB_INSERTSTRING:
            return AddItem(hWnd, index, lParam, false);
        case CB_DELETESTRING:
            return DeleteItem(hWnd, index);
        case CB_RESETCONTENT:
            ResetContent(hWnd);
            return CB_OKAY;
        case CB_GETCOUNT:
            return static_cast<LRESULT>(combo.m_items.size());
        case CB_GETCURSEL:
            return combo.m_nSelected;
        case CB_SETCURSEL:
            if (!combo.IsValid(index)) {
                if (combo.m_nSelected != -1) {
                    Select(hWnd, -1);
                }
                return CB_ERR;
            }
            Select(hWnd, index);
            return index;
        case CB_GETITEMDATA:
            return combo.IsValid(index)
                       ? static_cast<LRESULT>(combo.m_items[static_cast<size_t>(index)].data)
                       : CB_ERR;
        case CB_SETITEMDATA:
            if (!combo.IsValid(index)) {
                return CB_ERR;
            }
            combo.m_items[static_cast<size_t>(index)].data = static_cast<ULONG_PTR>(lParam);
            return TRUE;
        case CB_GETLBTEXT:
        case CB_GETLBTEXTLEN: {
            if (!combo.IsValid(index)) {
                return CB_ERR;
            }
            const SItem& item = combo.m_items[static_cast<size_t>(index)];
            if (!combo.HasStrings()) {
                if (msg == CB_GETLBTEXT && lParam != 0) {
                    std::memcpy(reinterpret_cast<void*>(lParam), &item.data, sizeof(item.data));
                }
                return static_cast<LRESULT>(sizeof(item.data));
            }
            if (msg == CB_GETLBTEXT && lParam != 0) {
                std::memcpy(reinterpret_cast<void*>(lParam), item.text.c_str(),
                            item.text.size() + 1);
            }
            return static_cast<LRESULT>(item.text.size());
        }
        case CB_FINDSTRING:
        case CB_FINDSTRINGEXACT:
            return FindItem(hWnd, index, lParam, msg == CB_FINDSTRINGEXACT);
        case CB_SELECTSTRING: {
            const int found = FindItem(hWnd, index, lParam, false);
            if (found != CB_ERR) {
                Select(hWnd, found);
            }
            return found;
        }
        case CB_SETITEMHEIGHT: {
            const auto height = static_cast<UINT>(lParam);
            if (height == 0 || height > kMaxItemHeight) {
                return CB_ERR;
            }
            if (index == -1) {
                combo.m_nFieldHeight = height;
                RECT rcWindow{};
                GetWindowRect(hWnd, &rcWindow);
                SetWindowPos(hWnd, nullptr, 0, 0, rcWindow.right - rcWindow.left,
                             static_cast<int>(height) + 2 * kFieldMargin,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            } else if (combo.IsVariable()) {
                if (!combo.IsValid(index)) {
                    return CB_ERR;
                }
                combo.m_items[static_cast<size_t>(index)].height = height;
            } else {
                combo.m_nItemHeight = height;
            }
            return CB_OKAY;
        }
        case CB_GETITEMHEIGHT:
            if (index == -1) {
                return combo.m_nFieldHeight;
            }
            if (combo.IsVariable() && !combo.IsValid(index)) {
                return CB_ERR;
            }
            return combo.ItemHeight(index);
        case CB_SHOWDROPDOWN:
            if (wParam != 0) {
                DropDown(hWnd);
            } else {
                CloseUp(hWnd);
            }
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return combo.m_bDropped ? TRUE : FALSE;
        case CB_GETDROPPEDCONTROLRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (rect == nullptr) {
                return FALSE;
            }
            RECT rcCombo{};
            GetWindowRect(hWnd, &rcCombo);
            *rect = RECT{rcCombo.left, rcCombo.bottom, rcCombo.right,
                         rcCombo.bottom + combo.ListClientHeight() + 2 * kListBorder};
            return TRUE;
        }
        case CB_GETTOPINDEX:
            return combo.m_nTop;
        case CB_SETTOPINDEX:
            if (!combo.IsValid(index)) {
                return CB_ERR;
            }
            combo.m_nTop = index;
            DrawList(hWnd);
            return CB_OKAY;
        case CB_GETCOMBOBOXINFO: {
            auto* info = reinterpret_cast<COMBOBOXINFO*>(lParam);
            if (info == nullptr || info->cbSize != sizeof(COMBOBOXINFO)) {
                return FALSE;
            }
            const RECT field = combo.FieldRect(hWnd);
            info->rcItem = field;
            info->rcButton = RECT{field.right, field.top, field.right + kArrowWidth, field.bottom};
            info->stateButton = 0;
            info->hwndCombo = hWnd;
            info->hwndItem = hWnd;
            info->hwndList = combo.m_hWndList;
            return TRUE;
        }
        default:
            return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK CComboBoxControl::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        CComboBoxControl& combo = CComboBoxStates::Create(hWnd);
        if (auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam)) {
            combo.m_nDroppedHeight = cs->cy;
            combo.m_dwStyle = static_cast<DWORD>(cs->style);
        }
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    CComboBoxControl* combo = CComboBoxStates::Find(hWnd);
    if (combo == nullptr) {
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        HWND hWndList = combo->m_hWndList;
        LRESULT result = DefWindowProcA(hWnd, msg, wParam, lParam);
        CComboBoxStates::Remove(hWnd);
        if (hWndList != nullptr && IsWindow(hWndList)) {
            DestroyWindow(hWndList);
        }
        return result;
    }
    combo->m_dwStyle = static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE));
    return HandleMessage(hWnd, *combo, msg, wParam, lParam);
}

LRESULT CALLBACK CComboBoxControl::ListWindowProc(HWND hWnd, UINT msg, WPARAM wParam,
                                                  LPARAM lParam) {
    auto hWndCombo = reinterpret_cast<HWND>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    CComboBoxControl* combo = CComboBoxStates::Find(hWndCombo);
    if (combo == nullptr) {
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
            if (const int index = combo->ItemAt(GET_Y_LPARAM(lParam)); index >= 0) {
                Highlight(hWndCombo, index);
            }
            return 0;
        case WM_LBUTTONUP:
            if (const int index = combo->ItemAt(GET_Y_LPARAM(lParam)); index >= 0) {
                Choose(hWndCombo, index);
            }
            return 0;
        case LB_GETITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            RECT client{};
            GetClientRect(hWnd, &client);
            if (rect == nullptr || !combo->ListItemRect(IndexOf(wParam), client.right, *rect)) {
                return LB_ERR;
            }
            return LB_OKAY;
        }
        default:
            return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}
