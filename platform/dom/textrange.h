// A text range over a body, with the operations of the platform's text range: its plain text,
// its HTML, finding a text, pasting HTML over it, moving its ends by characters or to the ends of
// the body, collapsing and duplicating it.
//
// The range is a live DOM range (range.h); its text is the body's rendered text between the two
// points (renderedtext.h). Operations that need the body's text fail (false, no value, empty text)
// once the body the range was made for is no longer the document's body.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/dom/range.h"

class CTextRange {
public:
    // findText flags: whole words only, letter case significant. Other bits are ignored.
    static constexpr long kFindWholeWord = 2;
    static constexpr long kFindMatchCase = 4;

    // Spans the whole content of the body, the BODY element of the document.
    CTextRange(CDocument& document, CElement& body);
    CTextRange(const CTextRange&) = delete;
    CTextRange& operator=(const CTextRange&) = delete;

    CRange& GetRange() { return m_range; }
    const CRange& GetRange() const { return m_range; }
    CElement& GetBody() const { return *m_pBody; }

    // The rendered text between the two points.
    std::u16string GetText() const;
    // The HTML serialisation of a copy of the range's content: elements the range cuts appear
    // with their tags around the part inside the range.
    std::u16string GetHtmlText() const;

    // Looks for text and on success moves the range onto the occurrence. The search runs over the
    // range's text; a collapsed range searches on to the end of the body (backwards: from its
    // start). nCount 0 searches forwards without limit; a positive count forwards within that
    // many characters, a negative one backwards, within that many characters, for the last
    // occurrence. Flags: kFindWholeWord, kFindMatchCase; 0 ignores case and matches inside words.
    bool FindText(std::u16string_view text, long nCount, long nFlags);

    // Deletes the range's content, parses the HTML as a fragment in the context of the element at
    // the insertion point, inserts it there and collapses the range after it. Text nodes emptied
    // by the deletion or by splitting at an end are removed.
    bool PasteHtml(std::u16string_view html);

    // Move one end by nCount units, "character" (a CR LF pair is one) or "textedit" (the whole
    // body: to its end for a positive count, its start for a negative one); unit names ignore
    // case. An end that passes the other one takes it along. Gives the number of units moved;
    // none for an unknown unit or a range whose body is gone.
    std::optional<long> MoveStart(std::u16string_view unit, long nCount);
    std::optional<long> MoveEnd(std::u16string_view unit, long nCount);

    void Collapse(bool bToStart) { m_range.Collapse(bToStart); }
    std::unique_ptr<CTextRange> Duplicate() const;

private:
    enum class EUnit { Character, TextEdit };
    static std::optional<EUnit> ParseUnit(std::u16string_view unit);

    // The body's text model and the text offsets of the two points, when the range still belongs
    // to the document's body.
    CRenderedText* Resolve(size_t& nStart, size_t& nEnd) const;
    // MoveStart (bStart) or MoveEnd.
    std::optional<long> MoveBoundary(bool bStart, std::u16string_view unit, long nCount);
    // Moves one end to nOffset (a text offset), taking the other along when it is passed.
    void MoveEndPoint(bool bStart, const CBoundaryPoint& point, size_t nOffset, size_t nOther);

    CNodeRef<CElement> m_pBody;
    CRange m_range;
};
