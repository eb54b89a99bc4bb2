#include "platform/dom/elementcollection.h"

CNodeRef<CElement> CElementEnumerator::Next() {
    if (m_nPosition >= m_vecElements.size()) {
        return nullptr;
    }
    return m_vecElements[m_nPosition++];
}

size_t CElementEnumerator::Skip(size_t nCount) {
    size_t nSkipped = std::min(nCount, m_vecElements.size() - m_nPosition);
    m_nPosition += nSkipped;
    return nSkipped;
}

std::unique_ptr<CElementEnumerator> CElementEnumerator::Clone() const {
    auto pCopy = std::make_unique<CElementEnumerator>(m_vecElements);
    pCopy->m_nPosition = m_nPosition;
    return pCopy;
}

size_t CElementCollection::GetLength() const {
    size_t nLength = 0;
    for (const CNode* p = m_pRoot->GetFirstChild(); p != nullptr;
         p = p->GetNextInTree(m_pRoot.Get())) {
        nLength += p->IsElement() ? 1 : 0;
    }
    return nLength;
}

CNodeRef<CElement> CElementCollection::Item(size_t nIndex) const {
    for (CNode* p = m_pRoot->GetFirstChild(); p != nullptr; p = p->GetNextInTree(m_pRoot.Get())) {
        if (p->IsElement() && nIndex-- == 0) {
            return CNodeRef<CElement>(static_cast<CElement*>(p));
        }
    }
    return nullptr;
}

std::unique_ptr<CElementEnumerator> CElementCollection::CreateEnumerator() const {
    std::vector<CNodeRef<CElement>> vecElements;
    for (CNode* p = m_pRoot->GetFirstChild(); p != nullptr; p = p->GetNextInTree(m_pRoot.Get())) {
        if (p->IsElement()) {
            vecElements.emplace_back(static_cast<CElement*>(p));
        }
    }
    return std::make_unique<CElementEnumerator>(std::move(vecElements));
}
