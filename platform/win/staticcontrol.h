// The "Static" control: a text, or an icon or bitmap. A static with SS_ICON created with the text
// "#id" (as dialog templates do) shows the icon resource id of its module.
#pragma once

#include "platform/win/winuser.h"

class CStaticControl {
public:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HICON m_hIcon = nullptr;
    HBITMAP m_hBitmap = nullptr;
};
