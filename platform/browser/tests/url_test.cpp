#include "platform/browser/url.h"

#include <gtest/gtest.h>

namespace {

struct SResolveCase {
    const char* reference;
    const char* expected;
};

void ExpectResolves(const SResolveCase* cases, size_t count) {
    std::optional<CUrl> base = CUrl::Parse("http://a/b/c/d;p?q");
    ASSERT_TRUE(base);
    for (size_t i = 0; i < count; ++i) {
        std::optional<CUrl> resolved = base->Resolve(cases[i].reference);
        ASSERT_TRUE(resolved) << cases[i].reference;
        EXPECT_EQ(resolved->ToString(), cases[i].expected) << cases[i].reference;
    }
}

TEST(Url, ResolvesTheNormalExamples) {
    const SResolveCase cases[] = {
        {"g:h", "g:h"},
        {"g", "http://a/b/c/g"},
        {"./g", "http://a/b/c/g"},
        {"g/", "http://a/b/c/g/"},
        {"/g", "http://a/g"},
        {"//g", "http://g"},
        {"?y", "http://a/b/c/d;p?y"},
        {"g?y", "http://a/b/c/g?y"},
        {"#s", "http://a/b/c/d;p?q#s"},
        {"g#s", "http://a/b/c/g#s"},
        {"g?y#s", "http://a/b/c/g?y#s"},
        {";x", "http://a/b/c/;x"},
        {"g;x", "http://a/b/c/g;x"},
        {"g;x?y#s", "http://a/b/c/g;x?y#s"},
        {"", "http://a/b/c/d;p?q"},
        {".", "http://a/b/c/"},
        {"./", "http://a/b/c/"},
        {"..", "http://a/b/"},
        {"../", "http://a/b/"},
        {"../g", "http://a/b/g"},
        {"../..", "http://a/"},
        {"../../", "http://a/"},
        {"../../g", "http://a/g"},
    };
    ExpectResolves(cases, std::size(cases));
}

TEST(Url, ResolvesTheAbnormalExamples) {
    const SResolveCase cases[] = {
        {"../../../g", "http://a/g"},
        {"../../../../g", "http://a/g"},
        {"/./g", "http://a/g"},
        {"/../g", "http://a/g"},
        {"g.", "http://a/b/c/g."},
        {".g", "http://a/b/c/.g"},
        {"g..", "http://a/b/c/g.."},
        {"..g", "http://a/b/c/..g"},
        {"./../g", "http://a/b/g"},
        {"./g/.", "http://a/b/c/g/"},
        {"g/./h", "http://a/b/c/g/h"},
        {"g/../h", "http://a/b/c/h"},
        {"g;x=1/./y", "http://a/b/c/g;x=1/y"},
        {"g;x=1/../y", "http://a/b/c/y"},
        {"g?y/./x", "http://a/b/c/g?y/./x"},
        {"g?y/../x", "http://a/b/c/g?y/../x"},
        {"g#s/./x", "http://a/b/c/g#s/./x"},
        {"g#s/../x", "http://a/b/c/g#s/../x"},
        {"http:g", "http:g"},
    };
    ExpectResolves(cases, std::size(cases));
}

TEST(Url, ResolvesFrameSourcesAgainstPagesWithoutAPath) {
    EXPECT_EQ(CUrl::Parse("http://h:8080")->Resolve("f.html")->ToString(), "http://h:8080/f.html");
    EXPECT_EQ(CUrl::Parse("file:///C:/Lirset/top.html")->Resolve("frames/a.html")->ToString(),
              "file:///C:/Lirset/frames/a.html");
    EXPECT_EQ(CUrl::Parse("file:///tmp/top.html")->Resolve("../../../x.html")->ToString(),
              "file:///x.html");
}

TEST(Url, SplitsIntoItsParts) {
    std::optional<CUrl> url =
        CUrl::Parse("HTTP://user:pw@Example.org:3000/open-lirset-page?url=%22x%22&t=1#top");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->GetScheme(), "http");
    EXPECT_EQ(url->GetUserInfo(), "user:pw");
    EXPECT_EQ(url->GetHost(), "Example.org");
    EXPECT_EQ(url->GetPort(), 3000);
    EXPECT_EQ(url->GetPath(), "/open-lirset-page");
    EXPECT_EQ(url->GetQuery(), "url=%22x%22&t=1");
    EXPECT_EQ(url->GetFragment(), "top");

    std::optional<CUrl> ipv6 = CUrl::Parse("http://[::1]:8080/x");
    ASSERT_TRUE(ipv6);
    EXPECT_EQ(ipv6->GetHost(), "[::1]");
    EXPECT_EQ(ipv6->GetPort(), 8080);

    std::optional<CUrl> blank = CUrl::Parse("about:blank");
    ASSERT_TRUE(blank);
    EXPECT_FALSE(blank->HasAuthority());
    EXPECT_EQ(blank->GetPath(), "blank");
}

TEST(Url, SerialisesBackAsWritten) {
    const char* texts[] = {
        "http://a/b?",
        "http://a/b#",
        "http://a/b?#",
        "file:///tmp/x",
        "//host/only",
        "?q",
        "#f",
        "mailto:x@y",
        "http://u@h:81/p?q#f",
        "http://a/b?x=\"y z\"",
        "about:blank",
        "",
    };
    for (const char* text : texts) {
        std::optional<CUrl> url = CUrl::Parse(text);
        ASSERT_TRUE(url) << text;
        EXPECT_EQ(url->ToString(), text);
    }
}

TEST(Url, RefusesMalformedSchemesAndPorts) {
    const char* texts[] = {
        "1http://a/",      ":nothing",         "ht tp://a/",    "http://a:port/",
        "http://a:65536/", "http://a:123456/", "http://[::1/x",
    };
    for (const char* text : texts) {
        EXPECT_FALSE(CUrl::Parse(text)) << text;
    }
    EXPECT_EQ(CUrl::Parse("http://a:65535/")->GetPort(), 65535);
    EXPECT_EQ(CUrl::Parse("http://a:/")->GetPort(), -1);
}

TEST(Url, FragmentsCanBeReplacedAndRemoved) {
    CUrl url = *CUrl::Parse("http://a/b?q#old");
    url.SetFragment("new");
    EXPECT_EQ(url.ToString(), "http://a/b?q#new");
    url.RemoveFragment();
    EXPECT_EQ(url.ToString(), "http://a/b?q");
}

TEST(PercentEncoding, EncodesQueryValuesWhole) {
    EXPECT_EQ(EncodeQueryValue("a-b._~Z9"), "a-b._~Z9");
    EXPECT_EQ(EncodeQueryValue("R&D = \"x\"#1/2?"), "R%26D%20%3D%20%22x%22%231%2F2%3F");
    EXPECT_EQ(EncodeQueryValue("caf\xC3\xA9"), "caf%C3%A9");
    EXPECT_EQ(PercentDecode(EncodeQueryValue("R&D = \"x\" 100%")), "R&D = \"x\" 100%");
}

TEST(PercentEncoding, DecodesEscapesAndKeepsBrokenOnes) {
    EXPECT_EQ(PercentDecode("a%20b%2fc"), "a b/c");
    EXPECT_EQ(PercentDecode("100%"), "100%");
    EXPECT_EQ(PercentDecode("%zz%4"), "%zz%4");
    EXPECT_EQ(PercentDecode("%E2%82%AC"), "\xE2\x82\xAC");
}

TEST(PercentEncoding, JoinsServiceParametersUnchanged) {
    std::string address = AppendQueryParameter("http://h/s?service=find", "name", "no spanId");
    address = AppendQueryParameter(address, "class", "A&B");
    EXPECT_EQ(address, "http://h/s?service=find&name=no spanId&class=A&B");
    EXPECT_EQ(AppendQueryParameter("", "name", "x"), "&name=x");
}

TEST(PercentEncoding, MakesAddressesFitForTheRequestLine) {
    EXPECT_EQ(
        EncodeForTransfer("http://h:3000/open-lirset-page?url=\"http://p/a b\"&topmostPage=\"T\""),
        "http://h:3000/open-lirset-page?url=%22http://p/a%20b%22&topmostPage=%22T%22");
    EXPECT_EQ(EncodeForTransfer("http://h/a%20b?x=50%"), "http://h/a%20b?x=50%25");
    EXPECT_EQ(EncodeForTransfer("http://h/<{|}>\\^`\t\x7F"),
              "http://h/%3C%7B%7C%7D%3E%5C%5E%60%09%7F");
    EXPECT_EQ(EncodeForTransfer("http://h/caf\xC3\xA9"), "http://h/caf%C3%A9");
}

TEST(RemoveDotSegments, FollowsTheRemovalSteps) {
    const SResolveCase cases[] = {
        {"/a/b/c/./../../g", "/a/g"},
        {"mid/content=5/../6", "mid/6"},
        {"/..", "/"},
        {"/a/..", "/"},
        {"..", ""},
        {"a/./b/.", "a/b/"},
        {"/a//../b", "/a/b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RemoveDotSegments(c.reference), c.expected) << c.reference;
    }
}

}  // namespace
