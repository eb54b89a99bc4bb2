#include "platform/win/controls/devicecontext.h"

#include "platform/win/controls/gdiobjecttable.h"
#include "platform/win/controls/screensurface.h"

namespace {

RECT Intersection(const RECT& first, const RECT& second) {
    RECT result{};
    IntersectRect(&result, &first, &second);
    return result;
}

RECT ClientRectOnScreen(HWND hWnd) {
    RECT rect{};
    GetClientRect(hWnd, &rect);
    MapWindowPoints(hWnd, nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

}  // namespace

void SDrawingArea::Fill(RECT rect, COLORREF colour) const {
    if (surface == nullptr) {
        return;
    }
    OffsetRect(&rect, origin.x, origin.y);
    RECT visible{};
    if (IntersectRect(&visible, &rect, &clip)) {
        surface->Fill(visible, colour);
    }
}

CDeviceContext::CDeviceContext(HBITMAP hBitmap)
    : m_hBrush(static_cast<HBRUSH>(CGdiObjectTable::Get().GetStockObject(WHITE_BRUSH))),
      m_hPen(static_cast<HPEN>(CGdiObjectTable::Get().GetStockObject(BLACK_PEN))),
      m_hFont(static_cast<HFONT>(CGdiObjectTable::Get().GetStockObject(SYSTEM_FONT))),
      m_eKind(EKind::Memory),
      m_hBitmap(hBitmap) {}

CDeviceContext::CDeviceContext(HWND hWnd, bool bWholeWindow)
    : m_hBrush(static_cast<HBRUSH>(CGdiObjectTable::Get().GetStockObject(WHITE_BRUSH))),
      m_hPen(static_cast<HPEN>(CGdiObjectTable::Get().GetStockObject(BLACK_PEN))),
      m_hFont(static_cast<HFONT>(CGdiObjectTable::Get().GetStockObject(SYSTEM_FONT))),
      m_eKind(EKind::Window),
      m_hWnd(hWnd),
      m_bWholeWindow(bWholeWindow) {}

void CDeviceContext::IntersectClip(const RECT& rect) {
    m_rcClip = m_rcClip ? Intersection(*m_rcClip, rect) : rect;
}

SDrawingArea CDeviceContext::GetDrawingArea(CGdiObjectTable& table) const {
    SDrawingArea area;
    if (IsMemory()) {
        area.surface = table.FindSurface(m_hBitmap);
        if (area.surface != nullptr) {
            area.clip = area.surface->GetBounds();
        }
    } else {
        CScreenSurface& screen = CScreenSurface::Get();
        screen.Refresh(table);
        area.surface = screen.GetSurface();
        area.clip = area.surface->GetBounds();
        if (m_hWnd != nullptr) {
            if (!IsWindow(m_hWnd) || !IsWindowVisible(m_hWnd)) {
                area.clip = RECT{};
                return area;
            }
            RECT rcWindow{};
            GetWindowRect(m_hWnd, &rcWindow);
            RECT rcArea = m_bWholeWindow ? rcWindow : ClientRectOnScreen(m_hWnd);
            area.origin = POINT{rcArea.left, rcArea.top};
            area.clip = Intersection(area.clip, rcArea);
            for (HWND hAncestor = GetAncestor(m_hWnd, GA_PARENT);
                 hAncestor != nullptr && hAncestor != GetDesktopWindow();
                 hAncestor = GetAncestor(hAncestor, GA_PARENT)) {
                area.clip = Intersection(area.clip, ClientRectOnScreen(hAncestor));
            }
        }
    }
    if (m_rcClip && area.surface != nullptr) {
        RECT rcClip = *m_rcClip;
        OffsetRect(&rcClip, area.origin.x, area.origin.y);
        area.clip = Intersection(area.clip, rcClip);
    }
    return area;
}
