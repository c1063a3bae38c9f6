#include "io/model/bsp.h"

#include <cmath>

#include "core/memory.h"

namespace tovan {

void cBsp::Clear() {
    // Rotating each left child up over its parent flattens the tree into a
    // chain of right children, freed as it is walked: no stack and no memory
    // beyond the nodes themselves, however deep the tree.
    cBspNode* node = m_Root;
    while (node) {
        if (cBspNode* left = node->m_Left) {
            node->m_Left = left->m_Right;
            left->m_Right = node;
            node = left;
        } else {
            cBspNode* right = node->m_Right;
            node->~cBspNode();
            PoolFree(node, int(sizeof(cBspNode)));
            node = right;
        }
    }
    m_Root = nullptr;
    m_Triangles.Resize(0);
}

void cBsp::CollectTriangles(const cBspNode* node, cBsp& bsp) {
    if (!node)
        return;
    cList<const cBspNode*> stack;
    stack.PushBack(node);
    while (!stack.IsEmpty()) {
        const cBspNode* at = stack[stack.Count() - 1];
        stack.Resize(stack.Count() - 1);
        bsp.m_Triangles.PushBack(at->m_Triangle);
        // The left subtree waits below the right one, which comes out first.
        if (at->m_Left)
            stack.PushBack(at->m_Left);
        if (at->m_Right)
            stack.PushBack(at->m_Right);
    }
}

cBspPlane PlaneFromPoints(const cVec3& p0, const cVec3& p1, const cVec3& p2) {
    const cVec3 n = Cross(p1 - p0, p2 - p0);
    const float squared = Dot(n, n);
    if (squared < 1.0000001e-6f)
        return {};
    const cVec3 unit = n * (1 / std::sqrt(squared));
    return {unit, -Dot(unit, p0)};
}

void ComputeBspPlanes(cBspTriangle& t) {
    t.m_FacePlane = PlaneFromPoints(t.m_Corners[0], t.m_Corners[1], t.m_Corners[2]);
    const cVec3& n = t.m_FacePlane.m_Normal;
    for (int k = 0; k < 3; ++k) {
        // Edge k runs from the corner before k (corner 2 for corner 0) to corner k.
        const cVec3& corner = t.m_Corners[k];
        const cVec3 normal = Cross(n, corner - t.m_Corners[(k + 2) % 3]);
        t.m_EdgePlanes[k] = {normal, -Dot(normal, corner)};
    }
}

}  // namespace tovan
