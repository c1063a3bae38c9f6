#include "tools/gizmo.h"

#include "io/font.h"
#include "ui/widget_registry.h"

namespace tovan {

namespace {

struct LastGrabbed {
    cGizmo* gizmo = nullptr;
    int part = 0;
};
LastGrabbed g_LastGrabbed[kGizmoKindCount];

void RecordGrab(cGizmo* gizmo, int part) {
    for (LastGrabbed& entry : g_LastGrabbed)
        entry = LastGrabbed();
    g_LastGrabbed[gizmo->Kind()] = {gizmo, part};
}

}  // namespace

cGizmo::~cGizmo() {
    if (g_LastGrabbed[m_Kind].gizmo == this)
        for (LastGrabbed& entry : g_LastGrabbed)
            entry = LastGrabbed();
}

bool cGizmo::OnKeyDown(KeyCode code) {
    if (HoldsCapture(this))
        return true;
    int part = 0;
    if (code == kKeyLeftButton)
        part = Pick(true);
    else if (code == kKeyMiddleButton && g_LastGrabbed[m_Kind].gizmo == this)
        part = Regrab(g_LastGrabbed[m_Kind].part);
    if (part == 0)
        return false;
    // A drag that cannot have the capture would never see its release: while
    // another widget holds it, the press is left to that widget.
    TakeCapture(this);
    if (!HoldsCapture(this))
        return false;
    m_Part = part;
    m_DragKey = code;
    OnGrab(part);
    RecordGrab(this, part);
    return true;
}

bool cGizmo::OnKeyUp(KeyCode code) {
    if (!HoldsCapture(this))
        return false;
    if (code != m_DragKey)
        return true;
    m_Part = 0;
    OnDragEnd();
    ReleaseWidgetCapture();
    m_DragKey = -1;
    return true;
}

bool cGizmo::UpdateHover(bool covered) {
    m_HoveredPart = 0;
    if (covered)
        return false;
    if (GetWidget(CapturedWidget))
        return HoldsCapture(this);
    m_HoveredPart = Pick(false);
    return m_HoveredPart != 0;
}

cGizmo* LastGrabbedGizmo(GizmoKind kind) { return g_LastGrabbed[kind].gizmo; }

int LastGrabbedPart(GizmoKind kind) { return g_LastGrabbed[kind].part; }

cGizmo* AddGizmo(cGizmo* gizmo) {
    if (gizmo && AddWidget(gizmo, kGizmoLayer) == -1) {
        delete gizmo;
        return nullptr;
    }
    return gizmo;
}

void RemoveGizmo(cGizmo* gizmo) {
    if (!gizmo)
        return;
    const WidgetHandle handle = FindWidgetHandle(gizmo);
    if (handle == -1)
        return;
    gizmo->Unbind();
    RemoveWidget(handle, true);
}

int32_t GizmoLabelFont() {
    static const int32_t font = LoadFont("Calibri 11");
    return font;
}

cStr GizmoLabel(const float* values, int count) {
    cStr label;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            label += " ";
        label += cStr::Format("%.2f", double(values[i]));
    }
    return label;
}

}  // namespace tovan
