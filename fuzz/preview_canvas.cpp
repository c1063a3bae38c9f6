// Random canvases and random drawing with raw coordinates (NaN, infinities, huge
// and negative values, ints at their limits) through every operation of the
// preview rasteriser. Nothing may be written outside the picture: the row
// padding keeps the byte it was given.
#include "fuzz/byte_reader.h"
#include "win32/preview_canvas.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using namespace tovan;

struct Reader : fuzz::ByteReader {
    cVec2 Vec2() { return {Float(), Float()}; }
    cVec3 Vec3() { return {Float(), Float(), Float()}; }
    ColorBytes Color() { return {Byte(), Byte(), Byte()}; }
};

constexpr uint8_t kPadding = 0xA5;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    PreviewCanvas canvas;
    InitDibHeader(canvas, int(in.Byte() % 70) - 2, int(in.Byte() % 70) - 2);
    if (!canvas.IsEmpty())
        std::memset(canvas.Bits(), kPadding, size_t(canvas.Height()) * size_t(canvas.Stride()));
    cList<float> depth;
    ClearDepthBuffer(depth, canvas.Width(), canvas.Height() - (in.Byte() & 1));  // sometimes a row short
    cMaterialPreset material = MaterialPresets[in.Byte() % kMaterialPresetCount];
    if (in.Byte() & 1) {  // any values at all: the shading table must cope or stand aside
        material.m_Ambient = {in.Float(), in.Float(), in.Float(), 1};
        material.m_Diffuse = {in.Float(), in.Float(), in.Float(), 1};
        material.m_Specular = {in.Float(), in.Float(), in.Float(), 1};
        material.m_Shininess = in.Float();
    }
    while (in.size) {
        switch (in.Byte() % 10) {
        case 0: canvas.Fill(in.Color()); break;
        case 1: canvas.SampleBilinear(in.Float(), in.Float()); break;
        case 2: canvas.DrawDot(in.Int(), in.Int(), {in.Float(), in.Float(), in.Float(), 1}); break;
        case 3:
            canvas.DrawLine(int(in.Byte()) - 128, int(in.Byte()) - 128, in.Int() % 100000, in.Int(), in.Color());
            break;
        case 4: canvas.FillTriangle(in.Vec2(), in.Vec2(), in.Vec2(), in.Color()); break;
        case 5:
            canvas.ShadeTriangle(in.Vec3(), in.Vec3(), in.Vec3(), in.Float(), in.Float(), in.Float(), material, depth);
            break;
        case 6:
            canvas.ShadeSpan(in.Int(), in.Int(), in.Int(), in.Float(), in.Float(), in.Float(), in.Float(), material,
                             depth);
            break;
        case 7: canvas.DrawChar(int(in.Byte()), int(in.Byte()) - 8, int(in.Byte()) - 8, in.Bits()); break;
        case 8: canvas.DrawNoPreview(); break;
        default: {  // small coordinates, where most pixels land
            auto small = [&] { return float(int(in.Byte()) - 64) / 2; };
            canvas.FillTriangle({small(), small()}, {small(), small()}, {small(), small()}, in.Color());
        }
        }
    }
    for (int row = 0; row < canvas.Height(); ++row)
        for (int at = canvas.Width() * 3; at < canvas.Stride(); ++at)
            if (canvas.Bits()[row * canvas.Stride() + at] != kPadding)
                std::abort();
    return 0;
}
