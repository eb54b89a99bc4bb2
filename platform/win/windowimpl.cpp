#include "platform/win/windowimpl.h"

#include <cstdio>

namespace {

thread_local void* t_pCreatingObject = nullptr;

}  // namespace

CWindowCreationContext::CWindowCreationContext(void* pObject) : m_pPrevious(t_pCreatingObject) {
    t_pCreatingObject = pObject;
}

CWindowCreationContext::~CWindowCreationContext() {
    t_pCreatingObject = m_pPrevious;
}

void* CWindowCreationContext::Take() {
    void* pObject = t_pCreatingObject;
    t_pCreatingObject = nullptr;
    return pObject;
}

CWndClassInfo::CWndClassInfo(LPCSTR lpszClassName, LPCSTR lpszOrigName, WNDPROC pfnStartProc,
                             UINT style, int background)
    : m_wc{}, m_lpszOrigName(lpszOrigName), m_lpszCursorID(IDC_ARROW), m_szAutoName{} {
    m_wc.cbSize = sizeof(m_wc);
    m_wc.style = style;
    m_wc.lpfnWndProc = pfnStartProc;
    m_wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background));
    m_wc.lpszClassName = lpszClassName;
}

ATOM CWndClassInfo::Register(WNDPROC* pProc) {
    WNDCLASSEXA wc = m_wc;
    WNDPROC pfnSuper = DefWindowProcA;
    if (m_lpszOrigName != nullptr) {
        WNDCLASSEXA base{};
        base.cbSize = sizeof(base);
        if (!GetClassInfoExA(nullptr, m_lpszOrigName, &base)) {
            return 0;
        }
        pfnSuper = base.lpfnWndProc;
        wc = base;
        wc.style &= ~CS_GLOBALCLASS;
        wc.lpfnWndProc = m_wc.lpfnWndProc;
        wc.lpszClassName = m_wc.lpszClassName;
    }
    wc.hInstance = CModuleResources::GetResourceInstance();
    if (wc.lpszClassName == nullptr) {
        // A class the framework names itself, unique to this class information.
        std::snprintf(m_szAutoName, sizeof(m_szAutoName), "Lirset:%p", static_cast<void*>(this));
        wc.lpszClassName = m_szAutoName;
    }
    if (wc.hCursor == nullptr && m_lpszCursorID != nullptr) {
        wc.hCursor = LoadCursorA(nullptr, m_lpszCursorID);
    }
    *pProc = pfnSuper;
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (ATOM atom = static_cast<ATOM>(GetClassInfoExA(wc.hInstance, wc.lpszClassName, &existing))) {
        return atom;
    }
    return RegisterClassExA(&wc);
}
