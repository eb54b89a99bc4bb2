#include "platform/com/bstr.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace {

std::uint32_t PrefixOf(BSTR bstr) {
    std::uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<const char*>(bstr) - sizeof(bytes), sizeof(bytes));
    return bytes;
}

TEST(BstrTest, AllocationsCarryTheirByteLengthAndATerminator) {
    BSTR text = SysAllocString(u"Lirset");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(SysStringLen(text), 6u);
    EXPECT_EQ(SysStringByteLen(text), 12u);
    EXPECT_EQ(PrefixOf(text), 12u);
    EXPECT_EQ(text[6], u'\0');
    SysFreeString(text);

    BSTR empty = SysAllocString(u"");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SysStringLen(empty), 0u);
    SysFreeString(empty);
}

TEST(BstrTest, LengthComesFromThePrefixNotFromAScan) {
    const OLECHAR withZero[] = {u'a', u'\0', u'b'};
    BSTR text = SysAllocStringLen(withZero, 3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(SysStringLen(text), 3u);
    EXPECT_EQ(text[2], u'b');
    EXPECT_EQ(text[3], u'\0');
    SysFreeString(text);

    BSTR zeroed = SysAllocStringLen(nullptr, 4);
    ASSERT_NE(zeroed, nullptr);
    EXPECT_EQ(SysStringLen(zeroed), 4u);
    EXPECT_EQ(std::u16string(zeroed, 4), std::u16string(4, u'\0'));
    SysFreeString(zeroed);

    BSTR odd = SysAllocStringByteLen("abc", 3);
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(SysStringByteLen(odd), 3u);
    EXPECT_EQ(SysStringLen(odd), 1u);
    SysFreeString(odd);
}

TEST(BstrTest, NullIsTheEmptyString) {
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    SysFreeString(nullptr);
}

TEST(BstrTest, ALengthBeyondThePrefixIsRefused) {
    EXPECT_EQ(SysAllocStringLen(nullptr, std::numeric_limits<UINT>::max()), nullptr);
    EXPECT_EQ(SysAllocStringByteLen(nullptr, std::numeric_limits<UINT>::max()), nullptr);
}

TEST(CComBstrTest, ConvertsAnsiText) {
    CComBSTR text("caf\xe9");
    EXPECT_EQ(text.View(), u"caf\u00e9");
    CComBSTR empty("");
    EXPECT_NE(empty.m_str, nullptr);
    EXPECT_EQ(empty.Length(), 0u);
}

TEST(CComBstrTest, CopiesAreDeepAndMovesTransfer) {
    CComBSTR original(u"text");
    CComBSTR copy(original);
    EXPECT_NE(copy.m_str, original.m_str);
    EXPECT_TRUE(copy == original);

    CComBSTR assigned;
    assigned = original;
    EXPECT_NE(assigned.m_str, original.m_str);
    assigned = assigned;
    EXPECT_EQ(assigned.View(), u"text");

    BSTR held = original.m_str;
    CComBSTR moved(std::move(original));
    EXPECT_EQ(moved.m_str, held);
    EXPECT_EQ(original.m_str, nullptr);
}

TEST(CComBstrTest, OutParameterAddressFreesTheOldString) {
    CComBSTR text(u"old");
    BSTR* out = &text;
    EXPECT_EQ(*out, nullptr);
    *out = SysAllocString(u"new");
    EXPECT_EQ(text.View(), u"new");
}

TEST(CComBstrTest, AppendsIncludingItself) {
    CComBSTR text(u"ab");
    EXPECT_EQ(text.Append(u"cd"), S_OK);
    EXPECT_EQ(text.View(), u"abcd");
    text += text;
    EXPECT_EQ(text.View(), u"abcdabcd");
    EXPECT_EQ(text.Append(text.m_str + 6, 2), S_OK);
    EXPECT_EQ(text.View(), u"abcdabcdcd");

    CComBSTR empty;
    EXPECT_EQ(empty.Append(u"x"), S_OK);
    EXPECT_EQ(empty.View(), u"x");
}

TEST(CComBstrTest, NullAndEmptyCompareEqual) {
    CComBSTR null;
    CComBSTR empty(u"");
    EXPECT_TRUE(null == empty);
    EXPECT_TRUE(null == u"");
    EXPECT_FALSE(CComBSTR(u"a") == u"A");
    EXPECT_TRUE(!null);
    EXPECT_FALSE(!empty);
}

}  // namespace
