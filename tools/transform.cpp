#include "tools/transform.h"

#include "tools/manipulator_state.h"
#include "tools/move_tool.h"
#include "tools/rotate_tool.h"
#include "tools/scale_tool.h"

namespace tovan {

namespace {

bool Wants(int mode, int own) { return mode == own || mode == kManipulatorAll; }

template <class Tool>
void Drop(Tool*& tool) {
    RemoveGizmo(tool);
    tool = nullptr;
}

template <class Tool>
Tool* Add(Tool* tool) {
    return static_cast<Tool*>(AddGizmo(tool));
}

}  // namespace

// --- cTransform ----------------------------------------------------------------------

void cTransform::SetDefaults() {
    RemoveGizmos();  // a reset must not leave gizmos behind that nothing removes
    m_Scale = {1, 1, 1};
    m_ParentMatrix.SetIdentity();
    m_ParentInverse.SetIdentity();
}

void cTransform::RegisterMembers() {
    if (!BeginMembers())
        return;
    TOVAN_BUTTON(Show);
    TOVAN_MEMBER(_cFloat3, m_Scale, "Scale");
    TOVAN_MEMBER(_cFloat3, m_Rotate, "Rotate");
    TOVAN_MEMBER(_cFloat3, m_Translate, "Translate");
}

void cTransform::UpdateHook() {
    if (m_MoveTool || m_RotateTool || m_ScaleTool)
        SyncGizmos();
}

void cTransform::Show() {
    if (ManipulatorMode == kManipulatorNone)
        ManipulatorMode = kManipulatorMove;
    SyncGizmos();
}

void cTransform::SyncGizmos() {
    if (!Wants(ManipulatorMode, kManipulatorMove)) {
        Drop(m_MoveTool);
    } else if (!m_MoveTool) {
        cMoveTool* tool = new cMoveTool();
        tool->m_Position = &m_Translate;
        tool->m_Rotation = &m_Rotate;
        m_MoveTool = Add(tool);
    }
    if (!Wants(ManipulatorMode, kManipulatorRotate)) {
        Drop(m_RotateTool);
    } else if (!m_RotateTool) {
        cRotateTool* tool = new cRotateTool();
        tool->m_Rotation = &m_Rotate;
        tool->m_Position = &m_Translate;
        m_RotateTool = Add(tool);
    }
    if (!Wants(ManipulatorMode, kManipulatorScale)) {
        Drop(m_ScaleTool);
    } else if (!m_ScaleTool) {
        cScaleTool* tool = new cScaleTool();
        tool->m_Scale = &m_Scale;
        tool->m_Rotation = &m_Rotate;
        tool->m_Position = &m_Translate;
        m_ScaleTool = Add(tool);
    }

    const bool universal = ManipulatorMode == kManipulatorAll;
    if (m_MoveTool) {
        if (m_MoveTool->m_Rotation)
            m_MoveTool->SetLocal(ManipulatorLocal);
        m_MoveTool->m_ParentMatrix = m_ParentMatrix;
        m_MoveTool->m_ParentInverse = m_ParentInverse;
        m_MoveTool->m_Universal = universal;
    }
    if (m_RotateTool) {
        m_RotateTool->SetLocal(ManipulatorLocal);
        m_RotateTool->m_ParentMatrix = m_ParentMatrix;
        m_RotateTool->m_ParentInverse = m_ParentInverse;
        m_RotateTool->m_Universal = universal;
    }
    if (m_ScaleTool) {
        m_ScaleTool->m_ParentMatrix = m_ParentMatrix;
        m_ScaleTool->m_Universal = universal;
    }
}

void cTransform::RemoveGizmos() {
    Drop(m_MoveTool);
    Drop(m_RotateTool);
    Drop(m_ScaleTool);
}

// --- cPosition -----------------------------------------------------------------------

void cPosition::RegisterMembers() {
    if (!BeginMembers())
        return;
    TOVAN_MEMBER(_cFloat3, m_Position, "Position");
    TOVAN_BUTTON(Show);
}

void cPosition::UpdateHook() {
    if (m_MoveTool)
        SyncGizmo();
}

void cPosition::Show() {
    if (ManipulatorMode == kManipulatorNone)
        ManipulatorMode = kManipulatorMove;
    SyncGizmo();
}

void cPosition::SyncGizmo() {
    if (ManipulatorMode == kManipulatorNone) {
        RemoveGizmo();
    } else if (!m_MoveTool) {
        cMoveTool* tool = new cMoveTool();
        tool->m_Position = &m_Position;
        m_MoveTool = Add(tool);
    }
}

void cPosition::RemoveGizmo() { Drop(m_MoveTool); }

}  // namespace tovan
