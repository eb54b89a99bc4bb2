// Menus: building and changing them, and pop-up menus chosen from or dismissed by the UI driver.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win/tests/messagelog.h"
#include "platform/win/uidriver.h"
#include "platform/win/winuser.h"

namespace {

// The toolbar's Options menu: a pop-up with a pop-up, separators and a disabled item.
struct SOptionsMenu {
    HMENU hOptions = CreatePopupMenu();
    HMENU hLoad = CreatePopupMenu();
    HMENU hExplore = CreatePopupMenu();

    SOptionsMenu() {
        AppendMenuA(hLoad, MF_STRING, 32770, "From local file");
        AppendMenuA(hLoad, MF_STRING, 32771, "From URL");
        AppendMenuA(hExplore, MF_STRING, 32773, "Find concept...");
        AppendMenuA(hOptions, MF_POPUP, reinterpret_cast<UINT_PTR>(hLoad), "Load Lirset lexicon");
        AppendMenuA(hOptions, MF_STRING, 32769, "Unload current lexicon");
        AppendMenuA(hOptions, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(hOptions, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(hExplore),
                    "&Explore current lexicon");
        AppendMenuA(hOptions, MF_STRING, 223, "&Preferences");
        AppendMenuA(hOptions, MF_STRING | MF_GRAYED, 220, "Debug dump");
    }
    ~SOptionsMenu() { DestroyMenu(hOptions); }
};

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        CUIDriver::Get().Reset();
        CMessageLog::Get().Clear();
    }

    std::vector<WPARAM> CommandsReceived() {
        std::vector<WPARAM> commands;
        for (const SLoggedMessage& entry : CMessageLog::Get().Entries()) {
            if (entry.hwnd == m_owner.Get() && entry.msg == WM_COMMAND) {
                commands.push_back(entry.wParam);
            }
        }
        return commands;
    }

    CScopedWindow m_owner{CreateLoggingWindow(WS_POPUP | WS_VISIBLE, 0, 0, 300, 30)};
};

TEST_F(MenuTest, ItemsReportTheirIdsTextsAndStates) {
    SOptionsMenu menu;
    EXPECT_EQ(GetMenuItemCount(menu.hOptions), 6);
    EXPECT_EQ(GetMenuItemID(menu.hOptions, 0), static_cast<UINT>(-1));  // a pop-up
    EXPECT_EQ(GetMenuItemID(menu.hOptions, 1), 32769u);
    EXPECT_EQ(GetMenuItemID(menu.hOptions, 2), 0u);  // a separator
    EXPECT_EQ(GetMenuItemID(menu.hOptions, 6), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(menu.hOptions, 0), menu.hLoad);
    EXPECT_EQ(GetSubMenu(menu.hOptions, 1), nullptr);

    char text[32] = {};
    EXPECT_EQ(GetMenuStringA(menu.hOptions, 32770, text, sizeof(text), MF_BYCOMMAND), 15);
    EXPECT_STREQ(text, "From local file");
    EXPECT_EQ(GetMenuStringA(menu.hOptions, 0, text, 5, MF_BYPOSITION), 4);
    EXPECT_STREQ(text, "Load");

    EXPECT_EQ(GetMenuState(menu.hOptions, 220, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetMenuState(menu.hOptions, 0, MF_BYPOSITION), (2u << 8) | MF_POPUP);
    EXPECT_EQ(GetMenuState(menu.hOptions, 2, MF_BYPOSITION), MF_SEPARATOR);
}

TEST_F(MenuTest, EnableAndCheckReturnThePreviousState) {
    SOptionsMenu menu;
    EXPECT_EQ(EnableMenuItem(menu.hOptions, 220, MF_BYCOMMAND | MF_ENABLED),
              static_cast<BOOL>(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(menu.hOptions, 220, MF_BYCOMMAND | MF_DISABLED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu.hOptions, 12345, MF_BYCOMMAND | MF_GRAYED), -1);
    // By command the pop-ups are searched too.
    EXPECT_EQ(CheckMenuItem(menu.hOptions, 32771, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(CheckMenuItem(menu.hOptions, 32771, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(CheckMenuItem(menu.hOptions, 9, MF_BYPOSITION), static_cast<DWORD>(-1));
}

TEST_F(MenuTest, InsertRemoveAndDeleteItems) {
    SOptionsMenu menu;
    EXPECT_TRUE(InsertMenuA(menu.hOptions, 0, MF_BYPOSITION | MF_STRING, 1, "First"));
    EXPECT_EQ(GetMenuItemID(menu.hOptions, 0), 1u);
    EXPECT_TRUE(InsertMenuA(menu.hOptions, 32771, MF_BYCOMMAND | MF_STRING, 2, "Before URL"));
    EXPECT_EQ(GetMenuItemID(menu.hLoad, 1), 2u);
    EXPECT_TRUE(
        InsertMenuA(menu.hOptions, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, 3, "Last"));
    EXPECT_EQ(GetMenuItemID(menu.hOptions, GetMenuItemCount(menu.hOptions) - 1), 3u);
    EXPECT_FALSE(InsertMenuA(menu.hOptions, 4242, MF_BYCOMMAND | MF_STRING, 4, "Nowhere"));

    // Taken out, a pop-up lives on and can be held elsewhere; deleted, it is destroyed.
    EXPECT_TRUE(RemoveMenu(menu.hOptions, 1, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(menu.hLoad));
    HMENU holder = CreateMenu();
    EXPECT_TRUE(AppendMenuA(holder, MF_POPUP, reinterpret_cast<UINT_PTR>(menu.hLoad), "Load"));
    EXPECT_TRUE(DeleteMenu(holder, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(menu.hLoad));
    DestroyMenu(holder);
}

TEST_F(MenuTest, DestroyMenuTakesItsPopupsAlongAndAPopupHasOneHolder) {
    HMENU hExplore = nullptr;
    {
        SOptionsMenu menu;
        hExplore = menu.hExplore;
        HMENU other = CreatePopupMenu();
        EXPECT_FALSE(AppendMenuA(other, MF_POPUP, reinterpret_cast<UINT_PTR>(menu.hExplore), "x"));
        EXPECT_FALSE(
            AppendMenuA(menu.hLoad, MF_POPUP, reinterpret_cast<UINT_PTR>(menu.hOptions), "cycle"));
        DestroyMenu(other);
    }
    EXPECT_FALSE(IsMenu(hExplore));
    EXPECT_FALSE(DestroyMenu(hExplore));
    EXPECT_EQ(GetMenuItemCount(hExplore), -1);
}

TEST_F(MenuTest, TheChosenItemArrivesAsAPostedCommand) {
    SOptionsMenu menu;
    CUIDriver::Get().QueueMenuChoice({"Load Lirset lexicon", "From local file"});
    EXPECT_TRUE(TrackPopupMenu(menu.hOptions, TPM_RIGHTBUTTON, 40, 60, 0, m_owner, nullptr));
    EXPECT_EQ(CMessageLog::Get().MessagesOf(m_owner, {WM_INITMENUPOPUP}),
              (std::vector<UINT>{WM_INITMENUPOPUP}));
    EXPECT_TRUE(CommandsReceived().empty());
    CUIDriver::Get().PumpMessages();
    EXPECT_EQ(CommandsReceived(), (std::vector<WPARAM>{MAKEWPARAM(32770, 0)}));

    const SMenuRecord& record = CUIDriver::Get().GetMenus().at(0);
    EXPECT_EQ(record.owner, m_owner.Get());
    EXPECT_EQ(record.x, 40);
    EXPECT_EQ(record.y, 60);
    EXPECT_EQ(record.flags, TPM_RIGHTBUTTON);
    EXPECT_EQ(record.chosenId, 32770u);
    ASSERT_EQ(record.items.size(), 6u);
    EXPECT_EQ(record.items[0].text, "Load Lirset lexicon");
    EXPECT_EQ(record.items[0].flags & MF_POPUP, MF_POPUP);
    EXPECT_EQ(record.items[0].items.at(1).id, 32771u);
    EXPECT_EQ(record.items[2].flags, MF_SEPARATOR);
    EXPECT_EQ(record.items[5].flags, MF_GRAYED);
}

TEST_F(MenuTest, AnswersChooseOnlyWhatAPersonCouldChoose) {
    struct SCase {
        const char* name;
        std::optional<UINT> id;
        std::vector<std::string> path;
        bool queued;
        UINT expected;
        std::string refusal;
    };
    const SCase cases[] = {
        {"by id in a pop-up", 32771u, {}, true, 32771, ""},
        {"by label with mnemonic", std::nullopt, {"Preferences"}, true, 223, ""},
        {"by label as written", std::nullopt, {"&Preferences"}, true, 223, ""},
        {"disabled item", 220u, {}, true, 0, "item 220 is disabled"},
        {"disabled by label",
         std::nullopt,
         {"Debug dump"},
         true,
         0,
         "item \"Debug dump\" is disabled"},
        {"inside a disabled pop-up", 32773u, {}, true, 0, "item 32773 is disabled"},
        {"a pop-up itself",
         std::nullopt,
         {"Load Lirset lexicon"},
         true,
         0,
         "item \"Load Lirset lexicon\" opens a pop-up"},
        {"unknown id", 4096u, {}, true, 0, "no item with id 4096"},
        {"unknown label",
         std::nullopt,
         {"Load Lirset lexicon", "From FTP"},
         true,
         0,
         "no item \"From FTP\""},
        {"dismissed", std::nullopt, {}, true, 0, ""},
        {"no answer", std::nullopt, {}, false, 0, ""},
    };
    SOptionsMenu menu;
    for (const SCase& c : cases) {
        CUIDriver::Get().Reset();
        if (c.queued && c.id) {
            CUIDriver::Get().QueueMenuChoice(*c.id);
        } else if (c.queued && !c.path.empty()) {
            CUIDriver::Get().QueueMenuChoice(c.path);
        } else if (c.queued) {
            CUIDriver::Get().QueueMenuDismiss();
        }
        EXPECT_EQ(static_cast<UINT>(
                      TrackPopupMenuEx(menu.hOptions, TPM_RETURNCMD, 0, 0, m_owner, nullptr)),
                  c.expected)
            << c.name;
        const SMenuRecord& record = CUIDriver::Get().GetMenus().at(0);
        EXPECT_EQ(record.answered, c.queued) << c.name;
        EXPECT_EQ(record.chosenId, c.expected) << c.name;
        EXPECT_EQ(record.refusal, c.refusal) << c.name;
    }
    // With TPM_RETURNCMD the choice is returned, never posted.
    CUIDriver::Get().PumpMessages();
    EXPECT_TRUE(CommandsReceived().empty());
}

TEST_F(MenuTest, ADismissedMenuPostsNothing) {
    SOptionsMenu menu;
    CUIDriver::Get().QueueMenuDismiss();
    EXPECT_TRUE(TrackPopupMenu(menu.hOptions, 0, 0, 0, 0, m_owner, nullptr));
    CUIDriver::Get().PumpMessages();
    EXPECT_TRUE(CommandsReceived().empty());
}

TEST_F(MenuTest, TrackingNeedsAMenuAndAnOwner) {
    SOptionsMenu menu;
    HWND gone = CreateLoggingWindow(WS_POPUP, 0, 0, 1, 1);
    DestroyWindow(gone);
    EXPECT_FALSE(TrackPopupMenu(menu.hOptions, 0, 0, 0, 0, gone, nullptr));
    HMENU destroyed = CreatePopupMenu();
    DestroyMenu(destroyed);
    EXPECT_FALSE(TrackPopupMenu(destroyed, 0, 0, 0, 0, m_owner, nullptr));
    EXPECT_TRUE(CUIDriver::Get().GetMenus().empty());
}

}  // namespace
