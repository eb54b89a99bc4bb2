#include "module/dialogtemplates.h"

#include "module/resource.h"
#include "platform/win/controls/commctrl.h"

namespace {

constexpr const char* kFont = "MS Shell Dlg";
constexpr WORD kPointSize = 8;

constexpr DWORD kModalStyle = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

constexpr DWORD kDefPushButton = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kEdit = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kStatic = SS_LEFT;
constexpr DWORD kTextView =
    ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP;

constexpr SDialogItemTemplate kFindConceptItems[] = {
    {"Static", IDC_STATIC,
     "This dialog allows you to find if a specific concept exists in the current Lirset lexicon.",
     kStatic, 7, 7, 172, 17},
    {"Static", IDC_STATIC, "Please, type word or phrase you are interested in:", kStatic, 7, 30,
     164, 11},
    {"Edit", IDC_SEARCHTEXT, "", kEdit, 7, 41, 172, 13},
    {"Static", IDC_STATIC, "(Note: lexicon has to be loaded to perform search.)", kStatic, 7, 56,
     172, 8},
    {"Button", IDOK, "Find", kDefPushButton, 21, 74, 50, 14},
    {"Button", IDCANCEL, "Cancel", kPushButton, 114, 74, 50, 14},
};
constexpr SDialogTemplate kFindConcept{"Find concept...", kModalStyle,      0, 0, 0, 186, 95, kFont,
                                       kPointSize,        kFindConceptItems};

constexpr SDialogItemTemplate kSnapShotItems[] = {
    {"Button", IDOK, "OK", kDefPushButton, 7, 142, 50, 14},
    {"Button", IDCANCEL, "Cancel", kPushButton, 103, 142, 50, 14},
    {"Button", IDC_ENABLESNAPSHOTS, "Enable Lirset snapshots", kCheckBox, 7, 40, 146, 14},
    {"Button", IDC_HUBCONNECTION, "Enable Lirset Hub connection", kCheckBox | WS_DISABLED, 7, 98,
     146, 14},
    {"Edit", IDC_HUBADDRESS, "", kEdit | ES_READONLY, 19, 122, 134, 14},
    {"Static", IDC_HUBADDRESSLABEL, "with IP address to connect to:", kStatic, 19, 112, 98, 8},
    {"Button", IDC_AUTOLOADLASTONTO, "Automatically load last ontology", kCheckBox, 7, 5, 117, 10},
    {"Button", IDC_COLLECTORALERTS, "Enable Lirset trigger services alerts", kCheckBox, 7, 18, 133,
     10},
    {"Button", IDC_FULLSERVICEWINDOW, "Show services in full web browser window", kCheckBox, 7, 30,
     149, 10},
    {"Button", IDC_LEXICONFTP, "Enable lexicon access via FTP", kCheckBox, 7, 52, 146, 14},
    {"Edit", IDC_FTPSERVER, "", kEdit, 19, 76, 134, 14},
    {"Static", IDC_FTPSERVERLABEL, "with FTP server to connect to:", kStatic, 19, 67, 98, 8},
};
constexpr SDialogTemplate kSnapShot{"User preferences", kModalStyle,   0, 0, 0, 160, 162, kFont,
                                    kPointSize,         kSnapShotItems};

constexpr SDialogItemTemplate kUserIdentItems[] = {
    {"Button", IDOK, "OK", kDefPushButton, 22, 78, 50, 14},
    {"Button", IDCANCEL, "Cancel", kPushButton, 97, 78, 50, 14},
    {"Static", IDC_STATIC, "Your first name:", kStatic, 7, 27, 52, 8},
    {"Edit", IDC_FIRSTNAME, "", kEdit, 67, 25, 97, 14},
    {"Static", IDC_STATIC, "Your last name:", kStatic, 7, 44, 51, 8},
    {"Edit", IDC_LASTNAME, "", kEdit, 67, 42, 97, 14},
    {"Static", IDC_STATIC, "Provide your identity below to personalize Lirset alerts (optional):",
     kStatic, 7, 6, 157, 16},
    {"Static", IDC_STATIC, "Proxy base URI:", kStatic, 7, 61, 54, 8},
    {"Edit", IDC_PROXYBASE, "", kEdit, 67, 58, 97, 14},
};
constexpr SDialogTemplate kUserIdent{"User identity", kModalStyle,    0, 0, 0, 171, 102, kFont,
                                     kPointSize,      kUserIdentItems};

constexpr SDialogItemTemplate kButtonNameItems[] = {
    {"Button", IDOK, "OK", kDefPushButton, 6, 40, 50, 14},
    {"Button", IDCANCEL, "Cancel", kPushButton, 94, 40, 50, 14},
    {"Static", IDC_STATIC, "Please enter the new button label:", kStatic, 6, 6, 112, 8},
    {"Edit", IDC_BUTTONLABEL, "", kEdit, 6, 20, 138, 13},
};
constexpr SDialogTemplate kButtonName{
    "Change Button Label", kModalStyle, 0, 0, 0, 150, 60, kFont, kPointSize, kButtonNameItems};

// The combo's items are inserted by position, so CBS_SORT does not reorder the colour table.
constexpr SDialogItemTemplate kColourChangeItems[] = {
    {"Button", IDOK, "OK", kDefPushButton, 6, 40, 50, 14},
    {"Button", IDCANCEL, "Cancel", kPushButton, 104, 40, 50, 14},
    {"ComboBox", IDC_COLOURCOMBO, "",
     CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT | CBS_NOINTEGRALHEIGHT | WS_VSCROLL |
         WS_TABSTOP,
     6, 20, 148, 170},
    {"Static", IDC_STATIC, "Please select the new highlight colour:", kStatic, 6, 6, 148, 15},
};
constexpr SDialogTemplate kColourChange{"Highlight Colour Selection",
                                        kModalStyle,
                                        0,
                                        0,
                                        0,
                                        160,
                                        60,
                                        kFont,
                                        kPointSize,
                                        kColourChangeItems};

constexpr SDialogItemTemplate kOpenUrlItems[] = {
    {"Button", IDOK, "OK", kDefPushButton, 91, 60, 50, 14},
    {"Button", IDCANCEL, "Cancel", kPushButton, 149, 60, 50, 14},
    {"Static", IDC_OPENPROMPT,
     "Type here the Internet address of Lirset lexicon (*.onto), and Lirset will open it for you:",
     kStatic, 37, 9, 162, 19},
    {"Static", IDC_OPENLABEL, "Open:", kStatic, 10, 41, 31, 13},
    {"Edit", IDC_LEXICONURL, "", kEdit, 36, 40, 161, 12},
    {"Static", IDC_OPENICON, "#206", SS_ICON, 7, 7, 21, 20},
    {"Static", IDC_STATIC, "e.g. ftp://ftp.example.org/lexicons/business.onto", kStatic, 38, 29,
     148, 8},
};
constexpr SDialogTemplate kOpenUrl{"Open...", kModalStyle, 0,     0,          0,
                                   206,       81,          kFont, kPointSize, kOpenUrlItems};

constexpr SDialogItemTemplate kHtmlDumpItems[] = {
    {"Edit", IDC_HTMLTEXT, "", kTextView, 6, 6, 448, 240},
    {"Button", IDOK, "OK", kDefPushButton | WS_GROUP, 204, 251, 50, 14},
};
constexpr SDialogTemplate kHtmlDump{
    "HTML Dump", DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
    0,           0,
    0,           460,
    271,         kFont,
    kPointSize,  kHtmlDumpItems};

constexpr SDialogItemTemplate kAboutItems[] = {
    {"Button", IDC_ABOUTCLOSE, "Close", kDefPushButton, 262, 114, 50, 14},
    {"Edit", IDC_CREDITS, "", kTextView, 157, 7, 155, 102, WS_EX_STATICEDGE},
    {"Static", IDC_NOTICE, "Lirset 1.0: semantic web viewing in your browser", SS_CENTER, 7, 117,
     253, 8},
    {"Static", IDC_ABOUTPICTURE, "#245", SS_BITMAP, 7, 7, 146, 102},
};
constexpr SDialogTemplate kAbout{"About Lirset...", kModalStyle, 0, 0, 0, 319, 135, kFont,
                                 kPointSize,        kAboutItems};

constexpr SDialogResource kDialogs[] = {
    {IDD_FINDCONCEPT, &kFindConcept},   {IDD_SNAPSHOT, &kSnapShot},
    {IDD_USERIDENT, &kUserIdent},       {IDD_BUTTONNAME, &kButtonName},
    {IDD_COLOURCHANGE, &kColourChange}, {IDD_OPENURL, &kOpenUrl},
    {IDD_HTMLDUMP, &kHtmlDump},         {IDD_ABOUT, &kAbout},
};

}  // namespace

std::span<const SDialogResource> GetLirsetDialogs() {
    return kDialogs;
}
