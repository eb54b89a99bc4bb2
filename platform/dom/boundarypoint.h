// A boundary point of a range: a container node and a position in it.
//
// In character data the position is a character offset. In other nodes it is kept as the child
// that follows the point (null at the end), so that the point stays put when siblings before it
// come and go and no child index has to be counted; GetOffset gives the DOM's child index.
#pragma once

#include <cstddef>
#include <optional>

#include "platform/dom/node.h"

class CBoundaryPoint {
public:
    CBoundaryPoint() = default;

    static CBoundaryPoint InCharacterData(CCharacterData& node, size_t nOffset);
    // Just before / after a node that has a parent.
    static CBoundaryPoint Before(CNode& child);
    static CBoundaryPoint After(CNode& child);
    // At the start / end of a node's content.
    static CBoundaryPoint AtStart(CNode& container);
    static CBoundaryPoint AtEnd(CNode& container);
    // The DOM's (node, offset); none for a doctype or an offset beyond the node's length.
    static std::optional<CBoundaryPoint> At(CNode& container, size_t nOffset);

    CNode* GetContainer() const { return m_pContainer; }
    bool IsInCharacterData() const {
        return m_pContainer != nullptr && m_pContainer->IsCharacterData();
    }
    // The DOM offset: a character offset in character data, a child index otherwise.
    size_t GetOffset() const;
    // In character data: the character offset.
    size_t GetCharacterOffset() const { return m_nOffset; }
    // In other nodes: the child after the point, null at the end.
    CNode* GetChildAfter() const { return m_pChild; }

    bool operator==(const CBoundaryPoint& other) const = default;

private:
    friend class CRange;

    CNode* m_pContainer = nullptr;
    CNode* m_pChild = nullptr;
    size_t m_nOffset = 0;
};

// The order of two boundary points of one tree: negative when a comes first, 0 when they are
// the same position, positive when a comes after b.
int CompareBoundaryPoints(const CBoundaryPoint& a, const CBoundaryPoint& b);
