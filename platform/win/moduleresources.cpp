#include "platform/win/moduleresources.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>
#include <mutex>
#include <string_view>

namespace {

struct SRegistry {
    std::mutex mutex;
    std::map<HINSTANCE, SModuleResourceTable> modules;
    HINSTANCE resourceInstance = nullptr;
};

SRegistry& Registry() {
    static SRegistry registry;
    return registry;
}

template <class T>
const T* FindById(std::span<const T> items, UINT id) {
    auto it =
        std::find_if(items.begin(), items.end(), [id](const T& item) { return item.id == id; });
    return it != items.end() ? &*it : nullptr;
}

template <class T, class Member>
const T* FindInModule(HINSTANCE hInstance, UINT id, Member member) {
    SRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    auto it = registry.modules.find(hInstance);
    if (it == registry.modules.end() || id == 0) {
        return nullptr;
    }
    return FindById<T>(it->second.*member, id);
}

}  // namespace

void CModuleResources::Register(HINSTANCE hInstance, const SModuleResourceTable& table) {
    SRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    registry.modules[hInstance] = table;
}

void CModuleResources::Unregister(HINSTANCE hInstance) {
    SRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    registry.modules.erase(hInstance);
    if (registry.resourceInstance == hInstance) {
        registry.resourceInstance = nullptr;
    }
}

UINT CModuleResources::ResourceId(LPCSTR name) {
    if (name == nullptr) {
        return 0;
    }
    if (IS_INTRESOURCE(name)) {
        return static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
    }
    std::string_view text(name);
    if (text.size() < 2 || text.front() != '#') {
        return 0;
    }
    UINT id = 0;
    auto [end, error] = std::from_chars(text.data() + 1, text.data() + text.size(), id);
    return error == std::errc() && end == text.data() + text.size() ? id : 0;
}

const char* CModuleResources::FindString(HINSTANCE hInstance, UINT id) {
    const SStringResource* resource =
        FindInModule<SStringResource>(hInstance, id, &SModuleResourceTable::strings);
    return resource != nullptr ? resource->text : nullptr;
}

const SMenuResource* CModuleResources::FindMenu(HINSTANCE hInstance, UINT id) {
    return FindInModule<SMenuResource>(hInstance, id, &SModuleResourceTable::menus);
}

const SDialogTemplate* CModuleResources::FindDialog(HINSTANCE hInstance, UINT id) {
    const SDialogResource* resource =
        FindInModule<SDialogResource>(hInstance, id, &SModuleResourceTable::dialogs);
    return resource != nullptr ? resource->dialogTemplate : nullptr;
}

const SImageResource* CModuleResources::FindIcon(HINSTANCE hInstance, UINT id) {
    return FindInModule<SImageResource>(hInstance, id, &SModuleResourceTable::icons);
}

const SImageResource* CModuleResources::FindBitmap(HINSTANCE hInstance, UINT id) {
    return FindInModule<SImageResource>(hInstance, id, &SModuleResourceTable::bitmaps);
}

const SImageResource* CModuleResources::GetIconImage(HICON hIcon) {
    SRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    for (const auto& [hInstance, table] : registry.modules) {
        for (const SImageResource& icon : table.icons) {
            if (reinterpret_cast<HICON>(const_cast<SImageResource*>(&icon)) == hIcon) {
                return &icon;
            }
        }
    }
    return nullptr;
}

void CModuleResources::SetResourceInstance(HINSTANCE hInstance) {
    SRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    registry.resourceInstance = hInstance;
}

HINSTANCE CModuleResources::GetResourceInstance() {
    SRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    return registry.resourceInstance;
}

CResourceRegistration::CResourceRegistration(HINSTANCE hInstance, const SModuleResourceTable& table)
    : m_hInstance(hInstance) {
    CModuleResources::Register(hInstance, table);
}

CResourceRegistration::~CResourceRegistration() {
    CModuleResources::Unregister(m_hInstance);
}

int LoadStringA(HINSTANCE hInstance, UINT id, LPSTR buffer, int maxCount) {
    if (buffer == nullptr) {
        return 0;
    }
    const char* text = CModuleResources::FindString(hInstance, id);
    if (text == nullptr) {
        if (maxCount > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
    size_t length = std::strlen(text);
    if (maxCount == 0) {
        const char* resource = text;
        std::memcpy(buffer, &resource, sizeof(resource));
        return static_cast<int>(length);
    }
    if (maxCount < 0) {
        return 0;
    }
    size_t count = std::min(length, static_cast<size_t>(maxCount - 1));
    std::memcpy(buffer, text, count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

HICON LoadIconA(HINSTANCE hInstance, LPCSTR iconName) {
    const SImageResource* icon =
        CModuleResources::FindIcon(hInstance, CModuleResources::ResourceId(iconName));
    return icon != nullptr ? reinterpret_cast<HICON>(const_cast<SImageResource*>(icon)) : nullptr;
}

BOOL DestroyIcon(HICON hIcon) {
    // Icons of LoadIconA are shared and stay as long as their module's resources.
    return CModuleResources::GetIconImage(hIcon) != nullptr ? TRUE : FALSE;
}
