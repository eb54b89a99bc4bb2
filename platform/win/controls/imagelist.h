// CImageList: the images of an image list, side by side in a bitmap strip, with a monochrome mask
// strip (white: transparent) when the list is masked. The strips are bitmaps of the drawing
// object table that the list owns; they are as wide as the list's capacity, which starts at the
// initial count asked for and grows by the growth asked for (at least 4 images) when full.
#pragma once

#include <memory>

#include "platform/win/controls/commctrl.h"
#include "platform/win/controls/pixelsurface.h"

class CImageList {
public:
    CImageList(int cx, int cy, UINT flags, int initial, int grow);
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    int GetCount() const { return m_nCount; }
    int GetWidth() const { return m_cx; }
    int GetHeight() const { return m_cy; }
    bool IsMasked() const { return m_pMask != nullptr; }
    HBITMAP GetImageBitmap() const { return m_hbmImages; }
    HBITMAP GetMaskBitmap() const { return m_hbmMask; }
    COLORREF m_clrBack = CLR_NONE;

    // False when the list would grow past what a surface holds.
    bool SetCount(int nCount);
    // Adds the images that the source holds side by side; the index of the first, or -1.
    int Add(const CPixelSurface& image, const CPixelSurface* mask);
    int AddMasked(const CPixelSurface& image, COLORREF maskColour);
    bool Replace(int index, const CPixelSurface& image, const CPixelSurface* mask);
    bool Remove(int index);
    void SetIconSize(int cx, int cy);
    // The pixel of an image, and whether the mask leaves it transparent.
    COLORREF GetPixel(int index, int x, int y) const;
    bool IsTransparent(int index, int x, int y) const;

private:
    bool Reserve(int nCount);
    // Copies the image at position source of the source surfaces into slot index.
    void CopyImage(int index, const CPixelSurface& image, const CPixelSurface* mask, int source);

    int m_cx;
    int m_cy;
    UINT m_nFlags;
    int m_nGrow;
    int m_nCount = 0;
    int m_nCapacity = 0;
    std::shared_ptr<CPixelSurface> m_pImages;
    std::shared_ptr<CPixelSurface> m_pMask;
    HBITMAP m_hbmImages = nullptr;
    HBITMAP m_hbmMask = nullptr;
};
