// Pooled memory: five small-block classes, the 32-byte string-buffer pool,
// the process-wide lock set and background thread start.
#pragma once
#include <cstddef>
#include <mutex>
#include <vector>

#include "core/lock.h"

namespace tovan {

// One size class. Slabs are never returned to the system; freed blocks go on a
// stack and are handed out again highest-address-of-newest-slab first.
class SmallBlockPool {
public:
    SmallBlockPool(int blockSize, int blocksPerSlab);
    ~SmallBlockPool();  // the process-wide pools are never destroyed
    SmallBlockPool(const SmallBlockPool&) = delete;
    SmallBlockPool& operator=(const SmallBlockPool&) = delete;

    void* Alloc();  // caller holds the lock that guards this pool
    void Free(void* block);

    int BlockSize() const { return m_BlockSize; }
    int BlocksPerSlab() const { return m_BlocksPerSlab; }
    size_t SlabCount() const { return m_Slabs.size(); }
    size_t FreeCount() const { return m_FreeBlocks.size(); }

private:
    void AddSlab();

    int m_BlockSize;
    int m_BlocksPerSlab;
    std::vector<char*> m_Slabs;
    std::vector<void*> m_FreeBlocks;
};

// The 32-byte text-buffer pool. A free block carries 31 in its first byte, a
// handed-out one starts with 0 (an empty, terminated text).
class StringPool {
public:
    static constexpr int kBlockSize = 32;
    static constexpr int kSlabSize = 8192;

    StringPool() = default;
    ~StringPool();
    StringPool(const StringPool&) = delete;
    StringPool& operator=(const StringPool&) = delete;

    void* Alloc();
    void Free(void* block);

    size_t SlabCount() const { return m_Slabs.size(); }
    size_t FreeCount() const { return m_FreeBlocks.size(); }

private:
    void AddSlab();

    cLock m_Lock;
    std::vector<char*> m_Slabs;
    std::vector<void*> m_FreeBlocks;
};

// Five plain, non-recursive mutexes, always named by the constants below. A
// thread never takes one it holds; kLogCall is taken before kLogPending.
class cGlobalLocks {
public:
    static constexpr int kLogPending = 0;   // the log's pending text and its file appends
    static constexpr int kLogCall = 1;      // one whole Log or Warning call, window included
    static constexpr int kPool = 2;         // the small-block pools
    static constexpr int kThreads = 3;      // the list of started threads
    static constexpr int kInputEvents = 4;  // the input event queue
    static constexpr int kCount = 5;
    cLock& operator[](int index) { return m_Locks[index]; }
    void Lock(int index) { m_Locks[index].lock(); }
    void Unlock(int index) { m_Locks[index].unlock(); }

private:
    cLock m_Locks[kCount];
};

cGlobalLocks& GetGlobalLocks();

void* PoolAlloc(int size);                 // null when size < 1
void PoolFree(void* block, int size);      // size must match the allocation
SmallBlockPool* GetPoolForSize(int size);  // null above 128

void* StringPoolAlloc();
void StringPoolFree(void* block);
StringPool& GetStringPool();

// True when pool blocks come straight from operator new/delete (sanitizer builds).
bool PoolPassthrough();

using ThreadProc = void (*)(void* argument);
void* StartThread(ThreadProc procedure, void* argument);  // caller owns the handle
void ForgetThread(void* handle);
void WaitThread(void* handle);   // blocks until the thread has ended
void CloseThread(void* handle);  // releases the handle; the thread runs on

}  // namespace tovan
