#include "platform/dom/textsearch.h"

namespace {

bool IsWordCharacter(char16_t c) {
    if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
        c == u'_') {
        return true;
    }
    // Letters of Latin-1 and beyond; the punctuation blocks are not word characters.
    return (c >= 0x00C0 && c != 0x00D7 && c != 0x00F7 && c < 0x2000) || (c >= 0x3040);
}

}  // namespace

CTextSearch::CTextSearch(std::u16string_view pattern, bool bMatchCase, bool bWholeWord)
    : m_bMatchCase(bMatchCase), m_bWholeWord(bWholeWord) {
    m_strPattern.reserve(pattern.size());
    for (char16_t c : pattern) {
        m_strPattern += Fold(c);
    }
}

char16_t CTextSearch::FoldCase(char16_t c) {
    if (c < 0x80) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c == 0xB5) {
        return 0x03BC;  // micro sign: Greek mu
    }
    if (c >= 0x0100 && c <= 0x017F) {
        // Latin Extended-A pairs capitals with the following small letter, in two alignments.
        if (c == 0x0130 || c == 0x0131 || c == 0x0138 || c == 0x0149) {
            return c;
        }
        if (c == 0x0178) {
            return 0x00FF;
        }
        if (c == 0x017F) {
            return u's';
        }
        bool bOddCapitals = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
        bool bCapital = bOddCapitals ? (c % 2 == 1) : (c % 2 == 0);
        return bCapital ? static_cast<char16_t>(c + 1) : c;
    }
    if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c == 0x03C2) {
        return 0x03C3;  // final sigma
    }
    if (c >= 0x0410 && c <= 0x042F) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x0400 && c <= 0x040F) {
        return static_cast<char16_t>(c + 0x50);
    }
    return c;
}

bool CTextSearch::IsWholeWordAt(const CRenderedText& text, size_t nOffset) const {
    if (!m_bWholeWord) {
        return true;
    }
    size_t nEnd = nOffset + m_strPattern.size();
    if (nOffset > 0 && IsWordCharacter(text.CharAt(nOffset - 1))) {
        return false;
    }
    return nEnd >= text.GetLength() || !IsWordCharacter(text.CharAt(nEnd));
}

std::optional<size_t> CTextSearch::FindFirst(const CRenderedText& text, size_t nBegin,
                                             size_t nEnd) const {
    const size_t nPattern = m_strPattern.size();
    if (nPattern == 0 || nEnd <= nBegin || nEnd - nBegin < nPattern) {
        return std::nullopt;
    }
    // A window over the folded text: each chunk is appended, searched, and all but the last
    // nPattern - 1 characters (the start of a match that may end in the next chunk) dropped.
    std::u16string strWindow;
    size_t nWindowOffset = nBegin;
    CTextCursor cursor(text, nBegin, nEnd);
    std::u16string_view chunk;
    size_t nChunkOffset = 0;
    while (cursor.Next(chunk, nChunkOffset)) {
        for (char16_t c : chunk) {
            strWindow += Fold(c);
        }
        for (size_t nFound = strWindow.find(m_strPattern); nFound != std::u16string::npos;
             nFound = strWindow.find(m_strPattern, nFound + 1)) {
            if (IsWholeWordAt(text, nWindowOffset + nFound)) {
                return nWindowOffset + nFound;
            }
        }
        if (strWindow.size() >= nPattern) {
            size_t nDrop = strWindow.size() - (nPattern - 1);
            strWindow.erase(0, nDrop);
            nWindowOffset += nDrop;
        }
    }
    return std::nullopt;
}

std::optional<size_t> CTextSearch::FindLast(const CRenderedText& text, size_t nBegin,
                                            size_t nEnd) const {
    const size_t nPattern = m_strPattern.size();
    if (nPattern == 0 || nEnd <= nBegin || nEnd - nBegin < nPattern) {
        return std::nullopt;
    }
    std::u16string strText = text.GetText(nBegin, nEnd);
    for (char16_t& c : strText) {
        c = Fold(c);
    }
    for (size_t nFound = strText.rfind(m_strPattern); nFound != std::u16string::npos;
         nFound = nFound > 0 ? strText.rfind(m_strPattern, nFound - 1) : std::u16string::npos) {
        if (IsWholeWordAt(text, nBegin + nFound)) {
            return nBegin + nFound;
        }
    }
    return std::nullopt;
}
