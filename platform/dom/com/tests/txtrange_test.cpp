// Text ranges through COM: the highlighting loop, and reading a plain-text page.
#include <string>

#include <gtest/gtest.h>

#include "platform/dom/com/tests/domcomtest.h"
#include "platform/dom/htmlparser.h"

namespace {

CComPtr<IHTMLTxtRange> BodyRange(IHTMLDocument2* pDocument) {
    CComQIPtr<IHTMLBodyElement> pBody(BodyOf(pDocument).p);
    EXPECT_TRUE(pBody);
    CComPtr<IHTMLTxtRange> pRange;
    EXPECT_EQ(S_OK, pBody->createTextRange(&pRange));
    return pRange;
}

// Every run of text outside tags wrapped in open ... close; tags before the first run dropped.
std::u16string WrapTextRuns(std::u16string_view html, std::u16string_view open,
                            std::u16string_view close) {
    std::u16string strResult;
    bool bSeenText = false;
    size_t nPosition = 0;
    while (nPosition < html.size()) {
        if (html[nPosition] == u'<') {
            size_t nEnd = html.find(u'>', nPosition);
            nEnd = nEnd == std::u16string_view::npos ? html.size() : nEnd + 1;
            if (bSeenText) {
                strResult += html.substr(nPosition, nEnd - nPosition);
            }
            nPosition = nEnd;
            continue;
        }
        size_t nEnd = std::min(html.find(u'<', nPosition), html.size());
        strResult += open;
        strResult += html.substr(nPosition, nEnd - nPosition);
        strResult += close;
        bSeenText = true;
        nPosition = nEnd;
    }
    return strResult;
}

// Marks every occurrence of the term as the highlighter does; gives the number of occurrences.
int MarkTerm(IHTMLDocument2* pDocument, const char16_t* pszTerm) {
    CComPtr<IHTMLTxtRange> pRange = BodyRange(pDocument);
    const std::u16string strOpen =
        std::u16string(u"<span id=\"orv-lirset-Place\" oid=\"") + pszTerm + u"\">";
    int nFound = 0;
    VARIANT_BOOL bFound = VARIANT_FALSE;
    while (pRange->findText(CComBSTR(pszTerm), 0, 0, &bFound) == S_OK && bFound == VARIANT_TRUE) {
        ++nFound;
        CComBSTR html;
        EXPECT_EQ(S_OK, pRange->get_htmlText(&html));
        std::u16string strMarked = WrapTextRuns(html.View(), strOpen, u"</span>");
        EXPECT_EQ(S_OK, pRange->pasteHTML(
                            CComBSTR(static_cast<int>(strMarked.size()), strMarked.c_str())));
        LONG nMoved = 0;
        EXPECT_EQ(S_OK, pRange->moveStart(CComBSTR(u"Character"), 1, &nMoved));
        EXPECT_EQ(S_OK, pRange->moveEnd(CComBSTR(u"Textedit"), 1, &nMoved));
    }
    return nFound;
}

TEST(TxtRangeTest, HighlightLoopMarksEveryOccurrence) {
    CComPtr<IHTMLDocument2> pDocument =
        LoadPage(u"<p>The Grand Canyon, the <b>grand</b> canyon and GRAND CANYONS.</p>");
    EXPECT_EQ(3, MarkTerm(pDocument, u"Grand Canyon"));
    EXPECT_EQ(
        u"<p>The <span id=\"orv-lirset-Place\" oid=\"Grand Canyon\">Grand Canyon</span>, "
        u"the <b></b><span id=\"orv-lirset-Place\" oid=\"Grand Canyon\">grand</span>"
        u"<span id=\"orv-lirset-Place\" oid=\"Grand Canyon\"> canyon</span> and "
        u"<span id=\"orv-lirset-Place\" oid=\"Grand Canyon\">GRAND CANYON</span>S.</p>",
        BodyHtml(pDocument));
    EXPECT_EQ(u"The Grand Canyon, the grand canyon and GRAND CANYONS.",
              Text(&IHTMLTxtRange::get_text, BodyRange(pDocument).p));
}

TEST(TxtRangeTest, RangeOperations) {
    CComPtr<IHTMLDocument2> pDocument = LoadPage(u"<p>alpha <i>beta</i></p><p>gamma</p>");
    CComPtr<IHTMLTxtRange> pRange = BodyRange(pDocument);
    EXPECT_EQ(u"alpha beta\r\ngamma", Text(&IHTMLTxtRange::get_text, pRange.p));

    VARIANT_BOOL bFound = VARIANT_TRUE;
    EXPECT_EQ(S_OK, pRange->findText(CComBSTR(u"delta"), 0, 0, &bFound));
    EXPECT_EQ(VARIANT_FALSE, bFound);
    EXPECT_EQ(S_OK, pRange->findText(CComBSTR(u"A BE"), 0, 0, &bFound));
    EXPECT_EQ(VARIANT_TRUE, bFound);
    EXPECT_EQ(u"a <i>be</i>", Text(&IHTMLTxtRange::get_htmlText, pRange.p));

    CComPtr<IHTMLTxtRange> pCopy;
    ASSERT_EQ(S_OK, pRange->duplicate(&pCopy));
    EXPECT_EQ(S_OK, pCopy->collapse(VARIANT_TRUE));
    EXPECT_EQ(u"", Text(&IHTMLTxtRange::get_text, pCopy.p));
    EXPECT_EQ(u"a be", Text(&IHTMLTxtRange::get_text, pRange.p));

    LONG nMoved = 0;
    EXPECT_EQ(S_OK, pRange->moveEnd(CComBSTR(u"character"), 4, &nMoved));
    EXPECT_EQ(4, nMoved);
    EXPECT_EQ(u"a beta\r\ng", Text(&IHTMLTxtRange::get_text, pRange.p));
    nMoved = 5;
    EXPECT_EQ(E_INVALIDARG, pRange->moveStart(CComBSTR(u"sentence"), 1, &nMoved));
    EXPECT_EQ(0, nMoved);
}

// A plain-text page is a PRE in the body; its range reads the text with CR LF line ends.
TEST(TxtRangeTest, PlainTextDocument) {
    CComPtr<IHTMLDocument2> pDocument;
    ASSERT_EQ(S_OK, CreateHTMLDocumentObject(CHtmlParser::CreatePlainTextDocument(
                                                 "Place\tPlaces\r\n  Canyon\n", "text/plain"),
                                             &pDocument));
    EXPECT_EQ(u"Place\tPlaces\r\n  Canyon\r\n",
              Text(&IHTMLTxtRange::get_text, BodyRange(pDocument).p));
}

TEST(TxtRangeTest, OnlyTheDocumentsBodyMakesRanges) {
    CComPtr<IHTMLDocument2> pDocument = LoadPage(u"<p>x</p>");
    CComQIPtr<IHTMLBodyElement> pBody(BodyOf(pDocument).p);
    ASSERT_EQ(S_OK, BodyOf(pDocument)->put_outerText(CComBSTR(u"gone")));
    CComPtr<IHTMLTxtRange> pRange;
    EXPECT_EQ(E_FAIL, pBody->createTextRange(&pRange));
    EXPECT_FALSE(pRange);
}

}  // namespace
