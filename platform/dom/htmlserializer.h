// HTML serialisation by the HTML fragment serialisation algorithm: void elements have no end tag,
// text escapes & < > and U+00A0, attribute values & " and U+00A0, the text of SCRIPT, STYLE, XMP,
// IFRAME, NOEMBED, NOFRAMES and PLAINTEXT is written as it is, a TEMPLATE's content is written
// inside it, and PRE, TEXTAREA and LISTING whose text starts with a line feed get one more (the
// parser drops the first).
#pragma once

#include <string>

#include "platform/dom/node.h"

class CHtmlSerializer {
public:
    // The node's children (innerHTML; the whole page for a document).
    static std::u16string SerializeChildren(const CNode& node);
    // The node itself with its content (outerHTML); for a document or fragment, its children.
    static std::u16string SerializeNode(const CNode& node);

private:
    static void WriteStart(const CNode& node, std::u16string& out);
    static void WriteEnd(const CNode& node, std::u16string& out);
    static void WriteSubtree(const CNode& top, bool bWithTop, std::u16string& out);
};
