#include "lexicon/wordsplitter.h"

bool IsWordDelimiter(char c) {
    switch (c) {
        case '"':
        case ':':
        case '@':
        case ';':
        case '(':
        case ')':
        case ' ':
            return true;
        default:
            return false;
    }
}

namespace {

template <class IsSeparator>
std::vector<std::string> Split(std::string_view text, IsSeparator isSeparator) {
    std::vector<std::string> words;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isSeparator(text[i])) {
            if (i > start) {
                words.emplace_back(text.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return words;
}

}  // namespace

std::vector<std::string> SplitWords(std::string_view text) {
    return Split(text, IsWordDelimiter);
}

std::vector<std::string> SplitPageText(std::string_view text) {
    return Split(text, [](char c) { return c == '\r' || c == '\n' || IsWordDelimiter(c); });
}
