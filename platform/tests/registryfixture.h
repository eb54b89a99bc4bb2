// A fresh $LIRSET_ROOT, which holds the registry file, for each registry test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/registry/registryfile.h"

class RegistryFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lirset-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strRoot = pattern;
        setenv("LIRSET_ROOT", m_strRoot.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("LIRSET_ROOT");
        std::filesystem::remove_all(m_strRoot);
    }

    static void WriteRegistry(const std::string& text) {
        std::ofstream(CRegistryFile::DefaultPath(), std::ios::binary) << text;
    }
    static std::string ReadRegistry() {
        std::ifstream in(CRegistryFile::DefaultPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // The registry as the file holds it now.
    static CRegistryFile LoadRegistry() {
        CRegistryFile file;
        EXPECT_TRUE(file.Load(CRegistryFile::DefaultPath()));
        return file;
    }

    std::string m_strRoot;
};
