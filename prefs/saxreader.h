// A SAX-style XML reader: parses a file and reports its elements and text to a content handler.
//
// Names are local names (namespace prefixes removed); all texts are UTF-8, as the parser delivers
// them. Text may arrive in several pieces, for instance around entity references.
#pragma once

#include <string_view>
#include <vector>

#include "platform/com/hresult.h"

struct CSaxAttribute {
    std::string_view localName;
    std::string_view value;
};

class ISaxContentHandler {
public:
    virtual ~ISaxContentHandler() = default;
    virtual void StartElement(std::string_view localName,
                              const std::vector<CSaxAttribute>& attributes) = 0;
    virtual void EndElement() = 0;
    virtual void Characters(std::string_view text) = 0;
};

class CSaxReader {
public:
    explicit CSaxReader(ISaxContentHandler& handler) : m_handler(handler) {}

    // The path is a Windows path or a path of this machine. E_FAIL when the file cannot be read or
    // is not well-formed; what was reported before the error stays reported.
    HRESULT ParseFile(std::string_view path);

private:
    static void OnStartElement(void* context, const char* name, const char** attributes);
    static void OnEndElement(void* context, const char* name);
    static void OnCharacters(void* context, const char* text, int length);

    ISaxContentHandler& m_handler;
};
