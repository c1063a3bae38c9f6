// The native model format and the mesh operations on a model of about one
// million triangles (a 708 x 708 grid of quads over a wavy surface). Decode and
// encode are set against a plain copy of the file's bytes into a fresh block,
// in the same run; throughput is file bytes.
#include <cmath>
#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/peer.h"
#include "io/codecs/model_codecs.h"

namespace {

using namespace tovan;

constexpr int kQuads = 708;  // 2 x 708^2 = 1,002,528 triangles
constexpr int kRounds = 15;

const cModel& Grid() {
    static const cModel model = [] {
        cModel m;
        cModelMesh& mesh = m.m_Meshes[m.m_Meshes.PushBack(cModelMesh())];
        mesh.m_Name = "ground";
        mesh.m_Material = "Stone.Ground";
        const int side = kQuads + 1;
        mesh.m_StaticVertices.ResizeUnset(side * side);
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                cModelStaticVertex& v = mesh.m_StaticVertices[y * side + x];
                v = cModelStaticVertex();
                v.m_Position = {float(x), float(y), std::sin(x * 0.05f) * std::cos(y * 0.07f) * 4};
                v.m_TexCoord = {x / float(kQuads), y / float(kQuads)};
            }
        }
        mesh.m_Indices.ResizeUnset(kQuads * kQuads * 6);
        uint32_t* index = mesh.m_Indices.Data();
        for (int y = 0; y < kQuads; ++y) {
            for (int x = 0; x < kQuads; ++x) {
                const uint32_t a = uint32_t(y * side + x), b = a + 1, c = a + uint32_t(side), d = c + 1;
                for (uint32_t i : {a, b, d, a, d, c})
                    *index++ = i;
            }
        }
        cModel::ComputeNormals(m);
        cModel::ComputeTangents(m);
        cModel::ComputeBounds(m);
        return m;
    }();
    return model;
}

const cStream& GridFile() {
    static const cStream file = [] {
        cStream out;
        cCodecModel().Encode(Grid(), out);
        return out;
    }();
    return file;
}

// The baseline: the file's bytes copied into a fresh block.
void CopyFile() {
    const cStream& file = GridFile();
    std::vector<uint8_t> copy(file.Data(), file.Data() + file.Count());
    benchmark::DoNotOptimize(copy.data());
}

void BM_ModelDecode(benchmark::State& state) {
    cStream file = GridFile();
    bench::RunPeerBenchmark(
        state, kRounds, file.Count(),
        [&] {
            cModel model;
            file.m_Position = 0;
            if (!cCodecModel().Decode(file, model))
                state.SkipWithError("decode failed");
            benchmark::DoNotOptimize(model.m_Meshes.Data());
        },
        CopyFile);
    state.counters["triangles"] = cModel::CountTriangles(Grid());
}

void BM_ModelEncode(benchmark::State& state) {
    const cModel& model = Grid();
    bench::RunPeerBenchmark(
        state, kRounds, GridFile().Count(),
        [&] {
            cStream out;
            if (!cCodecModel().Encode(model, out))
                state.SkipWithError("encode failed");
            benchmark::DoNotOptimize(out.Data());
        },
        CopyFile);
}

// Normals and tangents of the model in place (the copy is made outside the timing).
template <void (*Compute)(cModel&)>
void MeshOperation(benchmark::State& state) {
    cModel model(Grid());
    for (auto _ : state) {
        Compute(model);
        benchmark::DoNotOptimize(model.m_Meshes[0].m_StaticVertices.Data());
    }
    state.counters["triangles"] = cModel::CountTriangles(model);
}

void BM_ModelNormals(benchmark::State& state) { MeshOperation<cModel::ComputeNormals>(state); }
void BM_ModelTangents(benchmark::State& state) { MeshOperation<cModel::ComputeTangents>(state); }

}  // namespace

BENCHMARK(BM_ModelDecode)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelEncode)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelNormals)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelTangents)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
