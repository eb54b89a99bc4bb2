// lirset lexicon PATH.onto (--json | --check): what a lexicon holds, or what is wrong with it.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/jsonoutput.h"
#include "cli/lexiconinput.h"
#include "lexicon/loadreport.h"
#include "platform/text/codepage.h"

namespace {

using Json = nlohmann::ordered_json;

Json MenuJson(const CContextMenu& menu) {
    Json items = Json::array();
    for (int j = 0; j < menu.GetCount(); ++j) {
        const CContextMenuItem* item = menu.GetItem(j);
        items.push_back({{"index", item->GetIndex()},
                         {"label", JsonText(item->GetLabel())},
                         {"service", JsonTextOrNull(item->GetService())},
                         {"serviceURL", JsonTextOrNull(item->GetServiceURL())}});
    }
    return items;
}

Json LexiconJson(const std::string& path, const COntology& ontology, bool loaded) {
    Json classNames = Json::array();
    for (int k = 0; k < ontology.GetClassCount(); ++k) {
        classNames.push_back(JsonText(ontology.GetClassName(k)));
    }
    Json classes = Json::array();
    for (const auto& [name, classType] : ontology.GetLexTree()) {
        Json entries = Json::array();
        for (const auto& [firstWord, candidates] : classType->GetIndex()) {
            for (const auto& entry : candidates.Entries()) {
                entries.push_back({{"firstWord", JsonText(firstWord)},
                                   {"name", JsonText(entry->GetName())},
                                   {"spanId", JsonText(entry->GetSpanId())},
                                   {"subClass", JsonText(entry->GetSubClass())},
                                   {"ontologyName", JsonText(entry->GetOntologyName())},
                                   {"url", JsonText(entry->GetURL())}});
            }
        }
        classes.push_back({{"name", JsonText(classType->GetName())},
                           {"label", JsonText(classType->GetLabel())},
                           {"colour", JsonText(classType->GetColour())},
                           {"entries", std::move(entries)},
                           {"menu", MenuJson(*classType->GetMenu())}});
    }
    return Json{{"path", path},
                {"loaded", loaded},
                {"classCount", ontology.GetClassCount()},
                {"classNames", std::move(classNames)},
                {"classes", std::move(classes)}};
}

// The button position of each class, or -1 for a class the menu file does not place.
int PositionOf(const COntology& ontology, const std::string& name) {
    for (int k = 0; k < ontology.GetClassCount(); ++k) {
        if (ontology.GetClassName(k) == name) {
            return k;
        }
    }
    return -1;
}

void PrintSummary(const std::string& path, const COntology& ontology, bool loaded) {
    std::cout << "Lexicon " << path << (loaded ? "" : " (not loaded whole)") << "\n";
    std::cout << "  " << ontology.GetLexTree().size() << " classes, " << ontology.GetClassCount()
              << " button positions\n";
    for (const auto& [name, classType] : ontology.GetLexTree()) {
        int position = PositionOf(ontology, name);
        std::cout << "  " << (position >= 0 ? "[" + std::to_string(position) + "] " : "[-] ")
                  << AnsiToUtf8(name) << ": label " << AnsiToUtf8(classType->GetLabel())
                  << ", colour " << classType->GetColour() << ", " << classType->GetEntryCount()
                  << " entr" << (classType->GetEntryCount() == 1 ? "y, " : "ies, ")
                  << classType->GetMenu()->GetCount() << " service(s)\n";
    }
}

void PrintEntries(const COntology& ontology) {
    for (const auto& [name, classType] : ontology.GetLexTree()) {
        std::cout << "\nClass " << AnsiToUtf8(name) << "\n";
        for (const auto& [firstWord, candidates] : classType->GetIndex()) {
            for (const auto& entry : candidates.Entries()) {
                std::cout << "  " << DescribeEntry(*entry) << "\n";
            }
        }
        const CContextMenu& menu = *classType->GetMenu();
        for (int j = 0; j < menu.GetCount(); ++j) {
            const CContextMenuItem* item = menu.GetItem(j);
            std::cout << "  service " << j << ": " << AnsiToUtf8(item->GetLabel()) << " -> "
                      << AnsiToUtf8(item->GetServiceURL().value_or("(no address)")) << "\n";
        }
    }
}

int PrintCheck(const std::string& path, const COntology& ontology, bool loaded,
               const CLoadReport& report) {
    PrintSummary(path, ontology, loaded);
    const std::string menuPath = path.substr(0, path.size() >= 4 ? path.size() - 4 : 0) + "menu";
    if (report.Empty() && loaded) {
        std::cout << "No problems found.\n";
        return 0;
    }
    std::cout << "Problems:\n";
    for (const SLoadProblem& problem : report.Problems()) {
        const std::string& file = problem.file == SLoadProblem::EFile::Terms ? path : menuPath;
        std::cout << "  " << file;
        if (problem.line > 0) {
            std::cout << ":" << problem.line;
        }
        std::cout << ": " << AnsiToUtf8(problem.message) << "\n";
    }
    if (!loaded) {
        std::cout << "  the lexicon did not load: the toolbar would say "
                     "\"Failed to load Ontology into lexTree\"\n";
    }
    std::cout << report.Problems().size() << " problem(s).\n";
    return 1;
}

}  // namespace

int RunLexiconCommand(CCommandLine& commandLine) {
    const bool json = commandLine.HasFlag("--json");
    const bool check = commandLine.HasFlag("--check");
    std::optional<std::string> path = commandLine.TakeArgument();
    if (!path) {
        return ReportUsageError({"lexicon: missing PATH.onto"});
    }
    if (auto error = commandLine.CheckNothingLeft()) {
        return ReportUsageError(*error);
    }
    if (json && check) {
        return ReportUsageError({"lexicon: --json and --check do not go together"});
    }
    CLoadReport report;
    auto loaded = LoadLexiconArgument(*path, &report);
    if (auto* error = std::get_if<SUsageError>(&loaded)) {
        return ReportUsageError(*error);
    }
    auto& lexicon = std::get<SLoadedLexicon>(loaded);
    if (check) {
        return PrintCheck(*path, *lexicon.pOntology, lexicon.bLoaded, report);
    }
    if (json) {
        PrintJson(LexiconJson(*path, *lexicon.pOntology, lexicon.bLoaded));
    } else {
        PrintSummary(*path, *lexicon.pOntology, lexicon.bLoaded);
        PrintEntries(*lexicon.pOntology);
    }
    return lexicon.bLoaded ? 0 : 1;
}
