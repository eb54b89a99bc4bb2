#include "lexicon/termmatcher.h"

#include "lexicon/firstwordtable.h"
#include "platform/text/lettercase.h"

namespace {

bool IsDotOrComma(char c) {
    return c == '.' || c == ',';
}

// Whether the word, upper-cased and without its full stops (and, with withoutCommas, without its
// commas), is the token. Compares in place: this runs for every candidate at every position.
bool EqualsNormalised(std::string_view word, std::string_view token, bool withoutCommas) {
    size_t k = 0;
    for (char c : word) {
        if (c == '.' || (withoutCommas && c == ',')) {
            continue;
        }
        if (k == token.size() || AnsiCharUpper(c) != token[k]) {
            return false;
        }
        ++k;
    }
    return k == token.size();
}

// The word upper-cased, without the characters that stripDotsAndCommas removes.
void Normalise(std::string_view word, bool stripDotsAndCommas, std::string& out) {
    out.clear();
    for (char c : word) {
        if (!(stripDotsAndCommas && IsDotOrComma(c))) {
            out += AnsiCharUpper(c);
        }
    }
}

template <class Word>
int MatchTokens(const std::vector<std::string>& tokens, std::span<const Word> words, size_t p) {
    int count = 0;
    for (const std::string& token : tokens) {
        const size_t at = p + static_cast<size_t>(count);
        if (at >= words.size()) {
            return -1;
        }
        if (!EqualsNormalised(words[at], token, false) &&
            !EqualsNormalised(words[at], token, true)) {
            return -1;
        }
        ++count;
    }
    return count;
}

}  // namespace

int CLexiconEntry::MatchAt(const std::vector<std::string>& words, size_t position) const {
    return MatchTokens(GetTokens(), std::span<const std::string>(words), position);
}

int CLexiconEntry::MatchAt(std::span<const std::string_view> words, size_t position) const {
    return MatchTokens(GetTokens(), words, position);
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
        CWordHash hash;
        bool dotted = false;
        for (char c : word) {
            hash.Add(AnsiCharUpper(c));
            dotted |= IsDotOrComma(c);
        }
        int step = 0;
        if (const CCandidates* candidates =
                m_classType.CandidatesForUpperCased(word, hash.Value())) {
            step = Continue(*candidates, i);
        } else if (dotted) {
            step = Dotted(i);
        }
        i += step > 0 ? static_cast<size_t>(step) : 1;
    }
}

int CTermMatcher::Continue(const CCandidates& candidates, size_t i) {
    m_strNext.clear();
    if (i + 1 < m_words.size()) {
        Normalise(m_words[i + 1], true, m_strNext);
    }
    std::span<const CLexiconEntry* const> sameSecondWord = candidates.WithSecondWord(m_strNext);
    if (!sameSecondWord.empty()) {
        for (const CLexiconEntry* entry : sameSecondWord) {
            const int length = entry->MatchAt(m_words, i);
            if (length >= 1) {
                m_strText = m_words[i];
                for (int k = 1; k < length; ++k) {
                    m_strText += ' ';
                    m_strText += m_words[i + static_cast<size_t>(k)];
                }
                Record(*entry, m_strText);
                return length;
            }
        }
        return 0;
    }
    if (const CLexiconEntry* oneWord = candidates.FirstOneWordTerm()) {
        Record(*oneWord, m_words[i]);
        return 1;
    }
    return 0;
}

const CCandidates* CTermMatcher::CandidatesForPart(std::string_view part, bool& firstLookupFound) {
    const CCandidates* candidates =
        m_classType.CandidatesForUpperCased(part, CFirstWordTable::HashUpperCased(part));
    firstLookupFound = candidates != nullptr;
    if (candidates == nullptr && part.find(',') != std::string_view::npos) {
        m_strKey.clear();
        for (char c : part) {
            if (c != ',') {
                m_strKey += c;
            }
        }
        candidates = m_classType.CandidatesForUpperCased(m_strKey,
                                                         CFirstWordTable::HashUpperCased(m_strKey));
    }
    return candidates;
}

int CTermMatcher::Dotted(size_t i) {
    const std::string_view word = m_words[i];
    m_parts.clear();
    for (size_t start = 0; start <= word.size();) {
        size_t dot = word.find('.', start);
        if (dot == std::string_view::npos) {
            dot = word.size();
        }
        if (dot > start) {
            m_parts.push_back(word.substr(start, dot - start));
        }
        start = dot + 1;
    }
    const size_t partCount = m_parts.size();
    for (size_t k = i + 1; k < m_words.size() && k <= i + 9; ++k) {
        m_parts.push_back(m_words[k]);
    }

    size_t j = 0;
    bool lastFound = false;
    while (j < partCount) {
        const CCandidates* candidates = CandidatesForPart(m_parts[j], lastFound);
        const int step =
            candidates != nullptr ? ContinueDotted(*candidates, word, partCount, j) : 0;
        j += step > 0 ? static_cast<size_t>(step) : 1;
    }
    return lastFound ? static_cast<int>(j) : 0;
}

int CTermMatcher::ContinueDotted(const CCandidates& candidates, std::string_view word,
                                 size_t partCount, size_t j) {
    const std::span<const std::string_view> parts(m_parts);
    m_strNext.clear();
    if (j + 1 < parts.size()) {
        Normalise(parts[j + 1], false, m_strNext);
        if (candidates.WithSecondWord(m_strNext).empty()) {
            Normalise(parts[j + 1], true, m_strNext);
        }
    }
    std::span<const CLexiconEntry* const> sameSecondWord = candidates.WithSecondWord(m_strNext);
    if (!sameSecondWord.empty()) {
        for (const CLexiconEntry* entry : sameSecondWord) {
            const int length = entry->MatchAt(parts, j);
            if (length >= 1) {
                m_strText = word;
                for (size_t k = partCount; k < static_cast<size_t>(length); ++k) {
                    m_strText += ' ';
                    m_strText += parts[j + k];
                }
                Record(*entry, m_strText);
                return length;
            }
        }
        return 0;
    }
    if (const CLexiconEntry* oneWord = candidates.FirstOneWordTerm()) {
        Record(*oneWord, word);
        return 1;
    }
    return 0;
}

void CTermMatcher::Record(const CLexiconEntry& entry, std::string_view text) {
    if (text.size() > kMaxMatchText) {
        return;
    }
    const std::uint64_t hash = CTextSet::Hash(text);
    if (m_seen.Contains(text, hash)) {
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
    m_seen.Insert(match->GetName(), hash);
    m_pMatches->push_back(std::move(match));
}
