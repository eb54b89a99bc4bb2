#include "platform/dom/elementtraits.h"

#include <string>
#include <unordered_map>

namespace {

using namespace elementtraits_detail;

struct CTraitEntry {
    const char* pszName;
    uint8_t nFlags;
};

// HTML elements only; names in lower case as the parser gives them.
constexpr CTraitEntry kTraits[] = {
    {"address", kBlock},
    {"area", kVoid},
    {"article", kBlock},
    {"aside", kBlock},
    {"base", kVoid},
    {"basefont", kVoid},
    {"bgsound", kVoid},
    {"blockquote", kBlock},
    {"body", kBlock},
    {"br", kVoid | kLineBreak},
    {"caption", kBlock},
    {"center", kBlock},
    {"col", kVoid},
    {"datalist", kHidesContent},
    {"dd", kBlock},
    {"details", kBlock},
    {"dialog", kBlock},
    {"dir", kBlock},
    {"div", kBlock},
    {"dl", kBlock},
    {"dt", kBlock},
    {"embed", kVoid},
    {"fieldset", kBlock},
    {"figcaption", kBlock},
    {"figure", kBlock},
    {"footer", kBlock},
    {"form", kBlock},
    {"frame", kVoid},
    {"frameset", kBlock | kHidesContent},
    {"h1", kBlock},
    {"h2", kBlock},
    {"h3", kBlock},
    {"h4", kBlock},
    {"h5", kBlock},
    {"h6", kBlock},
    {"head", kHidesContent},
    {"header", kBlock},
    {"hgroup", kBlock},
    {"hr", kVoid | kBlock},
    {"html", kBlock},
    {"iframe", kHidesContent | kRawText},
    {"img", kVoid},
    {"input", kVoid},
    {"keygen", kVoid},
    {"legend", kBlock},
    {"li", kBlock},
    {"link", kVoid},
    {"listing", kBlock | kPreformatted | kDropsLeadingNewline},
    {"main", kBlock},
    {"menu", kBlock},
    {"meta", kVoid},
    {"nav", kBlock},
    {"noembed", kHidesContent | kRawText},
    {"noframes", kHidesContent | kRawText},
    {"noscript", kHidesContent},
    {"ol", kBlock},
    {"optgroup", kBlock},
    {"option", kBlock},
    {"p", kBlock},
    {"param", kVoid},
    {"plaintext", kBlock | kPreformatted | kRawText},
    {"pre", kBlock | kPreformatted | kDropsLeadingNewline},
    {"script", kHidesContent | kRawText},
    {"section", kBlock},
    {"source", kVoid},
    {"style", kHidesContent | kRawText},
    {"summary", kBlock},
    {"table", kBlock},
    {"tbody", kBlock},
    {"td", kBlock},
    {"template", kHidesContent},
    {"textarea", kBlock | kPreformatted | kDropsLeadingNewline},
    {"tfoot", kBlock},
    {"th", kBlock},
    {"thead", kBlock},
    {"title", kHidesContent},
    {"tr", kBlock},
    {"track", kVoid},
    {"ul", kBlock},
    {"wbr", kVoid},
    {"xmp", kBlock | kPreformatted | kRawText},
};

const std::unordered_map<std::u16string, uint8_t>& TraitTable() {
    static const std::unordered_map<std::u16string, uint8_t> table = [] {
        std::unordered_map<std::u16string, uint8_t> map;
        for (const CTraitEntry& entry : kTraits) {
            std::u16string strName;
            for (const char* p = entry.pszName; *p != '\0'; ++p) {
                strName += static_cast<char16_t>(*p);
            }
            map.emplace(std::move(strName), entry.nFlags);
        }
        return map;
    }();
    return table;
}

}  // namespace

CElementTraits CElementTraits::For(ENamespace eNamespace, std::u16string_view localName) {
    if (eNamespace != ENamespace::Html) {
        return CElementTraits(0);
    }
    const auto& table = TraitTable();
    auto it = table.find(std::u16string(localName));
    return CElementTraits(it != table.end() ? it->second : 0);
}
