// The all-collection of a document and its enumerator.
//
// The collection is live: it reads the tree whenever asked. An enumerator takes a snapshot of the
// elements in document order when it is made and holds a reference to each, so that elements
// replaced or removed while it runs are still delivered, as valid objects.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/dom/element.h"

class CElementEnumerator {
public:
    explicit CElementEnumerator(std::vector<CNodeRef<CElement>> vecElements)
        : m_vecElements(std::move(vecElements)) {}

    // The next element, or null at the end.
    CNodeRef<CElement> Next();
    // Skips up to nCount elements; gives the number skipped.
    size_t Skip(size_t nCount);
    void Reset() { m_nPosition = 0; }
    // An enumerator over the same snapshot at the same position.
    std::unique_ptr<CElementEnumerator> Clone() const;

private:
    std::vector<CNodeRef<CElement>> m_vecElements;
    size_t m_nPosition = 0;
};

class CElementCollection {
public:
    // All elements below root (a document), in document order.
    explicit CElementCollection(CNodeRef<CNode> pRoot) : m_pRoot(std::move(pRoot)) {}

    size_t GetLength() const;
    // The element at the index in document order, or null.
    CNodeRef<CElement> Item(size_t nIndex) const;
    std::unique_ptr<CElementEnumerator> CreateEnumerator() const;

private:
    CNodeRef<CNode> m_pRoot;
};
