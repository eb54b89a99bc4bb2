#include "platform/browser/fileurl.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

namespace {

class FileUrl : public ::testing::Test {
protected:
    void SetUp() override { setenv("LIRSET_ROOT", "/lirset/root", 1); }
    void TearDown() override { unsetenv("LIRSET_ROOT"); }
};

TEST_F(FileUrl, NamesPathsOfThisMachineAndDrivePaths) {
    struct {
        const char* url;
        const char* path;
        const char* local;
    } const cases[] = {
        {"file:///tmp/page.html", "/tmp/page.html", "/tmp/page.html"},
        {"file://localhost/tmp/page.html", "/tmp/page.html", "/tmp/page.html"},
        {"FILE://LocalHost/tmp/x", "/tmp/x", "/tmp/x"},
        {"file:/tmp/single", "/tmp/single", "/tmp/single"},
        {"file:///tmp/My%20Pages/a%23b.html", "/tmp/My Pages/a#b.html", "/tmp/My Pages/a#b.html"},
        {"file:///tmp/a/../b/./c.html", "/tmp/b/c.html", "/tmp/b/c.html"},
        {"file:///tmp/x.html?q=1#top", "/tmp/x.html", "/tmp/x.html"},
        {"file:///C:/Lirset/news.onto", "C:/Lirset/news.onto",
         "/lirset/root/drive_c/Lirset/news.onto"},
        {"file:///c|/Lirset/Ontology%20Store/_news.onto", "c:/Lirset/Ontology Store/_news.onto",
         "/lirset/root/drive_c/Lirset/Ontology Store/_news.onto"},
        {"file://C:/Lirset/x.html", "C:/Lirset/x.html", "/lirset/root/drive_c/Lirset/x.html"},
        {"file://C:\\Lirset\\x.html", "C:\\Lirset\\x.html", "/lirset/root/drive_c/Lirset/x.html"},
        {"file://localhost/D:/Data/y.menu", "D:/Data/y.menu", "/lirset/root/drive_d/Data/y.menu"},
        {"file:///C:", "C:/", "/lirset/root/drive_c/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileUrlToPath(c.url).value_or("(none)"), c.path) << c.url;
        EXPECT_EQ(FileUrlToLocalPath(c.url).value_or("(none)"), c.local) << c.url;
    }
}

TEST_F(FileUrl, RefusesWhatNamesNoLocalFile) {
    const char* urls[] = {
        "http://h/x", "file://server/share/x", "file:relative/x",
        "file://",    "file:///tmp/a%00b",     "fil:///tmp/x",
    };
    for (const char* url : urls) {
        EXPECT_FALSE(FileUrlToPath(url)) << url;
    }
}

TEST_F(FileUrl, WritesPathsAsUrlsAndReadsThemBack) {
    struct {
        const char* path;
        const char* url;
    } const cases[] = {
        {"/tmp/page.html", "file:///tmp/page.html"},
        {"/tmp/My Pages/a#b?.html", "file:///tmp/My%20Pages/a%23b%3F.html"},
        {"/tmp/100%/caf\xC3\xA9.html", "file:///tmp/100%25/caf%C3%A9.html"},
        {"C:\\Lirset\\Ontology Store\\_news.onto", "file:///C:/Lirset/Ontology%20Store/_news.onto"},
        {"C:\\\\Lirset\\\\x.html", "file:///C:/Lirset/x.html"},
        {"d:/Data/y.menu", "file:///d:/Data/y.menu"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PathToFileUrl(c.path), c.url) << c.path;
    }
    for (const char* path : {"/tmp/My Pages/a#b?.html", "/tmp/100%/caf\xC3\xA9.html"}) {
        EXPECT_EQ(FileUrlToPath(PathToFileUrl(path)).value_or("(none)"), path);
    }
}

TEST_F(FileUrl, TakesRelativePathsFromTheCurrentFolder) {
    std::string expected = "file://" + std::filesystem::current_path().string() + "/sub/page.html";
    EXPECT_EQ(PathToFileUrl("sub/./page.html"), expected);
}

}  // namespace
