#include "platform/dom/document.h"

#include <algorithm>

#include "platform/dom/asciicase.h"
#include "platform/dom/elementcollection.h"
#include "platform/dom/range.h"
#include "platform/dom/textrange.h"

CDocument::CDocument() : CNode(ENodeType::Document) {}

CDocument::~CDocument() = default;

CElement* CDocument::GetDocumentElement() const {
    for (CNode* p = GetFirstChild(); p != nullptr; p = p->GetNextSibling()) {
        if (p->IsElement()) {
            return static_cast<CElement*>(p);
        }
    }
    return nullptr;
}

CElement* CDocument::GetHead() const {
    CElement* pHtml = GetDocumentElement();
    if (pHtml == nullptr || !pHtml->Is(u"html")) {
        return nullptr;
    }
    for (CNode* p = pHtml->GetFirstChild(); p != nullptr; p = p->GetNextSibling()) {
        if (p->IsElement() && static_cast<CElement*>(p)->Is(u"head")) {
            return static_cast<CElement*>(p);
        }
    }
    return nullptr;
}

CElement* CDocument::GetBody() const {
    CElement* pHtml = GetDocumentElement();
    if (pHtml == nullptr || !pHtml->Is(u"html")) {
        return nullptr;
    }
    for (CNode* p = pHtml->GetFirstChild(); p != nullptr; p = p->GetNextSibling()) {
        if (p->IsElement()) {
            auto* pElement = static_cast<CElement*>(p);
            if (pElement->Is(u"body") || pElement->Is(u"frameset")) {
                return pElement;
            }
        }
    }
    return nullptr;
}

CElementCollection CDocument::GetAll() {
    return CElementCollection(CNodeRef<CNode>(this));
}

std::unique_ptr<CTextRange> CDocument::CreateTextRange() {
    CElement* pBody = GetBody();
    if (pBody == nullptr || !pBody->IsBody()) {
        return nullptr;
    }
    return std::make_unique<CTextRange>(*this, *pBody);
}

CRenderedText* CDocument::GetRenderedText() {
    CElement* pBody = GetBody();
    if (pBody == nullptr || !pBody->IsBody()) {
        m_pText.reset();
        return nullptr;
    }
    if (!m_pText || &m_pText->GetRoot() != pBody) {
        m_pText.reset();
        m_pText = std::make_unique<CRenderedText>(*pBody, m_statistics);
    }
    return m_pText.get();
}

CNodeRef<CNode> CDocument::CloneShallow() const {
    CNodeRef<CDocument> pCopy = Create();
    pCopy->m_strUrl = m_strUrl;
    pCopy->m_strCharset = m_strCharset;
    return pCopy;
}

void CDocument::OnFinalRelease() {
    // The model refers to the nodes, which are let go next.
    m_pText.reset();
}

bool CDocument::ModelCovers(const CNode* pNode) const {
    return m_pText && pNode != nullptr && m_pText->GetRoot().IsInclusiveAncestorOf(*pNode);
}

void CDocument::NodeInserted(CNode& node) {
    for (CRange* pRange : m_vecRanges) {
        pRange->AdjustForInsertion(node);
    }
    if (!m_pText) {
        return;
    }
    if (GetBody() != &m_pText->GetRoot()) {
        m_pText.reset();
    } else if (ModelCovers(node.GetParent())) {
        m_pText->OnInserted(node);
    }
}

void CDocument::NodeRemoving(CNode& node) {
    for (CRange* pRange : m_vecRanges) {
        pRange->AdjustForRemoval(node);
    }
    if (!m_pText) {
        return;
    }
    if (node.IsInclusiveAncestorOf(m_pText->GetRoot())) {
        m_pText.reset();
    } else if (ModelCovers(node.GetParent())) {
        m_pText->OnRemoving(node);
    }
}

void CDocument::DataReplaced(CCharacterData& node, size_t nOffset, size_t nCount, size_t nLength) {
    for (CRange* pRange : m_vecRanges) {
        pRange->AdjustForReplacedData(node, nOffset, nCount, nLength);
    }
    if (ModelCovers(&node)) {
        m_pText->OnDataChanged(node);
    }
}

void CDocument::TextSplit(CText& node, CText& newNode, size_t nOffset) {
    for (CRange* pRange : m_vecRanges) {
        pRange->AdjustForSplit(node, newNode, nOffset);
    }
    if (ModelCovers(&node)) {
        m_pText->OnSplit(node, newNode);
    }
}

void CDocument::AttributeChanged(CElement& element, std::u16string_view name) {
    if (!EqualsIgnoringAsciiCase<char16_t>(name, u"hidden") || !ModelCovers(&element)) {
        return;
    }
    if (&element == &m_pText->GetRoot()) {
        m_pText.reset();
    } else {
        m_pText->OnHiddenChanged(element);
    }
}

void CDocument::RegisterRange(CRange& range) {
    m_vecRanges.push_back(&range);
}

void CDocument::UnregisterRange(CRange& range) {
    m_vecRanges.erase(std::remove(m_vecRanges.begin(), m_vecRanges.end(), &range),
                      m_vecRanges.end());
}
