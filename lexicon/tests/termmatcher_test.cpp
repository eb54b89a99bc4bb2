#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lexicon/classtype.h"
#include "lexicon/lexiconentry.h"

namespace {

using Words = std::vector<std::string>;

void AddTerm(CClassType& classType, const std::string& term, const std::string& spanId = "p",
             const std::string& subClass = "s", const std::string& ontologyName = "o") {
    CLexiconEntry entry;
    entry.SetName(term, true);
    entry.SetSpanId(spanId);
    entry.SetSubClass(subClass);
    entry.SetOntologyName(ontologyName);
    classType.AddEntry(entry);
}

Words Names(const CClassType::MatchList* matches) {
    Words names;
    if (matches != nullptr) {
        for (const auto& entry : *matches) {
            names.push_back(entry->GetName());
        }
    }
    return names;
}

struct SMatchCase {
    const char* name;
    Words terms;
    Words words;
    Words expected;
};

class MatchTest : public ::testing::TestWithParam<SMatchCase> {};

TEST_P(MatchTest, RecordsExpectedTexts) {
    const SMatchCase& c = GetParam();
    CClassType classType;
    for (const std::string& term : c.terms) {
        AddTerm(classType, term);
    }
    EXPECT_EQ(Names(classType.FindMatches(c.words, u"page")), c.expected);
}

const SMatchCase kWordCases[] = {
    {"OneWordFallback", {"NEURAL", "NEURAL NETWORK"}, {"neural", "computing"}, {"neural"}},
    {"TwoWordTermSkipsItsWords",
     {"NEURAL", "NEURAL NETWORK", "NETWORK"},
     {"neural", "network", "Network"},
     {"neural network", "Network"}},
    {"LongerTermFailsWithoutFallback",
     {"NEURAL", "NEURAL NETWORK MODEL", "NETWORK DESIGN"},
     {"neural", "network", "design"},
     {"network design"}},
    {"LongestOfSharedSecondWord",
     {"SEMANTIC WEB", "SEMANTIC WEB SERVICES"},
     {"semantic", "web", "services"},
     {"semantic web services"}},
    {"ShorterOfSharedSecondWord",
     {"SEMANTIC WEB SERVICES", "SEMANTIC WEB"},
     {"semantic", "web", "design"},
     {"semantic web"}},
    {"FullStopKeptInText", {"NEURAL NETWORK"}, {"Neural", "Network."}, {"Neural Network."}},
    {"FullStopAndCommaIgnored", {"NEURAL NETWORK"}, {"neural", "network.,"}, {"neural network.,"}},
    {"SeenOnceCaseTwice", {"NEURAL"}, {"neural", "x", "neural", "Neural"}, {"neural", "Neural"}},
    {"SingleWord", {"NEURAL"}, {"neural"}, {"neural"}},
    {"TwoWordTermAtLastWord", {"NEURAL NETWORK"}, {"neural"}, {}},
    {"CodePageCase", {"caf\xE9"}, {"CAF\xC9", "caf\xE9", "cafe"}, {"CAF\xC9", "caf\xE9"}},
    // The next word loses its comma before the second words are compared, so a term whose
    // second word holds one is not found here (the dotted form below finds it).
    {"NextWordStripped", {"JOHN SMITH, JR"}, {"john", "smith,", "jr"}, {}},
    // A word that starts a term is not searched part by part, even when nothing matched.
    {"CandidatesPreventDotted", {"E.G. NEURAL", "G"}, {"e.g.", "x"}, {}},
    {"TermTokensSplitAtDelimiters",
     {"NEURAL NETWORK (ANN)"},
     {"neural", "network", "ANN"},
     {"neural network ANN"}},
};
INSTANTIATE_TEST_SUITE_P(Words, MatchTest, ::testing::ValuesIn(kWordCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Words holding "." or "," are searched part by part; the caller then skips as many words as
// the parts were advanced over, which may reach past the word itself.
const SMatchCase kDottedCases[] = {
    {"WholeWordRecorded", {"WWW"}, {"www.google.com"}, {"www.google.com"}},
    {"LastPartWithoutTermAdvancesOne",
     {"WWW", "X"},
     {"www.google.com", "x"},
     {"www.google.com", "x"}},
    // Dotted returns 2 (parts advanced over), so "x" is skipped.
    {"PartsMatchTwoWordTerm", {"NEURAL NETWORK", "X"}, {"neural.network", "x"}, {"neural.network"}},
    {"LastIsFromTheFinalPart",
     {"NEURAL NETWORK", "X"},
     {"neural.network.com", "x"},
     {"neural.network.com", "x"}},
    {"NextPartComparedUnstripped", {"JOHN SMITH, JR"}, {"john.smith,", "jr"}, {"john.smith, jr"}},
    {"CommaFallback", {"NEURAL"}, {"neural,"}, {"neural,"}},
    {"CommaInsideDots", {"NEURAL"}, {"e.g.,neural", "nets"}, {"e.g.,neural"}},
    {"NextPartWithComma", {"NEURAL NETWORK"}, {"neural.network,"}, {"neural.network,"}},
    {"ContinuesIntoFollowingWords",
     {"NEURAL NETWORK", "NETWORK"},
     {"neural.", "network", "Network"},
     {"neural. network", "Network"}},
    // The part was found only without its comma, so Dotted returns 0 and the scan goes on at
    // the very next word.
    {"CommaFoundPartDoesNotAdvance",
     {"NEURAL NETWORK", "NETWORK"},
     {"neural,", "network", "Network"},
     {"neural, network", "network", "Network"}},
    // Parts list [www, semantic, web, services, ...], m = 2, match at j = 1 of 3 tokens: the
    // text adds the parts at j + k for k = 2 only; the scan then goes on at word 4.
    {"LaterPartTextAndAdvance",
     {"SEMANTIC WEB SERVICES", "NOW", "LATER"},
     {"www.semantic", "web", "services", "now", "later"},
     {"www.semantic services", "later"}},
    {"AdvancesWithoutRecording",
     {"NEURAL NETWORK MODEL", "X", "Y"},
     {"www.neural", "x", "y"},
     {"y"}},
    {"EachPartFallsBackToWholeWord",
     {"WWW", "NEURAL", "A", "B"},
     {"www.neural", "a", "b"},
     {"www.neural", "b"}},
    {"DotsOnly", {"NEURAL"}, {"...", "neural"}, {"neural"}},
    {"AccentedPart", {"CAF\xC9"}, {"www.caf\xE9"}, {"www.caf\xE9"}},
    // At most nine following words join the parts: ten tokens from part 1 fit, eleven do not.
    {"NineFollowingWordsFit",
     {"A B C D E F G H I J"},
     {"x.a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"},
     {"x.a c d e f g h i j"}},
    {"TenthFollowingWordMissing",
     {"A B C D E F G H I J K"},
     {"x.a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"},
     {}},
};
INSTANTIATE_TEST_SUITE_P(Dotted, MatchTest, ::testing::ValuesIn(kDottedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TermMatcher, RecordedEntriesCopyFieldsOfTheirTerm) {
    CClassType classType;
    AddTerm(classType, "SEMANTIC WEB", "first", "sub1", "onto1");
    AddTerm(classType, "SEMANTIC WEB", "second", "sub2", "onto2");
    AddTerm(classType, "NEURAL NETWORK", "nn");
    AddTerm(classType, "NEURAL", "n1", "sub3", "onto3");
    AddTerm(classType, "NEURAL", "n2");
    AddTerm(classType, "WWW", "w");
    CLexiconEntry bare;
    bare.SetName("bare", false);
    classType.AddEntry(bare);

    const auto* matches = classType.FindMatches(
        {"semantic", "web", "neural", "computing", "bare", "www.neural"}, u"page");
    ASSERT_EQ(Names(matches), (Words{"semantic web", "neural", "bare", "www.neural"}));
    const CLexiconEntry& web = *(*matches)[0];
    EXPECT_EQ(web.GetSpanId(), "first");
    EXPECT_EQ(web.GetSubClass(), "sub1");
    EXPECT_EQ(web.GetOntologyName(), "onto1");
    EXPECT_EQ(web.GetURL(), "no URL");
    const CLexiconEntry& neural = *(*matches)[1];
    EXPECT_EQ(neural.GetSpanId(), "n1");
    EXPECT_EQ(neural.GetSubClass(), "sub3");
    EXPECT_EQ(neural.GetOntologyName(), "onto3");
    EXPECT_EQ((*matches)[2]->GetSpanId(), "no spanId");
    EXPECT_EQ((*matches)[2]->GetSubClass(), "no subClass");
    EXPECT_EQ((*matches)[3]->GetSpanId(), "w");
}

TEST(TermMatcher, MatchListPerPageKey) {
    CClassType classType;
    AddTerm(classType, "NEURAL");
    EXPECT_EQ(classType.FindMatches({"nothing", "here"}, u"empty"), nullptr);
    EXPECT_EQ(classType.GetPageMatches(u"empty"), nullptr);
    EXPECT_EQ(classType.FindMatches({}, u"empty"), nullptr);

    const auto* first = classType.FindMatches({"neural", "neural"}, u"page");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, classType.GetPageMatches(u"page"));
    // A second scan has its own seen set and appends to the same list.
    const auto* second = classType.FindMatches({"neural"}, u"page");
    EXPECT_EQ(second, first);
    EXPECT_EQ(Names(second), (Words{"neural", "neural"}));
    EXPECT_EQ(classType.FindMatches({"x"}, u"page"), first);
    EXPECT_EQ(Names(classType.FindMatches({"Neural"}, u"Page")), (Words{"Neural"}));
    EXPECT_EQ(classType.FindPageMatch(u"page", "neural"), (*first)[0].get());
}

TEST(TermMatcher, MatchTextOfAtMost1023Bytes) {
    CClassType classType;
    AddTerm(classType, "NEURAL NETWORK");
    AddTerm(classType, "X");
    // "neural " + "network" + dots: the dots are ignored when comparing but kept in the text.
    const std::string fits = "network" + std::string(1023 - 14, '.');
    const std::string tooLong = fits + ".";
    EXPECT_EQ(Names(classType.FindMatches({"neural", fits, "x"}, u"fits")),
              (Words{"neural " + fits, "x"}));
    // Not recorded, but the scan still moves past both words.
    EXPECT_EQ(Names(classType.FindMatches({"neural", tooLong, "x", "neural", "network"}, u"long")),
              (Words{"x", "neural network"}));
}

}  // namespace
