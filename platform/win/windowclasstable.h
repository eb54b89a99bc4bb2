// The window classes of the process.
//
// Classes are shared by every thread; a class record lives as long as a window of it does, even
// after the class is unregistered elsewhere, so a window never outlives its procedure's record.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win/winuser.h"

struct SWindowClass {
    std::string name;
    ATOM atom = 0;
    bool system = false;
    WNDCLASSEXA info{};  // lpszClassName points into name
    std::string menuName;
    std::atomic<int> windowCount{0};
};

class CWindowClassTable {
public:
    static CWindowClassTable& Get();

    CWindowClassTable(const CWindowClassTable&) = delete;
    CWindowClassTable& operator=(const CWindowClassTable&) = delete;

    // 0 when the name is missing or taken, or the structure is not filled in.
    ATOM Register(const WNDCLASSEXA& wc, bool system, ATOM fixedAtom = 0);
    // By name (ASCII case ignored, "#32770" included) or by atom (MAKEINTATOM).
    std::shared_ptr<SWindowClass> Find(LPCSTR nameOrAtom) const;
    // False for a class of the system, an unknown class, or a class that windows still use.
    bool Unregister(LPCSTR nameOrAtom);

private:
    CWindowClassTable();
    std::shared_ptr<SWindowClass> FindLocked(LPCSTR nameOrAtom) const;

    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<SWindowClass>> m_classes;
    ATOM m_nNextAtom = 0xC000;
};
