// cStream readers on hostile bytes: lengths read from the data drive the reads.
#include "core/stream.h"

#include <cstddef>
#include <cstdint>

using namespace tovan;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cStream s;
    s.WriteBlock(data, int(size));
    s.m_Position = 0;
    uint8_t op;
    cStr text;
    char block[64];
    for (size_t steps = 0; steps < 4 * size + 16 && s.ReadU8(op); ++steps) {  // positions may jump back
        int32_t n = 0;
        int16_t n16 = 0;
        float f;
        cVec3 v;
        switch (op % 6) {
        case 0: s.ReadString(text); break;
        case 1:
            s.ReadI32(n);
            s.ReadText(n, text);
            break;
        case 2:
            s.ReadI16(n16);
            s.ReadBlock(block, n16 < 64 ? n16 : 64);
            break;
        case 3:
            s.ReadVec3(v);
            s.ReadF32(f);
            break;
        case 4: s.ReadLine(text); break;
        default:
            s.ReadI32(n);
            s.m_Position = n;
            break;  // a position from the file
        }
        if (s.m_Position < 0 || s.m_Position > s.Count())
            s.m_Position = 0;
    }
    return 0;
}
