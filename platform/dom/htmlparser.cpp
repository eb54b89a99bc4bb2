#include "platform/dom/htmlparser.h"

#include <gumbo.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/dom/asciicase.h"
#include "platform/dom/cdatasections.h"
#include "platform/dom/charsetdecoder.h"
#include "platform/text/codepage.h"

namespace {

// Owns a gumbo parse and the text it was parsed from, which the parse points into.
class CGumboOutput {
public:
    CGumboOutput(const GumboOptions& options, std::string html)
        : m_options(options),
          m_strHtml(NeutraliseCDataSections(std::move(html))),
          m_pOutput(gumbo_parse_with_options(&m_options, m_strHtml.data(), m_strHtml.size())) {}
    ~CGumboOutput() {
        if (m_pOutput != nullptr) {
            gumbo_destroy_output(&m_options, m_pOutput);
        }
    }
    CGumboOutput(const CGumboOutput&) = delete;
    CGumboOutput& operator=(const CGumboOutput&) = delete;

    const GumboOutput* Get() const { return m_pOutput; }

private:
    GumboOptions m_options;
    std::string m_strHtml;
    GumboOutput* m_pOutput;
};

std::u16string PieceToLowerWide(const GumboStringPiece& piece) {
    return ToAsciiLower<char16_t>(Utf8ToWide(std::string_view(piece.data, piece.length)));
}

ENamespace NamespaceOf(GumboNamespaceEnum eNamespace) {
    switch (eNamespace) {
        case GUMBO_NAMESPACE_SVG:
            return ENamespace::Svg;
        case GUMBO_NAMESPACE_MATHML:
            return ENamespace::MathMl;
        case GUMBO_NAMESPACE_HTML:
            break;
    }
    return ENamespace::Html;
}

std::u16string ElementName(const GumboElement& element) {
    GumboStringPiece original = element.original_tag;
    if (original.length > 0 && original.data[0] == '<') {
        gumbo_tag_from_original_text(&original);
    }
    if (element.tag_namespace == GUMBO_NAMESPACE_SVG && original.length > 0) {
        if (const char* pszFixed = gumbo_normalize_svg_tagname(&original)) {
            return Utf8ToWide(pszFixed);
        }
    }
    if (element.tag != GUMBO_TAG_UNKNOWN) {
        return Utf8ToWide(gumbo_normalized_tagname(element.tag));
    }
    return PieceToLowerWide(original);
}

std::u16string AttributeName(const GumboAttribute& attribute) {
    std::u16string name = Utf8ToWide(attribute.name);
    switch (attribute.attr_namespace) {
        case GUMBO_ATTR_NAMESPACE_XLINK:
            return u"xlink:" + name;
        case GUMBO_ATTR_NAMESPACE_XML:
            return u"xml:" + name;
        case GUMBO_ATTR_NAMESPACE_XMLNS:
            return name == u"xmlns" ? name : u"xmlns:" + name;
        case GUMBO_ATTR_NAMESPACE_NONE:
            break;
    }
    return name;
}

// Long text is kept in several text nodes, as browsers do (at a larger size): editing one place of
// a long text, as highlighting does once per occurrence, then costs in proportion to the node
// edited rather than to the whole text.
constexpr size_t kMaxTextNodeLength = 2048;

// Where to end the text node that starts at nBegin: after a line feed or a blank when there is
// one in the second half of the allowed length, never inside a surrogate pair.
size_t TextNodeEnd(std::u16string_view text, size_t nBegin) {
    size_t nLimit = nBegin + kMaxTextNodeLength;
    if (nLimit >= text.size()) {
        return text.size();
    }
    for (char16_t separator : {u'\n', u' '}) {
        size_t nFound = text.rfind(separator, nLimit - 1);
        if (nFound != std::u16string_view::npos && nFound >= nBegin + kMaxTextNodeLength / 2) {
            return nFound + 1;
        }
    }
    bool bInsidePair = text[nLimit - 1] >= 0xD800 && text[nLimit - 1] <= 0xDBFF;
    return bInsidePair ? nLimit - 1 : nLimit;
}

}  // namespace

// Copies gumbo's nodes below a parent into ours, iteratively.
class CTreeBuilder {
public:
    static void CopyChildren(const GumboVector& children, CNode& parent) {
        struct CFrame {
            const GumboVector* pChildren;
            unsigned nNext;
            CNode* pParent;
        };
        std::vector<CFrame> vecStack{{&children, 0, &parent}};
        while (!vecStack.empty()) {
            CFrame& frame = vecStack.back();
            if (frame.nNext == frame.pChildren->length) {
                vecStack.pop_back();
                continue;
            }
            const auto* pSource =
                static_cast<const GumboNode*>(frame.pChildren->data[frame.nNext++]);
            CNode* pParent = frame.pParent;
            switch (pSource->type) {
                case GUMBO_NODE_ELEMENT:
                case GUMBO_NODE_TEMPLATE: {
                    const GumboElement& source = pSource->v.element;
                    CNodeRef<CElement> pElement =
                        CElement::Create(ElementName(source), NamespaceOf(source.tag_namespace));
                    for (unsigned i = 0; i < source.attributes.length; ++i) {
                        const auto* pAttribute =
                            static_cast<const GumboAttribute*>(source.attributes.data[i]);
                        CHtmlParser::AppendAttribute(*pElement, AttributeName(*pAttribute),
                                                     Utf8ToWide(pAttribute->value));
                    }
                    CHtmlParser::Append(*pParent, pElement);
                    vecStack.push_back({&source.children, 0, pElement.Get()});
                    break;
                }
                case GUMBO_NODE_TEXT:
                case GUMBO_NODE_WHITESPACE:
                case GUMBO_NODE_CDATA:
                    CHtmlParser::AppendText(*pParent, Utf8ToWide(pSource->v.text.text));
                    break;
                case GUMBO_NODE_COMMENT:
                    CHtmlParser::Append(*pParent,
                                        CComment::Create(Utf8ToWide(pSource->v.text.text)));
                    break;
                case GUMBO_NODE_DOCUMENT:
                    break;
            }
        }
    }
};

void CHtmlParser::Append(CNode& parent, const CNodeRef<CNode>& pChild) {
    parent.AppendChildUnchecked(pChild);
}

void CHtmlParser::AppendText(CNode& parent, std::u16string_view text) {
    for (size_t nBegin = 0; nBegin < text.size();) {
        size_t nEnd = TextNodeEnd(text, nBegin);
        Append(parent, CText::Create(text.substr(nBegin, nEnd - nBegin)));
        nBegin = nEnd;
    }
}

void CHtmlParser::AppendAttribute(CElement& element, std::u16string name, std::u16string value) {
    element.AppendAttributeUnchecked(std::move(name), std::move(value));
}

CNodeRef<CDocument> CHtmlParser::ParseUtf8(std::string html, const char* pszCharset) {
    CNodeRef<CDocument> pDocument = CDocument::Create();
    pDocument->SetCharset(pszCharset);
    CGumboOutput output(kGumboDefaultOptions, std::move(html));
    if (output.Get() == nullptr) {
        return pDocument;
    }
    const GumboDocument& source = output.Get()->document->v.document;
    if (source.has_doctype) {
        Append(*pDocument, MakeNode<CDocumentType>(Utf8ToWide(source.name),
                                                   Utf8ToWide(source.public_identifier),
                                                   Utf8ToWide(source.system_identifier)));
    }
    CTreeBuilder::CopyChildren(source.children, *pDocument);
    pDocument->SetParseErrorCount(output.Get()->errors.length);
    return pDocument;
}

CNodeRef<CDocument> CHtmlParser::ParseDocument(std::string_view bytes,
                                               std::string_view contentType) {
    ECharset eCharset = CCharsetDecoder::DetectHtml(bytes, contentType);
    return ParseUtf8(CCharsetDecoder::DecodeToUtf8(bytes, eCharset),
                     CCharsetDecoder::GetName(eCharset));
}

CNodeRef<CDocument> CHtmlParser::ParseDocument(std::u16string_view html) {
    return ParseUtf8(WideToUtf8(html), CCharsetDecoder::GetName(ECharset::Utf8));
}

CNodeRef<CDocument> CHtmlParser::CreatePlainTextDocument(std::string_view bytes,
                                                         std::string_view contentType) {
    ECharset eCharset = CCharsetDecoder::DetectPlainText(bytes, contentType);
    std::u16string decoded = Utf8ToWide(CCharsetDecoder::DecodeToUtf8(bytes, eCharset));
    std::u16string text;
    text.reserve(decoded.size());
    for (size_t i = 0; i < decoded.size(); ++i) {
        if (decoded[i] == u'\r') {
            text += u'\n';
            if (i + 1 < decoded.size() && decoded[i + 1] == u'\n') {
                ++i;
            }
        } else {
            text += decoded[i];
        }
    }
    CNodeRef<CDocument> pDocument = CDocument::Create();
    pDocument->SetCharset(CCharsetDecoder::GetName(eCharset));
    CNodeRef<CElement> pHtml = CElement::Create(u"html");
    CNodeRef<CElement> pBody = CElement::Create(u"body");
    CNodeRef<CElement> pPre = CElement::Create(u"pre");
    AppendText(*pPre, text);
    Append(*pBody, pPre);
    Append(*pHtml, CElement::Create(u"head"));
    Append(*pHtml, pBody);
    Append(*pDocument, pHtml);
    return pDocument;
}

CNodeRef<CDocumentFragment> CHtmlParser::ParseFragment(std::u16string_view html,
                                                       const CElement& context) {
    CNodeRef<CDocumentFragment> pFragment = CDocumentFragment::Create();
    GumboOptions options = kGumboDefaultOptions;
    std::string contextName = WideToUtf8(context.GetLocalName());
    GumboTag eTag = gumbo_tagn_enum(contextName.data(), static_cast<unsigned>(contextName.size()));
    switch (context.GetNamespace()) {
        case ENamespace::Html:
            // An element the parser does not know parses its content like any other in the body.
            options.fragment_context = eTag != GUMBO_TAG_UNKNOWN ? eTag : GUMBO_TAG_DIV;
            options.fragment_namespace = GUMBO_NAMESPACE_HTML;
            break;
        case ENamespace::Svg:
            options.fragment_context = eTag != GUMBO_TAG_UNKNOWN ? eTag : GUMBO_TAG_SVG;
            options.fragment_namespace = GUMBO_NAMESPACE_SVG;
            break;
        case ENamespace::MathMl:
            options.fragment_context = eTag != GUMBO_TAG_UNKNOWN ? eTag : GUMBO_TAG_MATH;
            options.fragment_namespace = GUMBO_NAMESPACE_MATHML;
            break;
    }
    CGumboOutput output(options, WideToUtf8(html));
    if (output.Get() != nullptr && output.Get()->root != nullptr) {
        CTreeBuilder::CopyChildren(output.Get()->root->v.element.children, *pFragment);
    }
    return pFragment;
}
