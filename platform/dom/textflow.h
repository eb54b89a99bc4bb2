// The rules that turn the nodes of a tree into rendered text.
//
// The tree is read in document order as a flow of items: a text node, the start or end of a block
// element (a line boundary), a BR (a line break), and everything else, which renders nothing.
// Each item renders some characters given the state the items before it left, and leaves a state
// for the items after it. So the text of an item depends only on that state and on the item
// itself, which is what lets the rendered-text model re-render a changed stretch alone.
//
// The rules:
// - Outside preformatted elements a run of white space (space, tab, CR, LF, FF) becomes one blank.
//   The blank is held back until visible text follows on the same line: blanks at the start and at
//   the end of a line are dropped. The blank belongs to the item where the run began (its origin),
//   but is written by the item that shows the following text, as a prefix of its own text.
// - Inside PRE, TEXTAREA, LISTING, PLAINTEXT and XMP every character is kept; a line feed, a CR or
//   a CR LF pair becomes CR LF.
// - The start and the end of a block element end the line: a CR LF is written before the next
//   visible text, at most one between two lines of text, and none before the first or after the
//   last. Like a held-back blank, it is written by the item that shows the following text.
// - BR writes CR LF wherever it stands (after the pending CR LF of a block boundary).
// - Elements that hide their content (SCRIPT, STYLE, HEAD, TEMPLATE, the hidden attribute, ...)
//   render nothing and do not break lines; comments render nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dom/element.h"

// What a node contributes to the flow at a point: its start, its end, or, for nodes other than
// elements, the node as a whole.
enum class ETokenKind : uint8_t { Start, End, Single };

enum class EFlowItem : uint8_t { Inert, Block, LineBreak, Text, PreformattedText };

enum class EFlowPending : uint8_t { None, Space, Break };

// The item (and the position in its source text) where a held-back blank or line break arose.
struct CFlowOrigin {
    const void* pSource = nullptr;
    uint32_t nOffset = 0;

    bool operator==(const CFlowOrigin& other) const = default;
};

struct CFlowState {
    bool bEmitted = false;   // visible text was written before
    bool bLineStart = true;  // nothing visible on the current line yet
    bool bAfterCr = false;   // a preformatted CR was the last character seen
    EFlowPending ePending = EFlowPending::None;
    CFlowOrigin origin;  // of the pending blank or line break

    bool operator==(const CFlowState& other) const = default;
};

// A stretch of a text node's own characters and the rendered characters it gives: as many (kept
// characters), one (a collapsed white-space run), none (dropped white space) or two (a
// preformatted line break written as CR LF). Rendered offsets count from the end of the prefix.
struct CTextPiece {
    uint32_t nSource;
    uint32_t nSourceLength;
    uint32_t nRendered;
    uint32_t nRenderedLength;
};

// What one item renders: a prefix (a held-back blank or line break that arose earlier, written
// here) and its own characters.
struct CTokenRendering {
    std::u16string strText;
    uint32_t nPrefixLength = 0;
    CFlowOrigin prefixOrigin;
    std::vector<CTextPiece> vecPieces;

    void Clear();
};

class CTextFlow {
public:
    // Renders one item given the state before it, and advances the state past it. pSource
    // identifies the item in the origins it records.
    static void Render(EFlowItem eItem, std::u16string_view text, const void* pSource,
                       CFlowState& state, CTokenRendering& rendering);

    // The item a node gives for one of its tokens; bPreformatted tells whether an ancestor keeps
    // white space.
    static EFlowItem ItemFor(const CNode& node, ETokenKind eKind, bool bPreformatted);
    // Whether white space is kept inside the node (it or an ancestor is preformatted).
    static bool KeepsWhiteSpaceInside(const CNode& node);

    // Mapping within a text item's own characters. The rendered offset of a source offset (a
    // position inside a collapsed run maps after its blank); the source offset before / after
    // the rendered character at nOwn.
    static size_t RenderedOffsetOf(const CTokenRendering& rendering, size_t nSource);
    static size_t SourceBefore(const CTokenRendering& rendering, size_t nOwn);
    static size_t SourceAfter(const CTokenRendering& rendering, size_t nOwn);

    // The rendered text of an element's content on its own, for an element outside the model.
    static std::u16string RenderDetached(const CElement& element);

    // Calls visit(node, kind, bPreformatted) for the tokens of the subtree in document order:
    // the subtree of top itself when bWithTop, otherwise only top's descendants. The content of
    // elements that hide it is skipped.
    template <class TVisit>
    static void Walk(CNode& top, bool bWithTop, bool bPreformatted, TVisit&& visit);
};

template <class TVisit>
void CTextFlow::Walk(CNode& top, bool bWithTop, bool bPreformatted, TVisit&& visit) {
    int nPreDepth = 0;
    auto keeps = [&] { return bPreformatted || nPreDepth > 0; };
    auto isPre = [](const CNode& node) {
        return node.IsElement() && static_cast<const CElement&>(node).GetTraits().IsPreformatted();
    };
    const CNode* pBoundary = bWithTop ? nullptr : &top;
    CNode* pNode = bWithTop ? &top : top.GetFirstChild();
    while (pNode != nullptr) {
        if (!pNode->IsElement()) {
            visit(*pNode, ETokenKind::Single, keeps());
        } else {
            visit(*pNode, ETokenKind::Start, keeps());
            auto& element = static_cast<CElement&>(*pNode);
            if (!element.HidesContent() && element.GetFirstChild() != nullptr) {
                nPreDepth += isPre(element) ? 1 : 0;
                pNode = element.GetFirstChild();
                continue;
            }
            visit(*pNode, ETokenKind::End, keeps());
        }
        while (true) {
            if (bWithTop && pNode == &top) {
                pNode = nullptr;
                break;
            }
            if (pNode->GetNextSibling() != nullptr) {
                pNode = pNode->GetNextSibling();
                break;
            }
            pNode = pNode->GetParent();
            if (pNode == nullptr || pNode == pBoundary) {
                pNode = nullptr;
                break;
            }
            nPreDepth -= isPre(*pNode) ? 1 : 0;
            visit(*pNode, ETokenKind::End, keeps());
        }
    }
}
