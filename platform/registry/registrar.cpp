#include "platform/registry/registrar.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "platform/registry/registrytransaction.h"
#include "platform/text/codepage.h"

namespace {

constexpr std::array<std::string_view, 12> kSharedKeys = {
    "appid",    "clsid",    "component categories",
    "filetype", "hardware", "interface",
    "mime",     "sam",      "security",
    "software", "system",   "typelib"};

using Flag = CScriptKey::Flag;

// Carries out a parsed script on the registry file.
class CScriptRunner {
public:
    explicit CScriptRunner(CRegistryFile& file) : m_file(file) {}

    LONG Register(const CScriptKey& key, const std::string& parentPath) {
        std::string path = Join(parentPath, key.m_strName);
        if ((key.m_flag == Flag::ForceRemove || key.m_flag == Flag::Delete) &&
            MayDeleteWhole(key, parentPath)) {
            m_file.DeleteKey(path);
        }
        if (key.m_flag == Flag::Delete) {
            return ERROR_SUCCESS;
        }
        if (m_file.CreateKey(path) == nullptr ||
            (key.m_defaultValue && !m_file.SetValue(path, *key.m_defaultValue))) {
            return ERROR_INVALID_PARAMETER;
        }
        for (const CScriptValue& value : key.m_vecValues) {
            if (!m_file.SetValue(path, value.m_value)) {
                return ERROR_INVALID_PARAMETER;
            }
        }
        for (const CScriptKey& subkey : key.m_vecSubkeys) {
            if (LONG error = Register(subkey, path); error != ERROR_SUCCESS) {
                return error;
            }
        }
        return ERROR_SUCCESS;
    }

    void Unregister(const CScriptKey& key, const std::string& parentPath) {
        std::string path = Join(parentPath, key.m_strName);
        if (m_file.FindKey(path) == nullptr || key.m_flag == Flag::Delete) {
            return;
        }
        for (const CScriptValue& value : key.m_vecValues) {
            if (!value.m_bNoRemove) {
                m_file.DeleteValue(path, value.m_value.Name());
            }
        }
        for (const CScriptKey& subkey : key.m_vecSubkeys) {
            Unregister(subkey, path);
        }
        if (parentPath.empty() || key.m_flag == Flag::NoRemove) {
            return;
        }
        if ((key.m_flag == Flag::ForceRemove && MayDeleteWhole(key, parentPath)) ||
            !m_file.HasSubkeys(path)) {
            m_file.DeleteKey(path);
        }
    }

private:
    static std::string Join(const std::string& parentPath, const std::string& name) {
        return parentPath.empty() ? name : parentPath + '\\' + name;
    }

    // A root or a shared key is never deleted whole.
    static bool MayDeleteWhole(const CScriptKey& key, const std::string& parentPath) {
        std::string name = AnsiLower(key.m_strName);
        return !parentPath.empty() &&
               std::find(kSharedKeys.begin(), kSharedKeys.end(), name) == kSharedKeys.end();
    }

    CRegistryFile& m_file;
};

void Report(CRegistryScriptError* error, const CRegistryScriptError& report) {
    if (error != nullptr) {
        *error = report;
    }
}

}  // namespace

HRESULT CRegistrar::AddReplacement(LPCSTR key, LPCSTR item) {
    if (key == nullptr || item == nullptr || *key == '\0' || std::strchr(key, '%') != nullptr) {
        return E_INVALIDARG;
    }
    m_mapReplacements.insert_or_assign(AnsiLower(key), item);
    return S_OK;
}

HRESULT CRegistrar::ClearReplacements() {
    m_mapReplacements.clear();
    return S_OK;
}

HRESULT CRegistrar::StringRegister(std::string_view script, CRegistryScriptError* error) {
    return Run(script, true, error);
}

HRESULT CRegistrar::StringUnregister(std::string_view script, CRegistryScriptError* error) {
    return Run(script, false, error);
}

HRESULT CRegistrar::Run(std::string_view script, bool bRegister, CRegistryScriptError* error) {
    CRegistryScript parsed;
    CRegistryScriptError fault;
    if (!parsed.Parse(script, m_mapReplacements, fault)) {
        Report(error, fault);
        return DISP_E_EXCEPTION;
    }
    CRegistryTransaction transaction;
    LONG result = transaction.Status();
    if (result == ERROR_SUCCESS) {
        CScriptRunner runner(transaction.File());
        for (const CScriptKey& root : parsed.Roots()) {
            if (bRegister) {
                result = runner.Register(root, "");
            } else {
                runner.Unregister(root, "");
            }
            if (result != ERROR_SUCCESS) {
                break;
            }
        }
    }
    if (result == ERROR_SUCCESS) {
        result = transaction.Commit();
    }
    if (result != ERROR_SUCCESS) {
        Report(error, CRegistryScriptError{0, 0,
                                           "the registry could not be changed (error " +
                                               std::to_string(result) + ")"});
        return HRESULT_FROM_WIN32(result);
    }
    return S_OK;
}
