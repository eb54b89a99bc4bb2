#include "prefs/registrystring.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/registry/registryfile.h"
#include "prefs/tests/temporaryroot.h"

namespace {

constexpr const char* kKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Brennick\\Orv\\Lirset Browser";
constexpr const char* kFallback = "C:\\Lirset\\";

struct RegistryStringCase {
    const char* name;
    bool bWriteValue;
    CRegistryValue value;
    std::string expected;
};

void PrintTo(const RegistryStringCase& c, std::ostream* os) {
    *os << c.name;
}

class RegistryStringTest : public ::testing::TestWithParam<RegistryStringCase> {
protected:
    CTemporaryRoot m_root;
};

TEST_P(RegistryStringTest, ReadsInstallPath) {
    CRegistryFile registry;
    registry.CreateKey(kKey);
    if (GetParam().bWriteValue) {
        ASSERT_TRUE(registry.SetValue(kKey, GetParam().value));
    }
    ASSERT_TRUE(registry.Save(CRegistryFile::DefaultPath()));
    EXPECT_EQ(GetRegistryString("InstallPath"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryStringTest,
    ::testing::Values(
        RegistryStringCase{"Present", true,
                           CRegistryValue::String("InstallPath", "D:\\Apps\\Lirset\\"),
                           "D:\\Apps\\Lirset\\"},
        RegistryStringCase{"Missing", false, CRegistryValue::String("", ""), kFallback},
        RegistryStringCase{"Empty", true, CRegistryValue::String("InstallPath", ""), kFallback},
        RegistryStringCase{"NotAString", true, CRegistryValue::Dword("InstallPath", 7), kFallback},
        RegistryStringCase{"FillsTheBuffer", true,
                           CRegistryValue::String("InstallPath", std::string(1023, 'x')),
                           std::string(1023, 'x')},
        RegistryStringCase{"TooLong", true,
                           CRegistryValue::String("InstallPath", std::string(1024, 'x')),
                           kFallback}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegistryString, NoRegistryFileGivesFallback) {
    CTemporaryRoot root;
    EXPECT_EQ(GetRegistryString("InstallPath"), kFallback);
}

}  // namespace
