// Adaptive spline resampling at its worst: 20 nodes 1e6 apart along x, their
// tangents waving up and down, resampled with the smallest squared-error limit
// the command takes (0.001). Float rounding at that scale cannot reach such a
// limit, so only the resampling's own bounds stop it (target: under a second).
// Then what each edited frame does with the nodes it made: rebuild the segment
// table, and find the points of the curve it draws (at most 10,000).
#include <benchmark/benchmark.h>

#include <memory>

#include "tools/spline.h"

namespace {

using namespace tovan;

constexpr int kNodes = 20;
constexpr float kSpacing = 1e6f;
constexpr float kLimit = 0.001f;

void SetWave(cSpline& spline) {
    spline.m_Nodes.RemoveItems(0, spline.m_Nodes.Count());
    for (int i = 0; i < kNodes; ++i) {
        const cVec3 ep = {float(i) * kSpacing, 0, 0};
        const cVec3 tangent = {0.3f * kSpacing, (i % 2 ? -0.3f : 0.3f) * kSpacing, 0};
        auto* node = static_cast<cSpline_Node*>(SharedPrototype<cSpline_Node>()->CreateInstance());
        node->SetPoints({ep - tangent, ep, ep + tangent});
        spline.m_Nodes.AddItem(node);
    }
}

std::unique_ptr<cSpline> MakeSpline() {
    return std::unique_ptr<cSpline>(static_cast<cSpline*>(SharedPrototype<cSpline>()->CreateInstance()));
}

void BM_SplineAdaptiveWorstCase(benchmark::State& state) {
    auto spline = MakeSpline();
    for (auto _ : state) {
        state.PauseTiming();
        SetWave(*spline);
        state.ResumeTiming();
        spline->ResampleAdaptiveNodes(kLimit);
    }
    state.counters["nodes"] = double(spline->m_Nodes.Count());
}
BENCHMARK(BM_SplineAdaptiveWorstCase)->Unit(benchmark::kMillisecond);

void BM_SplineRebuildAfterWorstCase(benchmark::State& state) {
    auto spline = MakeSpline();
    SetWave(*spline);
    spline->ResampleAdaptiveNodes(kLimit);
    for (auto _ : state)
        spline->RebuildSegments();
    state.counters["nodes"] = double(spline->m_Nodes.Count());
}
BENCHMARK(BM_SplineRebuildAfterWorstCase)->Unit(benchmark::kMillisecond);

void BM_SplineSamplesAfterWorstCase(benchmark::State& state) {
    auto spline = MakeSpline();
    SetWave(*spline);
    spline->ResampleAdaptiveNodes(kLimit);
    const float step = 1.0f / float(cSpline::kMaxDrawnSamples);
    for (auto _ : state)
        for (int i = 0; i <= cSpline::kMaxDrawnSamples; ++i)
            benchmark::DoNotOptimize(spline->PointAt(float(i) * step));
    state.counters["nodes"] = double(spline->m_Nodes.Count());
}
BENCHMARK(BM_SplineSamplesAfterWorstCase)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
