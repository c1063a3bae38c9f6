#include "core/memory.h"

#include "core/os.h"

#include <algorithm>
#include <new>

namespace tovan {

namespace {

constexpr int kPoolSizes[] = {8, 16, 32, 64, 128};
constexpr int kBlocksPerSlab = 512;

#if defined(TOVAN_POOL_PASSTHROUGH)
constexpr bool kPassthrough = true;
#else
constexpr bool kPassthrough = false;
#endif

struct Pools {
    SmallBlockPool pools[5] = {
        {8, kBlocksPerSlab}, {16, kBlocksPerSlab}, {32, kBlocksPerSlab}, {64, kBlocksPerSlab}, {128, kBlocksPerSlab}};
};

Pools& GetPools() {
    // Locks first: PoolAlloc takes the pool lock before it touches a pool.
    GetGlobalLocks();
    static Pools* pools = new Pools;  // never destroyed: blocks may outlive static teardown
    return *pools;
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
    if (m_FreeBlocks.empty())
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

void* StringPool::Alloc() {
    void* block;
    {
        std::lock_guard<cLock> guard(m_Lock);
        if (m_FreeBlocks.empty()) {
            char* slab = static_cast<char*>(::operator new(kSlabSize));
            m_FreeBlocks.reserve(m_FreeBlocks.size() + kSlabSize / kBlockSize);
            for (int i = 0; i < kSlabSize / kBlockSize; ++i) {
                slab[i * kBlockSize] = 31;
                m_FreeBlocks.push_back(slab + i * kBlockSize);
            }
            m_Slabs.push_back(slab);
        }
        block = m_FreeBlocks.back();
        m_FreeBlocks.pop_back();
    }
    static_cast<char*>(block)[0] = 0;
    return block;
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

SmallBlockPool* GetPoolForSize(int size) {
    Pools& pools = GetPools();
    for (int i = 0; i < 5; ++i)
        if (size <= kPoolSizes[i])
            return &pools.pools[i];
    return nullptr;
}

void* PoolAlloc(int size) {
    if (size < 1)
        return nullptr;
    if (kPassthrough)
        return ::operator new(size_t(size));
    std::lock_guard<cLock> guard(GetGlobalLocks()[cGlobalLocks::kPool]);
    SmallBlockPool* pool = GetPoolForSize(size);
    if (!pool)
        return ::operator new(size_t(size));
    return pool->Alloc();
}

void PoolFree(void* block, int size) {
    if (!block)
        return;
    if (kPassthrough) {
        ::operator delete(block);
        return;
    }
    std::lock_guard<cLock> guard(GetGlobalLocks()[cGlobalLocks::kPool]);
    if (SmallBlockPool* pool = GetPoolForSize(size))
        pool->Free(block);
    else
        ::operator delete(block);
}

StringPool& GetStringPool() {
    static StringPool* pool = new StringPool;
    return *pool;
}

void* StringPoolAlloc() {
    if (kPassthrough) {
        char* block = static_cast<char*>(::operator new(StringPool::kBlockSize));
        block[0] = 0;
        return block;
    }
    return GetStringPool().Alloc();
}

void StringPoolFree(void* block) {
    if (!block)
        return;
    if (kPassthrough) {
        ::operator delete(block);
        return;
    }
    GetStringPool().Free(block);
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
