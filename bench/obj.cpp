// OBJ decoding of about one million triangles (a 708 x 708 grid of quads over a
// wavy surface, each corner with its own "v", "vt" and "vn" lines, printed
// with six decimals as exporters do), side by side with tinyobjloader reading
// the same bytes from memory. Our time is the whole decode: parsing, bounds
// checks, tangents, the split into meshes and the sharing of vertices; the
// peer only parses and triangulates. Throughput is file bytes.
#include <cmath>
#include <cstdio>
#include <istream>
#include <streambuf>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>

#include "bench/peer.h"
#include "io/codecs/model_codecs.h"

namespace {

using namespace tovan;

constexpr int kQuads = 708;  // 2 x 708^2 = 1,002,528 triangles
constexpr int kRounds = 9;

const std::string& GridText() {
    static const std::string text = [] {
        std::string s;
        const int side = kQuads + 1;
        s.reserve(size_t(side) * side * 110 + size_t(kQuads) * kQuads * 70);
        char line[160];
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const float z = std::sin(x * 0.05f) * std::cos(y * 0.07f) * 4;
                std::snprintf(line, sizeof line, "v %f %f %f\n", x * 0.125f, y * 0.125f, z);
                s += line;
            }
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                std::snprintf(line, sizeof line, "vt %f %f\n", x / float(kQuads), y / float(kQuads));
                s += line;
            }
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const float nx = -std::cos(x * 0.05f) * 0.2f, ny = std::sin(y * 0.07f) * 0.28f;
                const float length = std::sqrt(nx * nx + ny * ny + 1);
                std::snprintf(line, sizeof line, "vn %f %f %f\n", nx / length, ny / length, 1 / length);
                s += line;
            }
        s += "usemtl Stone.Ground\n";
        for (int y = 0; y < kQuads; ++y)
            for (int x = 0; x < kQuads; ++x) {
                const int a = y * side + x + 1, b = a + 1, c = a + side, d = c + 1;
                std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d\nf %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a,
                              a, b, b, b, d, d, d, a, a, a, d, d, d, c, c, c);
                s += line;
            }
        return s;
    }();
    return text;
}

// The peer reads from a stream over the same bytes, without a copy.
struct MemoryBuffer : std::streambuf {
    MemoryBuffer(const std::string& text) {
        char* begin = const_cast<char*>(text.data());
        setg(begin, begin, begin + text.size());
    }
};

void BM_ObjDecode(benchmark::State& state) {
    const std::string& text = GridText();
    cStream file;
    file.m_Bytes.AppendRange(reinterpret_cast<const uint8_t*>(text.data()), int(text.size()));
    bench::RunPeerBenchmark(
        state, kRounds, double(text.size()),
        [&] {
            cModel model;
            file.m_Position = 0;
            if (!cCodecObj().Decode(file, model) || cModel::CountTriangles(model) != 2 * kQuads * kQuads)
                state.SkipWithError("decode failed");
            benchmark::DoNotOptimize(model.m_Meshes.Data());
        },
        [&] {
            MemoryBuffer buffer(text);
            std::istream in(&buffer);
            tinyobj::attrib_t attrib;
            std::vector<tinyobj::shape_t> shapes;
            std::vector<tinyobj::material_t> materials;
            std::string warn, err;
            if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, &in, nullptr, true) || shapes.empty() ||
                shapes[0].mesh.indices.size() != size_t(6 * kQuads * kQuads))
                state.SkipWithError("peer failed");
            benchmark::DoNotOptimize(shapes.data());
        });
}
BENCHMARK(BM_ObjDecode)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
