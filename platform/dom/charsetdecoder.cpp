#include "platform/dom/charsetdecoder.h"

#include <array>

#include "platform/dom/asciicase.h"
#include "platform/text/codepage.h"

namespace {

constexpr size_t kPrescanLength = 1024;

struct CLabel {
    const char* pszLabel;
    ECharset eCharset;
};

constexpr std::array<CLabel, 32> kLabels = {{
    {"unicode-1-1-utf-8", ECharset::Utf8},
    {"unicode11utf8", ECharset::Utf8},
    {"unicode20utf8", ECharset::Utf8},
    {"utf-8", ECharset::Utf8},
    {"utf8", ECharset::Utf8},
    {"x-unicode20utf8", ECharset::Utf8},
    {"ansi_x3.4-1968", ECharset::Windows1252},
    {"ascii", ECharset::Windows1252},
    {"cp1252", ECharset::Windows1252},
    {"cp819", ECharset::Windows1252},
    {"csisolatin1", ECharset::Windows1252},
    {"ibm819", ECharset::Windows1252},
    {"iso-8859-1", ECharset::Windows1252},
    {"iso-ir-100", ECharset::Windows1252},
    {"iso8859-1", ECharset::Windows1252},
    {"iso88591", ECharset::Windows1252},
    {"iso_8859-1", ECharset::Windows1252},
    {"iso_8859-1:1987", ECharset::Windows1252},
    {"l1", ECharset::Windows1252},
    {"latin1", ECharset::Windows1252},
    {"us-ascii", ECharset::Windows1252},
    {"windows-1252", ECharset::Windows1252},
    {"x-cp1252", ECharset::Windows1252},
    {"csunicode", ECharset::Utf16Le},
    {"iso-10646-ucs-2", ECharset::Utf16Le},
    {"ucs-2", ECharset::Utf16Le},
    {"unicode", ECharset::Utf16Le},
    {"unicodefeff", ECharset::Utf16Le},
    {"utf-16", ECharset::Utf16Le},
    {"utf-16le", ECharset::Utf16Le},
    {"unicodefffe", ECharset::Utf16Be},
    {"utf-16be", ECharset::Utf16Be},
}};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool StartsWithIgnoringCase(std::string_view text, size_t nAt, std::string_view prefix) {
    return text.size() - nAt >= prefix.size() &&
           EqualsIgnoringAsciiCase<char>(text.substr(nAt, prefix.size()), prefix);
}

// The charset named in a meta element's content attribute: "...charset=label...".
std::optional<ECharset> FromMetaContent(std::string_view content) {
    size_t nPosition = 0;
    while (true) {
        size_t nFound = std::string_view::npos;
        for (size_t i = nPosition; i + 7 <= content.size(); ++i) {
            if (StartsWithIgnoringCase(content, i, "charset")) {
                nFound = i;
                break;
            }
        }
        if (nFound == std::string_view::npos) {
            return std::nullopt;
        }
        nPosition = nFound + 7;
        while (nPosition < content.size() && IsSpace(content[nPosition])) {
            ++nPosition;
        }
        if (nPosition < content.size() && content[nPosition] == '=') {
            break;
        }
    }
    ++nPosition;
    while (nPosition < content.size() && IsSpace(content[nPosition])) {
        ++nPosition;
    }
    if (nPosition >= content.size()) {
        return std::nullopt;
    }
    char quote = content[nPosition];
    if (quote == '"' || quote == '\'') {
        size_t nClose = content.find(quote, nPosition + 1);
        if (nClose == std::string_view::npos) {
            return std::nullopt;
        }
        return CCharsetDecoder::FromLabel(content.substr(nPosition + 1, nClose - nPosition - 1));
    }
    size_t nStop = nPosition;
    while (nStop < content.size() && !IsSpace(content[nStop]) && content[nStop] != ';') {
        ++nStop;
    }
    return CCharsetDecoder::FromLabel(content.substr(nPosition, nStop - nPosition));
}

// The prescan's reading of one attribute of a tag; false at the end of the tag or of the input.
class CAttributeReader {
public:
    CAttributeReader(std::string_view bytes, size_t& nPosition)
        : m_bytes(bytes), m_nPosition(nPosition) {}

    bool Read(std::string& name, std::string& value) {
        name.clear();
        value.clear();
        while (More() && (IsSpace(Peek()) || Peek() == '/')) {
            ++m_nPosition;
        }
        if (!More() || Peek() == '>') {
            return false;
        }
        while (More()) {
            char c = Peek();
            if (c == '=' && !name.empty()) {
                ++m_nPosition;
                return ReadValue(value);
            }
            if (IsSpace(c)) {
                while (More() && IsSpace(Peek())) {
                    ++m_nPosition;
                }
                if (!More() || Peek() != '=') {
                    return true;
                }
                ++m_nPosition;
                return ReadValue(value);
            }
            if (c == '/' || c == '>') {
                return true;
            }
            name += AsciiLower(c);
            ++m_nPosition;
        }
        return false;
    }

private:
    bool More() const { return m_nPosition < m_bytes.size(); }
    char Peek() const { return m_bytes[m_nPosition]; }

    bool ReadValue(std::string& value) {
        while (More() && IsSpace(Peek())) {
            ++m_nPosition;
        }
        if (!More()) {
            return false;
        }
        char c = Peek();
        if (c == '"' || c == '\'') {
            ++m_nPosition;
            while (More() && Peek() != c) {
                value += AsciiLower(Peek());
                ++m_nPosition;
            }
            if (!More()) {
                return false;
            }
            ++m_nPosition;
            return true;
        }
        if (c == '>') {
            return true;
        }
        while (More() && !IsSpace(Peek()) && Peek() != '>') {
            value += AsciiLower(Peek());
            ++m_nPosition;
        }
        return More();
    }

    std::string_view m_bytes;
    size_t& m_nPosition;
};

// The meta element whose attributes start at nPosition: the charset it declares, if any.
std::optional<ECharset> ReadMeta(std::string_view bytes, size_t& nPosition) {
    CAttributeReader reader(bytes, nPosition);
    bool bGotPragma = false;
    bool bNeedPragma = false;
    bool bDecided = false;
    std::optional<ECharset> charset;
    std::string name;
    std::string value;
    std::string seen;
    while (reader.Read(name, value)) {
        if (seen.find("|" + name + "|") != std::string::npos) {
            continue;
        }
        seen += "|" + name + "|";
        if (name == "http-equiv") {
            bGotPragma = bGotPragma || value == "content-type";
        } else if (name == "content" && !charset) {
            if (std::optional<ECharset> fromContent = FromMetaContent(value)) {
                charset = fromContent;
                bNeedPragma = true;
                bDecided = true;
            }
        } else if (name == "charset") {
            charset = CCharsetDecoder::FromLabel(value);
            bNeedPragma = false;
            bDecided = true;
        }
    }
    if (!bDecided || !charset || (bNeedPragma && !bGotPragma)) {
        return std::nullopt;
    }
    // A page cannot declare UTF-16 in itself: it would not have been readable as ASCII.
    if (*charset == ECharset::Utf16Le || *charset == ECharset::Utf16Be) {
        return ECharset::Utf8;
    }
    return charset;
}

void SkipTag(std::string_view bytes, size_t& nPosition) {
    while (nPosition < bytes.size() && !IsSpace(bytes[nPosition]) && bytes[nPosition] != '>') {
        ++nPosition;
    }
    CAttributeReader reader(bytes, nPosition);
    std::string name;
    std::string value;
    while (reader.Read(name, value)) {
    }
}

std::string DecodeUtf16(std::string_view bytes, bool bLittleEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2 + 1);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto b0 = static_cast<unsigned char>(bytes[i]);
        auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        text += static_cast<char16_t>(bLittleEndian ? (b0 | (b1 << 8)) : ((b0 << 8) | b1));
    }
    if (bytes.size() % 2 != 0) {
        text += u'\uFFFD';
    }
    return WideToUtf8(text);
}

}  // namespace

std::optional<ECharset> CCharsetDecoder::FromLabel(std::string_view label) {
    while (!label.empty() && IsSpace(label.front())) {
        label.remove_prefix(1);
    }
    while (!label.empty() && IsSpace(label.back())) {
        label.remove_suffix(1);
    }
    for (const CLabel& entry : kLabels) {
        if (EqualsIgnoringAsciiCase<char>(label, entry.pszLabel)) {
            return entry.eCharset;
        }
    }
    return std::nullopt;
}

std::optional<ECharset> CCharsetDecoder::FromContentType(std::string_view contentType) {
    size_t nPosition = contentType.find(';');
    while (nPosition != std::string_view::npos) {
        ++nPosition;
        while (nPosition < contentType.size() && IsSpace(contentType[nPosition])) {
            ++nPosition;
        }
        size_t nEquals = contentType.find('=', nPosition);
        size_t nNext = contentType.find(';', nPosition);
        if (nEquals != std::string_view::npos &&
            (nNext == std::string_view::npos || nEquals < nNext)) {
            std::string_view name = contentType.substr(nPosition, nEquals - nPosition);
            while (!name.empty() && IsSpace(name.back())) {
                name.remove_suffix(1);
            }
            if (EqualsIgnoringAsciiCase<char>(name, "charset")) {
                std::string_view value = contentType.substr(
                    nEquals + 1,
                    nNext == std::string_view::npos ? std::string_view::npos : nNext - nEquals - 1);
                while (!value.empty() && IsSpace(value.front())) {
                    value.remove_prefix(1);
                }
                while (!value.empty() && IsSpace(value.back())) {
                    value.remove_suffix(1);
                }
                if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                    value = value.substr(1, value.size() - 2);
                }
                return FromLabel(value);
            }
        }
        nPosition = nNext;
    }
    return std::nullopt;
}

std::optional<ECharset> CCharsetDecoder::FromByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        return ECharset::Utf8;
    }
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        return ECharset::Utf16Le;
    }
    if (bytes.substr(0, 2) == "\xFE\xFF") {
        return ECharset::Utf16Be;
    }
    return std::nullopt;
}

std::optional<ECharset> CCharsetDecoder::FromMetaPrescan(std::string_view bytes) {
    bytes = bytes.substr(0, kPrescanLength);
    size_t nPosition = 0;
    while (nPosition < bytes.size()) {
        if (bytes.substr(nPosition, 4) == "<!--") {
            size_t nClose = bytes.find("-->", nPosition + 2);
            if (nClose == std::string_view::npos) {
                return std::nullopt;
            }
            nPosition = nClose + 3;
            continue;
        }
        if (StartsWithIgnoringCase(bytes, nPosition, "<meta") && nPosition + 5 < bytes.size() &&
            (IsSpace(bytes[nPosition + 5]) || bytes[nPosition + 5] == '/')) {
            nPosition += 5;
            if (std::optional<ECharset> charset = ReadMeta(bytes, nPosition)) {
                return charset;
            }
            continue;
        }
        if (bytes[nPosition] == '<' && nPosition + 1 < bytes.size()) {
            char next = bytes[nPosition + 1];
            if (IsAsciiLetter(next) || (next == '/' && nPosition + 2 < bytes.size() &&
                                        IsAsciiLetter(bytes[nPosition + 2]))) {
                ++nPosition;
                SkipTag(bytes, nPosition);
                continue;
            }
            if (next == '!' || next == '/' || next == '?') {
                size_t nClose = bytes.find('>', nPosition + 2);
                if (nClose == std::string_view::npos) {
                    return std::nullopt;
                }
                nPosition = nClose + 1;
                continue;
            }
        }
        ++nPosition;
    }
    return std::nullopt;
}

ECharset CCharsetDecoder::DetectHtml(std::string_view bytes, std::string_view contentType) {
    if (std::optional<ECharset> charset = FromByteOrderMark(bytes)) {
        return *charset;
    }
    if (std::optional<ECharset> charset = FromContentType(contentType)) {
        return *charset;
    }
    return FromMetaPrescan(bytes).value_or(ECharset::Windows1252);
}

ECharset CCharsetDecoder::DetectPlainText(std::string_view bytes, std::string_view contentType) {
    if (std::optional<ECharset> charset = FromByteOrderMark(bytes)) {
        return *charset;
    }
    return FromContentType(contentType).value_or(ECharset::Windows1252);
}

std::string CCharsetDecoder::DecodeToUtf8(std::string_view bytes, ECharset eCharset) {
    if (FromByteOrderMark(bytes) == eCharset) {
        bytes.remove_prefix(eCharset == ECharset::Utf8 ? 3 : 2);
    }
    switch (eCharset) {
        case ECharset::Windows1252:
            return AnsiToUtf8(bytes);
        case ECharset::Utf16Le:
            return DecodeUtf16(bytes, true);
        case ECharset::Utf16Be:
            return DecodeUtf16(bytes, false);
        case ECharset::Utf8:
            break;
    }
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    return WideToUtf8(Utf8ToWide(bytes));
}

const char* CCharsetDecoder::GetName(ECharset eCharset) {
    switch (eCharset) {
        case ECharset::Utf8:
            return "UTF-8";
        case ECharset::Utf16Le:
            return "UTF-16LE";
        case ECharset::Utf16Be:
            return "UTF-16BE";
        case ECharset::Windows1252:
            break;
    }
    return "windows-1252";
}
