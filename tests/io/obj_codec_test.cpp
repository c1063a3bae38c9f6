// The OBJ codec: fans, materials, shared vertices, index rules, the files other
// tools write, what it refuses and the exact text of the writer.
#include <cstring>
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
    return cCodecObj().Decode(in, model);
}

std::string Encode(const cModel& model) {
    cStream out;
    if (!cCodecObj().Encode(model, out)) {
        EXPECT_EQ(out.Count(), 0) << "a refused encode writes nothing";
        return {};
    }
    EXPECT_EQ(out.m_Position, out.Count());
    return test::GetBytes(out);
}

std::vector<cVec3> Positions(const cModelMesh& mesh) {
    std::vector<cVec3> corners;
    for (uint32_t index : mesh.m_Indices)
        corners.push_back(mesh.m_StaticVertices[int(index)].m_Position);
    return corners;
}

std::vector<uint32_t> Indices(const cModelMesh& mesh) { return {mesh.m_Indices.begin(), mesh.m_Indices.end()}; }

bool IsCleared(const cModel& model) {
    return model.m_Static && model.m_Meshes.IsEmpty() && model.m_Joints.IsEmpty() && model.m_Bounds.IsEmpty();
}

const char kSquare[] = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";

TEST(ObjCodec, AQuadIsCutIntoAFanAroundItsFirstCorner) {
    cModel model;
    ASSERT_TRUE(Decode(std::string(kSquare) + "f 1 2 3 4\n", model));
    ASSERT_EQ(model.m_Meshes.Count(), 1);
    const cModelMesh& mesh = model.m_Meshes[0];
    EXPECT_EQ(mesh.m_Material, "default");
    EXPECT_TRUE(mesh.m_Name.IsEmpty());
    EXPECT_EQ(Positions(mesh), (std::vector<cVec3>{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {1, 1, 0}, {0, 1, 0}}));
    EXPECT_EQ(Indices(mesh), (std::vector<uint32_t>{0, 1, 2, 0, 2, 3}));
    // Computed per position (no "vn" lines): the quad faces +z.
    for (const cModelStaticVertex& v : mesh.m_StaticVertices)
        EXPECT_EQ(v.m_Normal, (cVec3{0, 0, 1}));
    EXPECT_TRUE(model.m_Static);
    // A flat model is 0.1 deep.
    EXPECT_EQ(model.m_Bounds.m_Min, (cVec3{0, 0, 0}));
    EXPECT_EQ(model.m_Bounds.m_Max, (cVec3{1, 1, 0.1f}));
}

TEST(ObjCodec, IndicesCountFromTheStartOrBackFromTheLastLineRead) {
    struct Case {
        const char* face;
        std::vector<cVec3> corners;
    };
    const Case cases[] = {
        {"f -3 -2 -1", {{1, 0, 0}, {1, 1, 0}, {0, 1, 0}}},
        {"f 1 -1 3", {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}}},
        {"f 2/1/1 3// 4/2", {{1, 0, 0}, {1, 1, 0}, {0, 1, 0}}},
    };
    for (const Case& c : cases) {
        cModel model;
        ASSERT_TRUE(Decode(std::string(kSquare) + c.face, model)) << c.face;
        EXPECT_EQ(Positions(model.m_Meshes[0]), c.corners) << c.face;
    }
}

// A corner's parts are cut at every '/', empty parts kept: "1//3" has no
// texture index (so the first entry) and normal 3.
TEST(ObjCodec, EmptyPartsKeepTheirPlace) {
    cModel model;
    ASSERT_TRUE(Decode(std::string(kSquare) + "vt 0.25 0.5\nvt 0.75 1\n"
                                              "vn 1 0 0\nvn 0 1 0\nvn 0 0 1\n"
                                              "f 1//3 2/2/1 3/1/\n",
                       model));
    const cModelMesh& mesh = model.m_Meshes[0];
    ASSERT_EQ(mesh.m_StaticVertices.Count(), 3);
    const cModelStaticVertex* v = mesh.m_StaticVertices.Data();
    EXPECT_EQ(v[0].m_TexCoord, (cVec2{0.25f, 0.5f}));
    EXPECT_EQ(v[0].m_Normal, (cVec3{0, 0, 1}));
    EXPECT_EQ(v[1].m_TexCoord, (cVec2{0.75f, 1}));
    EXPECT_EQ(v[1].m_Normal, (cVec3{1, 0, 0}));
    EXPECT_EQ(v[2].m_TexCoord, (cVec2{0.25f, 0.5f}));
    EXPECT_EQ(v[2].m_Normal, (cVec3{1, 0, 0}));  // no normal index: the first entry
}

// A texture or normal index outside its list is never followed: the field
// keeps what the corner before it set.
TEST(ObjCodec, TextureAndNormalIndicesOutsideTheirListsKeepThePreviousCorner) {
    cModel model;
    ASSERT_TRUE(Decode(std::string(kSquare) + "vt 0.5 0.5\nvn 0 1 0\n"
                                              "f 1/1/1 2/7/9 3/-5/-3\n",
                       model));
    const cModelMesh& mesh = model.m_Meshes[0];
    ASSERT_EQ(mesh.m_StaticVertices.Count(), 3);
    for (const cModelStaticVertex& v : mesh.m_StaticVertices) {
        EXPECT_EQ(v.m_TexCoord, (cVec2{0.5f, 0.5f}));
        EXPECT_EQ(v.m_Normal, (cVec3{0, 1, 0}));
    }
}

TEST(ObjCodec, CornersShareAVertexOnlyWhenEveryFieldIsTheSame) {
    cModel model;
    ASSERT_TRUE(Decode(std::string(kSquare) +
                           "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n"
                           "f 1/1/1 2/2/1 3/3/1\n"
                           "f 1/1/1 3/3/1 4/4/1\n"   // shares two vertices with the first face
                           "f 1/2/1 3/3/1 4/4/1\n",  // position 1 again, with another texture coordinate
                       model));
    const cModelMesh& mesh = model.m_Meshes[0];
    EXPECT_EQ(Indices(mesh), (std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 4, 2, 3}));
    EXPECT_EQ(mesh.m_StaticVertices[4].m_Position, (cVec3{0, 0, 0}));
    EXPECT_EQ(mesh.m_StaticVertices[4].m_TexCoord, (cVec2{1, 0}));
}

// One position under many texture coordinates: each pair is made once, and
// found again however many there are; another mesh makes its own vertices.
TEST(ObjCodec, APositionWithManyVerticesSharesEachOnce) {
    std::string text = kSquare;
    const int n = 300;
    for (int k = 0; k < n; ++k)
        text += "vt " + std::to_string(k) + " 0\n";
    for (int pass = 0; pass < 2; ++pass)
        for (int k = 1; k <= n; ++k)
            text += "f 1/" + std::to_string(pass ? n + 1 - k : k) + " 2/1 3/1\n";
    text += "usemtl Other\nf 1/1 2/1 3/1\n";
    cModel model;
    ASSERT_TRUE(Decode(text, model));
    ASSERT_EQ(model.m_Meshes.Count(), 2);
    const cModelMesh& mesh = model.m_Meshes[0];
    EXPECT_EQ(mesh.m_StaticVertices.Count(), n + 2);
    ASSERT_EQ(mesh.m_Indices.Count(), 6 * n);
    for (int k = 0; k < n; ++k) {
        const uint32_t first = mesh.m_Indices[3 * k], again = mesh.m_Indices[3 * (2 * n - 1 - k)];
        EXPECT_EQ(first, again) << k;
        EXPECT_EQ(mesh.m_StaticVertices[int(first)].m_TexCoord, (cVec2{float(k), 0})) << k;
    }
    EXPECT_EQ(Indices(model.m_Meshes[1]), (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(model.m_Meshes[1].m_StaticVertices.Count(), 3);
}

// Two "v" lines at the same place are two positions: their corners are not
// merged, though their vertices hold the same bits.
TEST(ObjCodec, DuplicatePositionLinesStayApart) {
    cModel model;
    ASSERT_TRUE(Decode("v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 0\nvn 0 0 1\nf 1//1 2//1 3//1\nf 4//1 2//1 3//1\n", model));
    const cModelMesh& mesh = model.m_Meshes[0];
    EXPECT_EQ(Indices(mesh), (std::vector<uint32_t>{0, 1, 2, 3, 1, 2}));
    EXPECT_EQ(0, std::memcmp(&mesh.m_StaticVertices[0], &mesh.m_StaticVertices[3], sizeof(cModelStaticVertex)));
}

TEST(ObjCodec, UsemtlNamesMaterialsAndEachGetsAMesh) {
    cModel model;
    // Before any face the name replaces the default material; the library prefix goes.
    ASSERT_TRUE(Decode(std::string(kSquare) + "usemtl lib:Stone\nf 1 2 3\n", model));
    ASSERT_EQ(model.m_Meshes.Count(), 1);
    EXPECT_EQ(model.m_Meshes[0].m_Material, "Stone");

    // After faces it adds a material; naming one again returns to its mesh.
    ASSERT_TRUE(Decode(std::string(kSquare) + "f 1 2 3\nusemtl a:b:Stone\nf -4 -2 -1\nusemtl default\nf 2 3 4\n"
                                              "usemtl Wood\nusemtl Stone\nf 4 3 2\n",
                       model));
    ASSERT_EQ(model.m_Meshes.Count(), 3);
    EXPECT_EQ(model.m_Meshes[0].m_Material, "default");
    EXPECT_EQ(model.m_Meshes[1].m_Material, "Stone");
    EXPECT_EQ(model.m_Meshes[2].m_Material, "Wood");
    EXPECT_EQ(Positions(model.m_Meshes[0]),
              (std::vector<cVec3>{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}));
    EXPECT_EQ(Positions(model.m_Meshes[1]),
              (std::vector<cVec3>{{0, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}));
    EXPECT_TRUE(model.m_Meshes[2].m_Indices.IsEmpty());  // a material without faces keeps an empty mesh
    EXPECT_TRUE(model.m_Meshes[2].m_StaticVertices.IsEmpty());
}

TEST(ObjCodec, TwoMaterialsWithNegativeIndices) {
    cModel model;
    ASSERT_TRUE(
        Decode("usemtl Red\n"
               "v 0 0 2\nv 4 0 2\nv 0 3 2\nf -3 -2 -1\n"
               "usemtl Blue\n"
               "v -1 -1 2\nv -2 -1 2\nv -1 -2 2\nf -1 -2 -3\n",
               model));
    ASSERT_EQ(model.m_Meshes.Count(), 2);
    EXPECT_EQ(model.m_Meshes[0].m_Material, "Red");
    EXPECT_EQ(Positions(model.m_Meshes[0]), (std::vector<cVec3>{{0, 0, 2}, {4, 0, 2}, {0, 3, 2}}));
    EXPECT_EQ(model.m_Meshes[1].m_Material, "Blue");
    EXPECT_EQ(Positions(model.m_Meshes[1]), (std::vector<cVec3>{{-1, -2, 2}, {-2, -1, 2}, {-1, -1, 2}}));
    EXPECT_EQ(model.m_Bounds.m_Min, (cVec3{-2, -2, 2}));
    EXPECT_EQ(model.m_Bounds.m_Max, (cVec3{4, 3, 2.1f}));
}

// Lines as exporters write them: objects, smoothing groups, polylines,
// libraries, comments, n-gons, CRLF, a third texture coordinate, tabs, no
// final line end, and faces before the positions they name.
TEST(ObjCodec, FilesAsOtherToolsWriteThemLoad) {
    const char* files[] = {
        "# exported\r\nmtllib scene.mtl\r\no Cube\r\nv 0 0 0\r\nv 1 0 0\r\nv 1 1 0\r\nv 0 1 0\r\nv 0.5 1.5 0\r\n"
        "vt 0 0 0\r\nvt 1 0 0\r\nvt 1 1 0\r\nvt 0 1 0\r\nvt 0.5 1 0\r\nvn 0 0 1\r\ns off\r\nl 1 2\r\n"
        "g side\r\nusemtl Mat\r\nf 1/1/1 2/2/1 3/3/1 5/5/1 4/4/1",
        "f 1 2 3 5 4\n\n\nv 0 0 0 1.0\nv 1 0 0\t# first\nv\t1 1 0\nv 0 1 0\nv 0.5 1.5 0  \n   \n",
        "v 0 0 0\rv 1 0 0\rv 1 1 0\rv 0 1 0\rv 0.5 1.5 0\rf 1 2 3 5 4\r",
    };
    for (const char* file : files) {
        cModel model;
        ASSERT_TRUE(Decode(file, model)) << file;
        ASSERT_EQ(model.m_Meshes.Count(), 1) << file;
        const cModelMesh& mesh = model.m_Meshes[0];
        EXPECT_EQ(mesh.m_Indices.Count(), 9) << file;  // a pentagon: three triangles
        EXPECT_EQ(mesh.m_StaticVertices.Count(), 5) << file;
        EXPECT_EQ(Positions(mesh)[8], (cVec3{0, 1, 0})) << file;
        EXPECT_EQ(model.m_Bounds.m_Max, (cVec3{1, 1.5f, 0.1f})) << file;
    }
}

TEST(ObjCodec, CommittedFilesRead) {
    struct Case {
        const char* file;
        std::vector<std::string> materials;
        std::vector<int> triangles, vertices;
    };
    const Case cases[] = {
        {"obj/cube.obj", {"Stone.Wall", "Wood.Floor"}, {6, 6}, {12, 12}},
        {"obj/mixed.obj", {"default", "Glass"}, {1, 4}, {3, 5}},
    };
    for (const Case& c : cases) {
        cModel model;
        ASSERT_TRUE(Decode(test::ReadDataFile(c.file), model)) << c.file;
        ASSERT_EQ(model.m_Meshes.Count(), int(c.materials.size())) << c.file;
        for (int m = 0; m < model.m_Meshes.Count(); ++m) {
            EXPECT_EQ(model.m_Meshes[m].m_Material, c.materials[size_t(m)].c_str()) << c.file;
            EXPECT_EQ(model.m_Meshes[m].m_Indices.Count(), 3 * c.triangles[size_t(m)]) << c.file;
            EXPECT_EQ(model.m_Meshes[m].m_StaticVertices.Count(), c.vertices[size_t(m)]) << c.file;
        }
    }
    cModel cube;
    ASSERT_TRUE(Decode(test::ReadDataFile("obj/cube.obj"), cube));
    EXPECT_EQ(cube.m_Bounds.m_Min, (cVec3{-0.5f, -0.5f, -0.5f}));
    EXPECT_EQ(cube.m_Bounds.m_Max, (cVec3{0.5f, 0.5f, 0.5f}));
    // The top face's corners take the normal of their "vn" line.
    EXPECT_EQ(cube.m_Meshes[0].m_StaticVertices[4].m_Normal, (cVec3{0, 1, 0}));
}

TEST(ObjCodec, RefusedLinesWarnWithTheLineAndClearTheModel) {
    struct Case {
        const char* text;
        const char* warning;
    };
    const Case cases[] = {
        {"v 1 2\n", "cCodecObj: Too few position coordinates: \"v 1 2\"."},
        {"v 1 2 # 3\n", "cCodecObj: Too few position coordinates: \"v 1 2 # 3\"."},
        {"vt 1\n", "cCodecObj: Too few texture coordinates: \"vt 1\"."},
        {"vn 1 2\n", "cCodecObj: Too few normal coordinates: \"vn 1 2\"."},
        {"v 0 0 0\nf 1 1\n", "cCodecObj: Too few face indices: \"f 1 1\"."},
        {"f 0 1\n", "cCodecObj: Too few face indices: \"f 0 1\"."},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 0 1 2\n", "cCodecObj: Zero indices not allowed: \"f 0 1 2\"."},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 x/1\n", "cCodecObj: Zero indices not allowed: \"f 1 2 x/1\"."},
        // Position indices are checked when the whole file is read.
        {"f 1 2 4\nv 0 0 0\nv 1 0 0\nv 0 1 0\n", "cCodecObj: Position index out of range: \"f 1 2 4\"."},
        {"v 0 0 0\nv 1 0 0\nf 1 2 -3\nv 0 1 0\n", "cCodecObj: Position index out of range: \"f 1 2 -3\"."},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2 99999999999\n",
         "cCodecObj: Position index out of range: \"f 1 2 99999999999\"."},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nf 1 2 -99999999999\n",
         "cCodecObj: Position index out of range: \"f 1 2 -99999999999\"."},
    };
    for (const Case& c : cases) {
        test::LogCapture log;
        cModel model;
        model.m_Meshes.PushBack(cModelMesh());
        EXPECT_FALSE(Decode(c.text, model)) << c.text;
        EXPECT_TRUE(IsCleared(model)) << c.text;
        EXPECT_EQ(log.Warnings(), std::vector<std::string>{c.warning}) << c.text;
    }
}

TEST(ObjCodec, AFileWithoutGeometryGivesOneEmptyDefaultMesh) {
    for (const char* text : {"", "# nothing\n", "g a\no b\ns 1\nmtllib x.mtl\n"}) {
        cModel model;
        ASSERT_TRUE(Decode(text, model)) << text;
        ASSERT_EQ(model.m_Meshes.Count(), 1);
        EXPECT_EQ(model.m_Meshes[0].m_Material, "default");
        EXPECT_TRUE(model.m_Meshes[0].m_Indices.IsEmpty());
        EXPECT_TRUE(model.m_Bounds.IsEmpty());
    }
}

// Numbers read as the framework reads them: a token that is no number is 0,
// one with text after the number keeps the number, ',' is a decimal point.
TEST(ObjCodec, NumbersReadAsTheFrameworkReadsThem) {
    cModel model;
    ASSERT_TRUE(Decode("v 1,5 abc 2e1x\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", model));
    EXPECT_EQ(model.m_Meshes[0].m_StaticVertices[0].m_Position, (cVec3{1.5f, 0, 20}));
}

// Tangents follow the texture coordinates: u along +x, v along +y.
TEST(ObjCodec, TangentsComeFromTheTextureCoordinates) {
    cModel model;
    ASSERT_TRUE(Decode(std::string(kSquare) + "vt 0 0\nvt 1 0\nvt 1 1\nvn 0 0 1\nf 1/1/1 2/2/1 3/3/1\n", model));
    for (const cModelStaticVertex& v : model.m_Meshes[0].m_StaticVertices) {
        EXPECT_NEAR(v.m_Tangent.x, 1, 1e-6f);
        EXPECT_NEAR(v.m_Bitangent.y, 1, 1e-6f);
    }
}

cModelStaticVertex Vertex(cVec3 position, cVec2 uv, cVec3 normal) {
    cModelStaticVertex v{};
    v.m_Position = position;
    v.m_TexCoord = uv;
    v.m_Normal = normal;
    return v;
}

cModel TwoMeshes() {
    cModel model;
    const char* materials[] = {"Stone Wall/Old", "Wood"};
    for (int m = 0; m < 2; ++m) {
        cModelMesh& mesh = model.m_Meshes[model.m_Meshes.PushBack(cModelMesh())];
        mesh.m_Material = materials[m];
        for (int i = 0; i < 3; ++i)
            mesh.m_StaticVertices.PushBack(Vertex({float(i), float(m), 0.5f}, {0.25f * i, 1}, {0, 0, 1}));
        for (uint32_t i : {0u, 1u, 2u})
            mesh.m_Indices.PushBack(i);
    }
    return model;
}

TEST(ObjCodec, WriterTextNumbersTheSecondMeshAfterTheFirst) {
    EXPECT_EQ(Encode(TwoMeshes()),
              "# Wavefront Obj file\r\n"
              "# 6 vertices\r\n"
              "# Position\r\n"
              "v 0.000000 0.000000 0.500000\r\nv 1.000000 0.000000 0.500000\r\nv 2.000000 0.000000 0.500000\r\n"
              "v 0.000000 1.000000 0.500000\r\nv 1.000000 1.000000 0.500000\r\nv 2.000000 1.000000 0.500000\r\n"
              "# TexCoord\r\n"
              "vt 0.000000 1.000000\r\nvt 0.250000 1.000000\r\nvt 0.500000 1.000000\r\n"
              "vt 0.000000 1.000000\r\nvt 0.250000 1.000000\r\nvt 0.500000 1.000000\r\n"
              "# Normal\r\n"
              "vn 0.000000 0.000000 1.000000\r\nvn 0.000000 0.000000 1.000000\r\nvn 0.000000 0.000000 1.000000\r\n"
              "vn 0.000000 0.000000 1.000000\r\nvn 0.000000 0.000000 1.000000\r\nvn 0.000000 0.000000 1.000000\r\n"
              "\r\n# 2 tris\r\n"
              "usemtl Stone_Wall_Old\r\ng Stone_Wall_Old\r\n"
              "f 1/1/1 2/2/2 3/3/3\r\n"
              "usemtl Wood\r\ng Wood\r\n"
              "f 4/4/4 5/5/5 6/6/6\r\n");
}

// What the writer saves reads back with its materials, meshes and vertices.
TEST(ObjCodec, WrittenModelsReadBack) {
    cModel model = TwoMeshes();
    model.m_Meshes[0].m_SkinnedVertices.PushBack(cModelSkinnedVertex());  // not written: the static list is used
    cModel back;
    ASSERT_TRUE(Decode(Encode(model), back));
    ASSERT_EQ(back.m_Meshes.Count(), 2);
    EXPECT_EQ(back.m_Meshes[0].m_Material, "Stone_Wall_Old");
    EXPECT_EQ(back.m_Meshes[1].m_Material, "Wood");
    for (int m = 0; m < 2; ++m) {
        EXPECT_EQ(Indices(back.m_Meshes[m]), (std::vector<uint32_t>{0, 1, 2}));
        for (int i = 0; i < 3; ++i) {
            const cModelStaticVertex& a = model.m_Meshes[m].m_StaticVertices[i];
            const cModelStaticVertex& b = back.m_Meshes[m].m_StaticVertices[i];
            EXPECT_EQ(a.m_Position, b.m_Position);
            EXPECT_EQ(a.m_TexCoord, b.m_TexCoord);
            EXPECT_EQ(a.m_Normal, b.m_Normal);
        }
    }

    // A skinned mesh (no static vertices) is written from its skinned list.
    cModel skinned;
    cModelMesh& mesh = skinned.m_Meshes[skinned.m_Meshes.PushBack(cModelMesh())];
    mesh.m_Material = "Skin";
    for (int i = 0; i < 3; ++i) {
        cModelSkinnedVertex v;
        v.m_Position = {0, float(i), 0};
        v.m_Joints[0] = 7;
        mesh.m_SkinnedVertices.PushBack(v);
        mesh.m_Indices.PushBack(uint32_t(2 - i));
    }
    ASSERT_TRUE(Decode(Encode(skinned), back));
    EXPECT_EQ(Positions(back.m_Meshes[0]), (std::vector<cVec3>{{0, 2, 0}, {0, 1, 0}, {0, 0, 0}}));
}

// An index outside its mesh's vertex list would point a face at another
// mesh's vertices, or past the end: nothing is written.
TEST(ObjCodec, WriterRefusesIndicesOutsideTheirMesh) {
    cModel model = TwoMeshes();
    model.m_Meshes[0].m_Indices[2] = 3;
    EXPECT_EQ(Encode(model), "");
    cStream out;
    test::SetBytes(out, "keep");
    out.m_Position = 2;
    EXPECT_FALSE(cCodecObj().Encode(model, out));
    EXPECT_EQ(test::GetBytes(out), "keep");
}

TEST(ObjCodec, WriterInsertsAtTheStreamPosition) {
    cModel model;
    cStream out;
    test::SetBytes(out, "<>");
    out.m_Position = 1;
    ASSERT_TRUE(cCodecObj().Encode(model, out));
    EXPECT_EQ(test::GetBytes(out),
              "<# Wavefront Obj file\r\n# 0 vertices\r\n# Position\r\n# TexCoord\r\n# Normal\r\n\r\n# 0 tris\r\n>");
    EXPECT_EQ(out.m_Position, out.Count() - 1);
}

}  // namespace
}  // namespace tovan
