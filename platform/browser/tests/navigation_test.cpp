// Navigation of the top-level browser: the events and their arguments, cancelling, what a response
// becomes, and sinks that call back into the browser.
#include <gtest/gtest.h>

#include "platform/browser/tests/browsertest.h"

namespace {

class BrowserNavigation : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        m_pBrowser = NewBrowser();
        ASSERT_TRUE(m_pBrowser);
        ASSERT_EQ(m_sink.DispEventAdvise(m_pBrowser), S_OK);
    }
    void TearDown() override {
        m_sink.DispEventUnadvise(m_pBrowser);
        m_sink.m_vecEvents.clear();
        m_pBrowser.Release();
        BrowserTest::TearDown();
    }

    // A frameset of two frames, the second holding an inline frame.
    void WriteFramedPage() {
        Write("page.html",
              "<html><head><title>Framed</title></head><frameset cols='50%,50%'>"
              "<frame src='left.html' name='left'><frame src='sub/right.html' name='right'>"
              "</frameset></html>");
        Write("left.html", "<p>Left</p>");
        Write("sub/right.html", "<p>Right</p><iframe src='inner.html' name='inner'></iframe>");
        Write("sub/inner.html", "<p>Inner</p>");
    }

    std::vector<std::string> Events() { return m_sink.Describe(Labels(m_pBrowser), m_strPrefix); }

    CComPtr<IWebBrowser2> m_pBrowser;
    CRecordingSink m_sink;
};

TEST_F(BrowserNavigation, FiresEachFrameBetweenThePageCompletingAndItsDocumentComplete) {
    WriteFramedPage();
    ASSERT_EQ(NavigateTo(m_pBrowser, Url("page.html")), S_OK);

    EXPECT_EQ(Events(), (std::vector<std::string>{
                            "BeforeNavigate2 top page.html",
                            "DownloadBegin",
                            "NavigateComplete2 top page.html",
                            "BeforeNavigate2 top/0 left.html",
                            "NavigateComplete2 top/0 left.html",
                            "DocumentComplete top/0 left.html",
                            "BeforeNavigate2 top/1 sub/right.html",
                            "NavigateComplete2 top/1 sub/right.html",
                            "BeforeNavigate2 top/1/0 sub/inner.html",
                            "NavigateComplete2 top/1/0 sub/inner.html",
                            "DocumentComplete top/1/0 sub/inner.html",
                            "DocumentComplete top/1 sub/right.html",
                            "DocumentComplete top page.html",
                            "DownloadComplete",
                        }));
    EXPECT_FALSE(IsBusy(m_pBrowser));
    READYSTATE state = READYSTATE_UNINITIALIZED;
    EXPECT_EQ(m_pBrowser->get_ReadyState(&state), S_OK);
    EXPECT_EQ(state, READYSTATE_COMPLETE);
}

TEST_F(BrowserNavigation, TellsTheTopLevelBrowserFromItsFramesByIdentity) {
    WriteFramedPage();
    ASSERT_EQ(NavigateTo(m_pBrowser, Url("page.html")), S_OK);

    CComQIPtr<IDispatch> pTop(m_pBrowser.p);
    std::vector<CComPtr<IWebBrowser2>> vecFrames = FramesOf(DocumentOf(m_pBrowser));
    ASSERT_EQ(vecFrames.size(), 2u);
    for (const SRecordedEvent& event : m_sink.m_vecEvents) {
        if (!event.pDisp) {
            continue;
        }
        bool bTop = event.url == Url("page.html");
        EXPECT_EQ(CComPtr<IDispatch>(pTop).IsEqualObject(event.pDisp), bTop) << event.url;
        EXPECT_EQ(event.pDisp.p == pTop.p, bTop) << "pDisp must be the browser's own IDispatch";
        // Each frame's events carry the frame browser, which shows that frame's document.
        CComQIPtr<IWebBrowser2> pNavigating(event.pDisp.p);
        ASSERT_TRUE(pNavigating);
        EXPECT_EQ(DocumentUrl(DocumentOf(pNavigating)), event.url);
    }
    VARIANT_BOOL bTopLevel = VARIANT_TRUE;
    EXPECT_EQ(vecFrames[0]->get_TopLevelContainer(&bTopLevel), S_OK);
    EXPECT_EQ(bTopLevel, VARIANT_FALSE);
    CComPtr<IDispatch> pParent;
    ASSERT_EQ(vecFrames[1]->get_Parent(&pParent), S_OK);
    EXPECT_EQ(pParent.p, pTop.p);
    CComPtr<IDispatch> pApplication;
    ASSERT_EQ(FramesOf(DocumentOf(vecFrames[1]))[0]->get_Application(&pApplication), S_OK);
    EXPECT_EQ(pApplication.p, pTop.p);
}

TEST_F(BrowserNavigation, PassesTheOptionalArgumentsToBeforeNavigate2AndNamesFrames) {
    WriteFramedPage();
    CComVariant flags(LONG{2});
    CComVariant target(u"_self");
    CComVariant headers(u"X-Test: 1\r\n");
    ASSERT_EQ(m_pBrowser->Navigate(CComBSTR(Utf8ToWide(Url("page.html")).c_str()), &flags, &target,
                                   nullptr, &headers),
              S_OK);

    const SRecordedEvent& top = m_sink.m_vecEvents.at(0);
    ASSERT_EQ(top.dispid, DISPID_BEFORENAVIGATE2);
    EXPECT_EQ(top.flags.vt, VT_I4);
    EXPECT_EQ(top.flags.lVal, 2);
    EXPECT_EQ(CComBSTR(top.targetFrameName.bstrVal), CComBSTR(u"_self"));
    EXPECT_EQ(top.postData.vt, VT_EMPTY);
    EXPECT_EQ(CComBSTR(top.headers.bstrVal), CComBSTR(u"X-Test: 1\r\n"));

    std::vector<std::string> vecFrameNames;
    for (const SRecordedEvent& event : m_sink.m_vecEvents) {
        if (event.dispid == DISPID_BEFORENAVIGATE2 && event.url != Url("page.html")) {
            ASSERT_EQ(event.targetFrameName.vt, VT_BSTR);
            vecFrameNames.push_back(WideToUtf8(CComBSTR(event.targetFrameName.bstrVal).View()));
        }
    }
    EXPECT_EQ(vecFrameNames, (std::vector<std::string>{"left", "right", "inner"}));
}

TEST_F(BrowserNavigation, CancelledInBeforeNavigate2KeepsThePageShown) {
    std::string first = Write("first.html", "<title>First</title><p>First page</p>");
    std::string second = Write("second.html", "<p>Second page</p>");
    ASSERT_EQ(NavigateTo(m_pBrowser, first), S_OK);
    CComPtr<IDispatch> pFirst = DocumentOf(m_pBrowser);
    m_sink.m_vecEvents.clear();
    m_sink.m_fnReact = [](const SRecordedEvent& event, VARIANT_BOOL* pbCancel) {
        if (event.dispid == DISPID_BEFORENAVIGATE2) {
            *pbCancel = VARIANT_TRUE;
        }
    };

    ASSERT_EQ(NavigateTo(m_pBrowser, second), S_OK);

    EXPECT_EQ(Events(), (std::vector<std::string>{"BeforeNavigate2 top second.html"}));
    EXPECT_EQ(DocumentOf(m_pBrowser).p, pFirst.p);
    EXPECT_EQ(LocationOf(m_pBrowser), first);
    CComBSTR name;
    ASSERT_EQ(m_pBrowser->get_LocationName(&name), S_OK);
    EXPECT_EQ(name, CComBSTR(u"First"));
    EXPECT_FALSE(IsBusy(m_pBrowser));
}

TEST_F(BrowserNavigation, CancellingOneFrameLeavesItEmptyAndLoadsTheOthers) {
    WriteFramedPage();
    m_sink.m_fnReact = [this](const SRecordedEvent& event, VARIANT_BOOL* pbCancel) {
        if (event.dispid == DISPID_BEFORENAVIGATE2 && event.url == Url("left.html")) {
            *pbCancel = VARIANT_TRUE;
        }
    };
    ASSERT_EQ(NavigateTo(m_pBrowser, Url("page.html")), S_OK);

    std::vector<CComPtr<IWebBrowser2>> vecFrames = FramesOf(DocumentOf(m_pBrowser));
    ASSERT_EQ(vecFrames.size(), 2u);
    EXPECT_FALSE(DocumentOf(vecFrames[0]));
    EXPECT_EQ(BodyText(DocumentOf(vecFrames[1])).substr(0, 5), "Right");
    std::vector<std::string> vecEvents = Events();
    EXPECT_EQ(vecEvents.at(3), "BeforeNavigate2 top/0 left.html");
    EXPECT_EQ(vecEvents.at(4), "BeforeNavigate2 top/1 sub/right.html");
    EXPECT_EQ(vecEvents.at(vecEvents.size() - 2), "DocumentComplete top page.html");
}

TEST_F(BrowserNavigation, ShowsAnErrorPageAndKeepsTheAddressAskedFor) {
    std::string missing = Url("missing.html");
    ASSERT_EQ(NavigateTo(m_pBrowser, missing), S_OK);

    EXPECT_EQ(LocationOf(m_pBrowser), missing);
    CComPtr<IDispatch> pDocument = DocumentOf(m_pBrowser);
    EXPECT_EQ(DocumentUrl(pDocument), missing);
    std::string text = BodyText(pDocument);
    EXPECT_NE(text.find("Cannot display the page"), std::string::npos) << text;
    EXPECT_NE(text.find(missing), std::string::npos) << text;
    EXPECT_NE(text.find("NotFound"), std::string::npos) << text;
    EXPECT_EQ(Events(), (std::vector<std::string>{
                            "BeforeNavigate2 top missing.html",
                            "DownloadBegin",
                            "NavigateComplete2 top missing.html",
                            "DocumentComplete top missing.html",
                            "DownloadComplete",
                        }));
}

TEST_F(BrowserNavigation, ShowsATermFileAsPlainTextInABodyOfItsOwn) {
    const std::string onto = "Person\tperson\r\nPlace\t<place> & \"site\"\r\n";
    std::string url = Write("news.onto", onto);
    ASSERT_EQ(NavigateTo(m_pBrowser, url), S_OK);

    std::string text = BodyText(DocumentOf(m_pBrowser));
    std::erase(text, '\r');
    EXPECT_EQ(text, "Person\tperson\nPlace\t<place> & \"site\"\n");
    CComBSTR name;
    ASSERT_EQ(m_pBrowser->get_LocationName(&name), S_OK);
    EXPECT_EQ(WideToUtf8(name.View()), url);
}

TEST_F(BrowserNavigation, RefusesAnEmptyAddressAndAcceptsOneInAVariant) {
    EXPECT_EQ(m_pBrowser->Navigate(nullptr, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    CComVariant number(LONG{7});
    EXPECT_EQ(m_pBrowser->Navigate2(&number, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_TRUE(m_sink.m_vecEvents.empty());
    EXPECT_FALSE(DocumentOf(m_pBrowser));

    std::string url = Write("a.html", "<p>A</p>");
    CComVariant address(Utf8ToWide(url).c_str());
    VARIANT reference;
    VariantInit(&reference);
    reference.vt = VT_BYREF | VT_VARIANT;
    reference.pvarVal = &address;
    ASSERT_EQ(m_pBrowser->Navigate2(&reference, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(LocationOf(m_pBrowser), url);
}

TEST_F(BrowserNavigation, ANavigationStartedByASinkEndsTheOneUnderWay) {
    WriteFramedPage();
    std::string other = Write("other.html", "<p>Other</p>");
    bool bRedirected = false;
    m_sink.m_fnReact = [&](const SRecordedEvent& event, VARIANT_BOOL*) {
        if (event.dispid == DISPID_NAVIGATECOMPLETE2 && !bRedirected) {
            bRedirected = true;
            NavigateTo(m_pBrowser, other);
        }
    };
    ASSERT_EQ(NavigateTo(m_pBrowser, Url("page.html")), S_OK);

    // The frames of the page left and its DocumentComplete never come.
    EXPECT_EQ(Events(), (std::vector<std::string>{
                            "BeforeNavigate2 top page.html",
                            "DownloadBegin",
                            "NavigateComplete2 top page.html",
                            "BeforeNavigate2 top other.html",
                            "DownloadComplete",
                            "DownloadBegin",
                            "NavigateComplete2 top other.html",
                            "DocumentComplete top other.html",
                            "DownloadComplete",
                        }));
    EXPECT_EQ(LocationOf(m_pBrowser), other);
    EXPECT_FALSE(IsBusy(m_pBrowser));
}

TEST_F(BrowserNavigation, FramesOfAPageLeftAreCutLooseFromTheirTopLevelBrowser) {
    WriteFramedPage();
    ASSERT_EQ(NavigateTo(m_pBrowser, Url("page.html")), S_OK);
    CComPtr<IWebBrowser2> pOldFrame = FramesOf(DocumentOf(m_pBrowser)).at(0);
    ASSERT_EQ(NavigateTo(m_pBrowser, Write("plain.html", "<p>x</p>")), S_OK);
    m_sink.m_vecEvents.clear();

    ASSERT_EQ(NavigateTo(pOldFrame, Write("late.html", "<p>late</p>")), S_OK);
    EXPECT_TRUE(m_sink.m_vecEvents.empty());
    VARIANT_BOOL bTopLevel = VARIANT_FALSE;
    EXPECT_EQ(pOldFrame->get_TopLevelContainer(&bTopLevel), S_OK);
    EXPECT_EQ(bTopLevel, VARIANT_TRUE);
    EXPECT_EQ(LocationOf(m_pBrowser), Url("plain.html"));
}

TEST_F(BrowserNavigation, RefreshLoadsThePageAgainQuietly) {
    std::string url = Write("a.html", "<p>Before</p>");
    ASSERT_EQ(NavigateTo(m_pBrowser, url), S_OK);
    Write("a.html", "<p>After</p>");
    m_sink.m_vecEvents.clear();

    ASSERT_EQ(m_pBrowser->Refresh(), S_OK);
    EXPECT_EQ(BodyText(DocumentOf(m_pBrowser)), "After");
    EXPECT_EQ(Events(), (std::vector<std::string>{"DownloadBegin", "DownloadComplete"}));
}

}  // namespace
