// The terms of one class that share their first word, arranged for matching.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "lexicon/lexiconentry.h"

class CCandidates {
public:
    // Takes the entry over; entries keep the order in which they were added (term-file order).
    void Add(std::unique_ptr<CLexiconEntry> entry);

    const std::vector<std::unique_ptr<CLexiconEntry>>& Entries() const { return m_entries; }

    // The entries whose second word is exactly the given text, the longest term (most tokens)
    // first and otherwise in term-file order: the first of them that matches is the longest
    // match, and the first entry to reach that length.
    std::span<const CLexiconEntry* const> WithSecondWord(std::string_view second) const;

    // The first one-word term (empty second word) in term-file order, or null.
    const CLexiconEntry* FirstOneWordTerm() const { return m_pFirstOneWord; }

private:
    struct SSecondWord {
        std::string_view word;  // the second word of the entries, which own its text
        std::vector<const CLexiconEntry*> entries;
    };

    static std::uint32_t Hash(std::string_view word);
    SSecondWord* Find(std::string_view second, std::uint32_t hash);
    const SSecondWord* Find(std::string_view second, std::uint32_t hash) const;

    std::vector<std::unique_ptr<CLexiconEntry>> m_entries;
    // The distinct second words, and their hashes side by side in an array of their own that a
    // lookup scans without touching the words.
    std::vector<SSecondWord> m_bySecondWord;
    std::vector<std::uint32_t> m_secondWordHashes;
    const CLexiconEntry* m_pFirstOneWord = nullptr;
};
