// The system cursors and the cursor shown.

#include "platform/win/moduleresources.h"
#include "platform/win/uidriver.h"
#include "platform/win/windowmanager.h"
#include "platform/win/winuser.h"

namespace {

struct SSystemCursor {
    UINT id;
    const char* name;
};

// A system cursor's handle is the address of its entry here: unique and never freed.
constexpr SSystemCursor kSystemCursors[] = {
    {32512, "IDC_ARROW"}, {32513, "IDC_IBEAM"},   {32514, "IDC_WAIT"},
    {32515, "IDC_CROSS"}, {32516, "IDC_UPARROW"}, {32646, "IDC_SIZEALL"},
    {32648, "IDC_NO"},    {32649, "IDC_HAND"},    {32650, "IDC_APPSTARTING"},
};

const SSystemCursor* FindSystemCursor(HCURSOR hCursor) {
    for (const SSystemCursor& cursor : kSystemCursors) {
        if (reinterpret_cast<HCURSOR>(const_cast<SSystemCursor*>(&cursor)) == hCursor) {
            return &cursor;
        }
    }
    return nullptr;
}

}  // namespace

HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR cursorName) {
    if (hInstance != nullptr || cursorName == nullptr || !IS_INTRESOURCE(cursorName)) {
        return nullptr;
    }
    UINT id = CModuleResources::ResourceId(cursorName);
    for (const SSystemCursor& cursor : kSystemCursors) {
        if (cursor.id == id) {
            return reinterpret_cast<HCURSOR>(const_cast<SSystemCursor*>(&cursor));
        }
    }
    return nullptr;
}

HCURSOR SetCursor(HCURSOR hCursor) {
    CWindowManager& manager = CWindowManager::Get();
    HCURSOR previous = manager.GetCursor();
    manager.SetCursor(hCursor);
    const SSystemCursor* cursor = FindSystemCursor(hCursor);
    const char* name = hCursor == nullptr ? "none" : cursor != nullptr ? cursor->name : "custom";
    CUIDriver::Get().RecordCursor(hCursor, name);
    return previous;
}

HCURSOR GetCursor() {
    return CWindowManager::Get().GetCursor();
}

BOOL DestroyCursor(HCURSOR hCursor) {
    // System cursors are shared: destroying one leaves it usable.
    return FindSystemCursor(hCursor) != nullptr ? TRUE : FALSE;
}
