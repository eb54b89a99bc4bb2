// Registry scripts: the text in which a module lists the keys and values it registers.
//
//   HKCR
//   {
//       NoRemove CLSID
//       {
//           ForceRemove {9ABAA010-079F-4638-8EE4-35F24BEFA110} = s 'Lirset'
//           {
//               InprocServer32 = s '%MODULE%'
//               {
//                   val ThreadingModel = s 'Apartment'
//               }
//           }
//       }
//   }
//
// Tokens are separated by white space, so "{", "}" and "=" stand apart ("{GUID}" is one name). A
// token in single quotes may hold white space; '' inside it is one quote. A script is a list of
// root keys (HKCR or HKEY_CLASSES_ROOT, HKLM or HKEY_LOCAL_MACHINE, HKCU or HKEY_CURRENT_USER),
// each with a body in braces. A body holds:
//   [flag] name [= type data] [{ body }]   a subkey, with its default value and its own body;
//   [NoRemove] val name = type data        a named value of the enclosing key.
// Flags: ForceRemove, NoRemove, Delete. Types: s (a string), d (a DWORD, decimal or 0x
// hexadecimal), b (binary: pairs of hexadecimal digits, "01FF"). Keywords, flags and types
// compare without regard to case; a quoted token is always a name, never a keyword.
//
// %NAME% in any token is replaced by the value given for NAME (compared without regard to case);
// %% is one percent sign. Replacement happens within a token, after it has been delimited, so a
// value may hold quotes or white space (a module path such as "C:\Dan's Files\Lirset.DLL").
//
// A key name holds no backslash (one key per level), and no name or string holds a line break,
// which the registry file cannot keep.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registryfile.h"

// Where and why a script could not be read. Line and column count from 1; column in bytes.
struct CRegistryScriptError {
    int m_nLine = 0;
    int m_nColumn = 0;
    std::string m_strMessage;
};

struct CScriptValue {
    CRegistryValue m_value;
    bool m_bNoRemove = false;
};

struct CScriptKey {
    enum class Flag { None, ForceRemove, NoRemove, Delete };

    // For a root, its full name ("HKEY_CLASSES_ROOT").
    std::string m_strName;
    Flag m_flag = Flag::None;
    std::optional<CRegistryValue> m_defaultValue;
    std::vector<CScriptValue> m_vecValues;
    std::vector<CScriptKey> m_vecSubkeys;
};

class CRegistryScript {
public:
    // Replacement values by name folded to lower case.
    using Replacements = std::map<std::string, std::string>;

    // Reads the whole script; false, with the error filled in, when it has a fault.
    bool Parse(std::string_view text, const Replacements& replacements,
               CRegistryScriptError& error);

    // The root keys in the script's order; a root's flag is NoRemove.
    const std::vector<CScriptKey>& Roots() const { return m_vecRoots; }

private:
    std::vector<CScriptKey> m_vecRoots;
};
