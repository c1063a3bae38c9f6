// The PVR container: a 17-byte header, then the levels of 4-bit PVR block data
// as the image record sizes them, kept as stored.
#include "io/codecs/codec_support.h"
#include "io/codecs/image_codec.h"

namespace tovan {

namespace {

constexpr uint32_t kMagic = 0x20525650;  // "PVR "
constexpr int kHeaderBytes = 17;

bool Read(cReader& in, cImage& out) {
    const uint8_t* h = in.Take(kHeaderBytes);
    if (!h || LoadU32(h) != kMagic)
        return false;
    const int width = LoadI32(h + 4), height = LoadI32(h + 8), mips = LoadI32(h + 12);
    const ImageFormat format = h[16] ? ImageFormat::Pvr4Rgba : ImageFormat::Pvr4Rgb;
    const int64_t size = codec::DecodedSize(format, width, height, 1, mips);
    if (size < 0 || !in.Fits(size, 1) || !codec::AllocateDecoded(out, format, width, height, 1, mips))
        return false;
    return in.Block(out.m_Data.Data(), size);
}

}  // namespace

bool cCodecPvr::Decode(cStream& in, cImage& out) const { return codec::RunDecode(in, out, Read); }

bool cCodecPvr::Encode(const cImage&, cStream&) const { return false; }

int cCodecPvr::Identify(uint32_t first4, const char*) const { return (first4 & 0xFFFFFF) == 0x525650 ? 1 : 0; }

}  // namespace tovan
