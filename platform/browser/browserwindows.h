// The list of browser application windows opened (through CoCreateInstance of the browser
// application class), with what was done to each: its properties, the addresses it was sent to and
// whether it was quit. Tests read it, and the host prints it.
//
// The list belongs to the process and outlives the windows: a record stays after its window has
// been quit or destroyed, until Clear.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win/winuser.h"

struct SBrowserWindowRecord {
    int id = 0;  // 1 for the first window opened, 2 for the next, ...
    HWND hwnd = nullptr;
    bool visible = false;
    bool addressBar = true;
    bool statusBar = true;
    bool menuBar = true;
    int toolBar = 1;
    LONG width = 0;
    LONG height = 0;
    // The addresses given to Navigate or Navigate2, in order, as UTF-8.
    std::vector<std::string> navigations;
    // Every property change, navigation and quit in the order made: "put_AddressBar(FALSE)",
    // "put_Width(500)", "Navigate(http://...)", "Quit()".
    std::vector<std::string> operations;
    bool quit = false;
    // The window is gone: quit, closed, or its browser released.
    bool closed = false;
};

class CBrowserWindows {
public:
    static CBrowserWindows& Get();

    CBrowserWindows() = default;
    CBrowserWindows(const CBrowserWindows&) = delete;
    CBrowserWindows& operator=(const CBrowserWindows&) = delete;

    // Adds a record for a window just opened; returns its id.
    int Add(HWND hwnd, LONG width, LONG height);
    // Changes the record with the id; nothing happens when there is none (it was cleared).
    void Update(int id, const std::function<void(SBrowserWindowRecord&)>& change);

    std::vector<SBrowserWindowRecord> List() const;
    // The record with the id, or an empty record (id 0) when there is none.
    SBrowserWindowRecord Find(int id) const;
    // Forgets every record; ids go on counting.
    void Clear();

private:
    mutable std::mutex m_mutex;
    int m_nLastId = 0;
    std::vector<SBrowserWindowRecord> m_vecRecords;
};
