#include "platform/browser/documentbuilder.h"

#include <optional>
#include <string>

#include "platform/browser/contenttype.h"
#include "platform/browser/url.h"
#include "platform/dom/htmlparser.h"
#include "platform/text/codepage.h"

namespace {

bool IsHtmlSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r';
}

std::u16string CollapseSpace(std::u16string_view text) {
    std::u16string out;
    bool bSpace = false;
    for (char16_t c : text) {
        if (IsHtmlSpace(c)) {
            bSpace = !out.empty();
            continue;
        }
        if (bSpace) {
            out += u' ';
            bSpace = false;
        }
        out += c;
    }
    return out;
}

void AppendEscaped(std::u16string& out, std::u16string_view text) {
    for (char16_t c : text) {
        switch (c) {
            case u'&':
                out += u"&amp;";
                break;
            case u'<':
                out += u"&lt;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'"':
                out += u"&quot;";
                break;
            default:
                out += c;
                break;
        }
    }
}

bool IsHtml(const SResourceResponse& response) {
    const std::string& type = response.contentType.mediaType;
    if (type == "text/html" || type == "application/xhtml+xml") {
        return true;
    }
    // No type to go by: the text decides, as for a file without an extension.
    return (type.empty() || type == "application/octet-stream") &&
           SniffTextMediaType(response.body) == "text/html";
}

// The Content-Type value the parser reads the charset from.
std::string ContentTypeHeader(const SContentType& contentType) {
    std::string header = contentType.mediaType;
    if (!contentType.charset.empty()) {
        header += "; charset=" + contentType.charset;
    }
    return header;
}

CNodeRef<CDocument> BuildErrorPage(const SResourceResponse& response,
                                   std::u16string_view requestedAddress) {
    std::u16string html =
        u"<!DOCTYPE html><html><head><title>Cannot display the page</title></head><body>"
        u"<h1>Cannot display the page</h1><p>The page at <b>";
    AppendEscaped(html, requestedAddress);
    html += u"</b> could not be loaded.</p><p>";
    AppendEscaped(html, Utf8ToWide(ResourceErrorName(response.error.kind)));
    html += u": ";
    AppendEscaped(html, Utf8ToWide(response.error.message));
    html += u"</p></body></html>";
    return CHtmlParser::ParseDocument(html);
}

std::u16string ResolveFrameSource(const std::optional<CUrl>& base, std::u16string_view src) {
    std::u16string trimmed(src);
    while (!trimmed.empty() && IsHtmlSpace(trimmed.back())) {
        trimmed.pop_back();
    }
    size_t nStart = 0;
    while (nStart < trimmed.size() && IsHtmlSpace(trimmed[nStart])) {
        ++nStart;
    }
    trimmed.erase(0, nStart);
    if (trimmed.empty()) {
        return u"about:blank";
    }
    if (base) {
        if (std::optional<CUrl> resolved = base->Resolve(WideToUtf8(trimmed))) {
            return Utf8ToWide(resolved->ToString());
        }
    }
    return trimmed;
}

}  // namespace

CNodeRef<CDocument> BuildDocument(const SResourceResponse& response,
                                  std::u16string_view requestedAddress) {
    CNodeRef<CDocument> pDocument;
    if (!response.Succeeded()) {
        pDocument = BuildErrorPage(response, requestedAddress);
        pDocument->SetUrl(requestedAddress);
        return pDocument;
    }
    std::string contentType = ContentTypeHeader(response.contentType);
    pDocument = IsHtml(response) ? CHtmlParser::ParseDocument(response.body, contentType)
                                 : CHtmlParser::CreatePlainTextDocument(response.body, contentType);
    pDocument->SetUrl(Utf8ToWide(response.url));
    return pDocument;
}

std::vector<SFrameSource> FindFrameSources(const CDocument& document) {
    std::optional<CUrl> base = CUrl::Parse(WideToUtf8(document.GetUrl()));
    if (base && !base->IsAbsolute()) {
        base.reset();
    }
    std::vector<SFrameSource> vecSources;
    const CNode* pNode = document.GetFirstChild();
    while (pNode != nullptr) {
        if (pNode->IsElement()) {
            const auto& element = static_cast<const CElement&>(*pNode);
            if (element.Is(u"template")) {
                // Inert content: nothing in it is loaded.
                pNode = pNode->GetNextSkippingChildren(&document);
                continue;
            }
            if (element.Is(u"frame") || element.Is(u"iframe")) {
                vecSources.push_back(
                    {ResolveFrameSource(base, element.GetAttribute(u"src").value_or(u"")),
                     element.GetAttribute(u"name").value_or(u"")});
            }
        }
        pNode = pNode->GetNextInTree(&document);
    }
    return vecSources;
}

std::u16string GetDocumentTitle(const CDocument& document) {
    for (const CNode* pNode = document.GetFirstChild(); pNode != nullptr;
         pNode = pNode->GetNextInTree(&document)) {
        if (pNode->IsElement() && static_cast<const CElement*>(pNode)->Is(u"title")) {
            return CollapseSpace(pNode->GetTextContent());
        }
    }
    return {};
}
