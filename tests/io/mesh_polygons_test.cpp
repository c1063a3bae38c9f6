// Polygon lists of the OBJ reader, the material texture lookup and the vertex layout.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/model/material_table.h"
#include "io/model/polygons.h"
#include "io/model/vertex_layout.h"

namespace tovan {
namespace {

// Polygons given as corner lists; each corner {p, t, n}.
cList<ObjTriple> Polygons(std::initializer_list<std::vector<ObjTriple>> polygons, int group = 0) {
    cList<ObjTriple> list;
    for (const auto& corners : polygons) {
        list.PushBack({int32_t(corners.size()), group, 0});
        for (const ObjTriple& c : corners)
            list.PushBack(c);
    }
    return list;
}

std::vector<int> Flat(const cList<ObjTriple>& list) {
    std::vector<int> out;
    for (const ObjTriple& t : list)
        out.insert(out.end(), {t.a, t.b, t.c});
    return out;
}

TEST(Polygons, FanTriangulation) {
    const cList<ObjTriple> in =
        Polygons({{{0, 10, 20}, {1, 11, 21}, {2, 12, 22}, {3, 13, 23}, {4, 14, 24}}, {{5, 0, 0}, {6, 0, 0}}}, 7);
    cList<ObjTriple> out;
    out.PushBack({1, 2, 3});  // replaced
    TriangulatePolygons(in, out);
    EXPECT_EQ(Flat(out), (std::vector<int>{3, 7, 0, 0, 10, 20, 1, 11, 21, 2, 12, 22,  //
                                           3, 7, 0, 0, 10, 20, 2, 12, 22, 3, 13, 23,  //
                                           3, 7, 0, 0, 10, 20, 3, 13, 23, 4, 14, 24}));
    // A header whose corners run past the list, or a negative count, ends the walk.
    for (int count : {9, -1}) {
        cList<ObjTriple> bad = Polygons({{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}});
        bad.PushBack({count, 0, 0});
        bad.PushBack({0, 0, 0});
        TriangulatePolygons(bad, out);
        EXPECT_EQ(out.Count(), 4) << count;
    }
}

ObjGeometry Square() {
    ObjGeometry g;
    for (cVec3 p : {cVec3{0, 0, 0}, cVec3{1, 0, 0}, cVec3{1, 1, 0}, cVec3{0, 1, 0}, cVec3{0, 0, 5}})
        g.m_Positions.PushBack(p);
    for (cVec2 t : {cVec2{0, 0}, cVec2{1, 0}, cVec2{1, 1}, cVec2{0, 1}})
        g.m_TexCoords.PushBack(t);
    g.m_Polygons = Polygons({{{0, 0, 9}, {1, 1, 9}, {2, 2, 9}, {3, 3, 9}}});
    return g;
}

TEST(Polygons, NormalsPerPosition) {
    // A triangle of the square weighs 8 times as much as one half its size,
    // in any units.
    for (const float scale : {1.0f, 1e-3f, 1e3f, 1e-6f}) {
        ObjGeometry g = Square();
        g.m_Positions.PushBack({0, 0.5f, 0});
        g.m_Positions.PushBack({0, 0, 0.5f});
        g.m_Polygons.PushBack({3, 0, 0});
        for (int p : {0, 5, 6})
            g.m_Polygons.PushBack({p, 0, 0});
        for (cVec3& p : g.m_Positions)
            p *= scale;
        ComputePolygonNormals(g);
        const cVec3 mixed = Normalize(cVec3{1, 0, 64});
        EXPECT_NEAR(g.m_Normals[0].x, mixed.x, 1e-5f) << scale;
        EXPECT_NEAR(g.m_Normals[0].z, mixed.z, 1e-5f) << scale;
        EXPECT_NEAR(g.m_Normals[5].x, 1, 1e-5f) << scale;
        EXPECT_NEAR(g.m_Normals[2].z, 1, 1e-5f) << scale;
    }
    ObjGeometry g = Square();
    ComputePolygonNormals(g);
    ASSERT_EQ(g.m_Normals.Count(), 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(g.m_Normals[i], (cVec3{0, 0, 1})) << i;
        EXPECT_EQ(g.m_Polygons[1 + i].c, i);  // each corner's normal index is its position's
    }
    EXPECT_EQ(g.m_Normals[4], kUnitZ);  // unused: the default

    // A polygon naming a position outside the list adds nothing and reads nothing past it.
    g.m_Polygons.PushBack({3, 0, 0});
    g.m_Polygons.PushBack({0, 0, 0});
    g.m_Polygons.PushBack({4, 0, 0});
    g.m_Polygons.PushBack({77, 0, 0});
    ComputePolygonNormals(g);
    EXPECT_EQ(g.m_Normals[4], kUnitZ);
    EXPECT_EQ(g.m_Normals[0], (cVec3{0, 0, 1}));
}

TEST(Polygons, TangentsPerNormalEntry) {
    ObjGeometry g = Square();
    ComputePolygonTangents(g);  // no normals yet: nothing
    EXPECT_TRUE(g.m_Tangents.IsEmpty());
    ComputePolygonNormals(g);
    ComputePolygonTangents(g);
    ASSERT_EQ(g.m_Tangents.Count(), 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(g.m_Tangents[i].m_Tangent.x, 1, 1e-6f) << i;
        EXPECT_NEAR(g.m_Tangents[i].m_Bitangent.y, 1, 1e-6f) << i;
    }
    EXPECT_EQ(g.m_Tangents[4].m_Tangent, kUnitZ);
    for (const float scale : {1e-5f, 1e4f}) {  // in any units
        ObjGeometry scaled = Square();
        for (cVec3& p : scaled.m_Positions)
            p *= scale;
        ComputePolygonNormals(scaled);
        ComputePolygonTangents(scaled);
        EXPECT_NEAR(scaled.m_Tangents[0].m_Tangent.x, 1, 1e-6f) << scale;
        EXPECT_NEAR(scaled.m_Tangents[0].m_Bitangent.y, 1, 1e-6f) << scale;
    }

    // A texture index outside its list: that polygon adds nothing.
    g.m_Polygons[2].b = 40;
    ComputePolygonTangents(g);
    EXPECT_EQ(g.m_Tangents[0].m_Tangent, kUnitZ);
    ObjGeometry bare = Square();
    bare.m_TexCoords.Free();
    ComputePolygonNormals(bare);
    ComputePolygonTangents(bare);
    EXPECT_TRUE(bare.m_Tangents.IsEmpty());
}

// A host table: entries of groups of materials.
class Table : public cMaterialTable {
public:
    struct Group {
        std::string name;
        std::vector<std::string> materials;
    };
    std::vector<std::vector<Group>> entries;
    std::vector<std::vector<int>> found;

    int CountEntries() override { return int(entries.size()); }
    int CountGroups(int i) override { return int(entries[i].size()); }
    const char* GetGroupName(int i, int j) override { return entries[i][j].name.c_str(); }
    int CountMaterials(int i, int j) override { return int(entries[i][j].materials.size()); }
    const char* GetMaterialName(int i, int j, int k) override { return entries[i][j].materials[k].c_str(); }
    void ListTextures(int, int, int, cList<cStr>&) override {}
    void OnMaterialFound(int i, int j, int k) override { found.push_back({i, j, k}); }
};

TEST(MaterialTextureIndex, SplitsAndPacksTheFirstMatch) {
    EXPECT_EQ(GetMaterialTextureIndex("Stone.Wall"), -1);  // no table
    Table table;
    table.entries = {
        {{"Wood", {"Oak"}}}, {{"Metal", {"Iron"}}, {"Stone", {"Floor", "wall", "Wall"}}}, {{"Stone", {"Roof"}}}};
    std::vector<std::string> many(300, "x");
    many.push_back("Deep");
    table.entries.push_back({{"Far", many}});
    MaterialTable = &table;
    const struct {
        const char* name;
        int32_t index;
    } cases[] = {
        {"Stone.Wall", 1 + (1 << 8) + (1 << 16)},  // case ignored: the first of "wall", "Wall"
        {"stone/FLOOR", 1 + (1 << 8)},
        {"Stone\\\\Roof", 2},  // the second "Stone" group, in a later entry
        {"__Wood__Oak__Extra", 0},
        {"Wood_Pine", -1},
        {"Stone", -1},  // one piece: the table is not asked
        {"", -1},
        {nullptr, -1},
        {"Far.Deep", 3 + (300 << 16)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetMaterialTextureIndex(c.name), c.index) << (c.name ? c.name : "null");
    EXPECT_EQ(table.found.size(), 5u);
    EXPECT_EQ(table.found[0], (std::vector<int>{1, 1, 1}));

    // Indices the packing cannot hold are not handed out as another material's.
    table.entries[3][0].materials.resize(40000, "x");
    table.entries[3][0].materials.back() = "Last";
    EXPECT_EQ(GetMaterialTextureIndex("Far.Last"), -1);
    MaterialTable = nullptr;
}

TEST(VertexLayout, StandardAttributesInOrder) {
    cVertexLayout layout;
    const struct {
        const char* name;
        int semantic, components;
    } expected[] = {{"Pos", 1, 3}, {"Normal", 2, 3}, {"TexCoord", 3, 2}, {"Tangent", 4, 3}, {"BiTangent", 5, 3}};
    ASSERT_EQ(layout.m_Attributes.Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(layout.m_Attributes[i].m_Name, expected[i].name);
        EXPECT_EQ(layout.m_Attributes[i].m_Semantic, expected[i].semantic);
        EXPECT_EQ(layout.m_Attributes[i].m_Offset, 0);
        EXPECT_EQ(layout.m_Attributes[i].m_Components, expected[i].components);
    }
    EXPECT_EQ(AddVertexAttribute(layout, "Joints", 6, 56, 4), 5);
    EXPECT_EQ(layout.m_Attributes[5].m_Offset, 56);
}

}  // namespace
}  // namespace tovan
