// What the benchmarks share: a clock, and figures printed one to a line with their labels aligned.
#pragma once

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

using CClock = std::chrono::steady_clock;

inline double SecondsSince(CClock::time_point start) {
    return std::chrono::duration<double>(CClock::now() - start).count();
}

inline std::string Fixed(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

inline std::string Milliseconds(double seconds) {
    return Fixed(seconds * 1000.0, 1) + " ms";
}

inline void PrintFigure(std::string_view label, const std::string& value) {
    std::cout << label;
    for (size_t k = label.size(); k < 28; ++k) {
        std::cout << ' ';
    }
    std::cout << value << '\n';
}
