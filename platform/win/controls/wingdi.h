// The platform's drawing interface: device contexts, bitmaps, brushes, pens, fonts, block
// transfers, device-independent bitmaps and text output, with the platform's names and signatures.
// The user-interface functions that draw or hand out device contexts (GetDC, FillRect, DrawTextA,
// LoadBitmapA, LoadImageA, ...) are declared here too, beside the drawing they need.
//
// The model:
// - A bitmap is a buffer of colours with a colour depth. Colours are kept exactly at every depth
//   above 1 bit per pixel; a 1-bit (monochrome) bitmap keeps black and white, and any other colour
//   drawn into it turns into the nearer of the two by its brightness.
// - The screen is a 1024 by 768 buffer at 32 bits per pixel, one per thread (as the windows are).
//   It shows the desktop colour and, bottom of the z-order first, each visible window: its frame
//   in the 3D face colour and its client area in its class's background brush (a dialog without
//   one in the 3D face colour; no brush at all leaves what lies below). The screen is painted
//   afresh whenever the arrangement of visible windows has changed since it was last painted;
//   until then, what is drawn through a window's device context stays on it.
// - GetDC(hWnd) draws on the screen inside the window's client area, clipped to it and to its
//   ancestors' client areas (not to windows that cover it); a hidden window's context draws
//   nothing. GetDC(NULL) is the whole screen.
// - Text has fixed metrics whatever the font: every character is 6 pixels wide and a line is 13
//   pixels high (the 8 point dialog font). Text output does not draw glyphs: in the opaque
//   background mode it fills the box the text occupies with the background colour, and in the
//   transparent mode it leaves the pixels alone. Every text output is recorded with its text,
//   rectangle, colours and format (see textdrawlog.h).
// - An object selected into a device context cannot be deleted (DeleteObject answers FALSE), so
//   that no context ever draws with a freed object. Stock objects ignore DeleteObject.
#pragma once

#include "platform/win/colorref.h"
#include "platform/win/winuser.h"

typedef void* HGDIOBJ;
typedef struct HPEN__* HPEN;
typedef struct HRGN__* HRGN;

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// ---------------------------------------------------------------------------------------------
// Objects

constexpr DWORD OBJ_PEN = 1;
constexpr DWORD OBJ_BRUSH = 2;
constexpr DWORD OBJ_DC = 3;
constexpr DWORD OBJ_FONT = 6;
constexpr DWORD OBJ_BITMAP = 7;
constexpr DWORD OBJ_MEMDC = 10;

constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int OEM_FIXED_FONT = 10;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int SYSTEM_FIXED_FONT = 16;
constexpr int DEFAULT_GUI_FONT = 17;

// A stock object: shared, never deleted. Null for an unknown index.
HGDIOBJ GetStockObject(int index);
// Deletes a pen, brush, font or bitmap; FALSE while it is selected into a device context, for an
// object that something else owns (an image list's bitmaps) and for anything that is no object.
BOOL DeleteObject(HGDIOBJ object);
// OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_DC, OBJ_MEMDC; 0 for anything else.
DWORD GetObjectType(HGDIOBJ object);

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;  // bytes of one row of the device-dependent form, a multiple of 2
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;  // null: the bits of these bitmaps are reached through GetDIBits only
};
typedef BITMAP* LPBITMAP;

constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
};

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

struct LOGPEN {
    UINT lopnStyle;
    POINT lopnWidth;
    COLORREF lopnColor;
};

constexpr int LF_FACESIZE = 32;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;

struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
typedef LOGFONTA* LPLOGFONTA;

// Copies the object's description (BITMAP, LOGBRUSH, LOGPEN, LOGFONTA) into the buffer and
// returns the bytes copied; with a null buffer, the bytes needed. 0 on failure.
int GetObjectA(HGDIOBJ object, int size, LPVOID buffer);

// ---------------------------------------------------------------------------------------------
// Brushes, pens and fonts

HBRUSH CreateSolidBrush(COLORREF colour);
// The shared brush of a display element's colour (COLOR_WINDOW, COLOR_HIGHLIGHT, ...).
HBRUSH GetSysColorBrush(int index);
HPEN CreatePen(int style, int width, COLORREF colour);
// Every font has the fixed text metrics of this model; the description is kept for GetObjectA.
HFONT CreateFontIndirectA(const LOGFONTA* font);

// ---------------------------------------------------------------------------------------------
// Device contexts

// A context that draws on the screen in the window's client area; GetDC(NULL) covers the screen.
HDC GetDC(HWND hWnd);
// Likewise over the whole window, its frame included.
HDC GetWindowDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hdc);
// A memory context, compatible with the screen whatever the context given; it holds a 1 by 1
// monochrome bitmap until another is selected into it.
HDC CreateCompatibleDC(HDC hdc);
// Deletes a memory context (the bitmap selected into it stays alive).
BOOL DeleteDC(HDC hdc);
// Selects a pen, brush, font or bitmap (memory contexts only; a bitmap can be selected into one
// context at a time) and returns the object of that kind selected before; null on failure.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);

constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

int GetDeviceCaps(HDC hdc, int index);

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Each returns the previous value; CLR_INVALID or 0 when the context is not valid.
COLORREF SetBkColor(HDC hdc, COLORREF colour);
COLORREF GetBkColor(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF colour);
COLORREF GetTextColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);

constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int ERROR_REGION = 0;

// Narrows the clipping area to its intersection with the rectangle (logical coordinates).
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
// The smallest rectangle around the clipping area, in logical coordinates.
int GetClipBox(HDC hdc, LPRECT rect);

// ---------------------------------------------------------------------------------------------
// Drawing

// The brush may be a brush handle or a display element's colour index + 1 ((HBRUSH)(COLOR_WINDOW
// + 1)). The right and bottom edges are outside the rectangle.
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
// A frame one pixel wide along the inside of the rectangle.
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
// The outline with the selected pen (inside the rectangle, as wide as the pen) and the inside
// with the selected brush; with the null pen, the filled area is one pixel smaller on the right
// and the bottom, as on the platform.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour);
// CLR_INVALID outside the clipping area.
COLORREF GetPixel(HDC hdc, int x, int y);

// Raster operations: the result of each of the 256 combinations of pattern (the destination
// context's brush), source and destination, as the platform numbers them.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD SRCERASE = 0x00440328;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD NOTSRCERASE = 0x001100A6;
constexpr DWORD MERGECOPY = 0x00C000CA;
constexpr DWORD MERGEPAINT = 0x00BB0226;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATPAINT = 0x00FB0A09;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;
constexpr DWORD CAPTUREBLT = 0x40000000;
constexpr DWORD NOMIRRORBITMAP = 0x80000000;

// Copies pixels between contexts. Between a colour and a monochrome bitmap the platform's
// conversions apply: a colour pixel equal to the source context's background colour becomes
// white and any other black; a monochrome black pixel becomes the destination context's text
// colour and white its background colour. Source pixels outside the source leave the destination
// alone; the destination is clipped to its context.
BOOL BitBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc,
            int ySrc, DWORD rop);

constexpr int BLACKONWHITE = 1;
constexpr int WHITEONBLACK = 2;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;
constexpr int STRETCH_ANDSCANS = BLACKONWHITE;
constexpr int STRETCH_ORSCANS = WHITEONBLACK;
constexpr int STRETCH_DELETESCANS = COLORONCOLOR;
constexpr int STRETCH_HALFTONE = HALFTONE;

// HALFTONE averages the source pixels that each destination pixel covers (or interpolates
// bilinearly when enlarging); the other modes take the nearest source pixel.
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);
// A negative width or height mirrors the image.
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int widthDest, int heightDest, HDC hdcSrc,
                int xSrc, int ySrc, int widthSrc, int heightSrc, DWORD rop);

// ---------------------------------------------------------------------------------------------
// Bitmaps

// Bits per pixel 1, 24 or 32, one plane; initial bits (may be null, then black) in the device-
// dependent form: rows from the top, each padded to a multiple of 2 bytes; 24 and 32 bits store
// blue, green, red (and a spare byte), 1 bit stores 8 pixels a byte from the high bit, 1 for
// white. Null for a zero or negative size, for a side over 16384 pixels or more than 8192 by 8192
// pixels in all, and for other depths.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
// A black bitmap of the context's format: that of the bitmap selected into a memory context (so
// monochrome for a context that holds its initial bitmap), 32 bits for the screen.
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;
constexpr UINT DIB_PAL_COLORS = 1;

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // positive: rows from the bottom up; negative: from the top down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};
typedef BITMAPINFOHEADER* LPBITMAPINFOHEADER;
static_assert(sizeof(BITMAPINFOHEADER) == 40);

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};
typedef BITMAPINFO* LPBITMAPINFO;

#pragma pack(push, 2)
struct BITMAPFILEHEADER {
    WORD bfType;  // "BM"
    DWORD bfSize;
    WORD bfReserved1;
    WORD bfReserved2;
    DWORD bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BITMAPFILEHEADER) == 14);

// Copies scan lines of the bitmap into a device-independent array of 24 or 32 bits per pixel
// (BI_RGB): blue, green, red (and a zero byte for 32 bits), each row padded to a multiple of 4
// bytes, rows from the bottom up unless biHeight is negative. Line numbers count in that row
// order; lines are as wide as biWidth (columns past the bitmap are zero). Returns the lines
// copied. With null bits and biBitCount 0, fills the header with the bitmap's size and depth
// (and biSizeImage) instead; with null bits and a depth, fills biSizeImage only. 0 on failure.
int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
              UINT usage);
// The reverse: sets scan lines of the bitmap from a 24 or 32 bit BI_RGB array.
int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage);

// ---------------------------------------------------------------------------------------------
// Bitmap and image resources

constexpr UINT LR_DEFAULTCOLOR = 0x00000000;
constexpr UINT LR_MONOCHROME = 0x00000001;
constexpr UINT LR_LOADFROMFILE = 0x00000010;
constexpr UINT LR_LOADTRANSPARENT = 0x00000020;
constexpr UINT LR_DEFAULTSIZE = 0x00000040;
constexpr UINT LR_LOADMAP3DCOLORS = 0x00001000;
constexpr UINT LR_CREATEDIBSECTION = 0x00002000;
constexpr UINT LR_SHARED = 0x00008000;

// A new 24-bit bitmap of the module's bitmap resource; null when there is none.
HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR bitmapName);
// IMAGE_BITMAP: a new bitmap of the resource, stretched to cx by cy when they are not 0 (with
// LR_MONOCHROME, a monochrome one). IMAGE_ICON: the module's shared icon (LoadIconA), whatever
// the size asked for. IMAGE_CURSOR: a system cursor (LoadCursorA). Files (LR_LOADFROMFILE) are
// not loaded here: null. The colour mapping flags (LR_LOADMAP3DCOLORS, LR_LOADTRANSPARENT) are
// not applied.
HANDLE LoadImageA(HINSTANCE hInstance, LPCSTR name, UINT type, int cx, int cy, UINT flags);

// ---------------------------------------------------------------------------------------------
// Text

struct TEXTMETRICA {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics);
BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size);

constexpr UINT DT_TOP = 0x00000000;
constexpr UINT DT_LEFT = 0x00000000;
constexpr UINT DT_CENTER = 0x00000001;
constexpr UINT DT_RIGHT = 0x00000002;
constexpr UINT DT_VCENTER = 0x00000004;
constexpr UINT DT_BOTTOM = 0x00000008;
constexpr UINT DT_WORDBREAK = 0x00000010;
constexpr UINT DT_SINGLELINE = 0x00000020;
constexpr UINT DT_EXPANDTABS = 0x00000040;
constexpr UINT DT_TABSTOP = 0x00000080;
constexpr UINT DT_NOCLIP = 0x00000100;
constexpr UINT DT_EXTERNALLEADING = 0x00000200;
constexpr UINT DT_CALCRECT = 0x00000400;
constexpr UINT DT_NOPREFIX = 0x00000800;
constexpr UINT DT_INTERNAL = 0x00001000;
constexpr UINT DT_EDITCONTROL = 0x00002000;
constexpr UINT DT_PATH_ELLIPSIS = 0x00004000;
constexpr UINT DT_END_ELLIPSIS = 0x00008000;
constexpr UINT DT_MODIFYSTRING = 0x00010000;
constexpr UINT DT_RTLREADING = 0x00020000;
constexpr UINT DT_WORD_ELLIPSIS = 0x00040000;
constexpr UINT DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr UINT DT_HIDEPREFIX = 0x00100000;
constexpr UINT DT_PREFIXONLY = 0x00200000;

// Lays the text out in the rectangle (lines at "\n" unless DT_SINGLELINE, words wrapped at its
// width with DT_WORDBREAK; "&" marks the next character unless DT_NOPREFIX) and returns the
// height of the text; DT_VCENTER and DT_BOTTOM apply to single lines. With DT_CALCRECT it only
// sets the rectangle's right and bottom to fit the text. A count of -1 takes the text up to its
// terminating zero.
int DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format);

constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

// Text from the point; ETO_OPAQUE fills the rectangle with the background colour first and
// ETO_CLIPPED keeps the text inside it. Character widths (dx) are not used here.
BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx);
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count);
