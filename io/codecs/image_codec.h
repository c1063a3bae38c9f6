// cIO::ImageCodec: what an image file format implements for the resource
// layer, the framework's four image codecs, and the limit every image decoder
// keeps. Codecs hold no data; start-up creates one of each.
#pragma once
#include <cstdint>

#include "core/stream.h"
#include "io/image/image.h"
#include "io/io.h"

namespace tovan {

class cIO::ImageCodec {
public:
    virtual ~ImageCodec();
    // Clears `out`, then reads one image from the stream's position. On any
    // refusal (short or lying file, a format it does not read, an image over
    // the decode limit) the result is false and `out` is cleared.
    virtual bool Decode(cStream& in, cImage& out) const = 0;
    // Inserts the file at the stream's position and moves past it. False, with
    // nothing written, for an image the format does not store.
    virtual bool Encode(const cImage& in, cStream& out) const = 0;
    // 1 when the first four bytes of a file (little-endian) are this format's.
    virtual int Identify(uint32_t first4, const char* name) const = 0;
};

// DirectDraw surfaces: plain and DXT formats, mip chains, cube maps, volumes.
class cCodecDds : public cIO::ImageCodec {
public:
    bool Decode(cStream& in, cImage& out) const override;
    bool Encode(const cImage& in, cStream& out) const override;
    int Identify(uint32_t first4, const char* name) const override;
};

// Windows bitmaps with the 40-byte header: reads 1, 4, 8, 24 and 32 bits;
// writes R8 (8-bit grey palette), Rgb8 and Rgba8.
class cCodecBmp : public cIO::ImageCodec {
public:
    bool Decode(cStream& in, cImage& out) const override;
    bool Encode(const cImage& in, cStream& out) const override;
    int Identify(uint32_t first4, const char* name) const override;
};

// TGA: colour-mapped, true-colour and grey images, plain or run-length
// encoded; writes R8, Rgb8 and Rgba8. Identify knows only the plain
// true-colour kind (-1 for every other file), so the rest go by extension.
class cCodecTga : public cIO::ImageCodec {
public:
    bool Decode(cStream& in, cImage& out) const override;
    bool Encode(const cImage& in, cStream& out) const override;
    int Identify(uint32_t first4, const char* name) const override;
};

// The small container of 4-bit PVR block data; decode only.
class cCodecPvr : public cIO::ImageCodec {
public:
    bool Decode(cStream& in, cImage& out) const override;
    bool Encode(const cImage& in, cStream& out) const override;  // always false
    int Identify(uint32_t first4, const char* name) const override;
};

// The largest image, in bytes, that a decoder makes (512 MiB unless set). A
// file that describes a larger one is refused before anything is allocated.
int64_t GetImageDecodeLimit();
void SetImageDecodeLimit(int64_t bytes);

// The image codecs in the order the resource layer registers them, under
// these names (which are also the file extensions that select them). A new
// codec is one more row; the count follows the table.
struct ImageCodecEntry {
    const char* name;
    cIO::ImageCodec* (*create)();
};
extern const ImageCodecEntry kImageCodecs[];
extern const int kImageCodecCount;

// Creates each codec of the table in order and hands it to `add`, which takes
// ownership when it answers true; a codec it refuses is deleted.
void RegisterImageCodecs(bool (*add)(const char* name, cIO::ImageCodec* codec));

}  // namespace tovan
