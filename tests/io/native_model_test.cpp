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

bool Decode(const std::string& bytes, cModel& model) { return test::DecodeNative<cCodecModel>(bytes, model); }

// Encodes into an empty stream; "" when the encoder refuses.
std::string Encode(const cModel& model) { return test::EncodeNative<cCodecModel>(model); }

// One static mesh, material "Stone.Wall", vertex i at (i, 0, 0).
cModel StaticModel(int vertices, std::initializer_list<uint32_t> indices) {
    cModel model;
    cModelMesh& mesh = model.m_Meshes[model.m_Meshes.PushBack(cModelMesh())];
    mesh.m_Material = "Stone.Wall";
    for (int i = 0; i < vertices; ++i)
        mesh.m_StaticVertices.PushBack({{float(i), 0, 0}, {0, 0, 1}, {}, {1, 0, 0}, {0, 1, 0}});
    for (uint32_t index : indices)
        mesh.m_Indices.PushBack(index);
    return model;
}

// Where the first vertex of a StaticModel with three indices starts: header,
// mesh count and flag, empty name, material, index count, 3 u16, vertex count.
constexpr size_t kFirstVertex = 5 + 3 + 2 + 12 + 4 + 6 + 4;

int16_t StoredI16(const std::string& bytes, size_t at) {
    return int16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

bool IsCleared(const cModel& model) {
    return model.m_Static && model.m_Joints.IsEmpty() && model.m_Meshes.IsEmpty() && model.m_Bounds.IsEmpty();
}

// The committed files were written from the format's tables by a script.
TEST(NativeModel, CommittedFilesReadToTheirValuesAndWriteBack) {
    const std::string file = test::ReadDataFile("model/static_tri.cm");
    cModel model;
    ASSERT_TRUE(Decode(file, model));
    const cModelJoint& root = model.m_Joints[0];
    EXPECT_EQ(root.m_Name, "root");
    EXPECT_EQ(root.m_Parent, -1);
    EXPECT_EQ(root.m_Position, (cVec3{1, 2, 3}));
    EXPECT_EQ(root.m_Rotation.z, 19660 / 32767.0f);
    EXPECT_FLOAT_EQ(root.m_Rotation.w, std::sqrt(1 - root.m_Rotation.z * root.m_Rotation.z));
    ASSERT_EQ(model.m_Meshes.Count(), 1);
    const cModelMesh& mesh = model.m_Meshes[0];
    EXPECT_TRUE(model.m_Static && mesh.m_SkinnedVertices.IsEmpty());
    EXPECT_EQ(mesh.m_Name, "tri");
    EXPECT_EQ(mesh.m_Material, "Stone.Wall");
    EXPECT_EQ(mesh.m_Indices[2], 2u);
    EXPECT_EQ(mesh.m_StaticVertices[1].m_TexCoord, (cVec2{1, 0}));
    EXPECT_EQ(mesh.m_StaticVertices[1].m_Normal, (cVec3{19660 / 32767.0f, 0, 26213 / 32767.0f}));
    EXPECT_EQ(mesh.m_StaticVertices[2].m_Bitangent, (cVec3{0, -1, 0}));
    EXPECT_EQ(model.m_Bounds.m_Max, (cVec3{1, 1, 0.1f}));
    EXPECT_EQ(Encode(model), file);  // decoded 16-bit values write back as themselves

    cModel skinned, again;
    ASSERT_TRUE(Decode(test::ReadDataFile("model/skinned.cm"), skinned));
    EXPECT_FALSE(skinned.m_Static);
    EXPECT_EQ(skinned.m_Joints[1].m_Parent, 0);
    const cModelSkinnedVertex& v = skinned.m_Meshes[0].m_SkinnedVertices[2];
    EXPECT_EQ(v.m_Position, (cVec3{2, 0, 0}));
    EXPECT_EQ(v.m_Joints[1], 1.0f);
    EXPECT_EQ(v.m_Weights[0], 24575 / 32767.0f);
    // The file keeps small indices in 32 bits; written back they take 16.
    const std::string narrow = Encode(skinned);
    EXPECT_EQ(narrow[2], 0);
    ASSERT_TRUE(Decode(narrow, again));
    EXPECT_EQ(0, std::memcmp(&again.m_Meshes[0].m_SkinnedVertices[2], &v, sizeof v));
    EXPECT_EQ(again.m_Meshes[0].m_Indices[0], 2u);
}

TEST(NativeModel, RoundTripKeepsFloatsAndTruncatesUnitValues) {
    cModel model;
    model.m_Static = false;
    model.m_Joints.PushBack({"spine", -1, {0.25f, -7, 1e6f}, {0.5f, 0.5f, -0.5f, -0.5f}});
    cModelMesh& mesh = model.m_Meshes[model.m_Meshes.PushBack(cModelMesh())];
    mesh.m_Name = "body";
    for (int i = 0; i < 4; ++i) {
        cModelSkinnedVertex v;
        v.m_Position = {0.1f * i, -3.5f, 1e-7f * i};
        v.m_TexCoord = {0.3f, float(i)};
        v.m_Normal = Normalize(cVec3{1, float(i), 2});
        v.m_Joints[3] = float(200 + i);
        v.m_Weights[1] = 0.5f;
        mesh.m_SkinnedVertices.PushBack(v);
        mesh.m_Indices.PushBack(uint32_t(3 - i));
    }
    model.m_Bounds = cBounds({-1, -2, -3}, {4, 5, 6.5f});
    cModel back;
    ASSERT_TRUE(Decode(Encode(model), back));
    EXPECT_EQ(back.m_Joints[0].m_Position, model.m_Joints[0].m_Position);
    const cQuat& q = back.m_Joints[0].m_Rotation;  // w < 0 was stored negated
    EXPECT_NEAR(q.x, -0.5f, 1e-4);
    EXPECT_NEAR(q.z, 0.5f, 1e-4);
    EXPECT_NEAR(q.w, 0.5f, 1e-3);
    for (int i = 0; i < 4; ++i) {
        const cModelSkinnedVertex& a = mesh.m_SkinnedVertices[i];
        const cModelSkinnedVertex& b = back.m_Meshes[0].m_SkinnedVertices[i];
        EXPECT_EQ(b.m_Position, a.m_Position);
        EXPECT_EQ(b.m_TexCoord, a.m_TexCoord);
        EXPECT_NEAR(b.m_Normal.y, a.m_Normal.y, 1.0 / 32767);
        EXPECT_LE(std::fabs(b.m_Normal.y), std::fabs(a.m_Normal.y));  // toward zero
        EXPECT_EQ(b.m_Joints[3], float(200 + i));
        EXPECT_EQ(b.m_Weights[1], 16383 / 32767.0f);
        EXPECT_EQ(back.m_Meshes[0].m_Indices[i], uint32_t(3 - i));
    }
    EXPECT_EQ(back.m_Bounds.m_Max, (cVec3{4, 5, 6.5f}));
}

TEST(NativeModel, QuantisedFieldsSaturateAndNaNIsZero) {
    constexpr float kInf = std::numeric_limits<float>::infinity(), kNaN = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float in;
        int16_t unit;   // as a normal component
        uint8_t joint;  // as a joint index
    } cases[] = {{0.6f, 19660, 0}, {0.8f, 26213, 0},    {-0.6f, -19660, 0}, {1, 32767, 1},      {0.99999f, 32766, 0},
                 {1.5f, 32767, 1}, {-7e30f, -32767, 0}, {kInf, 32767, 255}, {-kInf, -32767, 0}, {kNaN, 0, 0},
                 {1e-5f, 0, 0},    {3.9f, 32767, 3},    {256, 32767, 255},  {255, 32767, 255}};
    for (const auto& c : cases) {
        cModel model = StaticModel(3, {0, 1, 2});
        model.m_Meshes[0].m_StaticVertices[0].m_Normal = {c.in, 0, 0.8f};
        const std::string bytes = Encode(model);
        EXPECT_EQ(StoredI16(bytes, kFirstVertex + 20), c.unit) << c.in;
        EXPECT_EQ(StoredI16(bytes, kFirstVertex + 24), 26213) << c.in;

        cModel skinned;
        skinned.m_Static = false;
        skinned.m_Meshes.Resize(1);
        cModelSkinnedVertex v;
        v.m_Joints[2] = c.in;
        skinned.m_Meshes[0].m_SkinnedVertices.PushBack(v);
        EXPECT_EQ(uint8_t(Encode(skinned)[5 + 3 + 4 + 4 + 4 + 38 + 2]), c.joint) << c.in;
    }
    // Every value a decoder makes of a stored one writes back as that one (the
    // plain truncation would lose a step on some of them at every save).
    cModel model = StaticModel(3, {0, 1, 2});
    int drifted = 0;
    for (int stored = -32767; stored <= 32767; ++stored) {
        model.m_Meshes[0].m_StaticVertices[0].m_Normal.x = stored / 32767.0f;
        drifted += StoredI16(Encode(model), kFirstVertex + 20) != stored;
    }
    EXPECT_EQ(drifted, 0);
}

TEST(NativeModel, IndexWidthFollowsTheLargestIndex) {
    for (uint32_t largest : {2u, 65535u, 65536u}) {
        const std::string bytes = Encode(StaticModel(int(largest) + 1, {largest, 0, 1}));
        const size_t indexBytes = largest > 65535 ? 4 : 2;
        EXPECT_EQ(uint8_t(bytes[2]), indexBytes == 4 ? 1 : 0) << largest;
        EXPECT_EQ(bytes.size(), 5 + 3 + 14 + 4 + 3 * indexBytes + 4 + size_t(largest + 1) * 38 + 24);
        cModel back;
        ASSERT_TRUE(Decode(bytes, back));
        EXPECT_EQ(back.m_Meshes[0].m_Indices[0], largest);
        EXPECT_EQ(back.m_Meshes[0].m_Indices[2], 1u);
    }
}

TEST(NativeModel, RefusedFilesLeaveTheModelCleared) {
    // static_tri.cm: joint count at 3, name length at 5, name at 7, parent at
    // 11; mesh count at 31, static flag at 33; index count at 51, indices at 55.
    const std::string file = test::ReadDataFile("model/static_tri.cm");
    const struct {
        size_t at;
        std::string bytes;
        const char* what;
    } cases[] = {
        {0, "x", "magic"},
        {2, "\x02", "index width 2"},
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
    for (const auto& c : cases) {
        std::string bytes = file;
        bytes.replace(c.at, c.bytes.size(), c.bytes);
        cModel model = StaticModel(3, {0, 1, 2});
        EXPECT_FALSE(Decode(bytes, model)) << c.what;
        EXPECT_TRUE(IsCleared(model)) << c.what;
    }
    for (size_t n = 0; n < file.size(); ++n) {
        cModel model;
        EXPECT_FALSE(Decode(file.substr(0, n), model)) << n;
        EXPECT_TRUE(IsCleared(model)) << n;
    }
}

TEST(NativeModel, EncoderRefusesWhatItsFieldsCannotHold) {
    const struct {
        const char* what;
        void (*spoil)(cModel&);
    } cases[] = {
        {"32768 joints", [](cModel& m) { m.m_Joints.Resize(32768); }},
        {"32768 meshes", [](cModel& m) { m.m_Meshes.Resize(32768); }},
        {"a name of 32768 bytes", [](cModel& m) { m.m_Meshes[0].m_Name.Fill(32768, 'n'); }},
        {"a material of 32768 bytes", [](cModel& m) { m.m_Meshes[0].m_Material.Fill(32768, 'n'); }},
        {"a zero byte in a name", [](cModel& m) { m.m_Meshes[0].m_Name = cStr("a\0b", 3); }},
        {"a parent of 32768",
         [](cModel& m) {
             m.m_Joints.Resize(1, {"j", 32768, {}, {}});
         }},
        {"a parent below -1",
         [](cModel& m) {
             m.m_Joints.Resize(1, {"j", -2, {}, {}});
         }},
        {"an index past the vertices", [](cModel& m) { m.m_Meshes[0].m_Indices[1] = 3; }},
        {"indices into the other vertex list", [](cModel& m) { m.m_Static = false; }},
    };
    for (const auto& c : cases) {
        cModel model = StaticModel(3, {0, 1, 2});
        c.spoil(model);
        cStream out;
        out.WriteU32(0x01020304);
        EXPECT_FALSE(cCodecModel().Encode(model, out)) << c.what;
        EXPECT_EQ(out.Count(), 4) << c.what;
    }
    // The limits themselves fit.
    cModel model = StaticModel(3, {0, 1, 2}), back;
    model.m_Joints.Resize(32767);
    model.m_Meshes[0].m_Name.Fill(32767, 'n');
    ASSERT_TRUE(Decode(Encode(model), back));
    EXPECT_EQ(back.m_Joints.Count(), 32767);
    EXPECT_EQ(back.m_Meshes[0].m_Name.Length(), 32767);
}

TEST(NativeModel, EncodeInsertsAtThePositionAndDecodeReadsFromIt) {
    const cModel model = StaticModel(3, {0, 1, 2});
    const std::string file = Encode(model);
    cStream stream;
    stream.WriteBlock("headtail", 8);
    stream.m_Position = 4;
    ASSERT_TRUE(cCodecModel().Encode(model, stream));
    EXPECT_EQ(stream.m_Position, int(4 + file.size()));
    EXPECT_EQ(test::GetBytes(stream), "head" + file + "tail");
    stream.m_Position = 4;
    cModel back;
    ASSERT_TRUE(cCodecModel().Decode(stream, back));
    EXPECT_EQ(stream.m_Position, int(4 + file.size()));
    EXPECT_TRUE(cCodecModel().CanEncode());
}

}  // namespace
}  // namespace tovan
