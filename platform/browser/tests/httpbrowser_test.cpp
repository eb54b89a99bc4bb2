// Pages over loopback HTTP: charsets from Content-Type, term files, frames, error statuses,
// redirects and servers that are not there.
#include <gtest/gtest.h>

#include "platform/browser/tests/browsertest.h"
#include "platform/testsupport/httptestserver.h"

namespace {

class BrowserOverHttp : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        m_pBrowser = NewBrowser();
        ASSERT_TRUE(m_pBrowser);
    }
    void TearDown() override {
        m_pBrowser.Release();
        m_server.Stop();
        BrowserTest::TearDown();
    }

    CComPtr<IWebBrowser2> m_pBrowser;
    CHttpTestServer m_server;
};

TEST_F(BrowserOverHttp, DecodesAPageInTheCharsetOfItsContentType) {
    struct {
        std::string contentType;
        std::string body;
        std::string text;
    } const cases[] = {
        {"text/html; charset=windows-1252", "<p>caf\xe9 \x93quoted\x94</p>",
         "caf\xc3\xa9 \xe2\x80\x9cquoted\xe2\x80\x9d"},
        {"text/html; charset=ISO-8859-1", "<p>na\xefve</p>", "na\xc3\xafve"},
        {"text/html; charset=utf-8", "<p>caf\xc3\xa9</p>", "caf\xc3\xa9"},
        {"text/html", "<meta charset='utf-8'><p>\xc3\xbc</p>", "\xc3\xbc"},
    };
    ASSERT_TRUE(m_server.Start());
    int n = 0;
    for (const auto& c : cases) {
        std::string path = "/page" + std::to_string(++n) + ".html";
        m_server.AddRoute(path, {.contentType = c.contentType, .body = c.body});
        ASSERT_EQ(NavigateTo(m_pBrowser, m_server.GetUrl(path)), S_OK);
        EXPECT_EQ(BodyText(DocumentOf(m_pBrowser)), c.text) << c.contentType;
        EXPECT_EQ(LocationOf(m_pBrowser), m_server.GetUrl(path));
    }
    EXPECT_EQ(m_server.GetRequestCount(), std::size(cases));
}

TEST_F(BrowserOverHttp, ReadsATermFileServedAsPlainText) {
    const std::string onto = "Grand Canyon\tplace\r\nE.coli\tbacterium\r\n";
    m_server.AddRoute("/lexicons/news.onto", {.contentType = "text/plain", .body = onto});
    m_server.AddRoute("/lexicons/bare.onto", {.contentType = "", .body = onto});
    ASSERT_TRUE(m_server.Start());

    for (std::string path : {"/lexicons/news.onto", "/lexicons/bare.onto"}) {
        ASSERT_EQ(NavigateTo(m_pBrowser, m_server.GetUrl(path)), S_OK);
        std::string text = BodyText(DocumentOf(m_pBrowser));
        std::erase(text, '\r');
        EXPECT_EQ(text, "Grand Canyon\tplace\nE.coli\tbacterium\n") << path;
    }
}

TEST_F(BrowserOverHttp, LoadsFramesFromTheSameServer) {
    m_server.AddRoute("/site/index.html",
                      {.body = "<frameset><frame src='menu.html'><frame src='/top.txt'>"
                               "</frameset>"});
    m_server.AddRoute("/site/menu.html", {.body = "<p>Menu</p>"});
    m_server.AddRoute("/top.txt", {.contentType = "text/plain", .body = "Top text"});
    ASSERT_TRUE(m_server.Start());
    ASSERT_EQ(NavigateTo(m_pBrowser, m_server.GetUrl("/site/index.html")), S_OK);

    std::vector<CComPtr<IWebBrowser2>> vecFrames = FramesOf(DocumentOf(m_pBrowser));
    ASSERT_EQ(vecFrames.size(), 2u);
    EXPECT_EQ(BodyText(DocumentOf(vecFrames[0])), "Menu");
    EXPECT_EQ(BodyText(DocumentOf(vecFrames[1])), "Top text");
    std::vector<SRecordedRequest> requests = m_server.GetRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].path, "/site/menu.html");
    EXPECT_EQ(requests[2].path, "/top.txt");
}

TEST_F(BrowserOverHttp, ShowsTheServersOwnPageForAnErrorStatus) {
    m_server.AddRoute("/gone.html", {.status = 404, .body = "<p>No such page here</p>"});
    ASSERT_TRUE(m_server.Start());
    ASSERT_EQ(NavigateTo(m_pBrowser, m_server.GetUrl("/gone.html")), S_OK);
    EXPECT_EQ(BodyText(DocumentOf(m_pBrowser)), "No such page here");
    EXPECT_EQ(LocationOf(m_pBrowser), m_server.GetUrl("/gone.html"));
}

TEST_F(BrowserOverHttp, FollowsARedirectToItsTarget) {
    m_server.AddRedirect("/old.html", "/new.html");
    m_server.AddRoute("/new.html", {.body = "<p>New</p>"});
    ASSERT_TRUE(m_server.Start());
    CRecordingSink sink;
    ASSERT_EQ(sink.DispEventAdvise(m_pBrowser), S_OK);
    ASSERT_EQ(NavigateTo(m_pBrowser, m_server.GetUrl("/old.html")), S_OK);

    EXPECT_EQ(LocationOf(m_pBrowser), m_server.GetUrl("/new.html"));
    EXPECT_EQ(sink.Describe(Labels(m_pBrowser), m_server.GetBaseUrl()),
              (std::vector<std::string>{"BeforeNavigate2 top /old.html", "DownloadBegin",
                                        "NavigateComplete2 top /new.html",
                                        "DocumentComplete top /new.html", "DownloadComplete"}));
}

TEST_F(BrowserOverHttp, ShowsAnErrorPageWhenNoServerAnswers) {
    ASSERT_TRUE(m_server.Start());
    std::string url = m_server.GetUrl("/page.html");
    m_server.Stop();
    ASSERT_EQ(NavigateTo(m_pBrowser, url), S_OK);
    EXPECT_EQ(LocationOf(m_pBrowser), url);
    std::string text = BodyText(DocumentOf(m_pBrowser));
    EXPECT_NE(text.find("ConnectFailed"), std::string::npos) << text;
}

}  // namespace
