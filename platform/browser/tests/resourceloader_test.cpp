#include "platform/browser/resourceloader.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

// A fresh $LIRSET_ROOT with a drive C holding a few files.
class ResourceLoaderFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lirset-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strRoot = pattern;
        setenv("LIRSET_ROOT", m_strRoot.c_str(), 1);
        m_strLirset = m_strRoot + "/drive_c/Lirset";
        std::filesystem::create_directories(m_strLirset + "/Ontology Store");
    }
    void TearDown() override {
        unsetenv("LIRSET_ROOT");
        std::filesystem::remove_all(m_strRoot);
    }

    static void Write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    std::string m_strRoot;
    std::string m_strLirset;
    CResourceLoader m_loader;
};

TEST_F(ResourceLoaderFiles, ReadsOneFileUnderEveryFormOfItsAddress) {
    Write(m_strLirset + "/Ontology Store/_news.onto", "Person\tperson\r\n");
    struct {
        std::string address;
        std::string url;
    } const cases[] = {
        {"C:\\Lirset\\Ontology Store\\_news.onto", "file:///C:/Lirset/Ontology%20Store/_news.onto"},
        {"  C:\\Lirset\\\\Ontology Store\\_news.onto\n",
         "file:///C:/Lirset/Ontology%20Store/_news.onto"},
        {"file:///C:/Lirset/Ontology%20Store/_news.onto#x",
         "file:///C:/Lirset/Ontology%20Store/_news.onto#x"},
        {"file://localhost/C|/Lirset/Ontology%20Store/_news.onto",
         "file:///C:/Lirset/Ontology%20Store/_news.onto"},
        {m_strLirset + "/Ontology Store/_news.onto",
         "file://" + m_strLirset + "/Ontology%20Store/_news.onto"},
        {"file://" + m_strLirset + "/Ontology%20Store/_news.onto",
         "file://" + m_strLirset + "/Ontology%20Store/_news.onto"},
    };
    for (const auto& c : cases) {
        SResourceResponse response = m_loader.Load(c.address);
        ASSERT_TRUE(response.Succeeded()) << c.address << ": " << response.error.message;
        EXPECT_EQ(response.status, 200);
        EXPECT_EQ(response.url, c.url);
        EXPECT_EQ(response.body, "Person\tperson\r\n");
        EXPECT_EQ(response.contentType.mediaType, "text/plain");
        EXPECT_EQ(response.contentType.charset, "");
    }
}

TEST_F(ResourceLoaderFiles, TakesUtf16Addresses) {
    Write(m_strLirset + "/caf\xC3\xA9.html", "<p>x</p>");
    SResourceResponse response = m_loader.Load(std::u16string(u"C:\\Lirset\\caf\u00E9.html"));
    ASSERT_TRUE(response.Succeeded()) << response.error.message;
    EXPECT_EQ(response.url, "file:///C:/Lirset/caf%C3%A9.html");
    EXPECT_EQ(response.contentType.mediaType, "text/html");
}

TEST_F(ResourceLoaderFiles, TypesFilesByExtensionOrContent) {
    Write(m_strLirset + "/page", "\n  <html><body>x</body></html>");
    Write(m_strLirset + "/notes", "plain");
    Write(m_strLirset + "/picture.bin", "<html>");
    EXPECT_EQ(m_loader.Load("C:\\Lirset\\page").contentType.mediaType, "text/html");
    EXPECT_EQ(m_loader.Load("C:\\Lirset\\notes").contentType.mediaType, "text/plain");
    EXPECT_EQ(m_loader.Load("C:\\Lirset\\picture.bin").contentType.mediaType,
              "application/octet-stream");
}

TEST_F(ResourceLoaderFiles, KeepsBinaryContentWhole) {
    std::string bytes("GIF89a\0\x01\xFF\r\n\x1A tail", 16);
    Write(m_strLirset + "/i.gif", bytes);
    SResourceResponse response = m_loader.Load("C:\\Lirset\\i.gif");
    EXPECT_EQ(response.body, bytes);
    EXPECT_EQ(response.contentType.mediaType, "image/gif");
}

TEST_F(ResourceLoaderFiles, ReportsWhatCannotBeRead) {
    Write(m_strLirset + "/big.txt", std::string(2048, 'x'));
    Write(m_strLirset + "/locked.txt", "secret");
    chmod((m_strLirset + "/locked.txt").c_str(), 0);
    bool rootReadsAnyway = std::ifstream(m_strLirset + "/locked.txt").good();

    CResourceLoader small(SLoadOptions{.maxBodyBytes = 1024});
    struct {
        std::string address;
        EResourceError kind;
    } const cases[] = {
        {"C:\\Lirset\\missing.onto", EResourceError::NotFound},
        {"C:\\Lirset", EResourceError::NotFound},
        {"file://otherhost/share/x.html", EResourceError::InvalidAddress},
        {"\\\\server\\share\\x.html", EResourceError::InvalidAddress},
        {"file:///tmp/a%00b", EResourceError::InvalidAddress},
        {"   ", EResourceError::InvalidAddress},
        {"1bad:scheme", EResourceError::InvalidAddress},
        {"http:///nohost", EResourceError::InvalidAddress},
        {"ftp://h/x.onto", EResourceError::UnsupportedScheme},
        {"javascript:alert(1)", EResourceError::UnsupportedScheme},
        {"about:config", EResourceError::UnsupportedScheme},
    };
    for (const auto& c : cases) {
        SResourceResponse response = m_loader.Load(c.address);
        EXPECT_EQ(response.error.kind, c.kind)
            << c.address << ": " << ResourceErrorName(response.error.kind);
        EXPECT_FALSE(response.error.message.empty()) << c.address;
        EXPECT_EQ(response.status, 0) << c.address;
        EXPECT_TRUE(response.body.empty()) << c.address;
    }
    EXPECT_EQ(small.Load("C:\\Lirset\\big.txt").error.kind, EResourceError::TooLarge);
    if (!rootReadsAnyway) {
        EXPECT_EQ(m_loader.Load("C:\\Lirset\\locked.txt").error.kind, EResourceError::AccessDenied);
    }
}

TEST_F(ResourceLoaderFiles, ReadsRelativePathsFromTheCurrentFolder) {
    Write(m_strLirset + "/rel.html", "<b>r</b>");
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(m_strLirset);
    SResourceResponse response = m_loader.Load("rel.html");
    std::filesystem::current_path(previous);
    ASSERT_TRUE(response.Succeeded()) << response.error.message;
    EXPECT_EQ(response.url, "file://" + m_strLirset + "/rel.html");
    EXPECT_EQ(response.body, "<b>r</b>");
}

TEST(ResourceLoader, GivesAnEmptyHtmlPageForAboutBlank) {
    CResourceLoader loader;
    for (const char* address : {"about:blank", "ABOUT:Blank", " about:blank "}) {
        SResourceResponse response = loader.Load(address);
        ASSERT_TRUE(response.Succeeded()) << address;
        EXPECT_EQ(response.url, "about:blank");
        EXPECT_EQ(response.status, 200);
        EXPECT_EQ(response.contentType.mediaType, "text/html");
        EXPECT_TRUE(response.body.empty());
    }
    EXPECT_EQ(loader.Load("about:blank#top").url, "about:blank#top");
}

}  // namespace
