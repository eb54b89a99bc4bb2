// A loaded lexicon: its classes (the lexTree), the button order the menu file gives them, and the
// words of the pages already annotated.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/classtype.h"
#include "lexicon/lexiconentry.h"

class CLoadReport;

class COntology {
public:
    // Button positions: the menu file may place at most this many classes.
    static constexpr int kMaxClasses = 256;
    // The longest term-file path: the menu path is built in a buffer of this size.
    static constexpr size_t kMaxPath = 255;

    // Every class of the term file, keyed by class name in byte order.
    using LexTree = std::map<std::string, std::unique_ptr<CClassType>, std::less<>>;

    COntology() = default;
    virtual ~COntology();
    COntology(const COntology&) = delete;
    COntology& operator=(const COntology&) = delete;

    // Reads the term file at path (ending in "onto") and then the menu file beside it; true when
    // both were read. What was read stays in the model when the result is false. Each line the
    // loader skips or would misread is described in the report, when one is given.
    bool Load(std::string_view path, CLoadReport* report = nullptr);
    bool LoadMenus(std::string_view menuPath, CLoadReport* report = nullptr);

    // Files a copy of the entry in the named class, which is created when it is absent.
    void AddEntry(std::string_view className, const CLexiconEntry& entry);
    CClassType* FindClass(std::string_view name);
    const CClassType* FindClass(std::string_view name) const;
    const LexTree& GetLexTree() const { return m_lexTree; }

    // The button positions: count, and the class name at each (empty where the menu file named a
    // class the term file lacks, and for every k at or beyond the count).
    void AllocClasses(int count);
    int GetClassCount() const { return m_nClassCount; }
    std::string GetClassName(int k) const;
    void SetClassName(int k, std::string_view name);

    // The page-word cache: the words of each page already split, by page key. A key keeps the
    // first words stored under it; SetPageWords returns false and stores nothing for a key that is
    // present.
    const std::vector<std::string>* GetPageWords(std::u16string_view pageKey) const;
    bool SetPageWords(std::u16string_view pageKey, std::vector<std::string> words);

    // Tells whether the query is a term of the lexicon: "found%query%label",
    // "similar%term%label" or "not found%%".
    std::string SearchConcept(std::string_view query);

private:
    LexTree m_lexTree;
    std::array<std::string, kMaxClasses> m_classNames;
    int m_nClassCount = 0;
    std::map<std::u16string, std::vector<std::string>, std::less<>> m_pageWords;
};
