// ASCII letter case, as HTML uses it for tag names, attribute names and keywords.
#pragma once

#include <string>
#include <string_view>

template <class TChar>
constexpr TChar AsciiLower(TChar c) {
    return c >= 'A' && c <= 'Z' ? static_cast<TChar>(c + ('a' - 'A')) : c;
}

template <class TChar>
constexpr TChar AsciiUpper(TChar c) {
    return c >= 'a' && c <= 'z' ? static_cast<TChar>(c - ('a' - 'A')) : c;
}

template <class TChar>
bool EqualsIgnoringAsciiCase(std::basic_string_view<TChar> a, std::basic_string_view<TChar> b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

template <class TChar>
std::basic_string<TChar> ToAsciiLower(std::basic_string_view<TChar> text) {
    std::basic_string<TChar> result(text);
    for (TChar& c : result) {
        c = AsciiLower(c);
    }
    return result;
}
