// cTransform and cPosition: small reflected classes that give an editable
// object its place in the 3-D scene. Their values are ordinary members; the
// "Show" button attaches gizmos to them, which ManipulatorMode then keeps in
// step every frame through UpdateHook until it becomes 0.
//
// The gizmos hold raw pointers into these objects: they are unbound and
// removed whenever the object is released, reset or destroyed.
#pragma once
#include "classes/button_field.h"
#include "classes/class.h"
#include "classes/member.h"
#include "classes/vector_fields.h"
#include "core/mat.h"
#include "core/vec.h"

namespace tovan {

class cMoveTool;
class cRotateTool;
class cScaleTool;

class cTransform : public cClass {
    TOVAN_CLASS(cTransform)
public:
    cTransform() = default;

    void SetDefaults() override;
    void ReleaseHooks() override { RemoveGizmos(); }
    void RegisterMembers() override;
    void UpdateHook() override;

    // The button: mode 0 becomes 1 (move), then the gizmos follow the mode.
    void Show();
    // Creates the gizmos ManipulatorMode wants (4: all three), removes the
    // others, and hands the rest the local flag, the parent matrices and the
    // universal flag.
    void SyncGizmos();
    void RemoveGizmos();

    cMoveTool* MoveTool() const { return m_MoveTool; }
    cRotateTool* RotateTool() const { return m_RotateTool; }
    cScaleTool* ScaleTool() const { return m_ScaleTool; }

    cVec3 m_Scale{1, 1, 1};
    cAngles m_Rotate;  // Euler angles, degrees
    cVec3 m_Translate;
    // Parent space to world and back; identity unless the application nests
    // transforms, in which case it keeps them inverse to each other.
    cMat4 m_ParentMatrix;
    cMat4 m_ParentInverse;

private:
    cScaleTool* m_ScaleTool = nullptr;
    cRotateTool* m_RotateTool = nullptr;
    cMoveTool* m_MoveTool = nullptr;
};

class cPosition : public cClass {
    TOVAN_CLASS(cPosition)
public:
    cPosition() = default;

    void SetDefaults() override { RemoveGizmo(); }
    void ReleaseHooks() override { RemoveGizmo(); }
    void RegisterMembers() override;
    void UpdateHook() override;

    // The button: mode 0 becomes 1, then the gizmo follows the mode.
    void Show();
    // A move gizmo in every mode but 0.
    void SyncGizmo();
    void RemoveGizmo();

    cMoveTool* MoveTool() const { return m_MoveTool; }

    cVec3 m_Position;

private:
    cMoveTool* m_MoveTool = nullptr;
};

}  // namespace tovan
