#include "module/lirsetresources.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "module/resource.h"
#include "platform/registry/registrar.h"
#include "platform/registry/registryfile.h"

namespace {

const HINSTANCE kModule = reinterpret_cast<HINSTANCE>(0x6100);
constexpr const char* kModulePath = "C:\\Program Files\\Dan's Tools\\Lirset.DLL";

const std::string kClassKey = "HKEY_CLASSES_ROOT\\CLSID\\{9ABAA010-079F-4638-8EE4-35F24BEFA110}";
const std::string kExtensionKey =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
    "{A26ABCF0-1C8F-46e7-A67C-0489DC21B9CC}";
const std::string kProgId = "HKEY_CLASSES_ROOT\\Lirset.LirsetToolband";
const std::string kModuleIcon = std::string(kModulePath) + ",206";

// Every value as "path|name=text" ("@" for the default value), and every empty key without
// subkeys as "path"; the other keys are the paths of these.
void CollectKeys(const CRegistryFile& file, const std::string& path, std::set<std::string>& out) {
    const CRegistryKey* key = file.FindKey(path);
    for (const auto& [folded, value] : key->Values()) {
        out.insert(path + "|" + (value.Name().empty() ? "@" : value.Name()) + "=" + value.Text());
    }
    const std::vector<std::string> subkeys = file.SubkeyNames(path);
    if (key->Values().empty() && subkeys.empty()) {
        out.insert(path);
    }
    for (const std::string& name : subkeys) {
        CollectKeys(file, path + "\\" + name, out);
    }
}

class RegistryScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lirset-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_strRoot = pattern;
        setenv("LIRSET_ROOT", m_strRoot.c_str(), 1);
        ASSERT_EQ(m_registrar.AddReplacement("MODULE", kModulePath), S_OK);
    }
    void TearDown() override {
        unsetenv("LIRSET_ROOT");
        std::filesystem::remove_all(m_strRoot);
    }

    static std::set<std::string> Registry() {
        CRegistryFile file;
        EXPECT_TRUE(file.Load(CRegistryFile::DefaultPath()));
        std::set<std::string> keys;
        CollectKeys(file, "HKEY_CLASSES_ROOT", keys);
        CollectKeys(file, "HKEY_LOCAL_MACHINE", keys);
        return keys;
    }

    HRESULT Register() {
        CRegistryScriptError error;
        const HRESULT hr = m_registrar.StringRegister(GetLirsetRegistryScript(), &error);
        EXPECT_EQ(error.m_strMessage, "") << "line " << error.m_nLine;
        return hr;
    }

    std::string m_strRoot;
    CRegistrar m_registrar;
};

const std::string kClsid = "{9ABAA010-079F-4638-8EE4-35F24BEFA110}";
const std::set<std::string> kRegistered = {
    kProgId + ".1|@=Lirset",
    kProgId + ".1\\CLSID|@=" + kClsid,
    kProgId + "|@=Lirset",
    kProgId + "\\CLSID|@=" + kClsid,
    kProgId + "\\CurVer|@=Lirset.LirsetToolband.1",
    kClassKey + "|@=Lirset",
    kClassKey + "\\ProgID|@=Lirset.LirsetToolband.1",
    kClassKey + "\\VersionIndependentProgID|@=Lirset.LirsetToolband",
    kClassKey + "\\Programmable",
    kClassKey + "\\InprocServer32|@=" + kModulePath,
    kClassKey + "\\InprocServer32|ThreadingModel=Apartment",
    kClassKey + "\\TypeLib|@={EB7B73DC-36B6-4708-82E9-73E63700F2A8}",
    kExtensionKey + "|@=Lirset",
    kExtensionKey + "|BandCLSID=" + kClsid,
    kExtensionKey + "|ButtonText=Lirset: Semantic Web Viewing",
    kExtensionKey + "|CLSID={E0DD6CAB-2D10-11D2-8F1A-0000F87ABD16}",
    kExtensionKey + "|Default Visible=Yes",
    kExtensionKey + "|HotIcon=" + kModuleIcon,
    kExtensionKey + "|Icon=" + kModuleIcon,
    kExtensionKey + "|MenuStatusBar=Lirset Toolbar",
    kExtensionKey + "|MenuText=Lirset",
};

TEST_F(RegistryScriptTest, RegisteringWritesExactlyTheClassAndExtensionKeys) {
    ASSERT_EQ(Register(), S_OK);
    EXPECT_EQ(Registry(), kRegistered);
}

TEST_F(RegistryScriptTest, RegisteringTwiceRewritesTheForceRemoveKeys) {
    ASSERT_EQ(Register(), S_OK);
    CRegistryFile file;
    ASSERT_TRUE(file.Load(CRegistryFile::DefaultPath()));
    file.SetValue(kClassKey, CRegistryValue::String("Stale", "left over"));
    file.SetValue(kExtensionKey, CRegistryValue::String("Stale", "left over"));
    ASSERT_TRUE(file.Save(CRegistryFile::DefaultPath()));

    ASSERT_EQ(Register(), S_OK);
    EXPECT_EQ(Registry(), kRegistered);
}

TEST_F(RegistryScriptTest, UnregisteringRemovesTheModulesKeysButKeepsSharedOnes) {
    ASSERT_EQ(Register(), S_OK);
    CRegistryFile file;
    ASSERT_TRUE(file.Load(CRegistryFile::DefaultPath()));
    file.CreateKey("HKEY_CLASSES_ROOT\\CLSID\\{00000000-0000-0000-0000-000000000001}");
    file.SetValue("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Toolbar",
                  CRegistryValue::Binary(kClsid, ""));
    ASSERT_TRUE(file.Save(CRegistryFile::DefaultPath()));

    CRegistryScriptError error;
    ASSERT_EQ(m_registrar.StringUnregister(GetLirsetRegistryScript(), &error), S_OK);

    const std::set<std::string> expected = {
        "HKEY_CLASSES_ROOT\\CLSID\\{00000000-0000-0000-0000-000000000001}",
        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Extensions",
        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Toolbar|" + kClsid + "=",
    };
    EXPECT_EQ(Registry(), expected);
}

class ModuleResourcesTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterLirsetResources(kModule); }
    void TearDown() override { UnregisterLirsetResources(kModule); }
};

TEST_F(ModuleResourcesTest, StringTable) {
    char buffer[64] = {};
    EXPECT_EQ(LoadStringA(kModule, IDS_PROJNAME, buffer, sizeof buffer), 6);
    EXPECT_STREQ(buffer, "Lirset");
    EXPECT_EQ(LoadStringA(kModule, IDS_LIRSETHOME, buffer, sizeof buffer), 11);
    EXPECT_STREQ(buffer, "Lirset Home");
}

TEST_F(ModuleResourcesTest, RegistrationMakesTheModuleTheResourceInstance) {
    EXPECT_EQ(CModuleResources::GetResourceInstance(), kModule);
    UnregisterLirsetResources(kModule);
    EXPECT_EQ(CModuleResources::GetResourceInstance(), nullptr);
    char buffer[64] = {};
    EXPECT_EQ(LoadStringA(kModule, IDS_PROJNAME, buffer, sizeof buffer), 0);
}

struct SMenuRow {
    UINT id;  // 0 for pop-ups and separators
    const char* text;
    UINT state;    // MF_POPUP, MF_SEPARATOR, MF_GRAYED
    int subItems;  // items of a pop-up
};

// The Options pop-up, in order; the rows after a pop-up are its own items.
const SMenuRow kOptionsRows[] = {
    {0, "Load Lirset lexicon", MF_POPUP, 2},
    {32770, "From local file", 0, 0},
    {32771, "From URL", 0, 0},
    {32769, "Unload current lexicon", 0, 0},
    {0, "", MF_SEPARATOR, 0},
    {0, "Explore current lexicon", MF_POPUP, 1},
    {32773, "Find concept...", 0, 0},
    {0, "", MF_SEPARATOR, 0},
    {223, "Preferences", 0, 0},
    {241, "User identity", 0, 0},
    {220, "Debug dump", MF_GRAYED, 0},
    {0, "", MF_SEPARATOR, 0},
    {247, "About...", 0, 0},
};

void ExpectMenuItem(HMENU hMenu, int position, const SMenuRow& row) {
    SCOPED_TRACE(row.text);
    char text[64] = {};
    GetMenuStringA(hMenu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, row.text);
    // A pop-up's state holds its item count in the high byte.
    UINT state = GetMenuState(hMenu, static_cast<UINT>(position), MF_BYPOSITION);
    if ((state & MF_POPUP) != 0) {
        state &= 0xFF;
    }
    EXPECT_EQ(state & (MF_POPUP | MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED), row.state);
    if ((row.state & MF_POPUP) == 0) {
        EXPECT_EQ(GetMenuItemID(hMenu, position), row.id);
    }
}

TEST_F(ModuleResourcesTest, OptionsMenu) {
    const HMENU hBar = LoadMenuA(kModule, MAKEINTRESOURCEA(IDR_MENU_OPTIONS));
    ASSERT_NE(hBar, nullptr);
    ASSERT_EQ(GetMenuItemCount(hBar), 1);
    ExpectMenuItem(hBar, 0, {0, "Options", MF_POPUP, 0});
    const HMENU hOptions = GetSubMenu(hBar, 0);
    ASSERT_EQ(GetMenuItemCount(hOptions), 10);

    int position = 0;
    for (size_t row = 0; row < std::size(kOptionsRows); ++row, ++position) {
        ExpectMenuItem(hOptions, position, kOptionsRows[row]);
        const int subItems = kOptionsRows[row].subItems;
        if (subItems == 0) {
            continue;
        }
        const HMENU hSub = GetSubMenu(hOptions, position);
        ASSERT_EQ(GetMenuItemCount(hSub), subItems);
        for (int item = 0; item < subItems; ++item) {
            ExpectMenuItem(hSub, item, kOptionsRows[++row]);
        }
    }
    EXPECT_TRUE(DestroyMenu(hBar));
}

// The toolbar recolours the swatch by replacing its light grey, so the fill must be exactly that
// and the frame must not be.
TEST_F(ModuleResourcesTest, Images) {
    const SImageResource* icon = CModuleResources::FindIcon(kModule, IDI_LIRSET);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->width, 32);
    EXPECT_EQ(icon->height, 32);
    EXPECT_NE(LoadIconA(kModule, MAKEINTRESOURCEA(IDI_LIRSET)), nullptr);

    const SImageResource* swatch = CModuleResources::FindBitmap(kModule, IDB_SWATCH);
    ASSERT_NE(swatch, nullptr);
    ASSERT_EQ(swatch->width, 16);
    ASSERT_EQ(swatch->height, 16);
    ASSERT_EQ(swatch->pixels.size(), 256u);
    EXPECT_EQ(swatch->pixels[0], RGB(0, 0, 0));
    EXPECT_EQ(swatch->pixels[8 * 16 + 8], RGB(192, 192, 192));

    const SImageResource* picture = CModuleResources::FindBitmap(kModule, IDB_ABOUT);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixels.size(), static_cast<size_t>(picture->width * picture->height));
}

}  // namespace
