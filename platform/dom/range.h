// A live range over a document, with the DOM Range's boundary handling and its content
// algorithms (clone, delete, insert).
//
// The range registers with its document, which adjusts its boundary points on every change of
// the tree as the DOM prescribes, and keeps the document alive.
#pragma once

#include "platform/dom/boundarypoint.h"
#include "platform/dom/document.h"

class CRange {
public:
    // Collapsed at the start of the document.
    explicit CRange(CDocument& document);
    ~CRange();
    CRange(const CRange&) = delete;
    CRange& operator=(const CRange&) = delete;

    CDocument& GetDocument() const { return *m_pDocument; }
    const CBoundaryPoint& GetStart() const { return m_start; }
    const CBoundaryPoint& GetEnd() const { return m_end; }
    bool IsCollapsed() const { return m_start == m_end; }
    // The deepest node that contains both boundary points.
    CNode& GetCommonAncestor() const;

    // As the DOM's setStart/setEnd: false for a point outside the document; a start after the
    // end moves the end there too, and an end before the start moves the start.
    bool SetStart(const CBoundaryPoint& point);
    bool SetEnd(const CBoundaryPoint& point);
    void Collapse(bool bToStart);

    // A fragment with copies of what the range holds; elements the range cuts are copied without
    // the parts of their content outside the range.
    CNodeRef<CDocumentFragment> CloneContents() const;
    // Removes what the range holds and collapses it where the content was.
    void DeleteContents();
    // Inserts the node (the children of a fragment) at the start, splitting a text node there.
    // False when the start lies in a comment or the insertion is not allowed.
    bool InsertNode(const CNodeRef<CNode>& pNode);

private:
    friend class CDocument;
    friend class CTextRange;

    bool Contains(const CBoundaryPoint& point) const;
    // Sets both points, which the caller knows to be in the document and in order.
    void Assign(const CBoundaryPoint& start, const CBoundaryPoint& end);

    // Live-range adjustments, called by the document.
    void AdjustForInsertion(CNode& node);
    void AdjustForRemoval(CNode& node);
    void AdjustForReplacedData(CCharacterData& node, size_t nOffset, size_t nCount, size_t nLength);
    void AdjustForSplit(CText& node, CText& newNode, size_t nOffset);

    CNodeRef<CDocument> m_pDocument;
    CBoundaryPoint m_start;
    CBoundaryPoint m_end;
};
