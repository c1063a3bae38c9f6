#include "io/model/camera.h"

#include <cmath>

#include "core/view.h"

namespace tovan {

namespace {
// Frames in 64 bits: a start near the top of the int range plus a key count
// must not wrap round.
float FrameTime(int64_t frame, int32_t frameRate) { return frameRate > 0 ? float(double(frame) / frameRate) : 0; }
}  // namespace

float cCameraTrack::StartTime(int32_t frameRate) const { return FrameTime(m_StartFrame, frameRate); }

float cCameraTrack::EndTime(int32_t frameRate) const {
    return FrameTime(int64_t(m_StartFrame) + m_Keys.Count() - 1, frameRate);
}

void cCamera::Clear() {
    m_FrameRate = 0;
    m_Tracks.Free();
}

void SampleCameraPlayback(const cCamera& camera, CameraPlaybackState& state) {
    if (state.m_Track < 0 || state.m_Track >= camera.m_Tracks.Count())
        return;
    const cCameraTrack& track = camera.m_Tracks[state.m_Track];
    state.m_Mode = 1;
    state.m_Flag = 0;
    if (CurrentView)
        state.m_Viewport = CurrentView->m_Viewport;
    state.m_TrackValue1 = track.m_Value1;
    state.m_TrackValue2 = track.m_Value2;
    const int keys = track.m_Keys.Count();
    if (keys == 0)
        return;
    const float start = track.StartTime(camera.m_FrameRate);
    const float end = track.EndTime(camera.m_FrameRate);
    const float time = std::fmin(std::fmax(state.m_Time, start), end);
    const double t = double(time - start) * camera.m_FrameRate;
    const cCameraKey* key;
    if (!(t > 0)) {
        key = &track.m_Keys[0];
    } else if (t >= keys - 1) {
        key = &track.m_Keys[keys - 1];
    } else {
        const int i = int(std::floor(t));
        const float f = float(t - i);
        const cCameraKey& a = track.m_Keys[i];
        const cCameraKey& b = track.m_Keys[i + 1];
        state.m_Position = a.m_Position + (b.m_Position - a.m_Position) * f;
        state.m_Rotation = cQuat::Slerp(a.m_Rotation, b.m_Rotation, f);
        state.m_Value = a.m_Value + (b.m_Value - a.m_Value) * f;
        return;
    }
    state.m_Position = key->m_Position;
    state.m_Rotation = key->m_Rotation;
    state.m_Value = key->m_Value;
}

bool AdvanceCameraPlayback(const cCamera& camera, float step, CameraPlaybackState& state) {
    const int tracks = camera.m_Tracks.Count();
    const int32_t rate = camera.m_FrameRate;
    if (tracks == 0)
        return true;
    if (state.m_Track < 0 || state.m_Track >= tracks) {
        state.m_Track = -1;
        if (step == 0) {
            // Shows the first pose without starting: track and time stay.
            const float time = state.m_Time;
            state.m_Track = 0;
            state.m_Time = camera.m_Tracks[0].StartTime(rate);
            SampleCameraPlayback(camera, state);
            state.m_Track = -1;
            state.m_Time = time;
            return false;
        }
        state.m_Track = step > 0 ? 0 : tracks - 1;
        const cCameraTrack& track = camera.m_Tracks[state.m_Track];
        state.m_Time = step > 0 ? track.StartTime(rate) : track.EndTime(rate);
        SampleCameraPlayback(camera, state);
        return false;
    }
    bool wrapped = false;
    state.m_Time += step;
    if (step >= 0) {
        if (state.m_Time <= camera.m_Tracks[state.m_Track].EndTime(rate)) {
            SampleCameraPlayback(camera, state);
            return false;
        }
        if (++state.m_Track >= tracks) {
            state.m_Track = 0;
            wrapped = true;
        }
        state.m_Time = camera.m_Tracks[state.m_Track].StartTime(rate);  // the rest of the step is dropped
    } else {
        if (state.m_Time >= camera.m_Tracks[state.m_Track].StartTime(rate)) {
            SampleCameraPlayback(camera, state);
            return false;
        }
        if (--state.m_Track < 0) {
            state.m_Track = tracks - 1;
            wrapped = true;
        }
        state.m_Time = camera.m_Tracks[state.m_Track].EndTime(rate);
    }
    SampleCameraPlayback(camera, state);
    return wrapped;
}

}  // namespace tovan
