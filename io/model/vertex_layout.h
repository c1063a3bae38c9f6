// The attributes of a vertex as the render device's shaders name them.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/str.h"

namespace tovan {

struct cVertexAttribute {
    cStr m_Name;
    int32_t m_Semantic = 0;
    int32_t m_Offset = 0;
    int32_t m_Components = 0;
};

class cVertexLayout {
public:
    // The standard layout of model vertices: "Pos" (semantic 1, 3 components),
    // "Normal" (2, 3), "TexCoord" (3, 2), "Tangent" (4, 3), "BiTangent" (5, 3),
    // each with offset 0.
    cVertexLayout();

    cList<cVertexAttribute> m_Attributes;
};

// Appends an attribute; returns its index.
int32_t AddVertexAttribute(cVertexLayout& layout, const char* name, int32_t semantic, int32_t offset,
                           int32_t components);

}  // namespace tovan
