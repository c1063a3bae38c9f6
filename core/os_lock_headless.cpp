// Natively a lock is real, as threads are: one word that holders swap, with a
// sleeping place for the threads that gave up spinning.
#include "core/os.h"

#include <sys/single_threaded.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace tovan::os {

namespace {

// Free, held, or held while some thread may sleep (its leaving must wake one).
enum : int { kFree = 0, kHeld = 1, kHeldWithSleepers = 2 };

// A waiter's pause instructions (some 25 ns each on current processors): the
// first wait, the longest between two looks at the word, and the sum spent
// before it sleeps (some hundreds of microseconds: far beyond a pool push or
// pop, below a time slice). Long gaps leave the holder alone with the pool's
// cache lines, so that it gets through many sections while others wait.
constexpr int kFirstPause = 32;
constexpr int kLongestPause = 4096;
constexpr int kSpinBudget = 16384;

struct HeadlessLock {
    std::atomic<int> state{kFree};
    std::mutex sleepLock;
    std::condition_variable wake;
};

// Lets the other hardware thread of the core run and eases the memory traffic
// of the wait; the instruction-set check stays here.
inline void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#else
    std::atomic_signal_fence(std::memory_order_seq_cst);
#endif
}

bool TakeFree(HeadlessLock* l) {
    int expected = kFree;
    return l->state.compare_exchange_strong(expected, kHeld, std::memory_order_acquire, std::memory_order_relaxed);
}

}  // namespace

void* LockCreate() { return new HeadlessLock; }
void LockDestroy(void* lock) { delete static_cast<HeadlessLock*>(lock); }

bool LockTryEnter(void* lock) {
    HeadlessLock* l = static_cast<HeadlessLock*>(lock);
    return l->state.load(std::memory_order_relaxed) == kFree && TakeFree(l);
}

// While the process has one thread nothing can race for the word, and the C
// library says so until a second thread starts (the start orders our plain
// writes before that thread's first look): the pools then pay no locked
// instruction, as the C library's own mutexes do not.
void LockEnter(void* lock) {
    HeadlessLock* l = static_cast<HeadlessLock*>(lock);
    if (__libc_single_threaded) {
        l->state.store(kHeld, std::memory_order_relaxed);
        return;
    }
    if (TakeFree(l))
        return;
    // Spin on reads only, backing off: between two looks the word and the
    // pool stay in the holder's cache.
    int pause = kFirstPause;
    for (int spent = 0; spent < kSpinBudget; spent += pause) {
        for (int i = 0; i < pause; ++i)
            CpuRelax();
        if (l->state.load(std::memory_order_relaxed) == kFree && TakeFree(l))
            return;
        if (pause < kLongestPause)
            pause *= 2;
    }
    // A sleeper marks the word before it waits, under the sleeping place's own
    // mutex, so a leaving holder that sees the mark cannot wake too early.
    std::unique_lock<std::mutex> guard(l->sleepLock);
    while (l->state.exchange(kHeldWithSleepers, std::memory_order_acquire) != kFree)
        l->wake.wait(guard);
}

void LockLeave(void* lock) {
    HeadlessLock* l = static_cast<HeadlessLock*>(lock);
    if (__libc_single_threaded) {
        l->state.store(kFree, std::memory_order_relaxed);
        return;
    }
    if (l->state.exchange(kFree, std::memory_order_release) == kHeldWithSleepers) {
        std::lock_guard<std::mutex> guard(l->sleepLock);
        l->wake.notify_one();
    }
}

}  // namespace tovan::os
