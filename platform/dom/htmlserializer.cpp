#include "platform/dom/htmlserializer.h"

#include "platform/dom/element.h"

namespace {

void AppendEscaped(std::u16string_view text, bool bAttribute, std::u16string& out) {
    for (char16_t c : text) {
        switch (c) {
            case u'&':
                out += u"&amp;";
                break;
            case u'\u00A0':
                out += u"&nbsp;";
                break;
            case u'"':
                out += bAttribute ? u"&quot;" : u"\"";
                break;
            case u'<':
                out += bAttribute ? u"<" : u"&lt;";
                break;
            case u'>':
                out += bAttribute ? u">" : u"&gt;";
                break;
            default:
                out += c;
                break;
        }
    }
}

bool HasRawTextParent(const CNode& text) {
    const CElement* pParent = text.GetParentElement();
    return pParent != nullptr && pParent->GetNamespace() == ENamespace::Html &&
           pParent->GetTraits().HasRawText();
}

bool IsVoid(const CNode& node) {
    return node.IsElement() && static_cast<const CElement&>(node).GetTraits().IsVoid();
}

}  // namespace

std::u16string CHtmlSerializer::SerializeChildren(const CNode& node) {
    std::u16string out;
    if (!IsVoid(node)) {
        WriteSubtree(node, false, out);
    }
    return out;
}

std::u16string CHtmlSerializer::SerializeNode(const CNode& node) {
    std::u16string out;
    bool bContainer = node.GetNodeType() == ENodeType::Document ||
                      node.GetNodeType() == ENodeType::DocumentFragment;
    WriteSubtree(node, !bContainer, out);
    return out;
}

void CHtmlSerializer::WriteStart(const CNode& node, std::u16string& out) {
    switch (node.GetNodeType()) {
        case ENodeType::Element: {
            const auto& element = static_cast<const CElement&>(node);
            out += u'<';
            out += element.GetLocalName();
            for (const CAttribute& attribute : element.GetAttributes()) {
                out += u' ';
                out += attribute.strName;
                out += u"=\"";
                AppendEscaped(attribute.strValue, true, out);
                out += u'"';
            }
            out += u'>';
            const CNode* pFirst = element.GetFirstChild();
            if (element.GetNamespace() == ENamespace::Html &&
                element.GetTraits().DropsLeadingNewline() && pFirst != nullptr &&
                pFirst->IsText()) {
                const std::u16string& data = static_cast<const CText*>(pFirst)->GetData();
                if (!data.empty() && data.front() == u'\n') {
                    out += u'\n';
                }
            }
            break;
        }
        case ENodeType::Text:
            if (HasRawTextParent(node)) {
                out += static_cast<const CText&>(node).GetData();
            } else {
                AppendEscaped(static_cast<const CText&>(node).GetData(), false, out);
            }
            break;
        case ENodeType::Comment:
            out += u"<!--";
            out += static_cast<const CComment&>(node).GetData();
            out += u"-->";
            break;
        case ENodeType::DocumentType:
            out += u"<!DOCTYPE ";
            out += static_cast<const CDocumentType&>(node).GetName();
            out += u'>';
            break;
        case ENodeType::Document:
        case ENodeType::DocumentFragment:
            break;
    }
}

void CHtmlSerializer::WriteEnd(const CNode& node, std::u16string& out) {
    if (node.IsElement() && !IsVoid(node)) {
        out += u"</";
        out += static_cast<const CElement&>(node).GetLocalName();
        out += u'>';
    }
}

void CHtmlSerializer::WriteSubtree(const CNode& top, bool bWithTop, std::u16string& out) {
    // Tree order without recursion; a void element's children, if any, are not written.
    const CNode* pBoundary = bWithTop ? nullptr : &top;
    const CNode* pNode = bWithTop ? &top : top.GetFirstChild();
    while (pNode != nullptr) {
        WriteStart(*pNode, out);
        if (pNode->GetFirstChild() != nullptr && !IsVoid(*pNode)) {
            pNode = pNode->GetFirstChild();
            continue;
        }
        WriteEnd(*pNode, out);
        while (true) {
            if (bWithTop && pNode == &top) {
                pNode = nullptr;
                break;
            }
            if (pNode->GetNextSibling() != nullptr) {
                pNode = pNode->GetNextSibling();
                break;
            }
            pNode = pNode->GetParent();
            if (pNode == nullptr || pNode == pBoundary) {
                pNode = nullptr;
                break;
            }
            WriteEnd(*pNode, out);
        }
    }
}
