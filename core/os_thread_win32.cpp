#include "core/os.h"

#include <windows.h>

namespace tovan::os {

namespace {
struct ThreadStartBlock {
    ThreadProc procedure;
    void* argument;
};

DWORD WINAPI ThreadEntry(LPVOID parameter) {
    ThreadStartBlock block = *static_cast<ThreadStartBlock*>(parameter);
    delete static_cast<ThreadStartBlock*>(parameter);
    block.procedure(block.argument);
    return 0;
}
}  // namespace

void* ThreadStart(ThreadProc procedure, void* argument) {
    ThreadStartBlock* block = new ThreadStartBlock{procedure, argument};
    HANDLE thread = CreateThread(nullptr, 0, ThreadEntry, block, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        delete block;
        return nullptr;
    }
    ResumeThread(thread);
    return thread;
}

void ThreadWait(void* handle) {
    if (handle)
        WaitForSingleObject(static_cast<HANDLE>(handle), INFINITE);
}

void ThreadClose(void* handle) {
    if (handle)
        CloseHandle(static_cast<HANDLE>(handle));
}

uint32_t CurrentThreadId() { return GetCurrentThreadId(); }

void Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace tovan::os
