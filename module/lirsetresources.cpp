#include "module/lirsetresources.h"

#include "module/dialogtemplates.h"
#include "module/moduleimages.h"
#include "module/resource.h"

namespace {

constexpr SStringResource kStrings[] = {
    {IDS_PROJNAME, "Lirset"},
    {IDS_LIRSETHOME, "Lirset Home"},
};

// One pop-up, "Options", which the main button's drop-down arrow shows.
constexpr SMenuTemplateItem kOptionsMenu[] = {
    {0, MF_POPUP, 0, "Options"},
    {1, MF_POPUP, 0, "Load Lirset lexicon"},
    {2, MF_STRING, ID_LOAD_FROMFILE, "From local file"},
    {2, MF_STRING, ID_LOAD_FROMURL, "From URL"},
    {1, MF_STRING, ID_UNLOAD_LEXICON, "Unload current lexicon"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_POPUP, 0, "Explore current lexicon"},
    {2, MF_STRING, ID_FIND_CONCEPT, "Find concept..."},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, ID_PREFERENCES, "Preferences"},
    {1, MF_STRING, ID_USER_IDENTITY, "User identity"},
    {1, MF_STRING | MF_GRAYED, ID_DEBUG_DUMP, "Debug dump"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, ID_ABOUT, "About..."},
};

constexpr SMenuResource kMenus[] = {
    {IDR_MENU_OPTIONS, kOptionsMenu},
};

// The browser's path keys (Software ... Extensions) are the browser's own: NoRemove keeps
// unregistering from deleting them when our extension key was the last one in them.
constexpr std::string_view kRegistryScript = R"(HKCR
{
    Lirset.LirsetToolband.1 = s 'Lirset'
    {
        CLSID = s '{9ABAA010-079F-4638-8EE4-35F24BEFA110}'
    }
    Lirset.LirsetToolband = s 'Lirset'
    {
        CLSID = s '{9ABAA010-079F-4638-8EE4-35F24BEFA110}'
        CurVer = s 'Lirset.LirsetToolband.1'
    }
    NoRemove CLSID
    {
        ForceRemove {9ABAA010-079F-4638-8EE4-35F24BEFA110} = s 'Lirset'
        {
            ProgID = s 'Lirset.LirsetToolband.1'
            VersionIndependentProgID = s 'Lirset.LirsetToolband'
            ForceRemove Programmable
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Apartment'
            }
            TypeLib = s '{EB7B73DC-36B6-4708-82E9-73E63700F2A8}'
        }
    }
}
HKLM
{
    NoRemove Software
    {
        NoRemove Microsoft
        {
            NoRemove 'Internet Explorer'
            {
                NoRemove Extensions
                {
                    ForceRemove {A26ABCF0-1C8F-46e7-A67C-0489DC21B9CC} = s 'Lirset'
                    {
                        val BandCLSID = s '{9ABAA010-079F-4638-8EE4-35F24BEFA110}'
                        val ButtonText = s 'Lirset: Semantic Web Viewing'
                        val CLSID = s '{E0DD6CAB-2D10-11D2-8F1A-0000F87ABD16}'
                        val 'Default Visible' = s 'Yes'
                        val HotIcon = s '%MODULE%,206'
                        val Icon = s '%MODULE%,206'
                        val MenuStatusBar = s 'Lirset Toolbar'
                        val MenuText = s 'Lirset'
                    }
                }
            }
        }
    }
}
)";

constexpr SVersionString kVersionStrings[] = {
    {"FileDescription", "Lirset Module"}, {"FileVersion", "1, 0, 0, 1"},
    {"InternalName", "Lirset"},           {"OriginalFilename", "Lirset.DLL"},
    {"ProductName", "Lirset Module"},     {"ProductVersion", "1, 0, 0, 1"},
};

constexpr SVersionInfo kVersionInfo{{1, 0, 0, 1}, {1, 0, 0, 1}, 0x0409, 1200, kVersionStrings};

}  // namespace

const SModuleResourceTable& GetLirsetResourceTable() {
    static const SModuleResourceTable table{kStrings, kMenus, GetLirsetDialogs(), GetLirsetIcons(),
                                            GetLirsetBitmaps()};
    return table;
}

void RegisterLirsetResources(HINSTANCE hInstance) {
    CModuleResources::Register(hInstance, GetLirsetResourceTable());
    CModuleResources::SetResourceInstance(hInstance);
}

void UnregisterLirsetResources(HINSTANCE hInstance) {
    if (CModuleResources::GetResourceInstance() == hInstance) {
        CModuleResources::SetResourceInstance(nullptr);
    }
    CModuleResources::Unregister(hInstance);
}

std::string_view GetLirsetRegistryScript() {
    return kRegistryScript;
}

const SVersionInfo& GetLirsetVersionInfo() {
    return kVersionInfo;
}
