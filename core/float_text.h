// Text of floating-point values made by the framework itself, so that saved
// files read the same from every build: the C runtimes differ in how they round
// and how they spell NaN. Results are correctly rounded from the exact binary
// value, as "%.Nf", "%.Ne" and "%.Ng" print them with a correct printf.
#pragma once

namespace tovan {

// Longest text any of these writes (no terminator is written).
constexpr int kFloatTextMax = 1400;
// Digits after the point beyond which every double's expansion is zeros; larger
// precisions are clamped to it.
constexpr int kFloatMaxDecimals = 1074;

// Each writes into out (kFloatTextMax bytes) and returns the length. A negative
// value (and -0.0) starts with '-'; infinities and NaNs are "inf", "nan",
// "-inf", "-nan" (upper case with upper).
int FloatToFixed(char* out, double value, int decimals, bool upper = false);
int FloatToScientific(char* out, double value, int decimals, bool upper = false);
// alt keeps trailing zeros and the point, as the '#' flag does.
int FloatToGeneral(char* out, double value, int significant, bool upper = false, bool alt = false);

}  // namespace tovan
