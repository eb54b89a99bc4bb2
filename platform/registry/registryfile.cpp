#include "platform/registry/registryfile.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "platform/fs/atomicfile.h"
#include "platform/fs/textfile.h"
#include "platform/fs/winpath.h"
#include "platform/text/codepage.h"

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kDwordPrefix = "dword:";
constexpr std::string_view kHexPrefix = "hex:";
constexpr std::array<std::string_view, 3> kRoots = {"HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT",
                                                    "HKEY_CURRENT_USER"};

std::string Fold(std::string_view text) {
    return AnsiLower(text);
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

// True when the path names a root or a key below one, without empty components.
bool IsValidPath(std::string_view path) {
    std::string folded = Fold(path);
    for (std::string_view root : kRoots) {
        std::string foldedRoot = Fold(root);
        if (folded == foldedRoot) {
            return true;
        }
        if (folded.starts_with(foldedRoot + "\\")) {
            std::string_view rest = path.substr(root.size() + 1);
            return !rest.empty() && rest.front() != '\\' && rest.back() != '\\' &&
                   rest.find("\\\\") == rest.npos && !HasLineBreak(rest);
        }
    }
    return false;
}

// Reads a quoted string at the front of text and removes it from text.
bool TakeQuoted(std::string_view& text, std::string& result) {
    if (text.empty() || text.front() != '"') {
        return false;
    }
    result.clear();
    for (size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return true;
        }
        if (c == '\\') {
            if (++i == text.size() || (text[i] != '\\' && text[i] != '"')) {
                return false;
            }
            c = text[i];
        }
        result += c;
    }
    return false;
}

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

// Reads "xx,xx,...": two hexadecimal digits per byte, separated by commas; empty for no bytes.
bool ParseHexBytes(std::string_view text, std::string& bytes) {
    bytes.clear();
    while (!text.empty()) {
        std::uint8_t byte = 0;
        if (text.size() < 2) {
            return false;
        }
        auto [end, error] = std::from_chars(text.data(), text.data() + 2, byte, 16);
        if (error != std::errc() || end != text.data() + 2) {
            return false;
        }
        bytes += static_cast<char>(byte);
        text.remove_prefix(2);
        if (!text.empty() && (text.front() != ',' || text.size() == 1)) {
            return false;
        }
        if (!text.empty()) {
            text.remove_prefix(1);
        }
    }
    return true;
}

std::string FormatHexBytes(std::string_view bytes) {
    std::string text;
    for (char c : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(c));
        text += text.empty() ? "" : ",";
        text += digits;
    }
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

CRegistryValue CRegistryValue::String(std::string_view name, std::string_view text) {
    CRegistryValue value(name, REG_SZ);
    value.m_strText = text;
    return value;
}

CRegistryValue CRegistryValue::Dword(std::string_view name, std::uint32_t number) {
    CRegistryValue value(name, REG_DWORD);
    value.m_nNumber = number;
    return value;
}

CRegistryValue CRegistryValue::Binary(std::string_view name, std::string_view bytes) {
    CRegistryValue value(name, REG_BINARY);
    value.m_strBytes = bytes;
    return value;
}

std::string CRegistryValue::Data() const {
    if (m_dwType == REG_DWORD) {
        char bytes[sizeof m_nNumber];
        std::memcpy(bytes, &m_nNumber, sizeof bytes);
        return std::string(bytes, sizeof bytes);
    }
    if (m_dwType == REG_BINARY) {
        return m_strBytes;
    }
    return std::string(m_strText.c_str(), m_strText.size() + 1);
}

const CRegistryValue* CRegistryKey::GetValue(std::string_view name) const {
    auto it = m_mapValues.find(Fold(name));
    return it == m_mapValues.end() ? nullptr : &it->second;
}

void CRegistryKey::SetValue(const CRegistryValue& value) {
    m_mapValues.insert_or_assign(Fold(value.Name()), value);
}

bool CRegistryKey::DeleteValue(std::string_view name) {
    return m_mapValues.erase(Fold(name)) > 0;
}

CRegistryFile::CRegistryFile() {
    for (std::string_view root : kRoots) {
        CreateKey(root);
    }
}

std::string CRegistryFile::DefaultPath() {
    return GetPlatformRoot() + "/registry.reg";
}

const CRegistryKey* CRegistryFile::FindKey(std::string_view path) const {
    auto it = m_mapKeys.find(Fold(path));
    return it == m_mapKeys.end() ? nullptr : &it->second;
}

CRegistryKey* CRegistryFile::CreateKey(std::string_view path) {
    if (!IsValidPath(path)) {
        return nullptr;
    }
    CRegistryKey* key = nullptr;
    for (size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
        std::string_view prefix = path.substr(0, end);
        key = &m_mapKeys.try_emplace(Fold(prefix), prefix).first->second;
        if (end == path.npos) {
            return key;
        }
    }
}

bool CRegistryFile::DeleteKey(std::string_view path) {
    std::string folded = Fold(path);
    auto it = m_mapKeys.find(folded);
    if (it == m_mapKeys.end() || folded.find('\\') == folded.npos) {
        return false;
    }
    m_mapKeys.erase(it);
    std::string below = folded + "\\";
    std::erase_if(m_mapKeys, [&](const auto& entry) { return entry.first.starts_with(below); });
    return true;
}

bool CRegistryFile::HasSubkeys(std::string_view path) const {
    std::string below = Fold(path) + "\\";
    auto it = m_mapKeys.lower_bound(below);
    return it != m_mapKeys.end() && it->first.starts_with(below);
}

std::vector<std::string> CRegistryFile::SubkeyNames(std::string_view path) const {
    std::string below = Fold(path) + "\\";
    std::vector<std::string> names;
    for (auto it = m_mapKeys.lower_bound(below);
         it != m_mapKeys.end() && it->first.starts_with(below); ++it) {
        if (it->first.find('\\', below.size()) == std::string::npos) {
            names.push_back(it->second.Path().substr(below.size()));
        }
    }
    return names;
}

const CRegistryValue* CRegistryFile::GetValue(std::string_view keyPath,
                                              std::string_view name) const {
    const CRegistryKey* key = FindKey(keyPath);
    return key == nullptr ? nullptr : key->GetValue(name);
}

bool CRegistryFile::SetValue(std::string_view keyPath, const CRegistryValue& value) {
    if (HasLineBreak(value.Name()) || HasLineBreak(value.Text())) {
        return false;
    }
    CRegistryKey* key = CreateKey(keyPath);
    if (key == nullptr) {
        return false;
    }
    key->SetValue(value);
    return true;
}

bool CRegistryFile::DeleteValue(std::string_view keyPath, std::string_view name) {
    auto it = m_mapKeys.find(Fold(keyPath));
    return it != m_mapKeys.end() && it->second.DeleteValue(name);
}

bool CRegistryFile::ParseLine(std::string_view line, CRegistryKey*& current) {
    if (line.front() == '[') {
        if (line.back() != ']') {
            return false;
        }
        current = CreateKey(line.substr(1, line.size() - 2));
        return current != nullptr;
    }
    if (current == nullptr) {
        return false;
    }
    std::string name;
    if (line.front() == '@') {
        line.remove_prefix(1);
    } else if (!TakeQuoted(line, name)) {
        return false;
    }
    if (line.empty() || line.front() != '=') {
        return false;
    }
    line.remove_prefix(1);
    std::string text;
    if (TakeQuoted(line, text)) {
        if (!line.empty()) {
            return false;
        }
        current->SetValue(CRegistryValue::String(name, text));
        return true;
    }
    if (line.starts_with(kHexPrefix)) {
        std::string bytes;
        if (!ParseHexBytes(line.substr(kHexPrefix.size()), bytes)) {
            return false;
        }
        current->SetValue(CRegistryValue::Binary(name, bytes));
        return true;
    }
    if (!line.starts_with(kDwordPrefix)) {
        return false;
    }
    line.remove_prefix(kDwordPrefix.size());
    if (line.empty() || line.size() > 8) {
        return false;
    }
    std::uint32_t number = 0;
    auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), number, 16);
    if (error != std::errc() || end != line.data() + line.size()) {
        return false;
    }
    current->SetValue(CRegistryValue::Dword(name, number));
    return true;
}

bool CRegistryFile::Load(std::string_view path) {
    *this = CRegistryFile();
    CTextFile file;
    if (!file.Open(path, CTextFile::Mode::Read)) {
        return errno == ENOENT;
    }
    std::string line;
    bool ok = file.ReadLine(line) && TrimRight(line) == kHeader;
    CRegistryKey* current = nullptr;
    while (ok && file.ReadLine(line)) {
        std::string_view content = TrimRight(line);
        ok = content.empty() || content.front() == ';' || ParseLine(content, current);
    }
    if (!ok || file.HadReadError()) {
        *this = CRegistryFile();
        return false;
    }
    return true;
}

bool CRegistryFile::Save(std::string_view path) const {
    std::string text = std::string(kHeader) + "\n\n";
    for (const auto& [folded, key] : m_mapKeys) {
        text += "[" + key.Path() + "]\n";
        for (const auto& [foldedName, value] : key.Values()) {
            text += value.Name().empty() ? "@" : Quote(value.Name());
            if (value.Type() == REG_DWORD) {
                char number[16];
                std::snprintf(number, sizeof number, "dword:%08x", value.Number());
                text += std::string("=") + number + "\n";
            } else if (value.Type() == REG_BINARY) {
                text += "=" + std::string(kHexPrefix) + FormatHexBytes(value.Bytes()) + "\n";
            } else {
                text += "=" + Quote(value.Text()) + "\n";
            }
        }
        text += "\n";
    }
    return WriteTextFileAtomically(path, text);
}
