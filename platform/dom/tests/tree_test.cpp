#include "platform/dom/document.h"

#include <gtest/gtest.h>

#include "domtesthelpers.h"

using namespace domtest;

namespace {

CElement& ElementById(CDocument& document, std::u16string_view id) {
    for (CNode* p = &document; p != nullptr; p = p->GetNextInTree(nullptr)) {
        if (p->IsElement() && static_cast<CElement*>(p)->GetId() == id) {
            return static_cast<CElement&>(*p);
        }
    }
    throw std::runtime_error("no element with that id");
}

}  // namespace

TEST(DomTree, RefusesInsertionsTheDomForbids) {
    CNodeRef<CDocument> pDocument = Parse("<div id=outer><p id=inner>x</p></div>");
    CElement& outer = ElementById(*pDocument, u"outer");
    CElement& inner = ElementById(*pDocument, u"inner");
    EXPECT_FALSE(inner.AppendChild(CNodeRef<CNode>(&outer)));
    EXPECT_FALSE(outer.AppendChild(CNodeRef<CNode>(&outer)));
    EXPECT_FALSE(pDocument->AppendChild(CText::Create(u"text")));
    EXPECT_FALSE(pDocument->AppendChild(CElement::Create(u"html")));
    EXPECT_FALSE(outer.AppendChild(MakeNode<CDocumentType>(u"html", u"", u"")));
    EXPECT_FALSE(inner.InsertBefore(CText::Create(u"y"), &outer));
    EXPECT_FALSE(CText::Create(u"t")->AppendChild(CText::Create(u"u")));
    EXPECT_TRUE(pDocument->AppendChild(CComment::Create(u"after")));
    EXPECT_EQ(U(CHtmlSerializer::SerializeNode(outer)),
              "<div id=\"outer\"><p id=\"inner\">x</p></div>");
}

TEST(DomTree, MovesNodesAndInsertsFragments) {
    CNodeRef<CDocument> pDocument = Parse("<p id=a>1<b>2</b></p><p id=b>3</p>");
    CElement& a = ElementById(*pDocument, u"a");
    CElement& b = ElementById(*pDocument, u"b");
    ASSERT_TRUE(b.InsertBefore(CNodeRef<CNode>(a.GetLastChild()), b.GetFirstChild()));
    EXPECT_EQ(BodyHtml(*pDocument), "<p id=\"a\">1</p><p id=\"b\"><b>2</b>3</p>");

    CNodeRef<CDocumentFragment> pFragment = CDocumentFragment::Create();
    pFragment->AppendChild(CText::Create(u"x"));
    pFragment->AppendChild(CElement::Create(u"i"));
    ASSERT_TRUE(a.InsertBefore(pFragment, a.GetFirstChild()));
    EXPECT_EQ(pFragment->GetFirstChild(), nullptr);
    EXPECT_EQ(BodyHtml(*pDocument), "<p id=\"a\">x<i></i>1</p><p id=\"b\"><b>2</b>3</p>");

    ASSERT_TRUE(a.ReplaceChild(CText::Create(u"y"), *a.GetFirstChild()));
    EXPECT_EQ(a.GetIndex(), 0u);
    EXPECT_EQ(b.GetIndex(), 1u);
    EXPECT_EQ(a.GetChildCount(), 3u);
    EXPECT_EQ(BodyHtml(*pDocument), "<p id=\"a\">y<i></i>1</p><p id=\"b\"><b>2</b>3</p>");
}

TEST(DomTree, RemovedNodesStayValidWhileReferenced) {
    CNodeRef<CElement> pKept;
    {
        CNodeRef<CDocument> pDocument = Parse("<p id=a>text <b>bold</b></p>");
        pKept = CNodeRef<CElement>(&ElementById(*pDocument, u"a"));
        EXPECT_EQ(pKept->GetOwnerDocument(), pDocument.Get());
    }
    EXPECT_EQ(pKept->GetParent(), nullptr);
    EXPECT_EQ(pKept->GetOwnerDocument(), nullptr);
    EXPECT_EQ(U(pKept->GetInnerText()), "text bold");
    EXPECT_FALSE(pKept->SetOuterText(u"x"));

    CNodeRef<CDocument> pOther = Parse("<body>");
    ASSERT_TRUE(pOther->GetBody()->AppendChild(pKept));
    EXPECT_EQ(U(pOther->CreateTextRange()->GetText()), "text bold");
}

TEST(DomTree, CopiesAndDestroysDeepAndWideTreesWithoutRecursion) {
    // Built from the leaf up, so that each insertion is cheap.
    CNodeRef<CElement> pRoot = CElement::Create(u"span");
    for (int i = 0; i < 300000; ++i) {
        CNodeRef<CElement> pParent = CElement::Create(u"span");
        pParent->AppendChild(pRoot);
        pRoot = pParent;
    }
    for (int i = 0; i < 300000; ++i) {
        pRoot->AppendChild(CText::Create(u"x"));
    }
    CNodeRef<CNode> pCopy = pRoot->CloneNode(true);
    EXPECT_EQ(pCopy->GetChildCount(), 300001u);
    EXPECT_EQ(pCopy->GetTextContent().size(), 300000u);
    pRoot.Reset();
    pCopy.Reset();
}

TEST(DomTree, ClonesNodesWithTheirAttributes) {
    CNodeRef<CDocument> pDocument = Parse("<p id=a class=c>1<b title=t>2</b><!--c--></p>");
    CElement& a = ElementById(*pDocument, u"a");
    CNodeRef<CNode> pDeep = a.CloneNode(true);
    CNodeRef<CNode> pShallow = a.CloneNode(false);
    a.SetAttribute(u"class", u"changed");
    static_cast<CText*>(a.GetFirstChild())->SetData(u"changed");
    EXPECT_EQ(U(CHtmlSerializer::SerializeNode(*pDeep)),
              "<p id=\"a\" class=\"c\">1<b title=\"t\">2</b><!--c--></p>");
    EXPECT_EQ(U(CHtmlSerializer::SerializeNode(*pShallow)), "<p id=\"a\" class=\"c\"></p>");
    EXPECT_EQ(pDeep->GetParent(), nullptr);
}

TEST(DomTree, ElementsAnswerNamesAndAttributes) {
    CNodeRef<CDocument> pDocument = Parse(
        "<span ID=s OID='Grand Canyon' onContextMenu='return "
        "false;'>x</span><svg><foreignObject/></svg>");
    CElement& span = ElementById(*pDocument, u"s");
    EXPECT_EQ(U(span.GetTagName()), "SPAN");
    EXPECT_EQ(U(span.GetLocalName()), "span");
    EXPECT_EQ(span.GetAttribute(u"oid"), u"Grand Canyon");
    EXPECT_EQ(span.GetAttribute(u"Oid"), u"Grand Canyon");
    EXPECT_EQ(span.GetAttribute(u"missing"), std::nullopt);
    EXPECT_EQ(U(span.GetAttributes()[2].strName), "oncontextmenu");
    span.SetAttribute(u"Style", u"color:red");
    EXPECT_EQ(U(span.GetAttributes().back().strName), "style");
    EXPECT_TRUE(span.RemoveAttribute(u"ID"));
    EXPECT_EQ(span.GetId(), u"");
    EXPECT_FALSE(span.RemoveAttribute(u"id"));

    auto* pForeign = static_cast<CElement*>(span.GetNextSibling()->GetFirstChild());
    EXPECT_EQ(U(pForeign->GetTagName()), "foreignObject");
    EXPECT_EQ(pForeign->GetNamespace(), ENamespace::Svg);
}

TEST(DomTree, FindsTheBody) {
    CNodeRef<CDocument> pPage = Parse("<p>x");
    ASSERT_NE(pPage->GetBody(), nullptr);
    EXPECT_TRUE(pPage->GetBody()->IsBody());
    EXPECT_EQ(U(pPage->GetHead()->GetTagName()), "HEAD");
    EXPECT_EQ(U(pPage->GetDocumentElement()->GetTagName()), "HTML");

    CNodeRef<CDocument> pFrames = Parse("<frameset><frame src=a></frameset>");
    EXPECT_EQ(U(pFrames->GetBody()->GetTagName()), "FRAMESET");
    EXPECT_FALSE(pFrames->GetBody()->IsBody());

    CNodeRef<CDocument> pEmpty = CDocument::Create();
    EXPECT_EQ(pEmpty->GetBody(), nullptr);
    EXPECT_EQ(pEmpty->CreateTextRange(), nullptr);
    pEmpty->SetUrl(u"http://example.org/");
    EXPECT_EQ(pEmpty->GetUrl(), u"http://example.org/");
}

TEST(DomTree, OuterTextReplacesTheElementAndMergesText) {
    CNodeRef<CDocument> pDocument =
        Parse("<p id=p>one <span id=s>two <b>2</b></span> three</p><p id=q>a<i id=i>b</i></p>");
    CElement& paragraph = ElementById(*pDocument, u"p");
    ASSERT_TRUE(ElementById(*pDocument, u"s").SetOuterText(u"TWO"));
    EXPECT_EQ(paragraph.GetChildCount(), 1u);
    EXPECT_EQ(U(paragraph.GetInnerText()), "one TWO three");

    ASSERT_TRUE(ElementById(*pDocument, u"i").SetOuterText(u"x\r\ny\nz"));
    EXPECT_EQ(BodyHtml(*pDocument), "<p id=\"p\">one TWO three</p><p id=\"q\">ax<br>y<br>z</p>");
    EXPECT_EQ(U(pDocument->CreateTextRange()->GetText()), "one TWO three\r\nax\r\ny\r\nz");
}

TEST(DomTree, AllCollectionEnumeratesInDocumentOrderFromASnapshot) {
    CNodeRef<CDocument> pDocument = Parse("<p id=1><span id=2>a</span><span id=3>b</span></p>");
    CElementCollection all = pDocument->GetAll();
    EXPECT_EQ(all.GetLength(), 6u);
    EXPECT_EQ(U(all.Item(0)->GetTagName()), "HTML");
    EXPECT_EQ(all.Item(6), nullptr);

    std::unique_ptr<CElementEnumerator> pElements = all.CreateEnumerator();
    std::vector<std::string> vecSeen;
    while (CNodeRef<CElement> pElement = pElements->Next()) {
        vecSeen.push_back(U(pElement->GetTagName() + pElement->GetId()));
        if (pElement->GetId() == u"1") {
            pElement->SetOuterText(pElement->GetInnerText());
        }
    }
    EXPECT_EQ(vecSeen, (std::vector<std::string>{"HTML", "HEAD", "BODY", "P1", "SPAN2", "SPAN3"}));
    EXPECT_EQ(all.GetLength(), 3u);
    EXPECT_EQ(BodyHtml(*pDocument), "ab");

    pElements->Reset();
    EXPECT_EQ(pElements->Skip(4), 4u);
    std::unique_ptr<CElementEnumerator> pCopy = pElements->Clone();
    EXPECT_EQ(U(pCopy->Next()->GetId()), "2");
    EXPECT_EQ(pCopy->Next()->GetOwnerDocument(), nullptr);
    EXPECT_EQ(pCopy->Next(), nullptr);
    EXPECT_EQ(pElements->Skip(10), 2u);
}
