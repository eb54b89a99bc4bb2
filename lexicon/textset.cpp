#include "lexicon/textset.h"

#include <utility>

#include "lexicon/firstwordtable.h"

std::uint64_t CTextSet::Hash(std::string_view text) {
    return CWordHash::Of(text);
}

size_t CTextSet::SlotFor(std::string_view text, std::uint64_t hash) const {
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    while (m_slots[i].used && !(m_slots[i].hash == hash && m_slots[i].text == text)) {
        i = (i + 1) & mask;
    }
    return i;
}

bool CTextSet::Contains(std::string_view text, std::uint64_t hash) const {
    return !m_slots.empty() && m_slots[SlotFor(text, hash)].used;
}

void CTextSet::Insert(std::string_view text, std::uint64_t hash) {
    if ((m_nUsed + 1) * 2 > m_slots.size()) {
        Grow();
    }
    SSlot& slot = m_slots[SlotFor(text, hash)];
    if (!slot.used) {
        slot = {hash, text, true};
        ++m_nUsed;
    }
}

void CTextSet::Grow() {
    std::vector<SSlot> old =
        std::exchange(m_slots, std::vector<SSlot>(m_slots.empty() ? 256 : m_slots.size() * 2));
    m_nUsed = 0;
    for (const SSlot& slot : old) {
        if (slot.used) {
            m_slots[SlotFor(slot.text, slot.hash)] = slot;
            ++m_nUsed;
        }
    }
}
