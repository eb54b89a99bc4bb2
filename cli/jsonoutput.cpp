#include "cli/jsonoutput.h"

#include <iostream>

#include "platform/text/codepage.h"

nlohmann::ordered_json JsonText(std::string_view ansiText) {
    return AnsiToUtf8(ansiText);
}

nlohmann::ordered_json JsonTextOrNull(const std::optional<std::string>& ansiText) {
    return ansiText ? JsonText(*ansiText) : nlohmann::ordered_json(nullptr);
}

void PrintJson(const nlohmann::ordered_json& json) {
    // Command-line arguments (paths) need not be UTF-8; replace what is not.
    std::cout << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

std::string DescribeEntry(const CLexiconEntry& entry) {
    return AnsiToUtf8(entry.GetName()) + "  (spanId " + AnsiToUtf8(entry.GetSpanId()) +
           ", subClass " + AnsiToUtf8(entry.GetSubClass()) + ", ontology " +
           AnsiToUtf8(entry.GetOntologyName()) + ")";
}

int ReportUsageError(const SUsageError& error) {
    std::cerr << "lirset: " << error.message << "\n";
    return 2;
}
