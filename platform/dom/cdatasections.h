// CDATA sections turned into comments before a page reaches the parser.
//
// gumbo 0.10.1 fails an internal assertion, and aborts the process, on a CDATA section inside an
// SVG or MathML integration point within a table (<table><svg><desc><![CDATA[x]]>y). A page must
// never take the browser down, so every "<![CDATA[ ... ]]>" outside comments and raw-text
// elements becomes "<!--[CDATA[ ... ]]-->": in HTML content that is the comment the parser would
// have made of it anyway ("[CDATA[ ... ]]"); in SVG or MathML content the section's text becomes
// a comment, which only such pages can tell.
#pragma once

#include <string>

std::string NeutraliseCDataSections(std::string html);
