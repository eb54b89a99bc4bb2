#include "platform/text/codepage.h"

#include <array>
#include <cstdint>

namespace {

constexpr char kDefaultChar = '?';

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves undefined map to the C1
// control with the same number, as the platform's conversion does, so that they survive a round
// trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t AnsiByteToWide(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) {
        return kHighControls[b - 0x80];
    }
    return b;
}

// The inverse of AnsiByteToWide, or kDefaultChar for a character that the code page lacks.
char WideToAnsiByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return kDefaultChar;
}

// Decodes one UTF-8 sequence at text[i]; returns the code point and advances i, or returns
// U+FFFD and advances by one byte when the sequence is malformed.
char32_t DecodeUtf8(std::string_view text, size_t& i) {
    constexpr char32_t kBad = 0xFFFD;
    auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int length = 0;
    char32_t c = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, c = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, c = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, c = b0 & 0x07, min = 0x10000;
    } else {
        ++i;
        return kBad;
    }
    if (i + length > text.size()) {
        ++i;
        return kBad;
    }
    for (int k = 1; k < length; ++k) {
        auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kBad;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return kBad;
    }
    i += length;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-16 code point at text[i]; a lone surrogate decodes as U+FFFD.
char32_t DecodeUtf16(std::u16string_view text, size_t& i) {
    char16_t u = text[i++];
    if (u >= 0xD800 && u <= 0xDBFF && i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
        char32_t c = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i] - 0xDC00);
        ++i;
        return c;
    }
    if (u >= 0xD800 && u <= 0xDFFF) {
        return 0xFFFD;
    }
    return u;
}

}  // namespace

UINT GetACP() {
    return 1252;
}

std::u16string AnsiToWide(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) {
        out += AnsiByteToWide(static_cast<unsigned char>(c));
    }
    return out;
}

std::string WideToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        out += WideToAnsiByte(DecodeUtf16(text, i));
    }
    return out;
}

std::string AnsiToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        AppendUtf8(out, AnsiByteToWide(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        out += WideToAnsiByte(DecodeUtf8(text, i));
    }
    return out;
}

std::u16string Utf8ToWide(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t c = DecodeUtf8(text, i);
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::string WideToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        AppendUtf8(out, DecodeUtf16(text, i));
    }
    return out;
}

bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        size_t start = i;
        if (DecodeUtf8(text, i) == 0xFFFD &&
            !(i - start == 3 && text.substr(start, 3) == "\xEF\xBF\xBD")) {
            return false;
        }
    }
    return true;
}

std::string AnsiUpper(std::string_view text) {
    std::string out(text);
    CharUpperBuffA(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

std::string AnsiLower(std::string_view text) {
    std::string out(text);
    CharLowerBuffA(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

DWORD CharUpperBuffA(LPSTR text, DWORD length) {
    for (DWORD i = 0; i < length; ++i) {
        text[i] = AnsiCharUpper(text[i]);
    }
    return length;
}

DWORD CharLowerBuffA(LPSTR text, DWORD length) {
    for (DWORD i = 0; i < length; ++i) {
        text[i] = AnsiCharLower(text[i]);
    }
    return length;
}
