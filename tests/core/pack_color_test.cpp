// Colour packing: clamped channels, red in the low byte.
#include "core/pack_color.h"

#include <gtest/gtest.h>

#include <limits>

namespace tovan {
namespace {

TEST(PackColor, ClampsRoundsAndOrdersChannels) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        cColor color;
        uint32_t packed;
    };
    const Case cases[] = {
        {{1.5f, -0.2f, 0.5f, 1.0f}, 0xFF8000FFu},  // 0.5 x 255 + 0.5 = 128
        {{0.5f, 0.5f, 0.5f, 0.5f}, 0x80808080u},
        {{0, 0, 0, 1}, 0xFF000000u},
        {{1, 0, 0, 0}, 0x000000FFu},
        {{0, 1, 0, 0}, 0x0000FF00u},
        {{0, 0, 1, 0}, 0x00FF0000u},
        {{0.001f, 0.002f, 0.998f, 0.9999f}, 0xFFFE0100u},  // 0.255 + 0.5 truncates to 0; 0.51 + 0.5 to 1
        {{nan, nan, nan, nan}, 0u},
        {{1e30f, -1e30f, 0.2f, 0.6f}, 0x993300FFu},
        {{0, 0, 0, 0}, 0u},
        {{1, 1, 1, 1}, 0xFFFFFFFFu},
        {{0.1f, 0.2f, 0.3f, 0.4f}, 0x664D331Au},  // 26, 51, 77, 102
        {{nan, 1, nan, 0.5f}, 0x8000FF00u},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PackColor(c.color), c.packed) << std::hex << c.packed;
}

}  // namespace
}  // namespace tovan
