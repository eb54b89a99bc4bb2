#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/registry/registry.h"
#include "platform/tests/registryfixture.h"

namespace {

class RegistryWriteTest : public RegistryFixture {
protected:
    // Creates (or opens) HKEY_LOCAL_MACHINE\path with all access.
    static HKEY Create(const char* path) {
        HKEY hKey = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        return hKey;
    }
    static LONG SetString(HKEY hKey, const char* name, const char* text) {
        return RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                              static_cast<DWORD>(std::strlen(text) + 1));
    }
    static std::string Query(HKEY hKey, const char* name, DWORD& type) {
        char buffer[64];
        DWORD size = sizeof buffer;
        if (RegQueryValueExA(hKey, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size) !=
            ERROR_SUCCESS) {
            return "<missing>";
        }
        return std::string(buffer, size);
    }
    static std::vector<std::string> SubkeyNames(HKEY hKey) {
        std::vector<std::string> names;
        char name[32];
        DWORD length = sizeof name;
        for (DWORD i = 0; RegEnumKeyExA(hKey, i, name, &length, nullptr, nullptr, nullptr,
                                        nullptr) == ERROR_SUCCESS;
             ++i, length = sizeof name) {
            names.emplace_back(name, length);
        }
        return names;
    }
};

TEST_F(RegistryWriteTest, CreateMakesIntermediateKeysAndTellsTheDisposition) {
    HKEY hKey = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Product", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &hKey, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_NE(LoadRegistry().FindKey("HKEY_LOCAL_MACHINE\\Software\\Vendor"), nullptr)
        << "written before the key is closed";
    HKEY hAgain = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\vendor\\PRODUCT", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &hAgain, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_NE(hAgain, hKey);
    RegCloseKey(hKey);
    RegCloseKey(hAgain);

    for (const char* bad : {"\\Leading", "Trailing\\", "Double\\\\Separator", "Line\nBreak"}) {
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, bad, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey,
                                  &disposition),
                  ERROR_BAD_PATHNAME)
            << bad;
        EXPECT_EQ(hKey, nullptr);
    }
}

TEST_F(RegistryWriteTest, ValuesRoundTripThroughTheFile) {
    HKEY hKey = Create("Software\\Test");
    const char unterminated[] = {'a', 'b', 'c'};
    const BYTE binary[] = {0x00, 0xff, 0x7f, 0x0a};
    const DWORD number = 0xDEADBEEF;
    ASSERT_EQ(SetString(hKey, nullptr, "default"), ERROR_SUCCESS);
    ASSERT_EQ(SetString(hKey, "Path", "C:\\Lirset\\ \"q\""), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(hKey, "Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated),
                             sizeof unterminated),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(hKey, "Bin", 0, REG_BINARY, binary, sizeof binary), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(hKey, "Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(hKey, "N", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                             sizeof number),
              ERROR_SUCCESS);
    RegCloseKey(hKey);

    EXPECT_NE(ReadRegistry().find("\"Bin\"=hex:00,ff,7f,0a\r\n\"Empty\"=hex:\r\n"),
              std::string::npos);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Test", 0, KEY_READ, &hKey),
              ERROR_SUCCESS);
    struct Expected {
        const char* name;
        DWORD type;
        std::string data;
    };
    for (const Expected& expected :
         {Expected{"", REG_SZ, std::string("default", 8)},
          Expected{"path", REG_SZ, std::string("C:\\Lirset\\ \"q\"", 15)},
          Expected{"Raw", REG_SZ, std::string("abc", 4)},
          Expected{"Bin", REG_BINARY, std::string("\x00\xff\x7f\x0a", 4)},
          Expected{"Empty", REG_BINARY, ""},
          Expected{"N", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4)}}) {
        DWORD type = REG_NONE;
        EXPECT_EQ(Query(hKey, expected.name, type), expected.data) << expected.name;
        EXPECT_EQ(type, expected.type) << expected.name;
    }
    RegCloseKey(hKey);
}

TEST_F(RegistryWriteTest, RefusesWhatTheRegistryCannotHold) {
    HKEY hKey = Create("Software\\Test");
    ASSERT_EQ(SetString(hKey, "Keep", "1"), ERROR_SUCCESS);
    const std::string before = ReadRegistry();
    const BYTE bytes[8] = {};
    EXPECT_EQ(RegSetValueExA(hKey, "N", 0, REG_DWORD, bytes, 3), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExA(hKey, "M", 0, 7, bytes, 2), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExA(hKey, "S", 1, REG_SZ, bytes, 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExA(hKey, "S", 0, REG_SZ, nullptr, 4), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetString(hKey, "S", "two\nlines"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SetString(hKey, "Line\rName", "x"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteValueA(hKey, "Absent"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadRegistry(), before);
    RegCloseKey(hKey);
}

TEST_F(RegistryWriteTest, HandlesAllowOnlyTheAccessTheyWereOpenedWith) {
    RegCloseKey(Create("Software\\Test\\Existing"));
    HKEY hRead = nullptr;
    HKEY hWrite = nullptr;
    HKEY hSub = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Test", 0, KEY_READ, &hRead),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Test", 0, KEY_WRITE, &hWrite),
              ERROR_SUCCESS);
    EXPECT_EQ(SetString(hRead, "v", "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(hRead, "v"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyExA(hRead, "New", 0, nullptr, 0, KEY_READ, nullptr, &hSub, nullptr),
              ERROR_ACCESS_DENIED);
    ASSERT_EQ(RegCreateKeyExA(hRead, "Existing", 0, nullptr, 0, KEY_READ, nullptr, &hSub, nullptr),
              ERROR_SUCCESS)
        << "opening an existing subkey needs no access to the parent";
    RegCloseKey(hSub);
    ASSERT_EQ(SetString(hWrite, "v", "x"), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(hWrite, "v", nullptr, &type, nullptr, &size), ERROR_ACCESS_DENIED);
    char name[16];
    DWORD length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(hWrite, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_ACCESS_DENIED);
    RegCloseKey(hRead);
    RegCloseKey(hWrite);
}

TEST_F(RegistryWriteTest, DeletingKeys) {
    RegCloseKey(Create("Software\\Test\\A\\Deep"));
    RegCloseKey(Create("Software\\Test\\B\\Deep"));
    HKEY hTest = Create("Software\\Test");
    ASSERT_EQ(SetString(hTest, "v", "x"), ERROR_SUCCESS);

    EXPECT_EQ(RegDeleteKeyA(hTest, "A"), ERROR_ACCESS_DENIED) << "A still has a subkey";
    EXPECT_EQ(RegDeleteKeyA(hTest, "A\\Deep"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(hTest, "a"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(hTest, "A"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(hTest, ""), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SubkeyNames(hTest), std::vector<std::string>{"B"});

    EXPECT_EQ(SHDeleteKeyA(hTest, "B"), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(SHDeleteKeyA(hTest, "B"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    RegCloseKey(Create("Software\\Test\\C\\Deep"));
    EXPECT_EQ(RegDeleteTreeA(hTest, nullptr), ERROR_SUCCESS);
    CRegistryFile file = LoadRegistry();
    ASSERT_NE(file.FindKey("HKEY_LOCAL_MACHINE\\Software\\Test"), nullptr)
        << "the key itself stays";
    EXPECT_FALSE(file.HasSubkeys("HKEY_LOCAL_MACHINE\\Software\\Test"));
    EXPECT_TRUE(file.FindKey("HKEY_LOCAL_MACHINE\\Software\\Test")->Values().empty());
    RegCloseKey(hTest);
}

TEST_F(RegistryWriteTest, AHandleFollowsItsOwnChangesAndNotDeletedKeys) {
    HKEY hKey = Create("Software\\Test");
    ASSERT_EQ(SetString(hKey, "v", "new"), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(Query(hKey, "v", type), std::string("new", 4));
    RegCloseKey(Create("Software\\Test\\Sub"));
    EXPECT_TRUE(SubkeyNames(hKey).empty()) << "a change through another handle is not seen";
    HKEY hSub = nullptr;
    ASSERT_EQ(RegCreateKeyExA(hKey, "Sub2", 0, nullptr, 0, KEY_READ, nullptr, &hSub, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(hSub);
    EXPECT_EQ(SubkeyNames(hKey), (std::vector<std::string>{"Sub", "Sub2"}))
        << "a change through the handle shows the key as the file holds it";

    ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Test"), ERROR_SUCCESS);
    EXPECT_EQ(SetString(hKey, "v", "again"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCreateKeyExA(hKey, "X", 0, nullptr, 0, KEY_READ, nullptr, &hSub, nullptr),
              ERROR_KEY_DELETED);
    EXPECT_EQ(LoadRegistry().FindKey("HKEY_LOCAL_MACHINE\\Software\\Test"), nullptr)
        << "not brought back";
    RegCloseKey(hKey);
}

TEST_F(RegistryWriteTest, EnumeratesInNameOrderWithTheSizeProtocol) {
    HKEY hKey = Create("Software\\Test");
    for (const char* name : {"beta", "Alpha", "Gamma-Long-Name"}) {
        HKEY hSub = nullptr;
        ASSERT_EQ(RegCreateKeyExA(hKey, name, 0, nullptr, 0, KEY_READ, nullptr, &hSub, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(hSub);
    }
    EXPECT_EQ(SubkeyNames(hKey), (std::vector<std::string>{"Alpha", "beta", "Gamma-Long-Name"}));
    char name[8];
    DWORD length = 4;
    EXPECT_EQ(RegEnumKeyExA(hKey, 1, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA)
        << "no room for the zero";
    char className[4] = "xyz";
    DWORD classLength = sizeof className;
    length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(hKey, 1, name, &length, nullptr, className, &classLength, nullptr),
              ERROR_SUCCESS);
    EXPECT_STREQ(className, "");
    EXPECT_EQ(RegEnumKeyExA(hKey, 3, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);

    ASSERT_EQ(SetString(hKey, "Zed", "z"), ERROR_SUCCESS);
    ASSERT_EQ(SetString(hKey, nullptr, "d"), ERROR_SUCCESS);
    ASSERT_EQ(SetString(hKey, "alpha", "a"), ERROR_SUCCESS);
    std::vector<std::string> seen;
    char data[8];
    for (DWORD i = 0;; ++i) {
        length = sizeof name;
        DWORD size = sizeof data;
        DWORD type = 0;
        LONG result = RegEnumValueA(hKey, i, name, &length, nullptr, &type,
                                    reinterpret_cast<LPBYTE>(data), &size);
        if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
        ASSERT_EQ(result, ERROR_SUCCESS);
        EXPECT_EQ(type, REG_SZ);
        seen.push_back(std::string(name, length) + "=" + data);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"=d", "alpha=a", "Zed=z"}));
    length = sizeof name;
    DWORD size = 1;
    EXPECT_EQ(RegEnumValueA(hKey, 1, name, &length, nullptr, nullptr,
                            reinterpret_cast<LPBYTE>(data), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 2u);
    RegCloseKey(hKey);
}

TEST_F(RegistryWriteTest, WritesReplaceTheFileWholeAndNeverOverAnUnreadableOne) {
    HKEY hKey = Create("Software\\Test");
    struct stat before {};
    ASSERT_EQ(::stat(CRegistryFile::DefaultPath().c_str(), &before), 0);
    ASSERT_EQ(SetString(hKey, "v", "x"), ERROR_SUCCESS);
    struct stat after {};
    ASSERT_EQ(::stat(CRegistryFile::DefaultPath().c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino) << "replaced by a new file, not rewritten in place";
    for (const auto& entry : std::filesystem::directory_iterator(m_strRoot)) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    }

    const std::string damaged = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Test]\r\nnonsense\r\n";
    WriteRegistry(damaged);
    EXPECT_EQ(SetString(hKey, "v", "y"), ERROR_BADDB);
    HKEY hOther = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "X", 0, nullptr, 0, KEY_WRITE, nullptr, &hOther,
                              nullptr),
              ERROR_BADDB);
    EXPECT_EQ(ReadRegistry(), damaged);
    RegCloseKey(hKey);
}

TEST_F(RegistryWriteTest, CreatesThePlatformRootWhenMissing) {
    std::filesystem::remove_all(m_strRoot);
    RegCloseKey(Create("Software\\Test"));
    EXPECT_NE(LoadRegistry().FindKey("HKEY_LOCAL_MACHINE\\Software\\Test"), nullptr);
}

}  // namespace
