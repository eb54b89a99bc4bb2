#include "platform/win/controls/rebarcontrol.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include "platform/win/controls/textmetrics.h"
#include "platform/win/controlstates.h"

namespace {

using CRebarStates = CControlStates<CRebarControl>;

constexpr int kGripperWidth = 10;
constexpr int kTitleGap = 4;
constexpr int kRowMargin = 2;

// Where the fields that later forms of the record added end.
constexpr size_t kChildSizesEnd = offsetof(REBARBANDINFOA, cyIntegral) + sizeof(UINT);
constexpr size_t kIdealSizeEnd = offsetof(REBARBANDINFOA, cxIdeal) + sizeof(UINT);
constexpr size_t kLParamEnd = offsetof(REBARBANDINFOA, lParam) + sizeof(LPARAM);
constexpr size_t kHeaderSizeEnd = offsetof(REBARBANDINFOA, cxHeader) + sizeof(UINT);

bool Covers(const REBARBANDINFOA* info, size_t end) {
    return info->cbSize >= end;
}

int IndexOf(WPARAM wParam) {
    return static_cast<int>(static_cast<INT_PTR>(wParam));
}

}  // namespace

int CRebarControl::HeaderWidth(const SBand& band) const {
    if (band.cxHeader) {
        return static_cast<int>(*band.cxHeader);
    }
    const bool gripper =
        (band.style & RBBS_NOGRIPPER) == 0 &&
        ((band.style & RBBS_FIXEDSIZE) == 0 || (band.style & RBBS_GRIPPERALWAYS) != 0);
    int width = gripper ? kGripperWidth : 0;
    if (!band.text.empty() && (band.style & RBBS_HIDETITLE) == 0) {
        width += kTitleGap + CTextMetrics::Width(band.text);
    }
    return width;
}

int CRebarControl::ChildHeight(const SBand& band) const {
    if (band.child == nullptr) {
        return 0;
    }
    if ((band.style & RBBS_VARIABLEHEIGHT) != 0) {
        return static_cast<int>(std::max(band.cyChild, band.cyMinChild));
    }
    return static_cast<int>(band.cyMinChild);
}

std::vector<std::optional<CRebarControl::SPlace>> CRebarControl::Places(int width) const {
    std::vector<std::optional<SPlace>> places(m_bands.size());
    std::vector<int> rowHeights;
    std::vector<size_t> rowEnds;  // the last band of each row
    int x = 0;
    for (size_t i = 0; i < m_bands.size(); ++i) {
        const SBand& band = m_bands[i];
        if ((band.style & RBBS_HIDDEN) != 0) {
            continue;
        }
        if (rowHeights.empty() || (band.style & RBBS_BREAK) != 0) {
            rowHeights.push_back(0);
            rowEnds.push_back(i);
            x = 0;
        }
        const int header = HeaderWidth(band);
        const int bandWidth =
            std::max(static_cast<int>(band.cx), header + static_cast<int>(band.cxMinChild));
        SPlace place;
        place.row = static_cast<int>(rowHeights.size()) - 1;
        place.band = RECT{x, 0, x + bandWidth, 0};
        places[i] = place;
        x += bandWidth;
        rowHeights.back() = std::max(rowHeights.back(), ChildHeight(band) + 2 * kRowMargin);
        rowEnds.back() = i;
    }
    if ((m_dwStyle & RBS_VARHEIGHT) == 0 && !rowHeights.empty()) {
        const int tallest = *std::max_element(rowHeights.begin(), rowHeights.end());
        std::fill(rowHeights.begin(), rowHeights.end(), tallest);
    }
    std::vector<int> rowTops(rowHeights.size(), 0);
    for (size_t row = 1; row < rowHeights.size(); ++row) {
        rowTops[row] = rowTops[row - 1] + rowHeights[row - 1];
    }
    for (size_t i = 0; i < m_bands.size(); ++i) {
        if (!places[i]) {
            continue;
        }
        SPlace& place = *places[i];
        const auto row = static_cast<size_t>(place.row);
        if (rowEnds[row] == i) {
            place.band.right = std::max(place.band.right, static_cast<LONG>(width));
        }
        place.band.top = rowTops[row];
        place.band.bottom = rowTops[row] + rowHeights[row];
        const int childHeight = ChildHeight(m_bands[i]);
        const int childTop = place.band.top + (rowHeights[row] - childHeight) / 2;
        place.child = RECT{place.band.left + HeaderWidth(m_bands[i]), childTop, place.band.right,
                           childTop + childHeight};
    }
    return places;
}

int CRebarControl::BarHeight() const {
    int height = 0;
    for (const auto& place : Places(0)) {
        if (place) {
            height = std::max(height, static_cast<int>(place->band.bottom));
        }
    }
    return height;
}

int CRebarControl::RowCount() const {
    int rows = 0;
    for (const auto& place : Places(0)) {
        if (place) {
            rows = std::max(rows, place->row + 1);
        }
    }
    return rows;
}

void CRebarControl::ReleaseChild(HWND hWndChild, HWND hWndParent) {
    if (!IsWindow(hWndChild)) {
        return;
    }
    ShowWindow(hWndChild, SW_HIDE);
    if (hWndParent != nullptr && IsWindow(hWndParent)) {
        SetParent(hWndChild, hWndParent);
    }
}

bool CRebarControl::SetBand(HWND hWnd, int index, const REBARBANDINFOA* info, bool insert) {
    CRebarControl* rebar = CRebarStates::Find(hWnd);
    if (info == nullptr || info->cbSize < REBARBANDINFOA_V3_SIZE) {
        return false;
    }
    const UINT mask = info->fMask;
    HWND hWndNewChild = (mask & RBBIM_CHILD) != 0 ? info->hwndChild : nullptr;
    if (hWndNewChild != nullptr &&
        (!IsWindow(hWndNewChild) || hWndNewChild == hWnd || IsChild(hWndNewChild, hWnd))) {
        return false;
    }
    if (insert) {
        if (index < 0 || static_cast<size_t>(index) > rebar->m_bands.size()) {
            index = static_cast<int>(rebar->m_bands.size());
        }
        rebar->m_bands.insert(rebar->m_bands.begin() + index, SBand{});
    } else if (index < 0 || static_cast<size_t>(index) >= rebar->m_bands.size()) {
        return false;
    }
    SBand& band = rebar->m_bands[static_cast<size_t>(index)];
    if ((mask & RBBIM_STYLE) != 0) {
        band.style = info->fStyle;
    }
    if ((mask & RBBIM_COLORS) != 0) {
        band.foreground = info->clrFore;
        band.background = info->clrBack;
    }
    if ((mask & RBBIM_TEXT) != 0) {
        band.text = info->lpText != nullptr ? info->lpText : "";
    }
    if ((mask & RBBIM_IMAGE) != 0) {
        band.image = info->iImage;
    }
    if ((mask & RBBIM_CHILDSIZE) != 0) {
        band.cxMinChild = info->cxMinChild;
        band.cyMinChild = info->cyMinChild;
        if (Covers(info, kChildSizesEnd)) {
            band.cyChild = info->cyChild;
            band.cyMaxChild = info->cyMaxChild;
            band.cyIntegral = info->cyIntegral;
        }
    }
    if ((mask & RBBIM_SIZE) != 0) {
        band.cx = info->cx;
    }
    if ((mask & RBBIM_BACKGROUND) != 0) {
        band.backgroundBitmap = info->hbmBack;
    }
    if ((mask & RBBIM_ID) != 0) {
        band.id = info->wID;
    }
    if ((mask & RBBIM_IDEALSIZE) != 0 && Covers(info, kIdealSizeEnd)) {
        band.cxIdeal = info->cxIdeal;
    }
    if ((mask & RBBIM_LPARAM) != 0 && Covers(info, kLParamEnd)) {
        band.lParam = info->lParam;
    }
    if ((mask & RBBIM_HEADERSIZE) != 0 && Covers(info, kHeaderSizeEnd)) {
        band.cxHeader = info->cxHeader;
    }
    HWND hWndOldChild = nullptr;
    HWND hWndOldParent = nullptr;
    if ((mask & RBBIM_CHILD) != 0 && band.child != hWndNewChild) {
        hWndOldChild = band.child;
        hWndOldParent = band.childParent;
        band.child = hWndNewChild;
        band.childParent = hWndNewChild != nullptr ? GetAncestor(hWndNewChild, GA_PARENT) : nullptr;
        const bool hidden = (band.style & RBBS_HIDDEN) != 0;
        ReleaseChild(hWndOldChild, hWndOldParent);
        if (hWndNewChild != nullptr) {
            SetParent(hWndNewChild, hWnd);
            ShowWindow(hWndNewChild, hidden ? SW_HIDE : SW_SHOWNA);
        }
    }
    Arrange(hWnd);
    return true;
}

bool CRebarControl::DeleteBand(HWND hWnd, int index) {
    CRebarControl* rebar = CRebarStates::Find(hWnd);
    if (index < 0 || static_cast<size_t>(index) >= rebar->m_bands.size()) {
        return false;
    }
    const SBand removed = rebar->m_bands[static_cast<size_t>(index)];
    rebar->m_bands.erase(rebar->m_bands.begin() + index);
    ReleaseChild(removed.child, removed.childParent);
    Arrange(hWnd);
    return true;
}

bool CRebarControl::ShowBand(HWND hWnd, int index, bool show) {
    CRebarControl* rebar = CRebarStates::Find(hWnd);
    if (index < 0 || static_cast<size_t>(index) >= rebar->m_bands.size()) {
        return false;
    }
    SBand& band = rebar->m_bands[static_cast<size_t>(index)];
    band.style = show ? band.style & ~RBBS_HIDDEN : band.style | RBBS_HIDDEN;
    if (HWND hWndChild = band.child; IsWindow(hWndChild)) {
        ShowWindow(hWndChild, show ? SW_SHOWNA : SW_HIDE);
    }
    Arrange(hWnd);
    return true;
}

bool CRebarControl::GetBand(int index, REBARBANDINFOA* info) const {
    if (info == nullptr || info->cbSize < REBARBANDINFOA_V3_SIZE || index < 0 ||
        static_cast<size_t>(index) >= m_bands.size()) {
        return false;
    }
    const SBand& band = m_bands[static_cast<size_t>(index)];
    const UINT mask = info->fMask;
    if ((mask & RBBIM_STYLE) != 0) {
        info->fStyle = band.style;
    }
    if ((mask & RBBIM_COLORS) != 0) {
        info->clrFore = band.foreground;
        info->clrBack = band.background;
    }
    if ((mask & RBBIM_TEXT) != 0 && info->lpText != nullptr && info->cch > 0) {
        const size_t count = std::min(band.text.size(), static_cast<size_t>(info->cch - 1));
        std::memcpy(info->lpText, band.text.data(), count);
        info->lpText[count] = '\0';
    }
    if ((mask & RBBIM_IMAGE) != 0) {
        info->iImage = band.image;
    }
    if ((mask & RBBIM_CHILD) != 0) {
        info->hwndChild = band.child;
    }
    if ((mask & RBBIM_CHILDSIZE) != 0) {
        info->cxMinChild = band.cxMinChild;
        info->cyMinChild = band.cyMinChild;
        if (Covers(info, kChildSizesEnd)) {
            info->cyChild = band.cyChild;
            info->cyMaxChild = band.cyMaxChild;
            info->cyIntegral = band.cyIntegral;
        }
    }
    if ((mask & RBBIM_SIZE) != 0) {
        info->cx = band.cx;
    }
    if ((mask & RBBIM_BACKGROUND) != 0) {
        info->hbmBack = band.backgroundBitmap;
    }
    if ((mask & RBBIM_ID) != 0) {
        info->wID = band.id;
    }
    if ((mask & RBBIM_IDEALSIZE) != 0 && Covers(info, kIdealSizeEnd)) {
        info->cxIdeal = band.cxIdeal;
    }
    if ((mask & RBBIM_LPARAM) != 0 && Covers(info, kLParamEnd)) {
        info->lParam = band.lParam;
    }
    if ((mask & RBBIM_HEADERSIZE) != 0 && Covers(info, kHeaderSizeEnd)) {
        info->cxHeader = static_cast<UINT>(HeaderWidth(band));
    }
    return true;
}

void CRebarControl::Arrange(HWND hWnd) {
    CRebarControl* rebar = CRebarStates::Find(hWnd);
    if (rebar == nullptr || rebar->m_bArranging) {
        return;
    }
    rebar->m_bArranging = true;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE));
    rebar->m_dwStyle = style;
    const int height = rebar->BarHeight();
    if ((style & CCS_NORESIZE) == 0) {
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
            SetWindowPos(hWnd, nullptr, 0, y, rcParent.right, height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            SetWindowPos(hWnd, nullptr, 0, 0, rcWindow.right - rcWindow.left, height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if ((rebar = CRebarStates::Find(hWnd)) == nullptr) {
        return;
    }
    RECT rcClient{};
    GetClientRect(hWnd, &rcClient);
    std::vector<std::pair<HWND, RECT>> moves;
    const auto places = rebar->Places(rcClient.right);
    for (size_t i = 0; i < places.size(); ++i) {
        if (places[i] && rebar->m_bands[i].child != nullptr) {
            moves.emplace_back(rebar->m_bands[i].child, places[i]->child);
        }
    }
    const bool heightChanged = height != rebar->m_nReportedHeight;
    rebar->m_nReportedHeight = height;
    HWND hWndNotify = rebar->m_hWndNotify;
    for (const auto& [hWndChild, rect] : moves) {
        RECT current{};
        GetWindowRect(hWndChild, &current);
        MapWindowPoints(nullptr, hWnd, reinterpret_cast<LPPOINT>(&current), 2);
        if (IsWindow(hWndChild) && !EqualRect(&current, &rect)) {
            MoveWindow(hWndChild, rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, TRUE);
        }
    }
    if ((rebar = CRebarStates::Find(hWnd)) != nullptr) {
        rebar->m_bArranging = false;
    }
    if (heightChanged) {
        NMHDR header{hWnd, static_cast<UINT_PTR>(GetDlgCtrlID(hWnd)), RBN_HEIGHTCHANGE};
        SendMessageA(hWndNotify, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }
}

LRESULT CRebarControl::HandleMessage(HWND hWnd, CRebarControl& rebar, UINT msg, WPARAM wParam,
                                     LPARAM lParam) {
    switch (msg) {
        case WM_SIZE:
            Arrange(hWnd);
            return 0;
        case WM_COMMAND:
        case WM_NOTIFY:
            return SendMessageA(rebar.m_hWndNotify, msg, wParam, lParam);
        case RB_INSERTBANDA:
            return SetBand(hWnd, IndexOf(wParam), reinterpret_cast<const REBARBANDINFOA*>(lParam),
                           true)
                       ? TRUE
                       : FALSE;
        case RB_SETBANDINFOA:
            return SetBand(hWnd, IndexOf(wParam), reinterpret_cast<const REBARBANDINFOA*>(lParam),
                           false)
                       ? TRUE
                       : FALSE;
        case RB_GETBANDINFOA:
            return rebar.GetBand(IndexOf(wParam), reinterpret_cast<REBARBANDINFOA*>(lParam))
                       ? TRUE
                       : FALSE;
        case RB_DELETEBAND:
            return DeleteBand(hWnd, IndexOf(wParam)) ? TRUE : FALSE;
        case RB_SHOWBAND:
            return ShowBand(hWnd, IndexOf(wParam), lParam != 0) ? TRUE : FALSE;
        case RB_MOVEBAND: {
            const int from = IndexOf(wParam);
            const int to = static_cast<int>(lParam);
            const auto count = static_cast<int>(rebar.m_bands.size());
            if (from < 0 || from >= count || to < 0 || to >= count) {
                return FALSE;
            }
            SBand band = rebar.m_bands[static_cast<size_t>(from)];
            rebar.m_bands.erase(rebar.m_bands.begin() + from);
            rebar.m_bands.insert(rebar.m_bands.begin() + to, band);
            Arrange(hWnd);
            return TRUE;
        }
        case RB_GETBANDCOUNT:
            return static_cast<LRESULT>(rebar.m_bands.size());
        case RB_IDTOINDEX: {
            auto it = std::find_if(rebar.m_bands.begin(), rebar.m_bands.end(),
                                   [wParam](const SBand& band) { return band.id == wParam; });
            return it != rebar.m_bands.end() ? it - rebar.m_bands.begin() : -1;
        }
        case RB_GETRECT: {
            const int index = IndexOf(wParam);
            auto* rect = reinterpret_cast<RECT*>(lParam);
            RECT rcClient{};
            GetClientRect(hWnd, &rcClient);
            const auto places = rebar.Places(rcClient.right);
            if (rect == nullptr || index < 0 || static_cast<size_t>(index) >= places.size() ||
                !places[static_cast<size_t>(index)]) {
                return FALSE;
            }
            *rect = places[static_cast<size_t>(index)]->band;
            return TRUE;
        }
        case RB_GETROWCOUNT:
            return rebar.RowCount();
        case RB_GETROWHEIGHT: {
            const int index = IndexOf(wParam);
            const auto places = rebar.Places(0);
            if (index < 0 || static_cast<size_t>(index) >= places.size() ||
                !places[static_cast<size_t>(index)]) {
                return 0;
            }
            const RECT& band = places[static_cast<size_t>(index)]->band;
            return band.bottom - band.top;
        }
        case RB_GETBARHEIGHT:
            return rebar.BarHeight();
        case RB_SETBARINFO:
        case RB_GETBARINFO: {
            auto* info = reinterpret_cast<REBARINFO*>(lParam);
            if (info == nullptr || info->cbSize != sizeof(REBARINFO)) {
                return FALSE;
            }
            if ((info->fMask & RBIM_IMAGELIST) != 0) {
                if (msg == RB_SETBARINFO) {
                    rebar.m_hImageList = info->himl;
                } else {
                    info->himl = rebar.m_hImageList;
                }
            }
            return TRUE;
        }
        case RB_SETPARENT:
            return reinterpret_cast<LRESULT>(
                std::exchange(rebar.m_hWndNotify, reinterpret_cast<HWND>(wParam)));
        default:
            return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK CRebarControl::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        CRebarControl& rebar = CRebarStates::Create(hWnd);
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        rebar.m_hWndNotify = cs != nullptr ? cs->hwndParent : nullptr;
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    CRebarControl* rebar = CRebarStates::Find(hWnd);
    if (rebar == nullptr) {
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        LRESULT result = DefWindowProcA(hWnd, msg, wParam, lParam);
        CRebarStates::Remove(hWnd);
        return result;
    }
    rebar->m_dwStyle = static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE));
    return HandleMessage(hWnd, *rebar, msg, wParam, lParam);
}
