// Draws fields from a fuzz input: bytes, big-endian words and the floats they
// spell (NaN and infinities included), zeros once the input runs out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tovan::fuzz {

struct ByteReader {
    const uint8_t* data;
    size_t size;
    uint8_t Byte() {
        if (!size)
            return 0;
        --size;
        return *data++;
    }
    uint32_t Bits() {
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits = bits << 8 | Byte();
        return bits;
    }
    int Int() { return int(Bits()); }
    float Float() {
        const uint32_t bits = Bits();
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }
};

}  // namespace tovan::fuzz
