// cLock under contention: exclusion while threads spin and sleep, and a
// sleeper woken by the leaving holder.
#include "core/lock.h"
#include "core/memory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace tovan {
namespace {

// Sections short enough to be won by spinning and long enough (a yield inside
// some of them) to send waiters to sleep: a plain counter must come out exact.
TEST(Lock, ExcludesUnderContentionWhetherWaitersSpinOrSleep) {
    constexpr int kThreads = 6, kRounds = 20000;
    cLock lock;
    long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kRounds; ++i) {
                std::lock_guard<cLock> guard(lock);
                const long seen = counter;
                if ((i + t) % 512 == 0)
                    std::this_thread::yield();
                counter = seen + 1;
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(counter, long(kThreads) * kRounds);
}

TEST(Lock, SleeperWakesWhenTheHolderLeaves) {
    cLock lock;
    lock.lock();
    EXPECT_FALSE(lock.try_lock());
    std::atomic<bool> entered{false};
    std::future<void> waiter = std::async(std::launch::async, [&] {
        std::lock_guard<cLock> guard(lock);
        entered = true;
    });
    // Long past any spinning: the waiter sleeps by now.
    EXPECT_EQ(waiter.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    EXPECT_FALSE(entered.load());
    lock.unlock();
    EXPECT_EQ(waiter.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_TRUE(entered.load());
    EXPECT_TRUE(lock.try_lock());
    lock.unlock();
}

// Several sleepers, each woken in turn: none is left waiting.
TEST(Lock, EverySleeperGetsItsTurn) {
    cLock lock;
    lock.lock();
    std::atomic<int> done{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            std::lock_guard<cLock> guard(lock);
            ++done;
        });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(done.load(), 0);
    lock.unlock();
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(done.load(), 4);
}

// The string pool and the small-block pools from several threads at once:
// every block handed out is distinct and comes back whole.
TEST(Lock, PoolsServeManyThreadsAtOnce) {
    constexpr int kThreads = 4, kRounds = 3000;
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            void* blocks[16];
            void* texts[16];
            for (int i = 0; i < kRounds; ++i) {
                for (int k = 0; k < 16; ++k) {
                    blocks[k] = PoolAlloc(8 + 8 * (k % 4));
                    texts[k] = StringPoolAlloc();
                    static_cast<char*>(blocks[k])[0] = char(t);
                    static_cast<char*>(texts[k])[1] = char(t);
                }
                for (int k = 0; k < 16; ++k) {
                    if (static_cast<char*>(blocks[k])[0] != char(t) || static_cast<char*>(texts[k])[1] != char(t))
                        ++wrong;
                    PoolFree(blocks[k], 8 + 8 * (k % 4));
                    StringPoolFree(texts[k]);
                }
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace tovan
