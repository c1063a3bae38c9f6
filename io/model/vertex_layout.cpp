#include "io/model/vertex_layout.h"

#include <utility>

namespace tovan {

cVertexLayout::cVertexLayout() {
    AddVertexAttribute(*this, "Pos", 1, 0, 3);
    AddVertexAttribute(*this, "Normal", 2, 0, 3);
    AddVertexAttribute(*this, "TexCoord", 3, 0, 2);
    AddVertexAttribute(*this, "Tangent", 4, 0, 3);
    AddVertexAttribute(*this, "BiTangent", 5, 0, 3);
}

int32_t AddVertexAttribute(cVertexLayout& layout, const char* name, int32_t semantic, int32_t offset,
                           int32_t components) {
    cVertexAttribute attribute;
    attribute.m_Name = name;
    attribute.m_Semantic = semantic;
    attribute.m_Offset = offset;
    attribute.m_Components = components;
    return layout.m_Attributes.PushBack(std::move(attribute));
}

}  // namespace tovan
