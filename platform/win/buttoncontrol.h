// The "Button" control: push buttons, default push buttons, check boxes (two- and three-state,
// automatic or not) and group boxes.
//
// A click (BM_CLICK, or the mouse going down and up on it) turns an automatic check box to its
// next state and sends BN_CLICKED to the parent; a disabled button takes no clicks, and a group box
// reports none.
#pragma once

#include "platform/win/winuser.h"

class CButtonControl {
public:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    UINT m_nCheck = BST_UNCHECKED;
    bool m_bPushed = false;
    bool m_bFocused = false;
};
