// Loads over loopback HTTP from the test server, and the server's own record of what it got.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/browser/resourceloader.h"
#include "platform/testsupport/httptestserver.h"

namespace {

using namespace std::chrono_literals;

class HttpLoader : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_server.Start()); }

    CHttpTestServer m_server;
    CResourceLoader m_loader;
};

TEST_F(HttpLoader, LoadsAPageWithItsCharset) {
    m_server.AddRoute("/page.html",
                      {.contentType = "text/html; charset=windows-1252", .body = "<p>caf\xE9</p>"});
    SResourceResponse response = m_loader.Load(m_server.GetUrl("/page.html"));
    ASSERT_TRUE(response.Succeeded()) << response.error.message;
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.url, m_server.GetUrl("/page.html"));
    EXPECT_EQ(response.contentType.mediaType, "text/html");
    EXPECT_EQ(response.contentType.charset, "windows-1252");
    EXPECT_EQ(response.body, "<p>caf\xE9</p>");
}

TEST_F(HttpLoader, TypesAnswersWithoutContentTypeByPathOrContent) {
    m_server.AddRoute("/lexicon.onto", {.contentType = "", .body = "<looks like markup>"});
    m_server.AddRoute("/page", {.contentType = "", .body = " <html></html>"});
    m_server.AddRoute("/text", {.contentType = "", .body = "words"});
    EXPECT_EQ(m_loader.Load(m_server.GetUrl("/lexicon.onto")).contentType.mediaType, "text/plain");
    EXPECT_EQ(m_loader.Load(m_server.GetUrl("/page")).contentType.mediaType, "text/html");
    EXPECT_EQ(m_loader.Load(m_server.GetUrl("/text")).contentType.mediaType, "text/plain");
}

TEST_F(HttpLoader, GivesErrorStatusesAsResponses) {
    m_server.AddRoute("/broken", {.status = 500, .contentType = "text/plain", .body = "oops"});
    SResourceResponse missing = m_loader.Load(m_server.GetUrl("/nothing/here.onto"));
    ASSERT_TRUE(missing.Succeeded()) << missing.error.message;
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.body, "Not found: /nothing/here.onto");

    SResourceResponse broken = m_loader.Load(m_server.GetUrl("/broken"));
    ASSERT_TRUE(broken.Succeeded()) << broken.error.message;
    EXPECT_EQ(broken.status, 500);
    EXPECT_EQ(broken.contentType.mediaType, "text/plain");
    EXPECT_EQ(broken.body, "oops");
}

TEST_F(HttpLoader, FollowsRedirectsAndReportsWhereItEnded) {
    m_server.AddRedirect("/old", "/middle", 301);
    m_server.AddRedirect("/middle", m_server.GetUrl("/new.onto"));
    m_server.AddRoute("/new.onto", {.contentType = "text/plain", .body = "terms"});
    SResourceResponse response = m_loader.Load(m_server.GetUrl("/old#part"));
    ASSERT_TRUE(response.Succeeded()) << response.error.message;
    EXPECT_EQ(response.status, 200);
    EXPECT_EQ(response.url, m_server.GetUrl("/new.onto#part"));
    EXPECT_EQ(response.body, "terms");
    std::vector<SRecordedRequest> requests = m_server.GetRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].path, "/old");
    EXPECT_EQ(requests[1].path, "/middle");
    EXPECT_EQ(requests[2].path, "/new.onto");
}

TEST_F(HttpLoader, GivesUpOnEndlessRedirects) {
    m_server.AddRedirect("/loop", "/loop");
    CResourceLoader loader(SLoadOptions{.maxRedirects = 3});
    SResourceResponse response = loader.Load(m_server.GetUrl("/loop"));
    EXPECT_EQ(response.error.kind, EResourceError::TooManyRedirects)
        << ResourceErrorName(response.error.kind);
    EXPECT_EQ(m_server.GetRequestCount(), 4u);
}

TEST_F(HttpLoader, TimesOutOnASlowServer) {
    m_server.AddRoute("/slow", {.body = "late", .delay = 5s});
    CResourceLoader loader(SLoadOptions{.totalTimeout = 300ms});
    auto start = std::chrono::steady_clock::now();
    SResourceResponse response = loader.Load(m_server.GetUrl("/slow"));
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(response.error.kind, EResourceError::Timeout)
        << ResourceErrorName(response.error.kind);
    EXPECT_FALSE(response.error.message.empty());
    EXPECT_TRUE(response.body.empty());
    EXPECT_LT(elapsed, 3s);
    EXPECT_EQ(m_server.GetRequestCount(), 1u);
}

TEST(HttpLoaderErrors, ReportsARefusedConnection) {
    std::string url;
    {
        CHttpTestServer closed;
        ASSERT_TRUE(closed.Start());
        url = closed.GetUrl("/x.html");
    }
    SResourceResponse response = CResourceLoader().Load(url);
    EXPECT_EQ(response.error.kind, EResourceError::ConnectFailed)
        << ResourceErrorName(response.error.kind);
    EXPECT_EQ(response.status, 0);
}

TEST_F(HttpLoader, StopsReadingPastTheSizeLimit) {
    m_server.AddRoute("/big", {.body = std::string(4096, 'x')});
    CResourceLoader loader(SLoadOptions{.maxBodyBytes = 1000});
    SResourceResponse response = loader.Load(m_server.GetUrl("/big"));
    EXPECT_EQ(response.error.kind, EResourceError::TooLarge)
        << ResourceErrorName(response.error.kind);
    EXPECT_TRUE(response.body.empty());
}

TEST_F(HttpLoader, SendsUnencodedServiceAddressesAsBrowsersDo) {
    m_server.AddRoute("/open-lirset-page", {.body = "ok"});
    std::string address = m_server.GetUrl(
        "/open-lirset-page?url=\"http://p/a b.html\"&topmostPage=\"T\"&userid=\"Ren\xC3\xA9\"");
    SResourceResponse response = m_loader.Load(address);
    ASSERT_TRUE(response.Succeeded()) << response.error.message;
    ASSERT_EQ(m_server.GetRequestCount(), 1u);
    SRecordedRequest request = m_server.GetRequests()[0];
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.path, "/open-lirset-page");
    EXPECT_EQ(request.query,
              "url=%22http://p/a%20b.html%22&topmostPage=%22T%22&userid=%22Ren%C3%A9%22");
    EXPECT_EQ(request.QueryValue("url"), "\"http://p/a b.html\"");
    EXPECT_EQ(request.QueryValue("topmostPage"), "\"T\"");
    EXPECT_EQ(request.QueryValue("userid"), "\"Ren\xC3\xA9\"");
    EXPECT_EQ(request.QueryValue("missing"), "");
    EXPECT_EQ(request.Header("host"), "127.0.0.1:" + std::to_string(m_server.GetPort()));
    EXPECT_NE(request.Header("User-Agent").find("Lirset"), std::string::npos);
}

TEST_F(HttpLoader, DoesNotSendTheFragment) {
    m_server.AddRoute("/p", {.body = "x"});
    SResourceResponse response = m_loader.Load(m_server.GetUrl("/p?a=1#sec 2"));
    ASSERT_TRUE(response.Succeeded()) << response.error.message;
    EXPECT_EQ(m_server.GetRequests().at(0).target, "/p?a=1");
    EXPECT_EQ(response.url, m_server.GetUrl("/p?a=1#sec 2"));
}

TEST_F(HttpLoader, IgnoresProxiesNamedInTheEnvironment) {
    m_server.AddRoute("/direct", {.body = "direct"});
    setenv("http_proxy", "http://127.0.0.1:1", 1);
    setenv("HTTP_PROXY", "http://127.0.0.1:1", 1);
    SResourceResponse response = m_loader.Load(m_server.GetUrl("/direct"));
    unsetenv("http_proxy");
    unsetenv("HTTP_PROXY");
    ASSERT_TRUE(response.Succeeded()) << response.error.message;
    EXPECT_EQ(response.body, "direct");
}

class HttpServerFolder : public HttpLoader {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lirset-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strFolder = pattern;
        std::filesystem::create_directories(m_strFolder + "/lexicons");
        std::ofstream(m_strFolder + "/lexicons/news.onto") << "Person\tperson\n";
        std::ofstream(m_strFolder + "/index.html") << "<p>home</p>";
        std::ofstream(m_strFolder + "/../lirset-outside.txt") << "outside";
        m_server.ServeFolder(m_strFolder);
        HttpLoader::SetUp();
    }
    void TearDown() override {
        std::filesystem::remove_all(m_strFolder);
        std::filesystem::remove(std::filesystem::path(m_strFolder).parent_path() /
                                "lirset-outside.txt");
    }

    std::string m_strFolder;
};

TEST_F(HttpServerFolder, ServesFilesWithTheirTypes) {
    SResourceResponse lexicon = m_loader.Load(m_server.GetUrl("/lexicons/news.onto"));
    EXPECT_EQ(lexicon.status, 200);
    EXPECT_EQ(lexicon.contentType.mediaType, "text/plain");
    EXPECT_EQ(lexicon.body, "Person\tperson\n");

    SResourceResponse home = m_loader.Load(m_server.GetUrl("/"));
    EXPECT_EQ(home.status, 200);
    EXPECT_EQ(home.contentType.mediaType, "text/html");
    EXPECT_EQ(home.body, "<p>home</p>");

    EXPECT_EQ(m_loader.Load(m_server.GetUrl("/%2E%2E/lirset-outside.txt")).status, 404);
}

TEST_F(HttpLoader, RecordsRequestsFromManyThreads) {
    m_server.AddRoute("/hit", {.body = "x"});
    std::vector<std::thread> clients;
    for (int i = 0; i < 4; ++i) {
        clients.emplace_back([this, i] {
            for (int j = 0; j < 5; ++j) {
                m_loader.Load(m_server.GetUrl("/hit?client=" + std::to_string(i)));
            }
        });
    }
    EXPECT_TRUE(m_server.WaitForRequests(20, 10s));
    for (std::thread& client : clients) {
        client.join();
    }
    EXPECT_EQ(m_server.GetRequestCount(), 20u);
    m_server.ClearRequests();
    EXPECT_EQ(m_server.GetRequestCount(), 0u);
    EXPECT_FALSE(m_server.WaitForRequests(1, 10ms));
}

TEST(HttpTestServer, StopsPromptlyDuringASlowAnswer) {
    std::thread client;
    auto start = std::chrono::steady_clock::now();
    {
        CHttpTestServer server;
        server.AddRoute("/slow", {.delay = 8s});
        ASSERT_TRUE(server.Start());
        std::string url = server.GetUrl("/slow");
        client = std::thread([url] { CResourceLoader().Load(url); });
        EXPECT_TRUE(server.WaitForRequests(1, 5s));
        EXPECT_FALSE(server.Start());
    }
    client.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
}

}  // namespace
