// Camera sets: the native file and playback over time.
#include <climits>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "io/codecs/model_codecs.h"
#include "tests/io/codec_files.h"
#include "tests/support/fixed_view.h"

namespace tovan {
namespace {

bool Decode(const std::string& bytes, cCamera& camera) { return test::DecodeNative<cCodecCamera>(bytes, camera); }

std::string Encode(const cCamera& camera) { return test::EncodeNative<cCodecCamera>(camera); }

// A track of `keys` keys starting at `start`: key k at (k, track, 0) with value k,
// turned k x 10 degrees about Y.
void AddTrack(cCamera& camera, int start, int keys) {
    cCameraTrack& track = camera.m_Tracks[camera.m_Tracks.PushBack(cCameraTrack())];
    track.m_Name = cStr::Format("track%d", camera.m_Tracks.Count() - 1);
    track.m_Value1 = float(camera.m_Tracks.Count());
    track.m_Value2 = 60;
    track.m_StartFrame = start;
    for (int k = 0; k < keys; ++k)
        track.m_Keys.PushBack(
            {{float(k), float(camera.m_Tracks.Count() - 1), 0}, cQuat::FromAxisAngle({0, 1, 0}, 10.0f * k), float(k)});
}

// Frame rate 10; track 0 from frame 0 with 11 keys (0 to 1 s); track 1 at frame 20 with one key (2 s).
cCamera TwoTracks() {
    cCamera camera;
    camera.m_FrameRate = 10;
    AddTrack(camera, 0, 11);
    AddTrack(camera, 20, 1);
    return camera;
}

TEST(NativeCamera, CommittedFileAndRoundTrip) {
    const std::string file = test::ReadDataFile("camera/path.cc");
    cCamera camera;
    ASSERT_TRUE(Decode(file, camera));
    EXPECT_EQ(camera.m_FrameRate, 10);
    ASSERT_EQ(camera.m_Tracks.Count(), 2);
    const cCameraTrack& intro = camera.m_Tracks[0];
    EXPECT_EQ(intro.m_Name, "intro");
    EXPECT_EQ(intro.m_Value1, 0.5f);
    EXPECT_EQ(intro.m_Value2, 60.0f);
    EXPECT_EQ(intro.m_Keys[2].m_Position, (cVec3{2, 0, -5}));
    EXPECT_EQ(intro.m_Keys[2].m_Rotation, cQuat());
    // 90 is stored as trunc(90 x 32767 / 256) and reads back slightly below.
    EXPECT_EQ(intro.m_Keys[0].m_Value, 11519 * 256 / 32767.0f);
    EXPECT_GT(intro.m_Keys[0].m_Value, 89.99f);
    EXPECT_EQ(camera.m_Tracks[1].m_StartFrame, 20);
    EXPECT_NEAR(camera.m_Tracks[1].m_Keys[0].m_Rotation.w, std::sqrt(0.5f), 1e-6f);
    EXPECT_EQ(Encode(camera), file);

    camera = TwoTracks();
    camera.m_Tracks[0].m_Keys[3].m_Rotation = {0, 0.6f, 0, -0.8f};
    const std::string bytes = Encode(camera);
    EXPECT_EQ(bytes.size(), 11 + 2 * (2 + 6 + 16) + 12 * 26);
    cCamera back;
    ASSERT_TRUE(Decode(bytes, back));
    EXPECT_EQ(back.m_Tracks[1].m_Name, "track1");
    EXPECT_EQ(back.m_Tracks[0].m_Keys[5].m_Position, (cVec3{5, 0, 0}));
    EXPECT_NEAR(back.m_Tracks[0].m_Keys[5].m_Value, 5, 256.0 / 32767);
    EXPECT_EQ(back.m_Tracks[0].m_Keys[3].m_Rotation.y, -0.6f);  // w < 0 stored negated
    EXPECT_NEAR(back.m_Tracks[0].m_Keys[3].m_Rotation.w, 0.8f, 1e-6f);
}

TEST(NativeCamera, RefusedFilesLeaveTheSetCleared) {
    // path.cc: version at 2, frame rate at 3, track count at 7, the first name's
    // length at 11 and text at 13; its start frame at 26, key count at 30.
    const std::string file = test::ReadDataFile("camera/path.cc");
    const struct {
        size_t at;
        std::string bytes;
        const char* what;
    } cases[] = {
        {0, "x", "magic"},
        {2, "\x01", "version 1"},
        {2, "\x02", "version 2"},
        {6, "\x80", "negative frame rate"},
        {10, "\x80", "negative track count"},
        {7, "\x7F", "more tracks than bytes"},
        {12, "\x80", "negative name length"},
        {14, std::string(1, '\0'), "zero byte in a name"},
        {29, "\x80", "negative start frame"},
        {33, "\x80", "negative key count"},
        {30, "\x7F", "more keys than bytes"},
    };
    for (const auto& c : cases) {
        std::string bytes = file;
        bytes.replace(c.at, c.bytes.size(), c.bytes);
        cCamera camera = TwoTracks();
        EXPECT_FALSE(Decode(bytes, camera)) << c.what;
        EXPECT_EQ(camera.m_FrameRate, 0) << c.what;
        EXPECT_TRUE(camera.m_Tracks.IsEmpty()) << c.what;
    }
    for (size_t n = 0; n < file.size(); ++n) {
        cCamera camera;
        EXPECT_FALSE(Decode(file.substr(0, n), camera)) << n;
    }
}

TEST(NativeCamera, EncoderRefusesWhatTheReaderWouldRefuse) {
    const struct {
        const char* what;
        void (*spoil)(cCamera&);
    } cases[] = {
        {"a negative frame rate", [](cCamera& c) { c.m_FrameRate = -10; }},
        {"a negative start frame", [](cCamera& c) { c.m_Tracks[1].m_StartFrame = -1; }},
        {"a name of 32768 bytes", [](cCamera& c) { c.m_Tracks[0].m_Name.Fill(32768, 'c'); }},
        {"a zero byte in a name", [](cCamera& c) { c.m_Tracks[0].m_Name = cStr("a\0", 2); }},
    };
    for (const auto& c : cases) {
        cCamera camera = TwoTracks();
        c.spoil(camera);
        EXPECT_EQ(Encode(camera), "") << c.what;
    }
    // Values saturate: 300 stores as 32767, NaN as 0.
    cCamera camera = TwoTracks(), back;
    camera.m_Tracks[1].m_Keys[0].m_Value = 300;
    camera.m_Tracks[0].m_Keys[0].m_Value = std::nanf("");
    ASSERT_TRUE(Decode(Encode(camera), back));
    EXPECT_EQ(back.m_Tracks[1].m_Keys[0].m_Value, 256.0f);
    EXPECT_EQ(back.m_Tracks[0].m_Keys[0].m_Value, 0.0f);
}

TEST(CameraRecord, TrackTimesInSixtyFourBitsAndResizing) {
    cCamera camera = TwoTracks();
    EXPECT_EQ(camera.m_Tracks[0].EndTime(10), 1.0f);
    EXPECT_EQ(camera.m_Tracks[1].StartTime(10), 2.0f);
    EXPECT_EQ(camera.m_Tracks[1].StartTime(-5), 0.0f);
    camera.m_Tracks[0].m_StartFrame = INT_MAX;  // start + keys - 1 must not wrap round
    EXPECT_GE(camera.m_Tracks[0].EndTime(1), camera.m_Tracks[0].StartTime(1));
    camera.ResizeTracks(3);
    EXPECT_EQ(camera.m_Tracks[1].m_Keys.Count(), 1);
    EXPECT_TRUE(camera.m_Tracks[2].m_Name.IsEmpty() && camera.m_Tracks[2].m_Value1 == 0);
    ResizeKeys(camera.m_Tracks[2], 2);
    EXPECT_EQ(camera.m_Tracks[2].m_Keys[1].m_Rotation.w, 0.0f);
    camera.Clear();
    EXPECT_TRUE(camera.m_FrameRate == 0 && camera.m_Tracks.IsEmpty());
}

// Frame rate 10, track 0 (0 to 1 s, key k at x = k) and track 1 (one key at 2 s).
TEST(CameraPlayback, StepsForwardAndBackwardOverTheTracks) {
    const cCamera camera = TwoTracks();
    const struct {
        float dt;
        bool wrapped;
        int track;
        float time;
        float x;
    } forward[] =
        {
            {0.5f, false, 0, 0.0f, 0},       // a fresh state only starts at key 0
            {0.55f, false, 0, 0.55f, 5.5f},  // halfway between keys 5 and 6
            {0.7f, false, 1, 2.0f, 0},       // past the end: the next track's start, the rest dropped
            {0.3f, true, 0, 0.0f, 0},        // past the last track: wrapped round
            {0.75f, false, 0, 0.75f, 7.5f},  //
            {0.25f, false, 0, 1.0f, 10},     // the end of a track still samples it
        },
      backward[] = {
          {-0.1f, false, 1, 2.0f, 0},   // a fresh state starts at the end of the last track
          {-0.1f, false, 0, 1.0f, 10},  // before the start: the previous track's end
          {-0.25f, false, 0, 0.75f, 7.5f}, {-0.75f, false, 0, 0.0f, 0},
          {-0.01f, true, 1, 2.0f, 0},  // before the first track: wrapped round
      };
    for (const auto* steps : {forward, backward}) {
        CameraPlaybackState state;
        const int n = steps == forward ? 6 : 5;
        for (int i = 0; i < n; ++i) {
            const auto& s = steps[i];
            EXPECT_EQ(AdvanceCameraPlayback(camera, s.dt, state), s.wrapped) << i;
            EXPECT_EQ(state.m_Track, s.track) << i;
            EXPECT_NEAR(state.m_Time, s.time, 1e-5f) << i;
            EXPECT_NEAR(state.m_Position.x, s.x, 1e-4f) << i;
        }
    }
    // Halfway samples interpolate the rotation spherically and the value linearly.
    CameraPlaybackState state;
    AdvanceCameraPlayback(camera, 0.1f, state);
    AdvanceCameraPlayback(camera, 0.55f, state);
    const cQuat expected =
        cQuat::Slerp(camera.m_Tracks[0].m_Keys[5].m_Rotation, camera.m_Tracks[0].m_Keys[6].m_Rotation, 0.5f);
    EXPECT_NEAR(state.m_Rotation.y, expected.y, 1e-4f);
    EXPECT_NEAR(state.m_Rotation.w, expected.w, 1e-4f);
    EXPECT_NEAR(state.m_Value, 5.5f, 1e-4f);
    EXPECT_EQ(state.m_Mode, 1);
    EXPECT_EQ(state.m_Flag, 0);
    EXPECT_EQ(state.m_TrackValue1, 1.0f);
    EXPECT_EQ(state.m_TrackValue2, 60.0f);
}

TEST(CameraPlayback, SamplingEdgeCases) {
    cCamera camera = TwoTracks();
    CameraPlaybackState state;
    // A zero first step shows key 0 of track 0 without starting.
    state.m_Time = 7;
    state.m_Position = {9, 9, 9};
    EXPECT_FALSE(AdvanceCameraPlayback(camera, 0, state));
    EXPECT_EQ(state.m_Track, -1);
    EXPECT_EQ(state.m_Time, 7.0f);
    EXPECT_EQ(state.m_Position, (cVec3{0, 0, 0}));
    // Nothing to play: true.
    EXPECT_TRUE(AdvanceCameraPlayback(cCamera(), 0.1f, state));
    // One key: every time samples it.
    state.m_Track = 1;
    for (float t : {-5.0f, 2.0f, 100.0f}) {
        state.m_Time = t;
        state.m_Position = {};
        SampleCameraPlayback(camera, state);
        EXPECT_EQ(state.m_Position, (cVec3{0, 1, 0})) << t;
    }
    // Frame rate 0: every track starts and ends at 0 and samples key 0.
    camera.m_FrameRate = 0;
    state.m_Track = 0;
    state.m_Time = 0.7f;
    SampleCameraPlayback(camera, state);
    EXPECT_EQ(state.m_Position.x, 0.0f);
    // A track without keys leaves the pose as it was, also on a first zero
    // step, and playback passes over it.
    camera = TwoTracks();
    camera.m_Tracks[0].m_Keys.Free();
    state = CameraPlaybackState();
    state.m_Position = {4, 5, 6};
    EXPECT_FALSE(AdvanceCameraPlayback(camera, 0, state));
    EXPECT_FALSE(AdvanceCameraPlayback(camera, 0.1f, state));
    EXPECT_EQ(state.m_Track, 0);
    EXPECT_EQ(state.m_Position, (cVec3{4, 5, 6}));
    EXPECT_FALSE(AdvanceCameraPlayback(camera, 0.1f, state));
    EXPECT_EQ(state.m_Track, 1);
    EXPECT_EQ(state.m_Position, (cVec3{0, 1, 0}));
    // The viewport comes from the current view, when there is one.
    const cRect viewport{0, 0, 640, 480};
    {
        const auto view = test::FixedView::Orthographic(viewport, {}, 1);
        SampleCameraPlayback(camera, state);
        EXPECT_EQ(state.m_Viewport, viewport);
    }
    state.m_Viewport = cRect{1, 2, 3, 4};
    SampleCameraPlayback(camera, state);
    EXPECT_EQ(state.m_Viewport, (cRect{1, 2, 3, 4}));
    // A track index outside the set samples nothing.
    state.m_Track = 5;
    state.m_Mode = 0;
    SampleCameraPlayback(camera, state);
    EXPECT_EQ(state.m_Mode, 0);
}

}  // namespace
}  // namespace tovan
