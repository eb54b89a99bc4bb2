// The platform's common controls: the toolbar, the rebar, tooltips and image lists, and beside
// them the combo box, with the platform's names, structures and message numbers.
//
// The classes exist once InitCommonControlsEx (or InitCommonControls) has run: the toolbar and
// tooltips with ICC_BAR_CLASSES, the rebar with ICC_COOL_CLASSES; "ComboBox" with any call, since
// dialog templates name it and this layer's window classes of the system come from the window
// layer, which does not know it. A host calls it once at start.
//
// Metrics of the model (see textmetrics.h for text):
// - Toolbar: bitmaps 16 by 15 and buttons 24 by 22 unless set; the image size is the image
//   list's once one is set; padding 7 by 6; separators 8 wide unless their iBitmap gives a width;
//   a drop-down arrow (BTNS_DROPDOWN with TBSTYLE_EX_DRAWDDARROWS, or BTNS_WHOLEDROPDOWN) adds 14;
//   in the list style (TBSTYLE_LIST) a shown text adds 4 + its width beside the image, otherwise it
//   goes below the image. An autosized button (BTNS_AUTOSIZE) is as wide as its content; the
//   others share the width of the widest of them, at least the button width. Buttons lie in one
//   row from the left (a TBSTATE_WRAP button ends its row), 2 pixels down unless CCS_NODIVIDER,
//   all as high as the highest.
// - Rebar: rows of bands, a new row at RBBS_BREAK; a band is its header (a 10 pixel gripper
//   unless RBBS_NOGRIPPER, and its text: 4 + its width, unless RBBS_HIDETITLE) and its child, at
//   least cxMinChild wide; the last band of a row reaches the right edge. A row is as high as its
//   highest child (cyChild for RBBS_VARIABLEHEIGHT bands, else cyMinChild) plus 2 pixels above and
//   below.
// - Combo box: the selection field is its item height + 6 pixels high (the window takes that
//   height; the height asked for at creation is that of the dropped list), with its item drawn in
//   (3, 3, width - 20, 3 + item height).
#pragma once

#include <cstddef>

#include "platform/win/controls/wingdi.h"
#include "platform/win/winuser.h"

typedef struct HIMAGELIST__* HIMAGELIST;

inline constexpr const char* TOOLBARCLASSNAMEA = "ToolbarWindow32";
inline constexpr const char* REBARCLASSNAMEA = "ReBarWindow32";
inline constexpr const char* TOOLTIPS_CLASSA = "tooltips_class32";
inline constexpr const char* WC_COMBOBOXA = "ComboBox";
// The drop-down list of a combo box.
inline constexpr const char* WC_COMBOLBOXA = "ComboLBox";

// ---------------------------------------------------------------------------------------------
// Initialisation

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
typedef INITCOMMONCONTROLSEX* LPINITCOMMONCONTROLSEX;

constexpr DWORD ICC_LISTVIEW_CLASSES = 0x00000001;
constexpr DWORD ICC_TREEVIEW_CLASSES = 0x00000002;
constexpr DWORD ICC_BAR_CLASSES = 0x00000004;
constexpr DWORD ICC_TAB_CLASSES = 0x00000008;
constexpr DWORD ICC_UPDOWN_CLASS = 0x00000010;
constexpr DWORD ICC_PROGRESS_CLASS = 0x00000020;
constexpr DWORD ICC_HOTKEY_CLASS = 0x00000040;
constexpr DWORD ICC_ANIMATE_CLASS = 0x00000080;
constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
constexpr DWORD ICC_DATE_CLASSES = 0x00000100;
constexpr DWORD ICC_USEREX_CLASSES = 0x00000200;
constexpr DWORD ICC_COOL_CLASSES = 0x00000400;
constexpr DWORD ICC_INTERNET_CLASSES = 0x00000800;
constexpr DWORD ICC_PAGESCROLLER_CLASS = 0x00001000;
constexpr DWORD ICC_NATIVEFNTCTL_CLASS = 0x00002000;
constexpr DWORD ICC_STANDARD_CLASSES = 0x00004000;
constexpr DWORD ICC_LINK_CLASS = 0x00008000;

// Registers the classes asked for (and "ComboBox"); FALSE when the size is wrong or none of the
// classes asked for exists in this layer.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
// Registers the toolbar and tooltip classes (and "ComboBox").
void InitCommonControls();

// Common control styles.
constexpr DWORD CCS_TOP = 0x00000001;
constexpr DWORD CCS_NOMOVEY = 0x00000002;
constexpr DWORD CCS_BOTTOM = 0x00000003;
constexpr DWORD CCS_NORESIZE = 0x00000004;
constexpr DWORD CCS_NOPARENTALIGN = 0x00000008;
constexpr DWORD CCS_ADJUSTABLE = 0x00000020;
constexpr DWORD CCS_NODIVIDER = 0x00000040;
constexpr DWORD CCS_VERT = 0x00000080;

constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

// ---------------------------------------------------------------------------------------------
// Image lists
//
// An image list keeps its images side by side in one bitmap strip (and, with ILC_MASK, a
// monochrome mask strip in which white marks transparent pixels), which ImageList_GetImageInfo
// hands out; the strips belong to the list and DeleteObject refuses them. The list grows as
// images are added. Colours are kept exactly whatever the depth asked for.

constexpr UINT ILC_MASK = 0x00000001;
constexpr UINT ILC_COLOR = 0x00000000;
constexpr UINT ILC_COLORDDB = 0x000000FE;
constexpr UINT ILC_COLOR4 = 0x00000004;
constexpr UINT ILC_COLOR8 = 0x00000008;
constexpr UINT ILC_COLOR16 = 0x00000010;
constexpr UINT ILC_COLOR24 = 0x00000018;
constexpr UINT ILC_COLOR32 = 0x00000020;

constexpr UINT ILD_NORMAL = 0x00000000;
constexpr UINT ILD_TRANSPARENT = 0x00000001;
constexpr UINT ILD_MASK = 0x00000010;
constexpr UINT ILD_IMAGE = 0x00000020;

struct IMAGEINFO {
    HBITMAP hbmImage;
    HBITMAP hbmMask;
    int Unused1;
    int Unused2;
    RECT rcImage;  // the image's place in the strips
};
typedef IMAGEINFO* LPIMAGEINFO;

// Null for a size that is not positive or over 256 pixels.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST himl);
int ImageList_GetImageCount(HIMAGELIST himl);
// Grows (new images black) or shrinks the list; FALSE past what a bitmap holds.
BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT newCount);
// Adds as many images as the bitmap is wide in image widths (its top rows); the mask bitmap
// (white: transparent) is used by a masked list. Returns the index of the first image, -1 when
// the bitmap is narrower than one image.
int ImageList_Add(HIMAGELIST himl, HBITMAP image, HBITMAP mask);
// Likewise, the mask made of the pixels of the colour, which turn black in the list's copy.
int ImageList_AddMasked(HIMAGELIST himl, HBITMAP image, COLORREF maskColour);
// Puts the icon, scaled to the list's image size, at the index, or adds it when the index is -1.
// Returns its index, or -1.
int ImageList_ReplaceIcon(HIMAGELIST himl, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST himl, HICON icon) {
    return ImageList_ReplaceIcon(himl, -1, icon);
}
BOOL ImageList_Replace(HIMAGELIST himl, int index, HBITMAP image, HBITMAP mask);
// Removes the image at the index, or all images for -1.
BOOL ImageList_Remove(HIMAGELIST himl, int index);
inline BOOL ImageList_RemoveAll(HIMAGELIST himl) {
    return ImageList_Remove(himl, -1);
}
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
// Changes the image size and removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy);
BOOL ImageList_GetImageInfo(HIMAGELIST himl, int index, IMAGEINFO* info);
COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF colour);
COLORREF ImageList_GetBkColor(HIMAGELIST himl);
// Draws the image at the point: through its mask (ILD_NORMAL, ILD_TRANSPARENT; with a background
// colour set and ILD_NORMAL the transparent pixels take that colour), the image alone (ILD_IMAGE)
// or the mask alone (ILD_MASK).
BOOL ImageList_Draw(HIMAGELIST himl, int index, HDC hdc, int x, int y, UINT style);

// ---------------------------------------------------------------------------------------------
// Mapped bitmaps

struct COLORMAP {
    COLORREF from;
    COLORREF to;
};
typedef COLORMAP* LPCOLORMAP;

constexpr UINT CMB_MASKED = 0x02;

// A new bitmap of the module's bitmap resource in which each pixel of a "from" colour of the map
// takes its "to" colour; without a map, black, dark grey (128), light grey (192) and white take
// the button text, shadow, face and highlight colours. Null when there is no such resource.
HBITMAP CreateMappedBitmap(HINSTANCE hInstance, INT_PTR idBitmap, UINT flags, LPCOLORMAP colorMap,
                           int mapCount);

// ---------------------------------------------------------------------------------------------
// Toolbar

constexpr DWORD TBSTYLE_BUTTON = 0x0000;
constexpr DWORD TBSTYLE_SEP = 0x0001;
constexpr DWORD TBSTYLE_CHECK = 0x0002;
constexpr DWORD TBSTYLE_GROUP = 0x0004;
constexpr DWORD TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;
constexpr DWORD TBSTYLE_DROPDOWN = 0x0008;
constexpr DWORD TBSTYLE_AUTOSIZE = 0x0010;
constexpr DWORD TBSTYLE_NOPREFIX = 0x0020;
constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
constexpr DWORD TBSTYLE_WRAPABLE = 0x0200;
constexpr DWORD TBSTYLE_ALTDRAG = 0x0400;
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD TBSTYLE_LIST = 0x1000;
constexpr DWORD TBSTYLE_CUSTOMERASE = 0x2000;
constexpr DWORD TBSTYLE_REGISTERDROP = 0x4000;
constexpr DWORD TBSTYLE_TRANSPARENT = 0x8000;

constexpr BYTE BTNS_BUTTON = 0x00;
constexpr BYTE BTNS_SEP = 0x01;
constexpr BYTE BTNS_CHECK = 0x02;
constexpr BYTE BTNS_GROUP = 0x04;
constexpr BYTE BTNS_CHECKGROUP = BTNS_GROUP | BTNS_CHECK;
constexpr BYTE BTNS_DROPDOWN = 0x08;
constexpr BYTE BTNS_AUTOSIZE = 0x10;
constexpr BYTE BTNS_NOPREFIX = 0x20;
constexpr BYTE BTNS_SHOWTEXT = 0x40;
constexpr BYTE BTNS_WHOLEDROPDOWN = 0x80;

constexpr BYTE TBSTATE_CHECKED = 0x01;
constexpr BYTE TBSTATE_PRESSED = 0x02;
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTATE_HIDDEN = 0x08;
constexpr BYTE TBSTATE_INDETERMINATE = 0x10;
constexpr BYTE TBSTATE_WRAP = 0x20;
constexpr BYTE TBSTATE_ELLIPSES = 0x40;
constexpr BYTE TBSTATE_MARKED = 0x80;

constexpr DWORD TBSTYLE_EX_DRAWDDARROWS = 0x00000001;
constexpr DWORD TBSTYLE_EX_MIXEDBUTTONS = 0x00000008;
constexpr DWORD TBSTYLE_EX_HIDECLIPPEDBUTTONS = 0x00000010;
constexpr DWORD TBSTYLE_EX_DOUBLEBUFFER = 0x00000080;

constexpr int I_IMAGECALLBACK = -1;
constexpr int I_IMAGENONE = -2;

// The button record. Its size here is sizeof(TBBUTTON) (32 bytes on this 64-bit system, where the
// platform's 32-bit record has 20): TB_BUTTONSTRUCTSIZE must give that size, and a toolbar told
// another size adds and inserts no buttons.
struct TBBUTTON {
    int iBitmap;
    int idCommand;
    BYTE fsState;
    BYTE fsStyle;
    BYTE bReserved[6];
    DWORD_PTR dwData;
    INT_PTR iString;  // an index into the string list, a pointer to a text (copied), or -1
};
typedef TBBUTTON* LPTBBUTTON;
typedef const TBBUTTON* LPCTBBUTTON;

constexpr DWORD TBIF_IMAGE = 0x00000001;
constexpr DWORD TBIF_TEXT = 0x00000002;
constexpr DWORD TBIF_STATE = 0x00000004;
constexpr DWORD TBIF_STYLE = 0x00000008;
constexpr DWORD TBIF_LPARAM = 0x00000010;
constexpr DWORD TBIF_COMMAND = 0x00000020;
constexpr DWORD TBIF_SIZE = 0x00000040;
constexpr DWORD TBIF_BYINDEX = 0x80000000;

struct TBBUTTONINFOA {
    UINT cbSize;
    DWORD dwMask;
    int idCommand;
    int iImage;
    BYTE fsState;
    BYTE fsStyle;
    WORD cx;
    DWORD_PTR lParam;
    LPSTR pszText;
    int cchText;
};
typedef TBBUTTONINFOA* LPTBBUTTONINFOA;

// wParam names a button by command id, or by position where "index" is said.
constexpr UINT TB_ENABLEBUTTON = WM_USER + 1;      // id, enable
constexpr UINT TB_CHECKBUTTON = WM_USER + 2;       // id, check
constexpr UINT TB_PRESSBUTTON = WM_USER + 3;       // id, press
constexpr UINT TB_HIDEBUTTON = WM_USER + 4;        // id, hide
constexpr UINT TB_INDETERMINATE = WM_USER + 5;     // id, indeterminate
constexpr UINT TB_MARKBUTTON = WM_USER + 6;        // id, mark
constexpr UINT TB_ISBUTTONENABLED = WM_USER + 9;   // id
constexpr UINT TB_ISBUTTONCHECKED = WM_USER + 10;  // id
constexpr UINT TB_ISBUTTONPRESSED = WM_USER + 11;  // id
constexpr UINT TB_ISBUTTONHIDDEN = WM_USER + 12;   // id
constexpr UINT TB_ISBUTTONINDETERMINATE = WM_USER + 13;
constexpr UINT TB_SETSTATE = WM_USER + 17;       // id, MAKELONG(state, 0)
constexpr UINT TB_GETSTATE = WM_USER + 18;       // id -> state, or -1
constexpr UINT TB_ADDBUTTONSA = WM_USER + 20;    // count, TBBUTTON[]
constexpr UINT TB_INSERTBUTTONA = WM_USER + 21;  // index, TBBUTTON*
constexpr UINT TB_DELETEBUTTON = WM_USER + 22;   // index
constexpr UINT TB_GETBUTTON = WM_USER + 23;      // index, TBBUTTON*
constexpr UINT TB_BUTTONCOUNT = WM_USER + 24;
constexpr UINT TB_COMMANDTOINDEX = WM_USER + 25;  // id -> index, or -1
// Adds the strings (each ending with a zero, the list with an empty string: two zeros at the end),
// or with a module's instance the one string of its string resource; the index of the first.
constexpr UINT TB_ADDSTRINGA = WM_USER + 28;        // hInstance, text or string id -> index
constexpr UINT TB_GETITEMRECT = WM_USER + 29;       // index, RECT*
constexpr UINT TB_BUTTONSTRUCTSIZE = WM_USER + 30;  // sizeof(TBBUTTON)
constexpr UINT TB_SETBUTTONSIZE = WM_USER + 31;     // 0, MAKELONG(cx, cy)
constexpr UINT TB_SETBITMAPSIZE = WM_USER + 32;     // 0, MAKELONG(cx, cy)
constexpr UINT TB_AUTOSIZE = WM_USER + 33;
constexpr UINT TB_GETTOOLTIPS = WM_USER + 35;
constexpr UINT TB_SETTOOLTIPS = WM_USER + 36;     // tooltip window
constexpr UINT TB_SETPARENT = WM_USER + 37;       // window -> the previous one
constexpr UINT TB_SETCMDID = WM_USER + 42;        // index, id
constexpr UINT TB_CHANGEBITMAP = WM_USER + 43;    // id, image index
constexpr UINT TB_GETBITMAP = WM_USER + 44;       // id -> image index
constexpr UINT TB_GETBUTTONTEXTA = WM_USER + 45;  // id, buffer -> length, or -1
constexpr UINT TB_SETINDENT = WM_USER + 47;       // pixels
constexpr UINT TB_SETIMAGELIST = WM_USER + 48;    // 0, HIMAGELIST -> the previous one
constexpr UINT TB_GETIMAGELIST = WM_USER + 49;
constexpr UINT TB_GETRECT = WM_USER + 51;  // id, RECT*
constexpr UINT TB_SETSTYLE = WM_USER + 56;
constexpr UINT TB_GETSTYLE = WM_USER + 57;
constexpr UINT TB_GETBUTTONSIZE = WM_USER + 58;   // -> MAKELONG(cx, cy)
constexpr UINT TB_SETMAXTEXTROWS = WM_USER + 60;  // rows (0 shows no text)
constexpr UINT TB_GETTEXTROWS = WM_USER + 61;
constexpr UINT TB_GETBUTTONINFOA = WM_USER + 65;    // id or index, TBBUTTONINFOA* -> index
constexpr UINT TB_SETBUTTONINFOA = WM_USER + 66;    // id or index, TBBUTTONINFOA*
constexpr UINT TB_GETMAXSIZE = WM_USER + 83;        // 0, SIZE*
constexpr UINT TB_SETEXTENDEDSTYLE = WM_USER + 84;  // 0, style -> the previous one
constexpr UINT TB_GETEXTENDEDSTYLE = WM_USER + 85;
constexpr UINT TB_GETPADDING = WM_USER + 86;    // -> MAKELONG(cx, cy)
constexpr UINT TB_SETPADDING = WM_USER + 87;    // 0, MAKELONG(cx, cy) -> the previous one
constexpr UINT TB_GETSTRINGA = WM_USER + 92;    // MAKEWPARAM(size, index), buffer
constexpr UINT TB_GETIDEALSIZE = WM_USER + 99;  // height?, SIZE*

constexpr UINT TBN_FIRST = 0U - 700U;
constexpr UINT TBN_DROPDOWN = TBN_FIRST - 10;
constexpr UINT TBN_LAST = 0U - 720U;

// Answers to TBN_DROPDOWN. TBDDRET_TREATPRESSED makes the click go on as a click of the button.
constexpr LRESULT TBDDRET_DEFAULT = 0;
constexpr LRESULT TBDDRET_NODEFAULT = 1;
constexpr LRESULT TBDDRET_TREATPRESSED = 2;

struct NMTOOLBARA {
    NMHDR hdr;
    int iItem;  // the button's command id
    TBBUTTON tbButton;
    int cchText;
    LPSTR pszText;
    RECT rcButton;  // client coordinates of the toolbar
};
typedef NMTOOLBARA* LPNMTOOLBARA;

// ---------------------------------------------------------------------------------------------
// Tooltips
//
// A tooltip shows at once (no delays here) when a mouse movement relayed to it lies over one of
// its tools, and hides when the pointer leaves the tool, at a click and at TTM_POP. A tool whose
// text is LPSTR_TEXTCALLBACKA asks for it each time with TTN_GETDISPINFOA, sent to the tool's
// window, unless the answer carried TTF_DI_SETITEM, which makes the tooltip keep it.

constexpr DWORD TTS_ALWAYSTIP = 0x01;
constexpr DWORD TTS_NOPREFIX = 0x02;

constexpr UINT TTF_IDISHWND = 0x0001;
constexpr UINT TTF_CENTERTIP = 0x0002;
constexpr UINT TTF_SUBCLASS = 0x0010;
constexpr UINT TTF_TRANSPARENT = 0x0100;
constexpr UINT TTF_DI_SETITEM = 0x8000;

inline LPSTR const LPSTR_TEXTCALLBACKA = reinterpret_cast<LPSTR>(static_cast<LONG_PTR>(-1));

struct TOOLINFOA {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
    void* lpReserved;
};
typedef TOOLINFOA* LPTOOLINFOA;
// The oldest record the platform accepts ends before lParam.
constexpr UINT TTTOOLINFOA_V1_SIZE = offsetof(TOOLINFOA, lParam);

constexpr UINT TTM_ACTIVATE = WM_USER + 1;         // active
constexpr UINT TTM_ADDTOOLA = WM_USER + 4;         // 0, TOOLINFOA*
constexpr UINT TTM_DELTOOLA = WM_USER + 5;         // 0, TOOLINFOA* (hwnd, uId)
constexpr UINT TTM_NEWTOOLRECTA = WM_USER + 6;     // 0, TOOLINFOA* (hwnd, uId, rect)
constexpr UINT TTM_RELAYEVENT = WM_USER + 7;       // 0, MSG*
constexpr UINT TTM_GETTOOLINFOA = WM_USER + 8;     // 0, TOOLINFOA*
constexpr UINT TTM_GETTEXTA = WM_USER + 11;        // buffer size (0: 80), TOOLINFOA*
constexpr UINT TTM_UPDATETIPTEXTA = WM_USER + 12;  // 0, TOOLINFOA* (hwnd, uId, hinst, lpszText)
constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
constexpr UINT TTM_POP = WM_USER + 28;

constexpr UINT TTN_FIRST = 0U - 520U;
constexpr UINT TTN_GETDISPINFOA = TTN_FIRST - 0;
constexpr UINT TTN_NEEDTEXTA = TTN_GETDISPINFOA;
constexpr UINT TTN_LAST = 0U - 549U;

struct NMTTDISPINFOA {
    NMHDR hdr;  // idFrom: the tool's id (a toolbar button's command id)
    LPSTR lpszText;
    char szText[80];
    HINSTANCE hinst;  // with lpszText = MAKEINTRESOURCEA(id): the module of the string
    UINT uFlags;
    LPARAM lParam;
};
typedef NMTTDISPINFOA* LPNMTTDISPINFOA;

// ---------------------------------------------------------------------------------------------
// Rebar
//
// A band's child window is moved into the rebar (its parent before is kept and given back when
// the band lets the child go, as the child is hidden) and placed in the band.

constexpr DWORD RBS_TOOLTIPS = 0x00000100;
constexpr DWORD RBS_VARHEIGHT = 0x00000200;
constexpr DWORD RBS_BANDBORDERS = 0x00000400;
constexpr DWORD RBS_FIXEDORDER = 0x00000800;
constexpr DWORD RBS_AUTOSIZE = 0x00002000;
constexpr DWORD RBS_DBLCLKTOGGLE = 0x00008000;

constexpr UINT RBBS_BREAK = 0x00000001;
constexpr UINT RBBS_FIXEDSIZE = 0x00000002;
constexpr UINT RBBS_CHILDEDGE = 0x00000004;
constexpr UINT RBBS_HIDDEN = 0x00000008;
constexpr UINT RBBS_NOVERT = 0x00000010;
constexpr UINT RBBS_FIXEDBMP = 0x00000020;
constexpr UINT RBBS_VARIABLEHEIGHT = 0x00000040;
constexpr UINT RBBS_GRIPPERALWAYS = 0x00000080;
constexpr UINT RBBS_NOGRIPPER = 0x00000100;
constexpr UINT RBBS_USECHEVRON = 0x00000200;
constexpr UINT RBBS_HIDETITLE = 0x00000400;
constexpr UINT RBBS_TOPALIGN = 0x00000800;

constexpr UINT RBBIM_STYLE = 0x00000001;
constexpr UINT RBBIM_COLORS = 0x00000002;
constexpr UINT RBBIM_TEXT = 0x00000004;
constexpr UINT RBBIM_IMAGE = 0x00000008;
constexpr UINT RBBIM_CHILD = 0x00000010;
constexpr UINT RBBIM_CHILDSIZE = 0x00000020;
constexpr UINT RBBIM_SIZE = 0x00000040;
constexpr UINT RBBIM_BACKGROUND = 0x00000080;
constexpr UINT RBBIM_ID = 0x00000100;
constexpr UINT RBBIM_IDEALSIZE = 0x00000200;
constexpr UINT RBBIM_LPARAM = 0x00000400;
constexpr UINT RBBIM_HEADERSIZE = 0x00000800;

struct REBARBANDINFOA {
    UINT cbSize;
    UINT fMask;
    UINT fStyle;
    COLORREF clrFore;
    COLORREF clrBack;
    LPSTR lpText;
    UINT cch;
    int iImage;
    HWND hwndChild;
    UINT cxMinChild;
    UINT cyMinChild;
    UINT cx;
    HBITMAP hbmBack;
    UINT wID;
    UINT cyChild;
    UINT cyMaxChild;
    UINT cyIntegral;
    UINT cxIdeal;
    LPARAM lParam;
    UINT cxHeader;
};
typedef REBARBANDINFOA* LPREBARBANDINFOA;
typedef const REBARBANDINFOA* LPCREBARBANDINFOA;
// The oldest record the platform accepts ends after wID; a field past cbSize is neither read nor
// written.
constexpr UINT REBARBANDINFOA_V3_SIZE = offsetof(REBARBANDINFOA, cyChild);

constexpr UINT RBIM_IMAGELIST = 0x00000001;

struct REBARINFO {
    UINT cbSize;
    UINT fMask;
    HIMAGELIST himl;
};
typedef REBARINFO* LPREBARINFO;

constexpr UINT RB_INSERTBANDA = WM_USER + 1;   // index (-1: the end), REBARBANDINFOA*
constexpr UINT RB_DELETEBAND = WM_USER + 2;    // index
constexpr UINT RB_GETBARINFO = WM_USER + 3;    // 0, REBARINFO*
constexpr UINT RB_SETBARINFO = WM_USER + 4;    // 0, REBARINFO*
constexpr UINT RB_SETBANDINFOA = WM_USER + 6;  // index, REBARBANDINFOA*
constexpr UINT RB_SETPARENT = WM_USER + 7;     // window -> the previous one
constexpr UINT RB_GETRECT = WM_USER + 9;       // index, RECT*
constexpr UINT RB_GETBANDCOUNT = WM_USER + 12;
constexpr UINT RB_GETROWCOUNT = WM_USER + 13;
constexpr UINT RB_GETROWHEIGHT = WM_USER + 14;  // index
constexpr UINT RB_IDTOINDEX = WM_USER + 16;     // wID -> index, or -1
constexpr UINT RB_GETBARHEIGHT = WM_USER + 27;
constexpr UINT RB_GETBANDINFOA = WM_USER + 29;  // index, REBARBANDINFOA*
constexpr UINT RB_SHOWBAND = WM_USER + 35;      // index, show
constexpr UINT RB_MOVEBAND = WM_USER + 39;      // from, to

constexpr UINT RBN_FIRST = 0U - 831U;
// Sent (NMHDR) when the rebar's height changes.
constexpr UINT RBN_HEIGHTCHANGE = RBN_FIRST - 0;
constexpr UINT RBN_LAST = 0U - 859U;

// ---------------------------------------------------------------------------------------------
// Combo box
//
// Items are kept with their text (CBS_HASSTRINGS, or any combo that is not owner-drawn) or, for
// an owner-drawn combo without strings, with the value given in place of the text as their data.
// An owner-drawn combo asks its parent for its item height with WM_MEASUREITEM when created (the
// selection field as item -1, then the list's items; CBS_OWNERDRAWVARIABLE asks for each item as
// it is added) and has its items drawn with WM_DRAWITEM: the selection field (ODS_COMBOBOXEDIT)
// when it is painted and when the selection changes, and the items of the dropped list on the
// list's window when it drops and as the selection moves in it. Deleted items with data are
// reported with WM_DELETEITEM. A sorted owner-drawn combo without strings places added items by
// WM_COMPAREITEM.

constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD CBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_OEMCONVERT = 0x0080;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;
constexpr DWORD CBS_NOINTEGRALHEIGHT = 0x0400;
constexpr DWORD CBS_DISABLENOSCROLL = 0x0800;
constexpr DWORD CBS_UPPERCASE = 0x2000;
constexpr DWORD CBS_LOWERCASE = 0x4000;

constexpr LRESULT CB_OKAY = 0;
constexpr LRESULT CB_ERR = -1;
constexpr LRESULT CB_ERRSPACE = -2;

constexpr UINT CB_ADDSTRING = 0x0143;     // 0, text -> index
constexpr UINT CB_DELETESTRING = 0x0144;  // index -> items left
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;     // index, buffer -> length
constexpr UINT CB_GETLBTEXTLEN = 0x0149;  // index
constexpr UINT CB_INSERTSTRING = 0x014A;  // index (-1: the end), text -> index
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;             // start after, prefix -> index
constexpr UINT CB_SELECTSTRING = 0x014D;           // start after, prefix -> index
constexpr UINT CB_SETCURSEL = 0x014E;              // index (-1: none)
constexpr UINT CB_SHOWDROPDOWN = 0x014F;           // show
constexpr UINT CB_GETITEMDATA = 0x0150;            // index
constexpr UINT CB_SETITEMDATA = 0x0151;            // index, data
constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;  // 0, RECT* (screen)
constexpr UINT CB_SETITEMHEIGHT = 0x0153;          // index (-1: the field), height
constexpr UINT CB_GETITEMHEIGHT = 0x0154;          // index (-1: the field)
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;  // start after, text -> index (case ignored)
constexpr UINT CB_GETTOPINDEX = 0x015B;
constexpr UINT CB_SETTOPINDEX = 0x015C;      // index (scrolls the list)
constexpr UINT CB_GETCOMBOBOXINFO = 0x0164;  // 0, COMBOBOXINFO*

struct COMBOBOXINFO {
    DWORD cbSize;
    RECT rcItem;    // the selection field's item, in the combo's client coordinates
    RECT rcButton;  // the arrow button
    DWORD stateButton;
    HWND hwndCombo;
    HWND hwndItem;  // the edit field; the combo itself for a drop-down list
    HWND hwndList;  // the drop-down list window
};
typedef COMBOBOXINFO* PCOMBOBOXINFO;

// The rectangle of an item of the drop-down list, in the list's client coordinates.
constexpr UINT LB_GETITEMRECT = 0x0198;  // index, RECT*
constexpr LRESULT LB_OKAY = 0;
constexpr LRESULT LB_ERR = -1;

constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD CBN_DBLCLK = 2;
constexpr WORD CBN_SETFOCUS = 3;
constexpr WORD CBN_KILLFOCUS = 4;
constexpr WORD CBN_DROPDOWN = 7;
constexpr WORD CBN_CLOSEUP = 8;
constexpr WORD CBN_SELENDOK = 9;
constexpr WORD CBN_SELENDCANCEL = 10;
