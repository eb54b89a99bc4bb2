#include "lexicon/candidates.h"

#include <algorithm>
#include <utility>

#include "lexicon/firstwordtable.h"

std::uint32_t CCandidates::Hash(std::string_view word) {
    return static_cast<std::uint32_t>(CWordHash::Of(word));
}

void CCandidates::Add(std::unique_ptr<CLexiconEntry> entry) {
    const CLexiconEntry* added = entry.get();
    m_entries.push_back(std::move(entry));

    std::string_view second = added->GetSecondWord();
    const std::uint32_t hash = Hash(second);
    SSecondWord* group = Find(second, hash);
    if (group == nullptr) {
        group = &m_bySecondWord.emplace_back(SSecondWord{second, {}});
        m_secondWordHashes.push_back(hash);
    }
    // After every entry with at least as many tokens: longest first, ties in term-file order.
    const size_t tokens = added->GetTokens().size();
    auto position =
        std::find_if(group->entries.begin(), group->entries.end(),
                     [tokens](const CLexiconEntry* e) { return e->GetTokens().size() < tokens; });
    group->entries.insert(position, added);

    if (m_pFirstOneWord == nullptr && second.empty()) {
        m_pFirstOneWord = added;
    }
}

CCandidates::SSecondWord* CCandidates::Find(std::string_view second, std::uint32_t hash) {
    return const_cast<SSecondWord*>(std::as_const(*this).Find(second, hash));
}

const CCandidates::SSecondWord* CCandidates::Find(std::string_view second,
                                                  std::uint32_t hash) const {
    for (size_t k = 0; k < m_secondWordHashes.size(); ++k) {
        if (m_secondWordHashes[k] == hash && m_bySecondWord[k].word == second) {
            return &m_bySecondWord[k];
        }
    }
    return nullptr;
}

std::span<const CLexiconEntry* const> CCandidates::WithSecondWord(std::string_view second) const {
    const SSecondWord* group = Find(second, Hash(second));
    if (group == nullptr) {
        return {};
    }
    return group->entries;
}
