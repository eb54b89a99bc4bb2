#include "platform/dom/charsetdecoder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

TEST(CharsetDecoder, ReadsLabels) {
    const std::pair<const char*, std::optional<ECharset>> cases[] = {
        {"utf-8", ECharset::Utf8},
        {" UTF8 ", ECharset::Utf8},
        {"ISO-8859-1", ECharset::Windows1252},
        {"latin1", ECharset::Windows1252},
        {"us-ascii", ECharset::Windows1252},
        {"windows-1252", ECharset::Windows1252},
        {"utf-16", ECharset::Utf16Le},
        {"UTF-16BE", ECharset::Utf16Be},
        {"klingon", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [pszLabel, expected] : cases) {
        EXPECT_EQ(CCharsetDecoder::FromLabel(pszLabel), expected) << pszLabel;
    }
}

TEST(CharsetDecoder, ReadsTheContentTypeParameter) {
    const std::pair<const char*, std::optional<ECharset>> cases[] = {
        {"text/html; charset=UTF-8", ECharset::Utf8},
        {"text/html;charset=\"iso-8859-1\"", ECharset::Windows1252},
        {"text/html; format=flowed; CHARSET = utf-8 ", ECharset::Utf8},
        {"text/html", std::nullopt},
        {"text/html; charset=bogus", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [pszType, expected] : cases) {
        EXPECT_EQ(CCharsetDecoder::FromContentType(pszType), expected) << pszType;
    }
}

TEST(CharsetDecoder, PrescansMetaElements) {
    const std::pair<std::string, std::optional<ECharset>> cases[] = {
        {"<meta charset=utf-8>", ECharset::Utf8},
        {"<META CHARSET='Windows-1252'>", ECharset::Windows1252},
        {"<meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">", ECharset::Utf8},
        {"<meta content='text/html;charset = \"utf-8\"' http-equiv='content-type'>",
         ECharset::Utf8},
        {"<meta content=\"text/html; charset=utf-8\">", std::nullopt},
        {"<meta name=x><meta charset=utf-8>", ECharset::Utf8},
        {"<!-- <meta charset=utf-8> --><p>", std::nullopt},
        {"<p title='<meta charset=utf-8>'>", std::nullopt},
        {"<meta charset=utf-16le>", ECharset::Utf8},
        {"<meta charset=bogus><meta charset=utf-8>", ECharset::Utf8},
        {std::string(1100, ' ') + "<meta charset=utf-8>", std::nullopt},
        {"<meta charset=utf-8", std::nullopt},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(CCharsetDecoder::FromMetaPrescan(bytes), expected) << bytes;
    }
}

TEST(CharsetDecoder, DecodesToUtf8) {
    EXPECT_EQ(CCharsetDecoder::DecodeToUtf8("caf\xE9 \x80", ECharset::Windows1252),
              "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(CCharsetDecoder::DecodeToUtf8("\xEF\xBB\xBFok", ECharset::Utf8), "ok");
    EXPECT_EQ(CCharsetDecoder::DecodeToUtf8("a\xFF"
                                            "b",
                                            ECharset::Utf8),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(
        CCharsetDecoder::DecodeToUtf8(std::string("\xFE\xFF\0a\x20\xAC", 6), ECharset::Utf16Be),
        "a\xE2\x82\xAC");
    EXPECT_EQ(CCharsetDecoder::DecodeToUtf8(std::string("a\0b", 3), ECharset::Utf16Le),
              "a\xEF\xBF\xBD");
}
