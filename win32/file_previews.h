// The file dialogs of each kind: their titles, their extensions (the names of
// the registered codecs of the kind) and the preview each draws of the selected
// file. Models, BSP trees, animations and camera sets are fitted into a unit
// sphere and shown through one preview camera that horizontal dragging turns.
#pragma once
#include <cstdint>

#include "core/list.h"
#include "core/main_window.h"
#include "core/quat.h"
#include "core/str.h"
#include "io/model/anim.h"
#include "io/model/camera.h"
#include "io/model/model.h"
#include "win32/file_dialog.h"

namespace tovan {

// Centre and scale that put a box into the unit sphere; a box whose radius is
// 0.001 or less (a point) is taken as radius 0.1, and an empty one stays as it is.
struct PreviewFit {
    cVec3 m_Centre;
    float m_Scale = 1.0f;
    static PreviewFit Of(const cBounds& box);
    // As Of, but any radius above 0 is used as it is: a model a thousandth of
    // a unit across fills the pane like any other.
    static PreviewFit Exact(const cBounds& box);
    cVec3 Apply(const cVec3& p) const { return (p - m_Centre) * m_Scale; }
};

// The eye of the 3-D previews: an orientation that dragging turns about the Y
// axis, and a perspective projection onto the canvas.
class PreviewCamera {
public:
    void Reset();              // the starting view
    void Turn(int32_t dragX);  // one degree per pixel dragged since the last draw
    cVec3 Rotate(const cVec3& v) const { return m_Orientation.ToMat3().Transform(v); }
    // Screen x, y and depth of a fitted point; false when it lies behind the eye.
    bool Project(const cVec3& fitted, int width, int height, cVec3* screen) const;
    const cQuat& Orientation() const { return m_Orientation; }

private:
    cQuat m_Orientation;
    int32_t m_LastDragX = 0;
};

class cWin32::ModelFileDialog : public cWin32::FileDialog {
public:
    explicit ModelFileDialog(const char* initialFolder);
    bool LoadPreview(const char* path, cStr& info) override;
    void ReleasePreview() override;
    void DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t dragY) override;

private:
    cModel m_Model;
    cList<float> m_Depth;
    PreviewCamera m_Camera;
};

class cWin32::ImageFileDialog : public cWin32::FileDialog {
public:
    ImageFileDialog(const char* initialFolder, bool open);
    bool LoadPreview(const char* path, cStr& info) override;
    void ReleasePreview() override;
    void DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t dragY) override;

private:
    PreviewCanvas m_Image;  // the picture at its own size
};

// Sounds have no loader behind them: nothing previews, so an open sound
// dialog never enables OK.
class cWin32::SoundFileDialog : public cWin32::FileDialog {
public:
    SoundFileDialog(const char* initialFolder, const char* extensions);
    bool LoadPreview(const char* path, cStr& info) override;
    void ReleasePreview() override;
    void DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t dragY) override;

private:
    int32_t m_Sound = -1;
};

// The text of the file; dragging scrolls it.
class cWin32::XmlFileDialog : public cWin32::FileDialog {
public:
    XmlFileDialog(const char* initialFolder, bool open);
    bool LoadPreview(const char* path, cStr& info) override;
    void ReleasePreview() override;
    void DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t dragY) override;

private:
    cList<cStr> m_Lines;
};

class cWin32::AnimFileDialog : public cWin32::FileDialog {
public:
    explicit AnimFileDialog(const char* initialFolder);
    bool LoadPreview(const char* path, cStr& info) override;
    void ReleasePreview() override;
    void DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t dragY) override;

private:
    cAnim m_Anim;
    PreviewFit m_Fit;
    PreviewCamera m_Camera;
    uint32_t m_StartMs = 0;
};

class cWin32::CameraFileDialog : public cWin32::FileDialog {
public:
    explicit CameraFileDialog(const char* initialFolder);
    bool LoadPreview(const char* path, cStr& info) override;
    void ReleasePreview() override;
    void DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t dragY) override;

private:
    cCamera m_Camera;
    CameraPlaybackState m_Playback;
    PreviewFit m_Fit;
    PreviewCamera m_Eye;
    uint32_t m_LastDrawMs = 0;
};

class cWin32::BspFileDialog : public cWin32::FileDialog {
public:
    explicit BspFileDialog(const char* initialFolder);
    bool LoadPreview(const char* path, cStr& info) override;
    void ReleasePreview() override;
    void DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t dragY) override;

private:
    cList<cVec3> m_Vertices;  // fitted, three per triangle
    cList<cVec3> m_Normals;   // one per triangle
    cList<float> m_Depth;
    PreviewCamera m_Camera;
};

// The names of the registered codecs of a kind, each after one space.
cStr ImageCodecNames();
cStr ModelCodecNames();
cStr AnimCodecNames();
cStr CameraCodecNames();

// Milliseconds of a steady clock, for the moving previews (wraps).
uint32_t PreviewClockMs();

}  // namespace tovan
