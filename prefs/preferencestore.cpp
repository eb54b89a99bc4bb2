#include "prefs/preferencestore.h"

#include "platform/debug/debugoutput.h"
#include "platform/fs/atomicfile.h"
#include "platform/text/codepage.h"
#include "prefs/lirsetsaxcontenthandler.h"
#include "prefs/saxreader.h"

namespace {

constexpr std::string_view kFileName = "preferences.xml";

// The ANSI text as XML text in UTF-8, for element content and attribute values alike. Tab, line
// feed and carriage return are written as character references so that neither line-end nor
// attribute normalisation changes them; the other control characters cannot occur in XML and are
// left out.
std::string EscapeXml(std::string_view ansi) {
    std::string escaped;
    for (char c : AnsiToUtf8(ansi)) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\t':
                escaped += "&#9;";
                break;
            case '\n':
                escaped += "&#10;";
                break;
            case '\r':
                escaped += "&#13;";
                break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20) {
                    escaped += c;
                }
        }
    }
    return escaped;
}

}  // namespace

CPreferenceStore::CPreferenceStore(std::string_view folder) : m_strFolder(folder) {
    LoadPreferences(FilePath());
}

// A folder of this machine takes "/", a Windows folder "\" (a doubled one after "C:\Lirset\" is
// accepted by the path mapping).
std::string CPreferenceStore::FilePath() const {
    char separator = m_strFolder.starts_with('/') ? '/' : '\\';
    return m_strFolder + separator + std::string(kFileName);
}

std::string CPreferenceStore::GetParameter(std::string_view key) const {
    auto it = m_mapParameters.find(key);
    return it == m_mapParameters.end() ? std::string() : it->second;
}

void CPreferenceStore::SetParameter(std::string_view key, std::string_view value, bool write) {
    RemoveParameter(key);
    if (!value.empty()) {
        m_mapParameters.emplace(key, value);
    }
    if (write) {
        SavePreferences(FilePath());
    }
}

void CPreferenceStore::RemoveParameter(std::string_view key) {
    if (auto it = m_mapParameters.find(key); it != m_mapParameters.end()) {
        m_mapParameters.erase(it);
    }
}

HRESULT CPreferenceStore::LoadPreferences(std::string_view path) {
    CLirsetSAXContentHandler handler(*this);
    CSaxReader reader(handler);
    HRESULT hr = reader.ParseFile(path);
    if (FAILED(hr)) {
        DebugPrintf("\nError %08lx\n\n", HResultBits(hr));
    }
    return hr;
}

HRESULT CPreferenceStore::SavePreferences(std::string_view path) const {
    std::string text = "<?xml version=\"1.0\"?>\n<preferences>\n";
    for (const auto& [key, value] : m_mapParameters) {
        text += "  <parameter ID=\"" + EscapeXml(key) + "\">\n";
        text += "    <content dt=\"string\">" + EscapeXml(value) + "</content>\n";
        text += "  </parameter>\n";
    }
    text += "</preferences>\n";
    return WriteTextFileAtomically(path, text) ? S_OK : E_FAIL;
}
