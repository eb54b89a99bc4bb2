// The ids of the module's resources and of the commands and controls they name.
//
// Dialog, menu, string, icon and bitmap ids are separate name spaces, as are the control ids of
// different dialogs, so a number may stand for more than one thing (235 is both the preferences
// dialog and its first checkbox).
#pragma once

// Strings.
constexpr int IDS_PROJNAME = 100;
constexpr int IDS_LIRSETHOME = 111;

// The registry script of the band's class.
constexpr int IDR_LIRSETTOOLBAND = 101;

// Images.
constexpr int IDI_LIRSET = 206;
constexpr int IDB_SWATCH = 230;
constexpr int IDB_ABOUT = 245;

// The Options menu and its commands.
constexpr int IDR_MENU_OPTIONS = 210;
constexpr int ID_LIRSET_HOME = 111;
constexpr int ID_UNLOAD_LEXICON = 32769;
constexpr int ID_LOAD_FROMFILE = 32770;
constexpr int ID_LOAD_FROMURL = 32771;
constexpr int ID_FIND_CONCEPT = 32773;
constexpr int ID_DEBUG_DUMP = 220;
constexpr int ID_PREFERENCES = 223;
constexpr int ID_USER_IDENTITY = 241;
constexpr int ID_ABOUT = 247;

// Dialogs.
constexpr int IDD_FINDCONCEPT = 249;
constexpr int IDD_SNAPSHOT = 235;
constexpr int IDD_USERIDENT = 240;
constexpr int IDD_BUTTONNAME = 218;
constexpr int IDD_COLOURCHANGE = 227;
constexpr int IDD_OPENURL = 248;
constexpr int IDD_HTMLDUMP = 250;
constexpr int IDD_ABOUT = 251;

// Controls without an id of their own.
constexpr int IDC_STATIC = -1;

// Find concept.
constexpr int IDC_SEARCHTEXT = 242;

// User preferences.
constexpr int IDC_ENABLESNAPSHOTS = 217;
constexpr int IDC_HUBCONNECTION = 218;
constexpr int IDC_LEXICONFTP = 219;
constexpr int IDC_HUBADDRESS = 225;
constexpr int IDC_HUBADDRESSLABEL = 226;
constexpr int IDC_FTPSERVER = 227;
constexpr int IDC_FTPSERVERLABEL = 228;
constexpr int IDC_AUTOLOADLASTONTO = 235;
constexpr int IDC_COLLECTORALERTS = 236;
constexpr int IDC_FULLSERVICEWINDOW = 237;

// User identity.
constexpr int IDC_FIRSTNAME = 223;
constexpr int IDC_LASTNAME = 224;
constexpr int IDC_PROXYBASE = 225;

// Button label and highlight colour.
constexpr int IDC_BUTTONLABEL = 202;
constexpr int IDC_COLOURCOMBO = 215;

// Open address.
constexpr int IDC_LEXICONURL = 238;
constexpr int IDC_OPENPROMPT = 239;
constexpr int IDC_OPENICON = 240;
constexpr int IDC_OPENLABEL = 241;

// HTML dump.
constexpr int IDC_HTMLTEXT = 210;

// About.
constexpr int IDC_ABOUTCLOSE = 231;
constexpr int IDC_CREDITS = 232;
constexpr int IDC_NOTICE = 233;
constexpr int IDC_ABOUTPICTURE = 234;
