// The animation record and the native animation file.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "io/codecs/model_codecs.h"
#include "tests/io/codec_files.h"

namespace tovan {
namespace {

constexpr float kStep = 256.0f / 32767;  // one p16 step

bool Decode(const std::string& bytes, cAnim& anim) { return test::DecodeNative<cCodecAnim>(bytes, anim); }

std::string Encode(const cAnim& anim) { return test::EncodeNative<cCodecAnim>(anim); }

// Joints "j0".. (each the previous one's child); key (f, j) at (f, j, 0.5)
// turned f x 10 degrees about Y; frame bounds computed.
cAnim MakeAnim(int joints, int frames) {
    cAnim anim;
    anim.m_FrameRate = 24;
    for (int j = 0; j < joints; ++j)
        anim.m_Joints.PushBack({cStr::Format("j%d", j), j - 1});
    for (int f = 0; f < frames; ++f) {
        cList<cAnimKey> keys;
        for (int j = 0; j < joints; ++j)
            keys.PushBack({{float(f), float(j), 0.5f}, cQuat::FromAxisAngle({0, 1, 0}, 10.0f * f), {1, 1, 1}});
        anim.AppendFrame(keys);
    }
    anim.ComputeFrameBounds();
    return anim;
}

int16_t StoredI16(const std::string& bytes, size_t at) {
    return int16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

TEST(NativeAnim, CommittedFileAndRoundTrip) {
    const std::string file = test::ReadDataFile("anim/walk.ca");
    cAnim anim;
    ASSERT_TRUE(Decode(file, anim));
    EXPECT_EQ(anim.m_FrameRate, 30);
    EXPECT_EQ(anim.m_Joints[1].m_Name, "knee");
    EXPECT_EQ(anim.m_Joints[1].m_Parent, 0);
    const cAnimKey& key = anim.m_Frames[1][1];
    EXPECT_EQ(key.m_Position, (cVec3{127 * kStep, 127 * kStep, -127 * kStep}));
    EXPECT_EQ(key.m_Rotation.y, 19660 / 32767.0f);
    EXPECT_FLOAT_EQ(key.m_Rotation.w, std::sqrt(1 - key.m_Rotation.y * key.m_Rotation.y));
    EXPECT_EQ(key.m_Scale.z, 127 * kStep);
    EXPECT_EQ(anim.m_FrameBounds[1].m_Min, (cVec3{127 * kStep, 127 * kStep, -127 * kStep}));
    EXPECT_EQ(Encode(anim), file);

    const cAnim made = MakeAnim(3, 4);
    const std::string bytes = Encode(made);
    EXPECT_EQ(bytes.size(), 7 + 3 * (2 + 2 + 2) + 4 + 4 * (3 * 18 + 12));
    cAnim back;
    ASSERT_TRUE(Decode(bytes, back));
    EXPECT_EQ(back.m_Joints[2].m_Name, "j2");
    EXPECT_EQ(back.m_Joints[0].m_Parent, -1);
    for (int f = 0; f < 4; ++f) {
        const cAnimKey &a = made.m_Frames[f][2], &b = back.m_Frames[f][2];
        EXPECT_NEAR(b.m_Position.x, a.m_Position.x, kStep);
        EXPECT_NEAR(b.m_Rotation.y, a.m_Rotation.y, 1.0f / 32767);
        EXPECT_NEAR(b.m_Rotation.w, a.m_Rotation.w, 1e-3f);
        EXPECT_NEAR(back.m_FrameBounds[f].m_Max.y, 2, kStep);
    }
    // No frames: the joints alone.
    ASSERT_TRUE(Decode(Encode(MakeAnim(2, 0)), back));
    EXPECT_EQ(back.m_Joints.Count(), 2);
    EXPECT_TRUE(back.m_Frames.IsEmpty() && back.m_FrameBounds.IsEmpty());
}

TEST(NativeAnim, QuantisationOfPositionsRotationsScalesAndBounds) {
    const struct {
        float in;
        int16_t stored;
    } cases[] = {{1.0f, 127},     {-1.0f, -127},   {0.5f, 63},      {255.99f, 32765},
                 {256.0f, 32767}, {300.0f, 32767}, {-1e9f, -32767}, {std::nanf(""), 0}};
    const size_t firstKey = 7 + 2 + 2 + 4;  // one joint with an empty name
    cAnim anim = MakeAnim(1, 1);
    anim.m_Joints[0].m_Name.Clear();
    for (const auto& c : cases) {
        anim.m_Frames[0][0].m_Position.x = c.in;
        anim.m_Frames[0][0].m_Scale.z = c.in;
        anim.m_FrameBounds[0].m_Min.x = c.in;
        const std::string bytes = Encode(anim);
        EXPECT_EQ(StoredI16(bytes, firstKey), c.stored) << c.in;
        EXPECT_EQ(StoredI16(bytes, firstKey + 16), c.stored) << c.in;
        EXPECT_EQ(StoredI16(bytes, firstKey + 18), c.stored) << c.in;
    }
    // 1.0 reads back as 127 x 256 / 32767 (0.99222); every stored value reads
    // back as a float that writes back as itself.
    cAnim back;
    anim.m_Frames[0][0].m_Position.x = 1;
    ASSERT_TRUE(Decode(Encode(anim), back));
    EXPECT_NEAR(back.m_Frames[0][0].m_Position.x, 0.99222f, 1e-5f);
    int drifted = 0;
    for (int stored = -32767; stored <= 32767; ++stored) {
        anim.m_Frames[0][0].m_Position.x = float(stored) * 256.0f / 32767.0f;
        drifted += StoredI16(Encode(anim), firstKey) != stored;
    }
    EXPECT_EQ(drifted, 0);
    // A rotation with w < 0 reads back as the same rotation with w >= 0.
    anim.m_Frames[0][0].m_Rotation = {0.1f, 0.2f, 0.3f, -std::sqrt(1 - 0.14f)};
    ASSERT_TRUE(Decode(Encode(anim), back));
    const cQuat& q = back.m_Frames[0][0].m_Rotation;
    EXPECT_NEAR(q.x, -0.1f, 1e-4);
    EXPECT_NEAR(q.z, -0.3f, 1e-4);
    EXPECT_NEAR(q.w, std::sqrt(1 - 0.14f), 1e-3);
}

TEST(NativeAnim, RefusedFilesLeaveTheRecordCleared) {
    // walk.ca: version at 2, frame rate at 3, joint count at 5, first name
    // length at 7 and text at 9, parents at 12 and 20, frame count at 22.
    const std::string file = test::ReadDataFile("anim/walk.ca");
    const struct {
        size_t at;
        std::string bytes;
        const char* what;
    } cases[] = {
        {1, "x", "magic"},
        {2, "\x01", "version 1"},
        {2, "\x02", "version 2"},
        {4, "\x80", "negative frame rate"},
        {6, "\x80", "negative joint count"},
        {8, "\x80", "negative name length"},
        {9, std::string(1, '\0'), "zero byte in a name"},
        {20, std::string("\x02\0", 2), "parent equal to the joint count"},
        {12, "\xFD", "parent below -1"},
        {25, "\x80", "negative frame count"},
        {22, "\x03", "more frames than bytes"},
    };
    for (const auto& c : cases) {
        std::string bytes = file;
        bytes.replace(c.at, c.bytes.size(), c.bytes);
        cAnim anim = MakeAnim(2, 2);
        EXPECT_FALSE(Decode(bytes, anim)) << c.what;
        EXPECT_TRUE(anim.m_Joints.IsEmpty() && anim.m_Frames.IsEmpty() && anim.m_FrameBounds.IsEmpty() &&
                    anim.m_FrameRate == 0)
            << c.what;
    }
    for (size_t n = 0; n < file.size(); ++n) {
        cAnim anim;
        EXPECT_FALSE(Decode(file.substr(0, n), anim)) << n;
    }
}

TEST(NativeAnim, EncoderRefusesRecordsItCannotStore) {
    const struct {
        const char* what;
        void (*spoil)(cAnim&);
    } cases[] = {
        {"a frame with a key too few", [](cAnim& a) { a.m_Frames[1].RemoveAt(0); }},
        {"a frame with a key too many", [](cAnim& a) { a.m_Frames[0].PushBack(cAnimKey()); }},
        {"bounds shorter than the frames", [](cAnim& a) { a.m_FrameBounds.RemoveAt(1); }},
        {"a frame rate of 32768", [](cAnim& a) { a.m_FrameRate = 32768; }},
        {"a negative frame rate", [](cAnim& a) { a.m_FrameRate = -1; }},
        {"32768 joints", [](cAnim& a) { a.ResizeJoints(32768); }},
        {"a name of 32768 bytes", [](cAnim& a) { a.m_Joints[0].m_Name.Fill(32768, 'x'); }},
        {"a parent out of range", [](cAnim& a) { a.m_Joints[1].m_Parent = 2; }},
    };
    for (const auto& c : cases) {
        cAnim anim = MakeAnim(2, 2);
        c.spoil(anim);
        EXPECT_EQ(Encode(anim), "") << c.what;
    }
    // More bounds than frames: the extra ones are not written.
    cAnim anim = MakeAnim(2, 2), back;
    anim.ResizeFrameBounds(5);
    ASSERT_TRUE(Decode(Encode(anim), back));
    EXPECT_EQ(back.m_FrameBounds.Count(), 2);
}

TEST(AnimRecord, FrameBoundsTransformCopyAndResize) {
    const cAnim anim = MakeAnim(2, 3);
    EXPECT_EQ(anim.m_FrameBounds[2].m_Min, (cVec3{2, 0, 0.5f}));
    EXPECT_EQ(anim.m_FrameBounds[2].m_Max, (cVec3{2, 1, 0.5f}));

    const cMat4 m = cMat4::FromMat3(cQuat::FromAxisAngle({0, 0, 1}, 90).ToMat3(), {10, 0, 0});
    cAnim moved(anim);
    moved.Transform(m);
    const cVec3 expected = m.TransformPoint({1, 1, 0.5f});
    EXPECT_NEAR(moved.m_Frames[1][1].m_Position.x, expected.x, 1e-5f);
    EXPECT_NEAR(moved.m_Frames[1][1].m_Position.y, expected.y, 1e-5f);
    const cQuat r = m.GetUpper3x3().ToQuat() * anim.m_Frames[1][1].m_Rotation;
    EXPECT_NEAR(moved.m_Frames[1][1].m_Rotation.z, r.z, 1e-6f);
    EXPECT_NEAR(moved.m_Frames[1][1].m_Rotation.w, r.w, 1e-6f);
    EXPECT_NEAR(moved.m_FrameBounds[1].m_Max.y, expected.y, 1e-5f);

    // Without a box per frame nothing moves.
    cAnim partial(anim);
    partial.m_FrameBounds.RemoveAt(2);
    partial.Transform(m);
    EXPECT_EQ(partial.m_Frames[1][1].m_Position, anim.m_Frames[1][1].m_Position);

    partial.ResizeJoints(4);
    EXPECT_EQ(partial.m_Joints[3].m_Parent, 0);
    EXPECT_EQ(partial.m_Joints[1].m_Name, "j1");
    partial.ResizeFrameBounds(3);
    EXPECT_EQ(partial.m_FrameBounds[2].m_Max, kZeroVec3);
    partial.ResizeFrames(5);
    EXPECT_EQ(partial.m_Frames[1][0].m_Position, (cVec3{1, 0, 0.5f}));
    EXPECT_TRUE(partial.m_Frames[4].IsEmpty());
    partial.Clear();
    EXPECT_TRUE(partial.m_Joints.IsEmpty() && partial.m_Frames.IsEmpty() && partial.m_FrameRate == 0);
    EXPECT_EQ(anim.m_Frames.Count(), 3);  // copies are deep
}

}  // namespace
}  // namespace tovan
