// Shared helpers of the document-model tests: parsing from UTF-8 literals, and writing the body
// with the boundary points of a range marked "[" and "]".
#pragma once

#include <string>
#include <string_view>

#include "platform/dom/htmlparser.h"
#include "platform/dom/htmlserializer.h"
#include "platform/dom/range.h"
#include "platform/dom/textrange.h"
#include "platform/text/codepage.h"

namespace domtest {

inline std::u16string W(std::string_view utf8) {
    return Utf8ToWide(utf8);
}

inline std::string U(std::u16string_view wide) {
    return WideToUtf8(wide);
}

inline CNodeRef<CDocument> Parse(std::string_view html) {
    return CHtmlParser::ParseDocument(W(html));
}

inline std::string BodyHtml(CDocument& document) {
    return U(CHtmlSerializer::SerializeChildren(*document.GetBody()));
}

// The markup of node's content with "[" at start and "]" at end, text unescaped.
inline void WriteMarked(const CNode& node, const CBoundaryPoint& start, const CBoundaryPoint& end,
                        std::u16string& out) {
    auto marks = [&](const CNode* pChild) {
        if (start.GetContainer() == &node && start.GetChildAfter() == pChild) {
            out += u'[';
        }
        if (end.GetContainer() == &node && end.GetChildAfter() == pChild) {
            out += u']';
        }
    };
    if (node.IsText()) {
        const std::u16string& data = static_cast<const CText&>(node).GetData();
        for (size_t i = 0; i <= data.size(); ++i) {
            if (start.GetContainer() == &node && start.GetCharacterOffset() == i) {
                out += u'[';
            }
            if (end.GetContainer() == &node && end.GetCharacterOffset() == i) {
                out += u']';
            }
            if (i < data.size()) {
                out += data[i];
            }
        }
        return;
    }
    for (const CNode* p = node.GetFirstChild(); p != nullptr; p = p->GetNextSibling()) {
        marks(p);
        if (p->IsElement()) {
            const auto& element = static_cast<const CElement&>(*p);
            out += u'<' + element.GetLocalName();
            for (const CAttribute& attribute : element.GetAttributes()) {
                out += u' ' + attribute.strName + u"=\"" + attribute.strValue + u'"';
            }
            out += u'>';
            WriteMarked(*p, start, end, out);
            if (!element.GetTraits().IsVoid()) {
                out += u"</" + element.GetLocalName() + u'>';
            }
        } else if (p->IsText()) {
            WriteMarked(*p, start, end, out);
        }
    }
    marks(nullptr);
}

inline std::string Marked(const CRange& range, const CNode& root) {
    std::u16string out;
    WriteMarked(root, range.GetStart(), range.GetEnd(), out);
    return U(out);
}

inline std::string Marked(const CTextRange& range) {
    return Marked(range.GetRange(), range.GetBody());
}

}  // namespace domtest
