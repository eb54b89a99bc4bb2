#include "platform/dom/cdatasections.h"

#include <array>
#include <string_view>

#include "platform/dom/asciicase.h"

namespace {

constexpr std::string_view kCDataOpen = "<![CDATA[";
constexpr std::string_view kCDataClose = "]]>";

// Elements whose content the tokenizer reads as text: a CDATA opener inside them is text.
constexpr std::array<std::string_view, 8> kRawTextElements = {
    "script", "style", "textarea", "xmp", "iframe", "noembed", "noframes", "noscript"};

bool StartsWithIgnoringCase(std::string_view text, size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) {
        return false;
    }
    return EqualsIgnoringAsciiCase(text.substr(at, prefix.size()), prefix);
}

bool EndsTagName(std::string_view text, size_t at) {
    return at == text.size() || text[at] == '>' || text[at] == '/' || text[at] == ' ' ||
           text[at] == '\t' || text[at] == '\n' || text[at] == '\r' || text[at] == '\f';
}

// The raw-text element whose start tag stands at text[at] ("<script ..."), or empty.
std::string_view RawTextElementAt(std::string_view text, size_t at) {
    for (std::string_view name : kRawTextElements) {
        if (StartsWithIgnoringCase(text, at + 1, name) && EndsTagName(text, at + 1 + name.size())) {
            return name;
        }
    }
    return {};
}

// Where the end tag of the raw-text element starts, searching from `from`; npos when it has none.
size_t FindEndTag(std::string_view text, size_t from, std::string_view name) {
    for (size_t at = text.find("</", from); at != std::string_view::npos;
         at = text.find("</", at + 2)) {
        if (StartsWithIgnoringCase(text, at + 2, name) && EndsTagName(text, at + 2 + name.size())) {
            return at;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::string NeutraliseCDataSections(std::string html) {
    if (html.find(kCDataOpen) == std::string::npos) {
        return html;
    }
    const std::string_view text(html);
    std::string out;
    out.reserve(html.size() + 64);
    size_t copied = 0;
    size_t at = text.find('<');
    while (at != std::string_view::npos) {
        size_t next = at + 1;
        if (text.substr(at).starts_with("<!--")) {
            const size_t end = text.find("-->", at + 4);
            next = end == std::string_view::npos ? text.size() : end + 3;
        } else if (text.substr(at).starts_with(kCDataOpen)) {
            out.append(text.substr(copied, at - copied));
            out += "<!--[CDATA[";
            const size_t close = text.find(kCDataClose, at + kCDataOpen.size());
            const size_t contentEnd = close == std::string_view::npos ? text.size() : close;
            out.append(text.substr(at + kCDataOpen.size(), contentEnd - at - kCDataOpen.size()));
            out += close == std::string_view::npos ? "-->" : "]]-->";
            next = close == std::string_view::npos ? text.size() : close + kCDataClose.size();
            copied = next;
        } else if (std::string_view name = RawTextElementAt(text, at); !name.empty()) {
            const size_t end = FindEndTag(text, at + 1 + name.size(), name);
            next = end == std::string_view::npos ? text.size() : end;
        } else if (StartsWithIgnoringCase(text, at + 1, "plaintext") &&
                   EndsTagName(text, at + 10)) {
            next = text.size();
        }
        at = next < text.size() ? text.find('<', next) : std::string_view::npos;
    }
    out.append(text.substr(copied));
    return out;
}
