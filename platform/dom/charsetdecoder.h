// Finding a page's charset and decoding its bytes to UTF-8, as the HTML standard sniffs and
// decodes: a byte order mark first, then the charset of the HTTP Content-Type, then (for HTML)
// a <meta charset> or <meta http-equiv="Content-Type" content="...; charset=..."> within the first
// 1024 bytes, and Windows-1252 when none of them names a charset we know.
//
// Charsets: UTF-8, Windows-1252 (which the standard also uses for the ISO-8859-1 and US-ASCII
// labels) and UTF-16 in either byte order.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class ECharset { Windows1252, Utf8, Utf16Le, Utf16Be };

class CCharsetDecoder {
public:
    // The charset a label names ("utf-8", "ISO-8859-1", " latin1 ", ...).
    static std::optional<ECharset> FromLabel(std::string_view label);
    // The charset parameter of a Content-Type value ("text/html; charset=UTF-8").
    static std::optional<ECharset> FromContentType(std::string_view contentType);
    static std::optional<ECharset> FromByteOrderMark(std::string_view bytes);
    // The charset a meta element in the first 1024 bytes declares.
    static std::optional<ECharset> FromMetaPrescan(std::string_view bytes);

    static ECharset DetectHtml(std::string_view bytes, std::string_view contentType);
    static ECharset DetectPlainText(std::string_view bytes, std::string_view contentType);

    // The bytes as UTF-8, without a byte order mark; malformed sequences become U+FFFD.
    static std::string DecodeToUtf8(std::string_view bytes, ECharset eCharset);
    static const char* GetName(ECharset eCharset);
};
