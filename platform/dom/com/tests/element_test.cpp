// Element objects: names, attributes, text, and replacement by text.
#include <gtest/gtest.h>

#include "platform/com/variant.h"
#include "platform/dom/com/tests/domcomtest.h"

namespace {

struct CTagCase {
    const char16_t* pszPage;
    const char16_t* pszTagName;
};

class TagNameTest : public ::testing::TestWithParam<CTagCase> {};

TEST_P(TagNameTest, HtmlTagNamesAreUpperCase) {
    CComPtr<IHTMLDocument2> pDocument = LoadPage(GetParam().pszPage);
    EXPECT_EQ(GetParam().pszTagName,
              Text(&IHTMLElement::get_tagName, ElementById(pDocument, u"e").p));
}

INSTANTIATE_TEST_SUITE_P(Elements, TagNameTest,
                         ::testing::Values(CTagCase{u"<span id=e>x</span>", u"SPAN"},
                                           CTagCase{u"<DiV id=e></dIv>", u"DIV"},
                                           CTagCase{u"<table><tr><td id=e>1</table>", u"TD"},
                                           CTagCase{u"<my-widget id=e></my-widget>", u"MY-WIDGET"},
                                           CTagCase{u"<svg><foreignObject id=\"e\"/></svg>",
                                                    u"foreignObject"}));

class ElementTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pDocument = LoadPage(
            u"<p id=p>Visit the <span id=\"orv-lirset-Place\" oid=\"Grand &amp; Canyon\" "
            u"OnContextMenu=\"return false;\">Grand <b>Canyon</b></span> today.<br>Bye</p>");
        m_pSpan = ElementById(m_pDocument, u"orv-lirset-Place");
        ASSERT_TRUE(m_pSpan);
    }

    CComVariant Attribute(const char16_t* pszName, LONG lFlags) {
        CComVariant value;
        EXPECT_EQ(S_OK, m_pSpan->getAttribute(CComBSTR(pszName), lFlags, &value));
        return value;
    }

    CComPtr<IHTMLDocument2> m_pDocument;
    CComPtr<IHTMLElement> m_pSpan;
};

TEST_F(ElementTest, IdAndAttributes) {
    EXPECT_EQ(u"orv-lirset-Place", Text(&IHTMLElement::get_id, m_pSpan.p));
    EXPECT_EQ(u"", Text(&IHTMLElement::get_id, BodyOf(m_pDocument).p));

    CComVariant oid = Attribute(u"oid", 0);
    ASSERT_EQ(VT_BSTR, oid.vt);
    EXPECT_EQ(u"Grand & Canyon", BstrView(oid.bstrVal));
    EXPECT_EQ(VT_BSTR, Attribute(u"OID", 0).vt);
    EXPECT_EQ(VT_BSTR, Attribute(u"oncontextmenu", 0).vt);
    EXPECT_EQ(VT_NULL, Attribute(u"OID", HTML_ATTRIBUTE_CASE_SENSITIVE).vt);
    EXPECT_EQ(VT_NULL, Attribute(u"missing", 0).vt);
}

TEST_F(ElementTest, SetAndRemoveAttributes) {
    EXPECT_EQ(S_OK, m_pSpan->setAttribute(CComBSTR(u"oid"), CComVariant(u"Zion"), 0));
    EXPECT_EQ(u"Zion", BstrView(Attribute(u"oid", 0).bstrVal));
    EXPECT_EQ(S_OK, m_pSpan->setAttribute(CComBSTR(u"Count"), CComVariant(LONG{42}), 0));
    EXPECT_EQ(u"42", BstrView(Attribute(u"count", 0).bstrVal));
    EXPECT_EQ(
        DISP_E_TYPEMISMATCH,
        m_pSpan->setAttribute(CComBSTR(u"x"), CComVariant(static_cast<IUnknown*>(nullptr)), 0));

    VARIANT_BOOL bRemoved = VARIANT_FALSE;
    EXPECT_EQ(S_OK,
              m_pSpan->removeAttribute(CComBSTR(u"OID"), HTML_ATTRIBUTE_CASE_SENSITIVE, &bRemoved));
    EXPECT_EQ(VARIANT_FALSE, bRemoved);
    EXPECT_EQ(S_OK, m_pSpan->removeAttribute(CComBSTR(u"OID"), 0, &bRemoved));
    EXPECT_EQ(VARIANT_TRUE, bRemoved);
    EXPECT_EQ(VT_NULL, Attribute(u"oid", 0).vt);
}

TEST_F(ElementTest, TextAndMarkup) {
    EXPECT_EQ(u"Grand Canyon", Text(&IHTMLElement::get_innerText, m_pSpan.p));
    EXPECT_EQ(u"Visit the Grand Canyon today.\r\nBye",
              Text(&IHTMLElement::get_innerText, ElementById(m_pDocument, u"p").p));
    EXPECT_EQ(u"Grand <b>Canyon</b>", Text(&IHTMLElement::get_innerHTML, m_pSpan.p));
    EXPECT_EQ(
        u"<span id=\"orv-lirset-Place\" oid=\"Grand &amp; Canyon\" "
        u"oncontextmenu=\"return false;\">Grand <b>Canyon</b></span>",
        Text(&IHTMLElement::get_outerHTML, m_pSpan.p));
}

TEST_F(ElementTest, ReplacedByTextStaysAValidObject) {
    CComPtr<IHTMLElement> pBold;
    // The B inside the span, reached through the tree.
    CComPtr<IHTMLElementCollection> pAll;
    ASSERT_EQ(S_OK, m_pDocument->get_all(&pAll));
    CComPtr<IDispatch> pItem;
    ASSERT_EQ(S_OK, pAll->item(CComVariant(LONG{5}), CComVariant(), &pItem));
    ASSERT_EQ(S_OK, pItem->QueryInterface(&pBold));
    ASSERT_EQ(u"B", Text(&IHTMLElement::get_tagName, pBold.p));

    EXPECT_EQ(S_OK, m_pSpan->put_outerText(CComBSTR(u"Grand Canyon")));
    EXPECT_EQ(u"<p id=\"p\">Visit the Grand Canyon today.<br>Bye</p>", BodyHtml(m_pDocument));
    EXPECT_FALSE(ElementById(m_pDocument, u"orv-lirset-Place"));

    // The objects of the span and of the B inside it live on, outside the page.
    EXPECT_EQ(u"SPAN", Text(&IHTMLElement::get_tagName, m_pSpan.p));
    EXPECT_EQ(u"Grand Canyon", Text(&IHTMLElement::get_innerText, m_pSpan.p));
    CComPtr<IHTMLElement> pParent;
    EXPECT_EQ(S_OK, m_pSpan->get_parentElement(&pParent));
    EXPECT_FALSE(pParent);
    EXPECT_EQ(S_OK, pBold->get_parentElement(&pParent));
    EXPECT_EQ(m_pSpan.p, pParent.p);
    EXPECT_EQ(E_FAIL, m_pSpan->put_outerText(CComBSTR(u"again")));
}

}  // namespace
