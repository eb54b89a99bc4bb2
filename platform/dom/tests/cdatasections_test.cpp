// CDATA sections never reach the parser as such: pages that made it abort now parse.
#include "platform/dom/cdatasections.h"

#include <gtest/gtest.h>

#include "platform/dom/tests/domtesthelpers.h"

namespace {

using domtest::BodyHtml;
using domtest::Parse;

TEST(CDataSections, BecomeCommentsOutsideRawText) {
    struct SCase {
        const char* pszHtml;
        const char* pszRewritten;
    };
    const SCase cases[] = {
        {"<p>no sections</p>", "<p>no sections</p>"},
        {"a<![CDATA[x<y]]>b", "a<!--[CDATA[x<y]]-->b"},
        {"a<![CDATA[open to the end", "a<!--[CDATA[open to the end-->"},
        {"<script>//<![CDATA[\nx();\n//]]></script><![CDATA[z]]>",
         "<script>//<![CDATA[\nx();\n//]]></script><!--[CDATA[z]]-->"},
        {"<STYLE type=x><![CDATA[p{}]]></STYLE>", "<STYLE type=x><![CDATA[p{}]]></STYLE>"},
        {"<!-- <![CDATA[x]]> --><![CDATA[y]]>", "<!-- <![CDATA[x]]> --><!--[CDATA[y]]-->"},
        {"<scripts><![CDATA[x]]>", "<scripts><!--[CDATA[x]]-->"},
        {"<plaintext><![CDATA[x]]>", "<plaintext><![CDATA[x]]>"},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(NeutraliseCDataSections(c.pszHtml), c.pszRewritten) << c.pszHtml;
    }
}

TEST(CDataSections, InIntegrationPointsWithinTablesParseWithoutAborting) {
    for (const char* pszHtml :
         {"<table><svg><desc><![CDATA[x]]>y", "<table><math><mi><![CDATA[x]]>y",
          "<table><svg><title><![CDATA[x]]>y"}) {
        CNodeRef<CDocument> pDocument = Parse(pszHtml);
        ASSERT_TRUE(pDocument) << pszHtml;
        EXPECT_NE(BodyHtml(*pDocument).find("<!--[CDATA[x]]-->"), std::string::npos)
            << BodyHtml(*pDocument);
    }
}

TEST(CDataSections, InHtmlContentGiveTheCommentTheParserWouldHaveMade) {
    EXPECT_EQ(BodyHtml(*Parse("<p>a<![CDATA[x]]>b</p>")), "<p>a<!--[CDATA[x]]-->b</p>");
}

}  // namespace
