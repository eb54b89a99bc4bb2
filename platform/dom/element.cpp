#include "platform/dom/element.h"

#include "platform/dom/asciicase.h"
#include "platform/dom/document.h"
#include "platform/dom/renderedtext.h"
#include "platform/dom/textflow.h"

namespace {

// The HTML "rendered text fragment": text nodes, with a BR for each line break.
CNodeRef<CDocumentFragment> MakeRenderedTextFragment(std::u16string_view text) {
    CNodeRef<CDocumentFragment> pFragment = CDocumentFragment::Create();
    size_t nPosition = 0;
    while (nPosition < text.size()) {
        size_t nBreak = text.find_first_of(u"\r\n", nPosition);
        if (nBreak == std::u16string_view::npos) {
            nBreak = text.size();
        }
        if (nBreak > nPosition) {
            pFragment->AppendChild(CText::Create(text.substr(nPosition, nBreak - nPosition)));
        }
        nPosition = nBreak;
        while (nPosition < text.size() && (text[nPosition] == u'\r' || text[nPosition] == u'\n')) {
            bool bPair = text[nPosition] == u'\r' && nPosition + 1 < text.size() &&
                         text[nPosition + 1] == u'\n';
            nPosition += bPair ? 2 : 1;
            pFragment->AppendChild(CElement::Create(u"br"));
        }
    }
    return pFragment;
}

// Appends the data of the text node after pNode, if there is one, and removes it.
void MergeWithNextText(CNode* pNode) {
    if (pNode == nullptr || !pNode->IsText()) {
        return;
    }
    CNode* pNext = pNode->GetNextSibling();
    if (pNext == nullptr || !pNext->IsText()) {
        return;
    }
    static_cast<CText*>(pNode)->AppendData(static_cast<CText*>(pNext)->GetData());
    pNext->Remove();
}

}  // namespace

CElement::CElement(std::u16string_view localName, ENamespace eNamespace)
    : CNode(ENodeType::Element),
      m_strLocalName(localName),
      m_eNamespace(eNamespace),
      m_traits(CElementTraits::For(eNamespace, localName)) {}

CNodeRef<CElement> CElement::Create(std::u16string_view localName, ENamespace eNamespace) {
    return MakeNode<CElement>(localName, eNamespace);
}

std::u16string CElement::GetTagName() const {
    std::u16string strName = m_strLocalName;
    if (m_eNamespace == ENamespace::Html) {
        for (char16_t& c : strName) {
            c = AsciiUpper(c);
        }
    }
    return strName;
}

bool CElement::HidesContent() const {
    return m_traits.HidesContent() || HasAttribute(u"hidden");
}

const std::u16string* CElement::FindAttribute(std::u16string_view name) const {
    for (const CAttribute& attribute : m_vecAttributes) {
        if (EqualsIgnoringAsciiCase<char16_t>(attribute.strName, name)) {
            return &attribute.strValue;
        }
    }
    return nullptr;
}

CAttribute* CElement::FindAttributeEntry(std::u16string_view name) {
    for (CAttribute& attribute : m_vecAttributes) {
        if (EqualsIgnoringAsciiCase<char16_t>(attribute.strName, name)) {
            return &attribute;
        }
    }
    return nullptr;
}

std::optional<std::u16string> CElement::GetAttribute(std::u16string_view name) const {
    const std::u16string* pValue = FindAttribute(name);
    return pValue != nullptr ? std::optional<std::u16string>(*pValue) : std::nullopt;
}

void CElement::SetAttribute(std::u16string_view name, std::u16string_view value) {
    if (CAttribute* pAttribute = FindAttributeEntry(name)) {
        pAttribute->strValue = value;
    } else {
        m_vecAttributes.push_back(
            {m_eNamespace == ENamespace::Html ? ToAsciiLower(name) : std::u16string(name),
             std::u16string(value)});
    }
    if (CDocument* pDocument = GetOwnerDocument()) {
        pDocument->AttributeChanged(*this, name);
    }
}

bool CElement::RemoveAttribute(std::u16string_view name) {
    for (auto it = m_vecAttributes.begin(); it != m_vecAttributes.end(); ++it) {
        if (EqualsIgnoringAsciiCase<char16_t>(it->strName, name)) {
            m_vecAttributes.erase(it);
            if (CDocument* pDocument = GetOwnerDocument()) {
                pDocument->AttributeChanged(*this, name);
            }
            return true;
        }
    }
    return false;
}

std::u16string CElement::GetId() const {
    const std::u16string* pId = FindAttribute(u"id");
    return pId != nullptr ? *pId : std::u16string();
}

std::u16string CElement::GetInnerText() const {
    if (CDocument* pDocument = GetOwnerDocument()) {
        CRenderedText* pText = pDocument->GetRenderedText();
        if (pText != nullptr && pText->Covers(*this)) {
            return pText->GetInnerText(*this);
        }
    }
    for (const CElement* p = this; p != nullptr; p = p->GetParentElement()) {
        if (p->HidesContent()) {
            return GetTextContent();
        }
    }
    return CTextFlow::RenderDetached(*this);
}

bool CElement::SetOuterText(std::u16string_view text) {
    CNode* pParent = GetParent();
    if (pParent == nullptr) {
        return false;
    }
    CNodeRef<CElement> pKeep(this);
    CNodeRef<CNode> pNext(GetNextSibling());
    CNodeRef<CNode> pPrevious(GetPreviousSibling());
    CNodeRef<CDocumentFragment> pFragment = MakeRenderedTextFragment(text);
    if (pFragment->GetFirstChild() == nullptr) {
        pFragment->AppendChild(CText::Create(u""));
    }
    if (!pParent->ReplaceChild(pFragment, *this)) {
        return false;
    }
    if (pNext) {
        MergeWithNextText(pNext->GetPreviousSibling());
    }
    MergeWithNextText(pPrevious.Get());
    return true;
}

CNodeRef<CNode> CElement::CloneShallow() const {
    CNodeRef<CElement> pCopy = Create(m_strLocalName, m_eNamespace);
    pCopy->m_vecAttributes = m_vecAttributes;
    return pCopy;
}

void CElement::AppendAttributeUnchecked(std::u16string name, std::u16string value) {
    m_vecAttributes.push_back({std::move(name), std::move(value)});
}
