#include "platform/fs/textfile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// Gives each test a fresh platform root and a folder for its files.
class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "lirset-textfile-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        if (const char* old = std::getenv("LIRSET_ROOT"); old != nullptr) {
            m_oldRoot = old;
            m_bHadOldRoot = true;
        }
        setenv("LIRSET_ROOT", m_root.c_str(), 1);
    }

    void TearDown() override {
        if (m_bHadOldRoot) {
            setenv("LIRSET_ROOT", m_oldRoot.c_str(), 1);
        } else {
            unsetenv("LIRSET_ROOT");
        }
        std::error_code error;
        fs::remove_all(m_root, error);
    }

    std::string WriteBytes(const std::string& bytes) {
        std::string path = (m_root / "data.txt").string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    static std::string ReadBytes(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static Lines ReadLines(const std::string& path) {
        CTextFile file;
        EXPECT_TRUE(file.Open(path, CTextFile::Mode::Read)) << path;
        Lines lines;
        std::string line;
        while (file.ReadLine(line)) {
            lines.push_back(line);
        }
        EXPECT_FALSE(file.HadReadError());
        EXPECT_FALSE(file.ReadLine(line)) << "a line after the end";
        EXPECT_TRUE(line.empty());
        return lines;
    }

    Lines ReadLinesOf(const std::string& bytes) { return ReadLines(WriteBytes(bytes)); }

    fs::path m_root;
    std::string m_oldRoot;
    bool m_bHadOldRoot = false;
};

}  // namespace

TEST_F(TextFileTest, ReadsLines) {
    struct Case {
        std::string bytes;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb\nc\r\n", {"a", "b", "c"}},
        {"a\rb\n", {"a\rb"}},
        {"a\r\r\n", {"a\r"}},
        {"\rstart\n", {"\rstart"}},
        {"a\nlast", {"a", "last"}},
        {"a\r", {"a\r"}},
        {"\n\nx\n\r\n", {"", "", "x", ""}},
        {"a\nb\x1A"
         "c\nd\n",
         {"a", "b"}},
        {"a\n\x1A\n", {"a"}},
        {"a\r\x1A"
         "b",
         {"a\r"}},
        {"\x1A"
         "abc\n",
         {}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
        {"caf\xE9\n", {"caf\xE9"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadLinesOf(c.bytes), c.lines) << testing::PrintToString(c.bytes);
    }
}

TEST_F(TextFileTest, ReadsLinesAcrossChunks) {
    const size_t chunk = 64 * 1024;
    const std::string full(chunk - 1, 'y');
    struct Case {
        std::string bytes;
        Lines lines;
    };
    const Case cases[] = {
        {std::string(300000, 'x') + "\nend", {std::string(300000, 'x'), "end"}},
        {full + "\r\nnext\n", {full, "next"}},       // CR ends a chunk, LF starts the next
        {full + "\rz\n", {full + "\rz"}},            // a CR that ends a chunk is kept
        {full + "y\r\nnext", {full + "y", "next"}},  // the whole line end in the next chunk
        {full + "\n", {full}},
        {full + "y", {full + "y"}},  // a file of exactly one chunk
        {full + "y\n" + "b\x1A" + "junk\n", {full + "y", "b"}},
        {std::string(chunk * 2, '\n'), Lines(chunk * 2)},
    };
    for (const Case& c : cases) {
        Lines lines = ReadLinesOf(c.bytes);
        ASSERT_EQ(lines.size(), c.lines.size()) << c.bytes.size();
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_TRUE(lines[i] == c.lines[i]) << "line " << i << " of " << c.bytes.size();
        }
    }
}

TEST_F(TextFileTest, OpenFailsForAMissingFileOrAFolder) {
    CTextFile file;
    EXPECT_FALSE(file.Open((m_root / "missing.txt").string(), CTextFile::Mode::Read));
    EXPECT_FALSE(file.IsOpen());
    std::string line;
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_FALSE(file.Close());

    EXPECT_FALSE(file.Open(m_root.string(), CTextFile::Mode::Read));
    EXPECT_FALSE(file.Open(m_root.string(), CTextFile::Mode::Write));
    EXPECT_FALSE(file.Open((m_root / "no" / "folder.txt").string(), CTextFile::Mode::Write));
}

TEST_F(TextFileTest, WritesLineEndsAsCrLf) {
    struct Case {
        std::vector<std::string> writes;
        std::string bytes;
    };
    const Case cases[] = {
        {{"a\nb\n"}, "a\r\nb\r\n"}, {{"no line end"}, "no line end"}, {{"\n\n"}, "\r\n\r\n"},
        {{"a\r\n"}, "a\r\r\n"},     {{"", "a", "", "\nb"}, "a\r\nb"}, {{}, ""},
    };
    const fs::path path = m_root / "out.txt";
    for (const Case& c : cases) {
        CTextFile file;
        ASSERT_TRUE(file.Open(path.string(), CTextFile::Mode::Write));
        for (const std::string& text : c.writes) {
            EXPECT_TRUE(file.Write(text));
        }
        EXPECT_TRUE(file.Close());
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(ReadBytes(path), c.bytes) << testing::PrintToString(c.bytes);
    }
}

TEST_F(TextFileTest, WrittenLinesReadBack) {
    const std::string path = (m_root / "both.txt").string();
    CTextFile file;
    ASSERT_TRUE(file.Open(path, CTextFile::Mode::Write));
    EXPECT_TRUE(file.Write("one\n\nthree\r\n" + std::string(100000, 'w') + "\n"));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadLines(path), Lines({"one", "", "three\r", std::string(100000, 'w')}));
}

TEST_F(TextFileTest, WindowsPathMapsUnderThePlatformRoot) {
    fs::create_directories(m_root / "drive_c" / "x");
    CTextFile file;
    ASSERT_TRUE(file.Open("C:\\x\\y.txt", CTextFile::Mode::Write));
    EXPECT_TRUE(file.Write("hello\n"));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadBytes(m_root / "drive_c" / "x" / "y.txt"), "hello\r\n");
    EXPECT_EQ(ReadLines("c:\\\\x\\\\y.txt"), Lines({"hello"}));
}

TEST_F(TextFileTest, FailedWritesAreReported) {
    CTextFile file;
    ASSERT_TRUE(file.Open(WriteBytes("old\n"), CTextFile::Mode::Read));
    EXPECT_FALSE(file.Write("x\n"));
    EXPECT_FALSE(file.Close());

    CTextFile full;
    ASSERT_TRUE(full.Open("/dev/full", CTextFile::Mode::Write));
    full.Write("lost\n");
    EXPECT_FALSE(full.Close());

    CTextFile closed;
    EXPECT_FALSE(closed.Write("x"));
}
