// CPixelSurface: the pixels of a bitmap or of the screen, as colours with a colour depth.
//
// Colours are kept exactly at every depth above 1 bit per pixel; a monochrome surface keeps black
// and white only, and a colour stored into it becomes the nearer of the two by its brightness.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/win/colorref.h"
#include "platform/win/winuser.h"

class CPixelSurface {
public:
    // The most pixels a surface holds (8192 by 8192), so that no size asked for exhausts memory.
    static constexpr long long kMaxPixels = 1LL << 26;

    static bool CanHold(long long width, long long height) {
        return width > 0 && height > 0 && width * height <= kMaxPixels;
    }

    CPixelSurface(int nWidth, int nHeight, WORD nBitsPerPixel);

    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    WORD GetBitsPerPixel() const { return m_nBitsPerPixel; }
    bool IsMonochrome() const { return m_nBitsPerPixel == 1; }
    RECT GetBounds() const { return RECT{0, 0, m_nWidth, m_nHeight}; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }

    // The pixel at a point inside the surface.
    COLORREF GetPixel(int x, int y) const {
        return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) +
                        static_cast<std::size_t>(x)];
    }
    // Stores the colour as this depth keeps it; the point must lie inside the surface.
    void SetPixel(int x, int y, COLORREF colour) {
        m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) +
                 static_cast<std::size_t>(x)] = Convert(colour);
    }
    // Fills the part of the rectangle that lies inside the surface.
    void Fill(const RECT& rect, COLORREF colour);
    // Changes the size, keeping the pixels that stay inside; new pixels are black.
    void Resize(int nWidth, int nHeight);

    // The colour as this surface's depth keeps it.
    COLORREF Convert(COLORREF colour) const {
        return IsMonochrome() ? ToMonochrome(colour) : colour;
    }
    static COLORREF ToMonochrome(COLORREF colour);

private:
    int m_nWidth;
    int m_nHeight;
    WORD m_nBitsPerPixel;
    std::vector<COLORREF> m_pixels;
};
