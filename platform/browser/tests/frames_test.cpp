// Frames: nesting, the walk the system makes over them, plain text frames, pages that frame
// themselves, and the frame browser's own sinks.
#include <gtest/gtest.h>

#include "platform/browser/tests/browsertest.h"

namespace {

class BrowserFrames : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        m_pBrowser = NewBrowser();
        ASSERT_TRUE(m_pBrowser);
    }
    void TearDown() override {
        m_pBrowser.Release();
        BrowserTest::TearDown();
    }

    // The system's document walk: each document, then its frames' documents, depth first; the
    // body text of every content document in the order reached.
    static void Walk(IDispatch* pDocument, std::vector<std::string>& texts) {
        std::string text = BodyText(pDocument);
        if (text != "<no body element>") {
            texts.push_back(text);
        }
        for (const CComPtr<IWebBrowser2>& pFrame : FramesOf(pDocument)) {
            if (CComPtr<IDispatch> pFrameDocument = DocumentOf(pFrame)) {
                Walk(pFrameDocument, texts);
            }
        }
    }

    CComPtr<IWebBrowser2> m_pBrowser;
};

TEST_F(BrowserFrames, ReachesEveryContentDocumentOfFramesThreeLevelsDeepOnce) {
    Write("top.html",
          "<frameset rows='*,*'><frame src='one/a.html'><frame src='b.html'></frameset>");
    Write("one/a.html",
          "<frameset cols='*,*'><frame src='two/c.html'><frame src='d.html'>"
          "</frameset>");
    Write("one/two/c.html", "<p>level two</p><iframe src='../../three.html'></iframe>");
    Write("three.html", "<p>level three</p>");
    Write("one/d.html", "<p>sibling at two</p>");
    Write("b.html", "<p>level one</p>");
    ASSERT_EQ(NavigateTo(m_pBrowser, Url("top.html")), S_OK);

    std::vector<std::string> texts;
    Walk(DocumentOf(m_pBrowser), texts);
    EXPECT_EQ(texts, (std::vector<std::string>{"level two", "level three", "sibling at two",
                                               "level one"}));
}

TEST_F(BrowserFrames, ReadsAPlainTextFrameThroughItsBodyTextRange) {
    Write("set.html",
          "<frameset cols='20%,*'><frame src='news.onto'><frame src='page.html'></frameset>");
    Write("news.onto", "Grand Canyon\tplace\r\nArt   deco\tstyle\r\n");
    Write("page.html", "<p>The page</p>");
    ASSERT_EQ(NavigateTo(m_pBrowser, Url("set.html")), S_OK);

    CComPtr<IDispatch> pTop = DocumentOf(m_pBrowser);
    EXPECT_EQ(BodyText(pTop), "<no body element>") << "a frameset is not a body";
    std::vector<CComPtr<IWebBrowser2>> vecFrames = FramesOf(pTop);
    ASSERT_EQ(vecFrames.size(), 2u);
    std::string text = BodyText(DocumentOf(vecFrames[0]));
    std::erase(text, '\r');
    EXPECT_EQ(text, "Grand Canyon\tplace\nArt   deco\tstyle\n");
    EXPECT_EQ(BodyText(DocumentOf(vecFrames[1])), "The page");
}

TEST_F(BrowserFrames, StopsAPageThatFramesItselfAtTheDepthLimit) {
    Write("self.html", "<p>again</p><iframe src='self.html'></iframe>");
    ASSERT_EQ(NavigateTo(m_pBrowser, Url("self.html")), S_OK);

    int nDepth = 0;
    CComPtr<IDispatch> pDocument = DocumentOf(m_pBrowser);
    while (true) {
        std::vector<CComPtr<IWebBrowser2>> vecFrames = FramesOf(pDocument);
        if (vecFrames.empty()) {
            break;
        }
        ASSERT_EQ(vecFrames.size(), 1u);
        pDocument = DocumentOf(vecFrames[0]);
        ASSERT_TRUE(pDocument);
        ++nDepth;
    }
    EXPECT_EQ(nDepth, CWebBrowser::kMaxFrameDepth);
    EXPECT_EQ(BodyText(pDocument), "again");
}

TEST_F(BrowserFrames, LoadsInlineFramesOfABodyWithAndWithoutASource) {
    Write("body.html",
          "<p>Text</p><iframe src=' inner/x.html '></iframe><iframe></iframe>"
          "<template><iframe src='never.html'></iframe></template>");
    Write("inner/x.html", "<p>X</p>");
    ASSERT_EQ(NavigateTo(m_pBrowser, Url("body.html")), S_OK);

    std::vector<CComPtr<IWebBrowser2>> vecFrames = FramesOf(DocumentOf(m_pBrowser));
    ASSERT_EQ(vecFrames.size(), 2u);
    EXPECT_EQ(LocationOf(vecFrames[0]), Url("inner/x.html"));
    EXPECT_EQ(LocationOf(vecFrames[1]), "about:blank");
}

TEST_F(BrowserFrames, AFrameNavigatedOnItsOwnTellsItsOwnSinksAndTheTopLevelOnes) {
    Write("set.html", "<frameset><frame src='a.html'></frameset>");
    Write("a.html", "<p>A</p>");
    std::string b = Write("b.html", "<p>B</p>");
    ASSERT_EQ(NavigateTo(m_pBrowser, Url("set.html")), S_OK);
    CComPtr<IWebBrowser2> pFrame = FramesOf(DocumentOf(m_pBrowser)).at(0);
    CRecordingSink topSink;
    CRecordingSink frameSink;
    ASSERT_EQ(topSink.DispEventAdvise(m_pBrowser), S_OK);
    ASSERT_EQ(frameSink.DispEventAdvise(pFrame), S_OK);

    ASSERT_EQ(NavigateTo(pFrame, b), S_OK);

    std::vector<std::string> expected = {
        "BeforeNavigate2 top/0 b.html",  "DownloadBegin",    "NavigateComplete2 top/0 b.html",
        "DocumentComplete top/0 b.html", "DownloadComplete",
    };
    EXPECT_EQ(topSink.Describe(Labels(m_pBrowser), m_strPrefix), expected);
    EXPECT_EQ(frameSink.Describe(Labels(m_pBrowser), m_strPrefix), expected);
    EXPECT_EQ(BodyText(DocumentOf(pFrame)), "B");
    EXPECT_EQ(LocationOf(m_pBrowser), Url("set.html"));
    SHANDLE_PTR hwnd = 1;
    EXPECT_EQ(pFrame->get_HWND(&hwnd), E_FAIL);
    EXPECT_EQ(hwnd, 0);
}

TEST_F(BrowserFrames, ATopLevelBrowserLetGoOfDuringAFrameEventLastsToTheEventsEnd) {
    Write("set.html", "<frameset><frame src='a.html'></frameset>");
    Write("a.html", "<p>A</p>");
    std::string b = Write("b.html", "<p>B</p>");
    ASSERT_EQ(NavigateTo(m_pBrowser, Url("set.html")), S_OK);
    CComPtr<IWebBrowser2> pFrame = FramesOf(DocumentOf(m_pBrowser)).at(0);
    CRecordingSink frameSink;
    ASSERT_EQ(frameSink.DispEventAdvise(pFrame), S_OK);
    // The frame's own sinks hear of it first; this one drops the last reference to the page's
    // browser before the top-level sinks are told.
    frameSink.m_fnReact = [this](const SRecordedEvent& event, VARIANT_BOOL*) {
        if (event.dispid == DISPID_BEFORENAVIGATE2) {
            m_pBrowser.Release();
        }
    };

    ASSERT_EQ(NavigateTo(pFrame, b), S_OK);
    VARIANT_BOOL bTopLevel = VARIANT_FALSE;
    EXPECT_EQ(pFrame->get_TopLevelContainer(&bTopLevel), S_OK);
    EXPECT_EQ(bTopLevel, VARIANT_TRUE) << "the page's browser is gone";
    EXPECT_EQ(BodyText(DocumentOf(pFrame)), "B");
}

}  // namespace
