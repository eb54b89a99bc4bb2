// The tokens of the rendered-text model in document order, with the length of the text each one
// renders, kept in a balanced tree (a treap with implicit keys): finding the token at a text
// offset, the offset of a token, inserting a run of tokens and removing one all take logarithmic
// time, so a change of the page costs in proportion to the change, not to the page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/dom/textflow.h"

class CNode;

class CTextToken {
public:
    CNode* m_pNode = nullptr;
    ETokenKind m_eKind = ETokenKind::Single;
    EFlowItem m_eItem = EFlowItem::Inert;
    // The flow state after this token, to tell when a re-rendering has caught up.
    CFlowState m_stateAfter;
    // What the token renders; null for tokens that render nothing.
    std::unique_ptr<CTokenRendering> m_pRendering;

    size_t GetLength() const { return m_pRendering ? m_pRendering->strText.size() : 0; }

private:
    friend class CTokenSequence;

    CTextToken* m_pLeft = nullptr;
    CTextToken* m_pRight = nullptr;
    CTextToken* m_pUp = nullptr;
    uint32_t m_nPriority = 0;
    size_t m_nSubtreeCount = 1;
    size_t m_nSubtreeLength = 0;
};

class CTokenSequence {
public:
    CTokenSequence() = default;
    CTokenSequence(const CTokenSequence&) = delete;
    CTokenSequence& operator=(const CTokenSequence&) = delete;

    // A new token, not yet in the sequence.
    CTextToken* Allocate(CNode& node, ETokenKind eKind, EFlowItem eItem);
    // Gives back a token that is no longer in the sequence.
    void Free(CTextToken* pToken);

    // Inserts the tokens, in their order, before pBefore (at the end when it is null).
    void InsertBefore(CTextToken* pBefore, const std::vector<CTextToken*>& vecTokens);
    // Takes the tokens from pFirst to pLast out of the sequence and returns them.
    std::vector<CTextToken*> Erase(CTextToken* pFirst, CTextToken* pLast);
    // To be called after a token's rendering changed length.
    void LengthChanged(CTextToken* pToken);

    size_t GetLength() const { return m_pRoot != nullptr ? m_pRoot->m_nSubtreeLength : 0; }
    // The number of rendered characters before the token.
    size_t OffsetOf(const CTextToken* pToken) const;
    // The token whose rendering holds the character at nOffset (< GetLength()).
    CTextToken* TokenAt(size_t nOffset) const;
    CTextToken* First() const;
    CTextToken* Next(const CTextToken* pToken) const;
    CTextToken* Previous(const CTextToken* pToken) const;

private:
    static size_t Count(const CTextToken* p) { return p != nullptr ? p->m_nSubtreeCount : 0; }
    static size_t Length(const CTextToken* p) { return p != nullptr ? p->m_nSubtreeLength : 0; }
    static void Update(CTextToken* p);
    static void Split(CTextToken* pTree, size_t nCount, CTextToken*& pLeft, CTextToken*& pRight);
    static CTextToken* Merge(CTextToken* pLeft, CTextToken* pRight);
    static CTextToken* Build(const std::vector<CTextToken*>& vecTokens);
    size_t RankOf(const CTextToken* pToken) const;
    uint32_t NextPriority();

    CTextToken* m_pRoot = nullptr;
    uint32_t m_nSeed = 0x9E3779B9u;
    // Storage: tokens live in blocks owned here and are recycled through the free list.
    std::vector<std::unique_ptr<CTextToken[]>> m_vecBlocks;
    size_t m_nUsedInLastBlock = 0;
    std::vector<CTextToken*> m_vecFree;
};
