// The preview rasteriser, pixel by pixel. Pixels are read straight from the
// stored bytes (bottom-up rows, blue first), so the layout is under test too.
#include "core/little_endian.h"
#include "core/os.h"
#include "tests/win32/preview_files.h"
#include "win32/preview_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tovan {
namespace {

using Points = std::set<std::pair<int, int>>;
constexpr ColorBytes kBack = {1, 2, 3}, kInk = {200, 100, 50};
const float kNaN = std::numeric_limits<float>::quiet_NaN();

ColorBytes PixelAt(const PreviewCanvas& canvas, int x, int y) {
    const uint8_t* p = canvas.Bits() + (canvas.Height() - 1 - y) * canvas.Stride() + 3 * x;
    return {p[2], p[1], p[0]};
}

void Make(PreviewCanvas& canvas, int width, int height, ColorBytes background = kBack) {
    InitDibHeader(canvas, width, height);
    canvas.Fill(background);
}

Points Drawn(const PreviewCanvas& canvas, ColorBytes background = kBack) {
    Points points;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (PixelAt(canvas, x, y) != background)
                points.insert({x, y});
    return points;
}

cMaterialPreset Material(float ambient, float diffuse, float specular, float shininess) {
    return {"test",
            {ambient, ambient, ambient, 1},
            {diffuse, diffuse, diffuse, 1},
            {specular, specular, specular, 1},
            shininess};
}

TEST(PreviewCanvas, HeaderStrideAndBottomUpRows) {
    const std::pair<int, int> strides[] = {{1, 4}, {3, 12}, {4, 12}, {5, 16}, {7, 24}, {256, 768}};
    for (auto [width, stride] : strides) {
        PreviewCanvas canvas;
        InitDibHeader(canvas, width, 3);
        uint8_t expected[PreviewCanvas::kHeaderSize] = {};
        StoreU32(expected + 0, 40);
        StoreU32(expected + 4, uint32_t(width));
        StoreU32(expected + 8, 3);
        StoreU16(expected + 12, 1);
        StoreU16(expected + 14, 24);
        StoreU32(expected + 20, uint32_t(3 * stride));
        EXPECT_EQ(canvas.Stride(), stride) << width;
        EXPECT_EQ(std::memcmp(canvas.Header(), expected, sizeof expected), 0) << width;
    }
    PreviewCanvas canvas;
    InitDibHeader(canvas, 5, 3);
    std::memset(canvas.Bits(), 0xEE, 3 * 16);
    canvas.Fill({7, 8, 9});
    canvas.DrawLine(0, 0, 0, 0, {10, 20, 30});
    const uint8_t* bits = canvas.Bits();
    EXPECT_EQ(std::vector<uint8_t>(bits + 32, bits + 35), (std::vector<uint8_t>{30, 20, 10}));     // (0, 0): last row
    EXPECT_EQ(std::vector<uint8_t>(bits + 12, bits + 16), (std::vector<uint8_t>{9, 8, 7, 0xEE}));  // padding kept
}

TEST(PreviewCanvas, EmptyCanvasesDrawNothing) {
    PreviewCanvas canvas;
    Make(canvas, 4, 4);  // a canvas that held a picture before
    const uint8_t zero[PreviewCanvas::kHeaderSize] = {};
    for (auto [w, h] : {std::pair{0, 5}, {5, 0}, {-1, 4}, {1 << 20, 1 << 20}}) {
        InitDibHeader(canvas, w, h);
        EXPECT_TRUE(canvas.IsEmpty() && canvas.Width() == 0 && canvas.Stride() == 0 && !canvas.Bits()) << w;
        EXPECT_EQ(std::memcmp(canvas.Header(), zero, sizeof zero), 0);
        cList<float> depth;
        canvas.Fill(kInk);
        canvas.DrawDot(0, 0, {1, 1, 1, 1});
        canvas.DrawLine(0, 0, 3, 3, kInk);
        canvas.FillTriangle({0, 0}, {0, 4}, {4, 0}, kInk);
        canvas.ShadeTriangle({0, 0, 0}, {0, 4, 0}, {4, 4, 0}, 1, 1, 1, MaterialPresets[0], depth);
        canvas.DrawChar('A', 0, 0, 0xFFFFFF);
        canvas.DrawNoPreview();
        EXPECT_EQ(canvas.SampleBilinear(0.5f, 0.5f), (ColorBytes{0, 0, 0}));
    }
}

TEST(PreviewCanvas, ColorToBytesRoundsClampsAndTreatsNaNAsDark) {
    const std::pair<float, int> cases[] = {{1.0f, 255}, {7.0f, 255}, {0.0f, 0},   {-0.5f, 0}, {0.5f, 128},
                                           {0.2f, 51},  {0.002f, 1}, {0.001f, 0}, {kNaN, 0},  {-kNaN, 0}};
    for (auto [channel, expected] : cases)
        EXPECT_EQ(ColorToBytes({channel, 0.0f, 1.0f, 0.0f}), (ColorBytes{uint8_t(expected), 0, 255})) << channel;
}

TEST(PreviewCanvas, BilinearSamplingBetweenBlackAndWhite) {
    PreviewCanvas canvas;
    Make(canvas, 2, 1, {0, 0, 0});
    canvas.DrawLine(1, 0, 1, 0, {255, 255, 255});
    // 0.5 is the midpoint (127.5 truncated); outside the picture the edge pixel, exactly.
    const std::pair<float, int> cases[] = {{0.5f, 127}, {0.375f, 63}, {0.25f, 0},   {0.75f, 255}, {-3.0f, 0},
                                           {5.0f, 255}, {-1e30f, 0},  {1e30f, 255}, {kNaN, 0}};
    for (auto [u, expected] : cases)
        EXPECT_EQ(canvas.SampleBilinear(u, 0.5f).g, expected) << u;
}

TEST(PreviewCanvas, DotIsTheThreeByThreeBlockClippedPerPixel) {
    const std::tuple<int, int, size_t> cases[] = {{3, 3, 9}, {0, 0, 4}, {7, 3, 6}, {-2, 3, 0}, {2147483647, 0, 0}};
    for (auto [x, y, pixels] : cases) {
        PreviewCanvas canvas;
        Make(canvas, 8, 8);
        canvas.DrawDot(x, y, {0.0f, 0.0f, 1.0f, 1.0f});
        EXPECT_EQ(Drawn(canvas).size(), pixels) << x;
        for (auto [px, py] : Drawn(canvas))
            EXPECT_TRUE(std::abs(px - x) <= 1 && std::abs(py - y) <= 1 &&
                        PixelAt(canvas, px, py) == (ColorBytes{0, 0, 255}));
    }
}

// Bresenham as usually written, walking every step.
Points ReferenceLine(long x0, long y0, long x1, long y1) {
    Points points;
    const long dx = std::labs(x1 - x0), dy = std::labs(y1 - y0), major = std::max(dx, dy), minor = std::min(dx, dy);
    long x = x0, y = y0, error = 2 * minor - major;
    for (long n = 0; n <= major; ++n) {
        points.insert({int(x), int(y)});
        const bool advance = error > 0;
        error += advance ? 2 * (minor - major) : 2 * minor;
        if (dy > dx || advance)
            y += y1 < y0 ? -1 : 1;
        if (dy <= dx || advance)
            x += x1 < x0 ? -1 : 1;
    }
    return points;
}

TEST(PreviewCanvas, LinesKeepTheirBresenhamPixelsOnTheCanvas) {
    PreviewCanvas canvas;
    Make(canvas, 8, 8);
    canvas.DrawLine(0, 0, 5, 2, kInk);
    EXPECT_EQ(Drawn(canvas), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
    // Lines that start or end far off the canvas are walked only where they cross it.
    const int cases[][4] = {{19, 11, 0, 0},     {-40, 3, 60, 9},          {3, -70, 9, 55},     {9, 55, 3, -70},
                            {-30, -30, 50, 50}, {5, 100000, 14, -100000}, {-100001, -5, 7, 3}, {25, 0, 40, 5}};
    for (const auto& c : cases) {
        Make(canvas, 20, 12);
        canvas.DrawLine(c[0], c[1], c[2], c[3], kInk);
        Points expected;
        for (auto [x, y] : ReferenceLine(c[0], c[1], c[2], c[3]))
            if (x >= 0 && x < 20 && y >= 0 && y < 12)
                expected.insert({x, y});
        EXPECT_EQ(Drawn(canvas), expected) << c[0] << "," << c[1] << " - " << c[2] << "," << c[3];
    }
    Make(canvas, 8, 8);
    canvas.DrawLine(2147483647, 0, -2147483647 - 1, 7, kInk);  // beyond the coordinate limit: nothing
    EXPECT_TRUE(Drawn(canvas).empty());
    canvas.DrawLine(-PreviewCanvas::kMaxCoordinate, 3, PreviewCanvas::kMaxCoordinate, 3, kInk);
    EXPECT_EQ(Drawn(canvas).size(), 8u);
}

TEST(PreviewCanvas, TriangleFillsTenPixelsOnEightByEightWhicheverCornerComesFirst) {
    Points expected;  // the left (x = 1) and top (y = 1) edges in, the diagonal x + y = 6 out
    for (int y = 1; y < 5; ++y)
        for (int x = 1; x < 6 - y; ++x)
            expected.insert({x, y});
    ASSERT_EQ(expected.size(), 10u);
    const cVec2 corners[3] = {{1, 1}, {1, 5}, {5, 1}};
    for (int first = 0; first < 3; ++first) {
        PreviewCanvas canvas;
        Make(canvas, 8, 8);
        canvas.FillTriangle(corners[first], corners[(first + 1) % 3], corners[(first + 2) % 3], kInk);
        EXPECT_EQ(Drawn(canvas), expected) << first;
    }
}

TEST(PreviewCanvas, TrianglesSharingAnEdgeCoverEachPixelOnce) {
    // The shared edge runs from the first triangle's second corner to its third.
    // Flat, no pixel is drawn by both; lit and wound either way, both draw only
    // on the rows that edge crosses. Neither leaves a row empty between them.
    const cVec2 cases[][6] = {{{0, 0}, {0, 4}, {4, 0}, {4, 0}, {0, 4}, {4, 4}},
                              {{1.3f, 0.2f}, {2.1f, 7.7f}, {6.6f, 3.1f}, {6.6f, 3.1f}, {2.1f, 7.7f}, {7.9f, 7.4f}},
                              {{3, 0}, {0, 3}, {7, 3}, {0, 3}, {3, 7}, {7, 3}}};  // along a whole row
    for (const auto& c : cases)
        for (int kind = 0; kind < 3; ++kind) {  // flat, lit, lit the other way round
            Points both;
            std::set<int> rows[2], shared, crossed;
            for (int t = 0; t < 2; ++t) {
                PreviewCanvas canvas;
                Make(canvas, 8, 8);
                const cVec2 &p = c[3 * t], &q = c[3 * t + 1 + (kind == 2)], &r = c[3 * t + 2 - (kind == 2)];
                cList<float> depth;
                ClearDepthBuffer(depth, 8, 8);
                if (kind == 0)
                    canvas.FillTriangle(p, q, r, kInk);
                else
                    canvas.ShadeTriangle({p.x, p.y, 1}, {q.x, q.y, 1}, {r.x, r.y, 1}, 1, 1, 1, Material(1, 0, 0, 1),
                                         depth);
                for (const auto& point : Drawn(canvas)) {
                    EXPECT_TRUE(both.insert(point).second || kind > 0) << point.first << "," << point.second;
                    rows[t].insert(point.second);
                }
            }
            ASSERT_FALSE(rows[1].empty()) << kind;
            for (int row : rows[1])
                if (!rows[0].insert(row).second)
                    shared.insert(row);
            for (int row = 0; row < 8 && kind > 0; ++row)
                if (row >= std::min(c[1].y, c[2].y) && row < std::max(c[1].y, c[2].y))
                    crossed.insert(row);
            EXPECT_TRUE(kind == 0 || shared == crossed) << kind << " from " << c[0].y;
            EXPECT_EQ(int(rows[0].size()), *rows[0].rbegin() - *rows[0].begin() + 1) << kind << " from " << c[0].y;
        }
}

TEST(PreviewCanvas, TrianglesOffTheCanvasWoundTheOtherWayOrOutOfRangeDrawNothing) {
    const float far = float(PreviewCanvas::kMaxCoordinate) * 2, inf = std::numeric_limits<float>::infinity();
    const std::pair<std::vector<cVec2>, size_t> cases[] = {
        {{{-100, -100}, {-100, 1000}, {1000, -100}}, 64},  // covers the canvas
        {{{20, 20}, {20, 30}, {30, 20}}, 0},
        {{{1, 1}, {5, 1}, {1, 5}}, 0},
        {{{kNaN, 1}, {1, 5}, {5, 1}}, 0},
        {{{1, 1}, {1, inf}, {5, 1}}, 0},
        {{{-far, -far}, {-far, far}, {far, -far}}, 0},
    };
    for (const auto& [v, pixels] : cases) {
        PreviewCanvas canvas;
        Make(canvas, 8, 8);
        canvas.FillTriangle(v[0], v[1], v[2], kInk);
        EXPECT_EQ(Drawn(canvas).size(), pixels) << v[0].x << "," << v[1].y;
    }
}

TEST(PreviewCanvas, SpanShadesWithTheMaterialAndTheLight) {
    struct Case {
        float ambient, diffuse, specular, shininess, light;
        uint8_t expected;
        int tolerance;  // levels: light values between the steps of a material's table
    };
    const Case cases[] = {
        {0.2f, 0.5f, 0.25f, 2.0f, 0.5f, 131, 0},         // 0.2 + 0.25 + 0.0625
        {0.5f, 1.0f, 1.0f, 8.0f, 1.0f, 255, 0},          // clamped above
        {0.0f, 1.0f, 0.0f, 1.0f, -1.0f, 0, 0},           // clamped below
        {0.2f, 0.5f, 0.25f, 2.5f, -0.1f, 38, 0},         // from behind: no highlight rather than NaN
        {0.25f, 0.4f, 0.774597f, 76.8f, 0.97f, 182, 1},  // a sharp highlight
        {0.25f, 0.4f, 0.774597f, 76.8f, 0.9f, 156, 1},
        {0.25f, 0.4f, 0.774597f, 76.8f, 0.3f, 94, 1},
        {0.2f, 0.5f, 0.3f, 11.264f, 0.71f, 143, 1},
        {0.1f, 0.2f, 0.3f, 0.5f, 0.3f, 83, 0},         // too steep near 0 for a table
        {0.1f, 0.2f, 0.5f, 300.0f, 0.995f, 105, 0},    // too steep near 1
        {0.1f, 0.2f, 0.3f, 4.0f, 1.0000001f, 153, 0},  // beyond the table
    };
    for (const Case& c : cases) {
        PreviewCanvas canvas;
        Make(canvas, 4, 2);
        cList<float> depth;
        ClearDepthBuffer(depth, 4, 2);
        canvas.ShadeSpan(2, 2, 1, 0.5f, 0.5f, c.light, c.light, Material(c.ambient, c.diffuse, c.specular, c.shininess),
                         depth);
        const ColorBytes pixel = PixelAt(canvas, 2, 1);
        for (uint8_t channel : {pixel.r, pixel.g, pixel.b})
            EXPECT_LE(std::abs(channel - c.expected), c.tolerance) << c.shininess << " " << c.light;
        EXPECT_EQ(Drawn(canvas).size(), 1u);
        EXPECT_EQ(depth[1 * 4 + 2], 0.5f);
    }
}

TEST(PreviewCanvas, SpanRunsBeforeTheLargerXAndFartherPixelsAreLeftAlone) {
    PreviewCanvas canvas;
    Make(canvas, 8, 2);
    cList<float> depth;
    ClearDepthBuffer(depth, 8, 2);
    ASSERT_EQ(depth.Count(), 16);
    depth[3] = 2.5f;  // nearer than the span there
    canvas.ShadeSpan(5, 2, 0, 1.0f, 4.0f, 0.0f, 0.0f, Material(1, 0, 0, 1), depth);
    EXPECT_EQ(Drawn(canvas), (Points{{2, 0}, {4, 0}}));
    EXPECT_FLOAT_EQ(depth[2], 4.0f);  // x = 2 is the end, interpolated by (x - 5) / (2 - 5)
    EXPECT_EQ(depth[3], 2.5f);
    EXPECT_FLOAT_EQ(depth[4], 2.0f);
    EXPECT_EQ(depth[5], 3.4028235e38f);  // the start, at the larger x, is not drawn
    canvas.ShadeSpan(-2147483647 - 1, 2147483647, 1, 0, 0, 0, 0, Material(1, 0, 0, 1), depth);
    canvas.ShadeSpan(0, 8, 2, 0, 0, 0, 0, Material(1, 0, 0, 1), depth);
    EXPECT_EQ(Drawn(canvas).size(), 2u + 8u);
}

TEST(PreviewCanvas, LitTrianglesFollowTheRowCrossingsAndTheDepth) {
    const cMaterialPreset red = {"red", {1, 0, 0, 1}, {}, {}, 1}, blue = {"blue", {0, 0, 1, 1}, {}, {}, 1};
    PreviewCanvas canvas;
    Make(canvas, 8, 8);
    cList<float> depth;
    ClearDepthBuffer(depth, 8, 8);
    // Row y spans [0, y): the top row its one corner pixel, the bottom row nothing.
    canvas.ShadeTriangle({0, 0, 2}, {0, 4, 2}, {4, 4, 2}, 0, 0, 0, blue, depth);
    EXPECT_EQ(Drawn(canvas), (Points{{0, 0}, {0, 1}, {0, 2}, {1, 2}, {0, 3}, {1, 3}, {2, 3}}));
    canvas.ShadeTriangle({0, 0, 1}, {0, 8, 1}, {8, 8, 1}, 0, 0, 0, red, depth);   // nearer
    canvas.ShadeTriangle({0, 0, 3}, {0, 8, 3}, {8, 8, 3}, 0, 0, 0, blue, depth);  // farther
    EXPECT_EQ(PixelAt(canvas, 1, 3), (ColorBytes{255, 0, 0}));
    EXPECT_EQ(depth[3 * 8 + 1], 1.0f);
    // No drawing without a whole depth buffer or with unusable corners; huge ones walk only the canvas rows.
    Make(canvas, 8, 8);
    cList<float> small;
    ClearDepthBuffer(small, 8, 7);
    canvas.ShadeTriangle({0, 0, 1}, {0, 8, 1}, {8, 8, 1}, 1, 1, 1, red, small);
    canvas.ShadeTriangle({kNaN, 0, 1}, {0, 8, 1}, {8, 8, 1}, 1, 1, 1, red, depth);
    canvas.ShadeTriangle({0, 0, 1}, {0, 1e30f, 1}, {8, 8, 1}, 1, 1, 1, red, depth);
    EXPECT_TRUE(Drawn(canvas).empty());
    ClearDepthBuffer(depth, 8, 8);
    canvas.ShadeTriangle({-1e6f, -1e6f, 1}, {-1e6f, 1e7f, 1}, {1e7f, -1e6f, 1}, 1, 1, 1, red, depth);
    EXPECT_EQ(Drawn(canvas).size(), 64u);
}

// Scenes of lit triangles built with plain arithmetic only, so that every build
// makes the same corners; tests/data/preview_scenes holds each as drawn when
// every pixel paid its own division and power (RGB, top row first).
struct Lcg {
    uint32_t state;
    float Next(float from, float to) {
        state = state * 1664525u + 1013904223u;
        return from + (to - from) * float(state >> 8) / 16777216.0f;
    }
};

// A dome of grid cells running past the canvas edges in a shiny material, cut
// by a tilted plane in another, both with light values from 0 to 1.
void DrawMeshScene(PreviewCanvas& canvas, cList<float>& depth) {
    constexpr int kCells = 24;
    const float cx = canvas.Width() * 0.5f, cy = canvas.Height() * 0.5f;
    auto corner = [&](int i, int k, bool plane, float* light) {
        const float x = -8.3f + float(i) * (float(canvas.Width()) + 16) / kCells;
        const float y = -8.3f + float(k) * (float(canvas.Height()) + 16) / kCells;
        const float r = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (cx * cx + cy * cy);
        *light = plane ? (y + 8) / (float(canvas.Height()) + 16) : (r < 1 ? 1 - r : 0);
        return cVec3{x, y, plane ? 90 + (x - cx) * 0.4f : 80 + 40 * r};
    };
    for (bool plane : {false, true})
        for (int k = 0; k < kCells; ++k)
            for (int i = 0; i < kCells; ++i) {
                float l[4];
                const cVec3 a = corner(i, k, plane, &l[0]), b = corner(i + 1, k, plane, &l[1]);
                const cVec3 c = corner(i, k + 1, plane, &l[2]), d = corner(i + 1, k + 1, plane, &l[3]);
                const cMaterialPreset& material = MaterialPresets[plane ? 14 : 3];  // Pearl, Chrome
                canvas.ShadeTriangle(a, c, d, l[0], l[2], l[3], material, depth);
                canvas.ShadeTriangle(a, d, b, l[0], l[3], l[1], material, depth);
            }
}

// Overlapping triangles of every material, some past the edges, some lit from
// behind or beyond full light.
void DrawRandomScene(PreviewCanvas& canvas, cList<float>& depth) {
    Lcg random{12345};
    for (int t = 0; t < 240; ++t) {
        cVec3 p[3];
        float light[3];
        for (int k = 0; k < 3; ++k) {
            p[k] = {random.Next(-20, float(canvas.Width()) + 20), random.Next(-20, float(canvas.Height()) + 20),
                    random.Next(1, 60)};
            light[k] = random.Next(-0.25f, 1.25f);
        }
        canvas.ShadeTriangle(p[0], p[1], p[2], light[0], light[1], light[2], MaterialPresets[t % kMaterialPresetCount],
                             depth);
    }
}

TEST(PreviewCanvas, LitScenesStayWithinOneLevelOfTheirReference) {
    struct Scene {
        const char* file;
        int width, height;
        void (*draw)(PreviewCanvas&, cList<float>&);
    };
    const Scene scenes[] = {
        {"preview_scenes/mesh.rgb", 64, 48, DrawMeshScene},
        {"preview_scenes/random.rgb", 61, 37, DrawRandomScene},
    };
    for (const Scene& scene : scenes) {
        PreviewCanvas canvas;
        Make(canvas, scene.width, scene.height, {255, 0, 255});
        cList<float> depth;
        ClearDepthBuffer(depth, scene.width, scene.height);
        scene.draw(canvas, depth);
        const std::string reference = test::ReadDataFile(scene.file);
        ASSERT_EQ(reference.size(), size_t(scene.width * scene.height * 3)) << scene.file;
        int worst = 0, worstX = 0, worstY = 0, differing = 0;
        for (int y = 0; y < scene.height; ++y)
            for (int x = 0; x < scene.width; ++x) {
                const ColorBytes pixel = PixelAt(canvas, x, y);
                const uint8_t* expected =
                    reinterpret_cast<const uint8_t*>(reference.data()) + 3 * (y * scene.width + x);
                const int gap = std::max({std::abs(pixel.r - expected[0]), std::abs(pixel.g - expected[1]),
                                          std::abs(pixel.b - expected[2])});
                if (gap > worst)
                    worst = gap, worstX = x, worstY = y;
                differing += gap > 0;
            }
        EXPECT_LE(worst, 1) << scene.file << " at " << worstX << "," << worstY;
        EXPECT_LE(differing, scene.width * scene.height / 20) << scene.file;  // off by one only where rounding is close
    }
}

// A lit triangle row by row the plain way: the edges that cross the row, from
// their upper end on and before their lower one, interpolated from their first
// corner, and the span between the two crossings.
void ShadeByRows(PreviewCanvas& canvas, const cVec3 (&p)[3], const float (&light)[3], const cMaterialPreset& material,
                 cList<float>& depth) {
    for (int y = 0; y < canvas.Height(); ++y) {
        float x[3], z[3], l[3];
        int crossings = 0;
        for (int i = 0; i < 3; ++i) {
            const int j = (i + 1) % 3;
            if (float(y) < std::min(p[i].y, p[j].y) || float(y) >= std::max(p[i].y, p[j].y))
                continue;
            const float t = (float(y) - p[i].y) / (p[j].y - p[i].y);
            x[crossings] = p[i].x + (p[j].x - p[i].x) * t;
            z[crossings] = p[i].z + (p[j].z - p[i].z) * t;
            l[crossings++] = light[i] + (light[j] - light[i]) * t;
        }
        ASSERT_NE(crossings, 3);
        if (crossings == 2)
            canvas.ShadeSpan(int(x[0]), int(x[1]), y, z[0], z[1], l[0], l[1], material, depth);
    }
}

TEST(PreviewCanvas, LitTrianglesDrawTheSpansBetweenTheirRowCrossings) {
    // Corners on whole rows, flat tops and bottoms, a sliver, corners far off
    // the canvas, then random ones, a third on whole rows, drawn over each
    // other in every material in turn. Coverage and depth agree exactly; a
    // colour may take the exact shade where a span's light leaves 0..1 by a
    // rounding.
    std::vector<std::vector<cVec3>> triangles = {{{3, 2, 5}, {1, 9, 5}, {12, 9, 5}},
                                                 {{1, 2, 4}, {12, 2, 4}, {6, 11, 4}},
                                                 {{12, 2, 4}, {1, 2, 4}, {6, 11, 4}},
                                                 {{2, 4.5f, 2}, {30, 4.7f, 2}, {15, 4.9f, 2}},
                                                 {{-3e6f, 5, 2}, {5, 1e6f, 2}, {20, -4e6f, 2}},
                                                 {{7, 3, 1}, {7, 3, 1}, {9, 8, 1}}};
    Lcg random{2024};
    for (int t = 0; t < 300; ++t) {
        triangles.emplace_back();
        for (int k = 0; k < 3; ++k) {
            const float y = random.Next(-10, 40);
            triangles.back().push_back({random.Next(-10, 50), t % 3 ? y : float(int(y)), random.Next(1, 30)});
        }
    }
    PreviewCanvas canvas, reference;
    Make(canvas, 40, 30);
    Make(reference, 40, 30);
    cList<float> depth, referenceDepth;
    ClearDepthBuffer(depth, 40, 30);
    ClearDepthBuffer(referenceDepth, 40, 30);
    for (size_t t = 0; t < triangles.size(); ++t) {
        const cVec3 p[3] = {triangles[t][0], triangles[t][1], triangles[t][2]};
        const float light[3] = {random.Next(-0.2f, 1.2f), random.Next(0, 1), random.Next(0, 1)};
        const cMaterialPreset& material = MaterialPresets[t / 16 % kMaterialPresetCount];
        canvas.ShadeTriangle(p[0], p[1], p[2], light[0], light[1], light[2], material, depth);
        ShadeByRows(reference, p, light, material, referenceDepth);
    }
    const Points drawn = Drawn(canvas);
    EXPECT_EQ(drawn, Drawn(reference));
    EXPECT_EQ(std::memcmp(depth.Data(), referenceDepth.Data(), sizeof(float) * 40 * 30), 0);
    for (auto [x, y] : drawn) {
        const ColorBytes a = PixelAt(canvas, x, y), b = PixelAt(reference, x, y);
        EXPECT_LE(std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)}), 1) << x << "," << y;
    }
}

TEST(PreviewCanvas, GlyphIsDrawnWholeOrNotAtAll) {
    constexpr int kW = 20, kH = 40;
    const std::tuple<int, int, int, bool> cases[] = {
        {'A', kW - 8, 0, true},   {'A', kW - 7, 0, false}, {'A', -1, 0, false}, {'~', 0, kH - 16, true},
        {'A', 0, kH - 15, false}, {31, 0, 0, false},       {127, 0, 0, false},
    };
    for (auto [code, x, y, drawn] : cases) {
        PreviewCanvas canvas;
        Make(canvas, kW, kH);
        canvas.DrawChar(code, x, y, 0x00112233);
        Points expected;
        if (const uint8_t* glyph = drawn ? PreviewGlyph(code) : nullptr)
            for (int row = 0; row < 16; ++row)
                for (int bit = 0; bit < 8; ++bit)
                    if (glyph[15 - row] >> bit & 1)
                        expected.insert({x + bit, y + row});
        EXPECT_EQ(Drawn(canvas), expected) << code << " at " << x << "," << y;
        for (auto [px, py] : expected)
            EXPECT_EQ(PixelAt(canvas, px, py), (ColorBytes{0x33, 0x22, 0x11}));  // red in the low byte
    }
    // Every printable code has its own picture; only the space is blank; the top row stays clear.
    std::set<std::vector<uint8_t>> seen;
    for (int code = 32; code <= 126; ++code) {
        const std::vector<uint8_t> bytes(PreviewGlyph(code), PreviewGlyph(code) + 16);
        EXPECT_EQ(bytes == std::vector<uint8_t>(16, 0), code == ' ') << char(code);
        EXPECT_TRUE(seen.insert(bytes).second) << char(code);
        EXPECT_EQ(bytes[15], 0);
    }
    EXPECT_EQ(PreviewGlyph('T')[15 - 4], 0x3E);  // the bar of the 'T', five pixels from the second column
}

TEST(PreviewCanvas, NoPreviewMarkCrossesASquareInTheMiddle) {
    PreviewCanvas canvas;
    Make(canvas, 100, 60);  // the square runs from (40, 20) to (60, 40)
    canvas.DrawNoPreview();
    const uint32_t shadow = os::SystemColor(os::kColorButtonShadow);
    const ColorBytes mark = {uint8_t(shadow), uint8_t(shadow >> 8), uint8_t(shadow >> 16)};
    const std::tuple<int, int, bool> cases[] = {{41, 21, true},  {50, 30, true},  {58, 38, true},  {45, 30, true},
                                                {41, 38, true},  {58, 21, true},  {58, 30, false}, {42, 30, false},
                                                {50, 22, false}, {50, 38, false}, {39, 20, false}, {61, 40, false}};
    for (auto [x, y, marked] : cases)
        EXPECT_EQ(PixelAt(canvas, x, y) == mark, marked) << x << "," << y;
    for (auto [x, y] : Drawn(canvas))
        EXPECT_TRUE(x >= 40 && x < 60 && y >= 20 && y < 40) << x << "," << y;
    for (int size : {10, 39, 40}) {
        Make(canvas, size, size);
        canvas.DrawNoPreview();  // no square fits
        EXPECT_TRUE(Drawn(canvas).empty()) << size;
    }
}

}  // namespace
}  // namespace tovan
