#include "lexicon/firstwordtable.h"

#include <algorithm>
#include <utility>

namespace {

bool EqualsUpperCased(std::string_view word, std::string_view key) {
    if (word.size() != key.size()) {
        return false;
    }
    for (size_t i = 0; i < word.size(); ++i) {
        if (AnsiCharUpper(word[i]) != key[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::uint64_t CFirstWordTable::HashUpperCased(std::string_view word) {
    CWordHash hash;
    for (char c : word) {
        hash.Add(AnsiCharUpper(c));
    }
    return hash.Value();
}

void CFirstWordTable::Insert(std::string_view key, const CCandidates* candidates) {
    if ((m_nUsed + 1) * 2 > m_slots.size()) {
        Grow();
    }
    Place(HashUpperCased(key), key, candidates);
}

void CFirstWordTable::Place(std::uint64_t hash, std::string_view key,
                            const CCandidates* candidates) {
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    while (m_slots[i].candidates != nullptr) {
        i = (i + 1) & mask;
    }
    m_slots[i] = {hash, key, candidates};
    ++m_nUsed;
    const unsigned bit = FilterBit(hash);
    m_filter[bit / 64] |= std::uint64_t{1} << (bit % 64);
}

void CFirstWordTable::Grow() {
    std::vector<SSlot> old =
        std::exchange(m_slots, std::vector<SSlot>(m_slots.empty() ? 64 : m_slots.size() * 2));
    m_nUsed = 0;
    for (const SSlot& slot : old) {
        if (slot.candidates != nullptr) {
            Place(slot.hash, slot.key, slot.candidates);
        }
    }
}

const CCandidates* CFirstWordTable::Find(std::string_view key) const {
    // The keys are upper-cased, so a key that is not finds nothing; one that is hashes the same
    // whether or not it is upper-cased again.
    const CCandidates* candidates = FindUpperCased(key, HashUpperCased(key));
    const bool upperCased =
        std::all_of(key.begin(), key.end(), [](char c) { return AnsiCharUpper(c) == c; });
    return upperCased ? candidates : nullptr;
}

const CCandidates* CFirstWordTable::FindUpperCased(std::string_view word,
                                                   std::uint64_t hash) const {
    if (m_slots.empty() || Filtered(hash)) {
        return nullptr;
    }
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask; m_slots[i].candidates != nullptr; i = (i + 1) & mask) {
        if (m_slots[i].hash == hash && EqualsUpperCased(word, m_slots[i].key)) {
            return m_slots[i].candidates;
        }
    }
    return nullptr;
}
