#include "platform/fs/winpath.h"

#include <cctype>
#include <cstdlib>

std::string GetPlatformRoot() {
    if (const char* root = std::getenv("LIRSET_ROOT"); root != nullptr && *root != '\0') {
        return root;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.lirset";
}

bool IsDrivePath(std::string_view path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

std::string MapWindowsPath(std::string_view path) {
    if (!IsDrivePath(path)) {
        return std::string(path);
    }
    std::string mapped = GetPlatformRoot() + "/drive_";
    mapped += static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
    bool lastWasSeparator = false;
    for (char c : path.substr(2)) {
        bool separator = c == '\\' || c == '/';
        if (separator && lastWasSeparator) {
            continue;
        }
        mapped += separator ? '/' : c;
        lastWasSeparator = separator;
    }
    return mapped;
}
