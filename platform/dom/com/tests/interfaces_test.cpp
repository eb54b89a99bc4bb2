// Which interfaces the objects answer, and that each element and document has one object.
#include <gtest/gtest.h>

#include "platform/dom/com/htmldocumentobject.h"
#include "platform/dom/com/tests/domcomtest.h"

namespace {

struct CAnswerCase {
    const char16_t* pszPage;
    bool bBodyElement;  // whether the page's body answers IHTMLBodyElement
};

class BodyInterfaceTest : public ::testing::TestWithParam<CAnswerCase> {};

TEST_P(BodyInterfaceTest, OnlyABodyElementAnswersTheBodyInterface) {
    CComPtr<IHTMLDocument2> pDocument = LoadPage(GetParam().pszPage);
    CComPtr<IHTMLElement> pBody = BodyOf(pDocument);
    ASSERT_TRUE(pBody);

    // A stale out-value, which a refusal must clear.
    void* pBodyElement = pDocument.p;
    HRESULT hr = pBody->QueryInterface(IID_IHTMLBodyElement, &pBodyElement);
    EXPECT_EQ(GetParam().bBodyElement ? S_OK : E_NOINTERFACE, hr);
    EXPECT_EQ(GetParam().bBodyElement, pBodyElement != nullptr);
    if (pBodyElement != nullptr) {
        static_cast<IHTMLBodyElement*>(pBodyElement)->Release();
    }
    CComQIPtr<IHTMLElement> pDiv(ElementById(pDocument, u"d").p);
    if (pDiv) {
        CComQIPtr<IHTMLBodyElement> pNotBody(pDiv.p);
        EXPECT_FALSE(pNotBody);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, BodyInterfaceTest,
    ::testing::Values(CAnswerCase{u"<p>text<div id=d>x</div>", true},
                      CAnswerCase{u"<frameset cols='50%,50%'><frame src=a.html></frameset>", false},
                      CAnswerCase{u"<body id=b><div id=d></div></body>", true}));

TEST(InterfacesTest, ElementAnswersItsInterfacesWithOneIdentity) {
    CComPtr<IHTMLDocument2> pDocument = LoadPage(u"<div id=d>x</div>");
    CComPtr<IHTMLElement> pDiv = ElementById(pDocument, u"d");
    CComPtr<IUnknown> pUnknown;
    CComPtr<IDispatch> pDispatch;
    ASSERT_EQ(S_OK, pDiv->QueryInterface(&pUnknown));
    ASSERT_EQ(S_OK, pDiv->QueryInterface(&pDispatch));
    EXPECT_TRUE(pDispatch.IsEqualObject(pDiv));

    void* pRange = pDiv.p;
    EXPECT_EQ(E_NOINTERFACE, pDiv->QueryInterface(IID_IHTMLTxtRange, &pRange));
    EXPECT_EQ(nullptr, pRange);
}

TEST(InterfacesTest, DocumentAnswersItsInterfacesWithOneIdentity) {
    CComPtr<IHTMLDocument2> pDocument = LoadPage(u"<p>x");
    CComQIPtr<IHTMLDocument3> pDocument3(pDocument.p);
    CComQIPtr<IOleContainer> pContainer(pDocument.p);
    CComQIPtr<IDispatch> pDispatch(pDocument.p);
    CComQIPtr<IHTMLElement> pElement(pDocument.p);
    ASSERT_TRUE(pDocument3);
    ASSERT_TRUE(pContainer);
    ASSERT_TRUE(pDispatch);
    EXPECT_FALSE(pElement);
    EXPECT_TRUE(pDocument3.IsEqualObject(pContainer));
    EXPECT_TRUE(pDispatch.IsEqualObject(pDocument));

    CHTMLDocumentObject* pObject = GetHTMLDocumentObject(pContainer);
    ASSERT_NE(nullptr, pObject);
    EXPECT_EQ(pObject, GetHTMLDocumentObject(pDocument3));
    EXPECT_EQ(nullptr, GetHTMLDocumentObject(BodyOf(pDocument)));
    EXPECT_EQ(nullptr, GetHTMLDocumentObject(nullptr));
}

TEST(InterfacesTest, OneObjectPerDocumentAndPerElement) {
    CNodeRef<CDocument> pTree = CHtmlParser::ParseDocument(u"<p id=p><b id=b>x</b></p>");
    CComPtr<IHTMLDocument2> pFirst;
    CComPtr<IHTMLDocument2> pSecond;
    ASSERT_EQ(S_OK, CreateHTMLDocumentObject(pTree, &pFirst));
    ASSERT_EQ(S_OK, CreateHTMLDocumentObject(pTree, &pSecond));
    EXPECT_EQ(pFirst.p, pSecond.p);

    CComPtr<IHTMLElement> pBold = ElementById(pFirst, u"b");
    CComPtr<IHTMLElement> pParent;
    ASSERT_EQ(S_OK, pBold->get_parentElement(&pParent));
    EXPECT_EQ(ElementById(pFirst, u"p").p, pParent.p);
    EXPECT_EQ(BodyOf(pFirst).p, BodyOf(pSecond).p);

    CComPtr<IHTMLElement> pFromTree;
    auto* pParagraph = static_cast<CElement*>(pTree->GetBody()->GetFirstChild());
    ASSERT_EQ(S_OK, GetHTMLDocumentObject(pFirst)->GetElementObject(*pParagraph, &pFromTree));
    EXPECT_EQ(pParent.p, pFromTree.p);

    // Released and asked for again: a fresh object, not a dangling one.
    pBold.Release();
    pParent.Release();
    EXPECT_EQ(u"B", Text(&IHTMLElement::get_tagName, ElementById(pFirst, u"b").p));
}

TEST(InterfacesTest, DocumentProperties) {
    CComPtr<IHTMLDocument2> pDocument =
        LoadPage(u"<title>  Grand \n Canyon </title><p>x", u"file:///C:/pages/canyon.html");
    EXPECT_EQ(u"file:///C:/pages/canyon.html", Text(&IHTMLDocument2::get_URL, pDocument.p));
    EXPECT_EQ(u"Grand Canyon", Text(&IHTMLDocument2::get_title, pDocument.p));

    CComQIPtr<IHTMLDocument3> pDocument3(pDocument.p);
    CComPtr<IHTMLElement> pRoot;
    ASSERT_EQ(S_OK, pDocument3->get_documentElement(&pRoot));
    EXPECT_EQ(u"HTML", Text(&IHTMLElement::get_tagName, pRoot.p));

    CComPtr<IHTMLElement> pMissing;
    EXPECT_EQ(S_OK, pDocument3->getElementById(CComBSTR(u"missing"), &pMissing));
    EXPECT_FALSE(pMissing);

    CComPtr<IDispatch> pOwner;
    ASSERT_EQ(S_OK, pRoot->get_document(&pOwner));
    EXPECT_TRUE(pOwner.IsEqualObject(pDocument));
}

TEST(InterfacesTest, DocumentWithoutBodyGivesNull) {
    CComPtr<IHTMLDocument2> pDocument;
    ASSERT_EQ(S_OK, CreateHTMLDocumentObject(CDocument::Create(), &pDocument));
    CComPtr<IHTMLElement> pBody;
    EXPECT_EQ(S_OK, pDocument->get_body(&pBody));
    EXPECT_FALSE(pBody);
    CComPtr<IHTMLElementCollection> pAll;
    ASSERT_EQ(S_OK, pDocument->get_all(&pAll));
    LONG nLength = -1;
    EXPECT_EQ(S_OK, pAll->get_length(&nLength));
    EXPECT_EQ(0, nLength);
}

}  // namespace
