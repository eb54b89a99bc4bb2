#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "lexicon/classtype.h"
#include "lexicon/loadreport.h"
#include "lexicon/ontology.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

const char* const kColours[] = {"palegreen", "chocolate", "skyblue",   "plum",
                                "indianred", "cadetblue", "darkkhaki", "burlywood"};

// One term-file line: class, subClass, ontologyName, spanId, term.
std::string Term(const std::string& cls, const std::string& term, const std::string& sub = "s",
                 const std::string& onto = "o", const std::string& span = "p") {
    return cls + "\t" + sub + "\t" + onto + "\t" + span + "\t" + term + "\n";
}

// One menu block: class name, item count, item lines.
std::string Block(const std::string& cls, const Lines& items) {
    std::string block = cls + "\n" + std::to_string(items.size()) + "\n";
    for (const std::string& item : items) {
        block += item + "\n";
    }
    return block;
}

// Each test gets a fresh folder for its lexicon files.
class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "lirset-lexicon-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }

    void TearDown() override {
        std::error_code error;
        fs::remove_all(m_dir, error);
    }

    std::string WriteFile(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    // Writes lex.onto and lex.menu and loads them into m_ontology, reporting into m_report.
    bool WriteLexicon(const std::string& terms, const std::string& menu) {
        WriteFile(m_dir / "lex.menu", menu);
        return m_ontology.Load(WriteFile(m_dir / "lex.onto", terms), &m_report);
    }

    const CLexiconEntry* Entry(const std::string& cls, const std::string& firstWord, size_t n = 0) {
        const CClassType* classType = m_ontology.FindClass(cls);
        if (classType == nullptr) {
            return nullptr;
        }
        const CCandidates* candidates = classType->CandidatesFor(firstWord);
        return candidates != nullptr && n < candidates->Entries().size()
                   ? candidates->Entries()[n].get()
                   : nullptr;
    }

    bool Reported(SLoadProblem::EFile file, int line) const {
        for (const SLoadProblem& problem : m_report.Problems()) {
            if (problem.file == file && problem.line == line && !problem.message.empty()) {
                return true;
            }
        }
        return false;
    }

    fs::path m_dir;
    COntology m_ontology;
    CLoadReport m_report;
};

TEST_F(LoaderTest, TermLines) {
    ASSERT_TRUE(WriteLexicon(Term("Place", "Grand Canyon", "Park", "geo", "p12") +
                                 "Other\t\t\t\tfirst\tsecond tab\n" +
                                 Term("Tech", "caf\xE9 cr\xE8me", "s", "o", "p1") +
                                 Term("tech", "neural") + Term("Tech", " caf\xE9", "s", "o", "p2") +
                                 Term("Tech", "caf\xE9 cr\xE8me", "s", "o", "p3"),
                             "0\n"));
    const CLexiconEntry* canyon = Entry("Place", "GRAND");
    ASSERT_NE(canyon, nullptr);
    EXPECT_EQ(canyon->GetName(), "GRAND CANYON");
    EXPECT_EQ(canyon->GetSubClass(), "Park");
    EXPECT_EQ(canyon->GetOntologyName(), "geo");
    EXPECT_EQ(canyon->GetSpanId(), "p12");
    EXPECT_EQ(canyon->GetURL(), "no URL");

    // Empty fields stay empty; a fifth TAB belongs to the term.
    const CLexiconEntry* tabbed = Entry("Other", "FIRST\tSECOND");
    ASSERT_NE(tabbed, nullptr);
    EXPECT_EQ(tabbed->GetName(), "FIRST\tSECOND TAB");
    EXPECT_EQ(tabbed->GetSubClass(), "");
    EXPECT_EQ(tabbed->GetOntologyName(), "");
    EXPECT_EQ(tabbed->GetSpanId(), "");

    // Classes differ by case; duplicates are kept in file order; a term with a leading blank is
    // stored as read, under the empty first word.
    EXPECT_EQ(m_ontology.GetLexTree().size(), 4u);
    ASSERT_NE(Entry("Tech", "CAF\xC9", 1), nullptr);
    EXPECT_EQ(Entry("Tech", "CAF\xC9", 0)->GetName(), "CAF\xC9 CR\xC8ME");
    EXPECT_EQ(Entry("Tech", "CAF\xC9", 0)->GetSpanId(), "p1");
    EXPECT_EQ(Entry("Tech", "CAF\xC9", 1)->GetSpanId(), "p3");
    ASSERT_NE(Entry("Tech", ""), nullptr);
    EXPECT_EQ(Entry("Tech", "")->GetName(), " CAF\xC9");
    EXPECT_EQ(m_ontology.FindClass("tech")->GetEntryCount(), 1u);
}

TEST_F(LoaderTest, BlankLinesCrLfAndMissingLastLineEnd) {
    ASSERT_TRUE(WriteLexicon(
        "\n\r\n" + Term("A", "neural") + "\n\n" + "A\ts\to\tp\tnet\r\n\n" + "A\ts\to\tp\tmodel",
        "\r\n1\r\nA\r\n1\r\nweb\tsvc\thttp://h/?\r\n\r\n"));
    ASSERT_NE(Entry("A", "NEURAL"), nullptr);
    ASSERT_NE(Entry("A", "NET"), nullptr);
    EXPECT_EQ(Entry("A", "NET")->GetName(), "NET");
    ASSERT_NE(Entry("A", "MODEL"), nullptr);
    EXPECT_EQ(m_ontology.FindClass("A")->GetEntryCount(), 3u);
    EXPECT_EQ(m_ontology.GetClassName(0), "A");
    const CContextMenuItem* item = m_ontology.FindClass("A")->GetMenu()->GetItem(0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetServiceURL(), "http://h/?service=svc");
}

TEST_F(LoaderTest, CtrlZEndsEitherFile) {
    ASSERT_TRUE(WriteLexicon(Term("A", "neural") + "A\ts\to\tp\tneu\x1Aral\n" + Term("B", "hidden"),
                             "1\nA\n0\n\x1AX\n\nA\n1\nlate\ts\tp\n"));
    EXPECT_EQ(m_ontology.FindClass("B"), nullptr);
    ASSERT_NE(Entry("A", "NEU"), nullptr);
    EXPECT_EQ(Entry("A", "NEU")->GetName(), "NEU");
    EXPECT_EQ(m_ontology.GetLexTree().size(), 1u);
    EXPECT_EQ(m_ontology.FindClass("A")->GetMenu()->GetCount(), 0);
}

TEST_F(LoaderTest, MalformedTermLinesSkipped) {
    const std::string limit(255, 'x');
    const std::string over(256, 'x');
    const std::string longClass(300, 'C');
    const Lines lines = {
        "A\ts\to\tthreetabs",                   // 1: fewer than four TABs
        "   ",                                  // 2: blanks only, no TABs
        Term("A", "ok1", over),                 // 3: subClass too long
        Term("A", "ok2", "s", over),            // 4: ontologyName too long
        Term("A", "ok3", "s", "o", over),       // 5: spanId too long
        Term("A", over),                        // 6: term too long
        Term("A", limit, limit, limit, limit),  // 7: every field at its limit
        Term(longClass, "long"),                // 8: the class name has no limit
    };
    std::string terms;
    for (const std::string& line : lines) {
        terms += line.back() == '\n' ? line : line + "\n";
    }
    ASSERT_TRUE(WriteLexicon(terms, "0\n"));
    ASSERT_NE(m_ontology.FindClass("A"), nullptr);
    EXPECT_EQ(m_ontology.FindClass("A")->GetEntryCount(), 1u);
    const CLexiconEntry* full = Entry("A", std::string(255, 'X'));
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(full->GetSpanId(), limit);
    EXPECT_NE(Entry(longClass, "LONG"), nullptr);
    for (int line = 1; line <= 6; ++line) {
        EXPECT_TRUE(Reported(SLoadProblem::EFile::Terms, line)) << "line " << line;
    }
    EXPECT_FALSE(Reported(SLoadProblem::EFile::Terms, 7));
}

TEST_F(LoaderTest, MenuPathAndMissingFiles) {
    WriteFile(m_dir / "LEX.menu", "0\n");
    EXPECT_TRUE(m_ontology.Load(WriteFile(m_dir / "LEX.ONTO", Term("A", "x"))));

    COntology wrongCase;
    WriteFile(m_dir / "other.MENU", "0\n");
    EXPECT_FALSE(wrongCase.Load(WriteFile(m_dir / "other.onto", Term("A", "x"))));
    EXPECT_NE(wrongCase.FindClass("A"), nullptr);

    COntology noTerms;
    EXPECT_FALSE(noTerms.Load((m_dir / "absent.onto").string()));
    EXPECT_TRUE(noTerms.GetLexTree().empty());
}

TEST_F(LoaderTest, PathOfAtMost255Characters) {
    // Pad a folder name so that the term-file path is exactly 255 characters long.
    const std::string prefix = (m_dir / "").string();
    const std::string tail = "/l.onto";
    ASSERT_LT(prefix.size() + tail.size() + 2, 255u);
    const fs::path folder = prefix + std::string(255 - prefix.size() - tail.size(), 'd');
    const std::string path = folder.string() + tail;
    ASSERT_EQ(path.size(), 255u);
    WriteFile(folder / "l.menu", "0\n");
    EXPECT_TRUE(m_ontology.Load(WriteFile(path, Term("A", "x"))));

    const fs::path longer = folder.string() + "e";
    WriteFile(longer / "l.menu", "0\n");
    COntology tooLong;
    CLoadReport report;
    EXPECT_FALSE(tooLong.Load(WriteFile(longer / "l.onto", Term("A", "x")), &report));
    EXPECT_FALSE(report.Empty());
}

TEST_F(LoaderTest, FirstMenuLine) {
    struct SCase {
        std::string first;
        bool loads;
        int count;
    };
    const SCase cases[] = {
        {"           12", false, 0},   // 13 characters
        {"          12", true, 12},    // 12 characters
        {"          12\r", true, 12},  // 12 characters and the CR of its line end
        {"\n\n  +2 classes", true, 2}, {"-0x", true, 0}, {"none", true, 0},
    };
    for (const SCase& c : cases) {
        std::string menu = c.first + "\n";
        for (int k = 0; k < c.count; ++k) {
            menu += Block("Absent", {});
        }
        COntology ontology;
        WriteFile(m_dir / "lex.menu", menu);
        EXPECT_EQ(ontology.Load(WriteFile(m_dir / "lex.onto", Term("A", "x"))), c.loads) << c.first;
        EXPECT_EQ(ontology.GetClassCount(), c.count) << c.first;
        EXPECT_NE(ontology.FindClass("A"), nullptr);
    }
}

TEST_F(LoaderTest, MenuWithoutNonBlankLineFails) {
    EXPECT_FALSE(WriteLexicon(Term("A", "x"), ""));
    COntology blankOnly;
    WriteFile(m_dir / "lex.menu", "\n\r\n\n");
    EXPECT_FALSE(blankOnly.Load((m_dir / "lex.onto").string()));
}

TEST_F(LoaderTest, PositionsAndDefaultColours) {
    std::string terms = Term("Unplaced", "x");
    std::string menu = "11\n";
    for (int k = 0; k < 10; ++k) {
        const std::string cls = "C" + std::to_string(k);
        terms += Term(cls, "t" + std::to_string(k));
        menu += Block(cls, {});
        if (k == 4) {
            // A class the term file lacks still consumes its lines and leaves its place empty.
            menu += Block("Ghost", {"g\ts\tp", "h\ts\tp"});
        }
    }
    ASSERT_TRUE(WriteLexicon(terms, menu));
    ASSERT_EQ(m_ontology.GetClassCount(), 11);
    for (int k = 0; k < 11; ++k) {
        const int index = k < 5 ? k : k - 1;
        const std::string expected = k == 5 ? "" : "C" + std::to_string(index);
        EXPECT_EQ(m_ontology.GetClassName(k), expected) << k;
        if (k != 5) {
            EXPECT_EQ(m_ontology.FindClass(expected)->GetColour(), kColours[k % 8]) << k;
        }
    }
    EXPECT_EQ(m_ontology.GetClassName(11), "");
    EXPECT_EQ(m_ontology.FindClass("Ghost"), nullptr);
    const CClassType* unplaced = m_ontology.FindClass("Unplaced");
    EXPECT_EQ(unplaced->GetColour(), "no colour");
    EXPECT_EQ(unplaced->GetMenu()->GetCount(), 0);
}

TEST_F(LoaderTest, ItemLines) {
    ASSERT_TRUE(WriteLexicon(
        Term("Person", "x") + Term("Project", "y"),
        "2\n" +
            Block("Person", {"Who works here\tpeople-at\thttp://srv/q?",
                             "No service\t\thttp://srv/", "\tsvc\tpre\tfix", "Bare\tsvc\t"}) +
            Block("Project", {})));
    const CContextMenu* menu = m_ontology.FindClass("Person")->GetMenu();
    ASSERT_EQ(menu->GetCount(), 4);
    const CContextMenuItem* who = menu->GetItem(0);
    EXPECT_EQ(who->GetLabel(), "Who works here");
    EXPECT_EQ(who->GetService(), "people-at");
    EXPECT_EQ(who->GetServiceURL(), "http://srv/q?service=people-at");
    EXPECT_EQ(menu->GetItem(1)->GetServiceURL(), "http://srv/service=");
    EXPECT_EQ(menu->GetItem(2)->GetLabel(), "");
    EXPECT_EQ(menu->GetItem(2)->GetServiceURL(), "pre\tfixservice=svc");
    EXPECT_EQ(menu->GetItem(3)->GetServiceURL(), "service=svc");
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(menu->GetItem(j)->GetIndex(), j);
    }
    EXPECT_EQ(m_ontology.FindClass("Project")->GetMenu()->GetCount(), 0);
    EXPECT_EQ(m_ontology.FindClass("Project")->GetColour(), "chocolate");
}

TEST_F(LoaderTest, ItemCountTooLargeSwallowsNextBlock) {
    ASSERT_TRUE(
        WriteLexicon(Term("A", "x") + Term("B", "y"), "2\nA\n2\na0\ts\tp\nB\n1\nb0\ts\tp\n"));
    const CContextMenu* menu = m_ontology.FindClass("A")->GetMenu();
    ASSERT_EQ(menu->GetCount(), 2);
    EXPECT_EQ(menu->GetItem(0)->GetLabel(), "a0");
    // "B" has no TABs: the slot stays an unset item.
    EXPECT_EQ(menu->GetItem(1)->GetLabel(), "no name");
    EXPECT_FALSE(menu->GetItem(1)->GetServiceURL().has_value());
    EXPECT_TRUE(Reported(SLoadProblem::EFile::Menus, 5));
    // Block 1 was read from "1" and "b0\ts\tp": no such class, and B got nothing.
    EXPECT_EQ(m_ontology.GetClassName(0), "A");
    EXPECT_EQ(m_ontology.GetClassName(1), "");
    EXPECT_EQ(m_ontology.FindClass("B")->GetColour(), "no colour");
    EXPECT_EQ(m_ontology.FindClass("B")->GetMenu()->GetCount(), 0);
}

TEST_F(LoaderTest, BlankLineBetweenBlocksIsReadAsClassName) {
    ASSERT_TRUE(WriteLexicon(Term("A", "x") + Term("B", "x"), "2\nA\n0\n\nB\n0\n"));
    EXPECT_EQ(m_ontology.GetClassName(0), "A");
    EXPECT_EQ(m_ontology.GetClassName(1), "");
    EXPECT_EQ(m_ontology.FindClass("B")->GetColour(), "no colour");
}

TEST_F(LoaderTest, ClassNamedTwiceTakesLaterBlock) {
    ASSERT_TRUE(WriteLexicon(Term("A", "x"), "2\n" + Block("A", {"first\ts\tp", "extra\ts\tp"}) +
                                                 Block("A", {"second\ts\tp"})));
    const CContextMenu* menu = m_ontology.FindClass("A")->GetMenu();
    ASSERT_EQ(menu->GetCount(), 1);
    EXPECT_EQ(menu->GetItem(0)->GetLabel(), "second");
    EXPECT_EQ(m_ontology.FindClass("A")->GetColour(), "chocolate");
    EXPECT_EQ(m_ontology.GetClassName(0), "A");
    EXPECT_EQ(m_ontology.GetClassName(1), "A");
}

TEST_F(LoaderTest, RoundsRepeatAfterADiscardedLine) {
    ASSERT_TRUE(WriteLexicon(Term("A", "x") + Term("B", "x") + Term("C", "x") + Term("D", "x"),
                             "2\n" + Block("A", {"a\ts\tp"}) + Block("B", {}) + "\n\n\nskipped\n" +
                                 Block("C", {}) + Block("Nobody", {}) + "D\n" +
                                 Block("Nobody", {}) + Block("D", {})));
    EXPECT_EQ(m_ontology.GetClassCount(), 2);
    // Round two (after the discarded "skipped") put C at 0 and left 1 alone for its unknown
    // class; round three (after the discarded "D") left 0 alone and put D at 1.
    EXPECT_EQ(m_ontology.GetClassName(0), "C");
    EXPECT_EQ(m_ontology.GetClassName(1), "D");
    EXPECT_EQ(m_ontology.FindClass("A")->GetColour(), "palegreen");
    EXPECT_EQ(m_ontology.FindClass("B")->GetColour(), "chocolate");
    EXPECT_EQ(m_ontology.FindClass("C")->GetColour(), "palegreen");
    EXPECT_EQ(m_ontology.FindClass("D")->GetColour(), "chocolate");
    EXPECT_EQ(m_ontology.FindClass("A")->GetMenu()->GetCount(), 1);
}

TEST_F(LoaderTest, OverlongItemCountLineEndsPass) {
    const std::string limit = std::string(255, ' ') + "1";
    const std::string over = std::string(256, ' ') + "1";
    ASSERT_TRUE(
        WriteLexicon(Term("A", "x") + Term("B", "x") + Term("C", "x") + Term("E", "x"),
                     "2\nE\n" + limit + "\ne\ts\tp\nA\n" + over + "\na\ts\tp\nB\n0\nC\n0\n"));
    EXPECT_EQ(m_ontology.FindClass("E")->GetMenu()->GetCount(), 1);
    // The pass ended at A's count; "a\ts\tp" was discarded and B, C started a new round.
    EXPECT_EQ(m_ontology.FindClass("A")->GetColour(), "no colour");
    EXPECT_EQ(m_ontology.GetClassName(0), "B");
    EXPECT_EQ(m_ontology.GetClassName(1), "C");
    EXPECT_EQ(m_ontology.FindClass("C")->GetColour(), "chocolate");
}

TEST_F(LoaderTest, ClassCountOutOfRange) {
    ASSERT_TRUE(WriteLexicon(Term("A", "x"), "-3\n" + Block("A", {})));
    EXPECT_EQ(m_ontology.GetClassCount(), 0);
    EXPECT_EQ(m_ontology.FindClass("A")->GetColour(), "no colour");
    EXPECT_TRUE(Reported(SLoadProblem::EFile::Menus, 1));

    std::string terms;
    std::string menu = "257\n";
    for (int k = 0; k < 257; ++k) {
        terms += Term("C" + std::to_string(k), "x");
        menu += Block("C" + std::to_string(k), {});
    }
    COntology many;
    WriteFile(m_dir / "many.menu", menu);
    ASSERT_TRUE(many.Load(WriteFile(m_dir / "many.onto", terms)));
    EXPECT_EQ(many.GetClassCount(), 256);
    EXPECT_EQ(many.GetClassName(255), "C255");
    EXPECT_EQ(many.FindClass("C255")->GetColour(), "burlywood");
    EXPECT_EQ(many.FindClass("C256")->GetColour(), "no colour");
    EXPECT_EQ(many.GetClassName(256), "");
}

TEST_F(LoaderTest, ItemCountsOutOfRange) {
    std::string manyItems = "A\n1030\n";
    for (int j = 0; j < 1030; ++j) {
        manyItems += "i" + std::to_string(j) + "\ts\tp\n";
    }
    ASSERT_TRUE(WriteLexicon(Term("A", "x") + Term("B", "x") + Term("C", "x"),
                             "3\n" + manyItems + "B\n-2\nC\n1\nc\ts\tp\n"));
    const CContextMenu* menu = m_ontology.FindClass("A")->GetMenu();
    ASSERT_EQ(menu->GetCount(), 1024);
    EXPECT_EQ(menu->GetItem(1023)->GetLabel(), "i1023");
    EXPECT_EQ(m_ontology.FindClass("B")->GetMenu()->GetCount(), 0);
    EXPECT_EQ(m_ontology.FindClass("B")->GetColour(), "chocolate");
    EXPECT_EQ(m_ontology.FindClass("C")->GetMenu()->GetItem(0)->GetLabel(), "c");
    EXPECT_EQ(m_ontology.GetClassName(2), "C");
    EXPECT_TRUE(Reported(SLoadProblem::EFile::Menus, 3));
    EXPECT_TRUE(Reported(SLoadProblem::EFile::Menus, 1035));
}

TEST_F(LoaderTest, ItemLineLimits) {
    const std::string s255(255, 'l');
    const std::string s256(256, 'l');
    const std::string s511(511, 'p');
    const std::string s512(512, 'p');
    ASSERT_TRUE(
        WriteLexicon(Term("A", "x"), "1\n" + Block("A", {
                                                            "one\ttab only",
                                                            s256 + "\ts\tp",
                                                            "l\t" + s256 + "\tp",
                                                            "l\ts\t" + s512,
                                                            s255 + "\t" + s255 + "\t" + s511,
                                                        })));
    const CContextMenu* menu = m_ontology.FindClass("A")->GetMenu();
    ASSERT_EQ(menu->GetCount(), 5);
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(menu->GetItem(j)->GetLabel(), "no name") << j;
        EXPECT_FALSE(menu->GetItem(j)->GetServiceURL().has_value()) << j;
        EXPECT_TRUE(Reported(SLoadProblem::EFile::Menus, 4 + j)) << j;
    }
    EXPECT_EQ(menu->GetItem(4)->GetLabel(), s255);
    EXPECT_EQ(menu->GetItem(4)->GetServiceURL(), s511 + "service=" + s255);
    EXPECT_EQ(menu->GetItem(4)->GetIndex(), 4);
}

}  // namespace
