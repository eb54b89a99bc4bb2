#include "platform/win/windowclasstable.h"

#include "platform/win/buttoncontrol.h"
#include "platform/win/editcontrol.h"
#include "platform/win/staticcontrol.h"

namespace {

constexpr ATOM kDialogClassAtom = 0x8002;

std::string ClassKey(LPCSTR name) {
    std::string key;
    for (const char* p = name; *p != '\0'; ++p) {
        char c = *p;
        key += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return key;
}

WNDCLASSEXA SystemClass(LPCSTR name, WNDPROC proc, int cbWndExtra) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = cbWndExtra;
    wc.lpszClassName = name;
    return wc;
}

}  // namespace

CWindowClassTable& CWindowClassTable::Get() {
    static CWindowClassTable table;
    return table;
}

CWindowClassTable::CWindowClassTable() {
    Register(SystemClass("#32769", DefWindowProcA, 0), true);
    Register(SystemClass("#32770", DefDlgProcA, DLGWINDOWEXTRA), true, kDialogClassAtom);
    Register(SystemClass(WC_BUTTONA, CButtonControl::WindowProc, 0), true);
    Register(SystemClass(WC_EDITA, CEditControl::WindowProc, 0), true);
    Register(SystemClass(WC_STATICA, CStaticControl::WindowProc, 0), true);
    Register(SystemClass(WC_SCROLLBARA, DefWindowProcA, 0), true);
}

ATOM CWindowClassTable::Register(const WNDCLASSEXA& wc, bool system, ATOM fixedAtom) {
    if (wc.cbSize != sizeof(WNDCLASSEXA) || wc.lpszClassName == nullptr ||
        IS_INTRESOURCE(wc.lpszClassName) || *wc.lpszClassName == '\0' ||
        wc.lpfnWndProc == nullptr || wc.cbWndExtra < 0 || wc.cbClsExtra < 0) {
        return 0;
    }
    std::lock_guard lock(m_mutex);
    if (FindLocked(wc.lpszClassName)) {
        return 0;
    }
    auto record = std::make_shared<SWindowClass>();
    record->name = wc.lpszClassName;
    record->atom = fixedAtom != 0 ? fixedAtom : m_nNextAtom++;
    record->system = system;
    record->info = wc;
    record->info.lpszClassName = record->name.c_str();
    if (wc.lpszMenuName != nullptr && !IS_INTRESOURCE(wc.lpszMenuName)) {
        record->menuName = wc.lpszMenuName;
        record->info.lpszMenuName = record->menuName.c_str();
    }
    m_classes.push_back(record);
    return record->atom;
}

std::shared_ptr<SWindowClass> CWindowClassTable::Find(LPCSTR nameOrAtom) const {
    std::lock_guard lock(m_mutex);
    return FindLocked(nameOrAtom);
}

std::shared_ptr<SWindowClass> CWindowClassTable::FindLocked(LPCSTR nameOrAtom) const {
    if (nameOrAtom == nullptr) {
        return nullptr;
    }
    if (IS_INTRESOURCE(nameOrAtom)) {
        auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom));
        for (const auto& record : m_classes) {
            if (record->atom == atom) {
                return record;
            }
        }
        return nullptr;
    }
    std::string key = ClassKey(nameOrAtom);
    for (const auto& record : m_classes) {
        if (ClassKey(record->name.c_str()) == key) {
            return record;
        }
    }
    return nullptr;
}

bool CWindowClassTable::Unregister(LPCSTR nameOrAtom) {
    std::lock_guard lock(m_mutex);
    auto record = FindLocked(nameOrAtom);
    if (!record || record->system || record->windowCount.load() > 0) {
        return false;
    }
    std::erase(m_classes, record);
    return true;
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
    return wc != nullptr ? CWindowClassTable::Get().Register(*wc, false) : 0;
}

BOOL GetClassInfoExA(HINSTANCE, LPCSTR className, WNDCLASSEXA* wc) {
    if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEXA)) {
        return FALSE;
    }
    auto record = CWindowClassTable::Get().Find(className);
    if (!record) {
        return FALSE;
    }
    *wc = record->info;
    // The platform answers with the class atom, which is never 0.
    return static_cast<BOOL>(record->atom);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    return CWindowClassTable::Get().Unregister(className) ? TRUE : FALSE;
}
