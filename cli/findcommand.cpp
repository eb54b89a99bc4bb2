// lirset find PATH.onto QUERY [--json]: concept search, with the answer the Find concept dialog
// would show.
#include <iostream>

#include "cli/commands.h"
#include "cli/jsonoutput.h"
#include "cli/lexiconinput.h"
#include "lexicon/conceptsearch.h"
#include "platform/text/codepage.h"

int RunFindCommand(CCommandLine& commandLine) {
    const bool json = commandLine.HasFlag("--json");
    std::optional<std::string> path = commandLine.TakeArgument();
    std::optional<std::string> query = commandLine.TakeArgument();
    if (!path || !query) {
        return ReportUsageError({"find: usage: lirset find PATH.onto QUERY [--json]"});
    }
    if (auto error = commandLine.CheckNothingLeft()) {
        return ReportUsageError(*error);
    }
    if (query->empty()) {
        return ReportUsageError({"find: the query is empty"});
    }
    auto loaded = LoadLexiconArgument(*path);
    if (auto* error = std::get_if<SUsageError>(&loaded)) {
        return ReportUsageError(*error);
    }
    COntology& ontology = *std::get<SLoadedLexicon>(loaded).pOntology;

    const std::string ansiQuery = Utf8ToAnsi(*query);
    const std::string result = ontology.SearchConcept(ansiQuery);
    const SConceptAnswer answer = ComposeConceptAnswer(ansiQuery, result);
    if (json) {
        PrintJson(nlohmann::ordered_json{{"result", JsonText(result)},
                                         {"caption", JsonText(answer.caption)},
                                         {"message", JsonText(answer.message)}});
    } else {
        std::cout << AnsiToUtf8(answer.caption) << "\n" << AnsiToUtf8(answer.message) << "\n";
    }
    return 0;
}
