// Interlocked increment and decrement of a 32-bit count, for reference counts that several
// threads may change.
#pragma once

#include "platform/win/windef.h"

// Both return the count after the change.
inline LONG InterlockedIncrement(LONG volatile* addend) {
    return __atomic_add_fetch(addend, 1, __ATOMIC_SEQ_CST);
}

inline LONG InterlockedDecrement(LONG volatile* addend) {
    return __atomic_sub_fetch(addend, 1, __ATOMIC_SEQ_CST);
}
