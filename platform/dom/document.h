// The document: the root of the tree, its address and charset, the body, the all-collection,
// the live ranges over it and the rendered-text model of its body.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dom/element.h"
#include "platform/dom/elementcollection.h"
#include "platform/dom/node.h"
#include "platform/dom/renderedtext.h"

class CRange;
class CTextRange;

class CDocument : public CNode {
public:
    CDocument();
    ~CDocument() override;
    static CNodeRef<CDocument> Create() { return MakeNode<CDocument>(); }

    const std::u16string& GetUrl() const { return m_strUrl; }
    void SetUrl(std::u16string_view url) { m_strUrl = url; }
    // The name of the charset the page was decoded from ("windows-1252", "UTF-8", ...).
    const std::string& GetCharset() const { return m_strCharset; }
    void SetCharset(std::string_view charset) { m_strCharset = charset; }
    // The number of parse errors the parser reported.
    size_t GetParseErrorCount() const { return m_nParseErrors; }
    void SetParseErrorCount(size_t nErrors) { m_nParseErrors = nErrors; }

    // The HTML element, its HEAD and the body: the first BODY or FRAMESET child of the HTML
    // element (null while there is none).
    CElement* GetDocumentElement() const;
    CElement* GetHead() const;
    CElement* GetBody() const;

    // All elements of the document, in document order.
    CElementCollection GetAll();
    // A text range over the whole body; null unless the body is a BODY element.
    std::unique_ptr<CTextRange> CreateTextRange();

    // The rendered-text model of the body, built on first use and kept up to date with every
    // change of the tree afterwards; null unless the body is a BODY element.
    CRenderedText* GetRenderedText();
    // What the model has done so far, over all the models the document has built.
    const CTextModelStatistics& GetTextStatistics() const { return m_statistics; }

protected:
    CNodeRef<CNode> CloneShallow() const override;
    void OnFinalRelease() override;

private:
    friend class CNode;
    friend class CCharacterData;
    friend class CText;
    friend class CElement;
    friend class CRange;

    // Notifications from the tree, for the live ranges and the text model.
    void NodeInserted(CNode& node);
    void NodeRemoving(CNode& node);
    void DataReplaced(CCharacterData& node, size_t nOffset, size_t nCount, size_t nLength);
    void TextSplit(CText& node, CText& newNode, size_t nOffset);
    void AttributeChanged(CElement& element, std::u16string_view name);

    void RegisterRange(CRange& range);
    void UnregisterRange(CRange& range);
    // True when the model covers pNode's position (pNode is its root or inside it).
    bool ModelCovers(const CNode* pNode) const;

    std::u16string m_strUrl;
    std::string m_strCharset = "UTF-8";
    size_t m_nParseErrors = 0;
    std::vector<CRange*> m_vecRanges;
    CTextModelStatistics m_statistics;
    std::unique_ptr<CRenderedText> m_pText;
};
