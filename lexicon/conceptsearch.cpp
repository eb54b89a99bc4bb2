#include "lexicon/conceptsearch.h"

#include "lexicon/ontology.h"
#include "lexicon/wordsplitter.h"
#include "platform/text/codepage.h"

namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; };
        if (upper(a[i]) != upper(b[i])) {
            return false;
        }
    }
    return true;
}

// Splits at the first "%": the text before it, and the text after it (empty when there is none).
std::pair<std::string_view, std::string_view> SplitAtPercent(std::string_view text) {
    size_t percent = text.find('%');
    if (percent == std::string_view::npos) {
        return {text, {}};
    }
    return {text.substr(0, percent), text.substr(percent + 1)};
}

}  // namespace

std::string COntology::SearchConcept(std::string_view query) {
    const std::vector<std::string> words = SplitWords(query);
    // The query is the page key, so its matches stay in the classes like a page's do.
    const std::u16string pageKey = AnsiToWide(query);
    std::string similarTerm;
    std::string similarLabel;
    for (auto& [name, classType] : m_lexTree) {
        CClassType::MatchList* matches = classType->FindMatches(words, pageKey);
        if (matches == nullptr || matches->empty()) {
            continue;
        }
        const CLexiconEntry& first = *matches->front();
        if (EqualsIgnoringAsciiCase(first.GetName(), query)) {
            return "found%" + std::string(query) + "%" + classType->GetLabel();
        }
        similarLabel = classType->GetLabel();
        similarTerm = first.GetName();
    }
    if (!similarLabel.empty()) {
        return "similar%" + similarTerm + "%" + similarLabel;
    }
    return "not found%%";
}

SConceptAnswer ComposeConceptAnswer(std::string_view query, std::string_view result) {
    auto [kind, rest] = SplitAtPercent(result);
    auto [term, label] = SplitAtPercent(rest);
    SConceptAnswer answer;
    const std::string q(query);
    if (kind == "found") {
        answer.caption = "Concept found";
        answer.message = "Concept '" + q + "' can be highlighted by clicking on button labelled '" +
                         std::string(label) + "' in Lirset toolbar.";
    } else if (kind == "similar") {
        answer.caption = "Similar concept found";
        answer.message = "Concept '" + q + "' was not found.\nA similar term - '" +
                         std::string(term) +
                         "' can be highlighted e.g. by clicking on button labelled '" +
                         std::string(label) + "' in Lirset toolbar.";
    } else {
        answer.caption = "Concept not found";
        answer.message =
            "Concept '" + q + "' was not found in current lexicon and cannot be highlighted.";
    }
    if (answer.message.size() > kMaxConceptMessage) {
        answer.message.resize(kMaxConceptMessage);
    }
    return answer;
}
