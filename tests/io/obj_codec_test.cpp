// The OBJ codec: fans, materials, shared vertices, index rules, the files other
// tools write, what it refuses and the exact text of the writer.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/codecs/model_codecs.h"
#include "tests/io/codec_files.h"
#include "tests/support/log_capture.h"

namespace tovan {
namespace {

bool Decode(const std::string& text, cModel& model) {
    cStream in;
    test::SetBytes(in, text);
    in.m_Name = "m.obj";
    return cCodecObj().Decode(in, model);
}

std::string Encode(const cModel& model) {
    cStream out;
    return cCodecObj().Encode(model, out) ? test::GetBytes(out) : "refused";
}

std::vector<cVec3> Corners(const cModelMesh& mesh) {
    std::vector<cVec3> corners;
    for (uint32_t index : mesh.m_Indices)
        corners.push_back(mesh.m_StaticVertices[int(index)].m_Position);
    return corners;
}

std::vector<uint32_t> Indices(const cModelMesh& mesh) { return {mesh.m_Indices.begin(), mesh.m_Indices.end()}; }

const std::string kSquare = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";
const cVec3 p1{0, 0, 0}, p2{1, 0, 0}, p3{1, 1, 0}, p4{0, 1, 0};

TEST(ObjCodec, FacesGiveCornersAndShareVertices) {
    struct Case {
        const char* faces;
        std::vector<cVec3> corners;
        std::vector<uint32_t> indices;
    };
    const Case cases[] = {
        {"f 1 2 3 4", {p1, p2, p3, p1, p3, p4}, {0, 1, 2, 0, 2, 3}},  // a fan around the first corner
        {"f -3 -2 -1", {p2, p3, p4}, {0, 1, 2}},                      // back from the last "v" read
        {"f 2/1/1 3// 4/2", {p2, p3, p4}, {0, 1, 2}},
        // The same position, texture and normal share a vertex; another texture coordinate does not.
        {"vt 0 0\nvt 1 0\nvt 1 1\nvn 0 0 1\nf 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/1/1\nf 1/2/1 3/3/1 4/1/1",
         {p1, p2, p3, p1, p3, p4, p1, p3, p4},
         {0, 1, 2, 0, 2, 3, 4, 2, 3}},
        // A second "v" line at the same place is another position: not merged.
        {"v 0 0 0\nvn 0 0 1\nf 1//1 2//1 3//1\nf 5//1 2//1 3//1", {p1, p2, p3, p1, p2, p3}, {0, 1, 2, 3, 1, 2}},
    };
    for (const Case& c : cases) {
        cModel model;
        ASSERT_TRUE(Decode(kSquare + c.faces, model)) << c.faces;
        ASSERT_EQ(model.m_Meshes.Count(), 1) << c.faces;
        EXPECT_EQ(model.m_Meshes[0].m_Material, "default") << c.faces;
        EXPECT_EQ(Corners(model.m_Meshes[0]), c.corners) << c.faces;
        EXPECT_EQ(Indices(model.m_Meshes[0]), c.indices) << c.faces;
    }
    cModel square;
    ASSERT_TRUE(Decode(kSquare + "f 1 2 3 4", square));
    EXPECT_EQ(square.m_Meshes[0].m_StaticVertices[3].m_Normal, (cVec3{0, 0, 1}));  // made per position
    EXPECT_EQ(square.m_Bounds.m_Max, (cVec3{1, 1, 0.1f}));                         // a flat model is 0.1 deep
}

// "1//3" has an empty texture part (so the first entry) and normal 3; a texture
// or normal index outside its list keeps what the corner before set.
TEST(ObjCodec, CornerPartsAndIndicesOutsideTheirLists) {
    cModel model;
    ASSERT_TRUE(Decode(
        kSquare + "vt 0.25 0.5\nvt 0.75 1\nvn 1 0 0\nvn 0 1 0\nvn 0 0 1\n" + "f 1//3 2/2/1 3/1/\nf 4/9/-9 2/2/1 3/1/\n",
        model));
    const cModelStaticVertex* v = model.m_Meshes[0].m_StaticVertices.Data();
    ASSERT_EQ(model.m_Meshes[0].m_StaticVertices.Count(), 4);
    const std::vector<std::pair<cVec2, cVec3>> expected = {
        {{0.25f, 0.5f}, {0, 0, 1}}, {{0.75f, 1}, {1, 0, 0}}, {{0.25f, 0.5f}, {1, 0, 0}}, {{0.25f, 0.5f}, {1, 0, 0}}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v[i].m_TexCoord, expected[size_t(i)].first) << i;
        EXPECT_EQ(v[i].m_Normal, expected[size_t(i)].second) << i;
    }
}

TEST(ObjCodec, UsemtlNamesMaterialsAndEachGetsAMesh) {
    // A name is the rest of its line, blanks around it trimmed; then what lies
    // up to its last ':' goes.
    const struct {
        std::string faces;
        std::vector<std::string> materials;
    } names[] = {
        {"usemtl Hard Shiny Plastic\nf 1 2 3\nusemtl Hard Matte\nf 2 3 4", {"Hard Shiny Plastic", "Hard Matte"}},
        {"usemtl \t Hard  Shiny \t# x\r\nf 1 2 3\nusemtl Hard\tShiny\nf 2 3 4", {"Hard  Shiny", "Hard\tShiny"}},
        {"usemtl lib:a b:Glass Pane\nf 1 2 3\nusemtl lib: Stone\nf 2 3 4", {"Glass Pane", "Stone"}},
        {"usemtl \t# no name\nf 1 2 3", {"default"}},
    };
    for (const auto& c : names) {
        cModel named;
        ASSERT_TRUE(Decode(kSquare + c.faces, named)) << c.faces;
        std::vector<std::string> materials;
        for (const cModelMesh& mesh : named.m_Meshes)
            materials.push_back(mesh.m_Material.GetText());
        EXPECT_EQ(materials, c.materials) << c.faces;
    }

    cModel model;
    // Before any face the name replaces the default material; the library prefix goes.
    ASSERT_TRUE(Decode(kSquare + "usemtl lib:Stone\nf 1 2 3\n", model));
    ASSERT_EQ(model.m_Meshes.Count(), 1);
    EXPECT_EQ(model.m_Meshes[0].m_Material, "Stone");
    // After faces it adds one; naming one again returns to its mesh; one without faces stays empty.
    ASSERT_TRUE(Decode(kSquare + "f 1 2 3\nusemtl a:b:Stone\nf -4 -2 -1\nusemtl default\nf 2 3 4\n" +
                           "usemtl Wood\nusemtl Stone\nf 4 3 2\n",
                       model));
    ASSERT_EQ(model.m_Meshes.Count(), 3);
    EXPECT_EQ(model.m_Meshes[1].m_Material, "Stone");
    EXPECT_EQ(model.m_Meshes[2].m_Material, "Wood");
    EXPECT_EQ(Corners(model.m_Meshes[0]), (std::vector<cVec3>{p1, p2, p3, p2, p3, p4}));
    EXPECT_EQ(Corners(model.m_Meshes[1]), (std::vector<cVec3>{p1, p3, p4, p4, p3, p2}));
    EXPECT_TRUE(model.m_Meshes[2].m_Indices.IsEmpty());
    // Two materials with negative indices, and the bounds of a flat model.
    ASSERT_TRUE(
        Decode("usemtl Red\nv 0 0 2\nv 4 0 2\nv 0 3 2\nf -3 -2 -1\n"
               "usemtl Blue\nv -1 -1 2\nv -2 -1 2\nv -1 -2 2\nf -1 -2 -3\n",
               model));
    ASSERT_EQ(model.m_Meshes.Count(), 2);
    EXPECT_EQ(Corners(model.m_Meshes[1]), (std::vector<cVec3>{{-1, -2, 2}, {-2, -1, 2}, {-1, -1, 2}}));
    EXPECT_EQ(model.m_Bounds.m_Min, (cVec3{-2, -2, 2}));
    EXPECT_EQ(model.m_Bounds.m_Max, (cVec3{4, 3, 2.1f}));
}

// One position under many texture coordinates: each pair is made once and
// found again; another mesh makes its own vertices.
TEST(ObjCodec, APositionWithManyVerticesSharesEachOnce) {
    std::string text = kSquare;
    const int n = 300;
    for (int k = 0; k < n; ++k)
        text += "vt " + std::to_string(k) + " 0\n";
    for (int pass = 0; pass < 2; ++pass)
        for (int k = 1; k <= n; ++k)
            text += "f 1/" + std::to_string(pass ? n + 1 - k : k) + " 2/1 3/1\n";
    cModel model;
    ASSERT_TRUE(Decode(text + "usemtl Other\nf 1/1 2/1 3/1\n", model));
    const cModelMesh& mesh = model.m_Meshes[0];
    EXPECT_EQ(mesh.m_StaticVertices.Count(), n + 2);
    for (int k = 0; k < n; ++k) {
        EXPECT_EQ(mesh.m_Indices[3 * k], mesh.m_Indices[3 * (2 * n - 1 - k)]) << k;
        EXPECT_EQ(mesh.m_StaticVertices[int(mesh.m_Indices[3 * k])].m_TexCoord, (cVec2{float(k), 0})) << k;
    }
    EXPECT_EQ(Indices(model.m_Meshes[1]), (std::vector<uint32_t>{0, 1, 2}));
}

// Files as exporters and people write them: objects, smoothing groups,
// polylines, libraries, comments, n-gons, CRLF and lone CR, a third texture
// coordinate, tabs, numbers with trailing text, faces before their positions,
// no final line end; and the committed files.
TEST(ObjCodec, FilesAsOtherToolsWriteThemLoad) {
    struct Case {
        std::string text;
        std::vector<int> triangles, vertices;
        cVec3 max;
    };
    const Case cases[] = {
        {"# exported\r\nmtllib scene.mtl\r\no Cube\r\nv 0 0 0\r\nv 1 0 0\r\nv 1 1 0\r\nv 0 1 0\r\nv 0.5 1.5 0\r\n"
         "vt 0 0 0\r\nvt 1 0 0\r\nvt 1 1 0\r\nvt 0 1 0\r\nvt 0.5 1 0\r\nvn 0 0 1\r\ns off\r\nl 1 2\r\n"
         "g side\r\nusemtl Mat\r\nf 1/1/1 2/2/1 3/3/1 5/5/1 4/4/1",
         {3},
         {5},
         {1, 1.5f, 0.1f}},
        {"f 1 2 3 5 4\n\n\nv 0 0 0 1.0\nv 1 0 0\t# first\nv\t1 1 0\nv 0 1 0\nv 0.5 1,5 0x  \n   \n",
         {3},
         {5},
         {1, 1.5f, 0.1f}},
        {"v 0 0 0\rv 1 0 0\rv 1 1 0\rv 0 1 0\rv 0.5 1.5 0\rf 1 2 3 5 4\r", {3}, {5}, {1, 1.5f, 0.1f}},
        {"v 2e1 abc 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", {1}, {3}, {20, 1, 0.1f}},  // a token that is no number is 0
        {"\xEF\xBB\xBFv 2 0 0\nv 1 0 0\nv 0 1 0\nf -3 -2 -1\n", {1}, {3}, {2, 1, 0.1f}},  // UTF-8 byte-order mark
        {test::ReadDataFile("obj/cube.obj"), {6, 6}, {12, 12}, {0.5f, 0.5f, 0.5f}},
        {test::ReadDataFile("obj/mixed.obj"), {1, 4}, {3, 5}, {1, 1.5f, 0.1f}},
    };
    for (const Case& c : cases) {
        cModel model;
        ASSERT_TRUE(Decode(c.text, model)) << c.text;
        ASSERT_EQ(model.m_Meshes.Count(), int(c.triangles.size())) << c.text;
        for (int m = 0; m < model.m_Meshes.Count(); ++m) {
            EXPECT_EQ(model.m_Meshes[m].m_Indices.Count(), 3 * c.triangles[size_t(m)]) << c.text;
            EXPECT_EQ(model.m_Meshes[m].m_StaticVertices.Count(), c.vertices[size_t(m)]) << c.text;
        }
        EXPECT_EQ(model.m_Bounds.m_Max, c.max) << c.text;
    }
    cModel cube;
    ASSERT_TRUE(Decode(test::ReadDataFile("obj/cube.obj"), cube));
    EXPECT_EQ(cube.m_Meshes[0].m_Material, "Stone.Wall");
    EXPECT_EQ(cube.m_Meshes[1].m_Material, "Wood.Floor");
    EXPECT_EQ(cube.m_Meshes[0].m_StaticVertices[4].m_Normal, (cVec3{0, 1, 0}));  // from its "vn" line
}

TEST(ObjCodec, RefusedLinesWarnWithTheLineAndClearTheModel) {
    const std::string three = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    struct Case {
        std::string text;
        const char* warning;
    };
    const Case cases[] = {
        {"v 1 2\n", "cCodecObj: Too few position coordinates: \"v 1 2\"."},
        {"v 1 2 # 3\n", "cCodecObj: Too few position coordinates: \"v 1 2 # 3\"."},
        {"vt 1\n", "cCodecObj: Too few texture coordinates: \"vt 1\"."},
        {"vn 1 2\n", "cCodecObj: Too few normal coordinates: \"vn 1 2\"."},
        {"f 0 1\n", "cCodecObj: Too few face indices: \"f 0 1\"."},
        {three + "f 0 1 2\n", "cCodecObj: Zero indices not allowed: \"f 0 1 2\"."},
        {three + "f 1 2 x/1\n", "cCodecObj: Zero indices not allowed: \"f 1 2 x/1\"."},
        // Position indices are checked once the whole file is read.
        {"f 1 2 4\n" + three, "cCodecObj: Position index out of range: \"f 1 2 4\"."},
        {"v 0 0 0\nv 1 0 0\nf 1 2 -3\nv 0 1 0\n", "cCodecObj: Position index out of range: \"f 1 2 -3\"."},
        {three + "f 1 2 3\nf 1 2 4294967299\n", "cCodecObj: Position index out of range: \"f 1 2 4294967299\"."},
        // Files that give no triangle are named, with the reason.
        {"", "cCodecObj: Empty file: \"m.obj\"."},
        {std::string("\xFF\xFEv\0 \0\x31\0\n\0", 10), "cCodecObj: UTF-16 text is not read: \"m.obj\"."},
        {std::string("\xFE\xFF\0v\0 \0\x31\0\n", 10), "cCodecObj: UTF-16 text is not read: \"m.obj\"."},
        {"g a\no b\n# nothing else\n", "cCodecObj: No triangles: \"m.obj\"."},
        {three + "usemtl Stone\np 1 2 3\nl 1 2 3\n", "cCodecObj: No triangles: \"m.obj\"."},
    };
    for (const Case& c : cases) {
        test::LogCapture log;
        cModel model;
        model.m_Meshes.PushBack(cModelMesh());
        EXPECT_FALSE(Decode(c.text, model)) << c.text;
        EXPECT_TRUE(model.m_Meshes.IsEmpty() && model.m_Bounds.IsEmpty()) << c.text;
        EXPECT_EQ(log.Warnings(), std::vector<std::string>{c.warning}) << c.text;
    }
}

cModel TwoMeshes(const char* first = "Stone Wall/Old", const char* second = "Wood") {
    cModel model;
    for (const char* material : {first, second}) {
        cModelMesh& mesh = model.m_Meshes[model.m_Meshes.PushBack(cModelMesh())];
        mesh.m_Material = material;
        for (int i = 0; i < 3; ++i) {
            cModelStaticVertex v{};
            v.m_Position = {float(i), float(model.m_Meshes.Count() - 1), 0.5f};
            v.m_TexCoord = {0.25f * i, 1};
            v.m_Normal = {0, 0, 1};
            mesh.m_StaticVertices.PushBack(v);
            mesh.m_Indices.PushBack(uint32_t(i));
        }
    }
    return model;
}

TEST(ObjCodec, WriterTextNumbersTheSecondMeshAfterTheFirst) {
    const std::string vn = "vn 0.000000 0.000000 1.000000\r\n";
    EXPECT_EQ(Encode(TwoMeshes()),
              "# Wavefront Obj file\r\n# 6 vertices\r\n# Position\r\n"
              "v 0.000000 0.000000 0.500000\r\nv 1.000000 0.000000 0.500000\r\nv 2.000000 0.000000 0.500000\r\n"
              "v 0.000000 1.000000 0.500000\r\nv 1.000000 1.000000 0.500000\r\nv 2.000000 1.000000 0.500000\r\n"
              "# TexCoord\r\n"
              "vt 0.000000 1.000000\r\nvt 0.250000 1.000000\r\nvt 0.500000 1.000000\r\n"
              "vt 0.000000 1.000000\r\nvt 0.250000 1.000000\r\nvt 0.500000 1.000000\r\n"
              "# Normal\r\n" +
                  vn + vn + vn + vn + vn + vn +
                  "\r\n# 2 tris\r\n"
                  "usemtl Stone Wall/Old\r\ng Stone_Wall_Old\r\nf 1/1/1 2/2/2 3/3/3\r\n"
                  "usemtl Wood\r\ng Wood\r\nf 4/4/4 5/5/5 6/6/6\r\n");
}

// What the writer saves reads back with its materials; a mesh without static
// vertices is written from its skinned ones; an index outside its mesh's list
// would point a face at another mesh's vertices, so nothing is written.
TEST(ObjCodec, WrittenModelsReadBackAndBadIndicesAreRefused) {
    cModel model = TwoMeshes();
    cModelSkinnedVertex skinned;
    skinned.m_Position = {7, 7, 7};
    model.m_Meshes[1].m_SkinnedVertices.PushBack(skinned);
    model.m_Meshes[1].m_StaticVertices.Free();
    model.m_Meshes[1].m_Indices.Resize(0);
    model.m_Meshes[1].m_Indices.Resize(3, 0);
    cModel back;
    ASSERT_TRUE(Decode(Encode(model), back));
    ASSERT_EQ(back.m_Meshes.Count(), 2);
    EXPECT_EQ(back.m_Meshes[0].m_Material, "Stone Wall/Old");
    EXPECT_EQ(back.m_Meshes[1].m_Material, "Wood");
    EXPECT_EQ(Corners(back.m_Meshes[0]), (std::vector<cVec3>{{0, 0, 0.5f}, {1, 0, 0.5f}, {2, 0, 0.5f}}));
    EXPECT_EQ(back.m_Meshes[0].m_StaticVertices[1].m_TexCoord, (cVec2{0.25f, 1}));
    EXPECT_EQ(Corners(back.m_Meshes[1]), (std::vector<cVec3>{{7, 7, 7}, {7, 7, 7}, {7, 7, 7}}));

    // Blanks around a name go; a line end in one would start a line of its own.
    ASSERT_TRUE(Decode(Encode(TwoMeshes(" a\t/ b ", "Lines\r\nf 1 2 3")), back));
    ASSERT_EQ(back.m_Meshes.Count(), 2);
    EXPECT_EQ(back.m_Meshes[0].m_Material, "a\t/ b");
    EXPECT_EQ(back.m_Meshes[1].m_Material, "Lines__f 1 2 3");

    model.m_Meshes[1].m_Indices[2] = 1;
    cStream out;
    test::SetBytes(out, "keep");
    out.m_Position = 2;
    EXPECT_FALSE(cCodecObj().Encode(model, out));
    EXPECT_EQ(test::GetBytes(out), "keep");
    // A good model goes in at the stream's position.
    ASSERT_TRUE(cCodecObj().Encode(cModel(), out));
    EXPECT_EQ(test::GetBytes(out),
              "ke# Wavefront Obj file\r\n# 0 vertices\r\n# Position\r\n# TexCoord\r\n# Normal\r\n"
              "\r\n# 0 tris\r\nep");
}

}  // namespace
}  // namespace tovan
