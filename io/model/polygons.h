// The polygon geometry the OBJ reader collects before it builds meshes, and
// the operations on it: fan triangulation, per-position normals and per-normal
// tangents. Indices are 0-based; an index outside its list is passed over.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/str.h"
#include "core/vec.h"

namespace tovan {

// One entry of a polygon list. A polygon is a header {corner count, group,
// 0} followed by that many corners {position, texture coordinate, normal}.
struct ObjTriple {
    int32_t a = 0, b = 0, c = 0;
};

struct ObjTangent {
    cVec3 m_Tangent;
    cVec3 m_Bitangent;
};

struct ObjGeometry {
    cList<cVec3> m_Positions;
    cList<cVec2> m_TexCoords;
    cList<cVec3> m_Normals;
    cList<ObjTangent> m_Tangents;  // one per normal entry
    cList<ObjTriple> m_Polygons;
    cList<cStr> m_Materials;
};

// Replaces `triangles` with the polygons of `polygons` cut into fans around
// their first corner (n - 2 triangles each, header {3, group, 0}). Polygons of
// fewer than 3 corners give nothing; a header whose corners run past the list
// ends the walk.
void TriangulatePolygons(const cList<ObjTriple>& polygons, cList<ObjTriple>& triangles);

// One normal per position: every corner's normal index becomes its position
// index; each polygon's face normal (from its first three corners), weighted by
// its squared length, is added to all its corners; then each is normalised
// ((0, 0, 1) when it cannot be).
void ComputePolygonNormals(ObjGeometry& geometry);

// One tangent and bitangent per normal entry, from each polygon's first three
// corners as for model meshes; nothing without normals or texture coordinates.
void ComputePolygonTangents(ObjGeometry& geometry);

}  // namespace tovan
