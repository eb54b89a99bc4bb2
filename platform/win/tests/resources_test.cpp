// Module resources: menus, strings, icons and bitmaps from a module's resource tables.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/win/moduleresources.h"
#include "platform/win/uidriver.h"
#include "platform/win/winuser.h"

namespace {

const HINSTANCE kModule = reinterpret_cast<HINSTANCE>(0x5200);
const HINSTANCE kOtherModule = reinterpret_cast<HINSTANCE>(0x5300);

constexpr SStringResource kStrings[] = {
    {111, "Lirset Home"},
    {112, "A longer string resource"},
};

constexpr SMenuTemplateItem kOptionsMenu[] = {
    {0, MF_POPUP, 0, "Options"},
    {1, MF_POPUP, 0, "Load Lirset lexicon"},
    {2, MF_STRING, 32770, "From local file"},
    {2, MF_STRING, 32771, "From URL"},
    {1, MF_STRING, 32769, "Unload current lexicon"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_POPUP, 0, "Explore current lexicon"},
    {2, MF_STRING, 32773, "Find concept..."},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, 223, "Preferences"},
    {1, MF_STRING, 241, "User identity"},
    {1, MF_STRING | MF_GRAYED, 220, "Debug dump"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, 247, "About..."},
};

// An item two levels below its predecessor: there is no pop-up for it to go in.
constexpr SMenuTemplateItem kBrokenMenu[] = {
    {0, MF_POPUP, 0, "Options"},
    {2, MF_STRING, 1, "Orphan"},
};

constexpr SMenuResource kMenus[] = {
    {210, kOptionsMenu},
    {211, kBrokenMenu},
};

constexpr COLORREF kIconPixels[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                    RGB(255, 255, 255)};
constexpr COLORREF kBitmapPixels[] = {RGB(192, 192, 192), RGB(0, 0, 0)};

constexpr SImageResource kIcons[] = {{206, 2, 2, kIconPixels}};
constexpr SImageResource kBitmaps[] = {{230, 2, 1, kBitmapPixels}};

constexpr SDialogItemTemplate kIconDialogItems[] = {
    {WC_STATICA, 240, "#206", SS_ICON, 7, 7, 21, 20},
};
constexpr SDialogTemplate kIconDialog{
    "Open...", DS_SETFONT | WS_POPUP, 0, 0, 0, 206, 81, "MS Shell Dlg", 8, kIconDialogItems};
constexpr SDialogResource kDialogs[] = {{238, &kIconDialog}};

constexpr SModuleResourceTable kResources{kStrings, kMenus, kDialogs, kIcons, kBitmaps};

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override { CUIDriver::Get().Reset(); }

    CResourceRegistration m_registration{kModule, kResources};
};

std::vector<std::string> ItemTexts(HMENU hMenu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
        char text[64] = {};
        GetMenuStringA(hMenu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
        texts.emplace_back(text);
    }
    return texts;
}

TEST_F(ResourcesTest, LoadMenuBuildsTheMenuTree) {
    HMENU hMenu = LoadMenuA(kModule, MAKEINTRESOURCEA(210));
    ASSERT_NE(hMenu, nullptr);
    EXPECT_EQ(GetMenuItemCount(hMenu), 1);
    HMENU hOptions = GetSubMenu(hMenu, 0);
    ASSERT_NE(hOptions, nullptr);
    EXPECT_EQ(ItemTexts(hOptions),
              (std::vector<std::string>{"Load Lirset lexicon", "Unload current lexicon", "",
                                        "Explore current lexicon", "", "Preferences",
                                        "User identity", "Debug dump", "", "About..."}));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(hOptions, 0), 1), 32771u);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(hOptions, 3), 0), 32773u);
    EXPECT_EQ(GetMenuState(hOptions, 220, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetMenuState(hOptions, 2, MF_BYPOSITION), MF_SEPARATOR);

    // The whole tree goes with the menu.
    HMENU hLoad = GetSubMenu(hOptions, 0);
    EXPECT_TRUE(DestroyMenu(hMenu));
    EXPECT_FALSE(IsMenu(hOptions));
    EXPECT_FALSE(IsMenu(hLoad));
}

TEST_F(ResourcesTest, LoadMenuRefusesWhatIsNotThere) {
    EXPECT_EQ(LoadMenuA(kModule, MAKEINTRESOURCEA(299)), nullptr);
    EXPECT_EQ(LoadMenuA(kOtherModule, MAKEINTRESOURCEA(210)), nullptr);
    EXPECT_EQ(LoadMenuA(kModule, MAKEINTRESOURCEA(211)), nullptr);
    EXPECT_EQ(LoadMenuA(kModule, "Options"), nullptr);
    HMENU byName = LoadMenuA(kModule, "#210");
    EXPECT_NE(byName, nullptr);
    DestroyMenu(byName);
}

TEST_F(ResourcesTest, LoadStringCopiesCutsOrPointsToTheText) {
    char buffer[32] = "untouched";
    EXPECT_EQ(LoadStringA(kModule, 111, buffer, sizeof(buffer)), 11);
    EXPECT_STREQ(buffer, "Lirset Home");
    EXPECT_EQ(LoadStringA(kModule, 112, buffer, 9), 8);
    EXPECT_STREQ(buffer, "A longer");
    EXPECT_EQ(LoadStringA(kModule, 113, buffer, sizeof(buffer)), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(LoadStringA(kOtherModule, 111, buffer, sizeof(buffer)), 0);

    const char* resource = nullptr;
    EXPECT_EQ(LoadStringA(kModule, 112, reinterpret_cast<LPSTR>(&resource), 0), 24);
    EXPECT_STREQ(resource, "A longer string resource");
}

TEST_F(ResourcesTest, IconsAndBitmapsGiveTheirPixels) {
    HICON hIcon = LoadIconA(kModule, MAKEINTRESOURCEA(206));
    ASSERT_NE(hIcon, nullptr);
    EXPECT_EQ(LoadIconA(kModule, MAKEINTRESOURCEA(206)), hIcon);
    const SImageResource* image = CModuleResources::GetIconImage(hIcon);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->pixels[2], RGB(0, 0, 255));
    // A shared icon survives DestroyIcon.
    EXPECT_TRUE(DestroyIcon(hIcon));
    EXPECT_NE(CModuleResources::GetIconImage(hIcon), nullptr);

    const SImageResource* bitmap = CModuleResources::FindBitmap(kModule, 230);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->pixels[0], RGB(192, 192, 192));
    EXPECT_EQ(CModuleResources::FindBitmap(kModule, 231), nullptr);
    EXPECT_EQ(LoadIconA(kModule, MAKEINTRESOURCEA(230)), nullptr);
}

TEST_F(ResourcesTest, AnUnloadedModuleTakesItsResourcesAlong) {
    {
        CResourceRegistration other(kOtherModule, kResources);
        EXPECT_NE(LoadIconA(kOtherModule, MAKEINTRESOURCEA(206)), nullptr);
        char buffer[16] = {};
        EXPECT_EQ(LoadStringA(kOtherModule, 111, buffer, sizeof(buffer)), 11);
    }
    char buffer[16] = {};
    EXPECT_EQ(LoadStringA(kOtherModule, 111, buffer, sizeof(buffer)), 0);
    EXPECT_EQ(LoadIconA(kOtherModule, MAKEINTRESOURCEA(206)), nullptr);
    // The same data is still registered for the first module, under its own handle.
    EXPECT_NE(LoadIconA(kModule, MAKEINTRESOURCEA(206)), nullptr);
}

TEST_F(ResourcesTest, AnIconStaticInATemplateShowsTheModulesIcon) {
    HWND hDlg = CreateDialogParamA(kModule, MAKEINTRESOURCEA(238), nullptr, nullptr, 0);
    ASSERT_NE(hDlg, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendDlgItemMessageA(hDlg, 240, STM_GETICON, 0, 0)),
              LoadIconA(kModule, MAKEINTRESOURCEA(206)));
    EXPECT_FALSE(IsWindowVisible(hDlg));
    DestroyWindow(hDlg);
}

}  // namespace
