// Random image records (header fields, sometimes out of step with their data)
// and random bytes through every image operation, in random order. An operation
// that reports success must leave a record whose fields match its data.
#include "fuzz/byte_reader.h"
#include "fuzz/quiet_log.h"
#include "io/image/image.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using namespace tovan;

using Reader = fuzz::ByteReader;

bool Run(cImage& image, int op, Reader& in) {
    switch (op) {
    case 0: return image.DropAlpha();
    case 1: return image.InvertGreen();
    case 2: return image.HeightToNormalMap(in.Float());
    case 3: return image.GenerateMips();
    case 4: return image.DropMips();
    case 5: return image.Decompress();
    case 6: return image.Compress();
    case 7: return image.FlipVertical();
    case 8: return image.ConvertFormat(ImageFormat(int(in.Byte() % 28) - 1));
    case 9: return image.ResizeToPowerOfTwo();
    default: {  // a copy holds whatever the original held, consistent or not
        cImage copy;
        copy.Copy(image);
        image = std::move(copy);
        return false;
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tovan::fuzz::InstallQuietLog();  // flipping a block image of a height it cannot take warns
    Reader in{data, size};
    const ImageFormat format = ImageFormat(int(in.Byte() % 28) - 1);
    const int width = int(in.Byte() % 70) - 2, height = int(in.Byte() % 70) - 2;
    const int depth = int(in.Byte() % 9) - 1, mips = int(in.Byte() % 12) - 1;
    const uint8_t edit = in.Byte();

    // Sides from the whole int range: the size walk refuses what does not fit
    // without overflowing on the way.
    const int wideWidth = int(in.Bits()), wideHeight = int(in.Bits()), wideDepth = int(in.Bits());
    (void)cImage::DataSize(format, wideWidth, wideHeight, wideDepth, mips);
    const int32_t wideSize = cImage::DataSize(format, wideWidth, wideHeight, wideDepth, mips < 1 ? 1 : mips);
    if (mips >= 0 && wideSize >= 0 && wideSize <= (1 << 16)) {
        cImage wide;
        if (!wide.Allocate(format, wideWidth, wideHeight, wideDepth, mips) || wide.m_Data.Count() != wideSize)
            __builtin_trap();
    }

    cImage image;
    if (!image.Allocate(format, width, height, depth, mips)) {
        if (image.m_Data.Count() != 0)
            __builtin_trap();
        return 0;
    }
    (void)cImage::DataSize(format, width, height, depth, mips);
    (void)image.PixelCount(mips);
    for (uint8_t& b : image.m_Data)
        b = in.Byte();
    // Sometimes the fields no longer describe the bytes: every operation must refuse.
    switch (edit % 8) {
    case 1: image.m_Width = int(in.Byte()) - 8; break;
    case 2: image.m_Mips = int(in.Byte()) - 8; break;
    case 3: image.m_Format = ImageFormat(int(in.Byte() % 40) - 8); break;
    case 4: image.m_Data.Resize(int(in.Byte())); break;
    default: break;
    }

    for (int step = 0; step < 6 && in.size; ++step) {
        const int op = in.Byte() % 11;
        if (Run(image, op, in)) {
            ImageLayout layout;
            if (!image.GetLayout(layout))
                __builtin_trap();
        }
        (void)image.LevelData(in.Byte() % 8, in.Byte() % 7);
        (void)image.GetTextureType();
    }
    return 0;
}
