// The preview rasteriser, pixel by pixel. Pixels are read straight from the
// bitmap's bytes by the stored layout (bottom-up rows, blue first), so the
// layout itself is under test too.
#include "core/little_endian.h"
#include "core/os.h"
#include "win32/preview_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <set>
#include <utility>
#include <vector>

namespace tovan {
namespace {

using Points = std::set<std::pair<int, int>>;

ColorBytes PixelAt(const PreviewCanvas& canvas, int x, int y) {
    const uint8_t* p = canvas.Bits() + (canvas.Height() - 1 - y) * canvas.Stride() + 3 * x;
    return {p[2], p[1], p[0]};
}

// A canvas filled with one background colour.
void Make(PreviewCanvas& canvas, int width, int height, ColorBytes background = {1, 2, 3}) {
    InitDibHeader(canvas, width, height);
    canvas.Fill(background);
}

Points Drawn(const PreviewCanvas& canvas, ColorBytes background = {1, 2, 3}) {
    Points points;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (PixelAt(canvas, x, y) != background)
                points.insert({x, y});
    return points;
}

constexpr ColorBytes kInk = {200, 100, 50};

TEST(PreviewCanvas, HeaderAndStrideFollowTheBitmapLayout) {
    struct Case {
        int width, stride;
    };
    const Case cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {6, 20}, {7, 24}, {8, 24}, {256, 768}};
    for (const Case& c : cases) {
        PreviewCanvas canvas;
        InitDibHeader(canvas, c.width, 3);
        EXPECT_EQ(canvas.Stride(), c.stride) << c.width;
        uint8_t expected[PreviewCanvas::kHeaderSize] = {};
        StoreU32(expected + 0, 40);
        StoreU32(expected + 4, uint32_t(c.width));
        StoreU32(expected + 8, 3);
        StoreU16(expected + 12, 1);
        StoreU16(expected + 14, 24);
        StoreU32(expected + 20, uint32_t(3 * c.stride));
        EXPECT_EQ(std::memcmp(canvas.Header(), expected, sizeof expected), 0) << c.width;
        EXPECT_EQ(canvas.Width(), c.width);
        EXPECT_EQ(canvas.Height(), 3);
    }
}

TEST(PreviewCanvas, TopLeftPixelIsStoredInTheLastRowBlueFirst) {
    PreviewCanvas canvas;
    Make(canvas, 5, 3);
    canvas.DrawLine(0, 0, 0, 0, {10, 20, 30});
    canvas.DrawLine(4, 2, 4, 2, {40, 50, 60});
    const uint8_t* bits = canvas.Bits();
    EXPECT_EQ(bits[2 * 16 + 0], 30);  // (0, 0): row 2 of the stored rows
    EXPECT_EQ(bits[2 * 16 + 1], 20);
    EXPECT_EQ(bits[2 * 16 + 2], 10);
    EXPECT_EQ(bits[0 * 16 + 12], 60);  // (4, 2): stored first
    EXPECT_EQ(bits[0 * 16 + 13], 50);
    EXPECT_EQ(bits[0 * 16 + 14], 40);
}

TEST(PreviewCanvas, FillLeavesTheRowPaddingAlone) {
    PreviewCanvas canvas;
    InitDibHeader(canvas, 5, 2);
    std::memset(canvas.Bits(), 0xEE, size_t(2 * canvas.Stride()));
    canvas.Fill({7, 8, 9});
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(PixelAt(canvas, x, y), (ColorBytes{7, 8, 9}));
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(canvas.Bits()[row * 16 + 15], 0xEE);
}

TEST(PreviewCanvas, EmptyCanvasesDrawNothing) {
    const std::pair<int, int> sizes[] = {{0, 5}, {5, 0}, {-1, 4}, {4, -1}, {0, 0}, {1 << 20, 1 << 20}};
    PreviewCanvas filled;
    Make(filled, 4, 4);
    for (auto [w, h] : sizes) {
        PreviewCanvas& canvas = filled;  // a canvas that held a picture before
        InitDibHeader(canvas, w, h);
        EXPECT_TRUE(canvas.IsEmpty()) << w << " x " << h;
        EXPECT_EQ(canvas.Width(), 0);
        EXPECT_EQ(canvas.Height(), 0);
        EXPECT_EQ(canvas.Stride(), 0);
        EXPECT_EQ(canvas.Bits(), nullptr);
        const uint8_t zero[PreviewCanvas::kHeaderSize] = {};
        EXPECT_EQ(std::memcmp(canvas.Header(), zero, sizeof zero), 0);
        cList<float> depth;
        canvas.Fill(kInk);
        canvas.DrawDot(0, 0, {1, 1, 1, 1});
        canvas.DrawLine(0, 0, 3, 3, kInk);
        canvas.FillTriangle({0, 0}, {0, 4}, {4, 0}, kInk);
        canvas.ShadeTriangle({0, 0, 0}, {0, 4, 0}, {4, 4, 0}, 1, 1, 1, MaterialPresets[0], depth);
        canvas.ShadeSpan(0, 3, 0, 0, 0, 1, 1, MaterialPresets[0], depth);
        canvas.DrawChar('A', 0, 0, 0xFFFFFF);
        canvas.DrawNoPreview();
        EXPECT_EQ(canvas.SampleBilinear(0.5f, 0.5f), (ColorBytes{0, 0, 0}));
    }
}

TEST(PreviewCanvas, ColorToBytesRoundsAndClamps) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float channel;
        uint8_t expected;
    };
    const Case cases[] = {
        {1.0f, 255}, {7.0f, 255}, {0.0f, 0},      {-0.5f, 0},      {0.5f, 128}, {0.2f, 51},
        {0.001f, 0}, {0.002f, 1}, {0.9999f, 255}, {1.0f / 255, 1}, {nan, 0},    {-nan, 0},
    };
    for (const Case& c : cases) {
        const ColorBytes bytes = ColorToBytes({c.channel, 0.0f, 1.0f, 0.0f});
        EXPECT_EQ(bytes.r, c.expected) << c.channel;
        EXPECT_EQ(bytes.g, 0);
        EXPECT_EQ(bytes.b, 255);
    }
    EXPECT_EQ(ColorToBytes({0.0f, 0.2f, 0.5f, 1.0f}), (ColorBytes{0, 51, 128}));
}

TEST(PreviewCanvas, BilinearSamplingBetweenBlackAndWhite) {
    PreviewCanvas canvas;
    Make(canvas, 2, 1, {0, 0, 0});
    canvas.DrawLine(1, 0, 1, 0, {255, 255, 255});
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float u;
        uint8_t expected;
    };
    const Case cases[] = {
        {0.5f, 127},   // the midpoint: 127.5 truncated
        {0.375f, 63},  // a quarter of the way
        {0.25f, 0},   {0.75f, 255}, {0.0f, 0},    {1.0f, 255}, {-3.0f, 0},
        {5.0f, 255},  {-1e30f, 0},  {1e30f, 255}, {nan, 0},
    };
    for (const Case& c : cases) {
        const ColorBytes sample = canvas.SampleBilinear(c.u, 0.5f);
        EXPECT_EQ(sample, (ColorBytes{c.expected, c.expected, c.expected})) << c.u;
    }
}

TEST(PreviewCanvas, BilinearSamplingWeighsFourPixels) {
    PreviewCanvas canvas;
    Make(canvas, 2, 2, {0, 0, 0});
    canvas.DrawLine(0, 0, 0, 0, {200, 0, 0});
    canvas.DrawLine(1, 0, 1, 0, {0, 100, 0});
    canvas.DrawLine(0, 1, 0, 1, {0, 0, 40});
    canvas.DrawLine(1, 1, 1, 1, {100, 100, 100});
    EXPECT_EQ(canvas.SampleBilinear(0.5f, 0.5f), (ColorBytes{75, 50, 35}));
    EXPECT_EQ(canvas.SampleBilinear(0.25f, 0.25f), (ColorBytes{200, 0, 0}));
    EXPECT_EQ(canvas.SampleBilinear(0.75f, 0.75f), (ColorBytes{100, 100, 100}));
    EXPECT_EQ(canvas.SampleBilinear(0.5f, 0.25f), (ColorBytes{100, 50, 0}));
}

TEST(PreviewCanvas, DotIsTheThreeByThreeBlockClippedPerPixel) {
    struct Case {
        int x, y;
        size_t pixels;
    };
    const Case cases[] = {{3, 3, 9}, {0, 0, 4}, {7, 3, 6}, {-1, -1, 1}, {-2, 3, 0}, {2147483647, -2147483647 - 1, 0}};
    for (const Case& c : cases) {
        PreviewCanvas canvas;
        Make(canvas, 8, 8);
        canvas.DrawDot(c.x, c.y, {0.0f, 0.0f, 1.0f, 1.0f});
        const Points drawn = Drawn(canvas);
        EXPECT_EQ(drawn.size(), c.pixels) << c.x << "," << c.y;
        for (auto [x, y] : drawn) {
            EXPECT_LE(std::abs(x - c.x), 1);
            EXPECT_LE(std::abs(y - c.y), 1);
            EXPECT_EQ(PixelAt(canvas, x, y), (ColorBytes{0, 0, 255}));
        }
    }
}

// Bresenham as it is usually written, with no canvas to cut the walk short.
Points ReferenceLine(int x0, int y0, int x1, int y1) {
    Points points;
    const long dx = std::labs(long(x1) - x0), dy = std::labs(long(y1) - y0);
    const bool steep = dy > dx;
    const long major = steep ? dy : dx, minor = steep ? dx : dy;
    const int stepX = x1 < x0 ? -1 : 1, stepY = y1 < y0 ? -1 : 1;
    long x = x0, y = y0, error = 2 * minor - major;
    for (long n = 0; n <= major; ++n) {
        points.insert({int(x), int(y)});
        if (error > 0) {
            if (steep)
                x += stepX;
            else
                y += stepY;
            error += 2 * (minor - major);
        } else {
            error += 2 * minor;
        }
        if (steep)
            y += stepY;
        else
            x += stepX;
    }
    return points;
}

TEST(PreviewCanvas, LineDrawsBothEndPointsAndStepsLikeBresenham) {
    PreviewCanvas canvas;
    Make(canvas, 8, 8);
    canvas.DrawLine(0, 0, 5, 2, kInk);
    EXPECT_EQ(Drawn(canvas), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
    for (auto [x, y] : Drawn(canvas))
        EXPECT_EQ(PixelAt(canvas, x, y), kInk);
}

TEST(PreviewCanvas, LinesThatLeaveTheCanvasKeepTheirPixelsOnIt) {
    struct Case {
        int x0, y0, x1, y1;
    };
    const Case cases[] = {
        {0, 0, 19, 11},   {19, 11, 0, 0},     {-40, 3, 60, 9},      {60, 9, -40, 3},          {3, -70, 9, 55},
        {9, 55, 3, -70},  {-30, -30, 50, 50}, {-1000, 7, 1000, 12}, {5, 100000, 14, -100000}, {-7, 2, 3, 2},
        {10, -5, 10, 40}, {25, 0, 40, 5},     {-3, -3, -1, -9},     {-100001, -5, 7, 3},      {4, 4, 4, 4},
    };
    constexpr int kW = 20, kH = 12;
    for (const Case& c : cases) {
        PreviewCanvas canvas;
        Make(canvas, kW, kH);
        canvas.DrawLine(c.x0, c.y0, c.x1, c.y1, kInk);
        Points expected;
        for (auto [x, y] : ReferenceLine(c.x0, c.y0, c.x1, c.y1))
            if (x >= 0 && x < kW && y >= 0 && y < kH)
                expected.insert({x, y});
        EXPECT_EQ(Drawn(canvas), expected) << c.x0 << "," << c.y0 << " - " << c.x1 << "," << c.y1;
    }
}

TEST(PreviewCanvas, LinesBeyondTheCoordinateLimitDrawNothing) {
    PreviewCanvas canvas;
    Make(canvas, 8, 8);
    const int far = PreviewCanvas::kMaxCoordinate + 1;
    canvas.DrawLine(-far, 3, far, 3, kInk);
    canvas.DrawLine(2147483647, 0, -2147483647 - 1, 7, kInk);
    EXPECT_TRUE(Drawn(canvas).empty());
    canvas.DrawLine(-PreviewCanvas::kMaxCoordinate, 3, PreviewCanvas::kMaxCoordinate, 3, kInk);
    EXPECT_EQ(Drawn(canvas).size(), 8u);  // the whole row, without walking the part off the canvas
}

TEST(PreviewCanvas, TriangleFillsTenPixelsOnEightByEight) {
    Points expected;  // the left (x = 1) and top (y = 1) edges in, the diagonal x + y = 6 out
    for (int y = 1; y < 5; ++y)
        for (int x = 1; x < 5; ++x)
            if (x + y < 6)
                expected.insert({x, y});
    ASSERT_EQ(expected.size(), 10u);
    const cVec2 corners[3] = {{1, 1}, {1, 5}, {5, 1}};
    for (int first = 0; first < 3; ++first) {  // each edge takes each place in the edge order
        PreviewCanvas canvas;
        Make(canvas, 8, 8);
        canvas.FillTriangle(corners[first], corners[(first + 1) % 3], corners[(first + 2) % 3], kInk);
        EXPECT_EQ(Drawn(canvas), expected) << first;
        for (auto [x, y] : expected)
            EXPECT_EQ(PixelAt(canvas, x, y), kInk);
    }
}

TEST(PreviewCanvas, TrianglesSharingAnEdgeCoverEachPixelOnce) {
    struct Case {
        cVec2 a[3], b[3];
        size_t area;
    };
    const Case cases[] = {
        {{{0, 0}, {0, 4}, {4, 0}}, {{4, 0}, {0, 4}, {4, 4}}, 16},
        {{{0.5f, 0.5f}, {0.5f, 6.5f}, {6.5f, 0.5f}}, {{6.5f, 0.5f}, {0.5f, 6.5f}, {6.5f, 6.5f}}, 36},
        {{{1.3f, 0.2f}, {2.1f, 7.7f}, {6.6f, 3.1f}}, {{6.6f, 3.1f}, {2.1f, 7.7f}, {7.9f, 7.4f}}, 0},
    };
    for (const Case& c : cases) {
        PreviewCanvas first, second;
        Make(first, 8, 8);
        Make(second, 8, 8);
        first.FillTriangle(c.a[0], c.a[1], c.a[2], kInk);
        second.FillTriangle(c.b[0], c.b[1], c.b[2], kInk);
        const Points p = Drawn(first), q = Drawn(second);
        EXPECT_FALSE(p.empty());
        EXPECT_FALSE(q.empty());
        for (const auto& point : p)
            EXPECT_EQ(q.count(point), 0u) << point.first << "," << point.second;
        if (c.area) {
            EXPECT_EQ(p.size() + q.size(), c.area);
        }
    }
}

TEST(PreviewCanvas, TrianglesOffTheCanvasOrOutOfRangeDrawNothing) {
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float far = float(PreviewCanvas::kMaxCoordinate) * 2;
    struct Case {
        cVec2 a, b, c;
        size_t pixels;
    };
    const Case cases[] = {
        {{-100, -100}, {-100, 1000}, {1000, -100}, 64},  // covers the canvas
        {{20, 20}, {20, 30}, {30, 20}, 0},
        {{-9, -9}, {-9, -2}, {-2, -9}, 0},
        {{1, 1}, {5, 1}, {1, 5}, 0},  // the other winding
        {{nan, 1}, {1, 5}, {5, 1}, 0},
        {{1, 1}, {1, inf}, {5, 1}, 0},
        {{-far, -far}, {-far, far}, {far, -far}, 0},
        {{2, 2}, {2, 2}, {2, 2}, 0},
    };
    for (const Case& c : cases) {
        PreviewCanvas canvas;
        Make(canvas, 8, 8);
        canvas.FillTriangle(c.a, c.b, c.c, kInk);
        EXPECT_EQ(Drawn(canvas).size(), c.pixels) << c.a.x << "," << c.a.y;
    }
}

cMaterialPreset TestMaterial(float ambient, float diffuse, float specular, float shininess) {
    return {"test",
            {ambient, ambient, ambient, 1},
            {diffuse, diffuse, diffuse, 1},
            {specular, specular, specular, 1},
            shininess};
}

TEST(PreviewCanvas, SpanShadesWithTheMaterialAndTheLight) {
    struct Case {
        float ambient, diffuse, specular, shininess, light;
        uint8_t expected;
    };
    const Case cases[] = {
        {0.2f, 0.5f, 0.25f, 2.0f, 0.5f, 131},  // 0.2 + 0.25 + 0.0625
        {0.1f, 0.5f, 0.0f, 1.0f, 1.0f, 153},   // 0.6
        {0.5f, 1.0f, 1.0f, 8.0f, 1.0f, 255},   // clamped above
        {0.0f, 1.0f, 0.0f, 1.0f, -1.0f, 0},    // clamped below
        {0.2f, 0.5f, 0.25f, 2.5f, -0.1f, 38},  // from behind: no highlight, no NaN
        {0.2f, 0.5f, 0.25f, 2.0f, 0.0f, 51},   // 0.2
    };
    for (const Case& c : cases) {
        PreviewCanvas canvas;
        Make(canvas, 4, 2);
        cList<float> depth;
        ClearDepthBuffer(depth, 4, 2);
        canvas.ShadeSpan(2, 2, 1, 0.5f, 0.5f, c.light, c.light,
                         TestMaterial(c.ambient, c.diffuse, c.specular, c.shininess), depth);
        EXPECT_EQ(PixelAt(canvas, 2, 1), (ColorBytes{c.expected, c.expected, c.expected})) << c.light;
        EXPECT_EQ(depth[1 * 4 + 2], 0.5f);
        EXPECT_EQ(Drawn(canvas).size(), 1u) << "one pixel";
    }
}

TEST(PreviewCanvas, SpanRunsFromTheSmallerToBeforeTheLargerX) {
    PreviewCanvas canvas;
    Make(canvas, 8, 2);
    cList<float> depth;
    ClearDepthBuffer(depth, 8, 2);
    canvas.ShadeSpan(5, 2, 0, 1.0f, 4.0f, 0.0f, 0.0f, TestMaterial(1, 0, 0, 1), depth);
    EXPECT_EQ(Drawn(canvas), (Points{{2, 0}, {3, 0}, {4, 0}}));
    EXPECT_FLOAT_EQ(depth[2], 4.0f);  // x = 2 is the end
    EXPECT_FLOAT_EQ(depth[3], 3.0f);
    EXPECT_FLOAT_EQ(depth[4], 2.0f);
    EXPECT_EQ(depth[5], 3.4028235e38f);  // the start (larger x) is not drawn
    // Off the canvas: rows and columns outside are skipped, nothing else.
    canvas.ShadeSpan(-5, 20, 1, 0.0f, 0.0f, 0.0f, 0.0f, TestMaterial(1, 0, 0, 1), depth);
    canvas.ShadeSpan(0, 8, 2, 0.0f, 0.0f, 0.0f, 0.0f, TestMaterial(1, 0, 0, 1), depth);
    canvas.ShadeSpan(0, 8, -1, 0.0f, 0.0f, 0.0f, 0.0f, TestMaterial(1, 0, 0, 1), depth);
    canvas.ShadeSpan(-2147483647 - 1, 2147483647, 1, 0.0f, 0.0f, 0.0f, 0.0f, TestMaterial(1, 0, 0, 1), depth);
    EXPECT_EQ(Drawn(canvas).size(), 3u + 8u);
}

TEST(PreviewCanvas, FartherPixelsLeaveThePictureAndTheDepthAlone) {
    PreviewCanvas canvas;
    Make(canvas, 4, 1);
    cList<float> depth;
    ClearDepthBuffer(depth, 4, 1);
    ASSERT_EQ(depth.Count(), 4);
    depth[1] = 0.5f;
    canvas.ShadeSpan(0, 3, 0, 0.7f, 0.7f, 1.0f, 1.0f, TestMaterial(1, 0, 0, 1), depth);
    EXPECT_EQ(Drawn(canvas), (Points{{0, 0}, {2, 0}}));
    EXPECT_EQ(depth[0], 0.7f);
    EXPECT_EQ(depth[1], 0.5f);
    EXPECT_EQ(depth[2], 0.7f);
    canvas.ShadeSpan(1, 1, 0, 0.5f, 0.5f, 0.0f, 0.0f, TestMaterial(0.2f, 0, 0, 1), depth);  // equal depth draws
    EXPECT_EQ(PixelAt(canvas, 1, 0), (ColorBytes{51, 51, 51}));
}

TEST(PreviewCanvas, LitTriangleFollowsTheRowCrossings) {
    PreviewCanvas canvas;
    Make(canvas, 8, 8);
    cList<float> depth;
    ClearDepthBuffer(depth, 8, 8);
    // Rows 0 and 4 meet the outline once (a vertex) and stay empty; row y spans [0, y).
    canvas.ShadeTriangle({0, 0, 1}, {0, 4, 1}, {4, 4, 1}, 1, 1, 1, TestMaterial(1, 0, 0, 1), depth);
    EXPECT_EQ(Drawn(canvas), (Points{{0, 1}, {0, 2}, {1, 2}, {0, 3}, {1, 3}, {2, 3}}));
}

TEST(PreviewCanvas, NearerTriangleWinsWhateverTheOrder) {
    const cMaterialPreset red = {"red", {1, 0, 0, 1}, {}, {}, 1};
    const cMaterialPreset blue = {"blue", {0, 0, 1, 1}, {}, {}, 1};
    for (bool nearFirst : {true, false}) {
        PreviewCanvas canvas;
        Make(canvas, 8, 8);
        cList<float> depth;
        ClearDepthBuffer(depth, 8, 8);
        auto drawNear = [&] { canvas.ShadeTriangle({0, 0, 1}, {0, 8, 1}, {8, 8, 1}, 0, 0, 0, red, depth); };
        auto drawFar = [&] { canvas.ShadeTriangle({0, 0, 2}, {0, 8, 2}, {8, 8, 2}, 0, 0, 0, blue, depth); };
        if (nearFirst) {
            drawNear();
            drawFar();
        } else {
            drawFar();
            drawNear();
        }
        EXPECT_EQ(PixelAt(canvas, 1, 5), (ColorBytes{255, 0, 0})) << nearFirst;
        EXPECT_EQ(depth[5 * 8 + 1], 1.0f);
    }
}

TEST(PreviewCanvas, LitTrianglesNeedAWholeDepthBufferAndUsableCoordinates) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    PreviewCanvas canvas;
    Make(canvas, 8, 8);
    cList<float> small;
    ClearDepthBuffer(small, 8, 7);
    canvas.ShadeTriangle({0, 0, 1}, {0, 8, 1}, {8, 8, 1}, 1, 1, 1, MaterialPresets[0], small);
    canvas.ShadeSpan(0, 8, 0, 0, 0, 1, 1, MaterialPresets[0], small);
    cList<float> depth;
    ClearDepthBuffer(depth, 8, 8);
    canvas.ShadeTriangle({nan, 0, 1}, {0, 8, 1}, {8, 8, 1}, 1, 1, 1, MaterialPresets[0], depth);
    canvas.ShadeTriangle({0, 0, 1}, {0, 1e30f, 1}, {8, 8, 1}, 1, 1, 1, MaterialPresets[0], depth);
    EXPECT_TRUE(Drawn(canvas).empty());
    // A huge triangle around the canvas fills it, walking only the rows on it.
    canvas.ShadeTriangle({-1e6f, -1e6f, 1}, {-1e6f, 1e7f, 1}, {1e7f, -1e6f, 1}, 1, 1, 1, MaterialPresets[0], depth);
    EXPECT_EQ(Drawn(canvas).size(), 64u);
}

TEST(PreviewCanvas, ClearDepthBufferSizesAndSetsTheFarthestDepth) {
    cList<float> depth;
    depth.PushBack(1.0f);
    ClearDepthBuffer(depth, 3, 2);
    ASSERT_EQ(depth.Count(), 6);
    for (float d : depth)
        EXPECT_EQ(d, 3.4028235e38f);
    ClearDepthBuffer(depth, -3, 2);
    EXPECT_EQ(depth.Count(), 0);
}

std::vector<uint8_t> StoredBytes(const PreviewCanvas& canvas) {
    return std::vector<uint8_t>(canvas.Bits(), canvas.Bits() + canvas.Height() * canvas.Stride());
}

TEST(PreviewCanvas, GlyphIsDrawnWholeOrNotAtAll) {
    struct Case {
        int code, x, y;
        bool drawn;
    };
    constexpr int kW = 20, kH = 40;
    const Case cases[] = {
        {'A', 0, 0, true},       {'A', kW - 8, 0, true},   {'A', kW - 7, 0, false}, {'A', -1, 0, false},
        {'A', 0, kH - 16, true}, {'A', 0, kH - 15, false}, {'A', 0, -1, false},     {31, 0, 0, false},
        {127, 0, 0, false},      {' ', 0, 0, false},       {'~', 4, 4, true},       {-200, 0, 0, false},
    };
    for (const Case& c : cases) {
        PreviewCanvas canvas;
        Make(canvas, kW, kH);
        const std::vector<uint8_t> before = StoredBytes(canvas);
        canvas.DrawChar(c.code, c.x, c.y, 0x00112233);
        if (!c.drawn) {
            EXPECT_EQ(StoredBytes(canvas), before) << c.code << " at " << c.x << "," << c.y;
            continue;
        }
        const uint8_t* glyph = PreviewGlyph(c.code);
        ASSERT_NE(glyph, nullptr);
        Points expected;
        for (int row = 0; row < 16; ++row)
            for (int bit = 0; bit < 8; ++bit)
                if (glyph[15 - row] >> bit & 1)
                    expected.insert({c.x + bit, c.y + row});
        EXPECT_EQ(Drawn(canvas), expected) << c.code;
        for (auto [x, y] : expected)
            EXPECT_EQ(PixelAt(canvas, x, y), (ColorBytes{0x33, 0x22, 0x11}));
    }
}

TEST(PreviewCanvas, GlyphTableHasADistinctPictureForEveryPrintableCode) {
    EXPECT_EQ(PreviewGlyph(31), nullptr);
    EXPECT_EQ(PreviewGlyph(127), nullptr);
    std::set<std::vector<uint8_t>> seen;
    for (int code = 32; code <= 126; ++code) {
        const uint8_t* glyph = PreviewGlyph(code);
        ASSERT_NE(glyph, nullptr);
        std::vector<uint8_t> bytes(glyph, glyph + 16);
        const bool blank = std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
        EXPECT_EQ(blank, code == ' ') << char(code);
        EXPECT_TRUE(seen.insert(bytes).second) << char(code) << " looks like another glyph";
        EXPECT_EQ(bytes[15], 0) << "the top row stays clear between lines";
    }
    // 'T': a full bar on the top row of the art, then the stem.
    const uint8_t* t = PreviewGlyph('T');
    EXPECT_EQ(t[15 - 4], 0x3E);
    EXPECT_EQ(t[15 - 5], 0x08);
}

TEST(PreviewCanvas, NoPreviewMarkCrossesASquareInTheMiddle) {
    PreviewCanvas canvas;
    Make(canvas, 100, 60);
    canvas.DrawNoPreview();
    const uint32_t shadow = os::SystemColor(os::kColorButtonShadow);
    const ColorBytes mark = {uint8_t(shadow), uint8_t(shadow >> 8), uint8_t(shadow >> 16)};
    // The square runs from (40, 20) to (60, 40): 20 in from the top and bottom, centred across.
    struct Case {
        int x, y;
        bool marked;
    };
    const Case cases[] = {
        {41, 21, true},  {50, 30, true},  {58, 38, true},  {45, 30, true},  {41, 38, true},  {58, 21, true},
        {58, 30, false}, {42, 30, false}, {50, 22, false}, {50, 38, false}, {39, 20, false}, {61, 40, false},
        {10, 10, false}, {90, 50, false}, {35, 15, false}, {65, 45, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PixelAt(canvas, c.x, c.y) == mark, c.marked) << c.x << "," << c.y;
    for (auto [x, y] : Drawn(canvas)) {
        EXPECT_GE(x, 40);
        EXPECT_LT(x, 60);
        EXPECT_GE(y, 20);
        EXPECT_LT(y, 40);
    }
}

TEST(PreviewCanvas, NoPreviewMarkOnTallAndTinyCanvases) {
    PreviewCanvas canvas;
    Make(canvas, 50, 90);  // the square runs from (20, 40) to (30, 50)
    canvas.DrawNoPreview();
    const Points drawn = Drawn(canvas);
    EXPECT_FALSE(drawn.empty());
    for (auto [x, y] : drawn) {
        EXPECT_TRUE(x >= 20 && x < 30 && y >= 40 && y < 50) << x << "," << y;
    }
    for (int size : {1, 10, 39, 40}) {
        Make(canvas, size, size);
        canvas.DrawNoPreview();  // no square fits: nothing is drawn, nothing is touched outside
        EXPECT_TRUE(Drawn(canvas).empty()) << size;
    }
}

}  // namespace
}  // namespace tovan
