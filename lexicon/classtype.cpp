#include "lexicon/classtype.h"

CClassType::CClassType() : m_pMenu(std::make_unique<CContextMenu>()) {}

CClassType::~CClassType() = default;

void CClassType::AddEntry(const CLexiconEntry& entry) {
    auto copy = std::make_unique<CLexiconEntry>();
    copy->SetName(entry.GetName(), true);
    copy->SetOntologyName(entry.GetOntologyName());
    copy->SetSpanId(entry.GetSpanId());
    copy->SetSubClass(entry.GetSubClass());
    copy->SetURL(entry.GetURL());

    const std::string& name = copy->GetName();
    std::string_view firstWord = std::string_view(name).substr(0, name.find(' '));
    auto it = m_index.find(firstWord);
    if (it == m_index.end()) {
        it = m_index.emplace(std::string(firstWord), CCandidates()).first;
        m_firstWords.Insert(it->first, &it->second);
    }
    it->second.Add(std::move(copy));
    ++m_nEntryCount;
}

const std::string& CClassType::GetColour() const {
    static const std::string kDefault = "no colour";
    return m_strColour ? *m_strColour : kDefault;
}

bool CClassType::AllocMenuItems(int count) {
    if (!m_pMenu) {
        return false;
    }
    m_pMenu->AllocItems(count);
    return true;
}

bool CClassType::SetMenuItem(std::unique_ptr<CContextMenuItem> item, int j) {
    if (!m_pMenu) {
        return false;
    }
    m_pMenu->SetItem(std::move(item), j);
    return true;
}

const CCandidates* CClassType::CandidatesFor(std::string_view word) const {
    return m_firstWords.Find(word);
}

CClassType::MatchList* CClassType::GetPageMatches(std::u16string_view pageKey) {
    auto it = m_pageMatches.find(pageKey);
    return it == m_pageMatches.end() ? nullptr : &it->second;
}

CClassType::MatchList* CClassType::NewPageMatches(std::u16string_view pageKey) {
    auto& list = m_pageMatches[std::u16string(pageKey)];
    list.clear();
    return &list;
}

CLexiconEntry* CClassType::FindPageMatch(std::u16string_view pageKey, std::string_view text) {
    MatchList* list = GetPageMatches(pageKey);
    if (list == nullptr) {
        return nullptr;
    }
    for (auto& entry : *list) {
        if (entry->GetName() == text) {
            return entry.get();
        }
    }
    return nullptr;
}
