// Drawing: fills, frames, rectangles, pixels and block transfers.
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/win/controls/gdiobjecttable.h"
#include "platform/win/controls/wingdi.h"

namespace {

CGdiObjectTable& Table() {
    return CGdiObjectTable::Get();
}

// The result of the raster operation for one colour channel: bit i of the operation's code is
// the result for pattern, source and destination bits forming the number i (pattern highest).
BYTE CombineChannel(BYTE rop3, BYTE pattern, BYTE source, BYTE destination) {
    BYTE result = 0;
    for (int bit = 0; bit < 8; ++bit) {
        int index = (((pattern >> bit) & 1) << 2) | (((source >> bit) & 1) << 1) |
                    ((destination >> bit) & 1);
        result = static_cast<BYTE>(result | (((rop3 >> index) & 1) << bit));
    }
    return result;
}

COLORREF Combine(BYTE rop3, COLORREF pattern, COLORREF source, COLORREF destination) {
    return RGB(CombineChannel(rop3, GetRValue(pattern), GetRValue(source), GetRValue(destination)),
               CombineChannel(rop3, GetGValue(pattern), GetGValue(source), GetGValue(destination)),
               CombineChannel(rop3, GetBValue(pattern), GetBValue(source), GetBValue(destination)));
}

BYTE Rop3(DWORD rop) {
    return static_cast<BYTE>((rop >> 16) & 0xFF);
}

// Whether the result depends on the source at all.
bool UsesSource(BYTE rop3) {
    return ((rop3 >> 2) & 0x33) != (rop3 & 0x33);
}

// A source pixel as the destination sees it, across the colour and monochrome conversions.
COLORREF ConvertForDestination(COLORREF pixel, const CPixelSurface& source,
                               const CDeviceContext& sourceContext,
                               const CPixelSurface& destination,
                               const CDeviceContext& destinationContext) {
    if (source.IsMonochrome() && !destination.IsMonochrome()) {
        return pixel == RGB(0, 0, 0) ? destinationContext.m_clrText : destinationContext.m_clrBack;
    }
    if (!source.IsMonochrome() && destination.IsMonochrome()) {
        return pixel == sourceContext.m_clrBack ? RGB(255, 255, 255) : RGB(0, 0, 0);
    }
    return pixel;
}

struct SWeight {
    int index;
    double weight;
};

// For each destination pixel along one axis, the source pixels it takes and their weights:
// the nearest pixel, the pixels its area covers (shrinking), or the two nearest (enlarging).
std::vector<std::vector<SWeight>> AxisWeights(int destinationSize, int sourceSize, bool mirrored,
                                              bool smooth) {
    std::vector<std::vector<SWeight>> weights(static_cast<size_t>(destinationSize));
    const double scale = static_cast<double>(sourceSize) / destinationSize;
    for (int i = 0; i < destinationSize; ++i) {
        const int position = mirrored ? destinationSize - 1 - i : i;
        auto& taken = weights[static_cast<size_t>(i)];
        if (!smooth) {
            int index = std::min(sourceSize - 1, static_cast<int>((position + 0.5) * scale));
            taken.push_back(SWeight{index, 1.0});
        } else if (sourceSize >= destinationSize) {
            const double begin = position * scale;
            const double end = (position + 1) * scale;
            for (int index = static_cast<int>(begin); index < sourceSize && index < end; ++index) {
                double covered = std::min<double>(end, index + 1) - std::max<double>(begin, index);
                if (covered > 0) {
                    taken.push_back(SWeight{index, covered});
                }
            }
        } else {
            const double centre = (position + 0.5) * scale - 0.5;
            const int first = static_cast<int>(std::floor(centre));
            const double fraction = centre - first;
            taken.push_back(SWeight{std::clamp(first, 0, sourceSize - 1), 1.0 - fraction});
            taken.push_back(SWeight{std::clamp(first + 1, 0, sourceSize - 1), fraction});
        }
    }
    return weights;
}

// Transfers a source rectangle onto a destination rectangle of the same or another size.
bool Transfer(HDC hdcDest, int xDest, int yDest, int widthDest, int heightDest, HDC hdcSrc,
              int xSrc, int ySrc, int widthSrc, int heightSrc, DWORD rop, bool stretch) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* destination = table.FindContext(hdcDest);
    if (destination == nullptr) {
        return false;
    }
    const BYTE rop3 = Rop3(rop);
    const bool usesSource = UsesSource(rop3);
    CDeviceContext* source = usesSource ? table.FindContext(hdcSrc) : nullptr;
    if (usesSource && source == nullptr) {
        return false;
    }
    if (widthDest == 0 || heightDest == 0 || (usesSource && (widthSrc == 0 || heightSrc == 0))) {
        return true;
    }
    const SDrawingArea destinationArea = destination->GetDrawingArea(table);
    if (destinationArea.surface == nullptr) {
        return false;
    }
    const COLORREF pattern = table.GetBrushColour(destination->m_hBrush).value_or(RGB(0, 0, 0));
    CPixelSurface& target = *destinationArea.surface;

    const int destLeft = std::min(xDest, xDest + widthDest);
    const int destTop = std::min(yDest, yDest + heightDest);
    const int destWidth = std::abs(widthDest);
    const int destHeight = std::abs(heightDest);

    // The source pixels, converted and scaled, are read before anything is written, so that a
    // transfer within one surface reads the original pixels.
    std::vector<std::optional<COLORREF>> sourcePixels;
    if (usesSource) {
        const SDrawingArea sourceArea = source->GetDrawingArea(table);
        if (sourceArea.surface == nullptr) {
            return false;
        }
        const CPixelSurface& from = *sourceArea.surface;
        const int srcLeft = sourceArea.origin.x + std::min(xSrc, xSrc + widthSrc);
        const int srcTop = sourceArea.origin.y + std::min(ySrc, ySrc + heightSrc);
        const bool smooth = stretch && destination->m_nStretchMode == HALFTONE;
        auto columns =
            AxisWeights(destWidth, std::abs(widthSrc), (widthDest < 0) != (widthSrc < 0), smooth);
        auto rows = AxisWeights(destHeight, std::abs(heightSrc),
                                (heightDest < 0) != (heightSrc < 0), smooth);
        sourcePixels.resize(static_cast<size_t>(destWidth) * static_cast<size_t>(destHeight));
        for (int y = 0; y < destHeight; ++y) {
            for (int x = 0; x < destWidth; ++x) {
                double red = 0;
                double green = 0;
                double blue = 0;
                double total = 0;
                for (const SWeight& row : rows[static_cast<size_t>(y)]) {
                    for (const SWeight& column : columns[static_cast<size_t>(x)]) {
                        const int sx = srcLeft + column.index;
                        const int sy = srcTop + row.index;
                        const double weight = row.weight * column.weight;
                        if (weight <= 0 || !from.Contains(sx, sy)) {
                            continue;
                        }
                        COLORREF pixel = ConvertForDestination(from.GetPixel(sx, sy), from, *source,
                                                               target, *destination);
                        red += weight * GetRValue(pixel);
                        green += weight * GetGValue(pixel);
                        blue += weight * GetBValue(pixel);
                        total += weight;
                    }
                }
                if (total > 0) {
                    auto channel = [total](double sum) {
                        return static_cast<BYTE>(std::clamp(std::lround(sum / total), 0L, 255L));
                    };
                    sourcePixels[static_cast<size_t>(y) * static_cast<size_t>(destWidth) +
                                 static_cast<size_t>(x)] =
                        RGB(channel(red), channel(green), channel(blue));
                }
            }
        }
    }

    for (int y = 0; y < destHeight; ++y) {
        for (int x = 0; x < destWidth; ++x) {
            const int dx = destinationArea.origin.x + destLeft + x;
            const int dy = destinationArea.origin.y + destTop + y;
            if (!destinationArea.Visible(dx, dy)) {
                continue;
            }
            COLORREF sourcePixel = 0;
            if (usesSource) {
                const auto& pixel =
                    sourcePixels[static_cast<size_t>(y) * static_cast<size_t>(destWidth) +
                                 static_cast<size_t>(x)];
                if (!pixel) {
                    continue;
                }
                sourcePixel = *pixel;
            }
            target.SetPixel(dx, dy,
                            rop3 == Rop3(SRCCOPY)
                                ? sourcePixel
                                : Combine(rop3, pattern, sourcePixel, target.GetPixel(dx, dy)));
        }
    }
    return true;
}

}  // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr || rect == nullptr) {
        return 0;
    }
    std::optional<COLORREF> colour = table.GetBrushColour(brush);
    if (!colour) {
        return table.Find(brush) != nullptr ? 1 : 0;
    }
    context->GetDrawingArea(table).Fill(*rect, *colour);
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr || rect == nullptr) {
        return 0;
    }
    std::optional<COLORREF> colour = table.GetBrushColour(brush);
    if (!colour || IsRectEmpty(rect)) {
        return colour ? 1 : 0;
    }
    const SDrawingArea area = context->GetDrawingArea(table);
    const RECT& r = *rect;
    area.Fill(RECT{r.left, r.top, r.right, r.top + 1}, *colour);
    area.Fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, *colour);
    area.Fill(RECT{r.left, r.top, r.left + 1, r.bottom}, *colour);
    area.Fill(RECT{r.right - 1, r.top, r.right, r.bottom}, *colour);
    return 1;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr) {
        return FALSE;
    }
    const SDrawingArea area = context->GetDrawingArea(table);
    const SGdiObject* pen = table.Find(context->m_hPen);
    const std::optional<COLORREF> brush = table.GetBrushColour(context->m_hBrush);
    if (pen == nullptr || pen->pen.lopnStyle == PS_NULL) {
        if (brush) {
            area.Fill(RECT{left, top, right - 1, bottom - 1}, *brush);
        }
        return TRUE;
    }
    const int width = static_cast<int>(pen->pen.lopnWidth.x);
    const COLORREF colour = pen->pen.lopnColor;
    area.Fill(RECT{left, top, right, std::min(bottom, top + width)}, colour);
    area.Fill(RECT{left, std::max(top, bottom - width), right, bottom}, colour);
    area.Fill(RECT{left, top, std::min(right, left + width), bottom}, colour);
    area.Fill(RECT{std::max(left, right - width), top, right, bottom}, colour);
    if (brush) {
        area.Fill(RECT{left + width, top + width, right - width, bottom - width}, *brush);
    }
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr) {
        return CLR_INVALID;
    }
    const SDrawingArea area = context->GetDrawingArea(table);
    const int sx = area.origin.x + x;
    const int sy = area.origin.y + y;
    if (!area.Visible(sx, sy)) {
        return CLR_INVALID;
    }
    area.surface->SetPixel(sx, sy, colour & 0x00FFFFFF);
    return area.surface->GetPixel(sx, sy);
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr) {
        return CLR_INVALID;
    }
    const SDrawingArea area = context->GetDrawingArea(table);
    const int sx = area.origin.x + x;
    const int sy = area.origin.y + y;
    return area.Visible(sx, sy) ? area.surface->GetPixel(sx, sy) : CLR_INVALID;
}

BOOL BitBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc,
            int ySrc, DWORD rop) {
    if (width < 0 || height < 0) {
        return FALSE;
    }
    return Transfer(hdcDest, xDest, yDest, width, height, hdcSrc, xSrc, ySrc, width, height, rop,
                    false)
               ? TRUE
               : FALSE;
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int widthDest, int heightDest, HDC hdcSrc,
                int xSrc, int ySrc, int widthSrc, int heightSrc, DWORD rop) {
    return Transfer(hdcDest, xDest, yDest, widthDest, heightDest, hdcSrc, xSrc, ySrc, widthSrc,
                    heightSrc, rop, true)
               ? TRUE
               : FALSE;
}
