// One term of a lexicon, or one term found in a page.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CLexiconEntry {
public:
    CLexiconEntry() = default;
    virtual ~CLexiconEntry() = default;
    // A copy has the same fields; what matching derives from the name is derived again.
    CLexiconEntry(const CLexiconEntry& other);
    CLexiconEntry& operator=(const CLexiconEntry& other);

    // Each getter returns the stored text, or the field's default text ("no name", ...) while the
    // field is unset, so callers never see an unset text.
    const std::string& GetName() const;
    const std::string& GetURL() const;
    const std::string& GetSpanId() const;
    const std::string& GetSubClass() const;
    const std::string& GetOntologyName() const;

    // Stores the name, upper-cased with the code page's letter-case rules when upperCase is set.
    void SetName(std::string_view name, bool upperCase);
    void SetURL(std::string_view url) { m_strURL = url; }
    void SetSpanId(std::string_view spanId) { m_strSpanId = spanId; }
    void SetSubClass(std::string_view subClass) { m_strSubClass = subClass; }
    void SetOntologyName(std::string_view ontologyName) { m_strOntologyName = ontologyName; }

    // The n-th word of the name (from 0), words separated by runs of blanks, leading blanks
    // ignored; empty when the name has fewer words.
    std::string GetWord(int n) const;

    // How many consecutive words from the position match the name's tokens one for one; -1 when
    // a word differs or the words run out first.
    int MatchAt(const std::vector<std::string>& words, size_t position) const;
    int MatchAt(std::span<const std::string_view> words, size_t position) const;

    // The name split at the word delimiters, and its second word (GetWord(1)).
    const std::vector<std::string>& GetTokens() const { return MatchForm().tokens; }
    const std::string& GetSecondWord() const { return MatchForm().secondWord; }

private:
    std::optional<std::string> m_strName;
    std::optional<std::string> m_strURL;
    std::optional<std::string> m_strSpanId;
    std::optional<std::string> m_strSubClass;
    std::optional<std::string> m_strOntologyName;

    // Derived from the name at first use and kept until the name changes, so that matching never
    // splits a term per lookup; the terms found in pages never need it.
    struct SMatchForm {
        std::vector<std::string> tokens;
        std::string secondWord;
    };
    const SMatchForm& MatchForm() const;
    mutable std::unique_ptr<SMatchForm> m_pMatchForm;
};
