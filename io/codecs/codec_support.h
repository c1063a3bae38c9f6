// What the image codecs share (internal to io/codecs): the decode frame that
// clears on failure, the checked allocation of a decoded image, and the output
// gap an encoder writes into.
#pragma once
#include <cstdint>

#include "core/stream.h"
#include "io/codecs/reader.h"
#include "io/image/image.h"

namespace tovan::codec {

// Clears `out`, runs `read` on a reader at the stream's position, and clears
// `out` again when it fails or when an allocation fails on the way.
bool RunDecode(cStream& in, cImage& out, bool (*read)(cReader&, cImage&));

// Runs an encoder, which checks the image before it writes; an allocation
// that fails on the way makes it false.
bool RunEncode(const cImage& in, cStream& out, bool (*write)(const cImage&, cStream&));

// The bytes of a decoded image with these fields, or -1 when a decoder must
// refuse it: sides below 1, a negative depth or level count, a format without
// bytes, or a size over the decode limit. The level count is taken through the
// image record's rule (clamped to the chain).
int64_t DecodedSize(ImageFormat format, int width, int height, int depth, int mips);
// Sizes `out` for such an image, the level count stored as the rule gives it.
// The bytes are left unset: a decoder checks everything that could refuse the
// file first, then writes every byte (or fails, and RunDecode clears the record),
// so a hostile file never pays for clearing an image it will not fill.
bool AllocateDecoded(cImage& out, ImageFormat format, int width, int height, int depth, int mips);

// Opens n bytes at the stream's position for an encoder to fill and moves the
// position past them; null (nothing changed) when the stream cannot hold them.
uint8_t* OpenGap(cStream& out, int64_t n);
// The same with the bytes left unset, for a writer that fills every one.
uint8_t* OpenGapUnset(cStream& out, int64_t n);

// Swaps the first and third byte of n texels of `stride` (3 or 4) bytes
// (RGB <-> BGR); dst may be src.
void SwapRedBlue(uint8_t* texels, int64_t n, int stride);
void SwapRedBlue(uint8_t* dst, const uint8_t* src, int64_t n, int stride);
// Sets the fourth byte of n four-byte texels to 255.
void SetOpaque(uint8_t* texels, int64_t n);

}  // namespace tovan::codec
