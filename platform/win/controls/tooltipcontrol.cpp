#include "platform/win/controls/tooltipcontrol.h"

#include <algorithm>
#include <cstring>

#include "platform/win/controls/textmetrics.h"
#include "platform/win/controlstates.h"

namespace {

using CTooltipStates = CControlStates<CTooltipControl>;

constexpr int kTipTextMargin = 4;
constexpr int kTipOffsetY = 20;
constexpr size_t kDefaultTextBuffer = 80;
constexpr int kStringResourceBuffer = 1024;

std::string LoadResourceText(HINSTANCE hinst, LPCSTR id) {
    char buffer[kStringResourceBuffer] = {};
    LoadStringA(hinst, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(id)), buffer,
                kStringResourceBuffer);
    return buffer;
}

void CopyText(const std::string& text, LPSTR buffer, size_t size) {
    if (buffer == nullptr || size == 0) {
        return;
    }
    const size_t count = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
}

}  // namespace

CTooltipControl::STool* CTooltipControl::FindTool(HWND hwndTool, UINT_PTR id) {
    auto it = std::find_if(m_tools.begin(), m_tools.end(), [&](const STool& tool) {
        return tool.hwnd == hwndTool && tool.id == id;
    });
    return it != m_tools.end() ? &*it : nullptr;
}

bool CTooltipControl::ReadToolInfo(const TOOLINFOA* info, STool& tool) {
    if (info == nullptr || info->cbSize < TTTOOLINFOA_V1_SIZE) {
        return false;
    }
    tool.flags = info->uFlags;
    tool.hwnd = info->hwnd;
    tool.id = info->uId;
    tool.rect = info->rect;
    if (info->cbSize >= offsetof(TOOLINFOA, lpReserved)) {
        tool.lParam = info->lParam;
    }
    SetText(tool, info->hinst, info->lpszText);
    return true;
}

void CTooltipControl::SetText(STool& tool, HINSTANCE hinst, LPCSTR text) {
    tool.callback = text == LPSTR_TEXTCALLBACKA;
    if (tool.callback || text == nullptr) {
        tool.text.clear();
    } else if (IS_INTRESOURCE(text)) {
        tool.text = hinst != nullptr ? LoadResourceText(hinst, text) : std::string();
    } else {
        tool.text = text;
    }
}

std::string CTooltipControl::ResolveText(HWND hWnd, HWND hwndTool, UINT_PTR id) {
    CTooltipControl* tip = CTooltipStates::Find(hWnd);
    STool* tool = tip != nullptr ? tip->FindTool(hwndTool, id) : nullptr;
    if (tool == nullptr) {
        return {};
    }
    if (!tool->callback) {
        return tool->text;
    }
    NMTTDISPINFOA info{};
    info.hdr = NMHDR{hWnd, id, TTN_GETDISPINFOA};
    info.lpszText = info.szText;
    info.uFlags = tool->flags;
    info.lParam = tool->lParam;
    SendMessageA(hwndTool, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info));
    std::string text;
    if (info.lpszText == info.szText) {
        text.assign(info.szText, strnlen(info.szText, sizeof(info.szText)));
    } else if (info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACKA) {
        text = IS_INTRESOURCE(info.lpszText)
                   ? (info.hinst != nullptr ? LoadResourceText(info.hinst, info.lpszText) : "")
                   : std::string(info.lpszText);
    }
    if ((info.uFlags & TTF_DI_SETITEM) != 0) {
        // The answer is kept; the tool may have gone while its window answered.
        tip = CTooltipStates::Find(hWnd);
        tool = tip != nullptr ? tip->FindTool(hwndTool, id) : nullptr;
        if (tool != nullptr) {
            tool->callback = false;
            tool->text = text;
        }
    }
    return text;
}

void CTooltipControl::Show(HWND hWnd, HWND hwndTool, UINT_PTR id) {
    const std::string text = ResolveText(hWnd, hwndTool, id);
    CTooltipControl* tip = CTooltipStates::Find(hWnd);
    if (tip == nullptr) {
        return;
    }
    if (text.empty()) {
        Hide(hWnd);
        return;
    }
    tip->m_bShown = true;
    tip->m_hWndCurrent = hwndTool;
    tip->m_idCurrent = id;
    SetWindowTextA(hWnd, text.c_str());
    POINT pointer{};
    GetCursorPos(&pointer);
    SetWindowPos(hWnd, HWND_TOPMOST, pointer.x, pointer.y + kTipOffsetY,
                 CTextMetrics::Width(text) + 2 * kTipTextMargin,
                 CTextMetrics::kLineHeight + 2 * kTipTextMargin, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CTooltipControl::Hide(HWND hWnd) {
    if (CTooltipControl* tip = CTooltipStates::Find(hWnd)) {
        tip->m_bShown = false;
        tip->m_hWndCurrent = nullptr;
        tip->m_idCurrent = 0;
    }
    if (IsWindowVisible(hWnd)) {
        ShowWindow(hWnd, SW_HIDE);
    }
}

void CTooltipControl::Relay(HWND hWnd, const MSG& msg) {
    CTooltipControl* tip = CTooltipStates::Find(hWnd);
    if (tip == nullptr) {
        return;
    }
    if (msg.message != WM_MOUSEMOVE || !tip->m_bActive) {
        Hide(hWnd);
        return;
    }
    const POINT point{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    auto it = std::find_if(tip->m_tools.begin(), tip->m_tools.end(), [&](const STool& tool) {
        if ((tool.flags & TTF_IDISHWND) != 0) {
            return reinterpret_cast<HWND>(tool.id) == msg.hwnd;
        }
        return tool.hwnd == msg.hwnd && PtInRect(&tool.rect, point);
    });
    if (it == tip->m_tools.end()) {
        Hide(hWnd);
    } else if (!tip->m_bShown || tip->m_hWndCurrent != it->hwnd || tip->m_idCurrent != it->id) {
        Show(hWnd, it->hwnd, it->id);
    }
}

LRESULT CTooltipControl::HandleMessage(HWND hWnd, CTooltipControl& tip, UINT msg, WPARAM wParam,
                                       LPARAM lParam) {
    auto* info = reinterpret_cast<TOOLINFOA*>(lParam);
    switch (msg) {
        case TTM_ACTIVATE:
            tip.m_bActive = wParam != 0;
            if (!tip.m_bActive) {
                Hide(hWnd);
            }
            return 0;
        case TTM_ADDTOOLA: {
            STool tool;
            if (!ReadToolInfo(info, tool)) {
                return FALSE;
            }
            tip.m_tools.push_back(tool);
            return TRUE;
        }
        case TTM_DELTOOLA:
            if (info != nullptr && info->cbSize >= TTTOOLINFOA_V1_SIZE) {
                const bool current =
                    tip.m_bShown && tip.m_hWndCurrent == info->hwnd && tip.m_idCurrent == info->uId;
                std::erase_if(tip.m_tools, [info](const STool& tool) {
                    return tool.hwnd == info->hwnd && tool.id == info->uId;
                });
                if (current) {
                    Hide(hWnd);
                }
            }
            return 0;
        case TTM_NEWTOOLRECTA:
            if (info != nullptr && info->cbSize >= TTTOOLINFOA_V1_SIZE) {
                if (STool* tool = tip.FindTool(info->hwnd, info->uId)) {
                    tool->rect = info->rect;
                }
            }
            return 0;
        case TTM_RELAYEVENT:
            if (lParam != 0) {
                Relay(hWnd, *reinterpret_cast<const MSG*>(lParam));
            }
            return 0;
        case TTM_GETTOOLINFOA: {
            if (info == nullptr || info->cbSize < TTTOOLINFOA_V1_SIZE) {
                return FALSE;
            }
            STool* tool = tip.FindTool(info->hwnd, info->uId);
            if (tool == nullptr) {
                return FALSE;
            }
            info->uFlags = tool->flags;
            info->rect = tool->rect;
            if (info->cbSize >= offsetof(TOOLINFOA, lpReserved)) {
                info->lParam = tool->lParam;
            }
            if (tool->callback) {
                info->lpszText = LPSTR_TEXTCALLBACKA;
            } else {
                CopyText(tool->text, info->lpszText, kDefaultTextBuffer);
            }
            return TRUE;
        }
        case TTM_GETTEXTA:
            if (info != nullptr && info->cbSize >= TTTOOLINFOA_V1_SIZE) {
                LPSTR buffer = info->lpszText;
                const size_t size = wParam != 0 ? wParam : kDefaultTextBuffer;
                CopyText(ResolveText(hWnd, info->hwnd, info->uId), buffer, size);
            }
            return 0;
        case TTM_UPDATETIPTEXTA:
            if (info != nullptr && info->cbSize >= TTTOOLINFOA_V1_SIZE) {
                if (STool* tool = tip.FindTool(info->hwnd, info->uId)) {
                    SetText(*tool, info->hinst, info->lpszText);
                }
            }
            return 0;
        case TTM_GETTOOLCOUNT:
            return static_cast<LRESULT>(tip.m_tools.size());
        case TTM_POP:
            Hide(hWnd);
            return 0;
        default:
            return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK CTooltipControl::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        CTooltipStates::Create(hWnd);
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    CTooltipControl* tip = CTooltipStates::Find(hWnd);
    if (tip == nullptr) {
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        LRESULT result = DefWindowProcA(hWnd, msg, wParam, lParam);
        CTooltipStates::Remove(hWnd);
        return result;
    }
    return HandleMessage(hWnd, *tip, msg, wParam, lParam);
}
