// Test support: a window class whose procedure logs every message, and a window that is destroyed
// with the test.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/win/winuser.h"

struct SLoggedMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class CMessageLog {
public:
    static CMessageLog& Get() {
        static CMessageLog log;
        return log;
    }

    void Add(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        m_entries.push_back(SLoggedMessage{hWnd, msg, wParam, lParam});
    }
    void Clear() { m_entries.clear(); }
    const std::vector<SLoggedMessage>& Entries() const { return m_entries; }

    // The messages the window got, in order, keeping only those listed (all when none are).
    std::vector<UINT> MessagesOf(HWND hWnd, std::vector<UINT> only = {}) const {
        std::vector<UINT> messages;
        for (const SLoggedMessage& entry : m_entries) {
            if (entry.hwnd == hWnd &&
                (only.empty() || std::find(only.begin(), only.end(), entry.msg) != only.end())) {
                messages.push_back(entry.msg);
            }
        }
        return messages;
    }

    // (window, message) for the listed messages, in the order they came.
    std::vector<std::pair<HWND, UINT>> Sequence(std::vector<UINT> only) const {
        std::vector<std::pair<HWND, UINT>> sequence;
        for (const SLoggedMessage& entry : m_entries) {
            if (std::find(only.begin(), only.end(), entry.msg) != only.end()) {
                sequence.emplace_back(entry.hwnd, entry.msg);
            }
        }
        return sequence;
    }

    const SLoggedMessage* Last(HWND hWnd, UINT msg) const {
        for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
            if (it->hwnd == hWnd && it->msg == msg) {
                return &*it;
            }
        }
        return nullptr;
    }

private:
    std::vector<SLoggedMessage> m_entries;
};

// Keeps the creation parameter as the window's user data.
inline LRESULT CALLBACK LoggingWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CMessageLog::Get().Add(hWnd, msg, wParam, lParam);
    if (msg == WM_CREATE) {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

inline constexpr const char* kLoggingClass = "TestLoggingWindow";

// Registers the logging class once for the process.
inline void RegisterLoggingClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = LoggingWindowProc;
    wc.cbWndExtra = 16;
    wc.lpszClassName = kLoggingClass;
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(nullptr, kLoggingClass, &existing)) {
        RegisterClassExA(&wc);
    }
}

// A window destroyed at the end of the scope, if it still exists.
class CScopedWindow {
public:
    explicit CScopedWindow(HWND hWnd) : m_hWnd(hWnd) {}
    ~CScopedWindow() {
        if (IsWindow(m_hWnd)) {
            DestroyWindow(m_hWnd);
        }
    }
    CScopedWindow(const CScopedWindow&) = delete;
    CScopedWindow& operator=(const CScopedWindow&) = delete;
    operator HWND() const { return m_hWnd; }
    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

inline HWND CreateLoggingWindow(DWORD style, int x, int y, int cx, int cy,
                                HWND hWndParent = nullptr, int id = 0, DWORD exStyle = 0) {
    RegisterLoggingClass();
    return CreateWindowExA(exStyle, kLoggingClass, "test", style, x, y, cx, cy, hWndParent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}
