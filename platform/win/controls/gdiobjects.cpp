// Drawing objects and device contexts: creation, selection, description and deletion.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/win/controls/gdiobjecttable.h"
#include "platform/win/controls/wingdi.h"

namespace {

CGdiObjectTable& Table() {
    return CGdiObjectTable::Get();
}

// Runs f on the device context under the table's lock, or gives fallback for a handle that names
// none.
template <class R, class F>
R WithContext(HDC hdc, R fallback, F f) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    return context != nullptr ? static_cast<R>(f(*context)) : fallback;
}

// Bytes of one row of a bitmap's device-dependent form.
LONG WidthBytes(int width, int bitsPerPixel) {
    return static_cast<LONG>(((width * bitsPerPixel + 15) / 16) * 2);
}

template <class T>
int CopyDescription(const T& description, int size, LPVOID buffer) {
    if (buffer == nullptr) {
        return static_cast<int>(sizeof(T));
    }
    if (size < static_cast<int>(sizeof(T))) {
        return 0;
    }
    std::memcpy(buffer, &description, sizeof(T));
    return static_cast<int>(sizeof(T));
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
    return Table().GetStockObject(index);
}

BOOL DeleteObject(HGDIOBJ object) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    SGdiObject* found = table.Find(object);
    if (found != nullptr && found->stock) {
        return TRUE;
    }
    return table.Delete(object) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ object) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    if (CDeviceContext* context = table.FindContext(static_cast<HDC>(object))) {
        return context->IsMemory() ? OBJ_MEMDC : OBJ_DC;
    }
    SGdiObject* found = table.Find(object);
    return found != nullptr ? found->type : 0;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    SGdiObject* found = table.Find(object);
    if (found == nullptr || size < 0) {
        return 0;
    }
    switch (found->type) {
        case OBJ_BITMAP: {
            const CPixelSurface& surface = *found->surface;
            BITMAP bitmap{0,
                          surface.GetWidth(),
                          surface.GetHeight(),
                          WidthBytes(surface.GetWidth(), surface.GetBitsPerPixel()),
                          1,
                          surface.GetBitsPerPixel(),
                          nullptr};
            return CopyDescription(bitmap, size, buffer);
        }
        case OBJ_BRUSH:
            return CopyDescription(found->brush, size, buffer);
        case OBJ_PEN:
            return CopyDescription(found->pen, size, buffer);
        case OBJ_FONT:
            return CopyDescription(found->font, size, buffer);
        default:
            return 0;
    }
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    SGdiObject object;
    object.type = OBJ_BRUSH;
    object.brush = LOGBRUSH{BS_SOLID, colour & 0x00FFFFFF, 0};
    return static_cast<HBRUSH>(table.Add(std::move(object)));
}

HBRUSH GetSysColorBrush(int index) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    return table.GetSysColorBrush(index);
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) {
        return nullptr;
    }
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    SGdiObject object;
    object.type = OBJ_PEN;
    object.pen =
        LOGPEN{static_cast<UINT>(style), POINT{std::max(width, 1), 0}, colour & 0x00FFFFFF};
    return static_cast<HPEN>(table.Add(std::move(object)));
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
    if (font == nullptr) {
        return nullptr;
    }
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    SGdiObject object;
    object.type = OBJ_FONT;
    object.font = *font;
    object.font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(table.Add(std::move(object)));
}

HDC GetDC(HWND hWnd) {
    if (hWnd != nullptr && !IsWindow(hWnd)) {
        return nullptr;
    }
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    return table.AddContext(std::make_unique<CDeviceContext>(hWnd, false));
}

HDC GetWindowDC(HWND hWnd) {
    if (hWnd != nullptr && !IsWindow(hWnd)) {
        return nullptr;
    }
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    return table.AddContext(std::make_unique<CDeviceContext>(hWnd, true));
}

int ReleaseDC(HWND hWnd, HDC hdc) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr || context->IsMemory() || context->GetWindow() != hWnd) {
        return 0;
    }
    return table.DeleteContext(hdc) ? 1 : 0;
}

HDC CreateCompatibleDC(HDC) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    return table.AddContext(std::make_unique<CDeviceContext>(table.GetDefaultBitmap()));
}

BOOL DeleteDC(HDC hdc) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr || !context->IsMemory()) {
        return FALSE;
    }
    return table.DeleteContext(hdc) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    SGdiObject* found = table.Find(object);
    if (context == nullptr || found == nullptr) {
        return nullptr;
    }
    switch (found->type) {
        case OBJ_BRUSH:
            return std::exchange(context->m_hBrush, static_cast<HBRUSH>(object));
        case OBJ_PEN:
            return std::exchange(context->m_hPen, static_cast<HPEN>(object));
        case OBJ_FONT:
            return std::exchange(context->m_hFont, static_cast<HFONT>(object));
        case OBJ_BITMAP: {
            if (!context->IsMemory()) {
                return nullptr;
            }
            HBITMAP hPrevious = context->GetBitmap();
            if (object != hPrevious && !found->stock && table.IsSelected(object)) {
                return nullptr;
            }
            context->SetBitmap(static_cast<HBITMAP>(object));
            return hPrevious;
        }
        default:
            return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr) {
        return nullptr;
    }
    switch (type) {
        case OBJ_BRUSH:
            return context->m_hBrush;
        case OBJ_PEN:
            return context->m_hPen;
        case OBJ_FONT:
            return context->m_hFont;
        case OBJ_BITMAP:
            return context->IsMemory() ? context->GetBitmap() : nullptr;
        default:
            return nullptr;
    }
}

int GetDeviceCaps(HDC hdc, int index) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr) {
        return 0;
    }
    std::shared_ptr<CPixelSurface> surface = context->GetDrawingArea(table).surface;
    switch (index) {
        case HORZRES:
            return GetSystemMetrics(SM_CXSCREEN);
        case VERTRES:
            return GetSystemMetrics(SM_CYSCREEN);
        case BITSPIXEL:
            return surface != nullptr ? surface->GetBitsPerPixel() : 32;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        default:
            return 0;
    }
}

COLORREF SetBkColor(HDC hdc, COLORREF colour) {
    return WithContext(hdc, CLR_INVALID, [colour](CDeviceContext& context) {
        return std::exchange(context.m_clrBack, colour & 0x00FFFFFF);
    });
}

COLORREF GetBkColor(HDC hdc) {
    return WithContext(hdc, CLR_INVALID, [](CDeviceContext& context) { return context.m_clrBack; });
}

COLORREF SetTextColor(HDC hdc, COLORREF colour) {
    return WithContext(hdc, CLR_INVALID, [colour](CDeviceContext& context) {
        return std::exchange(context.m_clrText, colour & 0x00FFFFFF);
    });
}

COLORREF GetTextColor(HDC hdc) {
    return WithContext(hdc, CLR_INVALID, [](CDeviceContext& context) { return context.m_clrText; });
}

int SetBkMode(HDC hdc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return WithContext(
        hdc, 0, [mode](CDeviceContext& context) { return std::exchange(context.m_nBkMode, mode); });
}

int GetBkMode(HDC hdc) {
    return WithContext(hdc, 0, [](CDeviceContext& context) { return context.m_nBkMode; });
}

int SetStretchBltMode(HDC hdc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) {
        return 0;
    }
    return WithContext(hdc, 0, [mode](CDeviceContext& context) {
        return std::exchange(context.m_nStretchMode, mode);
    });
}

int GetStretchBltMode(HDC hdc) {
    return WithContext(hdc, 0, [](CDeviceContext& context) { return context.m_nStretchMode; });
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr) {
        return ERROR_REGION;
    }
    context->IntersectClip(RECT{left, top, right, bottom});
    RECT box{};
    return GetClipBox(hdc, &box);
}

int GetClipBox(HDC hdc, LPRECT rect) {
    CGdiObjectTable& table = Table();
    auto lock = table.Lock();
    CDeviceContext* context = table.FindContext(hdc);
    if (context == nullptr || rect == nullptr) {
        return ERROR_REGION;
    }
    SDrawingArea area = context->GetDrawingArea(table);
    *rect = area.clip;
    OffsetRect(rect, -area.origin.x, -area.origin.y);
    if (IsRectEmpty(rect)) {
        *rect = RECT{};
        return NULLREGION;
    }
    return SIMPLEREGION;
}
