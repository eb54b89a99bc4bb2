// CDeviceContext: what a device context holds: the objects selected into it, its colours and
// modes, its clipping, and the surface it draws on (the selected bitmap of a memory context, the
// screen for a window's context).
#pragma once

#include <memory>
#include <optional>

#include "platform/win/controls/pixelsurface.h"
#include "platform/win/controls/wingdi.h"

class CGdiObjectTable;

// Where a context draws at the moment: the surface, the surface position of logical (0, 0) and
// the clipping rectangle in surface coordinates. No surface, or an empty clip, draws nothing.
struct SDrawingArea {
    std::shared_ptr<CPixelSurface> surface;
    POINT origin{};
    RECT clip{};

    // Whether a surface point may be drawn.
    bool Visible(int x, int y) const {
        return surface != nullptr && x >= clip.left && x < clip.right && y >= clip.top &&
               y < clip.bottom;
    }
    // Fills the visible part of a rectangle in logical coordinates.
    void Fill(RECT rect, COLORREF colour) const;
};

class CDeviceContext {
public:
    enum class EKind { Memory, Window };

    // A memory context holding the bitmap.
    explicit CDeviceContext(HBITMAP hBitmap);
    // A window's context: the client area, or the whole window; a null window is the screen.
    CDeviceContext(HWND hWnd, bool bWholeWindow);

    bool IsMemory() const { return m_eKind == EKind::Memory; }
    HWND GetWindow() const { return m_hWnd; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    void SetBitmap(HBITMAP hBitmap) { m_hBitmap = hBitmap; }

    // What the context draws with: the objects selected into it, its colours and modes.
    HBRUSH m_hBrush;
    HPEN m_hPen;
    HFONT m_hFont;
    COLORREF m_clrText = RGB(0, 0, 0);
    COLORREF m_clrBack = RGB(255, 255, 255);
    int m_nBkMode = OPAQUE;
    int m_nStretchMode = BLACKONWHITE;

    // Narrows the clipping to the rectangle, in logical coordinates.
    void IntersectClip(const RECT& rect);
    // Works out where the context draws now: a window's context follows the window as it moves
    // and brings the screen up to date first.
    SDrawingArea GetDrawingArea(CGdiObjectTable& table) const;

private:
    EKind m_eKind;
    HWND m_hWnd = nullptr;
    bool m_bWholeWindow = false;
    HBITMAP m_hBitmap = nullptr;
    std::optional<RECT> m_rcClip;  // logical coordinates
};
