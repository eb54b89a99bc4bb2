// The resources of the Lirset module as data: string table, Options menu, dialog templates,
// icon and bitmaps (registered with the window layer under the module's instance handle), and
// the registry script and version information (kept here for the registration code).
#pragma once

#include <span>
#include <string_view>

#include "platform/win/moduleresources.h"

// One entry of the version information's string table ("FileDescription", "Lirset Module").
struct SVersionString {
    const char* name;
    const char* value;
};

struct SVersionInfo {
    WORD fileVersion[4];
    WORD productVersion[4];
    WORD language;  // 0x0409: U.S. English
    WORD codePage;  // 1200: Unicode
    std::span<const SVersionString> strings;
};

// The resources that the window layer serves (strings, menus, dialogs, icons, bitmaps).
const SModuleResourceTable& GetLirsetResourceTable();

// Registers the module's resources under hInstance and makes it the framework's resource
// instance, so that the dialogs' DoModal finds their templates.
void RegisterLirsetResources(HINSTANCE hInstance);
void UnregisterLirsetResources(HINSTANCE hInstance);

// The registry script (resource IDR_LIRSETTOOLBAND) in the registrar's syntax; %MODULE% stands
// for the module's full path.
std::string_view GetLirsetRegistryScript();

const SVersionInfo& GetLirsetVersionInfo();
