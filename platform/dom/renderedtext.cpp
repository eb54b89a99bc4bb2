#include "platform/dom/renderedtext.h"

#include <algorithm>

#include "platform/dom/element.h"

namespace {

bool RendersText(EFlowItem eItem) {
    return eItem == EFlowItem::Text || eItem == EFlowItem::PreformattedText;
}

}  // namespace

CRenderedText::CRenderedText(CElement& root, CTextModelStatistics& statistics)
    : m_root(root), m_statistics(statistics) {
    Build();
}

CRenderedText::~CRenderedText() {
    for (CTextToken* p = m_sequence.First(); p != nullptr; p = m_sequence.Next(p)) {
        p->m_pNode->m_pFirstToken = nullptr;
        p->m_pNode->m_pLastToken = nullptr;
    }
}

void CRenderedText::Build() {
    ++m_statistics.nBuilds;
    const CNode* pParent = m_root.GetParent();
    std::vector<CTextToken*> vecTokens =
        Tokenize(m_root, pParent != nullptr && CTextFlow::KeepsWhiteSpaceInside(*pParent));
    // Rendered before they form the sequence, so that no length has to be propagated upwards.
    CFlowState state;
    for (CTextToken* pToken : vecTokens) {
        RenderToken(*pToken, state);
    }
    m_sequence.InsertBefore(nullptr, vecTokens);
}

std::vector<CTextToken*> CRenderedText::Tokenize(CNode& top, bool bPreformatted) {
    std::vector<CTextToken*> vecTokens;
    CTextFlow::Walk(
        top, true, bPreformatted, [&](CNode& node, ETokenKind eKind, bool bKeepsWhiteSpace) {
            CTextToken* pToken =
                m_sequence.Allocate(node, eKind, CTextFlow::ItemFor(node, eKind, bKeepsWhiteSpace));
            if (eKind != ETokenKind::End) {
                node.m_pFirstToken = pToken;
            }
            if (eKind != ETokenKind::Start) {
                node.m_pLastToken = pToken;
            }
            vecTokens.push_back(pToken);
        });
    return vecTokens;
}

void CRenderedText::RenderToken(CTextToken& token, CFlowState& state) {
    ++m_statistics.nTokensRendered;
    std::u16string_view text;
    if (RendersText(token.m_eItem)) {
        text = static_cast<CText*>(token.m_pNode)->GetData();
        m_statistics.nCharactersRendered += text.size();
    }
    if (token.m_pRendering) {
        size_t nOldLength = token.GetLength();
        CTextFlow::Render(token.m_eItem, text, &token, state, *token.m_pRendering);
        if (token.GetLength() != nOldLength) {
            m_sequence.LengthChanged(&token);
        }
    } else {
        CTokenRendering nothing;
        CTextFlow::Render(token.m_eItem, text, &token, state, nothing);
    }
    token.m_stateAfter = state;
}

void CRenderedText::Reflow(CTextToken* pFirst, const CTextToken* pLastChanged) {
    CFlowState state;
    if (const CTextToken* pPrevious = m_sequence.Previous(pFirst)) {
        state = pPrevious->m_stateAfter;
    }
    bool bCheck = pLastChanged == nullptr;
    for (CTextToken* p = pFirst; p != nullptr; p = m_sequence.Next(p)) {
        const CFlowState before = p->m_stateAfter;
        RenderToken(*p, state);
        if (bCheck && state == before) {
            break;
        }
        if (p == pLastChanged) {
            bCheck = true;
        }
    }
}

void CRenderedText::OnInserted(CNode& node) {
    CNode* pParent = node.GetParent();
    if (pParent == nullptr || pParent->m_pFirstToken == nullptr ||
        (pParent->IsElement() && static_cast<CElement*>(pParent)->HidesContent())) {
        return;
    }
    std::vector<CTextToken*> vecTokens = Tokenize(node, CTextFlow::KeepsWhiteSpaceInside(*pParent));
    CNode* pNext = node.GetNextSibling();
    m_sequence.InsertBefore(pNext != nullptr ? pNext->m_pFirstToken : pParent->m_pLastToken,
                            vecTokens);
    Reflow(vecTokens.front(), vecTokens.back());
}

void CRenderedText::OnRemoving(CNode& node) {
    if (node.m_pFirstToken != nullptr) {
        RemoveTokens(node);
    }
}

void CRenderedText::RemoveTokens(CNode& node) {
    CTextToken* pNext = m_sequence.Next(node.m_pLastToken);
    std::vector<CTextToken*> vecErased = m_sequence.Erase(node.m_pFirstToken, node.m_pLastToken);
    for (CTextToken* pToken : vecErased) {
        pToken->m_pNode->m_pFirstToken = nullptr;
        pToken->m_pNode->m_pLastToken = nullptr;
    }
    // The erased tokens are freed only after the re-rendering, which may still compare states
    // that name them.
    if (pNext != nullptr) {
        Reflow(pNext, nullptr);
    }
    for (CTextToken* pToken : vecErased) {
        m_sequence.Free(pToken);
    }
}

void CRenderedText::OnDataChanged(CCharacterData& node) {
    CTextToken* pToken = node.m_pFirstToken;
    if (pToken != nullptr && RendersText(pToken->m_eItem)) {
        Reflow(pToken, nullptr);
    }
}

void CRenderedText::OnSplit(CText& node, CText& newNode) {
    CTextToken* pToken = node.m_pFirstToken;
    if (pToken == nullptr) {
        return;
    }
    CTextToken* pNewToken = m_sequence.Allocate(newNode, ETokenKind::Single, pToken->m_eItem);
    newNode.m_pFirstToken = pNewToken;
    newNode.m_pLastToken = pNewToken;
    m_sequence.InsertBefore(m_sequence.Next(pToken), {pNewToken});
    Reflow(pToken, pNewToken);
}

void CRenderedText::OnHiddenChanged(CElement& element) {
    if (element.m_pFirstToken != nullptr) {
        RemoveTokens(element);
        OnInserted(element);
    }
}

bool CRenderedText::Covers(const CElement& element) const {
    return element.m_pFirstToken != nullptr && !element.HidesContent();
}

std::u16string CRenderedText::GetText(size_t nBegin, size_t nEnd) const {
    std::u16string strText;
    CTextCursor cursor(*this, nBegin, nEnd);
    std::u16string_view chunk;
    size_t nChunkOffset = 0;
    while (cursor.Next(chunk, nChunkOffset)) {
        strText += chunk;
    }
    return strText;
}

char16_t CRenderedText::CharAt(size_t nOffset) const {
    const CTextToken* pToken = m_sequence.TokenAt(nOffset);
    if (pToken == nullptr) {
        return 0;
    }
    return pToken->m_pRendering->strText[nOffset - m_sequence.OffsetOf(pToken)];
}

std::optional<size_t> CRenderedText::OffsetOf(const CBoundaryPoint& point) const {
    CNode* pContainer = point.GetContainer();
    if (pContainer == nullptr) {
        return std::nullopt;
    }
    if (pContainer->IsCharacterData()) {
        if (const CTextToken* pToken = pContainer->m_pFirstToken) {
            size_t nBase = m_sequence.OffsetOf(pToken);
            if (!RendersText(pToken->m_eItem)) {
                return nBase;
            }
            const CTokenRendering& rendering = *pToken->m_pRendering;
            size_t nSource = std::min(point.GetCharacterOffset(), pContainer->GetLength());
            return nBase + rendering.nPrefixLength +
                   CTextFlow::RenderedOffsetOf(rendering, nSource);
        }
    } else if (pContainer->m_pFirstToken != nullptr &&
               !(pContainer->IsElement() && static_cast<CElement*>(pContainer)->HidesContent())) {
        const CNode* pChild = point.GetChildAfter();
        return m_sequence.OffsetOf(pChild != nullptr ? pChild->m_pFirstToken
                                                     : pContainer->m_pLastToken);
    }
    // Inside content that is not rendered: where that content is.
    for (CNode* p = pContainer; p != nullptr; p = p->GetParent()) {
        if (p->m_pLastToken != nullptr) {
            return m_sequence.OffsetOf(p->m_pLastToken);
        }
    }
    return std::nullopt;
}

CBoundaryPoint CRenderedText::PointOfOrigin(const CFlowOrigin& origin) const {
    const auto* pToken = static_cast<const CTextToken*>(origin.pSource);
    CNode& node = *pToken->m_pNode;
    switch (pToken->m_eKind) {
        case ETokenKind::Start:
            return CBoundaryPoint::Before(node);
        case ETokenKind::End:
            return CBoundaryPoint::AtEnd(node);
        case ETokenKind::Single:
            break;
    }
    return CBoundaryPoint::InCharacterData(static_cast<CCharacterData&>(node), origin.nOffset);
}

CBoundaryPoint CRenderedText::StartPointAt(size_t nOffset) const {
    if (nOffset >= GetLength()) {
        return CBoundaryPoint::AtEnd(m_root);
    }
    const CTextToken* pToken = m_sequence.TokenAt(nOffset);
    const CTokenRendering& rendering = *pToken->m_pRendering;
    size_t nLocal = nOffset - m_sequence.OffsetOf(pToken);
    if (nLocal < rendering.nPrefixLength) {
        return PointOfOrigin(rendering.prefixOrigin);
    }
    if (pToken->m_eItem == EFlowItem::LineBreak) {
        return CBoundaryPoint::Before(*pToken->m_pNode);
    }
    return CBoundaryPoint::InCharacterData(
        static_cast<CCharacterData&>(*pToken->m_pNode),
        CTextFlow::SourceBefore(rendering, nLocal - rendering.nPrefixLength));
}

CBoundaryPoint CRenderedText::EndPointAt(size_t nOffset) const {
    if (nOffset == 0) {
        return CBoundaryPoint::AtStart(m_root);
    }
    nOffset = std::min(nOffset, GetLength());
    const CTextToken* pToken = m_sequence.TokenAt(nOffset - 1);
    const CTokenRendering& rendering = *pToken->m_pRendering;
    size_t nBase = m_sequence.OffsetOf(pToken);
    size_t nLocal = nOffset - 1 - nBase;
    if (nLocal < rendering.nPrefixLength) {
        // After a prefix comes the token's own text, which is where the prefix ends.
        return StartPointAt(nBase + rendering.nPrefixLength);
    }
    if (pToken->m_eItem == EFlowItem::LineBreak) {
        return CBoundaryPoint::After(*pToken->m_pNode);
    }
    return CBoundaryPoint::InCharacterData(
        static_cast<CCharacterData&>(*pToken->m_pNode),
        CTextFlow::SourceAfter(rendering, nLocal - rendering.nPrefixLength));
}

size_t CRenderedText::MoveByCharacters(size_t nOffset, long nCount, long& nMoved) const {
    const size_t nLength = GetLength();
    nOffset = std::min(nOffset, nLength);
    nMoved = 0;
    while (nMoved < nCount && nOffset < nLength) {
        bool bPair =
            CharAt(nOffset) == u'\r' && nOffset + 1 < nLength && CharAt(nOffset + 1) == u'\n';
        nOffset += bPair ? 2 : 1;
        ++nMoved;
    }
    while (nMoved > nCount && nOffset > 0) {
        bool bPair = nOffset >= 2 && CharAt(nOffset - 1) == u'\n' && CharAt(nOffset - 2) == u'\r';
        nOffset -= bPair ? 2 : 1;
        --nMoved;
    }
    return nOffset;
}

bool CRenderedText::ArisesInside(const CFlowOrigin& origin, const CElement& element) const {
    const CNode* pNode = static_cast<const CTextToken*>(origin.pSource)->m_pNode;
    return pNode != &element && element.IsInclusiveAncestorOf(*pNode);
}

std::u16string CRenderedText::GetInnerText(const CElement& element) const {
    std::u16string strText;
    const CTextToken* pLast = element.m_pLastToken;
    for (const CTextToken* p = m_sequence.Next(element.m_pFirstToken); p != nullptr && p != pLast;
         p = m_sequence.Next(p)) {
        if (!p->m_pRendering) {
            continue;
        }
        const CTokenRendering& rendering = *p->m_pRendering;
        bool bForeignPrefix =
            rendering.nPrefixLength > 0 && !ArisesInside(rendering.prefixOrigin, element);
        strText.append(rendering.strText, bForeignPrefix ? rendering.nPrefixLength : 0);
    }
    size_t nAfter = m_sequence.OffsetOf(pLast) + pLast->GetLength();
    if (nAfter < GetLength()) {
        const CTokenRendering& rendering = *m_sequence.TokenAt(nAfter)->m_pRendering;
        if (rendering.nPrefixLength > 0 && ArisesInside(rendering.prefixOrigin, element)) {
            strText.append(rendering.strText, 0, rendering.nPrefixLength);
        }
    }
    return strText;
}

CTextCursor::CTextCursor(const CRenderedText& text, size_t nBegin, size_t nEnd)
    : m_sequence(text.m_sequence), m_nOffset(nBegin), m_nEnd(std::min(nEnd, text.GetLength())) {
    if (m_nOffset < m_nEnd) {
        m_pToken = m_sequence.TokenAt(m_nOffset);
        m_nTokenStart = m_sequence.OffsetOf(m_pToken);
    }
}

bool CTextCursor::Next(std::u16string_view& chunk, size_t& nChunkOffset) {
    while (m_pToken != nullptr && m_nOffset < m_nEnd) {
        const size_t nLength = m_pToken->GetLength();
        const CTextToken* pToken = m_pToken;
        const size_t nStart = m_nTokenStart;
        m_pToken = m_sequence.Next(m_pToken);
        m_nTokenStart += nLength;
        if (nLength == 0) {
            continue;
        }
        size_t nFrom = m_nOffset - nStart;
        size_t nCount = std::min(nLength - nFrom, m_nEnd - m_nOffset);
        chunk = std::u16string_view(pToken->m_pRendering->strText).substr(nFrom, nCount);
        nChunkOffset = m_nOffset;
        m_nOffset += nCount;
        return true;
    }
    return false;
}
