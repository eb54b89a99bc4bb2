// lirset match PATH.onto [--class NAME]... (--text TEXT | --file FILE) [--json]: the terms of each
// class found in a text, split into words as highlighting splits a page.
#include <iostream>

#include "cli/commands.h"
#include "cli/jsonoutput.h"
#include "cli/lexiconinput.h"
#include "lexicon/wordsplitter.h"
#include "platform/text/codepage.h"

namespace {

using Json = nlohmann::ordered_json;

Json MatchesJson(const CClassType::MatchList* matches) {
    if (matches == nullptr) {
        return nullptr;
    }
    Json list = Json::array();
    for (const auto& match : *matches) {
        list.push_back({{"name", JsonText(match->GetName())},
                        {"spanId", JsonText(match->GetSpanId())},
                        {"subClass", JsonText(match->GetSubClass())},
                        {"ontologyName", JsonText(match->GetOntologyName())}});
    }
    return list;
}

void PrintMatches(const std::vector<std::string>& words,
                  const std::vector<std::pair<CClassType*, CClassType::MatchList*>>& results) {
    std::cout << words.size() << " words\n";
    for (const auto& [classType, matches] : results) {
        std::cout << AnsiToUtf8(classType->GetName()) << ": ";
        if (matches == nullptr || matches->empty()) {
            std::cout << "no matches\n";
            continue;
        }
        std::cout << matches->size() << " match(es)\n";
        for (const auto& match : *matches) {
            std::cout << "  " << DescribeEntry(*match) << "\n";
        }
    }
}

}  // namespace

int RunMatchCommand(CCommandLine& commandLine) {
    const bool json = commandLine.HasFlag("--json");
    std::vector<std::string> classNames = commandLine.TakeValues("--class");
    std::optional<std::string> text = commandLine.TakeValue("--text");
    std::optional<std::string> file = commandLine.TakeValue("--file");
    std::optional<std::string> path = commandLine.TakeArgument();
    if (!path) {
        return ReportUsageError({"match: missing PATH.onto"});
    }
    if (auto error = commandLine.CheckNothingLeft()) {
        return ReportUsageError(*error);
    }
    if (text.has_value() == file.has_value()) {
        return ReportUsageError({"match: give either --text TEXT or --file FILE"});
    }

    std::string pageText;
    std::u16string pageKey;
    if (text) {
        pageText = Utf8ToAnsi(*text);
        pageKey = u"text:";
    } else {
        auto read = ReadTextFile(*file);
        if (auto* error = std::get_if<SUsageError>(&read)) {
            return ReportUsageError(*error);
        }
        pageText = std::move(std::get<std::string>(read));
        pageKey = Utf8ToWide(*file);
    }

    auto loaded = LoadLexiconArgument(*path);
    if (auto* error = std::get_if<SUsageError>(&loaded)) {
        return ReportUsageError(*error);
    }
    COntology& ontology = *std::get<SLoadedLexicon>(loaded).pOntology;

    std::vector<CClassType*> classes;
    for (const std::string& name : classNames) {
        CClassType* classType = ontology.FindClass(Utf8ToAnsi(name));
        if (classType == nullptr) {
            return ReportUsageError({"match: the lexicon has no class " + name});
        }
        classes.push_back(classType);
    }
    if (classNames.empty()) {
        for (const auto& [name, classType] : ontology.GetLexTree()) {
            classes.push_back(classType.get());
        }
    }

    const std::vector<std::string> words = SplitPageText(pageText);
    std::vector<std::pair<CClassType*, CClassType::MatchList*>> results;
    for (CClassType* classType : classes) {
        results.emplace_back(classType, classType->FindMatches(words, pageKey));
    }

    if (!json) {
        PrintMatches(words, results);
        return 0;
    }
    Json wordList = Json::array();
    for (const std::string& word : words) {
        wordList.push_back(JsonText(word));
    }
    Json classList = Json::array();
    for (const auto& [classType, matches] : results) {
        classList.push_back(
            {{"name", JsonText(classType->GetName())}, {"matches", MatchesJson(matches)}});
    }
    PrintJson(Json{{"words", std::move(wordList)}, {"classes", std::move(classList)}});
    return 0;
}
