#include "tests/tools/gizmo_scene.h"

#include <cstring>

#include "io/font.h"
#include "tools/manipulator_state.h"

namespace tovan::test {

namespace {

class LabelFont : public ::testing::Environment {
public:
    void SetUp() override {
        cFont font;
        font.m_Name.SetText("Calibri 11");
        font.m_LineHeight = 10;
        font.m_Texture = 7;
        for (uint16_t code = 32; code < 127; ++code) {
            cFontGlyph glyph;
            glyph.m_Code = code;
            glyph.m_ULeft = code;
            glyph.m_Width = 5;
            glyph.m_Height = 8;
            glyph.m_AdvanceX = 6;
            font.m_Glyphs.PushBack(glyph);
        }
        AddFont(font);
    }
};

const auto* const g_LabelFont = ::testing::AddGlobalTestEnvironment(new LabelFont);

}  // namespace

GizmoScene::GizmoScene() : view(FixedView::Orthographic({0, 0, 800, 800}, {{0, 0, -100}, {0, 0, 1}}, kPixelsPerUnit)) {
    ManipulatorMode = kManipulatorNone;
    ManipulatorLocal = false;
    ManipulatorSnap = 0;
    device.SetVertexBytes("Font", sizeof(cTextVertex));
}

GizmoScene::~GizmoScene() {
    ManipulatorMode = kManipulatorNone;
    ManipulatorLocal = false;
    ManipulatorSnap = 0;
}

cVec2 GizmoScene::Pixel(const cVec3& world) const {
    const cVec3 p = view.Project(world);
    return {p.x, p.y};
}

void GizmoScene::Press(const cVec2& at, KeyCode code) {
    host.MoveCursor(at.x, at.y);
    host.Press(code);
    host.Frame();
}

void GizmoScene::MoveTo(const cVec2& at) {
    host.MoveCursor(at.x, at.y);
    host.Frame();
}

void GizmoScene::Release(KeyCode code) {
    host.Release(code);
    host.Frame();
}

void GizmoScene::Drag(const cVec2& from, const cVec2& to, KeyCode code) {
    Press(from, code);
    MoveTo(to);
    Release(code);
}

std::vector<std::string> GizmoScene::Labels() const {
    std::vector<std::string> labels;
    std::string shader;
    for (const RenderCall& call : device.Calls()) {
        if (call.op == "BindShader")
            shader = device.ShaderName(call.ints[0]);
        if (call.op != "DrawIndexed" || shader != "Font")
            continue;
        std::vector<cTextVertex> vertices(call.vertices.size() / sizeof(cTextVertex));
        std::memcpy(vertices.data(), call.vertices.data(), vertices.size() * sizeof(cTextVertex));
        std::string text;
        for (size_t i = 0; i + 3 < vertices.size(); i += 4)  // a quad per glyph, its code in u
            text += char(vertices[i].u);
        labels.push_back(text);
    }
    return labels;
}

int GizmoScene::DrawCalls() const {
    int count = 0;
    for (const RenderCall& call : device.Calls())
        count += call.op == "Draw" || call.op == "DrawIndexed";
    return count;
}

}  // namespace tovan::test
