#include "platform/dom/boundarypoint.h"

#include <vector>

namespace {

std::vector<const CNode*> AncestorsFromRoot(const CNode& node) {
    std::vector<const CNode*> vecChain;
    for (const CNode* p = &node; p != nullptr; p = p->GetParent()) {
        vecChain.push_back(p);
    }
    return {vecChain.rbegin(), vecChain.rend()};
}

// True when a precedes b in tree order.
bool Precedes(const CNode& a, const CNode& b) {
    if (&a == &b) {
        return false;
    }
    std::vector<const CNode*> vecA = AncestorsFromRoot(a);
    std::vector<const CNode*> vecB = AncestorsFromRoot(b);
    size_t i = 0;
    while (i < vecA.size() && i < vecB.size() && vecA[i] == vecB[i]) {
        ++i;
    }
    if (i == vecA.size()) {
        return true;  // a is an ancestor of b
    }
    if (i == vecB.size()) {
        return false;
    }
    for (const CNode* p = vecA[i]; p != nullptr; p = p->GetNextSibling()) {
        if (p == vecB[i]) {
            return true;
        }
    }
    return false;
}

int CompareOffsets(size_t a, size_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace

CBoundaryPoint CBoundaryPoint::InCharacterData(CCharacterData& node, size_t nOffset) {
    CBoundaryPoint point;
    point.m_pContainer = &node;
    point.m_nOffset = nOffset;
    return point;
}

CBoundaryPoint CBoundaryPoint::Before(CNode& child) {
    CBoundaryPoint point;
    point.m_pContainer = child.GetParent();
    point.m_pChild = &child;
    return point;
}

CBoundaryPoint CBoundaryPoint::After(CNode& child) {
    CBoundaryPoint point;
    point.m_pContainer = child.GetParent();
    point.m_pChild = child.GetNextSibling();
    return point;
}

CBoundaryPoint CBoundaryPoint::AtStart(CNode& container) {
    if (container.IsCharacterData()) {
        return InCharacterData(static_cast<CCharacterData&>(container), 0);
    }
    CBoundaryPoint point;
    point.m_pContainer = &container;
    point.m_pChild = container.GetFirstChild();
    return point;
}

CBoundaryPoint CBoundaryPoint::AtEnd(CNode& container) {
    if (container.IsCharacterData()) {
        auto& data = static_cast<CCharacterData&>(container);
        return InCharacterData(data, data.GetData().size());
    }
    CBoundaryPoint point;
    point.m_pContainer = &container;
    return point;
}

std::optional<CBoundaryPoint> CBoundaryPoint::At(CNode& container, size_t nOffset) {
    if (container.GetNodeType() == ENodeType::DocumentType || nOffset > container.GetLength()) {
        return std::nullopt;
    }
    if (container.IsCharacterData()) {
        return InCharacterData(static_cast<CCharacterData&>(container), nOffset);
    }
    CBoundaryPoint point;
    point.m_pContainer = &container;
    point.m_pChild = container.GetFirstChild();
    for (size_t i = 0; i < nOffset; ++i) {
        point.m_pChild = point.m_pChild->GetNextSibling();
    }
    return point;
}

size_t CBoundaryPoint::GetOffset() const {
    if (IsInCharacterData()) {
        return m_nOffset;
    }
    if (m_pChild != nullptr) {
        return m_pChild->GetIndex();
    }
    return m_pContainer != nullptr ? m_pContainer->GetChildCount() : 0;
}

int CompareBoundaryPoints(const CBoundaryPoint& a, const CBoundaryPoint& b) {
    const CNode* pA = a.GetContainer();
    const CNode* pB = b.GetContainer();
    if (pA == pB) {
        return CompareOffsets(a.GetOffset(), b.GetOffset());
    }
    if (Precedes(*pB, *pA) && !pA->IsInclusiveAncestorOf(*pB)) {
        return -CompareBoundaryPoints(b, a);
    }
    if (pA->IsInclusiveAncestorOf(*pB)) {
        const CNode* pChild = pB;
        while (pChild->GetParent() != pA) {
            pChild = pChild->GetParent();
        }
        return pChild->GetIndex() < a.GetOffset() ? 1 : -1;
    }
    return -1;
}
