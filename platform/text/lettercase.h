// Letter case of the ANSI code page: the ASCII letters and the accented letters of Windows-1252
// (0xE0-0xFE but 0xF7 pair with 0xC0-0xDE; 0x9A, 0x9C, 0x9E and 0xFF with 0x8A, 0x8C, 0x8E and
// 0x9F).
//
// Inline and table-driven: term matching upper-cases every word of a page.
#pragma once

#include <array>

namespace lettercase_detail {

struct CaseTables {
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
};

constexpr CaseTables MakeCaseTables() {
    CaseTables t;
    for (int b = 0; b < 256; ++b) {
        t.upper[b] = static_cast<unsigned char>(b);
        t.lower[b] = static_cast<unsigned char>(b);
    }
    auto pair = [&t](int lowerByte, int upperByte) {
        t.upper[lowerByte] = static_cast<unsigned char>(upperByte);
        t.lower[upperByte] = static_cast<unsigned char>(lowerByte);
    };
    for (int b = 'a'; b <= 'z'; ++b) {
        pair(b, b - 0x20);
    }
    for (int b = 0xE0; b <= 0xFE; ++b) {
        if (b != 0xF7) {  // the division sign has no capital
            pair(b, b - 0x20);
        }
    }
    pair(0x9A, 0x8A);  // s with caron
    pair(0x9C, 0x8C);  // oe
    pair(0x9E, 0x8E);  // z with caron
    pair(0xFF, 0x9F);  // y with diaeresis
    return t;
}

inline constexpr CaseTables kCase = MakeCaseTables();

}  // namespace lettercase_detail

inline char AnsiCharUpper(char c) {
    return static_cast<char>(lettercase_detail::kCase.upper[static_cast<unsigned char>(c)]);
}

inline char AnsiCharLower(char c) {
    return static_cast<char>(lettercase_detail::kCase.lower[static_cast<unsigned char>(c)]);
}
