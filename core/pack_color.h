// Float RGBA to the 32-bit colour the device's vertices carry. It lives here,
// below every layer that draws: the fonts of the file layer, the widgets'
// primitives and the previews all pack alike.
#pragma once
#include <cstdint>

#include "core/vec.h"

namespace tovan {

// 8 bits a channel, red in the low byte, alpha in the high one: 1 or more
// gives 255, 0 or less (and NaN) 0, else channel x 255 + 0.5 cut to an integer.
uint32_t PackColor(const cColor& color);

}  // namespace tovan
