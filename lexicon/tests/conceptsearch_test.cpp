#include "lexicon/conceptsearch.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "lexicon/classtype.h"
#include "lexicon/lexiconentry.h"
#include "lexicon/ontology.h"

namespace {

using ClassTerms = std::vector<std::pair<std::string, std::string>>;

void AddTerms(COntology& ontology, const ClassTerms& terms) {
    for (const auto& [cls, term] : terms) {
        CLexiconEntry entry;
        entry.SetName(term, true);
        ontology.AddEntry(cls, entry);
    }
}

struct SSearchCase {
    const char* name;
    ClassTerms terms;
    std::string query;
    std::string expected;
};

class SearchTest : public ::testing::TestWithParam<SSearchCase> {};

TEST_P(SearchTest, Answers) {
    const SSearchCase& c = GetParam();
    COntology ontology;
    AddTerms(ontology, c.terms);
    EXPECT_EQ(ontology.SearchConcept(c.query), c.expected);
    // The matches stay under the query as page key, so the same search answers the same.
    EXPECT_EQ(ontology.SearchConcept(c.query), c.expected);
}

const SSearchCase kSearchCases[] = {
    {"CaseIgnoredForFound",
     {{"Technology", "NEURAL NETWORK"}},
     "Neural Network",
     "found%Neural Network%Technology"},
    {"TwoBlanksGiveSimilar",
     {{"Technology", "NEURAL NETWORK"}},
     "neural  network",
     "similar%neural network%Technology"},
    {"ShorterTermOfOtherClass",
     {{"A", "NEURAL"}, {"B", "NEURAL NETWORK"}},
     "neural networks",
     "similar%neural%A"},
    {"FirstExactClassInByteOrder",
     {{"alpha", "NEURAL"}, {"Zeta", "NEURAL"}},
     "neural",
     "found%neural%Zeta"},
    {"LastSimilarClassInByteOrder",
     {{"B", "NETWORK"}, {"A", "NEURAL"}},
     "neural network",
     "similar%network%B"},
    {"ExactAfterSimilar",
     {{"A", "NEURAL"}, {"B", "NEURAL NETWORK"}},
     "neural network",
     "found%neural network%B"},
    {"FirstMatchOfTheClassDecides",
     {{"T", "NEURAL NETWORK"}, {"T", "NEURAL"}},
     "neural neural network",
     "similar%neural%T"},
    {"SplitAtDelimiters",
     {{"Technology", "NEURAL NETWORK"}},
     "(neural:network)",
     "similar%neural network%Technology"},
    {"NoWordStartsATerm", {{"Technology", "NEURAL NETWORK"}}, "deep learning", "not found%%"},
    {"DelimitersOnly", {{"Technology", "NEURAL"}}, "\"(:;@) ", "not found%%"},
    {"NoLexicon", {}, "neural", "not found%%"},
};
INSTANTIATE_TEST_SUITE_P(ConceptSearch, SearchTest, ::testing::ValuesIn(kSearchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ConceptSearch, UsesButtonLabelAndKeepsMatches) {
    COntology ontology;
    AddTerms(ontology, {{"Technology", "NEURAL NETWORK"}});
    CClassType* technology = ontology.FindClass("Technology");
    technology->SetLabel("Tech stuff");
    EXPECT_EQ(ontology.SearchConcept("neural network"), "found%neural network%Tech stuff");
    EXPECT_EQ(ontology.SearchConcept("neural network"), "found%neural network%Tech stuff");
    const CClassType::MatchList* matches = technology->GetPageMatches(u"neural network");
    ASSERT_NE(matches, nullptr);
    EXPECT_EQ(matches->size(), 2u);
}

TEST(ConceptAnswer, MessagesAndCaptions) {
    struct SCase {
        std::string result;
        std::string caption;
        std::string message;
    };
    const SCase cases[] = {
        {"found%neural network%Technology", "Concept found",
         "Concept 'Neural  Network' can be highlighted by clicking on button labelled "
         "'Technology' in Lirset toolbar."},
        {"similar%neural%A", "Similar concept found",
         "Concept 'Neural  Network' was not found.\nA similar term - 'neural' can be highlighted "
         "e.g. by clicking on button labelled 'A' in Lirset toolbar."},
        {"similar%neural%50% off", "Similar concept found",
         "Concept 'Neural  Network' was not found.\nA similar term - 'neural' can be highlighted "
         "e.g. by clicking on button labelled '50% off' in Lirset toolbar."},
        {"not found%%", "Concept not found",
         "Concept 'Neural  Network' was not found in current lexicon and cannot be highlighted."},
        {"", "Concept not found",
         "Concept 'Neural  Network' was not found in current lexicon and cannot be highlighted."},
    };
    for (const SCase& c : cases) {
        const SConceptAnswer answer = ComposeConceptAnswer("Neural  Network", c.result);
        EXPECT_EQ(answer.caption, c.caption) << c.result;
        EXPECT_EQ(answer.message, c.message) << c.result;
    }
}

TEST(ConceptAnswer, LongMessageCut) {
    const std::string query(2000, 'q');
    const std::string full =
        "Concept '" + query + "' was not found in current lexicon and cannot be highlighted.";
    const SConceptAnswer answer = ComposeConceptAnswer(query, "not found%%");
    EXPECT_EQ(answer.message, full.substr(0, 1023));
    EXPECT_EQ(answer.caption, "Concept not found");

    const std::string fits(1023 - full.size() + query.size(), 'q');
    EXPECT_EQ(ComposeConceptAnswer(fits, "not found%%").message.size(), 1023u);
}

}  // namespace
