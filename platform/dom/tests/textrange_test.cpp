#include "platform/dom/textrange.h"

#include <gtest/gtest.h>

#include <string>

#include "domtesthelpers.h"

using namespace domtest;

namespace {

class TextRangeTest : public ::testing::Test {
protected:
    CTextRange& Load(std::string_view body) {
        m_pDocument = Parse("<body>" + std::string(body));
        m_pRange = m_pDocument->CreateTextRange();
        return *m_pRange;
    }
    CDocument& Document() { return *m_pDocument; }

    CNodeRef<CDocument> m_pDocument;
    std::unique_ptr<CTextRange> m_pRange;
};

// How the highlighter turns the HTML of a found range into spans: tags before the first text are
// dropped, every run of text is wrapped, later tags are kept in place.
std::u16string WrapTextRuns(std::u16string_view html, std::u16string_view open,
                            std::u16string_view close) {
    std::u16string out;
    bool bSeenText = false;
    size_t i = 0;
    while (i < html.size()) {
        if (html[i] == u'<') {
            size_t nEnd = html.find(u'>', i);
            nEnd = nEnd == std::u16string_view::npos ? html.size() : nEnd + 1;
            if (bSeenText) {
                out += html.substr(i, nEnd - i);
            }
            i = nEnd;
            continue;
        }
        size_t nEnd = html.find(u'<', i);
        nEnd = nEnd == std::u16string_view::npos ? html.size() : nEnd;
        out += open;
        out += html.substr(i, nEnd - i);
        out += close;
        bSeenText = true;
        i = nEnd;
    }
    return out;
}

constexpr std::u16string_view kOpen =
    u"<span id=\"orv-lirset-Place\" oid=\"Grand Canyon\" "
    u"style=\"color:#000000;background-color:#FFFF00\" onContextMenu=\"return false;\">";

// The highlighter's loop for one term; gives the number of spans pasted.
int MarkTerm(CDocument& document, std::u16string_view term) {
    std::unique_ptr<CTextRange> pRange = document.CreateTextRange();
    int nMarked = 0;
    while (pRange->FindText(term, 0, 0)) {
        pRange->PasteHtml(WrapTextRuns(pRange->GetHtmlText(), kOpen, u"</span>"));
        pRange->MoveStart(u"Character", 1);
        pRange->MoveEnd(u"Textedit", 1);
        ++nMarked;
    }
    return nMarked;
}

// The un-highlighter's walk: every SPAN with the id is replaced by its text.
void UnmarkAll(CDocument& document, std::u16string_view id) {
    std::unique_ptr<CElementEnumerator> pElements = document.GetAll().CreateEnumerator();
    while (CNodeRef<CElement> pElement = pElements->Next()) {
        if (pElement->GetId() == id && pElement->GetTagName() == u"SPAN") {
            pElement->SetOuterText(pElement->GetInnerText());
        }
    }
}

}  // namespace

TEST_F(TextRangeTest, SpansTheBody) {
    CTextRange& range = Load("<p>One</p><p>Two</p>");
    EXPECT_EQ(U(range.GetText()), "One\r\nTwo");
    EXPECT_EQ(Marked(range), "[<p>One</p><p>Two</p>]");
}

TEST_F(TextRangeTest, FindsAcrossElementBoundaries) {
    CTextRange& range = Load("<p>A Neu<b>ral</b> Network here</p>");
    ASSERT_TRUE(range.FindText(u"neural network", 0, 0));
    EXPECT_EQ(U(range.GetText()), "Neural Network");
    EXPECT_EQ(Marked(range), "<p>A [Neu<b>ral</b> Network] here</p>");
}

TEST_F(TextRangeTest, FindsInsideWordsIgnoringCaseAndAdvances) {
    CTextRange& range = Load("<p>The ARTIST started <i>art</i>. \xC3\x89lan \xC3\xA9LAN</p>");
    std::vector<std::string> vecFound;
    while (range.FindText(u"art", 0, 0)) {
        vecFound.push_back(Marked(range));
        range.Collapse(false);
    }
    EXPECT_EQ(vecFound, (std::vector<std::string>{
                            "<p>The [ART]IST started <i>art</i>. \xC3\x89lan \xC3\xA9LAN</p>",
                            "<p>The ARTIST st[art]ed <i>art</i>. \xC3\x89lan \xC3\xA9LAN</p>",
                            "<p>The ARTIST started <i>[art]</i>. \xC3\x89lan \xC3\xA9LAN</p>",
                        }));
    std::unique_ptr<CTextRange> pWhole = Document().CreateTextRange();
    ASSERT_TRUE(pWhole->FindText(W("\xC3\xA9lan \xC3\x89lan"), 0, 0));
    EXPECT_EQ(U(pWhole->GetText()), "\xC3\x89lan \xC3\xA9LAN");
}

TEST_F(TextRangeTest, FindHonoursCountAndFlags) {
    CTextRange& range = Load("<p>art Art artist art</p>");
    std::unique_ptr<CTextRange> pCopy = range.Duplicate();
    EXPECT_TRUE(pCopy->FindText(u"Art", 0, CTextRange::kFindMatchCase));
    EXPECT_EQ(Marked(*pCopy), "<p>art [Art] artist art</p>");

    pCopy = range.Duplicate();
    ASSERT_TRUE(pCopy->MoveStart(u"character", 5));
    EXPECT_TRUE(pCopy->FindText(u"art", 0, CTextRange::kFindWholeWord));
    EXPECT_EQ(Marked(*pCopy), "<p>art Art artist [art]</p>");

    pCopy = range.Duplicate();
    EXPECT_FALSE(pCopy->FindText(u"artist", 10, 0));
    EXPECT_TRUE(pCopy->FindText(u"artist", 14, 0));

    pCopy = range.Duplicate();
    EXPECT_TRUE(pCopy->FindText(u"art", -1000, 0));
    EXPECT_EQ(Marked(*pCopy), "<p>art Art artist [art]</p>");

    pCopy = range.Duplicate();
    EXPECT_FALSE(pCopy->FindText(u"", 0, 0));
    EXPECT_FALSE(pCopy->FindText(u"none", 0, 0));
    EXPECT_EQ(Marked(*pCopy), "[<p>art Art artist art</p>]");
}

TEST_F(TextRangeTest, HtmlTextIncludesTheTagsOfCutElements) {
    CTextRange& range = Load("<p>The <b>Grand</b> Canyon <i>rim trail</i></p>");
    struct {
        const char16_t* pszFind;
        const char* pszHtml;
    } const cases[] = {
        {u"Grand Canyon", "<b>Grand</b> Canyon"},
        {u"ran", "ran"},
        {u"Canyon rim", "Canyon <i>rim</i>"},
        {u"The Grand Canyon rim trail", "The <b>Grand</b> Canyon <i>rim trail</i>"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CTextRange> pFind = range.Duplicate();
        ASSERT_TRUE(pFind->FindText(c.pszFind, 0, 0));
        EXPECT_EQ(U(pFind->GetHtmlText()), c.pszHtml);
    }
    EXPECT_EQ(U(range.GetHtmlText()), "<p>The <b>Grand</b> Canyon <i>rim trail</i></p>");
}

TEST_F(TextRangeTest, HtmlTextEscapesAndKeepsAttributes) {
    CTextRange& range = Load("<p>a &amp; <a href=\"x?a=1&amp;b=&quot;2&quot;\">b &lt; c</a> d</p>");
    ASSERT_TRUE(range.FindText(u"& b < c d", 0, 0));
    EXPECT_EQ(U(range.GetHtmlText()), "&amp; <a href=\"x?a=1&amp;b=&quot;2&quot;\">b &lt; c</a> d");
}

TEST_F(TextRangeTest, PasteIntoOneTextNodeLeavesNoEmptyNodes) {
    CTextRange& range = Load("<p>big art show</p>");
    ASSERT_TRUE(range.FindText(u"art", 0, 0));
    ASSERT_TRUE(range.PasteHtml(u"<span id=\"a\" style=\"color:red\">art</span>"));
    EXPECT_EQ(Marked(range), "<p>big <span id=\"a\" style=\"color:red\">art</span>[] show</p>");
    EXPECT_EQ(Document().GetBody()->GetFirstChild()->GetChildCount(), 3u);
    EXPECT_EQ(U(Document().CreateTextRange()->GetText()), "big art show");

    CTextRange& start = Load("<p>art show</p>");
    ASSERT_TRUE(start.FindText(u"art", 0, 0));
    ASSERT_TRUE(start.PasteHtml(u"<span>art</span>"));
    EXPECT_EQ(Marked(start), "<p><span>art</span>[] show</p>");
    EXPECT_EQ(Document().GetBody()->GetFirstChild()->GetChildCount(), 2u);
}

TEST_F(TextRangeTest, PasteIntoARangeThatCutsInlineMarkup) {
    CTextRange& range = Load("<p>The <b>Grand</b> Canyon is <i>deep</i></p><p>next</p>");
    ASSERT_TRUE(range.FindText(u"grand canyon", 0, 0));
    std::u16string html = range.GetHtmlText();
    EXPECT_EQ(U(WrapTextRuns(html, u"<span id=\"c\">", u"</span>")),
              "<span id=\"c\">Grand</span></b><span id=\"c\"> Canyon</span>");
    ASSERT_TRUE(range.PasteHtml(WrapTextRuns(html, u"<span id=\"c\">", u"</span>")));
    EXPECT_EQ(Marked(range),
              "<p>The <b></b><span id=\"c\">Grand</span><span id=\"c\"> Canyon</span>[] is "
              "<i>deep</i></p><p>next</p>");
    EXPECT_EQ(U(Document().CreateTextRange()->GetText()), "The Grand Canyon is deep\r\nnext");
}

TEST_F(TextRangeTest, PasteKeepsElementsOutsideTheRange) {
    CTextRange& range = Load("<p>x <em>keep</em> <b>bold <u>term</u> tail</b> y</p>");
    ASSERT_TRUE(range.FindText(u"term", 0, 0));
    ASSERT_TRUE(range.PasteHtml(u"<span id=\"t\">term</span>"));
    EXPECT_EQ(Marked(range),
              "<p>x <em>keep</em> <b>bold <u><span id=\"t\">term</span>[]</u> tail</b> y</p>");
}

TEST_F(TextRangeTest, MovesTheEndsLikeTheHighlighter) {
    CTextRange& range = Load("<p>art and <b>more art</b></p><p>last</p>");
    ASSERT_TRUE(range.FindText(u"art", 0, 0));
    ASSERT_TRUE(range.PasteHtml(u"<span>art</span>"));
    EXPECT_EQ(range.MoveStart(u"Character", 1), 1);
    EXPECT_EQ(Marked(range), "<p><span>art</span> []and <b>more art</b></p><p>last</p>");
    EXPECT_EQ(range.MoveEnd(u"Textedit", 1), 1);
    EXPECT_EQ(Marked(range), "<p><span>art</span> [and <b>more art</b></p><p>last</p>]");
    EXPECT_EQ(U(range.GetText()), "and more art\r\nlast");

    ASSERT_TRUE(range.FindText(u"art", 0, 0));
    ASSERT_TRUE(range.PasteHtml(u"<span>art</span>"));
    EXPECT_EQ(range.MoveStart(u"character", 1), 1);
    EXPECT_EQ(U(range.GetText()), "");
    EXPECT_EQ(Marked(range),
              "<p><span>art</span> and <b>more <span>art</span></b></p><p>[]last</p>");
    EXPECT_EQ(range.MoveEnd(u"TEXTEDIT", 1), 1);
    EXPECT_EQ(U(range.GetText()), "last");
    EXPECT_FALSE(range.FindText(u"art", 0, 0));

    EXPECT_EQ(range.MoveStart(u"word", 1), std::nullopt);
    EXPECT_EQ(range.MoveStart(u"character", -3), -3);
    EXPECT_EQ(U(range.GetText()), "rt\r\nlast");
    EXPECT_EQ(range.MoveEnd(u"character", -6), -6);
    EXPECT_EQ(Marked(range),
              "<p><span>art</span> and <b>more <span>a[r]t</span></b></p><p>last</p>");
    EXPECT_EQ(range.MoveEnd(u"character", -2), -2);
    EXPECT_EQ(Marked(range),
              "<p><span>art</span> and <b>more <span>[]art</span></b></p><p>last</p>");
}

TEST_F(TextRangeTest, CollapseAndDuplicateAreIndependent) {
    CTextRange& range = Load("<p>one two</p>");
    std::unique_ptr<CTextRange> pCopy = range.Duplicate();
    range.Collapse(true);
    EXPECT_EQ(Marked(range), "[]<p>one two</p>");
    EXPECT_EQ(U(pCopy->GetText()), "one two");
    pCopy->Collapse(false);
    EXPECT_EQ(Marked(*pCopy), "<p>one two</p>[]");
}

TEST_F(TextRangeTest, ReadsAPlainTextDocument) {
    m_pDocument = CHtmlParser::CreatePlainTextDocument("line one\r\nline  two\n\ncaf\xE9", "");
    std::unique_ptr<CTextRange> pRange = m_pDocument->CreateTextRange();
    EXPECT_EQ(U(pRange->GetText()), "line one\r\nline  two\r\n\r\ncaf\xC3\xA9");
}

TEST_F(TextRangeTest, StaysOnItsTextWhenThePageChangesElsewhere) {
    CTextRange& range = Load("<p>first</p><p>second</p>");
    ASSERT_TRUE(range.FindText(u"second", 0, 0));
    CElement& body = *Document().GetBody();
    CNodeRef<CElement> pParagraph = CElement::Create(u"p");
    pParagraph->AppendChild(CText::Create(u"inserted"));
    body.InsertBefore(pParagraph, body.GetFirstChild());
    body.GetFirstChild()->GetNextSibling()->Remove();
    EXPECT_EQ(U(range.GetText()), "second");
    EXPECT_EQ(Marked(range), "<p>inserted</p><p>[second]</p>");
}

TEST_F(TextRangeTest, FailsOnceItsBodyIsGone) {
    CTextRange& range = Load("<p>text</p>");
    Document().GetBody()->Remove();
    EXPECT_EQ(U(range.GetText()), "");
    EXPECT_FALSE(range.FindText(u"text", 0, 0));
    EXPECT_FALSE(range.PasteHtml(u"x"));
    EXPECT_EQ(range.MoveStart(u"character", 1), std::nullopt);
    EXPECT_EQ(Document().CreateTextRange(), nullptr);
}

TEST_F(TextRangeTest, AFramesetHasNoTextRange) {
    m_pDocument = Parse("<frameset><frame src=a.html></frameset>");
    ASSERT_NE(m_pDocument->GetBody(), nullptr);
    EXPECT_FALSE(m_pDocument->GetBody()->IsBody());
    EXPECT_EQ(m_pDocument->CreateTextRange(), nullptr);
}

TEST_F(TextRangeTest, HighlightingAndUnhighlightingRoundTrip) {
    const std::string body =
        "<h1>Grand Canyon</h1><p>The <b>Grand</b> Canyon, the grand canyon and "
        "GRAND CANYONS.</p><p>Grand<br>Canyon stays apart.</p>";
    Load(body);
    const std::string before = BodyHtml(Document());
    const std::u16string text = Document().CreateTextRange()->GetText();
    EXPECT_EQ(MarkTerm(Document(), u"Grand Canyon"), 4);
    EXPECT_EQ(Document().CreateTextRange()->GetText(), text);
    EXPECT_EQ(BodyHtml(Document())
                  .find("<span id=\"orv-lirset-Place\" oid=\"Grand Canyon\" "
                        "style=\"color:#000000;background-color:#FFFF00\" "
                        "oncontextmenu=\"return false;\">Grand Canyon</span>"),
              4u);

    UnmarkAll(Document(), u"orv-lirset-Place");
    EXPECT_EQ(Document().CreateTextRange()->GetText(), text);
    EXPECT_EQ(BodyHtml(Document()).find("span"), std::string::npos);
    EXPECT_EQ(BodyHtml(Document()),
              "<h1>Grand Canyon</h1><p>The <b></b>Grand Canyon, the grand canyon and "
              "GRAND CANYONS.</p><p>Grand<br>Canyon stays apart.</p>");
    EXPECT_NE(before, BodyHtml(Document()));
}

TEST_F(TextRangeTest, UnhighlightingWalksElementsWhileReplacingThem) {
    Load(
        "<p><span id=A>one <span id=B>two</span></span> <span id=B>three</span>"
        " <div id=A>four</div> <SPAN id=a>five</SPAN></p>");
    UnmarkAll(Document(), u"A");
    EXPECT_EQ(BodyHtml(Document()),
              "<p>one two <span id=\"B\">three</span> </p><div id=\"A\">four</div> "
              "<span id=\"a\">five</span><p></p>");
    UnmarkAll(Document(), u"B");
    EXPECT_EQ(BodyHtml(Document()),
              "<p>one two three </p><div id=\"A\">four</div> <span id=\"a\">five</span><p></p>");
    EXPECT_EQ(Document().GetBody()->GetFirstChild()->GetChildCount(), 1u);
}

// The highlighter's loop over a page with many occurrences re-renders in proportion to the
// changes: the body is built once and every paste re-renders a few tokens.
TEST_F(TextRangeTest, ManyOccurrencesCostInProportionToTheChanges) {
    std::string body;
    const int nParagraphs = 1500;
    for (int i = 0; i < nParagraphs; ++i) {
        body += "<p>Lorem <b>ipsum</b> art dolor <i>sit</i> artist amet " + std::to_string(i) +
                "</p>\n";
    }
    Load(body);
    const std::u16string text = Document().CreateTextRange()->GetText();
    const CTextModelStatistics& statistics = Document().GetTextStatistics();
    const size_t nTokensBuilt = statistics.nTokensRendered;

    EXPECT_EQ(MarkTerm(Document(), u"art"), 2 * nParagraphs);

    EXPECT_EQ(statistics.nBuilds, 1u);
    EXPECT_EQ(Document().CreateTextRange()->GetText(), text);
    // Quadratic behaviour would re-render the page (about 13 tokens a paragraph) per occurrence.
    EXPECT_LT(statistics.nTokensRendered - nTokensBuilt, 20u * 2 * nParagraphs);
    EXPECT_LT(statistics.nCharactersRendered, 8 * text.size());
}

// Long text is kept in nodes of bounded length, so a text twice as long costs the same per
// occurrence; re-rendering the rest of the text at every occurrence would double it.
TEST_F(TextRangeTest, OccurrencesInALongPlainTextCostTheSameEachWhateverItsLength) {
    auto costPerOccurrence = [&](int nLines) {
        std::string file;
        for (int i = 0; i < nLines; ++i) {
            file += "an ontology term, another ontology\n";
        }
        m_pDocument = CHtmlParser::CreatePlainTextDocument(file, "");
        const std::u16string text = Document().CreateTextRange()->GetText();
        EXPECT_EQ(MarkTerm(Document(), u"ontology"), 2 * nLines);
        EXPECT_EQ(Document().CreateTextRange()->GetText(), text);
        return static_cast<double>(Document().GetTextStatistics().nCharactersRendered) /
               (2 * nLines);
    };
    double small = costPerOccurrence(1500);
    double large = costPerOccurrence(3000);
    EXPECT_LT(large, 1.3 * small);
}
