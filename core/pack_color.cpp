#include "core/pack_color.h"

namespace tovan {

namespace {
uint32_t PackChannel(float c) {
    if (c >= 1.0f)
        return 255;
    if (!(c > 0.0f))  // also NaN, which has no integer value
        return 0;
    return uint32_t(c * 255.0f + 0.5f);
}
}  // namespace

uint32_t PackColor(const cColor& color) {
    return PackChannel(color.r) | PackChannel(color.g) << 8 | PackChannel(color.b) << 16 | PackChannel(color.a) << 24;
}

}  // namespace tovan
