// The "Edit" control: a text field with a selection and a limit on what may be typed.
//
// WM_SETTEXT takes any text; typing (WM_CHAR) and EM_REPLACESEL insert only what the limit
// (EM_LIMITTEXT, 30000 characters at first) leaves room for, cut at the first line break in a
// single-line field, and report a cut with EN_MAXTEXT. Changes are reported to the parent with
// EN_CHANGE.
#pragma once

#include "platform/win/winuser.h"

class CEditControl {
public:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    DWORD m_nLimit = 0;
    DWORD m_nSelectionStart = 0;
    DWORD m_nSelectionEnd = 0;
    bool m_bModified = false;

private:
    static void Notify(HWND hWnd, WORD code);
    static void ReplaceSelection(HWND hWnd, CEditControl& edit, const char* text);
};
