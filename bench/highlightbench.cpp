// Measures highlighting: every occurrence of a list of terms in a large page marked through the
// document's text range, with the loop the toolbar's highlighter runs, next to one parse and
// serialisation of the same page, which is the floor any marking pass stands on.
//
//   lirset-highlightbench [--occurrences N] [--repeat R]
//
// The page (about 1 MB of HTML: headings, paragraphs with inline markup, tables, lists, a script)
// holds exactly N occurrences of the terms (default 10,000), some in upper case and some cut by
// inline markup. The floor is the best of R runs (default 3); the marking runs once, since it
// changes the page. The marked page is checked: one span per occurrence.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench/benchreport.h"
#include "platform/com/bstr.h"
#include "platform/com/comptr.h"
#include "platform/dom/com/htmldocumentobject.h"
#include "platform/dom/com/mshtml.h"
#include "platform/dom/htmlparser.h"
#include "platform/dom/htmlserializer.h"
#include "platform/text/codepage.h"

namespace {

constexpr double kGoalRatio = 20.0;
constexpr size_t kPageBytes = 1'000'000;

struct SOptions {
    size_t occurrences = 10'000;
    int repeat = 3;
};

template <class T>
bool ParseNumber(std::string_view value, T& number) {
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    return error == std::errc() && end == value.data() + value.size() && number > 0;
}

std::optional<SOptions> ParseOptions(int argc, char** argv) {
    SOptions options;
    for (int k = 1; k < argc; ++k) {
        const std::string_view arg = argv[k];
        if (k + 1 >= argc) {
            return std::nullopt;
        }
        const std::string_view value = argv[++k];
        if (arg == "--occurrences") {
            if (!ParseNumber(value, options.occurrences)) {
                return std::nullopt;
            }
        } else if (arg == "--repeat") {
            if (!ParseNumber(value, options.repeat)) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// The classes and their terms. No term holds another, and no filler word holds a word of a term,
// so that the page holds exactly the occurrences planted.
struct SClass {
    std::string name;
    std::string colour;
    std::vector<std::string> terms;
};

const std::vector<SClass>& Classes() {
    static const std::vector<SClass> s_classes = {
        {"Place", "#FFFF00", {"Grand Canyon", "Mount Everest", "river delta"}},
        {"Science", "#00FFFF", {"neural network", "protein kinase"}},
        {"Health", "#FF00FF", {"Vitamin B12", "E.coli"}},
        {"Culture", "#90EE90", {"art"}},
    };
    return s_classes;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

// Filler words made of syllables, without any word of any term inside them.
std::vector<std::string> FillerWords(std::mt19937& random) {
    static const char* const kSyllables[] = {"lo", "mi", "ne",  "su", "po", "ke", "vu", "di",
                                             "zo", "pe", "qui", "ba", "ru", "fo", "ti", "ly"};
    std::vector<std::string> termWords;
    for (const SClass& type : Classes()) {
        for (const std::string& term : type.terms) {
            size_t start = 0;
            while (start <= term.size()) {
                size_t end = std::min(term.find(' ', start), term.size());
                termWords.push_back(Lower(term.substr(start, end - start)));
                start = end + 1;
            }
        }
    }
    std::vector<std::string> words;
    while (words.size() < 400) {
        std::string word;
        const size_t syllables = 1 + random() % 4;
        for (size_t k = 0; k < syllables; ++k) {
            word += kSyllables[random() % std::size(kSyllables)];
        }
        const bool clean =
            std::none_of(termWords.begin(), termWords.end(),
                         [&](const std::string& t) { return word.find(t) != word.npos; });
        if (clean) {
            words.push_back(word);
        }
    }
    words.push_back("caf\xc3\xa9");
    words.push_back("na\xc3\xafve");
    return words;
}

// A term as it stands in the page: as written, in upper case, or with its first word (or, for a
// one-word term, itself) in bold.
std::string TermMarkup(const std::string& term, std::mt19937& random) {
    const unsigned form = random() % 10;
    if (form == 0) {
        return Upper(term);
    }
    if (form == 1) {
        const size_t space = term.find(' ');
        if (space == std::string::npos) {
            return "<b>" + term + "</b>";
        }
        return "<b>" + term.substr(0, space) + "</b>" + term.substr(space);
    }
    return term;
}

// Words of running text, some in inline markup; a term where the plan says so.
class CPageWriter {
public:
    CPageWriter(size_t occurrences, std::mt19937& random)
        : m_random(random), m_vecFiller(FillerWords(random)) {
        // Slots for about kPageBytes of markup at some 8 bytes a word, one in every few a term.
        const size_t slots = std::max(kPageBytes / 8, occurrences * 3);
        m_vecTermSlots.assign(slots, false);
        std::fill(m_vecTermSlots.begin(), m_vecTermSlots.begin() + occurrences, true);
        std::shuffle(m_vecTermSlots.begin(), m_vecTermSlots.end(), m_random);
        for (const SClass& type : Classes()) {
            for (const std::string& term : type.terms) {
                m_vecTerms.push_back(term);
            }
        }
    }

    bool Done() const { return m_nSlot >= m_vecTermSlots.size(); }

    // Up to count words, with spaces between them.
    std::string Words(size_t count) {
        std::string text;
        for (size_t k = 0; k < count && !Done(); ++k) {
            if (k > 0) {
                text += ' ';
            }
            text += Word();
        }
        return text;
    }

private:
    std::string Word() {
        if (m_vecTermSlots[m_nSlot++]) {
            return TermMarkup(m_vecTerms[m_random() % m_vecTerms.size()], m_random);
        }
        const std::string& word = m_vecFiller[m_random() % m_vecFiller.size()];
        switch (m_random() % 40) {
            case 0:
                return "<b>" + word + "</b>";
            case 1:
                return "<i>" + word + "</i>";
            case 2:
                return "<a href=\"#" + word + "\">" + word + "</a>";
            case 3:
                return "<span class=\"note\">" + word + "</span>";
            case 4:
                return word + " &amp;";
            default:
                return word;
        }
    }

    std::mt19937& m_random;
    std::vector<std::string> m_vecFiller;
    std::vector<std::string> m_vecTerms;
    std::vector<bool> m_vecTermSlots;
    size_t m_nSlot = 0;
};

std::string BuildPage(size_t occurrences) {
    std::mt19937 random(20240607);
    CPageWriter writer(occurrences, random);
    std::string page =
        "<!DOCTYPE html>\n<html><head><title>Highlight benchmark</title>\n"
        "<style>td { padding: 2px }</style>\n"
        "<script>var skipped = \"Grand Canyon art\";</script>\n</head>\n<body>\n";
    for (int section = 1; !writer.Done(); ++section) {
        page += "<h2>Section " + std::to_string(section) + "</h2>\n";
        for (int block = 0; block < 4 && !writer.Done(); ++block) {
            page += "<p>" + writer.Words(30 + random() % 40) + ".</p>\n";
        }
        page += "<table border=\"1\">\n";
        for (int row = 0; row < 3 && !writer.Done(); ++row) {
            page += "<tr>";
            for (int cell = 0; cell < 3; ++cell) {
                page += "<td>" + writer.Words(3 + random() % 5) + "</td>";
            }
            page += "</tr>\n";
        }
        page += "</table>\n<ul>\n";
        for (int item = 0; item < 4 && !writer.Done(); ++item) {
            page += "<li>" + writer.Words(5 + random() % 8) + "\n";
        }
        page += "</ul>\n";
    }
    page += "</body></html>\n";
    return page;
}

// The toolbar's rewriting of a found range's HTML: each run of text between tags wrapped in the
// span, tags before the first text dropped, later tags kept in place.
std::string WrapTextRuns(std::string_view html, const std::string& open, const std::string& close) {
    std::string out;
    out.reserve(html.size() + 2 * (open.size() + close.size()));
    bool bSeenText = false;
    size_t k = 0;
    while (k < html.size()) {
        if (html[k] == '<') {
            size_t end = html.find('>', k);
            end = end == std::string_view::npos ? html.size() : end + 1;
            if (bSeenText) {
                out.append(html.substr(k, end - k));
            }
            k = end;
            continue;
        }
        size_t end = std::min(html.find('<', k), html.size());
        out += open;
        out.append(html.substr(k, end - k));
        out += close;
        bSeenText = true;
        k = end;
    }
    return out;
}

// Time spent in each operation of the loop.
struct STimes {
    double create = 0;
    double find = 0;
    double htmlText = 0;
    double paste = 0;
    double move = 0;
};

template <class F>
void Timed(double& total, F operation) {
    CClock::time_point start = CClock::now();
    operation();
    total += SecondsSince(start);
}

// Marks every occurrence of the term in the body; gives how many were marked.
size_t MarkTerm(IHTMLBodyElement* pBody, const std::string& term, const std::string& colour,
                const std::string& spanId, STimes& times) {
    CComPtr<IHTMLTxtRange> pRange;
    HRESULT hr = E_FAIL;
    Timed(times.create, [&] { hr = pBody->createTextRange(&pRange); });
    if (FAILED(hr) || !pRange) {
        return 0;
    }
    const std::string open = "<span id=\"" + spanId + "\" oid=\"" + term +
                             "\" style=\"color:#000000;background-color:" + colour +
                             "\" onContextMenu=\"return false;\">";
    const std::string close = "</span>";
    const CComBSTR search(AnsiToWide(term).c_str());
    const CComBSTR character(u"Character");
    const CComBSTR textedit(u"Textedit");
    size_t marked = 0;
    while (true) {
        VARIANT_BOOL bFound = VARIANT_FALSE;
        Timed(times.find, [&] { hr = pRange->findText(search, 0, 0, &bFound); });
        if (FAILED(hr) || bFound == VARIANT_FALSE) {
            return marked;
        }
        ++marked;
        CComBSTR html;
        Timed(times.htmlText, [&] { pRange->get_htmlText(&html); });
        Timed(times.paste, [&] {
            const std::string wrapped = WrapTextRuns(WideToAnsi(html.View()), open, close);
            pRange->pasteHTML(CComBSTR(AnsiToWide(wrapped).c_str()));
        });
        Timed(times.move, [&] {
            LONG nMoved = 0;
            pRange->moveStart(character, 1, &nMoved);
            pRange->moveEnd(textedit, 1, &nMoved);
        });
    }
}

size_t CountOccurrences(std::u16string_view text, std::u16string_view what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != text.npos; at = text.find(what, at + what.size())) {
        ++count;
    }
    return count;
}

int Run(const SOptions& options) {
    const std::string page = BuildPage(options.occurrences);
    const std::string contentType = "text/html; charset=utf-8";

    double floorSeconds = 0;
    for (int run = 0; run < options.repeat; ++run) {
        CClock::time_point start = CClock::now();
        CNodeRef<CDocument> pDocument = CHtmlParser::ParseDocument(page, contentType);
        const std::u16string html = CHtmlSerializer::SerializeChildren(*pDocument);
        const double seconds = SecondsSince(start);
        floorSeconds = run == 0 ? seconds : std::min(floorSeconds, seconds);
        if (html.empty()) {
            std::cerr << "the page serialised to nothing\n";
            return 1;
        }
    }

    CNodeRef<CDocument> pTree = CHtmlParser::ParseDocument(page, contentType);
    pTree->SetUrl(u"http://bench.test/page.html");
    CComPtr<IHTMLDocument2> pDocument;
    CComPtr<IHTMLElement> pBodyElement;
    if (FAILED(CreateHTMLDocumentObject(pTree, &pDocument)) ||
        FAILED(pDocument->get_body(&pBodyElement)) || !pBodyElement) {
        std::cerr << "the page has no body\n";
        return 1;
    }
    CComQIPtr<IHTMLBodyElement> pBody(pBodyElement.p);

    STimes times;
    size_t marked = 0;
    CClock::time_point start = CClock::now();
    for (const SClass& type : Classes()) {
        for (const std::string& term : type.terms) {
            marked += MarkTerm(pBody, term, type.colour, "orv-lirset-" + type.name, times);
        }
    }
    const double markSeconds = SecondsSince(start);

    const size_t spans =
        CountOccurrences(CHtmlSerializer::SerializeChildren(*pTree), u"<span id=\"orv-lirset-");

    PrintFigure("page", Fixed(static_cast<double>(page.size()) / 1e6, 2) + " MB of HTML");
    PrintFigure("occurrences planted", std::to_string(options.occurrences));
    PrintFigure("occurrences marked", std::to_string(marked) + " (" + std::to_string(spans) +
                                          " spans in the marked page)");
    PrintFigure("parse + serialise (floor)",
                Milliseconds(floorSeconds) + " (best of " + std::to_string(options.repeat) + ")");
    PrintFigure("marking total", Milliseconds(markSeconds));
    PrintFigure(
        "per occurrence",
        Fixed(markSeconds / static_cast<double>(std::max<size_t>(marked, 1)) * 1e6, 1) + " us");
    PrintFigure("  createTextRange", Milliseconds(times.create));
    PrintFigure("  findText", Milliseconds(times.find));
    PrintFigure("  get_htmlText", Milliseconds(times.htmlText));
    PrintFigure("  rewrite + pasteHTML", Milliseconds(times.paste));
    PrintFigure("  moveStart + moveEnd", Milliseconds(times.move));
    const double ratio = markSeconds / floorSeconds;
    PrintFigure("ratio", Fixed(ratio, 2) + "x floor");
    std::cout << "goal: <= " << Fixed(kGoalRatio, 1)
              << "x: " << (ratio <= kGoalRatio ? "met" : "not met") << '\n';
    if (marked != options.occurrences || spans < marked) {
        std::cerr << "the marking missed occurrences: planted " << options.occurrences
                  << ", marked " << marked << ", spans " << spans << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<SOptions> options = ParseOptions(argc, argv);
    if (!options) {
        std::cerr << "usage: lirset-highlightbench [--occurrences N] [--repeat R]\n";
        return 2;
    }
    try {
        return Run(*options);
    } catch (const std::exception& e) {
        std::cerr << "lirset-highlightbench: " << e.what() << '\n';
        return 1;
    }
}
