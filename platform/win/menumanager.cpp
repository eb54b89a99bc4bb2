#include "platform/win/menumanager.h"

#include <algorithm>
#include <cstring>

#include "platform/win/moduleresources.h"
#include "platform/win/uidriver.h"
#include "platform/win/windowmanager.h"

namespace {

constexpr UINT kStateFlags =
    MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT | MF_MENUBREAK | MF_MENUBARBREAK;
constexpr UINT kBitmapFlag = 0x0004;
// Pop-ups nested deeper than this are taken for a cycle.
constexpr int kMaxMenuDepth = 32;

CMenuManager& Menus() {
    return CMenuManager::Get();
}

}  // namespace

CMenuManager& CMenuManager::Get() {
    thread_local CMenuManager manager;
    return manager;
}

HMENU CMenuManager::Create(bool popup) {
    auto hMenu = reinterpret_cast<HMENU>(AllocateUserHandle());
    auto menu = std::make_unique<SMenu>();
    menu->popup = popup;
    m_menus.emplace(hMenu, std::move(menu));
    return hMenu;
}

SMenu* CMenuManager::Find(HMENU hMenu) {
    auto it = m_menus.find(hMenu);
    return it != m_menus.end() ? it->second.get() : nullptr;
}

bool CMenuManager::Destroy(HMENU hMenu) {
    auto it = m_menus.find(hMenu);
    if (it == m_menus.end()) {
        return false;
    }
    std::unique_ptr<SMenu> menu = std::move(it->second);
    m_menus.erase(it);
    if (SMenu* holder = Find(menu->heldBy)) {
        std::erase_if(holder->items,
                      [hMenu](const SMenuItem& item) { return item.subMenu == hMenu; });
    }
    for (const SMenuItem& item : menu->items) {
        if (item.subMenu != nullptr) {
            if (SMenu* subMenu = Find(item.subMenu)) {
                subMenu->heldBy = nullptr;
                Destroy(item.subMenu);
            }
        }
    }
    return true;
}

bool CMenuManager::Insert(HMENU hMenu, size_t index, UINT flags, UINT_PTR idNewItem,
                          LPCSTR newItem) {
    SMenu* menu = Find(hMenu);
    if (menu == nullptr || (flags & (kBitmapFlag | MF_OWNERDRAW)) != 0) {
        return false;
    }
    SMenuItem item;
    item.flags = flags & (kStateFlags | MF_POPUP | MF_SEPARATOR);
    if ((flags & MF_POPUP) != 0) {
        auto hSubMenu = reinterpret_cast<HMENU>(idNewItem);
        SMenu* subMenu = Find(hSubMenu);
        bool cycle = false;
        for (HMENU h = hMenu; h != nullptr && !cycle;
             h = Find(h) != nullptr ? Find(h)->heldBy : nullptr) {
            cycle = h == hSubMenu;
        }
        if (subMenu == nullptr || subMenu->heldBy != nullptr || cycle) {
            return false;
        }
        subMenu->heldBy = hMenu;
        item.subMenu = hSubMenu;
        item.flags &= ~MF_SEPARATOR;
    } else if ((flags & MF_SEPARATOR) == 0) {
        item.id = static_cast<UINT>(idNewItem);
    }
    if ((flags & MF_SEPARATOR) == 0 && newItem != nullptr) {
        item.text = newItem;
    }
    index = std::min(index, menu->items.size());
    menu->items.insert(menu->items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
    return true;
}

CMenuManager::SItemPlace CMenuManager::Locate(HMENU hMenu, UINT item, UINT flags) {
    if ((flags & MF_BYPOSITION) != 0) {
        SMenu* menu = Find(hMenu);
        if (menu == nullptr || item >= menu->items.size()) {
            return {};
        }
        return SItemPlace{hMenu, menu, item};
    }
    return LocateCommand(hMenu, item, 0);
}

CMenuManager::SItemPlace CMenuManager::LocateCommand(HMENU hMenu, UINT id, int depth) {
    SMenu* menu = Find(hMenu);
    if (menu == nullptr || depth > kMaxMenuDepth) {
        return {};
    }
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const SMenuItem& item = menu->items[i];
        if (item.subMenu != nullptr) {
            SItemPlace place = LocateCommand(item.subMenu, id, depth + 1);
            if (place.menu != nullptr) {
                return place;
            }
        } else if ((item.flags & MF_SEPARATOR) == 0 && item.id == id) {
            return SItemPlace{hMenu, menu, i};
        }
    }
    return {};
}

HMENU CreateMenu() {
    return Menus().Create(false);
}

HMENU CreatePopupMenu() {
    return Menus().Create(true);
}

BOOL DestroyMenu(HMENU hMenu) {
    return Menus().Destroy(hMenu) ? TRUE : FALSE;
}

BOOL IsMenu(HMENU hMenu) {
    return Menus().Find(hMenu) != nullptr ? TRUE : FALSE;
}

BOOL AppendMenuA(HMENU hMenu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
    SMenu* menu = Menus().Find(hMenu);
    if (menu == nullptr) {
        return FALSE;
    }
    return Menus().Insert(hMenu, menu->items.size(), flags, idNewItem, newItem) ? TRUE : FALSE;
}

BOOL InsertMenuA(HMENU hMenu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
    CMenuManager& menus = Menus();
    if (menus.Find(hMenu) == nullptr) {
        return FALSE;
    }
    if ((flags & MF_BYPOSITION) != 0) {
        return menus.Insert(hMenu, position, flags, idNewItem, newItem) ? TRUE : FALSE;
    }
    CMenuManager::SItemPlace place = menus.Locate(hMenu, position, MF_BYCOMMAND);
    if (place.menu == nullptr) {
        return FALSE;
    }
    return menus.Insert(place.hMenu, place.index, flags, idNewItem, newItem) ? TRUE : FALSE;
}

BOOL RemoveMenu(HMENU hMenu, UINT position, UINT flags) {
    CMenuManager::SItemPlace place = Menus().Locate(hMenu, position, flags);
    if (place.menu == nullptr) {
        return FALSE;
    }
    HMENU hSubMenu = place.Item()->subMenu;
    place.menu->items.erase(place.menu->items.begin() + static_cast<std::ptrdiff_t>(place.index));
    if (SMenu* subMenu = Menus().Find(hSubMenu)) {
        subMenu->heldBy = nullptr;
    }
    return TRUE;
}

BOOL DeleteMenu(HMENU hMenu, UINT position, UINT flags) {
    CMenuManager::SItemPlace place = Menus().Locate(hMenu, position, flags);
    if (place.menu == nullptr) {
        return FALSE;
    }
    HMENU hSubMenu = place.Item()->subMenu;
    RemoveMenu(hMenu, position, flags);
    if (hSubMenu != nullptr) {
        Menus().Destroy(hSubMenu);
    }
    return TRUE;
}

BOOL EnableMenuItem(HMENU hMenu, UINT idEnableItem, UINT enable) {
    SMenuItem* item = Menus().Locate(hMenu, idEnableItem, enable).Item();
    if (item == nullptr) {
        return -1;
    }
    UINT previous = item->flags & (MF_GRAYED | MF_DISABLED);
    item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

DWORD CheckMenuItem(HMENU hMenu, UINT idCheckItem, UINT check) {
    SMenuItem* item = Menus().Locate(hMenu, idCheckItem, check).Item();
    if (item == nullptr) {
        return static_cast<DWORD>(-1);
    }
    DWORD previous = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return previous;
}

UINT GetMenuState(HMENU hMenu, UINT id, UINT flags) {
    SMenuItem* item = Menus().Locate(hMenu, id, flags).Item();
    if (item == nullptr) {
        return static_cast<UINT>(-1);
    }
    if (item->subMenu != nullptr) {
        SMenu* subMenu = Menus().Find(item->subMenu);
        auto count = static_cast<UINT>(subMenu != nullptr ? subMenu->items.size() : 0);
        return (count << 8) | (item->flags & 0xFF) | MF_POPUP;
    }
    return item->flags;
}

int GetMenuItemCount(HMENU hMenu) {
    SMenu* menu = Menus().Find(hMenu);
    return menu != nullptr ? static_cast<int>(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int position) {
    SMenu* menu = Menus().Find(hMenu);
    if (menu == nullptr || position < 0 || static_cast<size_t>(position) >= menu->items.size()) {
        return static_cast<UINT>(-1);
    }
    const SMenuItem& item = menu->items[static_cast<size_t>(position)];
    return item.subMenu != nullptr ? static_cast<UINT>(-1) : item.id;
}

int GetMenuStringA(HMENU hMenu, UINT idItem, LPSTR text, int maxCount, UINT flags) {
    SMenuItem* item = Menus().Locate(hMenu, idItem, flags).Item();
    if (item == nullptr) {
        return 0;
    }
    if (text == nullptr || maxCount <= 0) {
        return static_cast<int>(item->text.size());
    }
    size_t count = std::min(item->text.size(), static_cast<size_t>(maxCount - 1));
    std::memcpy(text, item->text.data(), count);
    text[count] = '\0';
    return static_cast<int>(count);
}

HMENU GetSubMenu(HMENU hMenu, int position) {
    SMenu* menu = Menus().Find(hMenu);
    if (menu == nullptr || position < 0 || static_cast<size_t>(position) >= menu->items.size()) {
        return nullptr;
    }
    return menu->items[static_cast<size_t>(position)].subMenu;
}

HMENU LoadMenuA(HINSTANCE hInstance, LPCSTR menuName) {
    const SMenuResource* resource =
        CModuleResources::FindMenu(hInstance, CModuleResources::ResourceId(menuName));
    if (resource == nullptr) {
        return nullptr;
    }
    HMENU hMenu = CreateMenu();
    std::vector<HMENU> levels{hMenu};
    for (const SMenuTemplateItem& item : resource->items) {
        if (item.depth < 0 || static_cast<size_t>(item.depth) >= levels.size()) {
            DestroyMenu(hMenu);
            return nullptr;
        }
        levels.resize(static_cast<size_t>(item.depth) + 1);
        UINT_PTR idNewItem = item.id;
        HMENU hPopup = nullptr;
        if ((item.flags & MF_POPUP) != 0) {
            hPopup = CreatePopupMenu();
            idNewItem = reinterpret_cast<UINT_PTR>(hPopup);
        }
        if (!AppendMenuA(levels.back(), item.flags, idNewItem, item.text)) {
            DestroyMenu(hPopup);
            DestroyMenu(hMenu);
            return nullptr;
        }
        if (hPopup != nullptr) {
            levels.push_back(hPopup);
        }
    }
    return hMenu;
}

HMENU GetMenu(HWND hWnd) {
    SWindow* window = CWindowManager::Get().Find(hWnd);
    return window != nullptr && (window->style & WS_CHILD) == 0 ? window->menu : nullptr;
}

BOOL SetMenu(HWND hWnd, HMENU hMenu) {
    SWindow* window = CWindowManager::Get().Find(hWnd);
    if (window == nullptr || (window->style & WS_CHILD) != 0 ||
        (hMenu != nullptr && !IsMenu(hMenu))) {
        return FALSE;
    }
    window->menu = hMenu;
    return TRUE;
}

BOOL TrackPopupMenuEx(HMENU hMenu, UINT flags, int x, int y, HWND hWnd, LPTPMPARAMS) {
    if (!IsMenu(hMenu) || !IsWindow(hWnd)) {
        return FALSE;
    }
    if ((flags & TPM_NONOTIFY) == 0) {
        SendMessageA(hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(0, FALSE));
        if (!IsMenu(hMenu)) {
            return FALSE;
        }
    }
    UINT id = CUIDriver::Get().TrackPopupMenu(hMenu, flags, x, y, hWnd);
    if ((flags & TPM_RETURNCMD) != 0) {
        return static_cast<BOOL>(id);
    }
    if (id != 0) {
        PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
    }
    return TRUE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT flags, int x, int y, int, HWND hWnd, const RECT*) {
    return TrackPopupMenuEx(hMenu, flags, x, y, hWnd, nullptr);
}
