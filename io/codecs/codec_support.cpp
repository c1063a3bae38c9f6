#include "io/codecs/codec_support.h"

#include <climits>
#include <cstring>
#include <new>

#include "io/codecs/image_codec.h"
#include "io/codecs/native_format.h"

namespace tovan {

namespace {
int64_t s_DecodeLimit = int64_t(512) << 20;
}

int64_t GetImageDecodeLimit() { return s_DecodeLimit; }
void SetImageDecodeLimit(int64_t bytes) { s_DecodeLimit = bytes < 0 ? 0 : bytes; }

namespace codec {

bool RunDecode(cStream& in, cImage& out, bool (*read)(cReader&, cImage&)) { return native::RunDecode(in, out, read); }

bool RunEncode(const cImage& in, cStream& out, bool (*write)(const cImage&, cStream&)) {
    return native::RunEncode([&] { return write(in, out); });
}

int64_t DecodedSize(ImageFormat format, int width, int height, int depth, int mips) {
    // Sides past 2^30 never fit the record's 2^31 - 1 bytes in any block
    // format; refused here, a file's side stays far from int's end in every
    // decoder.
    constexpr int kMaxSide = 1 << 30;
    ImageLayout layout;
    if (width < 1 || height < 1 || depth < 0 || mips < 0 || width > kMaxSide || height > kMaxSide || depth > kMaxSide ||
        !layout.Init(format, width, height, depth, mips))
        return -1;
    return layout.Size() <= GetImageDecodeLimit() ? layout.Size() : -1;
}

bool AllocateDecoded(cImage& out, ImageFormat format, int width, int height, int depth, int mips) {
    if (DecodedSize(format, width, height, depth, mips) < 0)
        return false;
    return out.AllocateUnset(format, width, height, depth, LevelCount(width, height, depth == 0 ? 1 : depth, mips));
}

namespace {

uint8_t* OpenGapOf(cStream& out, int64_t n, bool cleared) {
    const int count = out.Count();
    if (n < 0 || n > INT_MAX - int64_t(count))
        return nullptr;
    if (out.m_Position < 0 || out.m_Position > count)
        out.m_Position = count;
    const int at = out.m_Position;
    if (cleared)
        out.m_Bytes.Resize(count + int(n));
    else
        out.m_Bytes.ResizeUnset(count + int(n));
    uint8_t* bytes = out.m_Bytes.Data();
    if (count > at)
        std::memmove(bytes + at + n, bytes + at, size_t(count - at));
    out.m_Position = at + int(n);
    return bytes + at;
}

}  // namespace

uint8_t* OpenGap(cStream& out, int64_t n) { return OpenGapOf(out, n, true); }
uint8_t* OpenGapUnset(cStream& out, int64_t n) { return OpenGapOf(out, n, false); }

void SetOpaque(uint8_t* texels, int64_t n) {
    for (int64_t i = 0; i < n; ++i)
        texels[4 * i + 3] = 255;
}

}  // namespace codec
}  // namespace tovan
