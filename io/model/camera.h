// cCamera: a set of named camera paths (tracks) sharing one frame rate. Each
// track is a run of keyed poses starting at a frame: track k covers the frames
// start .. start + keys - 1, in seconds start / rate .. (start + keys - 1) /
// rate (both 0 at a rate of 0 or below). Playback walks the tracks over time.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/quat.h"
#include "core/rect.h"
#include "core/str.h"
#include "core/vec.h"

namespace tovan {

struct cCameraKey {
    cVec3 m_Position;
    cQuat m_Rotation;
    float m_Value = 0;
};

struct cCameraTrack {
    cStr m_Name;
    float m_Value1 = 0;
    float m_Value2 = 0;
    int32_t m_StartFrame = 0;
    cList<cCameraKey> m_Keys;

    float StartTime(int32_t frameRate) const;
    float EndTime(int32_t frameRate) const;  // below the start for a track without keys
};

class cCamera {
public:
    void Clear();  // frame rate 0, no tracks
    // New tracks have empty names and lists and zero values; kept tracks keep theirs.
    void ResizeTracks(int n) { m_Tracks.Resize(n); }

    int32_t m_FrameRate = 0;
    cList<cCameraTrack> m_Tracks;
};

// Zero-fills new keys.
inline void ResizeKeys(cCameraTrack& track, int n) { track.m_Keys.Resize(n, cCameraKey{kZeroVec3, {0, 0, 0, 0}, 0}); }

// Where a playback stands and what it sampled last. Owned by the caller.
struct CameraPlaybackState {
    int32_t m_Track = -1;  // -1 before the first step
    float m_Time = 0;      // seconds on the shared time line
    cVec3 m_Position;
    cQuat m_Rotation;
    cRect m_Viewport;  // the current view's, at each sample
    int32_t m_Mode = 0;
    float m_Value = 0;
    float m_TrackValue1 = 0;
    float m_TrackValue2 = 0;
    int32_t m_Flag = 0;
};

// Moves the time by `step` seconds (backwards when negative), moving to the
// next (previous) track past the current one's end (start), and samples. True
// when playback wrapped round, or when there is nothing to play.
bool AdvanceCameraPlayback(const cCamera& camera, float step, CameraPlaybackState& state);
// The pose of the current track at the state's time: keys interpolated
// linearly, rotations spherically. A track without keys leaves the pose as it was.
void SampleCameraPlayback(const cCamera& camera, CameraPlaybackState& state);

}  // namespace tovan
