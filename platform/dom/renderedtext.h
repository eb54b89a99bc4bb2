// The rendered-text model of a document's body: the text a text range reads and searches, kept
// up to date with the tree.
//
// Every node of the body has tokens in document order (an element a start and an end token, other
// nodes one; the content of elements that hide it has none). Each token renders some characters by
// the rules of textflow.h and remembers the flow state it leaves. A change of the tree replaces or
// re-renders the tokens of the changed nodes only, then re-renders the tokens after them until a
// token leaves the same state as before; from there on nothing can differ. The tokens sit in a
// balanced tree (tokensequence.h) that maps text offsets to tokens and back in logarithmic time.
//
// Offsets and boundary points: the character at a text offset comes from a token, and from a
// position in a text node (for a white-space run, the run's first character; for a written prefix,
// its origin). A start point is the point before its first character, an end point the point after
// its last; a point maps back to the number of characters before it. A point inside a collapsed
// run maps after its blank; CR LF pairs are not split.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dom/boundarypoint.h"
#include "platform/dom/tokensequence.h"

class CElement;
class CText;
class CCharacterData;

// Counters for tests and benchmarks: how much rendering the model has done.
struct CTextModelStatistics {
    size_t nBuilds = 0;              // whole-body builds
    size_t nTokensRendered = 0;      // tokens rendered, builds included
    size_t nCharactersRendered = 0;  // source characters of text tokens rendered
};

class CRenderedText {
public:
    CRenderedText(CElement& root, CTextModelStatistics& statistics);
    ~CRenderedText();
    CRenderedText(const CRenderedText&) = delete;
    CRenderedText& operator=(const CRenderedText&) = delete;

    CElement& GetRoot() const { return m_root; }
    size_t GetLength() const { return m_sequence.GetLength(); }
    std::u16string GetText(size_t nBegin, size_t nEnd) const;
    char16_t CharAt(size_t nOffset) const;
    // Whether the element's rendered text comes from the model: it has tokens and shows its
    // content.
    bool Covers(const CElement& element) const;

    // The text offset of a point in the body (the number of characters before it); none for a
    // point outside the body.
    std::optional<size_t> OffsetOf(const CBoundaryPoint& point) const;
    // The point before the character at nOffset (the end of the body at the end of the text).
    CBoundaryPoint StartPointAt(size_t nOffset) const;
    // The point after the character before nOffset (the start of the body at offset 0).
    CBoundaryPoint EndPointAt(size_t nOffset) const;
    // Moves an offset by nCount characters (backwards when negative), a CR LF pair counting as
    // one, and stops at either end; nMoved tells how many were moved.
    size_t MoveByCharacters(size_t nOffset, long nCount, long& nMoved) const;

    // The element's text: the characters that arose inside it, including a blank or line break
    // that arose at its end and that the following text writes.
    std::u16string GetInnerText(const CElement& element) const;

    // Changes of the tree, from the document. OnInserted: the node was linked in; OnRemoving: it
    // is about to be unlinked; OnDataChanged: a text node's data changed; OnSplit: a text node was
    // split and the new node linked after it; OnHiddenChanged: the hidden attribute changed.
    void OnInserted(CNode& node);
    void OnRemoving(CNode& node);
    void OnDataChanged(CCharacterData& node);
    void OnSplit(CText& node, CText& newNode);
    void OnHiddenChanged(CElement& element);

private:
    friend class CTextCursor;

    void Build();
    std::vector<CTextToken*> Tokenize(CNode& top, bool bPreformatted);
    void RemoveTokens(CNode& node);
    // Re-renders from pFirst on: all tokens up to pLastChanged, then until the state after a
    // token is the same as before (pLastChanged null: checks from pFirst on).
    void Reflow(CTextToken* pFirst, const CTextToken* pLastChanged);
    void RenderToken(CTextToken& token, CFlowState& state);
    CBoundaryPoint PointOfOrigin(const CFlowOrigin& origin) const;
    bool ArisesInside(const CFlowOrigin& origin, const CElement& element) const;

    CElement& m_root;
    CTextModelStatistics& m_statistics;
    CTokenSequence m_sequence;
};

// Reads the text of [nBegin, nEnd) as consecutive chunks, without copying.
class CTextCursor {
public:
    CTextCursor(const CRenderedText& text, size_t nBegin, size_t nEnd);
    // The next chunk and its text offset; false at the end.
    bool Next(std::u16string_view& chunk, size_t& nChunkOffset);

private:
    const CTokenSequence& m_sequence;
    const CTextToken* m_pToken = nullptr;
    size_t m_nTokenStart = 0;
    size_t m_nOffset;
    size_t m_nEnd;
};
