#include "cli/lexiconinput.h"

#include <fstream>
#include <sstream>

#include "platform/text/codepage.h"

std::variant<SLoadedLexicon, SUsageError> LoadLexiconArgument(const std::string& path,
                                                              CLoadReport* report) {
    if (!std::ifstream(path, std::ios::binary)) {
        return SUsageError{"cannot read lexicon " + path};
    }
    SLoadedLexicon lexicon;
    lexicon.pOntology = std::make_unique<COntology>();
    lexicon.bLoaded = lexicon.pOntology->Load(Utf8ToAnsi(path), report);
    return lexicon;
}

std::variant<std::string, SUsageError> ReadTextFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return SUsageError{"cannot read " + path};
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (file.bad()) {
        return SUsageError{"cannot read " + path};
    }
    std::string text = std::move(bytes).str();
    return IsValidUtf8(text) ? Utf8ToAnsi(text) : text;
}
