// CScreenSurface: the screen of the calling thread's windows, 1024 by 768 pixels at 32 bits.
//
// The screen shows the desktop colour and, from the bottom of the z-order up, every visible window:
// its frame in the 3D face colour and its client area in its class's background brush (a dialog
// without a brush in the 3D face colour; a window without one leaves what lies below). Children
// are clipped to their parents' client areas. The screen is painted afresh only when the
// arrangement of the visible windows has changed since it was last painted, so what is drawn on
// it stays until then.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/win/controls/pixelsurface.h"

class CGdiObjectTable;

class CScreenSurface {
public:
    static CScreenSurface& Get();

    CScreenSurface();
    CScreenSurface(const CScreenSurface&) = delete;
    CScreenSurface& operator=(const CScreenSurface&) = delete;

    const std::shared_ptr<CPixelSurface>& GetSurface() const { return m_pSurface; }
    // Paints the screen afresh when the windows have moved, appeared, disappeared or changed order.
    void Refresh(CGdiObjectTable& table);

private:
    struct SLayer {
        HWND hwnd = nullptr;
        RECT window{};
        RECT client{};
        RECT clip{};
        std::optional<COLORREF> frame;
        std::optional<COLORREF> background;

        bool operator==(const SLayer& other) const;
    };

    void CollectLayers(CGdiObjectTable& table, HWND hParent, const RECT& clip,
                       std::vector<SLayer>& layers) const;

    std::shared_ptr<CPixelSurface> m_pSurface;
    std::vector<SLayer> m_layers;
    bool m_bPainted = false;
};
