// Module resources: the string table, menus, dialog templates, icons and bitmaps of a module.
//
// A module writes its resources as constant C++ tables and registers them under its instance
// handle when it is loaded (and unregisters them when it is unloaded); LoadStringA, LoadMenuA,
// LoadIconA and the dialog functions then find them by that handle and the resource id. The
// tables are referred to, not copied: they must outlive their registration, as static data does.
//
// Resources are named by number (MAKEINTRESOURCEA(id), or the text "#id").
#pragma once

#include <span>

#include "platform/win/colorref.h"
#include "platform/win/winuser.h"

struct SStringResource {
    UINT id;
    const char* text;
};

// One item of a menu resource. Items are listed in order, each with its depth: the items of
// depth 0 form the menu bar, and the items that follow an MF_POPUP item with a depth one greater
// are the items of that pop-up.
struct SMenuTemplateItem {
    int depth;
    UINT flags;  // MF_STRING, MF_POPUP or MF_SEPARATOR, with MF_GRAYED, MF_DISABLED, MF_CHECKED
    UINT id;     // the command id; not used for pop-ups and separators
    const char* text;
};

struct SMenuResource {
    UINT id;
    std::span<const SMenuTemplateItem> items;
};

// One control of a dialog template. The rectangle is in dialog units; the control is created as a
// visible child of the dialog (WS_CHILD | WS_VISIBLE are added to the style). A static control
// with SS_ICON shows the icon that its text names ("#206").
struct SDialogItemTemplate {
    const char* className;  // "Button", "Edit", "Static", or a class registered by a module
    int id;                 // -1 for controls that need none
    const char* text;
    DWORD style;
    short x;
    short y;
    short cx;
    short cy;
    DWORD exStyle = 0;
};

// A dialog template: the dialog's style, title, size in dialog units, font and controls. The
// dialog units follow from the font: a point size p gives a base width of 6p/8 and a base height
// of 13p/8 pixels (rounded), so that an 8 point font gives 6 by 13; without DS_SETFONT the
// system font's 8 by 16 apply. A dialog unit is a quarter of the base width and an eighth of the
// base height.
struct SDialogTemplate {
    const char* title;
    DWORD style;
    DWORD exStyle;
    short x;
    short y;
    short cx;
    short cy;
    const char* fontName;
    WORD pointSize;
    std::span<const SDialogItemTemplate> items;
};

struct SDialogResource {
    UINT id;
    const SDialogTemplate* dialogTemplate;
};

// An icon or bitmap: width times height colours, row by row from the top.
struct SImageResource {
    UINT id;
    int width;
    int height;
    std::span<const COLORREF> pixels;
};

struct SModuleResourceTable {
    std::span<const SStringResource> strings;
    std::span<const SMenuResource> menus;
    std::span<const SDialogResource> dialogs;
    std::span<const SImageResource> icons;
    std::span<const SImageResource> bitmaps;
};

// The registry of the resources of the process's modules.
class CModuleResources {
public:
    // Registers (or replaces) the module's resources.
    static void Register(HINSTANCE hInstance, const SModuleResourceTable& table);
    static void Unregister(HINSTANCE hInstance);

    // The resource's id, or 0 when the name is not a number.
    static UINT ResourceId(LPCSTR name);

    static const char* FindString(HINSTANCE hInstance, UINT id);
    static const SMenuResource* FindMenu(HINSTANCE hInstance, UINT id);
    static const SDialogTemplate* FindDialog(HINSTANCE hInstance, UINT id);
    static const SImageResource* FindIcon(HINSTANCE hInstance, UINT id);
    static const SImageResource* FindBitmap(HINSTANCE hInstance, UINT id);

    // The image behind an icon handle of LoadIconA; null for any other handle.
    static const SImageResource* GetIconImage(HICON hIcon);

    // The module whose resources the window framework uses (dialog templates of DoModal).
    static void SetResourceInstance(HINSTANCE hInstance);
    static HINSTANCE GetResourceInstance();
};

// Registers a module's resources for as long as it lives.
class CResourceRegistration {
public:
    CResourceRegistration(HINSTANCE hInstance, const SModuleResourceTable& table);
    ~CResourceRegistration();
    CResourceRegistration(const CResourceRegistration&) = delete;
    CResourceRegistration& operator=(const CResourceRegistration&) = delete;

private:
    HINSTANCE m_hInstance;
};
