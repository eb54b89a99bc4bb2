// What the browser shows for a response: the document it builds, the frames that document asks
// for, and its title.
//
//   - text/html and application/xhtml+xml, and a response without a type (or with
//     application/octet-stream) whose text starts with "<", are parsed as HTML in the charset of
//     the Content-Type, a byte order mark or a <meta charset>;
//   - any other response is plain text: the text, decoded (byte order mark, then the charset of the
//     Content-Type, then Windows-1252), in a PRE as the only child of the body, so that the body's
//     text range reads the text as it is in the file;
//   - a load that failed is an error page: its title and heading say that the page cannot be
//     shown, and its text names the address asked for and what went wrong.
// The document's URL is the response's final address, or the address asked for when the load
// failed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/browser/resourceloader.h"
#include "platform/dom/document.h"

struct SFrameSource {
    std::u16string url;   // the frame's src resolved against the document's URL; about:blank
                          // when it has none
    std::u16string name;  // the frame's name attribute
};

CNodeRef<CDocument> BuildDocument(const SResourceResponse& response,
                                  std::u16string_view requestedAddress);

// The FRAME and IFRAME elements of the document, in document order.
std::vector<SFrameSource> FindFrameSources(const CDocument& document);

// The text of the document's first TITLE element, white space collapsed; empty when none.
std::u16string GetDocumentTitle(const CDocument& document);
