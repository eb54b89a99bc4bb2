// The user's settings: text key/value pairs kept in preferences.xml in the install folder.
//
// Keys and values are texts in the ANSI code page, compared byte by byte; a key that is absent
// reads as the empty text, and setting the empty text removes the key. The file is UTF-8 XML (it
// has no encoding declaration): texts are converted on the way in and out, and the XML special
// characters are escaped, so every value reads back as it was written. The file is always
// replaced whole, so a failed write leaves the previous file as it was.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/com/hresult.h"

class CPreferenceStore {
public:
    // Copies the folder (a Windows path such as "C:\Lirset\" or a path of this machine) and loads
    // its preferences.xml.
    explicit CPreferenceStore(std::string_view folder);

    std::string GetParameter(std::string_view key) const;
    // Replaces the key's value (the empty value removes it); with write, saves the whole file to
    // the folder.
    void SetParameter(std::string_view key, std::string_view value, bool write);
    void RemoveParameter(std::string_view key);

    // Adds the file's pairs. A missing or malformed file is traced as "Error <code>" on the debug
    // output and fails; the pairs read before the error stay.
    HRESULT LoadPreferences(std::string_view path);
    // E_FAIL when the file could not be written; the previous file is then unchanged.
    HRESULT SavePreferences(std::string_view path) const;

private:
    std::string FilePath() const;

    std::string m_strFolder;
    std::map<std::string, std::string, std::less<>> m_mapParameters;
};
