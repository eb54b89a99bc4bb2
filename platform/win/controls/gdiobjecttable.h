// CGdiObjectTable: the drawing objects of the process (pens, brushes, fonts, bitmaps) and its
// device contexts, by handle.
//
// One lock guards the table and every drawing operation, so that threads may share objects as
// they do on the platform; it is recursive so that an operation may call another.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/win/controls/devicecontext.h"
#include "platform/win/controls/pixelsurface.h"
#include "platform/win/controls/wingdi.h"

struct SGdiObject {
    DWORD type = 0;      // OBJ_PEN, OBJ_BRUSH, OBJ_FONT or OBJ_BITMAP
    bool stock = false;  // shared: DeleteObject leaves it
    bool owned = false;  // part of another object (an image list): DeleteObject refuses it
    LOGBRUSH brush{};
    LOGPEN pen{};
    LOGFONTA font{};
    std::shared_ptr<CPixelSurface> surface;  // bitmaps
};

class CGdiObjectTable {
public:
    static CGdiObjectTable& Get();

    CGdiObjectTable(const CGdiObjectTable&) = delete;
    CGdiObjectTable& operator=(const CGdiObjectTable&) = delete;

    std::unique_lock<std::recursive_mutex> Lock() {
        return std::unique_lock<std::recursive_mutex>(m_mutex);
    }

    HGDIOBJ Add(SGdiObject object);
    SGdiObject* Find(HGDIOBJ hObject);
    // A bitmap over the surface, which it shares with its owner when it is owned.
    HBITMAP AddBitmap(std::shared_ptr<CPixelSurface> pSurface, bool bOwned);
    std::shared_ptr<CPixelSurface> FindSurface(HBITMAP hBitmap);
    // False for stock objects (which stay), owned and selected objects and unknown handles;
    // bForce deletes an owned object, and a context holding it falls back to its first bitmap.
    bool Delete(HGDIOBJ hObject, bool bForce = false);
    bool IsSelected(HGDIOBJ hObject) const;

    HGDIOBJ GetStockObject(int index) const;
    HBRUSH GetSysColorBrush(int index);
    // The 1 by 1 monochrome bitmap that a new memory context holds.
    HBITMAP GetDefaultBitmap() const { return m_hDefaultBitmap; }
    // The colour that a brush fills with: a brush handle, or a colour index + 1; none for the
    // null brush and unknown handles.
    std::optional<COLORREF> GetBrushColour(HBRUSH hBrush);

    HDC AddContext(std::unique_ptr<CDeviceContext> pContext);
    CDeviceContext* FindContext(HDC hdc);
    bool DeleteContext(HDC hdc);

private:
    CGdiObjectTable();
    HGDIOBJ AddStock(SGdiObject object);

    std::recursive_mutex m_mutex;
    std::unordered_map<HGDIOBJ, SGdiObject> m_objects;
    std::unordered_map<HDC, std::unique_ptr<CDeviceContext>> m_contexts;
    std::map<int, HGDIOBJ> m_stock;
    std::map<int, HBRUSH> m_sysColorBrushes;
    HBITMAP m_hDefaultBitmap = nullptr;
};
