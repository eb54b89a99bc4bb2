// The "tooltips_class32" control: tools (a window, or a rectangle of one, with a text or a text
// callback) and the tip shown for the tool under the pointer, as relayed mouse movements report it.
// The tip is a top-level pop-up window whose text is the text shown.
#pragma once

#include <string>
#include <vector>

#include "platform/win/controls/commctrl.h"

class CTooltipControl {
public:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    struct STool {
        UINT flags = 0;
        HWND hwnd = nullptr;
        UINT_PTR id = 0;
        RECT rect{};
        LPARAM lParam = 0;
        bool callback = false;
        std::string text;
    };

    static LRESULT HandleMessage(HWND hWnd, CTooltipControl& tip, UINT msg, WPARAM wParam,
                                 LPARAM lParam);
    static void Relay(HWND hWnd, const MSG& msg);
    static void Show(HWND hWnd, HWND hwndTool, UINT_PTR id);
    static void Hide(HWND hWnd);
    // The tool's text; a callback tool asks its window (which may do anything meanwhile).
    static std::string ResolveText(HWND hWnd, HWND hwndTool, UINT_PTR id);

    STool* FindTool(HWND hwndTool, UINT_PTR id);
    static bool ReadToolInfo(const TOOLINFOA* info, STool& tool);
    static void SetText(STool& tool, HINSTANCE hinst, LPCSTR text);

    std::vector<STool> m_tools;
    bool m_bActive = true;
    bool m_bShown = false;
    HWND m_hWndCurrent = nullptr;
    UINT_PTR m_idCurrent = 0;
};
