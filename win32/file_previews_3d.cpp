// The previews with a camera: models and BSP trees as lit triangles,
// animations as their skeleton in the frame's box, camera sets as their paths.
#include "core/os.h"
#include "io/io.h"
#include "io/model/bsp.h"
#include "io/model/mesh_math.h"
#include "win32/file_previews.h"

#include <cmath>

namespace tovan {

namespace {

constexpr float kEyeDistance = 2.4f;
constexpr float kHalfAngle = 0.4363323f;                               // 25 degrees
constexpr float kDepthScale = 1.0004001f, kDepthOffset = 0.40008003f;  // near 0.2, far 1000
constexpr float kPointRadius = 0.001f, kPointStandIn = 0.1f;

// Mesh j of a model is drawn in material j mod 7 of these.
constexpr const char* kModelMaterials[] = {"Brass", "Chrome", "Emerald", "Copper", "Pewter", "Jade", "Pearl"};

const cMaterialPreset& Material(const char* name) {
    for (const cMaterialPreset& preset : MaterialPresets)
        if (preset.m_Name == name)
            return preset;
    return MaterialPresets[0];
}

// The light of a normal seen from the eye: both faces alike.
float Light(const cVec3& rotatedNormal) { return std::fabs(rotatedNormal.z); }

// One lit triangle of screen points, skipped when a corner was behind the eye.
struct ScreenVertex {
    cVec3 point;
    float light;
    bool visible;
};

void ShadeTriangles(PreviewCanvas& canvas, const cList<ScreenVertex>& vertices, const cList<uint32_t>& indices,
                    const cMaterialPreset& material, cList<float>& depth) {
    const uint32_t count = uint32_t(vertices.Count());
    for (int t = 0; t + 2 < indices.Count(); t += 3) {
        const uint32_t i0 = indices[t], i1 = indices[t + 1], i2 = indices[t + 2];
        if (i0 >= count || i1 >= count || i2 >= count)
            continue;
        const ScreenVertex &a = vertices[int(i0)], &b = vertices[int(i1)], &c = vertices[int(i2)];
        if (a.visible && b.visible && c.visible)
            canvas.ShadeTriangle(a.point, b.point, c.point, a.light, b.light, c.light, material, depth);
    }
}

void DrawSegment(PreviewCanvas& canvas, const PreviewCamera& eye, const cVec3& from, const cVec3& to,
                 ColorBytes color) {
    cVec3 a, b;
    if (eye.Project(from, canvas.Width(), canvas.Height(), &a) && eye.Project(to, canvas.Width(), canvas.Height(), &b))
        canvas.DrawLine(int(a.x), int(a.y), int(b.x), int(b.y), color);
}

void DrawPoint(PreviewCanvas& canvas, const PreviewCamera& eye, const cVec3& p, const cColor& color) {
    cVec3 s;
    if (eye.Project(p, canvas.Width(), canvas.Height(), &s))
        canvas.DrawDot(int(s.x), int(s.y), color);
}

PreviewFit FitBox(const cBounds& box, float pointRadius) {
    PreviewFit fit;
    if (box.IsEmpty())
        return fit;
    fit.m_Centre = box.Centre();
    const float radius = Length(box.m_Max - fit.m_Centre);
    // A point (or a box too large to measure) would divide by nothing.
    const float scale = 1.0f / radius;
    fit.m_Scale = radius > pointRadius && std::isfinite(radius) && std::isfinite(scale) ? scale : 1.0f / kPointStandIn;
    return fit;
}

// The box of a mesh's drawn vertices, and whether any triangle has all its
// corners among them.
template <class Vertex>
bool AddMesh(const cList<Vertex>& vertices, const cList<uint32_t>& indices, cBounds& box) {
    for (const Vertex& v : vertices)
        if (mesh::IsFinite(v.m_Position))
            box.Add(v.m_Position);
    const uint32_t count = uint32_t(vertices.Count());
    for (int t = 0; t + 2 < indices.Count(); t += 3)
        if (indices[t] < count && indices[t + 1] < count && indices[t + 2] < count)
            return true;
    return false;
}

}  // namespace

PreviewFit PreviewFit::Of(const cBounds& box) { return FitBox(box, kPointRadius); }

PreviewFit PreviewFit::Exact(const cBounds& box) { return FitBox(box, 0); }

void PreviewCamera::Reset() {
    const float length = std::sqrt(1.0098f);
    m_Orientation = {0.48f / length, 0.12f / length, -0.87f / length, 0.09f / length};
    m_LastDragX = 0;
}

void PreviewCamera::Turn(int32_t dragX) {
    const float degrees = float(int64_t(m_LastDragX) - dragX);
    if (degrees != 0)
        m_Orientation = cQuat::FromAxisAngle({0, 1, 0}, degrees) * m_Orientation;
    m_LastDragX = dragX;
}

bool PreviewCamera::Project(const cVec3& fitted, int width, int height, cVec3* screen) const {
    const cVec3 p = Rotate(fitted);
    const float w = p.z + kEyeDistance;
    if (!(w > 0))  // behind the eye (or not a number)
        return false;
    const float f = 1.0f / std::tan(kHalfAngle);
    const float aspect = float(width) / float(height);
    float x = f / aspect * p.x, y = f * p.y, z = kDepthScale * w - kDepthOffset;
    if (w != 1.0f)
        x /= w, y /= w, z /= w;
    const float s = std::fmax(width * 0.5f, height * 0.5f);
    *screen = {x * s + width * 0.5f, y * s + height * 0.5f, z * s};
    return true;
}

// --- models ---------------------------------------------------------------------

cWin32::ModelFileDialog::ModelFileDialog(const char* initialFolder)
    : FileDialog(MainWindowHandle, initialFolder, true) {
    m_Title = "Load Model File";
    BuildFilter(ModelCodecNames().GetText());
}

bool cWin32::ModelFileDialog::LoadPreview(const char* path, cStr& info) {
    m_Model.Clear();
    // The fit comes from the vertices themselves: the model's bounds are at
    // least 0.1 across, which would draw a small model small.
    cBounds box;
    bool drawable = false;
    if (cIO::LoadModel(path, m_Model))
        for (const cModelMesh& mesh : m_Model.m_Meshes)
            drawable |= m_Model.m_Static ? AddMesh(mesh.m_StaticVertices, mesh.m_Indices, box)
                                         : AddMesh(mesh.m_SkinnedVertices, mesh.m_Indices, box);
    if (!drawable) {  // nothing to draw is no model to show
        m_Model.Clear();
        return false;
    }
    const PreviewFit fit = PreviewFit::Exact(box);
    cMat4 m;
    m.SetScaling(fit.m_Scale);
    m.SetTranslation(fit.m_Centre * -fit.m_Scale);
    cModel::Transform(m_Model, m);
    int vertices = 0;
    for (const cModelMesh& mesh : m_Model.m_Meshes)
        vertices += m_Model.m_Static ? mesh.m_StaticVertices.Count() : mesh.m_SkinnedVertices.Count();
    info.AppendFormat("Meshes: %d\nVertices: %d\nTriangles: %d", m_Model.m_Meshes.Count(), vertices,
                      cModel::CountTriangles(m_Model));
    if (!m_Model.m_Static)
        info.AppendFormat("\nJoints: %d", m_Model.m_Joints.Count());
    m_Camera.Reset();
    return true;
}

void cWin32::ModelFileDialog::ReleasePreview() { m_Model.Clear(); }

void cWin32::ModelFileDialog::DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t) {
    if (canvas.IsEmpty())
        return;
    ClearDepthBuffer(m_Depth, canvas.Width(), canvas.Height());
    m_Camera.Turn(dragX);
    cList<ScreenVertex> screen;  // the turned copy; the model keeps its pose
    for (int j = 0; j < m_Model.m_Meshes.Count(); ++j) {
        const cModelMesh& mesh = m_Model.m_Meshes[j];
        const int count = m_Model.m_Static ? mesh.m_StaticVertices.Count() : mesh.m_SkinnedVertices.Count();
        screen.Resize(count);
        for (int v = 0; v < count; ++v) {
            const cModelStaticVertex& vertex = m_Model.m_Static
                                                   ? mesh.m_StaticVertices[v]
                                                   : static_cast<const cModelStaticVertex&>(mesh.m_SkinnedVertices[v]);
            ScreenVertex& s = screen[v];
            s.visible = m_Camera.Project(vertex.m_Position, canvas.Width(), canvas.Height(), &s.point);
            s.light = Light(m_Camera.Rotate(vertex.m_Normal));
        }
        ShadeTriangles(canvas, screen, mesh.m_Indices, Material(kModelMaterials[j % 7]), m_Depth);
    }
}

// --- BSP trees ------------------------------------------------------------------

cWin32::BspFileDialog::BspFileDialog(const char* initialFolder) : FileDialog(MainWindowHandle, initialFolder, true) {
    m_Title = "Load Bsp File";
    BuildFilter("cBsp");
}

bool cWin32::BspFileDialog::LoadPreview(const char* path, cStr& info) {
    ReleasePreview();
    cBsp bsp;
    if (!cIO::LoadBsp(path, bsp))
        return false;
    cBsp::CollectTriangles(bsp.m_Root, bsp);
    cBounds box;
    for (const cBspTriangle& t : bsp.m_Triangles)
        for (const cVec3& corner : t.m_Corners)
            box.Add(corner);
    const PreviewFit fit = PreviewFit::Of(box);
    for (const cBspTriangle& t : bsp.m_Triangles) {
        const cVec3 a = fit.Apply(t.m_Corners[0]), b = fit.Apply(t.m_Corners[1]), c = fit.Apply(t.m_Corners[2]);
        m_Vertices.PushBack(a);
        m_Vertices.PushBack(b);
        m_Vertices.PushBack(c);
        m_Normals.PushBack(Normalize(Cross(b - a, c - a)));
    }
    info.AppendFormat("Tris: %d", m_Vertices.Count() / 3);
    m_Camera.Reset();
    return true;
}

void cWin32::BspFileDialog::ReleasePreview() {
    m_Vertices.Free();
    m_Normals.Free();
}

void cWin32::BspFileDialog::DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t) {
    if (canvas.IsEmpty())
        return;
    ClearDepthBuffer(m_Depth, canvas.Width(), canvas.Height());
    m_Camera.Turn(dragX);
    const cMaterialPreset& chrome = Material("Chrome");
    for (int t = 0; t < m_Normals.Count(); ++t) {
        const float light = Light(m_Camera.Rotate(m_Normals[t]));
        cVec3 s[3];
        bool visible = true;
        for (int k = 0; k < 3; ++k)
            visible = m_Camera.Project(m_Vertices[3 * t + k], canvas.Width(), canvas.Height(), &s[k]) && visible;
        if (visible)
            canvas.ShadeTriangle(s[0], s[1], s[2], light, light, light, chrome, m_Depth);
    }
}

// --- animations -----------------------------------------------------------------

cWin32::AnimFileDialog::AnimFileDialog(const char* initialFolder) : FileDialog(MainWindowHandle, initialFolder, true) {
    m_Title = "Load Animation File";
    m_Animated = true;
    BuildFilter(AnimCodecNames().GetText());
}

bool cWin32::AnimFileDialog::LoadPreview(const char* path, cStr& info) {
    m_Anim.Clear();
    if (!cIO::LoadAnim(path, m_Anim)) {
        m_Anim.Clear();
        return false;
    }
    info.AppendFormat("Frames: %d\nJoints: %d\nFrame rate: %d", m_Anim.m_Frames.Count(), m_Anim.m_Joints.Count(),
                      m_Anim.m_FrameRate);
    cBounds box;
    for (const cBounds& frame : m_Anim.m_FrameBounds)
        if (!frame.IsEmpty()) {
            box.Add(frame.m_Min);
            box.Add(frame.m_Max);
        }
    m_Fit = PreviewFit::Of(box);
    m_Camera.Reset();
    m_StartMs = PreviewClockMs();
    return true;
}

void cWin32::AnimFileDialog::ReleasePreview() { m_Anim.Clear(); }

void cWin32::AnimFileDialog::DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t) {
    const int frames = m_Anim.m_Frames.Count();
    if (canvas.IsEmpty() || frames == 0)
        return;
    m_Camera.Turn(dragX);
    const double elapsed = double(uint32_t(PreviewClockMs() - m_StartMs));
    const double shown = elapsed * 0.001 * double(m_Anim.m_FrameRate > 0 ? m_Anim.m_FrameRate : 0);
    const int frame = int(std::fmod(shown, double(frames)));
    if (frame < m_Anim.m_FrameBounds.Count() && !m_Anim.m_FrameBounds[frame].IsEmpty()) {
        cVec3 corners[8];
        m_Anim.m_FrameBounds[frame].GetCorners(corners);
        for (cVec3& corner : corners)
            corner = m_Fit.Apply(corner);
        const ColorBytes green = {0, 255, 0};
        for (int i = 0; i < 4; ++i) {
            DrawSegment(canvas, m_Camera, corners[i], corners[(i + 1) % 4], green);
            DrawSegment(canvas, m_Camera, corners[4 + i], corners[4 + (i + 1) % 4], green);
            DrawSegment(canvas, m_Camera, corners[i], corners[4 + i], green);
        }
    }
    const cList<cAnimKey>& keys = m_Anim.m_Frames[frame];
    const int joints = m_Anim.m_Joints.Count() < keys.Count() ? m_Anim.m_Joints.Count() : keys.Count();
    for (int j = 0; j < joints; ++j) {
        const int parent = m_Anim.m_Joints[j].m_Parent;
        if (parent >= 0 && parent < joints)
            DrawSegment(canvas, m_Camera, m_Fit.Apply(keys[parent].m_Position), m_Fit.Apply(keys[j].m_Position),
                        {0, 0, 0});
    }
    for (int j = 0; j < joints; ++j)
        DrawPoint(canvas, m_Camera, m_Fit.Apply(keys[j].m_Position), {0, 0, 1, 1});
}

// --- camera sets ----------------------------------------------------------------

cWin32::CameraFileDialog::CameraFileDialog(const char* initialFolder)
    : FileDialog(MainWindowHandle, initialFolder, true) {
    m_Title = "Load Camera File";
    m_Animated = true;
    BuildFilter(CameraCodecNames().GetText());
}

bool cWin32::CameraFileDialog::LoadPreview(const char* path, cStr& info) {
    m_Camera.Clear();
    m_Playback = CameraPlaybackState();
    if (!cIO::LoadCamera(path, m_Camera)) {
        m_Camera.Clear();
        return false;
    }
    // Seconds of every camera's keys at the set's rate; no rate, no time.
    float duration = 0;
    cBounds box;
    for (const cCameraTrack& track : m_Camera.m_Tracks) {
        if (m_Camera.m_FrameRate > 0)
            duration += float(track.m_Keys.Count()) / float(m_Camera.m_FrameRate);
        for (const cCameraKey& key : track.m_Keys)
            box.Add(key.m_Position);
    }
    const cStr durationFormat = cStr::Format("%%.%df", 2);
    info.AppendFormat("Cameras: %d\nDuration: ", m_Camera.m_Tracks.Count());
    info += cStr::Format(durationFormat.GetText(), double(duration));
    info.AppendFormat(" (Sec)\nFrame rate: %d", m_Camera.m_FrameRate);
    m_Fit = PreviewFit::Of(box);
    m_Eye.Reset();
    m_LastDrawMs = PreviewClockMs();
    return true;
}

void cWin32::CameraFileDialog::ReleasePreview() { m_Camera.Clear(); }

void cWin32::CameraFileDialog::DrawPreview(PreviewCanvas& canvas, int32_t dragX, int32_t) {
    if (canvas.IsEmpty())
        return;
    const uint32_t now = PreviewClockMs();
    AdvanceCameraPlayback(m_Camera, float(uint32_t(now - m_LastDrawMs)) * 0.001f, m_Playback);
    m_LastDrawMs = now;
    m_Eye.Turn(dragX);
    const ColorBytes grey = ColorToBytes({0.502f, 0.502f, 0.502f, 1});
    for (const cCameraTrack& track : m_Camera.m_Tracks)
        for (int k = 1; k < track.m_Keys.Count(); ++k)
            DrawSegment(canvas, m_Eye, m_Fit.Apply(track.m_Keys[k - 1].m_Position),
                        m_Fit.Apply(track.m_Keys[k].m_Position), grey);
    if (!m_Camera.m_Tracks.IsEmpty())
        DrawPoint(canvas, m_Eye, m_Fit.Apply(m_Playback.m_Position), {0, 0, 0, 1});
}

}  // namespace tovan
