#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lexicon/classtype.h"
#include "lexicon/contextmenu.h"
#include "lexicon/contextmenuitem.h"
#include "lexicon/lexiconentry.h"
#include "lexicon/ontology.h"

namespace {

using Words = std::vector<std::string>;

CLexiconEntry Named(const std::string& name) {
    CLexiconEntry entry;
    entry.SetName(name, false);
    return entry;
}

TEST(LexiconEntry, DefaultsAndEmptyTexts) {
    CLexiconEntry entry;
    EXPECT_EQ(entry.GetName(), "no name");
    EXPECT_EQ(entry.GetURL(), "no URL");
    EXPECT_EQ(entry.GetSpanId(), "no spanId");
    EXPECT_EQ(entry.GetSubClass(), "no subClass");
    EXPECT_EQ(entry.GetOntologyName(), "no ontologyName");
    entry.SetSpanId("");
    entry.SetName("", false);
    EXPECT_EQ(entry.GetSpanId(), "");
    EXPECT_EQ(entry.GetName(), "");
}

TEST(LexiconEntry, GetWord) {
    const CLexiconEntry entry = Named("  NEURAL   NETWORK MODEL ");
    EXPECT_EQ(entry.GetWord(0), "NEURAL");
    EXPECT_EQ(entry.GetWord(1), "NETWORK");
    EXPECT_EQ(entry.GetWord(2), "MODEL");
    EXPECT_EQ(entry.GetWord(3), "");
    EXPECT_EQ(Named("NEURAL").GetWord(1), "");
    EXPECT_EQ(Named("A\tB C").GetWord(0), "A\tB");
}

TEST(LexiconEntry, MatchAt) {
    struct SCase {
        std::string name;
        Words words;
        size_t position;
        int expected;
    };
    const SCase cases[] = {
        {"NEURAL NETWORK", {"x", "Neural", "Network."}, 1, 2},
        {"NEURAL NETWORK", {"ne.ural", "net,work."}, 0, 2},
        {"NEURAL NETWORK", {"neural,", "network"}, 0, 2},
        {"NEURAL NETWORK", {"neural"}, 0, -1},
        {"NEURAL NETWORK", {"neural", "network"}, 2, -1},
        {"NEURAL", {"neural,network"}, 0, -1},
        {"ALPHA:BETA (GAMMA)", {"alpha", "beta", "gamma"}, 0, 3},
        {"CAF\xC9", {"caf\xE9"}, 0, 1},
        {"()", {"x"}, 0, 0},
        {"", {}, 0, 0},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(Named(c.name).MatchAt(c.words, c.position), c.expected)
            << c.name << " at " << c.position;
    }
}

TEST(ClassType, NewRecord) {
    CClassType classType;
    EXPECT_EQ(classType.GetName(), "empty");
    EXPECT_EQ(classType.GetLabel(), "empty");
    EXPECT_EQ(classType.GetColour(), "no colour");
    EXPECT_FALSE(classType.IsHighlighted());
    ASSERT_NE(classType.GetMenu(), nullptr);
    EXPECT_EQ(classType.GetMenu()->GetCount(), 0);
}

TEST(ClassType, AddEntryFilesCopyUnderFirstWord) {
    CClassType classType;
    CLexiconEntry network = Named("neural network");
    network.SetSpanId("p1");
    classType.AddEntry(network);
    classType.AddEntry(Named("NEURAL"));
    network.SetSpanId("changed");

    const CCandidates* candidates = classType.CandidatesFor("NEURAL");
    ASSERT_NE(candidates, nullptr);
    const auto& entries = candidates->Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0]->GetName(), "NEURAL NETWORK");
    EXPECT_EQ(entries[0]->GetSpanId(), "p1");
    EXPECT_EQ(entries[0]->GetSubClass(), "no subClass");
    EXPECT_EQ(entries[0]->GetURL(), "no URL");
    EXPECT_EQ(entries[1]->GetName(), "NEURAL");
    EXPECT_EQ(classType.CandidatesFor("neural"), nullptr);
    EXPECT_EQ(classType.CandidatesFor("NETWORK"), nullptr);
    EXPECT_EQ(classType.GetEntryCount(), 2u);
}

TEST(ClassType, PageMatches) {
    CClassType classType;
    EXPECT_EQ(classType.GetPageMatches(u"page"), nullptr);
    EXPECT_EQ(classType.FindPageMatch(u"page", "neural"), nullptr);

    CClassType::MatchList* list = classType.NewPageMatches(u"page");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(classType.GetPageMatches(u"page"), list);
    for (const char* name : {"Neural", "neural", "neural"}) {
        list->push_back(std::make_unique<CLexiconEntry>(Named(name)));
    }
    EXPECT_EQ(classType.FindPageMatch(u"page", "neural"), (*list)[1].get());
    EXPECT_EQ(classType.FindPageMatch(u"page", "Neural"), (*list)[0].get());
    EXPECT_EQ(classType.FindPageMatch(u"page", "NEURAL"), nullptr);
    EXPECT_EQ(classType.FindPageMatch(u"Page", "neural"), nullptr);
}

TEST(Ontology, ClassesAndPositions) {
    COntology ontology;
    ontology.AddEntry("Tech", Named("NEURAL"));
    const CClassType* tech = ontology.FindClass("Tech");
    ASSERT_NE(tech, nullptr);
    EXPECT_EQ(tech->GetName(), "Tech");
    EXPECT_EQ(tech->GetLabel(), "Tech");
    EXPECT_EQ(ontology.FindClass("TECH"), nullptr);

    EXPECT_EQ(ontology.GetClassName(0), "");
    ontology.AllocClasses(2);
    ontology.SetClassName(1, "Tech");
    ontology.SetClassName(2, "Lost");
    EXPECT_EQ(ontology.GetClassCount(), 2);
    EXPECT_EQ(ontology.GetClassName(0), "");
    EXPECT_EQ(ontology.GetClassName(1), "Tech");
    EXPECT_EQ(ontology.GetClassName(2), "");
    EXPECT_EQ(ontology.GetClassName(-1), "");
}

TEST(Ontology, PageWordsKeepFirstArray) {
    COntology ontology;
    EXPECT_EQ(ontology.GetPageWords(u"page"), nullptr);
    EXPECT_TRUE(ontology.SetPageWords(u"page", {"first"}));
    EXPECT_FALSE(ontology.SetPageWords(u"page", {"second"}));
    ASSERT_NE(ontology.GetPageWords(u"page"), nullptr);
    EXPECT_EQ(*ontology.GetPageWords(u"page"), Words{"first"});
    EXPECT_EQ(ontology.GetPageWords(u"Page"), nullptr);
}

TEST(ContextMenu, Slots) {
    CContextMenu menu;
    EXPECT_EQ(menu.GetItem(0), nullptr);
    menu.AllocItems(2);
    ASSERT_EQ(menu.GetCount(), 2);
    EXPECT_EQ(menu.GetItem(1)->GetLabel(), "no name");
    EXPECT_FALSE(menu.GetItem(1)->GetService().has_value());
    EXPECT_EQ(menu.GetItem(2), nullptr);
    EXPECT_EQ(menu.GetItem(-1), nullptr);

    menu.SetItem(std::make_unique<CContextMenuItem>("Find", "svc", 1), 1);
    menu.SetItem(std::make_unique<CContextMenuItem>("Lost", "svc", 2), 2);
    menu.SetItem(std::make_unique<CContextMenuItem>("Lost", "svc", -1), -1);
    EXPECT_EQ(menu.GetItem(1)->GetLabel(), "Find");
    EXPECT_EQ(menu.GetItem(1)->GetIndex(), 1);
    EXPECT_EQ(menu.GetCount(), 2);
    menu.AllocItems(1);
    EXPECT_EQ(menu.GetItem(0)->GetLabel(), "no name");

    // Without a service there is no address; a new prefix replaces the old address.
    CContextMenuItem noService;
    noService.SetServiceURL("http://srv/");
    EXPECT_FALSE(noService.GetServiceURL().has_value());
    CContextMenuItem item("Who", "people-at", 3);
    item.SetServiceURL("a/");
    item.SetServiceURL("b&");
    EXPECT_EQ(item.GetServiceURL(), "b&service=people-at");
}

}  // namespace
