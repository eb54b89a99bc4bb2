// The common file-open dialog.
#pragma once

#include <cstddef>

#include "platform/win/winuser.h"

typedef UINT_PTR(CALLBACK* LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAMEA {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;  // pairs of description and pattern, each zero-terminated, then a zero
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;
    LPSTR lpstrFile;  // in: the initial file name; out: the chosen path
    DWORD nMaxFile;   // characters in lpstrFile
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
    LPOFNHOOKPROC lpfnHook;
    LPCSTR lpTemplateName;
    void* pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
};
typedef OPENFILENAMEA* LPOPENFILENAMEA;

// The size of the structure without its last three members, which older callers pass.
constexpr DWORD OPENFILENAME_SIZE_VERSION_400A =
    static_cast<DWORD>(offsetof(OPENFILENAMEA, pvReserved));

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
constexpr DWORD OFN_NOREADONLYRETURN = 0x00008000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

// Errors of CommDlgExtendedError.
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;
constexpr DWORD CDERR_INITIALIZATION = 0x0002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

// Shows the file-open dialog; the UI driver answers with a path or cancels. On a path: TRUE, the
// path in lpstrFile (with nFileOffset and nFileExtension; lpstrDefExt is added to a name without
// an extension) and the file name in lpstrFileTitle. When lpstrFile cannot hold the path: FALSE,
// FNERR_BUFFERTOOSMALL, and the size needed in the first two bytes of lpstrFile. On a cancel:
// FALSE and no error. Every dialog shown is recorded by the UI driver.
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn);
// The error of the last common dialog of this thread, 0 after success or a cancel.
DWORD CommDlgExtendedError();
