#include "core/os.h"

#include <windows.h>

namespace tovan::os {

namespace {
// The spin count the system heap uses for its own lock: long enough to outlast
// a pool push or pop on another core, short against a time slice.
constexpr DWORD kSpinCount = 4000;
}  // namespace

void* LockCreate() {
    CRITICAL_SECTION* section = new CRITICAL_SECTION;
    InitializeCriticalSectionAndSpinCount(section, kSpinCount);
    return section;
}

void LockDestroy(void* lock) {
    CRITICAL_SECTION* section = static_cast<CRITICAL_SECTION*>(lock);
    if (!section)
        return;
    DeleteCriticalSection(section);
    delete section;
}

void LockEnter(void* lock) { EnterCriticalSection(static_cast<CRITICAL_SECTION*>(lock)); }
// A critical section lets its owner in again; a plain mutex does not.
bool LockTryEnter(void* lock) {
    CRITICAL_SECTION* section = static_cast<CRITICAL_SECTION*>(lock);
    if (!TryEnterCriticalSection(section))
        return false;
    if (section->RecursionCount > 1) {
        LeaveCriticalSection(section);
        return false;
    }
    return true;
}
void LockLeave(void* lock) { LeaveCriticalSection(static_cast<CRITICAL_SECTION*>(lock)); }

}  // namespace tovan::os
