// The stage of the gizmo tests: an orthographic view looking along +Z with
// 100 pixels per world unit (X to the right, Y up, so the Z axis faces the
// viewer), a recording render device, a frame host, and the manipulator state
// at rest, put back afterwards. The label font "Calibri 11" sits in the font
// table with every glyph carrying its code, so drawn labels read back as text.
#pragma once
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/fixed_view.h"
#include "tests/support/recording_renderer.h"
#include "tests/support/ui/frame_host.h"

namespace tovan::test {

class GizmoScene : public ::testing::Test {
protected:
    static constexpr float kPixelsPerUnit = 100;

    GizmoScene();
    ~GizmoScene() override;

    cVec2 Pixel(const cVec3& world) const;
    // Each runs one frame.
    void Press(const cVec2& at, KeyCode code = kKeyLeftButton);
    void MoveTo(const cVec2& at);
    void Release(KeyCode code = kKeyLeftButton);
    // Press at `from`, move to `to`, release.
    void Drag(const cVec2& from, const cVec2& to, KeyCode code = kKeyLeftButton);

    // The texts drawn with the label font since the calls were last cleared.
    std::vector<std::string> Labels() const;
    int DrawCalls() const;  // Draw and DrawIndexed

    RecordingRenderer device;
    FixedView view;
    FrameHost host;
};

}  // namespace tovan::test
