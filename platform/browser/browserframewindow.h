// The top-level frame window of a browser application: the window that get_HWND gives and that
// the host puts its rebar into. It is created hidden; closing it (WM_CLOSE, the close box) asks
// its browser to quit instead of destroying the window behind the browser's back.
//
// The window object owns itself: it is deleted after its window's last message, so that a browser
// released while the window is handling a message (a sink that lets go of the browser at OnQuit)
// does not pull the object from under that message. Its owner hears of the window's end through
// onDestroyed, whoever destroys it, and stops using the object then.
#pragma once

#include <functional>

#include "platform/win/windowimpl.h"

struct SBrowserFrameCallbacks {
    std::function<void()> onClose;
    std::function<void()> onDestroyed;
};

class CBrowserFrameWindow : public CWindowImpl<CBrowserFrameWindow, CWindow, CFrameWinTraits> {
public:
    DECLARE_WND_CLASS("LirsetBrowserFrame")

    BEGIN_MSG_MAP(CBrowserFrameWindow)
    MESSAGE_HANDLER(WM_CLOSE, OnClose)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

    // Creates the hidden window at the system's default place and size; null when it cannot be
    // created.
    static CBrowserFrameWindow* Open(SBrowserFrameCallbacks callbacks);

    // Forgets the callbacks and destroys the window; the object goes with it.
    void Close();

private:
    explicit CBrowserFrameWindow(SBrowserFrameCallbacks callbacks);
    ~CBrowserFrameWindow() override = default;

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled);
    void OnFinalMessage(HWND) override;

    SBrowserFrameCallbacks m_callbacks;
};
