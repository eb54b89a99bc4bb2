// The registrar: runs registry scripts (see registryscript.h) to register a module's classes and
// to remove them again, as the module's DllRegisterServer and DllUnregisterServer ask.
//
// Registering goes through the script's keys in order:
//   - a ForceRemove or Delete key is first deleted with everything below it; a Delete key ends
//     there, its body is not written;
//   - the key is opened or created, its default value and its val entries are written, then its
//     subkeys are registered. NoRemove has no effect.
// Unregistering goes through the same keys:
//   - a key that does not exist is skipped with its whole body;
//   - its val entries are deleted (except NoRemove ones) and its subkeys unregistered first;
//   - then a ForceRemove key is deleted with everything below it, and a plain key is deleted
//     (with its values) only when it has no subkeys left, so a key under which other software
//     has added keys survives;
//   - the roots and NoRemove keys are never deleted, though the keys and values named inside them
//     are; Delete keys are left alone, as registering created nothing there.
// Keys that many modules share are never deleted by ForceRemove or Delete, whatever the script
// says (they are then treated as plain keys): AppID, CLSID, Component Categories, FileType,
// Hardware, Interface, Mime, SAM, SECURITY, Software, SYSTEM, TypeLib.
//
// A script runs as one change of the registry file (see registrytransaction.h): it is read whole
// before anything is written, so a fault in it, or a failure to write the file, leaves the
// registry as it was.
#pragma once

#include <string_view>

#include "platform/com/hresult.h"
#include "platform/registry/registryscript.h"

class CRegistrar {
public:
    // Makes %key% stand for item in the scripts run afterwards (key compared without regard to
    // case; a later item for the same key replaces the earlier one). E_INVALIDARG for a null
    // argument or a key that is empty or holds '%'.
    HRESULT AddReplacement(LPCSTR key, LPCSTR item);
    HRESULT ClearReplacements();

    // Run the script to register or to unregister. S_OK on success. A fault in the script fails
    // with DISP_E_EXCEPTION (0x80020009), as the platform's registrar reports it, and fills in
    // *error (when not null) with its position and description. A registry failure fails with
    // HRESULT_FROM_WIN32 of the registry's error code and a description with line 0.
    HRESULT StringRegister(std::string_view script, CRegistryScriptError* error = nullptr);
    HRESULT StringUnregister(std::string_view script, CRegistryScriptError* error = nullptr);

private:
    HRESULT Run(std::string_view script, bool bRegister, CRegistryScriptError* error);

    CRegistryScript::Replacements m_mapReplacements;
};
