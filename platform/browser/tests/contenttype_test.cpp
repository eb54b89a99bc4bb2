#include "platform/browser/contenttype.h"

#include <gtest/gtest.h>

namespace {

TEST(ContentType, SplitsTheHeaderIntoTypeAndCharset) {
    struct {
        const char* header;
        const char* mediaType;
        const char* charset;
    } const cases[] = {
        {"text/html", "text/html", ""},
        {"text/html; charset=UTF-8", "text/html", "utf-8"},
        {"Text/HTML;Charset=\"ISO-8859-1\"", "text/html", "iso-8859-1"},
        {"text/plain; format=flowed; charset=windows-1252 ", "text/plain", "windows-1252"},
        {" text/xml ; boundary=x", "text/xml", ""},
        {"text/html; charset=", "text/html", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SContentType type = ParseContentType(c.header);
        EXPECT_EQ(type.mediaType, c.mediaType) << c.header;
        EXPECT_EQ(type.charset, c.charset) << c.header;
    }
}

TEST(ContentType, KnowsFilesByTheirExtension) {
    struct {
        const char* path;
        const char* mediaType;
    } const cases[] = {
        {"/a/page.html", "text/html"},    {"C:\\Lirset\\PAGE.HTM", "text/html"},
        {"/a/news.onto", "text/plain"},   {"/a/news.menu", "text/plain"},
        {"/a/read.me.txt", "text/plain"}, {"/a/data.xml", "text/xml"},
        {"/a/s.css", "text/css"},         {"/a/s.js", "text/javascript"},
        {"/a/i.png", "image/png"},        {"/a/i.gif", "image/gif"},
        {"/a/i.JPG", "image/jpeg"},       {"/a/i.jpeg", "image/jpeg"},
        {"/a/i.bmp", "image/bmp"},        {"/a/archive.zip", ""},
        {"/a.dir/noextension", ""},       {"/a/.profile", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MediaTypeForExtension(c.path), c.mediaType) << c.path;
    }
}

TEST(ContentType, SniffsFilesWithoutAnExtension) {
    EXPECT_EQ(MediaTypeForFile("/a/page", "  \r\n\t<html><body>x</body></html>"), "text/html");
    EXPECT_EQ(MediaTypeForFile("/a/page", "\xEF\xBB\xBF<!DOCTYPE html>"), "text/html");
    EXPECT_EQ(MediaTypeForFile("/a/terms", "Person\tperson\n<not markup>"), "text/plain");
    EXPECT_EQ(MediaTypeForFile("/a/empty", ""), "text/plain");
    EXPECT_EQ(MediaTypeForFile("/a.d/.hidden", "<p>"), "text/html");
}

TEST(ContentType, CallsUnlistedExtensionsBinaryWhateverTheyHold) {
    EXPECT_EQ(MediaTypeForFile("/a/archive.zip", "<html>"), "application/octet-stream");
    EXPECT_EQ(MediaTypeForFile("/a/page.html", "plain words"), "text/html");
}

}  // namespace
