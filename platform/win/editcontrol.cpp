#include "platform/win/editcontrol.h"

#include <algorithm>
#include <string>

#include "platform/win/controlstates.h"
#include "platform/win/windowmanager.h"

namespace {

constexpr DWORD kInitialLimit = 30000;
constexpr DWORD kSingleLineMaximum = 0x7FFFFFFE;
constexpr DWORD kMultiLineMaximum = 0xFFFFFFFF;
constexpr char kBackspace = '\b';

using CEditStates = CControlStates<CEditControl>;

bool IsMultiLine(HWND hWnd) {
    return (static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE)) & ES_MULTILINE) != 0;
}

}  // namespace

void CEditControl::Notify(HWND hWnd, WORD code) {
    SendMessageA(GetParent(hWnd), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hWnd)), code),
                 reinterpret_cast<LPARAM>(hWnd));
}

void CEditControl::ReplaceSelection(HWND hWnd, CEditControl& edit, const char* text) {
    SWindow* window = CWindowManager::Get().Find(hWnd);
    std::string inserted = text != nullptr ? text : "";
    if (!IsMultiLine(hWnd)) {
        inserted = inserted.substr(0, inserted.find_first_of("\r\n"));
    }
    std::string& content = window->text;
    DWORD start = std::min<DWORD>(edit.m_nSelectionStart, static_cast<DWORD>(content.size()));
    DWORD end = std::min<DWORD>(edit.m_nSelectionEnd, static_cast<DWORD>(content.size()));
    size_t kept = content.size() - (end - start);
    size_t room = edit.m_nLimit > kept ? edit.m_nLimit - kept : 0;
    const bool cut = inserted.size() > room;
    if (cut) {
        inserted.resize(room);
    }
    content.replace(start, end - start, inserted);
    edit.m_nSelectionStart = edit.m_nSelectionEnd = start + static_cast<DWORD>(inserted.size());
    edit.m_bModified = true;
    if (cut) {
        Notify(hWnd, EN_MAXTEXT);
    }
    Notify(hWnd, EN_UPDATE);
    Notify(hWnd, EN_CHANGE);
}

LRESULT CALLBACK CEditControl::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        CEditStates::Create(hWnd).m_nLimit = kInitialLimit;
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    CEditControl* edit = CEditStates::Find(hWnd);
    if (edit == nullptr) {
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    switch (msg) {
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcA(hWnd, msg, wParam, lParam);
            if ((edit = CEditStates::Find(hWnd)) != nullptr) {
                edit->m_nSelectionStart = edit->m_nSelectionEnd = 0;
                edit->m_bModified = false;
                if (!IsMultiLine(hWnd)) {
                    Notify(hWnd, EN_CHANGE);
                }
            }
            return result;
        }
        case EM_GETSEL: {
            if (wParam != 0) {
                *reinterpret_cast<DWORD*>(wParam) = edit->m_nSelectionStart;
            }
            if (lParam != 0) {
                *reinterpret_cast<DWORD*>(lParam) = edit->m_nSelectionEnd;
            }
            return MAKELRESULT(static_cast<WORD>(std::min<DWORD>(edit->m_nSelectionStart, 0xFFFF)),
                               static_cast<WORD>(std::min<DWORD>(edit->m_nSelectionEnd, 0xFFFF)));
        }
        case EM_SETSEL: {
            auto length = static_cast<DWORD>(GetWindowTextLengthA(hWnd));
            auto start = static_cast<INT_PTR>(wParam);
            auto end = static_cast<INT_PTR>(lParam);
            if (start == -1) {
                edit->m_nSelectionStart = edit->m_nSelectionEnd;
                return 0;
            }
            DWORD first = std::min<DWORD>(static_cast<DWORD>(std::max<INT_PTR>(start, 0)), length);
            DWORD last = end < 0 ? length : std::min<DWORD>(static_cast<DWORD>(end), length);
            edit->m_nSelectionStart = std::min(first, last);
            edit->m_nSelectionEnd = std::max(first, last);
            return 0;
        }
        case EM_REPLACESEL:
            ReplaceSelection(hWnd, *edit, reinterpret_cast<const char*>(lParam));
            return 0;
        case WM_CHAR: {
            if ((GetWindowLongPtrA(hWnd, GWL_STYLE) & ES_READONLY) != 0) {
                return 0;
            }
            auto c = static_cast<char>(wParam);
            if (c == kBackspace) {
                if (edit->m_nSelectionStart == edit->m_nSelectionEnd &&
                    edit->m_nSelectionStart > 0) {
                    --edit->m_nSelectionStart;
                }
                ReplaceSelection(hWnd, *edit, "");
            } else if (static_cast<unsigned char>(c) >= ' ') {
                const char typed[2] = {c, '\0'};
                ReplaceSelection(hWnd, *edit, typed);
            }
            return 0;
        }
        case EM_LIMITTEXT:
            edit->m_nLimit = wParam != 0
                                 ? static_cast<DWORD>(wParam)
                                 : (IsMultiLine(hWnd) ? kMultiLineMaximum : kSingleLineMaximum);
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(edit->m_nLimit);
        case EM_GETMODIFY:
            return edit->m_bModified ? TRUE : FALSE;
        case EM_SETMODIFY:
            edit->m_bModified = wParam != 0;
            return 0;
        case EM_SETREADONLY: {
            auto style = static_cast<DWORD>(GetWindowLongPtrA(hWnd, GWL_STYLE));
            style = wParam != 0 ? (style | ES_READONLY) : (style & ~ES_READONLY);
            SetWindowLongPtrA(hWnd, GWL_STYLE, static_cast<LONG_PTR>(style));
            return TRUE;
        }
        case EM_GETLINECOUNT: {
            SWindow* window = CWindowManager::Get().Find(hWnd);
            if (!IsMultiLine(hWnd)) {
                return 1;
            }
            return 1 + std::count(window->text.begin(), window->text.end(), '\n');
        }
        case WM_SETFOCUS:
            Notify(hWnd, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            Notify(hWnd, EN_KILLFOCUS);
            return 0;
        case WM_NCDESTROY: {
            LRESULT result = DefWindowProcA(hWnd, msg, wParam, lParam);
            CEditStates::Remove(hWnd);
            return result;
        }
        default:
            return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}
