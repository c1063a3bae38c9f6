#include "tests/support/clipboard_lock_win32.h"

#include <windows.h>

namespace tovan::test {

namespace {
constexpr DWORD kWaitMs = 60000;  // far beyond any clipboard test; a hung holder fails the waiter
}

ClipboardLock::ClipboardLock() {
    m_Mutex = CreateMutexA(nullptr, FALSE, "tovan-tests-clipboard");
    if (m_Mutex) {
        // An abandoned lock (its holder crashed) is still handed over.
        const DWORD result = WaitForSingleObject(m_Mutex, kWaitMs);
        if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED) {
            CloseHandle(m_Mutex);
            m_Mutex = nullptr;
        }
    }
}

ClipboardLock::~ClipboardLock() {
    if (!m_Mutex)
        return;
    ReleaseMutex(m_Mutex);
    CloseHandle(m_Mutex);
}

}  // namespace tovan::test
