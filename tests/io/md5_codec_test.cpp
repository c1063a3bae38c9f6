// The md5mesh and md5anim readers: the bind pose, the skin weights, posing
// frames, the fixed transform, and every reference they refuse to follow.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "io/codecs/md5_text.h"
#include "io/codecs/model_codecs.h"
#include "tests/io/codec_files.h"

namespace tovan {
namespace {

const float kHalf = std::sqrt(0.5f);

// The framework's space: (x, y, z) to (0.5 x, 0.5 z, -0.5 y); rotations are
// turned by -90 degrees about x on the left.
const cQuat kSpace{-kHalf, 0, 0, kHalf};

void ExpectNear(const cVec3& a, const cVec3& b, const char* what) {
    EXPECT_NEAR(a.x, b.x, 1e-6f) << what;
    EXPECT_NEAR(a.y, b.y, 1e-6f) << what;
    EXPECT_NEAR(a.z, b.z, 1e-6f) << what;
}

void ExpectNear(const cQuat& a, const cQuat& b, const char* what, float within = 1e-6f) {
    EXPECT_NEAR(a.x, b.x, within) << what;
    EXPECT_NEAR(a.y, b.y, within) << what;
    EXPECT_NEAR(a.z, b.z, within) << what;
    EXPECT_NEAR(a.w, b.w, within) << what;
}

// The text with the first occurrence of `from` replaced.
std::string With(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// The committed files, which also seed the fuzz targets.
std::string Mesh() { return test::ReadDataFile("md5mesh/two_joints.md5mesh"); }

bool DecodeMesh(const std::string& text, cModel& model) {
    cStream in;
    test::SetBytes(in, text);
    return cCodecMd5Model().Decode(in, model);
}

// w = -sqrt(1 - x^2 - y^2 - z^2), or 0 when that is below 0, however near
// half a turn; turning by a rotation agrees with the framework's matrices.
TEST(Md5Rotation, WRuleAndTurning) {
    const float cases[][4] = {{0, 0, 0, -1},
                              {1, 0, 0, 0},
                              {0.6f, 0, 0.8f, 0},
                              {0, 0.9f, 0, -std::sqrt(0.19f)},
                              {0, 0.999f, 0, -std::sqrt(0.001999f)},
                              {0, 0.9995f, 0, -std::sqrt(0.00099975f)},
                              {0.706869f, 0.706869f, -0.018325f, -0.0183474f},
                              {1, 0.01f, 0, 0}};
    for (const auto& c : cases)
        EXPECT_NEAR(md5::RotationW(c[0], c[1], c[2]), c[3], 1e-5f) << c[0] << " " << c[1] << " " << c[2];
    const cQuat q = cQuat::FromAxisAngle({1, 2, 3}, 50);
    ExpectNear(md5::Rotate(q, {0.5f, -2, 3}), q.ToMat3().Transform({0.5f, -2, 3}), "rotate");
}

TEST(Md5Mesh, BindPoseJointsAndSkin) {
    cModel model;
    ASSERT_TRUE(DecodeMesh(Mesh(), model));
    EXPECT_FALSE(model.m_Static);
    ASSERT_EQ(model.m_Joints.Count(), 2);
    EXPECT_EQ(model.m_Joints[1].m_Name, "arm");
    EXPECT_EQ(model.m_Joints[1].m_Parent, 0);
    ExpectNear(model.m_Joints[0].m_Position, {0.5f, 1.5f, -1}, "root position");
    ExpectNear(model.m_Joints[0].m_Rotation, kSpace * cQuat{0, 0, 0, -1}, "root rotation");
    ExpectNear(model.m_Joints[1].m_Position, {0, 0.5f, 0}, "arm position");
    ExpectNear(model.m_Joints[1].m_Rotation, kSpace * cQuat{1, 0, 0, 0}, "arm rotation");

    ASSERT_EQ(model.m_Meshes.Count(), 1);
    const cModelMesh& mesh = model.m_Meshes[0];
    EXPECT_EQ(mesh.m_Material, "Stone.Wall");
    ASSERT_EQ(mesh.m_SkinnedVertices.Count(), 3);
    EXPECT_EQ(std::vector<uint32_t>(mesh.m_Indices.begin(), mesh.m_Indices.end()), (std::vector<uint32_t>{0, 2, 1}));
    const cModelSkinnedVertex* v = mesh.m_SkinnedVertices.Data();
    // (1, 2, 3); (1, 2, 3) + (2, 0, 0); half of (1, 2, 3) + (0, 2, 0) and half of
    // (0, 0, 1) + (0, 1, 0) turned half round x.
    ExpectNear(v[0].m_Position, {0.5f, 1.5f, -1}, "vertex 0");
    ExpectNear(v[1].m_Position, {1.5f, 1.5f, -1}, "vertex 1");
    ExpectNear(v[2].m_Position, {0.25f, 1, -0.75f}, "vertex 2");
    EXPECT_EQ(v[1].m_TexCoord, (cVec2{1, 0}));
    // Equal biases keep the file's order.
    EXPECT_EQ((std::vector<float>(v[2].m_Joints, v[2].m_Joints + 4)), (std::vector<float>{0, 1, 0, 0}));
    EXPECT_EQ((std::vector<float>(v[2].m_Weights, v[2].m_Weights + 4)), (std::vector<float>{0.5f, 0.5f, 0, 0}));
    // Normals, tangents and bounds are made.
    EXPECT_NEAR(Dot(v[0].m_Tangent, v[0].m_Tangent), 1, 1e-5f);
    ExpectNear(model.m_Bounds.m_Min, {0.25f, 1, -1}, "bounds min");
    ExpectNear(model.m_Bounds.m_Max, {1.5f, 1.5f, -0.75f}, "bounds max");
}

TEST(Md5Mesh, FiveWeightsKeepTheFourLargestAndTheFirstTakesTheRest) {
    const std::string text =
        "numJoints 5\nnumMeshes 1\n"
        "joints {\n a -1 (0 0 0) (0 0 0)\n b 0 (0 0 0) (0 0 0)\n c 0 (0 0 0) (0 0 0)\n d 0 (0 0 0) (0 0 0)\n"
        " e 0 (0 0 0) (0 0 0)\n}\n"
        "mesh {\n numverts 1\n vert 0 (0 0) 0 5\n numweights 5\n"
        " weight 0 0 0.1 (0 0 0)\n weight 1 1 0.3 (0 0 0)\n weight 2 2 0.2 (0 0 0)\n weight 3 3 0.3 (0 0 0)\n"
        " weight 4 4 0.1 (0 0 0)\n}\n";
    cModel model;
    ASSERT_TRUE(DecodeMesh(text, model));
    const cModelSkinnedVertex& v = model.m_Meshes[0].m_SkinnedVertices[0];
    EXPECT_EQ((std::vector<float>(v.m_Joints, v.m_Joints + 4)), (std::vector<float>{1, 3, 2, 0}));
    EXPECT_FLOAT_EQ(v.m_Weights[0], 0.4f);
    EXPECT_FLOAT_EQ(v.m_Weights[1], 0.3f);
    EXPECT_FLOAT_EQ(v.m_Weights[2], 0.2f);
    EXPECT_FLOAT_EQ(v.m_Weights[3], 0.1f);
}

TEST(Md5Mesh, RefusedFilesLeaveTheModelCleared) {
    struct Case {
        const char* what;
        std::string text;
    };
    const Case cases[] = {
        {"weight joint outside the skeleton", With(Mesh(), "weight 3 1", "weight 3 2")},
        {"negative weight joint", With(Mesh(), "weight 3 1", "weight 3 -1")},
        {"weights past the list", With(Mesh(), "vert 2 ( 0 1 ) 2 2", "vert 2 ( 0 1 ) 3 2")},
        {"negative first weight", With(Mesh(), "vert 2 ( 0 1 ) 2 2", "vert 2 ( 0 1 ) -1 2")},
        {"negative weight count", With(Mesh(), "vert 2 ( 0 1 ) 2 2", "vert 2 ( 0 1 ) 2 -1")},
        {"triangle corner outside the vertices", With(Mesh(), "tri 0 0 2 1", "tri 0 0 2 3")},
        {"triangle outside the list", With(Mesh(), "tri 0 0 2 1", "tri 1 0 2 1")},
        {"vertex outside the list", With(Mesh(), "vert 2 (", "vert 3 (")},
        {"weight outside the list", With(Mesh(), "weight 3 1", "weight 4 1")},
        {"parent after its child", With(Mesh(), "\"root\"\t-1", "\"root\"\t1")},
        {"parent below -1", With(Mesh(), "\"root\"\t-1", "\"root\"\t-2")},
        {"fewer joint lines than joints", With(Mesh(), "numJoints 2", "numJoints 3")},
        {"more joint lines than joints", With(Mesh(), "numJoints 2", "numJoints 1")},
        {"a number that does not parse", With(Mesh(), "( 1 2 3 )", "( 1 x 3 )")},
        {"a short joint line", With(Mesh(), "( 0 0 1 ) ( 1 0 0 )", "( 0 0 1 ) ( 1 0 )")},
        {"a short vertex line", With(Mesh(), "vert 1 ( 1 0 ) 1 1", "vert 1 ( 1 0 ) 1")},
        {"a short weight line", With(Mesh(), "weight 1 0 1 ( 2 0 0 )", "weight 1 0 1 ( 2 0 )")},
        {"a count without its number", With(Mesh(), "numJoints 2", "numJoints")},
        {"a shader without a name", With(Mesh(), "shader \"Stone.Wall\"", "shader")},
        {"a negative count", With(Mesh(), "numweights 4", "numweights -4")},
        {"more vertices than the bytes left could hold", With(Mesh(), "numverts 3", "numverts 300")},
        {"more meshes than announced", With(Mesh(), "numMeshes 1", "numMeshes 0")},
        {"the file ends inside a block", Mesh().substr(0, Mesh().size() - 2)},
        {"no numMeshes line", "numJoints 0\n"},
        {"joints announced and not given", With(Mesh(), "joints {", "bones {")},
        {"a mesh announced and not given", With(Mesh(), "numMeshes 1", "numMeshes 2")},
        {"a vertex given twice and another not", With(Mesh(), "vert 1 ( 1 0 ) 1 1", "vert 0 ( 1 0 ) 1 1")},
        {"a quote its line does not close", With(Mesh(), "shader \"Stone.Wall\"", "shader \"Stone.Wall")},
        {"a quote not closed before a comment", With(Mesh(), "shader \"Stone.Wall\"", "shader \"Stone // x")},
    };
    for (const Case& c : cases) {
        cModel model;
        model.m_Meshes.PushBack(cModelMesh());
        EXPECT_FALSE(DecodeMesh(c.text, model)) << c.what;
        EXPECT_TRUE(model.m_Static && model.m_Meshes.IsEmpty() && model.m_Joints.IsEmpty()) << c.what;
    }
}

std::string Anim() { return test::ReadDataFile("md5anim/two_frames.md5anim"); }

// The animation with no animated component: its frames are empty.
std::string Still() {
    return With(With(With(Anim(), "numAnimatedComponents 2", "numAnimatedComponents 0"), "\t5 0\n", ""), "\t7\n\t0.6\n",
                "");
}

bool DecodeAnim(const std::string& text, cAnim& anim) {
    cStream in;
    test::SetBytes(in, text);
    return cCodecMd5Anim().Decode(in, anim);
}

TEST(Md5Anim, FramesArePosedUnderTheirParents) {
    cAnim anim;
    ASSERT_TRUE(DecodeAnim(Anim(), anim));
    EXPECT_EQ(anim.m_FrameRate, 24);
    ASSERT_EQ(anim.m_Joints.Count(), 2);
    EXPECT_EQ(anim.m_Joints[0].m_Name, "root");
    EXPECT_EQ(anim.m_Joints[0].m_Parent, -1);
    EXPECT_EQ(anim.m_Joints[1].m_Name, "arm");
    EXPECT_EQ(anim.m_Joints[1].m_Parent, 0);
    ASSERT_EQ(anim.m_Frames.Count(), 2);

    // Frame 0: the root moved to x = 5 and not turned; the arm (flags 0) keeps
    // its base values under it.
    const cAnimKey* k = anim.m_Frames[0].Data();
    ASSERT_EQ(anim.m_Frames[0].Count(), 2);
    ExpectNear(k[0].m_Position, md5::ToSpace(cVec3{5, 2, 3}), "frame 0 root");
    ExpectNear(k[0].m_Rotation, kSpace * cQuat{0, 0, 0, -1}, "frame 0 root rotation");
    ExpectNear(k[1].m_Position, md5::ToSpace(cVec3{5, 2, 4}), "frame 0 arm");
    ExpectNear(k[1].m_Rotation, kSpace * (cQuat{0, 0, 0, -1} * cQuat{1, 0, 0, 0}), "frame 0 arm rotation");
    EXPECT_EQ(k[1].m_Scale, (cVec3{1, 1, 1}));

    // Frame 1: x = 7 and a turn about z, w rebuilt as -0.8: the arm's offset
    // along z stays, its rotation follows the root's.
    const cQuat root{0, 0, 0.6f, -0.8f};
    k = anim.m_Frames[1].Data();
    ExpectNear(k[0].m_Position, md5::ToSpace(cVec3{7, 2, 3}), "frame 1 root");
    ExpectNear(k[0].m_Rotation, kSpace * root, "frame 1 root rotation");
    ExpectNear(k[1].m_Position, md5::ToSpace(cVec3{7, 2, 4}), "frame 1 arm");
    ExpectNear(k[1].m_Rotation, kSpace * (root * cQuat{1, 0, 0, 0}), "frame 1 arm rotation");

    // Bounds come from the keys, not from the file's block.
    ASSERT_EQ(anim.m_FrameBounds.Count(), 2);
    ExpectNear(anim.m_FrameBounds[0].m_Min, {2.5f, 1.5f, -1}, "bounds 0 min");
    ExpectNear(anim.m_FrameBounds[0].m_Max, {2.5f, 2, -1}, "bounds 0 max");

    // A file that animates no component keeps the base frame, whatever the flags select.
    ASSERT_TRUE(DecodeAnim(Still(), anim));
    ASSERT_EQ(anim.m_Frames.Count(), 2);
    ExpectNear(anim.m_Frames[1][0].m_Position, md5::ToSpace(cVec3{1, 2, 3}), "base root");
    ExpectNear(anim.m_Frames[1][1].m_Position, md5::ToSpace(cVec3{1, 2, 4}), "base arm");
}

TEST(Md5Anim, RefusedFilesLeaveTheAnimationCleared) {
    struct Case {
        const char* what;
        std::string text;
    };
    const Case cases[] = {
        {"a frame one component short", With(Anim(), "\t5 0\n", "\t5\n")},
        {"a frame one component long", With(Anim(), "\t5 0\n", "\t5 0 1\n")},
        {"a frame past the count", With(Anim(), "frame 1 {", "frame 2 {")},
        {"a negative frame", With(Anim(), "frame 1 {", "frame -1 {")},
        {"a frame without its number", With(Anim(), "frame 1 {", "frame {")},
        {"components past the frame's list", With(Anim(), "-1 33 0", "-1 33 1")},
        {"a negative first component", With(Anim(), "-1 33 0", "-1 33 -1")},
        {"a parent after its child", With(Anim(), "\"root\"\t-1", "\"root\"\t1")},
        {"fewer hierarchy lines than joints", With(Anim(), "numJoints 2", "numJoints 3")},
        {"more base-frame lines than joints",
         With(Anim(), "\t( 0 0 1 ) ( 1 0 0 )\n", "\t( 0 0 1 ) ( 1 0 0 )\n\t( 0 0 1 ) ( 1 0 0 )\n")},
        {"a short base-frame line", With(Anim(), "( 0 0 1 ) ( 1 0 0 )", "( 0 0 1 ) ( 1 0 )")},
        {"a short hierarchy line", With(Anim(), "\"arm\"\t0 0 2", "\"arm\"\t0 0")},
        {"a negative component count", With(Anim(), "numAnimatedComponents 2", "numAnimatedComponents -2")},
        {"a frame rate that does not parse", With(Anim(), "frameRate 24", "frameRate fast")},
        {"a component that does not parse", With(Anim(), "\t7\n", "\tseven\n")},
        {"more frames than the bytes left could hold", With(Anim(), "numFrames 2", "numFrames 2000")},
        {"the file ends inside a block", Anim().substr(0, Anim().size() - 2)},
        {"no numAnimatedComponents line", With(Still(), "numAnimatedComponents 0", "")},
        {"no base frame", With(Anim(), "baseframe {", "basis {")},
        {"a frame given twice and another not", With(Still(), "frame 1 {", "frame 0 {")},
        {"components counted again after the frames", Anim() + "numAnimatedComponents 1\n"},
    };
    for (const Case& c : cases) {
        cAnim anim;
        anim.m_FrameRate = 5;
        anim.ResizeJoints(1);
        EXPECT_FALSE(DecodeAnim(c.text, anim)) << c.what;
        EXPECT_TRUE(anim.m_Joints.IsEmpty() && anim.m_Frames.IsEmpty() && anim.m_FrameRate == 0) << c.what;
    }
}

// What a text loads, in the native format; "refused" when it does not load.
std::string Loaded(const std::string& text, bool anim) {
    cModel model;
    cAnim frames;
    if (anim ? !DecodeAnim(text, frames) : !DecodeMesh(text, model))
        return "refused";
    return anim ? test::EncodeNative<cCodecAnim>(frames) : test::EncodeNative<cCodecModel>(model);
}

// Nothing short of the whole file loads: cut before the end of its last block
// it is refused, cut after it it loads what the whole file loads.
TEST(Md5Files, EveryPrefixLoadsTheWholeFileOrIsRefused) {
    for (const bool anim : {false, true}) {
        const std::string text = anim ? Anim() : Mesh(), whole = Loaded(text, anim);
        for (size_t n = 0; n <= text.size(); ++n)
            EXPECT_TRUE(Loaded(text.substr(0, n), anim) == (n > text.rfind('}') ? whole : "refused"))
                << anim << " cut to " << n;
    }
}

// Indices and frames load in any order; quoted names are whole, blanks and
// parentheses included; counts of 0 make an empty record.
TEST(Md5Files, OrderIsFreeQuotedNamesAreWholeAndCountsMayBeZero) {
    const std::string frame0 = "frame 0 {\n\t5 0\n}\n";
    const std::string frames = With(Anim(), frame0, "") + "\n" + frame0;
    const std::string verts =
        With(With(Mesh(), "vert 0 ( 0 0 ) 0 1", "vert 3"), "vert 2 ( 0 1 ) 2 2", "vert 0 ( 0 0 ) 0 1");
    EXPECT_TRUE(Loaded(frames, true) == Loaded(Anim(), true));
    EXPECT_TRUE(Loaded(With(verts, "vert 3", "vert 2 ( 0 1 ) 2 2"), false) == Loaded(Mesh(), false));
    cModel model;
    ASSERT_TRUE(
        DecodeMesh(With(With(Mesh(), "\"arm\"", "\"left arm (upper)\""), "\"Stone.Wall\"", "\" a\t(b) \""), model));
    EXPECT_EQ(model.m_Joints[1].m_Name, "left arm (upper)");
    EXPECT_EQ(model.m_Meshes[0].m_Material, " a\t(b) ");
    ASSERT_TRUE(DecodeMesh(With(Mesh(), "\"Stone.Wall\"", "\"\""), model));
    EXPECT_EQ(model.m_Meshes[0].m_Material, "");
    EXPECT_TRUE(DecodeMesh("numJoints 0\nnumMeshes 0\n", model) && model.m_Meshes.IsEmpty() && !model.m_Static);
    cAnim anim;
    EXPECT_TRUE(DecodeAnim("numFrames 0\nnumJoints 0\nnumAnimatedComponents 0\n", anim) && anim.m_Joints.IsEmpty());
}

// From "//" to the end of a line is a comment, quotes in it included; within
// quotes it is text.
TEST(Md5Files, CommentsAreDroppedOutsideQuotes) {
    const struct {
        const char* what;
        std::string text;
        bool anim;
    } cases[] = {
        {"a quote in a joint's comment", With(Mesh(), "// the origin", "// the \"origin"), false},
        {"a quote in a mesh line's comment", With(Mesh(), "numverts 3", "numverts 3 // three \""), false},
        {"a comment in a frame", With(Anim(), "\t7\n", "\t7 // x \"\n"), true},
        {"a comment line in a block", With(Anim(), "\t5 0\n", "\t// \"frame\" 0\n\t5 0\n"), true},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(Loaded(c.text, c.anim) == Loaded(c.anim ? Anim() : Mesh(), c.anim)) << c.what;
    cModel model;
    ASSERT_TRUE(DecodeMesh(With(Mesh(), "\"arm\"", "\"arm // left\""), model));
    EXPECT_EQ(model.m_Joints[1].m_Name, "arm // left");
}

// Rotations near half a turn keep their small w in joints, base frames and
// frames alike.
TEST(Md5Files, RotationsNearHalfATurnKeepTheirW) {
    const cQuat wrist{0.706869f, 0.706869f, -0.018325f, -0.0183474f};
    const cQuat nearZ{0, 0, 0.9999f, -0.0141418f};
    const std::string turned = "( 0 0 1 ) ( 0.706869 0.706869 -0.018325 )";
    cModel model;
    ASSERT_TRUE(DecodeMesh(With(Mesh(), "( 0 0 1 ) ( 1 0 0 )", turned), model));
    ExpectNear(model.m_Joints[1].m_Rotation, kSpace * wrist, "mesh joint", 1e-5f);
    cAnim anim;
    ASSERT_TRUE(DecodeAnim(With(Anim(), "( 0 0 1 ) ( 1 0 0 )", turned), anim));
    ExpectNear(anim.m_Frames[0][1].m_Rotation, kSpace * (cQuat{0, 0, 0, -1} * wrist), "base frame", 1e-5f);
    ASSERT_TRUE(DecodeAnim(With(Anim(), "\t0.6\n", "\t0.9999\n"), anim));
    ExpectNear(anim.m_Frames[1][0].m_Rotation, kSpace * nearZ, "frame", 1e-5f);
}

// Vertices may not share weights so often that the work outgrows the file:
// here every vertex claims every weight.
TEST(Md5Mesh, WeightsSharedBeyondTheFilesSizeAreRefused) {
    const int n = 200;
    std::string text = "numJoints 1\nnumMeshes 1\njoints {\n r -1 (0 0 0) (0 0 0)\n}\nmesh {\n";
    text += "numverts " + std::to_string(n) + "\nnumweights " + std::to_string(n) + "\n";
    for (int i = 0; i < n; ++i)
        text += "vert " + std::to_string(i) + " (0 0) 0 " + std::to_string(n) + "\nweight " + std::to_string(i) +
                " 0 0.005 (1 2 3)\n";
    cModel model;
    EXPECT_FALSE(DecodeMesh(text + "}\n", model));
}

TEST(Md5Codecs, DecodeOnly) {
    cModel model;
    cAnim anim;
    cStream out;
    EXPECT_FALSE(cCodecMd5Model().CanEncode());
    EXPECT_FALSE(cCodecMd5Model().Encode(model, out));
    EXPECT_FALSE(cCodecMd5Anim().CanEncode());
    EXPECT_FALSE(cCodecMd5Anim().Encode(anim, out));
    EXPECT_EQ(out.Count(), 0);
}

}  // namespace
}  // namespace tovan
