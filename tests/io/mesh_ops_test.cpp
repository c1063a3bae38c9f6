// Mesh operations: normals, tangents, bounds, counts, transforms, copies and
// the upload to the render device.
#include <cmath>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

#include "io/model/model.h"
#include "tests/support/recording_renderer.h"

namespace tovan {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

template <class Vertex>
Vertex At(cVec3 position, cVec2 uv = {}) {
    Vertex v{};
    v.m_Position = position;
    v.m_TexCoord = uv;
    return v;
}

// One mesh of the given positions (texture coordinate = (x, y)) and indices.
cModel Mesh(bool isStatic, std::initializer_list<cVec3> positions, std::initializer_list<uint32_t> indices) {
    cModel model;
    model.m_Static = isStatic;
    cModelMesh& mesh = model.m_Meshes[model.m_Meshes.PushBack(cModelMesh())];
    for (const cVec3& p : positions) {
        if (isStatic)
            mesh.m_StaticVertices.PushBack(At<cModelStaticVertex>(p, {p.x, p.y}));
        else
            mesh.m_SkinnedVertices.PushBack(At<cModelSkinnedVertex>(p, {p.x, p.y}));
    }
    for (uint32_t i : indices)
        mesh.m_Indices.PushBack(i);
    return model;
}

const cModelStaticVertex& V(const cModel& model, int i) {
    return model.m_Static ? model.m_Meshes[0].m_StaticVertices[i] : model.m_Meshes[0].m_SkinnedVertices[i];
}

void ExpectVec(const cVec3& a, const cVec3& b, const char* what, int i) {
    EXPECT_NEAR(a.x, b.x, 1e-5f) << what << " " << i;
    EXPECT_NEAR(a.y, b.y, 1e-5f) << what << " " << i;
    EXPECT_NEAR(a.z, b.z, 1e-5f) << what << " " << i;
}

TEST(MeshNormals, WeightedByTheCubeOfTheAreaAndDefaultsPerVertexKind) {
    // Vertex 0 is shared by a unit triangle facing +z and a triangle twice as
    // wide facing +x: |n|^2 n weighs the larger one 8 times as much (area^3).
    // Vertex 6 lies only in a degenerate triangle, vertex 7 in none. The
    // directions are the same in any units.
    for (const float scale : {1.0f, 1e-3f, 1e3f, 1e-6f})
        for (bool isStatic : {true, false}) {
            cModel model =
                Mesh(isStatic, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 2, 0}, {0, 0, 2}, {5, 5, 5}, {6, 6, 6}, {7, 7, 7}},
                     {0, 1, 2, 0, 3, 4, 5, 6, 6});
            cModelMesh& mesh = model.m_Meshes[0];
            for (int i = 0; i < 8; ++i)
                (isStatic ? mesh.m_StaticVertices[i] : mesh.m_SkinnedVertices[i]).m_Position *= scale;
            SCOPED_TRACE(scale);
            cModel::ComputeNormals(model);
            const cVec3 mixed = Normalize(cVec3{1 * 64, 0, 1});  // n = (0,0,1) weight 1; n = (4,0,0) weight 16
            ExpectVec(V(model, 0).m_Normal, mixed, "shared", isStatic);
            ExpectVec(V(model, 1).m_Normal, {0, 0, 1}, "face", isStatic);
            ExpectVec(V(model, 3).m_Normal, {1, 0, 0}, "face", isStatic);
            const cVec3 lone = isStatic ? kZeroVec3 : kUnitZ;
            EXPECT_EQ(V(model, 6).m_Normal, lone) << isStatic;
            EXPECT_EQ(V(model, 7).m_Normal, lone) << isStatic;
        }
}

TEST(MeshNormals, BadTrianglesAddNothing) {
    // A triangle with a NaN corner, one with indices past the list, one that
    // overflows: none may touch vertex 0's normal, which the good triangle sets.
    cModel model = Mesh(true, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {kNaN, 0, 0}, {3e38f, 0, 0}, {-3e38f, 3e38f, 0}},
                        {0, 1, 2, 0, 3, 1, 0, 1, 99, 0, 4, 5});
    cModel::ComputeNormals(model);
    ExpectVec(V(model, 0).m_Normal, {0, 0, 1}, "normal", 0);
    EXPECT_EQ(V(model, 4).m_Normal, kZeroVec3);
    // Index counts that are not a multiple of 3 leave the tail alone.
    cModel tail = Mesh(false, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2, 0, 1});
    cModel::ComputeNormals(tail);
    ExpectVec(V(tail, 0).m_Normal, {0, 0, 1}, "tail", 0);
}

TEST(MeshTangents, FollowTheTextureAxes) {
    // Texture u along +x, v along +y, on a triangle in the xy plane, and the
    // same triangle with u running along -y; at any scale.
    for (const float s : {1.0f, 1e-5f, 1e4f})
        for (bool isStatic : {true, false}) {
            cModel model = Mesh(isStatic, {{0, 0, 0}, {2 * s, 0, 0}, {0, 2 * s, 0}}, {0, 1, 2});
            cModel::ComputeTangents(model);
            for (int i = 0; i < 3; ++i) {
                ExpectVec(V(model, i).m_Tangent, {1, 0, 0}, "tangent", i);
                ExpectVec(V(model, i).m_Bitangent, {0, 1, 0}, "bitangent", i);
            }
            cModelMesh& mesh = model.m_Meshes[0];
            for (int i = 0; i < 3; ++i) {
                cModelStaticVertex& v = isStatic ? mesh.m_StaticVertices[i] : mesh.m_SkinnedVertices[i];
                v.m_TexCoord = {-v.m_Position.y, v.m_Position.x};
            }
            cModel::ComputeTangents(model);
            ExpectVec(V(model, 1).m_Tangent, {0, -1, 0}, "turned tangent", 1);
            ExpectVec(V(model, 1).m_Bitangent, {1, 0, 0}, "turned bitangent", 1);
        }
}

TEST(MeshTangents, DegenerateAndBadTrianglesDoNotSpread) {
    // Vertex 0 is shared by a good triangle and by: a degenerate one, one whose
    // texture coordinates are all equal (zero tangent), one with a NaN texture
    // coordinate, one with an index past the list.
    cModel model = Mesh(true, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {2, 2, 0}, {0, 0, 1}, {0, 1, 1}},
                        {0, 1, 2, 0, 3, 3, 0, 4, 5, 0, 1, 7});
    cModelMesh& mesh = model.m_Meshes[0];
    mesh.m_StaticVertices[4].m_TexCoord = {0, 0};
    mesh.m_StaticVertices[5].m_TexCoord = {0, 0};  // triangle 0, 4, 5: u and v all 0
    cModel::ComputeTangents(model);
    ExpectVec(V(model, 0).m_Tangent, {1, 0, 0}, "tangent", 0);
    ExpectVec(V(model, 0).m_Bitangent, {0, 1, 0}, "bitangent", 0);
    EXPECT_EQ(V(model, 3).m_Tangent, kUnitZ);  // only in the degenerate triangle
    EXPECT_EQ(V(model, 4).m_Tangent, kUnitZ);

    mesh.m_StaticVertices[4].m_TexCoord = {kNaN, 0};
    cModel::ComputeTangents(model);
    ExpectVec(V(model, 0).m_Tangent, {1, 0, 0}, "NaN tangent", 0);
    EXPECT_TRUE(std::isfinite(V(model, 5).m_Tangent.x));
}

TEST(MeshBounds, EmptyFlatSinglePointAndTriangleCounts) {
    cModel none;
    cModel::ComputeBounds(none);
    EXPECT_TRUE(none.m_Bounds.IsEmpty());

    cModel flat = Mesh(true, {{0, 0, 5}, {2, 3, 5}}, {});
    cModel::ComputeBounds(flat);
    EXPECT_EQ(flat.m_Bounds.m_Min, (cVec3{0, 0, 5}));
    EXPECT_EQ(flat.m_Bounds.m_Max, (cVec3{2, 3, 5.1f}));

    cModel point = Mesh(false, {{1, 2, 3}}, {});
    cModel::ComputeBounds(point);
    EXPECT_EQ(point.m_Bounds.m_Max, (cVec3{1.1f, 2.1f, 3.1f}));

    // Only the list the static flag selects counts.
    point.m_Static = true;
    cModel::ComputeBounds(point);
    EXPECT_TRUE(point.m_Bounds.IsEmpty());

    cModel counted = Mesh(true, {}, {0, 1, 2, 3, 4, 5, 6});  // 7 indices: 2 triangles
    counted.m_Meshes.PushBack(cModelMesh());
    counted.m_Meshes[1].m_Indices.Resize(5);
    EXPECT_EQ(cModel::CountTriangles(counted), 3);
}

TEST(MeshTransform, PositionsNormalsJointsAndBounds) {
    cModel model = Mesh(true, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2});
    cModel::ComputeNormals(model);
    cModel::ComputeTangents(model);
    cModelJoint joint;
    joint.m_Position = {1, 2, 3};
    joint.m_Rotation = cQuat::FromAxisAngle({1, 0, 0}, 30);
    model.m_Joints.PushBack(joint);

    // A pure translation moves positions and keeps every direction.
    cMat4 move;
    move.SetTranslation({10, 0, 0});
    cModel::Transform(model, move);
    EXPECT_EQ(V(model, 1).m_Position, (cVec3{11, 0, 0}));
    ExpectVec(V(model, 1).m_Normal, {0, 0, 1}, "normal", 1);
    EXPECT_EQ(model.m_Joints[0].m_Position, (cVec3{11, 2, 3}));
    EXPECT_NEAR(model.m_Joints[0].m_Rotation.x, joint.m_Rotation.x, 1e-6f);
    EXPECT_EQ(model.m_Bounds.m_Min, (cVec3{10, 0, 0}));
    EXPECT_EQ(model.m_Bounds.m_Max, (cVec3{11, 1, 0.1f}));

    // A rotation turns directions and composes with joint rotations on the left.
    const cMat4 turn = cMat4::FromMat3(cQuat::FromAxisAngle({0, 1, 0}, 90).ToMat3());
    cModel::Transform(model, turn);
    const cVec3 turned = turn.GetUpper3x3().Transform({0, 0, 1});
    ExpectVec(V(model, 0).m_Normal, turned, "turned normal", 0);
    const cQuat expected = turn.GetUpper3x3().ToQuat() * joint.m_Rotation;
    EXPECT_NEAR(model.m_Joints[0].m_Rotation.y, expected.y, 1e-5f);
    EXPECT_NEAR(model.m_Joints[0].m_Rotation.w, expected.w, 1e-5f);

    // A projective matrix divides by w; a singular one leaves directions at the default or unit.
    cMat4 project;
    project.m[0][3] = 1;  // w = x + 1
    cModel::Transform(model, project);
    const cVec3 p = V(model, 1).m_Position;
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
    cMat4 flat;
    flat.m[2][2] = 0;
    cModel::Transform(model, flat);
    EXPECT_NEAR(Length(V(model, 0).m_Tangent), 1, 1e-5f);
}

TEST(MeshCopy, DeepAndWithoutBuffers) {
    cModel from = Mesh(false, {{1, 2, 3}}, {0, 0, 0}), to = Mesh(true, {{0, 0, 0}}, {0});
    from.m_Joints.Resize(2);
    from.m_JointMatrices.Resize(2);
    from.m_Meshes[0].m_Name = "arm";
    from.m_Meshes[0].m_TextureIndex = 7;
    from.m_Meshes[0].m_VertexBuffer = 4;
    cModel::ComputeBounds(from);
    cModel::Copy(to, from);
    const cModelMesh& mesh = to.m_Meshes[0];
    EXPECT_FALSE(to.m_Static);
    EXPECT_EQ(to.m_Joints.Count() + to.m_JointMatrices.Count(), 4);
    EXPECT_EQ(mesh.m_Name, "arm");
    EXPECT_EQ(mesh.m_TextureIndex, 7);
    EXPECT_EQ(mesh.m_VertexBuffer, -1);
    EXPECT_EQ(to.m_Bounds.m_Min, (cVec3{1, 2, 3}));
    from.m_Meshes[0].m_SkinnedVertices[0].m_Position.x = 9;
    EXPECT_EQ(mesh.m_SkinnedVertices[0].m_Position.x, 1.0f);
}

TEST(MeshUpload, CopiesEachMeshToTheDevice) {
    test::RecordingRenderer device;
    cModel model = Mesh(false, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {0, 1, 2, 2, 1, 0});
    model.m_Meshes.PushBack(cModelMesh());  // no indices: no buffers
    cModelMesh& past = model.m_Meshes[model.m_Meshes.PushBack(cModelMesh())];
    past.m_Indices.PushBack(1);  // an index past an empty list: no buffers
    cModel::UploadBuffers(model);
    ASSERT_EQ(device.Ops(), (std::vector<std::string>{"CreateVertexBuffer", "CreateIndexBuffer"}));
    const test::RenderCall& vertices = device.Calls()[0];
    EXPECT_EQ(vertices.ints[0], 3 * 88);
    ASSERT_EQ(vertices.vertices.size(), 3u * 88);
    cModelSkinnedVertex first;
    std::memcpy(&first, vertices.vertices.data() + 88, sizeof first);
    EXPECT_EQ(first.m_Position, (cVec3{4, 5, 6}));
    const test::RenderCall& indices = device.Calls()[1];
    EXPECT_EQ(indices.ints[0], 6);
    EXPECT_EQ(indices.ints[1], 4);
    EXPECT_EQ(indices.indices, (std::vector<uint32_t>{0, 1, 2, 2, 1, 0}));
    EXPECT_EQ(model.m_Meshes[0].m_VertexBuffer, vertices.ints[1]);
    EXPECT_EQ(model.m_Meshes[0].m_IndexBuffer, indices.ints[2]);
    EXPECT_EQ(model.m_Meshes[1].m_VertexBuffer, -1);
    EXPECT_EQ(model.m_Meshes[2].m_IndexBuffer, -1);

    // The static list when the flag says so, at 56 bytes a vertex.
    cModel flat = Mesh(true, {{0, 0, 0}, {1, 0, 0}}, {0, 1, 1});
    device.ClearCalls();
    cModel::UploadBuffers(flat);
    EXPECT_EQ(device.Calls().at(0).ints[0], 2 * 56);
}

// Dropping buffers on clear, copy over, re-upload and destruction tells the
// device only while the release policy is on (the console program's).
TEST(MeshUpload, ReleasePolicy) {
    struct Case {
        const char* what;
        void (*drop)(cModel&);
    } cases[] = {
        {"clear", [](cModel& m) { m.Clear(); }},
        {"copy over", [](cModel& m) { cModel::Copy(m, cModel()); }},
        {"re-upload", [](cModel& m) { cModel::UploadBuffers(m); }},
        {"mesh destruction", [](cModel& m) { m.m_Meshes.RemoveAt(0); }},
    };
    for (bool release : {false, true}) {
        for (const Case& c : cases) {
            test::RecordingRenderer device;
            SetReleaseMeshBuffers(release);
            cModel model = Mesh(true, {{0, 0, 0}}, {0, 0, 0});
            cModel::UploadBuffers(model);
            const int vb = model.m_Meshes[0].m_VertexBuffer, ib = model.m_Meshes[0].m_IndexBuffer;
            device.ClearCalls();
            c.drop(model);
            const auto released = device.CallsNamed("ReleaseVertexBuffer");
            const auto releasedIndices = device.CallsNamed("ReleaseIndexBuffer");
            if (release) {
                ASSERT_EQ(released.size(), 1u) << c.what;
                EXPECT_EQ(released[0].ints[0], vb) << c.what;
                ASSERT_EQ(releasedIndices.size(), 1u) << c.what;
                EXPECT_EQ(releasedIndices[0].ints[0], ib) << c.what;
            } else {
                EXPECT_TRUE(released.empty() && releasedIndices.empty()) << c.what;
            }
            SetReleaseMeshBuffers(false);
            model.Clear();
        }
    }
    EXPECT_FALSE(GetReleaseMeshBuffers());
}

// Models moved (as a list of models moves them when it grows) keep their
// buffers: nothing is released, even under the release policy.
TEST(MeshUpload, MovedModelsKeepTheirBuffers) {
    test::RecordingRenderer device;
    SetReleaseMeshBuffers(true);
    {
        cList<cModel> models;
        for (int i = 0; i < 20; ++i) {
            cModel model = Mesh(true, {{0, 0, 0}}, {0, 0, 0});
            cModel::UploadBuffers(model);
            models.PushBack(std::move(model));
            EXPECT_TRUE(model.m_Meshes.IsEmpty());
        }
        cModel moved = std::move(models[3]);
        EXPECT_EQ(moved.m_Meshes[0].m_VertexBuffer, 7);
        EXPECT_TRUE(device.CallsNamed("ReleaseVertexBuffer").empty());
        EXPECT_EQ(models[19].m_Meshes[0].m_IndexBuffer, 40);
    }
    EXPECT_EQ(device.CallsNamed("ReleaseVertexBuffer").size(), 20u);  // each once, when the list goes
    SetReleaseMeshBuffers(false);
}

TEST(MeshUpload, NothingWithoutADevice) {
    SetReleaseMeshBuffers(true);
    cModel model = Mesh(true, {{0, 0, 0}}, {0, 0, 0});
    model.m_Meshes[0].m_VertexBuffer = 3;  // as a device that went away left it
    cModel::UploadBuffers(model);
    EXPECT_EQ(model.m_Meshes[0].m_VertexBuffer, -1);
    SetReleaseMeshBuffers(false);
}

}  // namespace
}  // namespace tovan
