// cList against std::vector, one templated body per job run on both sides
// (bench/peer.h gives the ratio).
#include "bench/peer.h"
#include "core/list.h"
#include "core/str.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kRounds = 15;
constexpr int kItems = 1000;

// The two sides: a family names its list and its string.
struct Ours {
    template <class T>
    using List = tovan::cList<T>;
    using Str = tovan::cStr;
};
struct Std {
    template <class T>
    using List = std::vector<T>;
    using Str = std::string;
};

template <class T>
void Push(tovan::cList<T>& list, const T& item) {
    list.PushBack(item);
}
template <class T>
void Push(std::vector<T>& list, const T& item) {
    list.push_back(item);
}
template <class T>
void Empty(tovan::cList<T>& list) {
    list.DestroyItems();  // keeps the block, as clear() does
}
template <class T>
void Empty(std::vector<T>& list) {
    list.clear();
}
template <class T>
const T* Items(const tovan::cList<T>& list) {
    return list.Data();
}
template <class T>
const T* Items(const std::vector<T>& list) {
    return list.data();
}

// Appends into a list whose block is kept from the last round.
template <class F, class T>
struct PushReusedJob {
    typename F::template List<T> list;
    void Run() {
        for (int r = 0; r < 2000; ++r) {
            Empty(list);
            for (int i = 0; i < kItems; ++i)
                Push(list, T(i));
            benchmark::DoNotOptimize(Items(list));
        }
    }
};
template <class F>
using PushIntsJob = PushReusedJob<F, int>;
template <class F>
using PushFloatsJob = PushReusedJob<F, float>;

// A new list each round: the growth steps and the block's release count.
template <class F>
struct PushFreshJob {
    void Run() {
        for (int r = 0; r < 2000; ++r) {
            typename F::template List<int> list;
            for (int i = 0; i < kItems; ++i)
                Push(list, i);
            benchmark::DoNotOptimize(Items(list));
        }
    }
};

// Items that own memory: every push copies a 21-byte text.
template <class F>
struct PushStringsJob {
    const typename F::Str item{"a name of some length"};
    void Run() {
        for (int r = 0; r < 2000; ++r) {
            typename F::template List<typename F::Str> list;
            for (int i = 0; i < 100; ++i)
                Push(list, item);
            benchmark::DoNotOptimize(Items(list));
        }
    }
};

template <template <class> class Job>
void BM_Peer(benchmark::State& state) {
    Job<Ours> ours;
    Job<Std> peer;
    tovan::bench::RunPeerBenchmark(
        state, kRounds, 0, [&] { ours.Run(); }, [&] { peer.Run(); });
}

}  // namespace

BENCHMARK_TEMPLATE(BM_Peer, PushIntsJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, PushFloatsJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, PushFreshJob)->UseManualTime()->Iterations(1);
BENCHMARK_TEMPLATE(BM_Peer, PushStringsJob)->UseManualTime()->Iterations(1);

BENCHMARK_MAIN();
