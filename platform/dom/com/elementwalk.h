// Finding an element of a document in document order.
#pragma once

#include "platform/dom/element.h"
#include "platform/dom/node.h"

// The first element under root (root excluded), in document order, for which match is true; null
// when there is none.
template <class TMatch>
CElement* FindElement(CNode& root, TMatch&& match) {
    for (CNode* p = root.GetFirstChild(); p != nullptr; p = p->GetNextInTree(&root)) {
        if (p->IsElement() && match(static_cast<CElement&>(*p))) {
            return static_cast<CElement*>(p);
        }
    }
    return nullptr;
}
