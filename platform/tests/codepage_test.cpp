#include "platform/text/codepage.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Windows-1252 bytes 0x80 to 0x9F and the characters they stand for; the five undefined bytes
// stand for the C1 control of the same number.
const char16_t kHighBytes[32] = {
    u'\u20AC', 0x0081,    u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', 0x008D,    u'\u017D', 0x008F,
    0x0090,    u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', 0x009D,    u'\u017E', u'\u0178'};

std::string Byte(int b) {
    return std::string(1, static_cast<char>(b));
}

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

}  // namespace

TEST(CodePage, AnsiCodePageIsWindows1252) {
    EXPECT_EQ(GetACP(), 1252u);
}

TEST(CodePage, EveryByteToWide) {
    for (int b = 0; b < 256; ++b) {
        char16_t expected =
            b >= 0x80 && b <= 0x9F ? kHighBytes[b - 0x80] : static_cast<char16_t>(b);
        EXPECT_EQ(AnsiToWide(Byte(b)), std::u16string(1, expected)) << "byte " << b;
    }
}

TEST(CodePage, EveryByteSurvivesARoundTrip) {
    const std::string bytes = AllBytes();
    EXPECT_EQ(WideToAnsi(AnsiToWide(bytes)), bytes);
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(bytes)), bytes);
    EXPECT_TRUE(IsValidUtf8(AnsiToUtf8(bytes)));
}

TEST(CodePage, AnsiToUtf8) {
    const std::map<std::string, std::string> cases = {
        {"plain", "plain"},
        {"\x80", "\xE2\x82\xAC"},
        {"\x9F", "\xC5\xB8"},
        {"caf\xE9", "caf\xC3\xA9"},
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {"\xFF", "\xC3\xBF"},
        {"", ""},
    };
    for (const auto& [ansi, utf8] : cases) {
        EXPECT_EQ(AnsiToUtf8(ansi), utf8) << ansi;
        EXPECT_EQ(Utf8ToAnsi(utf8), ansi) << ansi;
    }
    EXPECT_EQ(AnsiToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST(CodePage, WideCharactersOutsideTheCodePageBecomeQuestionMarks) {
    const std::map<std::u16string, std::string> cases = {
        {u"\u4E2D", "?"},
        {u"a\U0001F600b", "a?b"},  // one character, two UTF-16 units
        {u"\u0080", "?"},          // a C1 control whose byte stands for the euro sign
        {u"\u0100", "?"},
        {u"\uFFFD", "?"},
        {std::u16string(1, 0xD800) + u"x", "?x"},
        {u"x" + std::u16string(1, 0xDC00), "x?"},
        {std::u16string(1, 0xDC00) + std::u16string(1, 0xD800), "??"},
        {u"\u20AC\u0178\u00E9", "\x80\x9F\xE9"},
    };
    for (const auto& [wide, ansi] : cases) {
        EXPECT_EQ(WideToAnsi(wide), ansi) << ansi;
    }
}

TEST(CodePage, Utf8CharactersOutsideTheCodePageBecomeQuestionMarks) {
    const std::map<std::string, std::string> cases = {
        {"\xE4\xB8\xAD", "?"},
        {"a\xF0\x9F\x98\x80z", "a?z"},
        {"\xEF\xBF\xBD", "?"},
        {"\xE2\x82\xAC", "\x80"},
        {"a\xFF"
         "b",
         "a?b"},
        {"\x80", "?"},
        {"a\xC3", "a?"},
        {"\xC3(", "?("},
        {"\xC0\xAF", "??"},            // overlong "/"
        {"\xED\xA0\x80", "???"},       // encoded surrogate
        {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
    };
    for (const auto& [utf8, ansi] : cases) {
        EXPECT_EQ(Utf8ToAnsi(utf8), ansi) << ansi;
    }
}

TEST(CodePage, Utf8AndWide) {
    const std::u16string emoji = u"\U0001F600";
    ASSERT_EQ(emoji.size(), 2u);
    EXPECT_EQ(WideToUtf8(emoji), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToWide("\xF0\x9F\x98\x80"), emoji);
    EXPECT_EQ(Utf8ToWide("\xF4\x8F\xBF\xBF"), u"\U0010FFFF");
    EXPECT_EQ(WideToUtf8(u"\u00E9\u4E2D"), "\xC3\xA9\xE4\xB8\xAD");
    EXPECT_EQ(Utf8ToWide("a\xFF"), u"a\uFFFD");
    EXPECT_EQ(WideToUtf8(std::u16string(1, 0xD83D) + u"a"),
              "\xEF\xBF\xBD"
              "a");
}

TEST(CodePage, IsValidUtf8) {
    const std::map<std::string, bool> cases = {
        {"", true},
        {"ascii", true},
        {"\xC3\xA9", true},
        {"\xE4\xB8\xAD", true},
        {"\xF0\x9F\x98\x80", true},
        {"\xF4\x8F\xBF\xBF", true},
        {"\xEF\xBF\xBD", true},  // U+FFFD itself
        {"\xE9", false},
        {"\x80", false},
        {"\xC3", false},
        {"\xE4\xB8", false},
        {"\xC3\x28", false},
        {"\xC0\xAF", false},
        {"\xE0\x80\xAF", false},
        {"\xED\xA0\x80", false},
        {"\xF4\x90\x80\x80", false},
        {"\xF8\x88\x80\x80\x80", false},
        {"\xFE", false},
    };
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(IsValidUtf8(text), valid) << AnsiToUtf8(text);
    }
}

TEST(CodePage, LetterCaseOfEveryByte) {
    std::map<int, int> upperOf;
    for (int b = 'a'; b <= 'z'; ++b) {
        upperOf[b] = b - 0x20;
    }
    for (int b = 0xE0; b <= 0xFE; ++b) {
        if (b != 0xF7) {
            upperOf[b] = b - 0x20;
        }
    }
    upperOf[0x9A] = 0x8A;
    upperOf[0x9C] = 0x8C;
    upperOf[0x9E] = 0x8E;
    upperOf[0xFF] = 0x9F;
    std::map<int, int> lowerOf;
    for (const auto& [lower, upper] : upperOf) {
        lowerOf[upper] = lower;
    }
    for (int b = 0; b < 256; ++b) {
        int upper = upperOf.count(b) != 0 ? upperOf[b] : b;
        int lower = lowerOf.count(b) != 0 ? lowerOf[b] : b;
        EXPECT_EQ(static_cast<unsigned char>(AnsiCharUpper(static_cast<char>(b))), upper) << b;
        EXPECT_EQ(static_cast<unsigned char>(AnsiCharLower(static_cast<char>(b))), lower) << b;
    }
}

TEST(CodePage, LetterCaseOfTexts) {
    EXPECT_EQ(AnsiUpper("caf\xE9 \x9A\x9C\x9E\xFF \xDF\xB5\xF7 09!?"),
              "CAF\xC9 \x8A\x8C\x8E\x9F \xDF\xB5\xF7 09!?");
    EXPECT_EQ(AnsiLower("CAF\xC9 \x8A\x8C\x8E\x9F \xD7 09!?"),
              "caf\xE9 \x9A\x9C\x9E\xFF \xD7 09!?");
    EXPECT_EQ(AnsiUpper(std::string_view("a\0b", 3)), std::string("A\0B", 3));
}

TEST(CodePage, CaseBuffersConvertInPlaceAndReturnTheLength) {
    char text[] = "ab\xE9z";
    EXPECT_EQ(CharUpperBuffA(text, 2), 2u);
    EXPECT_STREQ(text, "AB\xE9z");
    EXPECT_EQ(CharUpperBuffA(text, 4), 4u);
    EXPECT_STREQ(text, "AB\xC9Z");
    EXPECT_EQ(CharLowerBuffA(text, 3), 3u);
    EXPECT_STREQ(text, "ab\xE9Z");
    EXPECT_EQ(CharLowerBuffA(text, 0), 0u);
}
