// Splitting text into the words that term matching works on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The seven characters that separate words: double quote, colon, commercial at, semicolon, both
// parentheses and blank.
bool IsWordDelimiter(char c);

// Splits at the word delimiters; empty pieces are dropped. Words keep their case, "." and ",".
std::vector<std::string> SplitWords(std::string_view text);

// Splits page text as highlighting does: CR and LF count as blanks, then SplitWords.
std::vector<std::string> SplitPageText(std::string_view text);
