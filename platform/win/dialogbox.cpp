// Dialog boxes: creation from templates, the default dialog procedure, the modal run and the
// dialog item functions.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

#include "platform/win/moduleresources.h"
#include "platform/win/uidriver.h"
#include "platform/win/windowmanager.h"
#include "platform/win/winuser.h"

namespace {

constexpr int kSystemBaseX = 8;
constexpr int kSystemBaseY = 16;

// a * b / c rounded half away from zero, as the platform's dialog-unit conversions do.
int ScaleRounded(int a, int b, int c) {
    long long product = static_cast<long long>(a) * b;
    long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

POINT BaseUnits(const SDialogTemplate& dialogTemplate) {
    if ((dialogTemplate.style & DS_SETFONT) != 0 && dialogTemplate.pointSize > 0) {
        int points = dialogTemplate.pointSize;
        return POINT{(points * 6 + 4) / 8, (points * 13 + 4) / 8};
    }
    return POINT{kSystemBaseX, kSystemBaseY};
}

bool IsTabStop(HWND hWnd) {
    auto style = static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE));
    return (style & WS_TABSTOP) != 0 && (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0;
}

HWND FirstTabItem(HWND hDlg) {
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (IsTabStop(hChild)) {
            return hChild;
        }
    }
    return nullptr;
}

// The next (or previous) tab stop after the control, wrapping around.
HWND NextTabItem(HWND hDlg, HWND hControl, bool previous) {
    std::vector<HWND> stops;
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (IsTabStop(hChild)) {
            stops.push_back(hChild);
        }
    }
    if (stops.empty()) {
        return nullptr;
    }
    auto it = std::find(stops.begin(), stops.end(), hControl);
    if (it == stops.end()) {
        return previous ? stops.back() : stops.front();
    }
    auto index = static_cast<size_t>(it - stops.begin());
    return previous ? stops[(index + stops.size() - 1) % stops.size()]
                    : stops[(index + 1) % stops.size()];
}

HWND DefaultButton(HWND hDlg) {
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        char className[16] = {};
        GetClassNameA(hChild, className, sizeof(className));
        auto style = static_cast<DWORD>(GetWindowLongPtrA(hChild, GWL_STYLE));
        if (std::string_view(className) == WC_BUTTONA &&
            (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return hChild;
        }
    }
    return nullptr;
}

// Messages whose result the dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT msg) {
    return msg == WM_INITDIALOG || msg == WM_COMPAREITEM || msg == 0x002E /* WM_VKEYTOITEM */ ||
           msg == 0x002F /* WM_CHARTOITEM */ || msg == 0x0037 /* WM_QUERYDRAGICON */ ||
           (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC);
}

HWND CreateDialogWindow(HINSTANCE hInstance, const SDialogTemplate* dialogTemplate, HWND hWndParent,
                        DLGPROC dialogFunc, LPARAM initParam, bool modal) {
    if (dialogTemplate == nullptr || (hWndParent != nullptr && !IsWindow(hWndParent))) {
        return nullptr;
    }
    const SDialogTemplate& t = *dialogTemplate;
    const POINT units = BaseUnits(t);
    const bool child = (t.style & WS_CHILD) != 0;
    DWORD exStyle = t.exStyle | ((t.style & DS_MODALFRAME) != 0 ? WS_EX_DLGMODALFRAME : 0);
    RECT frame{0, 0, ScaleRounded(t.cx, units.x, 4), ScaleRounded(t.cy, units.y, 8)};
    AdjustWindowRectEx(&frame, t.style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    POINT position{ScaleRounded(t.x, units.x, 4), ScaleRounded(t.y, units.y, 8)};
    if ((t.style & DS_CENTER) != 0 && !child) {
        RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (hWndParent != nullptr) {
            GetWindowRect(hWndParent, &area);
        }
        position = POINT{area.left + (area.right - area.left - width) / 2,
                         area.top + (area.bottom - area.top - height) / 2};
    } else if (!child && hWndParent != nullptr && (t.style & DS_ABSALIGN) == 0) {
        ClientToScreen(hWndParent, &position);
    }
    HWND hDlg = CreateWindowExA(exStyle, WC_DIALOG, t.title, t.style & ~WS_VISIBLE, position.x,
                                position.y, width, height, hWndParent, nullptr, hInstance, nullptr);
    SWindow* window = CWindowManager::Get().Find(hDlg);
    if (window == nullptr) {
        return nullptr;
    }
    window->dialog = true;
    window->dialogBaseX = units.x;
    window->dialogBaseY = units.y;
    SetWindowLongPtrA(hDlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(dialogFunc));
    for (const SDialogItemTemplate& item : t.items) {
        HWND hControl = CreateWindowExA(
            item.exStyle, item.className, item.text, item.style | WS_CHILD | WS_VISIBLE,
            ScaleRounded(item.x, units.x, 4), ScaleRounded(item.y, units.y, 8),
            ScaleRounded(item.cx, units.x, 4), ScaleRounded(item.cy, units.y, 8), hDlg,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), hInstance, nullptr);
        if (hControl == nullptr) {
            DestroyWindow(hDlg);
            return nullptr;
        }
    }
    HWND hFirst = FirstTabItem(hDlg);
    LRESULT setFocus =
        SendMessageA(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(hFirst), initParam);
    if (!IsWindow(hDlg)) {
        return nullptr;
    }
    if (setFocus != 0 && hFirst != nullptr && IsWindow(hFirst)) {
        SetFocus(hFirst);
    }
    if (modal || (t.style & WS_VISIBLE) != 0) {
        ShowWindow(hDlg, SW_SHOWNORMAL);
    }
    return IsWindow(hDlg) ? hDlg : nullptr;
}

INT_PTR RunModalDialog(HINSTANCE hInstance, const SDialogTemplate* dialogTemplate, UINT templateId,
                       HWND hWndParent, DLGPROC dialogFunc, LPARAM initParam) {
    if (dialogTemplate == nullptr || (hWndParent != nullptr && !IsWindow(hWndParent))) {
        return -1;
    }
    HWND hOwner = hWndParent != nullptr ? GetAncestor(hWndParent, GA_ROOT) : nullptr;
    // The owner takes no input while the dialog is up, from its initialisation on.
    const bool disableOwner = hOwner != nullptr && IsWindowEnabled(hOwner);
    if (disableOwner) {
        EnableWindow(hOwner, FALSE);
    }
    HWND hDlg = CreateDialogWindow(hInstance, dialogTemplate, hOwner, dialogFunc, initParam, true);
    INT_PTR result = -1;
    if (hDlg != nullptr) {
        result = CUIDriver::Get().RunModalDialog(hDlg, templateId);
    }
    if (disableOwner && IsWindow(hOwner)) {
        EnableWindow(hOwner, TRUE);
    }
    if (hDlg != nullptr) {
        DestroyWindow(hDlg);
    }
    return result;
}

}  // namespace

INT_PTR DialogBoxParamA(HINSTANCE hInstance, LPCSTR templateName, HWND hWndParent,
                        DLGPROC dialogFunc, LPARAM initParam) {
    UINT id = CModuleResources::ResourceId(templateName);
    return RunModalDialog(hInstance, CModuleResources::FindDialog(hInstance, id), id, hWndParent,
                          dialogFunc, initParam);
}

INT_PTR DialogBoxIndirectParamA(HINSTANCE hInstance, const SDialogTemplate* dialogTemplate,
                                HWND hWndParent, DLGPROC dialogFunc, LPARAM initParam) {
    return RunModalDialog(hInstance, dialogTemplate, 0, hWndParent, dialogFunc, initParam);
}

HWND CreateDialogParamA(HINSTANCE hInstance, LPCSTR templateName, HWND hWndParent,
                        DLGPROC dialogFunc, LPARAM initParam) {
    const SDialogTemplate* dialogTemplate =
        CModuleResources::FindDialog(hInstance, CModuleResources::ResourceId(templateName));
    return CreateDialogWindow(hInstance, dialogTemplate, hWndParent, dialogFunc, initParam, false);
}

HWND CreateDialogIndirectParamA(HINSTANCE hInstance, const SDialogTemplate* dialogTemplate,
                                HWND hWndParent, DLGPROC dialogFunc, LPARAM initParam) {
    return CreateDialogWindow(hInstance, dialogTemplate, hWndParent, dialogFunc, initParam, false);
}

BOOL EndDialog(HWND hDlg, INT_PTR result) {
    SWindow* window = CWindowManager::Get().Find(hDlg);
    if (window == nullptr || !window->dialog) {
        return FALSE;
    }
    window->dialogEnded = true;
    window->dialogResult = result;
    return TRUE;
}

LRESULT DefDlgProcA(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto dialogFunc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hDlg, DWLP_DLGPROC));
    if (dialogFunc != nullptr) {
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0);
        INT_PTR handled = dialogFunc(hDlg, msg, wParam, lParam);
        if (ReturnsDirectly(msg)) {
            return handled;
        }
        if (handled != 0) {
            return GetWindowLongPtrA(hDlg, DWLP_MSGRESULT);
        }
    }
    if (!IsWindow(hDlg)) {
        return 0;
    }
    switch (msg) {
        case WM_CLOSE: {
            HWND hCancel = GetDlgItem(hDlg, IDCANCEL);
            if (hCancel == nullptr || IsWindowEnabled(hCancel)) {
                PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                             reinterpret_cast<LPARAM>(hCancel));
            }
            return 0;
        }
        case WM_NEXTDLGCTL: {
            HWND hTarget = lParam != 0 ? reinterpret_cast<HWND>(wParam)
                                       : NextTabItem(hDlg, GetFocus(), wParam != 0);
            if (hTarget != nullptr && IsChild(hDlg, hTarget)) {
                SetFocus(hTarget);
            }
            return 0;
        }
        case DM_GETDEFID: {
            HWND hDefault = DefaultButton(hDlg);
            return hDefault != nullptr
                       ? MAKELRESULT(static_cast<WORD>(GetDlgCtrlID(hDefault)), DC_HASDEFID)
                       : 0;
        }
        case DM_SETDEFID: {
            if (HWND hOld = DefaultButton(hDlg)) {
                SendMessageA(hOld, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
            }
            if (HWND hNew = GetDlgItem(hDlg, static_cast<int>(wParam))) {
                SendMessageA(hNew, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
            }
            return TRUE;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE &&
                !CWindowManager::Get().IsWithin(GetFocus(), hDlg)) {
                HWND hFirst = FirstTabItem(hDlg);
                SetFocus(hFirst != nullptr ? hFirst : hDlg);
            }
            return 0;
        case WM_INITDIALOG:
        case WM_COMMAND:
        case WM_NOTIFY:
            return 0;
        default:
            return DefWindowProcA(hDlg, msg, wParam, lParam);
    }
}

HWND GetDlgItem(HWND hDlg, int idDlgItem) {
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(hChild) == idDlgItem) {
            return hChild;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
    SWindow* window = CWindowManager::Get().Find(hWnd);
    return window != nullptr && (window->style & WS_CHILD) != 0 ? static_cast<int>(window->id) : 0;
}

BOOL SetDlgItemTextA(HWND hDlg, int idDlgItem, LPCSTR text) {
    return SetWindowTextA(GetDlgItem(hDlg, idDlgItem), text);
}

UINT GetDlgItemTextA(HWND hDlg, int idDlgItem, LPSTR text, int maxCount) {
    HWND hControl = GetDlgItem(hDlg, idDlgItem);
    if (hControl == nullptr) {
        if (text != nullptr && maxCount > 0) {
            text[0] = '\0';
        }
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(hControl, text, maxCount));
}

BOOL SetDlgItemInt(HWND hDlg, int idDlgItem, UINT value, BOOL isSigned) {
    std::string text = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
    return SetDlgItemTextA(hDlg, idDlgItem, text.c_str());
}

UINT GetDlgItemInt(HWND hDlg, int idDlgItem, BOOL* translated, BOOL isSigned) {
    char buffer[32] = {};
    GetDlgItemTextA(hDlg, idDlgItem, buffer, sizeof(buffer));
    std::string_view text(buffer);
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    long long value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    bool valid = !text.empty() && error == std::errc() && end == text.data() + text.size() &&
                 (isSigned ? value >= INT32_MIN && value <= INT32_MAX
                           : value >= 0 && value <= static_cast<long long>(UINT32_MAX));
    if (translated != nullptr) {
        *translated = valid ? TRUE : FALSE;
    }
    return valid ? static_cast<UINT>(value) : 0;
}

BOOL CheckDlgButton(HWND hDlg, int idButton, UINT check) {
    HWND hButton = GetDlgItem(hDlg, idButton);
    if (hButton == nullptr) {
        return FALSE;
    }
    SendMessageA(hButton, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int idButton) {
    return static_cast<UINT>(SendDlgItemMessageA(hDlg, idButton, BM_GETCHECK, 0, 0));
}

LRESULT SendDlgItemMessageA(HWND hDlg, int idDlgItem, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hControl = GetDlgItem(hDlg, idDlgItem);
    return hControl != nullptr ? SendMessageA(hControl, msg, wParam, lParam) : 0;
}

BOOL MapDialogRect(HWND hDlg, LPRECT rect) {
    SWindow* window = CWindowManager::Get().Find(hDlg);
    if (window == nullptr || !window->dialog || rect == nullptr) {
        return FALSE;
    }
    rect->left = ScaleRounded(rect->left, window->dialogBaseX, 4);
    rect->right = ScaleRounded(rect->right, window->dialogBaseX, 4);
    rect->top = ScaleRounded(rect->top, window->dialogBaseY, 8);
    rect->bottom = ScaleRounded(rect->bottom, window->dialogBaseY, 8);
    return TRUE;
}

LONG GetDialogBaseUnits() {
    return MAKELONG(kSystemBaseX, kSystemBaseY);
}
