// Reads the pairs of a preferences file into a store.
//
//   <preferences>
//     <parameter ID="key">
//       <content dt="string">value</content>
//     </parameter>
//   </preferences>
//
// A depth counter follows the nesting: preferences (1), parameter (2), content (3), and one more
// for each "dt" attribute of the content. A name counts as one of these words when it begins with
// it. The parameter's ID waits in the store under the working key "_new_" until the content element
// ends; then the content's whole text becomes the value of that key. A content element without a
// "dt" attribute stores nothing (its key stays under "_new_"); a parameter without an ID stores its
// value under the empty key. Elements the reader does not know leave the depth as it is.
#pragma once

#include <string>
#include <vector>

#include "prefs/saxreader.h"

class CPreferenceStore;

class CLirsetSAXContentHandler : public ISaxContentHandler {
public:
    explicit CLirsetSAXContentHandler(CPreferenceStore& store) : m_store(store) {}

    void StartElement(std::string_view localName,
                      const std::vector<CSaxAttribute>& attributes) override;
    void EndElement() override;
    void Characters(std::string_view text) override;

private:
    CPreferenceStore& m_store;
    int m_nDepth = 0;
    // For every open element, how much it raised the depth; its end lowers it by as much.
    std::vector<int> m_vecRaises;
    // The UTF-8 text of the content element being read, gathered from all its pieces.
    std::string m_strValue;
};
