// Bitmaps and images from module resources, plain or with colours mapped.
#include <algorithm>
#include <span>

#include "platform/win/controls/commctrl.h"
#include "platform/win/controls/gdiobjecttable.h"
#include "platform/win/controls/wingdi.h"
#include "platform/win/moduleresources.h"

namespace {

// A new bitmap of the image, at the size (nearest pixels when it differs) and depth given, with
// each pixel passed through the mapping.
template <class Mapping>
HBITMAP CreateFromImage(const SImageResource& image, int width, int height, WORD depth,
                        Mapping mapping) {
    if (image.width <= 0 || image.height <= 0 || !CPixelSurface::CanHold(width, height) ||
        image.pixels.size() <
            static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
        return nullptr;
    }
    auto surface = std::make_shared<CPixelSurface>(width, height, depth);
    for (int y = 0; y < height; ++y) {
        const int sy = static_cast<int>((static_cast<long long>(y) * image.height) / height);
        for (int x = 0; x < width; ++x) {
            const int sx = static_cast<int>((static_cast<long long>(x) * image.width) / width);
            const COLORREF pixel =
                image.pixels[static_cast<size_t>(sy) * static_cast<size_t>(image.width) +
                             static_cast<size_t>(sx)];
            surface->SetPixel(x, y, mapping(pixel & 0x00FFFFFF));
        }
    }
    CGdiObjectTable& table = CGdiObjectTable::Get();
    auto lock = table.Lock();
    return table.AddBitmap(std::move(surface), false);
}

COLORREF Unchanged(COLORREF pixel) {
    return pixel;
}

}  // namespace

HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR bitmapName) {
    const SImageResource* image =
        CModuleResources::FindBitmap(hInstance, CModuleResources::ResourceId(bitmapName));
    return image != nullptr ? CreateFromImage(*image, image->width, image->height, 24, Unchanged)
                            : nullptr;
}

HANDLE LoadImageA(HINSTANCE hInstance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    if ((flags & LR_LOADFROMFILE) != 0) {
        return nullptr;
    }
    switch (type) {
        case IMAGE_BITMAP: {
            const SImageResource* image =
                CModuleResources::FindBitmap(hInstance, CModuleResources::ResourceId(name));
            if (image == nullptr) {
                return nullptr;
            }
            const WORD depth = (flags & LR_MONOCHROME) != 0 ? 1 : 24;
            return CreateFromImage(*image, cx != 0 ? cx : image->width,
                                   cy != 0 ? cy : image->height, depth, Unchanged);
        }
        case IMAGE_ICON:
            return LoadIconA(hInstance, name);
        case IMAGE_CURSOR:
            return LoadCursorA(hInstance, name);
        default:
            return nullptr;
    }
}

HBITMAP CreateMappedBitmap(HINSTANCE hInstance, INT_PTR idBitmap, UINT, LPCOLORMAP colorMap,
                           int mapCount) {
    if (idBitmap <= 0 || idBitmap > 0xFFFF || mapCount < 0 ||
        (colorMap == nullptr && mapCount > 0)) {
        return nullptr;
    }
    const SImageResource* image =
        CModuleResources::FindBitmap(hInstance, static_cast<UINT>(idBitmap));
    if (image == nullptr) {
        return nullptr;
    }
    const COLORMAP standard[] = {
        {RGB(0, 0, 0), GetSysColor(COLOR_BTNTEXT)},
        {RGB(128, 128, 128), GetSysColor(COLOR_BTNSHADOW)},
        {RGB(192, 192, 192), GetSysColor(COLOR_BTNFACE)},
        {RGB(255, 255, 255), GetSysColor(COLOR_BTNHIGHLIGHT)},
    };
    std::span<const COLORMAP> map =
        colorMap != nullptr ? std::span<const COLORMAP>(colorMap, static_cast<size_t>(mapCount))
                            : std::span<const COLORMAP>(standard);
    return CreateFromImage(*image, image->width, image->height, 24, [map](COLORREF pixel) {
        auto it = std::find_if(map.begin(), map.end(), [pixel](const COLORMAP& entry) {
            return (entry.from & 0x00FFFFFF) == pixel;
        });
        return it != map.end() ? it->to & 0x00FFFFFF : pixel;
    });
}
