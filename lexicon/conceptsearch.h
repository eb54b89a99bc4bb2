// Concept search: whether a typed word or phrase is a term of the lexicon, and which button
// highlights it. COntology::SearchConcept gives the result text; ComposeConceptAnswer turns it into
// the message box that the Find concept dialog shows.
#pragma once

#include <string>
#include <string_view>

struct SConceptAnswer {
    std::string caption;
    std::string message;
};

// The longest message the dialog shows; a longer one (a very long query) is cut.
constexpr size_t kMaxConceptMessage = 1023;

// query is the text typed in the dialog; result is what SearchConcept returned for it.
SConceptAnswer ComposeConceptAnswer(std::string_view query, std::string_view result);
