// DXT1/3/5 blocks: decoding, the framework's own encoder, and row reversal.
// A block's texels are held as 16 RGBA quadruples, block row 0 first (the row
// of the first index byte), leftmost texel first.
#pragma once
#include <cstdint>

#include "io/image/format.h"

namespace tovan::dxt {

using BlockTexels = uint8_t[16][4];

// The four colours of 5:6:5 end points c0 and c1 as RGBA words (red in the
// low byte, alpha 255), as every colour block decodes them.
void ColorPalette(unsigned c0, unsigned c1, bool fourColour, uint32_t palette[4]);
// 8-byte colour block to RGB (alpha set to 255). Four-colour mode when c0 > c1
// or when fourColour is set (the colour half of Dxt3 and Dxt5 blocks).
void DecodeColorBlock(const uint8_t* block, bool fourColour, BlockTexels& out);
// 8-byte alpha halves; both write only the alpha of each texel.
void DecodeDxt3AlphaBlock(const uint8_t* block, BlockTexels& out);
void DecodeDxt5AlphaBlock(const uint8_t* block, BlockTexels& out);

// Encoders read only the top-left w x h texels (1..4 each); the index bits of
// the others stay 0.
void EncodeGreyBlock(const BlockTexels& in, int w, int h, uint8_t* block);   // R as grey
void EncodeColorBlock(const BlockTexels& in, int w, int h, uint8_t* block);  // R, G, B
void EncodeDxt5AlphaBlock(const BlockTexels& in, int w, int h, uint8_t* block);
void EncodeDxt3AlphaBlock(const BlockTexels& in, int w, int h, uint8_t* block);  // nearest nibble

// Reverses the first `rows` texel rows inside one block of a DXT format
// (end points stay where they are).
void FlipBlockRows(ImageFormat format, uint8_t* block, int rows);
// Copies `count` blocks of four texel rows, each with its rows reversed as
// FlipBlockRows(format, block, 4) does; dst may be src, but no other overlap.
void CopyFlippedBlocks(ImageFormat format, uint8_t* dst, const uint8_t* src, int count);
// Copies a surface of `down` rows of `across` such blocks turned upside down:
// src's last block row becomes dst's first, each block flipped as above. dst
// and src do not overlap.
void CopyFlippedSurface(ImageFormat format, uint8_t* dst, const uint8_t* src, int across, int down);

// One surface (face or slice) of w x h texels between block data and Rgb8
// (Dxt1) or Rgba8 (Dxt3, Dxt5) texels, rows in storage order.
void DecodeSurface(ImageFormat format, const uint8_t* blocks, int w, int h, uint8_t* texels);
// Dxt1 from R8 (grey blocks), Rgb8 or Rgba8; Dxt3 and Dxt5 from Rgba8.
void EncodeSurface(ImageFormat target, ImageFormat source, const uint8_t* texels, int w, int h, uint8_t* blocks);

}  // namespace tovan::dxt
