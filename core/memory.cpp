#include "core/memory.h"

#include "core/os.h"

#include <algorithm>
#include <new>

namespace tovan {

namespace {

constexpr int kBlocksPerSlab = 512;

// The class of sizes 1..128, by (size - 1) / 8: a load instead of a search.
constexpr unsigned char kClassBySize[16] = {0, 1, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4};

#if defined(TOVAN_POOL_PASSTHROUGH)
constexpr bool kPassthrough = true;
#else
constexpr bool kPassthrough = false;
#endif

// A cache line each, so that threads working in different classes do not pull
// one another's stack tops away.
struct alignas(64) AlignedPool {
    SmallBlockPool pool;
};

struct Pools {
    cLock& lock = GetGlobalLocks()[cGlobalLocks::kPool];  // the lock set exists before any pool
    AlignedPool pools[5] = {{{8, kBlocksPerSlab}},
                            {{16, kBlocksPerSlab}},
                            {{32, kBlocksPerSlab}},
                            {{64, kBlocksPerSlab}},
                            {{128, kBlocksPerSlab}}};

    SmallBlockPool* ForSize(int size) {
        if (__builtin_expect(unsigned(size) - 1u < 128u, 1))
            return &pools[kClassBySize[(size - 1) >> 3]].pool;
        return size > 128 ? nullptr : &pools[0].pool;  // sizes below 1 in the smallest class, as always
    }
};

// The pools are made on first use and never destroyed (blocks may outlive
// static teardown). Making them is kept apart, so that the check for them
// inlines into every allocation.
template <class T>
__attribute__((noinline)) T* MakeForever() {
    return new T;
}

inline __attribute__((always_inline)) Pools& GetPools() {
    static Pools* pools = MakeForever<Pools>();
    return *pools;
}

inline __attribute__((always_inline)) StringPool& TheStringPool() {
    static StringPool* pool = MakeForever<StringPool>();
    return *pool;
}

struct ThreadList {
    std::vector<void*> handles;
};

ThreadList& GetThreadList() {
    static ThreadList* list = new ThreadList;
    return *list;
}

}  // namespace

SmallBlockPool::SmallBlockPool(int blockSize, int blocksPerSlab)
    : m_BlockSize(blockSize), m_BlocksPerSlab(blocksPerSlab) {}

SmallBlockPool::~SmallBlockPool() {
    for (char* slab : m_Slabs)
        ::operator delete(slab);
}

void SmallBlockPool::AddSlab() {
    char* slab = static_cast<char*>(::operator new(size_t(m_BlockSize) * size_t(m_BlocksPerSlab)));
    m_Slabs.push_back(slab);
    m_FreeBlocks.reserve(m_FreeBlocks.size() + size_t(m_BlocksPerSlab));
    for (int i = 0; i < m_BlocksPerSlab; ++i)
        m_FreeBlocks.push_back(slab + size_t(i) * size_t(m_BlockSize));
}

void* SmallBlockPool::Alloc() {
    if (__builtin_expect(m_FreeBlocks.empty(), 0))
        AddSlab();
    void* block = m_FreeBlocks.back();
    m_FreeBlocks.pop_back();
    if (!block)  // a null entry: serve the whole class size, the block is reused for the class
        block = ::operator new(size_t(m_BlockSize));
    return block;
}

void SmallBlockPool::Free(void* block) { m_FreeBlocks.push_back(block); }

StringPool::~StringPool() {
    for (char* slab : m_Slabs)
        ::operator delete(slab);
}

// The first byte is written under the lock: a block last used on another
// core costs its miss while the lock is held, not in a gap between two
// sections where a waiting thread would take the lock and its cache lines.
void* StringPool::Alloc() {
    std::lock_guard<cLock> guard(m_Lock);
    if (__builtin_expect(m_FreeBlocks.empty(), 0))
        AddSlab();
    char* block = static_cast<char*>(m_FreeBlocks.back());
    m_FreeBlocks.pop_back();
    block[0] = 0;
    return block;
}

void StringPool::AddSlab() {
    char* slab = static_cast<char*>(::operator new(kSlabSize));
    m_FreeBlocks.reserve(m_FreeBlocks.size() + kSlabSize / kBlockSize);
    for (int i = 0; i < kSlabSize / kBlockSize; ++i) {
        slab[i * kBlockSize] = 31;
        m_FreeBlocks.push_back(slab + i * kBlockSize);
    }
    m_Slabs.push_back(slab);
}

void StringPool::Free(void* block) {
    std::lock_guard<cLock> guard(m_Lock);
    static_cast<char*>(block)[0] = 31;
    m_FreeBlocks.push_back(block);
}

cGlobalLocks& GetGlobalLocks() {
    static cGlobalLocks* locks = new cGlobalLocks;  // lives until the process ends
    return *locks;
}

bool PoolPassthrough() { return kPassthrough; }

SmallBlockPool* GetPoolForSize(int size) { return GetPools().ForSize(size); }

// The class is found, and a large size served, before the lock: the lock
// covers the stack's push or pop (and a slab refill) alone.
void* PoolAlloc(int size) {
    if (size < 1)
        return nullptr;
    if (kPassthrough)
        return ::operator new(size_t(size));
    if (size > 128)
        return ::operator new(size_t(size));
    Pools& pools = GetPools();
    SmallBlockPool* pool = pools.ForSize(size);
    std::lock_guard<cLock> guard(pools.lock);
    return pool->Alloc();
}

void PoolFree(void* block, int size) {
    if (!block)
        return;
    if (kPassthrough) {
        ::operator delete(block);
        return;
    }
    Pools& pools = GetPools();
    SmallBlockPool* pool = pools.ForSize(size);
    if (!pool) {
        ::operator delete(block);
        return;
    }
    std::lock_guard<cLock> guard(pools.lock);
    pool->Free(block);
}

StringPool& GetStringPool() { return TheStringPool(); }

void* StringPoolAlloc() {
    if (kPassthrough) {
        char* block = static_cast<char*>(::operator new(StringPool::kBlockSize));
        block[0] = 0;
        return block;
    }
    return TheStringPool().Alloc();
}

void StringPoolFree(void* block) {
    if (!block)
        return;
    if (kPassthrough) {
        ::operator delete(block);
        return;
    }
    TheStringPool().Free(block);
}

void* StartThread(ThreadProc procedure, void* argument) {
    {
        std::lock_guard<cLock> guard(GetGlobalLocks()[cGlobalLocks::kThreads]);
        std::vector<void*>& handles = GetThreadList().handles;
        for (size_t i = handles.size(); i-- > 0;) {
            if (handles[i]) {
                os::ThreadWait(handles[i]);
                os::ThreadClose(handles[i]);
                handles[i] = nullptr;
            }
        }
        handles.clear();
    }
    return os::ThreadStart(procedure, argument);
}

void ForgetThread(void* handle) {
    std::lock_guard<cLock> guard(GetGlobalLocks()[cGlobalLocks::kThreads]);
    std::vector<void*>& handles = GetThreadList().handles;
    handles.erase(std::remove(handles.begin(), handles.end(), handle), handles.end());
}

void WaitThread(void* handle) { os::ThreadWait(handle); }
void CloseThread(void* handle) { os::ThreadClose(handle); }

}  // namespace tovan
