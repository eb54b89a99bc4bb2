#include "platform/com/guid.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/com/dispatch.h"
#include "platform/com/unknown.h"

namespace {

static_assert(MakeGuid("{00000000-0000-0000-C000-000000000046}") == IID_IUnknown);
static_assert(MakeGuid("{00020400-0000-0000-c000-000000000046}") == IID_IDispatch);
static_assert(!(IID_IUnknown == IID_IDispatch));

std::u16string Wide(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

TEST(GuidTest, FieldsFollowTheTextForm) {
    constexpr GUID guid = MakeGuid("{9ABAA010-079F-4638-8EE4-35F24BEFA110}");
    EXPECT_EQ(guid.Data1, 0x9ABAA010u);
    EXPECT_EQ(guid.Data2, 0x079F);
    EXPECT_EQ(guid.Data3, 0x4638);
    const BYTE expected[8] = {0x8E, 0xE4, 0x35, 0xF2, 0x4B, 0xEF, 0xA1, 0x10};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(guid.Data4[i], expected[i]) << i;
    }
}

TEST(GuidTest, RoundTripsAndWritesUpperCase) {
    struct {
        const char* text;
        const char* written;
    } cases[] = {
        {"{9ABAA010-079F-4638-8EE4-35F24BEFA110}", "{9ABAA010-079F-4638-8EE4-35F24BEFA110}"},
        {"{a26abcf0-1c8f-46e7-a67c-0489dc21b9cc}", "{A26ABCF0-1C8F-46E7-A67C-0489DC21B9CC}"},
        {"{00000000-0000-0000-0000-000000000000}", "{00000000-0000-0000-0000-000000000000}"},
        {"{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}", "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"},
    };
    for (const auto& c : cases) {
        CLSID clsid = {};
        ASSERT_EQ(CLSIDFromString(Wide(c.text).c_str(), &clsid), S_OK) << c.text;
        OLECHAR buffer[39];
        ASSERT_EQ(StringFromGUID2(clsid, buffer, 39), 39);
        EXPECT_EQ(std::u16string(buffer), Wide(c.written));
        EXPECT_EQ(GuidToString(clsid), c.written);

        GUID narrow = {};
        ASSERT_TRUE(GuidFromString(c.text, narrow));
        EXPECT_EQ(narrow, clsid);
        IID iid = {};
        ASSERT_EQ(IIDFromString(buffer, &iid), S_OK);
        EXPECT_TRUE(IsEqualIID(iid, clsid));
    }
}

TEST(GuidTest, RefusesTextOutsideTheBracedForm) {
    const char* cases[] = {
        "",
        "9ABAA010-079F-4638-8EE4-35F24BEFA110",
        "{9ABAA010-079F-4638-8EE4-35F24BEFA110",
        "{9ABAA010-079F-4638-8EE4-35F24BEFA110}x",
        "(9ABAA010-079F-4638-8EE4-35F24BEFA110)",
        "{9ABAA010-079F-4638-8EE435F2-4BEFA110}",
        "{9ABAA010079F-4638-8EE4-35F24BEFA1100}",
        "{9ABAA01G-079F-4638-8EE4-35F24BEFA110}",
        "{9ABAA010-079F-4638-8EE4-35F24BEFA11 }",
        "{+ABAA010-079F-4638-8EE4-35F24BEFA110}",
        "{9ABAA010-079F-4638-8EE4-35F24BEFA1100}",
        "Lirset.LirsetToolband.1",
    };
    const GUID kUntouched = MakeGuid("{11111111-2222-3333-4444-555555555555}");
    for (const char* text : cases) {
        CLSID clsid = kUntouched;
        EXPECT_EQ(CLSIDFromString(Wide(text).c_str(), &clsid), CO_E_CLASSSTRING) << text;
        IID iid = {};
        EXPECT_EQ(IIDFromString(Wide(text).c_str(), &iid), E_INVALIDARG) << text;
        GUID narrow = kUntouched;
        EXPECT_FALSE(GuidFromString(text, narrow)) << text;
        EXPECT_EQ(narrow, kUntouched) << text;
    }
}

TEST(GuidTest, NullArgumentsFollowThePlatform) {
    CLSID clsid = IID_IUnknown;
    EXPECT_EQ(CLSIDFromString(nullptr, &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_NULL);
    EXPECT_EQ(CLSIDFromString(u"{00000000-0000-0000-C000-000000000046}", nullptr), E_INVALIDARG);
    IID iid = IID_IUnknown;
    EXPECT_EQ(IIDFromString(nullptr, &iid), S_OK);
    EXPECT_EQ(iid, IID_NULL);
}

TEST(GuidTest, FormattingNeedsRoomForTheTerminator) {
    OLECHAR buffer[39];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(StringFromGUID2(IID_IUnknown, buffer, 38), 0);
    EXPECT_EQ(buffer[0], u'#');
    EXPECT_EQ(StringFromGUID2(IID_IUnknown, nullptr, 39), 0);
    EXPECT_EQ(StringFromGUID2(IID_IUnknown, buffer, 39), 39);
    EXPECT_EQ(buffer[38], u'\0');
}

}  // namespace
