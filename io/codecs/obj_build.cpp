// From OBJ polygons to model meshes. Vertices are shared through a hash table
// keyed on the position index and the vertex's bits: the same result as
// comparing each new vertex with every vertex made before for its position,
// without the quadratic cost when one position carries many vertices.
#include <climits>
#include <cstring>

#include "io/codecs/obj_build.h"

namespace tovan::obj {

namespace {

static_assert(sizeof(cModelStaticVertex) == 7 * sizeof(uint64_t), "hashed as seven words");

uint32_t HashOf(const cModelStaticVertex& v, int32_t position) {
    uint64_t words[7];
    std::memcpy(words, &v, sizeof words);
    // Two lanes halve the chain of dependent multiplications.
    uint64_t a = uint64_t(uint32_t(position)) * 0x9E3779B97F4A7C15ull, b = 0xC2B2AE3D27D4EB4Full;
    for (int i = 0; i < 6; i += 2) {
        a = (a ^ words[i]) * 0xBF58476D1CE4E5B9ull;
        b = (b ^ words[i + 1]) * 0x94D049BB133111EBull;
        a ^= a >> 31;
        b ^= b >> 29;
    }
    a = (a ^ words[6] ^ (b >> 7)) * 0xBF58476D1CE4E5B9ull;
    a ^= b;
    a ^= a >> 32;
    return uint32_t(a);
}

// The vertices of one mesh made so far, found by position index and bits.
class VertexTable {
public:
    VertexTable(cList<cModelStaticVertex>& vertices) : m_Vertices(vertices) {}

    void Reset() {
        m_Slots.Resize(0);
        m_Slots.Resize(64);
        m_Positions.Resize(0);
        m_Mask = 63;
    }

    // The index of the vertex equal to v, appended when there is none.
    uint32_t Find(const cModelStaticVertex& v, int32_t position) {
        const uint32_t hash = HashOf(v, position);
        for (uint32_t at = hash & m_Mask;; at = (at + 1) & m_Mask) {
            const Slot slot = m_Slots[int(at)];
            if (slot.index == 0)
                return Add(v, position, hash, at);
            const uint32_t i = slot.index - 1;
            if (slot.hash == hash && m_Positions[int(i)] == position &&
                std::memcmp(&m_Vertices[int(i)], &v, sizeof v) == 0)
                return i;
        }
    }

private:
    struct Slot {
        uint32_t hash = 0;
        uint32_t index = 0;  // vertex index + 1; 0 is a free slot
    };

    uint32_t Add(const cModelStaticVertex& v, int32_t position, uint32_t hash, uint32_t at) {
        const uint32_t index = uint32_t(m_Vertices.PushBack(v));
        m_Positions.PushBack(position);
        m_Slots[int(at)] = {hash, index + 1};
        if (uint64_t(m_Vertices.Count()) * 2 > uint64_t(m_Mask))
            Grow();
        return index;
    }

    // Twice the slots, every entry placed again by its stored hash.
    void Grow() {
        cList<Slot> old = std::move(m_Slots);
        m_Mask = m_Mask * 2 + 1;
        m_Slots.Resize(int(m_Mask) + 1);
        for (const Slot& slot : old) {
            if (slot.index == 0)
                continue;
            uint32_t at = slot.hash & m_Mask;
            while (m_Slots[int(at)].index != 0)
                at = (at + 1) & m_Mask;
            m_Slots[int(at)] = slot;
        }
    }

    cList<cModelStaticVertex>& m_Vertices;
    cList<int32_t> m_Positions;  // per vertex, the position index it was made from
    cList<Slot> m_Slots;
    uint32_t m_Mask = 0;
};

// The corner's vertex in `v`, which keeps from the corner before every field
// whose index lies outside its list.
struct CornerReader {
    const ObjGeometry& g;

    void Read(const ObjTriple& corner, cModelStaticVertex& v) const {
        v.m_Position = g.m_Positions[corner.a];
        if (uint32_t(corner.c) < uint32_t(g.m_Normals.Count()))
            v.m_Normal = g.m_Normals[corner.c];
        if (uint32_t(corner.b) < uint32_t(g.m_TexCoords.Count()))
            v.m_TexCoord = g.m_TexCoords[corner.b];
        if (uint32_t(corner.c) < uint32_t(g.m_Tangents.Count())) {
            v.m_Tangent = g.m_Tangents[corner.c].m_Tangent;
            v.m_Bitangent = g.m_Tangents[corner.c].m_Bitangent;
        }
    }
};

}  // namespace

bool BuildModel(ObjGeometry& geometry, bool allTriangles, int64_t triangles, cModel& model) {
    if (geometry.m_Normals.IsEmpty())
        ComputePolygonNormals(geometry);
    ComputePolygonTangents(geometry);
    // Four entries a triangle (a header and three corners), in one list.
    if (triangles > (INT_MAX - 8) / 4)
        return false;
    if (!allTriangles) {
        cList<ObjTriple> fans;
        fans.Grow(int(triangles * 4));
        TriangulatePolygons(geometry.m_Polygons, fans);
        geometry.m_Polygons = std::move(fans);
    }
    const cList<ObjTriple>& polygons = geometry.m_Polygons;
    const int materials = geometry.m_Materials.Count() > 0 ? geometry.m_Materials.Count() : 1;
    const int count = polygons.Count() / 4;

    // The triangles in material order, each material's in file order.
    cList<int> first;
    first.Resize(materials + 1, 0);
    for (int t = 0; t < count; ++t)
        ++first[polygons[4 * t].b + 1];
    for (int m = 0; m < materials; ++m)
        first[m + 1] += first[m];
    cList<int> order;
    order.ResizeUnset(count);
    {
        cList<int> next = first;
        for (int t = 0; t < count; ++t)
            order[next[polygons[4 * t].b]++] = t;
    }

    model.m_Meshes.Resize(materials);
    cModelStaticVertex v{};
    const CornerReader corners{geometry};
    for (int m = 0; m < materials; ++m) {
        cModelMesh& mesh = model.m_Meshes[m];
        mesh.m_Material = geometry.m_Materials.Count() > 0 ? geometry.m_Materials[m] : cStr("default");
        VertexTable table(mesh.m_StaticVertices);
        table.Reset();
        mesh.m_Indices.ResizeUnset(3 * (first[m + 1] - first[m]));
        uint32_t* index = mesh.m_Indices.Data();
        for (int i = first[m]; i < first[m + 1]; ++i) {
            const ObjTriple* corner = polygons.At(4 * order[i] + 1);
            for (int k = 0; k < 3; ++k) {
                corners.Read(corner[k], v);
                *index++ = table.Find(v, corner[k].a);
            }
        }
    }
    model.m_Static = true;
    cModel::ComputeBounds(model);
    return true;
}

}  // namespace tovan::obj
