// cBsp: a binary tree of triangles, each node holding one triangle with its
// face plane and three edge planes. It is only read (the native "cb" file,
// cIO::LoadBsp), never built or written. Every walk over the tree keeps its
// own stack, so a tree as deep as a file can describe loads, lists and clears
// without running out of the thread's stack.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/stream.h"
#include "core/vec.h"

namespace tovan {

// The plane n . p + d = 0.
struct cBspPlane {
    cVec3 m_Normal;
    float m_D = 0;
};

struct cBspTriangle {
    cVec3 m_Corners[3];
    int32_t m_Attribute = 0;  // carried from the file, not interpreted here
    cBspPlane m_FacePlane;
    // Edge plane k holds the edge ending at corner k; not normalised.
    cBspPlane m_EdgePlanes[3];
};

static_assert(sizeof(cBspTriangle) == 26 * 4, "25 floats and one integer");

// Nodes come from the pooled allocator.
struct cBspNode {
    cBspTriangle m_Triangle;
    cBspNode* m_Left = nullptr;
    cBspNode* m_Right = nullptr;
};

class cBsp {
public:
    cBsp() = default;
    cBsp(const cBsp&) = delete;
    cBsp& operator=(const cBsp&) = delete;
    ~cBsp() { Clear(); }

    // Frees every node; the triangle list is emptied but keeps its storage.
    void Clear();
    // Appends the triangle of the node and of every node below it: the node,
    // then its right subtree, then its left subtree.
    static void CollectTriangles(const cBspNode* node, cBsp& bsp);

    cBspNode* m_Root = nullptr;  // null when empty
    cList<cBspTriangle> m_Triangles;
};

// The plane through three points: the unit normal of (p1 - p0) x (p2 - p0)
// and d = -(n . p0); all zeros when the cross product's squared length is
// below 1.0000001e-6.
cBspPlane PlaneFromPoints(const cVec3& p0, const cVec3& p1, const cVec3& p2);
// The face plane and the edge planes of the triangle's corners.
void ComputeBspPlanes(cBspTriangle& triangle);

// Reads a native BSP file from the stream's position: u16 magic "cb", a
// version byte 0, then the nodes depth first, each three corners (3 x 3 f32),
// an i32 attribute and a flags byte (bit 0: a left child follows, bit 1: a
// right child follows; the left one first). Clears the tree first and again
// on failure; writes no message.
bool DecodeBsp(cStream& in, cBsp& out);

}  // namespace tovan
