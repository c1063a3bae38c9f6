// cGizmo: what the move, rotate and scale gizmos share. A gizmo is a widget in
// layer 1 bound by raw pointers to values of an edited object; it draws
// itself at the object's place with a constant size on the screen and writes
// the dragged value straight into the bound member.
//
// A press of the left button on a part starts a drag; the middle button grabs
// again the part last grabbed, when this gizmo is the last grabbed one of its
// kind. A drag needs the mouse capture and lasts until the button that
// started it is released; other keys are swallowed meanwhile.
#pragma once
#include <cstdint>

#include "core/mat.h"
#include "core/str.h"
#include "ui/widget.h"

namespace tovan {

inline constexpr int kGizmoLayer = 1;

enum GizmoKind : int { kGizmoMove, kGizmoRotate, kGizmoScale, kGizmoKindCount };

class cGizmo : public cWidget {
public:
    // Clears the last-grabbed record when it names this gizmo.
    ~cGizmo() override;

    bool OnKeyDown(KeyCode code) override;
    bool OnKeyUp(KeyCode code) override;
    bool UpdateHover(bool covered) override;

    // The part under the cursor (0 none). A press may also pick the kind of
    // drag it starts; any hit prepares the grab-time state of that drag.
    virtual int Pick(bool pressing) = 0;
    // Grabs a part again without a hit test; 0 when that part cannot be had.
    virtual int Regrab(int part) = 0;
    // Drops the bound pointers: nothing is drawn, picked or written after.
    // Owners call it before removing the gizmo, whose removal may wait for
    // the end of the frame while the bound object goes away at once.
    virtual void Unbind() = 0;

    GizmoKind Kind() const { return m_Kind; }
    int ActivePart() const { return m_Part; }  // 0 while no drag runs
    bool IsDragging() const { return m_Part != 0; }
    int HoveredPart() const { return m_HoveredPart; }

    cMat4 m_ParentMatrix;      // parent space to world, copied in by the owner
    cMat4 m_ParentInverse;     // world to parent space
    bool m_Universal = false;  // all three gizmos are shown (ManipulatorMode 4)

protected:
    explicit cGizmo(GizmoKind kind) : m_Kind(kind) {}
    virtual void OnGrab(int /*part*/) {}  // the drag of that part starts
    virtual void OnDragEnd() {}

    int m_Part = 0;
    KeyCode m_DragKey = -1;
    int m_HoveredPart = 0;

private:
    GizmoKind m_Kind;
};

// The move and rotate gizmos: axes along the object's rotation when the
// effective local flag is set. That flag follows the requested one only
// between drags, so toggling "Local" mid-drag takes effect at the release.
class cLocalGizmo : public cGizmo {
public:
    void SetLocal(bool local) {
        m_LocalRequested = local;
        if (!IsDragging())
            m_LocalEffective = local;
    }
    bool LocalRequested() const { return m_LocalRequested; }
    bool LocalEffective() const { return m_LocalEffective; }

protected:
    using cGizmo::cGizmo;
    void OnDragEnd() override { m_LocalEffective = m_LocalRequested; }

    bool m_LocalEffective = false;
    bool m_LocalRequested = false;
};

// The process-wide last-grabbed record: one gizmo and part per kind. Grabbing
// a gizmo clears the other kinds' entries.
cGizmo* LastGrabbedGizmo(GizmoKind kind);  // null when none
int LastGrabbedPart(GizmoKind kind);       // 0 when none

// Registers a gizmo in layer 1; a gizmo the registry refuses is deleted and
// null comes back.
cGizmo* AddGizmo(cGizmo* gizmo);
// Unbinds the gizmo and removes it with deletion through the registry; a
// gizmo the registry no longer holds is taken as gone already. Null: nothing.
void RemoveGizmo(cGizmo* gizmo);

// The font of the value labels, loaded on first use and kept (-1 when it
// could not be loaded; the load is not tried again).
int32_t GizmoLabelFont();
// Values as a label: each with two decimals, separated by single spaces.
cStr GizmoLabel(const float* values, int count);

}  // namespace tovan
