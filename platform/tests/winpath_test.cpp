#include "platform/fs/winpath.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace {

TEST(WinPath, MapsDrivePathsUnderTheRootAndLeavesOthers) {
    setenv("LIRSET_ROOT", "/root/of/test", 1);
    struct {
        const char* input;
        const char* expected;
    } const cases[] = {
        {"C:\\Lirset\\\\preferences.xml", "/root/of/test/drive_c/Lirset/preferences.xml"},
        {"C:\\Lirset\\preferences.xml", "/root/of/test/drive_c/Lirset/preferences.xml"},
        {"d:/Data\\x", "/root/of/test/drive_d/Data/x"},
        {"/tmp/x", "/tmp/x"},
        {"relative\\x", "relative\\x"},
        {"C:", "C:"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapWindowsPath(c.input), c.expected) << c.input;
    }
    unsetenv("LIRSET_ROOT");
}

}  // namespace
