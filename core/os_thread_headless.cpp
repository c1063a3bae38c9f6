#include "core/os.h"
#include "core/os_headless_state.h"

#include <pthread.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <atomic>

namespace tovan::os {

namespace {
// A handle owns the pthread until it is both finished-waited and closed; closing
// an unjoined thread detaches it so it cleans up after itself.
struct HeadlessThread {
    pthread_t thread;
    std::atomic<bool> joined{false};
};

struct ThreadStartBlock {
    ThreadProc procedure;
    void* argument;
};

void* ThreadEntry(void* parameter) {
    ThreadStartBlock block = *static_cast<ThreadStartBlock*>(parameter);
    delete static_cast<ThreadStartBlock*>(parameter);
    block.procedure(block.argument);
    return nullptr;
}
}  // namespace

void* ThreadStart(ThreadProc procedure, void* argument) {
    {
        headless::State& s = headless::GetState();
        std::lock_guard<std::mutex> guard(s.lock);
        if (s.threadStartFailures > 0) {
            --s.threadStartFailures;
            return nullptr;
        }
    }
    HeadlessThread* t = new HeadlessThread;
    ThreadStartBlock* block = new ThreadStartBlock{procedure, argument};
    if (pthread_create(&t->thread, nullptr, ThreadEntry, block) != 0) {
        delete block;
        delete t;
        return nullptr;
    }
    return t;
}

void ThreadWait(void* handle) {
    HeadlessThread* t = static_cast<HeadlessThread*>(handle);
    if (t && !t->joined.exchange(true))
        pthread_join(t->thread, nullptr);
}

void ThreadClose(void* handle) {
    HeadlessThread* t = static_cast<HeadlessThread*>(handle);
    if (!t)
        return;
    if (!t->joined.exchange(true))
        pthread_detach(t->thread);
    delete t;
}

uint32_t CurrentThreadId() { return uint32_t(syscall(SYS_gettid)); }

void Sleep(uint32_t milliseconds) {
    timespec ts{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0) {
    }
}

}  // namespace tovan::os
