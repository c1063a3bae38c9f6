// From OBJ polygons to model meshes. A corner shares the vertex made before it
// with the same position index and the same bits: the result of comparing
// each new vertex with every vertex made before for its position, without the
// quadratic cost when one position carries many vertices.
#include <algorithm>
#include <climits>
#include <cstring>

#include "io/codecs/obj_build.h"

namespace tovan::obj {

namespace {

static_assert(sizeof(cModelStaticVertex) == 7 * sizeof(uint64_t), "hashed as seven words");

struct Words {
    uint64_t w[7];
};

Words WordsOf(const cModelStaticVertex& v) {
    Words words;
    std::memcpy(words.w, &v, sizeof words.w);
    return words;
}

bool SameBits(const Words& a, const cModelStaticVertex& v) {
    const Words b = WordsOf(v);
    uint64_t differ = 0;
    for (int i = 0; i < 7; ++i)
        differ |= a.w[i] ^ b.w[i];
    return differ == 0;
}

uint32_t HashOf(const Words& v, int32_t position) {
    const uint64_t* words = v.w;
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

// The vertices of each mesh made so far, found by position index and bits.
// A position's first vertex in the mesh is found through a table indexed by
// position: in smooth meshes it is the only one, and it lies near the corners
// that use it. Further vertices of a position, where a seam splits it, are
// found through a hash table.
class VertexTable {
public:
    explicit VertexTable(int positions) { m_First.Resize(positions, {-1, 0}); }

    // Starts the mesh of this number, whose vertices go to the list.
    void Begin(int mesh, cList<cModelStaticVertex>& vertices, int expected) {
        m_Mesh = mesh;
        m_Vertices = &vertices;
        m_Vertices->Grow(expected);
        m_Slots.Resize(0);
        m_Slots.Resize(64);
        m_Mask = 63;
        m_Seams = 0;
    }

    // The index of the vertex equal to v, appended when there is none.
    uint32_t Find(const cModelStaticVertex& v, int32_t position) {
        First& first = m_First[position];
        if (first.mesh != m_Mesh) {
            first = {m_Mesh, Append(v)};
            return first.vertex;
        }
        const Words bits = WordsOf(v);
        if (SameBits(bits, (*m_Vertices)[int(first.vertex)]))
            return first.vertex;
        const uint32_t hash = HashOf(bits, position);
        for (uint32_t at = hash & m_Mask;; at = (at + 1) & m_Mask) {
            const Slot slot = m_Slots[int(at)];
            if (slot.index == 0) {
                const uint32_t index = Append(v);
                m_Slots[int(at)] = {hash, index + 1, position};
                if (uint64_t(++m_Seams) * 2 > uint64_t(m_Mask))
                    Grow();
                return index;
            }
            if (slot.hash == hash && slot.position == position && SameBits(bits, (*m_Vertices)[int(slot.index - 1)]))
                return slot.index - 1;
        }
    }

private:
    struct First {
        int32_t mesh;  // the mesh the entry belongs to; others' entries count as empty
        uint32_t vertex;
    };
    struct Slot {
        uint32_t hash = 0;
        uint32_t index = 0;  // vertex index + 1; 0 is a free slot
        int32_t position = 0;
    };

    uint32_t Append(const cModelStaticVertex& v) { return uint32_t(m_Vertices->PushBack(v)); }

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

    cList<First> m_First;  // per position
    int m_Mesh = -1;
    cList<cModelStaticVertex>* m_Vertices = nullptr;
    cList<Slot> m_Slots;
    uint32_t m_Mask = 0;
    int m_Seams = 0;  // vertices in the hash table
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
    const CornerReader reader{geometry};
    VertexTable table(geometry.m_Positions.Count());
    for (int m = 0; m < materials; ++m) {
        cModelMesh& mesh = model.m_Meshes[m];
        mesh.m_Material = geometry.m_Materials.Count() > 0 ? geometry.m_Materials[m] : cStr("default");
        // Most corners of a mesh share their position's one vertex.
        const int corners = 3 * (first[m + 1] - first[m]);
        table.Begin(m, mesh.m_StaticVertices, std::min(corners, geometry.m_Positions.Count()));
        mesh.m_Indices.ResizeUnset(corners);
        uint32_t* index = mesh.m_Indices.Data();
        for (int i = first[m]; i < first[m + 1]; ++i) {
            const ObjTriple* corner = polygons.At(4 * order[i] + 1);
            for (int k = 0; k < 3; ++k) {
                reader.Read(corner[k], v);
                *index++ = table.Find(v, corner[k].a);
            }
        }
    }
    model.m_Static = true;
    cModel::ComputeBounds(model);
    return true;
}

}  // namespace tovan::obj
