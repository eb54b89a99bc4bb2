#include "platform/dom/range.h"

#include <vector>

namespace {

CNode& CommonAncestor(CNode& a, CNode& b) {
    for (CNode* p = &a; p != nullptr; p = p->GetParent()) {
        if (p->IsInclusiveAncestorOf(b)) {
            return *p;
        }
    }
    return a.GetRoot();
}

// The child of pAncestor that contains pNode (or is it).
CNode* ChildContaining(CNode& ancestor, CNode& node) {
    CNode* p = &node;
    while (p != nullptr && p->GetParent() != &ancestor) {
        p = p->GetParent();
    }
    return p;
}

// A shallow copy of character data holding only data[nBegin, nEnd).
CNodeRef<CNode> CloneDataPart(const CCharacterData& node, size_t nBegin, size_t nEnd) {
    CNodeRef<CNode> pCopy = node.CloneNode(false);
    auto& copy = static_cast<CCharacterData&>(*pCopy);
    copy.SetData(std::u16string_view(node.GetData()).substr(nBegin, nEnd - nBegin));
    return pCopy;
}

// The parts of the range's tree that a clone or a deletion works with: the common ancestor, the
// children of it that hold the start and the end when the range cuts them, and the children
// wholly inside the range between those.
struct CRangeParts {
    CNode* pCommon = nullptr;
    CNode* pFirstPartial = nullptr;
    CNode* pLastPartial = nullptr;
    CNode* pFirstContained = nullptr;
    CNode* pAfterContained = nullptr;
};

CRangeParts SplitRange(const CBoundaryPoint& start, const CBoundaryPoint& end) {
    CRangeParts parts;
    CNode& startNode = *start.GetContainer();
    CNode& endNode = *end.GetContainer();
    parts.pCommon = &CommonAncestor(startNode, endNode);
    if (!startNode.IsInclusiveAncestorOf(endNode)) {
        parts.pFirstPartial = ChildContaining(*parts.pCommon, startNode);
    }
    if (!endNode.IsInclusiveAncestorOf(startNode)) {
        parts.pLastPartial = ChildContaining(*parts.pCommon, endNode);
    }
    parts.pFirstContained = parts.pFirstPartial != nullptr ? parts.pFirstPartial->GetNextSibling()
                                                           : start.GetChildAfter();
    parts.pAfterContained =
        parts.pLastPartial != nullptr ? parts.pLastPartial : end.GetChildAfter();
    return parts;
}

// The DOM's clone-the-contents over two ordered boundary points.
CNodeRef<CDocumentFragment> CloneBetween(const CBoundaryPoint& start, const CBoundaryPoint& end) {
    CNodeRef<CDocumentFragment> pFragment = CDocumentFragment::Create();
    if (start == end) {
        return pFragment;
    }
    CNode& startNode = *start.GetContainer();
    CNode& endNode = *end.GetContainer();
    if (&startNode == &endNode && startNode.IsCharacterData()) {
        pFragment->AppendChild(CloneDataPart(static_cast<CCharacterData&>(startNode),
                                             start.GetCharacterOffset(), end.GetCharacterOffset()));
        return pFragment;
    }
    CRangeParts parts = SplitRange(start, end);
    if (CNode* pFirst = parts.pFirstPartial) {
        if (pFirst->IsCharacterData()) {
            auto& data = static_cast<CCharacterData&>(*pFirst);
            pFragment->AppendChild(
                CloneDataPart(data, start.GetCharacterOffset(), data.GetData().size()));
        } else {
            CNodeRef<CNode> pCopy = pFirst->CloneNode(false);
            pCopy->AppendChild(CloneBetween(start, CBoundaryPoint::AtEnd(*pFirst)));
            pFragment->AppendChild(pCopy);
        }
    }
    for (CNode* p = parts.pFirstContained; p != nullptr && p != parts.pAfterContained;
         p = p->GetNextSibling()) {
        pFragment->AppendChild(p->CloneNode(true));
    }
    if (CNode* pLast = parts.pLastPartial) {
        if (pLast->IsCharacterData()) {
            pFragment->AppendChild(
                CloneDataPart(static_cast<CCharacterData&>(*pLast), 0, end.GetCharacterOffset()));
        } else {
            CNodeRef<CNode> pCopy = pLast->CloneNode(false);
            pCopy->AppendChild(CloneBetween(CBoundaryPoint::AtStart(*pLast), end));
            pFragment->AppendChild(pCopy);
        }
    }
    return pFragment;
}

void AppendFollowingSiblings(CNode* pFrom, std::vector<CNodeRef<CNode>>& vecNodes) {
    for (CNode* p = pFrom; p != nullptr; p = p->GetNextSibling()) {
        vecNodes.emplace_back(p);
    }
}

void AppendSiblingsBefore(CNode& parent, CNode* pStop, std::vector<CNodeRef<CNode>>& vecNodes) {
    for (CNode* p = parent.GetFirstChild(); p != nullptr && p != pStop; p = p->GetNextSibling()) {
        vecNodes.emplace_back(p);
    }
}

}  // namespace

CRange::CRange(CDocument& document)
    : m_pDocument(&document), m_start(CBoundaryPoint::AtStart(document)), m_end(m_start) {
    document.RegisterRange(*this);
}

CRange::~CRange() {
    m_pDocument->UnregisterRange(*this);
}

CNode& CRange::GetCommonAncestor() const {
    return CommonAncestor(*m_start.GetContainer(), *m_end.GetContainer());
}

bool CRange::Contains(const CBoundaryPoint& point) const {
    CNode* pContainer = point.GetContainer();
    if (pContainer == nullptr || &pContainer->GetRoot() != m_pDocument.Get()) {
        return false;
    }
    if (pContainer->IsCharacterData()) {
        return point.GetCharacterOffset() <= pContainer->GetLength();
    }
    return pContainer->GetNodeType() != ENodeType::DocumentType &&
           (point.GetChildAfter() == nullptr || point.GetChildAfter()->GetParent() == pContainer);
}

bool CRange::SetStart(const CBoundaryPoint& point) {
    if (!Contains(point)) {
        return false;
    }
    m_start = point;
    if (CompareBoundaryPoints(m_start, m_end) > 0) {
        m_end = point;
    }
    return true;
}

bool CRange::SetEnd(const CBoundaryPoint& point) {
    if (!Contains(point)) {
        return false;
    }
    m_end = point;
    if (CompareBoundaryPoints(m_start, m_end) > 0) {
        m_start = point;
    }
    return true;
}

void CRange::Collapse(bool bToStart) {
    if (bToStart) {
        m_end = m_start;
    } else {
        m_start = m_end;
    }
}

void CRange::Assign(const CBoundaryPoint& start, const CBoundaryPoint& end) {
    m_start = start;
    m_end = end;
}

CNodeRef<CDocumentFragment> CRange::CloneContents() const {
    return CloneBetween(m_start, m_end);
}

void CRange::DeleteContents() {
    if (IsCollapsed()) {
        return;
    }
    const CBoundaryPoint start = m_start;
    const CBoundaryPoint end = m_end;
    CNode& startNode = *start.GetContainer();
    CNode& endNode = *end.GetContainer();
    if (&startNode == &endNode && startNode.IsCharacterData()) {
        static_cast<CCharacterData&>(startNode).DeleteData(
            start.GetCharacterOffset(), end.GetCharacterOffset() - start.GetCharacterOffset());
        return;
    }
    // The contained nodes whose parents are not contained.
    CRangeParts parts = SplitRange(start, end);
    std::vector<CNodeRef<CNode>> vecRemoved;
    if (parts.pFirstPartial != nullptr) {
        if (!startNode.IsCharacterData()) {
            AppendFollowingSiblings(start.GetChildAfter(), vecRemoved);
        }
        for (CNode* p = &startNode; p != parts.pFirstPartial; p = p->GetParent()) {
            AppendFollowingSiblings(p->GetNextSibling(), vecRemoved);
        }
    }
    for (CNode* p = parts.pFirstContained; p != nullptr && p != parts.pAfterContained;
         p = p->GetNextSibling()) {
        vecRemoved.emplace_back(p);
    }
    if (parts.pLastPartial != nullptr) {
        std::vector<CNode*> vecChain;
        for (CNode* p = &endNode; p != parts.pLastPartial; p = p->GetParent()) {
            vecChain.push_back(p);
        }
        for (auto it = vecChain.rbegin(); it != vecChain.rend(); ++it) {
            AppendSiblingsBefore(*(*it)->GetParent(), *it, vecRemoved);
        }
        if (!endNode.IsCharacterData()) {
            AppendSiblingsBefore(endNode, end.GetChildAfter(), vecRemoved);
        }
    }

    // Where the range collapses: where the start was when the start node holds the end,
    // otherwise just after the child of the common ancestor that holds the start.
    CNodeRef<CNode> pReference(parts.pFirstPartial);
    if (startNode.IsCharacterData()) {
        auto& data = static_cast<CCharacterData&>(startNode);
        data.DeleteData(start.GetCharacterOffset(), data.GetData().size());
    }
    for (const CNodeRef<CNode>& pNode : vecRemoved) {
        pNode->Remove();
    }
    if (endNode.IsCharacterData()) {
        static_cast<CCharacterData&>(endNode).DeleteData(0, end.GetCharacterOffset());
    }
    CBoundaryPoint collapsed = pReference && pReference->GetParent() != nullptr
                                   ? CBoundaryPoint::After(*pReference)
                                   : m_start;
    Assign(collapsed, collapsed);
}

bool CRange::InsertNode(const CNodeRef<CNode>& pNode) {
    CNode& startNode = *m_start.GetContainer();
    if (!pNode || startNode.GetNodeType() == ENodeType::Comment ||
        (startNode.IsText() && startNode.GetParent() == nullptr) || &startNode == pNode.Get()) {
        return false;
    }
    CNode* pReference = startNode.IsText() ? &startNode : m_start.GetChildAfter();
    CNode* pParent = pReference != nullptr ? pReference->GetParent() : &startNode;
    if (!pParent->CanInsertBefore(*pNode, pReference)) {
        return false;
    }
    CNodeRef<CNode> pSplit;
    if (startNode.IsText()) {
        pSplit = static_cast<CText&>(startNode).SplitText(m_start.GetCharacterOffset());
        pReference = pSplit.Get();
    }
    if (pReference == pNode.Get()) {
        pReference = pReference->GetNextSibling();
    }
    if (!pParent->InsertBefore(pNode, pReference)) {
        return false;
    }
    if (IsCollapsed()) {
        m_end = pReference != nullptr ? CBoundaryPoint::Before(*pReference)
                                      : CBoundaryPoint::AtEnd(*pParent);
    }
    return true;
}

void CRange::AdjustForInsertion(CNode& node) {
    for (CBoundaryPoint* pPoint : {&m_start, &m_end}) {
        if (pPoint->m_pContainer == node.GetParent() && pPoint->m_pChild == node.GetNextSibling()) {
            pPoint->m_pChild = &node;
        }
    }
}

void CRange::AdjustForRemoval(CNode& node) {
    for (CBoundaryPoint* pPoint : {&m_start, &m_end}) {
        if (node.IsInclusiveAncestorOf(*pPoint->m_pContainer)) {
            *pPoint = CBoundaryPoint::After(node);
        } else if (pPoint->m_pChild == &node) {
            pPoint->m_pChild = node.GetNextSibling();
        }
    }
}

void CRange::AdjustForReplacedData(CCharacterData& node, size_t nOffset, size_t nCount,
                                   size_t nLength) {
    for (CBoundaryPoint* pPoint : {&m_start, &m_end}) {
        if (pPoint->m_pContainer != &node || pPoint->m_nOffset <= nOffset) {
            continue;
        }
        if (pPoint->m_nOffset <= nOffset + nCount) {
            pPoint->m_nOffset = nOffset;
        } else {
            pPoint->m_nOffset = pPoint->m_nOffset + nLength - nCount;
        }
    }
}

void CRange::AdjustForSplit(CText& node, CText& newNode, size_t nOffset) {
    for (CBoundaryPoint* pPoint : {&m_start, &m_end}) {
        if (pPoint->m_pContainer == &node && pPoint->m_nOffset > nOffset) {
            *pPoint = CBoundaryPoint::InCharacterData(newNode, pPoint->m_nOffset - nOffset);
        }
    }
}
