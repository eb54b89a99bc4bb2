// The lock count of a module: how many of its objects are alive and how many locks its clients
// hold on its class objects. DllCanUnloadNow answers from it.
//
// Each binary has its own count: GetComModule is inline, and a module is built with hidden
// visibility (lirset_com_module in CMakeLists.txt), so the module's count is not merged with the
// host program's.
#pragma once

#include "platform/com/hresult.h"
#include "platform/com/interlocked.h"

class CComModule {
public:
    LONG Lock() { return InterlockedIncrement(&m_nLockCount); }
    LONG Unlock() { return InterlockedDecrement(&m_nLockCount); }
    LONG GetLockCount() const { return __atomic_load_n(&m_nLockCount, __ATOMIC_SEQ_CST); }

    // S_OK when nothing holds the module, S_FALSE otherwise.
    HRESULT DllCanUnloadNow() const { return GetLockCount() == 0 ? S_OK : S_FALSE; }

private:
    LONG m_nLockCount = 0;
};

inline CComModule& GetComModule() {
    static CComModule s_module;
    return s_module;
}
