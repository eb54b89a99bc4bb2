// The per-window state of a control class, kept beside the window for as long as it exists.
#pragma once

#include <memory>
#include <unordered_map>

#include "platform/win/winuser.h"

template <class T>
class CControlStates {
public:
    static T* Find(HWND hWnd) {
        auto it = Map().find(hWnd);
        return it != Map().end() ? it->second.get() : nullptr;
    }
    static T& Create(HWND hWnd) {
        auto& slot = Map()[hWnd];
        slot = std::make_unique<T>();
        return *slot;
    }
    static void Remove(HWND hWnd) { Map().erase(hWnd); }

private:
    static std::unordered_map<HWND, std::unique_ptr<T>>& Map() {
        thread_local std::unordered_map<HWND, std::unique_ptr<T>> states;
        return states;
    }
};
