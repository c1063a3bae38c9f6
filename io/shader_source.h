// Shader programs kept as one text file: a vertex, an optional geometry and a
// fragment (or pixel) stage, each introduced by its marker comment.
#pragma once
#include "core/str.h"

#include <cstdint>

namespace tovan {

// Cuts the file into its stages and gives the file line each stage begins on,
// so compiler messages map back to the file. Every stage then has the shader
// substitutions applied. Warns and fails when the file or a stage is missing.
bool LoadShaderSource(const char* name, cStr& vertex, cStr& geometry, cStr& fragment, int32_t& vertexLine,
                      int32_t& geometryLine, int32_t& fragmentLine);

// The same on file bytes already in memory (the text ends at the first NUL).
bool SplitShaderSource(const uint8_t* bytes, int count, cStr& vertex, cStr& geometry, cStr& fragment,
                       int32_t& vertexLine, int32_t& geometryLine, int32_t& fragmentLine);

// Text replacements applied to every loaded stage, in the order they were added.
void AddShaderSubstitution(const char* find, const char* replace);
void ClearShaderSubstitutions();

}  // namespace tovan
