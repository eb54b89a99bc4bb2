#include "platform/browser/browserframewindow.h"

#include <memory>
#include <utility>

CBrowserFrameWindow::CBrowserFrameWindow(SBrowserFrameCallbacks callbacks)
    : m_callbacks(std::move(callbacks)) {}

CBrowserFrameWindow* CBrowserFrameWindow::Open(SBrowserFrameCallbacks callbacks) {
    auto destroy = [](CBrowserFrameWindow* p) { delete p; };
    std::unique_ptr<CBrowserFrameWindow, decltype(destroy)> pWindow(
        new CBrowserFrameWindow(std::move(callbacks)), destroy);
    if (pWindow->Create(nullptr, CWindow::rcDefault, "Lirset browser") == nullptr) {
        return nullptr;
    }
    // From here on the window's final message deletes the object.
    return pWindow.release();
}

void CBrowserFrameWindow::Close() {
    m_callbacks = {};
    DestroyWindow();
}

LRESULT CBrowserFrameWindow::OnClose(UINT, WPARAM, LPARAM, BOOL&) {
    // A copy: the callback may close the window, which forgets the callbacks.
    std::function<void()> onClose = m_callbacks.onClose;
    if (onClose) {
        onClose();
    }
    return 0;
}

LRESULT CBrowserFrameWindow::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    if (m_callbacks.onDestroyed) {
        std::function<void()> onDestroyed = std::exchange(m_callbacks.onDestroyed, nullptr);
        onDestroyed();
    }
    bHandled = FALSE;
    return 0;
}

void CBrowserFrameWindow::OnFinalMessage(HWND) {
    delete this;
}
