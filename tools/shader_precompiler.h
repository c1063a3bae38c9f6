// Shader precompilation: every "Shaders/**.hlsl" source that lists variants
// after a "// Precompile" line is compiled once per variant, vertex and pixel
// part apart, by the platform's outside compiler program. The outputs and a
// "Cache.txt" naming each compiled variant go to the platform's folder.
#pragma once
#include <cstdint>

#include "core/str.h"

namespace tovan {

// Platform 0 is "PC", 1 "Xbox 360"; any other value does nothing.
void RunShaderPrecompiler(int32_t platform);

// The output name of a variant of a source file: the variant number without
// leading zeros padded to 4 digits, then the file number; of that, the leading
// zeros dropped and the rest padded to 8 digits ((3, 2) gives "00000023").
cStr ShaderOutputName(int fileNumber, int variantNumber);

}  // namespace tovan
