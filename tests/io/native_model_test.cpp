// The native model file: committed files read back to their values, round
// trips, the 16-bit quantisation, the index width, and what both directions refuse.
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "io/codecs/model_codecs.h"
#include "tests/io/codec_files.h"

namespace tovan {
namespace {

bool Decode(const std::string& bytes, cModel& model) {
    cStream in;
    test::SetBytes(in, bytes);
    return cCodecModel().Decode(in, model);
}

// Encodes into an empty stream; "" when the encoder refuses.
std::string Encode(const cModel& model) {
    cStream out;
    if (!cCodecModel().Encode(model, out)) {
        EXPECT_EQ(out.Count(), 0) << "a refused encode writes nothing";
        return {};
    }
    EXPECT_EQ(out.m_Position, out.Count());
    return test::GetBytes(out);
}

cModelStaticVertex Vertex(cVec3 position, cVec3 normal = {0, 0, 1}) {
    cModelStaticVertex v;
    v.m_Position = position;
    v.m_Normal = normal;
    v.m_TexCoord = {position.x, position.y};
    v.m_Tangent = {1, 0, 0};
    v.m_Bitangent = {0, 1, 0};
    return v;
}

// A static model of one mesh with `vertices` vertices and the given indices.
cModel StaticModel(int vertices, std::initializer_list<uint32_t> indices) {
    cModel model;
    cModelMesh& mesh = model.m_Meshes[model.m_Meshes.PushBack(cModelMesh())];
    mesh.m_Material = "Stone.Wall";
    for (int i = 0; i < vertices; ++i)
        mesh.m_StaticVertices.PushBack(Vertex({float(i), 0, 0}));
    for (uint32_t index : indices)
        mesh.m_Indices.PushBack(index);
    return model;
}

bool IsCleared(const cModel& model) {
    return model.m_Static && model.m_Joints.IsEmpty() && model.m_Meshes.IsEmpty() && model.m_Bounds.IsEmpty();
}

TEST(NativeModel, ReadsCommittedStaticFile) {
    cModel model;
    ASSERT_TRUE(Decode(test::ReadDataFile("model/static_tri.cm"), model));
    ASSERT_EQ(model.m_Joints.Count(), 1);
    const cModelJoint& root = model.m_Joints[0];
    EXPECT_EQ(root.m_Name, "root");
    EXPECT_EQ(root.m_Parent, -1);
    EXPECT_EQ(root.m_Position, (cVec3{1, 2, 3}));
    EXPECT_FLOAT_EQ(root.m_Rotation.z, 19660 / 32767.0f);
    EXPECT_FLOAT_EQ(root.m_Rotation.w, std::sqrt(1 - root.m_Rotation.z * root.m_Rotation.z));
    EXPECT_TRUE(model.m_Static);
    ASSERT_EQ(model.m_Meshes.Count(), 1);
    const cModelMesh& mesh = model.m_Meshes[0];
    EXPECT_EQ(mesh.m_Name, "tri");
    EXPECT_EQ(mesh.m_Material, "Stone.Wall");
    EXPECT_EQ(mesh.m_TextureIndex, -1);
    EXPECT_EQ(mesh.m_VertexBuffer, -1);
    ASSERT_EQ(mesh.m_Indices.Count(), 3);
    EXPECT_EQ(mesh.m_Indices[2], 2u);
    ASSERT_EQ(mesh.m_StaticVertices.Count(), 3);
    EXPECT_TRUE(mesh.m_SkinnedVertices.IsEmpty());
    const cModelStaticVertex& v = mesh.m_StaticVertices[1];
    EXPECT_EQ(v.m_Position, (cVec3{1, 0, 0}));
    EXPECT_EQ(v.m_TexCoord, (cVec2{1, 0}));
    EXPECT_EQ(v.m_Normal, (cVec3{19660 / 32767.0f, 0, 26213 / 32767.0f}));
    EXPECT_EQ(mesh.m_StaticVertices[2].m_Bitangent, (cVec3{0, -1, 0}));
    EXPECT_EQ(model.m_Bounds.m_Max, (cVec3{1, 1, 0.1f}));
}

TEST(NativeModel, ReadsCommittedSkinnedFile) {
    cModel model;
    ASSERT_TRUE(Decode(test::ReadDataFile("model/skinned.cm"), model));
    EXPECT_FALSE(model.m_Static);
    ASSERT_EQ(model.m_Joints.Count(), 2);
    EXPECT_EQ(model.m_Joints[1].m_Parent, 0);
    const cModelMesh& mesh = model.m_Meshes[0];
    EXPECT_TRUE(mesh.m_Name.IsEmpty());
    EXPECT_EQ(mesh.m_Indices[0], 2u);
    ASSERT_EQ(mesh.m_SkinnedVertices.Count(), 3);
    EXPECT_TRUE(mesh.m_StaticVertices.IsEmpty());
    const cModelSkinnedVertex& v = mesh.m_SkinnedVertices[2];
    EXPECT_EQ(v.m_Position, (cVec3{2, 0, 0}));
    EXPECT_EQ(v.m_Joints[1], 1.0f);
    EXPECT_EQ(v.m_Weights[0], 24575 / 32767.0f);
    EXPECT_EQ(v.m_Weights[1], 8191 / 32767.0f);
}

// Loading a file and saving it again gives the same bytes: a decoded
// 16-bit value writes back as itself. (skinned.cm keeps small indices in 32
// bits, which the encoder writes in 16: it comes back as the same model.)
TEST(NativeModel, CommittedFilesWriteBackUnchanged) {
    const std::string bytes = test::ReadDataFile("model/static_tri.cm");
    cModel model;
    ASSERT_TRUE(Decode(bytes, model));
    EXPECT_EQ(Encode(model), bytes);

    cModel skinned, again;
    ASSERT_TRUE(Decode(test::ReadDataFile("model/skinned.cm"), skinned));
    const std::string narrow = Encode(skinned);
    EXPECT_EQ(narrow[2], 0);
    ASSERT_TRUE(Decode(narrow, again));
    EXPECT_EQ(Encode(again), narrow);
    const cModelSkinnedVertex& a = skinned.m_Meshes[0].m_SkinnedVertices[1];
    const cModelSkinnedVertex& b = again.m_Meshes[0].m_SkinnedVertices[1];
    EXPECT_EQ(0, std::memcmp(&a, &b, sizeof a));
    EXPECT_EQ(again.m_Meshes[0].m_Indices[0], 2u);
}

TEST(NativeModel, RoundTripKeepsFloatsAndQuantisesUnitVectors) {
    cModel model;
    model.m_Static = false;
    cModelJoint joint;
    joint.m_Name = "spine";
    joint.m_Position = {0.25f, -7, 1e6f};
    joint.m_Rotation = cQuat::FromAxisAngle({1, 2, 3}, 70);
    model.m_Joints.PushBack(joint);
    cModelMesh& mesh = model.m_Meshes[model.m_Meshes.PushBack(cModelMesh())];
    mesh.m_Name = "body";
    for (int i = 0; i < 4; ++i) {
        cModelSkinnedVertex v;
        static_cast<cModelStaticVertex&>(v) = Vertex({0.1f * i, -3.5f, 1e-7f * i}, Normalize(cVec3{1, float(i), 2}));
        v.m_Joints[0] = float(i);
        v.m_Joints[3] = 200;
        v.m_Weights[0] = 0.5f;
        v.m_Weights[1] = 0.5f;
        mesh.m_SkinnedVertices.PushBack(v);
        mesh.m_Indices.PushBack(uint32_t(3 - i));
    }
    model.m_Bounds = cBounds({-1, -2, -3}, {4, 5, 6.5f});
    const std::string bytes = Encode(model);
    cModel back;
    ASSERT_TRUE(Decode(bytes, back));
    EXPECT_EQ(back.m_Joints[0].m_Name, "spine");
    EXPECT_EQ(back.m_Joints[0].m_Position, joint.m_Position);
    const cQuat& q = back.m_Joints[0].m_Rotation;
    EXPECT_NEAR(q.x, joint.m_Rotation.x, 1e-4);
    EXPECT_NEAR(q.w, joint.m_Rotation.w, 1e-4);
    const cModelMesh& m = back.m_Meshes[0];
    EXPECT_EQ(m.m_Name, "body");
    for (int i = 0; i < 4; ++i) {
        const cModelSkinnedVertex& a = mesh.m_SkinnedVertices[i];
        const cModelSkinnedVertex& b = m.m_SkinnedVertices[i];
        EXPECT_EQ(b.m_Position, a.m_Position);  // floats are stored whole
        EXPECT_EQ(b.m_TexCoord, a.m_TexCoord);
        EXPECT_NEAR(b.m_Normal.y, a.m_Normal.y, 1.0 / 32767);
        EXPECT_LE(std::fabs(b.m_Normal.y), std::fabs(a.m_Normal.y));  // truncated toward zero
        EXPECT_EQ(b.m_Joints[0], float(i));
        EXPECT_EQ(b.m_Joints[3], 200.0f);
        EXPECT_EQ(b.m_Weights[1], 16383 / 32767.0f);
        EXPECT_EQ(m.m_Indices[i], uint32_t(3 - i));
    }
    EXPECT_EQ(back.m_Bounds.m_Max, (cVec3{4, 5, 6.5f}));
    EXPECT_EQ(Encode(back), bytes);
}

// Where the first vertex of a StaticModel with three indices starts: 5 header
// bytes, mesh count and flag, the empty name, the material "Stone.Wall", the
// index count, three u16 indices, the vertex count.
constexpr size_t kFirstVertex = 5 + 3 + 2 + 12 + 4 + 6 + 4;

int16_t StoredI16(const std::string& bytes, size_t at) {
    return int16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

TEST(NativeModel, UnitValuesAreTruncatedClampedAndNaNIsZero) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float in;
        int16_t stored;
    } cases[] = {
        {0.6f, 19660},
        {0.8f, 26213},
        {0, 0},
        {1, 32767},
        {-1, -32767},
        {-0.6f, -19660},
        {1.5f, 32767},
        {-7e30f, -32767},
        {nan, 0},
        {1e-5f, 0},
        {-1e-5f, 0},
        {0.99999f, 32766},
        {std::numeric_limits<float>::infinity(), 32767},
        {-std::numeric_limits<float>::infinity(), -32767},
    };
    for (const Case& c : cases) {
        cModel model = StaticModel(3, {0, 1, 2});
        model.m_Meshes[0].m_StaticVertices[0].m_Normal = {c.in, 0, 0};
        const std::string bytes = Encode(model);
        ASSERT_FALSE(bytes.empty()) << c.in;
        EXPECT_EQ(StoredI16(bytes, kFirstVertex + 20), c.stored) << c.in;
    }
    // The file of the normal (0.6, 0, 0.8), as the format's rule writes it.
    cModel model = StaticModel(3, {0, 1, 2});
    model.m_Meshes[0].m_StaticVertices[0].m_Normal = {0.6f, 0, 0.8f};
    const std::string bytes = Encode(model);
    EXPECT_EQ(StoredI16(bytes, kFirstVertex + 20), 19660);
    EXPECT_EQ(StoredI16(bytes, kFirstVertex + 22), 0);
    EXPECT_EQ(StoredI16(bytes, kFirstVertex + 24), 26213);
}

TEST(NativeModel, JointIndicesAreClampedToAByte) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float in;
        uint8_t stored;
    } cases[] = {{0, 0}, {3.9f, 3}, {255, 255}, {256, 255}, {1e9f, 255}, {-1, 0}, {nan, 0}};
    for (const auto& c : cases) {
        cModel model;
        model.m_Static = false;
        cModelMesh& mesh = model.m_Meshes[model.m_Meshes.PushBack(cModelMesh())];
        cModelSkinnedVertex v;
        v.m_Joints[2] = c.in;
        mesh.m_SkinnedVertices.PushBack(v);
        const std::string bytes = Encode(model);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(uint8_t(bytes[5 + 3 + 4 + 4 + 4 + 38 + 2]), c.stored) << c.in;
    }
}

// Every 16-bit value a decoder can make writes back as itself (what the
// format's truncation alone would lose one step of).
TEST(NativeModel, EveryStoredUnitValueWritesBackAsItself) {
    cModel model = StaticModel(3, {0, 1, 2});
    cModelStaticVertex& v = model.m_Meshes[0].m_StaticVertices[0];
    int drifted = 0;
    for (int stored = -32767; stored <= 32767; stored += 3) {
        v.m_Normal = {stored / 32767.0f, (stored + 1) / 32767.0f, (stored + 2) / 32767.0f};
        const std::string bytes = Encode(model);
        for (int c = 0; c < 3; ++c)
            drifted += StoredI16(bytes, kFirstVertex + 20 + 2 * c) != stored + c;
    }
    EXPECT_EQ(drifted, 0);
}

TEST(NativeModel, IndexWidthFollowsTheLargestIndex) {
    for (uint32_t largest : {2u, 65535u, 65536u, 70000u}) {
        cModel model = StaticModel(int(largest) + 1, {largest, 0, 1});
        const std::string bytes = Encode(model);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(uint8_t(bytes[2]), largest > 65535 ? 1 : 0) << largest;
        const size_t indexBytes = largest > 65535 ? 4 : 2;
        EXPECT_EQ(bytes.size(), 5 + 3 + 2 + 12 + 4 + 3 * indexBytes + 4 + size_t(largest + 1) * 38 + 24);
        cModel back;
        ASSERT_TRUE(Decode(bytes, back));
        EXPECT_EQ(back.m_Meshes[0].m_Indices[0], largest);
        EXPECT_EQ(back.m_Meshes[0].m_Indices[2], 1u);
    }
}

TEST(NativeModel, JointRotationWithNegativeWIsStoredNegated) {
    cModel model;
    cModelJoint joint;
    joint.m_Rotation = {0.5f, 0.5f, -0.5f, -0.5f};
    model.m_Joints.PushBack(joint);
    cModel back;
    ASSERT_TRUE(Decode(Encode(model), back));
    const cQuat& q = back.m_Joints[0].m_Rotation;
    EXPECT_NEAR(q.x, -0.5f, 1e-4);
    EXPECT_NEAR(q.y, -0.5f, 1e-4);
    EXPECT_NEAR(q.z, 0.5f, 1e-4);
    EXPECT_NEAR(q.w, 0.5f, 1e-3);
}

// A few bytes of a valid file changed; each must be refused with the model cleared.
TEST(NativeModel, RefusedBytesLeaveTheModelCleared) {
    // static_tri.cm: joint count at 3, the joint's name length at 5 and name at 7,
    // its parent at 11; mesh count at 31, static flag at 33; index count at 51,
    // the three u16 indices at 55.
    const std::string file = test::ReadDataFile("model/static_tri.cm");
    struct Case {
        size_t at;
        std::string bytes;
        const char* what;
    } cases[] = {
        {0, "x", "magic"},
        {2, "\x02", "index width 2"},
        {2, "\xFF", "index width 255"},
        {4, "\x80", "negative joint count"},
        {6, "\x80", "negative name length"},
        {7, std::string(1, '\0'), "zero byte in a name"},
        {11, std::string("\x01\0", 2), "parent equal to the joint count"},
        {11, "\xFE", "parent below -1"},
        {32, "\x80", "negative mesh count"},
        {33, "\x02", "static flag 2"},
        {54, "\x80", "negative index count"},
        {59, "\x03", "index equal to the vertex count"},
    };
    for (const Case& c : cases) {
        std::string bytes = file;
        ASSERT_LE(c.at + c.bytes.size(), bytes.size());
        bytes.replace(c.at, c.bytes.size(), c.bytes);
        cModel model = StaticModel(3, {0, 1, 2});
        EXPECT_FALSE(Decode(bytes, model)) << c.what;
        EXPECT_TRUE(IsCleared(model)) << c.what;
    }
    // A parent of -1 and the largest allowed one are accepted.
    std::string bytes = file;
    bytes[11] = 0;
    bytes[12] = 0;
    cModel model;
    EXPECT_TRUE(Decode(bytes, model));
}

TEST(NativeModel, EveryShortenedFileIsRefused) {
    for (const char* name : {"model/static_tri.cm", "model/skinned.cm"}) {
        const std::string file = test::ReadDataFile(name);
        for (size_t n = 0; n < file.size(); ++n) {
            cModel model;
            EXPECT_FALSE(Decode(file.substr(0, n), model)) << name << " " << n;
            EXPECT_TRUE(IsCleared(model));
        }
    }
}

TEST(NativeModel, EncoderRefusesWhatItsFieldsCannotHold) {
    struct Case {
        const char* what;
        void (*spoil)(cModel&);
    } cases[] = {
        {"32768 joints", [](cModel& m) { m.m_Joints.Resize(32768); }},
        {"32768 meshes", [](cModel& m) { m.m_Meshes.Resize(32768); }},
        {"a name of 32768 bytes", [](cModel& m) { m.m_Meshes[0].m_Name.Fill(32768, 'n'); }},
        {"a material of 32768 bytes", [](cModel& m) { m.m_Meshes[0].m_Material.Fill(32768, 'n'); }},
        {"a joint name of 32768 bytes",
         [](cModel& m) {
             m.m_Joints.Resize(1);
             m.m_Joints[0].m_Name.Fill(32768, 'j');
         }},
        {"a zero byte in a name", [](cModel& m) { m.m_Meshes[0].m_Name = cStr("a\0b", 3); }},
        {"a parent of 32768",
         [](cModel& m) {
             m.m_Joints.Resize(2);
             m.m_Joints[1].m_Parent = 32768;
         }},
        {"a parent equal to the joint count",
         [](cModel& m) {
             m.m_Joints.Resize(2);
             m.m_Joints[1].m_Parent = 2;
         }},
        {"a parent below -1",
         [](cModel& m) {
             m.m_Joints.Resize(1);
             m.m_Joints[0].m_Parent = -2;
         }},
        {"an index past the vertices", [](cModel& m) { m.m_Meshes[0].m_Indices[1] = 3; }},
        {"indices into the other vertex list", [](cModel& m) { m.m_Static = false; }},
    };
    for (const Case& c : cases) {
        cModel model = StaticModel(3, {0, 1, 2});
        ASSERT_FALSE(Encode(model).empty());
        c.spoil(model);
        cStream out;
        out.WriteU32(0x01020304);
        EXPECT_FALSE(cCodecModel().Encode(model, out)) << c.what;
        EXPECT_EQ(out.Count(), 4) << c.what;  // nothing written
    }
    // The limits themselves fit: 32767 joints, a name of 32767 bytes.
    cModel model = StaticModel(3, {0, 1, 2});
    model.m_Joints.Resize(32767);
    model.m_Meshes[0].m_Name.Fill(32767, 'n');
    cModel back;
    ASSERT_TRUE(Decode(Encode(model), back));
    EXPECT_EQ(back.m_Joints.Count(), 32767);
    EXPECT_EQ(back.m_Meshes[0].m_Name.Length(), 32767);
}

TEST(NativeModel, EncodeInsertsAtThePositionAndDecodeReadsFromIt) {
    const cModel model = StaticModel(3, {0, 1, 2});
    const std::string file = Encode(model);
    cStream stream;
    stream.WriteBlock("head", 4);
    stream.WriteBlock("tail", 4);
    stream.m_Position = 4;
    ASSERT_TRUE(cCodecModel().Encode(model, stream));
    EXPECT_EQ(stream.m_Position, int(4 + file.size()));
    EXPECT_EQ(test::GetBytes(stream), "head" + file + "tail");
    stream.m_Position = 4;
    cModel back;
    ASSERT_TRUE(cCodecModel().Decode(stream, back));
    EXPECT_EQ(stream.m_Position, int(4 + file.size()));
    EXPECT_EQ(back.m_Meshes[0].m_Material, "Stone.Wall");
    EXPECT_TRUE(cCodecModel().CanEncode());
}

}  // namespace
}  // namespace tovan
