#include "lexicon/lexiconentry.h"

#include "lexicon/wordsplitter.h"
#include "platform/text/codepage.h"

namespace {

const std::string& TextOr(const std::optional<std::string>& text, const std::string& fallback) {
    return text ? *text : fallback;
}

}  // namespace

const std::string& CLexiconEntry::GetName() const {
    static const std::string kDefault = "no name";
    return TextOr(m_strName, kDefault);
}

const std::string& CLexiconEntry::GetURL() const {
    static const std::string kDefault = "no URL";
    return TextOr(m_strURL, kDefault);
}

const std::string& CLexiconEntry::GetSpanId() const {
    static const std::string kDefault = "no spanId";
    return TextOr(m_strSpanId, kDefault);
}

const std::string& CLexiconEntry::GetSubClass() const {
    static const std::string kDefault = "no subClass";
    return TextOr(m_strSubClass, kDefault);
}

const std::string& CLexiconEntry::GetOntologyName() const {
    static const std::string kDefault = "no ontologyName";
    return TextOr(m_strOntologyName, kDefault);
}

void CLexiconEntry::SetName(std::string_view name, bool upperCase) {
    m_strName = upperCase ? AnsiUpper(name) : std::string(name);
    m_tokens = SplitWords(*m_strName);
    m_strSecondWord = GetWord(1);
}

std::string CLexiconEntry::GetWord(int n) const {
    const std::string& name = GetName();
    size_t i = 0;
    for (int word = 0;; ++word) {
        while (i < name.size() && name[i] == ' ') {
            ++i;
        }
        if (i == name.size()) {
            return {};
        }
        size_t end = name.find(' ', i);
        if (end == std::string::npos) {
            end = name.size();
        }
        if (word == n) {
            return name.substr(i, end - i);
        }
        i = end;
    }
}
