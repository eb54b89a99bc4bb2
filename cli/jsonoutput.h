// Output helpers shared by the subcommands: system texts (ANSI) as JSON strings (UTF-8), JSON
// printing, entries for people, and the one-line usage error.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commandline.h"
#include "lexicon/lexiconentry.h"

nlohmann::ordered_json JsonText(std::string_view ansiText);
// null for no text.
nlohmann::ordered_json JsonTextOrNull(const std::optional<std::string>& ansiText);

void PrintJson(const nlohmann::ordered_json& json);

// An entry for people, in UTF-8: its name, then its span id, subclass and ontology.
std::string DescribeEntry(const CLexiconEntry& entry);

// Prints "lirset: message" on standard error; returns exit status 2.
int ReportUsageError(const SUsageError& error);
