// DXT blocks against values worked out by hand from the block rules.
#include "io/image/dxt.h"
#include "io/image/dxt_flip_paths.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace tovan::dxt {
namespace {

using Bytes8 = std::array<uint8_t, 8>;

std::array<int, 3> Rgb(const BlockTexels& t, int i) { return {t[i][0], t[i][1], t[i][2]}; }

TEST(DxtDecode, FourColourBlockInterpolatesWithRounding) {
    // c0 = pure red 0xF800, c1 = pure blue 0x001F; row 0 uses indices 0, 1, 2, 3.
    const Bytes8 block = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0x00, 0x00, 0xFF};
    BlockTexels t;
    DecodeColorBlock(block.data(), false, t);
    EXPECT_EQ(Rgb(t, 0), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(Rgb(t, 1), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(Rgb(t, 2), (std::array<int, 3>{170, 0, 85}));  // (2*255 + 0 + 1) / 3, (0 + 255 + 1) / 3
    EXPECT_EQ(Rgb(t, 3), (std::array<int, 3>{85, 0, 170}));
    EXPECT_EQ(Rgb(t, 4), Rgb(t, 0));   // row 1: all index 0
    EXPECT_EQ(Rgb(t, 15), Rgb(t, 3));  // row 3: all index 3
    EXPECT_EQ(t[2][3], 255);
}

// End points widen by repeating their high bits: 5:6:5 white is 255, not 248.
TEST(DxtDecode, EndPointsWidenByRepeatingTheirHighBits) {
    const struct {
        uint16_t c0, c1;
        std::array<int, 3> texel0;
    } cases[] = {
        {0xFFFF, 0xFFFF, {255, 255, 255}},
        {16 << 11 | 33 << 5 | 5, 0, {132, 134, 41}},
        {1 << 11 | 1 << 5 | 1, 0, {8, 4, 8}},
    };
    for (const auto& c : cases) {
        const Bytes8 block = {uint8_t(c.c0), uint8_t(c.c0 >> 8), uint8_t(c.c1), uint8_t(c.c1 >> 8), 0, 0, 0, 0};
        BlockTexels t;
        DecodeColorBlock(block.data(), false, t);
        EXPECT_EQ(Rgb(t, 0), c.texel0) << c.c0;
    }
}

TEST(DxtDecode, Dxt1ThreeColourModeOnlyWhenC0IsNotAboveC1) {
    // c0 = blue 0x001F <= c1 = red 0xF800; row 0 indices 0, 1, 2, 3.
    const Bytes8 block = {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0, 0, 0};
    BlockTexels t;
    DecodeColorBlock(block.data(), false, t);
    EXPECT_EQ(Rgb(t, 2), (std::array<int, 3>{128, 0, 128}));  // (255 + 0 + 1) >> 1
    EXPECT_EQ(Rgb(t, 3), (std::array<int, 3>{0, 0, 0}));

    // The same bytes as the colour half of a Dxt3/Dxt5 block: four colours.
    DecodeColorBlock(block.data(), true, t);
    EXPECT_EQ(Rgb(t, 2), (std::array<int, 3>{85, 0, 170}));
    EXPECT_EQ(Rgb(t, 3), (std::array<int, 3>{170, 0, 85}));

    // Equal end points are three-colour too.
    const Bytes8 equal = {0x00, 0xF8, 0x00, 0xF8, 0xFF, 0, 0, 0};
    DecodeColorBlock(equal.data(), false, t);
    EXPECT_EQ(Rgb(t, 0), (std::array<int, 3>{0, 0, 0}));
}

TEST(DxtDecode, Dxt3AlphaIsNibbleTimes17LeftmostLowest) {
    const Bytes8 block = {0x10, 0x32, 0, 0, 0, 0, 0xDC, 0xFE};
    BlockTexels t = {};
    DecodeDxt3AlphaBlock(block.data(), t);
    const int expected[16] = {0, 17, 34, 51, 0, 0, 0, 0, 0, 0, 0, 0, 204, 221, 238, 255};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(t[i][3], expected[i]) << i;
}

// Index i of texel i (mod 8), three bits each, leftmost lowest.
Bytes8 Dxt5Block(int a0, int a1) {
    uint64_t bits = 0;
    for (int i = 0; i < 16; ++i)
        bits |= uint64_t(i % 8) << (3 * i);
    Bytes8 b = {uint8_t(a0), uint8_t(a1)};
    for (int i = 0; i < 6; ++i)
        b[2 + i] = uint8_t(bits >> (8 * i));
    return b;
}

TEST(DxtDecode, Dxt5AlphaPalettes) {
    BlockTexels t = {};
    const Bytes8 six = Dxt5Block(0, 255);
    DecodeDxt5AlphaBlock(six.data(), t);
    const int sixExpected[8] = {0, 255, 51, 102, 153, 204, 0, 255};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(t[i][3], sixExpected[i % 8]) << i;

    const Bytes8 eight = Dxt5Block(255, 0);
    DecodeDxt5AlphaBlock(eight.data(), t);
    const int eightExpected[8] = {255, 0, 218, 182, 145, 109, 72, 36};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(t[i][3], eightExpected[i % 8]) << i;
}

TEST(DxtEncode, FlatColourBlockSetsAndClearsTheLowGreenBit) {
    BlockTexels in;
    for (auto& t : in) {
        t[0] = 100, t[1] = 150, t[2] = 200, t[3] = 255;
    }
    Bytes8 out;
    EncodeColorBlock(in, 4, 4, out.data());
    // pack(100, 150, 200) = 0x64B9, which already has bit 5 set.
    EXPECT_EQ(out, (Bytes8{0xB9, 0x64, 0x99, 0x64, 0, 0, 0, 0}));

    // pack = 0x6419, bit 5 clear; c1 (green 32 -> 130) shows 128 closer than c0 (33 -> 134).
    for (auto& t : in)
        t[1] = 128;
    EncodeColorBlock(in, 4, 4, out.data());
    EXPECT_EQ(out, (Bytes8{0x39, 0x64, 0x19, 0x64, 0x55, 0x55, 0x55, 0x55}));
}

void Fill(BlockTexels& in, int row, const std::array<int, 3>& c) {
    for (int x = 0; x < 4; ++x) {
        for (int ch = 0; ch < 3; ++ch)
            in[row * 4 + x][ch] = uint8_t(c[ch]);
        in[row * 4 + x][3] = 255;
    }
}

TEST(DxtEncode, TwoColourBlockFitsByLeastSquaresAndSwapsEndPoints) {
    // Blue has the widest range; red falls as blue rises, so the fitted end
    // point 1 (200, 0, 0) packs above end point 0 (0, 0, 255) and they swap.
    BlockTexels in;
    Fill(in, 0, {200, 0, 0});
    Fill(in, 1, {200, 0, 0});
    Fill(in, 2, {0, 0, 255});
    Fill(in, 3, {0, 0, 255});
    Bytes8 out;
    EncodeColorBlock(in, 4, 4, out.data());
    EXPECT_EQ(out, (Bytes8{0x00, 0xC8, 0x1F, 0x00, 0x00, 0x00, 0x55, 0x55}));

    // A 2 x 2 partial block: the same fit, and the swap leaves unused index bits 0.
    EncodeColorBlock(in, 2, 2, out.data());
    // Rows 0 and 1 are both red: equal end points, c1 (no green) the nearer.
    const Bytes8 partialTop = {0x20, 0xC8, 0x00, 0xC8, 0x05, 0x05, 0x00, 0x00};
    EXPECT_EQ(out, partialTop);
    Fill(in, 1, {0, 0, 255});
    EncodeColorBlock(in, 2, 2, out.data());
    EXPECT_EQ(out, (Bytes8{0x00, 0xC8, 0x1F, 0x00, 0x00, 0x05, 0x00, 0x00}));
}

TEST(DxtEncode, PrincipalChannelTiesGoToRedThenGreen) {
    // Red and green both span 0..240; red wins, so green is fitted against red.
    BlockTexels in;
    Fill(in, 0, {0, 240, 8});
    Fill(in, 1, {0, 240, 8});
    Fill(in, 2, {240, 0, 8});
    Fill(in, 3, {240, 0, 8});
    Bytes8 out;
    EncodeColorBlock(in, 4, 4, out.data());
    // e0 = (240, 0, 8) -> 0xF001, e1 = (0, 240, 8) -> 0x0781: no swap, rows 0-1 index 1.
    EXPECT_EQ(out, (Bytes8{0x01, 0xF0, 0x81, 0x07, 0x55, 0x55, 0x00, 0x00}));
}

TEST(DxtEncode, LeastSquaresSumsDoNotOverflow) {
    // Sy * Sxx passes 2^31 for a bright, wide block; a 32-bit sum would wrap.
    BlockTexels in;
    for (int i = 0; i < 16; ++i) {
        in[i][0] = uint8_t(i < 1 ? 0 : 255);
        in[i][1] = 255;
        in[i][2] = uint8_t(i < 1 ? 250 : 255);
        in[i][3] = 255;
    }
    Bytes8 out;
    EncodeColorBlock(in, 4, 4, out.data());
    BlockTexels back;
    DecodeColorBlock(out.data(), true, back);
    for (int i = 0; i < 16; ++i) {
        for (int ch = 0; ch < 3; ++ch)
            EXPECT_NEAR(back[i][ch], in[i][ch], 8) << i << " " << ch;
    }
}

TEST(DxtEncode, GreyBlocks) {
    BlockTexels in = {};
    Bytes8 out;
    for (auto& t : in)
        t[0] = 128;
    EncodeGreyBlock(in, 4, 4, out.data());
    // a = b = 15: a and hi go up by one; every texel sits on lo, stored index 1.
    EXPECT_EQ(out, (Bytes8{0x10, 0x84, 0xCF, 0x7B, 0x55, 0x55, 0x55, 0x55}));
    BlockTexels back;
    DecodeColorBlock(out.data(), false, back);
    EXPECT_EQ(Rgb(back, 0), (std::array<int, 3>{123, 121, 123}));  // one 5-bit step below

    for (auto& t : in)
        t[0] = 255;
    // At the top b and lo go down instead. Green 63 and 61 widen to 255 and
    // 247 as red 31 and 30 do (twice red, 62 and 60, would decode 251 and 243).
    EncodeGreyBlock(in, 4, 4, out.data());
    EXPECT_EQ(out, (Bytes8{0xFF, 0xFF, 0xBE, 0xF7, 0, 0, 0, 0}));
    DecodeColorBlock(out.data(), false, back);
    EXPECT_EQ(Rgb(back, 0), (std::array<int, 3>{255, 255, 255}));

    const uint8_t ramp[4] = {0, 85, 170, 255};
    for (int i = 0; i < 16; ++i)
        in[i][0] = ramp[i % 4];
    EncodeGreyBlock(in, 4, 4, out.data());
    EXPECT_EQ(out, (Bytes8{0xFF, 0xFF, 0x00, 0x00, 0x2D, 0x2D, 0x2D, 0x2D}));

    // A 3 x 1 partial block: only row 0, first three texels.
    EncodeGreyBlock(in, 3, 1, out.data());
    // lo 0, hi 170: a = 20 (165 widened), green 41 (166; 40 gives 162), b = 0;
    // q = 0, 2, 3 -> indices 1, 2, 0.
    EXPECT_EQ(out, (Bytes8{0x34, 0xA5, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00}));
}

// Every pair of lowest and highest grey in a block, with the levels between
// them: each texel decodes with green within 2 of red, and blue equal to red.
TEST(DxtEncode, GreyBlocksDecodeGrey) {
    BlockTexels in = {}, back;
    Bytes8 out;
    for (int lo = 0; lo < 256; ++lo) {
        for (int hi = lo; hi < 256; ++hi) {
            for (int i = 0; i < 16; ++i)
                in[i][0] = uint8_t(lo + (hi - lo) * i / 15);
            EncodeGreyBlock(in, 4, 4, out.data());
            DecodeColorBlock(out.data(), false, back);
            for (int i = 0; i < 16; ++i) {
                ASSERT_LE(std::abs(back[i][1] - back[i][0]), 2) << lo << " " << hi << " " << i;
                ASSERT_EQ(back[i][2], back[i][0]) << lo << " " << hi << " " << i;
            }
        }
    }
}

TEST(DxtEncode, Dxt5AlphaBlocks) {
    BlockTexels in = {};
    Bytes8 out;
    EncodeDxt5AlphaBlock(in, 4, 4, out.data());  // flat 0: hi goes up to 1, all at lo = index 1
    EXPECT_EQ(out, (Bytes8{0x01, 0x00, 0x49, 0x92, 0x24, 0x49, 0x92, 0x24}));

    for (auto& t : in)
        t[3] = 255;
    EncodeDxt5AlphaBlock(in, 4, 4, out.data());  // flat 255: lo goes down to 254, all index 0
    EXPECT_EQ(out, (Bytes8{0xFF, 0xFE, 0, 0, 0, 0, 0, 0}));

    in[0][3] = 0;
    in[1][3] = 128;
    in[2][3] = 64;
    EncodeDxt5AlphaBlock(in, 3, 1, out.data());  // q = 0, 7, 4 -> indices 1, 0, 4
    EXPECT_EQ(out, (Bytes8{0x80, 0x00, 0x01, 0x01, 0, 0, 0, 0}));

    in[4][3] = 0;  // row 1 starts at bit 12
    EncodeDxt5AlphaBlock(in, 1, 2, out.data());
    EXPECT_EQ(out, (Bytes8{0x01, 0x00, 0x01, 0x10, 0, 0, 0, 0}));
}

TEST(DxtFlip, ReversingRowsMatchesTheDecodedPicture) {
    std::mt19937 rng(7);
    for (ImageFormat format : {ImageFormat::Dxt1, ImageFormat::Dxt3, ImageFormat::Dxt5}) {
        const int size = format == ImageFormat::Dxt1 ? 8 : 16;
        for (int rows = 1; rows <= 4; ++rows) {
            uint8_t block[16];
            for (auto& b : block)
                b = uint8_t(rng());
            uint8_t flipped[16];
            std::memcpy(flipped, block, 16);
            FlipBlockRows(format, flipped, rows);
            uint8_t a[16 * 4], b[16 * 4];
            DecodeSurface(format, block, 4, 4, a);
            DecodeSurface(format, flipped, 4, 4, b);
            const int tb = format == ImageFormat::Dxt1 ? 3 : 4;
            for (int r = 0; r < 4; ++r) {
                const int from = r < rows ? rows - 1 - r : r;
                EXPECT_EQ(0, std::memcmp(b + r * 4 * tb, a + from * 4 * tb, 4 * tb)) << int(format) << rows;
            }
            FlipBlockRows(format, flipped, rows);
            EXPECT_EQ(0, std::memcmp(flipped, block, size));
        }
    }
}

// Every way of copying whole block rows (the portable one, and each vector one
// this processor runs) gives, for every count, in place or not, what flipping
// block by block gives. Counts up to 20 reach each vector loop and the tail.
TEST(DxtFlip, EveryCopyFlipsEveryBlockAsTheSingleBlockFlipDoes) {
    FlipCopyPath paths[8] = {{"plain", CopyFlippedBlocksPlain}};
    const int pathCount = 1 + GetVectorFlipCopies(paths + 1, 7);
    std::mt19937 rng(11);
    for (int p = 0; p < pathCount; ++p)
        for (ImageFormat format : {ImageFormat::Dxt1, ImageFormat::Dxt3, ImageFormat::Dxt5}) {
            const int size = format == ImageFormat::Dxt1 ? 8 : 16;
            for (int count = 0; count <= 20; ++count) {
                std::vector<uint8_t> src(size_t(count * size) + 1), expected;
                for (auto& b : src)
                    b = uint8_t(rng());
                expected = src;
                for (int i = 0; i < count; ++i)
                    FlipBlockRows(format, expected.data() + i * size, 4);
                const std::string what =
                    std::string(paths[p].name) + " " + std::to_string(int(format)) + " " + std::to_string(count);

                std::vector<uint8_t> dst(src.size(), 0xA5);
                paths[p].copy(format, dst.data(), src.data(), count, nullptr);
                EXPECT_EQ(0, std::memcmp(dst.data(), expected.data(), size_t(count * size))) << what;
                EXPECT_EQ(dst.back(), 0xA5) << what;  // nothing past the blocks

                std::vector<uint8_t> inPlace = src;
                paths[p].copy(format, inPlace.data(), inPlace.data(), count, src.data());
                EXPECT_EQ(inPlace, expected) << what;
            }
        }
}

// The public copies take the fastest way; a surface also turns its block rows over.
TEST(DxtFlip, SurfaceCopyReversesBlockRowsAndFlipsEachBlock) {
    std::mt19937 rng(5);
    for (ImageFormat format : {ImageFormat::Dxt1, ImageFormat::Dxt3, ImageFormat::Dxt5}) {
        const int size = format == ImageFormat::Dxt1 ? 8 : 16;
        for (int across : {1, 3, 9}) {
            for (int down : {1, 2, 5}) {
                const size_t pitch = size_t(across * size);
                std::vector<uint8_t> src(pitch * size_t(down)), expected(src.size());
                for (auto& b : src)
                    b = uint8_t(rng());
                for (int row = 0; row < down; ++row) {
                    std::memcpy(expected.data() + (down - 1 - row) * pitch, src.data() + row * pitch, pitch);
                    for (int i = 0; i < across; ++i)
                        FlipBlockRows(format, expected.data() + (down - 1 - row) * pitch + i * size, 4);
                }
                std::vector<uint8_t> dst(src.size() + 1, 0xA5), rows(src.size());
                CopyFlippedSurface(format, dst.data(), src.data(), across, down);
                EXPECT_EQ(0, std::memcmp(dst.data(), expected.data(), expected.size()))
                    << int(format) << " " << across << "x" << down;
                EXPECT_EQ(dst.back(), 0xA5);
                CopyFlippedBlocks(format, rows.data(), src.data(), across * down);
                for (int row = 0; row < down; ++row)
                    EXPECT_EQ(
                        0, std::memcmp(rows.data() + row * pitch, expected.data() + (down - 1 - row) * pitch, pitch));
            }
        }
    }
}

TEST(DxtSurface, PartialBlocksRoundTripOnlyTheTexelsInside) {
    // A 5 x 3 Rgba8 surface: two blocks across, one down. Two colours that 5:6:5
    // holds exactly, opaque and clear, so encode then decode gives them back.
    const uint8_t a[4] = {255, 255, 0, 255}, b[4] = {0, 4, 255, 0};
    uint8_t texels[5 * 3 * 4];
    for (int i = 0; i < 5 * 3; ++i)
        std::memcpy(texels + 4 * i, (i % 5) % 2 ? b : a, 4);
    uint8_t blocks[2 * 16];
    EncodeSurface(ImageFormat::Dxt5, ImageFormat::Rgba8, texels, 5, 3, blocks);
    // Left block: red has the widest range (ties with green and blue), e0 = a, e1 = b.
    const uint8_t left[16] = {0xFF, 0x00, 0x08, 0x82, 0x20, 0x08, 0x02, 0x00,
                              0xE0, 0xFF, 0x3F, 0x00, 0x44, 0x44, 0x44, 0x00};
    EXPECT_EQ(0, std::memcmp(blocks, left, 16));
    // Right block: one opaque column of three texels; everything else index 0.
    const uint8_t right[16] = {0xFF, 0xFE, 0, 0, 0, 0, 0, 0, 0xE0, 0xFF, 0xC0, 0xFF, 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(blocks + 16, right, 16));

    uint8_t decoded[5 * 3 * 4 + 1];
    decoded[5 * 3 * 4] = 0xAB;  // guard byte past the surface
    DecodeSurface(ImageFormat::Dxt5, blocks, 5, 3, decoded);
    EXPECT_EQ(decoded[5 * 3 * 4], 0xAB);
    EXPECT_EQ(0, std::memcmp(decoded, texels, sizeof texels));
}

}  // namespace
}  // namespace tovan::dxt
