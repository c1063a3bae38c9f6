// cAnim: a skeletal animation. Named joints with parents, one pose per frame
// (a key for every joint, in joint order) and the bounds of each frame. The
// native "ca" codec and the md5anim reader fill it.
#pragma once
#include <cstdint>

#include "core/bounds.h"
#include "core/list.h"
#include "core/mat.h"
#include "core/quat.h"
#include "core/str.h"
#include "core/vec.h"

namespace tovan {

struct cAnimJoint {
    cStr m_Name;
    int32_t m_Parent = -1;  // -1: a root
};

struct cAnimKey {
    cVec3 m_Position;
    cQuat m_Rotation;
    cVec3 m_Scale;
};

static_assert(sizeof(cAnimKey) == 40, "ten floats");

class cAnim {
public:
    cAnim() = default;
    cAnim(const cAnim& other) { Copy(other); }
    cAnim& operator=(const cAnim& other) {
        Copy(other);
        return *this;
    }
    cAnim(cAnim&&) noexcept = default;
    cAnim& operator=(cAnim&&) noexcept = default;
    ~cAnim() = default;

    // Lists freed, frame rate 0.
    void Clear();
    void Copy(const cAnim& other);

    // One box per frame, grown by the positions of that frame's keys.
    void ComputeFrameBounds();
    // Positions by m (row vectors, divided by w), rotations by m's rotation on
    // the left, then the frame bounds again. Nothing unless there are as many
    // frame bounds as frames.
    void Transform(const cMat4& m);

    // Appends a copy of a frame's keys.
    void AppendFrame(const cList<cAnimKey>& keys) { m_Frames.PushBack(keys); }
    // New joints have empty names and parent 0, new frames no keys, new bounds
    // are zero boxes; frames and bounds kept keep their values.
    void ResizeJoints(int n);
    void ResizeFrames(int n) { m_Frames.Resize(n); }
    void ResizeFrameBounds(int n) { m_FrameBounds.Resize(n, cBounds(kZeroVec3, kZeroVec3)); }

    cList<cAnimJoint> m_Joints;
    cList<cList<cAnimKey>> m_Frames;
    cList<cBounds> m_FrameBounds;
    int32_t m_FrameRate = 0;  // frames per second
};

}  // namespace tovan
