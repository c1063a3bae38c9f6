// The software preview rasteriser: a lit model preview as the model file dialog
// draws it, a 100,000-triangle sphere into a 256 x 256 canvas (target: under
// 20 ms a frame) and into a 1024 x 1024 one, where the pixel loop dominates.
// Each frame clears the depth, fills the background, turns and projects every
// vertex with the preview camera and shades every triangle.
#include "core/material_preset.h"
#include "core/vec.h"
#include "win32/preview_canvas.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using tovan::cVec3;

constexpr int kRings = 250;
constexpr int kSegments = 200;  // 2 x 250 x 200 = 100,000 triangles

struct Model {
    std::vector<cVec3> positions;  // fitted: centre 0, radius 1; normals equal positions
    std::vector<int> indices;
};

Model MakeSphere() {
    Model model;
    for (int i = 0; i <= kRings; ++i) {
        const float theta = 3.14159265f * float(i) / kRings;
        for (int j = 0; j <= kSegments; ++j) {
            const float phi = 6.28318531f * float(j) / kSegments;
            model.positions.push_back(
                {std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)});
        }
    }
    for (int i = 0; i < kRings; ++i)
        for (int j = 0; j < kSegments; ++j) {
            const int a = i * (kSegments + 1) + j, b = a + kSegments + 1;
            model.indices.insert(model.indices.end(), {a, b, b + 1, a, b + 1, a + 1});
        }
    return model;
}

void BM_PreviewLitModel(benchmark::State& state) {
    const Model model = MakeSphere();
    const int triangles = int(model.indices.size() / 3);
    const int size = int(state.range(0));
    tovan::PreviewCanvas canvas;
    tovan::InitDibHeader(canvas, size, size);
    tovan::cList<float> depth;
    std::vector<cVec3> screen(model.positions.size());
    std::vector<float> light(model.positions.size());
    // The preview camera's turn (a fixed orientation) and projection.
    const float c = std::cos(0.6f), s = std::sin(0.6f);
    const float f = 1.0f / std::tan(0.4363323f), half = size / 2.0f;
    for (auto _ : state) {
        tovan::ClearDepthBuffer(depth, size, size);
        canvas.Fill({255, 255, 255});
        for (size_t v = 0; v < model.positions.size(); ++v) {
            const cVec3& p = model.positions[v];
            const cVec3 r = {c * p.x + s * p.z, p.y, -s * p.x + c * p.z};
            const float z = r.z + 2.4f;
            screen[v] = {f * r.x / z * half + half, f * r.y / z * half + half,
                         (1.0004001f * z - 0.40008003f) / z * half};
            light[v] = std::fabs(r.z);  // |n . (0, 0, -1)|, the normal being the position
        }
        for (int t = 0; t < triangles; ++t) {
            const int a = model.indices[size_t(3 * t)], b = model.indices[size_t(3 * t + 1)],
                      d = model.indices[size_t(3 * t + 2)];
            canvas.ShadeTriangle(screen[size_t(a)], screen[size_t(b)], screen[size_t(d)], light[size_t(a)],
                                 light[size_t(b)], light[size_t(d)], tovan::MaterialPresets[0], depth);
        }
        benchmark::DoNotOptimize(canvas.Bits());
    }
    state.SetItemsProcessed(state.iterations() * triangles);
}
BENCHMARK(BM_PreviewLitModel)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
