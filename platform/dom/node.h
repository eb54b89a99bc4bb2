// The nodes of the document tree: the base class CNode with its tree links and mutations, and the
// small node kinds (character data, text, comment, doctype, fragment). Elements and documents have
// headers of their own.
//
// Ownership: nodes are reference-counted (see noderef.h). A parent holds a reference to each
// child; the parent link is a plain pointer. A node taken out of the tree stays a valid object for
// as long as it is referred to, and can be inserted again.
//
// Mutations follow the DOM: insertion checks the hierarchy (false when it is not allowed), moves a
// node out of its old place first, and inserts the children of a fragment. A node in a document
// tells the document about each change, which keeps its live ranges and its rendered-text model up
// to date.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dom/noderef.h"

class CDocument;
class CElement;
class CTextToken;

enum class ENodeType : uint8_t { Document, DocumentType, DocumentFragment, Element, Text, Comment };

class CNode {
public:
    CNode(const CNode&) = delete;
    CNode& operator=(const CNode&) = delete;
    virtual ~CNode() = default;

    ENodeType GetNodeType() const { return m_eType; }
    bool IsElement() const { return m_eType == ENodeType::Element; }
    bool IsText() const { return m_eType == ENodeType::Text; }
    bool IsCharacterData() const {
        return m_eType == ENodeType::Text || m_eType == ENodeType::Comment;
    }

    CNode* GetParent() const { return m_pParent; }
    CElement* GetParentElement() const;
    CNode* GetFirstChild() const { return m_pFirstChild; }
    CNode* GetLastChild() const { return m_pLastChild; }
    CNode* GetPreviousSibling() const { return m_pPrevious; }
    CNode* GetNextSibling() const { return m_pNext; }
    size_t GetChildCount() const;
    // The position among the siblings (counts the siblings before).
    size_t GetIndex() const;
    // The length as ranges count it: characters for character data, children otherwise.
    size_t GetLength() const;
    CNode& GetRoot() const;
    // The document whose tree holds this node, or null for a node outside any document.
    CDocument* GetOwnerDocument() const;
    bool IsInclusiveAncestorOf(const CNode& other) const;
    // The next node in tree order that lies within pWithin (the whole tree when null).
    CNode* GetNextInTree(const CNode* pWithin) const;
    // The following node in tree order that is not a descendant of this one.
    CNode* GetNextSkippingChildren(const CNode* pWithin) const;
    // The data of all descendant text nodes, in tree order.
    std::u16string GetTextContent() const;

    // Inserts pChild (or the children of a fragment) before pBefore, a child of this node, or at
    // the end when pBefore is null. False when the DOM forbids it; nothing changes then.
    bool InsertBefore(const CNodeRef<CNode>& pChild, CNode* pBefore);
    bool AppendChild(const CNodeRef<CNode>& pChild) { return InsertBefore(pChild, nullptr); }
    bool RemoveChild(CNode& child);
    bool ReplaceChild(const CNodeRef<CNode>& pNewChild, CNode& oldChild);
    // Takes this node out of its parent; false when it has none.
    bool Remove();
    // Whether InsertBefore(child, pBefore) would be allowed.
    bool CanInsertBefore(const CNode& child, const CNode* pBefore) const {
        return CanInsert(child, pBefore, nullptr);
    }

    CNodeRef<CNode> CloneNode(bool bDeep) const;

    void AddRef() { ++m_nReferences; }
    void Release();

protected:
    explicit CNode(ENodeType eType) : m_eType(eType) {}
    // A copy of this node without its children.
    virtual CNodeRef<CNode> CloneShallow() const = 0;
    // Called once the last reference is gone, before the children are let go.
    virtual void OnFinalRelease() {}

    // Links a child at the end without checks or notifications: for trees being built.
    void AppendChildUnchecked(const CNodeRef<CNode>& pChild);
    // Links pChild (without a parent) after pAfter, a child of this node, without notifications.
    void LinkAfter(CNode& child, CNode& after);

private:
    friend class CHtmlParser;
    friend class CRenderedText;
    friend class CText;

    // The DOM's pre-insertion validity; pReplaced is the child a replacement takes out.
    bool CanInsert(const CNode& child, const CNode* pBefore, const CNode* pReplaced) const;
    bool CanInsertIntoDocument(const CNode& child, const CNode* pBefore,
                               const CNode* pReplaced) const;
    void InsertOne(const CNodeRef<CNode>& pChild, CNode* pBefore);
    void RemoveOne(CNode& child);
    void Link(CNode& child, CNode* pBefore);
    void Unlink(CNode& child);
    static void DestroyTree(CNode* pRoot);

    ENodeType m_eType;
    uint32_t m_nReferences = 0;
    CNode* m_pParent = nullptr;
    CNode* m_pFirstChild = nullptr;
    CNode* m_pLastChild = nullptr;
    CNode* m_pPrevious = nullptr;
    CNode* m_pNext = nullptr;
    // Where the node's tokens sit in the rendered-text model of its document (null when the model
    // does not cover it): an element has a start and an end token, other nodes one token.
    CTextToken* m_pFirstToken = nullptr;
    CTextToken* m_pLastToken = nullptr;
};

// Text and comments: nodes that hold character data. Offsets count UTF-16 code units.
class CCharacterData : public CNode {
public:
    const std::u16string& GetData() const { return m_strData; }
    void SetData(std::u16string_view data) { ReplaceData(0, m_strData.size(), data); }
    // Replaces count characters at offset (fewer at the end of the data) with data; false when
    // offset lies beyond the data.
    bool ReplaceData(size_t nOffset, size_t nCount, std::u16string_view data);
    bool AppendData(std::u16string_view data) { return ReplaceData(m_strData.size(), 0, data); }
    bool DeleteData(size_t nOffset, size_t nCount) { return ReplaceData(nOffset, nCount, {}); }

protected:
    CCharacterData(ENodeType eType, std::u16string_view data) : CNode(eType), m_strData(data) {}

private:
    friend class CText;
    std::u16string m_strData;
};

class CText : public CCharacterData {
public:
    explicit CText(std::u16string_view data) : CCharacterData(ENodeType::Text, data) {}
    static CNodeRef<CText> Create(std::u16string_view data) { return MakeNode<CText>(data); }

    // Splits the node at offset: this node keeps the characters before it and a new node, inserted
    // after this one, gets the rest. Null when offset lies beyond the data.
    CNodeRef<CText> SplitText(size_t nOffset);

protected:
    CNodeRef<CNode> CloneShallow() const override { return Create(GetData()); }
};

class CComment : public CCharacterData {
public:
    explicit CComment(std::u16string_view data) : CCharacterData(ENodeType::Comment, data) {}
    static CNodeRef<CComment> Create(std::u16string_view data) { return MakeNode<CComment>(data); }

protected:
    CNodeRef<CNode> CloneShallow() const override { return Create(GetData()); }
};

class CDocumentType : public CNode {
public:
    CDocumentType(std::u16string_view name, std::u16string_view publicId,
                  std::u16string_view systemId)
        : CNode(ENodeType::DocumentType),
          m_strName(name),
          m_strPublicId(publicId),
          m_strSystemId(systemId) {}

    const std::u16string& GetName() const { return m_strName; }
    const std::u16string& GetPublicId() const { return m_strPublicId; }
    const std::u16string& GetSystemId() const { return m_strSystemId; }

protected:
    CNodeRef<CNode> CloneShallow() const override {
        return MakeNode<CDocumentType>(m_strName, m_strPublicId, m_strSystemId);
    }

private:
    std::u16string m_strName;
    std::u16string m_strPublicId;
    std::u16string m_strSystemId;
};

// A parentless container of nodes: the result of fragment parsing and of cloning a range's
// contents. Inserting it inserts its children.
class CDocumentFragment : public CNode {
public:
    CDocumentFragment() : CNode(ENodeType::DocumentFragment) {}
    static CNodeRef<CDocumentFragment> Create() { return MakeNode<CDocumentFragment>(); }

protected:
    CNodeRef<CNode> CloneShallow() const override { return Create(); }
};
