// An element: a name in a namespace, attributes in the order they were given, children.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dom/elementtraits.h"
#include "platform/dom/node.h"

struct CAttribute {
    std::u16string strName;
    std::u16string strValue;
};

class CElement : public CNode {
public:
    CElement(std::u16string_view localName, ENamespace eNamespace);
    static CNodeRef<CElement> Create(std::u16string_view localName,
                                     ENamespace eNamespace = ENamespace::Html);

    // The name as the parser gives it: lower case for HTML ("span").
    const std::u16string& GetLocalName() const { return m_strLocalName; }
    ENamespace GetNamespace() const { return m_eNamespace; }
    // An HTML element with that lower-case name.
    bool Is(std::u16string_view htmlName) const {
        return m_eNamespace == ENamespace::Html && m_strLocalName == htmlName;
    }
    // The tag name: upper case for HTML elements ("SPAN"), as written for the others.
    std::u16string GetTagName() const;
    CElementTraits GetTraits() const { return m_traits; }
    // True when nothing inside the element is rendered: SCRIPT, STYLE, HEAD, ... or the element
    // carries the hidden attribute.
    bool HidesContent() const;
    bool IsBody() const { return Is(u"body"); }

    const std::vector<CAttribute>& GetAttributes() const { return m_vecAttributes; }
    // Attribute names compare without regard to ASCII letter case, as in HTML.
    const std::u16string* FindAttribute(std::u16string_view name) const;
    std::optional<std::u16string> GetAttribute(std::u16string_view name) const;
    bool HasAttribute(std::u16string_view name) const { return FindAttribute(name) != nullptr; }
    // Sets the value, or adds the attribute at the end; HTML attribute names are stored in lower
    // case.
    void SetAttribute(std::u16string_view name, std::u16string_view value);
    bool RemoveAttribute(std::u16string_view name);
    // The id attribute; empty when there is none.
    std::u16string GetId() const;

    // The element's rendered text, by the rules of the rendered-text model (renderedtext.h). The
    // text of an element that is not rendered is its text content.
    std::u16string GetInnerText() const;
    // Replaces the element in its parent by the text, line breaks becoming BR elements, and merges
    // the text with neighbouring text nodes. False for an element without a parent.
    bool SetOuterText(std::u16string_view text);

protected:
    CNodeRef<CNode> CloneShallow() const override;

private:
    friend class CHtmlParser;

    // For the parser: adds an attribute without looking for an earlier one of the same name.
    void AppendAttributeUnchecked(std::u16string name, std::u16string value);
    CAttribute* FindAttributeEntry(std::u16string_view name);

    std::u16string m_strLocalName;
    ENamespace m_eNamespace;
    CElementTraits m_traits;
    std::vector<CAttribute> m_vecAttributes;
};
