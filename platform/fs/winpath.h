// Windows paths on this machine.
//
// The system names files with Windows paths ("C:\Lirset\preferences.xml"). A drive letter maps to
// a folder under the platform root: C:\Lirset\ is $LIRSET_ROOT/drive_c/Lirset/. Backslashes are
// separators and doubled separators are accepted, as the platform's file system accepts them.
// A path that is already a path of this machine (it starts with "/") is used as it is.
#pragma once

#include <string>
#include <string_view>

// $LIRSET_ROOT, or ~/.lirset when it is not set.
std::string GetPlatformRoot();

// True for "X:\..." or "X:/..." with a drive letter X.
bool IsDrivePath(std::string_view path);

// The path of this machine that the given Windows path names.
std::string MapWindowsPath(std::string_view path);
