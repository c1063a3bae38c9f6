// Small-block pool against the general heap, one thread and four.
#include "core/memory.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kBatch = 64;  // a handful live at once, like string and node churn

void BM_PoolAllocFree(benchmark::State& state) {
    const int size = int(state.range(0));
    void* blocks[kBatch];
    for (auto _ : state) {
        for (void*& b : blocks)
            b = tovan::PoolAlloc(size);
        benchmark::DoNotOptimize(blocks);
        for (void* b : blocks)
            tovan::PoolFree(b, size);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}

void BM_NewDelete(benchmark::State& state) {
    const size_t size = size_t(state.range(0));
    void* blocks[kBatch];
    for (auto _ : state) {
        for (void*& b : blocks)
            b = ::operator new(size);
        benchmark::DoNotOptimize(blocks);
        for (void* b : blocks)
            ::operator delete(b);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}

void BM_StringPool(benchmark::State& state) {
    void* blocks[kBatch];
    for (auto _ : state) {
        for (void*& b : blocks)
            b = tovan::StringPoolAlloc();
        benchmark::DoNotOptimize(blocks);
        for (void* b : blocks)
            tovan::StringPoolFree(b);
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}

}  // namespace

BENCHMARK(BM_PoolAllocFree)->Arg(8)->Arg(32)->Arg(128)->Threads(1)->Threads(4);
BENCHMARK(BM_NewDelete)->Arg(8)->Arg(32)->Arg(128)->Threads(1)->Threads(4);
BENCHMARK(BM_StringPool)->Threads(1)->Threads(4);

BENCHMARK_MAIN();
