// Reading a lexicon: the term file into the lexTree, then the menu file beside it into the button
// order, the default colours and the service menus.
#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <set>

#include "lexicon/loadreport.h"
#include "lexicon/ontology.h"
#include "platform/fs/textfile.h"

namespace {

using EFile = SLoadProblem::EFile;

constexpr size_t kMaxField = 255;
constexpr size_t kMaxPrefix = 511;
constexpr size_t kMaxClassCountLine = 12;
constexpr size_t kMaxItemCountLine = 256;
// A menu longer than this is no menu a person can use; the count is cut here so that a stray
// number cannot make the loader allocate without bound.
constexpr int kMaxMenuItems = 1024;

constexpr std::array<const char*, 8> kDefaultColours = {"palegreen", "chocolate", "skyblue",
                                                        "plum",      "indianred", "cadetblue",
                                                        "darkkhaki", "burlywood"};

// Lines of a text-mode file with their numbers.
class CNumberedLines {
public:
    bool Open(std::string_view path) { return m_file.Open(path, CTextFile::Mode::Read); }
    bool Next(std::string& line) {
        if (!m_file.ReadLine(line)) {
            return false;
        }
        ++m_nLine;
        return true;
    }
    int Number() const { return m_nLine; }
    bool HadReadError() const { return m_file.HadReadError(); }

private:
    CTextFile m_file;
    int m_nLine = 0;
};

// Reads a count as the C library's atoi does (leading white space, optional sign, digits, the rest
// ignored, no digits giving 0), saturating instead of overflowing. exact tells whether the line
// held nothing but the number.
int ParseCount(std::string_view line, bool& exact) {
    size_t i = 0;
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
        negative = line[i] == '-';
        ++i;
    }
    long long value = 0;
    size_t digits = 0;
    while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) {
        value =
            std::min<long long>(value * 10 + (line[i] - '0'), static_cast<long long>(INT_MAX) + 1);
        ++i;
        ++digits;
    }
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) {
        ++i;
    }
    exact = digits > 0 && i == line.size();
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

std::string Quote(std::string_view text) {
    return "'" + std::string(text) + "'";
}

class CReporter {
public:
    CReporter(CLoadReport* report, EFile file) : m_pReport(report), m_file(file) {}
    void operator()(int line, std::string message) const {
        if (m_pReport != nullptr) {
            m_pReport->Add(m_file, line, std::move(message));
        }
    }

private:
    CLoadReport* m_pReport;
    EFile m_file;
};

}  // namespace

bool COntology::Load(std::string_view path, CLoadReport* report) {
    CReporter problem(report, EFile::Terms);
    if (path.size() > kMaxPath) {
        problem(0, "the path is longer than " + std::to_string(kMaxPath) + " characters");
        return false;
    }
    CNumberedLines lines;
    if (!lines.Open(path)) {
        problem(0, "cannot open " + std::string(path));
        return false;
    }
    std::string line;
    while (lines.Next(line)) {
        if (line.empty()) {
            continue;
        }
        std::array<size_t, 4> tabs{};
        size_t from = 0;
        bool complete = true;
        for (size_t& tab : tabs) {
            tab = line.find('\t', from);
            if (tab == std::string::npos) {
                complete = false;
                break;
            }
            from = tab + 1;
        }
        if (!complete) {
            problem(lines.Number(), "fewer than four TABs; line skipped");
            continue;
        }
        std::string_view text(line);
        std::string_view className = text.substr(0, tabs[0]);
        std::string_view subClass = text.substr(tabs[0] + 1, tabs[1] - tabs[0] - 1);
        std::string_view ontologyName = text.substr(tabs[1] + 1, tabs[2] - tabs[1] - 1);
        std::string_view spanId = text.substr(tabs[2] + 1, tabs[3] - tabs[2] - 1);
        std::string_view term = text.substr(tabs[3] + 1);
        const std::array<std::pair<const char*, std::string_view>, 4> limited = {
            {{"subClass", subClass},
             {"ontologyName", ontologyName},
             {"spanId", spanId},
             {"term", term}}};
        auto overlong = std::find_if(limited.begin(), limited.end(), [](const auto& field) {
            return field.second.size() > kMaxField;
        });
        if (overlong != limited.end()) {
            problem(lines.Number(), std::string("the ") + overlong->first + " is longer than " +
                                        std::to_string(kMaxField) + " bytes; line skipped");
            continue;
        }
        if (className.empty()) {
            problem(lines.Number(), "the class name is empty");
        }
        if (term.find('\t') != std::string_view::npos) {
            problem(lines.Number(), "more than five fields; the extra TABs are kept in the term");
        }
        if (term.empty() || term.front() == ' ') {
            problem(lines.Number(),
                    "the term is empty or starts with a blank; it can never be found");
        }

        CLexiconEntry entry;
        entry.SetSubClass(subClass);
        entry.SetOntologyName(ontologyName);
        entry.SetSpanId(spanId);
        entry.SetName(term, true);
        AddEntry(className, entry);
    }
    if (lines.HadReadError()) {
        problem(lines.Number() + 1, "read error; the rest of the file is lost");
        return false;
    }
    std::string menuPath(path.substr(0, path.size() >= 4 ? path.size() - 4 : 0));
    menuPath += "menu";
    return LoadMenus(menuPath, report);
}

bool COntology::LoadMenus(std::string_view menuPath, CLoadReport* report) {
    CReporter problem(report, EFile::Menus);
    CNumberedLines lines;
    if (!lines.Open(menuPath)) {
        problem(0, "cannot open the menu file " + std::string(menuPath));
        return false;
    }
    std::string line;
    bool more = true;
    while ((more = lines.Next(line)) && line.empty()) {
    }
    if (!more) {
        problem(0, lines.HadReadError() ? "read error" : "the menu file holds no non-blank line");
        return false;
    }
    if (line.size() > kMaxClassCountLine) {
        problem(lines.Number(), "the class count line is longer than " +
                                    std::to_string(kMaxClassCountLine) + " characters");
        return false;
    }
    bool exact = false;
    const int blockCount = ParseCount(line, exact);
    if (!exact) {
        problem(lines.Number(),
                "class count " + Quote(line) + " is read as " + std::to_string(blockCount));
    }
    if (blockCount < 0 || blockCount > kMaxClasses) {
        problem(lines.Number(), "class count " + std::to_string(blockCount) + " is outside 0 to " +
                                    std::to_string(kMaxClasses) +
                                    "; blocks beyond the last position are read and ignored");
    }
    AllocClasses(blockCount);

    std::set<std::string, std::less<>> placed;
    std::string name;
    bool endOfFile = false;
    while (!endOfFile) {
        for (int k = 0; k < blockCount && !endOfFile; ++k) {
            if (!lines.Next(name) || !lines.Next(line)) {
                problem(lines.Number(), "the file ends inside a class block");
                endOfFile = true;
                break;
            }
            const int blockLine = lines.Number() - 1;
            if (line.size() > kMaxItemCountLine) {
                problem(lines.Number(),
                        "the item count line is longer than " + std::to_string(kMaxItemCountLine) +
                            " characters; the rest of this round of blocks is skipped");
                break;
            }
            int itemCount = ParseCount(line, exact);
            if (!exact) {
                problem(lines.Number(),
                        "item count " + Quote(line) + " is read as " + std::to_string(itemCount));
            }
            if (itemCount < 0) {
                problem(lines.Number(), "negative item count; read as 0");
                itemCount = 0;
            }
            if (itemCount > kMaxMenuItems) {
                problem(lines.Number(), "more than " + std::to_string(kMaxMenuItems) +
                                            " items; the lines beyond are read and ignored");
            }

            CClassType* classType = k < kMaxClasses ? FindClass(name) : nullptr;
            if (classType != nullptr) {
                SetClassName(k, name);
                classType->SetColour(
                    kDefaultColours[static_cast<size_t>(k) % kDefaultColours.size()]);
                classType->AllocMenuItems(std::min(itemCount, kMaxMenuItems));
                if (!placed.insert(name).second) {
                    problem(
                        blockLine,
                        "class " + Quote(name) +
                            " has an earlier block too; this block's position and items are used");
                }
            } else if (k >= kMaxClasses) {
                problem(blockLine, "block of class " + Quote(name) + " is beyond position " +
                                       std::to_string(kMaxClasses - 1) + "; ignored");
            } else if (name.empty()) {
                problem(blockLine, "an empty line where a class name was expected; position " +
                                       std::to_string(k) + " stays empty");
            } else {
                problem(blockLine, "block names class " + Quote(name) +
                                       ", which no term line names; position " + std::to_string(k) +
                                       " stays empty");
            }

            for (int j = 0; j < itemCount; ++j) {
                if (!lines.Next(line)) {
                    problem(lines.Number(),
                            "the file ends inside the items of class " + Quote(name));
                    endOfFile = true;
                    break;
                }
                if (classType == nullptr || j >= kMaxMenuItems) {
                    continue;
                }
                size_t firstTab = line.find('\t');
                size_t secondTab =
                    firstTab == std::string::npos ? firstTab : line.find('\t', firstTab + 1);
                if (secondTab == std::string::npos) {
                    problem(lines.Number(), "item line with fewer than two TABs; item skipped");
                    continue;
                }
                std::string_view text(line);
                std::string_view label = text.substr(0, firstTab);
                std::string_view service = text.substr(firstTab + 1, secondTab - firstTab - 1);
                std::string_view prefix = text.substr(secondTab + 1);
                if (label.size() > kMaxField || service.size() > kMaxField ||
                    prefix.size() > kMaxPrefix) {
                    problem(lines.Number(), "item label or service longer than " +
                                                std::to_string(kMaxField) +
                                                " bytes, or address longer than " +
                                                std::to_string(kMaxPrefix) + "; item skipped");
                    continue;
                }
                auto item = std::make_unique<CContextMenuItem>(label, service, j);
                item->SetServiceURL(prefix);
                classType->SetMenuItem(std::move(item), j);
            }
        }
        if (endOfFile) {
            break;
        }
        while ((more = lines.Next(line)) && line.empty()) {
        }
        if (!more) {
            endOfFile = true;
        } else {
            problem(lines.Number(),
                    "line " + Quote(line) +
                        " after the class blocks is discarded; the lines after it are read as " +
                        std::to_string(blockCount) + " more class blocks");
        }
    }
    for (const auto& [className, classType] : m_lexTree) {
        if (placed.find(className) == placed.end()) {
            problem(0, "class " + Quote(className) + " has no menu block: it gets no button");
        }
    }
    if (lines.HadReadError()) {
        problem(lines.Number() + 1, "read error; the rest of the file is lost");
        return false;
    }
    return true;
}
