// The pooled allocator and the string pool against glibc malloc, on one thread
// and on four at once (the pools then share one lock each).
#include "bench/peer.h"
#include "core/memory.h"

#include <benchmark/benchmark.h>
#include <pthread.h>
#include <sched.h>

#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using tovan::bench::RunPeerBenchmark;

constexpr int kRounds = 15;
constexpr int kBatch = 64;  // a handful live at once, like string and node churn
constexpr int kBatches = 4000;

struct Pool {
    static void* Alloc(int size) { return tovan::PoolAlloc(size); }
    static void Free(void* block, int size) { tovan::PoolFree(block, size); }
};

struct TextPool {
    static void* Alloc(int) { return tovan::StringPoolAlloc(); }
    static void Free(void* block, int) { tovan::StringPoolFree(block); }
};

struct Malloc {
    static void* Alloc(int size) { return std::malloc(size_t(size)); }
    static void Free(void* block, int) { std::free(block); }
};

// One body for every allocator: a batch taken, then given back, many times.
template <class Heap>
void Churn(int size) {
    void* blocks[kBatch];
    for (int r = 0; r < kBatches; ++r) {
        for (void*& b : blocks)
            b = Heap::Alloc(size);
        benchmark::DoNotOptimize(blocks);
        for (void* b : blocks)
            Heap::Free(b, size);
    }
}

// The CPUs the process may use, taken before the timing thread pins itself.
std::vector<int> AllowedCpus() {
    cpu_set_t set;
    std::vector<int> cpus;
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        for (int c = 0; c < CPU_SETSIZE; ++c)
            if (CPU_ISSET(c, &set))
                cpus.push_back(c);
    return cpus;
}
const std::vector<int> g_AllowedCpus = AllowedCpus();

// Worker threads started once and released together for each sample, so that
// a sample times the work and not thread creation. Each sits on a CPU of its
// own, other than the timing thread's while the process has enough of them
// (run under taskset -c with one more CPU than workers).
class ThreadTeam {
public:
    explicit ThreadTeam(int count) : m_Count(count) {
        tovan::bench::PinToCurrentCpu();  // the timing thread's CPU, as the samples will have it
        std::vector<int> cpus;
        const int timing = sched_getcpu();
        for (int c : g_AllowedCpus)
            if (c != timing)
                cpus.push_back(c);
        if (int(cpus.size()) < count)
            cpus = g_AllowedCpus;
        for (int i = 0; i < count; ++i)
            m_Threads.emplace_back([this, i, cpus] { Work(cpus.empty() ? -1 : cpus[size_t(i) % cpus.size()]); });
    }
    ~ThreadTeam() {
        {
            std::lock_guard<std::mutex> guard(m_Lock);
            m_Stop = true;
            ++m_Generation;
        }
        m_Start.notify_all();
        for (std::thread& t : m_Threads)
            t.join();
    }

    void Run(std::function<void()> job) {
        std::unique_lock<std::mutex> guard(m_Lock);
        m_Job = std::move(job);
        m_Pending = m_Count;
        ++m_Generation;
        m_Start.notify_all();
        m_Done.wait(guard, [this] { return m_Pending == 0; });
    }

private:
    void Work(int cpu) {
        if (cpu >= 0) {
            cpu_set_t one;
            CPU_ZERO(&one);
            CPU_SET(cpu, &one);
            pthread_setaffinity_np(pthread_self(), sizeof one, &one);
        }
        unsigned seen = 0;
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock<std::mutex> guard(m_Lock);
                m_Start.wait(guard, [&] { return m_Generation != seen; });
                seen = m_Generation;
                if (m_Stop)
                    return;
                job = m_Job;
            }
            job();
            std::lock_guard<std::mutex> guard(m_Lock);
            if (--m_Pending == 0)
                m_Done.notify_one();
        }
    }

    const int m_Count;
    std::vector<std::thread> m_Threads;
    std::mutex m_Lock;
    std::condition_variable m_Start, m_Done;
    std::function<void()> m_Job;
    unsigned m_Generation = 0;
    int m_Pending = 0;
    bool m_Stop = false;
};

template <class Ours>
void BM_OneThread(benchmark::State& state) {
    const int size = int(state.range(0));
    RunPeerBenchmark(
        state, kRounds, 0, [&] { Churn<Ours>(size); }, [&] { Churn<Malloc>(size); });
}

template <class Ours>
void BM_FourThreads(benchmark::State& state) {
    const int size = int(state.range(0));
    ThreadTeam team(4);
    RunPeerBenchmark(
        state, kRounds, 0, [&] { team.Run([&] { Churn<Ours>(size); }); },
        [&] { team.Run([&] { Churn<Malloc>(size); }); });
}

}  // namespace

BENCHMARK_TEMPLATE(BM_OneThread, Pool)->Arg(8)->Arg(32)->Arg(128)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_FourThreads, Pool)->Arg(8)->Arg(32)->Arg(128)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_OneThread, TextPool)->Arg(32)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_FourThreads, TextPool)->Arg(32)->UseManualTime()->Iterations(1);

BENCHMARK_MAIN();
