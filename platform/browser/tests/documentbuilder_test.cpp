// What a response becomes: HTML or plain text, the error page, the frames a page asks for and its
// title.
#include "platform/browser/documentbuilder.h"

#include <gtest/gtest.h>

#include "platform/dom/element.h"
#include "platform/text/codepage.h"

namespace {

SResourceResponse Response(std::string mediaType, std::string body,
                           std::string url = "http://pages.test/dir/page") {
    SResourceResponse response;
    response.url = std::move(url);
    response.status = 200;
    response.contentType.mediaType = std::move(mediaType);
    response.body = std::move(body);
    return response;
}

// "pre" when the body holds the text in a PRE as plain text does, else the body's first element.
std::string Shape(CDocument& document) {
    CElement* pBody = document.GetBody();
    if (pBody == nullptr) {
        return "no body";
    }
    for (CNode* p = pBody->GetFirstChild(); p != nullptr; p = p->GetNextSibling()) {
        if (p->IsElement()) {
            return WideToUtf8(static_cast<CElement*>(p)->GetLocalName());
        }
    }
    return "empty";
}

TEST(DocumentBuilder, ParsesHtmlAndShowsEverythingElseAsText) {
    struct {
        std::string mediaType;
        std::string body;
        std::string shape;
    } const cases[] = {
        {"text/html", "<p>x</p>", "p"},
        {"application/xhtml+xml", "<div>x</div>", "div"},
        {"", "  \n<p>sniffed</p>", "p"},
        {"application/octet-stream", "<h1>sniffed</h1>", "h1"},
        {"", "no markup at the start <p>", "pre"},
        {"text/plain", "<p>shown as written</p>", "pre"},
        {"text/xml", "<doc/>", "pre"},
        {"image/png", "\x89PNG", "pre"},
    };
    for (const auto& c : cases) {
        CNodeRef<CDocument> pDocument = BuildDocument(Response(c.mediaType, c.body), u"asked");
        EXPECT_EQ(Shape(*pDocument), c.shape) << c.mediaType << " " << c.body;
        EXPECT_EQ(pDocument->GetUrl(), u"http://pages.test/dir/page");
    }
    CNodeRef<CDocument> pText = BuildDocument(Response("text/plain", "<p>a & b</p>"), u"asked");
    EXPECT_EQ(pText->GetBody()->GetTextContent(), u"<p>a & b</p>");
}

TEST(DocumentBuilder, DecodesPlainTextInTheCharsetGiven) {
    SResourceResponse response = Response("text/plain", "caf\xe9");
    EXPECT_EQ(BuildDocument(response, u"x")->GetBody()->GetTextContent(), u"caf\u00e9");
    response.contentType.charset = "utf-8";
    response.body = "caf\xc3\xa9";
    EXPECT_EQ(BuildDocument(response, u"x")->GetBody()->GetTextContent(), u"caf\u00e9");
}

TEST(DocumentBuilder, MakesAnErrorPageThatNamesTheAddressAskedFor) {
    SResourceResponse failed;
    failed.url = "http://normalised.test/";
    failed.error = {EResourceError::HostNotFound, "no host <called> that"};
    CNodeRef<CDocument> pDocument = BuildDocument(failed, u"http://asked.test/<page>");

    EXPECT_EQ(pDocument->GetUrl(), u"http://asked.test/<page>");
    EXPECT_EQ(GetDocumentTitle(*pDocument), u"Cannot display the page");
    std::string text = WideToUtf8(pDocument->GetBody()->GetTextContent());
    EXPECT_NE(text.find("http://asked.test/<page>"), std::string::npos) << text;
    EXPECT_NE(text.find("HostNotFound: no host <called> that"), std::string::npos) << text;
}

TEST(DocumentBuilder, ResolvesFrameSourcesAgainstThePage) {
    CNodeRef<CDocument> pDocument =
        BuildDocument(Response("text/html",
                               "<frameset><frame src='a.html' name='left'><frame src='/root.html'>"
                               "<frame><frameset><frame src=' ../up.txt '></frameset>"
                               "<frame src='http://other.test/x'></frameset>"),
                      u"");
    std::vector<SFrameSource> sources = FindFrameSources(*pDocument);
    ASSERT_EQ(sources.size(), 5u);
    EXPECT_EQ(sources[0].url, u"http://pages.test/dir/a.html");
    EXPECT_EQ(sources[0].name, u"left");
    EXPECT_EQ(sources[1].url, u"http://pages.test/root.html");
    EXPECT_EQ(sources[2].url, u"about:blank");
    EXPECT_EQ(sources[3].url, u"http://pages.test/up.txt");
    EXPECT_EQ(sources[4].url, u"http://other.test/x");

    CNodeRef<CDocument> pNoFrames =
        BuildDocument(Response("text/html",
                               "<p>x</p><noframes><frame src='a'></noframes>"
                               "<template><iframe src='b'></iframe></template>"),
                      u"");
    EXPECT_TRUE(FindFrameSources(*pNoFrames).empty());
}

TEST(DocumentBuilder, TakesTheFirstTitleWithItsSpaceCollapsed) {
    CNodeRef<CDocument> pDocument = BuildDocument(
        Response("text/html", "<title>\n  Grand \t Canyon  </title><title>Second</title><p>x"),
        u"");
    EXPECT_EQ(GetDocumentTitle(*pDocument), u"Grand Canyon");
    EXPECT_EQ(GetDocumentTitle(*BuildDocument(Response("text/html", "<p>x"), u"")), u"");
}

}  // namespace
