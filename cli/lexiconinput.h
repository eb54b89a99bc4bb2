// Reading the inputs that the subcommands share: the lexicon named on the command line and the
// text to match.
#pragma once

#include <memory>
#include <string>
#include <variant>

#include "cli/commandline.h"
#include "lexicon/ontology.h"

class CLoadReport;

struct SLoadedLexicon {
    std::unique_ptr<COntology> pOntology;
    bool bLoaded = false;  // what Load returned
};

// Loads the lexicon at path (a UTF-8 command-line path). A term file that cannot be read at all is
// a usage error; a lexicon that loads only in part is returned with bLoaded false.
std::variant<SLoadedLexicon, SUsageError> LoadLexiconArgument(const std::string& path,
                                                              CLoadReport* report = nullptr);

// The text of a file in the ANSI code page: UTF-8 files are converted, anything else is taken as
// ANSI bytes already.
std::variant<std::string, SUsageError> ReadTextFile(const std::string& path);
