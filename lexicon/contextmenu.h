// A class's service menu: the items of its block in the menu file, in file order.
#pragma once

#include <memory>
#include <vector>

#include "lexicon/contextmenuitem.h"

class CContextMenu {
public:
    CContextMenu() = default;
    virtual ~CContextMenu() = default;

    // Replaces the items by count empty ones; a negative count gives none.
    void AllocItems(int count);
    int GetCount() const { return static_cast<int>(m_items.size()); }

    // Slot j for 0 <= j < count, else null.
    CContextMenuItem* GetItem(int j);
    const CContextMenuItem* GetItem(int j) const;

    // Slot j takes over the item; outside the slots nothing is stored. The item is consumed.
    void SetItem(std::unique_ptr<CContextMenuItem> item, int j);

private:
    std::vector<CContextMenuItem> m_items;
};
