#include "lexicon/ontology.h"

#include <algorithm>

#include "platform/debug/debugoutput.h"

COntology::~COntology() {
    OutputDebugStringA("Calling destructor in Ontology class\n");
    m_lexTree.clear();
    m_pageWords.clear();
    OutputDebugStringA("Destructor in Ontology class finished\n");
}

void COntology::AddEntry(std::string_view className, const CLexiconEntry& entry) {
    CClassType* classType = FindClass(className);
    if (classType == nullptr) {
        auto created = std::make_unique<CClassType>();
        created->SetName(className);
        created->SetLabel(className);
        classType = created.get();
        m_lexTree.emplace(std::string(className), std::move(created));
    }
    classType->AddEntry(entry);
}

CClassType* COntology::FindClass(std::string_view name) {
    auto it = m_lexTree.find(name);
    return it == m_lexTree.end() ? nullptr : it->second.get();
}

const CClassType* COntology::FindClass(std::string_view name) const {
    auto it = m_lexTree.find(name);
    return it == m_lexTree.end() ? nullptr : it->second.get();
}

void COntology::AllocClasses(int count) {
    m_nClassCount = std::clamp(count, 0, kMaxClasses);
}

std::string COntology::GetClassName(int k) const {
    return k >= 0 && k < m_nClassCount ? m_classNames[static_cast<size_t>(k)] : std::string();
}

void COntology::SetClassName(int k, std::string_view name) {
    if (k >= 0 && k < m_nClassCount) {
        m_classNames[static_cast<size_t>(k)] = name;
    }
}

const std::vector<std::string>* COntology::GetPageWords(std::u16string_view pageKey) const {
    auto it = m_pageWords.find(pageKey);
    return it == m_pageWords.end() ? nullptr : &it->second;
}

bool COntology::SetPageWords(std::u16string_view pageKey, std::vector<std::string> words) {
    return m_pageWords.try_emplace(std::u16string(pageKey), std::move(words)).second;
}
