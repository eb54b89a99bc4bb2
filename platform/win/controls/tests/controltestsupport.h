// Test support: the common controls registered once, and a parent window that records what its
// controls send it (with copies of the structures, which live only during the call) and answers
// as a test tells it to.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/win/controls/commctrl.h"
#include "platform/win/controls/textdrawlog.h"
#include "platform/win/controls/wingdi.h"
#include "platform/win/winuser.h"

struct SNotice {
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    NMHDR header{};          // WM_NOTIFY
    NMTOOLBARA toolbar{};    // TBN_DROPDOWN
    std::string buttonText;  // the text behind toolbar.tbButton.iString when it is a pointer
    DRAWITEMSTRUCT draw{};
    MEASUREITEMSTRUCT measure{};
    DELETEITEMSTRUCT deleted{};

    static SNotice Of(UINT msg, WPARAM wParam, LPARAM lParam) {
        SNotice notice;
        notice.msg = msg;
        notice.wParam = wParam;
        notice.lParam = lParam;
        return notice;
    }

    WORD Id() const { return LOWORD(wParam); }
    WORD Code() const { return HIWORD(wParam); }
};

class CRecordingParent {
public:
    static constexpr const char* kClassName = "ControlsTestParent";

    CRecordingParent(int x, int y, int cx, int cy, DWORD style = WS_OVERLAPPED | WS_VISIBLE) {
        WNDCLASSEXA existing{};
        existing.cbSize = sizeof(existing);
        if (!GetClassInfoExA(nullptr, kClassName, &existing)) {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = WindowProc;
            wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
            wc.lpszClassName = kClassName;
            RegisterClassExA(&wc);
        }
        m_hWnd = CreateWindowExA(0, kClassName, "parent", style, x, y, cx, cy, nullptr, nullptr,
                                 nullptr, this);
    }
    ~CRecordingParent() {
        if (IsWindow(m_hWnd)) {
            DestroyWindow(m_hWnd);
        }
    }
    CRecordingParent(const CRecordingParent&) = delete;
    CRecordingParent& operator=(const CRecordingParent&) = delete;

    HWND Get() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    std::vector<SNotice> m_notices;
    std::function<LRESULT(NMHDR*)> m_onNotify;
    std::function<void(const DRAWITEMSTRUCT&)> m_onDrawItem;
    std::function<void(MEASUREITEMSTRUCT&)> m_onMeasureItem;
    std::function<int(const COMPAREITEMSTRUCT&)> m_onCompareItem;

    std::vector<SNotice> Of(UINT msg) const {
        std::vector<SNotice> found;
        for (const SNotice& notice : m_notices) {
            if (notice.msg == msg) {
                found.push_back(notice);
            }
        }
        return found;
    }
    std::vector<SNotice> Notifications(UINT code) const {
        std::vector<SNotice> found;
        for (const SNotice& notice : Of(WM_NOTIFY)) {
            if (notice.header.code == code) {
                found.push_back(notice);
            }
        }
        return found;
    }
    // The notification codes of the WM_COMMAND messages, in order.
    std::vector<WORD> CommandCodes() const {
        std::vector<WORD> codes;
        for (const SNotice& notice : Of(WM_COMMAND)) {
            codes.push_back(notice.Code());
        }
        return codes;
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        }
        auto* self = reinterpret_cast<CRecordingParent*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (self == nullptr) {
            return DefWindowProcA(hWnd, msg, wParam, lParam);
        }
        switch (msg) {
            case WM_COMMAND:
                self->m_notices.push_back(SNotice::Of(msg, wParam, lParam));
                return 0;
            case WM_NOTIFY:
                return self->OnNotify(wParam, lParam);
            case WM_DRAWITEM: {
                SNotice notice = SNotice::Of(msg, wParam, lParam);
                notice.draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                self->m_notices.push_back(notice);
                if (self->m_onDrawItem) {
                    self->m_onDrawItem(notice.draw);
                }
                return TRUE;
            }
            case WM_MEASUREITEM: {
                auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                if (self->m_onMeasureItem) {
                    self->m_onMeasureItem(*measure);
                }
                SNotice notice = SNotice::Of(msg, wParam, lParam);
                notice.measure = *measure;
                self->m_notices.push_back(notice);
                return TRUE;
            }
            case WM_COMPAREITEM:
                self->m_notices.push_back(SNotice::Of(msg, wParam, lParam));
                return self->m_onCompareItem
                           ? self->m_onCompareItem(
                                 *reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam))
                           : 0;
            case WM_DELETEITEM: {
                SNotice notice = SNotice::Of(msg, wParam, lParam);
                notice.deleted = *reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
                self->m_notices.push_back(notice);
                return TRUE;
            }
            default:
                return DefWindowProcA(hWnd, msg, wParam, lParam);
        }
    }

    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        SNotice notice = SNotice::Of(WM_NOTIFY, wParam, lParam);
        notice.header = *header;
        if (header->code == TBN_DROPDOWN) {
            notice.toolbar = *reinterpret_cast<const NMTOOLBARA*>(lParam);
            const INT_PTR text = notice.toolbar.tbButton.iString;
            if (text > 0xFFFF) {
                notice.buttonText = reinterpret_cast<LPCSTR>(text);
            }
        }
        m_notices.push_back(notice);
        return m_onNotify ? m_onNotify(header) : 0;
    }

    HWND m_hWnd = nullptr;
};

// A window destroyed with the test, if it still exists.
class CTestWindow {
public:
    explicit CTestWindow(HWND hWnd) : m_hWnd(hWnd) {}
    ~CTestWindow() {
        if (IsWindow(m_hWnd)) {
            DestroyWindow(m_hWnd);
        }
    }
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;
    operator HWND() const { return m_hWnd; }
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

// A bitmap selected into its own memory context for the life of the object.
class CMemoryBitmap {
public:
    CMemoryBitmap(int width, int height, UINT bitsPerPixel = 32)
        : m_hdc(CreateCompatibleDC(nullptr)),
          m_hBitmap(CreateBitmap(width, height, 1, bitsPerPixel, nullptr)),
          m_hOld(SelectObject(m_hdc, m_hBitmap)) {}
    ~CMemoryBitmap() {
        SelectObject(m_hdc, m_hOld);
        DeleteDC(m_hdc);
        DeleteObject(m_hBitmap);
    }
    CMemoryBitmap(const CMemoryBitmap&) = delete;
    CMemoryBitmap& operator=(const CMemoryBitmap&) = delete;

    HDC Dc() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_hBitmap; }
    void Fill(COLORREF colour) const {
        BITMAP info{};
        GetObjectA(m_hBitmap, sizeof(info), &info);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all{0, 0, info.bmWidth, info.bmHeight};
        FillRect(m_hdc, &all, brush);
        DeleteObject(brush);
    }

private:
    HDC m_hdc;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

// Registers the controls once and starts each test with an empty text draw log.
class CControlsTest : public ::testing::Test {
protected:
    // In the constructor, not in SetUp: fixtures derived from this one create their controls in
    // their own constructors, which run before SetUp.
    CControlsTest() {
        const INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_WIN95_CLASSES | ICC_COOL_CLASSES};
        m_bInitialised = InitCommonControlsEx(&init) != FALSE;
        CTextDrawLog::Get().Clear();
    }
    void SetUp() override { ASSERT_TRUE(m_bInitialised); }

private:
    bool m_bInitialised = false;
};

inline bool operator==(const RECT& first, const RECT& second) {
    return EqualRect(&first, &second) != FALSE;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& rect) {
    return out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
               << "}";
}
