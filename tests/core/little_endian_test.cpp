// The byte order of every stored number, from any alignment.
#include "core/little_endian.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tovan {
namespace {

TEST(LittleEndian, LoadsAndStoresExactBytesAtAnyOffset) {
    struct Case {
        uint8_t bytes[4];
        uint32_t u32;
        int32_t i32;
        uint16_t low16;
    };
    const Case cases[] = {
        {{0x04, 0x03, 0x02, 0x01}, 0x01020304u, 0x01020304, 0x0304},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFFu, -1, 0xFFFF},
        {{0x00, 0x00, 0x00, 0x80}, 0x80000000u, INT32_MIN, 0x0000},
        {{0xEF, 0xBE, 0xAD, 0xDE}, 0xDEADBEEFu, int32_t(0xDEADBEEFu), 0xBEEF},
    };
    for (const Case& c : cases) {
        for (int offset = 0; offset < 4; ++offset) {
            uint8_t buffer[8] = {};
            std::memcpy(buffer + offset, c.bytes, 4);
            EXPECT_EQ(LoadU32(buffer + offset), c.u32);
            EXPECT_EQ(LoadI32(buffer + offset), c.i32);
            EXPECT_EQ(LoadU16(buffer + offset), c.low16);

            uint8_t out[8] = {};
            StoreU32(out + offset, c.u32);
            EXPECT_EQ(std::memcmp(out + offset, c.bytes, 4), 0) << std::hex << c.u32;
            std::memset(out, 0, sizeof out);
            StoreU16(out + offset, c.low16);
            EXPECT_EQ(std::memcmp(out + offset, c.bytes, 2), 0) << std::hex << c.low16;
            EXPECT_EQ(out[offset + 2], 0);  // nothing beyond the field
        }
    }
}

TEST(LittleEndian, FloatsAreTheirIeeeBytes) {
    const struct {
        float value;
        uint8_t bytes[4];
    } cases[] = {
        {1.0f, {0x00, 0x00, 0x80, 0x3F}},
        {-2.5f, {0x00, 0x00, 0x20, 0xC0}},
        {0.0f, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        uint8_t out[4];
        StoreF32(out, c.value);
        EXPECT_EQ(std::memcmp(out, c.bytes, 4), 0) << c.value;
        EXPECT_EQ(LoadF32(c.bytes), c.value);
    }
}

}  // namespace
}  // namespace tovan
