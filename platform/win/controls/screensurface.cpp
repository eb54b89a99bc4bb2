#include "platform/win/controls/screensurface.h"

#include <algorithm>

#include "platform/win/controls/gdiobjecttable.h"
#include "platform/win/windowmanager.h"

namespace {

bool SameRect(const RECT& first, const RECT& second) {
    return first.left == second.left && first.top == second.top && first.right == second.right &&
           first.bottom == second.bottom;
}

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

std::optional<COLORREF> Background(CGdiObjectTable& table, const SWindow& window) {
    HBRUSH hBrush = window.windowClass->info.hbrBackground;
    if (hBrush == nullptr) {
        return window.dialog ? std::optional<COLORREF>(GetSysColor(COLOR_BTNFACE)) : std::nullopt;
    }
    return table.GetBrushColour(hBrush);
}

}  // namespace

CScreenSurface& CScreenSurface::Get() {
    thread_local CScreenSurface screen;
    return screen;
}

CScreenSurface::CScreenSurface()
    : m_pSurface(std::make_shared<CPixelSurface>(window_metrics::kScreenWidth,
                                                 window_metrics::kScreenHeight, 32)) {}

bool CScreenSurface::SLayer::operator==(const SLayer& other) const {
    return hwnd == other.hwnd && SameRect(window, other.window) && SameRect(client, other.client) &&
           SameRect(clip, other.clip) && frame == other.frame && background == other.background;
}

void CScreenSurface::CollectLayers(CGdiObjectTable& table, HWND hParent, const RECT& clip,
                                   std::vector<SLayer>& layers) const {
    std::vector<HWND> children;
    for (HWND hChild = GetWindow(hParent, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        children.push_back(hChild);
    }
    // The bottom of the z-order is painted first.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        const SWindow* window = CWindowManager::Get().Find(*it);
        if (window == nullptr || (window->style & WS_VISIBLE) == 0) {
            continue;
        }
        SLayer layer;
        layer.hwnd = *it;
        GetWindowRect(*it, &layer.window);
        layer.client = ClientRectOnScreen(*it);
        layer.clip = clip;
        if (!SameRect(layer.window, layer.client)) {
            layer.frame = GetSysColor(COLOR_BTNFACE);
        }
        layer.background = Background(table, *window);
        layers.push_back(layer);
        CollectLayers(table, *it, Intersection(clip, layer.client), layers);
    }
}

void CScreenSurface::Refresh(CGdiObjectTable& table) {
    std::vector<SLayer> layers;
    CollectLayers(table, GetDesktopWindow(), m_pSurface->GetBounds(), layers);
    if (m_bPainted && layers == m_layers) {
        return;
    }
    m_pSurface->Fill(m_pSurface->GetBounds(), GetSysColor(COLOR_BACKGROUND));
    for (const SLayer& layer : layers) {
        if (layer.frame) {
            m_pSurface->Fill(Intersection(layer.window, layer.clip), *layer.frame);
        }
        if (layer.background) {
            m_pSurface->Fill(Intersection(layer.client, layer.clip), *layer.background);
        }
    }
    m_layers = std::move(layers);
    m_bPainted = true;
}
