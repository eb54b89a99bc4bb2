#include "platform/win/uidriver.h"
#include "platform/win/winuser.h"

int MessageBoxA(HWND hWnd, LPCSTR text, LPCSTR caption, UINT type) {
    return CUIDriver::Get().ShowMessageBox(hWnd, text, caption, type);
}
