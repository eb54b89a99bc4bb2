#include "prefs/saxreader.h"

#include <expat.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/fs/winpath.h"

namespace {

// Separates a namespace name from the local name in the names the parser reports. It cannot occur
// in an XML document, so it never splits a name wrongly.
constexpr char kNamespaceSeparator = '\x01';
constexpr size_t kChunk = 64 * 1024;

std::string_view LocalName(std::string_view name) {
    size_t separator = name.rfind(kNamespaceSeparator);
    return separator == name.npos ? name : name.substr(separator + 1);
}

struct CParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

struct CFileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void CSaxReader::OnStartElement(void* context, const char* name, const char** attributes) {
    std::vector<CSaxAttribute> list;
    for (const char** attribute = attributes; *attribute != nullptr; attribute += 2) {
        list.push_back({LocalName(attribute[0]), attribute[1]});
    }
    static_cast<CSaxReader*>(context)->m_handler.StartElement(LocalName(name), list);
}

void CSaxReader::OnEndElement(void* context, const char*) {
    static_cast<CSaxReader*>(context)->m_handler.EndElement();
}

void CSaxReader::OnCharacters(void* context, const char* text, int length) {
    static_cast<CSaxReader*>(context)->m_handler.Characters(
        std::string_view(text, static_cast<size_t>(length)));
}

HRESULT CSaxReader::ParseFile(std::string_view path) {
    std::unique_ptr<std::FILE, CFileClose> file(std::fopen(MapWindowsPath(path).c_str(), "rb"));
    std::unique_ptr<XML_ParserStruct, CParserFree> parser(
        XML_ParserCreateNS(nullptr, kNamespaceSeparator));
    if (!file || !parser) {
        return E_FAIL;
    }
    XML_SetUserData(parser.get(), this);
    XML_SetElementHandler(parser.get(), OnStartElement, OnEndElement);
    XML_SetCharacterDataHandler(parser.get(), OnCharacters);
    std::string buffer(kChunk, '\0');
    for (;;) {
        size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
        if (std::ferror(file.get())) {
            return E_FAIL;
        }
        bool last = got < buffer.size();
        if (XML_Parse(parser.get(), buffer.data(), static_cast<int>(got), last) != XML_STATUS_OK) {
            return E_FAIL;
        }
        if (last) {
            return S_OK;
        }
    }
}
