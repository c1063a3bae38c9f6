// cList appends against std::vector.
#include "core/list.h"
#include "core/str.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kItems = 1000;

void BM_ListPushReused(benchmark::State& state) {
    tovan::cList<int> list;  // DestroyItems keeps the block
    for (auto _ : state) {
        list.DestroyItems();
        for (int i = 0; i < kItems; ++i)
            list.PushBack(i);
        benchmark::DoNotOptimize(list.Data());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_VectorPushReused(benchmark::State& state) {
    std::vector<int> list;
    for (auto _ : state) {
        list.clear();
        for (int i = 0; i < kItems; ++i)
            list.push_back(i);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_ListPushFloats(benchmark::State& state) {
    tovan::cList<float> list;
    for (auto _ : state) {
        list.DestroyItems();
        for (int i = 0; i < kItems; ++i)
            list.PushBack(float(i));
        benchmark::DoNotOptimize(list.Data());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_VectorPushFloats(benchmark::State& state) {
    std::vector<float> list;
    for (auto _ : state) {
        list.clear();
        for (int i = 0; i < kItems; ++i)
            list.push_back(float(i));
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_ListPushFresh(benchmark::State& state) {
    for (auto _ : state) {
        tovan::cList<int> list;
        for (int i = 0; i < kItems; ++i)
            list.PushBack(i);
        benchmark::DoNotOptimize(list.Data());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_VectorPushFresh(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<int> list;
        for (int i = 0; i < kItems; ++i)
            list.push_back(i);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_ListPushStrings(benchmark::State& state) {
    const tovan::cStr item("a name of some length");
    for (auto _ : state) {
        tovan::cList<tovan::cStr> list;
        for (int i = 0; i < 100; ++i)
            list.PushBack(item);
        benchmark::DoNotOptimize(list.Data());
    }
    state.SetItemsProcessed(state.iterations() * 100);
}

void BM_VectorPushStrings(benchmark::State& state) {
    const std::string item("a name of some length");
    for (auto _ : state) {
        std::vector<std::string> list;
        for (int i = 0; i < 100; ++i)
            list.push_back(item);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * 100);
}

}  // namespace

BENCHMARK(BM_ListPushReused);
BENCHMARK(BM_VectorPushReused);
BENCHMARK(BM_ListPushFloats);
BENCHMARK(BM_VectorPushFloats);
BENCHMARK(BM_ListPushFresh);
BENCHMARK(BM_VectorPushFresh);
BENCHMARK(BM_ListPushStrings);
BENCHMARK(BM_VectorPushStrings);

BENCHMARK_MAIN();
