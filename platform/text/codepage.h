// The system ANSI code page and its conversions.
//
// The system keeps its texts as narrow strings in the ANSI code page of the machine, which is
// Windows-1252 here. Documents and COM interfaces speak UTF-16, the command line speaks UTF-8;
// these functions convert at those boundaries. A character that the target cannot hold becomes "?",
// as the platform's own conversions do with their default character.
#pragma once

#include <string>
#include <string_view>

#include "platform/text/lettercase.h"
#include "platform/win/windef.h"

constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;

// The code page that CP_ACP stands for.
UINT GetACP();

std::u16string AnsiToWide(std::string_view text);
std::string WideToAnsi(std::u16string_view text);
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);
std::u16string Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::u16string_view text);

// True when the bytes form well-formed UTF-8 (no overlongs, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view text);

// Letter case of whole texts, by the rules of lettercase.h.
std::string AnsiUpper(std::string_view text);
std::string AnsiLower(std::string_view text);

// The platform's in-place case conversions; they return the number of bytes processed.
DWORD CharUpperBuffA(LPSTR text, DWORD length);
DWORD CharLowerBuffA(LPSTR text, DWORD length);
