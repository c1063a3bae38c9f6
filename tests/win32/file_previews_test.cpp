// The previews of each kind: their information texts, files they must refuse,
// and what they draw, through the same LoadPreview and DrawPreview the dialog
// calls.
#include "io/image/format.h"
#include "tests/support/log_capture.h"
#include "tests/win32/preview_files.h"
#include "win32/file_previews.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

namespace tovan {
namespace {

using test::ScratchTest;
using Dialog = cWin32::FileDialog;
using Points = std::set<std::pair<int, int>>;
constexpr ColorBytes kBack = {240, 240, 240};

std::unique_ptr<Dialog> MakeDialog(char kind) {
    switch (kind) {
    case 'i': return std::make_unique<cWin32::ImageFileDialog>("", true);
    case 'm': return std::make_unique<cWin32::ModelFileDialog>("");
    case 'a': return std::make_unique<cWin32::AnimFileDialog>("");
    case 'c': return std::make_unique<cWin32::CameraFileDialog>("");
    case 'b': return std::make_unique<cWin32::BspFileDialog>("");
    case 'x': return std::make_unique<cWin32::XmlFileDialog>("", true);
    default: return std::make_unique<cWin32::SoundFileDialog>("", "caf");
    }
}

Points Draw(Dialog& dialog, int dragX = 0, int dragY = 0, int width = 110, int height = 100) {
    PreviewCanvas canvas;
    InitDibHeader(canvas, width, height);
    canvas.Fill(kBack);
    dialog.DrawPreview(canvas, dragX, dragY);
    Points drawn;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = canvas.Bits() + (height - 1 - y) * canvas.Stride() + 3 * x;
            if (p[0] != kBack.b || p[1] != kBack.g || p[2] != kBack.r)
                drawn.insert({x, y});
        }
    return drawn;
}

std::string Info(Dialog& dialog, const std::string& path) {
    cStr info;
    EXPECT_TRUE(dialog.LoadPreview(path.c_str(), info)) << path;
    return info.GetText();
}

class FilePreviewTest : public ScratchTest {
protected:
    test::LogCapture log;
};

TEST_F(FilePreviewTest, InformationTexts) {
    scratch.Write("three.xml", "<a>\n <b>1</b>\n</a>\n");
    struct Case {
        char kind;
        std::string path, info;
    };
    const Case cases[] = {
        {'i', test::WriteBmp(scratch, "line.bmp", 256, 1), "Size: 256\nFormat: Rgb8\nType: 1D\nMipmaps: no"},
        {'i', test::WriteBmp(scratch, "flat.bmp", 8, 4), "Size: 8 x 4\nFormat: Rgb8\nType: 2D\nMipmaps: no"},
        {'i', test::WriteImage(scratch, "volume.dds", int(ImageFormat::Rgba8), 64, 64, 4, 1),
         "Size: 64 x 64 x 4\nFormat: Rgba8\nType: 3D\nMipmaps: no"},
        {'i', test::WriteImage(scratch, "sky.dds", int(ImageFormat::Dxt1), 16, 16, 0, 5),
         "Size: 16 x 16\nFormat: Dxt1\nType: Cube\nMipmaps: 5"},
        {'c', test::WriteCameraSet(scratch, "two.cCamera", 10, {5, 7}),
         "Cameras: 2\nDuration: 1.20 (Sec)\nFrame rate: 10"},
        {'c', test::WriteCameraSet(scratch, "still.cCamera", 0, {3}),
         "Cameras: 1\nDuration: 0.00 (Sec)\nFrame rate: 0"},
        {'m', test::CopySample(scratch, "model/static_tri.cm", "tri.cModel"), "Meshes: 1\nVertices: 3\nTriangles: 1"},
        {'m', test::CopySample(scratch, "model/skinned.cm", "skinned.cModel"),
         "Meshes: 1\nVertices: 3\nTriangles: 1\nJoints: 2"},
        {'a', test::CopySample(scratch, "anim/walk.ca", "walk.cAnim"), "Frames: 2\nJoints: 2\nFrame rate: 30"},
        {'b', test::CopySample(scratch, "bsp/tree.cBsp", "tree.cBsp"), "Tris: 4"},
        {'x', scratch / "three.xml", "Lines: 3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Info(*MakeDialog(c.kind), c.path), c.info) << c.path;
}

// A model of four vertices (a tetrahedron `size` across) with the given indices.
cModel Tetrahedron(float size, std::initializer_list<uint32_t> indices) {
    cModel model;
    cModelMesh& mesh = model.m_Meshes[model.m_Meshes.PushBack(cModelMesh())];
    for (const cVec3& p : {cVec3{0, 0, 0}, cVec3{1, 0, 0}, cVec3{0, 1, 0}, cVec3{0, 0, 1}}) {
        cModelStaticVertex v{};
        v.m_Position = p * size;
        mesh.m_StaticVertices.PushBack(v);
    }
    for (uint32_t i : indices)
        mesh.m_Indices.PushBack(i);
    cModel::ComputeNormals(model);
    return model;
}

// Whatever the file holds, a preview that cannot load it says so: the pane
// shows "No Preview", an open dialog keeps no chosen path, nothing crashes.
TEST_F(FilePreviewTest, HostileAndTruncatedFilesGiveNoPreview) {
    const std::string junk = "\x01\x02garbage\xff\xfe\x00\x00 not a file of any kind";
    struct Case {
        char kind;
        std::string name, bytes;
    };
    const std::string model = test::ReadDataFile("model/skinned.cm"), anim = test::ReadDataFile("anim/walk.ca"),
                      bsp = test::ReadDataFile("bsp/tree.cBsp");
    const std::string bmp = test::ReadDataFile("bmp/im_24bit.bmp");
    const Case cases[] = {
        {'i', "huge.bmp", test::ReadDataFile("bmp/hostile_huge.bmp")},
        {'i', "height.bmp", test::ReadDataFile("bmp/hostile_height.bmp")},
        {'i', "half.bmp", bmp.substr(0, bmp.size() / 2)},
        {'i', "junk.tga", junk},
        {'i', "empty.dds", ""},
        {'m', "half.cModel", model.substr(0, model.size() / 2)},
        {'m', "junk.cModel", junk},
        {'m', "points.cModel", test::EncodeModel(Tetrahedron(1, {0, 1}))},  // vertices but no triangle
        {'m', "empty.obj", ""},
        {'a', "half.cAnim", anim.substr(0, anim.size() / 2)},
        {'a', "junk.cAnim", junk},
        {'c', "junk.cCamera", junk},
        {'b', "half.cBsp", bsp.substr(0, bsp.size() / 2)},
        {'b', "empty.cBsp", ""},
        {'s', "tune.caf", "caff"},
    };
    for (const Case& c : cases) {
        ASSERT_FALSE(c.kind != 's' && c.bytes.empty() && c.name.find("empty") == std::string::npos) << c.name;
        scratch.Write(c.name, c.bytes);
        std::unique_ptr<Dialog> dialog = MakeDialog(c.kind);
        EXPECT_FALSE(dialog->Refresh((scratch / "x").c_str(), c.name.c_str(), "C:\\")) << c.name;
        EXPECT_EQ(std::string(dialog->GetNameLabel().GetText()), "No Preview") << c.name;
        EXPECT_EQ(std::string(dialog->GetInfoText().GetText()), "") << c.name;
        EXPECT_TRUE(dialog->GetChosenPath().IsEmpty()) << c.name;
        dialog->Paint(50, 40);  // the no-preview mark, whatever was half loaded
        EXPECT_FALSE(dialog->GetCanvas().IsEmpty());
    }
    // A missing XML file warns as the file layer does.
    cStr info;
    EXPECT_FALSE(MakeDialog('x')->LoadPreview((scratch / "gone.xml").c_str(), info));
    ASSERT_FALSE(log.Warnings().empty());
    EXPECT_EQ(log.Warnings().back(), "Can't load file \"" + scratch / "gone.xml" + "\"");
}

// A single point would be fitted by dividing by nothing: it is shown with the
// radius 0.1, in the middle of the pane; an animation without frames draws nothing.
TEST_F(FilePreviewTest, DegenerateShapesDrawWithinThePane) {
    cStr info;
    std::unique_ptr<Dialog> anim = MakeDialog('a');
    ASSERT_TRUE(anim->LoadPreview(test::WritePointAnim(scratch, "point.cAnim", 3).c_str(), info));
    const Points dots = Draw(*anim);
    ASSERT_FALSE(dots.empty());
    for (const auto& p : dots)
        EXPECT_TRUE(p.first >= 50 && p.first <= 60 && p.second >= 45 && p.second <= 55) << p.first << "," << p.second;
    ASSERT_TRUE(anim->LoadPreview(test::WritePointAnim(scratch, "none.cAnim", 0).c_str(), info));
    EXPECT_TRUE(Draw(*anim).empty());

    struct Fit {
        cBounds box;
        float scale;
    };
    const Fit fits[] = {
        {cBounds({1, 2, 3}, {1, 2, 3}), 10.0f},
        {cBounds({0, 0, 0}, {0.0005f, 0, 0}), 10.0f},
        {cBounds({-2, 0, 0}, {2, 0, 0}), 0.5f},
        {cBounds(), 1.0f},
    };
    for (const Fit& f : fits)
        EXPECT_FLOAT_EQ(PreviewFit::Of(f.box).m_Scale, f.scale);

    // A model fills the pane alike whatever its size.
    std::unique_ptr<Dialog> model = MakeDialog('m');
    std::pair<int, int> extent[2] = {};
    for (const float size : {1.0f, 0.01f, 0.001f}) {
        const std::string name = "tetra" + std::to_string(int(1 / size)) + ".cModel";
        scratch.Write(name, test::EncodeModel(Tetrahedron(size, {0, 1, 2, 0, 3, 1, 0, 2, 3, 1, 3, 2})));
        ASSERT_TRUE(model->LoadPreview((scratch / name).c_str(), info));
        const Points drawn = Draw(*model);
        ASSERT_FALSE(drawn.empty());
        std::pair<int, int> low = *drawn.begin(), high = low;
        for (const auto& p : drawn) {
            low = {std::min(low.first, p.first), std::min(low.second, p.second)};
            high = {std::max(high.first, p.first), std::max(high.second, p.second)};
        }
        if (size == 1.0f)
            extent[0] = low, extent[1] = high;
        EXPECT_NEAR(low.first, extent[0].first, 1) << size;
        EXPECT_NEAR(low.second, extent[0].second, 1) << size;
        EXPECT_NEAR(high.first, extent[1].first, 1) << size;
        EXPECT_NEAR(high.second, extent[1].second, 1) << size;
        EXPECT_GT(high.first - low.first, 40) << size;
    }
    PreviewCamera eye;
    eye.Reset();
    cVec3 screen;
    // The point that the orientation carries 3 units behind the eye is skipped.
    const cVec3 behind = eye.Orientation().Conjugate().ToMat3().Transform({0, 0, -3});
    EXPECT_FALSE(eye.Project(behind, 110, 100, &screen));
    EXPECT_TRUE(eye.Project({0, 0, 0}, 110, 100, &screen));
    EXPECT_FLOAT_EQ(screen.x, 55);
    EXPECT_FLOAT_EQ(screen.y, 50);
}

// Turning works on a copy: the same drag draws the same picture however often
// it is drawn, and the model itself keeps its fitted pose.
TEST_F(FilePreviewTest, ModelsAndTreesTurnWithTheDragWithoutDrifting) {
    for (char kind : {'m', 'b'}) {
        std::unique_ptr<Dialog> dialog = MakeDialog(kind);
        cStr info;
        const std::string path = kind == 'm' ? test::CopySample(scratch, "model/skinned.cm", "s.cModel")
                                             : test::CopySample(scratch, "bsp/tree.cBsp", "t.cBsp");
        ASSERT_TRUE(dialog->LoadPreview(path.c_str(), info));
        const Points first = Draw(*dialog);
        ASSERT_FALSE(first.empty()) << kind;
        EXPECT_EQ(Draw(*dialog), first) << kind;
        const Points turned = Draw(*dialog, 90);
        EXPECT_NE(turned, first) << kind;
        EXPECT_EQ(Draw(*dialog, 90), turned) << kind;
        EXPECT_EQ(Draw(*dialog, 0), first) << kind;
        EXPECT_EQ(Draw(*dialog, 0, 70), first) << kind;  // vertical drag does not turn
    }
}

TEST_F(FilePreviewTest, TextScrollsWithTheDragAndImagesAreCentred) {
    scratch.Write("text.xml", "MMMM\nMMMM\n");
    std::unique_ptr<Dialog> xml = MakeDialog('x');
    cStr info;
    ASSERT_TRUE(xml->LoadPreview((scratch / "text.xml").c_str(), info));
    // Dragged down by 40 pixels, the first line starts at y = 40.
    for (const int dragY : {0, 40}) {
        const Points text = Draw(*xml, 0, dragY);
        ASSERT_FALSE(text.empty());
        int top = 1000, bottom = -1;
        for (const auto& p : text)
            top = std::min(top, p.second), bottom = std::max(bottom, p.second);
        EXPECT_GE(top, dragY);
        EXPECT_LE(bottom, dragY + 31);
    }

    // 2 x 1 in 110 x 100: scale 55, drawn 110 x 55 from row 22.
    std::unique_ptr<Dialog> image = MakeDialog('i');
    ASSERT_TRUE(image->LoadPreview(test::WriteBmp(scratch, "wide.bmp", 2, 1).c_str(), info));
    const Points picture = Draw(*image);
    int top = 1000, bottom = -1;
    for (const auto& p : picture)
        top = std::min(top, p.second), bottom = std::max(bottom, p.second);
    EXPECT_EQ(top, 22);
    EXPECT_EQ(bottom, 76);
    EXPECT_EQ(picture.size(), size_t(110 * 55));
}

}  // namespace
}  // namespace tovan
