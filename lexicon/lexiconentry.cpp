#include "lexicon/lexiconentry.h"

#include "lexicon/wordsplitter.h"
#include "platform/text/codepage.h"

namespace {

const std::string& TextOr(const std::optional<std::string>& text, const std::string& fallback) {
    return text ? *text : fallback;
}

}  // namespace

CLexiconEntry::CLexiconEntry(const CLexiconEntry& other)
    : m_strName(other.m_strName),
      m_strURL(other.m_strURL),
      m_strSpanId(other.m_strSpanId),
      m_strSubClass(other.m_strSubClass),
      m_strOntologyName(other.m_strOntologyName) {}

CLexiconEntry& CLexiconEntry::operator=(const CLexiconEntry& other) {
    if (this != &other) {
        m_strName = other.m_strName;
        m_strURL = other.m_strURL;
        m_strSpanId = other.m_strSpanId;
        m_strSubClass = other.m_strSubClass;
        m_strOntologyName = other.m_strOntologyName;
        m_pMatchForm.reset();
    }
    return *this;
}

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
    m_pMatchForm.reset();
}

const CLexiconEntry::SMatchForm& CLexiconEntry::MatchForm() const {
    if (!m_pMatchForm) {
        m_pMatchForm = std::make_unique<SMatchForm>(SMatchForm{SplitWords(GetName()), GetWord(1)});
    }
    return *m_pMatchForm;
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
