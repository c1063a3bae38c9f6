// The swizzle every codec's blue-first texels go through.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/codecs/codec_support.h"

namespace tovan {
namespace {

// Every count (the word loop and what it leaves), into another block or in place.
TEST(CodecSupport, SwapRedBlueTurnsEveryTexelAndTouchesNothingElse) {
    for (int stride : {3, 4})
        for (int n = 0; n <= 17; ++n) {
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
        }
}

}  // namespace
}  // namespace tovan
