// Reading md5anim text: the counts, a "hierarchy" and a "baseframe" block and
// one "frame" block per frame, posed joint by joint into keys. A file that
// stops short of a count, a block or a frame it announced is refused. The
// file's own "bounds" block is not read; the frame bounds come from the keys.

#include "io/codecs/md5_text.h"
#include "io/codecs/model_codecs.h"

namespace tovan {

namespace {

using md5::cMd5Lines;

// The shortest lines, which bound the counts: a joint has a hierarchy line
// and a base-frame line, a frame at least "frame k {" and "}".
constexpr int kJointBytes = 8 + 12;
constexpr int kFrameBytes = 12;
// Keys of more than this many bytes are refused: a short file can announce
// frames and joints whose product is far beyond any animation.
constexpr int64_t kMaxKeyBytes = int64_t(512) << 20;

struct Joint {
    cStr name;
    int32_t parent = -1;
    int32_t flags = 0;
    int32_t first = 0;  // the first of its components in each frame
};

struct Pose {
    cVec3 position;
    cQuat rotation;
};

struct Md5Anim {
    cList<Joint> joints;
    cList<Pose> base;
    cList<cList<float>> frames;
    int32_t frameRate = 0;
    int32_t components = 0;
};

bool ReadHierarchy(cMd5Lines& lines, cList<Joint>& joints) {
    int n = 0;
    while (lines.Next(true)) {
        if (lines.Is(0, "}"))
            return n == joints.Count();
        if (n >= joints.Count() || lines.Count() < 4)
            return false;
        Joint& joint = joints[n];
        joint.name = lines.Text(0);
        // Poses are made in list order: a parent must come before its child.
        if (!lines.Int(1, joint.parent) || joint.parent < -1 || joint.parent >= n || !lines.Int(2, joint.flags) ||
            !lines.Int(3, joint.first))
            return false;
        ++n;
    }
    return false;
}

bool ReadBase(cMd5Lines& lines, cList<Pose>& base) {
    int n = 0;
    while (lines.Next(true)) {
        if (lines.Is(0, "}"))
            return n == base.Count();
        cVec3 q;
        if (n >= base.Count() || lines.Count() < 6 || !lines.Vec3(0, base[n].position) || !lines.Vec3(3, q))
            return false;
        base[n++].rotation = md5::Rotation(q);
    }
    return false;
}

bool ReadFrame(cMd5Lines& lines, int32_t components, cList<float>& frame) {
    frame.Resize(0);
    while (lines.Next(true)) {
        if (lines.Is(0, "}"))
            return frame.Count() == components;
        for (int i = 0; i < lines.Count(); ++i) {
            float v;
            if (!lines.Float(i, v))
                return false;
            frame.PushBack(v);
        }
    }
    return false;
}

// A count line starts its list afresh: the items it announces must all
// follow it.
bool ReadFile(cMd5Lines& lines, Md5Anim& anim) {
    bool frameCount = false, jointCount = false, componentCount = false;
    bool hierarchyGiven = false, baseGiven = false;
    cList<uint8_t> framesGiven;  // 1 for each frame whose block was read
    while (lines.Next(false)) {
        int32_t n = 0;
        if (lines.Is(0, "numFrames")) {
            if (!lines.ItemCount(1, kFrameBytes, n))
                return false;
            anim.frames.Resize(n);
            framesGiven.Resize(0);
            framesGiven.Resize(n, 0);
            frameCount = true;
        } else if (lines.Is(0, "numJoints")) {
            if (!lines.ItemCount(1, kJointBytes, n))
                return false;
            anim.joints.Resize(n);
            anim.base.Resize(n);
            jointCount = true;
            hierarchyGiven = baseGiven = false;
        } else if (lines.Is(0, "frameRate")) {
            if (!lines.Int(1, anim.frameRate))
                return false;
        } else if (lines.Is(0, "numAnimatedComponents")) {
            if (!lines.Int(1, anim.components) || anim.components < 0)
                return false;
            componentCount = true;
        } else if (lines.Is(0, "hierarchy")) {
            if (!ReadHierarchy(lines, anim.joints))
                return false;
            hierarchyGiven = true;
        } else if (lines.Is(0, "baseframe")) {
            if (!ReadBase(lines, anim.base))
                return false;
            baseGiven = true;
        } else if (lines.Is(0, "frame")) {
            if (!lines.Int(1, n) || n < 0 || n >= anim.frames.Count() || framesGiven[n] ||
                !ReadFrame(lines, anim.components, anim.frames[n]))
                return false;
            framesGiven[n] = 1;
        }
    }
    if (!frameCount || !jointCount || !componentCount || (!anim.joints.IsEmpty() && !(hierarchyGiven && baseGiven)))
        return false;
    // Every frame was given, and holds the components counted last.
    for (int f = 0; f < anim.frames.Count(); ++f)
        if (!framesGiven[f] || anim.frames[f].Count() != anim.components)
            return false;
    return true;
}

// One frame's pose of every joint in model space: the base frame with the
// components the joint's flags select (bits 0 to 5: position x, y, z, then
// rotation x, y, z), put under its parent. A frame without components (the
// file animates none) is the base frame.
bool PoseFrame(const Md5Anim& anim, const cList<float>& components, cList<Pose>& pose) {
    const int count = anim.joints.Count();
    for (int j = 0; j < count; ++j) {
        const Joint& joint = anim.joints[j];
        Pose p = anim.base[j];
        if (!components.IsEmpty()) {
            float* value[6] = {&p.position.x, &p.position.y, &p.position.z,
                               &p.rotation.x, &p.rotation.y, &p.rotation.z};
            int64_t at = joint.first;
            for (int bit = 0; bit < 6; ++bit) {
                if (!(joint.flags & (1 << bit)))
                    continue;
                if (at < 0 || at >= components.Count())
                    return false;
                *value[bit] = components[int(at++)];
            }
            p.rotation.w = md5::RotationW(p.rotation.x, p.rotation.y, p.rotation.z);
        }
        if (joint.parent >= 0) {
            const Pose& parent = pose[joint.parent];
            p.position = parent.position + md5::Rotate(parent.rotation, p.position);
            p.rotation = parent.rotation * p.rotation;
        }
        pose[j] = p;
    }
    return true;
}

bool Read(cStream& in, cAnim& out) {
    cMd5Lines lines(in);
    Md5Anim anim;
    if (!ReadFile(lines, anim))
        return false;
    in.m_Position = in.Count();
    const int joints = anim.joints.Count(), frames = anim.frames.Count();
    if (int64_t(joints) * frames * int64_t(sizeof(cAnimKey)) > kMaxKeyBytes)
        return false;

    out.m_FrameRate = anim.frameRate;
    out.m_Joints.Resize(joints);
    for (int j = 0; j < joints; ++j) {
        out.m_Joints[j].m_Name = anim.joints[j].name;
        out.m_Joints[j].m_Parent = anim.joints[j].parent;
    }
    cList<Pose> pose;
    pose.Resize(joints);
    cList<cAnimKey> keys;
    keys.Resize(joints);
    out.m_Frames.Grow(frames);
    for (int f = 0; f < frames; ++f) {
        if (!PoseFrame(anim, anim.frames[f], pose))
            return false;
        for (int j = 0; j < joints; ++j)
            keys[j] = {md5::ToSpace(pose[j].position), md5::ToSpace(pose[j].rotation), {1, 1, 1}};
        out.AppendFrame(keys);
    }
    out.ComputeFrameBounds();
    return true;
}

}  // namespace

bool cCodecMd5Anim::Decode(cStream& in, cAnim& out) const { return text::RunDecode(in, out, Read); }

}  // namespace tovan
