#include "core/memory.h"
#include "core/str.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <set>
#include <vector>

namespace tovan {
namespace {

TEST(SmallBlockPool, FirstSlabHandsOutHighestAddressFirst) {
    SmallBlockPool pool(32, 512);
    char* first = static_cast<char*>(pool.Alloc());
    char* second = static_cast<char*>(pool.Alloc());
    EXPECT_EQ(pool.SlabCount(), 1u);
    EXPECT_EQ(first - second, 32);  // pushed ascending, popped from the top
    EXPECT_EQ(pool.FreeCount(), 510u);
    pool.Free(second);
    pool.Free(first);
}

TEST(SmallBlockPool, The513thAllocationAddsASlabAndFreedBlocksAreReusedFirst) {
    SmallBlockPool pool(16, 512);
    std::vector<void*> blocks;
    for (int i = 0; i < 512; ++i)
        blocks.push_back(pool.Alloc());
    EXPECT_EQ(pool.SlabCount(), 1u);
    EXPECT_EQ(pool.FreeCount(), 0u);
    blocks.push_back(pool.Alloc());
    EXPECT_EQ(pool.SlabCount(), 2u);
    EXPECT_EQ(pool.FreeCount(), 511u);

    std::set<void*> handedOut(blocks.begin(), blocks.end());
    EXPECT_EQ(handedOut.size(), 513u);
    for (void* block : blocks)
        pool.Free(block);

    // 513 freed plus the 511 untouched: 1024 blocks before a third slab is needed.
    std::set<void*> again;
    for (int i = 0; i < 1024; ++i)
        again.insert(pool.Alloc());
    EXPECT_EQ(pool.SlabCount(), 2u);
    for (void* block : blocks)
        EXPECT_TRUE(again.count(block));
    pool.Alloc();
    EXPECT_EQ(pool.SlabCount(), 3u);
}

// A null entry on the free stack is replaced by a fresh block of the whole
// class size: the block stays in the class and serves its largest requests.
TEST(SmallBlockPool, ANullEntryIsReplacedByAWholeBlock) {
    SmallBlockPool pool(64, 512);
    pool.Free(nullptr);
    char* block = static_cast<char*>(pool.Alloc());
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(pool.SlabCount(), 0u);
    std::fill_n(block, 64, 'w');  // the sanitizer build sees a short block here
    pool.Free(block);
    EXPECT_EQ(pool.Alloc(), block);
    ::operator delete(block);  // not part of a slab: the pool would not free it
}

TEST(StringPool, FreeBlocksCarry31AndHandedOutBlocksStartWith0) {
    StringPool pool;
    char* a = static_cast<char*>(pool.Alloc());
    EXPECT_EQ(a[0], 0);
    EXPECT_EQ(pool.SlabCount(), 1u);
    EXPECT_EQ(pool.FreeCount(), 255u);
    // The next block on the stack is untouched and still marked free.
    char* b = static_cast<char*>(pool.Alloc());
    EXPECT_EQ(a - b, 32);
    EXPECT_EQ(b[-32], 31);  // the block below b is still free
    a[0] = 'x';
    pool.Free(a);
    EXPECT_EQ(a[0], 31);
    char* c = static_cast<char*>(pool.Alloc());
    EXPECT_EQ(c, a);
    EXPECT_EQ(c[0], 0);
    pool.Free(b);
    pool.Free(c);
}

TEST(PoolAlloc, RefusesSizesBelowOne) {
    EXPECT_EQ(PoolAlloc(0), nullptr);
    EXPECT_EQ(PoolAlloc(-5), nullptr);
    PoolFree(nullptr, 16);  // ignored
}

// Refused and large sizes and short texts never wait for the small-block
// lock, even while another thread holds it.
TEST(PoolAlloc, RefusedAndLargeSizesAndShortTextsDoNotTakeTheBlockLock) {
    cLock& blockLock = GetGlobalLocks()[cGlobalLocks::kPool];
    blockLock.lock();
    std::future<bool> other = std::async(std::launch::async, [] {
        bool refused = PoolAlloc(0) == nullptr && PoolAlloc(-5) == nullptr;
        void* large = PoolAlloc(129);
        PoolFree(large, 129);
        cStr text("under thirty-two bytes");
        bool pooled = text.Capacity() == 32;
        text.Release();
        return refused && pooled;
    });
    const bool finished = other.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    blockLock.unlock();
    EXPECT_TRUE(finished);
    EXPECT_TRUE(other.get());
}

TEST(PoolAlloc, SizeClassesEndAt128) {
    // Every size goes to the smallest class that holds it.
    for (int size = 1; size <= 128; ++size) {
        const int expected = size <= 8 ? 8 : size <= 16 ? 16 : size <= 32 ? 32 : size <= 64 ? 64 : 128;
        EXPECT_EQ(GetPoolForSize(size)->BlockSize(), expected) << size;
    }
    EXPECT_EQ(GetPoolForSize(129), nullptr);
    EXPECT_EQ(GetPoolForSize(0)->BlockSize(), 8);
    for (int size : {1, 8, 9, 16, 64, 128})
        EXPECT_EQ(GetPoolForSize(size)->BlocksPerSlab(), 512);
}

TEST(PoolAlloc, BlocksAreWritableToTheirFullSizeAndReturnToTheirClass) {
    void* small = PoolAlloc(128);
    void* large = PoolAlloc(129);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    std::fill_n(static_cast<char*>(small), 128, 'a');
    std::fill_n(static_cast<char*>(large), 129, 'b');
    if (!PoolPassthrough()) {
        size_t before = GetPoolForSize(128)->FreeCount();
        PoolFree(small, 128);
        EXPECT_EQ(GetPoolForSize(128)->FreeCount(), before + 1);
        EXPECT_EQ(PoolAlloc(100), small);  // same class, last in first out
        PoolFree(small, 100);
    } else {
        PoolFree(small, 128);
    }
    PoolFree(large, 129);
}

TEST(PoolAlloc, ConcurrentAllocationsNeverShareABlock) {
    constexpr int kThreads = 4, kPerThread = 2000;
    std::vector<std::vector<void*>> got(kThreads);
    struct Arg {
        std::vector<void*>* out;
    };
    std::vector<Arg> args(kThreads);
    std::vector<void*> handles;
    for (int t = 0; t < kThreads; ++t) {
        args[t].out = &got[t];
        handles.push_back(StartThread(
            [](void* p) {
                auto* out = static_cast<Arg*>(p)->out;
                for (int i = 0; i < kPerThread; ++i)
                    out->push_back(PoolAlloc(24));
            },
            &args[t]));
    }
    for (void* h : handles) {
        WaitThread(h);
        CloseThread(h);
    }
    std::set<void*> all;
    for (auto& list : got)
        all.insert(list.begin(), list.end());
    EXPECT_EQ(all.size(), size_t(kThreads * kPerThread));
    for (void* block : all)
        PoolFree(block, 24);
}

TEST(StringPoolAlloc, GivesTerminatedBlocks) {
    char* block = static_cast<char*>(StringPoolAlloc());
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[0], 0);
    std::fill_n(block, 32, 'z');
    StringPoolFree(block);
}

TEST(GlobalLocks, OneSetOfFivePlainMutexes) {
    cGlobalLocks& locks = GetGlobalLocks();
    EXPECT_EQ(&locks, &GetGlobalLocks());
    for (int i = 0; i < cGlobalLocks::kCount; ++i) {
        ASSERT_TRUE(locks[i].try_lock());
        locks[i].unlock();
    }
}

TEST(StartThread, ReturnsAtOnceAndThreadsDoNotWaitForEachOther) {
    // Two threads that each wait for the other to have started: if StartThread
    // waited for the first, the test would never finish.
    static std::atomic<int> started;
    started = 0;
    auto proc = [](void*) {
        ++started;
        while (started.load() < 2) {
        }
    };
    void* a = StartThread(proc, nullptr);
    void* b = StartThread(proc, nullptr);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    WaitThread(a);
    WaitThread(b);
    EXPECT_EQ(started.load(), 2);
    ForgetThread(a);
    CloseThread(a);
    CloseThread(b);
}

}  // namespace
}  // namespace tovan
