#include "lexicon/termmatcher.h"

#include <algorithm>

#include "platform/text/codepage.h"

namespace {

// The word as matching compares it: without the given characters, upper-cased.
void Normalise(std::string_view word, std::string_view remove, std::string& out) {
    out.clear();
    for (char c : word) {
        if (remove.find(c) == std::string_view::npos) {
            out += AnsiCharUpper(c);
        }
    }
}

template <class Word>
int MatchTokens(const std::vector<std::string>& tokens, std::span<const Word> words, size_t p) {
    std::string word;
    int count = 0;
    for (const std::string& token : tokens) {
        size_t at = p + static_cast<size_t>(count);
        if (at >= words.size()) {
            return -1;
        }
        Normalise(words[at], ".", word);
        if (word != token) {
            Normalise(words[at], ".,", word);
            if (word != token) {
                return -1;
            }
        }
        ++count;
    }
    return count;
}

bool HasSecondWord(const CClassType::Candidates& candidates, std::string_view second) {
    return std::any_of(candidates.begin(), candidates.end(),
                       [second](const auto& entry) { return entry->GetSecondWord() == second; });
}

// What the candidates offer at one position once the next word is known.
struct SChoice {
    // The longest match among the candidates whose second word is the next word (the first
    // entry to reach it), and whether there was any such candidate at all.
    const CLexiconEntry* longest = nullptr;
    int length = 0;
    bool anySecondWord = false;
    // The first one-word term among the candidates.
    const CLexiconEntry* oneWord = nullptr;
};

template <class MatchAt>
SChoice Choose(const CClassType::Candidates& candidates, std::string_view next, MatchAt matchAt) {
    SChoice choice;
    for (const auto& entry : candidates) {
        const std::string& second = entry->GetSecondWord();
        if (second == next) {
            int length = matchAt(*entry);
            if (!choice.anySecondWord || length > choice.length) {
                choice.longest = entry.get();
                choice.length = length;
            }
            choice.anySecondWord = true;
        } else if (second.empty() && choice.oneWord == nullptr) {
            choice.oneWord = entry.get();
        }
    }
    return choice;
}

}  // namespace

int CLexiconEntry::MatchAt(const std::vector<std::string>& words, size_t position) const {
    return MatchTokens(m_tokens, std::span<const std::string>(words), position);
}

int CLexiconEntry::MatchAt(std::span<const std::string_view> words, size_t position) const {
    return MatchTokens(m_tokens, words, position);
}

CClassType::MatchList* CClassType::FindMatches(const std::vector<std::string>& words,
                                               std::u16string_view pageKey) {
    CTermMatcher(*this, words, pageKey).Run();
    return GetPageMatches(pageKey);
}

CTermMatcher::CTermMatcher(CClassType& classType, const std::vector<std::string>& words,
                           std::u16string_view pageKey)
    : m_classType(classType), m_words(words), m_pageKey(pageKey) {}

void CTermMatcher::Run() {
    for (size_t i = 0; i < m_words.size();) {
        const std::string& word = m_words[i];
        m_strKey = word;
        CharUpperBuffA(m_strKey.data(), static_cast<DWORD>(m_strKey.size()));
        int step = 0;
        if (const Candidates* candidates = m_classType.CandidatesFor(m_strKey)) {
            step = Continue(*candidates, i);
        } else if (word.find_first_of(".,") != std::string::npos) {
            step = Dotted(i);
        }
        i += step > 0 ? static_cast<size_t>(step) : 1;
    }
}

int CTermMatcher::Continue(const Candidates& candidates, size_t i) {
    std::string next;
    if (i + 1 < m_words.size()) {
        Normalise(m_words[i + 1], ".,", next);
    }
    SChoice choice = Choose(candidates, next,
                            [&](const CLexiconEntry& entry) { return entry.MatchAt(m_words, i); });
    if (choice.anySecondWord) {
        if (choice.length < 1) {
            return 0;
        }
        std::string text = m_words[i];
        for (int k = 1; k < choice.length; ++k) {
            text += ' ';
            text += m_words[i + static_cast<size_t>(k)];
        }
        Record(*choice.longest, text);
        return choice.length;
    }
    if (choice.oneWord != nullptr) {
        Record(*choice.oneWord, m_words[i]);
        return 1;
    }
    return 0;
}

int CTermMatcher::Dotted(size_t i) {
    const std::string& word = m_words[i];
    std::vector<std::string_view> parts;
    for (size_t start = 0; start <= word.size();) {
        size_t dot = std::min(word.find('.', start), word.size());
        if (dot > start) {
            parts.push_back(std::string_view(word).substr(start, dot - start));
        }
        start = dot + 1;
    }
    const size_t partCount = parts.size();
    for (size_t k = i + 1; k < m_words.size() && k <= i + 9; ++k) {
        parts.push_back(m_words[k]);
    }

    size_t j = 0;
    bool lastFound = false;
    while (j < partCount) {
        m_strKey = parts[j];
        CharUpperBuffA(m_strKey.data(), static_cast<DWORD>(m_strKey.size()));
        const Candidates* candidates = m_classType.CandidatesFor(m_strKey);
        lastFound = candidates != nullptr;
        if (candidates == nullptr) {
            Normalise(parts[j], ",", m_strKey);
            candidates = m_classType.CandidatesFor(m_strKey);
        }
        int step =
            candidates != nullptr ? ContinueDotted(*candidates, word, partCount, parts, j) : 0;
        j += step > 0 ? static_cast<size_t>(step) : 1;
    }
    return lastFound ? static_cast<int>(j) : 0;
}

int CTermMatcher::ContinueDotted(const Candidates& candidates, std::string_view word,
                                 size_t partCount, std::span<const std::string_view> parts,
                                 size_t j) {
    std::string next;
    if (j + 1 < parts.size()) {
        Normalise(parts[j + 1], "", next);
        if (!HasSecondWord(candidates, next)) {
            Normalise(parts[j + 1], ".,", next);
        }
    }
    SChoice choice = Choose(candidates, next,
                            [&](const CLexiconEntry& entry) { return entry.MatchAt(parts, j); });
    if (choice.anySecondWord) {
        if (choice.length < 1) {
            return 0;
        }
        std::string text(word);
        for (size_t k = partCount; k < static_cast<size_t>(choice.length); ++k) {
            text += ' ';
            text += parts[j + k];
        }
        Record(*choice.longest, text);
        return choice.length;
    }
    if (choice.oneWord != nullptr) {
        Record(*choice.oneWord, std::string(word));
        return 1;
    }
    return 0;
}

void CTermMatcher::Record(const CLexiconEntry& entry, const std::string& text) {
    if (text.size() > kMaxMatchText || !m_seen.insert(text).second) {
        return;
    }
    if (m_pMatches == nullptr) {
        m_pMatches = m_classType.GetPageMatches(m_pageKey);
        if (m_pMatches == nullptr) {
            m_pMatches = m_classType.NewPageMatches(m_pageKey);
        }
    }
    auto match = std::make_unique<CLexiconEntry>();
    match->SetName(text, false);
    match->SetSpanId(entry.GetSpanId());
    match->SetSubClass(entry.GetSubClass());
    match->SetURL(entry.GetURL());
    match->SetOntologyName(entry.GetOntologyName());
    m_pMatches->push_back(std::move(match));
}
