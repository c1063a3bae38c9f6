// The native animation file, little-endian without padding:
//   u16 magic 0x6163 ("ca"); u8 version 0; i16 frame rate; i16 joint count;
//   joints: i16 name length, name bytes, i16 parent;
//   i32 frame count;
//   keys, per frame per joint: 3 p16 position, 3 i16/32767 rotation x, y, z, 3 p16 scale;
//   bounds, per frame: 6 p16 (min x, y, z, max x, y, z).
// A p16 value v stands for v x 256 / 32767.
#include "io/codecs/model_codecs.h"
#include "io/codecs/codec_support.h"
#include "io/codecs/native_format.h"

namespace tovan {

namespace {

using namespace native;

constexpr uint16_t kMagic = 0x6163;
constexpr int64_t kJointBytes = 2 + 2;  // with an empty name
constexpr int kKeyBytes = 18;
constexpr int kBoundsBytes = 12;

cVec3 LoadP16x3(const uint8_t* p) { return {P16Value(LoadI16(p)), P16Value(LoadI16(p + 2)), P16Value(LoadI16(p + 4))}; }

bool ReadAnim(cReader& r, cAnim& anim) {
    uint16_t magic;
    uint8_t version;
    int16_t rate, jointCount;
    if (!r.U16(magic) || magic != kMagic || !r.U8(version) || version != 0 || !r.I16(rate) || rate < 0 ||
        !r.I16(jointCount) || !r.Fits(jointCount, kJointBytes))
        return false;
    anim.m_FrameRate = rate;
    anim.m_Joints.Resize(jointCount);
    for (cAnimJoint& joint : anim.m_Joints) {
        int16_t parent;
        if (!r.String(joint.m_Name) || !r.I16(parent) || parent < -1 || parent >= jointCount)
            return false;
        joint.m_Parent = parent;
    }
    int32_t frameCount;
    const int64_t frameBytes = int64_t(jointCount) * kKeyBytes + kBoundsBytes;
    if (!r.Count(frameCount, frameBytes))
        return false;
    const uint8_t* p = r.Take(frameCount * frameBytes);
    if (!p)
        return false;
    anim.m_Frames.Resize(frameCount);
    for (cList<cAnimKey>& keys : anim.m_Frames) {
        keys.ResizeUnset(jointCount);
        for (cAnimKey& key : keys) {
            key.m_Position = LoadP16x3(p);
            const float x = UnitValue(LoadI16(p + 6)), y = UnitValue(LoadI16(p + 8)), z = UnitValue(LoadI16(p + 10));
            key.m_Rotation = {x, y, z, RotationW(x, y, z)};
            key.m_Scale = LoadP16x3(p + 12);
            p += kKeyBytes;
        }
    }
    anim.m_FrameBounds.Resize(frameCount);
    for (cBounds& bounds : anim.m_FrameBounds) {
        bounds.m_Min = LoadP16x3(p);
        bounds.m_Max = LoadP16x3(p + 6);
        p += kBoundsBytes;
    }
    return true;
}

void StoreP16x3(cByteWriter& w, const cVec3& v) {
    w.I16(Quantize(v.x, kP16Scale));
    w.I16(Quantize(v.y, kP16Scale));
    w.I16(Quantize(v.z, kP16Scale));
}

// The file's size, or -1 when a field cannot hold its value, a frame's keys
// are not one per joint, or frames lack bounds.
int64_t MeasureAnim(const cAnim& anim) {
    const int joints = anim.m_Joints.Count(), frames = anim.m_Frames.Count();
    if (anim.m_FrameRate < 0 || anim.m_FrameRate > 32767 || joints > 32767 || anim.m_FrameBounds.Count() < frames)
        return -1;
    int64_t size = 2 + 1 + 2 + 2 + 4;
    for (const cAnimJoint& joint : anim.m_Joints) {
        if (!TextFits(joint.m_Name) || joint.m_Parent < -1 || joint.m_Parent >= joints)
            return -1;
        size += kJointBytes + joint.m_Name.Length();
    }
    for (const cList<cAnimKey>& keys : anim.m_Frames)
        if (keys.Count() != joints)
            return -1;
    return size + int64_t(frames) * (int64_t(joints) * kKeyBytes + kBoundsBytes);
}

void StoreAnim(cByteWriter& w, const cAnim& anim) {
    w.U16(kMagic);
    w.U8(0);
    w.U16(uint16_t(anim.m_FrameRate));
    w.U16(uint16_t(anim.m_Joints.Count()));
    for (const cAnimJoint& joint : anim.m_Joints) {
        Text(w, joint.m_Name);
        w.U16(uint16_t(joint.m_Parent));
    }
    w.I32(anim.m_Frames.Count());
    for (const cList<cAnimKey>& keys : anim.m_Frames) {
        for (const cAnimKey& key : keys) {
            StoreP16x3(w, key.m_Position);
            // The same rotation with w >= 0, whose w the reader can rebuild.
            const cQuat& q = key.m_Rotation;
            const float sign = q.w < 0 ? -1.0f : 1.0f;
            w.I16(Quantize(sign * q.x, kUnitScale));
            w.I16(Quantize(sign * q.y, kUnitScale));
            w.I16(Quantize(sign * q.z, kUnitScale));
            StoreP16x3(w, key.m_Scale);
        }
    }
    for (int f = 0; f < anim.m_Frames.Count(); ++f) {
        StoreP16x3(w, anim.m_FrameBounds[f].m_Min);
        StoreP16x3(w, anim.m_FrameBounds[f].m_Max);
    }
}

}  // namespace

bool cCodecAnim::Decode(cStream& in, cAnim& out) const { return RunDecode(in, out, ReadAnim); }

bool cCodecAnim::Encode(const cAnim& in, cStream& out) const {
    return RunEncode([&] {
        const int64_t size = MeasureAnim(in);
        uint8_t* gap = size < 0 ? nullptr : codec::OpenGapUnset(out, size);
        if (!gap)
            return false;
        cByteWriter w(gap);
        StoreAnim(w, in);
        return true;
    });
}

}  // namespace tovan
