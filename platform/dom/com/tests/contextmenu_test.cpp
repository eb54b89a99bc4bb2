// Context-menu events: the document's handler, the window's current event, inline cancelling.
#include <gtest/gtest.h>

#include "platform/com/variant.h"
#include "platform/dom/com/contextmenu.h"
#include "platform/dom/com/contextmenurecorder.h"
#include "platform/dom/com/tests/domcomtest.h"

namespace {

struct CInlineCase {
    const char16_t* pszCode;
    bool bReturnsFalse;
};

class InlineHandlerTest : public ::testing::TestWithParam<CInlineCase> {};

TEST_P(InlineHandlerTest, RecognisesReturnFalse) {
    EXPECT_EQ(GetParam().bReturnsFalse, IsInlineReturnFalse(GetParam().pszCode));
}

INSTANTIATE_TEST_SUITE_P(
    Code, InlineHandlerTest,
    ::testing::Values(CInlineCase{u"return false;", true}, CInlineCase{u"RETURN False", true},
                      CInlineCase{u"  return \t\n false ;  ", true},
                      CInlineCase{u"return true;", false}, CInlineCase{u"returnfalse;", false},
                      CInlineCase{u"return false;;", false},
                      CInlineCase{u"alert(1); return false;", false},
                      CInlineCase{u"return falsely", false}, CInlineCase{u"", false}));

class ContextMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        CContextMenuRecorder::Get().Clear();
        m_pDocument = LoadPage(
            u"<p id=plain>Plain <span id=marked oNcOnTeXtMeNu=' Return False '>marked "
            u"<b id=inner>term</b></span></p>",
            u"http://pages.test/menu.html");
        m_pDocument3 = m_pDocument.p;
        ASSERT_EQ(S_OK, m_pDocument->get_parentWindow(&m_pWindow));
    }

    void Install(CComPtr<IDispatch> pHandler) {
        ASSERT_EQ(S_OK, m_pDocument3->put_oncontextmenu(CComVariant(pHandler.p)));
    }

    bool Raise(const char16_t* pszId) {
        bool bShown = false;
        EXPECT_EQ(S_OK, RaiseContextMenu(ElementById(m_pDocument, pszId), &bShown));
        return bShown;
    }

    CComPtr<IHTMLEventObj> CurrentEvent() {
        CComPtr<IHTMLEventObj> pEvent;
        EXPECT_EQ(S_OK, m_pWindow->get_event(&pEvent));
        return pEvent;
    }

    CComPtr<IHTMLDocument2> m_pDocument;
    CComQIPtr<IHTMLDocument3> m_pDocument3;
    CComPtr<IHTMLWindow2> m_pWindow;
};

TEST_F(ContextMenuTest, InlineCancelOnTheElementOrAnAncestor) {
    EXPECT_TRUE(Raise(u"plain"));
    EXPECT_FALSE(Raise(u"marked"));
    EXPECT_FALSE(Raise(u"inner"));

    const auto& records = CContextMenuRecorder::Get().GetRecords();
    ASSERT_EQ(3u, records.size());
    EXPECT_EQ(u"http://pages.test/menu.html", records[0].strUrl);
    EXPECT_EQ(u"P", records[0].strTagName);
    EXPECT_EQ(u"plain", records[0].strId);
    EXPECT_TRUE(records[0].bBrowserMenuShown);
    EXPECT_EQ(u"B", records[2].strTagName);
    EXPECT_FALSE(records[2].bBrowserMenuShown);
}

TEST_F(ContextMenuTest, HandlerSeesTheEventAsTheWindowsCurrentEvent) {
    int nCalls = 0;
    CComPtr<IHTMLElement> pSource;
    Install(CTestHandler::Create([&](VARIANT*) {
        ++nCalls;
        CComPtr<IHTMLEventObj> pEvent = CurrentEvent();
        ASSERT_TRUE(pEvent);
        EXPECT_EQ(u"contextmenu", Text(&IHTMLEventObj::get_type, pEvent.p));
        EXPECT_EQ(S_OK, pEvent->get_srcElement(&pSource));
    }));
    EXPECT_FALSE(CurrentEvent());

    EXPECT_FALSE(Raise(u"inner"));
    EXPECT_EQ(1, nCalls);
    EXPECT_EQ(ElementById(m_pDocument, u"inner").p, pSource.p);
    EXPECT_FALSE(CurrentEvent());

    EXPECT_TRUE(Raise(u"plain"));
    EXPECT_EQ(2, nCalls);
}

TEST_F(ContextMenuTest, OnlyTheRaisingDocumentHasAnEvent) {
    CComPtr<IHTMLDocument2> pOther = LoadPage(u"<p id=x>other");
    CComPtr<IHTMLWindow2> pOtherWindow;
    ASSERT_EQ(S_OK, pOther->get_parentWindow(&pOtherWindow));
    bool bOtherHadEvent = true;
    Install(CTestHandler::Create([&](VARIANT*) {
        CComPtr<IHTMLEventObj> pEvent;
        pOtherWindow->get_event(&pEvent);
        bOtherHadEvent = static_cast<bool>(pEvent);
    }));
    Raise(u"plain");
    EXPECT_FALSE(bOtherHadEvent);
}

TEST_F(ContextMenuTest, HandlerCancelsThroughReturnValueOrResult) {
    Install(CTestHandler::Create(
        [&](VARIANT*) { EXPECT_EQ(S_OK, CurrentEvent()->put_returnValue(CComVariant(false))); }));
    EXPECT_FALSE(Raise(u"plain"));

    Install(CTestHandler::Create([](VARIANT* pResult) {
        pResult->vt = VT_BOOL;
        pResult->boolVal = VARIANT_FALSE;
    }));
    EXPECT_FALSE(Raise(u"plain"));
}

TEST_F(ContextMenuTest, InstallingReplacesAndReleasesTheEarlierHandler) {
    bool bFirstDestroyed = false;
    int nFirstCalls = 0;
    int nSecondCalls = 0;
    Install(CTestHandler::Create([&](VARIANT*) { ++nFirstCalls; }, &bFirstDestroyed));
    Install(CTestHandler::Create([&](VARIANT*) { ++nSecondCalls; }));
    EXPECT_TRUE(bFirstDestroyed);
    Raise(u"plain");
    EXPECT_EQ(0, nFirstCalls);
    EXPECT_EQ(1, nSecondCalls);

    CComVariant installed;
    ASSERT_EQ(S_OK, m_pDocument3->get_oncontextmenu(&installed));
    EXPECT_EQ(VT_DISPATCH, installed.vt);
    installed.Clear();
    ASSERT_EQ(S_OK, m_pDocument3->put_oncontextmenu(CComVariant()));
    ASSERT_EQ(S_OK, m_pDocument3->get_oncontextmenu(&installed));
    EXPECT_EQ(VT_NULL, installed.vt);
}

// The handler removes itself while it runs (the document held its only reference).
TEST_F(ContextMenuTest, HandlerThatRemovesItself) {
    bool bDestroyed = false;
    Install(CTestHandler::Create(
        [&](VARIANT*) {
            EXPECT_EQ(S_OK, m_pDocument3->put_oncontextmenu(CComVariant()));
            EXPECT_FALSE(bDestroyed);
        },
        &bDestroyed));
    EXPECT_TRUE(Raise(u"plain"));
    EXPECT_TRUE(bDestroyed);
}

TEST_F(ContextMenuTest, ElementsOutsideTheDocumentAreRefused) {
    CComPtr<IHTMLElement> pInner = ElementById(m_pDocument, u"inner");
    ASSERT_EQ(S_OK, ElementById(m_pDocument, u"marked")->put_outerText(CComBSTR(u"marked term")));
    bool bShown = true;
    EXPECT_EQ(E_INVALIDARG, RaiseContextMenu(pInner, &bShown));
    EXPECT_FALSE(bShown);
    EXPECT_EQ(E_INVALIDARG, RaiseContextMenu(nullptr, &bShown));
    EXPECT_TRUE(CContextMenuRecorder::Get().GetRecords().empty());
}

}  // namespace
