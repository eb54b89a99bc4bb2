// Finding a text in the rendered text of a body.
//
// Matching ignores letter case by simple case folding (ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic) unless asked to match case, and matches inside words and across element boundaries:
// the text searched is the rendered text, whatever markup lies under it. With whole words asked
// for, an occurrence must not have a letter or digit just before or after it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dom/renderedtext.h"

class CTextSearch {
public:
    CTextSearch(std::u16string_view pattern, bool bMatchCase, bool bWholeWord);

    // The offset of the first / last occurrence lying wholly within [nBegin, nEnd).
    std::optional<size_t> FindFirst(const CRenderedText& text, size_t nBegin, size_t nEnd) const;
    std::optional<size_t> FindLast(const CRenderedText& text, size_t nBegin, size_t nEnd) const;

    static char16_t FoldCase(char16_t c);

private:
    char16_t Fold(char16_t c) const { return m_bMatchCase ? c : FoldCase(c); }
    bool IsWholeWordAt(const CRenderedText& text, size_t nOffset) const;

    std::u16string m_strPattern;
    bool m_bMatchCase;
    bool m_bWholeWord;
};
