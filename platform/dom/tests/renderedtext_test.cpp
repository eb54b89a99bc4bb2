#include "platform/dom/renderedtext.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "domtesthelpers.h"
#include "platform/dom/textflow.h"

using namespace domtest;

namespace {

struct CTextCase {
    const char* pszBody;
    const char* pszText;
};

std::string BodyText(const char* pszBody) {
    CNodeRef<CDocument> pDocument = Parse(std::string("<body>") + pszBody);
    return U(pDocument->CreateTextRange()->GetText());
}

}  // namespace

TEST(RenderedText, FollowsTheRenderingRules) {
    const CTextCase cases[] = {
        {"a  b\n\tc", "a b c"},
        {"  leading and trailing  ", "leading and trailing"},
        {"<p>One</p><p>Two</p>", "One\r\nTwo"},
        {"<div><p>One</p></div>\n<div>Two</div>", "One\r\nTwo"},
        {"<p>One </p> <p> Two</p>", "One\r\nTwo"},
        {"One<br>Two", "One\r\nTwo"},
        {"One <br> Two", "One\r\nTwo"},
        {"One<br><br>Two", "One\r\n\r\nTwo"},
        {"<p>One<br></p><p>Two</p>", "One\r\nTwo"},
        {"<p>a</p><br>b", "a\r\n\r\nb"},
        {"<br>b", "\r\nb"},
        {"x<pre>  a\n  b  </pre>y", "x\r\n  a\r\n  b  \r\ny"},
        {"<pre>\n\nline</pre>", "\r\nline"},
        {"<pre>one\r\ntwo\rthree</pre>", "one\r\ntwo\r\nthree"},
        {"<textarea>  keep  </textarea>", "  keep  "},
        {"Word<script>var x = 1;</script><style>p {}</style>More", "WordMore"},
        {"a<span hidden>secret</span>b", "ab"},
        {"<p hidden>gone</p><p>kept</p>", "kept"},
        {"<noscript>off</noscript>on<template>tmpl</template>", "on"},
        {"a<!-- note -->b", "ab"},
        {"Neu<b>ral</b> Network", "Neural Network"},
        {"foo <b> bar</b>", "foo bar"},
        {"foo<b> </b>bar", "foo bar"},
        {"<ul>\n  <li>One</li>\n  <li>Two</li>\n</ul>", "One\r\nTwo"},
        {"<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>", "a\r\nb\r\nc"},
        {"x&nbsp; y", "x\xC2\xA0 y"},
        {"caf&eacute; &#8364;5",
         "caf\xC3\xA9 \xE2\x82\xAC"
         "5"},
        {"", ""},
    };
    for (const CTextCase& c : cases) {
        EXPECT_EQ(BodyText(c.pszBody), c.pszText) << c.pszBody;
    }
}

TEST(RenderedText, InnerTextKeepsTheBlanksThatAriseInsideTheElement) {
    CNodeRef<CDocument> pDocument = Parse(
        "<body><p id=p1>The <b id=b1>Grand </b>Canyon<span id=s1> rim</span> <i id=i1> x</i></p>"
        "<div id=d1><p>One</p><p>Two</p></div><script id=sc>code()</script>");
    CElementCollection all = pDocument->GetAll();
    auto byId = [&](std::u16string_view id) {
        for (size_t i = 0; i < all.GetLength(); ++i) {
            if (all.Item(i)->GetId() == id) {
                return all.Item(i);
            }
        }
        return CNodeRef<CElement>();
    };
    EXPECT_EQ(U(byId(u"b1")->GetInnerText()), "Grand ");
    EXPECT_EQ(U(byId(u"s1")->GetInnerText()), " rim");
    EXPECT_EQ(U(byId(u"i1")->GetInnerText()), "x");
    EXPECT_EQ(U(byId(u"p1")->GetInnerText()), "The Grand Canyon rim x");
    EXPECT_EQ(U(byId(u"d1")->GetInnerText()), "One\r\nTwo");
    EXPECT_EQ(U(byId(u"sc")->GetInnerText()), "code()");

    CNodeRef<CElement> pDetached = byId(u"p1");
    pDetached->Remove();
    EXPECT_EQ(U(pDetached->GetInnerText()), "The Grand Canyon rim x");
}

TEST(RenderedText, PointsAndOffsetsMapBothWays) {
    const char* pages[] = {
        "<p>The <b>Grand</b>  Canyon</p><p>  second <i>line</i></p>x<br>y<pre>a\nb</pre>z",
        "foo <b> bar</b> <span hidden>h</span><script>s</script> baz<br><br><p>end </p>",
    };
    for (const char* pszPage : pages) {
        CNodeRef<CDocument> pDocument = Parse(pszPage);
        CRenderedText& text = *pDocument->GetRenderedText();
        const std::u16string all = text.GetText(0, text.GetLength());
        for (size_t t = 0; t <= text.GetLength(); ++t) {
            bool bInsidePair = t > 0 && t < all.size() && all[t - 1] == u'\r' && all[t] == u'\n';
            EXPECT_EQ(text.OffsetOf(text.StartPointAt(t)), bInsidePair ? t - 1 : t)
                << pszPage << " start " << t;
            EXPECT_EQ(text.OffsetOf(text.EndPointAt(t)), bInsidePair ? t + 1 : t)
                << pszPage << " end " << t;
        }
    }
}

TEST(RenderedText, MovesByCharactersTakeCrLfAsOne) {
    CNodeRef<CDocument> pDocument = Parse("<p>ab</p><p>cd</p>");
    CRenderedText& text = *pDocument->GetRenderedText();
    long nMoved = 0;
    EXPECT_EQ(text.MoveByCharacters(2, 1, nMoved), 4u);
    EXPECT_EQ(nMoved, 1);
    EXPECT_EQ(text.MoveByCharacters(4, -1, nMoved), 2u);
    EXPECT_EQ(text.MoveByCharacters(0, 100, nMoved), 6u);
    EXPECT_EQ(nMoved, 5);
    EXPECT_EQ(text.MoveByCharacters(1, -5, nMoved), 0u);
    EXPECT_EQ(nMoved, -1);
}

// Every change of the tree keeps the model equal to a rendering from scratch.
TEST(RenderedText, StaysEqualToAFreshRenderingThroughRandomChanges) {
    CNodeRef<CDocument> pDocument = Parse(
        "<p>Alpha <b>beta</b>  gamma</p><div> delta<br>epsilon <i> zeta </i></div>"
        "<pre>eta\n theta</pre><ul><li>iota</li><li> kappa</li></ul>lambda <span>mu</span>");
    CElement& body = *pDocument->GetBody();
    CRenderedText* pText = pDocument->GetRenderedText();
    std::mt19937 random(7);
    auto nodes = [&](auto predicate) {
        std::vector<CNode*> vecNodes;
        for (CNode* p = body.GetFirstChild(); p != nullptr; p = p->GetNextInTree(&body)) {
            if (predicate(*p)) {
                vecNodes.push_back(p);
            }
        }
        return vecNodes;
    };
    auto pick = [&](auto predicate) -> CNode* {
        std::vector<CNode*> vecNodes = nodes(predicate);
        return vecNodes.empty() ? nullptr : vecNodes[random() % vecNodes.size()];
    };
    auto isText = [](CNode& n) { return n.IsText(); };
    auto isElement = [](CNode& n) { return n.IsElement(); };
    auto any = [](CNode&) { return true; };
    const char16_t* fragments[] = {u" ", u"word", u"  two words ", u"\n", u"", u"x\ny "};
    const char16_t* tags[] = {u"b", u"p", u"br", u"span", u"div", u"pre", u"script"};
    size_t nChecks = 0;
    for (int nStep = 0; nStep < 1500; ++nStep) {
        CNode* pParent = random() % 4 == 0 ? &body : pick(isElement);
        if (pParent == nullptr) {
            pParent = &body;
        }
        CNode* pBefore = pParent->GetFirstChild();
        for (unsigned n = random() % 4; pBefore != nullptr && n > 0; --n) {
            pBefore = pBefore->GetNextSibling();
        }
        switch (random() % 9) {
            case 0:
            case 1:
                if (CNode* p = pick(isText)) {
                    auto& textNode = static_cast<CText&>(*p);
                    textNode.SplitText(random() % (textNode.GetData().size() + 1));
                }
                break;
            case 2:
                if (CNode* p = pick(isText)) {
                    static_cast<CText&>(*p).SetData(fragments[random() % 6]);
                }
                break;
            case 3:
            case 4: {
                CNodeRef<CElement> pElement = CElement::Create(tags[random() % 7]);
                pElement->AppendChild(CText::Create(fragments[random() % 6]));
                pParent->InsertBefore(pElement, pBefore);
                break;
            }
            case 5:
                pParent->InsertBefore(CText::Create(fragments[random() % 6]), pBefore);
                break;
            case 6:
                if (CNode* p = pick(any); p != nullptr && nodes(any).size() > 40) {
                    p->Remove();
                }
                break;
            case 7:
                if (CNode* p = pick(isElement)) {
                    auto& element = static_cast<CElement&>(*p);
                    if (element.HasAttribute(u"hidden")) {
                        element.RemoveAttribute(u"hidden");
                    } else {
                        element.SetAttribute(u"hidden", u"");
                    }
                }
                break;
            case 8:
                if (CNode* p = pick(isElement)) {
                    auto& element = static_cast<CElement&>(*p);
                    element.SetOuterText(element.GetInnerText());
                }
                break;
        }
        ASSERT_EQ(pDocument->GetRenderedText(), pText);
        ASSERT_EQ(U(pText->GetText(0, pText->GetLength())), U(CTextFlow::RenderDetached(body)))
            << "step " << nStep << ": " << BodyHtml(*pDocument);
        nChecks += pText->GetLength() > 20 ? 1 : 0;
    }
    EXPECT_GT(nChecks, 1000u);
    EXPECT_EQ(pDocument->GetTextStatistics().nBuilds, 1u);
}
