// The framework's own printf-style formatter. It knows the C conversions
// d i u o x X c s f F e E g G p n % with flags, width and precision ('*'
// included) and the length modifiers hh h l ll j z t L and I I32 I64. Floats go
// through core/float_text.h, so a text is the same in every build.
#pragma once
#include <cstdarg>

#include "core/str.h"

namespace tovan {

// Writes at most size - 1 characters and a terminator (nothing when size < 1);
// longer output is cut. Returns the number of characters written.
int FormatText(char* out, int size, const char* fmt, ...) TOVAN_PRINTF(3, 4);
int FormatTextV(char* out, int size, const char* fmt, va_list args);

}  // namespace tovan
