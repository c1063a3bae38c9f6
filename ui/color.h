// Colour packing shared by the drawing primitives, fonts and previews.
#pragma once
#include <cstdint>

#include "core/vec.h"

namespace tovan {

// Float RGBA to 8 bits a channel, red in the low byte: 1 or more gives 255, 0
// or less (and NaN) gives 0, else the channel x 255 + 0.5 cut to an integer.
uint32_t PackColor(const cColor& color);

}  // namespace tovan
