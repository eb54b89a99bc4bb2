// CTextMetrics: the fixed text metrics of this model, whatever the font: every character is 6
// pixels wide and a line is 13 pixels high, as in the 8 point dialog font whose dialog units the
// window layer uses.
#pragma once

#include <string>
#include <string_view>

class CTextMetrics {
public:
    static constexpr int kCharWidth = 6;
    static constexpr int kLineHeight = 13;
    static constexpr int kAscent = 10;

    static int Width(std::string_view text) { return static_cast<int>(text.size()) * kCharWidth; }
    // The text as shown when "&" marks the next character: single marks removed, "&&" kept as one.
    static std::string RemovePrefixes(std::string_view text) {
        std::string shown;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '&' && i + 1 < text.size()) {
                ++i;
            } else if (text[i] == '&') {
                continue;
            }
            shown += text[i];
        }
        return shown;
    }
};
