#include "platform/registry/registryscript.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

#include "platform/text/codepage.h"

namespace {

// The platform's limit on how deep keys nest; it also bounds the parser's recursion.
constexpr int kMaxDepth = 512;

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kRootNames = {{
    {"HKCR", "HKEY_CLASSES_ROOT"},
    {"HKEY_CLASSES_ROOT", "HKEY_CLASSES_ROOT"},
    {"HKLM", "HKEY_LOCAL_MACHINE"},
    {"HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE"},
    {"HKCU", "HKEY_CURRENT_USER"},
    {"HKEY_CURRENT_USER", "HKEY_CURRENT_USER"},
}};

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

struct CScriptToken {
    std::string m_strText;
    bool m_bQuoted = false;
    int m_nLine = 0;
    int m_nColumn = 0;

    // True for the unquoted keyword or punctuation given.
    bool Is(std::string_view word) const {
        return !m_bQuoted && AnsiLower(m_strText) == AnsiLower(word);
    }
};

// Splits the script into tokens and applies the replacements.
class CScriptLexer {
public:
    CScriptLexer(std::string_view text, const CRegistryScript::Replacements& replacements)
        : m_strText(text), m_replacements(replacements) {}

    bool Tokenize(std::vector<CScriptToken>& tokens, CScriptToken& end,
                  CRegistryScriptError& error) {
        while (SkipSpace()) {
            CScriptToken token{"", m_strText[m_nPos] == '\'', m_nLine, m_nColumn};
            std::string raw;
            if (!token.m_bQuoted) {
                TakePlain(raw);
            } else if (!TakeQuoted(raw)) {
                return Fail(error, token, "the quoted text is not closed");
            }
            if (!Expand(raw, token.m_strText, error, token)) {
                return false;
            }
            tokens.push_back(std::move(token));
        }
        end = CScriptToken{"", false, m_nLine, m_nColumn};
        return true;
    }

private:
    static bool Fail(CRegistryScriptError& error, const CScriptToken& at, std::string message) {
        error = CRegistryScriptError{at.m_nLine, at.m_nColumn, std::move(message)};
        return false;
    }

    void Advance() {
        if (m_strText[m_nPos++] == '\n') {
            ++m_nLine;
            m_nColumn = 1;
        } else {
            ++m_nColumn;
        }
    }

    static bool IsSpace(char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    }

    // Moves to the next token; false at the end of the script.
    bool SkipSpace() {
        while (m_nPos < m_strText.size() && IsSpace(m_strText[m_nPos])) {
            Advance();
        }
        return m_nPos < m_strText.size();
    }

    void TakePlain(std::string& raw) {
        while (m_nPos < m_strText.size() && !IsSpace(m_strText[m_nPos])) {
            raw += m_strText[m_nPos];
            Advance();
        }
    }

    bool TakeQuoted(std::string& raw) {
        Advance();
        while (m_nPos < m_strText.size()) {
            char c = m_strText[m_nPos];
            Advance();
            if (c != '\'') {
                raw += c;
            } else if (m_nPos < m_strText.size() && m_strText[m_nPos] == '\'') {
                raw += c;
                Advance();
            } else {
                return true;
            }
        }
        return false;
    }

    bool Expand(std::string_view raw, std::string& text, CRegistryScriptError& error,
                const CScriptToken& at) const {
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '%') {
                text += raw[i];
                continue;
            }
            size_t close = raw.find('%', i + 1);
            if (close == raw.npos) {
                return Fail(error, at, "a '%' has no closing '%' (write %% for a percent sign)");
            }
            std::string_view name = raw.substr(i + 1, close - i - 1);
            if (name.empty()) {
                text += '%';
            } else if (auto it = m_replacements.find(AnsiLower(name)); it != m_replacements.end()) {
                text += it->second;
            } else {
                return Fail(error, at, "no replacement is given for %" + std::string(name) + "%");
            }
            i = close;
        }
        return true;
    }

    std::string_view m_strText;
    const CRegistryScript::Replacements& m_replacements;
    size_t m_nPos = 0;
    int m_nLine = 1;
    int m_nColumn = 1;
};

// Builds the script's keys from its tokens.
class CScriptParser {
public:
    CScriptParser(const std::vector<CScriptToken>& tokens, const CScriptToken& end,
                  CRegistryScriptError& error)
        : m_tokens(tokens), m_end(end), m_error(error) {}

    bool ParseScript(std::vector<CScriptKey>& roots) {
        while (m_nNext < m_tokens.size()) {
            const CScriptToken& name = m_tokens[m_nNext++];
            CScriptKey root;
            root.m_flag = CScriptKey::Flag::NoRemove;
            for (const auto& [shortName, fullName] : kRootNames) {
                if (name.Is(shortName)) {
                    root.m_strName = fullName;
                }
            }
            if (root.m_strName.empty()) {
                return Fail(name, "'" + name.m_strText + "' is not a root key");
            }
            if (!Expect("{") || !ParseBody(root, 1)) {
                return false;
            }
            roots.push_back(std::move(root));
        }
        return true;
    }

private:
    bool Fail(const CScriptToken& at, std::string message) {
        m_error = CRegistryScriptError{at.m_nLine, at.m_nColumn, std::move(message)};
        return false;
    }

    const CScriptToken& Peek() const {
        return m_nNext < m_tokens.size() ? m_tokens[m_nNext] : m_end;
    }

    bool AtEnd() const { return m_nNext >= m_tokens.size(); }

    // Takes the next token; false (an error) at the end of the script.
    bool Take(const CScriptToken*& token, std::string_view what) {
        if (AtEnd()) {
            return Fail(m_end, "the script ends where " + std::string(what) + " is expected");
        }
        token = &m_tokens[m_nNext++];
        return true;
    }

    bool Expect(std::string_view punctuation) {
        const CScriptToken* token = nullptr;
        std::string what = "'" + std::string(punctuation) + "'";
        if (!Take(token, what)) {
            return false;
        }
        return token->Is(punctuation) || Fail(*token, what + " is expected");
    }

    bool IsPunctuation(const CScriptToken& token) const {
        return token.Is("{") || token.Is("}") || token.Is("=");
    }

    bool TakeName(const CScriptToken*& token, std::string_view what) {
        if (!Take(token, what)) {
            return false;
        }
        if (IsPunctuation(*token) || token->m_strText.empty()) {
            return Fail(*token, std::string(what) + " is expected");
        }
        if (HasLineBreak(token->m_strText)) {
            return Fail(*token, "a name cannot hold a line break");
        }
        return true;
    }

    // The contents of a key's braces, up to and with the closing brace.
    bool ParseBody(CScriptKey& key, int depth) {
        while (!Peek().Is("}")) {
            if (AtEnd()) {
                return Fail(m_end, "the script ends inside a key: '}' is missing");
            }
            if (!ParseEntry(key, depth)) {
                return false;
            }
        }
        ++m_nNext;
        return true;
    }

    bool ParseEntry(CScriptKey& parent, int depth) {
        CScriptKey::Flag flag = CScriptKey::Flag::None;
        const CScriptToken& first = Peek();
        if (first.Is("ForceRemove")) {
            flag = CScriptKey::Flag::ForceRemove;
        } else if (first.Is("NoRemove")) {
            flag = CScriptKey::Flag::NoRemove;
        } else if (first.Is("Delete")) {
            flag = CScriptKey::Flag::Delete;
        }
        if (flag != CScriptKey::Flag::None) {
            ++m_nNext;
        }
        if (Peek().Is("val")) {
            if (flag == CScriptKey::Flag::ForceRemove || flag == CScriptKey::Flag::Delete) {
                return Fail(first, "'" + first.m_strText + "' applies to keys, not to values");
            }
            ++m_nNext;
            return ParseNamedValue(parent, flag == CScriptKey::Flag::NoRemove);
        }
        const CScriptToken* name = nullptr;
        if (!TakeName(name, "a key name")) {
            return false;
        }
        if (name->m_strText.find('\\') != std::string::npos) {
            return Fail(*name, "a key name cannot hold a backslash: name one key on each level");
        }
        CScriptKey key;
        key.m_strName = name->m_strText;
        key.m_flag = flag;
        if (Peek().Is("=")) {
            ++m_nNext;
            CRegistryValue value = CRegistryValue::String("", "");
            if (!ParseData("", value)) {
                return false;
            }
            key.m_defaultValue = value;
        }
        if (Peek().Is("{")) {
            if (depth >= kMaxDepth) {
                return Fail(Peek(), "the keys nest too deep");
            }
            ++m_nNext;
            if (!ParseBody(key, depth + 1)) {
                return false;
            }
        }
        parent.m_vecSubkeys.push_back(std::move(key));
        return true;
    }

    bool ParseNamedValue(CScriptKey& parent, bool bNoRemove) {
        const CScriptToken* name = nullptr;
        if (!TakeName(name, "a value name") || !Expect("=")) {
            return false;
        }
        CRegistryValue value = CRegistryValue::String("", "");
        if (!ParseData(name->m_strText, value)) {
            return false;
        }
        parent.m_vecValues.push_back(CScriptValue{value, bNoRemove});
        return true;
    }

    // "type data" after an "=".
    bool ParseData(const std::string& name, CRegistryValue& value) {
        const CScriptToken* type = nullptr;
        const CScriptToken* data = nullptr;
        if (!Take(type, "a value type (s, d or b)")) {
            return false;
        }
        if (!type->Is("s") && !type->Is("d") && !type->Is("b")) {
            return Fail(*type, "'" + type->m_strText + "' is not a value type (s, d or b)");
        }
        if (!Take(data, "the value's data")) {
            return false;
        }
        const std::string& text = data->m_strText;
        if (type->Is("s")) {
            if (HasLineBreak(text)) {
                return Fail(*data, "a string cannot hold a line break");
            }
            value = CRegistryValue::String(name, text);
            return true;
        }
        if (type->Is("d")) {
            std::uint32_t number = 0;
            if (!ParseNumber(text, number)) {
                return Fail(*data, "'" + text + "' is not a DWORD number");
            }
            value = CRegistryValue::Dword(name, number);
            return true;
        }
        std::string bytes;
        if (!ParseHex(text, bytes)) {
            return Fail(*data, "binary data is pairs of hexadecimal digits, not '" + text + "'");
        }
        value = CRegistryValue::Binary(name, bytes);
        return true;
    }

    static bool ParseNumber(std::string_view text, std::uint32_t& number) {
        int base = 10;
        if (text.starts_with("0x") || text.starts_with("0X")) {
            text.remove_prefix(2);
            base = 16;
        }
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
        return !text.empty() && error == std::errc() && end == text.data() + text.size();
    }

    static bool ParseHex(std::string_view text, std::string& bytes) {
        if (text.size() % 2 != 0) {
            return false;
        }
        for (size_t i = 0; i < text.size(); i += 2) {
            std::uint8_t byte = 0;
            auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, byte, 16);
            if (error != std::errc() || end != text.data() + i + 2) {
                return false;
            }
            bytes += static_cast<char>(byte);
        }
        return true;
    }

    const std::vector<CScriptToken>& m_tokens;
    const CScriptToken& m_end;
    CRegistryScriptError& m_error;
    size_t m_nNext = 0;
};

}  // namespace

bool CRegistryScript::Parse(std::string_view text, const Replacements& replacements,
                            CRegistryScriptError& error) {
    m_vecRoots.clear();
    std::vector<CScriptToken> tokens;
    CScriptToken end;
    if (!CScriptLexer(text, replacements).Tokenize(tokens, end, error)) {
        return false;
    }
    std::vector<CScriptKey> roots;
    if (!CScriptParser(tokens, end, error).ParseScript(roots)) {
        return false;
    }
    m_vecRoots = std::move(roots);
    return true;
}
