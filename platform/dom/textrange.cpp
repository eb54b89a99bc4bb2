#include "platform/dom/textrange.h"

#include <algorithm>
#include <vector>

#include "platform/dom/asciicase.h"
#include "platform/dom/htmlparser.h"
#include "platform/dom/htmlserializer.h"
#include "platform/dom/textsearch.h"

namespace {

void RemoveIfEmptyText(CNode* pNode) {
    if (pNode != nullptr && pNode->IsText() && static_cast<CText*>(pNode)->GetData().empty()) {
        pNode->Remove();
    }
}

}  // namespace

CTextRange::CTextRange(CDocument& document, CElement& body) : m_pBody(&body), m_range(document) {
    m_range.Assign(CBoundaryPoint::AtStart(body), CBoundaryPoint::AtEnd(body));
}

std::unique_ptr<CTextRange> CTextRange::Duplicate() const {
    auto pCopy = std::make_unique<CTextRange>(m_range.GetDocument(), *m_pBody);
    pCopy->m_range.Assign(m_range.GetStart(), m_range.GetEnd());
    return pCopy;
}

CRenderedText* CTextRange::Resolve(size_t& nStart, size_t& nEnd) const {
    CDocument& document = m_range.GetDocument();
    if (document.GetBody() != m_pBody.Get()) {
        return nullptr;
    }
    CRenderedText* pText = document.GetRenderedText();
    if (pText == nullptr) {
        return nullptr;
    }
    std::optional<size_t> start = pText->OffsetOf(m_range.GetStart());
    std::optional<size_t> end = pText->OffsetOf(m_range.GetEnd());
    if (!start || !end) {
        return nullptr;
    }
    nStart = *start;
    nEnd = std::max(*start, *end);
    return pText;
}

std::u16string CTextRange::GetText() const {
    size_t nStart = 0;
    size_t nEnd = 0;
    CRenderedText* pText = Resolve(nStart, nEnd);
    return pText != nullptr ? pText->GetText(nStart, nEnd) : std::u16string();
}

std::u16string CTextRange::GetHtmlText() const {
    return CHtmlSerializer::SerializeChildren(*m_range.CloneContents());
}

bool CTextRange::FindText(std::u16string_view text, long nCount, long nFlags) {
    size_t nStart = 0;
    size_t nEnd = 0;
    CRenderedText* pText = Resolve(nStart, nEnd);
    if (pText == nullptr || text.empty()) {
        return false;
    }
    size_t nBegin = nStart;
    if (nStart == nEnd) {
        if (nCount >= 0) {
            nEnd = pText->GetLength();
        } else {
            nBegin = 0;
        }
    }
    if (nCount > 0) {
        nEnd = std::min(nEnd, nBegin + static_cast<size_t>(nCount));
    } else if (nCount < 0) {
        size_t nSpan = static_cast<size_t>(-(nCount + 1)) + 1;
        if (nEnd - nBegin > nSpan) {
            nBegin = nEnd - nSpan;
        }
    }
    CTextSearch search(text, (nFlags & kFindMatchCase) != 0, (nFlags & kFindWholeWord) != 0);
    std::optional<size_t> found =
        nCount < 0 ? search.FindLast(*pText, nBegin, nEnd) : search.FindFirst(*pText, nBegin, nEnd);
    if (!found) {
        return false;
    }
    m_range.Assign(pText->StartPointAt(*found), pText->EndPointAt(*found + text.size()));
    return true;
}

bool CTextRange::PasteHtml(std::u16string_view html) {
    size_t nStart = 0;
    size_t nEnd = 0;
    if (Resolve(nStart, nEnd) == nullptr) {
        return false;
    }
    CNodeRef<CNode> pStartNode(m_range.GetStart().GetContainer());
    CNodeRef<CNode> pEndNode(m_range.GetEnd().GetContainer());
    m_range.DeleteContents();

    CNode* pContainer = m_range.GetStart().GetContainer();
    CElement* pContext = pContainer->IsElement() ? static_cast<CElement*>(pContainer)
                                                 : pContainer->GetParentElement();
    CNodeRef<CDocumentFragment> pFragment =
        CHtmlParser::ParseFragment(html, pContext != nullptr ? *pContext : *m_pBody);
    CNodeRef<CNode> pFirst(pFragment->GetFirstChild());
    CNodeRef<CNode> pLast(pFragment->GetLastChild());
    if (!m_range.InsertNode(pFragment)) {
        return false;
    }
    // Deleting and splitting leave empty text nodes at the ends; they render nothing and would
    // only pile up over repeated pastes.
    std::vector<CNodeRef<CNode>> vecCandidates{pStartNode, pEndNode};
    if (pFirst) {
        vecCandidates.emplace_back(pFirst->GetPreviousSibling());
        vecCandidates.emplace_back(pLast->GetNextSibling());
    } else {
        vecCandidates.emplace_back(m_range.GetEnd().GetChildAfter());
    }
    for (const CNodeRef<CNode>& pCandidate : vecCandidates) {
        RemoveIfEmptyText(pCandidate.Get());
    }
    CBoundaryPoint after =
        pLast && pLast->GetParent() != nullptr ? CBoundaryPoint::After(*pLast) : m_range.GetEnd();
    m_range.Assign(after, after);
    return true;
}

std::optional<CTextRange::EUnit> CTextRange::ParseUnit(std::u16string_view unit) {
    if (EqualsIgnoringAsciiCase<char16_t>(unit, u"character")) {
        return EUnit::Character;
    }
    if (EqualsIgnoringAsciiCase<char16_t>(unit, u"textedit")) {
        return EUnit::TextEdit;
    }
    return std::nullopt;
}

std::optional<long> CTextRange::MoveStart(std::u16string_view unit, long nCount) {
    return MoveBoundary(true, unit, nCount);
}

std::optional<long> CTextRange::MoveEnd(std::u16string_view unit, long nCount) {
    return MoveBoundary(false, unit, nCount);
}

std::optional<long> CTextRange::MoveBoundary(bool bStart, std::u16string_view unit, long nCount) {
    std::optional<EUnit> eUnit = ParseUnit(unit);
    size_t nStart = 0;
    size_t nEnd = 0;
    CRenderedText* pText = eUnit ? Resolve(nStart, nEnd) : nullptr;
    if (pText == nullptr) {
        return std::nullopt;
    }
    const size_t nFrom = bStart ? nStart : nEnd;
    const size_t nOther = bStart ? nEnd : nStart;
    if (*eUnit == EUnit::Character) {
        long nMoved = 0;
        size_t nOffset = pText->MoveByCharacters(nFrom, nCount, nMoved);
        if (nMoved != 0) {
            MoveEndPoint(bStart, bStart ? pText->StartPointAt(nOffset) : pText->EndPointAt(nOffset),
                         nOffset, nOther);
        }
        return nMoved;
    }
    if (nCount == 0) {
        return 0;
    }
    size_t nOffset = nCount > 0 ? pText->GetLength() : 0;
    MoveEndPoint(bStart,
                 nCount > 0 ? CBoundaryPoint::AtEnd(*m_pBody) : CBoundaryPoint::AtStart(*m_pBody),
                 nOffset, nOther);
    return nOffset == nFrom ? 0 : (nCount > 0 ? 1 : -1);
}

void CTextRange::MoveEndPoint(bool bStart, const CBoundaryPoint& point, size_t nOffset,
                              size_t nOther) {
    if (bStart) {
        bool bPasses = nOffset > nOther ||
                       (nOffset == nOther && CompareBoundaryPoints(point, m_range.GetEnd()) > 0);
        m_range.Assign(point, bPasses ? point : m_range.GetEnd());
    } else {
        bool bPasses = nOffset < nOther ||
                       (nOffset == nOther && CompareBoundaryPoints(m_range.GetStart(), point) > 0);
        m_range.Assign(bPasses ? point : m_range.GetStart(), point);
    }
}
