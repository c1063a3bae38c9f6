#include "win32/preview_canvas.h"

#include "core/little_endian.h"
#include "core/os.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tovan {

namespace {

constexpr float kFarDepth = 3.4028235e38f;

float Clamp01(float t) { return !(t > 0.0f) ? 0.0f : t > 1.0f ? 1.0f : t; }

// False for NaN, infinities and coordinates too far out for 28.4 fixed point.
bool InRange(float v) {
    constexpr float kLimit = float(PreviewCanvas::kMaxCoordinate);
    return v >= -kLimit && v <= kLimit;
}
bool InRange(int v) { return v >= -PreviewCanvas::kMaxCoordinate && v <= PreviewCanvas::kMaxCoordinate; }

int64_t ToFixed(float v) { return int64_t(v * 16.0f); }  // 28.4, truncated toward zero

// The first pixel whose sample point lies at or past a 28.4 coordinate.
int64_t CeilPixel(int64_t fixed) { return fixed >= 0 ? (fixed + 15) / 16 : -(-fixed / 16); }

ColorBytes Unpack(uint32_t packed) { return {uint8_t(packed), uint8_t(packed >> 8), uint8_t(packed >> 16)}; }

}  // namespace

void InitDibHeader(PreviewCanvas& canvas, int width, int height) {
    canvas.Release();
    if (width <= 0 || height <= 0)
        return;
    const int64_t stride = (int64_t(width) * 3 + 3) & ~int64_t(3);
    const int64_t bytes = stride * height;
    if (bytes > PreviewCanvas::kMaxBytes)
        return;
    uint8_t* header = canvas.m_Header;
    StoreU32(header + 0, 40);  // BITMAPINFOHEADER
    StoreU32(header + 4, uint32_t(width));
    StoreU32(header + 8, uint32_t(height));  // positive: bottom-up rows
    StoreU16(header + 12, 1);                // planes
    StoreU16(header + 14, 24);               // bits per pixel
    StoreU32(header + 16, 0);                // BI_RGB
    StoreU32(header + 20, uint32_t(bytes));
    canvas.m_Stride = int32_t(stride);
    canvas.m_Width = width;
    canvas.m_Height = height;
    canvas.m_Bits.Resize(int(bytes));
}

void ClearDepthBuffer(cList<float>& depth, int width, int height) {
    const int64_t count = width > 0 && height > 0 ? int64_t(width) * height : 0;
    depth.Resize(count <= PreviewCanvas::kMaxBytes / 3 ? int(count) : 0);  // no larger canvas exists
    std::fill(depth.begin(), depth.end(), kFarDepth);
}

void PreviewCanvas::Release() {
    std::memset(m_Header, 0, sizeof m_Header);
    m_Stride = 0;
    m_Width = m_Height = 0;
    m_Bits.Free();
}

ColorBytes PreviewCanvas::Get(int x, int y) const {
    if (x < 0 || x >= m_Width || y < 0 || y >= m_Height)
        return {0, 0, 0};
    const uint8_t* p = m_Bits.Data() + (m_Height - 1 - y) * m_Stride + 3 * x;
    return {p[2], p[1], p[0]};
}

void PreviewCanvas::Fill(ColorBytes color) {
    if (IsEmpty())
        return;
    // One stored row pixel by pixel, then copies of it; the padding is left alone.
    uint8_t* first = m_Bits.Data();
    for (int x = 0; x < m_Width; ++x) {
        first[3 * x] = color.b;
        first[3 * x + 1] = color.g;
        first[3 * x + 2] = color.r;
    }
    for (int row = 1; row < m_Height; ++row)
        std::memcpy(first + int64_t(row) * m_Stride, first, size_t(m_Width) * 3);
}

ColorBytes PreviewCanvas::SampleBilinear(float u, float v) const {
    if (IsEmpty())
        return {0, 0, 0};
    const float fx = float(m_Width) * u - 0.5f;
    const float fy = float(m_Height) * v - 0.5f;
    // Clamped as floats, so that no coordinate too large for an int is converted.
    auto index = [](float f, int size) { return !(f > 0.0f) ? 0 : f >= float(size - 1) ? size - 1 : int(f); };
    const int x0 = index(std::floor(fx), m_Width), x1 = index(std::ceil(fx), m_Width);
    const int y0 = index(std::floor(fy), m_Height), y1 = index(std::ceil(fy), m_Height);
    // Outside the picture both neighbours are the edge pixel: clamping the
    // weights keeps its value exact instead of letting rounding spill over.
    const float tx = Clamp01(fx - float(x0)), ty = Clamp01(fy - float(y0));
    const ColorBytes p00 = Get(x0, y0), p10 = Get(x1, y0), p01 = Get(x0, y1), p11 = Get(x1, y1);
    const float w00 = (1 - tx) * (1 - ty), w10 = tx * (1 - ty), w01 = (1 - tx) * ty, w11 = tx * ty;
    auto mix = [&](uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
        const float s = a * w00 + b * w10 + c * w01 + d * w11;
        return uint8_t(s >= 255.0f ? 255.0f : s > 0.0f ? s : 0.0f);
    };
    return {mix(p00.r, p10.r, p01.r, p11.r), mix(p00.g, p10.g, p01.g, p11.g), mix(p00.b, p10.b, p01.b, p11.b)};
}

void PreviewCanvas::DrawDot(int x, int y, const cColor& color) {
    // The midpoint circle of radius 2 over the integer grid is the 3 x 3 block.
    const ColorBytes bytes = ColorToBytes(color);
    for (int64_t k = int64_t(y) - 1; k <= int64_t(y) + 1; ++k)
        for (int64_t i = int64_t(x) - 1; i <= int64_t(x) + 1; ++i)
            if (i >= 0 && i < m_Width && k >= 0 && k < m_Height)
                Put(int(i), int(k), bytes);
}

void PreviewCanvas::DrawLine(int x0, int y0, int x1, int y1, ColorBytes color) {
    if (IsEmpty() || !InRange(x0) || !InRange(y0) || !InRange(x1) || !InRange(y1))
        return;
    const int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
    const bool steep = std::llabs(dy) > std::llabs(dx);
    const int64_t major = steep ? std::llabs(dy) : std::llabs(dx);
    const int64_t minor = steep ? std::llabs(dx) : std::llabs(dy);
    const int64_t stepMajor = (steep ? dy : dx) < 0 ? -1 : 1;
    const int64_t stepMinor = (steep ? dx : dy) < 0 ? -1 : 1;
    const int64_t a0 = steep ? y0 : x0, b0 = steep ? x0 : y0;
    const int64_t extent = steep ? m_Height : m_Width;
    // Only the steps whose major coordinate lies on the canvas are walked: after
    // n steps Bresenham has advanced the minor coordinate (2 minor n + major - 1)
    // / (2 major) times, so the walk can start at the first visible step.
    int64_t first = stepMajor > 0 ? -a0 : a0 - (extent - 1);
    int64_t last = stepMajor > 0 ? extent - 1 - a0 : a0;
    first = std::max<int64_t>(first, 0);
    last = std::min(last, major);
    if (first > last)
        return;
    int64_t advanced = major > 0 ? (2 * minor * first + major - 1) / (2 * major) : 0;
    int64_t error = 2 * minor - major + 2 * minor * first - 2 * major * advanced;
    for (int64_t n = first; n <= last; ++n) {
        const int64_t a = a0 + stepMajor * n, b = b0 + stepMinor * advanced;
        const int64_t x = steep ? b : a, y = steep ? a : b;
        if (x >= 0 && x < m_Width && y >= 0 && y < m_Height)
            Put(int(x), int(y), color);
        if (error > 0) {
            ++advanced;
            error += 2 * (minor - major);
        } else {
            error += 2 * minor;
        }
    }
}

void PreviewCanvas::FillTriangle(const cVec2& a, const cVec2& b, const cVec2& c, ColorBytes color) {
    if (IsEmpty() || !InRange(a.x) || !InRange(a.y) || !InRange(b.x) || !InRange(b.y) || !InRange(c.x) || !InRange(c.y))
        return;
    const int64_t x1 = ToFixed(a.x), y1 = ToFixed(a.y);
    const int64_t x2 = ToFixed(b.x), y2 = ToFixed(b.y);
    const int64_t x3 = ToFixed(c.x), y3 = ToFixed(c.y);
    const int64_t dx12 = x1 - x2, dx23 = x2 - x3, dx31 = x3 - x1;
    const int64_t dy12 = y1 - y2, dy23 = y2 - y3, dy31 = y3 - y1;
    // The pixel box; cutting it to the canvas only skips pixels that would be skipped anyway.
    const int64_t minX = std::max<int64_t>(CeilPixel(std::min({x1, x2, x3})), 0);
    const int64_t maxX = std::min<int64_t>(CeilPixel(std::max({x1, x2, x3})), m_Width);
    const int64_t minY = std::max<int64_t>(CeilPixel(std::min({y1, y2, y3})), 0);
    const int64_t maxY = std::min<int64_t>(CeilPixel(std::max({y1, y2, y3})), m_Height);
    if (minX >= maxX || minY >= maxY)
        return;
    // Edge constants with the top-left rule: samples on a top or left edge count.
    int64_t c1 = dy12 * x1 - dx12 * y1;
    int64_t c2 = dy23 * x2 - dx23 * y2;
    int64_t c3 = dy31 * x3 - dx31 * y3;
    if (dy12 < 0 || (dy12 == 0 && dx12 > 0))
        ++c1;
    if (dy23 < 0 || (dy23 == 0 && dx23 > 0))
        ++c2;
    if (dy31 < 0 || (dy31 == 0 && dx31 > 0))
        ++c3;
    int64_t cy1 = c1 + dx12 * minY * 16 - dy12 * minX * 16;
    int64_t cy2 = c2 + dx23 * minY * 16 - dy23 * minX * 16;
    int64_t cy3 = c3 + dx31 * minY * 16 - dy31 * minX * 16;
    for (int64_t y = minY; y < maxY; ++y) {
        int64_t cx1 = cy1, cx2 = cy2, cx3 = cy3;
        for (int64_t x = minX; x < maxX; ++x) {
            if (cx1 > 0 && cx2 > 0 && cx3 > 0)
                Put(int(x), int(y), color);
            cx1 -= dy12 * 16;
            cx2 -= dy23 * 16;
            cx3 -= dy31 * 16;
        }
        cy1 += dx12 * 16;
        cy2 += dx23 * 16;
        cy3 += dx31 * 16;
    }
}

namespace {

bool InUnit(float v) { return v >= 0.0f && v <= 1.0f; }

// The `count` pixels of a lit row from `pixel` and `depth` on, depth stepped
// from its value at the first; `paint` colours a pixel that passes the depth
// test, given how many pixels it lies past the first.
template <class Paint>
void ShadePixels(uint8_t* pixel, float* depth, int count, float depthFirst, float depthStep, Paint paint) {
    for (int k = 0; k < count; ++k, pixel += 3) {
        const float n = float(k);
        const float z = depthFirst + depthStep * n;
        if (!(z <= depth[k]))
            continue;
        depth[k] = z;
        paint(pixel, n);
    }
}

// The table entry (light x steps + 0.5) stepped like the depth; rounding keeps
// the nearest entry within the table, the bound makes sure.
void ShadeTabledPixels(uint8_t* pixel, float* depth, int count, float depthFirst, float depthStep, float entryFirst,
                       float entryStep, const uint32_t* table, int steps) {
    ShadePixels(pixel, depth, count, depthFirst, depthStep, [=](uint8_t* p, float n) {
        const uint32_t color = table[std::min(unsigned(int(entryFirst + entryStep * n)), unsigned(steps))];
        p[0] = uint8_t(color);
        p[1] = uint8_t(color >> 8);
        p[2] = uint8_t(color >> 16);
    });
}

void ShadeExactPixels(uint8_t* pixel, float* depth, int count, float depthFirst, float depthStep, float lightFirst,
                      float lightStep, const PreviewShade& shade) {
    ShadePixels(pixel, depth, count, depthFirst, depthStep, [&](uint8_t* p, float n) {
        const ColorBytes color = shade.At(lightFirst + lightStep * n);
        p[0] = color.b;
        p[1] = color.g;
        p[2] = color.r;
    });
}

// One lit row: the pixels from the smaller x up to, not including, the larger
// (one pixel with the start values when they are equal), clipped to the
// canvas once, the values stepped from the start by their change per pixel.
// Light values all within 0..1 read the table when there is one.
inline void ShadeLitRow(uint8_t* bits, float* depth, int64_t width, int64_t xStart, int64_t xEnd, float depthStart,
                        float depthEnd, float lightStart, float lightEnd, const PreviewShade& shade,
                        const uint32_t* table) {
    float depthStep = 0, lightStep = 0;
    int64_t from = xStart, to = xStart + 1;
    if (xStart != xEnd) {
        from = xStart < xEnd ? xStart : xEnd;
        to = xStart < xEnd ? xEnd : xStart;
        const float perPixel = 1.0f / float(xEnd - xStart);
        depthStep = (depthEnd - depthStart) * perPixel;
        lightStep = (lightEnd - lightStart) * perPixel;
    }
    from = from > 0 ? from : 0;
    to = to < width ? to : width;
    if (from >= to)
        return;
    // The values at the first pixel on the canvas, which may lie far from the start.
    const float skipped = float(from - xStart);
    const float depthFirst = depthStart + depthStep * skipped, lightFirst = lightStart + lightStep * skipped;
    const int count = int(to - from);
    if (table) {
        const float steps = float(shade.Steps());
        ShadeTabledPixels(bits + 3 * from, depth + from, count, depthFirst, depthStep, lightFirst * steps + 0.5f,
                          lightStep * steps, table, shade.Steps());
    } else {
        ShadeExactPixels(bits + 3 * from, depth + from, count, depthFirst, depthStep, lightFirst, lightStep, shade);
    }
}

// The first whole row at or after v; v lies within the int range.
int RowAtOrAfter(float v) {
    const int i = int(v);
    return i + (float(i) < v);
}

// Four values at a time; where the processor has no vector registers the
// compiler takes them one by one.
using Floats4 = float __attribute__((vector_size(16)));
using Ints4 = int32_t __attribute__((vector_size(16)));

Floats4 AllLanes(float v) { return Floats4{v, v, v, v}; }
Ints4 AllLanes(int v) { return Ints4{v, v, v, v}; }
template <int kLane>  // that lane of v in all four
Floats4 Lane(Floats4 v) {
    return __builtin_shufflevector(v, v, kLane, kLane, kLane, kLane);
}
Ints4 Select(Ints4 mask, Ints4 a, Ints4 b) { return (a & mask) | (b & ~mask); }
Floats4 Select(Ints4 mask, Floats4 a, Floats4 b) { return (Floats4)Select(mask, (Ints4)a, (Ints4)b); }

// An edge of a lit triangle in every lane: where it starts, and how x, y,
// depth and light change along it.
struct LitEdge {
    Floats4 x, y, z, light, dx, dy, dz, dl;
};

// Where four rows cross an edge, or where its line lies on rows it does not
// cross (values never used).
struct LitCrossings {
    Ints4 x;
    Floats4 z, light;
};

LitCrossings Cross(const LitEdge& e, const Floats4& row) {
    const Floats4 t = (row - e.y) / e.dy;
    return {__builtin_convertvector(e.x + e.dx * t, Ints4), e.z + e.dz * t, e.light + e.dl * t};
}

LitCrossings Select(Ints4 mask, const LitCrossings& a, const LitCrossings& b) {
    return {Select(mask, a.x, b.x), Select(mask, a.z, b.z), Select(mask, a.light, b.light)};
}

// Four rows of a lit triangle cut into spans as ShadeLitRow cuts one, with
// crossings well within the int range.
struct LitSpans {
    Ints4 from, count;
    Floats4 depthFirst, depthStep, lightFirst, lightStep;
    LitSpans(const LitCrossings& start, const LitCrossings& end, int width) {
        const Ints4 one = start.x == end.x, ahead = start.x < end.x;
        const Floats4 perPixel = 1.0f / __builtin_convertvector(Select(one, AllLanes(1), end.x - start.x), Floats4);
        depthStep = Select(one, AllLanes(0.0f), (end.z - start.z) * perPixel);
        lightStep = Select(one, AllLanes(0.0f), (end.light - start.light) * perPixel);
        from = Select(ahead, start.x, end.x);
        Ints4 to = Select(one, start.x + 1, Select(ahead, end.x, start.x));
        from = Select(from > 0, from, AllLanes(0));
        to = Select(to < width, to, AllLanes(width));
        count = to - from;
        const Floats4 skipped = __builtin_convertvector(from - start.x, Floats4);
        depthFirst = start.z + depthStep * skipped;
        lightFirst = start.light + lightStep * skipped;
    }
};

}  // namespace

void PreviewCanvas::ShadeTriangle(const cVec3& a, const cVec3& b, const cVec3& c, float lightA, float lightB,
                                  float lightC, const cMaterialPreset& material, cList<float>& depth) {
    if (IsEmpty() || depth.Count() < m_Width * m_Height)
        return;
    if (!InRange(a.x) || !InRange(a.y) || !InRange(b.x) || !InRange(b.y) || !InRange(c.x) || !InRange(c.y))
        return;
    // A triangle takes the whole rows from its top corner on, up to but not
    // including its bottom one, so that neighbours sharing an edge or a corner
    // on a row neither both draw it nor leave it out. Rows outside the canvas
    // draw nothing: the walk starts and ends on both.
    const int rowA = RowAtOrAfter(a.y), rowB = RowAtOrAfter(b.y), rowC = RowAtOrAfter(c.y);
    const int first = std::min({rowA, rowB, rowC}), end = std::max({rowA, rowB, rowC});
    const int split = rowA + rowB + rowC - first - end;  // the middle corner's
    const int top = std::max(first, 0), bottom = std::min(end, m_Height) - 1;
    if (top > bottom)  // a sliver between two rows, say
        return;
    // Edge i runs from corner i to the next. Every row crosses two edges,
    // taken in edge order: all but the one from the middle corner to the
    // bottom one above the middle corner's row, all but the one from the top
    // corner to the middle one from there on. Corners at one height count
    // in corner order.
    const Floats4 corners[3] = {{a.x, a.y, a.z, lightA}, {b.x, b.y, b.z, lightB}, {c.x, c.y, c.z, lightC}};
    LitEdge edges[3];
    for (int i = 0; i < 3; ++i) {
        const Floats4 from = corners[i], along = corners[i == 2 ? 0 : i + 1] - from;
        edges[i] = {Lane<0>(from),  Lane<1>(from),  Lane<2>(from),  Lane<3>(from),
                    Lane<0>(along), Lane<1>(along), Lane<2>(along), Lane<3>(along)};
    }
    int byHeight[3];
    byHeight[(b.y < a.y) + (c.y < a.y)] = 0;
    byHeight[(a.y <= b.y) + (c.y < b.y)] = 1;
    byHeight[(a.y <= c.y) + (b.y <= c.y)] = 2;
    static constexpr int kEdgeJoining[4] = {0, 0, 2, 1};  // by the sum of its corners' numbers
    const Ints4 missedAbove = AllLanes(kEdgeJoining[byHeight[1] + byHeight[2]]);
    const Ints4 missedBelow = AllLanes(kEdgeJoining[byHeight[0] + byHeight[1]]);
    const PreviewShade& shade = m_Shades.For(material);
    // Light values between the corners' lie within 0..1 when theirs do.
    const uint32_t* table = InUnit(lightA) && InUnit(lightB) && InUnit(lightC) ? shade.Table() : nullptr;
    const int steps = shade.Steps();
    // Held here: the stores of the pixels might change any member, as far as the compiler knows.
    uint8_t* const bits = m_Bits.Data();
    float* const depths = depth.Data();
    const int width = m_Width;
    const int64_t stride = m_Stride, lastRow = m_Height - 1;
    // Four rows at a time, the last of them repeated past the bottom. The walk
    // ends on the row where it has to, not at the end of a four: a loop of
    // varying length costs a mispredicted branch each time it ends.
    uint8_t* rowBits = bits + (lastRow - top) * stride;
    float* rowDepth = depths + int64_t(top) * width;
    for (int y = top;;) {
        const Ints4 rows = Select(y + Ints4{0, 1, 2, 3} <= bottom, y + Ints4{0, 1, 2, 3}, AllLanes(bottom));
        const Ints4 missed = Select(rows < split, missedAbove, missedBelow);
        const Floats4 row = __builtin_convertvector(rows, Floats4);
        const LitCrossings c0 = Cross(edges[0], row), c1 = Cross(edges[1], row), c2 = Cross(edges[2], row);
        // From edge 0 unless a row misses it, to edge 2 unless a row misses that one.
        const LitSpans spans(Select(missed == 0, c1, c0), Select(missed == 2, c1, c2), width);
        // The table entries of the light values: light x steps + 0.5.
        const Floats4 entryFirst = spans.lightFirst * float(steps) + 0.5f, entryStep = spans.lightStep * float(steps);
        for (int i = 0; i < 4; ++i, rowBits -= stride, rowDepth += width) {
            const int count = spans.count[i], from = spans.from[i];
            if (count > 0) {
                if (table)
                    ShadeTabledPixels(rowBits + 3 * from, rowDepth + from, count, spans.depthFirst[i],
                                      spans.depthStep[i], entryFirst[i], entryStep[i], table, steps);
                else
                    ShadeExactPixels(rowBits + 3 * from, rowDepth + from, count, spans.depthFirst[i],
                                     spans.depthStep[i], spans.lightFirst[i], spans.lightStep[i], shade);
            }
            if (++y > bottom)
                return;
        }
    }
}

void PreviewCanvas::ShadeSpan(int xStart, int xEnd, int row, float depthStart, float depthEnd, float lightStart,
                              float lightEnd, const cMaterialPreset& material, cList<float>& depth) {
    if (row < 0 || row >= m_Height || IsEmpty() || depth.Count() < m_Width * m_Height)
        return;
    const PreviewShade& shade = m_Shades.For(material);
    const bool tabled = InUnit(lightStart) && (xStart == xEnd || InUnit(lightEnd));
    ShadeLitRow(m_Bits.Data() + int64_t(m_Height - 1 - row) * m_Stride, depth.Data() + int64_t(row) * m_Width, m_Width,
                xStart, xEnd, depthStart, depthEnd, lightStart, lightEnd, shade, tabled ? shade.Table() : nullptr);
}

void PreviewCanvas::DrawChar(int code, int x, int y, uint32_t color) {
    const uint8_t* glyph = PreviewGlyph(code);
    if (!glyph || x < 0 || x > m_Width - kGlyphWidth || y < 0 || y > m_Height - kGlyphHeight)
        return;
    const ColorBytes bytes = Unpack(color);
    for (int row = 0; row < kGlyphHeight; ++row) {
        const uint8_t bits = glyph[kGlyphHeight - 1 - row];
        for (int bit = 0; bit < kGlyphWidth; ++bit)
            if (bits >> bit & 1)
                Put(x + bit, y + row, bytes);
    }
}

void PreviewCanvas::DrawNoPreview() {
    if (IsEmpty())
        return;
    const ColorBytes color = Unpack(os::SystemColor(os::kColorButtonShadow));
    // A square 20 pixels in from the shorter sides, centred along the longer ones.
    const int x0 = m_Width < m_Height ? 20 : 20 + (m_Width - m_Height) / 2;
    const int y0 = m_Width < m_Height ? 20 + (m_Height - m_Width) / 2 : 20;
    const int x1 = m_Width - x0, y1 = m_Height - y0;
    const cVec2 bands[2][6] = {
        {{float(x0), float(y0)},
         {float(x0), float(y0 + 7)},
         {float(x1 - 7), float(y1)},
         {float(x1), float(y1)},
         {float(x1), float(y1 - 7)},
         {float(x0 + 7), float(y0)}},
        {{float(x0), float(y1)},
         {float(x0 + 7), float(y1)},
         {float(x1), float(y0 + 7)},
         {float(x1), float(y0)},
         {float(x1 - 7), float(y0)},
         {float(x0), float(y1 - 7)}},
    };
    for (const cVec2(&band)[6] : bands)
        for (int i = 1; i < 5; ++i)
            FillTriangle(band[0], band[i], band[i + 1], color);
}

}  // namespace tovan
