#include "io/model/polygons.h"

#include "io/model/mesh_math.h"

namespace tovan {

namespace {

// Calls fn(header, corners) for each polygon of the list, stopping at a header
// whose corner count is negative or runs past the list's end.
template <class List, class Fn>
void ForEachPolygon(List& polygons, Fn fn) {
    const int count = polygons.Count();
    for (int i = 0; i < count;) {
        const int corners = polygons[i].a;
        if (corners < 0 || corners > count - i - 1)
            return;
        fn(polygons[i], polygons.At(i + 1));
        i += 1 + corners;
    }
}

template <class T>
bool Within(const cList<T>& list, int32_t index) {
    return index >= 0 && index < list.Count();
}

}  // namespace

void TriangulatePolygons(const cList<ObjTriple>& polygons, cList<ObjTriple>& triangles) {
    triangles.DestroyItems();
    ForEachPolygon(polygons, [&](const ObjTriple& header, const ObjTriple* corner) {
        for (int i = 1; i + 1 < header.a; ++i) {
            triangles.PushBack({3, header.b, 0});
            triangles.PushBack(corner[0]);
            triangles.PushBack(corner[i]);
            triangles.PushBack(corner[i + 1]);
        }
    });
}

void ComputePolygonNormals(ObjGeometry& geometry) {
    const cList<cVec3>& positions = geometry.m_Positions;
    cList<cVec3>& normals = geometry.m_Normals;
    normals.DestroyItems();
    normals.Resize(positions.Count());
    const float scale = mesh::EdgeScale(positions.Count(), [&](int i) -> const cVec3& { return positions[i]; });
    ForEachPolygon(geometry.m_Polygons, [&](const ObjTriple& header, ObjTriple* corner) {
        for (int i = 0; i < header.a; ++i)
            corner[i].c = corner[i].a;
        if (header.a < 3 || !Within(positions, corner[0].a) || !Within(positions, corner[1].a) ||
            !Within(positions, corner[2].a))
            return;
        const cVec3& p0 = positions[corner[0].a];
        const cVec3 n = Cross((positions[corner[1].a] - p0) * scale, (positions[corner[2].a] - p0) * scale);
        const cVec3 share = n * Dot(n, n);
        if (!mesh::IsFinite(share))
            return;
        for (int i = 0; i < header.a; ++i)
            if (Within(normals, corner[i].c))
                normals[corner[i].c] += share;
    });
    for (cVec3& normal : normals)
        normal = mesh::Direction(normal, mesh::kDefaultDirection);
}

void ComputePolygonTangents(ObjGeometry& geometry) {
    const cList<cVec3>& positions = geometry.m_Positions;
    const cList<cVec2>& uvs = geometry.m_TexCoords;
    if (geometry.m_Normals.IsEmpty() || uvs.IsEmpty())
        return;
    cList<ObjTangent>& frames = geometry.m_Tangents;
    frames.DestroyItems();
    frames.Resize(geometry.m_Normals.Count());
    const float scale = mesh::EdgeScale(positions.Count(), [&](int i) -> const cVec3& { return positions[i]; });
    ForEachPolygon(geometry.m_Polygons, [&](const ObjTriple& header, ObjTriple* corner) {
        if (header.a < 3)
            return;
        for (int i = 0; i < 3; ++i)
            if (!Within(positions, corner[i].a) || !Within(uvs, corner[i].b))
                return;
        cVec3 t, b;
        if (!mesh::TriangleTangents(positions[corner[0].a], positions[corner[1].a], positions[corner[2].a],
                                    uvs[corner[0].b], uvs[corner[1].b], uvs[corner[2].b], scale, t, b))
            return;
        const bool useT = mesh::InverseSquared(t), useB = mesh::InverseSquared(b);
        for (int i = 0; i < header.a; ++i) {
            if (!Within(frames, corner[i].c))
                continue;
            if (useT)
                frames[corner[i].c].m_Tangent += t;
            if (useB)
                frames[corner[i].c].m_Bitangent += b;
        }
    });
    for (ObjTangent& frame : frames) {
        frame.m_Tangent = mesh::UnitOrDefault(frame.m_Tangent);
        frame.m_Bitangent = mesh::UnitOrDefault(frame.m_Bitangent);
    }
}

}  // namespace tovan
