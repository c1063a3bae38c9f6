// The swizzle every codec's blue-first texels go through.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/codecs/codec_support.h"
#include "io/codecs/swap_red_blue.h"

namespace tovan {
namespace {

// Every count (the word and vector loops and what they leave), into another
// block or in place, through the public swap and through each three-byte
// swapper this build has (the plain one, and the vector one where it exists).
TEST(CodecSupport, SwapRedBlueTurnsEveryTexelAndTouchesNothingElse) {
    int swapperCount = 0;
    const codec::RgbSwapper* swappers = codec::RgbSwappers(&swapperCount);
    ASSERT_GE(swapperCount, 1);
    for (int stride : {3, 4})
        for (int n = 0; n <= 40; ++n) {
            std::vector<uint8_t> src(size_t(n * stride)), expected(src.size());
            for (size_t i = 0; i < src.size(); ++i)
                src[i] = uint8_t(i * 37 + 11);
            for (int t = 0; t < n; ++t)
                for (int c = 0; c < stride; ++c)
                    expected[size_t(t * stride + c)] = src[size_t(t * stride + (c < 3 ? 2 - c : c))];
            const std::string what = std::to_string(stride) + " " + std::to_string(n);

            std::vector<uint8_t> dst(src.size() + 1, 0xA5);
            codec::SwapRedBlue(dst.data(), src.data(), n, stride);
            EXPECT_EQ(std::vector<uint8_t>(dst.begin(), dst.end() - 1), expected) << what;
            EXPECT_EQ(dst.back(), 0xA5) << what;

            std::vector<uint8_t> inPlace = src;
            codec::SwapRedBlue(inPlace.data(), inPlace.data(), n, stride);
            EXPECT_EQ(inPlace, expected) << what;
            inPlace = src;
            codec::SwapRedBlue(inPlace.data(), n, stride);
            EXPECT_EQ(inPlace, expected) << what;

            for (int s = 0; stride == 3 && s < swapperCount; ++s) {
                std::vector<uint8_t> out(src.size() + 1, 0xA5);
                swappers[s].swap(out.data(), src.data(), n);
                EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.end() - 1), expected) << swappers[s].name << what;
                EXPECT_EQ(out.back(), 0xA5) << swappers[s].name << what;
                inPlace = src;
                swappers[s].swap(inPlace.data(), inPlace.data(), n);
                EXPECT_EQ(inPlace, expected) << swappers[s].name << what;
            }
        }
}

}  // namespace
}  // namespace tovan
