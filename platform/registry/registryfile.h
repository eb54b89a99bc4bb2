// The registry file: all keys and values of the registry, in the REGEDIT4 export format.
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Example]
//   @="default value"
//   "Name"="C:\\Folder\\ with \"quotes\""
//   "Count"=dword:0000002a
//   "Flags"=hex:01,00,ff
//
// Key paths start with a root (HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT or HKEY_CURRENT_USER) and,
// like value names, compare without regard to letter case. A key exists together with all its
// parent keys. A binary value is written on one line, however long.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry.h"

class CRegistryValue {
public:
    static CRegistryValue String(std::string_view name, std::string_view text);
    static CRegistryValue Dword(std::string_view name, std::uint32_t number);
    static CRegistryValue Binary(std::string_view name, std::string_view bytes);

    // The empty name is the key's default value.
    const std::string& Name() const { return m_strName; }
    DWORD Type() const { return m_dwType; }
    // The text of a REG_SZ value, without a terminating zero.
    const std::string& Text() const { return m_strText; }
    std::uint32_t Number() const { return m_nNumber; }
    // The bytes of a REG_BINARY value.
    const std::string& Bytes() const { return m_strBytes; }
    // The data as the registry functions hand it out: REG_SZ text with its terminating zero,
    // REG_DWORD as four bytes in the machine's order, REG_BINARY as it is.
    std::string Data() const;

private:
    CRegistryValue(std::string_view name, DWORD type) : m_strName(name), m_dwType(type) {}

    std::string m_strName;
    DWORD m_dwType;
    std::string m_strText;
    std::uint32_t m_nNumber = 0;
    std::string m_strBytes;
};

class CRegistryKey {
public:
    explicit CRegistryKey(std::string_view path) : m_strPath(path) {}

    // The full path with its root, in the letter case it was created with.
    const std::string& Path() const { return m_strPath; }

    const CRegistryValue* GetValue(std::string_view name) const;
    // Adds the value or replaces the one with the same name.
    void SetValue(const CRegistryValue& value);
    bool DeleteValue(std::string_view name);

    // By name folded to lower case.
    const std::map<std::string, CRegistryValue>& Values() const { return m_mapValues; }

private:
    std::string m_strPath;
    std::map<std::string, CRegistryValue> m_mapValues;
};

class CRegistryFile {
public:
    // Holds the two empty roots.
    CRegistryFile();

    // $LIRSET_ROOT/registry.reg
    static std::string DefaultPath();

    // Replaces the contents with the file's. A missing file is an empty registry. False when the
    // file cannot be read or has a line this format does not allow; the registry is then empty,
    // and saving it would lose the file's contents.
    bool Load(std::string_view path);
    // Replaces the file whole (see atomicfile.h); false when it could not be written.
    bool Save(std::string_view path) const;

    const CRegistryKey* FindKey(std::string_view path) const;
    // Creates the key and its missing parents; null for a path outside the roots or with an empty
    // component.
    CRegistryKey* CreateKey(std::string_view path);
    // Deletes the key with all its subkeys; the roots cannot be deleted.
    bool DeleteKey(std::string_view path);
    bool HasSubkeys(std::string_view path) const;
    // The names of the key's direct subkeys, in the letter case they were created with, ordered
    // by their names folded to lower case.
    std::vector<std::string> SubkeyNames(std::string_view path) const;

    const CRegistryValue* GetValue(std::string_view keyPath, std::string_view name) const;
    // Creates the key when needed. False for an invalid key path, or for a name or text holding a
    // line break, which the file format cannot hold.
    bool SetValue(std::string_view keyPath, const CRegistryValue& value);
    bool DeleteValue(std::string_view keyPath, std::string_view name);

private:
    bool ParseLine(std::string_view line, CRegistryKey*& current);

    // By path folded to lower case.
    std::map<std::string, CRegistryKey> m_mapKeys;
};
