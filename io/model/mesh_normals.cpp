// Normals and tangents of a model's meshes. Every triangle adds its share to
// its three vertices, then each vertex is normalised. A triangle whose share
// is not a finite number, or whose indices leave the vertex list, adds
// nothing, so one bad triangle cannot spread NaN to its neighbours.
#include <cmath>

#include "io/model/mesh_math.h"
#include "io/model/model.h"

namespace tovan {

namespace {

template <class Vertex>
void MeshNormals(const cList<uint32_t>& indices, cList<Vertex>& list, bool skinned) {
    Vertex* v = list.Data();
    const uint32_t n = uint32_t(list.Count());
    for (uint32_t i = 0; i < n; ++i)
        v[i].m_Normal = kZeroVec3;
    const float scale = mesh::EdgeScale(int(n), [v](int i) -> const cVec3& { return v[i].m_Position; });
    const uint32_t* index = indices.Data();
    const int count = indices.Count() / 3 * 3;
    for (int t = 0; t < count; t += 3) {
        const uint32_t a = index[t], b = index[t + 1], c = index[t + 2];
        if (a >= n || b >= n || c >= n)
            continue;
        const cVec3 normal =
            Cross((v[b].m_Position - v[a].m_Position) * scale, (v[c].m_Position - v[a].m_Position) * scale);
        // Weighted by its squared length: big triangles count with the cube of their area.
        const cVec3 share = normal * Dot(normal, normal);
        if (!mesh::IsFinite(share))
            continue;
        v[a].m_Normal += share;
        v[b].m_Normal += share;
        v[c].m_Normal += share;
    }
    // A vertex that no triangle gave a direction: zero in a static mesh.
    const cVec3 fallback = skinned ? mesh::kDefaultDirection : kZeroVec3;
    for (uint32_t i = 0; i < n; ++i)
        v[i].m_Normal = mesh::Direction(v[i].m_Normal, fallback);
}

template <class Vertex>
void MeshTangents(const cList<uint32_t>& indices, cList<Vertex>& list) {
    Vertex* v = list.Data();
    const uint32_t n = uint32_t(list.Count());
    for (uint32_t i = 0; i < n; ++i)
        v[i].m_Tangent = v[i].m_Bitangent = kZeroVec3;
    const float scale = mesh::EdgeScale(int(n), [v](int i) -> const cVec3& { return v[i].m_Position; });
    const uint32_t* index = indices.Data();
    const int count = indices.Count() / 3 * 3;
    for (int t = 0; t < count; t += 3) {
        const uint32_t a = index[t], b = index[t + 1], c = index[t + 2];
        if (a >= n || b >= n || c >= n)
            continue;
        cVec3 tangent, bitangent;
        if (!mesh::TriangleTangents(v[a].m_Position, v[b].m_Position, v[c].m_Position, v[a].m_TexCoord, v[b].m_TexCoord,
                                    v[c].m_TexCoord, scale, tangent, bitangent))
            continue;  // degenerate: its vertices keep what the others give them
        if (mesh::InverseSquared(tangent)) {
            v[a].m_Tangent += tangent;
            v[b].m_Tangent += tangent;
            v[c].m_Tangent += tangent;
        }
        if (mesh::InverseSquared(bitangent)) {
            v[a].m_Bitangent += bitangent;
            v[b].m_Bitangent += bitangent;
            v[c].m_Bitangent += bitangent;
        }
    }
    for (uint32_t i = 0; i < n; ++i) {
        v[i].m_Tangent = mesh::UnitOrDefault(v[i].m_Tangent);
        v[i].m_Bitangent = mesh::UnitOrDefault(v[i].m_Bitangent);
    }
}

}  // namespace

namespace mesh {

bool TriangleTangents(const cVec3& pa, const cVec3& pb, const cVec3& pc, const cVec2& ta, const cVec2& tb,
                      const cVec2& tc, float scale, cVec3& tangent, cVec3& bitangent) {
    const cVec3 e1 = (pb - pa) * scale, e2 = (pc - pa) * scale;
    const cVec3 n = Cross(e1, e2);
    // The matrix with columns e1, e2, n has the determinant |n|^2; the rows of
    // its inverse are (e2 x n, n x e1, e1 x e2) / det. The tangent is the
    // vector whose dot products with e1, e2, n are du1, du2, 0.
    const float det = Dot(n, n);
    if (!(det > kSingularDeterminant) || !std::isfinite(det))
        return false;
    const float inverse = 1 / det;
    const cVec3 r1 = Cross(e2, n) * inverse, r2 = Cross(n, e1) * inverse;
    const float du1 = tb.x - ta.x, du2 = tc.x - ta.x, dv1 = tb.y - ta.y, dv2 = tc.y - ta.y;
    tangent = r1 * du1 + r2 * du2;
    bitangent = r1 * dv1 + r2 * dv2;
    return true;
}

}  // namespace mesh

void cModel::ComputeNormals(cModel& model) {
    for (cModelMesh& mesh : model.m_Meshes) {
        if (model.m_Static)
            MeshNormals(mesh.m_Indices, mesh.m_StaticVertices, false);
        else
            MeshNormals(mesh.m_Indices, mesh.m_SkinnedVertices, true);
    }
}

void cModel::ComputeTangents(cModel& model) {
    for (cModelMesh& mesh : model.m_Meshes) {
        if (model.m_Static)
            MeshTangents(mesh.m_Indices, mesh.m_StaticVertices);
        else
            MeshTangents(mesh.m_Indices, mesh.m_SkinnedVertices);
    }
}

}  // namespace tovan
