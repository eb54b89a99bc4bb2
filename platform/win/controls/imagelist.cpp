#include "platform/win/controls/imagelist.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "platform/win/controls/gdiobjecttable.h"
#include "platform/win/moduleresources.h"
#include "platform/win/windowmanager.h"

namespace {

constexpr int kMaxImageSide = 256;
constexpr int kMinGrowth = 4;
constexpr COLORREF kOpaque = RGB(0, 0, 0);
constexpr COLORREF kTransparent = RGB(255, 255, 255);

WORD DepthOf(UINT flags) {
    switch (flags & 0xFE) {
        case ILC_COLOR4:
            return 4;
        case ILC_COLOR8:
            return 8;
        case ILC_COLOR16:
            return 16;
        case ILC_COLOR24:
            return 24;
        default:
            return 32;
    }
}

// The image lists of the process, by handle; guarded by the drawing lock.
std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>>& Lists() {
    static std::unordered_map<HIMAGELIST, std::unique_ptr<CImageList>> lists;
    return lists;
}

CImageList* FindList(HIMAGELIST himl) {
    auto it = Lists().find(himl);
    return it != Lists().end() ? it->second.get() : nullptr;
}

}  // namespace

CImageList::CImageList(int cx, int cy, UINT flags, int initial, int grow)
    : m_cx(cx), m_cy(cy), m_nFlags(flags), m_nGrow(std::max(grow, kMinGrowth)) {
    CGdiObjectTable& table = CGdiObjectTable::Get();
    m_nCapacity = std::max(initial, 1);
    m_pImages = std::make_shared<CPixelSurface>(m_nCapacity * m_cx, m_cy, DepthOf(flags));
    m_hbmImages = table.AddBitmap(m_pImages, true);
    if ((flags & ILC_MASK) != 0) {
        m_pMask = std::make_shared<CPixelSurface>(m_nCapacity * m_cx, m_cy, 1);
        m_hbmMask = table.AddBitmap(m_pMask, true);
    }
}

CImageList::~CImageList() {
    CGdiObjectTable& table = CGdiObjectTable::Get();
    table.Delete(m_hbmImages, true);
    if (m_hbmMask != nullptr) {
        table.Delete(m_hbmMask, true);
    }
}

bool CImageList::Reserve(int nCount) {
    if (nCount <= m_nCapacity) {
        return true;
    }
    int capacity = m_nCapacity;
    while (capacity < nCount) {
        capacity += m_nGrow;
    }
    if (!CPixelSurface::CanHold(static_cast<long long>(capacity) * m_cx, m_cy)) {
        return false;
    }
    m_nCapacity = capacity;
    m_pImages->Resize(m_nCapacity * m_cx, m_cy);
    if (m_pMask != nullptr) {
        m_pMask->Resize(m_nCapacity * m_cx, m_cy);
    }
    return true;
}

bool CImageList::SetCount(int nCount) {
    nCount = std::max(nCount, 0);
    if (!Reserve(nCount)) {
        return false;
    }
    const RECT cleared{nCount * m_cx, 0, m_nCapacity * m_cx, m_cy};
    m_pImages->Fill(cleared, RGB(0, 0, 0));
    if (m_pMask != nullptr) {
        m_pMask->Fill(cleared, kOpaque);
    }
    m_nCount = nCount;
    return true;
}

void CImageList::CopyImage(int index, const CPixelSurface& image, const CPixelSurface* mask,
                           int source) {
    for (int y = 0; y < m_cy; ++y) {
        for (int x = 0; x < m_cx; ++x) {
            const int sx = source * m_cx + x;
            const int tx = index * m_cx + x;
            m_pImages->SetPixel(tx, y,
                                image.Contains(sx, y) ? image.GetPixel(sx, y) : RGB(0, 0, 0));
            if (m_pMask != nullptr) {
                const bool transparent =
                    mask != nullptr && mask->Contains(sx, y) &&
                    CPixelSurface::ToMonochrome(mask->GetPixel(sx, y)) == kTransparent;
                m_pMask->SetPixel(tx, y, transparent ? kTransparent : kOpaque);
            }
        }
    }
}

int CImageList::Add(const CPixelSurface& image, const CPixelSurface* mask) {
    const int added = image.GetWidth() / m_cx;
    if (added <= 0) {
        return -1;
    }
    const int first = m_nCount;
    if (!Reserve(m_nCount + added)) {
        return -1;
    }
    for (int i = 0; i < added; ++i) {
        CopyImage(first + i, image, mask, i);
    }
    m_nCount += added;
    return first;
}

int CImageList::AddMasked(const CPixelSurface& image, COLORREF maskColour) {
    if (m_pMask == nullptr) {
        return Add(image, nullptr);
    }
    CPixelSurface copy(image.GetWidth(), image.GetHeight(), image.GetBitsPerPixel());
    CPixelSurface mask(image.GetWidth(), image.GetHeight(), 1);
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const bool transparent = image.GetPixel(x, y) == (maskColour & 0x00FFFFFF);
            copy.SetPixel(x, y, transparent ? RGB(0, 0, 0) : image.GetPixel(x, y));
            mask.SetPixel(x, y, transparent ? kTransparent : kOpaque);
        }
    }
    return Add(copy, &mask);
}

bool CImageList::Replace(int index, const CPixelSurface& image, const CPixelSurface* mask) {
    if (index < 0 || index >= m_nCount) {
        return false;
    }
    CopyImage(index, image, mask, 0);
    return true;
}

bool CImageList::Remove(int index) {
    if (index == -1) {
        return SetCount(0);
    }
    if (index < 0 || index >= m_nCount) {
        return false;
    }
    for (int i = index; i + 1 < m_nCount; ++i) {
        for (int y = 0; y < m_cy; ++y) {
            for (int x = 0; x < m_cx; ++x) {
                m_pImages->SetPixel(i * m_cx + x, y, m_pImages->GetPixel((i + 1) * m_cx + x, y));
                if (m_pMask != nullptr) {
                    m_pMask->SetPixel(i * m_cx + x, y, m_pMask->GetPixel((i + 1) * m_cx + x, y));
                }
            }
        }
    }
    return SetCount(m_nCount - 1);
}

void CImageList::SetIconSize(int cx, int cy) {
    m_cx = cx;
    m_cy = cy;
    m_nCount = 0;
    m_nCapacity = std::min(m_nCapacity, static_cast<int>(CPixelSurface::kMaxPixels /
                                                         (static_cast<long long>(cx) * cy)));
    m_pImages->Resize(m_nCapacity * m_cx, m_cy);
    m_pImages->Fill(m_pImages->GetBounds(), RGB(0, 0, 0));
    if (m_pMask != nullptr) {
        m_pMask->Resize(m_nCapacity * m_cx, m_cy);
        m_pMask->Fill(m_pMask->GetBounds(), kOpaque);
    }
}

COLORREF CImageList::GetPixel(int index, int x, int y) const {
    return m_pImages->GetPixel(index * m_cx + x, y);
}

bool CImageList::IsTransparent(int index, int x, int y) const {
    return m_pMask != nullptr && m_pMask->GetPixel(index * m_cx + x, y) == kTransparent;
}

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (cx <= 0 || cy <= 0 || cx > kMaxImageSide || cy > kMaxImageSide || initial < 0 ||
        !CPixelSurface::CanHold(static_cast<long long>(std::max(initial, 1)) * cx, cy)) {
        return nullptr;
    }
    CGdiObjectTable& table = CGdiObjectTable::Get();
    auto lock = table.Lock();
    auto himl = reinterpret_cast<HIMAGELIST>(AllocateUserHandle());
    Lists().emplace(himl, std::make_unique<CImageList>(cx, cy, flags, initial, grow));
    return himl;
}

BOOL ImageList_Destroy(HIMAGELIST himl) {
    CGdiObjectTable& table = CGdiObjectTable::Get();
    auto lock = table.Lock();
    return Lists().erase(himl) > 0 ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST himl) {
    auto lock = CGdiObjectTable::Get().Lock();
    CImageList* list = FindList(himl);
    return list != nullptr ? list->GetCount() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT newCount) {
    auto lock = CGdiObjectTable::Get().Lock();
    CImageList* list = FindList(himl);
    if (list == nullptr || newCount > 0xFFFF) {
        return FALSE;
    }
    return list->SetCount(static_cast<int>(newCount)) ? TRUE : FALSE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP image, HBITMAP mask) {
    CGdiObjectTable& table = CGdiObjectTable::Get();
    auto lock = table.Lock();
    CImageList* list = FindList(himl);
    std::shared_ptr<CPixelSurface> imageSurface = table.FindSurface(image);
    if (list == nullptr || imageSurface == nullptr) {
        return -1;
    }
    std::shared_ptr<CPixelSurface> maskSurface = table.FindSurface(mask);
    return list->Add(*imageSurface, maskSurface.get());
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP image, COLORREF maskColour) {
    CGdiObjectTable& table = CGdiObjectTable::Get();
    auto lock = table.Lock();
    CImageList* list = FindList(himl);
    std::shared_ptr<CPixelSurface> imageSurface = table.FindSurface(image);
    if (list == nullptr || imageSurface == nullptr) {
        return -1;
    }
    return list->AddMasked(*imageSurface, maskColour);
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int index, HICON icon) {
    CGdiObjectTable& table = CGdiObjectTable::Get();
    auto lock = table.Lock();
    CImageList* list = FindList(himl);
    const SImageResource* resource = CModuleResources::GetIconImage(icon);
    if (list == nullptr || resource == nullptr || resource->width <= 0 || resource->height <= 0 ||
        resource->pixels.size() <
            static_cast<size_t>(resource->width) * static_cast<size_t>(resource->height) ||
        index < -1 || index >= list->GetCount()) {
        return -1;
    }
    // The icon is scaled to the list's size as a halftone stretch would, through the same path.
    auto iconSurface = std::make_shared<CPixelSurface>(resource->width, resource->height, 32);
    for (int y = 0; y < resource->height; ++y) {
        for (int x = 0; x < resource->width; ++x) {
            iconSurface->SetPixel(
                x, y,
                resource->pixels[static_cast<size_t>(y) * static_cast<size_t>(resource->width) +
                                 static_cast<size_t>(x)] &
                    0x00FFFFFF);
        }
    }
    HBITMAP hbmIcon = table.AddBitmap(iconSurface, false);
    HBITMAP hbmScaled = table.AddBitmap(
        std::make_shared<CPixelSurface>(list->GetWidth(), list->GetHeight(), 32), false);
    HDC hdcIcon = CreateCompatibleDC(nullptr);
    HDC hdcScaled = CreateCompatibleDC(nullptr);
    HGDIOBJ hOldIcon = SelectObject(hdcIcon, hbmIcon);
    HGDIOBJ hOldScaled = SelectObject(hdcScaled, hbmScaled);
    SetStretchBltMode(hdcScaled, HALFTONE);
    StretchBlt(hdcScaled, 0, 0, list->GetWidth(), list->GetHeight(), hdcIcon, 0, 0, resource->width,
               resource->height, SRCCOPY);
    SelectObject(hdcIcon, hOldIcon);
    SelectObject(hdcScaled, hOldScaled);
    DeleteDC(hdcIcon);
    DeleteDC(hdcScaled);
    std::shared_ptr<CPixelSurface> scaled = table.FindSurface(hbmScaled);
    int result = index;
    if (index == -1) {
        result = list->Add(*scaled, nullptr);
    } else {
        list->Replace(index, *scaled, nullptr);
    }
    table.Delete(hbmIcon);
    table.Delete(hbmScaled);
    return result;
}

BOOL ImageList_Replace(HIMAGELIST himl, int index, HBITMAP image, HBITMAP mask) {
    CGdiObjectTable& table = CGdiObjectTable::Get();
    auto lock = table.Lock();
    CImageList* list = FindList(himl);
    std::shared_ptr<CPixelSurface> imageSurface = table.FindSurface(image);
    if (list == nullptr || imageSurface == nullptr) {
        return FALSE;
    }
    std::shared_ptr<CPixelSurface> maskSurface = table.FindSurface(mask);
    return list->Replace(index, *imageSurface, maskSurface.get()) ? TRUE : FALSE;
}

BOOL ImageList_Remove(HIMAGELIST himl, int index) {
    auto lock = CGdiObjectTable::Get().Lock();
    CImageList* list = FindList(himl);
    return list != nullptr && list->Remove(index) ? TRUE : FALSE;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    auto lock = CGdiObjectTable::Get().Lock();
    CImageList* list = FindList(himl);
    if (list == nullptr || cx == nullptr || cy == nullptr) {
        return FALSE;
    }
    *cx = list->GetWidth();
    *cy = list->GetHeight();
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy) {
    auto lock = CGdiObjectTable::Get().Lock();
    CImageList* list = FindList(himl);
    if (list == nullptr || cx <= 0 || cy <= 0 || cx > kMaxImageSide || cy > kMaxImageSide) {
        return FALSE;
    }
    list->SetIconSize(cx, cy);
    return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int index, IMAGEINFO* info) {
    auto lock = CGdiObjectTable::Get().Lock();
    CImageList* list = FindList(himl);
    if (list == nullptr || info == nullptr || index < 0 || index >= list->GetCount()) {
        return FALSE;
    }
    *info = IMAGEINFO{
        list->GetImageBitmap(), list->GetMaskBitmap(), 0, 0,
        RECT{index * list->GetWidth(), 0, (index + 1) * list->GetWidth(), list->GetHeight()}};
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF colour) {
    auto lock = CGdiObjectTable::Get().Lock();
    CImageList* list = FindList(himl);
    return list != nullptr ? std::exchange(list->m_clrBack, colour) : CLR_NONE;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl) {
    auto lock = CGdiObjectTable::Get().Lock();
    CImageList* list = FindList(himl);
    return list != nullptr ? list->m_clrBack : CLR_NONE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int index, HDC hdc, int x, int y, UINT style) {
    CGdiObjectTable& table = CGdiObjectTable::Get();
    auto lock = table.Lock();
    CImageList* list = FindList(himl);
    CDeviceContext* context = table.FindContext(hdc);
    if (list == nullptr || context == nullptr || index < 0 || index >= list->GetCount()) {
        return FALSE;
    }
    const SDrawingArea area = context->GetDrawingArea(table);
    for (int iy = 0; iy < list->GetHeight(); ++iy) {
        for (int ix = 0; ix < list->GetWidth(); ++ix) {
            const int sx = area.origin.x + x + ix;
            const int sy = area.origin.y + y + iy;
            if (!area.Visible(sx, sy)) {
                continue;
            }
            const bool transparent = list->IsTransparent(index, ix, iy);
            if ((style & ILD_MASK) != 0) {
                area.surface->SetPixel(sx, sy, transparent ? kTransparent : kOpaque);
            } else if (transparent && (style & ILD_IMAGE) == 0) {
                if (style == ILD_NORMAL && list->m_clrBack != CLR_NONE) {
                    area.surface->SetPixel(sx, sy, list->m_clrBack);
                }
            } else {
                area.surface->SetPixel(sx, sy, list->GetPixel(index, ix, iy));
            }
        }
    }
    return TRUE;
}
