#include "platform/dom/htmlparser.h"

#include <gtest/gtest.h>

#include "domtesthelpers.h"

using namespace domtest;

namespace {

struct CRoundTrip {
    const char* pszInput;
    const char* pszOutput;
};

std::string Serialize(CDocument& document) {
    return U(CHtmlSerializer::SerializeChildren(document));
}

std::string BodyOf(std::string_view bytes, std::string_view contentType) {
    CNodeRef<CDocument> pDocument = CHtmlParser::ParseDocument(bytes, contentType);
    return U(pDocument->GetBody()->GetTextContent());
}

}  // namespace

TEST(HtmlParser, ParsesAndSerialisesAwkwardMarkup) {
    const CRoundTrip cases[] = {
        {"<p>one<p>two", "<html><head></head><body><p>one</p><p>two</p></body></html>"},
        {"<!DOCTYPE html><title>T</title><p>x",
         "<!DOCTYPE html><html><head><title>T</title></head><body><p>x</p></body></html>"},
        {"<table><tr><td>a<td>b</table>",
         "<html><head></head><body><table><tbody><tr><td>a</td><td>b</td></tr></tbody></table>"
         "</body></html>"},
        {"<table>x<tr><td>y</table>",
         "<html><head></head><body>x<table><tbody><tr><td>y</td></tr></tbody></table></body>"
         "</html>"},
        {"<b>1<i>2</b>3</i>", "<html><head></head><body><b>1<i>2</i></b><i>3</i></body></html>"},
        {"<p>&amp; &lt; &gt; &nbsp; &eacute; &#x20AC; &quot; &copy</p>",
         "<html><head></head><body><p>&amp; &lt; &gt; &nbsp; \xC3\xA9 \xE2\x82\xAC \" \xC2\xA9"
         "</p></body></html>"},
        {"<a href='x\"y' title=a&amp;b&nbsp;c data-x>t</a>",
         "<html><head></head><body><a href=\"x&quot;y\" title=\"a&amp;b&nbsp;c\" data-x=\"\">t"
         "</a></body></html>"},
        {"<!-- a -- b --><p>x<!--y-->",
         "<!-- a -- b --><html><head></head><body><p>x<!--y--></p></body></html>"},
        {"<p>a<br>b<img src=x.png>c<hr>",
         "<html><head></head><body><p>a<br>b<img src=\"x.png\">c</p><hr></body></html>"},
        {"<script>if (a < b && c) {}</script><style>a > b {}</style>",
         "<html><head><script>if (a < b && c) {}</script><style>a > b {}</style></head><body>"
         "</body></html>"},
        {"<xmp><b>&amp;</b></xmp>",
         "<html><head></head><body><xmp><b>&amp;</b></xmp></body></html>"},
        {"<pre>\n\nx</pre><textarea>\nfoo</textarea><listing>\n\nz</listing>",
         "<html><head></head><body><pre>\n\nx</pre><textarea>foo</textarea><listing>\n\nz"
         "</listing></body></html>"},
        {"<template><b>x</b></template>",
         "<html><head><template><b>x</b></template></head><body></body></html>"},
        {"<svg viewBox=\"0 0 1 1\"><foreignObject xlink:href=\"#a\"><p>x</p></foreignObject>"
         "</svg>",
         "<html><head></head><body><svg viewBox=\"0 0 1 1\"><foreignObject xlink:href=\"#a\">"
         "<p>x</p></foreignObject></svg></body></html>"},
        {"<my-Widget DATA-A=1>x</my-Widget>",
         "<html><head></head><body><my-widget data-a=\"1\">x</my-widget></body></html>"},
        {"", "<html><head></head><body></body></html>"},
    };
    for (const CRoundTrip& c : cases) {
        CNodeRef<CDocument> pDocument = Parse(c.pszInput);
        std::string serialized = Serialize(*pDocument);
        EXPECT_EQ(serialized, c.pszOutput) << c.pszInput;
        CNodeRef<CDocument> pAgain = Parse(serialized);
        EXPECT_EQ(Serialize(*pAgain), serialized) << "second round: " << c.pszInput;
    }
}

TEST(HtmlParser, CountsParseErrors) {
    EXPECT_EQ(Parse("<!DOCTYPE html><html><head></head><body><p>x</p></body></html>")
                  ->GetParseErrorCount(),
              0u);
    EXPECT_GT(Parse("<p></div></span>")->GetParseErrorCount(), 0u);
}

TEST(HtmlParser, ParsesFragmentsInTheirContext) {
    CNodeRef<CDocument> pDocument = Parse("<table><tr><td>cell</td></tr></table><p>para</p>");
    CElement& body = *pDocument->GetBody();
    CNode* pTable = body.GetFirstChild();
    auto& row = static_cast<CElement&>(*pTable->GetFirstChild()->GetFirstChild());
    auto& paragraph = static_cast<CElement&>(*pTable->GetNextSibling());
    struct {
        const char16_t* pszHtml;
        const CElement* pContext;
        const char* pszResult;
    } const cases[] = {
        {u"<td>x</td>", &row, "<td>x</td>"},
        {u"<td>x</td>", &body, "x"},
        {u"<span id=a>Grand</span></b><span id=a> Canyon</span>", &paragraph,
         "<span id=\"a\">Grand</span><span id=\"a\"> Canyon</span>"},
        {u"<p>inner", &paragraph, "<p>inner</p>"},
        {u"a &amp; b", &body, "a &amp; b"},
        {u"", &body, ""},
    };
    for (const auto& c : cases) {
        CNodeRef<CDocumentFragment> pFragment = CHtmlParser::ParseFragment(c.pszHtml, *c.pContext);
        EXPECT_EQ(U(CHtmlSerializer::SerializeChildren(*pFragment)), c.pszResult) << U(c.pszHtml);
    }
}

TEST(HtmlParser, DecodesTheCharsetThePageDeclares) {
    // Windows-1252: e acute is 0xE9, the euro sign 0x80.
    const std::string meta = "<meta charset=windows-1252><p>caf\xE9 5\x80</p>";
    CNodeRef<CDocument> pDocument = CHtmlParser::ParseDocument(meta, "");
    EXPECT_EQ(pDocument->GetCharset(), "windows-1252");
    EXPECT_EQ(U(pDocument->GetBody()->GetTextContent()), "caf\xC3\xA9 5\xE2\x82\xAC");

    EXPECT_EQ(BodyOf("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"
                     "<p>caf\xC3\xA9</p>",
                     ""),
              "caf\xC3\xA9");
    EXPECT_EQ(BodyOf("<p>caf\xE9</p>", ""), "caf\xC3\xA9");
    EXPECT_EQ(BodyOf("<meta charset=iso-8859-1><p>\x80</p>", ""), "\xE2\x82\xAC");
}

TEST(HtmlParser, HttpCharsetOverridesMetaAndByteOrderMarkOverridesBoth) {
    const std::string utf8Page = "<meta charset=windows-1252><p>caf\xC3\xA9</p>";
    EXPECT_EQ(BodyOf(utf8Page, "text/html; charset=utf-8"), "caf\xC3\xA9");
    EXPECT_EQ(BodyOf(utf8Page, "text/html"), "caf\xC3\x83\xC2\xA9");
    EXPECT_EQ(BodyOf("\xEF\xBB\xBF" + utf8Page, "text/html; charset=iso-8859-1"), "caf\xC3\xA9");
    EXPECT_EQ(BodyOf(std::string("\xFF\xFE<\0p\0>\0\xE9\0\xAC\x20", 12), ""),
              "\xC3\xA9\xE2\x82\xAC");
}

TEST(HtmlParser, MakesPlainTextDocuments) {
    CNodeRef<CDocument> pDocument =
        CHtmlParser::CreatePlainTextDocument("a < b\r\nc\rd\n", "text/plain; charset=utf-8");
    EXPECT_EQ(Serialize(*pDocument),
              "<html><head></head><body><pre>a &lt; b\nc\nd\n</pre></body></html>");
    EXPECT_EQ(pDocument->GetCharset(), "UTF-8");
    EXPECT_TRUE(pDocument->GetBody()->IsBody());
}

TEST(HtmlParser, KeepsLongTextInSeveralNodes) {
    std::string line = "a line of text with a \xC3\xA9 in it\n";
    std::string text;
    while (text.size() < 20000) {
        text += line;
    }
    CNodeRef<CDocument> pDocument = Parse("<body><p>" + text + "</p>");
    CNode& paragraph = *pDocument->GetBody()->GetFirstChild();
    EXPECT_GT(paragraph.GetChildCount(), 5u);
    for (CNode* p = paragraph.GetFirstChild(); p != nullptr; p = p->GetNextSibling()) {
        EXPECT_EQ(U(static_cast<CText*>(p)->GetData()).back(), '\n');
    }
    EXPECT_EQ(U(CHtmlSerializer::SerializeChildren(paragraph)), text);

    CNodeRef<CDocument> pPlain = CHtmlParser::CreatePlainTextDocument(std::string(5000, 'x'), "");
    CNode& pre = *pPlain->GetBody()->GetFirstChild();
    EXPECT_EQ(pre.GetChildCount(), 3u);
    EXPECT_EQ(pre.GetTextContent(), std::u16string(5000, u'x'));
}

TEST(HtmlSerializer, WritesNodesAndContent) {
    CNodeRef<CDocument> pDocument = Parse("<p id=x>a<b>b</b></p>");
    CNode* pParagraph = pDocument->GetBody()->GetFirstChild();
    EXPECT_EQ(U(CHtmlSerializer::SerializeNode(*pParagraph)), "<p id=\"x\">a<b>b</b></p>");
    EXPECT_EQ(U(CHtmlSerializer::SerializeChildren(*pParagraph)), "a<b>b</b>");

    CNodeRef<CElement> pBreak = CElement::Create(u"br");
    pBreak->AppendChild(CText::Create(u"never written"));
    EXPECT_EQ(U(CHtmlSerializer::SerializeNode(*pBreak)), "<br>");
    CNodeRef<CElement> pScript = CElement::Create(u"script");
    pScript->AppendChild(CText::Create(u"a<b"));
    EXPECT_EQ(U(CHtmlSerializer::SerializeNode(*pScript)), "<script>a<b</script>");
    EXPECT_EQ(U(CHtmlSerializer::SerializeNode(*CText::Create(u"a<b"))), "a&lt;b");
}
