// cLock, the framework's mutex: plain and non-recursive (a thread must never
// take one it holds), spinning briefly before it sleeps, since the sections it
// guards (pool pushes and pops, the log's pending text) are a few instructions.
#pragma once
#include "core/os.h"

namespace tovan {

class cLock {
public:
    cLock() : m_Handle(os::LockCreate()) {}
    ~cLock() { os::LockDestroy(m_Handle); }
    cLock(const cLock&) = delete;
    cLock& operator=(const cLock&) = delete;

    // The standard library's names, so std::lock_guard and std::unique_lock take it.
    void lock() { os::LockEnter(m_Handle); }
    bool try_lock() { return os::LockTryEnter(m_Handle); }
    void unlock() { os::LockLeave(m_Handle); }

private:
    void* m_Handle;
};

}  // namespace tovan
