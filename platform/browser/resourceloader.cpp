#include "platform/browser/resourceloader.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "platform/browser/fileurl.h"
#include "platform/browser/httptransfer.h"
#include "platform/browser/url.h"
#include "platform/fs/winpath.h"
#include "platform/text/codepage.h"

namespace {

std::string_view TrimSpace(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

SResourceResponse Failure(std::string url, EResourceError kind, std::string message) {
    SResourceResponse response;
    response.url = std::move(url);
    response.error = {kind, std::move(message)};
    return response;
}

// The query and fragment of the address, written as they follow a path ("?q#f").
std::string QueryAndFragment(const CUrl& url) {
    std::string tail;
    if (url.HasQuery()) {
        tail += "?" + url.GetQuery();
    }
    if (url.HasFragment()) {
        tail += "#" + url.GetFragment();
    }
    return tail;
}

bool IsBlank(std::string_view path) {
    static constexpr std::string_view kBlank = "blank";
    if (path.size() != kBlank.size()) {
        return false;
    }
    for (size_t i = 0; i < path.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(path[i])) != kBlank[i]) {
            return false;
        }
    }
    return true;
}

SResourceResponse AboutBlank() {
    SResourceResponse response;
    response.url = "about:blank";
    response.status = 200;
    response.contentType.mediaType = "text/html";
    return response;
}

}  // namespace

const char* ResourceErrorName(EResourceError kind) {
    switch (kind) {
        case EResourceError::None:
            return "None";
        case EResourceError::InvalidAddress:
            return "InvalidAddress";
        case EResourceError::UnsupportedScheme:
            return "UnsupportedScheme";
        case EResourceError::NotFound:
            return "NotFound";
        case EResourceError::AccessDenied:
            return "AccessDenied";
        case EResourceError::HostNotFound:
            return "HostNotFound";
        case EResourceError::ConnectFailed:
            return "ConnectFailed";
        case EResourceError::Timeout:
            return "Timeout";
        case EResourceError::TooManyRedirects:
            return "TooManyRedirects";
        case EResourceError::TooLarge:
            return "TooLarge";
        case EResourceError::TransferFailed:
            return "TransferFailed";
    }
    return "Unknown";
}

SResourceResponse CResourceLoader::Load(std::u16string_view address) const {
    return Load(WideToUtf8(address));
}

SResourceResponse CResourceLoader::Load(std::string_view address) const {
    std::string_view text = TrimSpace(address);
    if (text.empty()) {
        return Failure("", EResourceError::InvalidAddress, "The address is empty");
    }
    if (IsDrivePath(text) || text.starts_with('/')) {
        return LoadFile(MapWindowsPath(text), PathToFileUrl(text));
    }
    if (text.starts_with("\\\\")) {
        return Failure(std::string(text), EResourceError::InvalidAddress,
                       "Files on other machines cannot be loaded: " + std::string(text));
    }
    std::optional<CUrl> url = CUrl::Parse(text);
    if (!url) {
        return Failure(std::string(text), EResourceError::InvalidAddress,
                       "The address cannot be read: " + std::string(text));
    }
    if (!url->IsAbsolute()) {
        return LoadFile(std::string(text), PathToFileUrl(text));
    }

    const std::string& scheme = url->GetScheme();
    if (scheme == "http" || scheme == "https") {
        if (url->GetHost().empty()) {
            return Failure(std::string(text), EResourceError::InvalidAddress,
                           "The address names no host: " + std::string(text));
        }
        CUrl request = *url;
        request.RemoveFragment();
        SResourceResponse response = TransferHttp(EncodeForTransfer(request.ToString()), m_options);
        // A fragment is not sent; the page reached keeps the one asked for unless a redirect
        // named its own.
        if (url->HasFragment() && response.url.find('#') == std::string::npos) {
            response.url += "#" + url->GetFragment();
        }
        return response;
    }
    if (scheme == "file") {
        std::optional<std::string> path = FileUrlToPath(text);
        if (!path) {
            return Failure(std::string(text), EResourceError::InvalidAddress,
                           "The address names no file of this machine: " + std::string(text));
        }
        std::string local = IsDrivePath(*path) ? MapWindowsPath(*path) : *path;
        return LoadFile(local, PathToFileUrl(*path) + QueryAndFragment(*url));
    }
    if (scheme == "about" && IsBlank(url->GetPath()) && !url->HasQuery()) {
        SResourceResponse response = AboutBlank();
        response.url += QueryAndFragment(*url);
        return response;
    }
    return Failure(std::string(text), EResourceError::UnsupportedScheme,
                   "Addresses of this kind cannot be loaded: " + std::string(text));
}

SResourceResponse CResourceLoader::LoadFile(const std::string& localPath, std::string url) const {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(localPath, error);
    if (error || !std::filesystem::exists(status)) {
        return Failure(std::move(url), EResourceError::NotFound,
                       "The file does not exist: " + localPath);
    }
    if (!std::filesystem::is_regular_file(status)) {
        return Failure(std::move(url), EResourceError::NotFound, "Not a file: " + localPath);
    }
    std::uintmax_t size = std::filesystem::file_size(localPath, error);
    if (!error && size > m_options.maxBodyBytes) {
        return Failure(std::move(url), EResourceError::TooLarge,
                       "The file is larger than the loader accepts: " + localPath);
    }

    std::ifstream in(localPath, std::ios::binary);
    if (!in) {
        return Failure(std::move(url), EResourceError::AccessDenied,
                       "The file cannot be opened: " + localPath + ": " + std::strerror(errno));
    }
    SResourceResponse response;
    response.body.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return Failure(std::move(url), EResourceError::AccessDenied,
                       "The file cannot be read: " + localPath);
    }
    response.url = std::move(url);
    response.status = 200;
    response.contentType.mediaType = MediaTypeForFile(localPath, response.body);
    return response;
}
