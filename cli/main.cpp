// lirset: the host program and command-line front end.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/jsonoutput.h"
#include "platform/debug/debugoutput.h"

namespace {

constexpr const char* kUsage =
    "usage: lirset [--debug] COMMAND ...\n"
    "\n"
    "commands:\n"
    "  lexicon PATH.onto [--json | --check]   what a lexicon holds, or what is wrong with it\n"
    "  match PATH.onto [--class NAME]... (--text TEXT | --file FILE) [--json]\n"
    "                                         the terms of each class found in a text\n"
    "  find PATH.onto QUERY [--json]          concept search: is QUERY a term, which button\n"
    "\n"
    "--debug prints the system's diagnostic output on standard error.\n";

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words.front() == "--help" || words.front() == "-h") {
        std::cout << kUsage;
        return words.empty() ? 2 : 0;
    }
    if (words.front() == "--debug") {
        SetDebugSink([](std::string_view text) { std::cerr << text; });
        words.erase(words.begin());
    }
    if (words.empty()) {
        return ReportUsageError({"missing COMMAND (see lirset --help)"});
    }
    const std::string command = words.front();
    words.erase(words.begin());
    CCommandLine commandLine(std::move(words), {"--class", "--text", "--file"});
    if (command == "lexicon") {
        return RunLexiconCommand(commandLine);
    }
    if (command == "match") {
        return RunMatchCommand(commandLine);
    }
    if (command == "find") {
        return RunFindCommand(commandLine);
    }
    return ReportUsageError({"unknown command " + command + " (see lirset --help)"});
}
