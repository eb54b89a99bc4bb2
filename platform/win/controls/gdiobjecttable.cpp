#include "platform/win/controls/gdiobjecttable.h"

#include <cstring>

#include "platform/win/windowmanager.h"

namespace {

SGdiObject MakeBrush(UINT style, COLORREF colour) {
    SGdiObject object;
    object.type = OBJ_BRUSH;
    object.brush = LOGBRUSH{style, colour, 0};
    return object;
}

SGdiObject MakePen(int style, COLORREF colour) {
    SGdiObject object;
    object.type = OBJ_PEN;
    object.pen = LOGPEN{static_cast<UINT>(style), POINT{1, 0}, colour};
    return object;
}

SGdiObject MakeFont(LONG height, const char* faceName) {
    SGdiObject object;
    object.type = OBJ_FONT;
    object.font.lfHeight = height;
    object.font.lfWeight = FW_NORMAL;
    std::strncpy(object.font.lfFaceName, faceName, LF_FACESIZE - 1);
    return object;
}

}  // namespace

CGdiObjectTable& CGdiObjectTable::Get() {
    static CGdiObjectTable table;
    return table;
}

CGdiObjectTable::CGdiObjectTable() {
    m_stock[WHITE_BRUSH] = AddStock(MakeBrush(BS_SOLID, RGB(255, 255, 255)));
    m_stock[LTGRAY_BRUSH] = AddStock(MakeBrush(BS_SOLID, RGB(192, 192, 192)));
    m_stock[GRAY_BRUSH] = AddStock(MakeBrush(BS_SOLID, RGB(128, 128, 128)));
    m_stock[DKGRAY_BRUSH] = AddStock(MakeBrush(BS_SOLID, RGB(64, 64, 64)));
    m_stock[BLACK_BRUSH] = AddStock(MakeBrush(BS_SOLID, RGB(0, 0, 0)));
    m_stock[NULL_BRUSH] = AddStock(MakeBrush(BS_NULL, RGB(0, 0, 0)));
    m_stock[WHITE_PEN] = AddStock(MakePen(PS_SOLID, RGB(255, 255, 255)));
    m_stock[BLACK_PEN] = AddStock(MakePen(PS_SOLID, RGB(0, 0, 0)));
    m_stock[NULL_PEN] = AddStock(MakePen(PS_NULL, RGB(0, 0, 0)));
    m_stock[OEM_FIXED_FONT] = AddStock(MakeFont(12, "Terminal"));
    m_stock[ANSI_FIXED_FONT] = AddStock(MakeFont(12, "Courier"));
    m_stock[ANSI_VAR_FONT] = AddStock(MakeFont(12, "MS Sans Serif"));
    m_stock[SYSTEM_FONT] = AddStock(MakeFont(16, "System"));
    m_stock[DEVICE_DEFAULT_FONT] = AddStock(MakeFont(16, "System"));
    m_stock[SYSTEM_FIXED_FONT] = AddStock(MakeFont(15, "Fixedsys"));
    m_stock[DEFAULT_GUI_FONT] = AddStock(MakeFont(-11, "MS Shell Dlg"));
    SGdiObject bitmap;
    bitmap.type = OBJ_BITMAP;
    bitmap.surface = std::make_shared<CPixelSurface>(1, 1, 1);
    m_hDefaultBitmap = static_cast<HBITMAP>(AddStock(std::move(bitmap)));
}

HGDIOBJ CGdiObjectTable::AddStock(SGdiObject object) {
    object.stock = true;
    return Add(std::move(object));
}

HGDIOBJ CGdiObjectTable::Add(SGdiObject object) {
    auto hObject = reinterpret_cast<HGDIOBJ>(AllocateUserHandle());
    m_objects.emplace(hObject, std::move(object));
    return hObject;
}

SGdiObject* CGdiObjectTable::Find(HGDIOBJ hObject) {
    auto it = m_objects.find(hObject);
    return it != m_objects.end() ? &it->second : nullptr;
}

HBITMAP CGdiObjectTable::AddBitmap(std::shared_ptr<CPixelSurface> pSurface, bool bOwned) {
    SGdiObject object;
    object.type = OBJ_BITMAP;
    object.owned = bOwned;
    object.surface = std::move(pSurface);
    return static_cast<HBITMAP>(Add(std::move(object)));
}

std::shared_ptr<CPixelSurface> CGdiObjectTable::FindSurface(HBITMAP hBitmap) {
    SGdiObject* object = Find(hBitmap);
    return object != nullptr && object->type == OBJ_BITMAP ? object->surface : nullptr;
}

bool CGdiObjectTable::Delete(HGDIOBJ hObject, bool bForce) {
    SGdiObject* object = Find(hObject);
    if (object == nullptr || object->stock || (object->owned && !bForce)) {
        return false;
    }
    if (IsSelected(hObject)) {
        if (!bForce) {
            return false;
        }
        for (auto& [hdc, context] : m_contexts) {
            if (context->GetBitmap() == hObject) {
                context->SetBitmap(m_hDefaultBitmap);
            }
        }
    }
    m_objects.erase(hObject);
    return true;
}

bool CGdiObjectTable::IsSelected(HGDIOBJ hObject) const {
    for (const auto& [hdc, context] : m_contexts) {
        if (context->GetBitmap() == hObject || context->m_hBrush == hObject ||
            context->m_hPen == hObject || context->m_hFont == hObject) {
            return true;
        }
    }
    return false;
}

HGDIOBJ CGdiObjectTable::GetStockObject(int index) const {
    auto it = m_stock.find(index);
    return it != m_stock.end() ? it->second : nullptr;
}

HBRUSH CGdiObjectTable::GetSysColorBrush(int index) {
    if (index < 0 || index > COLOR_BTNHIGHLIGHT) {
        return nullptr;
    }
    auto it = m_sysColorBrushes.find(index);
    if (it != m_sysColorBrushes.end()) {
        return it->second;
    }
    auto hBrush = static_cast<HBRUSH>(AddStock(MakeBrush(BS_SOLID, GetSysColor(index))));
    m_sysColorBrushes.emplace(index, hBrush);
    return hBrush;
}

std::optional<COLORREF> CGdiObjectTable::GetBrushColour(HBRUSH hBrush) {
    auto value = reinterpret_cast<ULONG_PTR>(hBrush);
    if (value != 0 && value <= static_cast<ULONG_PTR>(COLOR_BTNHIGHLIGHT) + 1) {
        return GetSysColor(static_cast<int>(value - 1));
    }
    SGdiObject* object = Find(hBrush);
    if (object == nullptr || object->type != OBJ_BRUSH || object->brush.lbStyle != BS_SOLID) {
        return std::nullopt;
    }
    return object->brush.lbColor;
}

HDC CGdiObjectTable::AddContext(std::unique_ptr<CDeviceContext> pContext) {
    auto hdc = reinterpret_cast<HDC>(AllocateUserHandle());
    m_contexts.emplace(hdc, std::move(pContext));
    return hdc;
}

CDeviceContext* CGdiObjectTable::FindContext(HDC hdc) {
    auto it = m_contexts.find(hdc);
    return it != m_contexts.end() ? it->second.get() : nullptr;
}

bool CGdiObjectTable::DeleteContext(HDC hdc) {
    return m_contexts.erase(hdc) > 0;
}
