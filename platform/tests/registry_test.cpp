#include "platform/registry/registry.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/registry/registryfile.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kSample =
    "REGEDIT4\r\n"
    "\r\n"
    "; a comment\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brennick\\Orv\\Lirset Browser]\r\n"
    "@=\"default\"\r\n"
    "\"InstallPath\"=\"C:\\\\Lirset\\\\ \\\"x\\\"\"\r\n"
    "\"Count\"=dword:0000002a  \r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\CLSID]\r\n";

// A fresh $LIRSET_ROOT, which holds the registry file, for each test.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "lirset-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strRoot = pattern;
        setenv("LIRSET_ROOT", m_strRoot.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("LIRSET_ROOT");
        fs::remove_all(m_strRoot);
    }

    void WriteRegistry(const std::string& text) {
        std::ofstream(CRegistryFile::DefaultPath(), std::ios::binary) << text;
    }
    std::string ReadRegistry() const {
        std::ifstream in(CRegistryFile::DefaultPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string m_strRoot;
};

TEST_F(RegistryTest, ParsesEscapesDwordsAndDefaultValues) {
    WriteRegistry(kSample);
    CRegistryFile registry;
    ASSERT_TRUE(registry.Load(CRegistryFile::DefaultPath()));
    const char* key = "hkey_local_machine\\software\\BRENNICK\\orv\\lirset browser";
    ASSERT_NE(registry.GetValue(key, "installpath"), nullptr);
    EXPECT_EQ(registry.GetValue(key, "installpath")->Text(), "C:\\Lirset\\ \"x\"");
    EXPECT_EQ(registry.GetValue(key, "")->Text(), "default");
    EXPECT_EQ(registry.GetValue(key, "COUNT")->Type(), REG_DWORD);
    EXPECT_EQ(registry.GetValue(key, "COUNT")->Number(), 42u);
    EXPECT_NE(registry.FindKey("HKEY_LOCAL_MACHINE\\Software\\Brennick"), nullptr)
        << "parents exist";
    EXPECT_NE(registry.FindKey("HKEY_CLASSES_ROOT\\clsid"), nullptr);
}

TEST_F(RegistryTest, SaveWritesTheExportFormat) {
    CRegistryFile registry;
    const char* key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Test";
    ASSERT_TRUE(registry.SetValue(key, CRegistryValue::String("Path", "C:\\a \"b\"")));
    ASSERT_TRUE(registry.SetValue(key, CRegistryValue::String("", "d")));
    ASSERT_TRUE(registry.SetValue(key, CRegistryValue::Dword("N", 0xBEEF)));
    ASSERT_TRUE(registry.Save(CRegistryFile::DefaultPath()));
    EXPECT_EQ(ReadRegistry(),
              "REGEDIT4\r\n\r\n"
              "[HKEY_CLASSES_ROOT]\r\n\r\n"
              "[HKEY_CURRENT_USER]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\r\n"
              "@=\"d\"\r\n"
              "\"N\"=dword:0000beef\r\n"
              "\"Path\"=\"C:\\\\a \\\"b\\\"\"\r\n\r\n");
    CRegistryFile reread;
    ASSERT_TRUE(reread.Load(CRegistryFile::DefaultPath()));
    EXPECT_EQ(reread.GetValue(key, "Path")->Text(), "C:\\a \"b\"");
}

TEST_F(RegistryTest, EditsKeysAndValues) {
    CRegistryFile registry;
    EXPECT_EQ(registry.CreateKey("HKEY_USERS\\X"), nullptr);
    EXPECT_EQ(registry.CreateKey("HKEY_LOCAL_MACHINE\\A\\\\B"), nullptr);
    EXPECT_EQ(registry.CreateKey("HKEY_LOCAL_MACHINE\\\\A"), nullptr);
    EXPECT_FALSE(registry.SetValue("HKEY_LOCAL_MACHINE\\A", CRegistryValue::String("n", "a\nb")));
    ASSERT_TRUE(registry.SetValue("HKEY_LOCAL_MACHINE\\A\\B", CRegistryValue::String("n", "1")));
    ASSERT_TRUE(registry.SetValue("HKEY_LOCAL_MACHINE\\A-2", CRegistryValue::String("n", "2")));
    ASSERT_TRUE(registry.SetValue("HKEY_LOCAL_MACHINE\\a\\b", CRegistryValue::String("N", "3")));
    EXPECT_EQ(registry.GetValue("HKEY_LOCAL_MACHINE\\A\\B", "n")->Text(), "3");
    EXPECT_TRUE(registry.DeleteValue("HKEY_LOCAL_MACHINE\\A\\B", "n"));
    EXPECT_FALSE(registry.DeleteValue("HKEY_LOCAL_MACHINE\\A\\B", "n"));
    EXPECT_TRUE(registry.DeleteKey("HKEY_LOCAL_MACHINE\\a"));
    EXPECT_EQ(registry.FindKey("HKEY_LOCAL_MACHINE\\A\\B"), nullptr);
    EXPECT_NE(registry.FindKey("HKEY_LOCAL_MACHINE\\A-2"), nullptr);
    EXPECT_FALSE(registry.DeleteKey("HKEY_LOCAL_MACHINE"));
}

TEST_F(RegistryTest, MalformedFilesAreRefused) {
    const std::string header = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n";
    for (const std::string& text :
         {std::string("REGEDIT5\r\n"), header + "\"a\"=\"unterminated\r\n",
          header + "\"a\"=\"x\\n\"\r\n", header + "\"a\"=\"x\" trailing\r\n",
          header + "\"a\"=dword:123456789\r\n", header + "\"a\"=dword:\r\n",
          header + "\"a\"=dword:-1\r\n", header + "\"a\"=hex:1\r\n", header + "\"a\"=hex:01,\r\n",
          header + "\"a\"=hex:0g\r\n", header + "a=\"x\"\r\n", header + "[HKEY_USERS\\K]\r\n",
          header + "[-HKEY_LOCAL_MACHINE\\K]\r\n",
          std::string("REGEDIT4\r\n\"a\"=\"outside a key\"\r\n")}) {
        WriteRegistry(text);
        CRegistryFile registry;
        EXPECT_FALSE(registry.Load(CRegistryFile::DefaultPath())) << text;
        EXPECT_EQ(registry.FindKey("HKEY_LOCAL_MACHINE\\K"), nullptr) << text;
        HKEY hKey = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "K", 0, KEY_READ, &hKey), ERROR_BADDB) << text;
    }
}

TEST_F(RegistryTest, OpenFindsKeysWithoutRegardToCase) {
    HKEY hKey = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &hKey),
              ERROR_FILE_NOT_FOUND)
        << "no registry file";
    EXPECT_EQ(hKey, nullptr);

    WriteRegistry(kSample);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\brennick", 0, KEY_READ, &hKey),
              ERROR_SUCCESS);
    HKEY hSub = nullptr;
    ASSERT_EQ(RegOpenKeyExA(hKey, "ORV\\Lirset Browser", 0, KEY_QUERY_VALUE, &hSub), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExA(hKey, "Missing", 0, KEY_READ, &hSub), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(hKey), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(hKey), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyExA(hKey, nullptr, 0, KEY_READ, &hSub), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
}

TEST_F(RegistryTest, QueryFollowsTheSizeProtocol) {
    WriteRegistry(kSample);
    HKEY hKey = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brennick\\Orv\\Lirset Browser", 0,
                            KEY_READ, &hKey),
              ERROR_SUCCESS);
    const std::string text = "C:\\Lirset\\ \"x\"";
    const DWORD needed = static_cast<DWORD>(text.size() + 1);

    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(hKey, "installPATH", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, needed);

    char buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    size = needed - 1;
    EXPECT_EQ(RegQueryValueExA(hKey, "InstallPath", nullptr, nullptr,
                               reinterpret_cast<LPBYTE>(buffer), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, needed);
    EXPECT_EQ(buffer[0], '#') << "nothing copied";

    size = needed;
    EXPECT_EQ(RegQueryValueExA(hKey, "InstallPath", nullptr, nullptr,
                               reinterpret_cast<LPBYTE>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer, size), text + '\0');

    DWORD number = ~DWORD{0};
    size = sizeof number;
    EXPECT_EQ(
        RegQueryValueExA(hKey, "Count", nullptr, &type, reinterpret_cast<LPBYTE>(&number), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(number, 42u);

    size = sizeof buffer;
    EXPECT_EQ(
        RegQueryValueExA(hKey, nullptr, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "default");
    EXPECT_EQ(RegQueryValueExA(hKey, "Absent", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExA(hKey, "Count", &reserved, nullptr, nullptr, &size),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(hKey, "Count", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer),
                               nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(hKey), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(hKey, "Count", nullptr, nullptr, nullptr, &size),
              ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, OpeningRereadsTheFile) {
    const char* key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Test";
    CRegistryFile registry;
    registry.SetValue(key, CRegistryValue::String("v", "old"));
    ASSERT_TRUE(registry.Save(CRegistryFile::DefaultPath()));
    HKEY hOld = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Test", 0, KEY_READ, &hOld),
              ERROR_SUCCESS);

    registry.SetValue(key, CRegistryValue::String("v", "new"));
    ASSERT_TRUE(registry.Save(CRegistryFile::DefaultPath()));
    HKEY hNew = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Test", 0, KEY_READ, &hNew),
              ERROR_SUCCESS);

    char buffer[8];
    DWORD size = sizeof buffer;
    ASSERT_EQ(
        RegQueryValueExA(hOld, "v", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "old");
    size = sizeof buffer;
    ASSERT_EQ(
        RegQueryValueExA(hNew, "v", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "new");
    EXPECT_NE(hOld, hNew);
    RegCloseKey(hOld);
    RegCloseKey(hNew);
}

}  // namespace
