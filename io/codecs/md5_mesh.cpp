// Reading md5mesh text: "numJoints", "numMeshes", a "joints" block and one
// "mesh" block per mesh. Every index the file gives is checked against its
// list before it is followed; any fault refuses the file, and so does a file
// that stops short of a count, a block or an index it announced.

#include <cmath>
#include <limits>

#include "io/codecs/md5_text.h"
#include "io/codecs/model_codecs.h"

namespace tovan {

namespace {

using md5::cMd5Lines;

// The shortest line each item can take, which bounds the counts.
constexpr int kJointLineBytes = 16;   // name parent ( x y z ) ( x y z )
constexpr int kMeshBlockBytes = 8;    // mesh { }
constexpr int kVertLineBytes = 12;    // vert i ( u v ) first count
constexpr int kTriLineBytes = 10;     // tri i a b c
constexpr int kWeightLineBytes = 14;  // weight i joint bias ( x y z )

struct Joint {
    cStr name;
    int32_t parent = -1;
    cVec3 position;
    cQuat rotation;
};

// Items start at values no line of the file can give them (a negative
// weight count or triangle corner is refused; scanned numbers are never NaN),
// so that one the file leaves out is found.
constexpr int32_t kNotGiven = -1;

struct Vert {
    cVec2 uv;
    int32_t first = 0;
    int32_t count = kNotGiven;
};

struct Weight {
    int32_t joint = 0;
    float bias = std::numeric_limits<float>::quiet_NaN();
    cVec3 position;
};

struct Mesh {
    cStr shader;
    cList<Vert> verts;
    cList<int32_t> corners;  // three per triangle
    cList<Weight> weights;
};

bool Within(int32_t index, int count) { return index >= 0 && index < count; }

// Every vertex, triangle and weight the counts announced was given.
bool Whole(const Mesh& mesh) {
    for (const Vert& v : mesh.verts)
        if (v.count < 0)
            return false;
    for (int32_t corner : mesh.corners)
        if (corner < 0)
            return false;
    for (const Weight& w : mesh.weights)
        if (std::isnan(w.bias))
            return false;
    return true;
}

bool ReadJoints(cMd5Lines& lines, cList<Joint>& joints) {
    int n = 0;
    while (lines.Next(true)) {
        if (lines.Is(0, "}"))
            return n == joints.Count();
        if (n >= joints.Count() || lines.Count() < 8)
            return false;
        Joint& joint = joints[n];
        cVec3 q;
        joint.name = lines.Text(0);
        // A parent is a joint before its child.
        if (!lines.Int(1, joint.parent) || joint.parent < -1 || joint.parent >= n || !lines.Vec3(2, joint.position) ||
            !lines.Vec3(5, q))
            return false;
        joint.rotation = md5::Rotation(q);
        ++n;
    }
    return false;
}

bool ReadMesh(cMd5Lines& lines, Mesh& mesh) {
    while (lines.Next(true)) {
        int32_t n = 0, i = 0;
        if (lines.Is(0, "}")) {
            return Whole(mesh);
        } else if (lines.Is(0, "shader")) {
            if (lines.Count() < 2)
                return false;
            mesh.shader = lines.Text(1);
        } else if (lines.Is(0, "numverts")) {
            if (!lines.ItemCount(1, kVertLineBytes, n))
                return false;
            mesh.verts.Resize(0);
            mesh.verts.Resize(n);
        } else if (lines.Is(0, "vert")) {
            if (lines.Count() < 6 || !lines.Int(1, i) || !Within(i, mesh.verts.Count()))
                return false;
            Vert& v = mesh.verts[i];
            if (!lines.Float(2, v.uv.x) || !lines.Float(3, v.uv.y) || !lines.Int(4, v.first) || !lines.Int(5, v.count))
                return false;
        } else if (lines.Is(0, "numtris")) {
            if (!lines.ItemCount(1, kTriLineBytes, n))
                return false;
            mesh.corners.Resize(0);
            mesh.corners.Resize(3 * n, kNotGiven);
        } else if (lines.Is(0, "tri")) {
            if (lines.Count() < 5 || !lines.Int(1, i) || !Within(i, mesh.corners.Count() / 3))
                return false;
            for (int k = 0; k < 3; ++k)
                if (!lines.Int(2 + k, mesh.corners[3 * i + k]))
                    return false;
        } else if (lines.Is(0, "numweights")) {
            if (!lines.ItemCount(1, kWeightLineBytes, n))
                return false;
            mesh.weights.Resize(0);
            mesh.weights.Resize(n);
        } else if (lines.Is(0, "weight")) {
            if (lines.Count() < 7 || !lines.Int(1, i) || !Within(i, mesh.weights.Count()))
                return false;
            Weight& w = mesh.weights[i];
            if (!lines.Int(2, w.joint) || !lines.Float(3, w.bias) || !lines.Vec3(4, w.position))
                return false;
        }
    }
    return false;  // the file ended inside the block
}

// A count line starts its list afresh: the items it announces must all
// follow it.
bool ReadFile(cMd5Lines& lines, cList<Joint>& joints, cList<Mesh>& meshes) {
    bool jointCount = false, meshCount = false, jointsGiven = false;
    int read = 0;
    while (lines.Next(false)) {
        int32_t n = 0;
        if (lines.Is(0, "numJoints")) {
            if (!lines.ItemCount(1, kJointLineBytes, n))
                return false;
            joints.Resize(n);
            jointCount = true;
            jointsGiven = false;
        } else if (lines.Is(0, "numMeshes")) {
            if (!lines.ItemCount(1, kMeshBlockBytes, n))
                return false;
            meshes.Resize(0);
            meshes.Resize(n);
            meshCount = true;
            read = 0;
        } else if (lines.Is(0, "joints")) {
            if (!ReadJoints(lines, joints))
                return false;
            jointsGiven = true;
        } else if (lines.Is(0, "mesh")) {
            if (read >= meshes.Count() || !ReadMesh(lines, meshes[read++]))
                return false;
        }
    }
    return jointCount && meshCount && (jointsGiven || joints.IsEmpty()) && read == meshes.Count();
}

// The four weights of largest bias, ties in file order; with more than four
// the first takes what the other three leave of 1.
void SetSkin(const Weight* weights, int count, cModelSkinnedVertex& out) {
    const Weight* top[4] = {};
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        int at = kept < 4 ? kept : 4;
        while (at > 0 && weights[i].bias > top[at - 1]->bias)
            --at;
        if (at >= 4)
            continue;
        for (int k = (kept < 4 ? kept : 3); k > at; --k)
            top[k] = top[k - 1];
        top[at] = &weights[i];
        kept += kept < 4 ? 1 : 0;
    }
    for (int k = 0; k < kept; ++k) {
        out.m_Joints[k] = float(top[k]->joint);
        out.m_Weights[k] = top[k]->bias;
    }
    if (count > 4)
        out.m_Weights[0] = 1 - (out.m_Weights[1] + out.m_Weights[2] + out.m_Weights[3]);
}

bool BuildMesh(const Mesh& md5, const cList<Joint>& joints, int64_t& references, cModelMesh& mesh) {
    mesh.m_Material = md5.shader;
    const int verts = md5.verts.Count();
    mesh.m_SkinnedVertices.Resize(verts);
    for (int i = 0; i < verts; ++i) {
        const Vert& v = md5.verts[i];
        // A vertex's weights lie within the list; the work over all of them
        // stays within the file's size.
        references -= v.count;
        if (v.first < 0 || v.count < 0 || int64_t(v.first) + v.count > md5.weights.Count() || references < 0)
            return false;
        cVec3 bind;
        for (int w = v.first; w < v.first + v.count; ++w) {
            const Weight& weight = md5.weights[w];
            if (!Within(weight.joint, joints.Count()))
                return false;
            const Joint& joint = joints[weight.joint];
            bind += (joint.position + md5::Rotate(joint.rotation, weight.position)) * weight.bias;
        }
        cModelSkinnedVertex& out = mesh.m_SkinnedVertices[i];
        out.m_Position = md5::ToSpace(bind);
        out.m_TexCoord = v.uv;
        SetSkin(v.count > 0 ? md5.weights.At(v.first) : nullptr, v.count, out);
    }
    mesh.m_Indices.ResizeUnset(md5.corners.Count());
    for (int i = 0; i < md5.corners.Count(); ++i) {
        if (!Within(md5.corners[i], verts))
            return false;
        mesh.m_Indices[i] = uint32_t(md5.corners[i]);
    }
    return true;
}

bool Read(cStream& in, cModel& model) {
    cMd5Lines lines(in);
    cList<Joint> joints;
    cList<Mesh> meshes;
    if (!ReadFile(lines, joints, meshes))
        return false;
    in.m_Position = in.Count();

    model.m_Static = false;
    model.m_Joints.Resize(joints.Count());
    for (int i = 0; i < joints.Count(); ++i) {
        cModelJoint& joint = model.m_Joints[i];
        joint.m_Name = joints[i].name;
        joint.m_Parent = joints[i].parent;
        joint.m_Position = md5::ToSpace(joints[i].position);
        joint.m_Rotation = md5::ToSpace(joints[i].rotation);
    }
    int64_t references = in.Count();
    model.m_Meshes.Resize(meshes.Count());
    for (int i = 0; i < meshes.Count(); ++i)
        if (!BuildMesh(meshes[i], joints, references, model.m_Meshes[i]))
            return false;
    cModel::ComputeNormals(model);
    cModel::ComputeTangents(model);
    cModel::ComputeBounds(model);
    return true;
}

}  // namespace

bool cCodecMd5Model::Decode(cStream& in, cModel& out) const { return text::RunDecode(in, out, Read); }

}  // namespace tovan
