#include "platform/browser/contenttype.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view LastSegment(std::string_view path) {
    size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

constexpr std::array<std::pair<std::string_view, std::string_view>, 13> kExtensions{{
    {"html", "text/html"},
    {"htm", "text/html"},
    {"txt", "text/plain"},
    {"onto", "text/plain"},
    {"menu", "text/plain"},
    {"xml", "text/xml"},
    {"css", "text/css"},
    {"js", "text/javascript"},
    {"png", "image/png"},
    {"gif", "image/gif"},
    {"jpg", "image/jpeg"},
    {"jpeg", "image/jpeg"},
    {"bmp", "image/bmp"},
}};

}  // namespace

SContentType ParseContentType(std::string_view header) {
    SContentType type;
    bool first = true;
    for (size_t start = 0; start <= header.size();) {
        size_t end = std::min(header.find(';', start), header.size());
        std::string_view part = header.substr(start, end - start);
        start = end + 1;
        if (first) {
            type.mediaType = Lower(Trim(part));
            first = false;
            continue;
        }
        size_t equals = part.find('=');
        if (equals == std::string_view::npos || Lower(Trim(part.substr(0, equals))) != "charset") {
            continue;
        }
        std::string_view value = Trim(part.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        type.charset = Lower(Trim(value));
    }
    return type;
}

bool HasExtension(std::string_view path) {
    std::string_view name = LastSegment(path);
    size_t dot = name.rfind('.');
    return dot != std::string_view::npos && dot != 0;
}

std::string MediaTypeForExtension(std::string_view path) {
    if (!HasExtension(path)) {
        return {};
    }
    std::string_view name = LastSegment(path);
    std::string extension = Lower(name.substr(name.rfind('.') + 1));
    for (const auto& [listed, mediaType] : kExtensions) {
        if (extension == listed) {
            return std::string(mediaType);
        }
    }
    return {};
}

std::string SniffTextMediaType(std::string_view content) {
    if (content.starts_with("\xEF\xBB\xBF")) {
        content.remove_prefix(3);
    }
    content = Trim(content);
    return content.starts_with('<') ? "text/html" : "text/plain";
}

std::string MediaTypeForFile(std::string_view path, std::string_view content) {
    if (!HasExtension(path)) {
        return SniffTextMediaType(content);
    }
    std::string mediaType = MediaTypeForExtension(path);
    return mediaType.empty() ? "application/octet-stream" : mediaType;
}
