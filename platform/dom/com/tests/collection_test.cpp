// The all-collection and its enumerator, also while the page changes under it.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/com/variant.h"
#include "platform/dom/com/oleidl.h"
#include "platform/dom/com/tests/domcomtest.h"

namespace {

CComPtr<IEnumVARIANT> NewEnum(IHTMLDocument2* pDocument) {
    CComPtr<IHTMLElementCollection> pAll;
    EXPECT_EQ(S_OK, pDocument->get_all(&pAll));
    CComPtr<IUnknown> pUnknown;
    EXPECT_EQ(S_OK, pAll->get__newEnum(&pUnknown));
    CComQIPtr<IEnumVARIANT> pEnum(pUnknown.p);
    EXPECT_TRUE(pEnum);
    return pEnum;
}

// The tag names the enumerator gives from where it stands to its end.
std::u16string RemainingTags(IEnumVARIANT* pEnum) {
    std::u16string strTags;
    CComVariant item;
    while (pEnum->Next(1, &item, nullptr) == S_OK) {
        EXPECT_EQ(VT_DISPATCH, item.vt);
        CComQIPtr<IHTMLElement> pElement(item.pdispVal);
        strTags += Text(&IHTMLElement::get_tagName, pElement.p) + u" ";
        item.Clear();
    }
    return strTags;
}

TEST(CollectionTest, ElementsInDocumentOrder) {
    CComPtr<IHTMLDocument2> pDocument = LoadPage(u"<p id=x><b>x</b><i>y</i></p><div name=n></div>");
    EXPECT_EQ(u"HTML HEAD BODY P B I DIV ", RemainingTags(NewEnum(pDocument)));

    CComPtr<IHTMLElementCollection> pAll;
    ASSERT_EQ(S_OK, pDocument->get_all(&pAll));
    LONG nLength = 0;
    EXPECT_EQ(S_OK, pAll->get_length(&nLength));
    EXPECT_EQ(7, nLength);

    struct CItemCase {
        CComVariant name;
        const char16_t* pszTag;  // null: no element
    };
    const CItemCase cases[] = {{CComVariant(LONG{2}), u"BODY"},
                               {CComVariant(LONG{7}), nullptr},
                               {CComVariant(u"x"), u"P"},
                               {CComVariant(u"n"), u"DIV"},
                               {CComVariant(u"none"), nullptr}};
    for (const CItemCase& test : cases) {
        CComPtr<IDispatch> pItem;
        EXPECT_EQ(S_OK, pAll->item(test.name, CComVariant(), &pItem));
        CComQIPtr<IHTMLElement> pElement(pItem.p);
        EXPECT_EQ(test.pszTag != nullptr, static_cast<bool>(pElement));
        if (pElement) {
            EXPECT_EQ(test.pszTag, Text(&IHTMLElement::get_tagName, pElement.p));
        }
    }
}

TEST(CollectionTest, BatchesSkipResetAndClone) {
    CComPtr<IHTMLDocument2> pDocument = LoadPage(u"<p><b>x</b></p>");
    CComPtr<IEnumVARIANT> pEnum = NewEnum(pDocument);

    VARIANT items[4];
    ULONG nFetched = 0;
    EXPECT_EQ(S_OK, pEnum->Next(2, items, &nFetched));
    EXPECT_EQ(2u, nFetched);
    VariantClear(&items[0]);
    VariantClear(&items[1]);

    CComPtr<IEnumVARIANT> pClone;
    ASSERT_EQ(S_OK, pEnum->Clone(&pClone));
    EXPECT_EQ(S_OK, pEnum->Skip(1));
    EXPECT_EQ(S_FALSE, pEnum->Next(4, items, &nFetched));
    ASSERT_EQ(2u, nFetched);
    VariantClear(&items[0]);
    VariantClear(&items[1]);
    EXPECT_EQ(S_FALSE, pEnum->Skip(1));

    EXPECT_EQ(u"BODY P B ", RemainingTags(pClone));
    EXPECT_EQ(S_OK, pClone->Reset());
    EXPECT_EQ(u"HTML HEAD BODY P B ", RemainingTags(pClone));
}

// Replacing each span of one class by its text while the enumeration runs, as un-highlighting
// does: every element is visited once and the page keeps its text and the other class's spans.
TEST(CollectionTest, SpansReplacedDuringTheEnumeration) {
    CComPtr<IHTMLDocument2> pDocument = LoadPage(
        u"<p><span id=orv-lirset-A>one</span><span id=orv-lirset-A>two</span> "
        u"<span id=orv-lirset-B>three</span> <span id=orv-lirset-A>fo<span "
        u"id=orv-lirset-B>u</span>r</span><span id=orv-lirset-B>five</span></p>");
    CComPtr<IHTMLElementCollection> pAll;
    ASSERT_EQ(S_OK, pDocument->get_all(&pAll));
    LONG nLength = 0;
    ASSERT_EQ(S_OK, pAll->get_length(&nLength));

    CComPtr<IEnumVARIANT> pEnum = NewEnum(pDocument);
    // Held, so that no two visits can meet the same address by reuse.
    std::vector<CComPtr<IDispatch>> vecHeld;
    std::set<IDispatch*> setVisited;
    std::vector<CComPtr<IHTMLElement>> vecReplaced;
    CComVariant item;
    while (pEnum->Next(1, &item, nullptr) == S_OK) {
        EXPECT_TRUE(setVisited.insert(item.pdispVal).second);
        vecHeld.emplace_back(item.pdispVal);
        CComQIPtr<IHTMLElement> pElement(item.pdispVal);
        if (Text(&IHTMLElement::get_id, pElement.p) == u"orv-lirset-A" &&
            Text(&IHTMLElement::get_tagName, pElement.p) == u"SPAN") {
            CComBSTR text;
            ASSERT_EQ(S_OK, pElement->get_innerText(&text));
            ASSERT_EQ(S_OK, pElement->put_outerText(text));
            vecReplaced.push_back(pElement);
        }
        item.Clear();
    }
    EXPECT_EQ(static_cast<size_t>(nLength), setVisited.size());
    ASSERT_EQ(3u, vecReplaced.size());
    for (const CComPtr<IHTMLElement>& pReplaced : vecReplaced) {
        EXPECT_EQ(u"SPAN", Text(&IHTMLElement::get_tagName, pReplaced.p));
    }
    EXPECT_EQ(
        u"<p>onetwo <span id=\"orv-lirset-B\">three</span> four<span "
        u"id=\"orv-lirset-B\">five</span></p>",
        BodyHtml(pDocument));
}

}  // namespace
