// Content types: what a response or a file holds, as a media type and a character set.
#pragma once

#include <string>
#include <string_view>

struct SContentType {
    std::string mediaType;  // lower case, "text/html"; empty when unknown
    std::string charset;    // lower case, unquoted, "windows-1252"; empty when not given
};

// The parts of a Content-Type header value: "text/html; charset=\"ISO-8859-1\"" gives
// {"text/html", "iso-8859-1"}. Other parameters are dropped.
SContentType ParseContentType(std::string_view header);

// The media type that the extension of a file name stands for, letter case ignored: .html and .htm
// are text/html; .txt, .onto and .menu text/plain; .xml text/xml; .css, .js, and the images .png,
// .gif, .jpg/.jpeg and .bmp their types. Empty for a name without an extension and for one that
// is not listed.
std::string MediaTypeForExtension(std::string_view path);

// True when the last segment of the path has an extension: a "." that does not start the name.
bool HasExtension(std::string_view path);

// The type of text without a name to go by: text/html when its first character after white space
// (and a UTF-8 byte-order mark) is "<", text/plain otherwise.
std::string SniffTextMediaType(std::string_view content);

// The media type of a file: by its extension; sniffed from the content when it has none;
// application/octet-stream for an extension that is not listed.
std::string MediaTypeForFile(std::string_view path, std::string_view content);
