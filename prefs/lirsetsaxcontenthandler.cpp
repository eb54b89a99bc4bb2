#include "prefs/lirsetsaxcontenthandler.h"

#include "platform/text/codepage.h"
#include "prefs/preferencestore.h"

namespace {

constexpr int kInPreferences = 1;
constexpr int kInParameter = 2;
constexpr int kInContent = 3;
// Inside a content element with exactly one "dt" attribute: its text is a value.
constexpr int kInValue = 4;

constexpr std::string_view kWorkingKey = "_new_";

bool IsWord(std::string_view name, std::string_view word) {
    return name.starts_with(word);
}

}  // namespace

void CLirsetSAXContentHandler::StartElement(std::string_view localName,
                                            const std::vector<CSaxAttribute>& attributes) {
    int before = m_nDepth;
    if (m_nDepth == 0 && IsWord(localName, "preferences")) {
        m_nDepth = kInPreferences;
    } else if (m_nDepth == kInPreferences && IsWord(localName, "parameter")) {
        m_nDepth = kInParameter;
        for (const CSaxAttribute& attribute : attributes) {
            if (IsWord(attribute.localName, "ID")) {
                m_store.SetParameter(kWorkingKey, Utf8ToAnsi(attribute.value), false);
            }
        }
    } else if (m_nDepth == kInParameter && IsWord(localName, "content")) {
        m_nDepth = kInContent;
        for (const CSaxAttribute& attribute : attributes) {
            if (IsWord(attribute.localName, "dt")) {
                ++m_nDepth;
            }
        }
        m_strValue.clear();
    }
    m_vecRaises.push_back(m_nDepth - before);
}

void CLirsetSAXContentHandler::EndElement() {
    if (m_vecRaises.empty()) {
        return;
    }
    int raise = m_vecRaises.back();
    m_vecRaises.pop_back();
    // Only the content element itself raised the depth to kInValue; elements inside it raise none.
    if (m_nDepth == kInValue && raise > 0) {
        std::string key = m_store.GetParameter(kWorkingKey);
        m_store.RemoveParameter(kWorkingKey);
        m_store.SetParameter(key, Utf8ToAnsi(m_strValue), false);
    }
    m_nDepth -= raise;
}

void CLirsetSAXContentHandler::Characters(std::string_view text) {
    if (m_nDepth == kInValue) {
        m_strValue += text;
    }
}
