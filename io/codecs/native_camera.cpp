// The native camera-set file, little-endian without padding:
//   u16 magic 0x6363 ("cc"); u8 version 0; i32 frame rate; i32 track count;
//   tracks: i16 name length, name bytes, f32 value 1, f32 value 2, i32 start frame, i32 key count,
//           keys of 26 bytes: 3 f32 position, 3 f32 rotation x, y, z, i16 value (v x 256 / 32767).
#include "io/codecs/model_codecs.h"
#include "io/codecs/codec_support.h"
#include "io/codecs/native_format.h"

namespace tovan {

namespace {

using namespace native;

constexpr uint16_t kMagic = 0x6363;
constexpr int64_t kTrackBytes = 2 + 4 + 4 + 4 + 4;  // with an empty name and no keys
constexpr int kKeyBytes = 26;

bool ReadTrack(cReader& r, cCameraTrack& track) {
    int32_t keys;
    if (!r.String(track.m_Name) || !r.F32(track.m_Value1) || !r.F32(track.m_Value2) || !r.I32(track.m_StartFrame) ||
        track.m_StartFrame < 0 || !r.Count(keys, kKeyBytes))
        return false;
    const uint8_t* p = r.Take(int64_t(keys) * kKeyBytes);
    if (!p)
        return false;
    track.m_Keys.ResizeUnset(keys);
    for (cCameraKey& key : track.m_Keys) {
        key.m_Position = {LoadF32(p), LoadF32(p + 4), LoadF32(p + 8)};
        const float x = LoadF32(p + 12), y = LoadF32(p + 16), z = LoadF32(p + 20);
        key.m_Rotation = {x, y, z, RotationW(x, y, z)};
        key.m_Value = P16Value(LoadI16(p + 24));
        p += kKeyBytes;
    }
    return true;
}

bool ReadCamera(cReader& r, cCamera& camera) {
    uint16_t magic;
    uint8_t version;
    int32_t tracks;
    if (!r.U16(magic) || magic != kMagic || !r.U8(version) || version != 0 || !r.I32(camera.m_FrameRate) ||
        camera.m_FrameRate < 0 || !r.Count(tracks, kTrackBytes))
        return false;
    camera.m_Tracks.Resize(tracks);
    for (cCameraTrack& track : camera.m_Tracks)
        if (!ReadTrack(r, track))
            return false;
    return true;
}

// The file's size, or -1 when a field cannot hold its value or the decoder
// would refuse what it reads back.
int64_t MeasureCamera(const cCamera& camera) {
    if (camera.m_FrameRate < 0)
        return -1;
    int64_t size = 2 + 1 + 4 + 4;
    for (const cCameraTrack& track : camera.m_Tracks) {
        if (!TextFits(track.m_Name) || track.m_StartFrame < 0)
            return -1;
        size += kTrackBytes + track.m_Name.Length() + int64_t(track.m_Keys.Count()) * kKeyBytes;
    }
    return size;
}

void StoreCamera(cByteWriter& w, const cCamera& camera) {
    w.U16(kMagic);
    w.U8(0);
    w.I32(camera.m_FrameRate);
    w.I32(camera.m_Tracks.Count());
    for (const cCameraTrack& track : camera.m_Tracks) {
        Text(w, track.m_Name);
        w.F32(track.m_Value1);
        w.F32(track.m_Value2);
        w.I32(track.m_StartFrame);
        w.I32(track.m_Keys.Count());
        for (const cCameraKey& key : track.m_Keys) {
            w.F32(key.m_Position.x);
            w.F32(key.m_Position.y);
            w.F32(key.m_Position.z);
            // The same rotation with w >= 0, whose w the reader can rebuild.
            const cQuat& q = key.m_Rotation;
            const float sign = q.w < 0 ? -1.0f : 1.0f;
            w.F32(sign * q.x);
            w.F32(sign * q.y);
            w.F32(sign * q.z);
            w.I16(Quantize(key.m_Value, kP16Scale));
        }
    }
}

}  // namespace

bool cCodecCamera::Decode(cStream& in, cCamera& out) const { return RunDecode(in, out, ReadCamera); }

bool cCodecCamera::Encode(const cCamera& in, cStream& out) const {
    return RunEncode([&] {
        const int64_t size = MeasureCamera(in);
        uint8_t* gap = size < 0 ? nullptr : codec::OpenGapUnset(out, size);
        if (!gap)
            return false;
        cByteWriter w(gap);
        StoreCamera(w, in);
        return true;
    });
}

}  // namespace tovan
