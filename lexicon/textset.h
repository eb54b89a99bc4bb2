// The texts one scan has recorded: a flat open-addressing set of views, since a scan asks it at
// every occurrence of a term and a node per text would cost an allocation each.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class CTextSet {
public:
    static std::uint64_t Hash(std::string_view text);

    bool Contains(std::string_view text, std::uint64_t hash) const;
    // The text must outlive the set; hash is Hash(text).
    void Insert(std::string_view text, std::uint64_t hash);

private:
    struct SSlot {
        std::uint64_t hash = 0;
        std::string_view text;
        bool used = false;
    };

    void Grow();
    size_t SlotFor(std::string_view text, std::uint64_t hash) const;

    std::vector<SSlot> m_slots;
    size_t m_nUsed = 0;
};
