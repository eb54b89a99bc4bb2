// Pages and fragments parsed by the HTML5 parser (gumbo) into our own tree, and plain-text
// documents made the way browsers show plain text.
#pragma once

#include <string>
#include <string_view>

#include "platform/dom/document.h"

class CHtmlParser {
public:
    // A page as it arrived: its bytes in any charset and the HTTP Content-Type value, if any
    // (see charsetdecoder.h for how the charset is chosen). The document records the charset
    // and the number of parse errors; its address is the caller's to set.
    static CNodeRef<CDocument> ParseDocument(std::string_view bytes, std::string_view contentType);
    // A page already decoded.
    static CNodeRef<CDocument> ParseDocument(std::u16string_view html);
    // A document whose body holds the text in a PRE element, line ends made line feeds.
    static CNodeRef<CDocument> CreatePlainTextDocument(std::string_view bytes,
                                                       std::string_view contentType);
    // The fragment parsing algorithm with the element as context: what HTML inserted into that
    // element parses to.
    static CNodeRef<CDocumentFragment> ParseFragment(std::u16string_view html,
                                                     const CElement& context);

private:
    friend class CTreeBuilder;

    static CNodeRef<CDocument> ParseUtf8(std::string html, const char* pszCharset);
    // Tree building without checks or notifications.
    static void Append(CNode& parent, const CNodeRef<CNode>& pChild);
    // Appends text, in several nodes when it is long.
    static void AppendText(CNode& parent, std::u16string_view text);
    static void AppendAttribute(CElement& element, std::u16string name, std::u16string value);
};
