#include "io/model/anim.h"

namespace tovan {

void cAnim::Clear() {
    m_Joints.Free();
    m_Frames.Free();
    m_FrameBounds.Free();
    m_FrameRate = 0;
}

void cAnim::Copy(const cAnim& other) {
    if (this == &other)
        return;
    m_Joints = other.m_Joints;
    m_Frames = other.m_Frames;
    m_FrameBounds = other.m_FrameBounds;
    m_FrameRate = other.m_FrameRate;
}

void cAnim::ResizeJoints(int n) {
    cAnimJoint fresh;
    fresh.m_Parent = 0;
    m_Joints.Resize(n, fresh);
}

void cAnim::ComputeFrameBounds() {
    m_FrameBounds.Resize(0);
    m_FrameBounds.Resize(m_Frames.Count());
    for (int f = 0; f < m_Frames.Count(); ++f)
        for (const cAnimKey& key : m_Frames[f])
            m_FrameBounds[f].Add(key.m_Position);
}

void cAnim::Transform(const cMat4& m) {
    if (m_FrameBounds.Count() != m_Frames.Count())
        return;
    const cQuat rotation = m.GetUpper3x3().ToQuat();
    for (cList<cAnimKey>& keys : m_Frames) {
        for (cAnimKey& key : keys) {
            key.m_Position = m.TransformPoint(key.m_Position);
            key.m_Rotation = rotation * key.m_Rotation;
        }
    }
    ComputeFrameBounds();
}

}  // namespace tovan
