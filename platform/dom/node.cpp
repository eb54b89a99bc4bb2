#include "platform/dom/node.h"

#include <algorithm>
#include <vector>

#include "platform/dom/document.h"
#include "platform/dom/element.h"

namespace {

bool IsContainerType(ENodeType eType) {
    return eType == ENodeType::Document || eType == ENodeType::DocumentFragment ||
           eType == ENodeType::Element;
}

bool HasChildOfType(const CNode& parent, ENodeType eType, const CNode* pIgnored) {
    for (const CNode* p = parent.GetFirstChild(); p != nullptr; p = p->GetNextSibling()) {
        if (p != pIgnored && p->GetNodeType() == eType) {
            return true;
        }
    }
    return false;
}

bool TypeFollows(const CNode* pFrom, ENodeType eType) {
    for (const CNode* p = pFrom; p != nullptr; p = p->GetNextSibling()) {
        if (p->GetNodeType() == eType) {
            return true;
        }
    }
    return false;
}

bool TypePrecedes(const CNode& parent, const CNode* pBefore, ENodeType eType,
                  const CNode* pIgnored) {
    for (const CNode* p = parent.GetFirstChild(); p != pBefore; p = p->GetNextSibling()) {
        if (p != pIgnored && p->GetNodeType() == eType) {
            return true;
        }
    }
    return false;
}

}  // namespace

CElement* CNode::GetParentElement() const {
    return m_pParent != nullptr && m_pParent->IsElement() ? static_cast<CElement*>(m_pParent)
                                                          : nullptr;
}

size_t CNode::GetChildCount() const {
    size_t nCount = 0;
    for (const CNode* p = m_pFirstChild; p != nullptr; p = p->m_pNext) {
        ++nCount;
    }
    return nCount;
}

size_t CNode::GetIndex() const {
    size_t nIndex = 0;
    for (const CNode* p = m_pPrevious; p != nullptr; p = p->m_pPrevious) {
        ++nIndex;
    }
    return nIndex;
}

size_t CNode::GetLength() const {
    switch (m_eType) {
        case ENodeType::DocumentType:
            return 0;
        case ENodeType::Text:
        case ENodeType::Comment:
            return static_cast<const CCharacterData*>(this)->GetData().size();
        default:
            return GetChildCount();
    }
}

CNode& CNode::GetRoot() const {
    const CNode* p = this;
    while (p->m_pParent != nullptr) {
        p = p->m_pParent;
    }
    return const_cast<CNode&>(*p);
}

CDocument* CNode::GetOwnerDocument() const {
    CNode& root = GetRoot();
    return root.m_eType == ENodeType::Document ? static_cast<CDocument*>(&root) : nullptr;
}

bool CNode::IsInclusiveAncestorOf(const CNode& other) const {
    for (const CNode* p = &other; p != nullptr; p = p->m_pParent) {
        if (p == this) {
            return true;
        }
    }
    return false;
}

CNode* CNode::GetNextInTree(const CNode* pWithin) const {
    if (m_pFirstChild != nullptr) {
        return m_pFirstChild;
    }
    return GetNextSkippingChildren(pWithin);
}

CNode* CNode::GetNextSkippingChildren(const CNode* pWithin) const {
    for (const CNode* p = this; p != nullptr && p != pWithin; p = p->m_pParent) {
        if (p->m_pNext != nullptr) {
            return p->m_pNext;
        }
    }
    return nullptr;
}

std::u16string CNode::GetTextContent() const {
    if (IsCharacterData()) {
        return static_cast<const CCharacterData*>(this)->GetData();
    }
    std::u16string strText;
    for (const CNode* p = m_pFirstChild; p != nullptr; p = p->GetNextInTree(this)) {
        if (p->IsText()) {
            strText += static_cast<const CText*>(p)->GetData();
        }
    }
    return strText;
}

bool CNode::CanInsert(const CNode& child, const CNode* pBefore, const CNode* pReplaced) const {
    if (!IsContainerType(m_eType) || child.m_eType == ENodeType::Document ||
        child.IsInclusiveAncestorOf(*this)) {
        return false;
    }
    if (pBefore != nullptr && pBefore->m_pParent != this) {
        return false;
    }
    if (m_eType == ENodeType::Document) {
        return CanInsertIntoDocument(child, pBefore, pReplaced);
    }
    return child.m_eType != ENodeType::DocumentType;
}

bool CNode::CanInsertIntoDocument(const CNode& child, const CNode* pBefore,
                                  const CNode* pReplaced) const {
    switch (child.m_eType) {
        case ENodeType::Text:
            return false;
        case ENodeType::DocumentFragment: {
            size_t nElements = 0;
            for (const CNode* p = child.m_pFirstChild; p != nullptr; p = p->m_pNext) {
                if (p->IsText()) {
                    return false;
                }
                nElements += p->IsElement() ? 1 : 0;
            }
            if (nElements == 0) {
                return true;
            }
            return nElements == 1 && !HasChildOfType(*this, ENodeType::Element, pReplaced) &&
                   !TypeFollows(pBefore, ENodeType::DocumentType);
        }
        case ENodeType::Element:
            return !HasChildOfType(*this, ENodeType::Element, pReplaced) &&
                   !TypeFollows(pBefore, ENodeType::DocumentType);
        case ENodeType::DocumentType:
            return !HasChildOfType(*this, ENodeType::DocumentType, pReplaced) &&
                   !TypePrecedes(*this, pBefore, ENodeType::Element, pReplaced);
        default:
            return true;
    }
}

bool CNode::InsertBefore(const CNodeRef<CNode>& pChild, CNode* pBefore) {
    if (!pChild || !CanInsert(*pChild, pBefore, nullptr)) {
        return false;
    }
    CNodeRef<CNode> pKeep = pChild;
    if (pBefore == pChild.Get()) {
        pBefore = pChild->m_pNext;
    }
    if (pChild->m_eType == ENodeType::DocumentFragment) {
        std::vector<CNodeRef<CNode>> vecChildren;
        for (CNode* p = pChild->m_pFirstChild; p != nullptr; p = p->m_pNext) {
            vecChildren.emplace_back(p);
        }
        for (const CNodeRef<CNode>& p : vecChildren) {
            pChild->RemoveOne(*p);
        }
        for (const CNodeRef<CNode>& p : vecChildren) {
            InsertOne(p, pBefore);
        }
        return true;
    }
    if (pChild->m_pParent != nullptr) {
        pChild->m_pParent->RemoveOne(*pChild);
    }
    InsertOne(pChild, pBefore);
    return true;
}

bool CNode::RemoveChild(CNode& child) {
    if (child.m_pParent != this) {
        return false;
    }
    RemoveOne(child);
    return true;
}

bool CNode::ReplaceChild(const CNodeRef<CNode>& pNewChild, CNode& oldChild) {
    if (!pNewChild || oldChild.m_pParent != this || !CanInsert(*pNewChild, &oldChild, &oldChild)) {
        return false;
    }
    if (pNewChild.Get() == &oldChild) {
        return true;
    }
    CNodeRef<CNode> pKeepOld(&oldChild);
    CNode* pReference = oldChild.m_pNext;
    if (pReference == pNewChild.Get()) {
        pReference = pNewChild->m_pNext;
    }
    RemoveOne(oldChild);
    return InsertBefore(pNewChild, pReference);
}

bool CNode::Remove() {
    return m_pParent != nullptr && m_pParent->RemoveChild(*this);
}

CNodeRef<CNode> CNode::CloneNode(bool bDeep) const {
    CNodeRef<CNode> pCopy = CloneShallow();
    if (!bDeep) {
        return pCopy;
    }
    // Walks the source in tree order; pTarget is always the copy of the source node's parent.
    const CNode* pSource = m_pFirstChild;
    CNode* pTarget = pCopy.Get();
    while (pSource != nullptr) {
        CNodeRef<CNode> pChild = pSource->CloneShallow();
        pTarget->AppendChildUnchecked(pChild);
        if (pSource->m_pFirstChild != nullptr) {
            pTarget = pChild.Get();
            pSource = pSource->m_pFirstChild;
            continue;
        }
        while (pSource != nullptr && pSource->m_pNext == nullptr) {
            pSource = pSource->m_pParent;
            if (pSource == this) {
                pSource = nullptr;
            } else {
                pTarget = pTarget->m_pParent;
            }
        }
        if (pSource != nullptr) {
            pSource = pSource->m_pNext;
        }
    }
    return pCopy;
}

void CNode::Release() {
    if (--m_nReferences == 0) {
        DestroyTree(this);
    }
}

void CNode::DestroyTree(CNode* pRoot) {
    // Iterative, so that neither deep nor wide trees exhaust the stack.
    std::vector<CNode*> vecPending{pRoot};
    while (!vecPending.empty()) {
        CNode* pNode = vecPending.back();
        vecPending.pop_back();
        pNode->OnFinalRelease();
        while (CNode* pChild = pNode->m_pFirstChild) {
            pNode->m_pFirstChild = pChild->m_pNext;
            pChild->m_pParent = nullptr;
            pChild->m_pPrevious = nullptr;
            pChild->m_pNext = nullptr;
            if (--pChild->m_nReferences == 0) {
                vecPending.push_back(pChild);
            }
        }
        pNode->m_pLastChild = nullptr;
        delete pNode;
    }
}

void CNode::AppendChildUnchecked(const CNodeRef<CNode>& pChild) {
    Link(*pChild, nullptr);
}

void CNode::LinkAfter(CNode& child, CNode& after) {
    Link(child, after.m_pNext);
}

void CNode::InsertOne(const CNodeRef<CNode>& pChild, CNode* pBefore) {
    Link(*pChild, pBefore);
    if (CDocument* pDocument = GetOwnerDocument()) {
        pDocument->NodeInserted(*pChild);
    }
}

void CNode::RemoveOne(CNode& child) {
    if (CDocument* pDocument = GetOwnerDocument()) {
        pDocument->NodeRemoving(child);
    }
    Unlink(child);
}

void CNode::Link(CNode& child, CNode* pBefore) {
    child.AddRef();
    child.m_pParent = this;
    child.m_pNext = pBefore;
    child.m_pPrevious = pBefore != nullptr ? pBefore->m_pPrevious : m_pLastChild;
    if (child.m_pPrevious != nullptr) {
        child.m_pPrevious->m_pNext = &child;
    } else {
        m_pFirstChild = &child;
    }
    if (pBefore != nullptr) {
        pBefore->m_pPrevious = &child;
    } else {
        m_pLastChild = &child;
    }
}

void CNode::Unlink(CNode& child) {
    if (child.m_pPrevious != nullptr) {
        child.m_pPrevious->m_pNext = child.m_pNext;
    } else {
        m_pFirstChild = child.m_pNext;
    }
    if (child.m_pNext != nullptr) {
        child.m_pNext->m_pPrevious = child.m_pPrevious;
    } else {
        m_pLastChild = child.m_pPrevious;
    }
    child.m_pParent = nullptr;
    child.m_pPrevious = nullptr;
    child.m_pNext = nullptr;
    child.Release();
}

bool CCharacterData::ReplaceData(size_t nOffset, size_t nCount, std::u16string_view data) {
    if (nOffset > m_strData.size()) {
        return false;
    }
    nCount = std::min(nCount, m_strData.size() - nOffset);
    m_strData.replace(nOffset, nCount, data);
    if (CDocument* pDocument = GetOwnerDocument()) {
        pDocument->DataReplaced(*this, nOffset, nCount, data.size());
    }
    return true;
}

CNodeRef<CText> CText::SplitText(size_t nOffset) {
    if (nOffset > m_strData.size()) {
        return nullptr;
    }
    CNodeRef<CText> pNewNode = Create(std::u16string_view(m_strData).substr(nOffset));
    m_strData.erase(nOffset);
    if (CNode* pParent = GetParent()) {
        pParent->LinkAfter(*pNewNode, *this);
        if (CDocument* pDocument = GetOwnerDocument()) {
            pDocument->TextSplit(*this, *pNewNode, nOffset);
        }
    }
    return pNewNode;
}
