// One ontology class of a loaded lexicon: its terms, its button label and colour, its service
// menu and the terms found in each page.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/candidates.h"
#include "lexicon/contextmenu.h"
#include "lexicon/firstwordtable.h"
#include "lexicon/lexiconentry.h"

class CClassType {
public:
    // The first-word index: first word -> its entries, in byte order of the first words.
    using FirstWordIndex = std::map<std::string, CCandidates, std::less<>>;
    // The entries found in one page, in the order they were found.
    using MatchList = std::vector<std::unique_ptr<CLexiconEntry>>;

    CClassType();
    virtual ~CClassType();
    CClassType(const CClassType&) = delete;
    CClassType& operator=(const CClassType&) = delete;

    // Files a copy of the entry, taken through its getters (so an unset field arrives as its
    // default text), under the part of its name before the first blank.
    void AddEntry(const CLexiconEntry& entry);

    const std::string& GetName() const { return m_strName; }
    void SetName(std::string_view name) { m_strName = name; }
    const std::string& GetLabel() const { return m_strLabel; }
    void SetLabel(std::string_view label) { m_strLabel = label; }
    // The colour name, or "no colour" while none is set.
    const std::string& GetColour() const;
    void SetColour(std::string_view colour) { m_strColour = colour; }
    bool IsHighlighted() const { return m_bHighlighted; }
    void SetHighlighted(bool highlighted) { m_bHighlighted = highlighted; }

    CContextMenu* GetMenu() { return m_pMenu.get(); }
    const CContextMenu* GetMenu() const { return m_pMenu.get(); }
    bool AllocMenuItems(int count);
    bool SetMenuItem(std::unique_ptr<CContextMenuItem> item, int j);

    const FirstWordIndex& GetIndex() const { return m_index; }
    size_t GetEntryCount() const { return m_nEntryCount; }

    // The entries whose first word is the given word, which callers pass upper-cased; null when
    // there are none.
    const CCandidates* CandidatesFor(std::string_view word) const;
    // The same for a word given as it stands in a page, with its hash (see CFirstWordTable).
    const CCandidates* CandidatesForUpperCased(std::string_view word, std::uint64_t hash) const {
        return m_firstWords.FindUpperCased(word, hash);
    }

    // Scans the words for the terms of this class and records what it finds under the page key;
    // returns the page's match list, or null when nothing was ever recorded for the key.
    MatchList* FindMatches(const std::vector<std::string>& words, std::u16string_view pageKey);

    MatchList* GetPageMatches(std::u16string_view pageKey);
    MatchList* NewPageMatches(std::u16string_view pageKey);
    // The first entry of the page's matches whose name is exactly the text, or null.
    CLexiconEntry* FindPageMatch(std::u16string_view pageKey, std::string_view text);

private:
    FirstWordIndex m_index;
    // A hash table beside the ordered index: matching looks up every word of a page, and the
    // ordered index stays for everything that needs its order.
    CFirstWordTable m_firstWords;
    size_t m_nEntryCount = 0;
    std::map<std::u16string, MatchList, std::less<>> m_pageMatches;
    std::unique_ptr<CContextMenu> m_pMenu;
    std::string m_strName = "empty";
    std::string m_strLabel = "empty";
    std::optional<std::string> m_strColour;
    bool m_bHighlighted = false;
};
