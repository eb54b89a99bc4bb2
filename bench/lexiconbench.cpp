// Measures loading a lexicon and matching each of its classes against a page text, side by side
// with the plain split of that text into words, which is the floor any matching pass stands on.
//
//   lirset-lexiconbench LEXICON.onto TEXT [--repeat R]
//
// Every time is the best of R runs (default 3). Matching uses a fresh page key per run, since a
// class keeps what it found per page and a repeated key would measure less work.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "bench/benchreport.h"
#include "lexicon/loadreport.h"
#include "lexicon/ontology.h"
#include "lexicon/wordsplitter.h"
#include "platform/text/codepage.h"

namespace {

constexpr double kGoalRatio = 3.0;

// VmHWM (peak) and VmRSS (now) of this process, in kB.
struct SMemory {
    long peakKb = 0;
    long residentKb = 0;
};

SMemory ReadMemory() {
    SMemory memory;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        std::istringstream fields(line);
        std::string key;
        long value = 0;
        fields >> key >> value;
        if (key == "VmHWM:") {
            memory.peakKb = value;
        } else if (key == "VmRSS:") {
            memory.residentKb = value;
        }
    }
    return memory;
}

std::string Megabytes(long kb) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(kb) / 1024.0);
    return text;
}

struct SOptions {
    std::string lexiconPath;
    std::string textPath;
    int repeat = 3;
};

std::optional<SOptions> ParseOptions(int argc, char** argv) {
    SOptions options;
    std::vector<std::string_view> positional;
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (arg == "--repeat" && k + 1 < argc) {
            const std::string_view value = argv[++k];
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), options.repeat);
            if (error != std::errc() || end != value.data() + value.size() || options.repeat < 1) {
                return std::nullopt;
            }
        } else if (arg.starts_with("--")) {
            return std::nullopt;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        return std::nullopt;
    }
    options.lexiconPath = positional[0];
    options.textPath = positional[1];
    return options;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Loads the lexicon and tells what the load reported; false only when nothing usable was read.
bool LoadLexicon(COntology& ontology, const std::string& path, bool describe) {
    CLoadReport report;
    const bool complete = ontology.Load(path, &report);
    if (describe && !report.Empty()) {
        PrintFigure("load problems", std::to_string(report.Problems().size()) +
                                         (complete ? "" : " (load incomplete)") +
                                         ", first: " + report.Problems().front().message);
    }
    return !ontology.GetLexTree().empty();
}

// How many words open a candidate list of the class: the words matching does real work for. Each
// such word is also marked in opensAny.
size_t CountTermStarts(const CClassType& classType, const std::vector<std::string>& words,
                       std::vector<bool>& opensAny) {
    size_t count = 0;
    std::string key;
    for (size_t k = 0; k < words.size(); ++k) {
        key = words[k];
        CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
        if (classType.CandidatesFor(key) != nullptr) {
            ++count;
            opensAny[k] = true;
        }
    }
    return count;
}

std::string Percent(size_t part, size_t whole) {
    return Fixed(100.0 * static_cast<double>(part) / static_cast<double>(whole), 1) + "%";
}

size_t LongestCandidateList(const CClassType& classType) {
    size_t longest = 0;
    for (const auto& [firstWord, candidates] : classType.GetIndex()) {
        longest = std::max(longest, candidates.Entries().size());
    }
    return longest;
}

int Run(const SOptions& options) {
    const SMemory beforeLoad = ReadMemory();
    COntology ontology;
    CClock::time_point start = CClock::now();
    if (!LoadLexicon(ontology, options.lexiconPath, true)) {
        std::cerr << "no entries read from " << options.lexiconPath << '\n';
        return 1;
    }
    double loadSeconds = SecondsSince(start);
    const SMemory afterLoad = ReadMemory();
    // The other load runs come after the memory reading, and each model is gone before the next
    // begins, so the peak above is that of one loaded lexicon.
    for (int run = 1; run < options.repeat; ++run) {
        COntology again;
        start = CClock::now();
        LoadLexicon(again, options.lexiconPath, false);
        loadSeconds = std::min(loadSeconds, SecondsSince(start));
    }
    size_t entryCount = 0;
    for (const auto& [name, classType] : ontology.GetLexTree()) {
        entryCount += classType->GetEntryCount();
    }

    const std::optional<std::string> text = ReadWholeFile(options.textPath);
    if (!text) {
        std::cerr << "cannot read " << options.textPath << '\n';
        return 1;
    }
    std::vector<std::string> words;
    double splitSeconds = 0;
    for (int run = 0; run < options.repeat; ++run) {
        start = CClock::now();
        std::vector<std::string> split = SplitPageText(*text);
        const double seconds = SecondsSince(start);
        splitSeconds = run == 0 ? seconds : std::min(splitSeconds, seconds);
        words = std::move(split);
    }

    if (words.empty()) {
        std::cerr << options.textPath << " holds no words\n";
        return 1;
    }

    PrintFigure("lexicon", options.lexiconPath);
    PrintFigure("entries", std::to_string(entryCount) + " in " +
                               std::to_string(ontology.GetLexTree().size()) + " classes");
    PrintFigure("load",
                Milliseconds(loadSeconds) + " (best of " + std::to_string(options.repeat) + ")");
    PrintFigure("load rate",
                Fixed(static_cast<double>(entryCount) / loadSeconds, 0) + " entries/s");
    PrintFigure("memory before load", "VmHWM " + Megabytes(beforeLoad.peakKb) + ", VmRSS " +
                                          Megabytes(beforeLoad.residentKb));
    PrintFigure("memory after load", "VmHWM " + Megabytes(afterLoad.peakKb) + ", VmRSS " +
                                         Megabytes(afterLoad.residentKb));
    PrintFigure("lexicon footprint", Megabytes(afterLoad.residentKb - beforeLoad.residentKb) +
                                         " resident, " +
                                         Megabytes(afterLoad.peakKb - beforeLoad.peakKb) + " peak");
    PrintFigure("text", options.textPath + " (" +
                            Fixed(static_cast<double>(text->size()) / 1e6, 1) + " MB, " +
                            std::to_string(words.size()) + " words)");
    PrintFigure("split pass (floor)",
                Milliseconds(splitSeconds) + ", " +
                    Fixed(static_cast<double>(words.size()) / splitSeconds / 1e6, 1) +
                    " M words/s");

    double worstRatio = 0;
    std::string worstClass;
    double totalSeconds = 0;
    std::vector<std::pair<std::string, const CClassType*>> shapes;
    for (const auto& [name, classType] : ontology.GetLexTree()) {
        double best = 0;
        size_t matchCount = 0;
        bool steady = true;
        for (int run = 1; run <= options.repeat; ++run) {
            const std::u16string key = u"bench:" + AnsiToWide(std::to_string(run));
            start = CClock::now();
            const CClassType::MatchList* matches = classType->FindMatches(words, key);
            const double seconds = SecondsSince(start);
            const size_t count = matches != nullptr ? matches->size() : 0;
            steady = steady && (run == 1 || count == matchCount);
            matchCount = count;
            best = run == 1 ? seconds : std::min(best, seconds);
        }
        if (!steady) {
            std::cerr << "class " << name << ": the runs recorded different match counts\n";
            return 1;
        }
        totalSeconds += best;
        const double ratio = best / splitSeconds;
        if (ratio > worstRatio) {
            worstRatio = ratio;
            worstClass = name;
        }
        PrintFigure("match " + name, Milliseconds(best) + ", " + Fixed(ratio, 2) + "x floor, " +
                                         std::to_string(matchCount) + " matches");
        shapes.push_back({name, classType.get()});
    }
    PrintFigure("match all classes", Milliseconds(totalSeconds) + ", " +
                                         Fixed(totalSeconds / splitSeconds, 2) + "x floor");
    PrintFigure("worst ratio", Fixed(worstRatio, 2) + "x (" + worstClass + ")");
    std::cout << "goal: <= " << Fixed(kGoalRatio, 1)
              << "x: " << (worstRatio <= kGoalRatio ? "met" : "not met") << '\n';
    // What each class asks of matching: how often a word opens one of its candidate lists, and
    // how long those lists run.
    std::vector<bool> opensAny(words.size(), false);
    for (const auto& [name, classType] : shapes) {
        const size_t starts = CountTermStarts(*classType, words, opensAny);
        PrintFigure("shape " + name, std::to_string(classType->GetEntryCount()) + " entries, " +
                                         std::to_string(classType->GetIndex().size()) +
                                         " first words (longest list " +
                                         std::to_string(LongestCandidateList(*classType)) + "), " +
                                         Percent(starts, words.size()) + " of words open a list");
    }
    PrintFigure("shape all classes",
                Percent(static_cast<size_t>(std::count(opensAny.begin(), opensAny.end(), true)),
                        words.size()) +
                    " of words open a list of some class");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<SOptions> options = ParseOptions(argc, argv);
    if (!options) {
        std::cerr << "usage: lirset-lexiconbench LEXICON.onto TEXT [--repeat R]\n";
        return 2;
    }
    try {
        return Run(*options);
    } catch (const std::exception& e) {
        std::cerr << "lirset-lexiconbench: " << e.what() << '\n';
        return 1;
    }
}
