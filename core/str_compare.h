// The byte scanners behind CompareStrings. Each build has the plain one and,
// where the processor has wide compares, a faster one; tests run every one.
#pragma once
#include <cstddef>

namespace tovan::str_compare {

// Index of the first byte in [0, count) where a and b differ or a holds 0;
// count when there is none. Reads a[0, count) and b[0, count) only.
using FirstStopFn = size_t (*)(const char* a, const char* b, size_t count);

// Signed-byte order (-1, 0, 1) of zero-terminated a and b over at most limit
// bytes (limit >= 1). Reads aligned blocks that hold a byte of a text, and
// reads past a terminator (or the limit) only inside the terminator's block.
using CompareTextsFn = int (*)(const char* a, const char* b, size_t limit);

struct Scanner {
    const char* name;
    FirstStopFn firstStop;
    CompareTextsFn compareTexts;
};

// Every scanner of this build, the plain one first; CompareStrings uses the last.
const Scanner* Scanners(int* count);

}  // namespace tovan::str_compare
