// Finding the candidates of a word: the hash table beside a class's ordered first-word index.
//
// Matching asks for every word of a page, and most words start no term, so the table is a flat
// open-addressing array with a bit filter in front that turns most misses away without touching
// it. Keys are upper-cased first words; a page word is upper-cased while it is hashed and compared,
// never copied.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/text/lettercase.h"

class CCandidates;

// FNV-1a over the bytes fed in, with a final mix so that both the low bits (the table) and the
// high bits (the filter) spread.
class CWordHash {
public:
    // The hash of the bytes as they are.
    static std::uint64_t Of(std::string_view text) {
        CWordHash hash;
        for (char c : text) {
            hash.Add(c);
        }
        return hash.Value();
    }

    void Add(char c) { m_state = (m_state ^ static_cast<unsigned char>(c)) * 0x100000001b3ull; }
    std::uint64_t Value() const {
        std::uint64_t h = m_state;
        h ^= h >> 32;
        h *= 0xd6e8feb86659fd93ull;
        return h ^ (h >> 32);
    }

private:
    std::uint64_t m_state = 0xcbf29ce484222325ull;
};

class CFirstWordTable {
public:
    // The hash of the word upper-cased, as the table keys are.
    static std::uint64_t HashUpperCased(std::string_view word);

    // The key's text must outlive the table (it lives in the class's ordered index).
    void Insert(std::string_view key, const CCandidates* candidates);

    // The candidates whose first word is exactly the key.
    const CCandidates* Find(std::string_view key) const;

    // The candidates whose first word is the upper-cased form of word; hash is
    // HashUpperCased(word).
    const CCandidates* FindUpperCased(std::string_view word, std::uint64_t hash) const;

private:
    struct SSlot {
        std::uint64_t hash = 0;
        std::string_view key;
        const CCandidates* candidates = nullptr;
    };

    // 32 KiB: about one bit in twenty set for the largest classes, and it stays in the cache.
    static constexpr unsigned kFilterShift = 18;
    static constexpr unsigned kFilterBits = 1u << kFilterShift;
    static unsigned FilterBit(std::uint64_t hash) {
        return static_cast<unsigned>(hash >> (64 - kFilterShift));
    }

    void Place(std::uint64_t hash, std::string_view key, const CCandidates* candidates);
    void Grow();
    bool Filtered(std::uint64_t hash) const {
        const unsigned bit = FilterBit(hash);
        return (m_filter[bit / 64] & (std::uint64_t{1} << (bit % 64))) == 0;
    }

    std::vector<SSlot> m_slots;
    size_t m_nUsed = 0;
    std::array<std::uint64_t, kFilterBits / 64> m_filter{};
};
