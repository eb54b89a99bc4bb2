#include "platform/browser/fileurl.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/browser/url.h"
#include "platform/fs/winpath.h"

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// "C:" or "C|" (the old form of a drive in a URL) followed by a separator or the end.
bool StartsWithDrive(std::string_view text) {
    return text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) &&
           (text[1] == ':' || text[1] == '|') &&
           (text.size() == 2 || text[2] == '/' || text[2] == '\\');
}

// Writes a path into a URL: keeps what a path segment may hold as it is, encodes the rest.
std::string EncodePath(std::string_view path) {
    static constexpr std::string_view kKept = "-._~!$&'()*+,;=:@/";
    std::string encoded;
    for (char c : path) {
        unsigned char u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || kKept.find(c) != std::string_view::npos) {
            encoded += c;
        } else {
            encoded += EncodeQueryValue(std::string_view(&c, 1));
        }
    }
    return encoded;
}

}  // namespace

std::optional<std::string> FileUrlToPath(std::string_view url) {
    if (url.size() < 5 || !EqualsNoCase(url.substr(0, 5), "file:")) {
        return std::nullopt;
    }
    std::string_view rest = url.substr(5);
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        size_t hostEnd = std::min(rest.find_first_of("/\\"), rest.size());
        std::string_view host = rest.substr(0, hostEnd);
        if (StartsWithDrive(rest)) {
            host = {};
        } else {
            rest.remove_prefix(hostEnd);
        }
        if (!host.empty() && !EqualsNoCase(host, "localhost")) {
            return std::nullopt;
        }
    }
    if (rest.starts_with('/') && StartsWithDrive(rest.substr(1))) {
        rest.remove_prefix(1);
    }
    bool drive = StartsWithDrive(rest);
    if (!drive && !rest.starts_with('/')) {
        return std::nullopt;
    }
    std::string path = PercentDecode(drive ? rest : RemoveDotSegments(rest));
    if (path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    if (drive) {
        path[1] = ':';
        if (path.size() == 2) {
            path += '/';
        }
    }
    return path;
}

std::optional<std::string> FileUrlToLocalPath(std::string_view url) {
    std::optional<std::string> path = FileUrlToPath(url);
    if (path && IsDrivePath(*path)) {
        return MapWindowsPath(*path);
    }
    return path;
}

std::string PathToFileUrl(std::string_view path) {
    if (IsDrivePath(path)) {
        std::string normalised;
        for (char c : path) {
            bool separator = c == '\\' || c == '/';
            if (separator && normalised.ends_with('/')) {
                continue;
            }
            normalised += separator ? '/' : c;
        }
        return "file:///" + EncodePath(normalised);
    }
    std::string absolute(path);
    if (!path.starts_with('/')) {
        std::error_code error;
        std::filesystem::path full = std::filesystem::absolute(std::string(path), error);
        if (!error) {
            absolute = full.lexically_normal().string();
        }
    }
    return "file://" + EncodePath(absolute);
}
