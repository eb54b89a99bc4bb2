// Finding the terms of one class in a sequence of words.
//
// One CTermMatcher serves one FindMatches call: it walks the words, asks the class's first-word
// index for the terms that start with each word, compares the following words token by token,
// prefers the longest of the terms that share their first two words, and records each text found
// once in the class's match list for the page. Words that hold "." or "," get a second chance
// through their dot-separated parts (Dotted), so that "www.neural" or "e.g.,neural" still yield
// the terms inside them.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/classtype.h"
#include "lexicon/textset.h"

class CTermMatcher {
public:
    // The longest text a match may record; longer matches are not recorded, since a cut text would
    // name no text of the page.
    static constexpr size_t kMaxMatchText = 1023;

    CTermMatcher(CClassType& classType, const std::vector<std::string>& words,
                 std::u16string_view pageKey);

    // Scans the whole word sequence.
    void Run();

private:
    int Continue(const CCandidates& candidates, size_t i);
    int Dotted(size_t i);
    int ContinueDotted(const CCandidates& candidates, std::string_view word, size_t partCount,
                       size_t j);
    // The candidates of a part of a dotted word, first as it is, then without its commas;
    // firstLookupFound tells whether the first lookup found them.
    const CCandidates* CandidatesForPart(std::string_view part, bool& firstLookupFound);
    void Record(const CLexiconEntry& entry, std::string_view text);

    CClassType& m_classType;
    const std::vector<std::string>& m_words;
    std::u16string_view m_pageKey;
    CClassType::MatchList* m_pMatches = nullptr;
    // The texts recorded by this scan; the views point into the names of the recorded entries.
    CTextSet m_seen;
    // Buffers reused from word to word.
    std::vector<std::string_view> m_parts;
    std::string m_strNext;
    std::string m_strText;
    std::string m_strKey;
};
