#include "lexicon/contextmenu.h"

void CContextMenu::AllocItems(int count) {
    m_items.clear();
    m_items.resize(count > 0 ? static_cast<size_t>(count) : 0);
}

CContextMenuItem* CContextMenu::GetItem(int j) {
    return j >= 0 && j < GetCount() ? &m_items[static_cast<size_t>(j)] : nullptr;
}

const CContextMenuItem* CContextMenu::GetItem(int j) const {
    return j >= 0 && j < GetCount() ? &m_items[static_cast<size_t>(j)] : nullptr;
}

void CContextMenu::SetItem(std::unique_ptr<CContextMenuItem> item, int j) {
    if (item && j >= 0 && j < GetCount()) {
        m_items[static_cast<size_t>(j)] = std::move(*item);
    }
}
