// The "ReBarWindow32" control: bands in rows, each with a header (gripper and text) and a child
// window, read and written by position (see commctrl.h for the metrics).
//
// A band's child is moved under the rebar and placed in the band; when the band lets it go
// (another child, or the band deleted) it is hidden and given back to the parent it had. Unless
// CCS_NORESIZE, the rebar keeps itself as high as its rows (and, unless CCS_NOPARENTALIGN, as
// wide as its parent, at its top or bottom) and reports a change of height with RBN_HEIGHTCHANGE.
// WM_COMMAND and WM_NOTIFY from the children go on to the rebar's parent, or to the window that
// RB_SETPARENT names.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win/controls/commctrl.h"

class CRebarControl {
public:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    struct SBand {
        UINT style = 0;
        COLORREF foreground = CLR_DEFAULT;
        COLORREF background = CLR_DEFAULT;
        std::string text;
        int image = -1;
        HWND child = nullptr;
        HWND childParent = nullptr;  // the child's parent before the band took it
        UINT cxMinChild = 0;
        UINT cyMinChild = 0;
        UINT cx = 0;
        HBITMAP backgroundBitmap = nullptr;
        UINT id = 0;
        UINT cyChild = 0;
        UINT cyMaxChild = 0;
        UINT cyIntegral = 0;
        UINT cxIdeal = 0;
        LPARAM lParam = 0;
        std::optional<UINT> cxHeader;
    };

    struct SPlace {
        RECT band{};
        RECT child{};
        int row = 0;
    };

    static LRESULT HandleMessage(HWND hWnd, CRebarControl& rebar, UINT msg, WPARAM wParam,
                                 LPARAM lParam);
    // Inserts a band, or changes one, from the record.
    static bool SetBand(HWND hWnd, int index, const REBARBANDINFOA* info, bool insert);
    static bool DeleteBand(HWND hWnd, int index);
    static bool ShowBand(HWND hWnd, int index, bool show);
    static void ReleaseChild(HWND hWndChild, HWND hWndParent);
    // Sizes the rebar to its rows, places the children and reports a change of height.
    static void Arrange(HWND hWnd);

    bool GetBand(int index, REBARBANDINFOA* info) const;
    int HeaderWidth(const SBand& band) const;
    int ChildHeight(const SBand& band) const;
    // The bands' places for a rebar of that width; hidden bands have none.
    std::vector<std::optional<SPlace>> Places(int width) const;
    int BarHeight() const;
    int RowCount() const;

    DWORD m_dwStyle = 0;  // the window's style as the message being handled found it
    HWND m_hWndNotify = nullptr;
    HIMAGELIST m_hImageList = nullptr;
    std::vector<SBand> m_bands;
    int m_nReportedHeight = 0;
    bool m_bArranging = false;
};
