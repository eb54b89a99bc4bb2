#include "platform/dom/tokensequence.h"

namespace {

constexpr size_t kBlockSize = 1024;

}  // namespace

CTextToken* CTokenSequence::Allocate(CNode& node, ETokenKind eKind, EFlowItem eItem) {
    CTextToken* pToken = nullptr;
    if (!m_vecFree.empty()) {
        pToken = m_vecFree.back();
        m_vecFree.pop_back();
    } else {
        if (m_vecBlocks.empty() || m_nUsedInLastBlock == kBlockSize) {
            m_vecBlocks.push_back(std::make_unique<CTextToken[]>(kBlockSize));
            m_nUsedInLastBlock = 0;
        }
        pToken = &m_vecBlocks.back()[m_nUsedInLastBlock++];
    }
    pToken->m_pNode = &node;
    pToken->m_eKind = eKind;
    pToken->m_eItem = eItem;
    pToken->m_stateAfter = {};
    pToken->m_pLeft = nullptr;
    pToken->m_pRight = nullptr;
    pToken->m_pUp = nullptr;
    pToken->m_nPriority = NextPriority();
    pToken->m_nSubtreeCount = 1;
    pToken->m_nSubtreeLength = 0;
    if (eItem == EFlowItem::Inert || eItem == EFlowItem::Block) {
        pToken->m_pRendering.reset();
    } else if (!pToken->m_pRendering) {
        pToken->m_pRendering = std::make_unique<CTokenRendering>();
    } else {
        pToken->m_pRendering->Clear();
    }
    return pToken;
}

void CTokenSequence::Free(CTextToken* pToken) {
    pToken->m_pNode = nullptr;
    if (pToken->m_pRendering) {
        pToken->m_pRendering->Clear();
    }
    m_vecFree.push_back(pToken);
}

uint32_t CTokenSequence::NextPriority() {
    // xorshift32: cheap, and reproducible from run to run.
    m_nSeed ^= m_nSeed << 13;
    m_nSeed ^= m_nSeed >> 17;
    m_nSeed ^= m_nSeed << 5;
    return m_nSeed;
}

void CTokenSequence::Update(CTextToken* p) {
    p->m_nSubtreeCount = 1 + Count(p->m_pLeft) + Count(p->m_pRight);
    p->m_nSubtreeLength = p->GetLength() + Length(p->m_pLeft) + Length(p->m_pRight);
}

void CTokenSequence::Split(CTextToken* pTree, size_t nCount, CTextToken*& pLeft,
                           CTextToken*& pRight) {
    if (pTree == nullptr) {
        pLeft = nullptr;
        pRight = nullptr;
        return;
    }
    if (nCount <= Count(pTree->m_pLeft)) {
        CTextToken* pInner = nullptr;
        Split(pTree->m_pLeft, nCount, pLeft, pInner);
        pTree->m_pLeft = pInner;
        if (pInner != nullptr) {
            pInner->m_pUp = pTree;
        }
        pRight = pTree;
    } else {
        CTextToken* pInner = nullptr;
        Split(pTree->m_pRight, nCount - Count(pTree->m_pLeft) - 1, pInner, pRight);
        pTree->m_pRight = pInner;
        if (pInner != nullptr) {
            pInner->m_pUp = pTree;
        }
        pLeft = pTree;
    }
    Update(pTree);
    if (pLeft != nullptr) {
        pLeft->m_pUp = nullptr;
    }
    if (pRight != nullptr) {
        pRight->m_pUp = nullptr;
    }
}

CTextToken* CTokenSequence::Merge(CTextToken* pLeft, CTextToken* pRight) {
    if (pLeft == nullptr) {
        return pRight;
    }
    if (pRight == nullptr) {
        return pLeft;
    }
    if (pLeft->m_nPriority > pRight->m_nPriority) {
        pLeft->m_pRight = Merge(pLeft->m_pRight, pRight);
        pLeft->m_pRight->m_pUp = pLeft;
        Update(pLeft);
        return pLeft;
    }
    pRight->m_pLeft = Merge(pLeft, pRight->m_pLeft);
    pRight->m_pLeft->m_pUp = pRight;
    Update(pRight);
    return pRight;
}

CTextToken* CTokenSequence::Build(const std::vector<CTextToken*>& vecTokens) {
    // The treap of a sorted run in linear time: a right spine kept on a stack.
    std::vector<CTextToken*> vecSpine;
    for (CTextToken* pToken : vecTokens) {
        pToken->m_pLeft = nullptr;
        pToken->m_pRight = nullptr;
        pToken->m_pUp = nullptr;
        CTextToken* pLast = nullptr;
        while (!vecSpine.empty() && vecSpine.back()->m_nPriority < pToken->m_nPriority) {
            pLast = vecSpine.back();
            vecSpine.pop_back();
            Update(pLast);
        }
        pToken->m_pLeft = pLast;
        if (pLast != nullptr) {
            pLast->m_pUp = pToken;
        }
        if (!vecSpine.empty()) {
            vecSpine.back()->m_pRight = pToken;
            pToken->m_pUp = vecSpine.back();
        }
        vecSpine.push_back(pToken);
    }
    while (vecSpine.size() > 1) {
        Update(vecSpine.back());
        vecSpine.pop_back();
    }
    if (vecSpine.empty()) {
        return nullptr;
    }
    Update(vecSpine.front());
    return vecSpine.front();
}

size_t CTokenSequence::RankOf(const CTextToken* pToken) const {
    size_t nRank = Count(pToken->m_pLeft);
    for (const CTextToken* p = pToken; p->m_pUp != nullptr; p = p->m_pUp) {
        if (p == p->m_pUp->m_pRight) {
            nRank += Count(p->m_pUp->m_pLeft) + 1;
        }
    }
    return nRank;
}

void CTokenSequence::InsertBefore(CTextToken* pBefore, const std::vector<CTextToken*>& vecTokens) {
    CTextToken* pRun = Build(vecTokens);
    if (pRun == nullptr) {
        return;
    }
    if (pBefore == nullptr) {
        m_pRoot = Merge(m_pRoot, pRun);
    } else {
        CTextToken* pLeft = nullptr;
        CTextToken* pRight = nullptr;
        Split(m_pRoot, RankOf(pBefore), pLeft, pRight);
        m_pRoot = Merge(Merge(pLeft, pRun), pRight);
    }
    m_pRoot->m_pUp = nullptr;
}

std::vector<CTextToken*> CTokenSequence::Erase(CTextToken* pFirst, CTextToken* pLast) {
    size_t nBegin = RankOf(pFirst);
    size_t nEnd = RankOf(pLast) + 1;
    CTextToken* pLeft = nullptr;
    CTextToken* pMiddle = nullptr;
    CTextToken* pRight = nullptr;
    Split(m_pRoot, nEnd, pLeft, pRight);
    Split(pLeft, nBegin, pLeft, pMiddle);
    m_pRoot = Merge(pLeft, pRight);
    if (m_pRoot != nullptr) {
        m_pRoot->m_pUp = nullptr;
    }
    std::vector<CTextToken*> vecErased;
    vecErased.reserve(Count(pMiddle));
    std::vector<CTextToken*> vecStack;
    for (CTextToken* p = pMiddle; p != nullptr || !vecStack.empty();) {
        if (p != nullptr) {
            vecStack.push_back(p);
            p = p->m_pLeft;
            continue;
        }
        p = vecStack.back();
        vecStack.pop_back();
        vecErased.push_back(p);
        p = p->m_pRight;
    }
    return vecErased;
}

void CTokenSequence::LengthChanged(CTextToken* pToken) {
    for (CTextToken* p = pToken; p != nullptr; p = p->m_pUp) {
        Update(p);
    }
}

size_t CTokenSequence::OffsetOf(const CTextToken* pToken) const {
    size_t nOffset = Length(pToken->m_pLeft);
    for (const CTextToken* p = pToken; p->m_pUp != nullptr; p = p->m_pUp) {
        if (p == p->m_pUp->m_pRight) {
            nOffset += Length(p->m_pUp->m_pLeft) + p->m_pUp->GetLength();
        }
    }
    return nOffset;
}

CTextToken* CTokenSequence::TokenAt(size_t nOffset) const {
    CTextToken* p = m_pRoot;
    while (p != nullptr) {
        size_t nLeft = Length(p->m_pLeft);
        if (nOffset < nLeft) {
            p = p->m_pLeft;
            continue;
        }
        nOffset -= nLeft;
        if (nOffset < p->GetLength()) {
            return p;
        }
        nOffset -= p->GetLength();
        p = p->m_pRight;
    }
    return nullptr;
}

CTextToken* CTokenSequence::First() const {
    CTextToken* p = m_pRoot;
    while (p != nullptr && p->m_pLeft != nullptr) {
        p = p->m_pLeft;
    }
    return p;
}

CTextToken* CTokenSequence::Next(const CTextToken* pToken) const {
    if (pToken->m_pRight != nullptr) {
        CTextToken* p = pToken->m_pRight;
        while (p->m_pLeft != nullptr) {
            p = p->m_pLeft;
        }
        return p;
    }
    const CTextToken* p = pToken;
    while (p->m_pUp != nullptr && p == p->m_pUp->m_pRight) {
        p = p->m_pUp;
    }
    return p->m_pUp;
}

CTextToken* CTokenSequence::Previous(const CTextToken* pToken) const {
    if (pToken->m_pLeft != nullptr) {
        CTextToken* p = pToken->m_pLeft;
        while (p->m_pRight != nullptr) {
            p = p->m_pRight;
        }
        return p;
    }
    const CTextToken* p = pToken;
    while (p->m_pUp != nullptr && p == p->m_pUp->m_pLeft) {
        p = p->m_pUp;
    }
    return p->m_pUp;
}
