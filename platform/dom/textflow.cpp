#include "platform/dom/textflow.h"

#include <algorithm>

namespace {

bool IsCollapsible(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

class CRenderer {
public:
    CRenderer(const void* pSource, CFlowState& state, CTokenRendering& rendering)
        : m_pSource(pSource), m_state(state), m_rendering(rendering) {}

    void RenderText(std::u16string_view text) {
        size_t nRunStart = std::u16string_view::npos;
        for (size_t k = 0; k < text.size(); ++k) {
            char16_t c = text[k];
            if (IsCollapsible(c)) {
                if (nRunStart == std::u16string_view::npos) {
                    nRunStart = k;
                }
                if (m_state.ePending == EFlowPending::None && !m_state.bLineStart) {
                    m_state.ePending = EFlowPending::Space;
                    m_state.origin = {m_pSource, static_cast<uint32_t>(k)};
                }
                continue;
            }
            if (nRunStart != std::u16string_view::npos) {
                // The run writes its blank here when it is the pending one.
                bool bOwnBlank =
                    m_state.ePending == EFlowPending::Space && m_state.origin.pSource == m_pSource;
                AddPiece(nRunStart, k - nRunStart, bOwnBlank ? u" " : u"");
                if (bOwnBlank) {
                    m_state.ePending = EFlowPending::None;
                }
                nRunStart = std::u16string_view::npos;
            }
            CommitPrefix();
            AddPiece(k, 1, std::u16string_view(&text[k], 1));
            m_state.bEmitted = true;
            m_state.bLineStart = false;
        }
        if (nRunStart != std::u16string_view::npos) {
            AddPiece(nRunStart, text.size() - nRunStart, u"");
        }
        if (!text.empty()) {
            m_state.bAfterCr = false;
        }
    }

    void RenderPreformatted(std::u16string_view text) {
        for (size_t k = 0; k < text.size(); ++k) {
            char16_t c = text[k];
            if (c == u'\n' && m_state.bAfterCr) {
                AddPiece(k, 1, u"");
                m_state.bAfterCr = false;
                continue;
            }
            CommitPrefix();
            if (c == u'\r' || c == u'\n') {
                AddPiece(k, 1, u"\r\n");
                m_state.bLineStart = true;
                m_state.bAfterCr = c == u'\r';
            } else {
                AddPiece(k, 1, std::u16string_view(&text[k], 1));
                m_state.bLineStart = false;
                m_state.bAfterCr = false;
            }
            m_state.bEmitted = true;
        }
    }

    void RenderLineBreak() {
        if (m_state.ePending == EFlowPending::Space) {
            m_state.ePending = EFlowPending::None;  // a blank at the end of a line is dropped
        }
        CommitPrefix();
        m_rendering.strText += u"\r\n";
        m_state.bEmitted = true;
        m_state.bLineStart = true;
        m_state.bAfterCr = false;
        m_state.ePending = EFlowPending::None;
    }

    void RenderBlockBoundary() {
        m_state.bAfterCr = false;
        if (m_state.ePending == EFlowPending::Break) {
            return;
        }
        if (m_state.bEmitted && !m_state.bLineStart) {
            m_state.ePending = EFlowPending::Break;
            m_state.origin = {m_pSource, 0};
        } else {
            m_state.ePending = EFlowPending::None;
        }
    }

private:
    // Writes a blank or a line break that arose in an earlier item; it comes before anything of
    // this item's own, since this item's first visible character is what commits it.
    void CommitPrefix() {
        if (m_state.ePending == EFlowPending::None) {
            return;
        }
        const std::u16string_view text = m_state.ePending == EFlowPending::Break ? u"\r\n" : u" ";
        m_rendering.strText = text;
        m_rendering.nPrefixLength = static_cast<uint32_t>(text.size());
        m_rendering.prefixOrigin = m_state.origin;
        m_state.ePending = EFlowPending::None;
    }

    void AddPiece(size_t nSource, size_t nSourceLength, std::u16string_view rendered) {
        auto nOwn = static_cast<uint32_t>(m_rendering.strText.size() - m_rendering.nPrefixLength);
        auto nRendered = static_cast<uint32_t>(rendered.size());
        m_rendering.strText += rendered;
        std::vector<CTextPiece>& vecPieces = m_rendering.vecPieces;
        if (!vecPieces.empty() && nSourceLength == nRendered) {
            CTextPiece& last = vecPieces.back();
            if (last.nSourceLength == last.nRenderedLength &&
                last.nSource + last.nSourceLength == nSource &&
                last.nRendered + last.nRenderedLength == nOwn) {
                last.nSourceLength += nRendered;
                last.nRenderedLength += nRendered;
                return;
            }
        }
        vecPieces.push_back({static_cast<uint32_t>(nSource), static_cast<uint32_t>(nSourceLength),
                             nOwn, nRendered});
    }

    const void* m_pSource;
    CFlowState& m_state;
    CTokenRendering& m_rendering;
};

// The piece holding the rendered character at nOwn.
const CTextPiece* PieceAtRendered(const CTokenRendering& rendering, size_t nOwn) {
    const std::vector<CTextPiece>& vecPieces = rendering.vecPieces;
    auto it = std::upper_bound(
        vecPieces.begin(), vecPieces.end(), nOwn,
        [](size_t nValue, const CTextPiece& piece) { return nValue < piece.nRendered; });
    while (it != vecPieces.begin()) {
        --it;
        if (it->nRenderedLength > 0 && nOwn < it->nRendered + it->nRenderedLength) {
            return &*it;
        }
    }
    return nullptr;
}

}  // namespace

void CTokenRendering::Clear() {
    strText.clear();
    nPrefixLength = 0;
    prefixOrigin = {};
    vecPieces.clear();
}

void CTextFlow::Render(EFlowItem eItem, std::u16string_view text, const void* pSource,
                       CFlowState& state, CTokenRendering& rendering) {
    rendering.Clear();
    CRenderer renderer(pSource, state, rendering);
    switch (eItem) {
        case EFlowItem::Inert:
            break;
        case EFlowItem::Block:
            renderer.RenderBlockBoundary();
            break;
        case EFlowItem::LineBreak:
            renderer.RenderLineBreak();
            break;
        case EFlowItem::Text:
            renderer.RenderText(text);
            break;
        case EFlowItem::PreformattedText:
            renderer.RenderPreformatted(text);
            break;
    }
}

EFlowItem CTextFlow::ItemFor(const CNode& node, ETokenKind eKind, bool bPreformatted) {
    if (node.IsText()) {
        return bPreformatted ? EFlowItem::PreformattedText : EFlowItem::Text;
    }
    if (!node.IsElement()) {
        return EFlowItem::Inert;
    }
    const auto& element = static_cast<const CElement&>(node);
    if (element.HidesContent()) {
        return EFlowItem::Inert;
    }
    CElementTraits traits = element.GetTraits();
    if (traits.IsLineBreak()) {
        return eKind == ETokenKind::Start ? EFlowItem::LineBreak : EFlowItem::Inert;
    }
    return traits.IsBlock() ? EFlowItem::Block : EFlowItem::Inert;
}

bool CTextFlow::KeepsWhiteSpaceInside(const CNode& node) {
    for (const CNode* p = &node; p != nullptr; p = p->GetParent()) {
        if (p->IsElement() && static_cast<const CElement*>(p)->GetTraits().IsPreformatted()) {
            return true;
        }
    }
    return false;
}

size_t CTextFlow::RenderedOffsetOf(const CTokenRendering& rendering, size_t nSource) {
    const std::vector<CTextPiece>& vecPieces = rendering.vecPieces;
    auto it = std::upper_bound(
        vecPieces.begin(), vecPieces.end(), nSource,
        [](size_t nValue, const CTextPiece& piece) { return nValue < piece.nSource; });
    if (it == vecPieces.begin()) {
        return 0;
    }
    const CTextPiece& piece = *(it - 1);
    if (nSource == piece.nSource) {
        return piece.nRendered;
    }
    if (nSource < piece.nSource + piece.nSourceLength &&
        piece.nSourceLength == piece.nRenderedLength) {
        return piece.nRendered + (nSource - piece.nSource);
    }
    return piece.nRendered + piece.nRenderedLength;
}

size_t CTextFlow::SourceBefore(const CTokenRendering& rendering, size_t nOwn) {
    const CTextPiece* pPiece = PieceAtRendered(rendering, nOwn);
    if (pPiece == nullptr) {
        return 0;
    }
    if (pPiece->nSourceLength == pPiece->nRenderedLength) {
        return pPiece->nSource + (nOwn - pPiece->nRendered);
    }
    return pPiece->nSource;
}

size_t CTextFlow::SourceAfter(const CTokenRendering& rendering, size_t nOwn) {
    const CTextPiece* pPiece = PieceAtRendered(rendering, nOwn);
    if (pPiece == nullptr) {
        return 0;
    }
    if (pPiece->nSourceLength == pPiece->nRenderedLength) {
        return pPiece->nSource + (nOwn - pPiece->nRendered) + 1;
    }
    return pPiece->nSource + 1;
}

std::u16string CTextFlow::RenderDetached(const CElement& element) {
    std::u16string strText;
    CFlowState state;
    CTokenRendering rendering;
    auto& root = const_cast<CElement&>(element);
    Walk(root, false, KeepsWhiteSpaceInside(element),
         [&](CNode& node, ETokenKind eKind, bool bPreformatted) {
             std::u16string_view text;
             if (node.IsText()) {
                 text = static_cast<CText&>(node).GetData();
             }
             Render(ItemFor(node, eKind, bPreformatted), text, &node, state, rendering);
             strText += rendering.strText;
         });
    return strText;
}
