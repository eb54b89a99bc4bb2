// A fresh platform root for one test: a new folder named by $LIRSET_ROOT while the object lives.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

class CTemporaryRoot {
public:
    CTemporaryRoot() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lirset-XXXXXX").string();
        EXPECT_NE(mkdtemp(pattern.data()), nullptr);
        m_strPath = pattern;
        if (const char* previous = getenv("LIRSET_ROOT")) {
            m_strPrevious = previous;
        }
        setenv("LIRSET_ROOT", m_strPath.c_str(), 1);
    }
    ~CTemporaryRoot() {
        if (m_strPrevious) {
            setenv("LIRSET_ROOT", m_strPrevious->c_str(), 1);
        } else {
            unsetenv("LIRSET_ROOT");
        }
        std::error_code ignored;
        std::filesystem::remove_all(m_strPath, ignored);
    }
    CTemporaryRoot(const CTemporaryRoot&) = delete;
    CTemporaryRoot& operator=(const CTemporaryRoot&) = delete;

    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
    std::optional<std::string> m_strPrevious;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}
