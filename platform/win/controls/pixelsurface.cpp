#include "platform/win/controls/pixelsurface.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

CPixelSurface::CPixelSurface(int nWidth, int nHeight, WORD nBitsPerPixel)
    : m_nWidth(std::max(nWidth, 0)),
      m_nHeight(std::max(nHeight, 0)),
      m_nBitsPerPixel(nBitsPerPixel),
      m_pixels(static_cast<size_t>(m_nWidth) * static_cast<size_t>(m_nHeight), kBlack) {}

void CPixelSurface::Fill(const RECT& rect, COLORREF colour) {
    const int left = std::max(0, static_cast<int>(rect.left));
    const int top = std::max(0, static_cast<int>(rect.top));
    const int right = std::min(m_nWidth, static_cast<int>(rect.right));
    const int bottom = std::min(m_nHeight, static_cast<int>(rect.bottom));
    const COLORREF stored = Convert(colour);
    for (int y = top; y < bottom; ++y) {
        auto row = m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * m_nWidth;
        std::fill(row + left, row + std::max(left, right), stored);
    }
}

void CPixelSurface::Resize(int nWidth, int nHeight) {
    nWidth = std::max(nWidth, 0);
    nHeight = std::max(nHeight, 0);
    std::vector<COLORREF> pixels(static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight),
                                 kBlack);
    const int keepWidth = std::min(nWidth, m_nWidth);
    const int keepHeight = std::min(nHeight, m_nHeight);
    for (int y = 0; y < keepHeight; ++y) {
        auto from = m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * m_nWidth;
        std::copy(from, from + keepWidth, pixels.begin() + static_cast<std::ptrdiff_t>(y) * nWidth);
    }
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_pixels = std::move(pixels);
}

COLORREF CPixelSurface::ToMonochrome(COLORREF colour) {
    const int brightness = GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
    return brightness >= 3 * 128 ? kWhite : kBlack;
}
