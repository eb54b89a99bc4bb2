#include <gtest/gtest.h>

#include <ostream>
#include <span>
#include <string>

#include "module/lirsetresources.h"
#include "platform/win/controls/commctrl.h"

namespace {

const HINSTANCE kModule = reinterpret_cast<HINSTANCE>(0x6200);

// What a control must be: its class and the style bits that make it that kind of control.
struct SKind {
    const char* className;
    DWORD style;
    DWORD typeMask;  // the bits that must equal the style exactly (the control's type)
};

constexpr SKind kDefault{"Button", BS_DEFPUSHBUTTON, BS_TYPEMASK};
constexpr SKind kPush{"Button", BS_PUSHBUTTON, BS_TYPEMASK};
constexpr SKind kCheck{"Button", BS_AUTOCHECKBOX, BS_TYPEMASK};
constexpr SKind kCheckOff{"Button", BS_AUTOCHECKBOX | WS_DISABLED, BS_TYPEMASK | WS_DISABLED};
constexpr SKind kEdit{"Edit", ES_AUTOHSCROLL, ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL};
constexpr SKind kEditReadOnly{"Edit", ES_AUTOHSCROLL | ES_READONLY,
                              ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL};
constexpr SKind kTextView{"Edit",
                          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER,
                          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER};
constexpr SKind kText{"Static", SS_LEFT, SS_TYPEMASK};
constexpr SKind kCentred{"Static", SS_CENTER, SS_TYPEMASK};
constexpr SKind kIcon{"Static", SS_ICON, SS_TYPEMASK};
constexpr SKind kPicture{"Static", SS_BITMAP, SS_TYPEMASK};
constexpr SKind kColourCombo{
    "ComboBox",
    CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT | CBS_NOINTEGRALHEIGHT | WS_VSCROLL,
    CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS | CBS_SORT |
        CBS_NOINTEGRALHEIGHT | WS_VSCROLL};

struct SControl {
    int id;
    SKind kind;
    const char* text;  // null: any text (wording left to the module)
    short x, y, cx, cy;
    DWORD exStyle = 0;
};

const SControl kFindConceptControls[] = {
    {-1, kText,
     "This dialog allows you to find if a specific concept exists in the current Lirset "
     "lexicon.",
     7, 7, 172, 17},
    {-1, kText, "Please, type word or phrase you are interested in:", 7, 30, 164, 11},
    {242, kEdit, "", 7, 41, 172, 13},
    {-1, kText, "(Note: lexicon has to be loaded to perform search.)", 7, 56, 172, 8},
    {1, kDefault, "Find", 21, 74, 50, 14},
    {2, kPush, "Cancel", 114, 74, 50, 14}};
const SControl kPreferencesControls[] = {
    {1, kDefault, "OK", 7, 142, 50, 14},
    {2, kPush, "Cancel", 103, 142, 50, 14},
    {217, kCheck, "Enable Lirset snapshots", 7, 40, 146, 14},
    {218, kCheckOff, "Enable Lirset Hub connection", 7, 98, 146, 14},
    {225, kEditReadOnly, "", 19, 122, 134, 14},
    {226, kText, "with IP address to connect to:", 19, 112, 98, 8},
    {235, kCheck, "Automatically load last ontology", 7, 5, 117, 10},
    {236, kCheck, "Enable Lirset trigger services alerts", 7, 18, 133, 10},
    {237, kCheck, "Show services in full web browser window", 7, 30, 149, 10},
    {219, kCheck, "Enable lexicon access via FTP", 7, 52, 146, 14},
    {227, kEdit, "", 19, 76, 134, 14},
    {228, kText, "with FTP server to connect to:", 19, 67, 98, 8}};
const SControl kIdentityControls[] = {
    {1, kDefault, "OK", 22, 78, 50, 14},
    {2, kPush, "Cancel", 97, 78, 50, 14},
    {-1, kText, "Your first name:", 7, 27, 52, 8},
    {223, kEdit, "", 67, 25, 97, 14},
    {-1, kText, "Your last name:", 7, 44, 51, 8},
    {224, kEdit, "", 67, 42, 97, 14},
    {-1, kText, "Provide your identity below to personalize Lirset alerts (optional):", 7, 6, 157,
     16},
    {-1, kText, "Proxy base URI:", 7, 61, 54, 8},
    {225, kEdit, "", 67, 58, 97, 14}};
const SControl kButtonLabelControls[] = {
    {1, kDefault, "OK", 6, 40, 50, 14},
    {2, kPush, "Cancel", 94, 40, 50, 14},
    {-1, kText, "Please enter the new button label:", 6, 6, 112, 8},
    {202, kEdit, "", 6, 20, 138, 13}};
const SControl kColourControls[] = {
    {1, kDefault, "OK", 6, 40, 50, 14},
    {2, kPush, "Cancel", 104, 40, 50, 14},
    {215, kColourCombo, "", 6, 20, 148, 170},
    {-1, kText, "Please select the new highlight colour:", 6, 6, 148, 15}};
const SControl kOpenControls[] = {
    {1, kDefault, "OK", 91, 60, 50, 14},
    {2, kPush, "Cancel", 149, 60, 50, 14},
    {239, kText,
     "Type here the Internet address of Lirset lexicon (*.onto), and Lirset will open it "
     "for you:",
     37, 9, 162, 19},
    {241, kText, "Open:", 10, 41, 31, 13},
    {238, kEdit, "", 36, 40, 161, 12},
    {240, kIcon, "#206", 7, 7, 21, 20},
    {-1, kText, nullptr, 38, 29, 148, 8}};
const SControl kDumpControls[] = {
    {210, kTextView, "", 6, 6, 448, 240},
    {1, {"Button", BS_DEFPUSHBUTTON | WS_GROUP, BS_TYPEMASK | WS_GROUP}, "OK", 204, 251, 50, 14}};
const SControl kAboutControls[] = {{231, kDefault, "Close", 262, 114, 50, 14},
                                   {232, kTextView, "", 157, 7, 155, 102, WS_EX_STATICEDGE},
                                   {233, kCentred, nullptr, 7, 117, 253, 8},
                                   {234, kPicture, "#245", 7, 7, 146, 102}};

constexpr DWORD kModal = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kSizable =
    DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

struct SDialogCase {
    int id;
    const char* title;
    DWORD style;
    short cx, cy;
    std::span<const SControl> controls;
};

const SDialogCase kDialogs[] = {
    {249, "Find concept...", kModal, 186, 95, kFindConceptControls},
    {235, "User preferences", kModal, 160, 162, kPreferencesControls},
    {240, "User identity", kModal, 171, 102, kIdentityControls},
    {218, "Change Button Label", kModal, 150, 60, kButtonLabelControls},
    {227, "Highlight Colour Selection", kModal, 160, 60, kColourControls},
    {248, "Open...", kModal, 206, 81, kOpenControls},
    {250, "HTML Dump", kSizable, 460, 271, kDumpControls},
    {251, "About Lirset...", kModal, 319, 135, kAboutControls},
};

void PrintTo(const SDialogCase& dialog, std::ostream* os) {
    *os << dialog.id << " \"" << dialog.title << "\"";
}

class DialogTemplateTest : public ::testing::TestWithParam<SDialogCase> {
protected:
    void SetUp() override { RegisterLirsetResources(kModule); }
    void TearDown() override { UnregisterLirsetResources(kModule); }
};

TEST_P(DialogTemplateTest, MatchesItsLayout) {
    const SDialogCase& expected = GetParam();
    const SDialogTemplate* dialog =
        CModuleResources::FindDialog(kModule, static_cast<UINT>(expected.id));
    ASSERT_NE(dialog, nullptr);
    EXPECT_STREQ(dialog->title, expected.title);
    EXPECT_EQ(dialog->cx, expected.cx);
    EXPECT_EQ(dialog->cy, expected.cy);
    EXPECT_STREQ(dialog->fontName, "MS Shell Dlg");
    EXPECT_EQ(dialog->pointSize, 8);
    EXPECT_EQ(dialog->style, expected.style);

    ASSERT_EQ(dialog->items.size(), expected.controls.size());
    for (size_t i = 0; i < expected.controls.size(); ++i) {
        const SControl& want = expected.controls[i];
        const SDialogItemTemplate& item = dialog->items[i];
        SCOPED_TRACE("control " + std::to_string(i) + " (id " + std::to_string(want.id) + ")");
        EXPECT_EQ(item.id, want.id);
        EXPECT_STREQ(item.className, want.kind.className);
        EXPECT_EQ(item.style & want.kind.typeMask, want.kind.style & want.kind.typeMask);
        EXPECT_EQ(item.style & want.kind.style, want.kind.style);
        if (want.text != nullptr) {
            EXPECT_STREQ(item.text, want.text);
        } else {
            EXPECT_NE(std::string(item.text), "");
        }
        EXPECT_EQ(item.x, want.x);
        EXPECT_EQ(item.y, want.y);
        EXPECT_EQ(item.cx, want.cx);
        EXPECT_EQ(item.cy, want.cy);
        EXPECT_EQ(item.exStyle, want.exStyle);
    }
}

INSTANTIATE_TEST_SUITE_P(Lirset, DialogTemplateTest, ::testing::ValuesIn(kDialogs),
                         [](const auto& info) { return std::to_string(info.param.id); });

}  // namespace
