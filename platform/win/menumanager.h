// The menus of a thread: menu bars and pop-up menus with their items.
//
// A pop-up that is an item of another menu belongs to that menu and is destroyed with it.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win/winuser.h"

struct SMenuItem {
    UINT flags = 0;  // type (MF_SEPARATOR, MF_POPUP) and state (MF_GRAYED, MF_DISABLED, ...)
    UINT id = 0;
    HMENU subMenu = nullptr;
    std::string text;
};

struct SMenu {
    bool popup = false;
    HMENU heldBy = nullptr;  // the menu whose item this pop-up is
    std::vector<SMenuItem> items;
};

class CMenuManager {
public:
    static CMenuManager& Get();

    CMenuManager() = default;
    CMenuManager(const CMenuManager&) = delete;
    CMenuManager& operator=(const CMenuManager&) = delete;

    HMENU Create(bool popup);
    SMenu* Find(HMENU hMenu);
    bool Destroy(HMENU hMenu);

    // Puts an item before position index (past the end: at the end). False for an item the
    // model does not hold (bitmaps, owner-drawn items) or a pop-up that cannot be held here.
    bool Insert(HMENU hMenu, size_t index, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);

    // The menu and position of an item, by position or by command id (searched depth first
    // through the pop-ups).
    struct SItemPlace {
        HMENU hMenu = nullptr;
        SMenu* menu = nullptr;
        size_t index = 0;
        SMenuItem* Item() const { return menu != nullptr ? &menu->items[index] : nullptr; }
    };
    SItemPlace Locate(HMENU hMenu, UINT item, UINT flags);

private:
    SItemPlace LocateCommand(HMENU hMenu, UINT id, int depth);

    std::unordered_map<HMENU, std::unique_ptr<SMenu>> m_menus;
};
