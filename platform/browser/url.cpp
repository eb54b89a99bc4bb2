#include "platform/browser/url.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsSchemeChar(char c, bool first) {
    unsigned char u = static_cast<unsigned char>(c);
    if (std::isalpha(u)) {
        return true;
    }
    return !first && (std::isdigit(u) || c == '+' || c == '-' || c == '.');
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool StartsEscape(std::string_view text, size_t i) {
    return i + 2 < text.size() && text[i] == '%' && HexValue(text[i + 1]) >= 0 &&
           HexValue(text[i + 2]) >= 0;
}

void AppendEscape(std::string& out, unsigned char c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

// The base path up to its last "/", followed by the reference path (RFC 3986, section 5.2.3).
std::string MergePaths(const CUrl& base, const std::string& referencePath) {
    if (base.HasAuthority() && base.GetPath().empty()) {
        return "/" + referencePath;
    }
    size_t slash = base.GetPath().rfind('/');
    if (slash == std::string::npos) {
        return referencePath;
    }
    return base.GetPath().substr(0, slash + 1) + referencePath;
}

}  // namespace

std::optional<CUrl> CUrl::Parse(std::string_view text) {
    CUrl url;
    std::string_view rest = text;

    size_t schemeEnd = rest.find_first_of(":/?#");
    if (schemeEnd != std::string_view::npos && rest[schemeEnd] == ':') {
        std::string_view scheme = rest.substr(0, schemeEnd);
        if (scheme.empty()) {
            return std::nullopt;
        }
        for (size_t i = 0; i < scheme.size(); ++i) {
            if (!IsSchemeChar(scheme[i], i == 0)) {
                return std::nullopt;
            }
            url.m_strScheme +=
                static_cast<char>(std::tolower(static_cast<unsigned char>(scheme[i])));
        }
        rest.remove_prefix(schemeEnd + 1);
    }

    if (size_t hash = rest.find('#'); hash != std::string_view::npos) {
        url.m_bHasFragment = true;
        url.m_strFragment = rest.substr(hash + 1);
        rest = rest.substr(0, hash);
    }
    if (size_t question = rest.find('?'); question != std::string_view::npos) {
        url.m_bHasQuery = true;
        url.m_strQuery = rest.substr(question + 1);
        rest = rest.substr(0, question);
    }
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        size_t authorityEnd = rest.find('/');
        if (!url.ParseAuthority(rest.substr(0, authorityEnd))) {
            return std::nullopt;
        }
        rest =
            authorityEnd == std::string_view::npos ? std::string_view() : rest.substr(authorityEnd);
    }
    url.m_strPath = rest;
    return url;
}

bool CUrl::ParseAuthority(std::string_view authority) {
    m_bHasAuthority = true;
    if (size_t at = authority.rfind('@'); at != std::string_view::npos) {
        m_bHasUserInfo = true;
        m_strUserInfo = authority.substr(0, at);
        authority.remove_prefix(at + 1);
    }
    size_t hostEnd = 0;
    if (authority.starts_with('[')) {
        size_t close = authority.find(']');
        if (close == std::string_view::npos) {
            return false;
        }
        hostEnd = close + 1;
    } else {
        hostEnd = std::min(authority.find(':'), authority.size());
    }
    m_strHost = authority.substr(0, hostEnd);
    std::string_view port = authority.substr(hostEnd);
    if (port.empty()) {
        return true;
    }
    if (port[0] != ':') {
        return false;
    }
    port.remove_prefix(1);
    if (port.empty()) {
        return true;
    }
    if (port.size() > 5) {
        return false;
    }
    int value = 0;
    for (char c : port) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    if (value > 65535) {
        return false;
    }
    m_nPort = value;
    return true;
}

std::string CUrl::GetAuthority() const {
    std::string authority;
    if (m_bHasUserInfo) {
        authority += m_strUserInfo + "@";
    }
    authority += m_strHost;
    if (m_nPort >= 0) {
        authority += ":" + std::to_string(m_nPort);
    }
    return authority;
}

std::string CUrl::ToString() const {
    std::string text;
    if (!m_strScheme.empty()) {
        text += m_strScheme + ":";
    }
    if (m_bHasAuthority) {
        text += "//" + GetAuthority();
    }
    text += m_strPath;
    if (m_bHasQuery) {
        text += "?" + m_strQuery;
    }
    if (m_bHasFragment) {
        text += "#" + m_strFragment;
    }
    return text;
}

CUrl CUrl::Resolve(const CUrl& reference) const {
    CUrl target = reference;
    if (!reference.m_strScheme.empty()) {
        target.m_strPath = RemoveDotSegments(reference.m_strPath);
        return target;
    }
    target.m_strScheme = m_strScheme;
    if (reference.m_bHasAuthority) {
        target.m_strPath = RemoveDotSegments(reference.m_strPath);
        return target;
    }
    target.m_bHasAuthority = m_bHasAuthority;
    target.m_bHasUserInfo = m_bHasUserInfo;
    target.m_strUserInfo = m_strUserInfo;
    target.m_strHost = m_strHost;
    target.m_nPort = m_nPort;
    if (reference.m_strPath.empty()) {
        target.m_strPath = m_strPath;
        if (!reference.m_bHasQuery) {
            target.m_bHasQuery = m_bHasQuery;
            target.m_strQuery = m_strQuery;
        }
    } else if (reference.m_strPath.starts_with('/')) {
        target.m_strPath = RemoveDotSegments(reference.m_strPath);
    } else {
        target.m_strPath = RemoveDotSegments(MergePaths(*this, reference.m_strPath));
    }
    return target;
}

std::optional<CUrl> CUrl::Resolve(std::string_view reference) const {
    std::optional<CUrl> parsed = Parse(reference);
    if (!parsed) {
        return std::nullopt;
    }
    return Resolve(*parsed);
}

void CUrl::SetFragment(std::string_view fragment) {
    m_bHasFragment = true;
    m_strFragment = fragment;
}

void CUrl::RemoveFragment() {
    m_bHasFragment = false;
    m_strFragment.clear();
}

std::string RemoveDotSegments(std::string_view path) {
    std::string output;
    std::string_view input = path;
    while (!input.empty()) {
        if (input.starts_with("../")) {
            input.remove_prefix(3);
        } else if (input.starts_with("./")) {
            input.remove_prefix(2);
        } else if (input.starts_with("/./")) {
            input.remove_prefix(2);
        } else if (input == "/.") {
            input = "/";
        } else if (input.starts_with("/../") || input == "/..") {
            input = input.size() == 3 ? std::string_view("/") : input.substr(3);
            size_t last = output.rfind('/');
            output.erase(last == std::string::npos ? 0 : last);
        } else if (input == "." || input == "..") {
            input = {};
        } else {
            size_t next = input.find('/', 1);
            if (next == std::string_view::npos) {
                next = input.size();
            }
            output += input.substr(0, next);
            input.remove_prefix(next);
        }
    }
    return output;
}

std::string EncodeQueryValue(std::string_view text) {
    std::string encoded;
    encoded.reserve(text.size());
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += c;
        } else {
            AppendEscape(encoded, u);
        }
    }
    return encoded;
}

std::string AppendQueryParameter(std::string_view address, std::string_view key,
                                 std::string_view value) {
    std::string joined(address);
    joined += '&';
    joined += key;
    joined += '=';
    joined += value;
    return joined;
}

std::string PercentDecode(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (StartsEscape(text, i)) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::string EncodeForTransfer(std::string_view address) {
    static constexpr std::string_view kUnsafe = "\"<>\\^`{|}";
    std::string encoded;
    encoded.reserve(address.size());
    for (size_t i = 0; i < address.size(); ++i) {
        unsigned char u = static_cast<unsigned char>(address[i]);
        bool loneEscape = u == '%' && !StartsEscape(address, i);
        if (u <= 0x20 || u >= 0x7F ||
            kUnsafe.find(static_cast<char>(u)) != std::string_view::npos || loneEscape) {
            AppendEscape(encoded, u);
        } else {
            encoded += static_cast<char>(u);
        }
    }
    return encoded;
}
