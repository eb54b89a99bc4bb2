// Bitmaps: creation and the device-independent forms of their pixels.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/win/controls/gdiobjecttable.h"
#include "platform/win/controls/wingdi.h"

namespace {

constexpr int kMaxBitmapSide = 16384;

CGdiObjectTable& Table() {
    return CGdiObjectTable::Get();
}

bool ValidSize(int width, int height) {
    return width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
           CPixelSurface::CanHold(width, height);
}

size_t DeviceStride(int width, int bitsPerPixel) {
    return static_cast<size_t>(((width * bitsPerPixel + 15) / 16) * 2);
}

size_t DibStride(int width, int bitsPerPixel) {
    return static_cast<size_t>(((width * bitsPerPixel + 31) / 32) * 4);
}

void ReadDeviceBits(CPixelSurface& surface, const BYTE* bits) {
    const int width = surface.GetWidth();
    const int depth = surface.GetBitsPerPixel();
    const size_t stride = DeviceStride(width, depth);
    for (int y = 0; y < surface.GetHeight(); ++y) {
        const BYTE* row = bits + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            if (depth == 1) {
                const bool white = ((row[x / 8] >> (7 - x % 8)) & 1) != 0;
                surface.SetPixel(x, y, white ? RGB(255, 255, 255) : RGB(0, 0, 0));
            } else {
                const BYTE* pixel = row + static_cast<size_t>(x) * static_cast<size_t>(depth / 8);
                surface.SetPixel(x, y, RGB(pixel[2], pixel[1], pixel[0]));
            }
        }
    }
}

// The header's layout when it describes a 24 or 32 bit BI_RGB array; false otherwise.
bool DibLayout(const BITMAPINFOHEADER& header, int& width, bool& topDown, size_t& stride) {
    if ((header.biBitCount != 24 && header.biBitCount != 32) || header.biCompression != BI_RGB ||
        header.biWidth <= 0 || header.biHeight == 0 || header.biWidth > kMaxBitmapSide) {
        return false;
    }
    width = header.biWidth;
    topDown = header.biHeight < 0;
    stride = DibStride(width, header.biBitCount);
    return true;
}

bool ValidInfo(HDC hdc, const BITMAPINFO* info, UINT usage, CGdiObjectTable& table) {
    return table.FindContext(hdc) != nullptr && info != nullptr &&
           info->bmiHeader.biSize >= sizeof(BITMAPINFOHEADER) && usage == DIB_RGB_COLORS;
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (!ValidSize(width, height) || planes != 1 ||
        (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32)) {
        return nullptr;
    }
    auto surface = std::make_shared<CPixelSurface>(width, height, static_cast<WORD>(bitsPerPixel));
    if (bits != nullptr) {
        ReadDeviceBits(*surface, static_cast<const BYTE*>(bits));
    }
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    return table.AddBitmap(std::move(surface), false);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    if (!ValidSize(width, height)) {
        return nullptr;
    }
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    WORD depth = 32;
    if (hdc != nullptr) {
        CDeviceContext* context = table.FindContext(hdc);
        if (context == nullptr) {
            return nullptr;
        }
        std::shared_ptr<CPixelSurface> surface = context->GetDrawingArea(table).surface;
        if (surface != nullptr) {
            depth = surface->GetBitsPerPixel();
        }
    }
    return table.AddBitmap(std::make_shared<CPixelSurface>(width, height, depth), false);
}

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
              UINT usage) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    std::shared_ptr<CPixelSurface> surface = table.FindSurface(bitmap);
    if (!ValidInfo(hdc, info, usage, table) || surface == nullptr) {
        return 0;
    }
    BITMAPINFOHEADER& header = info->bmiHeader;
    if (bits == nullptr) {
        if (header.biBitCount == 0) {
            header.biWidth = surface->GetWidth();
            header.biHeight = surface->GetHeight();
            header.biPlanes = 1;
            header.biBitCount = surface->GetBitsPerPixel();
            header.biCompression = BI_RGB;
            header.biXPelsPerMeter = 0;
            header.biYPelsPerMeter = 0;
            header.biClrUsed = 0;
            header.biClrImportant = 0;
        }
        header.biSizeImage =
            static_cast<DWORD>(DibStride(std::abs(header.biWidth), header.biBitCount) *
                               static_cast<size_t>(std::abs(header.biHeight)));
        return 1;
    }
    int width = 0;
    bool topDown = false;
    size_t stride = 0;
    const auto height = static_cast<UINT>(surface->GetHeight());
    if (!DibLayout(header, width, topDown, stride) || start >= height) {
        return 0;
    }
    const UINT count = std::min(lines, height - start);
    const size_t bytesPerPixel = header.biBitCount / 8U;
    auto* out = static_cast<BYTE*>(bits);
    for (UINT i = 0; i < count; ++i) {
        const UINT line = start + i;
        const auto y = static_cast<int>(topDown ? line : height - 1 - line);
        BYTE* row = out + static_cast<size_t>(i) * stride;
        std::memset(row, 0, stride);
        for (int x = 0; x < std::min(width, surface->GetWidth()); ++x) {
            const COLORREF pixel = surface->GetPixel(x, y);
            BYTE* target = row + static_cast<size_t>(x) * bytesPerPixel;
            target[0] = GetBValue(pixel);
            target[1] = GetGValue(pixel);
            target[2] = GetRValue(pixel);
        }
    }
    return static_cast<int>(count);
}

int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    std::shared_ptr<CPixelSurface> surface = table.FindSurface(bitmap);
    if (!ValidInfo(hdc, info, usage, table) || surface == nullptr || bits == nullptr) {
        return 0;
    }
    int width = 0;
    bool topDown = false;
    size_t stride = 0;
    const auto height = static_cast<UINT>(surface->GetHeight());
    if (!DibLayout(info->bmiHeader, width, topDown, stride) || start >= height) {
        return 0;
    }
    const UINT count = std::min(lines, height - start);
    const size_t bytesPerPixel = info->bmiHeader.biBitCount / 8U;
    const auto* in = static_cast<const BYTE*>(bits);
    for (UINT i = 0; i < count; ++i) {
        const UINT line = start + i;
        const auto y = static_cast<int>(topDown ? line : height - 1 - line);
        const BYTE* row = in + static_cast<size_t>(i) * stride;
        for (int x = 0; x < std::min(width, surface->GetWidth()); ++x) {
            const BYTE* source = row + static_cast<size_t>(x) * bytesPerPixel;
            surface->SetPixel(x, y, RGB(source[2], source[1], source[0]));
        }
    }
    return static_cast<int>(count);
}
