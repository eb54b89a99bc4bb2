// Writes a large synthetic lexicon and a page text drawn from it, for the lexicon benchmark.
//
//   lirset-genlexicon OUTDIR [--entries N] [--words W] [--seed S]
//       writes OUTDIR/big.onto, OUTDIR/big.menu and OUTDIR/big.txt
//   lirset-genlexicon OUTDIR --text-from LEXICON.onto [--words W] [--seed S]
//       writes only OUTDIR/<name of LEXICON>.txt, a text drawn from that lexicon's terms
//
// The output depends on the arguments alone: the random numbers come from our own generator and
// our own integer distributions, never from the standard library's, whose results differ between
// library versions.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

// xorshift64*, seeded through splitmix64 so that small seeds give unrelated streams.
class CRandom {
public:
    explicit CRandom(uint64_t seed) {
        uint64_t z = seed + 0x9E3779B97F4A7C15ULL;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        m_nState = (z ^ (z >> 31)) | 1;
    }

    uint64_t Next() {
        m_nState ^= m_nState >> 12;
        m_nState ^= m_nState << 25;
        m_nState ^= m_nState >> 27;
        return m_nState * 0x2545F4914F6CDD1DULL;
    }

    // A number in [0, n); n > 0.
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(((Next() >> 32) * n) >> 32); }

    // True with the given chance in a thousand.
    bool PerMille(uint32_t chance) { return Below(1000) < chance; }

    // A number in [0, n) where small numbers are far more likely: each level draws below the
    // previous draw, which gives a long-tailed popularity much like word frequencies.
    uint32_t Skewed(uint32_t n, int levels) {
        uint32_t value = Below(n);
        for (int level = 0; level < levels; ++level) {
            value = Below(value + 1);
        }
        return value;
    }

private:
    uint64_t m_nState;
};

uint64_t Mix(uint64_t a, uint64_t b) {
    uint64_t z = a * 0x9E3779B97F4A7C15ULL ^ (b + 0x632BE59BD9B4E019ULL);
    z = (z ^ (z >> 31)) * 0xBF58476D1CE4E5B9ULL;
    return z ^ (z >> 29);
}

// Pronounceable, distinct words: each index written in base 70 with consonant-vowel syllables,
// at least two syllables, sometimes with a closing consonant.
class CVocabulary {
public:
    explicit CVocabulary(uint32_t size) : m_words(size) {
        static constexpr std::string_view kConsonants = "bdfgklmnprstvz";
        static constexpr std::string_view kVowels = "aeiou";
        static constexpr std::string_view kEndings = "nrst";
        const uint32_t base = static_cast<uint32_t>(kConsonants.size() * kVowels.size());
        for (uint32_t i = 0; i < size; ++i) {
            std::string& word = m_words[i];
            for (uint64_t n = i + base; n > 0; n /= base) {
                const uint32_t syllable = static_cast<uint32_t>(n % base);
                word += kConsonants[syllable / kVowels.size()];
                word += kVowels[syllable % kVowels.size()];
            }
            const uint64_t ending = Mix(i, 7) % 8;
            if (ending < kEndings.size()) {
                word += kEndings[ending];
            }
        }
    }

    uint32_t Size() const { return static_cast<uint32_t>(m_words.size()); }
    const std::string& operator[](uint64_t i) const { return m_words[i % m_words.size()]; }

private:
    std::vector<std::string> m_words;
};

struct SClassShare {
    std::string_view name;
    uint32_t weight;  // share of the entries, in percent
};

constexpr std::array<SClassShare, 8> kClasses = {{{"Person", 24},
                                                  {"Location", 18},
                                                  {"Organisation", 14},
                                                  {"Chemical", 12},
                                                  {"Disease", 10},
                                                  {"Gene", 9},
                                                  {"Anatomy", 7},
                                                  {"Instrument", 6}}};

struct STerm {
    size_t classIndex;
    std::string text;
};

std::string Capitalised(std::string word) {
    if (!word.empty() && word[0] >= 'a' && word[0] <= 'z') {
        word[0] = static_cast<char>(word[0] - 'a' + 'A');
    }
    return word;
}

std::string Letters(CRandom& random, int count, bool dotted) {
    std::string text;
    for (int k = 0; k < count; ++k) {
        text += static_cast<char>('A' + random.Below(26));
        if (dotted) {
            text += '.';
        }
    }
    return text;
}

// Terms that hold dots and commas: initials before a word ("U.S. ARMY"), a letter glued to a
// word ("E.COLI"), and a code with a comma before a qualifier ("VITAMIN B12, SYNTHETIC").
std::string PunctuatedTerm(CRandom& random, const CVocabulary& vocabulary, uint32_t head) {
    switch (random.Below(3)) {
        case 0:
            return Letters(random, 2 + static_cast<int>(random.Below(2)), true) + " " +
                   Capitalised(vocabulary[head]);
        case 1:
            return Letters(random, 1, true) + Capitalised(vocabulary[head]);
        default: {
            // One draw per statement: the order of operands of + is unspecified.
            std::string text = Capitalised(vocabulary[head]) + " " + Letters(random, 1, false);
            text += std::to_string(1 + random.Below(30)) + ", ";
            text += vocabulary[Mix(head, random.Below(4))];
            return text;
        }
    }
}

// The terms of the big lexicon. Per class a pool of first words with a long-tailed popularity
// (so some candidate lists run to hundreds of entries); second and third words drawn from a few
// per first word, so that many terms share their first two words and extend one another.
std::vector<STerm> MakeTerms(uint32_t entryCount, const CVocabulary& vocabulary, CRandom& random) {
    std::vector<STerm> terms;
    terms.reserve(entryCount + 3);
    terms.push_back({3, "Vitamin B12, synthetic"});
    terms.push_back({4, "E.coli"});
    terms.push_back({2, "U.S. Army"});
    std::unordered_set<std::string> seen;
    for (const STerm& term : terms) {
        seen.insert(std::to_string(term.classIndex) + term.text);
    }
    const uint32_t vocabularySize = vocabulary.Size();
    for (size_t c = 0; c < kClasses.size(); ++c) {
        const uint32_t classEntries =
            static_cast<uint32_t>(static_cast<uint64_t>(entryCount) * kClasses[c].weight / 100);
        const uint32_t headCount = std::max<uint32_t>(50, classEntries / 8);
        // Neighbouring classes share half their first words, as real classes share words.
        const uint64_t headBase = c * headCount / 2;
        uint32_t made = 0;
        for (uint32_t attempt = 0; made < classEntries && attempt < classEntries * 4; ++attempt) {
            const uint64_t first = (headBase + random.Skewed(headCount, 2)) % vocabularySize;
            std::string text;
            if (random.PerMille(15)) {
                text = PunctuatedTerm(random, vocabulary, static_cast<uint32_t>(first));
            } else {
                const uint32_t lengthDraw = random.Below(100);
                const int length = lengthDraw < 25   ? 1
                                   : lengthDraw < 65 ? 2
                                   : lengthDraw < 90 ? 3
                                                     : 4;
                const uint64_t second = Mix(first, random.Skewed(24, 1)) % vocabularySize;
                const uint64_t third =
                    Mix(first * 31 + second, random.Skewed(8, 1)) % vocabularySize;
                const bool proper = random.PerMille(300);
                const std::array<uint64_t, 4> picks = {first, second, third,
                                                       random.Below(vocabularySize)};
                for (int k = 0; k < length; ++k) {
                    if (k > 0) {
                        text += ' ';
                    }
                    const std::string& word = vocabulary[picks[static_cast<size_t>(k)]];
                    text += proper ? Capitalised(word) : word;
                }
            }
            if (seen.insert(std::to_string(c) + text).second) {
                terms.push_back({c, std::move(text)});
                ++made;
            }
        }
    }
    return terms;
}

bool WriteLexicon(const std::filesystem::path& outDir, const std::vector<STerm>& terms) {
    std::ofstream onto(outDir / "big.onto", std::ios::binary);
    std::vector<uint32_t> spans(kClasses.size(), 0);
    for (const STerm& term : terms) {
        const std::string_view name = kClasses[term.classIndex].name;
        const uint32_t span = ++spans[term.classIndex];
        std::string subClass(name);
        std::transform(subClass.begin(), subClass.end(), subClass.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
        onto << name << '\t' << subClass << '.' << span % 5 << "\tbench\t" << name.substr(0, 3)
             << span << '\t' << term.text << '\n';
    }
    std::ofstream menu(outDir / "big.menu", std::ios::binary);
    menu << kClasses.size() << '\n';
    for (const SClassShare& share : kClasses) {
        menu << share.name << "\n2\n"
             << "Describe\tdescribe\thttp://127.0.0.1:8080/svc?\n"
             << "Related\trelated\thttp://127.0.0.1:8080/svc?\n";
    }
    onto.close();
    menu.close();
    return onto.good() && menu.good();
}

// The terms of an existing term file: the fifth field of each line with four TABs.
std::optional<std::vector<std::string>> ReadTerms(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::string> terms;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        size_t tab = 0;
        for (int k = 0; k < 4 && tab != std::string::npos; ++k) {
            tab = line.find('\t', k == 0 ? 0 : tab + 1);
        }
        if (tab != std::string::npos && tab + 1 < line.size()) {
            terms.push_back(line.substr(tab + 1));
        }
    }
    return terms;
}

constexpr std::array<std::string_view, 60> kFillers = {
    "the",   "of",    "and",      "to",      "in",    "is",     "for",     "with",    "that",
    "on",    "as",    "by",       "from",    "at",    "this",   "are",     "was",     "be",
    "which", "it",    "an",       "or",      "not",   "were",   "has",     "have",    "its",
    "their", "been",  "also",     "these",   "than",  "other",  "into",    "more",    "such",
    "can",   "after", "between",  "both",    "each",  "during", "under",   "while",   "where",
    "found", "shows", "reported", "studied", "using", "high",   "several", "however", "new",
    "known", "first", "results",  "about",   "we",    "our"};

// Writes page-like text: filler words, whole terms, the first words of longer terms followed by
// something else, single term words, glued and dotted words; with mixed case, commas and full
// stops, delimiters and line breaks.
class CTextWriter {
public:
    CTextWriter(const std::vector<std::string>& terms, CRandom& random)
        : m_terms(terms), m_random(random) {
        std::unordered_set<std::string_view> unique;
        for (const std::string& term : m_terms) {
            std::string_view rest(term);
            while (!rest.empty()) {
                const size_t blank = std::min(rest.find(' '), rest.size());
                if (blank > 0 && unique.insert(rest.substr(0, blank)).second) {
                    m_termWords.push_back(rest.substr(0, blank));
                }
                rest.remove_prefix(std::min(blank + 1, rest.size()));
            }
        }
    }

    bool Write(const std::filesystem::path& path, uint64_t wordCount) {
        std::ofstream out(path, std::ios::binary);
        std::string event;
        while (m_nWords < wordCount) {
            event.clear();
            AppendEvent(event);
            out << event;
        }
        out << '\n';
        out.close();
        return out.good();
    }

private:
    void AppendEvent(std::string& out) {
        std::vector<std::string_view> words;
        const uint32_t kind = m_random.Below(1000);
        if (kind < 560 || m_terms.empty()) {
            words.push_back(kFillers[m_random.Below(kFillers.size())]);
        } else if (kind < 760) {
            AppendWords(m_terms[m_random.Below(static_cast<uint32_t>(m_terms.size()))], 8, words);
        } else if (kind < 820) {
            AppendWords(m_terms[m_random.Below(static_cast<uint32_t>(m_terms.size()))],
                        1 + m_random.Below(2), words);
        } else if (kind < 970) {
            words.push_back(TermWord());
        } else if (kind < 985) {
            m_glued = m_random.PerMille(300) ? "www" : TermWord();
            m_glued += '.';
            m_glued += TermWord();
            words.push_back(m_glued);
        } else {
            m_glued = static_cast<char>('A' + m_random.Below(26));
            m_glued += std::to_string(m_random.Below(2025));
            words.push_back(m_glued);
        }

        const uint32_t wrap = m_random.Below(1000);
        const char* open = wrap < 20 ? "(" : wrap < 30 ? "\"" : "";
        const char* close = wrap < 20 ? ")" : wrap < 30 ? "\"" : "";
        const uint32_t caseDraw = m_random.Below(100);
        out += open;
        for (size_t k = 0; k < words.size(); ++k) {
            if (k > 0) {
                out += ' ';
            }
            AppendCased(words[k], caseDraw, out);
        }
        out += close;
        if (m_random.PerMille(5)) {
            out += '@';
            out += TermWord();
            ++m_nWords;
        }
        const uint32_t punctuation = m_random.Below(1000);
        out += punctuation < 60    ? ","
               : punctuation < 110 ? "."
               : punctuation < 120 ? ":"
               : punctuation < 130 ? ";"
                                   : "";
        m_nWords += words.size();
        if (m_nWords >= m_nNextBreak) {
            out += m_random.PerMille(100) ? "\n\n" : "\n";
            m_nNextBreak = m_nWords + 8 + m_random.Below(10);
        } else {
            out += ' ';
        }
    }

    static void AppendWords(std::string_view term, uint32_t maxWords,
                            std::vector<std::string_view>& words) {
        while (!term.empty() && words.size() < maxWords) {
            const size_t blank = std::min(term.find(' '), term.size());
            if (blank > 0) {
                words.push_back(term.substr(0, blank));
            }
            term.remove_prefix(std::min(blank + 1, term.size()));
        }
    }

    std::string_view TermWord() {
        if (m_termWords.empty()) {
            return kFillers[m_random.Below(kFillers.size())];
        }
        return m_termWords[m_random.Below(static_cast<uint32_t>(m_termWords.size()))];
    }

    // Lower case most of the time, sometimes capitalised, sometimes all capitals.
    static void AppendCased(std::string_view word, uint32_t caseDraw, std::string& out) {
        for (size_t k = 0; k < word.size(); ++k) {
            char c = word[k];
            const bool upper = caseDraw >= 90 || (caseDraw >= 65 && k == 0);
            if (upper && c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            } else if (!upper && c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
            out += c;
        }
    }

    const std::vector<std::string>& m_terms;
    CRandom& m_random;
    std::vector<std::string_view> m_termWords;
    std::string m_glued;
    uint64_t m_nWords = 0;
    uint64_t m_nNextBreak = 12;
};

struct SOptions {
    std::filesystem::path outDir;
    uint32_t entries = 200000;
    uint64_t words = 1000000;
    uint64_t seed = 1;
    std::optional<std::filesystem::path> textFrom;
};

template <class Number>
bool ParseNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

std::optional<SOptions> ParseOptions(int argc, char** argv) {
    SOptions options;
    bool haveOutDir = false;
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        const bool hasValue = k + 1 < argc;
        bool ok = true;
        if (arg == "--entries" && hasValue) {
            ok = ParseNumber(argv[++k], options.entries) && options.entries > 0;
        } else if (arg == "--words" && hasValue) {
            ok = ParseNumber(argv[++k], options.words);
        } else if (arg == "--seed" && hasValue) {
            ok = ParseNumber(argv[++k], options.seed);
        } else if (arg == "--text-from" && hasValue) {
            options.textFrom = argv[++k];
        } else if (!arg.starts_with("--") && !haveOutDir) {
            options.outDir = arg;
            haveOutDir = true;
        } else {
            ok = false;
        }
        if (!ok) {
            std::cerr << "bad argument: " << arg << '\n';
            return std::nullopt;
        }
    }
    if (!haveOutDir) {
        return std::nullopt;
    }
    return options;
}

int Run(const SOptions& options) {
    std::error_code error;
    std::filesystem::create_directories(options.outDir, error);
    if (error) {
        std::cerr << "cannot create " << options.outDir << ": " << error.message() << '\n';
        return 1;
    }
    CRandom random(options.seed);
    std::vector<std::string> termTexts;
    std::filesystem::path textPath;
    if (options.textFrom) {
        auto read = ReadTerms(*options.textFrom);
        if (!read) {
            std::cerr << "cannot read " << *options.textFrom << '\n';
            return 1;
        }
        termTexts = std::move(*read);
        textPath = options.outDir / options.textFrom->stem();
        textPath += ".txt";
    } else {
        const CVocabulary vocabulary(std::max<uint32_t>(1000, options.entries));
        const std::vector<STerm> terms = MakeTerms(options.entries, vocabulary, random);
        if (!WriteLexicon(options.outDir, terms)) {
            std::cerr << "cannot write the lexicon in " << options.outDir << '\n';
            return 1;
        }
        std::cout << "wrote " << (options.outDir / "big.onto").string() << " (" << terms.size()
                  << " entries in " << kClasses.size() << " classes) and big.menu\n";
        termTexts.reserve(terms.size());
        for (const STerm& term : terms) {
            termTexts.push_back(term.text);
        }
        textPath = options.outDir / "big.txt";
    }
    CTextWriter writer(termTexts, random);
    if (!writer.Write(textPath, options.words)) {
        std::cerr << "cannot write " << textPath << '\n';
        return 1;
    }
    std::cout << "wrote " << textPath.string() << " (about " << options.words << " words)\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<SOptions> options = ParseOptions(argc, argv);
    if (!options) {
        std::cerr
            << "usage: lirset-genlexicon OUTDIR [--entries N] [--words W] [--seed S]\n"
               "       lirset-genlexicon OUTDIR --text-from LEXICON.onto [--words W] [--seed S]\n";
        return 2;
    }
    try {
        return Run(*options);
    } catch (const std::exception& e) {
        std::cerr << "lirset-genlexicon: " << e.what() << '\n';
        return 1;
    }
}
